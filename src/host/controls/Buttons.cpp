// SPDX-License-Identifier: MIT
// TBitBtn.
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"

#include <QKeyEvent>

#include <vector>

namespace jxt {

namespace {

struct TKindInfo
{
    TBitBtnKind kind;
    const char *caption;
    TModalResult modalResult;
    bool isDefault;
    bool isCancel;
};

const TKindInfo kKinds[] = {
    {bkCustom, "", mrNone, false, false},        {bkOK, "OK", mrOk, true, false},
    {bkCancel, "Cancel", mrCancel, false, true}, {bkHelp, "Help", mrNone, false, false},
    {bkYes, "Yes", mrYes, true, false},          {bkNo, "No", mrNo, false, true},
    {bkClose, "Close", mrNone, false, false},    {bkAbort, "Abort", mrAbort, false, true},
    {bkRetry, "Retry", mrRetry, false, false},   {bkIgnore, "Ignore", mrIgnore, false, false},
    {bkAll, "All", mrAll, true, false},
};

constexpr int kGlyphSize = 16;
constexpr int kGlyphSpacing = 4;
constexpr TColor kGlyphGreen = 0x008000;
constexpr TColor kGlyphRed = 0x0000C0;

/// The strokes of the kinds' own glyphs in a 16 x 16 box; each stroke is drawn two pixels
/// thick.
struct TGlyphStroke
{
    TColor color;
    std::vector<TPoint> points;
};

std::vector<TGlyphStroke> KindGlyph(TBitBtnKind kind)
{
    const TGlyphStroke check{kGlyphGreen, {{2, 8}, {6, 12}, {14, 3}}};
    switch (kind) {
    case bkOK:
    case bkYes: return {check};
    case bkAll:
        return {{kGlyphGreen, {{0, 8}, {3, 11}, {9, 3}}},
                {kGlyphGreen, {{6, 9}, {9, 12}, {15, 4}}}};
    case bkCancel:
    case bkNo:
    case bkAbort: return {{kGlyphRed, {{3, 3}, {13, 13}}}, {kGlyphRed, {{13, 3}, {3, 13}}}};
    default: return {};
    }
}

} // namespace

TBitBtn::TBitBtn(TComponent *owner) : TCustomControl(owner), m_glyph(std::make_unique<TBitmap>())
{
    setFocusPolicy(Qt::StrongFocus);
    SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    if (kind != bkCustom) {
        const TKindInfo &info = kKinds[kind];
        SetCaption(QString::fromLatin1(info.caption));
        m_modalResult = info.modalResult;
        m_default = info.isDefault;
        m_cancel = info.isCancel;
    }
    Invalidate();
}

void TBitBtn::SetDefault(bool value)
{
    if (value == m_default)
        return;
    m_default = value;
    Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap *glyph)
{
    m_glyph->AssignOrClear(glyph);
    Invalidate();
}

void TBitBtn::Click()
{
    if (TForm *form = GetParentForm(this)) {
        if (m_kind == bkClose)
            form->Close();
        else
            form->SetModalResult(m_modalResult);
    }
    TCustomControl::Click();
}

void TBitBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        setFocus();
        m_tracking = true;
        m_down = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TBitBtn::MouseMove(TShiftState shift, int x, int y)
{
    if (m_tracking) {
        const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (inside != m_down) {
            m_down = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TBitBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && m_tracking) {
        m_tracking = false;
        m_down = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TBitBtn::keyPressEvent(QKeyEvent *event)
{
    TCustomControl::keyPressEvent(event);
    const int key = event->key();
    if (isEnabled() && !event->isAutoRepeat() &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter))
        Click();
}

void TBitBtn::focusInEvent(QFocusEvent *event)
{
    TCustomControl::focusInEvent(event);
    Invalidate();
}

void TBitBtn::focusOutEvent(QFocusEvent *event)
{
    TCustomControl::focusOutEvent(event);
    Invalidate();
}

void TBitBtn::PaintKindGlyph(TCanvas *canvas, int x, int y) const
{
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    for (const TGlyphStroke &stroke : KindGlyph(m_kind)) {
        canvas->Pen()->SetColor(isEnabled() ? stroke.color : clBtnShadow);
        for (int dy = 0; dy < 2; ++dy) {
            canvas->MoveTo(x + stroke.points.front().X, y + stroke.points.front().Y + dy);
            for (std::size_t i = 1; i < stroke.points.size(); ++i)
                canvas->LineTo(x + stroke.points[i].X, y + stroke.points[i].Y + dy);
            // LineTo leaves out the last pixel; the stroke ends on it.
            const TPoint &last = stroke.points.back();
            canvas->SetPixel(x + last.X, y + last.Y + dy, canvas->Pen()->Color());
        }
    }
}

void TBitBtn::Paint()
{
    TCanvas *canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);

    // The face: a dark outline for the default or focused button, then a raised bevel, or a
    // flat shadow frame while pressed.
    if (m_default || Focused())
        Frame3D(canvas, r, cl3DDkShadow, cl3DDkShadow, 1);
    int shift = 0;
    if (m_down) {
        Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
        shift = 1;
    } else {
        Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, r, clBtnFace, clBtnShadow, 1);
    }

    // Glyph and caption side by side, centred as one block.
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const QString text = Caption();
    const bool ownGlyph = !m_glyph->Empty();
    const bool kindGlyph = !ownGlyph && !KindGlyph(m_kind).empty();
    const int glyphWidth = ownGlyph ? m_glyph->Width() : kindGlyph ? kGlyphSize : 0;
    const int glyphHeight = ownGlyph ? m_glyph->Height() : kindGlyph ? kGlyphSize : 0;
    TRect textRect = Rect(0, 0, 0, 0);
    if (!text.isEmpty())
        canvas->DrawText(text, textRect, DT_CALCRECT | DT_SINGLELINE);
    const int gap = glyphWidth > 0 && !text.isEmpty() ? kGlyphSpacing : 0;
    const int blockWidth = glyphWidth + gap + textRect.Width();
    int x = (Width() - blockWidth) / 2 + shift;
    const int midY = Height() / 2 + shift;
    if (ownGlyph) {
        m_glyph->SetTransparent(true);
        canvas->Draw(x, midY - glyphHeight / 2, m_glyph.get());
    } else if (kindGlyph) {
        PaintKindGlyph(canvas, x, midY - glyphHeight / 2);
    }
    x += glyphWidth + gap;
    if (!text.isEmpty()) {
        TRect tr = Bounds(x, midY - textRect.Height() / 2, textRect.Width(), textRect.Height());
        if (!isEnabled()) {
            TRect lit = Bounds(tr.Left + 1, tr.Top + 1, tr.Width(), tr.Height());
            canvas->Font()->SetColor(clBtnHighlight);
            canvas->DrawText(text, lit, DT_SINGLELINE);
            canvas->Font()->SetColor(clBtnShadow);
        }
        canvas->DrawText(text, tr, DT_SINGLELINE);
    }

    if (Focused()) {
        TRect focus = ClientRect();
        focus.Left += 4;
        focus.Top += 4;
        focus.Right -= 4;
        focus.Bottom -= 4;
        canvas->Pen()->SetColor(clBtnText);
        canvas->Pen()->SetStyle(psDot);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(focus);
        canvas->Pen()->SetStyle(psSolid);
    }
}

} // namespace jxt
