#include "FoundMenu.h"

#include "locate/LocationReport.h"

#include <QFontMetrics>

namespace {

// Wide enough to tell copies apart, narrow enough for the menu to stay on screen.
constexpr int ElidedWidthInCharacters = 60;

QString Local(const std::string &text)
{
    return QString::fromLocal8Bit(text);
}

} // namespace

FoundMenu::FoundMenu(std::vector<ClientFileCandidate> found,
                     std::function<std::string()> editedPath,
                     QWidget *parent)
    : QMenu(QStringLiteral("F&ound"), parent)
    , m_found(std::move(found))
    , m_editedPath(std::move(editedPath))
{
    setObjectName(QStringLiteral("Found1"));
    setToolTipsVisible(true);
    menuAction()->setEnabled(!m_found.empty());
    connect(this, &QMenu::aboutToShow, this, &FoundMenu::Fill);
}

void FoundMenu::Fill()
{
    // The edited file changes with Open and Save As, so the checks are set anew each time.
    clear();
    const std::string edited = m_editedPath();
    for (const ClientFileCandidate &candidate : m_found)
        AddCandidate(candidate)->setChecked(candidate.path == edited);
}

QAction *FoundMenu::AddCandidate(const ClientFileCandidate &candidate)
{
    const QString path = Local(candidate.path);
    const QFontMetrics metrics(font());
    QString text = metrics.elidedText(
        path, Qt::ElideMiddle, metrics.averageCharWidth() * ElidedWidthInCharacters);
    // An ampersand in a folder name is not a shortcut.
    QAction *action = addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    const QString description = Local(CandidateDescription(candidate));
    action->setStatusTip(description);
    action->setToolTip(path + QLatin1Char('\n') + description);
    action->setCheckable(true);
    const std::string chosen = candidate.path;
    // The checks are set anew when the menu next opens, whatever the player answered.
    connect(action, &QAction::triggered, this, [this, chosen] {
        if (chosen != m_editedPath())
            emit fileChosen(chosen);
    });
    return action;
}
