// SPDX-License-Identifier: MIT
// TJXGauge: painting of the boxes and the peak marker, the value rules and the peak timer.
#include "display/JXGauge.h"

#include "host/graphics/OffscreenCopy.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace jxt {

int GaugeMaxPeakWert = 0;

namespace {

constexpr int kPeakInterval = 50;  // ms between peak timer ticks
constexpr int kPeakHoldTicks = 20; // the peak is held this many ticks, reset on the next
constexpr int kLevelDecay = 5;     // fall of an audio meter per tick

int ClampToInt(double value)
{
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}

int ClampToInt(long long value)
{
    return int(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
}

// One channel of a dimmed box colour: a fifth of the distance from 32, lifted a little.
int DimChannel(int c)
{
    return (32 + (c - 32) / 5 + 2) & 0xFF;
}

} // namespace

TJXGauge::TJXGauge(TComponent *owner) : TCustomControl(owner), m_timer(std::make_unique<TTimer>())
{
    setFocusPolicy(Qt::NoFocus); // a display: nothing to type into
    SetBounds(Left(), Top(), 100, 20);
    TCustomControl::SetColor(clSilver);
    m_timer->SetEnabled(true);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    SetShowPeak(true);
}

TJXGauge::~TJXGauge()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXGauge::SetBorderStyle(TPanelBevel value)
{
    m_borderStyle = value;
    Invalidate();
}

void TJXGauge::SetBorderWidth(int value)
{
    m_borderWidth = value;
    updateGeometry();
    Invalidate();
}

void TJXGauge::SetBoxes(int boxes)
{
    // The number of boxes is a byte: a value outside 0..255 is held at its end.
    auto value = std::uint8_t(std::clamp(boxes, 0, 255));
    if (value == m_boxes)
        return;
    if (m_boxColor == clGreen && value < 5)
        value = 5;
    m_boxes = value;
    updateGeometry();
    Invalidate();
}

void TJXGauge::SetBoxColor(TColor value)
{
    m_boxColor = value;
    Invalidate();
}

void TJXGauge::SetColor(TColor value)
{
    TCustomControl::SetColor(value);
    // The new background shows at once, before the next full paint.
    TCanvas *canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(value);
    canvas->FillRect(ClientRect());
    Invalidate();
}

void TJXGauge::SetMaxValue(int value)
{
    if (value < 0 || value <= m_minValue || value == m_maxValue)
        return;
    m_maxValue = value;
    Invalidate();
}

void TJXGauge::SetMinValue(int value)
{
    if (value < 0 || value >= m_maxValue || value == m_minValue)
        return;
    m_minValue = value;
    Invalidate();
}

void TJXGauge::SetProgress(int value)
{
    if (value == m_progress)
        return;
    const int old = m_progress;
    m_progress = std::clamp(value, m_minValue, m_maxValue);
    if (m_progress != old)
        Q_EMIT progressChanged(m_progress);
    if (LitCount() != m_litAtLastPaint)
        Refresh();
    AccessibleValueChanged();
}

void TJXGauge::AddProgress(int value)
{
    SetProgress(ClampToInt(static_cast<long long>(m_progress) + value));
}

void TJXGauge::SetBoxPreview(bool value)
{
    m_boxPreview = value;
    Invalidate();
}

void TJXGauge::SetShowPeak(bool value)
{
    m_showPeak = value;
    if (value) {
        m_timer->SetTag(0);
        m_timer->SetInterval(kPeakInterval);
    } else {
        m_timer->SetTag(-1);
        m_timer->SetInterval(0);
    }
    m_peak = 0;
    // Without this the last marker would stay on screen until the lit count next changed.
    Invalidate();
}

int TJXGauge::GetPercentDone() const
{
    return SolveForY(m_progress - m_minValue, m_maxValue - m_minValue);
}

int TJXGauge::SolveForX(int x, int z)
{
    return ClampToInt(static_cast<long long>(x) * z / 100);
}

int TJXGauge::SolveForY(int x, int z)
{
    if (z == 0)
        return 0;
    // Small ranges scale x first for the exact quotient; large ones divide first so that
    // x * 100 cannot overflow.
    if (z <= 21474836)
        return ClampToInt(std::trunc(double(x) * 100.0 / z));
    return ClampToInt(std::trunc(double(x) / z * 100.0));
}

int TJXGauge::LitCount() const
{
    const int boxes = ShownBoxes();
    return std::min(SolveForX(GetPercentDone(), boxes), boxes);
}

TColor TJXGauge::DimmedColor() const
{
    const TColor c = ColorToRGB(m_boxColor);
    return RGB(DimChannel(GetRValue(c)), DimChannel(GetGValue(c)), DimChannel(GetBValue(c)));
}

TRect TJXGauge::BoxRect(int k, int pitch, int margin, int innerWidth, int innerHeight) const
{
    if (m_kind == jxgVertical)
        return Bounds(0, innerHeight - margin - k * pitch, innerWidth, pitch - 1);
    return Bounds(margin + (k - 1) * pitch, 0, pitch - 1, innerHeight);
}

int TJXGauge::Border() const
{
    // No control is a million pixels wide; the cap keeps the arithmetic in range.
    return int(std::min<long long>(std::llabs((long long)m_borderWidth), 1 << 20));
}

long long TJXGauge::BoxSpan(int length) const
{
    return (long long)length - m_borderWidth - 2;
}

int TJXGauge::ShownBoxes() const
{
    if (m_boxes == 0)
        return 0;
    // Boxes narrower than 3 pixels cannot be told apart: a gauge too short for all of them
    // shows as many as fit (at least one). Boxes itself stays, so all come back when the
    // gauge is long enough again.
    const long long span = BoxSpan(m_kind == jxgVertical ? Height() : Width());
    return int(std::clamp<long long>(span / kMinPitch, 1, m_boxes));
}

QSize TJXGauge::ContentSize(const QSize &current) const
{
    // The frame (one pixel each side) and the border need room around at least one pixel of
    // boxes; a smaller gauge grows.
    const int least = 2 + 2 * Border() + 1;
    return current.expandedTo(QSize(least, least));
}

QSize TJXGauge::minimumSizeHint() const
{
    // Every box at its narrowest pitch; across the frame and border a few pixels of box.
    const long long frame = 2 + 2LL * Border();
    const long long along =
        std::max<long long>((long long)kMinPitch * m_boxes + m_borderWidth + 2, frame + 1);
    const long long across = frame + kMinPitch;
    const auto side = [](long long v) { return int(std::min<long long>(v, kMaxSide)); };
    return m_kind == jxgVertical ? QSize(side(across), side(along))
                                 : QSize(side(along), side(across));
}

QSize TJXGauge::sizeHint() const
{
    // A new gauge is 100 x 20 with ten boxes: boxes of 10 pixels on a bar 20 high.
    const long long along = (long long)kPreferredPitch * m_boxes + m_borderWidth + 2;
    const auto side = [](long long v) { return int(std::clamp<long long>(v, 0, kMaxSide)); };
    const QSize hint = m_kind == jxgVertical ? QSize(20, side(along)) : QSize(side(along), 20);
    return hint.expandedTo(minimumSizeHint());
}

int TJXGauge::BandOf(int k, int boxes) const
{
    // The top fifth of the boxes is the red band, the fifth below it the yellow one, and the
    // boxes up to the lowest two fifths the low band (none when the unlit boxes are previewed).
    const int red = boxes - boxes / 5;
    const int yellow = boxes - 2 * (boxes / 5);
    const int low = m_boxPreview ? 0 : boxes - 3 * (boxes / 5);
    if (k > red)
        return 3;
    if (k > yellow)
        return 2;
    if (k <= low)
        return 0;
    return 1;
}

TColor TJXGauge::BoxColor(int k, int boxes, bool lit) const
{
    // A gauge in the box colour clGreen is a level meter: its boxes take the colours of their
    // band, darker when unlit.
    if (m_boxColor != clGreen) {
        if (!lit)
            return DimmedColor();
        return isEnabled() ? m_boxColor : clGray;
    }
    static const TColor kLit[] = {0, clLime, clYellow, clRed};
    static const TColor kUnlit[] = {0x004000, clGreen, clOlive, clMaroon};
    const int band = BandOf(k, boxes);
    if (band == 0)
        return lit ? m_boxColor : TColor(0x004000);
    return lit ? kLit[band] : kUnlit[band];
}

TRect TJXGauge::PaintFrame()
{
    // A windowed control's background is erased in Color before it paints; the gap between
    // frame and boxes shows it.
    TCanvas *canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    TRect r = ClientRect();
    if (m_borderStyle == bvRaised)
        Frame3D(canvas, r, clWhite, clGray, 1);
    else if (m_borderStyle == bvLowered)
        Frame3D(canvas, r, clGray, clWhite, 1);
    else
        r.Inflate(-1, -1);
    const int border = Border();
    r.Inflate(-border, -border);
    return r;
}

void TJXGauge::Paint()
{
    const int boxes = ShownBoxes();
    const int length = m_kind == jxgVertical ? Height() : Width();
    const int pitch =
        boxes > 0 ? int(std::clamp<long long>(BoxSpan(length) / boxes, INT_MIN, INT_MAX)) : 0;

    const TRect r = PaintFrame();
    // A gauge held smaller than its frame (by its alignment or a layout) shows the frame.
    if (r.Width() < 1 || r.Height() < 1)
        return;
    const int innerWidth = r.Width();
    const int innerHeight = r.Height();
    m_buffer.SetSize(innerWidth, innerHeight);
    display::FillBitmap(m_buffer, Color());
    TCanvas *bmp = m_buffer.Canvas();
    bmp->Brush()->SetStyle(bsSolid);
    if (boxes == 0) {
        // No boxes: the background alone.
        m_litAtLastPaint = 0;
        display::CopyBitmap(Canvas(), r.Left, r.Top, m_buffer);
        return;
    }

    const int margin = ((m_kind == jxgVertical ? innerHeight : innerWidth) - pitch * boxes) / 2;
    const int lit = LitCount();
    m_litAtLastPaint = lit;
    const int last = m_boxPreview ? std::max(boxes, lit) : lit;
    for (int k = 1; k <= last; ++k) {
        bmp->Brush()->SetColor(BoxColor(k, boxes, k <= lit));
        bmp->FillRect(BoxRect(k, pitch, margin, innerWidth, innerHeight));
    }

    if (m_showPeak) {
        const int p = std::min(
            SolveForX(SolveForY(m_peak - m_minValue, m_maxValue - m_minValue), boxes), boxes);
        if (p > 0) {
            static const TColor kPeak[] = {0, clLime, clYellow, clRed};
            const int band = BandOf(p, boxes);
            // The marker is the half of box p farther from the start of the gauge.
            const TRect box = BoxRect(p, pitch, margin, innerWidth, innerHeight);
            const TRect marker = m_kind == jxgVertical
                                     ? Bounds(0, box.Top, innerWidth, pitch / 2)
                                     : Bounds(box.Left + pitch / 2, 0, pitch / 2 - 1, innerHeight);
            bmp->Brush()->SetColor(band == 0 ? m_boxColor : kPeak[band]);
            bmp->FillRect(marker);
        }
    }

    display::CopyBitmap(Canvas(), r.Left, r.Top, m_buffer);
}

void TJXGauge::JXOnTime()
{
    m_timer->SetEnabled(false);
    const int hold = m_timer->Tag();
    if (hold != -1) {
        m_timer->SetTag(hold + 1);
        if (hold + 1 <= kPeakHoldTicks) {
            m_peak = std::max(m_peak, m_progress);
        } else {
            m_timer->SetTag(0);
            m_peak = 0;
            if (m_progress == 0)
                Invalidate();
        }
        GaugeMaxPeakWert = std::max(GaugeMaxPeakWert, m_progress);
    }
    if (m_boxColor == clGreen)
        SetProgress(m_progress - kLevelDecay);
    m_timer->SetEnabled(true);
}

TAccessibleInfo TJXGauge::AccessibleInfo() const
{
    // Named by how full it is, as a progress bar reads; the value interface gives the figures.
    const long long span = (long long)m_maxValue - m_minValue;
    const long long percent = span > 0 ? ((long long)m_progress - m_minValue) * 100 / span : 0;
    return {QAccessible::ProgressBar,
            QStringLiteral("%1%").arg(percent),
            {double(m_progress), double(m_minValue), double(m_maxValue)}};
}

} // namespace jxt
