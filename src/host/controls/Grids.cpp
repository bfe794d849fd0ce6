// SPDX-License-Identifier: MIT
// TDrawGrid.
#include "host/controls/Grids.h"

#include "host/core/Events.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace jxt {

namespace {

/// The colour of the lines between scrolled cells and between fixed cells.
constexpr TColor kLineColor = clSilver;
constexpr TColor kFixedLineColor = clBtnShadow;

} // namespace

TDrawGrid::TDrawGrid(TComponent *owner)
    : TCustomControl(owner), m_hBar(new QScrollBar(Qt::Horizontal, this)),
      m_vBar(new QScrollBar(Qt::Vertical, this))
{
    setFocusPolicy(Qt::StrongFocus);
    SetColor(clWindow);
    SetParentColor(false);
    m_hBar->hide();
    m_vBar->hide();
    m_hBar->setFocusPolicy(Qt::NoFocus);
    m_vBar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(m_hBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updatingBars)
            SetLeftCol(v);
    });
    QObject::connect(m_vBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updatingBars)
            SetTopRow(v);
    });
    SetBounds(0, 0, 320, 120);
}

TDrawGrid::~TDrawGrid() = default;

void TDrawGrid::SetColCount(int value)
{
    value = std::max({1, value, m_fixedCols + 1});
    if (value == m_colCount)
        return;
    m_colCount = value;
    m_col = std::clamp(m_col, m_fixedCols, m_colCount - 1);
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, m_colCount - 1);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetRowCount(int value)
{
    value = std::max({1, value, m_fixedRows + 1});
    if (value == m_rowCount)
        return;
    m_rowCount = value;
    m_row = std::clamp(m_row, m_fixedRows, m_rowCount - 1);
    m_topRow = std::clamp(m_topRow, m_fixedRows, m_rowCount - 1);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetFixedCols(int value)
{
    value = std::clamp(value, 0, m_colCount - 1);
    if (value == m_fixedCols)
        return;
    m_fixedCols = value;
    m_col = std::max(m_col, value);
    m_leftCol = std::max(m_leftCol, value);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetFixedRows(int value)
{
    value = std::clamp(value, 0, m_rowCount - 1);
    if (value == m_fixedRows)
        return;
    m_fixedRows = value;
    m_row = std::max(m_row, value);
    m_topRow = std::max(m_topRow, value);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetDefaultColWidth(int value)
{
    m_colWidth = std::max(1, value);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetDefaultRowHeight(int value)
{
    m_rowHeight = std::max(1, value);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetGridLineWidth(int value)
{
    m_lineWidth = std::max(0, value);
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetCol(int value)
{
    MoveCurrent(value, m_row);
}

void TDrawGrid::SetRow(int value)
{
    MoveCurrent(m_col, value);
}

void TDrawGrid::MoveCurrent(int col, int row)
{
    col = std::clamp(col, m_fixedCols, m_colCount - 1);
    row = std::clamp(row, m_fixedRows, m_rowCount - 1);
    if (col == m_col && row == m_row)
        return;
    m_col = col;
    m_row = row;
    ScrollIntoView();
    Invalidate();
}

void TDrawGrid::SetLeftCol(int value)
{
    value = std::clamp(value, m_fixedCols, std::max(m_fixedCols, m_colCount - VisibleColCount()));
    if (value == m_leftCol)
        return;
    m_leftCol = value;
    UpdateScrollBars();
    Invalidate();
}

void TDrawGrid::SetTopRow(int value)
{
    value = std::clamp(value, m_fixedRows, std::max(m_fixedRows, m_rowCount - VisibleRowCount()));
    if (value == m_topRow)
        return;
    m_topRow = value;
    UpdateScrollBars();
    Invalidate();
}

TRect TDrawGrid::CellArea() const
{
    TRect r = ClientRect();
    const int inset = Inset();
    r.Left += inset;
    r.Top += inset;
    r.Right -= inset;
    r.Bottom -= inset;
    if (!m_vBar->isHidden())
        r.Right -= m_vBar->sizeHint().width();
    if (!m_hBar->isHidden())
        r.Bottom -= m_hBar->sizeHint().height();
    return r;
}

int TDrawGrid::VisibleColCount() const
{
    const TRect area = CellArea();
    const int scrolled = area.Right - (area.Left + m_fixedCols * (m_colWidth + m_lineWidth));
    return std::max(1, (scrolled + m_lineWidth) / (m_colWidth + m_lineWidth));
}

int TDrawGrid::VisibleRowCount() const
{
    const TRect area = CellArea();
    const int scrolled = area.Bottom - (area.Top + m_fixedRows * (m_rowHeight + m_lineWidth));
    return std::max(1, (scrolled + m_lineWidth) / (m_rowHeight + m_lineWidth));
}

int TDrawGrid::ColumnLeft(int col) const
{
    const TRect area = CellArea();
    const int pitch = m_colWidth + m_lineWidth;
    if (col < m_fixedCols)
        return area.Left + col * pitch;
    if (col < m_leftCol)
        return INT_MIN;
    return area.Left + (m_fixedCols + col - m_leftCol) * pitch;
}

int TDrawGrid::RowTop(int row) const
{
    const TRect area = CellArea();
    const int pitch = m_rowHeight + m_lineWidth;
    if (row < m_fixedRows)
        return area.Top + row * pitch;
    if (row < m_topRow)
        return INT_MIN;
    return area.Top + (m_fixedRows + row - m_topRow) * pitch;
}

TRect TDrawGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= m_colCount || row < 0 || row >= m_rowCount)
        return TRect();
    const int left = ColumnLeft(col);
    const int top = RowTop(row);
    const TRect area = CellArea();
    if (left == INT_MIN || top == INT_MIN || left >= area.Right || top >= area.Bottom)
        return TRect();
    return Rect(left, top, left + m_colWidth, top + m_rowHeight);
}

void TDrawGrid::MouseToCell(int x, int y, int &col, int &row) const
{
    col = -1;
    row = -1;
    const TRect area = CellArea();
    if (x < area.Left || x >= area.Right || y < area.Top || y >= area.Bottom)
        return;
    const int colPitch = m_colWidth + m_lineWidth;
    const int rowPitch = m_rowHeight + m_lineWidth;
    int c = (x - area.Left) / colPitch;
    int r = (y - area.Top) / rowPitch;
    if (c >= m_fixedCols)
        c = c - m_fixedCols + m_leftCol;
    if (r >= m_fixedRows)
        r = r - m_fixedRows + m_topRow;
    if (c < m_colCount && r < m_rowCount) {
        col = c;
        row = r;
    }
}

void TDrawGrid::UpdateScrollBars()
{
    if (m_updatingBars)
        return;
    m_updatingBars = true;
    // Showing one bar narrows the area for the other: decide twice.
    for (int pass = 0; pass < 2; ++pass) {
        m_hBar->setVisible(m_colCount - m_fixedCols > VisibleColCount());
        m_vBar->setVisible(m_rowCount - m_fixedRows > VisibleRowCount());
    }
    const TRect area = CellArea();
    m_hBar->setGeometry(area.Left, area.Bottom, area.Width(), m_hBar->sizeHint().height());
    m_vBar->setGeometry(area.Right, area.Top, m_vBar->sizeHint().width(), area.Height());
    m_hBar->setRange(m_fixedCols, std::max(m_fixedCols, m_colCount - VisibleColCount()));
    m_vBar->setRange(m_fixedRows, std::max(m_fixedRows, m_rowCount - VisibleRowCount()));
    m_hBar->setPageStep(VisibleColCount());
    m_vBar->setPageStep(VisibleRowCount());
    m_leftCol = std::clamp(m_leftCol, m_hBar->minimum(), m_hBar->maximum());
    m_topRow = std::clamp(m_topRow, m_vBar->minimum(), m_vBar->maximum());
    m_hBar->setValue(m_leftCol);
    m_vBar->setValue(m_topRow);
    m_updatingBars = false;
}

void TDrawGrid::ScrollIntoView()
{
    if (m_col < m_leftCol)
        SetLeftCol(m_col);
    else if (m_col >= m_leftCol + VisibleColCount())
        SetLeftCol(m_col - VisibleColCount() + 1);
    if (m_row < m_topRow)
        SetTopRow(m_row);
    else if (m_row >= m_topRow + VisibleRowCount())
        SetTopRow(m_row - VisibleRowCount() + 1);
}

void TDrawGrid::Resize()
{
    TCustomControl::Resize();
    UpdateScrollBars();
}

void TDrawGrid::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->FillSolid(ClientRect(), Color());
    if (m_borderStyle != bsNone) {
        TRect frame = ClientRect();
        Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, frame, cl3DDkShadow, clBtnFace, 1);
    }
    const TRect area = CellArea();
    const auto drawRange = [&](int firstCol, int lastCol, int firstRow, int lastRow) {
        for (int row = firstRow; row <= lastRow && row < m_rowCount; ++row) {
            for (int col = firstCol; col <= lastCol && col < m_colCount; ++col) {
                const TRect cell = CellRect(col, row);
                if (cell.IsEmpty())
                    continue;
                const bool fixed = col < m_fixedCols || row < m_fixedRows;
                TGridDrawState state;
                if (fixed)
                    state.Include(gdFixed);
                if (col == m_col && row == m_row && !fixed) {
                    state.Include(gdSelected);
                    if (hasFocus())
                        state.Include(gdFocused);
                }
                canvas->SetClipRect(Rect(std::max(cell.Left, area.Left),
                                         std::max(cell.Top, area.Top),
                                         std::min(cell.Right + m_lineWidth, area.Right),
                                         std::min(cell.Bottom + m_lineWidth, area.Bottom)));
                const TColor line = fixed ? kFixedLineColor : kLineColor;
                canvas->FillSolid(
                    Rect(cell.Right, cell.Top, cell.Right + m_lineWidth, cell.Bottom + m_lineWidth),
                    line);
                canvas->FillSolid(
                    Rect(cell.Left, cell.Bottom, cell.Right, cell.Bottom + m_lineWidth), line);
                canvas->Brush()->SetStyle(bsSolid);
                canvas->SetFont(Font());
                if (m_defaultDrawing) {
                    if (fixed) {
                        canvas->FillSolid(cell, clBtnFace);
                        TRect edge = cell;
                        Frame3D(canvas, edge, clBtnHighlight, clBtnShadow, 1);
                    } else {
                        canvas->FillSolid(cell, Color());
                    }
                    canvas->Brush()->SetColor(fixed ? clBtnFace : Color());
                }
                const QPointer<TDrawGrid> alive(this);
                DrawCell(col, row, cell, state);
                if (!alive)
                    return false;
                if (m_defaultDrawing && state.Contains(gdFocused))
                    canvas->DrawFocusRect(cell);
                canvas->ClearClipRect();
            }
        }
        return true;
    };
    const int lastCol = m_leftCol + VisibleColCount();
    const int lastRow = m_topRow + VisibleRowCount();
    if (!drawRange(0, m_fixedCols - 1, 0, m_fixedRows - 1) ||
        !drawRange(m_leftCol, lastCol, 0, m_fixedRows - 1) ||
        !drawRange(0, m_fixedCols - 1, m_topRow, lastRow) ||
        !drawRange(m_leftCol, lastCol, m_topRow, lastRow))
        return;
    canvas->ClearClipRect();
}

void TDrawGrid::DrawCell(int col, int row, const TRect &rect, TGridDrawState state)
{
    FireEvent(this, OnDrawCell, &TDrawGrid::onDrawCell, this, col, row, rect, state);
}

bool TDrawGrid::SelectCell(int col, int row)
{
    bool canSelect = true;
    if (!FireEvent(this, OnSelectCell, &TDrawGrid::onSelectCell, this, col, row, canSelect))
        return false;
    return canSelect;
}

void TDrawGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (focusPolicy() != Qt::NoFocus)
            setFocus(Qt::MouseFocusReason);
        int col = -1, row = -1;
        MouseToCell(x, y, col, row);
        if (col >= m_fixedCols && row >= m_fixedRows && SelectCell(col, row))
            MoveCurrent(col, row);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TDrawGrid::keyPressEvent(QKeyEvent *event)
{
    int col = m_col, row = m_row;
    switch (event->key()) {
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_PageUp: row -= VisibleRowCount(); break;
    case Qt::Key_PageDown: row += VisibleRowCount(); break;
    case Qt::Key_Home: col = m_fixedCols; break;
    case Qt::Key_End: col = m_colCount - 1; break;
    default: TCustomControl::keyPressEvent(event); return;
    }
    col = std::clamp(col, m_fixedCols, m_colCount - 1);
    row = std::clamp(row, m_fixedRows, m_rowCount - 1);
    if ((col != m_col || row != m_row) && SelectCell(col, row))
        MoveCurrent(col, row);
    event->accept();
}

void TDrawGrid::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        SetTopRow(m_topRow - steps);
    event->accept();
}

void TDrawGrid::focusInEvent(QFocusEvent *event)
{
    TCustomControl::focusInEvent(event);
    Invalidate();
}

void TDrawGrid::focusOutEvent(QFocusEvent *event)
{
    TCustomControl::focusOutEvent(event);
    Invalidate();
}

QSize TDrawGrid::sizeHint() const
{
    const int inset = 2 * Inset();
    return QSize(inset + std::min(m_colCount, 5) * (m_colWidth + m_lineWidth),
                 inset + std::min(m_rowCount, 5) * (m_rowHeight + m_lineWidth));
}

} // namespace jxt
