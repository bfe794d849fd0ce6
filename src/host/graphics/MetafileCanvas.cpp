// SPDX-License-Identifier: MIT
#include "host/graphics/MetafileCanvas.h"

#include <QFontMetrics>
#include <QPainter>

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
      m_parts(std::make_shared<TMetafile::TParts>())
{
    // The old recording goes now; the new one is handed over when the canvas is destroyed.
    m_metafile->SetParts(nullptr);
    m_metafile->SetWidth(m_width);
    m_metafile->SetHeight(m_height);
    BeginPart(QTransform());
}

TMetafileCanvas::~TMetafileCanvas()
{
    EndPart();
    m_metafile->SetParts(std::move(m_parts));
}

void TMetafileCanvas::BeginPart(const QTransform &transform)
{
    m_part = std::make_unique<QPicture>();
    m_painter = std::make_unique<QPainter>(m_part.get());
    m_painter->setWorldTransform(transform);
}

QTransform TMetafileCanvas::EndPart()
{
    const QTransform transform = m_painter->worldTransform();
    m_painter->end();
    m_painter.reset();
    TMetafile::TPart part;
    part.picture = *m_part;
    m_part.reset();
    m_parts->push_back(std::move(part));
    return transform;
}

void TMetafileCanvas::AddImage(const QRectF &target, const QImage &image,
                               const QTransform &transform)
{
    // The image is kept as it is, beside the vector parts: encoding it into the picture
    // would cost far more than the rest of a page, and a printer given the same image
    // object again embeds it only once.
    // The arguments may live in the painter's state, which ending the part frees: copy first.
    TMetafile::TPart part;
    part.image = image;
    part.target = target;
    part.transform = transform;
    const QTransform current = EndPart();
    part.isImage = true;
    m_parts->push_back(std::move(part));
    BeginPart(current);
}

void TMetafileCanvas::ApplyPen()
{
    if (m_pen.Style() == psClear) {
        m_painter->setPen(Qt::NoPen);
        return;
    }
    QPen pen(Resolved(m_pen.Color()), std::max(1, m_pen.Width()), QtPenStyle(m_pen.Style()),
             Qt::SquareCap, Qt::MiterJoin);
    // A pen of one unit is a hairline: one device pixel wide wherever the recording is
    // played, so thin lines stay visible however small the page is shown.
    pen.setCosmetic(m_pen.Width() <= 1);
    m_painter->setPen(pen);
}

void TMetafileCanvas::ApplyBrush()
{
    m_painter->setBrush(QBrush(Resolved(m_brush.Color()), QtBrushStyle(m_brush.Style())));
}

void TMetafileCanvas::LineTo(int x, int y)
{
    ApplyPen();
    m_painter->drawLine(QPoint(m_penPos.X, m_penPos.Y), QPoint(x, y));
    m_penPos = Point(x, y);
}

void TMetafileCanvas::FillRect(const TRect &r)
{
    if (r.IsEmpty() || m_brush.Style() == bsClear)
        return;
    m_painter->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()),
                        QBrush(Resolved(m_brush.Color()), QtBrushStyle(m_brush.Style())));
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
    m_painter->drawRect(QRectF(r.Left + w / 2, r.Top + w / 2, std::max(0.0, r.Width() - w),
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
    m_painter->drawEllipse(QRectF(r.Left + w / 2, r.Top + w / 2, std::max(0.0, r.Width() - w),
                                  std::max(0.0, r.Height() - w)));
}

void TMetafileCanvas::TextOut(int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    const QFont font = m_font.ToQFont();
    const QFontMetrics metrics(font);
    if (m_brush.Style() != bsClear)
        m_painter->fillRect(QRect(x, y, TextWidth(text), metrics.height()),
                            Resolved(m_brush.Color()));
    m_painter->setFont(font);
    m_painter->setPen(Resolved(m_font.Color()));
    m_painter->drawText(QPoint(x, y + metrics.ascent()), text);
}

int TMetafileCanvas::TextWidth(const QString &text) const
{
    return QFontMetrics(m_font.ToQFont()).horizontalAdvance(text);
}

int TMetafileCanvas::TextHeight(const QString &) const
{
    return QFontMetrics(m_font.ToQFont()).height();
}

void TMetafileCanvas::StretchDraw(const TRect &r, const TGraphic *graphic)
{
    if (!graphic || graphic->Empty() || r.IsEmpty())
        return;
    const QRect target(r.Left, r.Top, r.Width(), r.Height());
    if (const auto *bitmap = dynamic_cast<const TBitmap *>(graphic)) {
        AddImage(target, bitmap->Image(), m_painter->worldTransform());
    } else if (const auto *icon = dynamic_cast<const TIcon *>(graphic)) {
        AddImage(target, icon->Image(), m_painter->worldTransform());
    } else if (const auto *metafile = dynamic_cast<const TMetafile *>(graphic)) {
        const int w = metafile->Width(), h = metafile->Height();
        if (w <= 0 || h <= 0)
            return;
        const QTransform base = m_painter->worldTransform();
        const QTransform nested =
            QTransform::fromScale(double(target.width()) / w, double(target.height()) / h) *
            QTransform::fromTranslate(target.left(), target.top()) * base;
        if (!metafile->Parts()) {
            m_painter->setWorldTransform(nested);
            m_painter->drawPicture(0, 0, metafile->ToPicture());
            m_painter->setWorldTransform(base);
            return;
        }
        for (const TMetafile::TPart &part : *metafile->Parts()) {
            if (part.isImage) {
                AddImage(part.target, part.image, part.transform * nested);
            } else {
                m_painter->setWorldTransform(nested);
                m_painter->drawPicture(0, 0, part.picture);
                m_painter->setWorldTransform(base);
            }
        }
    } else {
        // Any other kind is drawn at its own size through a bitmap, then stretched.
        TBitmap image(graphic->Width(), graphic->Height());
        graphic->DrawOn(image.Canvas(), Rect(0, 0, graphic->Width(), graphic->Height()));
        AddImage(target, image.Image(), m_painter->worldTransform());
    }
}

} // namespace jxt
