// SPDX-License-Identifier: MIT
// Pixel tests of the LCD panel: which segments of which cells are lit, unlit or absent, the
// growth of too small panels, the clamping setters and the published property list.
#include "display/JXLCDPanel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

#include <algorithm>
#include <climits>
#include <set>
#include <vector>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

constexpr int kBackground = clBlack;
constexpr int kLit = clLime;
constexpr int kUnlit = 0x004000;

// Segment numbers as the panel's masks use them.
enum TSeg {
    sTop,
    sUpperLeft,
    sUpperRight,
    sMiddle,
    sLowerLeft,
    sLowerRight,
    sBottom,
    sUpperCentre,
    sLowerCentre,
    sLeftHalf,
    sRightHalf,
    sDiagUpperLeft,
    sDiagUpperRight,
    sDiagLowerRight,
    sDiagLowerLeft
};
// The segments an unlit cell shows (the half bars lie under the middle bar).
const std::vector<TSeg> kAllSegments = {
    sTop,          sUpperLeft,   sUpperRight,  sMiddle,        sLowerLeft,      sLowerRight,
    sBottom,       sUpperCentre, sLowerCentre, sDiagUpperLeft, sDiagUpperRight, sDiagLowerRight,
    sDiagLowerLeft};

// One character cell of a panel: its rectangle and the segment size in use.
struct TCell
{
    int l, t, r, b, cx, cy, a;

    // A point well inside a segment's polygon (on its middle line, away from the outline).
    QPoint Inside(TSeg seg) const
    {
        switch (seg) {
        case sTop: return {(l + cx) / 2, t + a};
        case sUpperLeft: return {l + a, (t + 2 * a + cy - a) / 2};
        case sUpperRight: return {r - a, (t + 2 * a + cy - a) / 2};
        case sMiddle: return {(l + cx) / 2, cy};
        case sLowerLeft: return {l + a, (cy + a + b - 2 * a) / 2};
        case sLowerRight: return {r - a, (cy + a + b - 2 * a) / 2};
        case sBottom: return {(l + cx) / 2, b - a};
        case sUpperCentre: return {cx, (t + 2 * a + cy - a) / 2};
        case sLowerCentre: return {cx, (cy + a + b - 2 * a) / 2};
        case sLeftHalf: return {(l + 2 * a + cx - a) / 2, cy};
        case sRightHalf: return {(cx + a + r - 2 * a) / 2, cy};
        case sDiagUpperLeft: return {(2 * l + 2 * cx + a) / 4, (2 * t + 3 * a + 2 * cy) / 4};
        case sDiagUpperRight: return {(2 * r + 2 * cx - a) / 4, (2 * t + 3 * a + 2 * cy) / 4};
        case sDiagLowerRight: return {(2 * cx + 2 * r - a) / 4, (2 * cy + 2 * b - 3 * a) / 4};
        case sDiagLowerLeft: return {(2 * cx + 2 * l + a) / 4, (2 * cy + 2 * b - 3 * a) / 4};
        }
        return {};
    }
};

// Cells are laid out at a pitch of Width div Columns and Height div Rows, inset by 4 pixels
// left and right and 2 pixels top and bottom.
TCell CellOf(const TJXLCDPanel &panel, int row, int col)
{
    const int pitchX = panel.Width() / panel.Columns();
    const int pitchY = panel.Height() / panel.Rows();
    TCell c;
    c.l = col * panel.Width() / panel.Columns() + 4;
    c.t = row * panel.Height() / panel.Rows() + 2;
    c.r = c.l + pitchX - 8;
    c.b = c.t + pitchY - 4;
    c.cx = c.l + (c.r - c.l) / 2;
    c.cy = c.t + (c.b - c.t) / 2;
    c.a = panel.ShownSegmentSize(pitchX, pitchY);
    return c;
}

int SegmentColor(const TJXLCDPanel &panel, int row, int col, TSeg seg)
{
    const QPoint p = CellOf(panel, row, col).Inside(seg);
    return PixelAt(panel.Surface(), p.x(), p.y());
}

// Checks that exactly the segments in lit are lit in a cell and all others show unlit.
void ExpectCell(const TJXLCDPanel &panel, int col, const std::set<TSeg> &lit,
                int unlitColor = kUnlit)
{
    for (TSeg seg : kAllSegments) {
        const int expected = lit.count(seg) ? kLit : unlitColor;
        EXPECT_EQ(SegmentColor(panel, 0, col, seg), expected)
            << "cell " << col << " segment " << seg;
    }
}

// A roomy panel (60 x 120 pixel cells, segments 6 pixels thick) so that sample points sit far
// from every outline.
std::unique_ptr<TJXLCDPanel> MakePanel(const QString &caption, int columns = 10)
{
    auto panel = std::make_unique<TJXLCDPanel>();
    panel->SetColumns(columns);
    panel->SetBounds(0, 0, 60 * columns, 120);
    panel->SetSegmentSize(6);
    panel->SetCaption(caption);
    panel->Repaint();
    return panel;
}

} // namespace

TEST(JXLCDPanel, CreateDefaults)
{
    TJXLCDPanel panel;
    EXPECT_EQ(panel.Columns(), 10);
    EXPECT_EQ(panel.Rows(), 1);
    EXPECT_EQ(panel.SegmentSize(), 2);
    EXPECT_EQ(panel.LCDHiColor(), clLime);
    EXPECT_EQ(panel.LCDLoColor(), 0x004000);
    EXPECT_EQ(panel.Color(), clBlack);
    EXPECT_EQ(panel.Width(), 300);
    EXPECT_EQ(panel.Height(), 40);
    ASSERT_EQ(panel.Items()->Count(), 1);
    EXPECT_EQ(panel.Items()->Get(0), QStringLiteral("JXLCDPanel"));

    // The default text paints: "J" lights the right verticals and the bottom bar.
    panel.Repaint();
    EXPECT_EQ(SegmentColor(panel, 0, 0, sUpperRight), kLit);
    EXPECT_EQ(SegmentColor(panel, 0, 0, sBottom), kLit);
    EXPECT_EQ(SegmentColor(panel, 0, 0, sTop), kUnlit);
}

TEST(JXLCDPanel, ClockCaptionLightsDigitsAndColon)
{
    auto panel = MakePanel(QStringLiteral("12:30"));
    ExpectCell(*panel, 0, {sUpperRight, sLowerRight});
    ExpectCell(*panel, 1, {sTop, sUpperRight, sMiddle, sLowerLeft, sBottom});
    ExpectCell(*panel, 3, {sTop, sUpperRight, sMiddle, sLowerRight, sBottom});
    ExpectCell(*panel, 4, {sTop, sUpperLeft, sUpperRight, sLowerLeft, sLowerRight, sBottom});

    // The colon: two dots above and below the centre, every segment unlit around them.
    const TCell colon = CellOf(*panel, 0, 2);
    EXPECT_EQ(PixelAt(panel->Surface(), colon.cx, colon.cy - 2 * colon.a), kLit);
    EXPECT_EQ(PixelAt(panel->Surface(), colon.cx, colon.cy + 2 * colon.a), kLit);
    EXPECT_EQ(SegmentColor(*panel, 0, 2, sTop), kUnlit);
    EXPECT_EQ(SegmentColor(*panel, 0, 2, sMiddle), kUnlit);
    EXPECT_EQ(SegmentColor(*panel, 0, 2, sBottom), kUnlit);

    for (int col = 5; col < 10; ++col)
        ExpectCell(*panel, col, {});

    // Between the cells and around the figures the background shows.
    const TCell first = CellOf(*panel, 0, 0);
    EXPECT_EQ(PixelAt(panel->Surface(), first.l - 2, first.cy), kBackground);
    EXPECT_EQ(PixelAt(panel->Surface(), first.cx, first.t - 1), kBackground);
    EXPECT_EQ(PixelAt(panel->Surface(), first.cx - first.a - 3, first.t + 2 * first.a + 3),
              kBackground);
}

TEST(JXLCDPanel, HalfBarsAndDiagonals)
{
    auto panel = MakePanel(QStringLiteral("+XEK*"));
    // The middle bar's sample point lies in its left half.
    ExpectCell(*panel, 0, {sUpperCentre, sLowerCentre, sMiddle});
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sLeftHalf), kLit);
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sRightHalf), kLit);

    ExpectCell(*panel, 1, {sDiagUpperLeft, sDiagUpperRight, sDiagLowerRight, sDiagLowerLeft});

    // "E" lights only the left half of the middle bar; the right half stays unlit.
    ExpectCell(*panel, 2, {sTop, sUpperLeft, sMiddle, sLowerLeft, sBottom});
    EXPECT_EQ(SegmentColor(*panel, 0, 2, sLeftHalf), kLit);
    EXPECT_EQ(SegmentColor(*panel, 0, 2, sRightHalf), kUnlit);

    ExpectCell(*panel, 3, {sUpperLeft, sMiddle, sLowerLeft, sDiagUpperRight, sDiagLowerRight});
    EXPECT_EQ(SegmentColor(*panel, 0, 3, sLeftHalf), kLit);
    EXPECT_EQ(SegmentColor(*panel, 0, 3, sRightHalf), kUnlit);

    ExpectCell(*panel, 4,
               {sTop, sUpperLeft, sUpperRight, sMiddle, sLowerLeft, sLowerRight, sBottom,
                sUpperCentre, sLowerCentre, sDiagUpperLeft, sDiagUpperRight, sDiagLowerRight,
                sDiagLowerLeft});
}

TEST(JXLCDPanel, MarksDrawTheirOwnFigures)
{
    auto panel = MakePanel(QStringLiteral(".,-"));
    const QImage &s = panel->Surface();
    for (int col : {0, 1}) {
        const TCell c = CellOf(*panel, 0, col);
        // Dot and comma sit at the bottom centre, over the unlit bottom bar.
        EXPECT_EQ(PixelAt(s, c.cx, c.b - c.a), kLit) << col;
        EXPECT_EQ(SegmentColor(*panel, 0, col, sMiddle), kUnlit) << col;
        // Neither draws the colon's dots.
        EXPECT_EQ(PixelAt(s, c.cx, c.cy - 2 * c.a), kUnlit) << col;
    }
    // Only the comma reaches down to the bottom edge of the cell below its centre.
    const TCell dot = CellOf(*panel, 0, 0);
    const TCell comma = CellOf(*panel, 0, 1);
    EXPECT_EQ(PixelAt(s, comma.cx - comma.a + 1, comma.b - 1), kLit);
    EXPECT_EQ(PixelAt(s, dot.cx - dot.a + 1, dot.b - 1), kUnlit);
    ExpectCell(*panel, 2, {sMiddle});
}

TEST(JXLCDPanel, LowerCaseShowsAsUpperCase)
{
    auto lower = MakePanel(QStringLiteral("hello 1+x"));
    auto upper = MakePanel(QStringLiteral("HELLO 1+X"));
    EXPECT_EQ(lower->Surface(), upper->Surface());

    // "o" shows like "0" and "s" like "5", but "o" differs from "c".
    EXPECT_EQ(MakePanel(QStringLiteral("o"))->Surface(), MakePanel(QStringLiteral("0"))->Surface());
    EXPECT_EQ(MakePanel(QStringLiteral("s"))->Surface(), MakePanel(QStringLiteral("5"))->Surface());
    EXPECT_NE(MakePanel(QStringLiteral("o"))->Surface(), MakePanel(QStringLiteral("c"))->Surface());
}

TEST(JXLCDPanel, UnlitColourEqualToBackgroundHidesUnlitSegments)
{
    auto panel = MakePanel(QStringLiteral("1"));
    panel->SetColor(clNavy);
    panel->SetLCDLoColor(clNavy);
    panel->Repaint();
    const QImage &s = panel->Surface();
    const QSize size = jxt::test::LogicalSize(s);
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sUpperRight), kLit);
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sTop), clNavy);
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sDiagUpperLeft), clNavy);
    // Blank cells show nothing but the background: no fill and no outline.
    const TCell second = CellOf(*panel, 0, 1);
    const int cellPixels = (size.width() - second.l + 4) * size.height();
    EXPECT_EQ(jxt::test::CountColor(s, clNavy, second.l - 4, 0, size.width(), size.height()),
              cellPixels);

    // With a different unlit colour the same cells do show outlined segments.
    panel->SetLCDLoColor(kUnlit);
    panel->Repaint();
    EXPECT_GT(jxt::test::CountColor(s, clBlack, second.l - 4, 0, size.width(), size.height()), 0);
    EXPECT_EQ(SegmentColor(*panel, 0, 1, sTop), kUnlit);
}

TEST(JXLCDPanel, TooSmallPanelGrowsOnlyOnSidesNothingElseFixes)
{
    // Alone, a panel too small for cells of 13 pixels grows to them before it paints.
    TJXLCDPanel alone;
    alone.SetBounds(0, 0, 100, 10);
    alone.Repaint();
    EXPECT_EQ(alone.Width(), 130);
    EXPECT_EQ(alone.Height(), 13);
    EXPECT_EQ(jxt::test::LogicalSize(alone.Surface()), QSize(130, 13));
    EXPECT_EQ(alone.PaintCount(), 1); // one paint, no rounds

    // Filling a narrow parent, both sides are the parent's: the panel keeps them and its
    // alignment, and draws its ten cells in what it has.
    TWinControl parent;
    parent.SetBounds(0, 0, 100, 40);
    TJXLCDPanel panel;
    panel.SetParent(&parent);
    panel.SetAlign(alClient);
    panel.SetCaption(QStringLiteral("8888888888"));
    panel.Repaint();
    EXPECT_EQ(panel.Width(), 100);
    EXPECT_EQ(panel.Align(), alClient);
    EXPECT_FALSE(panel.PaintPending());
    for (int col = 0; col < 10; ++col)
        EXPECT_GT(jxt::test::CountColor(panel.Surface(), kLit, col * 10, 0, col * 10 + 10, 40), 0)
            << col;

    // On the left the height is the parent's, the width the panel's own.
    panel.SetAlign(alLeft);
    panel.SetRows(4);
    panel.Repaint();
    EXPECT_EQ(panel.Height(), 40);
    EXPECT_EQ(panel.Width(), 130);
    EXPECT_EQ(panel.Align(), alLeft);

    // When the parent has room again the panel fills it, alignment and all.
    parent.SetBounds(0, 0, 400, 200);
    panel.SetAlign(alClient);
    panel.Repaint();
    EXPECT_EQ(panel.Width(), 400);
    EXPECT_EQ(panel.Height(), 200);
}

TEST(JXLCDPanel, SmallCellsDrawThinnerSegmentsButKeepSegmentSize)
{
    TJXLCDPanel panel;
    panel.SetBounds(0, 0, 500, 40);
    panel.SetSegmentSize(6);
    panel.Repaint();
    EXPECT_EQ(panel.SegmentSize(), 6);
    EXPECT_EQ(panel.ShownSegmentSize(50, 40), 5); // 40 div 6 is below 8; 40 div 8 = 5

    // 10 cells of 24 pixels draw segments of 3: the top bar of "8" is 2 * 3 pixels thick.
    panel.SetBounds(0, 0, 240, 400);
    panel.SetSegmentSize(9);
    panel.SetCaption(QStringLiteral("8"));
    panel.Repaint();
    TCell c = CellOf(panel, 0, 0);
    EXPECT_EQ(PixelAt(panel.Surface(), c.cx, c.t + 3), kLit);
    EXPECT_NE(PixelAt(panel.Surface(), c.cx, c.t + 8), kLit);
    EXPECT_EQ(panel.SegmentSize(), 9);

    // Widened again, the cells get the full segment size back: a bar 2 * 9 thick.
    panel.SetBounds(0, 0, 900, 400);
    panel.Repaint();
    c = CellOf(panel, 0, 0);
    EXPECT_EQ(c.a, 9);
    EXPECT_EQ(PixelAt(panel.Surface(), c.cx, c.t + 16), kLit);
    EXPECT_NE(PixelAt(panel.Surface(), c.cx, c.t + 20), kLit);
}

struct TClampCase
{
    int value;
    int expected;
};

class JXLCDPanelClamp : public ::testing::TestWithParam<TClampCase>
{
};

TEST_P(JXLCDPanelClamp, ColumnsAndRowsStayWithinOneToFifty)
{
    TJXLCDPanel panel;
    panel.SetColumns(GetParam().value);
    panel.SetRows(GetParam().value);
    EXPECT_EQ(panel.Columns(), GetParam().expected);
    EXPECT_EQ(panel.Rows(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, JXLCDPanelClamp,
                         ::testing::Values(TClampCase{0, 1}, TClampCase{-3, 1}, TClampCase{1, 1},
                                           TClampCase{7, 7}, TClampCase{50, 50}, TClampCase{51, 50},
                                           TClampCase{200, 50}));

TEST(JXLCDPanel, SegmentSizeZeroBecomesOne)
{
    TJXLCDPanel panel;
    panel.SetSegmentSize(0);
    EXPECT_EQ(panel.SegmentSize(), 1);
    panel.SetSegmentSize(4);
    EXPECT_EQ(panel.SegmentSize(), 4);
}

TEST(JXLCDPanel, CaptionReplacesItemsUnlessEmpty)
{
    TJXLCDPanel panel;
    panel.SetItemsList({QStringLiteral("A"), QStringLiteral("B")});
    panel.SetCaption(QString());
    EXPECT_EQ(panel.Items()->Count(), 2);
    panel.SetCaption(QStringLiteral("C"));
    EXPECT_EQ(panel.GetItemsList(), QStringList{QStringLiteral("C")});
    // Setting the same caption again after Items changed replaces them again.
    panel.Items()->Add(QStringLiteral("D"));
    panel.SetCaption(QStringLiteral("C"));
    EXPECT_EQ(panel.GetItemsList(), QStringList{QStringLiteral("C")});

    TStringList source(QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    panel.SetItems(&source);
    EXPECT_EQ(panel.Items()->Count(), 3);
    source.Clear();
    EXPECT_EQ(panel.Items()->Count(), 3); // a copy, not a reference
}

TEST(JXLCDPanel, LinesBeyondRowsAreNotShown)
{
    auto panel = MakePanel(QString());
    panel->SetItemsList({QStringLiteral("1"), QStringLiteral("88888888")});
    panel->Repaint();
    const QImage oneLine = panel->Surface().copy();
    ExpectCell(*panel, 0, {sUpperRight, sLowerRight});

    panel->SetItemsList({QStringLiteral("1")});
    panel->Repaint();
    EXPECT_EQ(panel->Surface(), oneLine);

    // With a second row the second line appears there.
    panel->SetItemsList({QStringLiteral("1"), QStringLiteral("88888888")});
    panel->SetRows(2);
    panel->SetBounds(0, 0, 600, 240);
    panel->Repaint();
    EXPECT_EQ(SegmentColor(*panel, 1, 0, sMiddle), kLit);
    EXPECT_EQ(SegmentColor(*panel, 1, 9, sMiddle), kUnlit);
}

TEST(JXLCDPanel, ChangingAPropertyRepaints)
{
    auto panel = MakePanel(QStringLiteral("1"));
    panel->SetLCDHiColor(clRed);
    EXPECT_TRUE(panel->PaintPending());
    panel->Repaint();
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sUpperRight), clRed);

    // Editing the list itself repaints too.
    panel->Items()->Put(0, QStringLiteral("7"));
    EXPECT_TRUE(panel->PaintPending());
    panel->Repaint();
    EXPECT_EQ(SegmentColor(*panel, 0, 0, sTop), clRed);
}

TEST(JXLCDPanel, PublishedPropertiesInOrder)
{
    TJXLCDPanel panel;
    const QMetaObject *meta = panel.metaObject();
    QStringList names;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        names << QString::fromLatin1(meta->property(i).name());
    EXPECT_EQ(names,
              (QStringList{"About_JXTools", "Caption", "Columns", "Items", "LCDHiColor",
                           "LCDLoColor", "Rows", "SegmentSize", "Align", "Color", "ShowHint"}));

    EXPECT_EQ(panel.property("About_JXTools").toString(), QStringLiteral("15.11.96"));
    EXPECT_TRUE(panel.setProperty("About_JXTools", QVariant::fromValue(TJXAboutString("x"))));
    EXPECT_EQ(panel.property("About_JXTools").toString(), QStringLiteral("15.11.96"));

    // Writing through the meta-object system goes through the setters.
    panel.setProperty("Columns", 99);
    EXPECT_EQ(panel.Columns(), 50);
    panel.setProperty("Items", QStringList{QStringLiteral("AB"), QStringLiteral("CD")});
    EXPECT_EQ(panel.Items()->Get(1), QStringLiteral("CD"));
    panel.setProperty("Align", int(alRight));
    EXPECT_EQ(panel.Align(), alRight);
    panel.setProperty("LCDLoColor", int(clMaroon));
    EXPECT_EQ(panel.property("LCDLoColor").toInt(), int(clMaroon));
}

// Gives tests the switch between copied and directly drawn cells.
class TDirectLCDPanel : public TJXLCDPanel
{
public:
    using TJXLCDPanel::SetGlyphCacheEnabled;
};

TEST(JXLCDPanel, CopiedCellsMatchDirectlyDrawnCells)
{
    const QString text = QStringLiteral("*+-,.:0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ \u00e4");
    struct TLayout
    {
        int columns, rows, width, height, segment;
        TColor color, lo;
    };
    for (const TLayout &layout : {TLayout{47, 1, 47 * 13, 13, 2, clBlack, 0x004000},
                                  TLayout{12, 4, 12 * 60 + 7, 4 * 120 + 3, 6, clBlack, 0x004000},
                                  TLayout{24, 2, 24 * 25, 2 * 40, 3, clNavy, clNavy},
                                  TLayout{24, 2, 24 * 25, 2 * 40, 3, clBtnFace, clGray},
                                  TLayout{10, 3, 10 * 13, 3 * 13, 1, clBlack, 0x004000},
                                  TLayout{7, 2, 7 * 17 + 5, 2 * 21 + 1, 2, clWhite, clSilver},
                                  TLayout{5, 1, 5 * 40, 61, 4, clBtnFace, clBtnFace}}) {
        TDirectLCDPanel copied;
        TDirectLCDPanel direct;
        direct.SetGlyphCacheEnabled(false);
        for (TDirectLCDPanel *panel : {&copied, &direct}) {
            panel->SetColumns(layout.columns);
            panel->SetRows(layout.rows);
            panel->SetBounds(0, 0, layout.width, layout.height);
            panel->SetSegmentSize(layout.segment);
            panel->SetColor(layout.color);
            panel->SetLCDLoColor(layout.lo);
            QStringList lines;
            for (int row = 0; row < layout.rows; ++row)
                lines << text.mid(row * layout.columns % text.size()) + text;
            panel->SetItemsList(lines);
            panel->Repaint();
        }
        EXPECT_EQ(copied.Surface(), direct.Surface()) << layout.columns << " x " << layout.rows;

        // A new colour is taken up by the copied cells too.
        copied.SetLCDHiColor(clRed);
        direct.SetLCDHiColor(clRed);
        copied.Repaint();
        direct.Repaint();
        EXPECT_EQ(copied.Surface(), direct.Surface()) << layout.columns << " x " << layout.rows;
    }
}

// Gives tests the drawing of one character onto any canvas.
class TCharacterLCDPanel : public TJXLCDPanel
{
public:
    using TJXLCDPanel::DrawLCD;
};

namespace {

// Lit device pixels of an image: the first and last row and column holding one, rows that
// differ from the row above them at an odd device row, and colour changes at odd columns.
struct TLitPattern
{
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    int oddRowChanges = 0, oddColumnChanges = 0;
};

TLitPattern LitPatternOf(const QImage &image)
{
    TLitPattern p;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFF;
            if (c == 0x00FF00) {
                p.top = std::min(p.top, y);
                p.bottom = std::max(p.bottom, y);
                p.left = std::min(p.left, x);
                p.right = std::max(p.right, x);
            }
            if (x % 2 == 1 && c != (image.pixel(x - 1, y) & 0xFFFFFF))
                ++p.oddColumnChanges;
            if (y % 2 == 1 && c != (image.pixel(x, y - 1) & 0xFFFFFF))
                ++p.oddRowChanges;
        }
    return p;
}

} // namespace

TEST(JXLCDPanel, AtRatioTwoSlantedEdgesStepByOneDevicePixel)
{
    // The figure with every segment lit, drawn on a picture of ratio 1 and of ratio 2.
    TCharacterLCDPanel panel;
    TBitmap one(53, 77);
    TBitmap two;
    two.SetSize(2 * 53, 2 * 77);
    two.Image().setDevicePixelRatio(2.0);
    for (TBitmap *bitmap : {&one, &two}) {
        bitmap->Canvas()->Brush()->SetColor(clBlack);
        bitmap->Canvas()->FillRect(Rect(0, 0, 53, 77));
        panel.DrawLCD(bitmap->Canvas(), Rect(0, 0, 52, 76), 4, u'*');
    }
    const TLitPattern low = LitPatternOf(one.Image());
    const TLitPattern high = LitPatternOf(two.Image());
    // The bars' outer edges (along the axes) stay on the logical pixels' borders...
    ASSERT_GE(low.right, 0);
    EXPECT_EQ(high.top, 2 * low.top);
    EXPECT_EQ(high.bottom, 2 * low.bottom + 1);
    EXPECT_EQ(high.left, 2 * low.left);
    EXPECT_EQ(high.right, 2 * low.right + 1);
    // ...while the diagonals and bar ends step by single device pixels: doubled blocks would
    // change colour only at even rows and columns.
    EXPECT_GT(high.oddRowChanges, 40);
    EXPECT_GT(high.oddColumnChanges, 40);

    // The panel's own surface on a screen of ratio 2 (ctest's ratio2 pass) shows it so too.
    TJXLCDPanel shown;
    shown.SetColumns(2);
    shown.SetBounds(0, 0, 120, 80);
    shown.SetCaption(QStringLiteral("**"));
    shown.Repaint();
    if (shown.Surface().devicePixelRatio() == 2.0) {
        EXPECT_GT(LitPatternOf(shown.Surface()).oddRowChanges, 40);
    }
}

TEST(JXLCDPanel, SurvivesHostileSizesAndText)
{
    // No size at all: the paint grows the panel to the smallest cells.
    TJXLCDPanel empty;
    empty.SetBounds(0, 0, 0, 0);
    empty.Repaint();
    EXPECT_EQ(empty.Width(), 130);
    EXPECT_EQ(empty.Height(), 13);
    EXPECT_EQ(jxt::test::LogicalSize(empty.Surface()), QSize(130, 13));
    EXPECT_GE(empty.SegmentSize(), 1);

    // Fifty by fifty of the smallest cells, filled with every drawable character.
    TJXLCDPanel big;
    big.SetColumns(50);
    big.SetRows(50);
    big.SetBounds(0, 0, 1, 1);
    QStringList lines;
    const QString chars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*+-,.:abcdefghij");
    for (int i = 0; i < 10000; ++i)
        lines << chars.mid(i % 7) + chars;
    big.SetItemsList(lines);
    big.Repaint();
    EXPECT_EQ(big.Width(), 650);
    EXPECT_EQ(big.Height(), 650);
    EXPECT_EQ(big.SegmentSize(), 2);
    EXPECT_EQ(big.ShownSegmentSize(13, 13), 1);
    EXPECT_EQ(jxt::test::LogicalSize(big.Surface()), QSize(650, 650));
    const TCell last = CellOf(big, 49, 49);
    EXPECT_GT(jxt::test::CountColor(big.Surface(), kLit, last.l, last.t, last.r, last.b), 0);

    // Characters without a figure are blank cells, whatever they are; a surrogate pair
    // takes two cells.
    auto odd = MakePanel(QString::fromUtf8("\xC3\x9F\xE2\x82\xAC\xF0\x9F\x98\x80") + QChar(0) +
                         QChar(0xFFFF) + QChar(0xD800) + QStringLiteral("\t\r\n"));
    for (int col = 0; col < 10; ++col)
        ExpectCell(*odd, col, {});

    // An empty list shows blank cells.
    auto blank = MakePanel(QString());
    blank->Items()->Clear();
    blank->Repaint();
    for (int col = 0; col < 10; ++col)
        ExpectCell(*blank, col, {});
}
