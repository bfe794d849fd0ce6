// SPDX-License-Identifier: MIT
// Panels, images and bevels.
#include "host/controls/ExtCtrls.h"

#include <QPainter>

#include <algorithm>

namespace jxt {

namespace {

unsigned AlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

/// The top-left and bottom-right colours of a bevel: raised bevels are lit from the top
/// left, lowered ones from the bottom right.
void BevelColors(TPanelBevel bevel, TColor &top, TColor &bottom)
{
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

// TCustomPanel

TCustomPanel::TCustomPanel(TComponent *owner) : TCustomControl(owner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
    if (value == m_bevelInner)
        return;
    m_bevelInner = value;
    BordersChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
    if (value == m_bevelOuter)
        return;
    m_bevelOuter = value;
    BordersChanged();
}

void TCustomPanel::SetBevelWidth(int value)
{
    value = std::max(1, value);
    if (value == m_bevelWidth)
        return;
    m_bevelWidth = value;
    BordersChanged();
}

void TCustomPanel::SetBorderWidth(int value)
{
    value = std::max(0, value);
    if (value == m_borderWidth)
        return;
    m_borderWidth = value;
    BordersChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    BordersChanged();
    update();
}

void TCustomPanel::BordersChanged()
{
    Realign();
    Invalidate();
}

TRect TCustomPanel::ClientRect() const
{
    TRect r = Rect(0, 0, Width(), Height());
    if (m_borderStyle != bsNone) {
        r.Left += 1;
        r.Top += 1;
        r.Right = std::max(r.Left, r.Right - 1);
        r.Bottom = std::max(r.Top, r.Bottom - 1);
    }
    return r;
}

int TCustomPanel::BevelInset() const
{
    int inset = m_borderWidth;
    if (m_bevelOuter != bvNone)
        inset += m_bevelWidth;
    if (m_bevelInner != bvNone)
        inset += m_bevelWidth;
    return inset;
}

QSize TCustomPanel::TextExtent(const QString &text) const
{
    TBitmap probe(1, 1);
    TCanvas *canvas = probe.Canvas();
    canvas->SetFont(Font());
    TRect extent = Rect(0, 0, 0, 0);
    canvas->DrawText(text.isEmpty() ? QStringLiteral("W") : text, extent, DT_CALCRECT);
    return QSize(extent.Width(), extent.Height());
}

QSize TCustomPanel::minimumSizeHint() const
{
    const int frame = 2 * BevelInset() + (m_borderStyle == bsNone ? 0 : 2);
    return TextExtent(Caption()) + QSize(frame, frame);
}

QSize TCustomPanel::sizeHint() const
{
    constexpr int kRoomX = 16, kRoomY = 8;
    return minimumSizeHint() + QSize(kRoomX, kRoomY);
}

TRect TCustomPanel::AlignRect() const
{
    TRect r = ClientRect();
    const int inset = BevelInset();
    r.Left += inset;
    r.Top += inset;
    r.Right = std::max(r.Left, r.Right - inset);
    r.Bottom = std::max(r.Top, r.Bottom - inset);
    return r;
}

void TCustomPanel::PaintBevels(TRect &r)
{
    TCanvas *canvas = Canvas();
    TColor top, bottom;
    if (m_bevelOuter != bvNone) {
        BevelColors(m_bevelOuter, top, bottom);
        Frame3D(canvas, r, top, bottom, m_bevelWidth);
    }
    if (m_borderWidth > 0)
        Frame3D(canvas, r, Color(), Color(), m_borderWidth);
    if (m_bevelInner != bvNone) {
        BevelColors(m_bevelInner, top, bottom);
        Frame3D(canvas, r, top, bottom, m_bevelWidth);
    }
}

void TCustomPanel::Paint()
{
    TCanvas *canvas = Canvas();
    TRect r = ClientRect();
    PaintBevels(r);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);

    // The caption: one line high, centred vertically in what the bevels leave.
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    canvas->Font()->SetColor(ReadableTextColor(Font()->Color(), Color()));
    const int lineHeight = canvas->TextHeight(QStringLiteral("W"));
    r.Top = (r.Top + r.Bottom - lineHeight) / 2;
    r.Bottom = r.Top + lineHeight;
    canvas->DrawText(Caption(), r, DT_EXPANDTABS | DT_VCENTER | AlignmentFlag(m_alignment));
}

void TCustomPanel::paintEvent(QPaintEvent *event)
{
    TCustomControl::paintEvent(event);
    if (m_borderStyle == bsNone || Width() <= 0 || Height() <= 0)
        return;
    // The single-line border lies outside the client area, so it is drawn on the window,
    // not on the surface that Paint draws.
    QPainter p(this);
    p.setPen(ColorToQColor(clWindowFrame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, Width() - 1, Height() - 1);
}

// TImage

TImage::TImage(TComponent *owner) : TGraphicControl(owner), m_picture(std::make_unique<TPicture>())
{
    // Only the picture is drawn; the parent shows through everywhere else.
    SetSurfaceTransparent(true);
    m_picture->OnChange = [this](TObject *) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    m_picture->OnChange = nullptr;
}

void TImage::SetPicture(const TPicture *picture)
{
    m_picture->Assign(picture);
    PictureChanged();
}

void TImage::PictureChanged()
{
    if (TGraphic *g = m_picture->Graphic())
        g->SetTransparent(m_transparent);
    if (m_autoSize && m_picture->Width() > 0 && m_picture->Height() > 0)
        SetBounds(Left(), Top(), m_picture->Width(), m_picture->Height());
    Invalidate();
}

void TImage::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    if (value == m_proportional)
        return;
    m_proportional = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    if (TGraphic *g = m_picture->Graphic())
        g->SetTransparent(value);
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    if (value)
        PictureChanged();
}

TRect TImage::DestRect() const
{
    const TRect client = ClientRect();
    const int cw = client.Width();
    const int ch = client.Height();
    int w = m_picture->Width();
    int h = m_picture->Height();
    const bool tooLarge = w > cw || h > ch;
    if (m_stretch || (m_proportional && tooLarge)) {
        if (m_proportional && w > 0 && h > 0) {
            // Fit the whole picture, keeping its aspect ratio (integer arithmetic, so the
            // result does not depend on rounding of floating point).
            if (std::int64_t(cw) * h <= std::int64_t(ch) * w) {
                h = int(std::int64_t(cw) * h / w);
                w = cw;
            } else {
                w = int(std::int64_t(ch) * w / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = client.Left;
    int y = client.Top;
    if (m_center) {
        x += (cw - w) / 2;
        y += (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::Paint()
{
    TCanvas *canvas = Canvas();
    if (ComponentState().Contains(csDesigning)) {
        canvas->Pen()->SetStyle(psDash);
        canvas->Pen()->SetColor(clBlack);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(ClientRect());
        canvas->Pen()->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsSolid);
    }
    const TGraphic *graphic = m_picture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    const TRect dest = DestRect();
    if (dest.Width() == graphic->Width() && dest.Height() == graphic->Height())
        canvas->Draw(dest.Left, dest.Top, graphic);
    else
        canvas->StretchDraw(dest, graphic);
}

// TBevel

TBevel::TBevel(TComponent *owner) : TGraphicControl(owner)
{
    SetSurfaceTransparent(true);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value)
{
    if (value == m_shape)
        return;
    m_shape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas *canvas = Canvas();
    const TColor light = m_style == bsLowered ? clBtnHighlight : clBtnShadow;
    const TColor dark = m_style == bsLowered ? clBtnShadow : clBtnHighlight;
    const int w = Width();
    const int h = Height();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    auto line = [canvas](TColor color, int x1, int y1, int x2, int y2) {
        canvas->Pen()->SetColor(color);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    switch (m_shape) {
    case bsBox: {
        TRect r = ClientRect();
        Frame3D(canvas, r, dark, light, 1);
        break;
    }
    case bsFrame: {
        // Two nested one-pixel frames, offset by one pixel: an etched line.
        TRect outer = Rect(0, 0, w - 1, h - 1);
        Frame3D(canvas, outer, dark, dark, 1);
        TRect inner = Rect(1, 1, w, h);
        Frame3D(canvas, inner, light, light, 1);
        break;
    }
    case bsTopLine:
        line(dark, 0, 0, w, 0);
        line(light, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(dark, 0, h - 2, w, h - 2);
        line(light, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(dark, 0, 0, 0, h);
        line(light, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(dark, w - 2, 0, w - 2, h);
        line(light, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

} // namespace jxt
