// SPDX-License-Identifier: MIT
#include "host/Controls.h"

#include "host/Forms.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace jxt {

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier)
        s.Include(ssShift);
    if (mods & Qt::AltModifier)
        s.Include(ssAlt);
    if (mods & Qt::ControlModifier)
        s.Include(ssCtrl);
    if (buttons & Qt::LeftButton)
        s.Include(ssLeft);
    if (buttons & Qt::RightButton)
        s.Include(ssRight);
    if (buttons & Qt::MiddleButton)
        s.Include(ssMiddle);
    return s;
}

bool ButtonOf(Qt::MouseButton b, TMouseButton &out)
{
    switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

} // namespace

Qt::CursorShape CursorShape(TCursor cursor)
{
    switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSize: return Qt::SizeAllCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

// TControl

TControl::TControl(TComponent *owner) : TComponent(owner)
{
    InstallAccessibleFactory();
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(0, 0);
    m_font.OnChange = [this](TObject *) {
        m_parentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    BeforeDestruction();
    if (m_parent)
        m_parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl *parent)
{
    if (parent == m_parent)
        return;
    if (m_parent)
        m_parent->RemoveControl(this);
    m_parent = nullptr;
    QWidget::setParent(parent);
    if (parent) {
        parent->InsertControl(this);
        ParentChanged();
    }
    ApplyVisibility();
    if (parent && m_align != alNone)
        parent->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    const bool moved = left != Left() || top != Top();
    const bool resized = width != this->width() || height != this->height();
    if (!moved && !resized)
        return;
    setGeometry(left, top, width, height);
    if (resized) {
        Resize();
        Invalidate();
    }
    if (m_parent && m_align != alNone)
        m_parent->Realign();
}

void TControl::SetAlign(TAlign align)
{
    if (align == m_align)
        return;
    m_align = align;
    if (m_parent)
        m_parent->Realign();
}

void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    if (color == m_color)
        return;
    m_color = color;
    Invalidate();
}

void TControl::SetParentColor(bool v)
{
    m_parentColor = v;
    if (v)
        ParentChanged();
}

void TControl::SetParentFont(bool v)
{
    m_parentFont = v;
    if (v)
        ParentChanged();
}

void TControl::ParentChanged()
{
    if (!m_parent)
        return;
    if (m_parentColor && m_color != m_parent->Color()) {
        m_color = m_parent->Color();
        Invalidate();
    }
    if (m_parentFont) {
        auto handler = std::move(m_font.OnChange);
        m_font.OnChange = nullptr;
        m_font.Assign(m_parent->Font());
        m_font.OnChange = std::move(handler);
        FontChanged();
    }
}

void TControl::SetVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    ApplyVisibility();
    Invalidate();
    if (m_parent && m_align != alNone)
        m_parent->Realign();
}

void TControl::ApplyVisibility()
{
    if (m_parent)
        QWidget::setVisible(m_visible || ComponentState().Contains(csDesigning));
}

void TControl::SetEnabled(bool v)
{
    if (v == m_enabled)
        return;
    m_enabled = v;
    QWidget::setEnabled(v);
    Invalidate();
}

void TControl::SetHint(const QString &hint)
{
    m_hint = hint;
    setToolTip(m_showHint ? hint : QString());
}

void TControl::SetShowHint(bool v)
{
    m_showHint = v;
    m_parentShowHint = false;
    setToolTip(v ? m_hint : QString());
}

void TControl::SetCursor(TCursor c)
{
    m_cursor = c;
    if (c == crDefault)
        unsetCursor();
    else
        setCursor(Screen()->Cursors(c)); // standard shapes, or a cursor registered under c
}

void TControl::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Invalidate();
    AccessibleNameChanged();
}

void TControl::AccessibleNameChanged()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TControl::AccessibleValueChanged()
{
    if (!QAccessible::isActive())
        return;
    const TAccessibleInfo info = AccessibleInfo();
    if (!info.hasValue)
        return;
    QAccessibleValueChangeEvent event(this, info.value.value);
    QAccessible::updateAccessibility(&event);
}

void TControl::SetPopupMenu(TPopupMenu *menu)
{
    if (menu == m_popupMenu)
        return;
    if (m_popupMenu)
        RemoveFreeNotification(m_popupMenu);
    m_popupMenu = menu;
    if (menu)
        FreeNotification(menu);
}

void TControl::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_popupMenu)
        m_popupMenu = nullptr;
}

bool TControl::DoPopupMenu(int x, int y)
{
    if (!m_popupMenu || !m_popupMenu->AutoPopup() || ComponentState().Contains(csDesigning))
        return false;
    m_popupMenu->SetPopupComponent(this);
    m_popupMenu->Popup(x, y);
    return true;
}

TCanvas *TControl::Canvas()
{
    EnsureSurface();
    if (!m_inPaint)
        update(); // immediate drawing shows at the next blit
    return m_canvas.get();
}

void TControl::EnsureSurface()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>();
    const QSize wanted(std::max(0, width()), std::max(0, height()));
    if (m_surface.size() != wanted) {
        QImage fresh(wanted, QImage::Format_ARGB32_Premultiplied);
        if (!fresh.isNull()) {
            fresh.fill(Qt::transparent);
            if (!m_surface.isNull()) {
                QPainter p(&fresh);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(0, 0, m_surface);
            }
        }
        m_surface = fresh;
    }
    if (m_canvas->Device() != &m_surface || m_surface.isNull())
        m_canvas->SetDevice(m_surface.isNull() ? nullptr : &m_surface);
}

void TControl::Invalidate()
{
    m_needsPaint = true;
    update();
}

void TControl::RunPaint()
{
    // A Paint that resizes the control marks it again; a few rounds settle every control
    // whose size depends on its own properties.
    for (int round = 0; round < 4 && m_needsPaint; ++round) {
        m_needsPaint = false;
        EnsureSurface();
        if (m_transparentSurface && !m_surface.isNull())
            m_surface.fill(Qt::transparent);
        m_inPaint = true;
        ++m_paintCount;
        Paint();
        m_inPaint = false;
    }
}

void TControl::Repaint()
{
    m_needsPaint = true;
    RunPaint();
    if (isVisible())
        repaint();
}

void TControl::Update()
{
    if (m_needsPaint)
        RunPaint();
    if (isVisible())
        repaint();
}

void TControl::Paint()
{
    TCanvas *canvas = m_canvas.get();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(m_color);
    canvas->FillRect(ClientRect());
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::paintEvent(QPaintEvent *)
{
    if (m_needsPaint)
        RunPaint();
    else
        EnsureSurface();
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

void TControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() != event->oldSize()) {
        m_needsPaint = true;
        if (event->oldSize().isValid())
            Resize();
    }
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::mousePressEvent(QMouseEvent *event)
{
    TMouseButton b;
    if (!m_enabled || !ButtonOf(event->button(), b))
        return;
    if (b == mbLeft)
        m_pressed = true;
    const QPoint p = event->position().toPoint();
    MouseDown(b, ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TControl::mouseReleaseEvent(QMouseEvent *event)
{
    TMouseButton b;
    if (!m_enabled || !ButtonOf(event->button(), b))
        return;
    const QPoint p = event->position().toPoint();
    const bool click = b == mbLeft && m_pressed && rect().contains(p);
    if (b == mbLeft)
        m_pressed = false;
    // A handler may free the control; nothing of it is touched once it is gone.
    const QPointer<TControl> alive(this);
    MouseUp(b, ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y());
    if (click && alive)
        Click();
}

void TControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    TMouseButton b;
    if (!m_enabled || !ButtonOf(event->button(), b))
        return;
    const QPoint p = event->position().toPoint();
    TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    shift.Include(ssDouble);
    const QPointer<TControl> alive(this);
    if (b == mbLeft)
        DblClick();
    if (alive)
        MouseDown(b, shift, p.x(), p.y());
}

void TControl::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_enabled)
        return;
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TControl::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_enabled && DoPopupMenu(event->globalPos().x(), event->globalPos().y()))
        event->accept();
    else
        event->ignore(); // the parent widget may have a menu of its own
}

// TWinControl

TWinControl::TWinControl(TComponent *owner) : TControl(owner)
{
    setFocusPolicy(Qt::ClickFocus);
}

TWinControl::~TWinControl()
{
    BeforeDestruction();
    // Child controls go with their parent, each told before it is deleted.
    while (!m_controls.empty()) {
        TControl *child = m_controls.back();
        child->BeforeDestruction();
        delete child;
    }
}

void TWinControl::InsertControl(TControl *control)
{
    if (std::find(m_controls.begin(), m_controls.end(), control) == m_controls.end())
        m_controls.push_back(control);
    control->m_parent = this;
}

void TWinControl::RemoveControl(TControl *control)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    control->m_parent = nullptr;
    if (control->Align() != alNone && !ComponentState().Contains(csDestroying))
        Realign();
}

void TWinControl::EnableAlign()
{
    if (m_alignDisabled > 0 && --m_alignDisabled == 0)
        Realign();
}

void TWinControl::Realign()
{
    if (m_alignDisabled > 0 || m_aligning || ComponentState().Contains(csDestroying))
        return;
    m_aligning = true;
    TRect r = AlignRect();
    const bool designing = ComponentState().Contains(csDesigning);
    auto placed = [&](TAlign align) {
        std::vector<TControl *> list;
        for (TControl *c : m_controls)
            if (c->Align() == align && (c->Visible() || designing))
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl *a, TControl *b) {
            switch (align) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        return list;
    };
    for (TControl *c : placed(alTop)) {
        c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
        r.Top += c->Height();
    }
    for (TControl *c : placed(alBottom)) {
        c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
        r.Bottom -= c->Height();
    }
    for (TControl *c : placed(alLeft)) {
        c->SetBounds(r.Left, r.Top, c->Width(), std::max(0, r.Height()));
        r.Left += c->Width();
    }
    for (TControl *c : placed(alRight)) {
        c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), std::max(0, r.Height()));
        r.Right -= c->Width();
    }
    for (TControl *c : placed(alClient))
        c->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    m_aligning = false;
}

void TWinControl::SetColor(TColor color)
{
    TControl::SetColor(color);
    for (TControl *c : m_controls)
        if (c->ParentColor())
            c->ParentChanged();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl *c : m_controls)
        if (c->ParentFont())
            c->ParentChanged();
}

void TWinControl::Resize()
{
    TControl::Resize();
    Realign();
}

void TWinControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (OnExit)
        OnExit(this);
}

void TWinControl::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(this, key, ShiftOf(event->modifiers(), Qt::NoButton));
    if (OnKeyPress && !event->text().isEmpty()) {
        QChar ch = event->text().at(0);
        OnKeyPress(this, ch);
    }
}

void TWinControl::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyUp)
        OnKeyUp(this, key, ShiftOf(event->modifiers(), Qt::NoButton));
}

} // namespace jxt
