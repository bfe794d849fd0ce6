// SPDX-License-Identifier: MIT
// Hint windows and the application's hint machinery.
#include "host/controls/HintWindow.h"

#include "host/controls/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace jxt {

// THintWindow

THintWindow::THintWindow(TComponent *owner) : TCustomControl(owner)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    SetColor(clInfoBk);
}

THintWindow::~THintWindow() = default;

void THintWindow::ActivateHint(const TRect &rect, const QString &hint)
{
    SetCaption(hint);
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    Invalidate();
    QWidget::show();
}

TRect THintWindow::CalcHintRect(int maxWidth, const QString &hint)
{
    TBitmap scratch(1, 1);
    scratch.Canvas()->SetFont(Font());
    TRect r = Rect(0, 0, std::max(1, maxWidth), 0);
    scratch.Canvas()->DrawText(hint, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return Rect(0, 0, r.Width() + 6, r.Height() + 4);
}

bool THintWindow::IsHintMsg(const TMsg &msg)
{
    const unsigned m = msg.Message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE ||
           m == CM_APPKEYDOWN || m == CM_APPSYSCOMMAND || m == WM_COMMAND ||
           (m > WM_MOUSEMOVE && m <= WM_MOUSEWHEEL);
}

void THintWindow::ReleaseHandle()
{
    QWidget::hide();
}

void THintWindow::Paint()
{
    TCanvas *canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetColor(clBlack);
    canvas->Rectangle(r);
    r.Inflate(-2, -2);
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(Caption(), r, DT_WORDBREAK | DT_NOPREFIX);
}

// The machinery

unsigned MessageOf(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: return WM_KEYDOWN;
    case QEvent::KeyRelease: return WM_KEYUP;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto button = static_cast<const QMouseEvent *>(event)->button();
        if (event->type() == QEvent::MouseButtonDblClick && button == Qt::LeftButton)
            return WM_LBUTTONDBLCLK;
        return button == Qt::RightButton    ? WM_RBUTTONDOWN
               : button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                            : WM_LBUTTONDOWN;
    }
    case QEvent::MouseButtonRelease: {
        const auto button = static_cast<const QMouseEvent *>(event)->button();
        return button == Qt::RightButton    ? WM_RBUTTONUP
               : button == Qt::MiddleButton ? WM_MBUTTONUP
                                            : WM_LBUTTONUP;
    }
    case QEvent::Wheel: return WM_MOUSEWHEEL;
    case QEvent::MouseMove: return WM_MOUSEMOVE;
    case QEvent::NonClientAreaMouseMove: return WM_NCMOUSEMOVE;
    case QEvent::WindowActivate: return CM_ACTIVATE;
    case QEvent::WindowDeactivate: return CM_DEACTIVATE;
    default: return 0;
    }
}

namespace {

TScreenGrabber &Grabber()
{
    static TScreenGrabber grabber;
    return grabber;
}

/// Shows hints for the controls under the mouse: waits the application's HintPause after the
/// mouse entered a control with a hint, shows the hint window, hides it after HintHidePause
/// or when the window judges an event to close it, and keeps the toolkit's own tooltips away.
class THintMachinery : public QObject
{
public:
    THintMachinery()
    {
        m_pause.setSingleShot(true);
        m_hide.setSingleShot(true);
        QObject::connect(&m_pause, &QTimer::timeout, this, [this] {
            if (m_pending)
                Show(m_pending);
        });
        QObject::connect(&m_hide, &QTimer::timeout, this, [this] { Cancel(); });
    }

    void Install()
    {
        if (!m_installed && qApp) {
            qApp->installEventFilter(this);
            m_installed = true;
        }
    }

    THintWindowClass windowClass = HintWindowClassOf<THintWindow>();

    THintWindow *Active() const
    {
        return m_window && m_window->isVisible() ? m_window.get() : nullptr;
    }

    bool Show(QWidget *widget)
    {
        m_pause.stop();
        QWidget *owner = HintOwner(widget);
        if (!owner || !Application()->ShowHint()) {
            Cancel();
            return false;
        }
        if (!m_window || m_windowClass != windowClass) {
            m_window = windowClass.Create ? windowClass.Create() : std::make_unique<THintWindow>();
            m_windowClass = windowClass;
        }
        QString hint = owner->toolTip();
        const QPoint cursor = QCursor::pos();
        THintInfo info;
        info.HintControl = qobject_cast<TControl *>(owner);
        info.CursorPos = Point(cursor.x(), cursor.y());
        info.HintColor = Application()->HintColor();
        if (!Application()->DoShowHint(hint, info)) {
            Cancel();
            return false;
        }
        TRect r = m_window->CalcHintRect(info.HintMaxWidth, hint);
        r.Offset(cursor.x(), cursor.y() + 20);
        m_window->ActivateHint(r, hint);
        m_shownFor = owner;
        const int hidePause = Application()->HintHidePause();
        if (hidePause > 0)
            m_hide.start(hidePause);
        return true;
    }

    void Cancel()
    {
        m_pause.stop();
        m_hide.stop();
        if (m_window)
            m_window->ReleaseHandle();
        m_shownFor = nullptr;
    }

    void Message(const TMsg &msg)
    {
        if (THintWindow *window = Active()) {
            if (window->IsHintMsg(msg))
                Cancel();
        }
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip)
            return true; // hints are shown here, not by the toolkit
        if (!object->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(object);
        if (m_window && widget == m_window.get())
            return false;
        if (Active()) {
            if (const unsigned message = MessageOf(event))
                Message(TMsg{message});
        }
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove: {
            QWidget *owner = HintOwner(widget);
            Application()->SetHint(owner ? owner->toolTip() : QString());
            if (!Application()->ShowHint())
                break;
            if (owner && owner != m_pending && owner != m_shownFor) {
                m_pending = owner;
                m_pause.start(std::max(0, Application()->HintPause()));
            }
            break;
        }
        case QEvent::Leave:
            if (widget == m_pending || widget == m_shownFor) {
                m_pending = nullptr;
                Cancel();
            }
            break;
        default: break;
        }
        return false;
    }

private:
    static QWidget *HintOwner(QWidget *widget)
    {
        for (QWidget *w = widget; w; w = w->parentWidget()) {
            if (!w->toolTip().isEmpty())
                return w;
            if (w->isWindow())
                break;
        }
        return nullptr;
    }

    bool m_installed = false;
    std::unique_ptr<THintWindow> m_window;
    THintWindowClass m_windowClass;
    QPointer<QWidget> m_pending;
    QPointer<QWidget> m_shownFor;
    QTimer m_pause;
    QTimer m_hide;
};

THintMachinery &Machinery()
{
    static auto *machinery = new THintMachinery; // lives as long as the application
    return *machinery;
}

} // namespace

void SetHintWindowClass(const THintWindowClass &windowClass)
{
    THintMachinery &machinery = Machinery();
    machinery.Install();
    if (machinery.windowClass != windowClass)
        machinery.Cancel();
    machinery.windowClass = windowClass;
}

THintWindowClass HintWindowClass()
{
    return Machinery().windowClass;
}

THintWindow *ActiveHintWindow()
{
    return Machinery().Active();
}

bool ShowHintFor(QWidget *widget)
{
    return Machinery().Show(widget);
}

void CancelHint()
{
    Machinery().Cancel();
}

void HintMessage(const TMsg &msg)
{
    Machinery().Message(msg);
}

QImage GrabScreenArea(const TRect &area)
{
    QImage result;
    if (Grabber()) {
        result = Grabber()(area);
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect geometry = screen->geometry();
        const QPixmap grabbed = screen->grabWindow(
            0, area.Left - geometry.x(), area.Top - geometry.y(), area.Width(), area.Height());
        result = grabbed.toImage();
    }
    // Bring the picture to the area's size in logical pixels (a high-resolution screen gives
    // more pixels), filling what the screen did not give.
    QImage sized(std::max(0, area.Width()), std::max(0, area.Height()), QImage::Format_RGB32);
    sized.fill(ColorToQColor(clBtnFace));
    if (!result.isNull() && !sized.isNull()) {
        QPainter painter(&sized);
        const QSizeF logical = QSizeF(result.size()) / result.devicePixelRatio();
        painter.drawImage(QRectF(QPointF(0, 0), logical), result);
    }
    return sized;
}

TScreenGrabber SetScreenGrabber(TScreenGrabber grabber)
{
    TScreenGrabber previous = std::move(Grabber());
    Grabber() = std::move(grabber);
    return previous;
}

} // namespace jxt
