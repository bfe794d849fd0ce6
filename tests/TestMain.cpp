// SPDX-License-Identifier: MIT
// Test entry point: a headless QApplication with the fixed palette and font that pixel tests
// are written against, and a scripted dialog service, so no test waits for a person.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    jxt::test::InstallFixedEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    jxt::test::InstallScriptedDialogs();
    return RUN_ALL_TESTS();
}
