// SPDX-License-Identifier: MIT
// Dot-matrix panel: the built-in font resource, cell layout, sizing, recolouring, user fonts
// and the scroll state machine.
#include "display/JXDOTPanel.h"

#include "host/controls/ExtCtrls.h"
#include "host/core/Timer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include <QFile>
#include <QImage>
#include <QMetaProperty>
#include <QTest>

#include <array>
#include <cstring>
#include <map>
#include <tuple>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

constexpr int kLime = 0x00FF00;
constexpr int kDarkGreen = 0x008000;

// The glyphs the font must hold, in resource order; rows top to bottom, 0x10 = leftmost dot.
const char *const kGlyphOrder =
    " !\"#$%&'()*+,-./0123456789:;<=>?@abcdefghijklmnopqrstuvwxyz[\\]^_";
// clang-format off
const std::map<char, std::array<int, 7>> kGlyphs = {
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {'"', {0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'#', {0x00, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x00}},
    {'$', {0x04, 0x0F, 0x14, 0x0E, 0x05, 0x1E, 0x04}},
    {'%', {0x00, 0x19, 0x1A, 0x04, 0x0B, 0x13, 0x00}},
    {'&', {0x08, 0x14, 0x14, 0x08, 0x15, 0x12, 0x0D}},
    {'\'', {0x04, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
    {'*', {0x00, 0x00, 0x0A, 0x04, 0x0A, 0x00, 0x00}},
    {'+', {0x00, 0x00, 0x04, 0x0E, 0x04, 0x00, 0x00}},
    {',', {0x00, 0x00, 0x00, 0x00, 0x02, 0x02, 0x04}},
    {'-', {0x00, 0x00, 0x00, 0x0E, 0x00, 0x00, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x06}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x0E, 0x11, 0x01, 0x06, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x0E, 0x11, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x01, 0x02, 0x04, 0x04, 0x04}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x11, 0x0E}},
    {':', {0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x00}},
    {';', {0x00, 0x00, 0x04, 0x00, 0x04, 0x04, 0x08}},
    {'<', {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02}},
    {'=', {0x00, 0x00, 0x0E, 0x00, 0x0E, 0x00, 0x00}},
    {'>', {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
    {'@', {0x0E, 0x11, 0x15, 0x15, 0x12, 0x10, 0x0E}},
    {'a', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'b', {0x1E, 0x09, 0x09, 0x0E, 0x09, 0x09, 0x1E}},
    {'c', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'d', {0x1E, 0x09, 0x09, 0x09, 0x09, 0x09, 0x1E}},
    {'e', {0x1F, 0x08, 0x08, 0x0E, 0x08, 0x08, 0x1F}},
    {'f', {0x1F, 0x08, 0x08, 0x0E, 0x08, 0x08, 0x08}},
    {'g', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0E}},
    {'h', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'i', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'j', {0x01, 0x01, 0x01, 0x01, 0x01, 0x11, 0x0E}},
    {'k', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'l', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'m', {0x11, 0x1B, 0x15, 0x11, 0x11, 0x11, 0x11}},
    {'n', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'o', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'p', {0x1E, 0x09, 0x09, 0x0E, 0x08, 0x08, 0x1C}},
    {'q', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x12, 0x0D}},
    {'r', {0x1E, 0x09, 0x09, 0x0E, 0x0C, 0x0A, 0x09}},
    {'s', {0x0E, 0x11, 0x10, 0x0E, 0x01, 0x11, 0x0E}},
    {'t', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'u', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'v', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'w', {0x11, 0x11, 0x11, 0x11, 0x11, 0x15, 0x0A}},
    {'x', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'z', {0x1F, 0x11, 0x02, 0x04, 0x08, 0x11, 0x1F}},
    {'[', {0x0E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x0E}},
    {'\\', {0x00, 0x10, 0x08, 0x04, 0x02, 0x01, 0x00}},
    {']', {0x0E, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0E}},
    {'^', {0x04, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}},
};
// clang-format on

bool DotLit(char ch, int dotX, int dotY)
{
    if (dotX < 1 || dotX > 5 || dotY < 1 || dotY > 7)
        return false; // the outer ring is never lit
    return kGlyphs.at(ch)[std::size_t(dotY - 1)] & (0x10 >> (dotX - 1));
}

/// The colour a glyph cell at (left, top) must have at cell pixel (x, y), given the three
/// colours of background, unlit and lit dots.
int ExpectedPixel(char ch, int x, int y, int background, int unlit, int lit)
{
    const int ox = x % 3, oy = y % 3;
    if (DotLit(ch, x / 3, y / 3))
        return ox >= 1 && oy >= 1 ? lit : background;
    return (ox == 1 && oy == 1) || (ox == 2 && oy == 2) ? unlit : background;
}

int LitDots(char ch)
{
    int n = 0;
    for (int row : kGlyphs.at(ch))
        for (int bit = 0; bit < 5; ++bit)
            n += (row >> bit) & 1;
    return n;
}

/// Compares a 21 x 27 cell of image with the glyph; returns the first wrong pixel or "".
std::string CheckCell(const QImage &image, int left, int top, char ch, int background, int unlit,
                      int lit)
{
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 21; ++x) {
            const int want = ExpectedPixel(ch, x, y, background, unlit, lit);
            const int got = PixelAt(image, left + x, top + y);
            if (got != want)
                return "glyph '" + std::string(1, ch) + "' pixel (" + std::to_string(x) + "," +
                       std::to_string(y) + ") is " + std::to_string(got) + ", wanted " +
                       std::to_string(want);
        }
    return {};
}

} // namespace

TEST(JXDOTFont, ResourceIsA16ColourBitmapOf64Glyphs)
{
    QFile file(QStringLiteral(":/jxt/JXDOTFNT.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(quint8(bytes[28]), 4); // bits per pixel

    QImage image;
    ASSERT_TRUE(image.loadFromData(bytes, "BMP"));
    ASSERT_EQ(image.size(), QSize(672, 54));
    EXPECT_LE(image.colorCount(), 16);
    ASSERT_EQ(std::strlen(kGlyphOrder), 64u);
    for (int k = 0; k < 64; ++k) {
        const std::string fault =
            CheckCell(image, k % 32 * 21, k / 32 * 27, kGlyphOrder[k], clBlack, kDarkGreen, kLime);
        EXPECT_EQ(fault, "") << "glyph index " << k;
    }
}

TEST(JXDOTPanel, CreateDefaultsAndPublishedOrder)
{
    TJXDOTPanel panel;
    EXPECT_EQ(panel.Items()->Text(), QStringLiteral("JXDOTPanel\r\n"));
    EXPECT_EQ(panel.DOTCharSet(), QString::fromLatin1(kGlyphOrder));
    EXPECT_EQ(panel.GetAboutJXT(), QStringLiteral("01.09.98"));
    ASSERT_NE(panel.DOTBitmap(), nullptr);
    EXPECT_EQ(panel.DOTBitmap()->Width(), 672);

    const QMetaObject *meta = panel.metaObject();
    QStringList names;
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        if (meta->property(i).isStored()) // the scroll state is readable but not stored
            names << QString::fromLatin1(meta->property(i).name());
    const QStringList published = {
        "About_JXTools", "AdjustToParent", "Caption",    "Color",          "Columns",
        "DOTImage",      "DOTHiColor",     "DOTLoColor", "DOTCharSet",     "DOTColumns",
        "DOTRows",       "DOTSpace",       "DOTStretch", "Items",          "Rows",
        "ScrollChar",    "Interval",       "ShowHint",   "ParentShowHint", "Visible"};
    EXPECT_EQ(names.mid(names.indexOf("About_JXTools")), published);
}

TEST(JXDOTPanel, SettersClampTheirValues)
{
    TJXDOTPanel panel;
    panel.SetColumns(0);
    panel.SetRows(51);
    panel.SetDOTColumns(-3);
    panel.SetDOTRows(0);
    EXPECT_EQ(std::make_tuple(panel.Columns(), panel.Rows(), panel.DOTColumns(), panel.DOTRows()),
              std::make_tuple(1, 50, 1, 1));
    panel.SetRows(0);
    EXPECT_EQ(panel.Rows(), 1);
}

TEST(JXDOTPanel, HugeGapsAreHeldAndPaintSafely)
{
    TJXDOTPanel panel;
    panel.SetColumns(255);
    for (int gap : {INT_MAX, INT_MIN, 5000}) {
        panel.SetDOTSpace(gap);
        EXPECT_LE(std::abs(panel.DOTSpace()), TJXDOTPanel::kMaxDOTSpace);
        panel.Repaint();
        EXPECT_LE(panel.Width(), 32767);
    }
    panel.SetDOTSpace(3);
    EXPECT_EQ(panel.DOTSpace(), 3);
}

TEST(JXDOTPanel, UnstretchedPanelTakesTheSizeOfItsGlyphs)
{
    TJXDOTPanel panel;
    panel.SetDOTSpace(2);
    panel.Repaint();
    EXPECT_EQ(panel.Width(), 228); // 672 * 10 / 32 + 9 * 2
    EXPECT_EQ(panel.Height(), 27);

    panel.SetRows(2);
    panel.SetColumns(3);
    panel.Repaint();
    EXPECT_EQ(panel.Width(), 67);  // 63 + 2 * 2
    EXPECT_EQ(panel.Height(), 56); // 54 + 2

    panel.SetDotStretch(true);
    panel.SetBounds(0, 0, 40, 30);
    panel.Repaint();
    EXPECT_EQ(panel.Width(), 40);
    EXPECT_EQ(panel.Height(), 30);
}

TEST(JXDOTPanel, StaticGridShowsEachCharacterInItsCell)
{
    TJXDOTPanel panel;
    panel.SetRows(2);
    panel.SetDOTSpace(3);
    panel.Items()->SetText(QStringLiteral("Hi?\r\n7~"));
    panel.Repaint();
    const QImage &s = panel.Surface();
    ASSERT_EQ(jxt::test::LogicalSize(s), QSize(237, 57));
    // Capitals find their lower-case key; characters outside the set show as the blank.
    const struct
    {
        int row, col;
        char glyph;
    } cells[] = {
        {0, 0, 'h'}, {0, 1, 'i'}, {0, 2, '?'}, {0, 3, ' '}, {0, 9, ' '}, {1, 0, '7'}, {1, 1, ' '},
    };
    for (const auto &c : cells) {
        EXPECT_EQ(CheckCell(s, c.col * 24, c.row * 30, c.glyph, clBlack, kDarkGreen, kLime), "")
            << "row " << c.row << " column " << c.col;
    }
    // The gaps between cells show the background.
    EXPECT_EQ(CountColor(s, clBlack, 21, 0, 24, 57), 3 * 57);
    EXPECT_EQ(CountColor(s, clBlack, 0, 27, 237, 30), 237 * 3);
}

TEST(JXDOTPanel, GlyphLookupFallsBackToTheBlank)
{
    TJXDOTPanel panel;
    TBitmap target(21, 27);
    panel.DrawDOT(target.Canvas(), Rect(0, 0, 21, 27), QLatin1Char('B'));
    EXPECT_EQ(panel.LastGlyphRect(), Bounds(2 * 21, 27, 21, 27)); // "b", third of the second row
    panel.DrawDOT(target.Canvas(), Rect(0, 0, 21, 27), QChar(0x00E4)); // not in the set
    EXPECT_EQ(panel.LastGlyphRect(), Bounds(0, 0, 21, 27));

    // Without a blank in the set an unknown character draws nothing.
    panel.SetDOTCharSet(QStringLiteral("!"));
    target.Canvas()->Brush()->SetColor(clRed);
    target.Canvas()->FillRect(Rect(0, 0, 21, 27));
    panel.DrawDOT(target.Canvas(), Rect(0, 0, 21, 27), QLatin1Char('x'));
    EXPECT_EQ(CountColor(target.Image(), clRed, 0, 0, 21, 27), 21 * 27);
}

TEST(JXDOTPanel, StretchedGlyphsFillTheirCells)
{
    TJXDOTPanel panel;
    panel.SetDotStretch(true);
    panel.SetColumns(2);
    panel.SetBounds(0, 0, 84, 54); // twice the glyph size
    panel.SetCaption(QStringLiteral("-"));
    panel.Repaint();
    const QImage &s = panel.Surface();
    // Three lit dots of "-", each 2 x 2 pixels, now 4 x 4.
    EXPECT_EQ(CountColor(s, kLime, 0, 0, 42, 54), 3 * 16);
    EXPECT_EQ(CountColor(s, kLime, 42, 0, 84, 54), 0);
}

TEST(JXDOTPanel, ColourChangesRecolourTheFontAtOnce)
{
    TJXDOTPanel panel;
    panel.SetCaption(QStringLiteral("1"));
    panel.SetDOTHiColor(clYellow);
    panel.Repaint();
    EXPECT_EQ(CheckCell(panel.Surface(), 0, 0, '1', clBlack, 0x004000, clYellow), "");

    panel.SetDesigning(true);
    panel.SetColor(clNavy);
    panel.SetDOTHiColor(clYellow);
    panel.Repaint();
    EXPECT_EQ(CheckCell(panel.Surface(), 0, 0, '1', clNavy, 0x004000, clYellow), "");

    // Back to the resource colours: the resource is used as it is.
    panel.SetColor(clBlack);
    panel.SetDOTHiColor(clLime);
    panel.Repaint();
    EXPECT_EQ(CheckCell(panel.Surface(), 21, 0, ' ', clBlack, kDarkGreen, kLime), "");
}

TEST(JXDOTPanel, UserFontComesFromAnImageAndSurvivesIt)
{
    TComponent form;
    auto *image = new TImage(&form);
    TBitmap font(8, 4); // two glyphs of 4 x 4: "X" solid red, "O" solid blue
    font.Canvas()->Brush()->SetColor(clRed);
    font.Canvas()->FillRect(Rect(0, 0, 4, 4));
    font.Canvas()->Brush()->SetColor(clBlue);
    font.Canvas()->FillRect(Rect(4, 0, 8, 4));
    image->Picture()->SetBitmap(&font);

    TJXDOTPanel panel;
    panel.SetDesigning(true);
    panel.SetDOTColumns(2);
    panel.SetDOTRows(1);
    panel.SetDOTCharSet(QStringLiteral("XO"));
    panel.SetDOTImage(image);
    panel.SetColumns(3);
    panel.SetCaption(QStringLiteral("OXo"));
    // A colour change in the designer must not replace the user font.
    panel.SetColor(clGreen);
    panel.Repaint();
    ASSERT_EQ(jxt::test::LogicalSize(panel.Surface()), QSize(12, 4));
    EXPECT_EQ(PixelAt(panel.Surface(), 1, 1), clBlue);
    EXPECT_EQ(PixelAt(panel.Surface(), 5, 1), clRed);
    EXPECT_EQ(PixelAt(panel.Surface(), 9, 1), clBlue);

    delete image;
    EXPECT_EQ(panel.DOTImage(), nullptr);
    ASSERT_EQ(panel.DOTBitmap()->Width(), 8);
    panel.Repaint();
    EXPECT_EQ(PixelAt(panel.Surface(), 5, 1), clRed);
}

TEST(JXDOTPanel, IntervalRulesAndRestart)
{
    TJXDOTPanel panel;
    panel.SetInterval(5);
    EXPECT_EQ(panel.Interval(), 20);
    EXPECT_TRUE(panel.Timer()->Active());
    EXPECT_EQ(panel.Timer()->Interval(), 20);
    panel.JXOnTime();
    panel.JXOnTime();
    EXPECT_EQ(panel.ScrollPosition(), 3);

    panel.SetInterval(-1);
    EXPECT_EQ(panel.Interval(), 0);
    EXPECT_FALSE(panel.Timer()->Active());
    EXPECT_EQ(panel.ScrollPosition(), 1);
    EXPECT_EQ(panel.ScrollOffset(), 0);

    panel.SetInterval(19);
    EXPECT_EQ(panel.Interval(), 20);
    panel.SetInterval(250);
    EXPECT_EQ(panel.Interval(), 250);
    panel.SetInterval(0);
    EXPECT_FALSE(panel.Timer()->Active());
}

TEST(JXDOTPanel, PixelScrollingMovesOnePixelPerTick)
{
    TJXDOTPanel panel;
    panel.SetScrollChar(false);
    panel.SetCaption(QStringLiteral("8"));
    panel.Repaint();
    ASSERT_EQ(panel.Width(), 210);
    panel.SetInterval(1000);
    int scrolls = 0;
    panel.OnScroll = [&](TObject *) { ++scrolls; };

    panel.JXOnTime();
    EXPECT_EQ(panel.ScrollOffset(), -1);
    const QImage first = panel.Surface().copy();
    for (int tick = 2; tick <= 20; ++tick)
        panel.JXOnTime();
    EXPECT_EQ(panel.ScrollOffset(), -20);
    EXPECT_EQ(panel.ScrollPosition(), 1);
    // The picture moved 19 pixels to the left.
    for (int x = 0; x < 180; x += 7)
        EXPECT_EQ(PixelAt(panel.Surface(), x, 10), PixelAt(first, x + 19, 10)) << x;

    panel.JXOnTime(); // the 21st tick: a whole cell has passed
    EXPECT_EQ(panel.ScrollOffset(), 0);
    EXPECT_EQ(panel.ScrollPosition(), 2);
    EXPECT_EQ(scrolls, 21);
}

TEST(JXDOTPanel, CharacterScrollingRunsThroughTheTextOncePerPass)
{
    TJXDOTPanel panel;
    panel.SetCaption(QStringLiteral("AB"));
    panel.Repaint();
    panel.SetInterval(100);
    int starts = 0;
    panel.OnStartText = [&](TObject *) { ++starts; };

    // Text "AB " (the line break becomes a blank) plus ten columns: thirteen positions.
    std::vector<int> startTicks;
    for (int tick = 1; tick <= 39; ++tick) {
        panel.JXOnTime();
        if (starts > int(startTicks.size()))
            startTicks.push_back(tick);
        if (panel.ScrollPosition() == 11) {
            // "A" has reached the left cell.
            EXPECT_EQ(panel.ScrollWindow().left(3), QStringLiteral("AB "));
            EXPECT_EQ(CountColor(panel.Surface(), kLime, 0, 0, 21, 27), 4 * LitDots('a'));
            EXPECT_EQ(CountColor(panel.Surface(), kLime, 21, 0, 42, 27), 4 * LitDots('b'));
        }
        if (panel.ScrollPosition() == 13) {
            EXPECT_EQ(panel.ScrollWindow().trimmed(), QString()); // the last character has left
        }
    }
    EXPECT_EQ(startTicks, (std::vector<int>{13, 26, 39}));
    EXPECT_EQ(panel.ScrollWindow().size(), 21);
    // Back at the start: the first character waits just right of the display.
    EXPECT_EQ(panel.ScrollWindow().left(10), QString(10, QLatin1Char(' ')));
    EXPECT_EQ(panel.ScrollWindow().at(10), QLatin1Char('A'));
}

TEST(JXDOTPanel, LongTextsScrollToTheirEnd)
{
    TJXDOTPanel panel;
    const QString text = QString(299, QLatin1Char('-')) + QStringLiteral("z");
    panel.SetCaption(text);
    panel.SetInterval(100);
    int starts = 0;
    bool lastSeen = false;
    panel.OnStartText = [&](TObject *) { ++starts; };
    int ticks = 0;
    while (starts == 0 && ticks < 2000) {
        panel.JXOnTime();
        ++ticks;
        if (panel.ScrollWindow().startsWith(QLatin1Char('z')))
            lastSeen = true;
    }
    EXPECT_TRUE(lastSeen);
    EXPECT_EQ(ticks, 301 + 10); // text with its trailing blank, plus the columns
}

TEST(JXDOTPanel, CaptionRestartsTheTextAndItemsKeepTheState)
{
    TJXDOTPanel panel;
    panel.SetInterval(100);
    for (int i = 0; i < 4; ++i)
        panel.JXOnTime();
    panel.Items()->Add(QStringLiteral("more"));
    EXPECT_EQ(panel.ScrollPosition(), 5);
    panel.SetCaption(QString());
    EXPECT_EQ(panel.ScrollPosition(), 1);
    EXPECT_EQ(panel.Items()->Count(), 2); // an empty caption leaves the text
    panel.SetCaption(QStringLiteral("new"));
    EXPECT_EQ(panel.Items()->ToStringList(), QStringList{QStringLiteral("new")});
}

TEST(JXDOTPanel, RunningTimerScrollsTheText)
{
    TManualTimerClock clock;
    TJXDOTPanel panel;
    panel.SetInterval(20);
    int scrolls = 0;
    panel.OnScroll = [&](TObject *) { ++scrolls; };
    clock.Advance(60);
    EXPECT_EQ(scrolls, 3);
    EXPECT_GT(panel.ScrollPosition(), 1);
    panel.SetInterval(0);
    clock.Advance(1000);
    EXPECT_EQ(scrolls, 3);
}

TEST(JXDOTPanel, AlignedPanelSizesOnlyItsFreeSide)
{
    // A top-aligned panel gets its width from the parent; only its height follows the glyphs.
    // Chasing the glyph width would undo the alignment, which puts the width back and asks
    // for the next paint, for ever.
    TWinControl parent;
    parent.SetBounds(0, 0, 300, 100);
    auto *panel = new TJXDOTPanel(&parent);
    panel->SetParent(&parent);
    panel->SetAlign(alTop);
    parent.show();
    panel->Repaint();
    // Queued updates run; a panel that fought its alignment would keep asking for more.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const int paints = panel->PaintCount();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    EXPECT_LE(panel->PaintCount() - paints, 1);
    EXPECT_EQ(panel->Width(), 300);
    EXPECT_EQ(panel->Height(), 27);
    EXPECT_FALSE(panel->PaintPending());
    // The text is drawn at the width the alignment gave.
    EXPECT_GT(jxt::test::CountColor(panel->Surface(), clLime, 0, 0, 30, 27), 0);

    // Without a parent there is no alignment to keep: the width follows the glyphs.
    TJXDOTPanel alone;
    alone.SetAlign(alClient);
    alone.Repaint();
    EXPECT_EQ(alone.Width(), 210);
    EXPECT_EQ(alone.Height(), 27);
}

TEST(JXDOTPanel, StoredColoursShowAfterLoadingAndUserFontsKeepTheirs)
{
    // A form sets the stored colours while loading; Loaded recolours the font once.
    TComponent form;
    auto *panel = new TJXDOTPanel(&form);
    form.BeginLoading();
    panel->SetCaption(QStringLiteral("1"));
    panel->SetColor(clNavy);
    panel->SetDOTHiColor(clYellow);
    panel->SetDOTLoColor(clMaroon);
    jxt::Loaded(&form);
    panel->Repaint();
    EXPECT_EQ(CheckCell(panel->Surface(), 0, 0, '1', clNavy, clMaroon, clYellow), "");

    // A font of the user's own is never replaced by the recoloured built-in one.
    TBitmap font(8, 4);
    font.Canvas()->Brush()->SetColor(clRed);
    font.Canvas()->FillRect(Rect(0, 0, 8, 4));
    panel->SetDOTColumns(2);
    panel->SetDOTRows(1);
    panel->SetDOTCharSet(QStringLiteral("X "));
    panel->SetDOTBitmap(&font);
    panel->SetDOTHiColor(clLime);
    panel->SetColor(clBlack);
    ASSERT_EQ(panel->DOTBitmap()->Width(), 8);
    EXPECT_EQ(PixelAt(panel->DOTBitmap()->Image(), 5, 2), clRed);
}
