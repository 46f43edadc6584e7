#pragma once

#include <QList>

class QCheckBox;
class QObject;
class QWidget;

// Controls of one kind share one handler and tell themselves apart by the integer "tag"
// property their form gives them.

// The control's tag; -1 when it carries none.
int TagOf(const QObject *control);

// The check boxes inside this widget, at any depth and in child order, that carry a tag.
QList<QCheckBox *> TaggedCheckBoxes(const QWidget *within);
