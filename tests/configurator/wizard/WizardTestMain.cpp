// Runs the wizard's GoogleTest cases inside a QApplication on the offscreen platform.
#include "WizardStartup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // No test may need a display or wait for one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    wizard::registerResources();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
