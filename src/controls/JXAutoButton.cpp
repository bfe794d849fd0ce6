// SPDX-License-Identifier: MIT
// TJXAutoButton: hot tracking, the popup menu, and the face with its glyph, caption, border
// and menu mark.
#include "controls/JXAutoButton.h"

#include "host/core/Events.h"

#include "host/controls/Forms.h"

#include <QEnterEvent>
#include <QPointer>

#include <algorithm>

namespace jxt {

namespace {

constexpr int kMaxImages = 4;
constexpr int kMarkInset = 4;   // distance of the menu mark from the button's edge
constexpr int kMarkOffset = 10; // distance of the mark from the far edge of the image area

enum class TBorder { None, Raised, Sunken };

// Which border the state shows for each style.
TBorder BorderFor(TaBorderStyle style, bool value, bool pressed)
{
    switch (style) {
    case TJXAutoButton::bsLowered:
        return value ? TBorder::None : pressed ? TBorder::Raised : TBorder::Sunken;
    case TJXAutoButton::bsRaised:
        return value ? TBorder::None : pressed ? TBorder::Sunken : TBorder::Raised;
    case TJXAutoButton::bsAuto:
        return !value ? TBorder::None : pressed ? TBorder::Sunken : TBorder::Raised;
    case TJXAutoButton::bsNone: break;
    }
    return TBorder::None;
}

} // namespace

TJXAutoButton::TJXAutoButton(TComponent *owner)
    : TGraphicControl(owner), m_glyph(std::make_unique<TBitmap>())
{
    m_fontActiveColor = Font()->Color();
    SetBounds(Left(), Top(), 100, 50);
}

TJXAutoButton::~TJXAutoButton() = default;

void TJXAutoButton::SetBorderStyle(TaBorderStyle value)
{
    m_borderStyle = value;
    Invalidate();
}

void TJXAutoButton::SetBorderWidth(int value)
{
    m_borderWidth = std::max(0, value);
    updateGeometry();
    Invalidate();
}

void TJXAutoButton::SetGlyph(const TBitmap *value)
{
    m_glyph->AssignOrClear(value);
    updateGeometry();
    Invalidate();
}

void TJXAutoButton::SetLayout(TButtonLayout value)
{
    m_layout = value;
    updateGeometry();
    Invalidate();
}

void TJXAutoButton::SetPopupMenu(TPopupMenu *value)
{
    TGraphicControl::SetPopupMenu(value);
    // The button opens the menu itself on a click, not on a right click.
    if (value)
        value->SetAutoPopup(false);
    Invalidate();
}

void TJXAutoButton::SetPopupAlign(TPopupAlign value)
{
    m_popupAlign = value;
    Invalidate();
}

void TJXAutoButton::SetSpacing(int value)
{
    m_spacing = value;
    updateGeometry();
    Invalidate();
}

void TJXAutoButton::SetStretch(bool value)
{
    m_stretch = value;
    Invalidate();
}

void TJXAutoButton::SetTransparent(bool value)
{
    m_transparent = value;
    SetSurfaceTransparent(value);
    Invalidate();
}

void TJXAutoButton::SetValue(bool value)
{
    m_value = value;
    Invalidate();
}

void TJXAutoButton::Notification(TComponent *component, TOperation operation)
{
    const bool menuGone = operation == opRemove && component && component == PopupMenu();
    TGraphicControl::Notification(component, operation);
    if (menuGone)
        Invalidate();
}

void TJXAutoButton::Loaded()
{
    TGraphicControl::Loaded();
    Invalidate();
}

void TJXAutoButton::FontChanged()
{
    updateGeometry();
    TGraphicControl::FontChanged();
}

void TJXAutoButton::enterEvent(QEnterEvent *event)
{
    TGraphicControl::enterEvent(event);
    SetValue(true);
    FireEvent(this, OnMouseEnter, &TJXAutoButton::onMouseEnter, this);
}

void TJXAutoButton::leaveEvent(QEvent *event)
{
    TGraphicControl::leaveEvent(event);
    SetValue(false);
    FireEvent(this, OnMouseLeave, &TJXAutoButton::onMouseLeave, this);
}

void TJXAutoButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (isEnabled()) {
        m_pressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TJXAutoButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (isEnabled()) {
        m_pressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TJXAutoButton::Click()
{
    if (TPopupMenu *menu = PopupMenu()) {
        menu->SetAutoPopup(false);
        const QPoint corner = m_popupAlign == alBottom ? QPoint(0, Height()) : QPoint(Width(), 0);
        const QPoint screen = mapToGlobal(corner);
        menu->SetPopupComponent(this);
        const QPointer<TJXAutoButton> alive(this);
        menu->Popup(screen.x(), screen.y());
        if (!alive)
            return;
    }
    TGraphicControl::Click();
}

TRect TJXAutoButton::GlyphSource() const
{
    const int gw = m_glyph->Width();
    const int gh = m_glyph->Height();
    if (m_glyph->Empty() || gw <= 0 || gh <= 0)
        return TRect();
    int images = gw / gh;
    if (images == 0 || images > kMaxImages)
        images = 1;
    if (images == 1)
        return Rect(0, 0, gw, gh);
    const int w = gw / images;
    // The first image under the mouse, the second otherwise; further images are spares.
    return m_value ? Rect(0, 0, w, gh) : Rect(w, 0, 2 * w, gh);
}

void TJXAutoButton::SetCaptionFont(TCanvas *canvas) const
{
    canvas->SetFont(Font());
    TFont *font = canvas->Font();
    if (!isEnabled()) {
        font->SetColor(clGrayText);
    } else if (m_value) {
        font->SetColor(m_fontActiveColor);
        if (m_fontActiveUnderline) {
            TFontStyles style = font->Style();
            style.Include(fsUnderline);
            font->SetStyle(style);
        }
    }
}

void TJXAutoButton::PlaceGlyphAndCaption(QSize glyph, QSize text, TPoint &glyphAt,
                                         TPoint &textAt) const
{
    // Image and caption side by side (or one above the other), Spacing apart, centred as a
    // pair; halves are rounded toward zero.
    const int w = Width(), h = Height();
    const int gw = glyph.width(), gh = glyph.height(), tw = text.width(), th = text.height();
    const int s = m_spacing;
    switch (m_layout) {
    case blGlyphLeft:
        glyphAt = Point((w - tw - gw - s) / 2, (h - gh) / 2);
        textAt = Point(glyphAt.X + gw + s, (h - th) / 2);
        break;
    case blGlyphRight:
        textAt = Point((w - tw - gw - s) / 2, (h - th) / 2);
        glyphAt = Point(textAt.X + tw + s, (h - gh) / 2);
        break;
    case blGlyphTop:
        glyphAt = Point((w - gw) / 2, (h - th - gh - s) / 2);
        textAt = Point((w - tw) / 2, glyphAt.Y + gh + s);
        break;
    case blGlyphBottom:
        textAt = Point((w - tw) / 2, (h - th - gh - s) / 2);
        glyphAt = Point((w - gw) / 2, textAt.Y + th + s);
        break;
    }
}

void TJXAutoButton::PaintPopupMark(TCanvas *canvas, const TRect &r) const
{
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBlack);
    canvas->Pen()->SetColor(clBlack);
    if (m_popupAlign == alBottom) {
        const int x = kMarkInset, y = r.Bottom - kMarkOffset;
        canvas->Polygon({Point(x, y), Point(x + 6, y), Point(x + 3, y + 3)});
    } else {
        const int x = r.Right - kMarkOffset, y = kMarkInset;
        canvas->Polygon({Point(x, y), Point(x + 6, y + 3), Point(x, y + 6)});
    }
}

void TJXAutoButton::Paint()
{
    TCanvas *canvas = Canvas();
    if (!m_transparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
    }

    const TRect src = GlyphSource();
    SetCaptionFont(canvas);
    canvas->Pen()->SetStyle(psSolid);
    TRect r = ClientRect();
    const QString caption = Caption();
    TPoint glyphAt, textAt;
    PlaceGlyphAndCaption(QSize(src.Width(), src.Height()),
                         QSize(canvas->TextWidth(caption), canvas->TextHeight(caption)), glyphAt,
                         textAt);

    switch (BorderFor(m_borderStyle, m_value, m_pressed)) {
    case TBorder::Raised: Frame3D(canvas, r, clWhite, clGray, m_borderWidth); break;
    case TBorder::Sunken: Frame3D(canvas, r, clGray, clWhite, m_borderWidth); break;
    case TBorder::None: break;
    }

    if (!m_stretch)
        r = Bounds(glyphAt.X, glyphAt.Y, src.Width(), src.Height());
    if (!src.IsEmpty() && !r.IsEmpty()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->BrushCopy(r, m_glyph.get(), src, m_glyph->TransparentColor());
    }
    if (!caption.isEmpty()) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(textAt.X, textAt.Y, caption);
    }
    if (PopupMenu())
        PaintPopupMark(canvas, r);

    // In the designer a borderless button still shows where it is.
    if (ComponentState().Contains(csDesigning) &&
        (m_borderStyle == bsNone || m_borderStyle == bsAuto)) {
        canvas->Pen()->SetStyle(psDash);
        canvas->Pen()->SetColor(clBlack);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(0, 0, Width(), Height());
    }
}

QSize TJXAutoButton::sizeHint() const
{
    TCanvas measure;
    measure.SetFont(Font());
    const QString caption = Caption();
    const int tw = caption.isEmpty() ? 0 : measure.TextWidth(caption);
    const int th = caption.isEmpty() ? 0 : measure.TextHeight(caption);
    const TRect src = GlyphSource();
    const int gap = caption.isEmpty() || src.IsEmpty() ? 0 : std::max(0, m_spacing);
    const int frame = 2 * (m_borderWidth + 2);
    if (m_layout == blGlyphLeft || m_layout == blGlyphRight)
        return QSize(src.Width() + gap + tw + frame, std::max(src.Height(), th) + frame);
    return QSize(std::max(src.Width(), tw) + frame, src.Height() + gap + th + frame);
}

QSize TJXAutoButton::minimumSizeHint() const
{
    return sizeHint();
}

TAccessibleInfo TJXAutoButton::AccessibleInfo() const
{
    return {QAccessible::Button, Caption()};
}

} // namespace jxt
