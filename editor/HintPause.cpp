#include "HintPause.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

// Qt has no application-wide hint duration, and no style hint for it either
// (SH_ToolTip_FallAsleepDelay is the grace period between two hints, not how long one stays).
// Each widget carries its own toolTipDuration, which QWidget passes to QToolTip::showText when
// it shows its hint, so the duration is given to every widget just before its first hint.
class HintHidePause : public QObject
{
public:
    HintHidePause(int milliseconds, QObject *parent)
        : QObject(parent)
        , m_milliseconds(milliseconds)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->toolTipDuration() < 0)
                widget->setToolTipDuration(m_milliseconds);
        }
        return false;
    }

private:
    int m_milliseconds;
};

} // namespace

void SetHintHidePause(int milliseconds)
{
    qApp->installEventFilter(new HintHidePause(milliseconds, qApp));
}
