// SPDX-License-Identifier: MIT
#include "host/controls/Controls.h"

#include "host/core/Events.h"
#include "host/graphics/CanvasRaster.h"

#include "host/controls/Forms.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QLayout>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>

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
    InstallFontSubstitutions();
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(0, 0);
    m_font.OnChange = [this](TObject *) {
        m_parentFont = false;
        ApplyFontToWidget();
        FontChanged();
    };
    ApplyFontToWidget();
    ApplyColorToWidget();
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
    {
        const QScopedValueRollback reparenting(m_reparenting, true);
        QWidget::setParent(parent);
    }
    if (parent)
        parent->InsertControl(this);
    ParentChanged();
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
    if (m_parent)
        m_parent->ControlsChanged();
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
    const bool wasParentColor = m_parentColor;
    m_parentColor = false;
    if (color == m_color && !wasParentColor)
        return;
    m_color = color;
    ApplyColorToWidget();
    Invalidate();
    ColorToChildren();
}

void TControl::SetParentColor(bool v)
{
    m_parentColor = v;
    if (v)
        ParentChanged();
    else
        ApplyColorToWidget(); // the colour stays, now the control's own
}

void TControl::ColorToChildren()
{
    if (auto *win = qobject_cast<TWinControl *>(this))
        for (TControl *c : win->m_controls)
            if (c->m_parentColor)
                c->ParentChanged();
}

void TControl::ShowHintToChildren()
{
    if (auto *win = qobject_cast<TWinControl *>(this))
        for (TControl *c : win->m_controls)
            if (c->m_parentShowHint)
                c->ParentChanged();
}

TControl *TControl::ParentControl() const
{
    if (m_parent)
        return m_parent;
    return qobject_cast<TControl *>(parentWidget());
}

void TControl::SetParentFont(bool v)
{
    m_parentFont = v;
    if (v)
        ParentChanged();
    else
        ApplyFontToWidget(); // the font stays, now the control's own
}

void TControl::ParentChanged()
{
    const TControl *source = ParentControl();
    const QWidget *widget = parentWidget();
    if (!source && !widget) {
        // Nothing to follow: colour and font are the control's own.
        ApplyFontToWidget();
        ApplyColorToWidget();
        return;
    }
    // A plain QWidget parent gives its palette's Window colour, its font, and Qt's rule that
    // a widget's tooltip is shown.
    if (m_parentColor) {
        const TColor color =
            source ? source->Color() : QColorToColor(widget->palette().color(QPalette::Window));
        const bool changed = color != m_color;
        m_color = color;
        ApplyColorToWidget();
        if (changed) {
            Invalidate();
            ColorToChildren();
        }
    }
    if (m_parentShowHint) {
        const bool show = source ? source->ShowHint() : true;
        if (show != m_showHint) {
            m_showHint = show;
            ApplyHintToWidget();
            ShowHintToChildren();
        }
    }
    if (source && m_parentCtl3D && m_ctl3D != source->Ctl3D()) {
        m_ctl3D = source->Ctl3D();
        Ctl3DChanged();
        if (auto *win = qobject_cast<TWinControl *>(this))
            for (TControl *c : win->m_controls)
                if (c->m_parentCtl3D)
                    c->ParentChanged();
    }
    if (m_parentFont) {
        TFont font;
        if (source) {
            font.Assign(source->Font());
        } else {
            font.Assign(&m_font);
            font.AssignQFont(widget->font());
        }
        auto handler = std::move(m_font.OnChange);
        m_font.OnChange = nullptr;
        m_font.Assign(&font);
        m_font.OnChange = std::move(handler);
        ApplyFontToWidget();
        FontChanged();
    }
}

void TControl::ApplyFontToWidget()
{
    const QScopedValueRollback syncing(m_syncing, true);
    // Following a plain QWidget, the widget's font is inherited as Qt inherits fonts, so the
    // parent's later changes arrive as font changes; otherwise it is the control's own.
    if (m_parentFont && parentWidget() && !ParentControl())
        QWidget::setFont(QFont());
    else
        QWidget::setFont(m_font.ToQFont());
}

void TControl::ApplyColorToWidget()
{
    const QScopedValueRollback syncing(m_syncing, true);
    const QPalette current = palette();
    // Every role the palette sets, except Window, stays as it is.
    QPalette own;
    own.setResolveMask(0);
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = QPalette::ColorGroup(g);
            const auto role = QPalette::ColorRole(r);
            if (role != QPalette::Window && current.isBrushSet(group, role))
                own.setBrush(group, role, current.brush(group, role));
        }
    if (m_parentColor && parentWidget() && !ParentControl()) {
        // Inherited from the plain QWidget parent, as Qt inherits palettes.
        m_appliedWindow = QColor();
    } else {
        const TPaletteScope scope(current);
        m_appliedWindow = ColorToQColor(m_color);
        own.setColor(QPalette::Window, m_appliedWindow);
    }
    setPalette(own);
}

void TControl::ApplyHintToWidget()
{
    const QScopedValueRollback syncing(m_syncing, true);
    setToolTip(m_showHint ? m_hint : QString());
}

void TControl::TakeWidgetFont()
{
    if (!testAttribute(Qt::WA_SetFont)) {
        // Inherited: from a plain QWidget parent that the control follows, or the control's
        // own font was reset, which gives the parent's.
        if (!ParentControl() && parentWidget()) {
            m_parentFont = true;
            ParentChanged();
        } else {
            ApplyFontToWidget();
        }
        return;
    }
    TFont font;
    font.Assign(&m_font);
    font.AssignQFont(QWidget::font());
    if (font.Name() == m_font.Name() && font.Height() == m_font.Height() &&
        font.Style() == m_font.Style()) {
        ApplyFontToWidget(); // same font: keep the widget's exactly as the control draws
        return;
    }
    m_font.Assign(&font); // OnChange: ParentFont off, the widget gets the font, repaint
}

void TControl::TakeWidgetPalette()
{
    const QPalette current = palette();
    if (current.isBrushSet(QPalette::Active, QPalette::Window)) {
        const QColor window = current.color(QPalette::Active, QPalette::Window);
        if (window != m_appliedWindow) {
            SetColor(QColorToColor(window)); // set from outside: the control's own colour
            return;
        }
    } else if (m_parentColor && parentWidget() && !ParentControl()) {
        ParentChanged();
        return;
    }
    // The control's own colour: a system colour is resolved anew (the palette changed).
    ApplyColorToWidget();
}

void TControl::TakeWidgetToolTip()
{
    const QString tip = toolTip();
    if (tip.isEmpty()) {
        m_hint.clear();
        return;
    }
    m_hint = tip;
    if (!m_showHint || m_parentShowHint) {
        m_showHint = true;
        m_parentShowHint = false;
        ShowHintToChildren();
    }
}

void TControl::SetVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    ApplyVisibility();
    VisibilityChanged();
}

void TControl::setVisible(bool visible)
{
    // Qt hides a widget while moving it to another parent, and the designer shows every
    // control: neither changes Visible.
    if (m_reparenting || ComponentState().Contains(csDesigning)) {
        QWidget::setVisible(visible);
        return;
    }
    const bool changed = visible != m_visible;
    m_visible = visible;
    QWidget::setVisible(visible);
    if (changed)
        VisibilityChanged();
}

void TControl::VisibilityChanged()
{
    Invalidate();
    if (m_parent && m_align != alNone)
        m_parent->Realign();
    if (m_parent)
        m_parent->ControlsChanged();
}

void TControl::ApplyVisibility()
{
    if (m_parent || parentWidget())
        QWidget::setVisible(m_visible || ComponentState().Contains(csDesigning));
}

void TControl::SetEnabled(bool v)
{
    if (v == Enabled())
        return;
    QWidget::setEnabled(v); // EnabledChange repaints
}

void TControl::SetHint(const QString &hint)
{
    m_hint = hint;
    ApplyHintToWidget();
}

void TControl::SetShowHint(bool v)
{
    m_parentShowHint = false;
    if (v == m_showHint)
        return;
    m_showHint = v;
    ApplyHintToWidget();
    ShowHintToChildren();
}

void TControl::SetParentShowHint(bool v)
{
    m_parentShowHint = v;
    if (v)
        ParentChanged();
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
    updateGeometry();
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

void TControl::SetCtl3D(bool value)
{
    m_parentCtl3D = false;
    if (value == m_ctl3D)
        return;
    m_ctl3D = value;
    Ctl3DChanged();
    if (auto *win = qobject_cast<TWinControl *>(this))
        for (TControl *c : win->m_controls)
            if (c->m_parentCtl3D)
                c->ParentChanged();
}

void TControl::SetParentCtl3D(bool value)
{
    m_parentCtl3D = value;
    if (value)
        ParentChanged();
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
    // Timer steps ask for the canvas often: while the surface has the control's size at its
    // ratio it is used as it is (a new device pixel ratio is found by the next paint).
    const bool current = m_canvas && !m_surface.isNull() && [this] {
        const raster::TScale scale(m_surface.devicePixelRatio());
        return m_surface.width() == scale.DeviceSize(width()) &&
               m_surface.height() == scale.DeviceSize(height());
    }();
    if (!current)
        EnsureSurface();
    if (!m_inPaint)
        update(); // immediate drawing shows at the next blit
    return m_canvas.get();
}

void TControl::EnsureSurface()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>();
    // The surface has the widget's device pixel ratio, so what is drawn on it is shown one
    // device pixel for one.
    const raster::TScale scale(devicePixelRatioF());
    const QSize wanted(scale.DeviceSize(std::max(0, width())),
                       scale.DeviceSize(std::max(0, height())));
    const bool rescaled = !m_surface.isNull() && m_surface.devicePixelRatio() != scale.Ratio();
    if (m_surface.size() != wanted || rescaled) {
        QImage fresh(wanted, QImage::Format_ARGB32_Premultiplied);
        if (!fresh.isNull()) {
            fresh.setDevicePixelRatio(scale.Ratio());
            fresh.fill(Qt::transparent);
            if (rescaled) {
                // A picture of another resolution is not kept: the control paints anew.
                m_needsPaint = true;
                if (!m_inPaint)
                    update();
            } else if (!m_surface.isNull()) {
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

namespace {

// Repaints a minimised window once it is shown again. Controls of a minimised window only mark
// themselves for a new paint (some platforms keep a minimised window exposed and would paint
// it all the time); this watcher, one per window, sends the one update they then need.
class TRestoreWatcher final : public QObject
{
public:
    static void Watch(QWidget *window)
    {
        static const char kWatched[] = "_jxt_restoreWatcher";
        if (window->property(kWatched).toBool())
            return;
        window->setProperty(kWatched, true);
        window->installEventFilter(new TRestoreWatcher(window));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            if (auto *window = qobject_cast<QWidget *>(watched); window && !window->isMinimized())
                window->update();
        return false;
    }

private:
    explicit TRestoreWatcher(QObject *parent) : QObject(parent) {}
};

} // namespace

void TControl::Invalidate()
{
    m_needsPaint = true;
    QWidget *top = window();
    if (top->isMinimized()) {
        TRestoreWatcher::Watch(top);
        return;
    }
    update();
}

namespace {

// Whether layout (or a layout nested in it) manages widget.
bool LayoutHolds(const QLayout *layout, const QWidget *widget)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == widget)
            return true;
        if (const QLayout *inner = item->layout(); inner && LayoutHolds(inner, widget))
            return true;
    }
    return false;
}

} // namespace

bool TControl::WidthFixed() const
{
    if (m_parent && (m_align == alTop || m_align == alBottom || m_align == alClient))
        return true;
    const QWidget *parent = parentWidget();
    return parent && parent->layout() && LayoutHolds(parent->layout(), this);
}

bool TControl::HeightFixed() const
{
    if (m_parent && (m_align == alLeft || m_align == alRight || m_align == alClient))
        return true;
    const QWidget *parent = parentWidget();
    return parent && parent->layout() && LayoutHolds(parent->layout(), this);
}

void TControl::FitToContent()
{
    const QSize current(Width(), Height());
    const QSize wanted = ContentSize(current);
    const auto take = [](int have, int want, bool fixed) {
        return fixed || want < 0 || want > kMaxSide ? have : want;
    };
    const int w = take(current.width(), wanted.width(), WidthFixed());
    const int h = take(current.height(), wanted.height(), HeightFixed());
    if (w != current.width() || h != current.height())
        SetBounds(Left(), Top(), w, h);
}

void TControl::RunPaint()
{
    // The size is settled first, in one step; the paint that follows covers the resize.
    FitToContent();
    EnsureSurface();
    m_needsPaint = false;
    if (m_transparentSurface && !m_surface.isNull())
        m_surface.fill(Qt::transparent);
    const bool outer = !m_inPaint;
    m_inPaint = true;
    ++m_paintCount;
    // A handler that Paint runs may Free the control: while this property is set, Free
    // leaves the deletion to the event loop (TComponent::Free), since the paint and the
    // paint event around it still use the control.
    if (outer)
        setProperty("jxtPainting", true);
    {
        // System colours (clBtnFace, clWindow, ...) are the widget's own palette's.
        const QPalette palette = this->palette();
        const TPaletteScope scope(palette);
        Paint();
    }
    if (outer) {
        setProperty("jxtPainting", QVariant());
        m_inPaint = false;
    }
}

void TControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        // Set from outside, or the parent's or the application's changed: Color follows.
        // System colours may have changed too: the whole picture is drawn again.
        if (!m_syncing)
            TakeWidgetPalette();
        Invalidate();
        break;
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
        if (!m_syncing)
            TakeWidgetFont();
        break;
    case QEvent::EnabledChange:
        // Its own flag or a parent's: the control paints as isEnabled() says.
        Invalidate();
        break;
    default: break;
    }
}

bool TControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        // On another screen the device pixel ratio may differ: the next paint makes the
        // surface at the new ratio and draws it anew.
        Invalidate();
        break;
    case QEvent::ParentAboutToChange: m_reparenting = true; break;
    case QEvent::ParentChange:
        m_reparenting = false;
        // Placed in a widget by Qt (a layout, setParent) rather than by SetParent, an
        // invisible control stays hidden when its new parent is shown, and colour, font
        // and hint setting follow the new parent.
        if (parentWidget() && !m_visible && !ComponentState().Contains(csDesigning))
            QWidget::setVisible(false);
        if (!m_parent)
            ParentChanged();
        break;
    case QEvent::ToolTipChange:
        if (!m_syncing)
            TakeWidgetToolTip();
        break;
    default: break;
    }
    return TComponent::event(event);
}

bool TControl::Showing() const
{
    if (window()->isMinimized())
        return false;
    if (isVisible())
        return true;
    for (const QWidget *w = this; w; w = w->parentWidget())
        if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return false;
    return true;
}

void TControl::Repaint()
{
    m_needsPaint = true;
    if (!Showing())
        return;
    RunPaint();
    if (isVisible())
        repaint();
}

void TControl::Update()
{
    if (m_needsPaint && Showing())
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
    FireEvent(this, OnResize, &TControl::onResize, this);
}

void TControl::paintEvent(QPaintEvent *)
{
    EnsureSurface(); // may find a new device pixel ratio, which needs a paint
    // A minimised window that the platform still paints shows its last picture; the new one
    // is drawn when the window is restored.
    if (m_needsPaint && !window()->isMinimized())
        RunPaint();
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

// Each event runs the handler, then emits its signal unless the handler freed the control.

void TControl::Click()
{
    FireEvent(this, OnClick, &TControl::onClick, this);
}

void TControl::DblClick()
{
    FireEvent(this, OnDblClick, &TControl::onDblClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    FireEvent(this, OnMouseDown, &TControl::onMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    FireEvent(this, OnMouseMove, &TControl::onMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    FireEvent(this, OnMouseUp, &TControl::onMouseUp, this, button, shift, x, y);
}

void TControl::DragOver(TObject *source, int x, int y, TDragState state, bool &accept)
{
    accept = false;
    const bool connected = isSignalConnected(QMetaMethod::fromSignal(&TControl::onDragOver));
    if (!OnDragOver && !connected)
        return;
    accept = true;
    FireEvent(this, OnDragOver, &TControl::onDragOver, this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject *source, int x, int y)
{
    FireEvent(this, OnDragDrop, &TControl::onDragDrop, this, source, x, y);
}

void TControl::DoEndDrag(TObject *target, int x, int y)
{
    FireEvent(this, OnEndDrag, &TControl::onEndDrag, this, target, x, y);
}

void TControl::DoStartDrag(TDragObject *&dragObject)
{
    FireEvent(this, OnStartDrag, &TControl::onStartDrag, this, dragObject);
}

void TControl::BeginDrag(bool immediate, int threshold)
{
    if (m_dragState == TDragPhase::Active || ComponentState().Contains(csDesigning))
        return;
    // Called from a press handler, the drag starts where the button went down.
    if (!m_pressed)
        m_dragStart = QCursor::pos();
    m_dragThreshold = std::max(0, threshold);
    m_dragTarget = nullptr;
    m_dragAccepted = false;
    m_dragObject = nullptr;
    m_dragState = TDragPhase::Pending;
    grabMouse();
    if (!immediate)
        return;
    m_dragState = TDragPhase::Active;
    QPointer<TControl> self(this);
    DoStartDrag(m_dragObject);
    if (self && m_dragState == TDragPhase::Active)
        DragTo(m_dragStart);
}

TControl *TControl::ControlAt(const QPoint &globalPos) const
{
    QWidget *top = window();
    const QPoint local = top->mapFromGlobal(globalPos);
    if (!top->rect().contains(local))
        return nullptr;
    QWidget *w = top->childAt(local);
    if (!w)
        w = top;
    for (; w; w = w->parentWidget())
        if (auto *control = qobject_cast<TControl *>(w))
            return control;
    return nullptr;
}

void TControl::DragTo(const QPoint &globalPos)
{
    QPointer<TControl> self(this);
    TObject *source = m_dragObject ? static_cast<TObject *>(m_dragObject) : this;
    TControl *target = ControlAt(globalPos);
    if (target != m_dragTarget) {
        if (TControl *old = m_dragTarget) {
            const QPoint p = old->mapFromGlobal(globalPos);
            bool ignored = false;
            old->DragOver(source, p.x(), p.y(), dsDragLeave, ignored);
            if (!self)
                return;
        }
        m_dragTarget = target;
        m_dragAccepted = false;
        if (target) {
            const QPoint p = target->mapFromGlobal(globalPos);
            bool accept = false;
            target->DragOver(source, p.x(), p.y(), dsDragEnter, accept);
            if (!self)
                return;
            m_dragAccepted = accept;
        }
    } else if (target) {
        const QPoint p = target->mapFromGlobal(globalPos);
        bool accept = false;
        target->DragOver(source, p.x(), p.y(), dsDragMove, accept);
        if (!self)
            return;
        m_dragAccepted = accept;
    }
    if (m_dragState == TDragPhase::Active)
        setCursor(QCursor(CursorShape(m_dragAccepted ? m_dragCursor : crNoDrop)));
}

void TControl::EndDrag(bool drop)
{
    if (m_dragState != TDragPhase::None)
        FinishDrag(drop, QCursor::pos());
}

void TControl::FinishDrag(bool drop, const QPoint &globalPos)
{
    const bool wasActive = m_dragState == TDragPhase::Active;
    m_dragState = TDragPhase::None;
    releaseMouse();
    SetCursor(m_cursor); // the control's own cursor again
    if (!wasActive)
        return;
    QPointer<TControl> self(this);
    TObject *source = m_dragObject ? static_cast<TObject *>(m_dragObject) : this;
    TControl *target = drop && m_dragAccepted ? m_dragTarget.data() : nullptr;
    m_dragTarget = nullptr;
    m_dragObject = nullptr;
    QPoint p;
    if (target) {
        p = target->mapFromGlobal(globalPos);
        target->DragDrop(source, p.x(), p.y());
        if (!self)
            return;
    }
    DoEndDrag(target, p.x(), p.y());
}

void TControl::mousePressEvent(QMouseEvent *event)
{
    TMouseButton b;
    if (!isEnabled() || !ButtonOf(event->button(), b))
        return;
    if (b == mbLeft)
        m_dragStart = event->globalPosition().toPoint();
    if (b == mbLeft && m_dragMode == dmAutomatic && !ComponentState().Contains(csDesigning)) {
        // An automatic drag takes the press: no OnMouseDown and no click.
        m_pressed = true;
        BeginDrag(true);
        m_pressed = false;
        return;
    }
    if (b == mbLeft)
        m_pressed = true;
    const QPoint p = event->position().toPoint();
    MouseDown(b, ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragState == TDragPhase::Active && event->button() == Qt::LeftButton) {
        FinishDrag(true, event->globalPosition().toPoint());
        return;
    }
    if (m_dragState == TDragPhase::Pending)
        FinishDrag(false, event->globalPosition().toPoint()); // never started: a plain click
    TMouseButton b;
    if (!isEnabled() || !ButtonOf(event->button(), b))
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
    if (!isEnabled() || !ButtonOf(event->button(), b))
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
    if (m_dragState != TDragPhase::None) {
        const QPoint g = event->globalPosition().toPoint();
        if (m_dragState == TDragPhase::Pending) {
            if ((g - m_dragStart).manhattanLength() < m_dragThreshold)
                return;
            m_dragState = TDragPhase::Active;
            QPointer<TControl> self(this);
            DoStartDrag(m_dragObject);
            if (!self || m_dragState != TDragPhase::Active)
                return;
        }
        DragTo(g);
        return;
    }
    if (!isEnabled())
        return;
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TControl::contextMenuEvent(QContextMenuEvent *event)
{
    if (isEnabled() && DoPopupMenu(event->globalPos().x(), event->globalPos().y()))
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
    if (auto *win = qobject_cast<TWinControl *>(control)) {
        if (std::find(m_tabList.begin(), m_tabList.end(), win) == m_tabList.end())
            m_tabList.push_back(win);
        ApplyTabOrder();
    }
    ControlsChanged();
}

void TWinControl::SetTabStop(bool value)
{
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::FocusPolicy(value ? (policy | Qt::TabFocus) : (policy & ~Qt::TabFocus)));
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto &list = Parent()->m_tabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    TWinControl *parent = Parent();
    if (!parent)
        return;
    auto &list = parent->m_tabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    value = std::clamp(value, 0, int(list.size()));
    list.insert(list.begin() + value, this);
    parent->ApplyTabOrder();
}

void TWinControl::ApplyTabOrder()
{
    for (std::size_t i = 1; i < m_tabList.size(); ++i)
        QWidget::setTabOrder(m_tabList[i - 1], m_tabList[i]);
}

void TWinControl::RemoveControl(TControl *control)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), control), m_tabList.end());
    control->m_parent = nullptr;
    if (control->Align() != alNone && !ComponentState().Contains(csDestroying))
        Realign();
    if (!ComponentState().Contains(csDestroying))
        ControlsChanged();
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
    FireEvent(this, OnEnter, &TWinControl::onEnter, this);
}

void TWinControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    FireEvent(this, OnExit, &TWinControl::onExit, this);
}

void TWinControl::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    const TShiftState shift = ShiftOf(event->modifiers(), Qt::NoButton);
    QPointer<TWinControl> self(this);
    if (!FireEvent(this, OnKeyDown, &TWinControl::onKeyDown, this, key, shift))
        return;
    if (!self || event->text().isEmpty())
        return;
    QChar ch = event->text().at(0);
    FireEvent(this, OnKeyPress, &TWinControl::onKeyPress, this, ch);
}

void TWinControl::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    FireEvent(this, OnKeyUp, &TWinControl::onKeyUp, this, key,
              ShiftOf(event->modifiers(), Qt::NoButton));
}

} // namespace jxt
