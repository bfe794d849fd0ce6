// SPDX-License-Identifier: MIT
// TJXFillImage: fill styles, ramps, patterns and the user-bitmap rule.
#include "effects/JXFillImage.h"

#include <QEvent>

#include <algorithm>

namespace jxt {

namespace {

constexpr int kDefaultSize = 100;
constexpr int kInitialPatternSize = 10;
constexpr int kMaxUserBitmapSide = 256;
constexpr int kBrushBitmapMaxHeight = 8;
constexpr int kMinSteps = 2;

} // namespace

void FillWithUserBitmap(TCanvas *canvas, const TBitmap *bitmap, int width, int height)
{
    if (!canvas || !bitmap)
        return;
    const int bw = bitmap->Width();
    const int bh = bitmap->Height();
    if (bh == 0 || bw == 0 || bw > kMaxUserBitmapSide || bh > kMaxUserBitmapSide)
        return;
    if (bh <= kBrushBitmapMaxHeight) {
        canvas->Brush()->SetBitmap(nullptr);
        canvas->Brush()->SetBitmap(bitmap);
        canvas->FillRect(Rect(0, 0, width, height));
        canvas->Brush()->SetBitmap(nullptr);
        return;
    }
    for (int row = 0; row <= height / bh; ++row)
        for (int column = 0; column <= width / bw; ++column)
            canvas->Draw(column * bw, row * bh, bitmap);
}

void FillWithPattern(TCanvas *canvas, const TBitmap *pattern, int width, int height)
{
    if (!canvas || !pattern || pattern->Height() == 0)
        return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetBitmap(nullptr);
    canvas->Brush()->SetBitmap(pattern);
    canvas->FillRect(Rect(0, 0, width, height));
    canvas->Brush()->SetBitmap(nullptr);
}

void LoadFillPattern(std::unique_ptr<TBitmap> &pattern, const QString &name)
{
    try {
        auto loaded = std::make_unique<TBitmap>();
        loaded->LoadFromResourceName(name);
        pattern = std::move(loaded);
    } catch (const Exception &) {
        // Without its resource the style keeps the last pattern.
    }
}

void PaintRamp(TCanvas *canvas, int length, int steps, TColor from, TColor to,
               const std::function<TRect(int start, int end)> &bandRect)
{
    if (!canvas || length <= 0)
        return;
    int n = std::max(steps, 1);
    if (n > length)
        n = length;
    const int band = length / n;
    n = length / band;
    const TColor rgbFrom = ColorToRGB(from);
    const TColor rgbTo = ColorToRGB(to);
    const int dR = GetRValue(rgbFrom) - GetRValue(rgbTo);
    const int dG = GetGValue(rgbFrom) - GetGValue(rgbTo);
    const int dB = GetBValue(rgbFrom) - GetBValue(rgbTo);
    // Each band is one solid colour: filled directly, as a solid brush would fill it.
    for (int i = 0; i <= n - 2; ++i) {
        // C++ division truncates toward zero, as the ramp's arithmetic requires.
        canvas->FillSolid(bandRect(i * band, i * band + band),
                          RGB(GetRValue(rgbFrom) - i * dR / (n - 1),
                              GetGValue(rgbFrom) - i * dG / (n - 1),
                              GetBValue(rgbFrom) - i * dB / (n - 1)));
    }
    canvas->FillSolid(bandRect((n - 1) * band, length), rgbTo);
}

TJXFillImage::TJXFillImage(TComponent *owner)
    : TGraphicControl(owner), m_fillBitmap(std::make_unique<TBitmap>()),
      m_pattern(std::make_unique<TBitmap>(kInitialPatternSize, kInitialPatternSize))
{
    SetBounds(Left(), Top(), kDefaultSize, kDefaultSize);
}

TJXFillImage::~TJXFillImage() = default;

void TJXFillImage::SetAdjustToParent(bool value)
{
    m_adjustToParent = value;
    WatchParent();
    FollowParent();
    Invalidate();
}

void TJXFillImage::SetFillBitmap(const TBitmap *value)
{
    m_fillBitmap->AssignOrClear(value);
    Invalidate();
}

void TJXFillImage::SetFillStyle(TFStyle value)
{
    m_fillStyle = value;
    if (IsPatternStyle(value) && value <= WLGray)
        LoadFillPattern(m_pattern, QString::fromLatin1(FillString[value]));
    Invalidate();
}

void TJXFillImage::SetRBFromColor(TColor value)
{
    m_rbFromColor = value;
    Invalidate();
}

void TJXFillImage::SetRBSteps(int steps)
{
    // The steps are a byte: a value outside 0..255 is held at its end.
    const auto value = std::uint8_t(std::clamp(steps, 0, 255));
    m_rbSteps = std::max<std::uint8_t>(value, kMinSteps);
    Invalidate();
}

void TJXFillImage::SetRBToColor(TColor value)
{
    m_rbToColor = value;
    Invalidate();
}

QSize TJXFillImage::sizeHint() const
{
    if (m_fillStyle == BITMAP && !m_fillBitmap->Empty())
        return {m_fillBitmap->Width(), m_fillBitmap->Height()};
    return {kDefaultSize, kDefaultSize};
}

QSize TJXFillImage::minimumSizeHint() const
{
    return {1, 1};
}

// The control follows its parent's client size whenever the parent is resized or the
// control moves to another parent, so painting never has to change the size.
void TJXFillImage::FollowParent()
{
    if (!m_adjustToParent)
        return;
    if (Align() != alNone)
        SetAlign(alNone);
    int w = 0;
    int h = 0;
    if (Parent()) {
        w = Parent()->ClientWidth();
        h = Parent()->ClientHeight();
    } else if (QWidget *p = parentWidget()) {
        w = p->width();
        h = p->height();
    } else {
        return;
    }
    if (Left() != 0 || Top() != 0 || Width() != w || Height() != h)
        SetBounds(0, 0, w, h);
}

void TJXFillImage::WatchParent()
{
    QWidget *p = parentWidget();
    if (m_watched == p)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = p;
    if (p)
        p->installEventFilter(this);
}

bool TJXFillImage::event(QEvent *e)
{
    if (e->type() == QEvent::ParentChange) {
        WatchParent();
        FollowParent();
    }
    return TGraphicControl::event(e);
}

bool TJXFillImage::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_watched && e->type() == QEvent::Resize)
        FollowParent();
    return TGraphicControl::eventFilter(watched, e);
}

void TJXFillImage::Paint()
{
    TCanvas *canvas = Canvas();
    const int w = Width();
    const int h = Height();
    if (ComponentState().Contains(csDesigning)) {
        canvas->Pen()->SetStyle(psDash);
        canvas->Brush()->SetBitmap(nullptr);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(0, 0, w, h);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsSolid);
    }
    switch (m_fillStyle) {
    case NONE: break;
    case BITMAP: FillWithUserBitmap(canvas, m_fillBitmap.get(), w, h); break;
    case vRAINBOW:
        PaintRamp(canvas, h, m_rbSteps, m_rbFromColor, m_rbToColor,
                  [w](int start, int end) { return Rect(0, start, w, end); });
        break;
    case hRAINBOW:
        PaintRamp(canvas, w, m_rbSteps, m_rbFromColor, m_rbToColor,
                  [h](int start, int end) { return Rect(start, 0, end, h); });
        break;
    default: FillWithPattern(canvas, m_pattern.get(), w, h); break;
    }
}

TAccessibleInfo TJXFillImage::AccessibleInfo() const
{
    return {QAccessible::Graphic, QString::fromLatin1(FillString[m_fillStyle])};
}

} // namespace jxt
