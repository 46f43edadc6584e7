#include "FocusRing.h"

#include "ClickLabel.h"

#include <QFocusEvent>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int RingWidth = 2;

// The frame itself: lets every click through to what lies below it.
class RingFrame : public QWidget
{
public:
    explicit RingFrame(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("FocusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), RingWidth));
        const qreal inset = RingWidth / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
};

} // namespace

FocusRing::FocusRing(QObject *parent)
    : QObject(parent)
{}

void FocusRing::Watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

QWidget *FocusRing::frame() const
{
    return m_frame && m_frame->isVisible() ? m_frame.data() : nullptr;
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason)
            ShowAround(widget);
        break;
    case QEvent::FocusOut:
        if (m_frame && m_focused == widget)
            m_frame->hide();
        m_focused = nullptr;
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (m_focused == widget)
            FollowFocused();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FocusRing::ShowAround(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    if (!parent)
        return;
    if (!m_frame)
        m_frame = new RingFrame(parent);
    else if (m_frame->parentWidget() != parent)
        m_frame->setParent(parent);
    m_focused = widget;
    FollowFocused();
    m_frame->raise();
    m_frame->show();
}

void FocusRing::FollowFocused()
{
    // Around the words of a caption, which are all of it that takes clicks.
    QRect area = m_focused->geometry();
    if (const auto *caption = qobject_cast<const ClickLabel *>(m_focused.data()))
        area = caption->captionRect().translated(caption->pos());
    m_frame->setGeometry(area.adjusted(-RingWidth, -RingWidth, RingWidth, RingWidth));
}
