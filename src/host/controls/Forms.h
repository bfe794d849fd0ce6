// SPDX-License-Identifier: MIT
// Forms, the application object and the screen.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/controls/Dialogs.h"
#include "host/controls/HintWindow.h"

#include <QCursor>

#include <atomic>
#include <map>

namespace jxt {

/// A form is closing: action comes in as caHide; caFree frees the form, caMinimize
/// minimises it, caNone keeps it open.
using TCloseEvent = std::function<void(TObject *sender, TCloseAction &action)>;
/// A form is asked whether it may close: canClose comes in true; false keeps it open.
using TCloseQueryEvent = std::function<void(TObject *sender, bool &canClose)>;
/// An exception that reached the application.
using TExceptionEvent = std::function<void(TObject *sender, const Exception &e)>;
/// The application has nothing left to do. done comes in true; a handler that sets it to
/// false is called again as soon as the application is idle once more.
using TIdleEvent = std::function<void(TObject *sender, bool &done)>;
/// An input, activation or timer message on its way to its receiver; handled true drops it.
using TMessageEvent = std::function<void(TMsg &msg, bool &handled)>;
/// A help request (command and data as the help system takes them); a handler that answered
/// it sets callHelp to false. Returns whether the request was dealt with.
using THelpEvent = std::function<bool(quint16 command, qintptr data, bool &callHelp)>;
/// What a hint about to be shown is about; handlers may change the width it wraps at.
struct JXT_EXPORT THintInfo
{
    TControl *HintControl = nullptr; ///< The control the hint is about.
    TPoint CursorPos;                ///< The mouse position, in the control's coordinates.
    int HintMaxWidth = 300;          ///< The width, in pixels, at which the text wraps.
    TColor HintColor = clInfoBk;     ///< The hint window's background.
};
/// A hint is about to be shown: the handler may change its text or set canShow to false.
using TShowHintEvent = std::function<void(QString &hintStr, bool &canShow, THintInfo &hintInfo)>;

/// A top-level window that hosts controls. The components it has from streaming (.ui, uic)
/// get Loaded once, when the form is first shown, or through jxt::Loaded; components made in
/// code are never loaded by the form.
class JXT_EXPORT TForm : public TWinControl
{
    Q_OBJECT

public:
    explicit TForm(TComponent *owner = nullptr);
    ~TForm() override;

    /// The caption is also the window title.
    void SetCaption(const QString &caption) override;
    /// The window frame: sizeable (default bsSizeable), a fixed dialog frame (bsDialog), a
    /// tool window (bsToolWindow, bsSizeToolWin) or none (bsNone).
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    /// Where Show and ShowModal place the form: poScreenCenter and poDesktopCenter centre it
    /// on the primary screen's free area; anything else (default poDesigned) leaves it where
    /// its bounds say.
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    /// Normal, minimised or maximised.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    /// The bounds the form has as a normal window (Left, Top, Width, Height), also while it
    /// is maximised or minimised.
    TRect NormalBoundsRect() const;
    /// fsStayOnTop keeps the window above the others; default fsNormal.
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    /// Sets the size of the client area (for a form the same as Width and Height, whose
    /// bounds leave the frame out).
    //!@{
    void SetClientWidth(int w) { SetWidth(w); }
    void SetClientHeight(int h) { SetHeight(h); }
    //!@}

    /// The result ShowModal returns; default mrNone.
    TModalResult ModalResult() const { return m_modalResult; }
    /// Setting a result other than mrNone ends ShowModal.
    void SetModalResult(TModalResult r) { m_modalResult = r; }
    /// Shows the form modally through the dialog service and returns the modal result.
    TModalResult ShowModal();
    /// Shows the form modelessly (loading its components the first time) and brings it to
    /// the front.
    void Show();
    /// Hides the form (OnHide follows).
    void Hide();
    /// Asks OnCloseQuery, then OnClose, then hides (or frees with caFree).
    void Close();

    /// Kept for forms that set it; the form never fires it (a handler can only be set after
    /// the constructor ran): set a form up in its constructor.
    TNotifyEvent OnCreate;
    /// The form was shown.
    TNotifyEvent OnShow;
    /// The form was hidden.
    TNotifyEvent OnHide;
    /// The form became the active window.
    TNotifyEvent OnActivate;
    /// The form stopped being the active window.
    TNotifyEvent OnDeactivate;
    /// The form is being freed (its components are still there).
    TNotifyEvent OnDestroy;
    /// Close goes ahead; the handler decides what happens to the form (see TCloseEvent).
    TCloseEvent OnClose;
    /// Close asks whether the form may close (see TCloseQueryEvent).
    TCloseQueryEvent OnCloseQuery;
    /// The form painted its background; the handler may draw on Canvas over it.
    TNotifyEvent OnPaint;

protected:
    /// Fills the form with Color, then fires OnPaint.
    void Paint() override;
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    /// At the first show: loads the streamed components (jxt::LoadStreamed), then the form.
    void LoadOnFirstShow();
    void PlaceOnScreen();
    TFormBorderStyle m_borderStyle = bsSizeable;
    TPosition m_position = poDesigned;
    TFormStyle m_formStyle = fsNormal;
    TModalResult m_modalResult = mrNone;
    bool m_closing = false;
};

/// The application: message processing, termination, title, help file, icon, messages and
/// the application-wide events. It watches the whole program's events once a QApplication
/// exists: activation changes, the main form being minimised or restored, input and timer
/// messages (OnMessage), and the moments the event loop runs out of work (OnIdle).
class JXT_EXPORT TApplication : public TComponent
{
    Q_OBJECT

public:
    TApplication();
    ~TApplication() override;
    /// Handles pending events (paints, timers, input) and returns.
    void ProcessMessages();
    /// Asks the application to end; Terminated() is true from now on. Worker threads may
    /// read Terminated() to stop early.
    void Terminate();
    /// Whether Terminate was called.
    bool Terminated() const { return m_terminated.load(); }
    /// Clears the terminated flag (tests and embedding programs).
    void ResetTerminated() { m_terminated = false; }
    /// The application's name in message boxes; default the program file's name without
    /// extension.
    QString Title() const;
    void SetTitle(const QString &title) { m_title = title; }
    /// The full path of the program file (empty before a QApplication exists).
    QString ExeName() const;
    /// The application's help file; empty by default.
    QString HelpFile() const { return m_helpFile; }
    void SetHelpFile(const QString &fileName) { m_helpFile = fileName; }
    /// The icon of the application's windows; empty (the toolkit's default) at first.
    /// Setting it gives every window of the program the icon.
    const TIcon *Icon() const { return &m_icon; }
    void SetIcon(const TIcon *icon);
    /// Asks the user through the dialog service (jxt::MessageBox): flags choose the buttons
    /// and icon (MB_OK, MB_YESNO, MB_ICONSTOP, ...); returns the button chosen (IDOK, ...).
    int MessageBox(const QString &text, const QString &caption, unsigned flags);
    /// The main form: Run shows it, and closing it ends the application. Default none.
    TForm *MainForm() const { return m_mainForm; }
    void SetMainForm(TForm *form) { m_mainForm = form; }
    /// Whether hints are shown at all; default true.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool v) { m_showHint = v; }
    /// The background of hint windows; default clInfoBk.
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor c) { m_hintColor = c; }
    /// Milliseconds the mouse must rest on a control before its hint shows; default 500.
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int ms) { m_hintPause = ms; }
    /// Milliseconds a hint stays shown; 0 or less keeps it until the mouse moves on.
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int ms) { m_hintHidePause = ms; }
    /// The hint of the control under the mouse (for status lines); setting a new one fires
    /// OnHint.
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    /// Runs the event loop until Terminate or the main form closes.
    void Run();

    /// Gives an exception that nobody caught to OnException, or shows it when no handler is
    /// set. Event handlers that catch a library exception hand it on here.
    void HandleException(TObject *sender, const Exception &e);
    /// Shows the exception's message in a message box titled with the application's Title.
    void ShowException(const Exception &e);
    /// Passes a help request to OnHelp; false when nobody dealt with it.
    bool HelpCommand(quint16 command, qintptr data);
    /// Lets OnShowHint look at a hint before it is shown; false when it must not be shown.
    bool DoShowHint(QString &hintStr, THintInfo &hintInfo);
    /// Minimises the main form (OnMinimize follows) and restores it again (OnRestore).
    //!@{
    void Minimize();
    void Restore();
    //!@}

    /// The application became active (one of its windows took the activation).
    TNotifyEvent OnActivate;
    /// The application lost the activation to another program.
    TNotifyEvent OnDeactivate;
    /// An exception reached HandleException (see TExceptionEvent).
    TExceptionEvent OnException;
    /// A help request (see THelpEvent).
    THelpEvent OnHelp;
    /// Hint changed.
    TNotifyEvent OnHint;
    /// The application has nothing left to do (see TIdleEvent).
    TIdleEvent OnIdle;
    /// An input, activation or timer message is on its way (see TMessageEvent).
    TMessageEvent OnMessage;
    /// The main form was minimised.
    TNotifyEvent OnMinimize;
    /// The main form was restored from minimised.
    TNotifyEvent OnRestore;
    /// A hint is about to be shown (see TShowHintEvent).
    TShowHintEvent OnShowHint;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Hook();
    void Idle();
    bool m_hooked = false;
    bool m_inIdle = false;
    bool m_active = false;
    std::atomic<bool> m_terminated{false};
    QString m_title;
    QString m_helpFile;
    TIcon m_icon;
    QString m_hint;
    TForm *m_mainForm = nullptr;
    bool m_showHint = true;
    TColor m_hintColor = clInfoBk;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
    // The last input message given to OnMessage: Qt hands one input event to every parent
    // in turn, and OnMessage hears of it once.
    int m_lastMessageType = 0;
    quint64 m_lastMessageTime = 0;
};

/// The screen: size, the global cursor, registered cursors, installed fonts.
class JXT_EXPORT TScreen : public TObject
{
public:
    /// The size of the primary screen in pixels (0 without one).
    //!@{
    int Width() const;
    int Height() const;
    //!@}
    /// The resolution sizes in points convert with: always 96.
    int PixelsPerInch() const { return 96; }
    /// The cursor shown over the whole application; default crDefault (each control's own).
    TCursor Cursor() const { return m_cursor; }
    /// Sets the cursor shown over the whole application (crDefault restores the controls').
    void SetCursor(TCursor cursor);
    /// The cursor registered under id (standard ones for the cr… ids).
    QCursor Cursors(TCursor id) const;
    /// Registers cursor under id (replacing a standard one of that id).
    void SetCursors(TCursor id, const QCursor &cursor) { m_cursors[id] = cursor; }
    /// Names of the installed font families, sorted.
    QStringList Fonts() const;
    /// The form that is the active window, or nullptr.
    TForm *ActiveForm() const;

private:
    TCursor m_cursor = crDefault;
    std::map<TCursor, QCursor> m_cursors;
};

/// The form a control sits on (the nearest form among its parents, or the control itself
/// when it is a form), or nullptr.
JXT_EXPORT TForm *GetParentForm(TControl *control);

/// The process-wide application and screen objects (created on first use).
JXT_EXPORT TApplication *Application();
JXT_EXPORT TScreen *Screen();

} // namespace jxt
