// SPDX-License-Identifier: MIT
// The desktop's handlers: documents and addresses opened with the program the user chose
// for them, programs started on their own. Everything goes through one replaceable service,
// so an application may route it elsewhere and tests see what would be opened without a
// desktop program starting. The real service runs xdg-open and xdg-mime as programs with
// arguments, never through a shell.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace jxt::platform {

class TDesktopServices
{
public:
    virtual ~TDesktopServices() = default;
    /// Opens a document (a file URL) or an address (http:, mailto:, ...) with the program
    /// associated with it; false when that cannot be started.
    virtual bool Open(const QUrl &url) = 0;
    /// Starts program (a host path) with arguments in workingDir without waiting for it.
    virtual bool Start(const QString &program, const QStringList &arguments,
                       const QString &workingDir) = 0;
    /// The desktop entry of the program associated with a MIME type, e.g.
    /// "thunderbird.desktop" for "x-scheme-handler/mailto"; empty when there is none.
    /// Starts nothing.
    virtual QString DefaultApplication(const QString &mimeType) = 0;
};

/// The real service: xdg-open (or Qt's desktop services where xdg-open is missing) for Open,
/// a detached process for Start, "xdg-mime query default" for DefaultApplication.
/// When the environment variable JXT_TEST is set (test runs), Open and Start do nothing and
/// answer false, so a test that forgot to install its own service cannot start desktop
/// programs; DefaultApplication only asks and works as always.
class TXdgDesktopServices : public TDesktopServices
{
public:
    bool Open(const QUrl &url) override;
    bool Start(const QString &program, const QStringList &arguments,
               const QString &workingDir) override;
    QString DefaultApplication(const QString &mimeType) override;
};

/// The service in use (a TXdgDesktopServices until another is installed).
TDesktopServices *DesktopServices();
/// Installs service (nullptr restores the real one) and returns the previous one.
std::unique_ptr<TDesktopServices> SetDesktopServices(std::unique_ptr<TDesktopServices> service);

/// The user's desktop folder as a host path: XDG_DESKTOP_DIR of
/// $XDG_CONFIG_HOME/user-dirs.dirs, ~/Desktop by default. It need not exist.
QString UserDesktopDirectory();
/// Where the user's program entries of the desktop menu live: $XDG_DATA_HOME/applications
/// (~/.local/share/applications by default). It need not exist.
QString UserApplicationsDirectory();

/// The MIME type of a host file by its content and name ("application/pdf").
QString MimeTypeOfFile(const QString &hostPath);

} // namespace jxt::platform
