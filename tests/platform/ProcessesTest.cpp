// SPDX-License-Identifier: MIT
// Windows command lines split into arguments, and real programs started without a shell.
#include "platform/Processes.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

using namespace jxt::platform;

namespace {

struct TSplitCase
{
    const char *line;
    QStringList args;
};

} // namespace

TEST(CommandLineSplit, FollowsTheWindowsRuntimeRules)
{
    const TSplitCase cases[] = {
        {"", {}},
        {" \t ", {}},
        {"prog", {"prog"}},
        {"  prog   a\tb  ", {"prog", "a", "b"}},
        // The program: quotes group, backslashes are plain.
        {R"("C:\Program Files\app.exe" x)", {R"(C:\Program Files\app.exe)", "x"}},
        {R"(C:\dir\"sub dir"\app.exe)", {R"(C:\dir\sub dir\app.exe)"}},
        {R"("C:\dir\" x)", {R"(C:\dir\)", "x"}},
        // Quoted parts, possibly inside a word.
        {R"(p "a b" c)", {"p", "a b", "c"}},
        {R"(p a"b c"d)", {"p", "ab cd"}},
        {R"(p "" x)", {"p", "", "x"}},
        {R"(p "unclosed arg)", {"p", "unclosed arg"}},
        // Backslashes before a quote: halved, an odd one escapes the quote.
        {R"(p a\"b)", {"p", R"(a"b)"}},
        {R"(p a\\\"b)", {"p", R"(a\"b)"}},
        {R"(p "a\\" b)", {"p", R"(a\)", "b"}},
        {R"(p "a\\\\" b)", {"p", R"(a\\)", "b"}},
        // Backslashes before anything else stay.
        {R"(p a\\b c:\x\)", {"p", R"(a\\b)", R"(c:\x\)"}},
        // Two quotes inside a quoted part give one and the part goes on.
        {R"(p "a""b c")", {"p", R"(a"b c)"}},
        // Shell syntax is plain text here.
        {R"(p ; rm -rf / $(id) `id` | x > y)",
         {"p", ";", "rm", "-rf", "/", "$(id)", "`id`", "|", "x", ">", "y"}},
    };
    for (const TSplitCase &c : cases)
        EXPECT_EQ(SplitWindowsCommandLine(QString::fromUtf8(c.line)), c.args) << c.line;
}

TEST(RunProgram, WaitsForTheExitCode)
{
    EXPECT_EQ(RunProgram({"/bin/true"}, QString(), true), 0);
    EXPECT_EQ(RunProgram({"false"}, QString(), true), 1); // found on PATH
    EXPECT_EQ(RunProgram({"/bin/sh", "-c", "exit 3"}, QString(), true), 3);
    EXPECT_EQ(RunProgram({"/bin/sh", "-c", "kill -9 $$"}, QString(), true), 128 + 9);
    // Input is empty: a program that reads gets the end at once.
    EXPECT_EQ(RunProgram({"/bin/sh", "-c", "read x || exit 7"}, QString(), true), 7);
}

TEST(RunProgram, RefusesWhatCannotStart)
{
    QTemporaryDir dir;
    const QString notExecutable = dir.filePath("data.sh");
    QFile f(notExecutable);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    for (bool wait : {true, false}) {
        EXPECT_EQ(RunProgram({"/nonexistent/program"}, QString(), wait), -1);
        EXPECT_EQ(RunProgram({"no-such-program-anywhere"}, QString(), wait), -1);
        EXPECT_EQ(RunProgram({notExecutable}, QString(), wait), -1);
        EXPECT_EQ(RunProgram({dir.path()}, QString(), wait), -1); // a directory
        EXPECT_EQ(RunProgram({}, QString(), wait), -1);
        EXPECT_EQ(RunProgram({"/bin/true"}, dir.filePath("missing-dir"), wait), -1);
    }
}

TEST(RunProgram, RunsInTheWorkingDirectoryAndHandlesEventsWhileWaiting)
{
    QTemporaryDir dir;
    bool timerFired = false;
    QTimer::singleShot(0, [&] { timerFired = true; });
    TStartedProcess started;
    EXPECT_EQ(
        RunProgram({"/bin/sh", "-c", "sleep 0.05; pwd > here.txt"}, dir.path(), true, &started), 0);
    EXPECT_TRUE(timerFired);
    EXPECT_GT(started.ProcessId, 0);
    QFile f(dir.filePath("here.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(f.readAll()).trimmed(), dir.path());
}

TEST(RunProgram, WithoutWaitingLeavesTheProgramRunning)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("done");
    TStartedProcess started;
    EXPECT_EQ(
        RunProgram({"/bin/sh", "-c", "touch \"$1\"", "sh", marker}, QString(), false, &started), 0);
    EXPECT_GT(started.ProcessId, 0);
    for (int i = 0; i < 200 && !QFile::exists(marker); ++i)
        QThread::msleep(5);
    EXPECT_TRUE(QFile::exists(marker));
}

TEST(FindProgram, MapsPathsAndSearchesPath)
{
    EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
    EXPECT_FALSE(FindProgram("sh").isEmpty());
    EXPECT_FALSE(FindProgram("C:\\bin\\sh").isEmpty()); // C: is the host root
    EXPECT_TRUE(FindProgram("/etc/passwd").isEmpty());  // not executable
    EXPECT_TRUE(FindProgram(QString()).isEmpty());
}
