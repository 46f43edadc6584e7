#include "AppFont.h"
#include "HintPause.h"
#include "MainForm.h"
#include "Seams.h"

#include <QApplication>
#include <QIcon>

namespace {

constexpr int HintHidePauseMilliseconds = 10000;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetHintHidePause(HintHidePauseMilliseconds);
    QApplication::setApplicationName(QStringLiteral("VEzaz"));
    QApplication::setApplicationDisplayName(QStringLiteral("VEzaz"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vezaz.svg")));
    ApplyProgramFont();

    TDMini1 mainForm(DefaultSeams());
    // TODO(about and help): create the About box and the Help dialog here, after the main
    // window; they live hidden for the whole run.

    mainForm.show();
    return QApplication::exec();
}
