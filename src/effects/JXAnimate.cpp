// SPDX-License-Identifier: MIT
// TJXAnimate: the frame grid, the play timer and drawing one frame.
#include "effects/JXAnimate.h"

#include "host/core/Events.h"

#include "util/Jxutil.h"

#include <algorithm>

namespace jxt {

namespace {

constexpr int kMinInterval = 20;
constexpr int kMaxGrid = 1000;
const QString kVersionText = QStringLiteral("JXAnimate V 2.0\rBildfolgen aus einem Bitmap-Raster");

} // namespace

TJXAnimate::TJXAnimate(TComponent *owner)
    : TGraphicControl(owner), m_picture(std::make_unique<TBitmap>()),
      m_timer(std::make_unique<TTimer>())
{
    SetBounds(Left(), Top(), 75, 50);
    m_timer->SetEnabled(false);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    SetInterval(0);
}

TJXAnimate::~TJXAnimate()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXAnimate::SetAktPic(int value)
{
    if (value < 0 || value >= FrameCount())
        value = 0;
    m_aktPic = value;
    Invalidate();
}

void TJXAnimate::SetCols(int value)
{
    jxtMinMaxInteger(value, 1, kMaxGrid);
    m_cols = value;
    FitToFrame();
    Invalidate();
}

void TJXAnimate::SetRows(int value)
{
    jxtMinMaxInteger(value, 1, kMaxGrid);
    m_rows = value;
    FitToFrame();
    Invalidate();
}

void TJXAnimate::SetInterval(int value)
{
    if (value > 0 && value < kMinInterval)
        value = kMinInterval;
    m_interval = value;
    m_timer->SetInterval(std::max(value, 0));
    m_timer->SetEnabled(value > 0);
}

void TJXAnimate::SetPicture(const TBitmap *value)
{
    m_picture->AssignOrClear(value);
    m_aktPic = 0;
    FitToFrame();
    Invalidate();
}

void TJXAnimate::SetStretch(bool value)
{
    m_stretch = value;
    SetAlign(alNone);
    FitToFrame();
    Invalidate();
}

QSize TJXAnimate::FrameSize() const
{
    return {m_picture->Width() / m_cols, m_picture->Height() / m_rows};
}

// Without Stretch the control is as large as one frame. This is done when the picture or
// the grid changes, never while painting.
void TJXAnimate::FitToFrame()
{
    if (m_stretch || m_picture->Width() == 0)
        return;
    const QSize frame = FrameSize();
    SetBounds(Left(), Top(), frame.width(), frame.height());
}

QSize TJXAnimate::ContentSize(const QSize &current) const
{
    // Without Stretch the control is one frame large, also after its size was set by hand.
    if (m_stretch || m_picture->Width() == 0)
        return current;
    const QSize frame = FrameSize();
    return frame.width() > 0 && frame.height() > 0 ? frame : current;
}

QSize TJXAnimate::sizeHint() const
{
    if (m_picture->Width() == 0)
        return {75, 50};
    const QSize frame = FrameSize();
    return {std::max(frame.width(), 1), std::max(frame.height(), 1)};
}

QSize TJXAnimate::minimumSizeHint() const
{
    return m_stretch ? QSize(1, 1) : sizeHint();
}

void TJXAnimate::Paint()
{
    PaintBMP();
}

bool TJXAnimate::PaintBMP()
{
    if (!Visible() && !ComponentState().Contains(csDesigning))
        return true;
    TCanvas *canvas = Canvas();
    const int w = Width();
    const int h = Height();
    if (m_picture->Width() == 0) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
        canvas->Font()->SetName(QStringLiteral("Times New Roman"));
        canvas->Font()->SetSize(8);
        canvas->Font()->SetColor(ReadableTextColor(Font()->Color(), Color()));
        TRect r = ClientRect();
        canvas->DrawText(kVersionText, r, DT_WORDBREAK | DT_CENTER);
        return true;
    }
    if (!FireEvent(this, OnRequestPic, &TJXAnimate::onRequestPic, this, m_aktPic))
        return false;
    // A frame number the grid does not have (after the grid shrank, or from the handler)
    // is wrapped into it.
    const int frames = FrameCount();
    m_aktPic = ((m_aktPic % frames) + frames) % frames;

    const QSize frame = FrameSize();
    const int fw = frame.width();
    const int fh = frame.height();
    const TRect source = Bounds((m_aktPic % m_cols) * fw, (m_aktPic / m_cols) * fh, fw, fh);
    const TRect target = m_stretch ? Rect(0, 0, w, h) : Rect(0, 0, fw, fh);
    canvas->SetCopyMode(cmSrcCopy);
    if (m_transparent) {
        TBitmap temp(std::max(w, 1), std::max(h, 1));
        temp.Canvas()->Brush()->SetStyle(bsSolid);
        temp.Canvas()->Brush()->SetColor(Color());
        temp.Canvas()->BrushCopy(target, m_picture.get(), source, m_picture->TransparentColor());
        canvas->CopyRect(target, temp.Canvas(), Rect(0, 0, w, h));
    } else {
        canvas->CopyRect(target, m_picture->Canvas(), source);
    }
    if (!FireEvent(this, OnChangePic, &TJXAnimate::onChangePic, this))
        return false;
    AccessibleValueChanged();
    return true;
}

void TJXAnimate::JXOnTime()
{
    m_aktPic += m_reversePlay ? -1 : 1;
    if (m_aktPic >= FrameCount())
        m_aktPic = 0;
    if (m_aktPic < 0)
        m_aktPic = FrameCount() - 1;
    m_timer->SetEnabled(false);
    if (Showing()) {
        if (!PaintBMP())
            return; // a handler freed the animation
    } else {
        Invalidate();
    }
    m_timer->SetEnabled(m_interval > 0);
}

TAccessibleInfo TJXAnimate::AccessibleInfo() const
{
    // Named by the frame shown, with the frame number as its value.
    const int frames = FrameCount();
    return {QAccessible::Animation,
            QStringLiteral("Bild %1 von %2").arg(m_aktPic + 1).arg(frames),
            {double(m_aktPic), 0.0, double(frames - 1)}};
}

} // namespace jxt
