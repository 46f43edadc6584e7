// The editor's start-up, measured: the main window built exactly as the program's entry builds
// it, over the dmclient.ini in the folder given, and the program ends as soon as the window has
// painted for the first time. It prints how long that took from the start of main(). With
// --census it prints the kinds and numbers of widgets in the window instead of quitting on the
// first paint, for the bare window it is compared with.

#include "AppFont.h"
#include "BenchSeams.h"
#include "FirstPaint.h"
#include "HintPause.h"
#include "MainForm.h"
#include "SvgIcon.h"
#include "WidgetCensus.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>

int main(int argc, char *argv[])
{
    const FirstPaintClock clock;
    const bool census = argc == 3 && std::string(argv[2]) == "--census";
    if (argc != 2 && !census) {
        std::cerr << "usage: startup FOLDER [--census]\n"
                     "FOLDER holds the dmclient.ini the window opens.\n";
        return EXIT_FAILURE;
    }
    std::string folder = argv[1];
    if (!folder.ends_with('/'))
        folder += '/';

    // As app/main.cpp does it, in the same order.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    SetHintHidePause(10000);
    QApplication::setApplicationName(QStringLiteral("VEzaz"));
    QApplication::setApplicationDisplayName(QStringLiteral("VEzaz"));
    QApplication::setWindowIcon(SvgIcon(QStringLiteral(":/icons/vezaz.svg")));
    ApplyProgramFont();
    TDMini1 mainForm(SeamsOverFolder(folder));

    if (census) {
        std::cout << FullCensusText(mainForm);
        return EXIT_SUCCESS;
    }
    QuitOnFirstPaint(mainForm, clock);
    mainForm.show();
    return QApplication::exec();
}
