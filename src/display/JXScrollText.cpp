// SPDX-License-Identifier: MIT
// TJXScrollText: interval and caption rules, the scroll step and the off-screen picture.
#include "display/JXScrollText.h"

#include "host/core/Events.h"

#include "host/graphics/OffscreenCopy.h"
#include "util/Jxutil.h"

#include <QPainter>
#include <QPointer>

#include <cstdlib>

namespace jxt {

namespace {

constexpr int kMinInterval = 20;      // shortest positive interval in ms
constexpr int kFastestInterval = -20; // negative intervals are held at or above this
constexpr int kInsideStart = 10;      // where a negative interval starts the text
constexpr int kFitMargin = 10;        // room a caption needs beyond its width to fit
constexpr int kDefaultWidth = 75;     // the width of a new control
constexpr unsigned kVerticalFormat = DT_WORDBREAK | DT_CENTER;
// Background kept around the line picture, wider than any overhang of a glyph.
constexpr int kLineMargin = 64;
constexpr long long kMaxLinePicture = 16384; // widest line kept as one picture

} // namespace

TJXScrollText::TJXScrollText(TComponent *owner)
    : TGraphicControl(owner), m_timer(std::make_unique<TTimer>())
{
    SetBounds(Left(), Top(), 75, 50);
    m_timer->SetEnabled(false);
    m_timer->SetInterval(0);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
}

TJXScrollText::~TJXScrollText()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXScrollText::SetTimerWanted(bool enabled)
{
    m_timerWanted = enabled;
    m_timer->SetEnabled(enabled);
}

void TJXScrollText::SetCaption(const QString &value)
{
    TGraphicControl::SetCaption(value);
    if (m_autoScroll) {
        m_x = 0;
        m_y = 0;
        m_buffer.Canvas()->SetFont(Font());
        SetTimerWanted(Width() < m_buffer.Canvas()->TextWidth(value) + kFitMargin);
    }
    Invalidate();
}

void TJXScrollText::SetInterval(int value)
{
    if (value == 0) {
        m_x = 0;
        m_y = 0;
    } else if (value < 0) {
        m_x = kInsideStart;
        m_y = 0;
        if (value < kFastestInterval)
            value = kFastestInterval;
    } else if (value < kMinInterval) {
        value = kMinInterval;
    }
    m_interval = value;
    m_timer->SetInterval(std::abs(value));
    if (value > 0) {
        m_x = Width();
        m_y = Height();
    }
    SetTimerWanted(value != 0);
    Invalidate();
}

void TJXScrollText::SetScrollHorizontal(bool value)
{
    m_scrollHorizontal = value;
    m_stepSize = -1;
    updateGeometry();
    m_x = 0;
    m_y = 0;
    Invalidate();
}

void TJXScrollText::SetShadow(bool value)
{
    m_shadow = value;
    Invalidate();
}

void TJXScrollText::SetShadowColor(TColor value)
{
    m_shadowColor = value;
    Invalidate();
}

void TJXScrollText::SetShadowDepth(int value)
{
    jxtMinMaxInteger(value, 1, 50);
    m_shadowDepth = value;
    Invalidate();
}

int TJXScrollText::StepPixels()
{
    if (m_steps != 0)
        return m_steps;
    if (m_stepSize < 0) {
        TCanvas *measure = m_buffer.Canvas();
        measure->SetFont(Font());
        const int size = m_scrollHorizontal ? measure->TextWidth(QStringLiteral("X"))
                                            : measure->TextHeight(QStringLiteral("X"));
        m_stepSize = size & 0xFF;
    }
    return m_stepSize;
}

void TJXScrollText::FontChanged()
{
    m_extentValid = false;
    m_stepSize = -1;
    TGraphicControl::FontChanged();
}

QSize TJXScrollText::TextExtent(TCanvas *measure, int width)
{
    const QImage *device = measure->Device();
    TExtentKey key{Caption(), m_scrollHorizontal ? 0 : width,
                   device ? device->devicePixelRatio() : 1.0, m_scrollHorizontal};
    if (m_extentValid && key == m_extentKey)
        return m_extent;
    if (m_scrollHorizontal) {
        m_extent = QSize(measure->TextWidth(key.text), measure->TextHeight(key.text));
    } else {
        TRect block = Rect(0, 0, width, Height());
        measure->DrawText(VerticalText(), block, DT_CALCRECT | kVerticalFormat);
        m_extent = QSize(block.Width(), block.Height());
    }
    m_extentKey = std::move(key);
    m_extentValid = true;
    return m_extent;
}

void TJXScrollText::JXOnTime()
{
    if (!FireEvent(this, OnScroll, &TJXScrollText::onScroll, this))
        return;
    const int step = StepPixels();
    if (m_scrollHorizontal)
        m_x -= step;
    else
        m_y -= step;
    m_timer->SetEnabled(false);
    // OnStartText may free the control.
    const QPointer<QObject> alive(this);
    if (Showing()) {
        PaintBMP();
    } else if (Width() > 0 && Height() > 0) {
        // Out of sight the text moves on (and starts again) without being drawn.
        m_buffer.Canvas()->SetFont(Font());
        PlaceText(m_buffer.Canvas());
        if (alive.isNull())
            return;
        Invalidate();
    }
    if (alive.isNull())
        return;
    // Handlers may have stopped or restarted the timer meanwhile; m_timerWanted knows.
    m_timer->SetEnabled(m_timerWanted);
    Q_EMIT textPositionChanged();
}

QString TJXScrollText::VerticalText() const
{
    QString text = Caption();
    jxtReplaceString(text, QStringLiteral("^M"), QStringLiteral("\n\r"));
    return text;
}

TRect TJXScrollText::PlaceText(TCanvas *measure)
{
    const int width = Width();
    const int height = Height();
    if (m_scrollHorizontal) {
        // The line is centred vertically; once it has left on the left it starts again on
        // the right.
        const QSize line = TextExtent(measure, width);
        m_y = (height - line.height()) / 2;
        if (m_x < -line.width())
            m_x = width;
        else
            return Bounds(m_x, m_y, 0, 0);
        // OnStartText may free the control: the place is taken before it runs.
        const TRect place = Bounds(m_x, m_y, 0, 0);
        FireEvent(this, OnStartText, &TJXScrollText::onStartText, this);
        return place;
    }
    // The block is centred horizontally; once it has left at the top it starts again below.
    const QSize block = TextExtent(measure, width);
    const int blockWidth = block.width();
    const int blockHeight = block.height();
    m_x = (width - blockWidth) / 2;
    if (m_y >= -blockHeight)
        return Bounds(m_x, m_y, blockWidth, blockHeight);
    m_y = height;
    const TRect place = Bounds(m_x, m_y, blockWidth, blockHeight);
    FireEvent(this, OnStartText, &TJXScrollText::onStartText, this);
    return place;
}

const TBitmap *TJXScrollText::LinePicture(int height)
{
    const TFont *font = Font();
    const TLineKey key{Caption(),
                       font->Name(),
                       font->Height(),
                       height,
                       m_shadowDepth,
                       font->Style().Bits(),
                       ColorToRGB(font->Color()),
                       ColorToRGB(Color()),
                       ColorToRGB(m_shadowColor),
                       m_shadow};
    const qreal ratio = m_buffer.Image().devicePixelRatio();
    if (m_lineValid && key == m_lineKey && m_line.Image().devicePixelRatio() == ratio)
        return &m_line;
    const QString &text = Caption();
    TCanvas *measure = m_buffer.Canvas();
    measure->SetFont(font);
    const int textWidth = measure->TextWidth(text);
    const int textHeight = measure->TextHeight(text);
    // The line at x = kLineMargin, centred vertically like the text it stands for.
    const int y = (height - textHeight) / 2;
    const long long width =
        (long long)textWidth + std::abs((long long)m_shadowDepth) + 2 * kLineMargin;
    m_lineValid = false;
    if (width > kMaxLinePicture)
        return nullptr;
    display::SetSizeAtRatio(m_line, int(width), std::max(1, height), ratio);
    display::FillBitmap(m_line, Color());
    TCanvas *canvas = m_line.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->SetFont(font);
    if (m_shadow) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(m_shadowColor);
        canvas->TextOut(kLineMargin + m_shadowDepth, y + m_shadowDepth, text);
        canvas->Font()->SetColor(font->Color());
    }
    canvas->TextOut(kLineMargin, y, text);
    m_lineKey = key;
    m_lineValid = true;
    return &m_line;
}

void TJXScrollText::PaintBMP()
{
    if (!Visible() && !ComponentState().Contains(csDesigning))
        return;
    const int width = Width();
    const int height = Height();
    if (width <= 0 || height <= 0)
        return;

    // The buffer has the surface's resolution, so the text stays as sharp as on the surface.
    const QImage *surface = Canvas()->Device();
    display::SetSizeAtRatio(m_buffer, width, height, surface ? surface->devicePixelRatio() : 1.0);
    display::FillBitmap(m_buffer, Color());
    TCanvas *bmp = m_buffer.Canvas();
    bmp->Brush()->SetStyle(bsSolid);
    bmp->Brush()->SetColor(Color());
    bmp->SetFont(Font());
    const QPointer<QObject> alive(this);
    const TRect block = PlaceText(bmp);
    if (alive.isNull())
        return; // OnStartText freed the control

    if (m_scrollHorizontal) {
        // The line looks the same at every step: it is drawn once and copied to its place
        // (lines too long for one picture are drawn at each step).
        if (const TBitmap *line = LinePicture(height)) {
            QPainter painter(&m_buffer.Image());
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(m_x - kLineMargin, 0, line->Image());
        } else {
            const QString &text = Caption();
            if (m_shadow) {
                bmp->Brush()->SetStyle(bsClear);
                bmp->Font()->SetColor(m_shadowColor);
                bmp->TextOut(m_x + m_shadowDepth, m_y + m_shadowDepth, text);
                bmp->Font()->SetColor(Font()->Color());
            }
            bmp->TextOut(m_x, m_y, text);
        }
    } else {
        // The whole caption is drawn, however long; nothing is cut to a fixed buffer.
        const QString text = VerticalText();
        if (m_shadow) {
            bmp->Brush()->SetStyle(bsClear);
            bmp->Font()->SetColor(m_shadowColor);
            TRect shadow = block;
            shadow.Offset(m_shadowDepth, m_shadowDepth);
            bmp->DrawText(text, shadow, kVerticalFormat);
            bmp->Font()->SetColor(Font()->Color());
        }
        TRect place = block;
        bmp->DrawText(text, place, kVerticalFormat);
    }

    display::CopyBitmap(Canvas(), 0, 0, m_buffer);
}

void TJXScrollText::Paint()
{
    PaintBMP();
    Canvas()->SetFont(Font());
}

TAccessibleInfo TJXScrollText::AccessibleInfo() const
{
    return {QAccessible::StaticText, Caption()};
}

QSize TJXScrollText::sizeHint() const
{
    TBitmap probe(1, 1);
    TCanvas *measure = probe.Canvas();
    measure->SetFont(Font());
    if (m_scrollHorizontal) {
        const QString text = Caption().isEmpty() ? QStringLiteral("X") : Caption();
        return QSize(measure->TextWidth(text) + kFitMargin, measure->TextHeight(text) + kFitMargin);
    }
    TRect block = Rect(0, 0, std::max(Width(), kDefaultWidth), 0);
    measure->DrawText(VerticalText(), block, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    return QSize(block.Width() + kFitMargin, block.Height() + kFitMargin);
}

QSize TJXScrollText::minimumSizeHint() const
{
    TBitmap probe(1, 1);
    TCanvas *measure = probe.Canvas();
    measure->SetFont(Font());
    const QString x = QStringLiteral("X");
    return QSize(2 * measure->TextWidth(x), measure->TextHeight(x));
}

} // namespace jxt
