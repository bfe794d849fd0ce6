// SPDX-License-Identifier: MIT
#include "host/controls/ListBox.h"

#include "host/core/Events.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace jxt {

TCustomListBox::TCustomListBox(TComponent *owner)
    : TWinControl(owner), m_items(std::make_unique<TStringList>())
{
    m_items->OnChange = [this](TObject *) { ItemsChanged(); };
    SetColor(clWindow);
    setFocusPolicy(Qt::StrongFocus);
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox()
{
    m_items->OnChange = nullptr;
}

void TCustomListBox::SetStyle(TListBoxStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Invalidate();
}

void TCustomListBox::SetItemHeight(int height)
{
    height = std::max(height, 1);
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TCustomListBox::SetColumns(int columns)
{
    columns = std::max(columns, 0);
    if (columns == m_columns)
        return;
    m_columns = columns;
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= m_items->Count())
        index = -1;
    if (!m_multiSelect && index == m_itemIndex)
        return;
    const int old = m_itemIndex;
    m_itemIndex = index;
    if (m_multiSelect) {
        m_selected.assign(std::size_t(m_items->Count()), false);
        if (index >= 0)
            m_selected[std::size_t(index)] = true;
        Invalidate();
    }
    const int oldTop = m_topIndex;
    ScrollIntoView(index);
    if (oldTop != m_topIndex || m_multiSelect)
        return; // scrolled: everything is repainted
    RedrawItem(old);
    RedrawItem(index);
}

void TCustomListBox::SetMultiSelect(bool multiSelect)
{
    if (multiSelect == m_multiSelect)
        return;
    m_multiSelect = multiSelect;
    m_selected.assign(std::size_t(m_items->Count()), false);
    if (m_multiSelect && m_itemIndex >= 0)
        m_selected[std::size_t(m_itemIndex)] = true;
    Invalidate();
}

bool TCustomListBox::Selected(int index) const
{
    if (index < 0 || index >= m_items->Count())
        return false;
    if (!m_multiSelect)
        return index == m_itemIndex;
    return std::size_t(index) < m_selected.size() && m_selected[std::size_t(index)];
}

void TCustomListBox::SetSelected(int index, bool selected)
{
    if (index < 0 || index >= m_items->Count())
        return;
    if (!m_multiSelect) {
        if (selected)
            SetItemIndex(index);
        else if (index == m_itemIndex)
            SetItemIndex(-1);
        return;
    }
    m_selected.resize(std::size_t(m_items->Count()), false);
    if (m_selected[std::size_t(index)] == selected)
        return;
    m_selected[std::size_t(index)] = selected;
    RedrawItem(index);
}

int TCustomListBox::SelCount() const
{
    if (!m_multiSelect)
        return m_itemIndex >= 0 ? 1 : 0;
    return int(std::count(m_selected.begin(), m_selected.end(), true));
}

void TCustomListBox::SetSorted(bool sorted)
{
    if (sorted == m_sorted)
        return;
    m_sorted = sorted;
    m_items->SetSorted(sorted);
}

int TCustomListBox::ItemsPerColumn() const
{
    return std::max(1, ClientHeight() / m_itemHeight);
}

int TCustomListBox::ColumnWidth() const
{
    return m_columns > 0 ? ClientWidth() / m_columns : ClientWidth();
}

int TCustomListBox::CellsVisible() const
{
    if (m_columns <= 0)
        return std::max(1, (ClientHeight() + m_itemHeight - 1) / m_itemHeight);
    const int w = ColumnWidth();
    const int columns = w < 1 ? 1 : (ClientWidth() + w - 1) / w;
    return ItemsPerColumn() * columns;
}

void TCustomListBox::SetTopIndex(int index)
{
    const int count = m_items->Count();
    index = std::clamp(index, 0, std::max(0, count - 1));
    if (m_columns > 0)
        index -= index % ItemsPerColumn();
    if (index == m_topIndex)
        return;
    m_topIndex = index;
    Invalidate();
}

void TCustomListBox::ScrollIntoView(int index)
{
    if (index < 0)
        return;
    if (index < m_topIndex) {
        SetTopIndex(index);
        return;
    }
    if (m_columns > 0) {
        const int perColumn = ItemsPerColumn();
        const int fullColumns = std::max(1, ClientWidth() / std::max(1, ColumnWidth()));
        const int last = m_topIndex + perColumn * fullColumns - 1;
        if (index > last)
            SetTopIndex((index / perColumn - fullColumns + 1) * perColumn);
    } else {
        const int fullRows = std::max(1, ClientHeight() / m_itemHeight);
        if (index >= m_topIndex + fullRows)
            SetTopIndex(index - fullRows + 1);
    }
}

TRect TCustomListBox::ItemRect(int index) const
{
    if (index < m_topIndex || index >= m_items->Count())
        return TRect();
    const int offset = index - m_topIndex;
    if (m_columns <= 0) {
        const int top = offset * m_itemHeight;
        if (top >= ClientHeight())
            return TRect();
        return Rect(0, top, ClientWidth(), top + m_itemHeight);
    }
    const int perColumn = ItemsPerColumn();
    const int w = ColumnWidth();
    const long long left = (long long)(offset / perColumn) * w;
    if (w < 1 || left >= ClientWidth())
        return TRect();
    const int top = (offset % perColumn) * m_itemHeight;
    return Rect(int(left), top, int(left) + w, top + m_itemHeight);
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const
{
    if (pos.X < 0 || pos.Y < 0 || pos.X >= ClientWidth() || pos.Y >= ClientHeight())
        return -1;
    int offset;
    if (m_columns <= 0) {
        offset = pos.Y / m_itemHeight;
    } else {
        const int w = ColumnWidth();
        const int perColumn = ItemsPerColumn();
        const int row = pos.Y / m_itemHeight;
        if (w < 1 || row >= perColumn)
            return -1;
        offset = (pos.X / w) * perColumn + row;
    }
    const int index = m_topIndex + offset;
    if (index < m_items->Count())
        return index;
    return existing ? -1 : m_items->Count();
}

QSize TCustomListBox::sizeHint() const
{
    return QSize(121, 97);
}

QSize TCustomListBox::minimumSizeHint() const
{
    return QSize(16, m_itemHeight + 4);
}

void TCustomListBox::ItemsChanged()
{
    const int count = m_items->Count();
    if (m_itemIndex >= count)
        m_itemIndex = -1;
    if (m_topIndex >= count)
        m_topIndex = std::max(0, count - 1) -
                     (m_columns > 0 ? std::max(0, count - 1) % ItemsPerColumn() : 0);
    m_selected.resize(std::size_t(count), false);
    Invalidate();
}

int TCustomListBox::FocusItem() const
{
    if (m_itemIndex >= 0)
        return m_itemIndex;
    return m_items->Count() > 0 ? 0 : -1;
}

void TCustomListBox::InvertFocusFrame(const TRect &r)
{
    // A dotted frame: every other pixel of the outline inverted. Inverting the same pixels
    // again restores what was under them.
    TCanvas *canvas = Canvas();
    auto dot = [canvas](int x, int y) { canvas->InvertRect(Rect(x, y, x + 1, y + 1)); };
    for (int x = r.Left; x < r.Right; x += 2) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 2; y < r.Bottom - 1; y += 2) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
}

void TCustomListBox::RemoveFocusRect()
{
    if (!m_focusShown)
        return;
    m_focusShown = false;
    InvertFocusFrame(m_focusRect);
}

void TCustomListBox::DrawFocusRect()
{
    if (m_focusShown || !hasFocus())
        return;
    const TRect r = ItemRect(FocusItem());
    if (r.IsEmpty())
        return;
    m_focusRect = r;
    m_focusShown = true;
    InvertFocusFrame(r);
}

void TCustomListBox::DrawItem(int index, const TRect &rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        FireEvent(this, OnDrawItem, &TCustomListBox::onDrawItem, this, index, rect, state);
        return;
    }
    Q_EMIT onDrawItem(this, index, rect, state);
    TCanvas *canvas = Canvas();
    canvas->FillRect(rect);
    if (index >= 0 && index < m_items->Count()) {
        TRect text = rect;
        text.Left += 2;
        canvas->Brush()->SetStyle(bsClear);
        canvas->DrawText(m_items->Get(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        canvas->Brush()->SetStyle(bsSolid);
    }
}

void TCustomListBox::DrawOneItem(int index)
{
    const TRect r = ItemRect(index);
    if (r.IsEmpty())
        return;
    TOwnerDrawState state;
    const bool selected = Selected(index);
    if (selected)
        state.Include(odSelected);
    if (!isEnabled())
        state.Include(odDisabled);
    if (hasFocus() && index == FocusItem())
        state.Include(odFocused);
    TCanvas *canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(selected ? clHighlight : Color());
    if (selected)
        canvas->Font()->SetColor(clHighlightText);
    canvas->SetClipRect(r);
    DrawItem(index, r, state);
    canvas->ClearClipRect();
}

void TCustomListBox::RedrawItem(int index)
{
    if (index < 0 || index >= m_items->Count() || ItemRect(index).IsEmpty())
        return;
    if (PaintPending()) {
        update();
        return; // the whole box is drawn at the next paint anyway
    }
    RemoveFocusRect();
    DrawOneItem(index);
    DrawFocusRect();
    update();
}

void TCustomListBox::Paint()
{
    RemoveFocusRect();
    TCanvas *canvas = Canvas();
    // The area that no item covers is filled; the cells are left to DrawItem.
    const int count = m_items->Count();
    const int cells = CellsVisible();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    if (count == 0) {
        canvas->FillRect(ClientRect());
    } else if (m_columns <= 0) {
        const int shown = std::min(count - m_topIndex, cells);
        canvas->FillRect(Rect(0, shown * m_itemHeight, ClientWidth(), ClientHeight()));
    } else {
        const int perColumn = ItemsPerColumn();
        const int w = ColumnWidth();
        canvas->FillRect(Rect(0, perColumn * m_itemHeight, ClientWidth(), ClientHeight()));
        if (w >= 1) {
            const int columns = (ClientWidth() + w - 1) / w;
            canvas->FillRect(Rect(columns * w, 0, ClientWidth(), ClientHeight()));
            for (int offset = std::max(0, count - m_topIndex); offset < cells; ++offset) {
                const int left = (offset / perColumn) * w,
                          top = (offset % perColumn) * m_itemHeight;
                canvas->FillRect(Rect(left, top, left + w, top + m_itemHeight));
            }
        } else {
            canvas->FillRect(ClientRect());
        }
    }
    for (int i = m_topIndex; i < count && i < m_topIndex + cells; ++i)
        DrawOneItem(i);
    DrawFocusRect();
}

void TCustomListBox::Resize()
{
    TWinControl::Resize();
    SetTopIndex(m_topIndex);
    Invalidate();
}

void TCustomListBox::mousePressEvent(QMouseEvent *event)
{
    TWinControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const int index =
        ItemAtPos(Point(int(event->position().x()), int(event->position().y())), true);
    if (index < 0)
        return;
    if (m_multiSelect && (event->modifiers() & Qt::ControlModifier)) {
        const int old = m_itemIndex;
        m_itemIndex = index;
        SetSelected(index, !Selected(index));
        RedrawItem(old);
    } else {
        SetItemIndex(index);
    }
}

void TCustomListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    TWinControl::mouseDoubleClickEvent(event);
}

void TCustomListBox::keyPressEvent(QKeyEvent *event)
{
    TWinControl::keyPressEvent(event);
    const int count = m_items->Count();
    if (count == 0)
        return;
    const int current = m_itemIndex < 0 ? 0 : m_itemIndex;
    const int perColumn = ItemsPerColumn();
    const int page = m_columns > 0
                         ? perColumn * std::max(1, ClientWidth() / std::max(1, ColumnWidth()))
                         : std::max(1, ClientHeight() / m_itemHeight);
    int next = current;
    switch (event->key()) {
    case Qt::Key_Up: next = current - 1; break;
    case Qt::Key_Down: next = current + 1; break;
    case Qt::Key_Left: next = m_columns > 0 ? current - perColumn : current - 1; break;
    case Qt::Key_Right: next = m_columns > 0 ? current + perColumn : current + 1; break;
    case Qt::Key_PageUp: next = current - page; break;
    case Qt::Key_PageDown: next = current + page; break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = count - 1; break;
    default: return;
    }
    next = std::clamp(next, 0, count - 1);
    if (next != m_itemIndex) {
        SetItemIndex(next);
        Click();
    }
}

void TCustomListBox::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    const int unit = m_columns > 0 ? ItemsPerColumn() : 3;
    SetTopIndex(m_topIndex - steps * unit);
    event->accept();
}

void TCustomListBox::focusInEvent(QFocusEvent *event)
{
    TWinControl::focusInEvent(event);
    RedrawItem(FocusItem());
}

void TCustomListBox::focusOutEvent(QFocusEvent *event)
{
    TWinControl::focusOutEvent(event);
    RemoveFocusRect();
    RedrawItem(FocusItem());
}

TAccessibleInfo TCustomListBox::AccessibleInfo() const
{
    TAccessibleInfo info(QAccessible::List, QString());
    info.itemRole = QAccessible::ListItem;
    return info;
}

TAccessibleItem TCustomListBox::AccessibleItem(int index) const
{
    TAccessibleItem item;
    if (index < 0 || index >= m_items->Count())
        return item;
    item.name = m_items->Get(index);
    const TRect r = ItemRect(index);
    if (r.Right > r.Left && r.Bottom > r.Top)
        item.rect = QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    item.selected = Selected(index);
    return item;
}

} // namespace jxt
