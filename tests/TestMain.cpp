// SPDX-License-Identifier: MIT
// Test entry point: a headless QApplication with the fixed palette and font that pixel tests
// are written against, and a scripted dialog service, so no test waits for a person.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Marks a test run: the platform layer's real desktop service and session-end handler
    // then refuse to open programs or end the session, even when a test forgot its own.
    qputenv("JXT_TEST", "1");
    QApplication app(argc, argv);
    jxt::test::InstallFixedEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    jxt::test::InstallScriptedDialogs();
    return RUN_ALL_TESTS();
}
