// SPDX-License-Identifier: MIT
// Programs started without a shell: Windows command lines split into arguments by the rules
// of the Windows C runtime, the program found on the PATH or through the drive mapping, and
// the process started directly (fork and exec through QProcess). No text of the caller is
// ever interpreted by a shell.
#pragma once

#include <QString>
#include <QStringList>

namespace jxt::platform {

/// Splits a Windows command line into arguments as the Windows C runtime does:
/// * Arguments are separated by blanks and tabs outside double quotes.
/// * The first argument (the program) ends at the first blank or tab outside quotes; quotes
///   only group there, and backslashes are plain characters.
/// * In the other arguments, 2n backslashes before a double quote become n backslashes and
///   the quote opens or closes a quoted part; 2n + 1 backslashes before a quote become n
///   backslashes and a literal quote; backslashes before anything else stay as they are.
/// * Inside a quoted part, two double quotes give one literal quote and the part goes on.
/// An empty or blank line gives no arguments.
QStringList SplitWindowsCommandLine(const QString &commandLine);

/// The host file of a program name: a name with a drive letter or a separator is mapped
/// (see ToHostPath) and must be an executable regular file; a bare name is looked up in the
/// directories of PATH. Empty when there is no such program.
QString FindProgram(const QString &program);

/// The process started last by RunProgram.
struct TStartedProcess
{
    qint64 ProcessId = 0;
};

/// Starts argv[0] (found with FindProgram) with the other arguments in workingDir (the
/// current directory when empty), with an empty standard input and the caller's output.
/// Returns -1 when the program cannot be started. With wait, waits until the process ends,
/// handling the application's events meanwhile, and returns its exit code (128 + the signal
/// number when a signal ended it); without wait, returns 0 and leaves the process running on
/// its own. started receives the process id.
int RunProgram(const QStringList &argv, const QString &workingDir, bool wait,
               TStartedProcess *started = nullptr);

} // namespace jxt::platform
