// SPDX-License-Identifier: MIT
// Forms, the application object and the screen.
#pragma once

#include "host/Export.h"

#include "host/Controls.h"
#include "host/Dialogs.h"

#include <QCursor>

#include <map>

namespace jxt {

using TCloseEvent = std::function<void(TObject *sender, TCloseAction &action)>;
using TCloseQueryEvent = std::function<void(TObject *sender, bool &canClose)>;

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

/// The application: message processing, termination, title, messages.
class JXT_EXPORT TApplication : public TComponent
{
    Q_OBJECT

public:
    TApplication();
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
    /// Runs the event loop until Terminate or the main form closes.
    void Run();

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnIdle;
    TNotifyEvent OnHint;

private:
    bool m_terminated = false;
    QString m_title;
    TForm *m_mainForm = nullptr;
    bool m_showHint = true;
    TColor m_hintColor = clInfoBk;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
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
