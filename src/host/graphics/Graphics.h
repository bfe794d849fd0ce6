// SPDX-License-Identifier: MIT
// Colours, pens, brushes, fonts, the canvas and the image classes of the host layer.
//
// TCanvas draws with the pixel rules of Windows GDI rather than Qt's defaults:
// rectangles and ellipses cover [x1,x2) x [y1,y2) with the pen inside, LineTo leaves out
// its last pixel, polygons fill with the alternate rule and are outlined with the pen,
// nothing is anti-aliased, and a clear brush means no fill and transparent text.
#pragma once

#include "base/Export.h"

#include "host/core/Enums.h"
#include "host/core/Object.h"
#include "host/core/SysUtils.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPicture>
#include <QRectF>
#include <QStringList>
#include <QTransform>

#include <memory>
#include <vector>

class QPainter;
class QPalette;

namespace jxt {

/// 0x00BBGGRR, or a system colour: high bit set, low byte the system colour index.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColor(int index)
{
    return TColor(0x80000000u | unsigned(index));
}
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

/// Resolves system colours through the palette of the control being painted (see
/// TPaletteScope), else the application's QPalette; RGB values pass unchanged. The result
/// is always 0x00BBGGRR.
JXT_EXPORT TColor ColorToRGB(TColor color);

/// While it lives, system colours resolve through palette (on this thread). Controls open
/// one with their own palette around every paint; scopes nest.
class JXT_EXPORT TPaletteScope
{
public:
    /// Makes palette the one system colours resolve through, until the scope ends.
    explicit TPaletteScope(const QPalette &palette);
    ~TPaletteScope();
    TPaletteScope(const TPaletteScope &) = delete;
    TPaletteScope &operator=(const TPaletteScope &) = delete;

private:
    const QPalette *m_previous;
};

JXT_EXPORT QColor ColorToQColor(TColor color);
JXT_EXPORT TColor QColorToColor(const QColor &color);
/// The contrast of two colours, from 1 (the same lightness) to 21 (black and white), by the
/// relative luminance of their RGB values (system colours resolved first).
JXT_EXPORT double ContrastRatio(TColor a, TColor b);
/// The colour to write text of colour text on background with. A text colour the palette
/// gives (a system colour) on a background fixed as RGB may not read there when the palette
/// is dark or light: it then becomes black or white, whichever reads better, unless it already
/// has a contrast of at least 3. Colours both given as RGB, or both by the palette, stay.
JXT_EXPORT TColor ReadableTextColor(TColor text, TColor background);
inline TColor RGB(int r, int g, int b)
{
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline int GetRValue(TColor c)
{
    return c & 0xFF;
}
inline int GetGValue(TColor c)
{
    return (c >> 8) & 0xFF;
}
inline int GetBValue(TColor c)
{
    return (c >> 16) & 0xFF;
}
/// Colour names "clRed", ... and "$00BBGGRR" texts, both ways.
JXT_EXPORT QString ColorToString(TColor color);
JXT_EXPORT bool IdentToColor(const QString &ident, TColor &color);
/// Every colour name, the sixteen basic colours first, then the system colours.
JXT_EXPORT QStringList ColorNames();

using TFontStyles = TSet<TFontStyle>;
/// A font style as INI files store it: the letters B, I, U and S for bold, italic, underline
/// and strike-out, in that order; reading ignores any other letter.
JXT_EXPORT QString FontStyleLetters(TFontStyles style);
JXT_EXPORT TFontStyles FontStyleFromLetters(const QString &letters);
using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset OEM_CHARSET = 255;

/// Raster operations of CopyRect and Draw (their Windows GDI values).
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

/// DrawText format flags (their Windows values).
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;

class TBitmap;
class TCanvas;
class TGraphic;

/// Base of TPen, TBrush and TFont: fires OnChange after every change.
class JXT_EXPORT TGraphicsObject : public TPersistent
{
public:
    /// A property changed (fired once per change; setting a value it has fires nothing).
    TNotifyEvent OnChange;

protected:
    /// Fires OnChange.
    void Changed();
};

/// How a canvas draws lines and outlines.
class JXT_EXPORT TPen : public TGraphicsObject
{
public:
    /// The colour of lines; default clBlack.
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    /// The line width in pixels, at least 1 (smaller values are taken as 1); default 1.
    int Width() const { return m_width; }
    void SetWidth(int w);
    /// Solid, dashed, dotted or no line (psClear); default psSolid.
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle s);
    /// How the pen's colour combines with the pixels under it (pmNot inverts, pmXor, ...);
    /// default pmCopy.
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode m);
    void Assign(const TPersistent *source) override;

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};

/// How a canvas fills areas: shapes, the background of text, FillRect and FloodFill.
class JXT_EXPORT TBrush : public TGraphicsObject
{
public:
    TBrush();
    ~TBrush() override;
    /// The fill colour; default clWhite.
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    /// Solid, a hatch, or no fill at all (bsClear); default bsSolid.
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle s);
    /// An 8 x 8 pattern brush; the brush keeps a copy. nullptr removes the pattern.
    TBitmap *Bitmap() const { return m_bitmap.get(); }
    void SetBitmap(const TBitmap *bitmap);
    void Assign(const TPersistent *source) override;

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
    std::unique_ptr<TBitmap> m_bitmap;
};

/// Teaches Qt the Windows face names (MS Sans Serif, Arial, Times New Roman, Courier New, ...)
/// as substitutions by the metric-compatible Liberation families, with DejaVu behind them. It
/// runs when the application object is made; calling it again does nothing.
JXT_EXPORT void InstallFontSubstitutions();
/// The installed family a face name draws with ("Arial" gives "Liberation Sans").
JXT_EXPORT QString FontFamily(const QString &name);

/// A font. Sizes are in points at 96 pixels per inch; Height is the negative pixel height of
/// the characters (without internal leading) when set through Size, as on Windows. Windows
/// face names draw with the families InstallFontSubstitutions gives them.
class JXT_EXPORT TFont : public TGraphicsObject
{
public:
    /// The face name; default "MS Sans Serif". An empty name is ignored.
    QString Name() const { return m_name; }
    void SetName(const QString &name);
    /// The size in points; default 8. Setting it sets Height to the negative pixel height.
    int Size() const;
    void SetSize(int points);
    /// The height in pixels: negative for the characters' height, positive for the cell
    /// height (internal leading included); default -11 (8 points).
    int Height() const { return m_height; }
    void SetHeight(int height);
    /// The text colour; default clWindowText.
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    /// Bold, italic, underline and strike-out; default none.
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles s);
    /// The character set; default DEFAULT_CHARSET. Kept for forms; text is Unicode anyway.
    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset c);
    /// Fixed or variable pitch, or the face's own (default fpDefault).
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch p);
    /// The resolution Size converts with: always 96.
    int PixelsPerInch() const { return 96; }
    /// The Qt font with a pixel size, no hinting differences between screens, no antialiasing.
    QFont ToQFont() const;
    /// Takes family, size (points at 96 pixels per inch, or pixels) and style from a Qt font;
    /// Color, Charset and Pitch stay.
    void AssignQFont(const QFont &font);
    void Assign(const TPersistent *source) override;

private:
    QString m_name = QStringLiteral("MS Sans Serif");
    int m_height = -11; // 8 points
    TColor m_color = clWindowText;
    TFontStyles m_style;
    TFontCharset m_charset = DEFAULT_CHARSET;
    TFontPitch m_pitch = fpDefault;
};

/// Drawing surface over a QImage (a bitmap's pixels or a control's surface). All
/// coordinates are logical pixels; Pixel reads and writes single logical pixels. On an image
/// with a device pixel ratio above 1 (a control's surface on a scaled screen) each logical
/// pixel is a block of device pixels: shapes, fills and pictures cover whole blocks, text is
/// rendered at device resolution.
class JXT_EXPORT TCanvas : public TPersistent
{
public:
    /// A canvas on no device (every operation does nothing until SetDevice).
    TCanvas();
    /// A canvas on device, which must outlive it.
    explicit TCanvas(QImage *device);
    ~TCanvas() override;

    /// The image drawn on; nullptr makes every operation do nothing (and Pixel read -1).
    QImage *Device() const { return m_device; }
    void SetDevice(QImage *device);

    /// The pen lines and outlines are drawn with.
    TPen *Pen() { return &m_pen; }
    /// The brush areas and the background of text are filled with.
    TBrush *Brush() { return &m_brush; }
    /// The font text is written with.
    TFont *Font() { return &m_font; }
    /// The pen, for reading.
    const TPen *Pen() const { return &m_pen; }
    /// The brush, for reading.
    const TBrush *Brush() const { return &m_brush; }
    /// The font, for reading.
    const TFont *Font() const { return &m_font; }
    /// Copies font into the canvas's font.
    void SetFont(const TFont *font) { m_font.Assign(font); }
    /// How CopyRect combines source and destination pixels; default cmSrcCopy.
    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }
    /// The current pen position: where LineTo starts; MoveTo, LineTo and TextOut move it.
    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(TPoint p) { m_penPos = p; }
    /// The device rectangle, limited by the clip rectangle when one is set.
    TRect ClipRect() const;
    void SetClipRect(const TRect &r);
    /// Removes the clip rectangle: drawing reaches the whole device again.
    void ClearClipRect();
    /// Extra pixels after each character of TextOut and DrawText.
    int TextCharacterExtra() const { return m_charExtra; }
    void SetTextCharacterExtra(int extra) { m_charExtra = extra; }

    /// Moves the pen position to (x, y) without drawing.
    void MoveTo(int x, int y);
    /// Draws a line with the pen from the pen position to (x, y), which is left out (as
    /// Windows GDI does), and moves the pen position there.
    void LineTo(int x, int y);
    /// Draws lines with the pen through the points in turn (the last point left out); the pen
    /// position stays.
    void Polyline(const std::vector<TPoint> &points);
    /// Fills r (right and bottom edges excluded) with the brush; nothing with bsClear.
    void FillRect(const TRect &r);
    /// Draws a one-pixel frame just inside r with the brush colour (not the pen).
    void FrameRect(const TRect &r);
    /// Draws a rectangle: outline with the pen, inside with the brush. The right and bottom
    /// coordinates are outside the shape, as on Windows.
    //!@{
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect &r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    //!@}
    /// Draws a rectangle with corners rounded by ellipses x3 wide and y3 high (pen and brush).
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    /// Draws the ellipse that fills the bounding rectangle (pen and brush).
    //!@{
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect &r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    //!@}
    /// Draws the closed polygon through the points (outline with the pen, inside with the
    /// brush, alternate filling).
    //!@{
    void Polygon(const TPoint *points, int count);
    void Polygon(const std::vector<TPoint> &points) { Polygon(points.data(), int(points.size())); }
    //!@}
    /// Draws the part of the ellipse's outline in (x1, y1, x2, y2) that runs counter-clockwise
    /// from the ray towards (x3, y3) to the ray towards (x4, y4), with the pen.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    /// Draws the slice of the ellipse between the same rays as Arc, closed by two radii:
    /// outline with the pen, inside with the brush.
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    /// Inverts the colour of every pixel of r.
    void InvertRect(const TRect &r);
    /// Inverts every other pixel of the outline of r (a dotted focus frame); drawing it again
    /// restores what was there.
    void DrawFocusRect(const TRect &r);
    /// Fills with the brush, from (x, y): the area of colour (surface true), or the area
    /// bounded by colour (surface false).
    void FloodFill(int x, int y, TColor color, bool surface);

    /// The colour at (x, y); -1 (no colour) outside the device. Writes outside the clip
    /// rectangle are ignored.
    //!@{
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    //!@}
    /// Fills r with one colour, ignoring pen, brush and pen mode (clipped like all drawing).
    void FillSolid(const TRect &r, TColor color);

    /// Writes text with its top-left corner at (x, y) on the brush (unless bsClear), and moves
    /// the pen position to its end.
    void TextOut(int x, int y, const QString &text);
    /// Writes text at (x, y), cut to r; the brush (unless bsClear) fills all of r first.
    void TextRect(const TRect &r, int x, int y, const QString &text);
    /// The width and height of text in pixels, in the canvas's font; TextExtent gives both.
    //!@{
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    TPoint TextExtent(const QString &text) const;
    //!@}
    /// Draws (or with DT_CALCRECT measures, changing r) text in r; returns the text height.
    /// CR, LF, CR LF and LF CR each break one line; DT_WORDBREAK wraps at blanks.
    int DrawText(const QString &text, TRect &r, unsigned format);

    /// Draws graphic at its own size with its top-left corner at (x, y); an empty graphic or
    /// nullptr draws nothing.
    void Draw(int x, int y, const TGraphic *graphic);
    /// Draws graphic stretched to r; an empty graphic or nullptr draws nothing.
    void StretchDraw(const TRect &r, const TGraphic *graphic);
    /// Copies source's srcRect into dest (stretching when sizes differ) with CopyMode.
    void CopyRect(const TRect &dest, const TCanvas *source, const TRect &srcRect);
    /// Copies srcRect of bitmap into dest, with every pixel of colour transparent replaced
    /// by the brush.
    void BrushCopy(const TRect &dest, const TBitmap *bitmap, const TRect &srcRect,
                   TColor transparent);

private:
    QImage *m_device = nullptr;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TCopyMode m_copyMode = cmSrcCopy;
    TPoint m_penPos;
    int m_charExtra = 0;
    bool m_hasClip = false;
    TRect m_clip;
};

/// Draws a bevel of the given width inside r, top-left lines in topColor, bottom-right in
/// bottomColor, and shrinks r by width.
JXT_EXPORT void Frame3D(TCanvas *canvas, TRect &r, TColor topColor, TColor bottomColor, int width);

/// An image that a canvas can draw.
///
/// LoadFromFile and SaveToFile take Windows or host paths. A file is read only when it is a
/// regular file of at most kMaxFileSize bytes (256 MiB): a FIFO, socket or device, which
/// could block or never end, and a larger file are refused with EInOutError before a byte is
/// read. A file is written whole or not at all: under a temporary name beside it, every
/// write checked, renamed into place when complete; on any failure (a full disk included)
/// EInOutError is raised and an old file stays as it was. A replaced file keeps its
/// permissions and owner; a link to a file is written through.
class JXT_EXPORT TGraphic : public TPersistent
{
public:
    /// Picture files longer than this are not read.
    static constexpr qint64 kMaxFileSize = 256 * 1024 * 1024;

    /// The size in pixels (0 when empty).
    //!@{
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    //!@}
    /// Whether there is no picture.
    virtual bool Empty() const = 0;
    /// Reads the picture from a file (see above for which files are read); EInOutError when
    /// it cannot.
    virtual void LoadFromFile(const QString &fileName) = 0;
    /// Writes the picture to a file, whole or not at all; EInOutError when it cannot.
    virtual void SaveToFile(const QString &fileName) const = 0;
    /// Draws the picture into r of canvas (stretched to r).
    virtual void DrawOn(TCanvas *canvas, const TRect &r) const = 0;
    /// Draw with the transparent colour left out (what that colour is, the class decides);
    /// default false.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool t) { m_transparent = t; }
    /// The picture changed.
    TNotifyEvent OnChange;

protected:
    /// Fires OnChange.
    void Changed();
    /// Whether the picture draws transparently (the Transparent property).
    bool m_transparent = false;
};

/// A bitmap over a 32-bit QImage. LoadFromFile and SaveToFile read and write BMP files.
class JXT_EXPORT TBitmap : public TGraphic
{
public:
    /// An empty bitmap.
    TBitmap();
    /// A white bitmap of that size.
    TBitmap(int width, int height);
    ~TBitmap() override;

    /// The size; a side set while the other is 0 is kept (the bitmap then has no pixels),
    /// so SetWidth then SetHeight on an empty bitmap gives both.
    int Width() const override { return m_image.isNull() ? m_width : m_image.width(); }
    int Height() const override { return m_image.isNull() ? m_height : m_image.height(); }
    /// Resizes with SetSize.
    //!@{
    void SetWidth(int w);
    void SetHeight(int h);
    //!@}
    /// Resizes, keeping the pixels that still fit; new pixels are white.
    void SetSize(int w, int h);
    bool Empty() const override
    {
        return m_image.isNull() || m_image.width() == 0 || m_image.height() == 0;
    }
    /// The canvas that draws on the bitmap's pixels.
    TCanvas *Canvas();
    /// The pixels; SetImage copies an image into the bitmap (as 32-bit pixels).
    //!@{
    QImage &Image() { return m_image; }
    const QImage &Image() const { return m_image; }
    void SetImage(const QImage &image);
    //!@}

    void LoadFromFile(const QString &fileName) override;
    void SaveToFile(const QString &fileName) const override;
    /// Loads the library's bitmap resource of that name (case-insensitive); throws
    /// Exception when there is none.
    void LoadFromResourceName(const QString &name);
    void DrawOn(TCanvas *canvas, const TRect &r) const override;

    /// The colour treated as transparent: with tmAuto the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c);
    /// tmAuto (default) takes the bottom-left pixel as the transparent colour, tmFixed the
    /// colour set with SetTransparentColor.
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode m) { m_transparentMode = m; }
    /// Whether the bitmap holds only black and white; default false.
    bool Monochrome() const { return m_monochrome; }
    /// Switching to monochrome keeps white pixels white and turns every other pixel black.
    void SetMonochrome(bool m);
    void Assign(const TPersistent *source) override;
    /// Assign for a picture property: nullptr clears the bitmap in place (no pixels, no size,
    /// default transparency), so a pointer kept to it stays valid.
    void AssignOrClear(const TBitmap *source);

private:
    QImage m_image;
    // The size asked for while the bitmap has no pixels (one side 0).
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<TCanvas> m_canvas;
    TColor m_transparentColor = clDefault;
    TTransparentMode m_transparentMode = tmAuto;
    bool m_monochrome = false;
};

/// An icon (one image, the largest of an ICO file by default), drawn with its mask.
class JXT_EXPORT TIcon : public TGraphic
{
public:
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    bool Empty() const override { return m_image.isNull(); }
    void LoadFromFile(const QString &fileName) override;
    void SaveToFile(const QString &fileName) const override;
    void DrawOn(TCanvas *canvas, const TRect &r) const override;
    /// The icon's image, its mask in the alpha channel; SetImage replaces it.
    //!@{
    const QImage &Image() const { return m_image; }
    void SetImage(const QImage &image);
    //!@}
    void Assign(const TPersistent *source) override;

private:
    QImage m_image;
};

/// A recorded picture: a QPicture, or a recording made with TMetafileCanvas.
///
/// A recording made with TMetafileCanvas is kept as the list of its drawing operations, with
/// the pens, brushes, fonts, texts and images they use (images as they are), instead of
/// encoded into a QPicture: recording and playing cost no encoding, checksums or decoding,
/// and a printer that is handed the same image again embeds it once. Play draws either
/// form; Picture encodes a recording into one QPicture when someone needs that form.
class JXT_EXPORT TMetafile : public TGraphic
{
public:
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    /// Sets the size the recording claims (the picture itself is not changed).
    //!@{
    void SetWidth(int w) { m_width = w; }
    void SetHeight(int h) { m_height = h; }
    //!@}
    bool Empty() const override { return !m_parts && m_picture.isNull(); }
    void LoadFromFile(const QString &fileName) override;
    void SaveToFile(const QString &fileName) const override;
    void DrawOn(TCanvas *canvas, const TRect &r) const override;
    /// The whole recording as one picture that may be drawn into. A recording made with
    /// TMetafileCanvas is encoded into one picture first (its images included).
    QPicture &Picture();
    /// The recording as one picture, encoded if need be, without changing the metafile.
    QPicture ToPicture() const;
    /// Draws the recording at the painter's transform, as QPainter::drawPicture at (0, 0)
    /// would draw the encoded picture: one unit is a pixel of the screen's resolution, so a
    /// device of another resolution gets the recording scaled to it.
    void Play(QPainter &painter) const;
    /// Identifies the recording: copies made by Assign share it; a new recording has another.
    const void *RecordingId() const;
    void Assign(const TPersistent *source) override;

    /// A recording made with TMetafileCanvas: its operations in drawing order, each naming
    /// what it uses in the lists beside it. The state operations set the pen, brush, font
    /// or transform (from the recording's units) for the operations after them; a Fill
    /// brings its own brush, and a Picture is a QPicture drawn under the transform.
    struct TParts
    {
        /// What an operation does, and what its index and geometry name.
        enum TKind : quint8 {
            SetPen,       ///< index into pens
            SetBrush,     ///< index into brushes
            SetFont,      ///< index into fonts
            SetTransform, ///< index into transforms
            Line,         ///< from geometry's top-left to its bottom-right corner
            Rect,         ///< geometry, outlined with the pen and filled with the brush
            Ellipse,      ///< the ellipse in geometry, likewise
            Fill,         ///< geometry filled with brushes[index], without outline
            Text,         ///< texts[index], one line with its top-left at geometry's top-left
            Image,        ///< images[index] stretched to geometry
            Picture,      ///< pictures[index] drawn at the origin
        };
        /// One operation of a recording.
        struct TOp
        {
            TKind kind;      ///< What it does.
            int index;       ///< The entry of the list its kind names; -1 for none.
            QRectF geometry; ///< Where it draws, in the recording's units.
        };
        std::vector<TOp> ops;               ///< The operations, in drawing order.
        std::vector<QPen> pens;             ///< The pens SetPen selects.
        std::vector<QBrush> brushes;        ///< The brushes of SetBrush and Fill.
        std::vector<QFont> fonts;           ///< The fonts SetFont selects.
        std::vector<QString> texts;         ///< The texts of Text.
        std::vector<QImage> images;         ///< The images of Image, as they were drawn.
        std::vector<QTransform> transforms; ///< The transforms SetTransform sets.
        std::vector<QPicture> pictures;     ///< The pictures of Picture.
    };
    /// Replaces the recording by parts (as TMetafileCanvas records them).
    void SetParts(std::shared_ptr<const TParts> parts);
    /// The recording made with TMetafileCanvas; nullptr for a plain picture.
    const std::shared_ptr<const TParts> &Parts() const { return m_parts; }

private:
    QPicture m_picture;                    // the recording, unless m_parts holds it
    std::shared_ptr<const TParts> m_parts; // shared by copies; never changed once set
    int m_width = 0;
    int m_height = 0;
};

/// Holds one graphic of any kind; Bitmap() turns it into a bitmap on first use.
class JXT_EXPORT TPicture : public TPersistent
{
public:
    TPicture();
    ~TPicture() override;
    /// The graphic held, or nullptr when the picture is empty.
    TGraphic *Graphic() const { return m_graphic.get(); }
    /// Takes a copy of graphic (nullptr clears).
    void SetGraphic(const TGraphic *graphic);
    /// The graphic as a bitmap: another kind of graphic is turned into a bitmap of the same
    /// size first, an empty picture gets an empty bitmap. SetBitmap takes a copy.
    //!@{
    TBitmap *Bitmap();
    void SetBitmap(const TBitmap *bitmap) { SetGraphic(bitmap); }
    //!@}
    /// The graphic as an icon: a bitmap is turned into an icon first, any other graphic is
    /// replaced by an empty icon.
    TIcon *Icon();
    /// The graphic's size; 0 when the picture is empty.
    //!@{
    int Width() const { return m_graphic ? m_graphic->Width() : 0; }
    int Height() const { return m_graphic ? m_graphic->Height() : 0; }
    //!@}
    /// Chooses the graphic class by extension: .bmp, .ico, .wmf/.emf, otherwise any
    /// format Qt reads as a bitmap.
    void LoadFromFile(const QString &fileName);
    /// Writes the graphic with its own SaveToFile; EInOutError when the picture is empty.
    void SaveToFile(const QString &fileName) const;
    void Assign(const TPersistent *source) override;
    /// The picture got another graphic (SetGraphic, LoadFromFile, Assign, or a conversion by
    /// Bitmap or Icon).
    TNotifyEvent OnChange;

private:
    void Changed();
    std::unique_ptr<TGraphic> m_graphic;
};

} // namespace jxt
