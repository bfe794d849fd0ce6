// SPDX-License-Identifier: MIT
// TJXLCDPanel: a liquid-crystal display of Rows lines of Columns characters. Every character
// cell is a figure of thirteen six-cornered segments (the seven of a digit display, two centre
// verticals and four diagonals; the middle bar splits into halves for some letters). Lit
// segments are drawn in LCDHiColor, unlit ones in LCDLoColor, on the control's Color. It shows
// digits, the letters A to Z (lower case as upper case), "*", "+", "-" and the marks ",", "."
// and ":"; every other character is a blank cell. The panel has no timer and no input of its
// own; it is driven through Caption or Items.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/Strings.h"
#include "util/JXVersions.h"

#include <QStringList>

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace jxt {

/// A liquid-crystal display: Rows lines of Columns character cells, each character drawn as
/// a 13-segment figure in LCDHiColor over the unlit segments in LCDLoColor.
class JXT_EXPORT TJXLCDPanel : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// The text shown; a non-empty caption replaces Items by itself, an empty one leaves
    /// Items alone. Repaints.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    /// Characters per line, 1 to 50 (default 10). Repaints.
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    /// The lines shown, one per row (default one line "JXLCDPanel"). Repaints.
    Q_PROPERTY(QStringList Items READ GetItemsList WRITE SetItemsList)
    /// Colour of lit segments (default clLime). Repaints.
    Q_PROPERTY(jxt::TColorValue LCDHiColor READ LCDHiColor WRITE SetLCDHiColor)
    /// Colour of unlit segments (default dark green 0x004000); equal to Color hides them.
    /// Repaints.
    Q_PROPERTY(jxt::TColorValue LCDLoColor READ LCDLoColor WRITE SetLCDLoColor)
    /// Lines shown, 1 to 50 (default 1). Repaints.
    Q_PROPERTY(int Rows READ Rows WRITE SetRows)
    /// Thickness of a segment in pixels, at least 1 (default 2); cells too small for it are
    /// drawn with segments of an eighth of the cell width or height, the property stays.
    /// Repaints.
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE SetSegmentSize)
    /// Docking in the parent. A side the alignment fixes keeps its size even when the cells
    /// are smaller than kMinCellSize.
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    /// Background (default clBlack).
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_CLASSINFO("ToolTip", "Liquid-crystal display")
    Q_CLASSINFO("WhatsThis", "Rows of character cells drawn as 13-segment figures: digits, the "
                             "letters A to Z and a few signs.")
    JXT_ABOUT(JXLCDPanelVersion)

public:
    /// The smallest cell in pixels; the sizing step widens or heightens the control to give
    /// every cell at least this size (on the sides no alignment or layout fixes).
    static constexpr int kMinCellSize = 13;
    /// The cell a layout prefers.
    //!@{
    static constexpr int kPreferredCellWidth = 30;
    static constexpr int kPreferredCellHeight = 40;
    //!@}
    /// The most columns and rows.
    static constexpr int kMaxCells = 50;

    explicit TJXLCDPanel(TComponent *owner = nullptr);
    TAccessibleInfo AccessibleInfo() const override;
    ~TJXLCDPanel() override;

    void SetCaption(const QString &caption) override;
    int Columns() const { return m_columns; }
    void SetColumns(int value);
    /// The lines shown as a string list; SetItems copies value into it. Repaints.
    //!@{
    TStringList *Items() { return m_items.get(); }
    const TStringList *Items() const { return m_items.get(); }
    void SetItems(const TStrings *value);
    //!@}
    TColor LCDHiColor() const { return m_hiColor; }
    void SetLCDHiColor(TColor value);
    TColor LCDLoColor() const { return m_loColor; }
    void SetLCDLoColor(TColor value);
    int Rows() const { return m_rows; }
    void SetRows(int value);
    int SegmentSize() const { return m_segmentSize; }
    void SetSegmentSize(int value);

    /// The segment mask of a character (after conversion to upper case); 0 for blanks,
    /// marks and every character without a figure.
    static std::uint16_t SegmentMask(QChar c);
    /// The segment size cells of this size are drawn with: SegmentSize, lowered to an
    /// eighth of the cell width and height.
    int ShownSegmentSize(int cellWidth, int cellHeight) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Property adapters for the meta-object system: Items as a QStringList, Align as a
    /// number.
    //!@{
    QStringList GetItemsList() const { return m_items->ToStringList(); }
    void SetItemsList(const QStringList &lines);
    int AlignValue() const { return int(Align()); }
    void SetAlignValue(int value);
    //!@}

protected:
    /// Paints the unlit template into every cell, then the characters.
    void Paint() override;
    QSize ContentSize(const QSize &current) const override;
    /// Draws every cell's character of Items.
    void PaintItems();
    /// Draws one character into rect: unlit segments in LCDLoColor, lit ones and the marks
    /// in LCDHiColor, every outline black (or invisible when LCDLoColor equals Color).
    void DrawLCD(TCanvas *canvas, const TRect &rect, int segmentSize, QChar c);

    /// The rectangle of the cell being drawn (set by PaintItems before each DrawLCD).
    const TRect &CellRect() const { return m_cellRect; }

    /// Whether cells are drawn once per figure and copied (the default) or each drawn on the
    /// control; both give the same picture.
    void SetGlyphCacheEnabled(bool enabled) { m_glyphCacheEnabled = enabled; }

private:
    TRect CellRectAt(int row, int col) const;
    void DrawTemplate(int width, int height, int ratio);
    /// Draws all thirteen unlit segments into rect, in the template's order.
    void DrawUnlitFigure(TCanvas *canvas, const TRect &rect) const;
    /// DrawLCD; without drawUnlit only the lit segments and the marks are drawn (for a cell
    /// that already holds the whole unlit figure).
    void DrawCharacter(TCanvas *canvas, const TRect &rect, int segmentSize, QChar c,
                       bool drawUnlit);
    /// The finished picture of a cell showing c, drawn on first use.
    const QImage &Glyph(QChar c);
    /// Copies a cell picture onto the surface with its top-left corner at (x, y).
    void CopyGlyph(const QImage &glyph, int x, int y);

    int m_columns = 10;
    int m_rows = 1;
    int m_segmentSize = 2;
    int m_paintSegmentSize = 2; // the segment size of the paint under way
    TColor m_hiColor = clLime;
    TColor m_loColor = 0x004000;
    std::unique_ptr<TStringList> m_items;
    TRect m_cellRect;

    // The unlit template of one cell, kept between paints while its inputs stay the same.
    std::unique_ptr<TBitmap> m_template;
    struct TTemplateKey
    {
        int width = -1;
        int height = -1;
        int segmentSize = -1;
        TColor color = 0;
        TColor loColor = 0;
        int ratio = 1; ///< device pixels per logical pixel of the pictures
        bool operator==(const TTemplateKey &o) const
        {
            return width == o.width && height == o.height && segmentSize == o.segmentSize &&
                   color == o.color && loColor == o.loColor && ratio == o.ratio;
        }
    } m_templateKey;

    // Finished cell pictures by figure (segment mask and mark), valid for one cell size,
    // segment size and set of colours. A paint of repeated characters then draws each figure
    // once and copies it; cells too large for the budget are drawn directly.
    static constexpr std::size_t kGlyphCacheBytes = std::size_t(8) << 20;
    static constexpr std::size_t kMaxFigures = 64;
    bool m_glyphCacheEnabled = true;
    bool m_useGlyphs = false;
    TTemplateKey m_glyphKey;
    TColor m_glyphHiColor = 0;
    QImage m_glyphBase; // background and template, the start of every figure's picture
    std::unordered_map<std::uint32_t, QImage> m_glyphs;
};

} // namespace jxt
