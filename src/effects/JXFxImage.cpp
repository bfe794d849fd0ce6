// SPDX-License-Identifier: MIT
// TJXFxImage: the block list, the fades and wipes, and the caption picture.
#include "effects/JXFxImage.h"

#include "host/controls/Forms.h"
#include "util/JxutilSystem.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>

namespace jxt {

namespace {

constexpr int kDefaultSize = 40;
constexpr int kBytesPerBlock = 8;
constexpr int kPausesPerEffect = 100;

} // namespace

TJXFxImage::TJXFxImage(TComponent *owner)
    : TGraphicControl(owner), m_picture(std::make_unique<TBitmap>())
{
    SetBounds(Left(), Top(), kDefaultSize, kDefaultSize);
    SetFadeStyle(jxfsNONE);
}

TJXFxImage::~TJXFxImage() = default;

void TJXFxImage::SetCaption(const QString &value)
{
    TGraphicControl::SetCaption(value);
    TCanvas *c = m_picture->Canvas();
    c->SetFont(Font());
    const int w = c->TextWidth(value);
    const int h = c->TextHeight(value);
    m_picture->SetSize(w, h);
    c = m_picture->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(Rect(0, 0, w, h));
    c->TextOut(0, 0, value);
    m_show = false;
}

void TJXFxImage::SetFadeStyle(TFadeStyle value)
{
    m_fadeStyle = value;
    if (value == jxfsNONE) {
        m_show = true;
        Invalidate();
    }
}

void TJXFxImage::SetPicture(const TBitmap *value)
{
    m_picture->AssignOrClear(value);
    Invalidate();
}

void TJXFxImage::Stretch()
{
    if (m_picture->Width() < 1)
        return;
    auto stretched = std::make_unique<TBitmap>(std::max(Width(), 1), std::max(Height(), 1));
    stretched->Canvas()->StretchDraw(Rect(0, 0, stretched->Width(), stretched->Height()),
                                     m_picture.get());
    // The picture object stays the same; only its pixels are replaced.
    m_picture->SetImage(stretched->Image());
    Invalidate();
}

QSize TJXFxImage::sizeHint() const
{
    if (m_picture->Width() > 0)
        return {m_picture->Width(), m_picture->Height()};
    return {kDefaultSize, kDefaultSize};
}

QSize TJXFxImage::minimumSizeHint() const
{
    return {1, 1};
}

void TJXFxImage::Paint()
{
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    const bool designing = ComponentState().Contains(csDesigning);
    if (designing) {
        c->Pen()->SetStyle(psDash);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, Width(), Height());
        c->Pen()->SetStyle(psSolid);
        c->Brush()->SetStyle(bsSolid);
    }
    if ((designing || m_show) && m_picture->Width() > 0)
        c->Draw(m_offX, m_offY, m_picture.get());
}

// Prepares an effect over an area of pw x ph pixels: the picture's place, and the origins
// of the square blocks in reading order (shuffled for the random effect). The block side
// grows until the list fits in kMaxBlockBytes. Shows the hour-glass meanwhile.
bool TJXFxImage::InitPoints(int pw, int ph)
{
    pw = std::max(pw, 0);
    ph = std::max(ph, 0);
    if (m_center) {
        m_offX = (Width() - pw) / 2;
        m_offY = (Height() - ph) / 2;
    } else {
        m_offX = 0;
        m_offY = 0;
    }
    const TCursor saved = Screen()->Cursor();
    jxtSetScreenCursor(crHourGlass);

    int b = 1;
    const auto blocksOf = [&](int side) {
        return std::int64_t(pw) * ph / (std::int64_t(side) * side);
    };
    std::int64_t count = blocksOf(b);
    while (count * kBytesPerBlock > kMaxBlockBytes) {
        ++b;
        count = blocksOf(b);
    }
    m_blockSize = b;
    // The list keeps its memory from fade to fade unless it is far larger than needed.
    m_blocks.clear();
    if (m_blocks.capacity() > 2 * std::size_t(count))
        m_blocks.shrink_to_fit();
    const int wb = std::max(pw / b, 1);
    const int hb = std::max(ph / b, 1);
    const int stepX = pw / wb;
    const int stepY = ph / hb;
    m_blocks.reserve(std::size_t(count));
    for (std::int64_t i = 0; i < count; ++i)
        m_blocks.push_back(Point(int(i % wb) * stepX, int(i / wb) * stepY));

    if (m_fadeStyle == jxfsRandom && count > 0) {
        // Every block swaps places with one drawn at random from all of them. The draw is
        // a 64-bit random number scaled to the count (a 64-bit linear congruential step
        // with its high bits mixed, ample for an order of blocks and cheap per block).
        std::uint64_t state =
            std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) | 1;
        const auto draw = [&state] {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            std::uint64_t z = state;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return z ^ (z >> 31);
        };
        const auto n = std::uint64_t(m_blocks.size());
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            const auto j = std::size_t((unsigned __int128)draw() * n >> 64);
            std::swap(m_blocks[i], m_blocks[j]);
        }
    }
    if (m_fadeStyle != jxfsNONE)
        m_show = false;
    jxtSetScreenCursor(saved);
    return true;
}

// Shows what was drawn so far and lets the application handle its events; false when the
// control went away meanwhile.
bool TJXFxImage::ShowStep()
{
    QPointer<TJXFxImage> self(this);
    if (isVisible())
        repaint();
    Application()->ProcessMessages();
    return !self.isNull();
}

// Waits ms milliseconds, handling the application's events; false when the control went
// away meanwhile.
bool TJXFxImage::Delay(int ms)
{
    ++m_pauseCount;
    QPointer<TJXFxImage> self(this);
    QElapsedTimer clock;
    clock.start();
    do {
        if (!ShowStep() || self.isNull())
            return false;
        if (clock.elapsed() >= ms)
            break;
        QThread::usleep(200);
    } while (clock.elapsed() < ms);
    return true;
}

// After block index, pauses when it is a pause-step block. With fewer than 100 blocks the
// step is 0 and every block is followed by a pause.
bool TJXFxImage::PauseAfter(int index)
{
    if (!m_pauses)
        return true;
    if (m_pauseStep > 0 && index % m_pauseStep != 0)
        return true;
    return Delay(1);
}

void TJXFxImage::ScrollLeft()
{
    const int w = Width();
    const int h = Height();
    if (w <= 1 || h <= 0)
        return;
    TCanvas *c = Canvas();
    const QImage copy = Surface().copy();
    TBitmap source;
    source.SetImage(copy);
    c->SetCopyMode(cmSrcCopy);
    c->CopyRect(Rect(0, 0, w - 1, h), source.Canvas(), Rect(1, 0, w, h));
}

void TJXFxImage::FadeIn()
{
    if (m_running)
        return;
    QPointer<TJXFxImage> self(this);
    Application()->ProcessMessages();
    if (self.isNull())
        return;
    m_running = true;
    InitPoints(m_picture->Width(), m_picture->Height());
    m_pauseStep = int(m_blocks.size()) / kPausesPerEffect;
    TCanvas *c = Canvas();
    c->SetCopyMode(cmSrcCopy);
    switch (m_fadeStyle) {
    case jxfsNONE: c->Draw(m_offX, m_offY, m_picture.get()); break;
    case jxfsFadeLeft:
    case jxfsWipeLeft:
        for (int i = 0; i <= Width() - m_offX; ++i) {
            if (m_fadeStyle == jxfsWipeLeft)
                ScrollLeft();
            c->Draw(Width() - i, m_offY, m_picture.get());
            if (m_pauses && !ShowStep())
                return;
        }
        break;
    case jxfsRandom: {
        const int b = m_blockSize;
        TCanvas *source = m_picture->Canvas();
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            const TPoint p = m_blocks[i];
            c->CopyRect(Bounds(p.X + m_offX, p.Y + m_offY, b, b), source, Bounds(p.X, p.Y, b, b));
            if (!PauseAfter(int(i)))
                return;
        }
        break;
    }
    }
    m_show = true;
    m_running = false;
}

void TJXFxImage::FadeOut()
{
    if (m_running)
        return;
    QPointer<TJXFxImage> self(this);
    Application()->ProcessMessages();
    if (self.isNull())
        return;
    m_running = true;
    InitPoints(Width(), Height());
    TCanvas *c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    switch (m_fadeStyle) {
    case jxfsNONE: {
        // The picture's own place, so a centred picture is removed where it is.
        const int x = m_center ? (Width() - m_picture->Width()) / 2 : 0;
        const int y = m_center ? (Height() - m_picture->Height()) / 2 : 0;
        c->FillRect(Bounds(x, y, m_picture->Width(), m_picture->Height()));
        break;
    }
    case jxfsFadeLeft:
    case jxfsWipeLeft:
        for (int i = 0; i < Width(); ++i) {
            ScrollLeft();
            if (m_pauses && !ShowStep())
                return;
        }
        break;
    case jxfsRandom: {
        const int b = m_blockSize;
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            const TPoint p = m_blocks[i];
            c->FillRect(Bounds(p.X + m_offX, p.Y + m_offY, b, b));
            if (!PauseAfter(int(i)))
                return;
        }
        break;
    }
    }
    m_show = false;
    m_running = false;
}

TAccessibleInfo TJXFxImage::AccessibleInfo() const
{
    return {QAccessible::Graphic, Caption()};
}

} // namespace jxt
