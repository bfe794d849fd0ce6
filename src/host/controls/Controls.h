// SPDX-License-Identifier: MIT
// Visual controls. Every control owns a surface: an off-screen image of its size behind its
// Canvas, kept at the widget's device pixel ratio (the canvas still draws in logical pixels).
// Invalidate marks the control for a new Paint and schedules a Qt update; the paint event runs
// Paint on the surface when marked and then shows the surface. Drawing on Canvas outside Paint
// (timer steps, immediate fills) lands on the surface and shows at the next update, as immediate
// drawing on a window does on Windows.
//
// Parent and owner. A control's Parent (SetParent) is the windowed control it is shown in and
// laid out by; its Owner (the constructor's argument) frees it. The two are separate: a
// control owned by a form may sit on a panel of that form. A parent control frees the
// controls still on it when it goes, each told (Notification) while it is whole.
//
// One state. The control's properties and QWidget's own calls are two ways to one state:
//   * Enabled is the widget's own enabled flag (setEnabled and SetEnabled are the same).
//     Painting and input follow isEnabled(), so a control in a disabled parent looks and
//     acts disabled, as with Enabled false.
//   * show, hide and setVisible set Visible as SetVisible does (while designing, the control
//     stays shown whatever Visible holds).
//   * toolTip() is Hint while ShowHint is on, else empty; setToolTip(text) sets Hint to text
//     and switches ShowHint on (an empty text clears Hint).
//   * QWidget::font() is Font as Qt draws it (Font()->ToQFont()); setFont sets Font (name,
//     size, style) and clears ParentFont.
//   * The palette's Window colour is Color; setPalette with a Window colour sets Color and
//     clears ParentColor.
// Parents. ParentColor, ParentFont and ParentShowHint follow the parent control's Color, Font
// and ShowHint; under a parent that is a plain QWidget they follow its palette's Window
// colour, its font and Qt's rule that tooltips are shown, and follow changes to them.
// Placement: use SetParent rather than QWidget::setParent, which leaves the control out of its
// parent's control list and Align layout (a widget parent that is no TWinControl is fine for
// forms made with uic, see JXDesignerWidgets.h); SetBounds rather than setGeometry, move or
// resize, which change the same rectangle but do not realign the parent's aligned controls;
// SetCursor rather than setCursor. Everything else of QWidget (layouts, size policies, style
// sheets of child widgets, events, focus calls) may be used as on any widget.
//
// Events. Each OnX handler is a std::function member, called on the user-interface thread at
// the moment the event happens, and each is also emitted as the Qt signal onX right after the
// handler (by-reference arguments as pointers). A handler may capture objects that live at
// least as long as the control, or must be cleared (OnX = nullptr) before they go. A handler
// of the events declared here may free the control that called it, after which no signal of
// that event is emitted.
//
// Sizing is not painting. A control whose size follows its content (cells, glyphs, boxes,
// text) says so in one place, ContentSize(current): given the size it has, it returns the
// size it wants, and changes nothing. The sizing step FitToContent runs it before every
// paint and takes the answer only on the sides nobody else decides: a side that the
// parent's Align fixes (the width of alTop/alBottom, the height of alLeft/alRight, both of
// alClient) or that a Qt layout manages keeps its size. Paint then only draws, with what
// the size allows (fewer boxes, smaller segments), and never changes the size or a
// property; a temporary squeeze leaves every property as it was. For Qt layouts a control
// answers sizeHint() and minimumSizeHint() from the same content; call updateGeometry()
// when what they depend on changes.
#pragma once

#include "base/Export.h"

#include "host/controls/Accessible.h"
#include "host/controls/Menus.h"
#include "host/core/Component.h"
#include "host/graphics/ColorValue.h"
#include "host/graphics/Graphics.h"

#include <QImage>
#include <QPointer>

#include <memory>

namespace jxt {

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

using TMouseEvent =
    std::function<void(TObject *sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject *sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject *sender, int &key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject *sender, QChar &key)>;

/// What a drag carries when a control's OnStartDrag supplies it; otherwise the source control
/// itself is the Source of the drag events. The handler that creates it also frees it (for
/// example in OnEndDrag).
class JXT_EXPORT TDragObject : public TObject
{
};
/// Source is over the sender at (x, y) in the sender's client coordinates; the handler sets
/// accept to say whether a drop there would be taken (it starts true).
using TDragOverEvent = std::function<void(TObject *sender, TObject *source, int x, int y,
                                          TDragState state, bool &accept)>;
/// Source was dropped on the sender at (x, y).
using TDragDropEvent = std::function<void(TObject *sender, TObject *source, int x, int y)>;
/// The sender's drag ended over target at (x, y) of the target, or was not taken (target nullptr).
using TEndDragEvent = std::function<void(TObject *sender, TObject *target, int x, int y)>;
/// The sender starts to be dragged; the handler may supply a drag object.
using TStartDragEvent = std::function<void(TObject *sender, TDragObject *&dragObject)>;

/// Cursor identifiers, with their Windows values.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -5,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21;

class TWinControl;

/// The base of every visual component: a widget with a place in its parent (bounds and
/// Align), colour and font that may follow the parent's, hint and cursor, the mouse and drag
/// events, and a surface that Paint draws on, sized to what the control shows.
class JXT_EXPORT TControl : public TComponent
{
    Q_OBJECT

public:
    explicit TControl(TComponent *owner = nullptr);
    ~TControl() override;

    /// The windowed control the control is shown on; default none (not shown). Setting it
    /// takes the control off its old parent, puts it on the new one, follows the new parent's
    /// colour, font and hint setting where ParentColor (ParentFont, ParentShowHint) is set,
    /// and realigns when Align is set.
    TWinControl *Parent() const { return m_parent; }
    virtual void SetParent(TWinControl *parent);

    /// Left, Top, Width and Height are one rectangle, the one SetBounds sets: for a child
    /// control its place in the parent, for a top-level form its client area on the screen
    /// (without the window frame, whose size only the window system knows), so reading the
    /// bounds and setting them again moves nothing. A negative width or height is taken as 0;
    /// a new size calls Resize and repaints, and an aligned control has its parent realign.
    //!@{
    int Left() const { return geometry().x(); }
    int Top() const { return geometry().y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    //!@}

    /// The side of the parent the control sticks to (alTop, alBottom, alLeft, alRight), the
    /// rest of the parent (alClient) or none; default alNone. Setting it realigns the parent.
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    /// The background colour; default clWindow. Setting it clears ParentColor and repaints; a
    /// windowed control passes it on to its children with ParentColor.
    TColor Color() const { return m_color; }
    virtual void SetColor(TColor color);
    /// Take Color from the parent (its Color, or a plain QWidget's palette Window colour);
    /// default true. Turning it on takes the parent's colour now.
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool v);
    /// The font the control writes with; SetFont copies the given font into it.
    //!@{
    TFont *Font() { return &m_font; }
    const TFont *Font() const { return &m_font; }
    void SetFont(const TFont *font) { m_font.Assign(font); }
    //!@}
    /// Take Font from the parent (a control's Font or a plain QWidget's font); default true.
    /// Turning it on takes the parent's font now.
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool v);
    /// Whether the control is shown (when its parent is); default true. Setting it repaints
    /// and realigns the parent when the control is aligned.
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool v);
    /// Whether the control takes mouse and keyboard input; default true. A disabled control
    /// fires no mouse events. Setting it repaints. This is the widget's own flag: a control
    /// in a disabled parent keeps Enabled true but paints and acts disabled (isEnabled()).
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    virtual void SetEnabled(bool v);
    /// The text of the tooltip shown while the mouse rests on the control, when ShowHint is
    /// on; default empty.
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    /// Show Hint as a tooltip; default false. Setting it clears ParentShowHint.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool v);
    /// Take ShowHint from the parent (a plain QWidget parent shows tooltips); default true.
    /// Turning it on takes the parent's setting now.
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool v);
    /// The mouse cursor over the control: a standard cursor (crArrow, crHandPoint, ...) or one
    /// registered with the screen; default crDefault (the parent's).
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor c);
    /// The control's text (caption of labels, panels and buttons).
    QString Caption() const { return m_caption; }
    virtual void SetCaption(const QString &caption);
    /// The menu a right click on the control opens (when the menu's AutoPopup is on); the
    /// control forgets it when the menu goes away. Default none.
    TPopupMenu *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu *menu);
    /// Draw the three-dimensional look (bevels) rather than flat lines; default true. Setting
    /// it clears ParentCtl3D and repaints; children with ParentCtl3D follow.
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool value);
    /// Take Ctl3D from the parent; default true.
    bool ParentCtl3D() const { return m_parentCtl3D; }
    void SetParentCtl3D(bool value);

    /// dmAutomatic starts a drag as soon as the left button goes down on the control (instead
    /// of OnMouseDown); dmManual (default) drags only when code calls BeginDrag.
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode mode) { m_dragMode = mode; }
    /// The cursor shown while the control is dragged over a control that would take it;
    /// default crDrag (crNoDrop is shown elsewhere).
    TCursor DragCursor() const { return m_dragCursor; }
    void SetDragCursor(TCursor cursor) { m_dragCursor = cursor; }
    /// Starts dragging this control: at once, or (immediate false) once the mouse has moved
    /// threshold pixels with the button held. The drag follows the mouse over the controls of
    /// the same window and ends when the button is released (or by EndDrag).
    void BeginDrag(bool immediate, int threshold = 5);
    /// Ends the drag: dropped on the control under the mouse when drop is true and that
    /// control takes it, else abandoned. OnEndDrag runs either way.
    void EndDrag(bool drop);
    /// Whether a drag of this control is under way (also while it waits for the threshold).
    bool Dragging() const { return m_dragState != TDragPhase::None; }

    /// The canvas on the control's surface. Drawing on it outside Paint shows at the next
    /// update.
    TCanvas *Canvas();
    /// The surface in device pixels: its devicePixelRatio() is the widget's (Canvas reads and
    /// draws it in logical pixels).
    const QImage &Surface() const { return m_surface; }
    /// Marks the control for a new Paint and schedules an update.
    void Invalidate();
    /// Paints at once (Paint runs on the surface now) and shows the result. A control that
    /// is not showing is only marked: it paints when it is shown.
    void Repaint();
    /// The same as Repaint.
    void Refresh() { Repaint(); }
    /// Runs a pending Paint now, if one is pending.
    void Update();
    /// Whether a Paint is pending (Invalidate was called and no Paint ran since).
    bool PaintPending() const { return m_needsPaint; }
    /// Whether drawing now would be seen: false while the control or a parent is hidden or
    /// its window is minimised. A control that was never shown (drawn off-screen, into a
    /// file or a test) counts as showing. Timer steps of a control that is not showing
    /// advance its state and leave the drawing to the paint when it is shown again.
    bool Showing() const;
    /// The sizing step: gives the control the size ContentSize asks for on every side that
    /// neither the parent's alignment nor a Qt layout fixes. Runs before every paint; call
    /// it to have the new size at once. Sizes beyond kMaxSide are not taken.
    void FitToContent();
    /// Whether the parent's alignment or a Qt layout decides the width (height).
    //!@{
    bool WidthFixed() const;
    bool HeightFixed() const;
    //!@}
    /// The largest width or height the sizing step gives a control.
    static constexpr int kMaxSide = 32767;
    /// Number of Paint calls so far (for diagnostics and tests of repaint rules).
    int PaintCount() const { return m_paintCount; }

    /// The left button was pressed and released on the control (or Click was called).
    TNotifyEvent OnClick;
    /// The left button was double-clicked on the control.
    TNotifyEvent OnDblClick;
    /// A mouse button went down on the control; x and y in client coordinates.
    TMouseEvent OnMouseDown;
    /// The mouse moved over the control (or, with a button held, anywhere after a press on
    /// it); x and y in client coordinates.
    TMouseMoveEvent OnMouseMove;
    /// A mouse button pressed on the control was released; x and y in client coordinates.
    TMouseEvent OnMouseUp;
    /// The control's size changed.
    TNotifyEvent OnResize;
    /// A dragged object was dropped on the control (which accepted it in OnDragOver); x and y
    /// in client coordinates.
    TDragDropEvent OnDragDrop;
    /// A dragged object entered, moved over or left the control; the handler sets accept to
    /// say whether it would take it (starts true).
    TDragOverEvent OnDragOver;
    /// A drag of this control ended: target is the control it was dropped on, or none when
    /// the drag was abandoned.
    TEndDragEvent OnEndDrag;
    /// A drag of this control starts; the handler may hand over a drag object of its own.
    TStartDragEvent OnStartDrag;

    /// What screen readers are told about the control (host/controls/Accessible.h). A component
    /// that shows something overrides it in one line, e.g. `return {QAccessible::StaticText,
    /// Caption()};`, or with a value and its range. The default (QAccessible::NoRole) leaves the
    /// control to Qt's plain widget interface.
    virtual TAccessibleInfo AccessibleInfo() const { return {}; }
    /// The items a list-like control shows (pictures, icons, tabs), which screen readers
    /// find as its children with the role AccessibleInfo().itemRole. The default has none.
    //!@{
    virtual int AccessibleItemCount() const { return 0; }
    virtual TAccessibleItem AccessibleItem(int index) const
    {
        (void)index;
        return {};
    }
    //!@}

    /// show(), hide() and setVisible set Visible (see One state above).
    void setVisible(bool visible) override;

    /// Fire the mouse events as a user action would (used by Qt's events and by tests).
    //!@{
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    //!@}
    /// The drag events as the drag runs them (also for tests). DragOver sets accept to false
    /// unless the control handles OnDragOver (or onDragOver is connected); then the handler
    /// decides, starting from true.
    //!@{
    virtual void DragOver(TObject *source, int x, int y, TDragState state, bool &accept);
    virtual void DragDrop(TObject *source, int x, int y);
    virtual void DoEndDrag(TObject *target, int x, int y);
    virtual void DoStartDrag(TDragObject *&dragObject);
    //!@}

signals:
    void onClick(jxt::TObject *sender);
    void onDblClick(jxt::TObject *sender);
    void onMouseDown(jxt::TObject *sender, jxt::TMouseButton button, jxt::TShiftState shift, int x,
                     int y);
    void onMouseMove(jxt::TObject *sender, jxt::TShiftState shift, int x, int y);
    void onMouseUp(jxt::TObject *sender, jxt::TMouseButton button, jxt::TShiftState shift, int x,
                   int y);
    void onResize(jxt::TObject *sender);
    void onDragDrop(jxt::TObject *sender, jxt::TObject *source, int x, int y);
    void onDragOver(jxt::TObject *sender, jxt::TObject *source, int x, int y, jxt::TDragState state,
                    bool *accept);
    void onEndDrag(jxt::TObject *sender, jxt::TObject *target, int x, int y);
    void onStartDrag(jxt::TObject *sender, jxt::TDragObject **dragObject);

protected:
    /// Draws the control on Canvas. The default fills the client area with Color. Paint
    /// only draws: it changes neither the size nor a property.
    virtual void Paint();
    /// The size the control wants for its content, given its current size (grow to fit:
    /// return at least what is needed; an exact size: return it). Changes nothing. The
    /// default keeps the current size.
    virtual QSize ContentSize(const QSize &current) const { return current; }
    /// Called after the size changed.
    virtual void Resize();
    /// Called when the parent's colour, font or hint setting changes and this control follows
    /// it (also when the parent is a plain QWidget whose palette or font changed).
    virtual void ParentChanged();
    /// Called after Font changed. The default asks layouts to measure again and repaints.
    virtual void FontChanged()
    {
        updateGeometry();
        Invalidate();
    }
    /// Called after Ctl3D changed; the default repaints.
    virtual void Ctl3DChanged() { Invalidate(); }
    /// Makes the surface transparent before each paint (controls the parent shows through).
    void SetSurfaceTransparent(bool transparent) { m_transparentSurface = transparent; }
    /// Whether Paint is running now.
    bool InPaint() const { return m_inPaint; }
    void Notification(TComponent *component, TOperation operation) override;
    /// Opens PopupMenu at screen point (x, y) when it is set, its AutoPopup is on and the
    /// control is not being designed; true when it did.
    virtual bool DoPopupMenu(int x, int y);
    /// Tell assistive technology that the name or the value of AccessibleInfo changed (cheap
    /// when no screen reader listens). SetCaption tells the name change itself.
    //!@{
    void AccessibleNameChanged();
    void AccessibleValueChanged();
    //!@}

    /// A move to another screen (and so perhaps another device pixel ratio) repaints.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    /// Palette, font and enabled changes (the widget's, a parent's or the application's) are
    /// taken into the control's state and repaint.
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TWinControl;
    enum class TDragPhase { None, Pending, Active };
    /// Moves the drag to the screen point p: leave, enter and move notices, and the cursor.
    void DragTo(const QPoint &globalPos);
    /// The control of this window under the screen point, or nullptr.
    TControl *ControlAt(const QPoint &globalPos) const;
    void FinishDrag(bool drop, const QPoint &globalPos);
    void RunPaint();
    void EnsureSurface();
    void ApplyVisibility();
    /// What the control does after Visible changed: repaint, realign the parent.
    void VisibilityChanged();
    /// The control whose Color, Font and ShowHint this one follows: the parent control, or
    /// the parent widget when it is a control placed there by Qt.
    TControl *ParentControl() const;
    /// Writes Font into QWidget::font(), Color into the palette's Window colour and
    /// Hint/ShowHint into the tooltip (without reading them back).
    void ApplyFontToWidget();
    void ApplyColorToWidget();
    void ApplyHintToWidget();
    /// Takes a font, palette or tooltip that was set on the widget from outside.
    void TakeWidgetFont();
    void TakeWidgetPalette();
    void TakeWidgetToolTip();
    /// Passes a new Color (ShowHint) on to the children that follow it.
    void ColorToChildren();
    void ShowHintToChildren();

    TWinControl *m_parent = nullptr;
    TAlign m_align = alNone;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    TFont m_font;
    bool m_parentFont = true;
    bool m_visible = true;
    QString m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TCursor m_cursor = crDefault;
    QString m_caption;
    TPopupMenu *m_popupMenu = nullptr;
    bool m_ctl3D = true;
    bool m_parentCtl3D = true;
    TDragMode m_dragMode = dmManual;
    TCursor m_dragCursor = crDrag;
    TDragPhase m_dragState = TDragPhase::None;
    QPoint m_dragStart;
    int m_dragThreshold = 0;
    TDragObject *m_dragObject = nullptr;
    QPointer<TControl> m_dragTarget;
    bool m_dragAccepted = false;

    QImage m_surface;
    std::unique_ptr<TCanvas> m_canvas;
    bool m_needsPaint = true;
    bool m_inPaint = false;
    bool m_transparentSurface = false;
    bool m_syncing = false;     // writing the state into the widget: its change events are ours
    bool m_reparenting = false; // inside a reparent: Qt's own hide is no change of Visible
    QColor m_appliedWindow;     // the Window colour last written into the palette
    bool m_pressed = false;
    int m_paintCount = 0;
};

/// A windowless painter (in this layer every control is a widget; the class keeps the name
/// the components derive from).
class JXT_EXPORT TGraphicControl : public TControl
{
    Q_OBJECT

public:
    using TControl::TControl;
};

/// A control that holds other controls and lays out their Align.
class JXT_EXPORT TWinControl : public TControl
{
    Q_OBJECT

public:
    explicit TWinControl(TComponent *owner = nullptr);
    ~TWinControl() override;

    /// The child controls, in the order they were placed (index from 0 to ControlCount - 1).
    //!@{
    int ControlCount() const { return int(m_controls.size()); }
    TControl *Controls(int index) const { return m_controls.at(std::size_t(index)); }
    //!@}
    /// Adds a control to the children (SetParent calls it; a control already there stays).
    void InsertControl(TControl *control);
    /// Takes a control off the children and realigns when it was aligned; a control that is
    /// not a child is ignored.
    void RemoveControl(TControl *control);

    /// Holds back Realign until as many EnableAlign calls as DisableAlign calls were made;
    /// the last EnableAlign realigns once (for many changes in a row).
    //!@{
    void DisableAlign() { ++m_alignDisabled; }
    void EnableAlign();
    //!@}
    /// Lays out the aligned children: top, bottom, left, right, then client.
    void Realign();
    /// The area the aligned children share (the client rectangle less borders).
    virtual TRect AlignRect() const { return ClientRect(); }

    /// Whether the control has the keyboard focus.
    bool Focused() const { return hasFocus(); }
    /// Gives the control the keyboard focus.
    void SetFocus() { setFocus(); }

    /// Whether the Tab key moves the focus to this control; default false. A control that
    /// takes no focus at all does not gain click focus by it.
    bool TabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }
    void SetTabStop(bool value);
    /// The position of this control in its parent's tab order (0 first), or -1 without a
    /// parent. Setting it moves the control there (held within the parent's windowed
    /// controls) and shifts the others.
    int TabOrder() const;
    void SetTabOrder(int value);
    /// The help topic of the control; default 0. Kept for forms: this layer shows no help.
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }
    /// The windowed child controls in tab order.
    //!@{
    int TabCount() const { return int(m_tabList.size()); }
    TWinControl *TabControl(int index) const { return m_tabList.at(std::size_t(index)); }
    //!@}

    /// The control got the keyboard focus.
    TNotifyEvent OnEnter;
    /// The control lost the keyboard focus.
    TNotifyEvent OnExit;
    /// A key went down while the control has the focus; key is the Qt key code. OnKeyPress
    /// follows for a key that types a character.
    TKeyEvent OnKeyDown;
    /// A key went up while the control has the focus; key is the Qt key code.
    TKeyEvent OnKeyUp;
    /// A character was typed while the control has the focus (after OnKeyDown).
    TKeyPressEvent OnKeyPress;

signals:
    void onEnter(jxt::TObject *sender);
    void onExit(jxt::TObject *sender);
    void onKeyDown(jxt::TObject *sender, int *key, jxt::TShiftState shift);
    void onKeyUp(jxt::TObject *sender, int *key, jxt::TShiftState shift);
    void onKeyPress(jxt::TObject *sender, QChar *key);

protected:
    /// Called after a control was placed on this one, taken off, moved, resized, shown or
    /// hidden (by the control's own calls).
    virtual void ControlsChanged() {}
    void Resize() override;
    void FontChanged() override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    friend class TControl;
    /// Gives the Qt focus chain the order of m_tabList.
    void ApplyTabOrder();
    std::vector<TControl *> m_controls;
    std::vector<TWinControl *> m_tabList;
    int m_alignDisabled = 0;
    bool m_aligning = false;
    int m_helpContext = 0;
};

/// A windowed painter: a TWinControl with its own Paint.
class JXT_EXPORT TCustomControl : public TWinControl
{
    Q_OBJECT

public:
    using TWinControl::TWinControl;
};

/// The standard cursor shape of a cursor identifier.
JXT_EXPORT Qt::CursorShape CursorShape(TCursor cursor);

} // namespace jxt
