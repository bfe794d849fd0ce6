// SPDX-License-Identifier: MIT
// Jxutil: helpers around the running system: standard directories, programs and documents,
// the end of the session, the application's windows and messages to them, the environment,
// the screen cursor, I/O ports, delays, small helpers for controls, shell links, mail,
// replacing files at the next start and version resources.
//
// On this platform:
// * Directories are Windows paths (drive letters mapped by the platform layer) ending with
//   a backslash, like every directory of the util layer.
// * Programs start directly, never through a shell: a command line is split into arguments
//   by the rules of the Windows C runtime, so no caller's text is interpreted by a shell.
// * Documents and addresses open with the desktop's handlers (xdg-open, xdg-mime) through
//   the platform layer's replaceable desktop service.
// * Window handles are the native window ids (QWidget::winId) of the application's own
//   top-level windows (forms and other Qt windows; components that are not forms are no
//   windows); only those windows are found, titled and sent messages.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/SysUtils.h"
#include "jxtpack/Config.h"

#include <QEvent>
#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace jxt {

class TPanel;

/// An error of a media device. Declared for applications that report such errors with the
/// library's exception family; nothing in the library raises it.
class JXT_EXPORT EMCIDeviceError : public Exception
{
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Directories
// ---------------------------------------------------------------------------------------------

// jxtAppDir, jxtWinDir, jxtSysDir and jxtTMPDir are declared with the file helpers.

/// The user's desktop folder (XDG_DESKTOP_DIR of the user directories, ~/Desktop by
/// default); empty when it does not exist.
JXT_EXPORT QString jxtDesktopDir();
/// The folder whose program entries the desktop's menu shows ($XDG_DATA_HOME/applications);
/// empty when it does not exist.
JXT_EXPORT QString jxtProgrammsDir();
/// The start menu's folder. A freedesktop menu has no level above its program entries, so
/// this is the same folder as jxtProgrammsDir.
JXT_EXPORT QString jxtStartMenuDir();

// ---------------------------------------------------------------------------------------------
// Programs and documents
// ---------------------------------------------------------------------------------------------

/// What is known of the last process jxtRun started.
struct JXT_EXPORT TProcessInformation
{
    qint64 ProcessId = 0; ///< its process id; 0 before the first start or after a failure
};
extern JXT_EXPORT TProcessInformation ProcessInfo;

/// The parts of the last file name jxtRunExecutable split (see jxtSplitFileName).
extern JXT_EXPORT QString Path;
extern JXT_EXPORT QString FName;
extern JXT_EXPORT QString Ext;

/// Results of jxtExecuteFile: a value above 32 means success.
constexpr int SE_ERR_FNF = 2;      ///< the file does not exist
constexpr int SE_ERR_PNF = 3;      ///< the default directory does not exist
constexpr int SE_ERR_NOASSOC = 31; ///< no program is associated with the document
constexpr int SE_OK = 33;          ///< started

/// Opens fileName as the desktop does: an address (a name with a scheme such as "http:" or
/// "mailto:") or a document with its associated program, a folder in the file manager, a
/// program (an executable file, found on PATH when given without directory) started with
/// params split into arguments in defaultDir. Parameters apply to programs only; showCmd is
/// accepted for compatibility and has no effect. On failure shows "Fehler beim
/// Programm-Aufruf" and returns SE_ERR_FNF, SE_ERR_PNF or SE_ERR_NOASSOC; SE_OK on success.
JXT_EXPORT int jxtExecuteFile(const QString &fileName, const QString &params,
                              const QString &defaultDir, int showCmd);

/// Opens a document with the program associated with its type, showing the hourglass
/// meanwhile. Without an association (or for a missing file) a confirmation dialog says
/// "Verknüpfung nicht gefunden" and the result is false; when the program cannot be
/// started it says "Fehler bei Programmaufruf". Sets Path, FName and Ext.
JXT_EXPORT bool jxtRunExecutable(const QString &fileName);

/// Starts a program from a Windows command line without a shell: the line is split into
/// arguments by the Windows C runtime's rules (see platform SplitWindowsCommandLine), the
/// first one naming the program (a path, or a name found on PATH). showWindow has no effect
/// here. Returns -1 when the program cannot be started. With wait, keeps handling the
/// application's events until the program ends and returns its exit code (128 + the signal
/// number when a signal ended it); without wait, returns 0 and the program runs on its own.
/// ProcessInfo receives the process id.
JXT_EXPORT int jxtRun(const QString &commandLine, std::uint16_t showWindow, bool wait);

// ---------------------------------------------------------------------------------------------
// End of the session (through the platform layer's replaceable session-end handler)
// ---------------------------------------------------------------------------------------------

#if JXT_WITH_DESKTOP
/// Ends the user's session, so it can be started anew (the programs of the session close).
JXT_EXPORT void jxtRestart();
/// Restarts the machine.
JXT_EXPORT void jxtReboot();
/// Shuts the machine down.
JXT_EXPORT void jxtShutdown();
#endif

// ---------------------------------------------------------------------------------------------
// Windows and messages
// ---------------------------------------------------------------------------------------------

/// A window handle: the native id (QWidget::winId) of one of the application's top-level
/// widgets; 0 for none.
using HWND = quintptr;

/// WM_CLOSE: a window that does not answer it itself is closed (QWidget::close).
constexpr std::uint16_t WM_CLOSE = 0x0010;

/// A message delivered to one of the application's top-level windows by jxtSendMessage: an
/// event of its own type, sent synchronously to the widget. A window (a TForm subclass, or
/// an event filter) answers by handling it in event(): it sets Result and accepts the event
/// (the event arrives ignored).
/// A message nobody handles answers 0; WM_CLOSE is then carried out by closing the window.
class JXT_EXPORT TWindowMessageEvent : public QEvent
{
public:
    /// The event type, registered once.
    static QEvent::Type EventType();
    /// A message msg with its two parameters.
    TWindowMessageEvent(std::uint16_t msg, quintptr wParam, qintptr lParam)
        : QEvent(EventType()), Msg(msg), WParam(wParam), LParam(lParam)
    {}
    std::uint16_t Msg;  ///< The message number (WM_CLOSE, ...).
    quintptr WParam;    ///< The first parameter.
    qintptr LParam;     ///< The second parameter.
    qintptr Result = 0; ///< The answer, set by the window that handles the message.
};

/// Sends msg (both parameters 0) to the first of the application's top-level windows whose
/// class name contains classNamePart (case matters; the name is the component's ClassName,
/// such as "TForm", or the Qt class name of other widgets), after a beep. Windows are taken
/// in the order of jxtGetWindowHandle. Returns the window's answer, or 0 when no window
/// matches.
JXT_EXPORT int jxtSendMessage(const QString &classNamePart, std::uint16_t msg);

/// The title of a window, at most 255 characters; empty for an unknown handle.
JXT_EXPORT QString jxtGetWindowText(HWND handle);
/// The title of a window, at most 256 characters; empty for an unknown handle.
JXT_EXPORT QString jxtGetWindowTitle(HWND handle);
/// Sets the title of a window (a TForm's Caption). An unknown handle is tried 11 times with
/// a wait of 100 ms (see SetRetryWait) after each failure; the result says whether a try
/// succeeded.
JXT_EXPORT bool jxtSetWindowTitle(HWND handle, const QString &title);
/// The handle of the first top-level window whose title equals title exactly, 0 when none
/// does. The active window comes first, then the others in the order they were created;
/// hidden windows count too.
JXT_EXPORT HWND jxtGetWindowHandle(const QString &title);
/// As jxtGetWindowHandle, but titles compare trimmed and ignoring case.
JXT_EXPORT HWND jxtGetWindowsHandle(const QString &title);

/// How jxtSetWindowTitle waits between its tries: jxtDelay unless an application or a test
/// installs another function (an empty one restores jxtDelay). Returns the previous one.
JXT_EXPORT std::function<void(int milliseconds)>
SetRetryWait(std::function<void(int milliseconds)> wait);

// ---------------------------------------------------------------------------------------------
// Environment and system version
// ---------------------------------------------------------------------------------------------

/// The value of the first environment variable (in the process's order) whose name equals
/// name ignoring case; empty when there is none.
JXT_EXPORT QString jxtGetEnvStr(const QString &name);
/// True: the system is a multi-user system with protected processes, as Windows NT is.
JXT_EXPORT bool jxtIsWinNT();
/// The platform identifier of the Windows version query: 2 (the NT family), see jxtIsWinNT.
JXT_EXPORT int jxtGetWinVersion();

/// Sets the cursor of the whole application (Screen->Cursor) and shows it at once, without
/// waiting for the next mouse move. -11 (crHourGlass) marks a busy phase; crDefault gives
/// every control its own cursor back.
JXT_EXPORT void jxtSetScreenCursor(TCursor cursor);

// ---------------------------------------------------------------------------------------------
// I/O ports
// ---------------------------------------------------------------------------------------------

/// Reads one byte from an I/O port through the port device (/dev/port), which needs the
/// right to raw I/O. Throws EInOutError "Port $0378 kann nicht gelesen werden (…)" when the
/// system refuses.
JXT_EXPORT std::uint8_t jxtInPort(std::uint16_t port);
/// Writes one byte to an I/O port (see jxtInPort); throws EInOutError "Port $0378 kann
/// nicht beschrieben werden (…)" when the system refuses.
JXT_EXPORT void jxtOutPort(std::uint16_t port, std::uint8_t value);

// ---------------------------------------------------------------------------------------------
// Waiting and controls
// ---------------------------------------------------------------------------------------------

/// Handles the application's events until milliseconds have passed (at least once, also for
/// 0 or less).
JXT_EXPORT void jxtDelay(int milliseconds);

/// Enables or disables every direct child control of parent (not their children).
JXT_EXPORT void jxtEnableAll(TWinControl *parent, bool enabled);
/// Undoes the last change of an edit control (QLineEdit, QPlainTextEdit or QTextEdit), if
/// there is one, and then forgets all undo steps. Other widgets are left alone.
JXT_EXPORT void jxtUndoEdit(QWidget *edit);
/// The position (0-based, from the start of the whole text) of the first occurrence of text
/// at or after startPos in the text of memo (QPlainTextEdit, QTextEdit, QLineEdit, or a
/// control's Caption); -1 when there is none, text is empty or startPos is past the end.
/// A negative startPos searches from the start. Case matters.
JXT_EXPORT int jxtFindMemoText(QWidget *memo, const QString &text, int startPos);
/// Sets the panel's caption to fileName shortened to the panel's width in its font (see
/// jxtGetMaxString); an empty fileName empties the caption.
JXT_EXPORT void jxtSetPanelFileName(TPanel *panel, const QString &fileName);

// ---------------------------------------------------------------------------------------------
// Shell links, mail, replacing files, version resources
// ---------------------------------------------------------------------------------------------

/// Writes the shell link linkDir\linkName.lnk (the Windows binary format) to target with
/// arguments, the directory of target as working directory and target's first icon; paths
/// are stored in their Windows form. False when target does not exist or linkDir cannot be
/// created (it is created with its parents). Throws EOleSysError when the link file cannot
/// be written. The file is written under a temporary name and renamed into place.
JXT_EXPORT bool jxtCreateShellLink(const QString &target, const QString &linkName,
                                   const QString &arguments, const QString &linkDir);
/// A shell link to target named linkName on the desktop (jxtDesktopDir); true when it is
/// there already. False when target does not exist or there is no desktop folder.
JXT_EXPORT bool jxtCreateDesktopLink(const QString &target, const QString &linkName);

/// Opens a new mail to address with subject and body in the user's mail program: a
/// "mailto:" address (every character outside the unreserved set percent-encoded as UTF-8,
/// line breaks of the body as CR LF) opened with jxtExecuteFile. With an empty address only
/// answers whether a mail program is associated with mailto: addresses, starting nothing.
/// Without a mail program shows "Mail-Programm nicht gefunden" and returns false.
JXT_EXPORT bool jxtMailTo(const QString &address, const QString &subject, const QString &body);

/// Prepares replacing targetDir\fileName by sourceDir\fileName at the next start: the source
/// is copied to targetDir\NAME.NEW, NAME being fileName without its extension (under a
/// temporary name, then renamed), and the section "rename" of WININIT.INI in the Windows directory
/// (jxtWinDir) records the key targetDir\fileName with that value. A running program can never
/// replace its own files otherwise. False when the copy fails. jxtInstallPendingFiles carries the
/// renames out.
JXT_EXPORT bool jxtInstallFileOnWinStart(const QString &sourceDir, const QString &targetDir,
                                         const QString &fileName);
/// Carries out the renames recorded by jxtInstallFileOnWinStart (an application calls it at
/// its start, before it opens the files): each ".NEW" file replaces its target in one step
/// and its entry is removed; entries whose ".NEW" file is gone are dropped. Returns the
/// number of files replaced.
JXT_EXPORT int jxtInstallPendingFiles();

/// The ten texts of a file's version resource, in the order of the resource's usual keys.
struct JXT_EXPORT TVersionType
{
    /// The text under the key of the same name (found ignoring case); empty when missing.
    //!@{
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyright;
    QString LegalTradeMarks;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
    //!@}
};

/// Reads the texts of the version resource of a Windows program or library (PE, 32 or 64
/// bit) into info: the string table of the first language listed under "Translation" (the
/// first string table when that list is missing or names no table of the file), each text up
/// to 256 characters; keys are found ignoring case ("OriginalFilename"). Every field is
/// emptied first, so a file without a version resource (an ELF program, a text file, a
/// missing file) leaves them all empty.
JXT_EXPORT void jxtGetFileVersionsInfo(const QString &fileName, TVersionType &info);

} // namespace jxt

// ---------------------------------------------------------------------------------------------
// Single-instance guard for components that attach to their form
// ---------------------------------------------------------------------------------------------

namespace jxt {

class TComponent;

/// A second component of a kind that a form may hold only once.
class JXT_EXPORT TDuplicateComponent : public Exception
{
public:
    using Exception::Exception;
};

/// A component that must be owned by a form was given another owner.
class JXT_EXPORT TFormNotOwner : public Exception
{
public:
    using Exception::Exception;
};

/// Refuses, while component is being designed, a second component of its class (or of a
/// class derived from it) on the same form, with TDuplicateComponent, and an owner that is
/// not a form, with TFormNotOwner. Call it from the constructor of the class to guard: the
/// component already counts among its owner's components there. At run time nothing is
/// checked.
JXT_EXPORT void jxtCheckSingleInstance(TComponent *component);

} // namespace jxt
