// SPDX-License-Identifier: MIT
// Test entry point: a headless QApplication with the fixed palette and font that pixel tests
// are written against, and a scripted dialog service, so no test waits for a person.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>

int main(int argc, char **argv)
{
    // --jxt-scale-factor=N runs the program on a screen of device pixel ratio N (ctest's
    // ratio2 runs; an argument, since the environment of discovered tests holds one variable).
    const char *const scaleOption = "--jxt-scale-factor=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], scaleOption, std::strlen(scaleOption)) == 0)
            qputenv("QT_SCALE_FACTOR", argv[i] + std::strlen(scaleOption));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
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
