// SPDX-License-Identifier: MIT
#include "controls/JXPicClip.h"

#include "host/core/Events.h"

#include <QPointer>

#include <algorithm>

namespace jxt {

TJXPicClip::TJXPicClip(TComponent *owner)
    : TGraphicControl(owner), m_timer(std::make_unique<TTimer>())
{
    SetBounds(Left(), Top(), 75, 50);
    m_timer->SetEnabled(false);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
}

TJXPicClip::~TJXPicClip()
{
    m_timer->SetEnabled(false);
    if (m_image)
        m_image->RemoveFreeNotification(this);
}

void TJXPicClip::SetAktPic(int value)
{
    if (value < 0)
        value = 0;
    if (m_rows > 0 && (long long)value >= (long long)m_cols * m_rows)
        value = 0;
    m_aktPic = value;
    Invalidate();
}

void TJXPicClip::SetCols(int value)
{
    m_cols = std::clamp(value, 1, 1000);
    AdjustToCell();
    Invalidate();
}

void TJXPicClip::SetRows(int value)
{
    m_rows = std::clamp(value, 1, 500);
    AdjustToCell();
    Invalidate();
}

void TJXPicClip::SetInterval(int value)
{
    if (value <= 0) {
        m_timer->SetEnabled(false);
        return;
    }
    m_interval = std::max(value, 20);
    m_timer->SetInterval(m_interval);
    m_timer->SetEnabled(true);
}

void TJXPicClip::SetImage(TImage *image)
{
    if (image == m_image)
        return;
    if (m_image)
        m_image->RemoveFreeNotification(this);
    m_image = image;
    if (m_image)
        m_image->FreeNotification(this);
    AdjustToCell();
    Invalidate();
}

void TJXPicClip::SetStretch(bool value)
{
    m_stretch = value;
    SetAlign(alNone);
    AdjustToCell();
    Invalidate();
}

void TJXPicClip::Notification(TComponent *component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == m_image) {
        m_image = nullptr;
        Invalidate();
    }
}

TBitmap *TJXPicClip::SourceBitmap() const
{
    if (!m_image || !m_image->Picture() || m_image->Picture()->Width() == 0)
        return nullptr;
    return m_image->Picture()->Bitmap();
}

void TJXPicClip::AdjustToCell()
{
    if (m_stretch || m_cols < 1 || m_rows < 1)
        return;
    const TBitmap *source = SourceBitmap();
    if (!source)
        return;
    SetBounds(Left(), Top(), source->Width() / m_cols, source->Height() / m_rows);
}

QSize TJXPicClip::ContentSize(const QSize &current) const
{
    // The image's picture may have been replaced since the grid was set; the paint that
    // shows it sizes the clip to a cell of it.
    if (m_stretch || m_cols < 1 || m_rows < 1)
        return current;
    const TBitmap *source = SourceBitmap();
    if (!source)
        return current;
    const QSize cell(source->Width() / m_cols, source->Height() / m_rows);
    return cell.width() > 0 && cell.height() > 0 ? cell : current;
}

QSize TJXPicClip::sizeHint() const
{
    if (!m_stretch && m_cols >= 1 && m_rows >= 1)
        if (const TBitmap *source = SourceBitmap())
            return QSize(source->Width() / m_cols, source->Height() / m_rows);
    return QSize(75, 50);
}

QSize TJXPicClip::minimumSizeHint() const
{
    // A cell at its natural size needs all of it; a stretched one shows at any size.
    if (!m_stretch && m_cols >= 1 && m_rows >= 1 && SourceBitmap())
        return sizeHint().expandedTo(QSize(1, 1));
    return QSize(1, 1);
}

void TJXPicClip::Paint()
{
    PaintBMP();
}

void TJXPicClip::PaintBMP()
{
    TCanvas *canvas = Canvas();
    const bool designing = ComponentState().Contains(csDesigning);
    if (designing) {
        canvas->Pen()->SetStyle(psDash);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(0, 0, Width(), Height());
        canvas->Pen()->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsSolid);
    }
    if (ComponentState().Contains(csLoading) || (!Visible() && !designing) || !m_image)
        return;
    TBitmap *source = SourceBitmap();
    if (!source) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
        TFont font;
        font.SetName(QStringLiteral("Times New Roman"));
        font.SetSize(8);
        canvas->SetFont(&font);
        TRect r = ClientRect();
        canvas->DrawText(QStringLiteral("PicClip V 1.0\rjxtpack picture clip"), r,
                         DT_CENTER | DT_WORDBREAK);
        update();
        return;
    }
    // A grid whose size was never assigned has no cells.
    if (m_cols < 1 || m_rows < 1)
        return;
    const long long n = (long long)m_aktPic + m_picOffset;
    const long long column = n % m_cols, row = n / m_cols;
    const int cellWidth = source->Width() / m_cols, cellHeight = source->Height() / m_rows;
    const long long sx = column * cellWidth, sy = row * cellHeight;
    if (sx < INT_MIN || sx > INT_MAX || sy < INT_MIN || sy > INT_MAX)
        return;
    const TRect src = Rect(int(sx), int(sy), int(sx) + cellWidth, int(sy) + cellHeight);
    const TRect dest =
        m_stretch ? Rect(0, 0, Width(), Height()) : Rect(0, 0, cellWidth, cellHeight);
    canvas->SetCopyMode(cmSrcCopy);
    canvas->CopyRect(dest, source->Canvas(), src);
    update();
    FireEvent(this, OnChangePic, &TJXPicClip::onChangePic, this);
}

void TJXPicClip::JXOnTime()
{
    m_timer->SetEnabled(false);
    const int before = m_aktPic;
    if (!FireEvent(this, OnRequestPic, &TJXPicClip::onRequestPic, this, m_aktPic, m_controlIndex))
        return;
    const long long cells = (long long)m_cols * m_rows;
    if (m_aktPic >= cells)
        m_aktPic = 0;
    if (m_aktPic < 0)
        m_aktPic = int(std::max(0LL, cells - 1));
    if (m_aktPic != before) {
        if (Showing()) {
            const QPointer<QObject> alive(this);
            PaintBMP();
            if (alive.isNull())
                return; // OnChangePic freed the clip
        } else {
            Invalidate();
        }
    }
    m_timer->SetEnabled(true);
}

} // namespace jxt
