#include "AppFont.h"
#include "HintPause.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char **argv)
{
    // Tests never need a display; a developer can still override this to watch them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The same application-wide settings as the program's entry, so the window measures alike.
    SetHintHidePause(10000);
    ApplyProgramFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
