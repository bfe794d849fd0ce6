// SPDX-License-Identifier: MIT
#include "host/MetafileCanvas.h"

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
    : m_metafile(metafile), m_width(std::max(0, width)), m_height(std::max(0, height))
{
    m_metafile->Picture() = QPicture();
    m_metafile->SetWidth(m_width);
    m_metafile->SetHeight(m_height);
    m_painter = std::make_unique<QPainter>(&m_metafile->Picture());
}

TMetafileCanvas::~TMetafileCanvas()
{
    m_painter->end();
    m_painter.reset();
    // The picture covers the whole page, whatever was drawn on it.
    m_metafile->Picture().setBoundingRect(QRect(0, 0, m_width, m_height));
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
        m_painter->drawImage(target, bitmap->Image());
    } else if (const auto *icon = dynamic_cast<const TIcon *>(graphic)) {
        m_painter->drawImage(target, icon->Image());
    } else if (const auto *metafile = dynamic_cast<const TMetafile *>(graphic)) {
        const int w = metafile->Width(), h = metafile->Height();
        if (w <= 0 || h <= 0)
            return;
        m_painter->save();
        m_painter->translate(target.topLeft());
        m_painter->scale(double(target.width()) / w, double(target.height()) / h);
        m_painter->drawPicture(0, 0, const_cast<TMetafile *>(metafile)->Picture());
        m_painter->restore();
    } else {
        // Any other kind is drawn at its own size through a bitmap, then stretched.
        TBitmap image(graphic->Width(), graphic->Height());
        graphic->DrawOn(image.Canvas(), Rect(0, 0, graphic->Width(), graphic->Height()));
        m_painter->drawImage(target, image.Image());
    }
}

} // namespace jxt
