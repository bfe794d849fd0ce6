// SPDX-License-Identifier: MIT
// The about form and the library's picture.
#include "editors/JXTVersionForm.h"

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

#include <vector>

#include <QCoreApplication>

namespace jxt {

namespace {

constexpr int kLogoSize = 97;
constexpr TColor kLcdBackground = 0x103810; // dark green glass
constexpr TColor kLcdUnlit = 0x184818;      // the faint segments an LCD shows when off
constexpr TColor kLcdLit = 0x40FF60;        // bright green-yellow

/// A horizontal segment between x1 and x2 on the centre line y, half as thick as h: a
/// hexagon with pointed ends so neighbouring segments meet at a mitre.
std::vector<TPoint> HorizontalSegment(int x1, int x2, int y, int h)
{
    return {{x1, y}, {x1 + h, y - h}, {x2 - h, y - h}, {x2, y}, {x2 - h, y + h}, {x1 + h, y + h}};
}

std::vector<TPoint> VerticalSegment(int x, int y1, int y2, int h)
{
    return {{x, y1}, {x + h, y1 + h}, {x + h, y2 - h}, {x, y2}, {x - h, y2 - h}, {x - h, y1 + h}};
}

/// A slanted bar, w wide, from its top edge starting at (xTop, yTop) to its bottom edge
/// starting at (xBottom, yBottom): the diagonal strokes of the X.
std::vector<TPoint> DiagonalSegment(int xTop, int yTop, int xBottom, int yBottom, int w)
{
    return {{xTop, yTop}, {xTop + w, yTop}, {xBottom + w, yBottom}, {xBottom, yBottom}};
}

/// The seven segments of a digit cell and, after them, its two diagonals.
std::vector<std::vector<TPoint>> CellSegments(int left, int top, int width, int height, int h)
{
    const int l = left + h, r = left + width - h;
    const int t = top + h, m = top + height / 2, b = top + height - h;
    return {
        HorizontalSegment(l + 1, r - 1, t, h), // a: top
        VerticalSegment(r, t + 1, m - 1, h),   // b: upper right
        VerticalSegment(r, m + 1, b - 1, h),   // c: lower right
        HorizontalSegment(l + 1, r - 1, b, h), // d: bottom
        VerticalSegment(l, m + 1, b - 1, h),   // e: lower left
        VerticalSegment(l, t + 1, m - 1, h),   // f: upper left
        HorizontalSegment(l + 1, r - 1, m, h), // g: middle
        DiagonalSegment(l - h, t - h, r - h, b + h, 2 * h),
        DiagonalSegment(r - h, t - h, l - h, b + h, 2 * h),
    };
}

} // namespace

std::unique_ptr<TBitmap> MakeJXToolsLogo()
{
    auto logo = std::make_unique<TBitmap>(kLogoSize, kLogoSize);
    TCanvas *c = logo->Canvas();
    TRect r = Rect(0, 0, kLogoSize, kLogoSize);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 2);
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 2);
    c->Brush()->SetColor(kLcdBackground);
    c->FillRect(r);

    // Two cells: "J" lights b, c, d, e; "X" lights its two diagonals.
    const bool lit[2][9] = {
        {false, true, true, true, true, false, false, false, false},
        {false, false, false, false, false, false, false, true, true},
    };
    c->Pen()->SetStyle(psClear);
    for (int cell = 0; cell < 2; ++cell) {
        const auto segments = CellSegments(12 + cell * 39, 14, 34, 56, 4);
        for (std::size_t i = 0; i < segments.size(); ++i) {
            // Unlit diagonals are not drawn: the cell shows a plain seven-segment digit.
            if (!lit[cell][i] && i >= 7)
                continue;
            c->Brush()->SetColor(lit[cell][i] ? kLcdLit : kLcdUnlit);
            c->Polygon(segments[i]);
        }
    }
    c->Pen()->SetStyle(psSolid);

    // The library's name under the digits.
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName(QStringLiteral("Arial"));
    c->Font()->SetHeight(-11);
    c->Font()->SetStyle({fsBold});
    c->Font()->SetColor(kLcdLit);
    TRect text = Rect(4, 74, kLogoSize - 4, kLogoSize - 4);
    c->DrawText(QStringLiteral("JX Tools"), text, DT_CENTER | DT_SINGLELINE);
    return logo;
}

TfrmJXTVersion::TfrmJXTVersion(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("frmJXTVersion"));
    SetCaption(QCoreApplication::translate("jxtpack", "JXTools AboutDialog"));
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    SetClientWidth(330);
    SetClientHeight(274);

    auto boldArial = [](TLabel *label, int height) {
        label->Font()->SetName(QStringLiteral("Arial"));
        label->Font()->SetHeight(height);
        label->Font()->SetStyle({fsBold});
        label->Font()->SetColor(clBlack);
    };

    Panel1 = new TPanel(this);
    Panel1->SetName(QStringLiteral("Panel1"));
    Panel1->SetParent(this);
    Panel1->SetBevelWidth(2);
    Panel1->SetAlign(alClient);

    Panel = new TPanel(this);
    Panel->SetName(QStringLiteral("Panel"));
    Panel->SetParent(Panel1);
    Panel->SetBevelInner(bvRaised);
    Panel->SetBevelOuter(bvLowered);
    Panel->SetColor(clWhite);
    Panel->SetBounds(8, 8, 313, 258);

    imgProgramIcon = new TImage(this);
    imgProgramIcon->SetName(QStringLiteral("imgProgramIcon"));
    imgProgramIcon->SetParent(Panel);
    imgProgramIcon->SetBounds(8, 8, 97, 97);
    imgProgramIcon->SetCenter(true);
    imgProgramIcon->SetStretch(true);
    imgProgramIcon->Picture()->SetGraphic(MakeJXToolsLogo().get());

    auto makeLabel = [&](const char *name, int left, int top, int width, int height) {
        auto *label = new TLabel(this);
        label->SetName(QString::fromLatin1(name));
        label->SetParent(Panel);
        label->SetAutoSize(false);
        label->SetAlignment(taCenter);
        label->SetBounds(left, top, width, height);
        return label;
    };
    lblJXTVersion = makeLabel("lblJXTVersion", 108, 6, 199, 35);
    boldArial(lblJXTVersion, -25);
    lblClassName = makeLabel("lblClassName", 108, 76, 199, 25);
    lblClassName->SetWordWrap(true);
    boldArial(lblClassName, -22);
    lblStand = makeLabel("lblStand", 108, 108, 199, 41);
    boldArial(lblStand, -15);

    btnOKButton = new TBitBtn(this);
    btnOKButton->SetName(QStringLiteral("btnOKButton"));
    btnOKButton->SetParent(Panel);
    btnOKButton->SetBounds(114, 219, 84, 27);
    btnOKButton->SetKind(bkOK);
}

} // namespace jxt
