// SPDX-License-Identifier: MIT
// Balloon hints.
#include "services/JXHint.h"

#include "services/JXHintWindow.h"

#include "host/controls/Forms.h"
#include "util/Jxutil.h"

#include <QCursor>

#include <algorithm>

namespace jxt {

TColor JXH_Color = clYellow;
int JXH_DefaultWidth = 150;
TFont *JXH_Font = nullptr;
THintPosition JXH_HintPosition = hpAboveRight;
int JXH_ShadowDepth = 10;
TBitmap *JXH_BakBitmap = nullptr;
TPoint JXH_Crs;

// TJXHint

TJXHint::TJXHint(TComponent *owner)
    : TComponent(owner), m_font(std::make_unique<TFont>()), m_bakBitmap(std::make_unique<TBitmap>())
{
    JXH_BakBitmap = m_bakBitmap.get();
    JXH_Font = m_font.get();
    SetColor(clYellow);
    SetDefaultWidth(150);
    SetHintPause(800);
    SetHintHidePause(2500);
    SetHintPosition(hpAboveRight);
    SetShadowDepth(10);
    SetActive(true);
}

TJXHint::~TJXHint()
{
    // Another TJXHint may have taken over the unit variables; only ours are cleared.
    if (JXH_BakBitmap == m_bakBitmap.get())
        JXH_BakBitmap = nullptr;
    if (JXH_Font == m_font.get())
        JXH_Font = nullptr;
}

void TJXHint::SetActive(bool value)
{
    m_active = value;
    if (ComponentState().Contains(csDesigning))
        return;
    Application()->SetShowHint(false);
    if (value) {
        SetHintWindowClass(HintWindowClassOf<TJXHintWindow>());
        Application()->SetShowHint(true);
    } else {
        SetHintWindowClass(HintWindowClassOf<THintWindow>());
    }
}

void TJXHint::SetColor(TColor value)
{
    m_color = value;
    JXH_Color = value;
}

void TJXHint::SetDefaultWidth(int value)
{
    m_defaultWidth = value;
    JXH_DefaultWidth = value;
}

void TJXHint::SetFont(const TFont *font)
{
    if (font)
        m_font->Assign(font);
    JXH_Font = m_font.get();
}

void TJXHint::SetHintPause(int value)
{
    m_hintPause = value;
    Application()->SetHintPause(value);
}

void TJXHint::SetHintHidePause(int value)
{
    m_hintHidePause = value;
    Application()->SetHintHidePause(value);
}

void TJXHint::SetHintPosition(THintPosition value)
{
    m_hintPosition = value;
    JXH_HintPosition = value;
}

void TJXHint::SetShadowDepth(int value)
{
    m_shadowDepth = value;
    JXH_ShadowDepth = value;
}

void CopyTransparent(TCanvas *dest, const TBitmap *source, int width, int height)
{
    if (!dest || !source || source->Empty())
        return;
    width = std::min(width, source->Width());
    height = std::min(height, source->Height());
    if (width <= 0 || height <= 0)
        return;
    const QRgb white = qRgb(255, 255, 255);
    TBitmap mask(width, height);
    TBitmap ink(width, height);
    const QImage src = source->Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        auto *m = reinterpret_cast<QRgb *>(mask.Image().scanLine(y));
        auto *o = reinterpret_cast<QRgb *>(ink.Image().scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool transparent = (in[x] & 0xFFFFFF) == (white & 0xFFFFFF);
            m[x] = transparent ? white : qRgb(0, 0, 0);
            o[x] = transparent ? qRgb(0, 0, 0) : in[x];
        }
    }
    const TCopyMode previous = dest->CopyMode();
    const TRect area = Rect(0, 0, width, height);
    dest->SetCopyMode(cmSrcAnd);
    dest->CopyRect(area, mask.Canvas(), area);
    dest->SetCopyMode(cmSrcPaint);
    dest->CopyRect(area, ink.Canvas(), area);
    dest->SetCopyMode(previous);
}

void ReplaceString(QString &s, const QString &find, const QString &replace)
{
    jxtReplaceString(s, find, replace);
}

} // namespace jxt
