// SPDX-License-Identifier: MIT
// TDrawGrid: a grid of cells that its owner draws.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"

class QScrollBar;

namespace jxt {

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;
/// Draw the cell (col, row) into rect of the grid's Canvas.
using TDrawCellEvent =
    std::function<void(TObject *sender, int col, int row, const TRect &rect, TGridDrawState state)>;
/// The cell (col, row) is about to become the current cell; canSelect false refuses it.
using TSelectCellEvent = std::function<void(TObject *sender, int col, int row, bool &canSelect)>;

/// ColCount x RowCount cells of DefaultColWidth x DefaultRowHeight, GridLineWidth apart; the
/// first FixedCols columns and FixedRows rows stay in place while the rest scrolls. Every
/// cell is drawn by DrawCell (OnDrawCell); with DefaultDrawing the grid first fills the cell
/// (fixed cells raised, in clBtnFace) and afterwards frames the current cell while the grid
/// has the focus. A click or the arrow keys make a cell the current one (Col, Row).
class JXT_EXPORT TDrawGrid : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TDrawGrid(TComponent *owner = nullptr);
    ~TDrawGrid() override;

    /// Default 5, at least 1 (and more than FixedCols). Repaints; keeps Col in range.
    int ColCount() const { return m_colCount; }
    void SetColCount(int value);
    /// Default 5, at least 1 (and more than FixedRows).
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int value);
    /// Default 1; at most ColCount - 1.
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int value);
    /// Default 1; at most RowCount - 1.
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int value);
    /// Default 64 and 24, at least 1.
    //!@{
    int DefaultColWidth() const { return m_colWidth; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultRowHeight(int value);
    //!@}
    /// Width of the lines between cells; default 1, at least 0.
    int GridLineWidth() const { return m_lineWidth; }
    void SetGridLineWidth(int value);
    /// Default true.
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool value) { m_defaultDrawing = value; }
    /// bsSingle (default) draws a sunken frame around the cells; other styles draw none.
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);

    /// The current cell; setting it scrolls it into view (no OnSelectCell).
    //!@{
    int Col() const { return m_col; }
    void SetCol(int value);
    int Row() const { return m_row; }
    void SetRow(int value);
    //!@}
    /// The first scrolled column and row shown.
    //!@{
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int value);
    int TopRow() const { return m_topRow; }
    void SetTopRow(int value);
    //!@}
    /// The number of scrolled columns and rows that fit whole.
    //!@{
    int VisibleColCount() const;
    int VisibleRowCount() const;
    //!@}

    /// The rectangle of a cell in client coordinates; empty when it is out of view.
    TRect CellRect(int col, int row) const;
    /// The cell at client point (x, y); -1, -1 where there is none.
    void MouseToCell(int x, int y, int &col, int &row) const;

    /// A cell is to be drawn (see TDrawCellEvent); with DefaultDrawing on, after the grid filled
    /// its background (the focus frame follows).
    TDrawCellEvent OnDrawCell;
    /// The user moves to another cell (see TSelectCellEvent).
    TSelectCellEvent OnSelectCell;

    QSize sizeHint() const override;

signals:
    void onDrawCell(jxt::TObject *sender, int col, int row, const jxt::TRect &rect,
                    jxt::TGridDrawState state);
    void onSelectCell(jxt::TObject *sender, int col, int row, bool *canSelect);

protected:
    void Paint() override;
    /// Draws one cell; the default fires OnDrawCell.
    virtual void DrawCell(int col, int row, const TRect &rect, TGridDrawState state);
    /// Asks OnSelectCell whether the cell may become the current one.
    virtual bool SelectCell(int col, int row);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    /// The area of the cells: inside the border and left of and above the scroll bars.
    TRect CellArea() const;
    int Inset() const { return m_borderStyle == bsNone ? 0 : 2; }
    /// Left edge of column col (or top edge of row) in client coordinates, or INT_MIN when
    /// it is scrolled out of view.
    int ColumnLeft(int col) const;
    int RowTop(int row) const;
    void UpdateScrollBars();
    void ScrollIntoView();
    void MoveCurrent(int col, int row);

    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_colWidth = 64;
    int m_rowHeight = 24;
    int m_lineWidth = 1;
    bool m_defaultDrawing = true;
    TBorderStyle m_borderStyle = bsSingle;
    int m_col = 1;
    int m_row = 1;
    int m_leftCol = 1;
    int m_topRow = 1;
    QScrollBar *m_hBar;
    QScrollBar *m_vBar;
    bool m_updatingBars = false;
};

} // namespace jxt
