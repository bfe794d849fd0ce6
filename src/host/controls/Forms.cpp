// SPDX-License-Identifier: MIT
#include "host/controls/Forms.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace jxt {

// TForm

TForm::TForm(TComponent *owner) : TWinControl(owner)
{
    setWindowFlags(Qt::Window);
    SetColor(clBtnFace);
    resize(320, 240);
}

TForm::~TForm()
{
    BeforeDestruction();
    if (OnDestroy)
        OnDestroy(this);
    if (Application()->MainForm() == this)
        Application()->SetMainForm(nullptr);
}

void TForm::SetCaption(const QString &caption)
{
    TWinControl::SetCaption(caption);
    setWindowTitle(caption);
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    m_borderStyle = style;
    Qt::WindowFlags flags = Qt::Window;
    switch (style) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool; break;
    default: break;
    }
    if (m_formStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown)
        show();
}

void TForm::SetFormStyle(TFormStyle style)
{
    m_formStyle = style;
    SetBorderStyle(m_borderStyle);
}

TWindowState TForm::WindowState() const
{
    if (windowState() & Qt::WindowMinimized)
        return wsMinimized;
    if (windowState() & Qt::WindowMaximized)
        return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState state)
{
    switch (state) {
    case wsMinimized: setWindowState(Qt::WindowMinimized); break;
    case wsMaximized: setWindowState(Qt::WindowMaximized); break;
    default: setWindowState(Qt::WindowNoState); break;
    }
}

TRect TForm::NormalBoundsRect() const
{
    // Qt keeps the normal geometry from the moment the form left the normal state.
    const QRect normal = normalGeometry();
    if (windowState() == Qt::WindowNoState || !normal.isValid())
        return BoundsRect();
    return Bounds(normal.x(), normal.y(), normal.width(), normal.height());
}

void TForm::PlaceOnScreen()
{
    if (m_position != poScreenCenter && m_position != poDesktopCenter)
        return;
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TForm::LoadOnFirstShow()
{
    if (LoadedDone())
        return;
    jxt::LoadStreamed(this);
    Loaded();
}

TModalResult TForm::ShowModal()
{
    LoadOnFirstShow();
    PlaceOnScreen();
    m_modalResult = mrNone;
    TDialogRequest request;
    request.kind = TDialogRequest::ModalForm;
    request.form = this;
    request.text = Caption();
    request.caption = Caption();
    request.className = ClassName();
    const int result = DialogService()->Show(request);
    m_modalResult = result;
    return result;
}

void TForm::Show()
{
    LoadOnFirstShow();
    PlaceOnScreen();
    QWidget::show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        raise();
}

void TForm::Hide()
{
    QWidget::hide();
}

void TForm::Close()
{
    if (m_closing)
        return;
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    switch (action) {
    case caNone: return;
    case caMinimize: SetWindowState(wsMinimized); return;
    case caFree:
        m_closing = true;
        QWidget::hide();
        deleteLater();
        return;
    default:
        if (m_modalResult == mrNone && windowModality() != Qt::NonModal)
            m_modalResult = mrCancel;
        QWidget::hide();
    }
}

void TForm::Paint()
{
    TWinControl::Paint();
    if (OnPaint)
        OnPaint(this);
}

bool TForm::event(QEvent *event)
{
    // What the form has from streaming is loaded when the form is first shown, once every
    // stored property is set: a form is polished earlier, while code from uic or QUiLoader is
    // still setting them, and loading then would undo what is set after. Components made in
    // code are not loaded: they keep what they were given.
    if (event->type() == QEvent::Show)
        LoadOnFirstShow();
    // The form becomes (or stops being) the active window; the handler may free the form.
    const bool activate = event->type() == QEvent::WindowActivate;
    if ((activate && OnActivate) || (event->type() == QEvent::WindowDeactivate && OnDeactivate)) {
        const QPointer<TForm> alive(this);
        const TNotifyEvent handler = activate ? OnActivate : OnDeactivate;
        handler(this);
        if (!alive)
            return true;
    }
    return TWinControl::event(event);
}

void TForm::closeEvent(QCloseEvent *event)
{
    // The window manager's close button goes through the same questions as Close.
    event->ignore();
    Close();
}

void TForm::showEvent(QShowEvent *event)
{
    TWinControl::showEvent(event);
    if (OnShow)
        OnShow(this);
}

void TForm::hideEvent(QHideEvent *event)
{
    TWinControl::hideEvent(event);
    if (OnHide)
        OnHide(this);
}

TForm *GetParentForm(TControl *control)
{
    for (TControl *c = control; c; c = c->Parent())
        if (auto *form = dynamic_cast<TForm *>(c))
            return form;
    return nullptr;
}

// TApplication

TApplication::TApplication()
{
    Hook();
}

TApplication::~TApplication() = default;

// The application-wide events need the program's QApplication; the hooks go in as soon as
// one exists (at the latest when the event loop runs).
void TApplication::Hook()
{
    if (m_hooked || !qApp)
        return;
    m_hooked = true;
    qApp->installEventFilter(this);
    if (auto *dispatcher = QAbstractEventDispatcher::instance(qApp->thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { Idle(); });
}

void TApplication::Idle()
{
    if (!OnIdle || m_inIdle)
        return;
    m_inIdle = true;
    bool done = true;
    OnIdle(this, done);
    m_inIdle = false;
    // A handler that is not done is called again at the next turn of the loop.
    if (!done)
        if (auto *dispatcher = QAbstractEventDispatcher::instance(qApp->thread()))
            dispatcher->wakeUp();
}

bool TApplication::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ApplicationStateChange: {
        if (watched != qApp)
            return false;
        const bool active =
            static_cast<QApplicationStateChangeEvent *>(event)->applicationState() ==
            Qt::ApplicationActive;
        if (active == m_active)
            return false;
        m_active = active;
        if (active && OnActivate)
            OnActivate(this);
        else if (!active && OnDeactivate)
            OnDeactivate(this);
        return false;
    }
    case QEvent::WindowStateChange: {
        if (!m_mainForm || watched != m_mainForm)
            return false;
        const bool was =
            static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowMinimized;
        const bool is = m_mainForm->windowState() & Qt::WindowMinimized;
        if (!was && is && OnMinimize)
            OnMinimize(this);
        else if (was && !is && OnRestore)
            OnRestore(this);
        return false;
    }
    default: break;
    }
    if (!OnMessage || !event->spontaneous())
        return false;
    const unsigned message = MessageOf(event);
    if (message == 0)
        return false;
    if (event->isInputEvent()) {
        const quint64 time = static_cast<QInputEvent *>(event)->timestamp();
        if (int(event->type()) == m_lastMessageType && time == m_lastMessageTime)
            return false; // the same input on its way through the parents
        m_lastMessageType = int(event->type());
        m_lastMessageTime = time;
    }
    TMsg msg{message, watched, event};
    bool handled = false;
    OnMessage(msg, handled);
    return handled;
}

void TApplication::SetIcon(const TIcon *icon)
{
    if (icon)
        m_icon.Assign(icon);
    else
        m_icon.SetImage(QImage());
    if (qApp)
        QApplication::setWindowIcon(m_icon.Empty() ? QIcon()
                                                   : QIcon(QPixmap::fromImage(m_icon.Image())));
}

void TApplication::SetHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    if (OnHint)
        OnHint(this);
}

void TApplication::HandleException(TObject *sender, const Exception &e)
{
    if (OnException)
        OnException(sender, e);
    else
        ShowException(e);
}

void TApplication::ShowException(const Exception &e)
{
    MessageBox(e.Message(), Title(), MB_OK | MB_ICONSTOP);
}

bool TApplication::HelpCommand(quint16 command, qintptr data)
{
    bool callHelp = true;
    const bool dealt = OnHelp ? OnHelp(command, data, callHelp) : false;
    return dealt || !callHelp;
}

bool TApplication::DoShowHint(QString &hintStr, THintInfo &hintInfo)
{
    bool canShow = true;
    if (OnShowHint)
        OnShowHint(hintStr, canShow, hintInfo);
    return canShow;
}

void TApplication::Minimize()
{
    // With a main form the state change itself tells OnMinimize (and OnRestore).
    if (m_mainForm)
        m_mainForm->SetWindowState(wsMinimized);
    else if (OnMinimize)
        OnMinimize(this);
}

void TApplication::Restore()
{
    if (m_mainForm)
        m_mainForm->SetWindowState(wsNormal);
    else if (OnRestore)
        OnRestore(this);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Terminate()
{
    m_terminated = true;
    QCoreApplication::quit();
}

QString TApplication::Title() const
{
    if (!m_title.isEmpty())
        return m_title;
    return QFileInfo(ExeName()).completeBaseName();
}

QString TApplication::ExeName() const
{
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

int TApplication::MessageBox(const QString &text, const QString &caption, unsigned flags)
{
    return jxt::MessageBox(text, caption, flags);
}

void TApplication::Run()
{
    Hook();
    if (m_mainForm)
        m_mainForm->Show();
    if (!m_terminated)
        QApplication::exec();
}

// TScreen

int TScreen::Width() const
{
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int TScreen::Height() const
{
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 0;
}

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == m_cursor)
        return;
    if (m_cursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    m_cursor = cursor;
    if (cursor != crDefault && QGuiApplication::instance())
        QGuiApplication::setOverrideCursor(Cursors(cursor));
}

QCursor TScreen::Cursors(TCursor id) const
{
    auto it = m_cursors.find(id);
    if (it != m_cursors.end())
        return it->second;
    return QCursor(CursorShape(id));
}

QStringList TScreen::Fonts() const
{
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    return families;
}

TForm *TScreen::ActiveForm() const
{
    return dynamic_cast<TForm *>(QApplication::activeWindow());
}

TApplication *Application()
{
    static TApplication *app = new TApplication;
    return app;
}

TScreen *Screen()
{
    static TScreen screen;
    return &screen;
}

} // namespace jxt
