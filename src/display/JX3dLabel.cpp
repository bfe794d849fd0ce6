// SPDX-License-Identifier: MIT
// TJX3dLabel: setters and the layered drawing of the embossed or shadowed text.
#include "display/JX3dLabel.h"

#include "util/Jxutil.h"
#include <algorithm>

namespace jxt {

namespace {

// One pass of the text effect: a colour drawn at an offset from the text's place.
struct TTextPass
{
    int Dx;
    int Dy;
    TColor Color;
};

// Light from the top left: highlights up and left, shadows down and right (or the reverse
// for a sunken text).
constexpr TTextPass kRaisedPasses[] = {
    {-1, 0, clWhite}, {-1, -1, clWhite}, {0, 1, clGray}, {1, 0, clGray}};
constexpr TTextPass kLoweredPasses[] = {
    {-1, 0, clGray}, {-1, -1, clGray}, {0, 1, clWhite}, {1, 0, clWhite}};

} // namespace

TJX3dLabel::TJX3dLabel(TComponent *owner) : TGraphicControl(owner)
{
    SetBounds(Left(), Top(), 170, 45);
    SetCaption(QStringLiteral("JX3DLabel"));
    Font()->SetColor(clRed);
    Font()->SetSize(15);
}

void TJX3dLabel::SetAlignment(dtFormat value)
{
    m_alignment = value;
    Invalidate();
}

void TJX3dLabel::SetAutoSize(bool value)
{
    m_autoSize = value;
    // A label that sizes itself leaves the alignment that would size it.
    if (value)
        SetAlign(alNone);
    Invalidate();
}

QSize TJX3dLabel::TextSize() const
{
    // Measured as the text is drawn: the font, the spacing and the alignment, one line per
    // line break, no word wrap.
    TBitmap probe(1, 1);
    TCanvas *canvas = probe.Canvas();
    canvas->SetFont(Font());
    canvas->SetTextCharacterExtra(m_captionSpacing);
    TRect extent = ClientRect();
    canvas->DrawText(DisplayText(), extent, DT_CALCRECT | TextFormat());
    return QSize(extent.Width(), extent.Height());
}

QSize TJX3dLabel::ContentSize(const QSize &current) const
{
    if (!m_autoSize)
        return current;
    const QSize text = TextSize();
    return QSize(text.width() + kAutoSizeMarginX, text.height() + kAutoSizeMarginY);
}

QSize TJX3dLabel::sizeHint() const
{
    const int frame =
        m_borderStyle == bvRaised || m_borderStyle == bvLowered ? 2 * std::max(0, m_borderSize) : 0;
    const QSize text = TextSize();
    const int effect = m_captionStyle == csShadow ? m_shadowDepth : 2;
    return QSize(text.width() + kAutoSizeMarginX + frame + effect,
                 text.height() + kAutoSizeMarginY + frame + effect);
}

QSize TJX3dLabel::minimumSizeHint() const
{
    return sizeHint();
}

void TJX3dLabel::SetBorderSize(int value)
{
    m_borderSize = value;
    updateGeometry();
    Invalidate();
}

void TJX3dLabel::SetBorderStyle(TPanelBevel value)
{
    m_borderStyle = value;
    updateGeometry();
    Invalidate();
}

void TJX3dLabel::SetCaptionSpacing(int spacing)
{
    // The spacing is a byte: a value outside 0..255 is held at its end.
    const auto value = std::uint8_t(std::clamp(spacing, 0, 255));
    m_captionSpacing = value;
    updateGeometry();
    Invalidate();
}

void TJX3dLabel::SetCaptionStyle(TcsStyle value)
{
    m_captionStyle = value;
    updateGeometry();
    Invalidate();
}

void TJX3dLabel::SetShadowColor(TColor value)
{
    m_shadowColor = value;
    Invalidate();
}

void TJX3dLabel::SetShadowDepth(int value)
{
    jxtMinMaxInteger(value, 1, 50);
    m_shadowDepth = value;
    updateGeometry();
    Invalidate();
}

void TJX3dLabel::SetTransparent(bool value)
{
    m_transparent = value;
    // The surface starts clear at each paint, so whatever is not drawn shows the parent.
    SetSurfaceTransparent(value);
}

QString TJX3dLabel::DisplayText() const
{
    QString text = Caption();
    jxtReplaceString(text, QStringLiteral("^M"), QStringLiteral("\n\r"));
    return text;
}

unsigned TJX3dLabel::TextFormat() const
{
    const int index = int(m_alignment);
    return index >= 0 && index < 3 ? dtWert[index] : DT_CENTER;
}

void TJX3dLabel::Paint()
{
    if (!Visible() && !ComponentState().Contains(csDesigning))
        return;

    // The whole caption is drawn, however long; nothing is cut to a fixed buffer.
    const QString text = DisplayText();
    const unsigned align = TextFormat();
    TCanvas *canvas = Canvas();
    canvas->SetFont(Font());
    canvas->SetTextCharacterExtra(m_captionSpacing);

    TRect r = ClientRect();
    if (!m_transparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    if (m_borderStyle == bvRaised)
        Frame3D(canvas, r, clWhite, clGray, m_borderSize);
    else if (m_borderStyle == bvLowered)
        Frame3D(canvas, r, clGray, clWhite, m_borderSize);

    // Centre the wrapped block vertically.
    TRect measured = r;
    const int textHeight = canvas->DrawText(text, measured, DT_CALCRECT | DT_WORDBREAK | align);
    r.Offset(0, (ClientHeight() - textHeight) / 2);
    canvas->Brush()->SetStyle(bsClear);

    const auto drawAt = [&](int dx, int dy, TColor color) {
        TRect place = r;
        place.Offset(dx, dy);
        canvas->Font()->SetColor(color);
        canvas->DrawText(text, place, DT_WORDBREAK | align);
    };
    switch (m_captionStyle) {
    case csRaised:
        for (const TTextPass &pass : kRaisedPasses)
            drawAt(pass.Dx, pass.Dy, pass.Color);
        break;
    case csLowered:
        for (const TTextPass &pass : kLoweredPasses)
            drawAt(pass.Dx, pass.Dy, pass.Color);
        break;
    case csShadow: drawAt(m_shadowDepth, m_shadowDepth, m_shadowColor); break;
    case csNONE: break;
    }
    drawAt(0, 0, Font()->Color());
}

TAccessibleInfo TJX3dLabel::AccessibleInfo() const
{
    return {QAccessible::StaticText, Caption()};
}

} // namespace jxt
