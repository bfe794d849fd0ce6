// SPDX-License-Identifier: MIT
// TJXGrabBar: a splitter bar that divides its parent into two panes and is dragged with the
// mouse.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/controls/ExtCtrls.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <QPointer>

namespace jxt {

/// Screen cursor numbers of the two grab cursors (loaded by every grab bar).
constexpr TCursor crJXHGrab = 2001;
constexpr TCursor crJXVGrab = 2002;

/// A thin bar spanning its parent's client area that splits it into WindowA (above a
/// horizontal bar, left of a vertical one) and WindowB (below or right of it). Dragging the
/// bar with the left mouse button shows an inverted ghost bar that follows the mouse within
/// the parent; on release the bar moves there and both panes are resized to fill the space
/// on either side (a pane squeezed to nothing is hidden). The bar keeps itself and the panes
/// laid out whenever the parent's size changes, also while the parent is hidden. BorderWidth
/// is the margin kept free around the bar and the panes.
///
/// What it needs: the bar's parent is a windowed control (SetParent with a TWinControl, such
/// as a form or panel) and the panes are controls on that same parent, placed by the bar, not
/// by a Qt layout. Put in a QLayout or under a plain QWidget, the bar has no parent control
/// to divide and does nothing; to split a Qt layout, use QSplitter.
class JXT_EXPORT TJXGrabBar : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(jxt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(bool OutOfClient READ OutOfClient WRITE SetOutOfClient)
    Q_PROPERTY(TGrabBarStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Thickness READ Thickness WRITE SetThickness)
    Q_PROPERTY(jxt::TWinControl *WindowA READ WindowA WRITE SetWindowA)
    Q_PROPERTY(jxt::TWinControl *WindowB READ WindowB WRITE SetWindowB)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXGrabBarVersion)

public:
    /// A bar that lies across the parent and moves up and down, or stands upright and moves
    /// left and right.
    enum TGrabBarStyle { jxgbHorizontal, jxgbVertical };
    Q_ENUM(TGrabBarStyle)

    explicit TJXGrabBar(TComponent *owner = nullptr);
    ~TJXGrabBar() override;

    /// bsSingle (default) outlines the bar in clWindowFrame, otherwise in Color. Repaints.
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    /// Margin in pixels kept free inside the parent, 0..50 (larger values become 50);
    /// default 0. Places the bar anew.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    /// Lets the bar be placed partly outside the parent's client area; default false.
    bool OutOfClient() const { return m_outOfClient; }
    void SetOutOfClient(bool value) { m_outOfClient = value; }
    /// jxgbHorizontal (default: lies across the parent, moves up and down) or jxgbVertical.
    /// Switching keeps the thickness and sets the matching cursor.
    TGrabBarStyle Style() const { return m_style; }
    void SetStyle(TGrabBarStyle value);
    /// Height of a horizontal bar, width of a vertical one; default 5. Negative values are
    /// ignored.
    int Thickness() const { return m_style == jxgbHorizontal ? Height() : Width(); }
    void SetThickness(int value);
    /// The pane above (left of) the bar; the bar itself is refused. Lays out the panes.
    TWinControl *WindowA() const { return m_windowA; }
    void SetWindowA(TWinControl *value);
    /// The pane below (right of) the bar; the bar itself is refused. Lays out the panes.
    TWinControl *WindowB() const { return m_windowB; }
    void SetWindowB(TWinControl *value);

    /// Fired on every release of the left mouse button, whether the bar moved or not.
    TNotifyEvent OnMove;

    void SetParent(TWinControl *parent) override;
    void SetBounds(int left, int top, int width, int height) override;

    /// The ghost bar of a drag in progress, in parent client coordinates (empty otherwise).
    TRect DragRect() const { return m_dragRect; }
    /// The ghost bar widget while a drag shows it (nullptr otherwise).
    QWidget *GhostBar() const { return m_ghost; }
    /// Keeps the bar within the parent (unless OutOfClient) at its full length.
    void ResizeBar();
    /// Gives WindowA and WindowB the space on either side of the bar.
    void MoveWindows();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    TAccessibleInfo AccessibleInfo() const override;

Q_SIGNALS:
    /// Emitted with OnMove.
    void onMove(jxt::TObject *sender);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent *component, TOperation operation) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void HookParent();
    void UnhookParent();
    /// Lays out the bar and the panes for the parent's present size.
    void FollowParent();
    /// The ghost bar for a mouse point in parent client coordinates.
    TRect BarRect(int x, int y) const;
    TPoint ClientToParent(int x, int y) const;
    /// Shows (or hides, for an empty rectangle) the inverted ghost bar at r.
    void InvertedRect(const TRect &r);
    /// Where the mouse may go while dragging, in parent client coordinates.
    TRect DragLimits() const;
    void LayOutPane(TWinControl *pane, bool first);
    void FollowStyleInLayouts();

    TBorderStyle m_borderStyle = bsSingle;
    int m_borderWidth = 0;
    bool m_outOfClient = false;
    TGrabBarStyle m_style = jxgbHorizontal;
    TWinControl *m_windowA = nullptr;
    TWinControl *m_windowB = nullptr;

    TRect m_dragRect;
    bool m_dragging = false;
    QPointer<QWidget> m_hookedParent;
    QMetaObject::Connection m_parentResized;
    QPointer<QWidget> m_ghost;
    int m_placing = 0;
};

using TGrabBarStyle = TJXGrabBar::TGrabBarStyle;
constexpr TGrabBarStyle jxgbHorizontal = TJXGrabBar::jxgbHorizontal;
constexpr TGrabBarStyle jxgbVertical = TJXGrabBar::jxgbVertical;

} // namespace jxt
