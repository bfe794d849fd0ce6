// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace jxt::platform {

namespace {

constexpr int kQueryTimeoutMs = 5000;

bool InTestRun()
{
    return qEnvironmentVariableIsSet("JXT_TEST");
}

std::unique_ptr<TDesktopServices> &Current()
{
    static std::unique_ptr<TDesktopServices> service = std::make_unique<TXdgDesktopServices>();
    return service;
}

} // namespace

bool TXdgDesktopServices::Open(const QUrl &url)
{
    if (InTestRun() || !url.isValid())
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
    return QProcess::startDetached(opener, {target});
}

bool TXdgDesktopServices::Start(const QString &program, const QStringList &arguments,
                                const QString &workingDir)
{
    if (InTestRun())
        return false;
    return QProcess::startDetached(program, arguments, workingDir);
}

QString TXdgDesktopServices::DefaultApplication(const QString &mimeType)
{
    if (mimeType.isEmpty())
        return QString();
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return QString();
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished(kQueryTimeoutMs);
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    // The answer is one line naming a desktop entry; anything else means no association.
    const QString answer =
        QString::fromLocal8Bit(process.readAllStandardOutput().left(4096)).trimmed();
    if (answer.contains(QLatin1Char('\n')) || !answer.endsWith(QLatin1String(".desktop")))
        return QString();
    return answer;
}

TDesktopServices *DesktopServices()
{
    return Current().get();
}

std::unique_ptr<TDesktopServices> SetDesktopServices(std::unique_ptr<TDesktopServices> service)
{
    if (!service)
        service = std::make_unique<TXdgDesktopServices>();
    std::swap(Current(), service);
    return service;
}

QString UserDesktopDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString UserApplicationsDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString MimeTypeOfFile(const QString &hostPath)
{
    return QMimeDatabase().mimeTypeForFile(hostPath).name();
}

} // namespace jxt::platform
