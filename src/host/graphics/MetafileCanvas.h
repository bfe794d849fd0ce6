// SPDX-License-Identifier: MIT
// TMetafileCanvas: draws into a TMetafile, recording every operation for later playback at
// any scale (a print preview, a printer). Unlike TCanvas it does not rasterise: shapes and
// text stay vectors, so one recording prints sharply at the printer's resolution.
#pragma once

#include "base/Export.h"

#include "host/graphics/Graphics.h"

#include <cstdint>
#include <memory>

class QFontMetrics;

namespace jxt {

/// A canvas that records into a metafile of a given logical size. Text is measured with the
/// screen as reference device: a font's pixel height is its height in the metafile's units.
/// Rectangles and ellipses cover [x1,x2) x [y1,y2) with the pen inside, as on TCanvas;
/// brushes fill areas and, unless clear, the background of text. A pen one unit wide is a
/// hairline, one device pixel wide at every scale. Pen modes other than
/// pmCopy draw as pmCopy (a recording has no destination pixels to combine with).
class JXT_EXPORT TMetafileCanvas
{
public:
    /// Starts a new recording of width x height units into metafile, replacing what it held.
    TMetafileCanvas(TMetafile *metafile, int width, int height);
    /// Completes the recording: the metafile then holds the picture.
    ~TMetafileCanvas();
    TMetafileCanvas(const TMetafileCanvas &) = delete;
    TMetafileCanvas &operator=(const TMetafileCanvas &) = delete;

    /// The pen, brush and font drawing uses (as on TCanvas).
    //!@{
    TPen *Pen() { return &m_pen; }
    TBrush *Brush() { return &m_brush; }
    TFont *Font() { return &m_font; }
    //!@}
    /// Where LineTo starts; MoveTo and LineTo move it.
    //!@{
    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(TPoint p) { m_penPos = p; }
    void MoveTo(int x, int y) { m_penPos = Point(x, y); }
    //!@}
    /// A line with the pen from the pen position to (x, y), which becomes the pen position.
    void LineTo(int x, int y);
    /// Fills r with the brush.
    void FillRect(const TRect &r);
    /// A rectangle (the ellipse in the rectangle): outline with the pen, inside with the brush.
    //!@{
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    //!@}
    /// Text in the font with its top-left corner at (x, y), on the brush unless it is clear.
    void TextOut(int x, int y, const QString &text);
    /// The width and height of text in the font, in units.
    //!@{
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    //!@}
    /// The graphic stretched to r.
    void StretchDraw(const TRect &r, const TGraphic *graphic);

private:
    using TParts = TMetafile::TParts;
    /// Records the pen, the brush or the font, unless the recording holds it already.
    //!@{
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();
    //!@}
    /// Records an operation.
    void Add(TParts::TKind kind, int index, const QRectF &geometry = QRectF());
    /// The font as Qt draws it, converted once for every change of the font.
    const QFont &CurrentFont() const;
    /// Appends another recording, played under transform (from its units to ours).
    void AddRecording(const TParts &other, const QTransform &transform);

    TMetafile *m_metafile;
    int m_width;
    int m_height;
    std::shared_ptr<TParts> m_parts;
    // Which pen, brush and font the recording holds at its end (indexes; -1: none yet).
    int m_penIndex = -1;
    int m_brushIndex = -1;
    int m_fontIndex = -1;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TPoint m_penPos;
    // The font converted for Qt, and what of TFont it was converted from.
    struct TFontCache
    {
        QString name;
        int height = 0;
        std::uint64_t style = 0;
        int pitch = -1;
        QFont font;
        std::unique_ptr<QFontMetrics> metrics;
    };
    mutable TFontCache m_fontCache;
    /// The metrics of the current font.
    const QFontMetrics &Metrics() const;
};

} // namespace jxt
