// SPDX-License-Identifier: MIT
// TJXApp: forwarding of the application's events, the notification icon, hiding and showing
// the application, clipboard changes, and the version information window.
#include "services/JXApp.h"

#include "host/controls/StdCtrls.h"

#include "host/core/Events.h"

#include "effects/JXForm.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "platform/Tray.h"
#include "util/JxutilSystem.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QSystemTrayIcon>

namespace jxt {

TfrmAppInfo *frmAppInfo = nullptr;

namespace {

// A handler installed in one of the application's events. It calls the component's
// forwarding method while the component lives, and it is recognisable, so the component can
// take back exactly the handlers that are still its own when it goes.
template <typename Signature> struct TForward;
template <typename R, typename... Args> struct TForward<R(Args...)>
{
    QPointer<TJXApp> app;
    R (TJXApp::*method)(Args...);
    R operator()(Args... args) const
    {
        if (app)
            return (app.data()->*method)(std::forward<Args>(args)...);
        return R();
    }
};

template <typename Signature> void Uninstall(std::function<Signature> &event, const TJXApp *app)
{
    if (auto *forward = event.template target<TForward<Signature>>();
        forward && forward->app == app)
        event = nullptr;
}

QImage IconImage(const TIcon *icon)
{
    return icon && !icon->Empty() ? icon->Image() : QImage();
}

} // namespace

TJXApp::TJXApp(TComponent *owner)
    : TCustomControl(owner), m_icon(std::make_unique<TIcon>()),
      m_taskBarIcon(std::make_unique<TIcon>()), m_designBitmap(std::make_unique<TBitmap>())
{
    jxtCheckSingleInstance(this);
    try {
        m_designBitmap->LoadFromResourceName(QStringLiteral("TJXAPP"));
    } catch (const Exception &) {
        // Without its bitmap the designer symbol is an empty frame.
    }
    SetBounds(Left(), Top(), kSymbolSize, kSymbolSize);
    SetVisible(false);
    if (!Designing())
        HookApplication();
}

TJXApp::~TJXApp()
{
    BeforeDestruction();
    TaskBarRemoveIcon();
    UnhookApplication();
}

void TJXApp::HookApplication()
{
    TApplication *app = Application();
    app->OnActivate = TForward<void(TObject *)>{this, &TJXApp::AppActivate};
    app->OnDeactivate = TForward<void(TObject *)>{this, &TJXApp::AppDeactivate};
    app->OnException = TForward<void(TObject *, const Exception &)>{this, &TJXApp::AppException};
    app->OnHelp = TForward<bool(quint16, qintptr, bool &)>{this, &TJXApp::AppHelp};
    app->OnHint = TForward<void(TObject *)>{this, &TJXApp::AppHint};
    app->OnIdle = TForward<void(TObject *, bool &)>{this, &TJXApp::AppIdle};
    app->OnMessage = TForward<void(TMsg &, bool &)>{this, &TJXApp::AppMessage};
    app->OnMinimize = TForward<void(TObject *)>{this, &TJXApp::AppMinimize};
    app->OnRestore = TForward<void(TObject *)>{this, &TJXApp::AppRestore};
    app->OnShowHint = TForward<void(QString &, bool &, THintInfo &)>{this, &TJXApp::AppShowHint};
    m_hooked = true;
}

void TJXApp::UnhookApplication()
{
    if (!m_hooked)
        return;
    TApplication *app = Application();
    Uninstall(app->OnActivate, this);
    Uninstall(app->OnDeactivate, this);
    Uninstall(app->OnException, this);
    Uninstall(app->OnHelp, this);
    Uninstall(app->OnHint, this);
    Uninstall(app->OnIdle, this);
    Uninstall(app->OnMessage, this);
    Uninstall(app->OnMinimize, this);
    Uninstall(app->OnRestore, this);
    Uninstall(app->OnShowHint, this);
    m_hooked = false;
}

// Forwarding

void TJXApp::AppActivate(TObject *)
{
    FireEvent(this, OnActivate, &TJXApp::onActivate, this);
}

void TJXApp::AppDeactivate(TObject *)
{
    FireEvent(this, OnDeactivate, &TJXApp::onDeactivate, this);
}

void TJXApp::AppException(TObject *sender, const Exception &e)
{
    if (!OnException && !isSignalConnected(QMetaMethod::fromSignal(&TJXApp::onException))) {
        Application()->ShowException(e);
        return;
    }
    FireEvent(this, OnException, &TJXApp::onException, sender, e);
}

bool TJXApp::AppHelp(quint16 command, qintptr data, bool &callHelp)
{
    const QPointer<TJXApp> alive(this);
    const bool dealt = OnHelp ? OnHelp(command, data, callHelp) : false;
    if (alive)
        Q_EMIT onHelp(command, data, &callHelp);
    return dealt;
}

void TJXApp::AppHint(TObject *)
{
    FireEvent(this, OnHint, &TJXApp::onHint, this);
}

void TJXApp::AppIdle(TObject *, bool &done)
{
    FireEvent(this, OnIdle, &TJXApp::onIdle, this, done);
}

void TJXApp::AppMessage(TMsg &msg, bool &handled)
{
    FireEvent(this, OnMessage, &TJXApp::onMessage, msg, handled);
}

void TJXApp::AppMinimize(TObject *)
{
    FireEvent(this, OnMinimize, &TJXApp::onMinimize, this);
}

void TJXApp::AppRestore(TObject *)
{
    FireEvent(this, OnRestore, &TJXApp::onRestore, this);
}

void TJXApp::AppShowHint(QString &hintStr, bool &canShow, THintInfo &hintInfo)
{
    FireEvent(this, OnShowHint, &TJXApp::onShowHint, hintStr, canShow, hintInfo);
}

// Properties

void TJXApp::SetHelpFile(const QString &value)
{
    m_helpFile = value;
    Application()->SetHelpFile(value);
}

void TJXApp::SetTitle(const QString &value)
{
    m_title = value;
    if (!Designing())
        Application()->SetTitle(value);
}

void TJXApp::SetIcon(const TIcon *value)
{
    if (value)
        m_icon->Assign(value);
    else
        m_icon->SetImage(QImage());
    if (!Designing() && !m_icon->Empty())
        Application()->SetIcon(m_icon.get());
}

void TJXApp::SetTaskBarIcon(const TIcon *value)
{
    if (value)
        m_taskBarIcon->Assign(value);
    else
        m_taskBarIcon->SetImage(QImage());
    TaskBarModifyIcon();
}

QString TJXApp::TaskBarTip() const
{
    if (m_taskBarTip.isEmpty() && !Designing())
        return Application()->Title();
    return m_taskBarTip;
}

void TJXApp::SetTaskBarTip(const QString &value)
{
    m_taskBarTip = value.left(kMaxTipLength);
    TaskBarModifyIcon();
}

void TJXApp::SetTaskBarPopupMenu(TPopupMenu *value)
{
    if (m_taskBarPopupMenu == value)
        return;
    if (m_taskBarPopupMenu)
        RemoveFreeNotification(m_taskBarPopupMenu);
    m_taskBarPopupMenu = value;
    if (value)
        FreeNotification(value);
}

void TJXApp::Notification(TComponent *component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_taskBarPopupMenu)
        m_taskBarPopupMenu = nullptr;
}

void TJXApp::Loaded()
{
    TCustomControl::Loaded();
    if (Designing())
        return;
    if (!m_watchingClipboard) {
        if (QClipboard *clipboard = QGuiApplication::clipboard()) {
            connect(clipboard, &QClipboard::dataChanged, this, &TJXApp::ClipboardChanged);
            m_watchingClipboard = true;
        }
    }
    if (!m_icon->Empty())
        Application()->SetIcon(m_icon.get());
}

void TJXApp::ClipboardChanged()
{
    FireEvent(this, OnClipBoardChange, &TJXApp::onClipBoardChange, this);
}

// The notification icon

// The icon shows TaskBarIcon, else the application's icon, else the component's own
// bitmap, so a shown icon is never blank; the tip is TaskBarTip as read (the title while
// empty), at most 63 characters.
void TJXApp::FillIconRecord()
{
    QImage image = IconImage(m_taskBarIcon.get());
    if (image.isNull())
        image = IconImage(Application()->Icon());
    if (image.isNull() && !m_designBitmap->Empty())
        image = m_designBitmap->Image();
    m_shownIcon = image;
    m_shownTip = TaskBarTip().left(kMaxTipLength);
    if (m_tray) {
        m_tray->setIcon(QIcon(QPixmap::fromImage(m_shownIcon)));
        m_tray->setToolTip(m_shownTip);
    }
}

void TJXApp::TaskBarSetIcon()
{
    if (Designing())
        return;
    m_shown = true;
    if (!m_tray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        TaskBarMouseUp(mbLeft);
                    else if (reason == QSystemTrayIcon::Context)
                        TaskBarMouseUp(mbRight);
                });
    }
    FillIconRecord();
    if (m_tray)
        m_tray->show();
    const QPointer<TJXApp> alive(this);
    FireEvent(this, OnTaskBarSetIcon, &TJXApp::onTaskBarSetIcon, this);
    // Without a system tray nobody could click the icon to bring the application back, so
    // it stays on screen.
    if (alive && m_taskBarAutoHide && platform::SystemTrayAvailable())
        HideApp();
}

void TJXApp::TaskBarModifyIcon()
{
    if (Designing() || !m_shown)
        return;
    FillIconRecord();
}

void TJXApp::TaskBarRemoveIcon()
{
    if (Designing() || !m_shown)
        return;
    m_shown = false;
    if (m_tray)
        m_tray->hide();
    if (ComponentState().Contains(csDestroying))
        return;
    const QPointer<TJXApp> alive(this);
    FireEvent(this, OnTaskBarRemoveIcon, &TJXApp::onTaskBarRemoveIcon, this);
    if (alive && m_taskBarAutoHide)
        ShowApp();
}

void TJXApp::TaskBarMouseUp(TMouseButton button)
{
    if (!m_shown || (button != mbLeft && button != mbRight))
        return;
    const QPointer<TJXApp> alive(this);
    if (button == mbLeft) {
        if (m_taskBarAutoRemove)
            TaskBarRemoveIcon();
        if (alive && m_taskBarAutoHide)
            ShowApp();
    } else if (m_taskBarPopupMenu) {
        const QPoint at = QCursor::pos();
        m_taskBarPopupMenu->Popup(at.x(), at.y());
    }
    if (!alive)
        return;
    FireEvent(this, OnTaskBarMouseUp, &TJXApp::onTaskBarMouseUp, this, button);
}

// Hiding and showing the application

void TJXApp::HideApp()
{
    if (TForm *mainForm = Application()->MainForm()) {
        mainForm->hide();
        return;
    }
    // Without a main form the application is every window it shows.
    m_hiddenWindows.clear();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isHidden() &&
            !(window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip)) {
            m_hiddenWindows.emplace_back(window);
            window->hide();
        }
    }
}

void TJXApp::ShowApp()
{
    const auto bringBack = [](QWidget *window) {
        if (window->windowState() & Qt::WindowMinimized)
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    };
    if (TForm *mainForm = Application()->MainForm()) {
        bringBack(mainForm);
        return;
    }
    for (const QPointer<QWidget> &window : m_hiddenWindows)
        if (window)
            bringBack(window);
    m_hiddenWindows.clear();
}

void TJXApp::ShowAppInfo(const QString &fileName)
{
    auto *form = new TfrmAppInfo(this);
    frmAppInfo = form;
    form->ShowInfo(fileName);
    const QPointer<TfrmAppInfo> alive(form);
    form->ShowModal();
    frmAppInfo = nullptr;
    if (alive)
        form->Free();
}

void TJXApp::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->FillSolid(Rect(0, 0, Width(), Height()), Color());
    TRect r = Rect(0, 0, kSymbolSize, kSymbolSize);
    Frame3D(canvas, r, clWhite, clGray, 1);
    if (!m_designBitmap->Empty())
        canvas->Draw(2, 2, m_designBitmap.get());
}

TAccessibleInfo TJXApp::AccessibleInfo() const
{
    return {QAccessible::Graphic, QStringLiteral("TJXApp")};
}

// TfrmAppInfo

TfrmAppInfo::TfrmAppInfo(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("frmAppInfo"));
    SetCaption(QCoreApplication::translate("jxtpack", "Versionsinformationen"));
    SetClientWidth(460);
    SetClientHeight(360);
    SetPosition(poScreenCenter);
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetHeight(-12);
    SetColor(clBtnFace);

    Panel1 = new TPanel(this);
    Panel1->SetName(QStringLiteral("Panel1"));
    Panel1->SetParent(this);
    Panel1->SetAlign(alBottom);
    Panel1->SetHeight(41);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption(QString());
    btnOK = new TBitBtn(this);
    btnOK->SetName(QStringLiteral("btnOK"));
    btnOK->SetParent(Panel1);
    btnOK->SetKind(bkOK);
    btnOK->SetBounds(0, 8, 75, 25);
    Panel1->OnResize = [this](TObject *) { Panel1Resize(); };

    Panel2 = new TPanel(this);
    Panel2->SetName(QStringLiteral("Panel2"));
    Panel2->SetParent(this);
    Panel2->SetAlign(alClient);
    Panel2->SetBevelOuter(bvNone);
    Panel2->SetBorderWidth(5);
    Panel2->SetCaption(QString());
    Memo1 = new TMemo(this);
    Memo1->SetName(QStringLiteral("Memo1"));
    Memo1->SetParent(Panel2);
    Memo1->SetAlign(alClient);
    Memo1->SetScrollBars(ssVertical);
    Memo1->SetWordWrap(false);
    Memo1->Font()->SetName(QStringLiteral("Courier New"));
    Memo1->Font()->SetHeight(-12);

    JXForm1 = new TJXForm(this);
    JXForm1->SetName(QStringLiteral("JXForm1"));
    JXForm1->SetFormMinWidth(460);
    JXForm1->SetFormMinHeight(360);
    Panel1Resize();
}

TfrmAppInfo::~TfrmAppInfo()
{
    if (frmAppInfo == this)
        frmAppInfo = nullptr;
}

void TfrmAppInfo::Panel1Resize()
{
    btnOK->SetLeft((Panel1->Width() - btnOK->Width()) / 2);
}

void TfrmAppInfo::ShowInfo(const QString &fileName)
{
    const QString name = fileName.isEmpty() ? Application()->ExeName() : fileName;
    TVersionType info;
    jxtGetFileVersionsInfo(name, info);
    const bool noResource = info.CompanyName.isEmpty() && info.FileDescription.isEmpty() &&
                            info.FileVersion.isEmpty() && info.InternalName.isEmpty() &&
                            info.LegalCopyright.isEmpty() && info.LegalTradeMarks.isEmpty() &&
                            info.OriginalFileName.isEmpty() && info.ProductName.isEmpty() &&
                            info.ProductVersion.isEmpty() && info.Comments.isEmpty();
    const bool ownProgram = QFileInfo(name).canonicalFilePath() ==
                            QFileInfo(Application()->ExeName()).canonicalFilePath();
    if (noResource && ownProgram) {
        // A program of this system carries no version resource: it describes itself with
        // the names and version the application was given.
        const QString appName = QCoreApplication::applicationName();
        const QString version = QCoreApplication::applicationVersion();
        info.CompanyName = QCoreApplication::organizationName();
        info.FileDescription = QGuiApplication::applicationDisplayName();
        info.FileVersion = version;
        info.InternalName = appName;
        info.OriginalFileName = QFileInfo(name).fileName();
        info.ProductName = appName;
        info.ProductVersion = version;
    }
    const auto line = [](const char *label, const QString &value) {
        return QString::fromLatin1(label).rightJustified(18) + value;
    };
    const QStringList lines = {
        line("CurrentFileName: ", name),
        QString(),
        line("CompanyName: ", info.CompanyName),
        line("FileDescription: ", info.FileDescription),
        line("FileVersion: ", info.FileVersion),
        line("InternalName: ", info.InternalName),
        line("LegalCopyright: ", info.LegalCopyright),
        line("LegalTradeMarks: ", info.LegalTradeMarks),
        line("OriginalFileName: ", info.OriginalFileName),
        line("ProductName: ", info.ProductName),
        line("ProductVersion: ", info.ProductVersion),
        line("Comments: ", info.Comments),
    };
    Memo1->Lines()->SetStrings(lines);
}

QStringList TfrmAppInfo::Lines() const
{
    return Memo1->LinesList();
}

} // namespace jxt
