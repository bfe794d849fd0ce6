// SPDX-License-Identifier: MIT
// Visual controls. Every control owns a surface: an off-screen image of its size behind its
// Canvas. Invalidate marks the control for a new Paint and schedules a Qt update; the paint
// event runs Paint on the surface when marked and then shows the surface. Drawing on Canvas
// outside Paint (timer steps, immediate fills) lands on the surface and shows at the next
// update, as immediate drawing on a window does on Windows.
#pragma once

#include "host/Export.h"

#include "host/Accessible.h"
#include "host/Component.h"
#include "host/Graphics.h"
#include "host/Menus.h"

#include <QImage>

#include <memory>

namespace jxt {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

using TMouseEvent =
    std::function<void(TObject *sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject *sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject *sender, int &key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject *sender, QChar &key)>;

/// Cursor identifiers, with their Windows values.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -5,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21;

class TWinControl;

class JXT_EXPORT TControl : public TComponent
{
    Q_OBJECT

public:
    explicit TControl(TComponent *owner = nullptr);
    ~TControl() override;

    TWinControl *Parent() const { return m_parent; }
    virtual void SetParent(TWinControl *parent);

    /// Left, Top, Width and Height are one rectangle, the one SetBounds sets: for a child
    /// control its place in the parent, for a top-level form its client area on the screen
    /// (without the window frame, whose size only the window system knows), so reading the
    /// bounds and setting them again moves nothing.
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

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    TColor Color() const { return m_color; }
    virtual void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool v);
    TFont *Font() { return &m_font; }
    const TFont *Font() const { return &m_font; }
    void SetFont(const TFont *font) { m_font.Assign(font); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool v);
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool v);
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool v);
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool v) { m_parentShowHint = v; }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor c);
    /// The control's text (caption of labels, panels and buttons).
    QString Caption() const { return m_caption; }
    virtual void SetCaption(const QString &caption);
    /// The menu a right click on the control opens (when the menu's AutoPopup is on); the
    /// control forgets it when the menu goes away. Default none.
    TPopupMenu *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu *menu);

    /// The canvas on the control's surface. Drawing on it outside Paint shows at the next
    /// update.
    TCanvas *Canvas();
    const QImage &Surface() const { return m_surface; }
    /// Marks the control for a new Paint and schedules an update.
    void Invalidate();
    /// Paints at once (Paint runs on the surface now) and shows the result.
    void Repaint();
    void Refresh() { Repaint(); }
    /// Runs a pending Paint now, if one is pending.
    void Update();
    bool PaintPending() const { return m_needsPaint; }
    /// Number of Paint calls so far (for diagnostics and tests of repaint rules).
    int PaintCount() const { return m_paintCount; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

    /// What screen readers are told about the control (host/Accessible.h). A component that
    /// shows something overrides it in one line, e.g.
    /// `return {QAccessible::StaticText, Caption()};`, or with a value and its range.
    /// The default (QAccessible::NoRole) leaves the control to Qt's plain widget interface.
    virtual TAccessibleInfo AccessibleInfo() const { return {}; }

    /// Fire the mouse events as a user action would (used by Qt's events and by tests).
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

protected:
    /// Draws the control on Canvas. The default fills the client area with Color.
    virtual void Paint();
    /// Called after the size changed.
    virtual void Resize();
    /// Called when the parent's colour or font changes and this control follows it.
    virtual void ParentChanged();
    /// Called after Font changed.
    virtual void FontChanged() { Invalidate(); }
    /// Makes the surface transparent before each paint (controls the parent shows through).
    void SetSurfaceTransparent(bool transparent) { m_transparentSurface = transparent; }
    bool InPaint() const { return m_inPaint; }
    void Notification(TComponent *component, TOperation operation) override;
    /// Opens PopupMenu at screen point (x, y) when it is set, its AutoPopup is on and the
    /// control is not being designed; true when it did.
    virtual bool DoPopupMenu(int x, int y);
    /// Tell assistive technology that the name or the value of AccessibleInfo changed (cheap
    /// when no screen reader listens). SetCaption tells the name change itself.
    void AccessibleNameChanged();
    void AccessibleValueChanged();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TWinControl;
    void RunPaint();
    void EnsureSurface();
    void ApplyVisibility();

    TWinControl *m_parent = nullptr;
    TAlign m_align = alNone;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    TFont m_font;
    bool m_parentFont = true;
    bool m_visible = true;
    bool m_enabled = true;
    QString m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TCursor m_cursor = crDefault;
    QString m_caption;
    TPopupMenu *m_popupMenu = nullptr;

    QImage m_surface;
    std::unique_ptr<TCanvas> m_canvas;
    bool m_needsPaint = true;
    bool m_inPaint = false;
    bool m_transparentSurface = false;
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

    int ControlCount() const { return int(m_controls.size()); }
    TControl *Controls(int index) const { return m_controls.at(std::size_t(index)); }
    void InsertControl(TControl *control);
    void RemoveControl(TControl *control);

    void DisableAlign() { ++m_alignDisabled; }
    void EnableAlign();
    /// Lays out the aligned children: top, bottom, left, right, then client.
    void Realign();
    /// The area the aligned children share (the client rectangle less borders).
    virtual TRect AlignRect() const { return ClientRect(); }

    void SetColor(TColor color) override;
    bool Focused() const { return hasFocus(); }
    void SetFocus() { setFocus(); }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    void Resize() override;
    void FontChanged() override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    friend class TControl;
    std::vector<TControl *> m_controls;
    int m_alignDisabled = 0;
    bool m_aligning = false;
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
