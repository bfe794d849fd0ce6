// SPDX-License-Identifier: MIT
// TScrollBox.
#include "host/controls/ScrollBox.h"

#include <QScrollBar>

#include <algorithm>

namespace jxt {

// TControlScrollBar

TControlScrollBar::TControlScrollBar(TScrollBox *box, Qt::Orientation orientation)
    : m_box(box), m_orientation(orientation), m_bar(new QScrollBar(orientation, box))
{
    m_bar->hide();
    m_bar->setFocusPolicy(Qt::NoFocus);
    m_bar->setTracking(m_tracking);
    m_bar->setSingleStep(m_increment);
    QObject::connect(m_bar, &QScrollBar::valueChanged, box, [this](int value) {
        if (!m_box->m_busy)
            m_box->ScrollTo(m_orientation, value);
    });
}

void TControlScrollBar::SetMargin(int value)
{
    m_margin = std::max(0, value);
    m_box->UpdateScrollBars();
}

void TControlScrollBar::SetTracking(bool value)
{
    m_tracking = value;
    m_bar->setTracking(value);
}

void TControlScrollBar::SetVisible(bool value)
{
    m_visible = value;
    m_box->UpdateScrollBars();
}

void TControlScrollBar::SetIncrement(int value)
{
    m_increment = std::max(1, value);
    m_bar->setSingleStep(m_increment);
}

void TControlScrollBar::SetPosition(int value)
{
    m_box->ScrollTo(m_orientation, value);
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    return !m_bar->isHidden();
}

// TScrollBox

TScrollBox::TScrollBox(TComponent *owner)
    : TWinControl(owner), m_horz(this, Qt::Horizontal), m_vert(this, Qt::Vertical)
{
    SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox()
{
    // The controls may still move while they go; nothing is measured any more.
    ++m_busy;
}

void TScrollBox::SetAutoScroll(bool value)
{
    m_autoScroll = value;
    UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    UpdateScrollBars();
    Invalidate();
}

TRect TScrollBox::FrameRect() const
{
    TRect r = Rect(0, 0, Width(), Height());
    if (m_borderStyle != bsNone) {
        r.Left += 2;
        r.Top += 2;
        r.Right -= 2;
        r.Bottom -= 2;
    }
    return r;
}

TRect TScrollBox::ClientRect() const
{
    TRect r = FrameRect();
    if (m_vert.IsScrollBarVisible())
        r.Right -= m_vert.m_bar->sizeHint().width();
    if (m_horz.IsScrollBarVisible())
        r.Bottom -= m_horz.m_bar->sizeHint().height();
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

void TScrollBox::ScrollBy(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    ++m_busy;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl *control = Controls(i);
        control->move(control->x() + dx, control->y() + dy);
    }
    --m_busy;
}

void TScrollBox::ScrollTo(Qt::Orientation orientation, int position)
{
    TControlScrollBar &bar = orientation == Qt::Horizontal ? m_horz : m_vert;
    const TRect client = ClientRect();
    const int page = orientation == Qt::Horizontal ? client.Width() : client.Height();
    position = std::clamp(position, 0, std::max(0, bar.m_range - page));
    const int delta = bar.m_position - position;
    if (delta == 0)
        return;
    bar.m_position = position;
    if (orientation == Qt::Horizontal)
        ScrollBy(delta, 0);
    else
        ScrollBy(0, delta);
    ++m_busy;
    bar.m_bar->setValue(position);
    --m_busy;
}

void TScrollBox::UpdateScrollBars()
{
    if (m_busy)
        return;
    ++m_busy;
    // The extent of the controls in unscrolled coordinates.
    int right = 0, bottom = 0;
    const TRect frame = FrameRect();
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl *control = Controls(i);
        if (control->isHidden())
            continue;
        right = std::max(right, control->x() + control->width() + m_horz.m_position - frame.Left);
        bottom = std::max(bottom, control->y() + control->height() + m_vert.m_position - frame.Top);
    }
    m_horz.m_range = right > 0 ? right + m_horz.m_margin : 0;
    m_vert.m_range = bottom > 0 ? bottom + m_vert.m_margin : 0;
    // A bar narrows the room for the other: decide twice.
    for (int pass = 0; pass < 2; ++pass) {
        const TRect client = ClientRect();
        m_horz.m_bar->setVisible(m_autoScroll && m_horz.m_visible &&
                                 m_horz.m_range > client.Width());
        m_vert.m_bar->setVisible(m_autoScroll && m_vert.m_visible &&
                                 m_vert.m_range > client.Height());
    }
    const TRect client = ClientRect();
    m_horz.m_bar->setGeometry(client.Left, client.Bottom, client.Width(),
                              m_horz.m_bar->sizeHint().height());
    m_vert.m_bar->setGeometry(client.Right, client.Top, m_vert.m_bar->sizeHint().width(),
                              client.Height());
    m_horz.m_bar->setRange(0, std::max(0, m_horz.m_range - client.Width()));
    m_vert.m_bar->setRange(0, std::max(0, m_vert.m_range - client.Height()));
    m_horz.m_bar->setPageStep(std::max(1, client.Width()));
    m_vert.m_bar->setPageStep(std::max(1, client.Height()));
    --m_busy;
    // Controls scrolled further than the new range allows come back.
    ScrollTo(Qt::Horizontal, m_horz.m_position);
    ScrollTo(Qt::Vertical, m_vert.m_position);
    ++m_busy;
    m_horz.m_bar->setValue(m_horz.m_position);
    m_vert.m_bar->setValue(m_vert.m_position);
    --m_busy;
}

void TScrollBox::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->FillSolid(Rect(0, 0, Width(), Height()), Color());
    if (m_borderStyle != bsNone) {
        TRect r = Rect(0, 0, Width(), Height());
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, r, cl3DDkShadow, clBtnFace, 1);
    }
}

void TScrollBox::Resize()
{
    TWinControl::Resize();
    UpdateScrollBars();
}

void TScrollBox::ControlsChanged()
{
    UpdateScrollBars();
}

} // namespace jxt
