// SPDX-License-Identifier: MIT
// TLabel.
#include "host/controls/StdCtrls.h"

#include <QImage>

namespace jxt {

namespace {

/// The text that is measured and drawn: an empty caption still takes one line.
QString DisplayText(const QString &caption)
{
    return caption.isEmpty() ? QStringLiteral(" ") : caption;
}

} // namespace

TLabel::TLabel(TComponent *owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
}

unsigned TLabel::DrawFlags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    switch (m_alignment) {
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    default: break;
    }
    return flags;
}

void TLabel::SetCaption(const QString &caption)
{
    if (caption == Caption())
        return;
    TGraphicControl::SetCaption(caption);
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    SetSurfaceTransparent(value);
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::AdjustBounds()
{
    if (!m_autoSize || ComponentState().Contains(csLoading))
        return;
    // Measure on a scratch canvas, so sizing never touches the label's own surface.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&scratch);
    canvas.SetFont(Font());
    TRect r = Rect(0, 0, m_wordWrap ? ClientWidth() : 0, 0);
    canvas.DrawText(DisplayText(Caption()), r, DrawFlags() | DT_CALCRECT);
    if (m_wordWrap) {
        // The lines break at the label's width, which stays as it is.
        SetBounds(Left(), Top(), Width(), r.Bottom);
        return;
    }
    int left = Left();
    if (m_alignment == taRightJustify)
        left += Width() - r.Right;
    SetBounds(left, Top(), r.Right, r.Bottom);
}

void TLabel::Paint()
{
    TCanvas *canvas = Canvas();
    if (!m_transparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const QString text = Caption();
    if (text.isEmpty())
        return;
    TRect r = ClientRect();
    const unsigned flags = DrawFlags();
    if (m_layout != tlTop) {
        TRect calc = r;
        canvas->DrawText(text, calc, flags | DT_CALCRECT);
        const int offset =
            m_layout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        r.Top += offset;
        r.Bottom += offset;
    }
    if (!Enabled()) {
        // Disabled text looks engraved: a highlight copy one pixel down and right, the text
        // itself in the shadow colour.
        TRect lit = r;
        lit.Left += 1;
        lit.Top += 1;
        lit.Right += 1;
        lit.Bottom += 1;
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->DrawText(text, lit, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->DrawText(text, r, flags);
}

} // namespace jxt
