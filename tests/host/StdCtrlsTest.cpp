// SPDX-License-Identifier: MIT
// TLabel: sizing to the text, word wrap, layout, alignment, transparency. TMemo, TScrollBar,
// TRadioButton and TGroupBox.
#include "host/controls/StdCtrls.h"

#include "TestSupport.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

/// Text extent in font, measured on a scratch canvas.
TPoint Extent(const TFont *font, const QString &text)
{
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&scratch);
    canvas.SetFont(font);
    return canvas.TextExtent(text);
}

/// Rows [first, last) of image holding a pixel of colour.
std::pair<int, int> RowsWith(const QImage &image, int color)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        if (CountColor(image, color, 0, y, image.width(), y + 1) > 0) {
            if (first < 0)
                first = y;
            last = y + 1;
        }
    return {first, last};
}

std::pair<int, int> ColumnsWith(const QImage &image, int color)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (CountColor(image, color, x, 0, x + 1, image.height()) > 0) {
            if (first < 0)
                first = x;
            last = x + 1;
        }
    return {first, last};
}

} // namespace

TEST(Label, AutoSizeFollowsTheText)
{
    TLabel label;
    label.SetLeft(10);
    label.SetCaption(QStringLiteral("Hello"));
    const TPoint hello = Extent(label.Font(), QStringLiteral("Hello"));
    EXPECT_EQ(label.Width(), hello.X);
    EXPECT_EQ(label.Height(), hello.Y);
    EXPECT_EQ(label.Left(), 10);

    label.SetCaption(QStringLiteral("Hello, world, longer"));
    EXPECT_GT(label.Width(), hello.X);

    // Two lines: twice the height.
    label.SetCaption(QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(label.Height(), 2 * hello.Y);

    // A larger font makes a larger label.
    const int before = label.Height();
    label.Font()->SetHeight(-30);
    EXPECT_GT(label.Height(), before);

    // An empty caption keeps one line.
    label.SetCaption(QString());
    EXPECT_EQ(label.Height(), Extent(label.Font(), QStringLiteral(" ")).Y);
}

TEST(Label, RightJustifiedLabelKeepsItsRightEdge)
{
    TLabel label;
    label.SetAlignment(taRightJustify);
    label.SetCaption(QStringLiteral("abc"));
    const int right = label.Left() + label.Width();
    label.SetCaption(QStringLiteral("abcdefghij"));
    EXPECT_EQ(label.Left() + label.Width(), right);
    EXPECT_LT(label.Left(), right - Extent(label.Font(), QStringLiteral("abc")).X);
}

TEST(Label, WithoutAutoSizeTheBoundsStay)
{
    TLabel label;
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 50, 30);
    label.SetCaption(QStringLiteral("a rather long caption"));
    EXPECT_EQ(label.Width(), 50);
    EXPECT_EQ(label.Height(), 30);
}

TEST(Label, WordWrapKeepsWidthAndGrowsHeight)
{
    TLabel label;
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 60, 10);
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    label.SetCaption(QStringLiteral("many words that cannot fit on one line"));
    EXPECT_EQ(label.Width(), 60);
    EXPECT_GE(label.Height(), 3 * Extent(label.Font(), QStringLiteral("W")).Y);
}

TEST(Label, LayoutAndAlignmentPlaceTheText)
{
    TLabel label;
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 100, 60);
    label.SetColor(clWhite);
    label.Font()->SetColor(clBlack);
    label.SetCaption(QStringLiteral("Mm"));
    const int lineHeight = Extent(label.Font(), QStringLiteral("Mm")).Y;

    label.Repaint();
    auto rows = RowsWith(label.Surface(), 0x000000);
    EXPECT_GE(rows.first, 0);
    EXPECT_LE(rows.second, lineHeight);
    auto cols = ColumnsWith(label.Surface(), 0x000000);
    EXPECT_LE(cols.first, 2);

    label.SetLayout(tlBottom);
    label.Repaint();
    rows = RowsWith(label.Surface(), 0x000000);
    EXPECT_GE(rows.first, 60 - lineHeight);

    label.SetLayout(tlCenter);
    label.SetAlignment(taCenter);
    label.Repaint();
    rows = RowsWith(label.Surface(), 0x000000);
    cols = ColumnsWith(label.Surface(), 0x000000);
    EXPECT_NEAR((rows.first + rows.second) / 2.0, 30.0, lineHeight / 2.0);
    EXPECT_NEAR((cols.first + cols.second) / 2.0, 50.0, 2.0);

    label.SetAlignment(taRightJustify);
    label.Repaint();
    cols = ColumnsWith(label.Surface(), 0x000000);
    EXPECT_GE(cols.second, 97);
}

TEST(Label, OpaqueFillsWithColourTransparentLeavesBackground)
{
    TLabel label;
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 40, 20);
    label.SetColor(clYellow);
    label.SetCaption(QStringLiteral("x"));
    label.Repaint();
    EXPECT_EQ(PixelAt(label.Surface(), 35, 15), 0x00FFFF);

    label.SetTransparent(true);
    label.Repaint();
    EXPECT_EQ(qAlpha(label.Surface().pixel(35, 15)), 0);
    EXPECT_EQ(CountColor(label.Surface(), 0x00FFFF, 0, 0, 40, 20), 0);
}

TEST(Label, FollowsParentFontUntilGivenItsOwn)
{
    TWinControl parent;
    parent.Font()->SetHeight(-24);
    TLabel label;
    label.SetParent(&parent);
    label.SetCaption(QStringLiteral("Text"));
    EXPECT_EQ(label.Font()->Height(), -24);
    const int big = label.Height();
    parent.Font()->SetHeight(-10);
    EXPECT_LT(label.Height(), big);
    label.SetParent(nullptr);
}

// TMemo, TScrollBar, TRadioButton, TGroupBox

TEST(Memo, LinesSetByCodeShowWithoutAChangeEventAndEditsComeBack)
{
    TMemo memo;
    int changes = 0;
    memo.OnChange = [&](TObject *) { ++changes; };
    memo.Lines()->Add(QStringLiteral("eins"));
    memo.Lines()->Add(QStringLiteral("zwei"));
    EXPECT_EQ(memo.Editor()->toPlainText(), QStringLiteral("eins\nzwei"));
    EXPECT_EQ(memo.Text(), QStringLiteral("eins\r\nzwei"));
    EXPECT_EQ(changes, 0);

    // The user types: Lines follow and OnChange fires once.
    memo.Editor()->moveCursor(QTextCursor::End);
    memo.Editor()->insertPlainText(QStringLiteral("\ndrei"));
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(memo.Lines()->Count(), 3);
    EXPECT_EQ(memo.Lines()->Get(2), QStringLiteral("drei"));

    memo.SetText(QStringLiteral("a\r\nb\rc"));
    EXPECT_EQ(memo.LinesList(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(changes, 1);
    memo.SetScrollBars(ssVertical);
    EXPECT_EQ(memo.Editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo.Editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    memo.SetWordWrap(false);
    EXPECT_EQ(memo.Editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(ScrollBar, PositionStaysInItsRangeAndEveryChangeIsReported)
{
    TScrollBar bar;
    std::vector<int> seen;
    bar.OnChange = [&](TObject *) { seen.push_back(bar.Position()); };
    bar.SetParams(5, 1, 100);
    bar.SetPosition(250);
    bar.SetPosition(100); // unchanged: no event
    bar.SetMin(120);      // the position follows the range
    EXPECT_EQ(seen, (std::vector<int>{5, 100, 120}));
    EXPECT_EQ(bar.Max(), 120);

    // The user moves it.
    bar.SetParams(1, 1, 100);
    seen.clear();
    bar.Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar.Position(), 2);
    EXPECT_EQ(seen, (std::vector<int>{2}));

    const int w = bar.Width(), h = bar.Height();
    bar.SetKind(sbVertical);
    EXPECT_EQ(bar.Width(), h);
    EXPECT_EQ(bar.Height(), w);
    EXPECT_EQ(bar.Bar()->orientation(), Qt::Vertical);
}

TEST(RadioButton, CheckingOneUnchecksTheOthersOfItsParentOnly)
{
    TForm form;
    TGroupBox group(&form);
    group.SetParent(&form);
    TRadioButton a(&form), b(&form), other(&form);
    a.SetParent(&group);
    b.SetParent(&group);
    other.SetParent(&form);
    other.SetChecked(true);
    std::vector<bool> atClick;
    b.OnClick = [&](TObject *) { atClick.push_back(b.Checked()); };
    a.SetChecked(true);
    b.Click();
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    EXPECT_TRUE(other.Checked());                  // another parent
    EXPECT_EQ(atClick, (std::vector<bool>{true})); // checked before OnClick

    b.SetEnabled(false);
    a.SetEnabled(false);
    a.Click();
    EXPECT_FALSE(a.Checked());
}

TEST(RadioButton, ShowsTheDotOnlyWhenChecked)
{
    test::InstallFixedEnvironment();
    TRadioButton button;
    button.SetBounds(0, 0, 80, 17);
    button.Repaint();
    const int darkBefore = CountColor(button.Surface(), 0x000000, 0, 0, 13, 17);
    button.SetChecked(true);
    button.Repaint();
    EXPECT_GT(CountColor(button.Surface(), 0x000000, 0, 0, 13, 17), darkBefore + 4);
}

TEST(GroupBox, HoldsItsControlsBelowTheCaption)
{
    TForm form;
    TGroupBox group(&form);
    group.SetParent(&form);
    group.SetCaption(QStringLiteral("FillStyle"));
    group.SetBounds(0, 0, 120, 100);
    TPanel panel(&form);
    panel.SetParent(&group);
    panel.SetAlign(alClient);
    const TRect inner = group.AlignRect();
    EXPECT_GT(inner.Top, 8);
    EXPECT_EQ(panel.Top(), inner.Top);
    EXPECT_EQ(panel.Left(), inner.Left);
    EXPECT_LE(panel.Top() + panel.Height(), 100);
}
