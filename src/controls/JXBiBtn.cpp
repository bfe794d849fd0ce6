// SPDX-License-Identifier: MIT
// TJXBiBtn: the state and blink rules, the mouse handling and the composed face.
#include "controls/JXBiBtn.h"

#include <QMouseEvent>
#include <QPointer>

#include <algorithm>

namespace jxt {

namespace {

constexpr int kLedLeft = 5;
constexpr int kLedRight = 15;
constexpr int kLedMargin = 5; // LED distance from the top and bottom edges
constexpr int kFaceWithLed = 20;
constexpr int kFaceWithoutLed = 5;
constexpr int kGap = 5; // space after the picture and before the right edge

// A 32 x 16 picture holds an enabled and a disabled 16 x 16 image side by side.
constexpr int kPairWidth = 32;
constexpr int kPairHeight = 16;

TColor HalfColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return RGB(GetRValue(rgb) / 2, GetGValue(rgb) / 2, GetBValue(rgb) / 2);
}

bool MouseButtonOf(Qt::MouseButton b, TMouseButton &out)
{
    switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

} // namespace

TJXBiBtn::TJXBiBtn(TComponent *owner)
    : TCustomControl(owner), m_pictureOn(std::make_unique<TBitmap>()),
      m_pictureOff(std::make_unique<TBitmap>()), m_timer(std::make_unique<TTimer>())
{
    m_timer->SetEnabled(false);
    m_timer->SetInterval(m_ledInterval);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    SetBounds(Left(), Top(), 100, 50);
    SetPicValue(false);
}

TJXBiBtn::~TJXBiBtn()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXBiBtn::SetBorder(bool value)
{
    m_border = value;
    Invalidate();
}

void TJXBiBtn::SetCaption(const QString &value)
{
    TCustomControl::SetCaption(value);
    updateGeometry();
}

void TJXBiBtn::SetCaptionOff(const QString &value)
{
    m_captionOff = value;
    updateGeometry();
    Invalidate();
}

void TJXBiBtn::SetCaptionOn(const QString &value)
{
    m_captionOn = value;
    updateGeometry();
    Invalidate();
}

void TJXBiBtn::SetLED(bool value)
{
    m_led = value;
    updateGeometry();
    Invalidate();
}

void TJXBiBtn::SetLEDColor(TColor value)
{
    m_ledColor = value;
    Invalidate();
}

void TJXBiBtn::SetLEDInterval(int value)
{
    m_ledInterval = value;
    m_timer->SetInterval(value);
}

void TJXBiBtn::SetGlyphOn(const TBitmap *value)
{
    m_pictureOn->AssignOrClear(value);
    updateGeometry();
    Invalidate();
}

void TJXBiBtn::SetGlyphOff(const TBitmap *value)
{
    m_pictureOff->AssignOrClear(value);
    updateGeometry();
    Invalidate();
}

void TJXBiBtn::SetPicValue(bool value)
{
    m_value = value;
    m_blinkPhase = value;
    // Only assigning the value starts or stops the blinking; LED alone leaves the timer.
    if (m_led)
        m_timer->SetEnabled(value);
    Invalidate();
    AccessibleNameChanged();
}

void TJXBiBtn::JXOnTime()
{
    m_blinkPhase = !m_blinkPhase;
    if (!m_led)
        return;
    if (Showing())
        PaintLED();
    else
        Invalidate();
}

void TJXBiBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!isEnabled())
        return;
    m_pressed = true;
    SetPicValue(!m_value);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TJXBiBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!isEnabled())
        return;
    m_pressed = false;
    Invalidate();
    // Handlers may free the button; nothing of it is touched once it is gone.
    const QPointer<TJXBiBtn> alive(this);
    TCustomControl::MouseUp(button, shift, x, y);
    if (!alive)
        return;
    Click(); // OnClick and the onClick signal, on every release wherever the mouse is
}

void TJXBiBtn::mouseReleaseEvent(QMouseEvent *event)
{
    // The button fires its click on every release, inside or not, so the base class's
    // click-inside rule does not apply.
    TMouseButton button;
    if (!isEnabled() || !MouseButtonOf(event->button(), button))
        return;
    TShiftState shift;
    if (event->modifiers() & Qt::ShiftModifier)
        shift.Include(ssShift);
    if (event->modifiers() & Qt::AltModifier)
        shift.Include(ssAlt);
    if (event->modifiers() & Qt::ControlModifier)
        shift.Include(ssCtrl);
    const QPoint p = event->position().toPoint();
    MouseUp(button, shift, p.x(), p.y());
}

void TJXBiBtn::FontChanged()
{
    updateGeometry();
    TCustomControl::FontChanged();
}

QString TJXBiBtn::FaceText() const
{
    if (!Caption().isEmpty())
        return Caption();
    return m_value ? m_captionOn : m_captionOff;
}

TRect TJXBiBtn::PictureSource(const TBitmap &picture) const
{
    if (picture.Width() == kPairWidth && picture.Height() == kPairHeight)
        return isEnabled() ? Rect(0, 0, kPairWidth / 2, kPairHeight)
                           : Rect(kPairWidth / 2, 0, kPairWidth, kPairHeight);
    return Rect(0, 0, picture.Width(), picture.Height());
}

void TJXBiBtn::Paint()
{
    const int w = Width();
    const int h = Height();
    TBitmap face(w, h);
    TCanvas *fc = face.Canvas();
    fc->SetFont(Font());
    if (!isEnabled())
        fc->Font()->SetColor(clInactiveCaption);
    fc->Brush()->SetStyle(bsSolid);
    fc->Brush()->SetColor(Color());
    fc->FillRect(Rect(0, 0, w, h));

    int x = m_led ? kFaceWithLed : kFaceWithoutLed;
    const TBitmap &picture = m_value ? *m_pictureOn : *m_pictureOff;
    const QString text = FaceText();

    if (picture.Width() >= 1 && picture.Height() >= 1) {
        const TRect src = PictureSource(picture);
        const int y = (h - picture.Height()) / 2;
        // Without text the picture is centred in the room right of the LED. The width of the
        // image actually drawn is centred, so the half of a 32 x 16 pair sits in the middle.
        if (text.isEmpty())
            x = m_led ? (w - 15 - src.Width()) / 2 + 15 : (w - src.Width()) / 2;
        const TRect dest = Bounds(x, y, src.Width(), src.Height());
        fc->BrushCopy(dest, &picture, src, picture.TransparentColor());
        x = dest.Right + kGap;
    }

    if (!text.isEmpty()) {
        TRect r = Rect(x, 0, w - kGap, h);
        fc->Brush()->SetStyle(bsClear);
        fc->DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    TCanvas *canvas = Canvas();
    canvas->SetCopyMode(cmSrcCopy);
    canvas->Draw(0, 0, &face);

    if (m_border) {
        TRect r = ClientRect();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clBlack);
        canvas->FrameRect(r);
        r.Inflate(-1, -1);
        if (m_pressed)
            Frame3D(canvas, r, clGray, clWhite, 1);
        else
            Frame3D(canvas, r, clWhite, clGray, 1);
    }
    if (m_led)
        PaintLED();
}

void TJXBiBtn::PaintLED()
{
    TCanvas *canvas = Canvas();
    TRect r = Rect(kLedLeft, kLedMargin, kLedRight, Height() - kLedMargin);
    if (r.Bottom <= r.Top)
        return;
    canvas->FillSolid(r, m_value && m_blinkPhase ? ColorToRGB(m_ledColor) : HalfColor(m_ledColor));
    Frame3D(canvas, r, clGray, clWhite, 1);
}

QSize TJXBiBtn::sizeHint() const
{
    // Room for the LED, the wider picture and the wider caption of the two states, so the
    // button keeps its size when it is toggled.
    TCanvas measure;
    measure.SetFont(Font());
    const QString captions[] = {Caption().isEmpty() ? m_captionOn : Caption(),
                                Caption().isEmpty() ? m_captionOff : Caption()};
    int textWidth = 0, textHeight = 0;
    for (const QString &text : captions) {
        if (text.isEmpty())
            continue;
        const TPoint extent = measure.TextExtent(text);
        textWidth = std::max(textWidth, extent.X);
        textHeight = std::max(textHeight, extent.Y);
    }
    int pictureWidth = 0, pictureHeight = 0;
    for (const TBitmap *picture : {m_pictureOn.get(), m_pictureOff.get()}) {
        if (picture->Width() < 1 || picture->Height() < 1)
            continue;
        pictureWidth = std::max(pictureWidth, PictureSource(*picture).Width());
        pictureHeight = std::max(pictureHeight, picture->Height());
    }
    int width = m_led ? kFaceWithLed : kFaceWithoutLed;
    if (pictureWidth > 0)
        width += pictureWidth + kGap;
    if (textWidth > 0)
        width += textWidth + 2 * kGap;
    const int height = std::max({pictureHeight, textHeight, m_led ? 8 : 0}) + 2 * kLedMargin + 2;
    return QSize(std::max(width, 2 * kGap + 2), height);
}

QSize TJXBiBtn::minimumSizeHint() const
{
    return sizeHint();
}

TAccessibleInfo TJXBiBtn::AccessibleInfo() const
{
    return {QAccessible::Button, FaceText()};
}

} // namespace jxt
