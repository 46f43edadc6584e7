#include "TaggedControls.h"

#include <QCheckBox>
#include <QVariant>

int TagOf(const QObject *control)
{
    bool isNumber = false;
    const int tag = control->property("tag").toInt(&isNumber);
    return isNumber ? tag : -1;
}

QList<QCheckBox *> TaggedCheckBoxes(const QWidget *within)
{
    QList<QCheckBox *> boxes = within->findChildren<QCheckBox *>();
    boxes.removeIf([](const QCheckBox *box) { return TagOf(box) < 0; });
    return boxes;
}
