// SPDX-License-Identifier: MIT
// Test entry point: a headless QApplication with the fixed palette and font that pixel tests
// are written against.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    jxt::test::InstallFixedEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
