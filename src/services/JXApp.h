// SPDX-License-Identifier: MIT
// TJXApp: the application's settings and events on a form, an icon in the notification area,
// hiding and showing the application, clipboard changes and a version information window.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QSystemTrayIcon;

namespace jxt {

class TMemo;

class TBitBtn;
class TJXForm;
class TPanel;

/// The notification icon was clicked with button (left or right).
using TJXMouseUpEvent = std::function<void(TObject *sender, TMouseButton button)>;

/// A component that puts the application object on a form: title, help file and icon, the
/// application-wide events (forwarded at run time from the application), an event for every
/// change of the clipboard, and an icon in the desktop's notification area (the system tray)
/// with a tip, a popup menu and a mouse event. TaskBarSetIcon can hide the application while
/// the icon is shown; a left click on the icon brings it back. ShowAppInfo lists the version
/// information of a program. Visible only in the designer, as a 28 x 28 symbol; one TJXApp
/// is allowed per form.
class JXT_EXPORT TJXApp : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(QString HelpFile READ HelpFile WRITE SetHelpFile)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(jxt::TIcon *Icon READ Icon WRITE SetIcon)
    Q_PROPERTY(jxt::TIcon *TaskBarIcon READ TaskBarIcon WRITE SetTaskBarIcon)
    Q_PROPERTY(QString TaskBarTip READ TaskBarTip WRITE SetTaskBarTip)
    Q_PROPERTY(jxt::TPopupMenu *TaskBarPopupMenu READ TaskBarPopupMenu WRITE SetTaskBarPopupMenu)
    Q_PROPERTY(bool TaskBarAutoHide READ TaskBarAutoHide WRITE SetTaskBarAutoHide)
    Q_PROPERTY(bool TaskBarAutoRemove READ TaskBarAutoRemove WRITE SetTaskBarAutoRemove)
    Q_CLASSINFO("ToolTip", "Application settings, events and notification icon")
    Q_CLASSINFO("WhatsThis",
                "Sets the application's title, help file and icon, forwards the application's "
                "events, reports clipboard changes, shows an icon in the notification area "
                "with tip and menu, hides and shows the application and lists version "
                "information.")
    JXT_ABOUT(JXAppVersion)

public:
    /// Longest tip of the notification icon, in characters.
    static constexpr int kMaxTipLength = 63;
    /// Side of the designer symbol.
    static constexpr int kSymbolSize = 28;

    /// In the designer a second TJXApp on the form throws TDuplicateComponent and an owner
    /// that is no form TFormNotOwner. At run time the application's events are forwarded to
    /// this component from now on.
    explicit TJXApp(TComponent *owner = nullptr);
    /// Leaves the clipboard watch, removes the notification icon (without events) and hands
    /// the application's events back.
    ~TJXApp() override;

    /// The application's help file; empty by default. Set also in the designer.
    QString HelpFile() const { return m_helpFile; }
    void SetHelpFile(const QString &value);
    /// The application's title; empty by default (the application keeps its own). Applied
    /// at run time.
    QString Title() const { return m_title; }
    void SetTitle(const QString &value);
    /// The application's icon (a copy is kept); empty by default. At run time a non-empty
    /// icon becomes the icon of the application's windows.
    TIcon *Icon() const { return m_icon.get(); }
    void SetIcon(const TIcon *value);
    /// The picture of the notification icon (a copy is kept); empty means the application's
    /// icon. Updates a shown icon.
    TIcon *TaskBarIcon() const { return m_taskBarIcon.get(); }
    void SetTaskBarIcon(const TIcon *value);
    /// The tip of the notification icon, at most 63 characters (longer texts are cut);
    /// reads as the application's title at run time while empty. Updates a shown icon.
    QString TaskBarTip() const;
    void SetTaskBarTip(const QString &value);
    /// The menu a right click on the notification icon opens; none by default. Forgotten when
    /// the menu goes away.
    TPopupMenu *TaskBarPopupMenu() const { return m_taskBarPopupMenu; }
    void SetTaskBarPopupMenu(TPopupMenu *value);
    /// Hide the application while the notification icon is shown, and show it again when the
    /// icon goes or is clicked; default true.
    bool TaskBarAutoHide() const { return m_taskBarAutoHide; }
    void SetTaskBarAutoHide(bool value) { m_taskBarAutoHide = value; }
    /// A left click on the notification icon removes it; default true.
    bool TaskBarAutoRemove() const { return m_taskBarAutoRemove; }
    void SetTaskBarAutoRemove(bool value) { m_taskBarAutoRemove = value; }

    /// Shows the notification icon (run time only), fires OnTaskBarSetIcon and, with
    /// TaskBarAutoHide, hides the application where the desktop has a system tray (without
    /// one the icon could not be clicked to bring it back).
    void TaskBarSetIcon();
    /// Gives a shown notification icon the current picture and tip.
    void TaskBarModifyIcon();
    /// Removes a shown notification icon, fires OnTaskBarRemoveIcon and, with
    /// TaskBarAutoHide, shows the application again.
    void TaskBarRemoveIcon();
    /// Hides the application's main form (without one: every visible window of the program),
    /// so it leaves the task bar too.
    void HideApp();
    /// Shows, restores and raises what HideApp hid.
    void ShowApp();
    /// Shows the version information of fileName (empty: this program) in a modal window.
    void ShowAppInfo(const QString &fileName = QString());

    /// A click with button on the shown notification icon: a left click removes the icon
    /// (TaskBarAutoRemove) and shows the application (TaskBarAutoHide); a right click opens
    /// TaskBarPopupMenu at the mouse. OnTaskBarMouseUp follows. Other buttons are ignored.
    void TaskBarMouseUp(TMouseButton button);
    /// Whether the notification icon is shown (in the tray where the desktop has one).
    bool TaskBarIconShown() const { return m_shown; }
    /// The tip and picture the shown notification icon carries.
    //!@{
    QString ShownTip() const { return m_shownTip; }
    const QImage &ShownIcon() const { return m_shownIcon; }
    //!@}
    /// The tray icon, where the desktop has a system tray (nullptr before the first
    /// TaskBarSetIcon or without a tray).
    QSystemTrayIcon *TrayIcon() const { return m_tray; }

    /// The application's events, forwarded to the component's at run time: each fires the
    /// event of the same name (AppActivate fires OnActivate).
    //!@{
    void AppActivate(TObject *sender);
    void AppDeactivate(TObject *sender);
    void AppException(TObject *sender, const Exception &e);
    bool AppHelp(quint16 command, qintptr data, bool &callHelp);
    void AppHint(TObject *sender);
    void AppIdle(TObject *sender, bool &done);
    void AppMessage(TMsg &msg, bool &handled);
    void AppMinimize(TObject *sender);
    void AppRestore(TObject *sender);
    void AppShowHint(QString &hintStr, bool &canShow, THintInfo &hintInfo);
    //!@}

    TAccessibleInfo AccessibleInfo() const override;
    QSize sizeHint() const override { return {kSymbolSize, kSymbolSize}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

    /// The application's OnActivate, forwarded at run time (see TApplication).
    TNotifyEvent OnActivate;
    /// The clipboard's content changed (at run time, once the component is loaded).
    TNotifyEvent OnClipBoardChange;
    /// The application's events of the same names (see TApplication), forwarded at run time.
    //!@{
    TNotifyEvent OnDeactivate;
    TExceptionEvent OnException;
    TNotifyEvent OnHint;
    THelpEvent OnHelp;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TShowHintEvent OnShowHint;
    //!@}
    /// TaskBarSetIcon showed the notification icon.
    TNotifyEvent OnTaskBarSetIcon;
    /// TaskBarRemoveIcon removed the notification icon.
    TNotifyEvent OnTaskBarRemoveIcon;
    /// The notification icon was clicked (after TaskBarMouseUp did its part).
    TJXMouseUpEvent OnTaskBarMouseUp;

signals:
    void onActivate(jxt::TObject *sender);
    void onClipBoardChange(jxt::TObject *sender);
    void onDeactivate(jxt::TObject *sender);
    void onException(jxt::TObject *sender, const jxt::Exception *e);
    void onHint(jxt::TObject *sender);
    void onHelp(quint16 command, qintptr data, bool *callHelp);
    void onIdle(jxt::TObject *sender, bool *done);
    void onMessage(jxt::TMsg *msg, bool *handled);
    void onMinimize(jxt::TObject *sender);
    void onRestore(jxt::TObject *sender);
    void onShowHint(QString *hintStr, bool *canShow, jxt::THintInfo *hintInfo);
    void onTaskBarSetIcon(jxt::TObject *sender);
    void onTaskBarRemoveIcon(jxt::TObject *sender);
    void onTaskBarMouseUp(jxt::TObject *sender, jxt::TMouseButton button);

protected:
    /// Joins the clipboard watch (at run time) and gives the application a set Icon.
    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;
    /// The designer symbol: a raised frame around the component's bitmap.
    void Paint() override;
    QSize ContentSize(const QSize &) const override { return sizeHint(); }

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void FillIconRecord();
    void ClipboardChanged();
    void HookApplication();
    void UnhookApplication();

    QString m_helpFile;
    QString m_title;
    std::unique_ptr<TIcon> m_icon;
    std::unique_ptr<TIcon> m_taskBarIcon;
    std::unique_ptr<TBitmap> m_designBitmap;
    QString m_taskBarTip;
    TPopupMenu *m_taskBarPopupMenu = nullptr;
    bool m_taskBarAutoHide = true;
    bool m_taskBarAutoRemove = true;
    bool m_hooked = false;
    bool m_watchingClipboard = false;
    bool m_shown = false;
    QString m_shownTip;
    QImage m_shownIcon;
    QSystemTrayIcon *m_tray = nullptr;
    std::vector<QPointer<QWidget>> m_hiddenWindows;
};

/// The window of ShowAppInfo: the version texts of a program in a memo, an OK button below.
/// It cannot be made smaller than its first size.
class JXT_EXPORT TfrmAppInfo : public TForm
{
    Q_OBJECT

public:
    explicit TfrmAppInfo(TComponent *owner = nullptr);
    ~TfrmAppInfo() override;

    /// Fills the memo with the file name and the ten version texts of fileName (empty: this
    /// program). A program without a version resource (such as this one, an ELF program)
    /// shows the application's own name, organisation and version when it is this program.
    void ShowInfo(const QString &fileName);
    /// The memo's lines.
    QStringList Lines() const;

    /// The form's controls: the memo with the texts (Memo1) on Panel2, the OK button on
    /// Panel1 below it, and the form's background (JXForm1).
    //!@{
    TPanel *Panel2 = nullptr;
    TMemo *Memo1 = nullptr;
    TPanel *Panel1 = nullptr;
    TBitBtn *btnOK = nullptr;
    TJXForm *JXForm1 = nullptr;
    //!@}

private:
    void Panel1Resize();
};

/// The window ShowAppInfo shows, while it is shown; nullptr otherwise.
JXT_EXPORT extern TfrmAppInfo *frmAppInfo;

} // namespace jxt
