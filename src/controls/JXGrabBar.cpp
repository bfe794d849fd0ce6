// SPDX-License-Identifier: MIT
// TJXGrabBar: placing the bar and the panes, following the parent's size, the drag with its
// ghost bar, and the painted bar.
#include "controls/JXGrabBar.h"

#include "host/core/Events.h"

#include "host/controls/Cursors.h"
#include "host/controls/Forms.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace jxt {

namespace {

constexpr int kMaxBorderWidth = 50;
/// The length a bar asks a layout for; it shows all of itself at any length.
constexpr int kHintLength = 30;

// The ghost bar: a widget on top of the parent's children that inverts what lies under it.
class TGhostBar : public QWidget
{
public:
    explicit TGhostBar(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(rect(), Qt::black);
    }
};

bool Overlaps(const TRect &a, const TRect &b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

void RegisterGrabCursors()
{
    // Every bar loads the cursors, so they are there whichever bar is made first.
    try {
        Screen()->SetCursors(crJXHGrab, LoadCursorFromResourceName(QStringLiteral("CRJXHGRAB")));
        Screen()->SetCursors(crJXVGrab, LoadCursorFromResourceName(QStringLiteral("CRJXVGRAB")));
    } catch (const Exception &) {
        // Without the resources the bars keep the standard split cursors.
        Screen()->SetCursors(crJXHGrab, QCursor(Qt::SplitVCursor));
        Screen()->SetCursors(crJXVGrab, QCursor(Qt::SplitHCursor));
    }
}

} // namespace

TJXGrabBar::TJXGrabBar(TComponent *owner) : TCustomControl(owner)
{
    RegisterGrabCursors();
    SetBounds(Left(), Top(), 5, Height());
    SetCursor(crJXHGrab);
    SetThickness(5);
    FollowStyleInLayouts();
}

void TJXGrabBar::FollowStyleInLayouts()
{
    // A layout stretches the bar along its length but keeps its thickness, a property.
    if (m_style == jxgbHorizontal)
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    else
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

TJXGrabBar::~TJXGrabBar()
{
    UnhookParent();
    delete m_ghost.data();
}

void TJXGrabBar::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    Invalidate();
}

void TJXGrabBar::SetBorderWidth(int value)
{
    m_borderWidth = std::clamp(value, 0, kMaxBorderWidth);
    ResizeBar();
}

void TJXGrabBar::SetStyle(TGrabBarStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    const bool loading = ComponentState().Contains(csLoading);
    if (m_style == jxgbVertical) {
        SetCursor(crJXVGrab);
        if (!loading)
            SetWidth(Height());
    } else {
        SetCursor(crJXHGrab);
        if (!loading)
            SetHeight(Width());
    }
    FollowStyleInLayouts();
    updateGeometry();
    ResizeBar();
}

void TJXGrabBar::SetThickness(int value)
{
    if (value == Thickness() || value < 0)
        return;
    if (m_style == jxgbVertical)
        SetWidth(value);
    else
        SetHeight(value);
    updateGeometry();
}

void TJXGrabBar::SetWindowA(TWinControl *value)
{
    if (value == m_windowA || value == this)
        return;
    m_windowA = value;
    if (value)
        value->FreeNotification(this);
    MoveWindows();
}

void TJXGrabBar::SetWindowB(TWinControl *value)
{
    if (value == m_windowB || value == this)
        return;
    m_windowB = value;
    if (value)
        value->FreeNotification(this);
    MoveWindows();
}

void TJXGrabBar::Notification(TComponent *component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_windowA)
        m_windowA = nullptr;
    if (component == m_windowB)
        m_windowB = nullptr;
}

void TJXGrabBar::SetParent(TWinControl *parent)
{
    UnhookParent();
    delete m_ghost.data();
    m_dragRect = TRect();
    m_dragging = false;
    TCustomControl::SetParent(parent);
    HookParent();
    ResizeBar();
    MoveWindows();
}

void TJXGrabBar::SetBounds(int left, int top, int width, int height)
{
    TCustomControl::SetBounds(left, top, width, height);
    // Every move or resize of the bar keeps it inside the parent and at its full length;
    // ResizeBar comes back here once with the corrected bounds.
    if (m_placing == 0)
        ResizeBar();
    MoveWindows();
}

void TJXGrabBar::ResizeBar()
{
    TWinControl *parent = Parent();
    if (!parent || m_placing > 0)
        return;
    ++m_placing;
    const int b = m_borderWidth;
    const int t = Thickness();
    const int cw = parent->ClientWidth();
    const int ch = parent->ClientHeight();
    if (m_style == jxgbHorizontal) {
        int top = Top();
        if (!m_outOfClient) {
            if (top < b)
                top = b;
            if (top + t > ch - b)
                top = ch - b - t;
        }
        SetBounds(b, top, cw - 2 * b, t);
    } else {
        int left = Left();
        if (!m_outOfClient) {
            if (left < b)
                left = b;
            if (left + t > cw - b)
                left = cw - b - t;
        }
        SetBounds(left, b, t, ch - 2 * b);
    }
    --m_placing;
}

void TJXGrabBar::LayOutPane(TWinControl *pane, bool first)
{
    TWinControl *parent = Parent();
    const int b = m_borderWidth;
    const int t = Thickness();
    const int cw = parent->ClientWidth();
    const int ch = parent->ClientHeight();
    pane->SetAlign(alNone);
    TRect r;
    int extent;
    if (m_style == jxgbHorizontal) {
        const int y = Top();
        r = first ? Bounds(b, b, cw - 2 * b, y - 2 * b)
                  : Bounds(b, y + t + b, cw - 2 * b, ch - (y + t + b) - b);
        extent = r.Height();
    } else {
        const int l = Left();
        r = first ? Bounds(b, b, l - 2 * b, ch - 2 * b)
                  : Bounds(l + t + b, b, cw - (l + t + b) - b, ch - 2 * b);
        extent = r.Width();
    }
    pane->SetVisible(extent >= 1);
    pane->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TJXGrabBar::MoveWindows()
{
    TWinControl *parent = Parent();
    if (!parent || (!m_windowA && !m_windowB))
        return;
    parent->DisableAlign();
    if (m_windowA)
        LayOutPane(m_windowA, true);
    if (m_windowB)
        LayOutPane(m_windowB, false);
    parent->EnableAlign();
}

void TJXGrabBar::HookParent()
{
    TWinControl *parent = Parent();
    if (!parent)
        return;
    m_hookedParent = parent;
    parent->installEventFilter(this);
    // A hidden parent gets no resize event from Qt until it is shown; its SetBounds still
    // reports the new size at once.
    m_parentResized = connect(parent, &TControl::onResize, this, [this] { FollowParent(); });
}

void TJXGrabBar::UnhookParent()
{
    if (m_hookedParent)
        m_hookedParent->removeEventFilter(this);
    disconnect(m_parentResized);
    m_hookedParent = nullptr;
}

void TJXGrabBar::FollowParent()
{
    // A minimised window keeps its layout.
    if (m_hookedParent && Parent() == m_hookedParent && !m_hookedParent->window()->isMinimized()) {
        ResizeBar();
        MoveWindows();
    }
}

bool TJXGrabBar::eventFilter(QObject *watched, QEvent *event)
{
    // The parent's size changes lay out the bar and the panes before the parent handles
    // them.
    if (watched == m_hookedParent && event->type() == QEvent::Resize)
        FollowParent();
    return TCustomControl::eventFilter(watched, event);
}

TPoint TJXGrabBar::ClientToParent(int x, int y) const
{
    return Point(Left() + x, Top() + y);
}

TRect TJXGrabBar::BarRect(int x, int y) const
{
    TWinControl *parent = Parent();
    if (!parent)
        return TRect();
    const int b = m_borderWidth;
    const int t = Thickness();
    if (m_style == jxgbHorizontal)
        return Bounds(b, y - t / 2, parent->ClientWidth() - 2 * b, t);
    return Bounds(x - t / 2, b, t, parent->ClientHeight() - 2 * b);
}

TRect TJXGrabBar::DragLimits() const
{
    TWinControl *parent = Parent();
    TRect r = parent->ClientRect();
    const int inset = Thickness() / 2 + m_borderWidth;
    if (m_style == jxgbHorizontal) {
        r.Top += inset;
        r.Bottom -= inset;
    } else {
        r.Left += inset;
        r.Right -= inset;
    }
    return r;
}

void TJXGrabBar::InvertedRect(const TRect &r)
{
    if (r.IsEmpty()) {
        if (m_ghost)
            m_ghost->hide();
        return;
    }
    TWinControl *parent = Parent();
    if (!parent)
        return;
    if (!m_ghost)
        m_ghost = new TGhostBar(parent);
    m_ghost->setGeometry(r.Left, r.Top, r.Width(), r.Height());
    m_ghost->raise();
    m_ghost->show();
}

void TJXGrabBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    const QPointer<TJXGrabBar> alive(this);
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft || !Parent())
        return;
    m_dragging = true;
    m_dragRect = BoundsRect();
    InvertedRect(m_dragRect);
}

void TJXGrabBar::MouseMove(TShiftState shift, int x, int y)
{
    const QPointer<TJXGrabBar> alive(this);
    TCustomControl::MouseMove(shift, x, y);
    if (!alive || !m_dragging || !shift.Contains(ssLeft) || !Parent())
        return;
    // The mouse stays within the parent, less half a bar and the border at either end, so
    // the ghost never leaves the room the bar may take.
    TPoint p = ClientToParent(x, y);
    const TRect limits = DragLimits();
    p.X = std::max(limits.Left, std::min(p.X, limits.Right - 1));
    p.Y = std::max(limits.Top, std::min(p.Y, limits.Bottom - 1));
    const TRect candidate = BarRect(p.X, p.Y);
    if (candidate == m_dragRect || candidate.IsEmpty())
        return;
    m_dragRect = candidate;
    InvertedRect(m_dragRect);
}

void TJXGrabBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    const QPointer<TJXGrabBar> alive(this);
    TCustomControl::MouseUp(button, shift, x, y);
    if (!alive || button != mbLeft)
        return;
    m_dragging = false;
    if (!m_dragRect.IsEmpty()) {
        InvertedRect(TRect());
        const TRect before = BoundsRect();
        if (m_style == jxgbHorizontal)
            SetTop(m_dragRect.Top);
        else
            SetLeft(m_dragRect.Left);
        if (Overlaps(m_dragRect, before))
            Repaint();
    }
    m_dragRect = TRect();
    FireEvent(this, OnMove, &TJXGrabBar::onMove, this);
}

void TJXGrabBar::Paint()
{
    TCanvas *canvas = Canvas();
    const int w = Width();
    const int h = Height();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(m_borderStyle == bsSingle ? clWindowFrame : Color());
    canvas->Rectangle(0, 0, w, h);
    if (Ctl3D()) {
        const int i = m_borderStyle == bsSingle ? 1 : 0;
        canvas->Pen()->SetColor(clWhite);
        canvas->MoveTo(i, h - i - 1);
        canvas->LineTo(i, i);
        canvas->LineTo(w - i - 1, i);
        canvas->Pen()->SetColor(clGray);
        canvas->LineTo(w - i - 1, h - i - 1);
        canvas->LineTo(i, h - i - 1);
    }
}

QSize TJXGrabBar::sizeHint() const
{
    // The bar runs the parent's length whatever its size, so the hint does not follow the
    // size it was given (a layout would otherwise only ever grow it).
    const int t = std::max(1, Thickness());
    const int length = std::max(kHintLength, 2 * m_borderWidth + 1);
    return m_style == jxgbHorizontal ? QSize(length, t) : QSize(t, length);
}

TAccessibleInfo TJXGrabBar::AccessibleInfo() const
{
    return {QAccessible::Splitter, Hint()};
}

QSize TJXGrabBar::minimumSizeHint() const
{
    const int t = std::max(1, Thickness());
    return m_style == jxgbHorizontal ? QSize(1, t) : QSize(t, 1);
}

} // namespace jxt
