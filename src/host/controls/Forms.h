// SPDX-License-Identifier: MIT
// Forms, the application object and the screen.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/controls/Dialogs.h"
#include "host/controls/HintWindow.h"

#include <QCursor>

#include <map>

namespace jxt {

using TCloseEvent = std::function<void(TObject *sender, TCloseAction &action)>;
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
    TControl *HintControl = nullptr;
    TPoint CursorPos;
    int HintMaxWidth = 300;
    TColor HintColor = clInfoBk;
};
/// A hint is about to be shown: the handler may change its text or set canShow to false.
using TShowHintEvent = std::function<void(QString &hintStr, bool &canShow, THintInfo &hintInfo)>;

/// A top-level window that hosts controls. Its components get Loaded once, when the form is
/// first shown (or polished) or through jxt::Loaded.
class JXT_EXPORT TForm : public TWinControl
{
    Q_OBJECT

public:
    explicit TForm(TComponent *owner = nullptr);
    ~TForm() override;

    void SetCaption(const QString &caption) override;
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    /// The bounds the form has as a normal window (Left, Top, Width, Height), also while it
    /// is maximised or minimised.
    TRect NormalBoundsRect() const;
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    void SetClientWidth(int w) { SetWidth(w); }
    void SetClientHeight(int h) { SetHeight(h); }

    TModalResult ModalResult() const { return m_modalResult; }
    /// Setting a result other than mrNone ends ShowModal.
    void SetModalResult(TModalResult r) { m_modalResult = r; }
    /// Shows the form modally through the dialog service and returns the modal result.
    TModalResult ShowModal();
    void Show();
    void Hide();
    /// Asks OnCloseQuery, then OnClose, then hides (or frees with caFree).
    void Close();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
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
    /// Asks the application to end; Terminated() is true from now on.
    void Terminate();
    bool Terminated() const { return m_terminated; }
    /// Clears the terminated flag (tests and embedding programs).
    void ResetTerminated() { m_terminated = false; }
    QString Title() const;
    void SetTitle(const QString &title) { m_title = title; }
    QString ExeName() const;
    /// The application's help file; empty by default.
    QString HelpFile() const { return m_helpFile; }
    void SetHelpFile(const QString &fileName) { m_helpFile = fileName; }
    /// The icon of the application's windows; empty (the toolkit's default) at first.
    /// Setting it gives every window of the program the icon.
    const TIcon *Icon() const { return &m_icon; }
    void SetIcon(const TIcon *icon);
    int MessageBox(const QString &text, const QString &caption, unsigned flags);
    TForm *MainForm() const { return m_mainForm; }
    void SetMainForm(TForm *form) { m_mainForm = form; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool v) { m_showHint = v; }
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor c) { m_hintColor = c; }
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
    void Minimize();
    void Restore();

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TExceptionEvent OnException;
    THelpEvent OnHelp;
    TNotifyEvent OnHint;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TShowHintEvent OnShowHint;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Hook();
    void Idle();
    bool m_hooked = false;
    bool m_inIdle = false;
    bool m_active = false;
    bool m_terminated = false;
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
    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }
    TCursor Cursor() const { return m_cursor; }
    /// Sets the cursor shown over the whole application (crDefault restores the controls').
    void SetCursor(TCursor cursor);
    /// The cursor registered under id (standard ones for the cr… ids).
    QCursor Cursors(TCursor id) const;
    void SetCursors(TCursor id, const QCursor &cursor) { m_cursors[id] = cursor; }
    /// Names of the installed font families, sorted.
    QStringList Fonts() const;
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
