#include "EditHistory.h"

#include "sections/SettingCatalogue.h"

#include <algorithm>
#include <utility>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

std::vector<std::string> Union(std::vector<std::string> ids, const std::vector<std::string> &more)
{
    for (const std::string &id : more) {
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }
    return ids;
}

// The part of a label before " window ": the game window's name in the window list.
QString WindowName(const Setting &setting)
{
    const std::string &label = setting.label;
    return QString::fromStdString(label.substr(0, label.find(" window ")));
}

bool AllOf(const std::vector<const Setting *> &settings, std::initializer_list<SettingRole> roles)
{
    return std::all_of(settings.begin(), settings.end(), [&](const Setting *s) {
        return std::find(roles.begin(), roles.end(), s->role) != roles.end()
               && s->page == settings.front()->page && s->item == settings.front()->item;
    });
}

} // namespace

QString StepName(const std::vector<std::string> &ids)
{
    std::vector<const Setting *> settings;
    for (const std::string &id : ids) {
        if (const Setting *setting = FindSetting(id))
            settings.push_back(setting);
    }
    if (settings.empty())
        return QStringLiteral("Change");
    using enum SettingRole;
    const bool window = settings.front()->page == SettingPage::Windows;
    if (settings.size() > 1 && window && AllOf(settings, {X, Y}))
        return QStringLiteral("Move ") + WindowName(*settings.front()) + QStringLiteral(" window");
    if (settings.size() > 1 && window && AllOf(settings, {X, Y, Width, Height}))
        return QStringLiteral("Resize ") + WindowName(*settings.front())
               + QStringLiteral(" window");
    if (settings.size() > 1 && window && AllOf(settings, {Red, Green, Blue}))
        return QStringLiteral("Colour of ") + WindowName(*settings.front())
               + QStringLiteral(" window");
    if (settings.size() > 1)
        return QStringLiteral("Change %1 settings").arg(settings.size());
    return QString::fromStdString(settings.front()->label);
}

// One step: a copy of the records and the settings it changed.
class EditHistory::Step : public QUndoCommand
{
public:
    Step(EditHistory &history, ClientSettings before, std::vector<std::string> ids)
        : m_history(history)
        , m_other(std::move(before))
        , m_ids(std::move(ids))
    {
        setText(StepName(m_ids));
    }

    void undo() override { Swap(); }
    void redo() override
    {
        // Pushing a step runs redo at once, but the edit is already in the records.
        if (m_pushed)
            Swap();
        m_pushed = true;
    }

    // Takes the ids of an edit continuing this step's gesture.
    void Extend(const std::vector<std::string> &ids)
    {
        m_ids = Union(std::move(m_ids), ids);
        setText(StepName(m_ids));
    }
    const std::vector<std::string> &ids() const { return m_ids; }

private:
    void Swap()
    {
        // Assigned, not swapped: the pages may hold on to the records' own storage.
        ClientSettings current = m_history.m_records;
        m_history.m_records = m_other;
        m_other = std::move(current);
        m_history.m_known = m_history.m_records;
        m_history.m_gestureOpen = false;
        m_history.m_shown(m_ids);
    }

    EditHistory &m_history;
    ClientSettings m_other;
    std::vector<std::string> m_ids;
    bool m_pushed = false;
};

EditHistory::EditHistory(ClientSettings &records, ShowStep shown, QObject *parent)
    : QObject(parent)
    , m_records(records)
    , m_shown(std::move(shown))
    , m_stack(new QUndoStack(this))
    , m_known(records)
{
    m_stack->setUndoLimit(StepLimit);
    qApp->installEventFilter(this);
    connect(m_stack, &QUndoStack::indexChanged, this, &EditHistory::stepsChanged);
    connect(qApp, &QApplication::focusChanged, this, [this] { EndGesture(); });
}

EditHistory::~EditHistory()
{
    qApp->removeEventFilter(this);
}

void EditHistory::Rebase()
{
    m_known = m_records;
}

void EditHistory::Clear()
{
    m_stack->clear();
    m_gestureOpen = false;
    Rebase();
    emit stepsChanged();
}

// A drag goes on while the button is held; typing while the focus stays in one text field.
bool EditHistory::ContinuesGesture(const std::vector<std::string> &ids) const
{
    if (!m_gestureOpen || m_stack->index() == 0 || m_stack->index() != m_stack->count())
        return false;
    if (m_buttonHeld)
        return true;
    const auto *top = static_cast<const Step *>(m_stack->command(m_stack->index() - 1));
    QWidget *focus = QApplication::focusWidget();
    const bool typing = qobject_cast<QLineEdit *>(focus) || qobject_cast<QAbstractSpinBox *>(focus)
                        || (focus && qobject_cast<QAbstractSpinBox *>(focus->parentWidget()));
    return typing && top->ids() == ids;
}

void EditHistory::Recorded(const std::vector<std::string> &ids)
{
    if (ContinuesGesture(ids)) {
        auto *top = static_cast<Step *>(
            const_cast<QUndoCommand *>(m_stack->command(m_stack->index() - 1)));
        top->Extend(ids);
    } else {
        m_stack->push(new Step(*this, m_known, ids));
    }
    m_known = m_records;
    m_gestureOpen = true;
    emit stepsChanged();
}

bool EditHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        m_gestureOpen = false;
        m_buttonHeld = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_buttonHeld = static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton;
    }
    return QObject::eventFilter(watched, event);
}
