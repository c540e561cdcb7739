#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "widgets/accessible_interfaces.h"
#include "widgets/return_presses_button.h"

// The window tests run without a screen unless told otherwise.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The windows meet the keyboard and screen readers as in the program.
    telvanor::installAccessibleInterfaces();
    telvanor::installReturnPressesFocusedButton();
    // What the windows remember for the user (such as the last port) goes to a test folder.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
