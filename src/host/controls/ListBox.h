// SPDX-License-Identifier: MIT
// TCustomListBox: a list of strings (with objects) shown one item per cell, in one column or
// in several columns filled top to bottom, then left to right. Owner-drawn list boxes paint
// each cell in DrawItem; the box draws the focus rectangle itself.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/Strings.h"

#include <memory>
#include <vector>

namespace jxt {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent =
    std::function<void(TObject *sender, int index, const TRect &rect, TOwnerDrawState state)>;

/// The list box of the host layer.
///
/// Cells: with Columns 0 the items stand in one column of full width, ItemHeight high; with
/// Columns > 0 each column is ClientWidth div Columns wide and holds ClientHeight div
/// ItemHeight items (at least one), item TopIndex in the top-left cell. Changing the
/// selection or the focus redraws just the cells concerned, at once, as a Windows list box
/// does; the surface keeps what was drawn before, so a cell that
/// DrawItem leaves alone keeps its last image. The focus rectangle is drawn by inverting a
/// dotted frame and is removed the same way before anything else is drawn.
class JXT_EXPORT TCustomListBox : public TWinControl
{
    Q_OBJECT

public:
    explicit TCustomListBox(TComponent *owner = nullptr);
    ~TCustomListBox() override;

    /// The strings and their objects. Changes repaint the box and keep ItemIndex in range.
    TStrings *Items() const { return m_items.get(); }
    void SetItems(const TStrings *items) { m_items->Assign(items); }
    /// Items as a string list (the form a published Items property takes).
    QStringList ItemsList() const { return m_items->ToStringList(); }
    void SetItemsList(const QStringList &items) { m_items->SetStrings(items); }
    /// lbStandard (default) draws the items' texts; the owner-draw styles leave each cell to
    /// OnDrawItem.
    TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle style);
    /// Height of each cell; default 13, at least 1.
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    /// Number of columns shown at once; 0 (default) is a single column of full width.
    int Columns() const { return m_columns; }
    virtual void SetColumns(int columns);
    /// The selected item, or -1. Setting it scrolls the item into view.
    int ItemIndex() const { return m_itemIndex; }
    virtual void SetItemIndex(int index);
    /// Let the user select several items; default false.
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool multiSelect);
    /// Whether an item is selected (with MultiSelect off: whether it is ItemIndex).
    //!@{
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    //!@}
    /// The number of items selected (0 or 1 with MultiSelect off).
    int SelCount() const;
    /// Keep Items sorted (ignoring case); default false.
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    /// The item in the top-left cell (the first item of a column when there are columns).
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int index);
    /// Number of items shown in one column.
    int ItemsPerColumn() const;
    /// The cell of an item in client coordinates (empty when it is scrolled out of view).
    TRect ItemRect(int index) const;
    /// The item whose cell holds pos, or -1 (with existing false: the index past the last
    /// item where an empty cell is hit, as Windows reports it).
    int ItemAtPos(TPoint pos, bool existing) const;
    /// Removes every item.
    void Clear() { m_items->Clear(); }

    /// Draws one cell; the canvas brush is set to the highlight colour for a selected item,
    /// else Color, and the font to Font (highlight text colour when selected).
    TDrawItemEvent OnDrawItem;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    /// A list whose items are its children, each with its text and selection.
    //!@{
    TAccessibleInfo AccessibleInfo() const override;
    int AccessibleItemCount() const override { return m_items->Count(); }
    TAccessibleItem AccessibleItem(int index) const override;
    //!@}

signals:
    void onDrawItem(jxt::TObject *sender, int index, const jxt::TRect &rect,
                    jxt::TOwnerDrawState state);

protected:
    /// Draws the cell of item index. The default calls OnDrawItem or, when none is set and
    /// for standard lists, fills the cell and writes the item's text.
    virtual void DrawItem(int index, const TRect &rect, TOwnerDrawState state);
    void Paint() override;
    void Resize() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    /// Redraws the cell of one item on the surface now and shows it at the next update.
    void RedrawItem(int index);

private:
    void ItemsChanged();
    void DrawOneItem(int index);
    void RemoveFocusRect();
    void InvertFocusFrame(const TRect &r);
    void DrawFocusRect();
    int FocusItem() const;
    int CellsVisible() const;
    int ColumnWidth() const;
    void ScrollIntoView(int index);

    std::unique_ptr<TStringList> m_items;
    TListBoxStyle m_style = lbStandard;
    int m_itemHeight = 13;
    int m_columns = 0;
    int m_itemIndex = -1;
    int m_topIndex = 0;
    bool m_multiSelect = false;
    bool m_sorted = false;
    std::vector<bool> m_selected;
    TRect m_focusRect;
    bool m_focusShown = false;
};

} // namespace jxt
