// SPDX-License-Identifier: MIT
// The balloon hint window.
#include "services/JXHintWindow.h"

#include "host/controls/Forms.h"
#include "util/Jxutil.h"

#include <QCursor>

#include <algorithm>

namespace jxt {

namespace {

/// The largest shadow a balloon draws; a larger or negative value would make the window
/// bigger than its content or give it no size at all.
constexpr int kMaxShadowDepth = 100;

/// Draws the balloon, tail at the lower left, with the canvas's pen and brush into a w x h
/// picture.
void DrawBalloon(TCanvas *canvas, int w, int h)
{
    canvas->RoundRect(0, 0, w, h - 20, 30, 30);
    canvas->Ellipse(0, h, 5, h - 5);
    canvas->Ellipse(7, h - 5, 14, h - 12);
    canvas->Ellipse(12, h - 12, 20, h - 20);
}

/// Turns the balloon so that its tail points at the cursor from the corner position.
void Mirror(TBitmap *bitmap, THintPosition position)
{
    const bool horizontal = position == hpAboveLeft || position == hpBelowLeft;
    const bool vertical = position == hpBelowLeft || position == hpBelowRight;
    if (horizontal || vertical)
        bitmap->SetImage(bitmap->Image().mirrored(horizontal, vertical));
}

void Clear(TBitmap *bitmap)
{
    TCanvas *canvas = bitmap->Canvas();
    canvas->FillSolid(Rect(0, 0, bitmap->Width(), bitmap->Height()), clWhite);
}

} // namespace

TJXHintWindow::TJXHintWindow(TComponent *owner) : THintWindow(owner) {}

TJXHintWindow::~TJXHintWindow() = default;

TBitmap *TJXHintWindow::Picture() const
{
    if (JXH_BakBitmap)
        return JXH_BakBitmap;
    if (!m_ownPicture)
        const_cast<TJXHintWindow *>(this)->m_ownPicture = std::make_unique<TBitmap>();
    return m_ownPicture.get();
}

TJXHintWindow::TPlacement TJXHintWindow::Place(TPoint cursor, int w, int h, THintPosition preferred,
                                               int screenWidth, int screenHeight)
{
    const int x = cursor.X;
    const int y = cursor.Y;
    const bool left = preferred == hpAboveLeft || preferred == hpBelowLeft;
    const bool above = preferred == hpAboveLeft || preferred == hpAboveRight;
    // Flip sideways when the preferred side overflows, and up or down likewise; each flip
    // is decided on its own, so both may happen.
    const bool flipSide = left ? x - w - 10 < 0 : screenWidth < x + w + 10;
    const bool flipHeight = above ? y - h - 10 < 0 : screenHeight < y + h + 10;
    const bool toLeft = left != flipSide;
    const bool toAbove = above != flipHeight;

    TPlacement placement;
    placement.Position =
        toAbove ? (toLeft ? hpAboveLeft : hpAboveRight) : (toLeft ? hpBelowLeft : hpBelowRight);
    placement.Origin.X = toLeft ? x - w - 10 : x + 10;
    placement.Origin.Y = toAbove ? y - h - 10 : y + 10;
    // Below the cursor the tail is at the top, so the text moves down past it.
    placement.TextOffset = Point(10, toAbove ? 10 : 30);
    return placement;
}

void TJXHintWindow::ActivateHint(const TRect &, const QString &hint)
{
    QString text = hint;
    jxtReplaceString(text, QStringLiteral("^M"), QStringLiteral("\n\r"));

    TFont fallbackFont;
    const TFont *font = JXH_Font ? JXH_Font : &fallbackFont;
    TBitmap scratch(1, 1);
    scratch.Canvas()->SetFont(font);
    TRect textRect = Rect(0, 0, std::max(1, JXH_DefaultWidth), 100);
    scratch.Canvas()->DrawText(text, textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int tw = textRect.Width();
    const int th = textRect.Height();

    const int shadow = std::clamp(JXH_ShadowDepth, 0, kMaxShadowDepth);
    const int w = tw + shadow + 20;
    const int h = th + shadow + 40;

    const QPoint cursor = QCursor::pos();
    JXH_Crs = Point(cursor.x(), cursor.y());
    const TPlacement placement =
        Place(JXH_Crs, w, h, JXH_HintPosition, Screen()->Width(), Screen()->Height());
    m_lastPosition = placement.Position;

    TBitmap *picture = Picture();
    picture->SetImage(GrabScreenArea(Bounds(placement.Origin.X, placement.Origin.Y, w, h))
                          .convertToFormat(QImage::Format_RGB32));
    SetColor(clBtnFace);

    // The balloon's silhouette in grey, ANDed onto the screen picture, is the shadow.
    const int bw = w - shadow;
    const int bh = h - shadow;
    TBitmap shape(bw, bh);
    Clear(&shape);
    TCanvas *sc = shape.Canvas();
    sc->Pen()->SetColor(clGray);
    sc->Brush()->SetColor(clGray);
    sc->Brush()->SetStyle(bsSolid);
    DrawBalloon(sc, bw, bh);
    Mirror(&shape, placement.Position);
    TCanvas *pc = picture->Canvas();
    pc->SetCopyMode(cmSrcAnd);
    pc->CopyRect(Bounds(shadow, shadow, bw, bh), shape.Canvas(), Rect(0, 0, bw, bh));
    pc->SetCopyMode(cmSrcCopy);

    // The balloon itself: outlined in black, filled with the balloon colour, white around it.
    Clear(&shape);
    sc = shape.Canvas();
    sc->Pen()->SetColor(clBlack);
    sc->Brush()->SetColor(clBlack);
    DrawBalloon(sc, bw, bh);
    sc->Brush()->SetColor(JXH_Color);
    DrawBalloon(sc, bw, bh);
    Mirror(&shape, placement.Position);
    CopyTransparent(pc, &shape, bw, bh);

    textRect.Offset(placement.TextOffset.X, placement.TextOffset.Y);
    pc->SetFont(font);
    pc->Brush()->SetStyle(bsClear);
    pc->DrawText(text, textRect, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    pc->Brush()->SetStyle(bsSolid);

    THintWindow::ActivateHint(Bounds(placement.Origin.X, placement.Origin.Y, w, h), hint);
}

bool TJXHintWindow::IsHintMsg(const TMsg &msg)
{
    const unsigned m = msg.Message;
    const QPoint pos = QCursor::pos();
    const TPoint cursor = Point(pos.x(), pos.y());
    bool closes = (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE ||
                  m == CM_APPKEYDOWN || m == CM_APPSYSCOMMAND || m == WM_COMMAND ||
                  (m >= WM_LBUTTONDOWN && m <= WM_MOUSEWHEEL) || m == WM_NCMOUSEMOVE;
    if (m == WM_MOUSEMOVE)
        closes = cursor != JXH_Crs;
    JXH_Crs = cursor;
    return closes;
}

void TJXHintWindow::Paint()
{
    Canvas()->Draw(0, 0, Picture());
}

} // namespace jxt
