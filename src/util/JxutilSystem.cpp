// SPDX-License-Identifier: MIT
#include "util/JxutilSystem.h"

#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "host/files/IniFiles.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Pointer.h"
#include "platform/Ports.h"
#include "platform/Processes.h"
#if JXT_WITH_DESKTOP
#    include "platform/Session.h"
#endif
#include "platform/ShellLink.h"
#include "platform/Transfer.h"
#include "platform/VersionInfo.h"
#include "platform/WinDir.h"
#include "util/Jxutil.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstring>
#include <utility>
#include <vector>

#include <sys/stat.h>

extern char **environ;

namespace jxt {

TProcessInformation ProcessInfo;
QString Path;
QString FName;
QString Ext;

namespace {

constexpr int SE_ERR_ACCESSDENIED = 5;
const QString kWininit = QStringLiteral("WININIT.INI");
const QString kRenameSection = QStringLiteral("rename");

/// A host directory in the util layer's form (Windows path, trailing backslash); empty when
/// it does not exist.
QString ExistingDir(const QString &hostDir)
{
    if (hostDir.isEmpty() || !QFileInfo(hostDir).isDir())
        return QString();
    return jxtCheckPath(platform::ToWindowsPath(hostDir));
}

std::function<void(int)> &RetryWait()
{
    static std::function<void(int)> wait = jxtDelay;
    return wait;
}

/// "http://…", "mailto:…": a scheme of two or more characters before the colon (one letter
/// and a colon is a drive).
bool IsAddress(const QString &name)
{
    const int colon = int(name.indexOf(QLatin1Char(':')));
    if (colon < 2 || !name[0].isLetter() || name[0].unicode() > 127)
        return false;
    for (int i = 1; i < colon; ++i) {
        const QChar c = name[i];
        if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == QLatin1Char('+') ||
                                   c == QLatin1Char('-') || c == QLatin1Char('.')))
            return false;
    }
    return true;
}

bool IsRelative(const QString &name)
{
    return platform::PathDriveLetter(name).isNull() && !name.isEmpty() &&
           !platform::IsPathDelimiter(name[0]);
}

/// Arguments of a parameter text, split like the arguments after a program's name.
QStringList SplitParameters(const QString &params)
{
    QStringList args = platform::SplitWindowsCommandLine(QStringLiteral("x ") + params);
    args.removeFirst();
    return args;
}

/// Whether a top-level widget is a window: forms and other Qt windows are; components
/// that are not forms (non-visual components, the application object) are widgets only
/// to be shown at design time.
bool IsWindow(QWidget *w)
{
    return !dynamic_cast<TComponent *>(w) || dynamic_cast<TForm *>(w);
}

/// The application's top-level windows: the active one first, then the others in the
/// order Qt lists them.
QList<QWidget *> OwnWindows()
{
    QList<QWidget *> windows;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return windows;
    if (QWidget *active = QApplication::activeWindow(); active && IsWindow(active))
        windows << active;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (IsWindow(w) && !windows.contains(w))
            windows << w;
    }
    return windows;
}

QWidget *WindowOf(HWND handle)
{
    if (handle == 0)
        return nullptr;
    for (QWidget *w : OwnWindows()) {
        // Only windows that have a native id can have been handed out.
        if (w->internalWinId() == handle)
            return w;
    }
    return nullptr;
}

QString WindowClassName(QWidget *w)
{
    if (const auto *object = dynamic_cast<const TObject *>(w))
        return object->ClassName();
    return QString::fromLatin1(w->metaObject()->className());
}

HWND FindWindow(const std::function<bool(const QString &)> &matches)
{
    for (QWidget *w : OwnWindows()) {
        if (matches(w->windowTitle()))
            return HWND(w->winId());
    }
    return 0;
}

/// Percent-encodes the UTF-8 bytes of text, keeping only the unreserved characters and,
/// for addresses, the delimiters an address may hold.
QByteArray MailEncode(const QString &text, const char *keep)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (unsigned char c : text.toUtf8()) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || (c && std::strchr(keep, c))) {
            out.append(char(c));
        } else {
            out.append('%');
            out.append(hex[c >> 4]);
            out.append(hex[c & 15]);
        }
    }
    return out;
}

/// Line breaks of a mail body, whatever their form, as CR LF.
QString CrLfLines(const QString &text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return s;
}

QString MailHandler()
{
    return platform::DesktopServices()->DefaultApplication(
        QStringLiteral("x-scheme-handler/mailto"));
}

} // namespace

// Directories -----------------------------------------------------------------------------------

QString jxtDesktopDir()
{
    return ExistingDir(platform::UserDesktopDirectory());
}

QString jxtProgrammsDir()
{
    return ExistingDir(platform::UserApplicationsDirectory());
}

QString jxtStartMenuDir()
{
    return ExistingDir(platform::UserApplicationsDirectory());
}

// Programs and documents ------------------------------------------------------------------------

int jxtExecuteFile(const QString &fileName, const QString &params, const QString &defaultDir,
                   int showCmd)
{
    Q_UNUSED(showCmd)
    const auto fail = [](int code) {
        ShowMessage(QCoreApplication::translate("jxtpack", "Fehler beim Programm-Aufruf"));
        return code;
    };
    platform::TDesktopServices *desktop = platform::DesktopServices();

    QString dir;
    if (!defaultDir.isEmpty()) {
        dir = platform::ToHostPath(defaultDir);
        if (dir.isEmpty() || !QFileInfo(dir).isDir())
            return fail(SE_ERR_PNF);
    }
    // A relative name is looked for in the default directory, then in the current one. An
    // existing file is the file it is, even where its name reads like an address
    // ("notes:2024.txt").
    QString host;
    if (!dir.isEmpty() && IsRelative(fileName)) {
        const QString candidate = platform::ToHostPath(jxtCheckPath(defaultDir) + fileName);
        if (!candidate.isEmpty() && QFileInfo::exists(candidate))
            host = candidate;
    }
    if (host.isEmpty() && !fileName.isEmpty()) {
        const QString candidate = platform::ToHostPath(fileName);
        if (!candidate.isEmpty() && QFileInfo::exists(candidate))
            host = candidate;
    }
    if (host.isEmpty() && IsAddress(fileName)) {
        // An address goes to the desktop only when it has a handler for the scheme: the
        // desktop would otherwise guess (or hand "javascript:" to whatever takes it).
        const QUrl url = QUrl::fromEncoded(fileName.toUtf8());
        if (!url.isValid())
            return fail(SE_ERR_NOASSOC);
        if (url.isLocalFile()) {
            host = url.toLocalFile();
            if (!QFileInfo::exists(host))
                return fail(SE_ERR_FNF);
        } else {
            const QString scheme = url.scheme().toLower();
            if (desktop->DefaultApplication(QStringLiteral("x-scheme-handler/") + scheme).isEmpty())
                return fail(SE_ERR_NOASSOC);
            return desktop->Open(url) ? SE_OK : fail(SE_ERR_NOASSOC);
        }
    }
    // A bare program name is looked for on PATH.
    if (host.isEmpty() && !fileName.isEmpty())
        host = platform::FindProgram(fileName);
    if (host.isEmpty())
        return fail(SE_ERR_FNF);

    const QFileInfo info(host);
    if (info.isDir())
        return desktop->Open(QUrl::fromLocalFile(info.absoluteFilePath())) ? SE_OK
                                                                           : fail(SE_ERR_NOASSOC);
    // A FIFO, socket or device is no document to open.
    if (!info.isFile())
        return fail(SE_ERR_FNF);
    if (info.isExecutable()) {
        return desktop->Start(info.absoluteFilePath(), SplitParameters(params), dir)
                   ? SE_OK
                   : fail(SE_ERR_ACCESSDENIED);
    }
    if (desktop->DefaultApplication(platform::MimeTypeOfFile(host)).isEmpty())
        return fail(SE_ERR_NOASSOC);
    return desktop->Open(QUrl::fromLocalFile(info.absoluteFilePath())) ? SE_OK
                                                                       : fail(SE_ERR_NOASSOC);
}

bool jxtRunExecutable(const QString &fileName)
{
    const TCursor previous = Screen()->Cursor();
    jxtSetScreenCursor(crHourGlass);
    jxtSplitFileName(fileName, Path, FName, Ext);
    platform::TDesktopServices *desktop = platform::DesktopServices();
    const QString host = platform::ToHostPath(fileName);
    QString program;
    if (!host.isEmpty() && QFileInfo(host).isFile())
        program = desktop->DefaultApplication(platform::MimeTypeOfFile(host));
    const bool opened = !program.isEmpty() &&
                        desktop->Open(QUrl::fromLocalFile(QFileInfo(host).absoluteFilePath()));
    jxtSetScreenCursor(previous);
    if (program.isEmpty())
        MessageDlg(QCoreApplication::translate("jxtpack", "Verknüpfung nicht gefunden"),
                   mtConfirmation, {mbOK});
    else if (!opened)
        MessageDlg(QCoreApplication::translate("jxtpack", "Fehler bei Programmaufruf"),
                   mtConfirmation, {mbOK});
    return opened;
}

int jxtRun(const QString &commandLine, std::uint16_t showWindow, bool wait)
{
    Q_UNUSED(showWindow)
    ProcessInfo = TProcessInformation();
    platform::TStartedProcess started;
    const int result = platform::RunProgram(platform::SplitWindowsCommandLine(commandLine),
                                            QString(), wait, &started);
    if (result != -1)
        ProcessInfo.ProcessId = started.ProcessId;
    return result;
}

// End of the session ----------------------------------------------------------------------------

#if JXT_WITH_DESKTOP
void jxtRestart()
{
    platform::RequestSessionEnd(platform::TSessionEnd::Logoff);
}

void jxtReboot()
{
    platform::RequestSessionEnd(platform::TSessionEnd::Reboot);
}

void jxtShutdown()
{
    platform::RequestSessionEnd(platform::TSessionEnd::PowerOff);
}
#endif

// Windows and messages --------------------------------------------------------------------------

QEvent::Type TWindowMessageEvent::EventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

int jxtSendMessage(const QString &classNamePart, std::uint16_t msg)
{
    for (QWidget *w : OwnWindows()) {
        if (!WindowClassName(w).contains(classNamePart))
            continue;
        QApplication::beep();
        TWindowMessageEvent event(msg, 0, 0);
        // A window answers by accepting the event; QObject takes every event of a
        // registered type as handled, so the return value of sendEvent cannot tell.
        event.ignore();
        QCoreApplication::sendEvent(w, &event);
        const bool handled = event.isAccepted();
        if (!handled && msg == WM_CLOSE) {
            w->close();
            return 0;
        }
        return handled ? int(event.Result) : 0;
    }
    return 0;
}

QString jxtGetWindowText(HWND handle)
{
    QWidget *w = WindowOf(handle);
    return w ? w->windowTitle().left(255) : QString();
}

QString jxtGetWindowTitle(HWND handle)
{
    QWidget *w = WindowOf(handle);
    return w ? w->windowTitle().left(256) : QString();
}

bool jxtSetWindowTitle(HWND handle, const QString &title)
{
    constexpr int kTries = 11;
    for (int i = 0; i < kTries; ++i) {
        if (QWidget *w = WindowOf(handle)) {
            if (auto *form = dynamic_cast<TForm *>(w))
                form->SetCaption(title);
            else
                w->setWindowTitle(title);
            return true;
        }
        RetryWait()(100);
    }
    return false;
}

HWND jxtGetWindowHandle(const QString &title)
{
    return FindWindow([&](const QString &t) { return t == title; });
}

HWND jxtGetWindowsHandle(const QString &title)
{
    const QString wanted = title.trimmed().toUpper();
    return FindWindow([&](const QString &t) { return t.trimmed().toUpper() == wanted; });
}

std::function<void(int)> SetRetryWait(std::function<void(int)> wait)
{
    if (!wait)
        wait = jxtDelay;
    std::swap(RetryWait(), wait);
    return wait;
}

// Environment and system version ----------------------------------------------------------------

QString jxtGetEnvStr(const QString &name)
{
    if (name.isEmpty())
        return QString();
    for (char **entry = environ; entry && *entry; ++entry) {
        const QString text = QString::fromLocal8Bit(*entry);
        const int eq = int(text.indexOf(QLatin1Char('=')));
        if (eq == int(name.size()) && text.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return text.mid(eq + 1);
    }
    return QString();
}

bool jxtIsWinNT()
{
    return true;
}

int jxtGetWinVersion()
{
    return 2;
}

void jxtSetScreenCursor(TCursor cursor)
{
    Screen()->SetCursor(cursor);
    platform::RefreshPointer();
}

// I/O ports -------------------------------------------------------------------------------------

namespace {

QString PortName(std::uint16_t port)
{
    return QStringLiteral("$%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

std::uint8_t jxtInPort(std::uint16_t port)
{
    std::uint8_t value = 0;
    int error = 0;
    if (!platform::ReadPort(port, value, &error))
        throw EInOutError(
            QCoreApplication::translate("jxtpack", "Port %1 kann nicht gelesen werden (%2)")
                .arg(PortName(port), QString::fromLocal8Bit(std::strerror(error))),
            error);
    return value;
}

void jxtOutPort(std::uint16_t port, std::uint8_t value)
{
    int error = 0;
    if (!platform::WritePort(port, value, &error))
        throw EInOutError(
            QCoreApplication::translate("jxtpack", "Port %1 kann nicht beschrieben werden (%2)")
                .arg(PortName(port), QString::fromLocal8Bit(std::strerror(error))),
            error);
}

// Waiting and controls --------------------------------------------------------------------------

void jxtDelay(int milliseconds)
{
    if (!QCoreApplication::instance()) {
        if (milliseconds > 0)
            QThread::msleep(std::uint32_t(milliseconds));
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::processEvents();
    for (qint64 left = milliseconds - clock.elapsed(); left > 0;
         left = milliseconds - clock.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(int(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void jxtEnableAll(TWinControl *parent, bool enabled)
{
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        parent->Controls(i)->SetEnabled(enabled);
}

void jxtUndoEdit(QWidget *edit)
{
    if (auto *line = qobject_cast<QLineEdit *>(edit)) {
        if (!line->isUndoAvailable())
            return;
        line->undo();
        // Setting the text clears a line edit's undo and redo steps.
        const int cursor = line->cursorPosition();
        line->setText(line->text());
        line->setCursorPosition(cursor);
        return;
    }
    QTextDocument *document = nullptr;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(edit))
        document = plain->document();
    else if (auto *rich = qobject_cast<QTextEdit *>(edit))
        document = rich->document();
    if (!document || !document->isUndoAvailable())
        return;
    document->undo();
    document->clearUndoRedoStacks();
}

int jxtFindMemoText(QWidget *memo, const QString &text, int startPos)
{
    QString all;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(memo))
        all = plain->toPlainText();
    else if (auto *rich = qobject_cast<QTextEdit *>(memo))
        all = rich->toPlainText();
    else if (auto *line = qobject_cast<QLineEdit *>(memo))
        all = line->text();
    else if (auto *control = dynamic_cast<TControl *>(memo))
        all = control->Caption();
    else
        return -1;
    if (text.isEmpty() || startPos > all.size())
        return -1;
    return int(all.indexOf(text, std::max(startPos, 0)));
}

void jxtSetPanelFileName(TPanel *panel, const QString &fileName)
{
    if (!panel)
        return;
    panel->SetCaption(
        fileName.isEmpty() ? QString() : jxtGetMaxString(panel->Font(), panel->Width(), fileName));
}

// Shell links -----------------------------------------------------------------------------------

bool jxtCreateShellLink(const QString &target, const QString &linkName, const QString &arguments,
                        const QString &linkDir)
{
    const QString hostTarget = platform::ToHostPath(target);
    if (hostTarget.isEmpty() || !QFileInfo::exists(hostTarget))
        return false;
    const QString hostDir = platform::ToHostPath(linkDir);
    if (hostDir.isEmpty())
        return false;
    QDir().mkpath(hostDir);
    if (!QFileInfo(hostDir).isDir())
        return false;

    const TCursor previous = Screen()->Cursor();
    jxtSetScreenCursor(crHourGlass);
    const QString linkFile =
        platform::ToHostPath(jxtCheckPath(linkDir) + linkName + QStringLiteral(".lnk"));
    int error = 0;
    if (linkFile.isEmpty() ||
        !platform::WriteShellLink(linkFile, platform::ShellLinkForTarget(hostTarget, arguments),
                                  &error)) {
        jxtSetScreenCursor(previous);
        throw EOleSysError(
            QCoreApplication::translate("jxtpack", "Verknüpfung %1 kann nicht erstellt werden (%2)")
                .arg(jxtCheckPath(linkDir) + linkName + QStringLiteral(".lnk"),
                     QString::fromLocal8Bit(std::strerror(error))),
            error);
    }
    const bool exists = QFileInfo(linkFile).isFile();
    jxtSetScreenCursor(previous);
    return exists;
}

bool jxtCreateDesktopLink(const QString &target, const QString &linkName)
{
    const QString hostTarget = platform::ToHostPath(target);
    if (hostTarget.isEmpty() || !QFileInfo::exists(hostTarget))
        return false;
    const QString desktop = jxtDesktopDir();
    if (desktop.isEmpty())
        return false;
    const QString existing = platform::ToHostPath(desktop + linkName + QStringLiteral(".lnk"));
    if (!existing.isEmpty() && QFileInfo::exists(existing))
        return true;
    return jxtCreateShellLink(target, linkName, QString(), desktop);
}

// Mail ------------------------------------------------------------------------------------------

bool jxtMailTo(const QString &address, const QString &subject, const QString &body)
{
    const bool haveProgram = !MailHandler().isEmpty();
    if (address.isEmpty())
        return haveProgram;
    if (!haveProgram) {
        ShowMessage(QCoreApplication::translate("jxtpack", "Mail-Programm nicht gefunden"));
        return false;
    }
    const QByteArray url = "mailto:" + MailEncode(address, "!$'()*,;:@") +
                           "?Subject=" + MailEncode(subject, "") +
                           "&Body=" + MailEncode(CrLfLines(body), "");
    return jxtExecuteFile(QString::fromLatin1(url), QString(), QString(), 5) > 32;
}

// Replacing files at the next start -------------------------------------------------------------

namespace {

/// The file a path names: an existing entry by its device and inode, any other by the host
/// path it resolves to (case resolution prefers the exact name, so "A.dll" and "a.dll" are
/// two files where both exist and one where only one of them does).
struct TRealFile
{
    QString host;
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;

    explicit TRealFile(const QString &path) : host(platform::ToHostPath(path))
    {
        struct stat st;
        if (!host.isEmpty() && ::stat(QFile::encodeName(host).constData(), &st) == 0) {
            exists = true;
            device = st.st_dev;
            inode = st.st_ino;
        }
    }
    bool operator==(const TRealFile &other) const
    {
        if (host.isEmpty() || other.host.isEmpty())
            return false;
        if (exists && other.exists)
            return device == other.device && inode == other.inode;
        return host == other.host;
    }
};

/// The pending renames as (target, pending copy), in file order, every entry: two targets
/// whose names differ only in case are two entries.
std::vector<std::pair<QString, QString>> PendingRenames()
{
    TStringList lines;
    jxtINIReadSectionValues(kWininit, kRenameSection, &lines);
    std::vector<std::pair<QString, QString>> entries;
    for (int i = 0; i < lines.Count(); ++i) {
        const QString line = lines.Strings(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        entries.emplace_back(line.left(eq), line.mid(eq + 1));
    }
    return entries;
}

/// Whether a name can be recorded as the key or the value of an entry and read back as the
/// same name: no line break, and for a key no "=" and no blank at its end (both would be lost).
bool Recordable(const QString &target, const QString &pending)
{
    const auto hasBreak = [](const QString &s) {
        return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
    };
    return TIniDocument::IsValidKeyName(target) && !hasBreak(target) && !hasBreak(pending) &&
           !target.endsWith(QLatin1Char(' ')) && !target.endsWith(QLatin1Char('\t'));
}

} // namespace

bool jxtInstallFileOnWinStart(const QString &sourceDir, const QString &targetDir,
                              const QString &fileName)
{
    QString dir, name, ext;
    jxtSplitFileName(fileName, dir, name, ext);
    if (name.isEmpty())
        name = fileName; // a name without extension
    const QString target = jxtCheckPath(targetDir) + fileName;
    QString pending = jxtCheckPath(targetDir) + name + QStringLiteral(".NEW");
    // What cannot be recorded is refused before anything is copied.
    if (!Recordable(target, pending))
        return false;

    // One entry per real file: a target already pending (under this or another spelling of
    // the same file) keeps its entry and its pending copy, which gets the new content.
    const std::vector<std::pair<QString, QString>> entries = PendingRenames();
    const TRealFile real(target);
    QString key = target;
    bool known = false;
    for (const auto &[otherTarget, otherPending] : entries) {
        if (TRealFile(otherTarget) == real) {
            key = otherTarget;
            pending = otherPending;
            known = true;
            break;
        }
    }
    if (!known) {
        // Two targets sharing their stem ("a.dll", "a.exe"), or whose stems differ only in
        // case where one pending copy would name the other, must not share a pending copy:
        // the later one keeps its whole name.
        const auto takenByOther = [&](const QString &candidate) {
            const TRealFile file(candidate);
            for (const auto &[otherTarget, otherPending] : entries) {
                if (TRealFile(otherPending) == file)
                    return true;
            }
            return false;
        };
        if (takenByOther(pending)) {
            pending = target + QStringLiteral(".NEW");
            for (int n = 2; takenByOther(pending); ++n)
                pending = target + QStringLiteral(".NEW") + QString::number(n);
            if (!Recordable(target, pending))
                return false;
        }
    }

    platform::TTransferOptions options;
    options.Replace = true;
    options.Sync = true;
    if (platform::TransferFile(jxtCheckPath(sourceDir) + fileName, pending, options) !=
        platform::TTransferStatus::Done)
        return false;
    try {
        TIniFile(kWininit).WriteEntry(kRenameSection, key, pending);
    } catch (const EInOutError &) {
        // Not recorded: a new pending copy would never be used.
        if (!known)
            platform::DeleteFile(pending);
        return false;
    }
    return true;
}

int jxtInstallPendingFiles()
{
    TIniFile ini(kWininit);
    int replaced = 0;
    for (const auto &[target, pending] : PendingRenames()) {
        platform::TTransferOptions options;
        options.Mode = platform::TTransferMode::Move;
        options.Replace = true;
        const QString pendingHost = platform::ToHostPath(pending);
        if (pendingHost.isEmpty() || !QFileInfo(pendingHost).isFile()) {
            ini.DeleteEntry(kRenameSection, target);
            continue;
        }
        if (platform::TransferFile(pending, target, options) == platform::TTransferStatus::Done) {
            ++replaced;
            ini.DeleteEntry(kRenameSection, target);
        }
    }
    return replaced;
}

// Version resources -----------------------------------------------------------------------------

void jxtGetFileVersionsInfo(const QString &fileName, TVersionType &info)
{
    info = TVersionType();
    const QByteArray resource = platform::FileVersionResource(fileName);
    if (resource.isEmpty())
        return;
    // The string table of the first listed translation; where the list is missing or names
    // a table the file does not have, the first table there is.
    const QString tables = QStringLiteral("\\StringFileInfo\\");
    QString prefix;
    const auto translations = platform::VersionTranslations(resource);
    if (!translations.empty()) {
        const QString table = QStringLiteral("%1%2")
                                  .arg(translations.front().first, 4, 16, QLatin1Char('0'))
                                  .arg(translations.front().second, 4, 16, QLatin1Char('0'))
                                  .toUpper();
        if (platform::VersionQueryValue(resource, tables + table).Found)
            prefix = tables + table;
    }
    if (prefix.isEmpty()) {
        const QStringList available = platform::VersionChildKeys(resource, tables);
        if (available.isEmpty())
            return;
        prefix = tables + available.front();
    }
    const std::pair<const char *, QString TVersionType::*> keys[] = {
        {"CompanyName", &TVersionType::CompanyName},
        {"FileDescription", &TVersionType::FileDescription},
        {"FileVersion", &TVersionType::FileVersion},
        {"InternalName", &TVersionType::InternalName},
        {"LegalCopyright", &TVersionType::LegalCopyright},
        {"LegalTradeMarks", &TVersionType::LegalTradeMarks},
        {"OriginalFileName", &TVersionType::OriginalFileName},
        {"ProductName", &TVersionType::ProductName},
        {"ProductVersion", &TVersionType::ProductVersion},
        {"Comments", &TVersionType::Comments},
    };
    for (const auto &[key, field] : keys) {
        const platform::TVersionValue value =
            platform::VersionQueryValue(resource, prefix + QLatin1Char('\\') + QLatin1String(key));
        if (value.Found)
            info.*field = value.Text(256);
    }
}

} // namespace jxt
