// SPDX-License-Identifier: MIT
#include "platform/Processes.h"

#include "platform/Paths.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace jxt::platform {

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList SplitWindowsCommandLine(const QString &commandLine)
{
    QStringList args;
    const int n = int(commandLine.size());
    int i = 0;
    while (i < n && IsBlank(commandLine[i]))
        ++i;
    if (i >= n)
        return args;

    // The program: quotes group, nothing escapes.
    QString program;
    bool quoted = false;
    for (; i < n; ++i) {
        const QChar c = commandLine[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (IsBlank(c) && !quoted)
            break;
        else
            program += c;
    }
    args << program;

    while (true) {
        while (i < n && IsBlank(commandLine[i]))
            ++i;
        if (i >= n)
            break;
        QString arg;
        quoted = false;
        while (i < n) {
            const QChar c = commandLine[i];
            if (c == QLatin1Char('\\')) {
                int backslashes = 0;
                while (i < n && commandLine[i] == QLatin1Char('\\')) {
                    ++backslashes;
                    ++i;
                }
                if (i < n && commandLine[i] == QLatin1Char('"')) {
                    arg += QString(backslashes / 2, QLatin1Char('\\'));
                    if (backslashes % 2) {
                        arg += QLatin1Char('"');
                        ++i;
                    }
                    // An even count leaves the quote to the next round, which toggles.
                } else {
                    arg += QString(backslashes, QLatin1Char('\\'));
                }
                continue;
            }
            if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < n && commandLine[i + 1] == QLatin1Char('"')) {
                    arg += QLatin1Char('"');
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            if (IsBlank(c) && !quoted)
                break;
            arg += c;
            ++i;
        }
        args << arg;
    }
    return args;
}

QString FindProgram(const QString &program)
{
    if (program.isEmpty())
        return QString();
    const bool hasPath = !PathDriveLetter(program).isNull() ||
                         program.contains(QLatin1Char('\\')) || program.contains(QLatin1Char('/'));
    QString host;
    if (hasPath)
        host = ToHostPath(program);
    else
        host = QStandardPaths::findExecutable(program);
    if (host.isEmpty())
        return QString();
    const QFileInfo info(host);
    if (!info.isFile() || !info.isExecutable())
        return QString();
    return info.absoluteFilePath();
}

int RunProgram(const QStringList &argv, const QString &workingDir, bool wait,
               TStartedProcess *started)
{
    if (argv.isEmpty())
        return -1;
    const QString program = FindProgram(argv.front());
    if (program.isEmpty())
        return -1;
    QString dir;
    if (!workingDir.isEmpty()) {
        dir = ToHostPath(workingDir);
        if (dir.isEmpty() || !QFileInfo(dir).isDir())
            return -1;
    }
    const QStringList arguments = argv.mid(1);

    // The program writes to the caller's output but gets an empty input, so it can never
    // wait for a person typing at the caller's terminal.
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!dir.isEmpty())
        process.setWorkingDirectory(dir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!wait) {
        qint64 pid = 0;
        if (!process.startDetached(&pid))
            return -1;
        if (started)
            started->ProcessId = pid;
        return 0;
    }

    process.start();
    if (!process.waitForStarted(-1))
        return -1;
    if (started)
        started->ProcessId = process.processId();
    if (process.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        if (process.state() != QProcess::NotRunning)
            loop.exec();
    }
    if (process.exitStatus() == QProcess::CrashExit)
        return 128 + process.exitCode();
    return process.exitCode();
}

} // namespace jxt::platform
