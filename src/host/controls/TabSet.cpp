// SPDX-License-Identifier: MIT
#include "host/controls/TabSet.h"

#include <QKeyEvent>
#include <QPointer>

#include <algorithm>

namespace jxt {

namespace {

constexpr int kPadding = 6; // space left and right of a tab's content
constexpr int kSlant = 3;   // the lower corners of a tab are cut this far

} // namespace

TTabSet::TTabSet(TComponent *owner) : TCustomControl(owner)
{
    SetBounds(Left(), Top(), 185, 21);
    SetColor(clBtnFace);
    setFocusPolicy(Qt::StrongFocus);
    m_tabs.OnChange = [this](TObject *) {
        if (m_tabIndex >= m_tabs.Count())
            m_tabIndex = -1;
        updateGeometry();
        Invalidate();
    };
}

TTabSet::~TTabSet()
{
    m_tabs.OnChange = nullptr;
}

void TTabSet::SetTabIndex(int index)
{
    if (index < 0 || index >= m_tabs.Count())
        index = -1;
    if (index == m_tabIndex)
        return;
    m_tabIndex = index;
    Invalidate();
    AccessibleNameChanged();
    if (OnChange)
        OnChange(this);
}

void TTabSet::SetStyle(TTabStyle style)
{
    m_style = style;
    updateGeometry();
    Invalidate();
}

void TTabSet::SetTabHeight(int height)
{
    m_tabHeight = std::max(1, height);
    updateGeometry();
    Invalidate();
}

void TTabSet::SetStartMargin(int margin)
{
    m_startMargin = std::max(0, margin);
    updateGeometry();
    Invalidate();
}

void TTabSet::SetSelectedColor(TColor color)
{
    m_selectedColor = color;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor color)
{
    m_unselectedColor = color;
    Invalidate();
}

void TTabSet::FontChanged()
{
    updateGeometry();
    TCustomControl::FontChanged();
}

std::vector<TRect> TTabSet::Layout() const
{
    TCanvas measure;
    measure.SetFont(Font());
    std::vector<TRect> rects;
    rects.reserve(std::size_t(m_tabs.Count()));
    int x = m_startMargin;
    for (int i = 0; i < m_tabs.Count(); ++i) {
        int width = measure.TextWidth(m_tabs.Get(i));
        if (m_style == tsOwnerDraw)
            const_cast<TTabSet *>(this)->MeasureTab(i, width);
        width = std::max(0, width) + 2 * kPadding;
        rects.push_back(Bounds(x, 0, width, m_tabHeight));
        x += width - 1; // neighbouring tabs share their edge
    }
    return rects;
}

TRect TTabSet::TabRect(int index) const
{
    const auto rects = Layout();
    return index >= 0 && index < int(rects.size()) ? rects[std::size_t(index)] : TRect();
}

int TTabSet::ItemAtPos(int x, int y) const
{
    const auto rects = Layout();
    // The selected tab lies on top of its neighbours.
    if (m_tabIndex >= 0 && m_tabIndex < int(rects.size()) &&
        rects[std::size_t(m_tabIndex)].Contains(x, y))
        return m_tabIndex;
    for (int i = 0; i < int(rects.size()); ++i)
        if (rects[std::size_t(i)].Contains(x, y))
            return i;
    return -1;
}

void TTabSet::MeasureTab(int index, int &tabWidth)
{
    if (OnMeasureTab)
        OnMeasureTab(this, index, tabWidth);
}

void TTabSet::DrawTab(TCanvas *canvas, const TRect &r, int index, bool selected)
{
    if (OnDrawTab) {
        OnDrawTab(this, canvas, r, index, selected);
        return;
    }
    TRect text = r;
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(m_tabs.Get(index), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TTabSet::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->SetFont(Font());
    canvas->FillSolid(ClientRect(), ColorToRGB(Color()));
    const auto rects = Layout();
    const auto drawTab = [&](int i) {
        const TRect &r = rects[std::size_t(i)];
        const bool selected = i == m_tabIndex;
        const TColor face = selected ? m_selectedColor : m_unselectedColor;
        const int bottom = r.Bottom - 1;
        // A tab: straight top, sides cut towards the bottom.
        std::vector<TPoint> outline = {Point(r.Left, r.Top), Point(r.Left + kSlant, bottom),
                                       Point(r.Right - 1 - kSlant, bottom),
                                       Point(r.Right - 1, r.Top)};
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(face);
        canvas->Pen()->SetStyle(psSolid);
        // Lines in the palette's button text colour: black on the classic grey faces, and
        // still seen on the faces of a dark palette.
        canvas->Pen()->SetColor(clBtnText);
        canvas->Polygon(outline);
        if (selected) {
            // Joined to the edge above: no line along its top.
            canvas->FillSolid(Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 1), ColorToRGB(face));
            canvas->Pen()->SetColor(clBtnHighlight);
            canvas->MoveTo(r.Left + 1, r.Top + 1);
            canvas->LineTo(r.Left + 1 + kSlant, bottom);
        }
        const TRect content = Rect(r.Left + kPadding, r.Top, r.Right - kPadding, bottom);
        canvas->SetFont(Font());
        DrawTab(canvas, content, i, selected);
    };
    // The line the tabs hang from, then the unselected tabs, then the selected one on top.
    canvas->FillSolid(Rect(0, 0, Width(), 1), ColorToRGB(clBtnText));
    for (int i = int(rects.size()) - 1; i >= 0; --i)
        if (i != m_tabIndex)
            drawTab(i);
    if (m_tabIndex >= 0 && m_tabIndex < int(rects.size()))
        drawTab(m_tabIndex);
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        const int index = ItemAtPos(x, y);
        if (index >= 0) {
            const QPointer<TTabSet> alive(this);
            SetTabIndex(index);
            if (!alive)
                return;
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TTabSet::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || m_tabs.Count() == 0) {
        TCustomControl::keyPressEvent(event);
        return;
    }
    const int next = std::clamp(m_tabIndex < 0 ? 0 : m_tabIndex + step, 0, m_tabs.Count() - 1);
    if (next == m_tabIndex)
        return;
    const QPointer<TTabSet> alive(this);
    SetTabIndex(next);
    if (alive)
        Click();
}

QSize TTabSet::sizeHint() const
{
    const auto rects = Layout();
    const int width = rects.empty() ? 2 * m_startMargin : rects.back().Right + m_startMargin;
    return QSize(width, m_tabHeight + 1);
}

TAccessibleInfo TTabSet::AccessibleInfo() const
{
    TAccessibleInfo info(QAccessible::PageTabList, m_tabIndex >= 0 && m_tabIndex < m_tabs.Count()
                                                       ? m_tabs.Get(m_tabIndex)
                                                       : QString());
    info.itemRole = QAccessible::PageTab;
    return info;
}

TAccessibleItem TTabSet::AccessibleItem(int index) const
{
    TAccessibleItem item;
    if (index < 0 || index >= m_tabs.Count())
        return item;
    item.name = m_tabs.Get(index);
    const TRect r = TabRect(index);
    if (r.Right > r.Left && r.Bottom > r.Top)
        item.rect = QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    item.selected = index == m_tabIndex;
    return item;
}

QSize TTabSet::minimumSizeHint() const
{
    // Every tab is shown: a layout never cuts tabs off.
    return sizeHint();
}

} // namespace jxt
