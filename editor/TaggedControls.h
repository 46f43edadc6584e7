#pragma once

#include <QList>

class QCheckBox;
class QObject;
class QWidget;

// Controls of one kind share one handler and tell themselves apart by the integer "tag"
// property their form gives them.

// The control's tag; -1 when it carries none.
int TagOf(const QObject *control);

struct TaggedCheckBox
{
    QCheckBox *box;
    int tag;
};

// The check boxes inside this widget, at any depth and in child order, that carry a tag, each
// with its tag: reading a tag searches the box's properties by name, so it is read once here.
QList<TaggedCheckBox> TaggedCheckBoxes(const QWidget *within);
