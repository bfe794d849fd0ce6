// SPDX-License-Identifier: MIT
// TJXStars: spreading, moving and drawing the stars.
#include "effects/JXStars.h"

#include "host/graphics/OffscreenCopy.h"
#include "util/Jxutil.h"

#include <chrono>
#include <cstdint>

namespace jxt {

namespace {
constexpr int kMinInterval = 20;
constexpr int kGreyStep = 17; // brightness 0..15 to grey 0..255
} // namespace

TJXStars::TJXStars(TComponent *owner)
    : TCustomControl(owner),
      m_random(unsigned(std::chrono::steady_clock::now().time_since_epoch().count())),
      m_timer(std::make_unique<TTimer>())
{
    setFocusPolicy(Qt::NoFocus); // a display: nothing to type into
    SetBounds(Left(), Top(), 75, 50);
    TCustomControl::SetColor(clBlack);
    INITStars();
    m_timer->SetEnabled(false);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    SetInterval(0);
    m_maxStars = kStarCount;
    SetZoom(2);
}

TJXStars::~TJXStars()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

int TJXStars::Random(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_random);
}

void TJXStars::SetInterval(int value)
{
    if (value > 0 && value < kMinInterval)
        value = kMinInterval;
    m_interval = value;
    m_timer->SetInterval(std::max(value, 0));
    m_timer->SetEnabled(value > 0);
    Invalidate();
}

void TJXStars::SetMaxStars(int value)
{
    jxtMinMaxInteger(value, 1, kStarCount);
    m_maxStars = value;
}

void TJXStars::SetZoom(int value)
{
    jxtMinMaxInteger(value, 1, 100);
    m_zoom = value;
}

void TJXStars::INITStars()
{
    m_random.seed(unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
    const int w = Width();
    const int h = Height();
    for (TStar &star : m_stars) {
        star.X = Random(2 * w) - w;
        star.Y = Random(2 * h) - h;
        star.Z = Random(kFarthest) + 1;
    }
}

void TJXStars::Resize()
{
    TCustomControl::Resize();
    INITStars();
}

void TJXStars::DPunkt(TBitmap &bitmap, int x, int y, int z, int brightness) const
{
    if (z == -1)
        return; // no depth in front of the viewer
    // Integer division truncates toward zero; 64 bits keep any size in range.
    const std::int64_t px = std::int64_t(x) * m_zoom / (z + 1) + m_cx;
    const std::int64_t py = std::int64_t(y) * m_zoom / (z + 1) + m_cy;
    if (px < 0 || py < 0 || px >= bitmap.Width() || py >= bitmap.Height())
        return;
    const int g = brightness * kGreyStep;
    bitmap.Canvas()->SetPixel(int(px), int(py), RGB(g, g, g));
}

void TJXStars::PaintBMP()
{
    if (!Visible() && !ComponentState().Contains(csDesigning))
        return;
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0)
        return;
    m_buffer.SetSize(w, h);
    display::FillBitmap(m_buffer, Color());
    MoveStars(w, h);
    for (int i = 0; i < m_maxStars; ++i) {
        const TStar &star = m_stars[std::size_t(i)];
        DPunkt(m_buffer, star.X, star.Y, star.Z, 15 - star.Z / 2);
    }
    display::CopyBitmap(Canvas(), 0, 0, m_buffer);
}

void TJXStars::MoveStars(int w, int h)
{
    m_cx = w >> 1;
    m_cy = h >> 1;
    for (int i = 0; i < m_maxStars; ++i) {
        TStar &star = m_stars[std::size_t(i)];
        if (--star.Z <= 0) {
            star.X = Random(2 * w) - w;
            star.Y = Random(2 * h) - h;
            star.Z = kFarthest;
        }
    }
}

void TJXStars::JXOnTime()
{
    m_timer->SetEnabled(false);
    if (Showing()) {
        PaintBMP();
    } else if (Width() > 0 && Height() > 0) {
        // Out of sight the stars fly on without being drawn.
        MoveStars(Width(), Height());
        Invalidate();
    }
    m_timer->SetEnabled(m_interval > 0);
}

void TJXStars::Paint()
{
    PaintBMP();
}

QSize TJXStars::sizeHint() const
{
    return {75, 50};
}

QSize TJXStars::minimumSizeHint() const
{
    return {2, 2};
}

TAccessibleInfo TJXStars::AccessibleInfo() const
{
    return {QAccessible::Animation, QStringLiteral("Sternenfeld")};
}

} // namespace jxt
