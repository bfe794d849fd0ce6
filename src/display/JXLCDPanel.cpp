// SPDX-License-Identifier: MIT
// The LCD panel: segment geometry, character table and painting.
#include "display/JXLCDPanel.h"
#include "host/graphics/OffscreenCopy.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace jxt {

namespace {

// A corner of a segment polygon: a reference line (left/top, centre or right/bottom of the
// cell) plus a multiple of the segment size.
enum TRef : std::int8_t { kNear, kMid, kFar };

struct TCorner
{
    TRef xRef;
    std::int8_t xA;
    TRef yRef;
    std::int8_t yA;
};

using TShape = std::array<TCorner, 6>;

// The fifteen segments, indexed by bit, every polygon in drawing order.
// clang-format off
constexpr std::array<TShape, 15> kSegments = {{
    // 0 top bar
    {{{kNear, 1, kNear, 1},
      {kNear, 2, kNear, 0},
      {kFar, -2, kNear, 0},
      {kFar, -1, kNear, 1},
      {kFar, -2, kNear, 2},
      {kNear, 2, kNear, 2}}},
    // 1 upper left vertical
    {{{kNear, 1, kNear, 1},
      {kNear, 2, kNear, 2},
      {kNear, 2, kMid, -1},
      {kNear, 1, kMid, 0},
      {kNear, 0, kMid, -1},
      {kNear, 0, kNear, 2}}},
    // 2 upper right vertical
    {{{kFar, -1, kNear, 1},
      {kFar, 0, kNear, 2},
      {kFar, 0, kMid, -1},
      {kFar, -1, kMid, 0},
      {kFar, -2, kMid, -1},
      {kFar, -2, kNear, 2}}},
    // 3 middle bar, full width
    {{{kNear, 1, kMid, 0},
      {kNear, 2, kMid, -1},
      {kFar, -2, kMid, -1},
      {kFar, -1, kMid, 0},
      {kFar, -2, kMid, 1},
      {kNear, 2, kMid, 1}}},
    // 4 lower left vertical
    {{{kNear, 1, kMid, 0},
      {kNear, 2, kMid, 1},
      {kNear, 2, kFar, -2},
      {kNear, 1, kFar, -1},
      {kNear, 0, kFar, -2},
      {kNear, 0, kMid, 1}}},
    // 5 lower right vertical
    {{{kFar, -1, kMid, 0},
      {kFar, 0, kMid, 1},
      {kFar, 0, kFar, -2},
      {kFar, -1, kFar, -1},
      {kFar, -2, kFar, -2},
      {kFar, -2, kMid, 1}}},
    // 6 bottom bar
    {{{kNear, 1, kFar, -1},
      {kNear, 2, kFar, -2},
      {kFar, -2, kFar, -2},
      {kFar, -1, kFar, -1},
      {kFar, -2, kFar, 0},
      {kNear, 2, kFar, 0}}},
    // 7 upper centre vertical
    {{{kMid, 0, kNear, 1},
      {kMid, 1, kNear, 2},
      {kMid, 1, kMid, -1},
      {kMid, 0, kMid, 0},
      {kMid, -1, kMid, -1},
      {kMid, -1, kNear, 2}}},
    // 8 lower centre vertical
    {{{kMid, 0, kMid, 0},
      {kMid, 1, kMid, 1},
      {kMid, 1, kFar, -2},
      {kMid, 0, kFar, -1},
      {kMid, -1, kFar, -2},
      {kMid, -1, kMid, 1}}},
    // 9 left half of the middle bar
    {{{kNear, 1, kMid, 0},
      {kNear, 2, kMid, -1},
      {kMid, -1, kMid, -1},
      {kMid, 0, kMid, 0},
      {kMid, -1, kMid, 1},
      {kNear, 2, kMid, 1}}},
    // 10 right half of the middle bar
    {{{kMid, 0, kMid, 0},
      {kMid, 1, kMid, -1},
      {kFar, -2, kMid, -1},
      {kFar, -1, kMid, 0},
      {kFar, -2, kMid, 1},
      {kMid, 1, kMid, 1}}},
    // 11 upper left diagonal
    {{{kNear, 1, kNear, 1},
      {kNear, 2, kNear, 2},
      {kMid, 0, kMid, -1},
      {kMid, 0, kMid, 0},
      {kMid, -1, kMid, 0},
      {kNear, 0, kNear, 2}}},
    // 12 upper right diagonal
    {{{kFar, -1, kNear, 1},
      {kFar, 0, kNear, 2},
      {kMid, 1, kMid, 0},
      {kMid, 0, kMid, 0},
      {kMid, 0, kMid, -1},
      {kFar, -2, kNear, 2}}},
    // 13 lower right diagonal
    {{{kMid, 0, kMid, 0},
      {kMid, 1, kMid, 0},
      {kFar, 0, kFar, -2},
      {kFar, -1, kFar, -1},
      {kFar, -2, kFar, -2},
      {kMid, 0, kMid, 1}}},
    // 14 lower left diagonal
    {{{kMid, 0, kMid, 0},
      {kMid, 0, kMid, 1},
      {kNear, 2, kFar, -2},
      {kNear, 1, kFar, -1},
      {kNear, 0, kFar, -2},
      {kMid, -1, kMid, 0}}},
}};

// The tail of a comma below the centre of the cell.
constexpr TShape kCommaTail = {{{kMid, 1, kFar, -2}, {kMid, 1, kFar, -1}, {kMid, 0, kFar, 0},
                                {kMid, -1, kFar, 0}, {kMid, -1, kFar, -1}, {kMid, 0, kFar, -2}}};
// clang-format on

// Segments that may be shown unlit: the template draws them all in this order, and a cell
// draws its unlit ones in the same order (centre verticals and diagonals, then the bars).
constexpr std::array<int, 6> kInnerSegments = {7, 8, 11, 12, 13, 14};
constexpr std::array<int, 7> kBarSegments = {0, 1, 2, 3, 4, 5, 6};
// The order in which lit segments are drawn.
constexpr std::array<int, 15> kLitOrder = {7, 8, 9, 10, 11, 12, 13, 14, 0, 1, 2, 3, 4, 5, 6};

// The coordinates a cell's polygons are built from.
struct TCellGeometry
{
    int l, t, r, b, cx, cy, a;

    TCellGeometry(const TRect &rect, int segmentSize)
        : l(rect.Left), t(rect.Top), r(rect.Right), b(rect.Bottom),
          cx(rect.Left + (rect.Right - rect.Left) / 2), cy(rect.Top + (rect.Bottom - rect.Top) / 2),
          a(segmentSize)
    {}

    std::array<TPoint, 6> Corners(const TShape &shape) const
    {
        std::array<TPoint, 6> points;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            const TCorner &c = shape[i];
            const int x = c.xRef == kNear ? l : c.xRef == kMid ? cx : r;
            const int y = c.yRef == kNear ? t : c.yRef == kMid ? cy : b;
            points[i] = TPoint{x + c.xA * a, y + c.yA * a};
        }
        return points;
    }

    void Draw(TCanvas *canvas, const TShape &shape) const
    {
        const std::array<TPoint, 6> points = Corners(shape);
        canvas->Polygon(points.data(), int(points.size()));
    }
};

bool SameColor(TColor a, TColor b)
{
    return a == b || ColorToRGB(a) == ColorToRGB(b);
}

// 32-bit formats in which an opaque pixel is stored as 0xFFRRGGBB, so rows copy unchanged.
bool OpaqueRgb32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

QColor OpaqueColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Copies source onto target with its top-left corner at (x, y), clipped to target.
void CopyPixels(const QImage &source, QImage &target, int x, int y)
{
    if (source.isNull() || target.isNull())
        return;
    if (!OpaqueRgb32(source.format()) || !OpaqueRgb32(target.format())) {
        CopyPixels(source.convertToFormat(QImage::Format_ARGB32), target, x, y);
        return;
    }
    const int x0 = std::max(x, 0);
    const int x1 = std::min(x + source.width(), target.width());
    const int y0 = std::max(y, 0);
    const int y1 = std::min(y + source.height(), target.height());
    if (x0 >= x1)
        return;
    const std::size_t bytes = std::size_t(x1 - x0) * sizeof(QRgb);
    for (int row = y0; row < y1; ++row) {
        const QRgb *from = reinterpret_cast<const QRgb *>(source.constScanLine(row - y)) + (x0 - x);
        QRgb *to = reinterpret_cast<QRgb *>(target.scanLine(row)) + x0;
        std::memcpy(to, from, bytes);
    }
}

} // namespace

std::uint16_t TJXLCDPanel::SegmentMask(QChar c)
{
    static constexpr std::array<std::uint16_t, 26> kLetters = {
        0x003F, 0x05E5, 0x0053, 0x01E5, 0x0253, 0x0213, 0x0473, 0x003E, 0x0180, // A-I
        0x0074, 0x3212, 0x0052, 0x00B7, 0x2836, 0x0077, 0x001F, 0x2077, 0x201F, // J-R
        0x006B, 0x0181, 0x0076, 0x5012, 0x0176, 0x7800, 0x1900, 0x5041,         // S-Z
    };
    static constexpr std::array<std::uint16_t, 10> kDigits = {
        0x0077, 0x0024, 0x005D, 0x006D, 0x002E, 0x006B, 0x007B, 0x0025, 0x007F, 0x002F,
    };
    const char16_t u = c.toUpper().unicode();
    if (u >= u'A' && u <= u'Z')
        return kLetters[std::size_t(u - u'A')];
    if (u >= u'0' && u <= u'9')
        return kDigits[std::size_t(u - u'0')];
    switch (u) {
    case u'*': return 0x79FF;
    case u'+': return 0x0780;
    case u'-': return 0x0008;
    default: return 0;
    }
}

TJXLCDPanel::TJXLCDPanel(TComponent *owner)
    : TGraphicControl(owner), m_items(std::make_unique<TStringList>())
{
    m_items->Add(QStringLiteral("JXLCDPanel"));
    m_items->OnChange = [this](TObject *) { Invalidate(); };
    SetColor(clBlack);
    SetBounds(Left(), Top(), 300, 40);
}

TJXLCDPanel::~TJXLCDPanel() = default;

void TJXLCDPanel::SetCaption(const QString &caption)
{
    TGraphicControl::SetCaption(caption);
    if (!caption.isEmpty()) {
        m_items->BeginUpdate();
        m_items->Clear();
        m_items->Add(caption);
        m_items->EndUpdate();
    }
    Invalidate();
}

void TJXLCDPanel::SetItems(const TStrings *value)
{
    if (value != m_items.get())
        m_items->Assign(value);
    Invalidate();
}

void TJXLCDPanel::SetItemsList(const QStringList &lines)
{
    TStringList list(lines);
    SetItems(&list);
}

void TJXLCDPanel::SetColumns(int value)
{
    m_columns = std::clamp(value, 1, kMaxCells);
    updateGeometry();
    Invalidate();
}

void TJXLCDPanel::SetRows(int value)
{
    m_rows = std::clamp(value, 1, kMaxCells);
    updateGeometry();
    Invalidate();
}

void TJXLCDPanel::SetSegmentSize(int value)
{
    // SegmentSize is a byte-sized figure, 1 to 255: 0 (or less) becomes 1.
    m_segmentSize = std::clamp(value, 1, 255);
    updateGeometry();
    Invalidate();
}

void TJXLCDPanel::SetLCDHiColor(TColor value)
{
    m_hiColor = value;
    Invalidate();
}

void TJXLCDPanel::SetLCDLoColor(TColor value)
{
    m_loColor = value;
    Invalidate();
}

void TJXLCDPanel::SetAlignValue(int value)
{
    SetAlign(TAlign(std::clamp(value, int(alNone), int(alClient))));
}

int TJXLCDPanel::ShownSegmentSize(int cellWidth, int cellHeight) const
{
    int size = m_segmentSize;
    if (cellWidth / size < 8)
        size = std::max(1, cellWidth / 8);
    if (cellHeight / size < 8)
        size = std::max(1, cellHeight / 8);
    return size;
}

QSize TJXLCDPanel::ContentSize(const QSize &current) const
{
    // Every cell gets at least kMinCellSize pixels each way; a smaller panel grows.
    return current.expandedTo(QSize(m_columns * kMinCellSize, m_rows * kMinCellSize));
}

QSize TJXLCDPanel::minimumSizeHint() const
{
    return QSize(m_columns * kMinCellSize, m_rows * kMinCellSize);
}

QSize TJXLCDPanel::sizeHint() const
{
    // Cells of the proportions of a new panel (ten 30 x 40 cells), at least large enough
    // for the segment size set.
    const int cellWidth = std::max(kPreferredCellWidth, 8 * m_segmentSize + 8);
    const int cellHeight = std::max(kPreferredCellHeight, 8 * m_segmentSize + 4);
    return QSize(m_columns * cellWidth, m_rows * cellHeight);
}

TRect TJXLCDPanel::CellRectAt(int row, int col) const
{
    const int w = Width();
    const int h = Height();
    return Bounds(col * w / m_columns + 4, row * h / m_rows + 2, w / m_columns - 8, h / m_rows - 4);
}

void TJXLCDPanel::DrawUnlitFigure(TCanvas *canvas, const TRect &rect) const
{
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(m_loColor);
    canvas->Pen()->SetColor(clBlack);
    const TCellGeometry geometry(rect, m_paintSegmentSize);
    for (int bit : kInnerSegments)
        geometry.Draw(canvas, kSegments[std::size_t(bit)]);
    for (int bit : kBarSegments)
        geometry.Draw(canvas, kSegments[std::size_t(bit)]);
}

void TJXLCDPanel::DrawTemplate(int width, int height, int ratio)
{
    const TTemplateKey key{
        width, height, m_paintSegmentSize, ColorToRGB(Color()), ColorToRGB(m_loColor), ratio};
    if (m_template && key == m_templateKey)
        return;
    m_template = std::make_unique<TBitmap>();
    display::SetSizeAtRatio(*m_template, width, height, ratio);
    m_templateKey = key;
    TCanvas *canvas = m_template->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, 0, width, height));
    DrawUnlitFigure(canvas, Rect(0, 0, width, height));
}

void TJXLCDPanel::Paint()
{
    TCanvas *canvas = Canvas();

    const int w = Width();
    const int h = Height();
    const int cellWidth = w / m_columns;
    const int cellHeight = h / m_rows;
    // Segments are drawn at most an eighth of the cell wide and high; SegmentSize itself
    // stays, so the cells get their set segments back when the panel is large again.
    m_paintSegmentSize = ShownSegmentSize(cellWidth, cellHeight);

    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetMode(pmCopy);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    QImage *surface = canvas->Device();
    if (surface && OpaqueRgb32(surface->format()) &&
        canvas->ClipRect() == Rect(0, 0, surface->width(), surface->height()))
        surface->fill(OpaqueColor(Color())); // the same pixels as FillRect, at memory speed
    else
        canvas->FillRect(ClientRect());

    // The unlit figure is the same in every cell: it is drawn once as a template.
    const int templateWidth = cellWidth - 8;
    const int templateHeight = cellHeight - 4;
    const bool validCell = templateWidth > 0 && templateHeight > 0;
    const bool showUnlit = !SameColor(m_loColor, Color());
    // The pictures copied into the cells have the surface's resolution when each logical
    // pixel is a whole block of device pixels, so their slanted edges stay as fine as the
    // surface's own.
    const qreal surfaceRatio = surface ? surface->devicePixelRatio() : 1.0;
    const int ratio =
        surfaceRatio > 1.0 && surfaceRatio == std::floor(surfaceRatio) ? int(surfaceRatio) : 1;
    if (showUnlit && validCell)
        DrawTemplate(templateWidth, templateHeight, ratio);

    // A cell's picture depends only on its figure, so with the cache every figure is drawn
    // once (template included) and copied; otherwise the template goes into every cell here
    // and each cell's character is drawn over it.
    const TTemplateKey glyphKey{templateWidth,       templateHeight,        m_paintSegmentSize,
                                ColorToRGB(Color()), ColorToRGB(m_loColor), ratio};
    const std::size_t glyphBytes = std::size_t(templateWidth + 1) *
                                   std::size_t(templateHeight + 1) * 4 * std::size_t(ratio * ratio);
    // At a fractional ratio a copied picture would not fall on the blocks of the logical
    // pixels the direct drawing covers, so the cells are drawn there.
    m_useGlyphs = m_glyphCacheEnabled && validCell &&
                  glyphBytes * kMaxFigures <= kGlyphCacheBytes && surfaceRatio == double(ratio);
    if (!m_useGlyphs || !(glyphKey == m_glyphKey) || ColorToRGB(m_hiColor) != m_glyphHiColor) {
        m_glyphs.clear();
        m_glyphBase = QImage();
        m_glyphKey = glyphKey;
        m_glyphHiColor = ColorToRGB(m_hiColor);
    }
    if (showUnlit && validCell && !m_useGlyphs) {
        for (int row = 0; row < m_rows; ++row)
            for (int col = 0; col < m_columns; ++col)
                canvas->Draw(col * w / m_columns + 4, row * h / m_rows + 2, m_template.get());
    }
    PaintItems();
}

void TJXLCDPanel::PaintItems()
{
    TCanvas *canvas = Canvas();
    const int lineCount = std::min(m_rows, m_items->Count());
    for (int row = 0; row < m_rows; ++row) {
        const QString line = row < lineCount ? m_items->Get(row) : QString();
        for (int col = 0; col < m_columns; ++col) {
            m_cellRect = CellRectAt(row, col);
            if (m_cellRect.IsEmpty())
                continue;
            const QChar c = col < line.size() ? line.at(col).toUpper() : QLatin1Char(' ');
            if (m_useGlyphs)
                CopyGlyph(Glyph(c), m_cellRect.Left, m_cellRect.Top);
            else
                DrawLCD(canvas, m_cellRect, m_paintSegmentSize, c);
        }
    }
}

const QImage &TJXLCDPanel::Glyph(QChar c)
{
    // Characters of one figure share a picture: the marks have their own, every other
    // character is its segment mask.
    std::uint32_t figure = SegmentMask(c);
    switch (c.unicode()) {
    case u',': figure |= 1u << 16; break;
    case u'.': figure |= 2u << 16; break;
    case u':': figure |= 3u << 16; break;
    default: break;
    }
    const auto found = m_glyphs.find(figure);
    if (found != m_glyphs.end())
        return found->second;

    // The cell as the direct drawing leaves it. Every figure starts from the same base: the
    // background with all unlit segments, drawn in the template's order but unclipped, since
    // outlines reach the cell's right and bottom edge (the picture is one pixel larger than
    // the cell rectangle). Redrawing a figure's unlit segments over that base would put the
    // same pixels back in the same order, so only the lit segments and marks are drawn.
    const int width = m_glyphKey.width;
    const int height = m_glyphKey.height;
    if (m_glyphBase.isNull()) {
        TBitmap base;
        display::SetSizeAtRatio(base, width + 1, height + 1, m_glyphKey.ratio);
        TCanvas *canvas = base.Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(0, 0, width + 1, height + 1));
        if (!SameColor(m_loColor, Color()))
            DrawUnlitFigure(canvas, Rect(0, 0, width, height));
        m_glyphBase = base.Image();
    }
    TBitmap bitmap;
    bitmap.SetImage(m_glyphBase);
    DrawCharacter(bitmap.Canvas(), Rect(0, 0, width, height), m_paintSegmentSize, c, false);
    return m_glyphs.emplace(figure, bitmap.Image()).first->second;
}

void TJXLCDPanel::CopyGlyph(const QImage &glyph, int x, int y)
{
    TCanvas *canvas = Canvas();
    QImage *surface = canvas->Device();
    if (!surface)
        return;
    // A picture of the surface's resolution is copied pixel for pixel.
    const qreal ratio = surface->devicePixelRatio();
    if (glyph.devicePixelRatio() == ratio && ratio == std::floor(ratio)) {
        CopyPixels(glyph, *surface, x * int(ratio), y * int(ratio));
        return;
    }
    // A scaled surface takes the logical picture through the canvas, block by block.
    TBitmap bitmap;
    bitmap.SetImage(glyph);
    canvas->SetCopyMode(cmSrcCopy);
    canvas->Draw(x, y, &bitmap);
}

void TJXLCDPanel::DrawLCD(TCanvas *canvas, const TRect &rect, int segmentSize, QChar c)
{
    DrawCharacter(canvas, rect, segmentSize, c, true);
}

void TJXLCDPanel::DrawCharacter(TCanvas *canvas, const TRect &rect, int segmentSize, QChar c,
                                bool drawUnlit)
{
    const TCellGeometry geometry(rect, std::max(1, segmentSize));
    const std::uint16_t mask = SegmentMask(c);
    const auto lit = [mask](int bit) { return (mask & (1u << bit)) != 0; };

    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    if (drawUnlit) {
        canvas->Brush()->SetColor(m_loColor);
        if (SameColor(m_loColor, Color())) {
            // Unlit segments vanish in the background.
            canvas->Pen()->SetColor(m_loColor);
        } else {
            canvas->Pen()->SetColor(clBlack);
            for (int bit : kInnerSegments)
                if (!lit(bit))
                    geometry.Draw(canvas, kSegments[std::size_t(bit)]);
        }
        for (int bit : kBarSegments)
            if (!lit(bit))
                geometry.Draw(canvas, kSegments[std::size_t(bit)]);
    }

    canvas->Brush()->SetColor(m_hiColor);
    canvas->Pen()->SetColor(clBlack);
    for (int bit : kLitOrder)
        if (lit(bit))
            geometry.Draw(canvas, kSegments[std::size_t(bit)]);

    const int cx = geometry.cx;
    const int cy = geometry.cy;
    const int a = geometry.a;
    const int b = geometry.b;
    switch (c.unicode()) {
    case u',': geometry.Draw(canvas, kCommaTail); break;
    case u'.': canvas->Ellipse(cx - a, b - 2 * a, cx + a, b); break;
    case u':':
        canvas->Ellipse(cx - a, cy + a, cx + a, cy + 3 * a);
        canvas->Ellipse(cx - a, cy - 3 * a, cx + a, cy - a);
        break;
    default: break;
    }
}

TAccessibleInfo TJXLCDPanel::AccessibleInfo() const
{
    return {QAccessible::StaticText, Caption()};
}

} // namespace jxt
