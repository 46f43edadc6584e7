#include "SettingHints.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace {

// Where a control keeps the hint its form gave it, before any catalogue text was added.
constexpr char OwnHintProperty[] = "ownHint";

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

QString OwnHint(QWidget *control)
{
    QVariant own = control->property(OwnHintProperty);
    if (!own.isValid()) {
        own = control->toolTip();
        control->setProperty(OwnHintProperty, own);
    }
    return own.toString();
}

} // namespace

QString SettingHint(const Setting &setting, const QString &ownHint)
{
    QString hint;
    if (!ownHint.isEmpty())
        hint = ownHint + QLatin1Char('\n');
    const QString defaultText
        = setting.defaultText.empty() ? QStringLiteral("(empty)") : Text(setting.defaultText);
    hint += Text(setting.label) + QLatin1Char('\n') + Text(setting.description) + QLatin1Char('\n')
            + QStringLiteral("Key: [") + Text(std::string(setting.section)) + QStringLiteral("] ")
            + Text(setting.key) + QLatin1Char('\n') + QStringLiteral("Default: ") + defaultText;
    return hint;
}

SettingHints::SettingHints(const SettingBindings &bindings,
                           SelectionSource selection,
                           QObject *parent)
    : QObject(parent)
    , m_bindings(bindings)
    , m_selection(std::move(selection))
{
    for (QWidget *control : m_bindings.controls())
        control->installEventFilter(this);
}

void SettingHints::ShowHints()
{
    const PageSelection selection = m_selection();
    for (QWidget *control : m_bindings.controls())
        ShowHint(control, selection);
}

void SettingHints::NameControls()
{
    const PageSelection selection = m_selection();
    for (QWidget *control : m_bindings.controls()) {
        if (const Setting *setting = m_bindings.SettingOf(control, selection))
            control->setAccessibleName(Text(setting->label));
    }
}

void SettingHints::ShowHint(QWidget *control, const PageSelection &selection)
{
    const QString own = OwnHint(control);
    const Setting *setting = m_bindings.SettingOf(control, selection);
    const QString hint = setting ? SettingHint(*setting, own) : own;
    control->setToolTip(hint);
    control->setWhatsThis(hint);
    if (setting)
        control->setAccessibleName(Text(setting->label));
}

bool SettingHints::eventFilter(QObject *watched, QEvent *event)
{
    const bool asking = event->type() == QEvent::ToolTip || event->type() == QEvent::WhatsThis
                        || event->type() == QEvent::QueryWhatsThis;
    if (asking && watched->isWidgetType())
        ShowHint(static_cast<QWidget *>(watched), m_selection());
    return QObject::eventFilter(watched, event);
}
