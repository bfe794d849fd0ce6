// SPDX-License-Identifier: MIT
// TCanvas text: TextOut, TextRect, measuring, and DrawText with its line breaking.
//
// Glyphs are rendered by QPainter (anti-aliasing off) into a small mask and copied to the
// device in the font colour, so text honours the clip rectangle on any image format. Text is
// laid out in logical pixels; on a device kept at a device pixel ratio the glyphs are
// rendered at device resolution, so they stay sharp where shapes cover whole blocks.
#include "host/graphics/CanvasRaster.h"
#include "host/graphics/Graphics.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <vector>

namespace jxt {

using TPixel = raster::Pixel;
using raster::TTarget;

namespace {

bool IsHighSurrogateAt(const QString &text, int i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

/// Width of text[from, to): the font's advance plus the extra spacing after each character.
int Advance(const QFontMetrics &metrics, const QString &text, int from, int to, int extra)
{
    if (to <= from)
        return 0;
    const QString part = text.mid(from, to - from);
    if (extra == 0)
        return metrics.horizontalAdvance(part);
    int width = 0;
    for (int i = 0; i < part.size(); ++i) {
        const int n = IsHighSurrogateAt(part, i) ? 2 : 1;
        width += metrics.horizontalAdvance(part.mid(i, n)) + extra;
        i += n - 1;
    }
    return width;
}

/// Draws text with its top-left corner at (x, y) in colour, limited to clip (logical pixels).
void RenderText(QImage *device, const QRect &clip, int x, int y, const QString &text,
                const QFont &font, int extra, TPixel color, const std::vector<int> &underlined = {})
{
    const raster::TScale scale = raster::TScale::Of(device);
    TTarget target(device, scale.ToDevice(clip));
    if (!target.Valid() || text.isEmpty())
        return;
    const QFontMetrics metrics(font);
    const int width = Advance(metrics, text, 0, text.size(), extra);
    // Italic and overhanging glyphs may reach beyond the advance.
    const int margin = metrics.height();
    const QRect limit = clip.intersected(
        QRect(0, 0, scale.LogicalSize(device->width()), scale.LogicalSize(device->height())));
    const long long l = std::max<long long>((long long)x - margin, limit.left());
    const long long t = std::max<long long>(y, limit.top());
    const long long r =
        std::min<long long>((long long)x + width + margin, (long long)limit.right() + 1);
    const long long b =
        std::min<long long>((long long)y + metrics.height() + 1, (long long)limit.bottom() + 1);
    if (l >= r || t >= b)
        return;
    const QRect area(int(l), int(t), int(r - l), int(b - t));
    const QRect deviceArea = scale.ToDevice(area).intersected(target.Clip());
    if (deviceArea.isEmpty())
        return;
    QImage mask(deviceArea.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        if (!scale.Unit()) {
            // Logical coordinates relative to the area, drawn at device resolution.
            painter.translate(scale.Edge(area.left()) - deviceArea.left(),
                              scale.Edge(area.top()) - deviceArea.top());
            painter.scale(scale.Ratio(), scale.Ratio());
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        // Positions relative to the mask; the text starts at most a margin before it.
        const int baseline = int((long long)y - area.top()) + metrics.ascent();
        const int startX = int((long long)x - area.left());
        if (extra == 0) {
            painter.drawText(QPoint(startX, baseline), text);
        } else {
            int cx = startX;
            for (int i = 0; i < text.size(); ++i) {
                const int n = IsHighSurrogateAt(text, i) ? 2 : 1;
                const QString ch = text.mid(i, n);
                painter.drawText(QPoint(cx, baseline), ch);
                cx += metrics.horizontalAdvance(ch) + extra;
                i += n - 1;
            }
        }
        // Mnemonic underlines of DrawText's prefix characters.
        for (int index : underlined) {
            if (index < 0 || index >= text.size())
                continue;
            const int ux = startX + Advance(metrics, text, 0, index, extra);
            const int uw =
                metrics.horizontalAdvance(text.mid(index, IsHighSurrogateAt(text, index) ? 2 : 1));
            painter.fillRect(QRect(ux, baseline + 1, std::max(1, uw), 1), Qt::black);
        }
    }
    for (int row = 0; row < mask.height(); ++row) {
        const QRgb *line = reinterpret_cast<const QRgb *>(mask.constScanLine(row));
        for (int col = 0; col < mask.width(); ++col)
            if (qAlpha(line[col]) >= 128)
                target.Put(deviceArea.left() + col, deviceArea.top() + row, color);
    }
}

QRect ToQRect(const TRect &r)
{
    if (r.IsEmpty())
        return QRect();
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

TRect Intersect(const TRect &a, const TRect &b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty())
        return TRect{};
    return r;
}

/// Bounds with the far corner held inside the coordinate range.
TRect SafeBounds(long long x, long long y, long long w, long long h)
{
    auto held = [](long long v) { return int(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    return Rect(held(x), held(y), held(x + w), held(y + h));
}

struct TTextLine
{
    int start = 0;
    int length = 0;
};

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

/// The text as it is shown: prefix characters removed ("&&" shows one "&"), tabs expanded to
/// the next multiple of eight columns. The positions of the underlined characters (those that
/// followed a single "&") go to underlined.
QString DisplayText(const QString &source, unsigned format, std::vector<int> &underlined)
{
    QString text;
    text.reserve(source.size());
    for (int i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (!(format & DT_NOPREFIX) && c == QLatin1Char('&')) {
            if (i + 1 < source.size()) {
                ++i;
                if (source.at(i) != QLatin1Char('&'))
                    underlined.push_back(text.size());
                text += source.at(i);
            }
            continue;
        }
        if (c == QLatin1Char('\t') && (format & DT_EXPANDTABS)) {
            int column =
                text.size() -
                std::max(text.lastIndexOf(QLatin1Char('\n')), text.lastIndexOf(QLatin1Char('\r'))) -
                1;
            do {
                text += QLatin1Char(' ');
                ++column;
            } while (column % 8 != 0);
            continue;
        }
        text += c;
    }
    return text;
}

/// The paragraphs of text: CR, LF, CR LF and LF CR each end one. A single line shows no
/// breaks: they are taken out of text, and the underlined positions move with the characters.
std::vector<TTextLine> Paragraphs(QString &text, std::vector<int> &underlined, bool singleLine)
{
    std::vector<TTextLine> paragraphs;
    if (singleLine) {
        QString joined;
        std::vector<int> moved;
        for (int i = 0; i < text.size(); ++i) {
            if (text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n'))
                continue;
            for (int u : underlined)
                if (u == i)
                    moved.push_back(joined.size());
            joined += text.at(i);
        }
        text = joined;
        underlined = moved;
        paragraphs.push_back({0, int(text.size())});
        return paragraphs;
    }
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        paragraphs.push_back({start, i - start});
        const QChar other = c == QLatin1Char('\r') ? QLatin1Char('\n') : QLatin1Char('\r');
        if (i + 1 < text.size() && text.at(i + 1) == other)
            ++i;
        start = i + 1;
    }
    paragraphs.push_back({start, int(text.size()) - start});
    return paragraphs;
}

/// Where the line that starts at lineStart ends when it takes as many whole words as fit into
/// maxWidth (trailing blanks included); lineStart itself when not even the first word fits.
int LastFittingWord(const QString &text, int lineStart, int end, long long maxWidth,
                    const QFontMetrics &metrics, int extra)
{
    int lineEnd = lineStart;
    int j = lineStart;
    while (j < end) {
        int k = j;
        while (k < end && IsBlank(text.at(k)))
            ++k;
        int m = k;
        while (m < end && !IsBlank(text.at(m)))
            ++m;
        if (m == k && k == end)
            return end; // trailing blanks
        if (Advance(metrics, text, lineStart, m, extra) > maxWidth)
            break;
        lineEnd = m;
        j = m;
    }
    return lineEnd;
}

/// Breaks one paragraph into lines of as many words as fit into maxWidth; a word wider than
/// that is broken between characters, so no text runs outside. Lines lose their trailing
/// blanks, and the blanks at a break start no line.
void BreakParagraph(const QString &text, const TTextLine &para, long long maxWidth,
                    const QFontMetrics &metrics, int extra, std::vector<TTextLine> &lines)
{
    const int end = para.start + para.length;
    int pos = para.start;
    while (true) {
        const int lineStart = pos;
        int lineEnd = LastFittingWord(text, lineStart, end, maxWidth, metrics, extra);
        if (lineEnd == lineStart) {
            // Not even the first word fits: take the characters that do, at least one.
            int q = lineStart + (IsHighSurrogateAt(text, lineStart) ? 2 : 1);
            while (q < end && !IsBlank(text.at(q))) {
                const int next = q + (IsHighSurrogateAt(text, q) ? 2 : 1);
                if (Advance(metrics, text, lineStart, next, extra) > maxWidth)
                    break;
                q = next;
            }
            lineEnd = q;
        }
        int trimmed = lineEnd;
        while (trimmed > lineStart && IsBlank(text.at(trimmed - 1)))
            --trimmed;
        lines.push_back({lineStart, trimmed - lineStart});
        pos = lineEnd;
        while (pos < end && IsBlank(text.at(pos)))
            ++pos;
        if (pos >= end)
            return;
    }
}

} // namespace

int TCanvas::TextWidth(const QString &text) const
{
    const QFontMetrics metrics(m_font.ToQFont());
    return Advance(metrics, text, 0, text.size(), m_charExtra);
}

int TCanvas::TextHeight(const QString &) const
{
    return QFontMetrics(m_font.ToQFont()).height();
}

TPoint TCanvas::TextExtent(const QString &text) const
{
    return Point(TextWidth(text), TextHeight(text));
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    const int width = TextWidth(text);
    const TRect clip = ClipRect();
    if (m_device && !clip.IsEmpty()) {
        if (m_brush.Style() != bsClear)
            FillSolid(SafeBounds(x, y, width, TextHeight(text)), m_brush.Color());
        RenderText(m_device, ToQRect(clip), x, y, text, m_font.ToQFont(), m_charExtra,
                   raster::ToPixel(m_font.Color()));
    }
    m_penPos = Point(int(std::min<long long>((long long)x + width, INT_MAX)), y);
}

void TCanvas::TextRect(const TRect &r, int x, int y, const QString &text)
{
    const TRect clip = Intersect(ClipRect(), r);
    if (!m_device || clip.IsEmpty())
        return;
    // The whole rectangle is the text's background.
    if (m_brush.Style() != bsClear)
        FillSolid(clip, m_brush.Color());
    RenderText(m_device, ToQRect(clip), x, y, text, m_font.ToQFont(), m_charExtra,
               raster::ToPixel(m_font.Color()));
}

int TCanvas::DrawText(const QString &source, TRect &r, unsigned format)
{
    const QFont font = m_font.ToQFont();
    const QFontMetrics metrics(font);
    const int extra = m_charExtra;
    const bool singleLine = format & DT_SINGLELINE;
    const bool wordBreak = (format & DT_WORDBREAK) && !singleLine;

    std::vector<int> underlined;
    QString text = DisplayText(source, format, underlined);
    const long long maxWidth = (long long)r.Right - r.Left;
    std::vector<TTextLine> lines;
    for (const TTextLine &para : Paragraphs(text, underlined, singleLine)) {
        if (!wordBreak || para.length == 0)
            lines.push_back(para);
        else
            BreakParagraph(text, para, maxWidth, metrics, extra, lines);
    }

    auto width = [&](const TTextLine &line) {
        return Advance(metrics, text, line.start, line.start + line.length, extra);
    };
    const int lineHeight = metrics.height();
    const int height = int(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        int maxLine = 0;
        for (const TTextLine &line : lines)
            maxLine = std::max(maxLine, width(line));
        r.Right = int(std::min<long long>((long long)r.Left + maxLine, INT_MAX));
        r.Bottom = int(std::min<long long>((long long)r.Top + height, INT_MAX));
        return height;
    }

    long long y = r.Top;
    if (singleLine) {
        if (format & DT_VCENTER)
            y = r.Top + ((long long)r.Bottom - r.Top - height) / 2;
        else if (format & DT_BOTTOM)
            y = (long long)r.Bottom - height;
    }
    const TRect clip = (format & DT_NOCLIP) ? ClipRect() : Intersect(ClipRect(), r);
    if (!m_device || clip.IsEmpty())
        return height;
    const TPixel color = raster::ToPixel(m_font.Color());
    for (const TTextLine &line : lines) {
        const int lw = width(line);
        long long x = r.Left;
        if (format & DT_CENTER)
            x = r.Left + ((long long)r.Right - r.Left - lw) / 2;
        else if (format & DT_RIGHT)
            x = (long long)r.Right - lw;
        if (y >= INT_MAX || y < INT_MIN || x >= INT_MAX || x < INT_MIN) {
            y += lineHeight;
            continue;
        }
        if (m_brush.Style() != bsClear)
            FillSolid(Intersect(clip, SafeBounds(x, y, lw, lineHeight)), m_brush.Color());
        std::vector<int> lineUnderlines;
        for (int u : underlined)
            if (u >= line.start && u < line.start + line.length)
                lineUnderlines.push_back(u - line.start);
        RenderText(m_device, ToQRect(clip), int(x), int(y), text.mid(line.start, line.length), font,
                   extra, color, lineUnderlines);
        y += lineHeight;
    }
    return height;
}

} // namespace jxt
