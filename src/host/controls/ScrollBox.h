// SPDX-License-Identifier: MIT
// TScrollBox: an area that scrolls the controls placed on it.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"

class QScrollBar;

namespace jxt {

class TScrollBox;

/// One scroll bar of a scroll box: Range is the extent of the box's controls in that
/// direction plus Margin, Position how far the controls are scrolled. The bar shows while
/// Range exceeds the box's client size (and Visible is on).
class JXT_EXPORT TControlScrollBar
{
public:
    /// The bar of box in that direction.
    TControlScrollBar(TScrollBox *box, Qt::Orientation orientation);

    /// Room kept after the last control; default 0, at least 0.
    int Margin() const { return m_margin; }
    void SetMargin(int value);
    /// The controls follow the thumb while it is dragged (else when it is let go); default
    /// false.
    bool Tracking() const { return m_tracking; }
    void SetTracking(bool value);
    /// Default true.
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    /// Pixels one arrow click scrolls; default 8.
    int Increment() const { return m_increment; }
    void SetIncrement(int value);
    /// How far the controls are scrolled, 0 .. Range - client size.
    int Position() const { return m_position; }
    void SetPosition(int value);
    /// The controls' extent plus Margin.
    int Range() const { return m_range; }
    /// Whether the bar is shown now.
    bool IsScrollBarVisible() const;
    /// The Qt scroll bar that shows it.
    QScrollBar *Bar() const { return m_bar; }

private:
    friend class TScrollBox;
    TScrollBox *m_box;
    Qt::Orientation m_orientation;
    QScrollBar *m_bar;
    int m_margin = 0;
    bool m_tracking = false;
    bool m_visible = true;
    int m_increment = 8;
    int m_position = 0;
    int m_range = 0;
};

/// Holds controls like a panel and scrolls them: when they reach past the client area (and
/// AutoScroll is on) scroll bars appear, and scrolling moves every control, so a control's
/// Left and Top are always relative to the visible top-left corner.
class JXT_EXPORT TScrollBox : public TWinControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool AutoScroll READ AutoScroll WRITE SetAutoScroll)
    Q_PROPERTY(jxt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TScrollBox(TComponent *owner = nullptr);
    ~TScrollBox() override;

    /// The horizontal and vertical scroll bars.
    //!@{
    TControlScrollBar *HorzScrollBar() { return &m_horz; }
    TControlScrollBar *VertScrollBar() { return &m_vert; }
    //!@}
    /// Scroll bars appear as needed; default true.
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool value);
    /// bsSingle (default) draws a sunken frame; bsNone none.
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);

    /// Inside the frame, left of and above the scroll bars shown.
    TRect ClientRect() const override;
    /// Moves every control by (dx, dy).
    void ScrollBy(int dx, int dy);
    /// Measures the controls again and shows or hides the scroll bars.
    void UpdateScrollBars();

protected:
    void Paint() override;
    void Resize() override;
    void ControlsChanged() override;

private:
    friend class TControlScrollBar;
    TRect FrameRect() const;
    void ScrollTo(Qt::Orientation orientation, int position);

    TControlScrollBar m_horz;
    TControlScrollBar m_vert;
    bool m_autoScroll = true;
    TBorderStyle m_borderStyle = bsSingle;
    int m_busy = 0;
};

} // namespace jxt
