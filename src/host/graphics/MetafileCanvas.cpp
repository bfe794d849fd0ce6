// SPDX-License-Identifier: MIT
#include "host/graphics/MetafileCanvas.h"

#include <QFontMetrics>

#include <algorithm>

namespace jxt {

namespace {

Qt::PenStyle QtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

QColor Resolved(TColor color)
{
    return ColorToQColor(ColorToRGB(color));
}

} // namespace

TMetafileCanvas::TMetafileCanvas(TMetafile *metafile, int width, int height)
    : m_metafile(metafile), m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_parts(std::make_shared<TParts>())
{
    // The old recording goes now; the new one is handed over when the canvas is destroyed.
    m_metafile->SetParts(nullptr);
    m_metafile->SetWidth(m_width);
    m_metafile->SetHeight(m_height);
}

TMetafileCanvas::~TMetafileCanvas()
{
    m_metafile->SetParts(std::move(m_parts));
}

void TMetafileCanvas::Add(TParts::TKind kind, int index, const QRectF &geometry)
{
    m_parts->ops.push_back({kind, index, geometry});
}

const QFont &TMetafileCanvas::CurrentFont() const
{
    // Converting a font looks up its family and measures it: done again only when it changed.
    TFontCache &cache = m_fontCache;
    if (!cache.metrics || cache.name != m_font.Name() || cache.height != m_font.Height() ||
        cache.style != m_font.Style().Bits() || cache.pitch != int(m_font.Pitch())) {
        cache.name = m_font.Name();
        cache.height = m_font.Height();
        cache.style = m_font.Style().Bits();
        cache.pitch = int(m_font.Pitch());
        cache.font = m_font.ToQFont();
        cache.metrics = std::make_unique<QFontMetrics>(cache.font);
    }
    return cache.font;
}

const QFontMetrics &TMetafileCanvas::Metrics() const
{
    CurrentFont();
    return *m_fontCache.metrics;
}

void TMetafileCanvas::ApplyPen()
{
    QPen pen(Qt::NoPen);
    if (m_pen.Style() != psClear) {
        pen = QPen(Resolved(m_pen.Color()), std::max(1, m_pen.Width()), QtPenStyle(m_pen.Style()),
                   Qt::SquareCap, Qt::MiterJoin);
        // A pen of one unit is a hairline: one device pixel wide wherever the recording is
        // played, so thin lines stay visible however small the page is shown.
        pen.setCosmetic(m_pen.Width() <= 1);
    }
    if (m_penIndex >= 0 && m_parts->pens[m_penIndex] == pen)
        return;
    m_penIndex = int(m_parts->pens.size());
    m_parts->pens.push_back(pen);
    Add(TParts::SetPen, m_penIndex);
}

void TMetafileCanvas::ApplyBrush()
{
    const QBrush brush(Resolved(m_brush.Color()), QtBrushStyle(m_brush.Style()));
    if (m_brushIndex >= 0 && m_parts->brushes[m_brushIndex] == brush)
        return;
    m_brushIndex = int(m_parts->brushes.size());
    m_parts->brushes.push_back(brush);
    Add(TParts::SetBrush, m_brushIndex);
}

void TMetafileCanvas::ApplyFont()
{
    const QFont &font = CurrentFont();
    if (m_fontIndex >= 0 && m_parts->fonts[m_fontIndex] == font)
        return;
    m_fontIndex = int(m_parts->fonts.size());
    m_parts->fonts.push_back(font);
    Add(TParts::SetFont, m_fontIndex);
}

void TMetafileCanvas::LineTo(int x, int y)
{
    ApplyPen();
    Add(TParts::Line, -1, QRectF(QPointF(m_penPos.X, m_penPos.Y), QPointF(x, y)));
    m_penPos = Point(x, y);
}

void TMetafileCanvas::FillRect(const TRect &r)
{
    if (r.IsEmpty() || m_brush.Style() == bsClear)
        return;
    m_parts->brushes.emplace_back(Resolved(m_brush.Color()), QtBrushStyle(m_brush.Style()));
    Add(TParts::Fill, int(m_parts->brushes.size()) - 1,
        QRectF(r.Left, r.Top, r.Width(), r.Height()));
}

void TMetafileCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const TRect r = Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (r.IsEmpty())
        return;
    ApplyPen();
    ApplyBrush();
    // The pen's width lies inside the rectangle.
    const double w = m_pen.Style() == psClear ? 0.0 : std::max(1, m_pen.Width());
    Add(TParts::Rect, -1,
        QRectF(r.Left + w / 2, r.Top + w / 2, std::max(0.0, r.Width() - w),
               std::max(0.0, r.Height() - w)));
}

void TMetafileCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const TRect r = Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (r.IsEmpty())
        return;
    ApplyPen();
    ApplyBrush();
    const double w = m_pen.Style() == psClear ? 0.0 : std::max(1, m_pen.Width());
    Add(TParts::Ellipse, -1,
        QRectF(r.Left + w / 2, r.Top + w / 2, std::max(0.0, r.Width() - w),
               std::max(0.0, r.Height() - w)));
}

void TMetafileCanvas::TextOut(int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    const QFontMetrics &metrics = Metrics();
    if (m_brush.Style() != bsClear) {
        m_parts->brushes.emplace_back(Resolved(m_brush.Color()));
        Add(TParts::Fill, int(m_parts->brushes.size()) - 1,
            QRectF(x, y, metrics.horizontalAdvance(text), metrics.height()));
    }
    ApplyFont();
    // Text is drawn with a pen of the font's colour.
    const QPen pen(Resolved(m_font.Color()));
    if (m_penIndex < 0 || m_parts->pens[m_penIndex] != pen) {
        m_penIndex = int(m_parts->pens.size());
        m_parts->pens.push_back(pen);
        Add(TParts::SetPen, m_penIndex);
    }
    // One line: breaks and tabs show as blanks.
    QString line = text;
    for (QChar &c : line)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    m_parts->texts.push_back(line);
    Add(TParts::Text, int(m_parts->texts.size()) - 1, QRectF(x, y, 0, 0));
}

int TMetafileCanvas::TextWidth(const QString &text) const
{
    return Metrics().horizontalAdvance(text);
}

int TMetafileCanvas::TextHeight(const QString &) const
{
    return Metrics().height();
}

void TMetafileCanvas::AddRecording(const TParts &other, const QTransform &transform)
{
    // The other recording's lists are appended to ours, its operations renumbered to match.
    const auto append = [](auto &to, const auto &from) {
        const int offset = int(to.size());
        to.insert(to.end(), from.begin(), from.end());
        return offset;
    };
    TParts &parts = *m_parts;
    const int pens = append(parts.pens, other.pens);
    const int brushes = append(parts.brushes, other.brushes);
    const int fonts = append(parts.fonts, other.fonts);
    const int texts = append(parts.texts, other.texts);
    const int images = append(parts.images, other.images);
    const int pictures = append(parts.pictures, other.pictures);
    parts.transforms.push_back(transform);
    Add(TParts::SetTransform, int(parts.transforms.size()) - 1);
    for (const TParts::TOp &op : other.ops) {
        int index = op.index;
        switch (op.kind) {
        case TParts::SetPen: index += pens; break;
        case TParts::SetBrush:
        case TParts::Fill: index += brushes; break;
        case TParts::SetFont: index += fonts; break;
        case TParts::Text: index += texts; break;
        case TParts::Image: index += images; break;
        case TParts::Picture: index += pictures; break;
        case TParts::SetTransform:
            parts.transforms.push_back(other.transforms[op.index] * transform);
            index = int(parts.transforms.size()) - 1;
            break;
        case TParts::Line:
        case TParts::Rect:
        case TParts::Ellipse: break;
        }
        parts.ops.push_back({op.kind, index, op.geometry});
    }
    parts.transforms.emplace_back();
    Add(TParts::SetTransform, int(parts.transforms.size()) - 1);
    // The pen, brush and font are now the other recording's: ours are recorded again.
    m_penIndex = m_brushIndex = m_fontIndex = -1;
}

void TMetafileCanvas::StretchDraw(const TRect &r, const TGraphic *graphic)
{
    if (!graphic || graphic->Empty() || r.IsEmpty())
        return;
    const QRectF target(r.Left, r.Top, r.Width(), r.Height());
    const auto addImage = [this, &target](const QImage &image) {
        // The image is kept as it is: encoding it would cost far more than the rest of a
        // page, and a printer given the same image object again embeds it only once.
        m_parts->images.push_back(image);
        Add(TParts::Image, int(m_parts->images.size()) - 1, target);
    };
    if (const auto *bitmap = dynamic_cast<const TBitmap *>(graphic)) {
        addImage(bitmap->Image());
    } else if (const auto *icon = dynamic_cast<const TIcon *>(graphic)) {
        addImage(icon->Image());
    } else if (const auto *metafile = dynamic_cast<const TMetafile *>(graphic)) {
        const int w = metafile->Width(), h = metafile->Height();
        if (w <= 0 || h <= 0)
            return;
        const QTransform nested = QTransform::fromScale(target.width() / w, target.height() / h) *
                                  QTransform::fromTranslate(target.left(), target.top());
        if (metafile->Parts()) {
            AddRecording(*metafile->Parts(), nested);
            return;
        }
        TParts plain;
        plain.pictures.push_back(metafile->ToPicture());
        plain.ops.push_back({TParts::Picture, 0, QRectF()});
        AddRecording(plain, nested);
    } else {
        // Any other kind is drawn at its own size through a bitmap, then stretched.
        TBitmap image(graphic->Width(), graphic->Height());
        graphic->DrawOn(image.Canvas(), Rect(0, 0, graphic->Width(), graphic->Height()));
        addImage(image.Image());
    }
}

} // namespace jxt
