#include "TaggedControls.h"

#include <QCheckBox>
#include <QVariant>

int TagOf(const QObject *control)
{
    bool isNumber = false;
    const int tag = control->property("tag").toInt(&isNumber);
    return isNumber ? tag : -1;
}

QList<TaggedCheckBox> TaggedCheckBoxes(const QWidget *within)
{
    QList<TaggedCheckBox> tagged;
    for (QCheckBox *box : within->findChildren<QCheckBox *>()) {
        if (const int tag = TagOf(box); tag >= 0)
            tagged.append({box, tag});
    }
    return tagged;
}
