// SPDX-License-Identifier: MIT
// Fill image: the pattern resources against their tables, ramps and their bands, patterns,
// the user-bitmap rule, following the parent and the designer's frame.
#include "effects/JXFillImage.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMetaProperty>

#include <map>
#include <memory>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

// The pattern pictures, top row first: K black, G gray, S silver, W white, t teal, A aqua.
struct TPatternTable
{
    TFStyle style;
    const char *formName;
    const char *rows[8];
};

const TPatternTable kPatterns[] = {
    {BCyan,
     "JXFBCYAN",
     {"tttttttt", "tWtWtWtW", "tttttttt", "tWtWtWtW", "tttttttt", "tWtWtWtW", "tttttttt",
      "tWtWtWtW"}},
    {BGray,
     "JXFBGRAY",
     {"WSWSWSWS", "SSSSSSSS", "WSWSWSWS", "SSSSSSSS", "WSWSWSWS", "SSSSSSSS", "WSWSWSWS",
      "SSSSSSSS"}},
    {LCyan,
     "JXFLCYAN",
     {"WtWtWtWt", "tWtWtWtW", "WtWtWtWt", "tWtWtWtW", "WtWtWtWt", "tWtWtWtW", "WtWtWtWt",
      "tWtWtWtW"}},
    {LGray,
     "JXFLGRAY",
     {"SWSWSWSW", "WSWSWSWS", "SWSWSWSW", "WSWSWSWS", "SWSWSWSW", "WSWSWSWS", "SWSWSWSW",
      "WSWSWSWS"}},
    {WDGray,
     "JXFWDGRAY",
     {"KKKKKKSS", "KKKKKSSK", "SSKKSSKK", "KSSKKKKK", "KKSSKKKK", "KKKSSKKK", "SSKKSSKK",
      "SKKKKKKS"}},
    {Weave,
     "JXFWEAVE",
     {"KtAtKtAt", "tKtKtKtA", "AtKtAtKt", "tAtKtKtK", "KtAtKtAt", "tKtKtAtK", "AtKtAtKt",
      "tKtAtKtK"}},
    {WGray,
     "JXFWGRAY",
     {"GGGGGGSS", "GGGGGSSG", "SSGGSSGG", "GSSGGGGG", "GGSSGGGG", "GGGSSGGG", "SSGGSSGG",
      "SGGGGGGS"}},
    {WLGray,
     "JXFWLGRAY",
     {"WWWWWWGG", "WWWWWGGW", "GGWWGGWW", "WGGWWWWW", "WWGGWWWW", "WWWGGWWW", "GGWWGWWW",
      "GWWWWWWG"}},
};

TColor LetterColor(char c)
{
    static const std::map<char, TColor> colours = {
        {'K', RGB(0, 0, 0)},       {'G', RGB(128, 128, 128)}, {'S', RGB(192, 192, 192)},
        {'W', RGB(255, 255, 255)}, {'t', RGB(0, 128, 128)},   {'A', RGB(0, 255, 255)}};
    return colours.at(c);
}

// Every pixel of image against the table rows.
void ExpectPattern(const QImage &image, const TPatternTable &table, int width, int height,
                   const QString &what)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(PixelAt(image, x, y), LetterColor(table.rows[y % 8][x % 8]))
                << what.toStdString() << " at " << x << "," << y;
}

quint32 LittleEndian32(const QByteArray &data, int offset)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(data[offset + i]);
    return v;
}

} // namespace

TEST(JXFillImage, PatternResourcesMatchTheirTablesUnderBothNames)
{
    // The sixteen standard colours, in palette order, as stored (blue, green, red).
    const int palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                             0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (const TPatternTable &table : kPatterns) {
        const QString names[] = {QString::fromLatin1(TJXFillImage::FillString[table.style]),
                                 QString::fromLatin1(table.formName)};
        for (const QString &name : names) {
            TBitmap bitmap;
            bitmap.LoadFromResourceName(name);
            ASSERT_EQ(bitmap.Width(), 8) << name.toStdString();
            ASSERT_EQ(bitmap.Height(), 8) << name.toStdString();
            ExpectPattern(bitmap.Image(), table, 8, 8, name);

            QFile file(QStringLiteral(":/jxt/") + name + QStringLiteral(".bmp"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray data = file.readAll();
            ASSERT_GE(data.size(), 54 + 64);
            EXPECT_EQ(quint8(data[28]), 4) << "bits per pixel of " << name.toStdString();
            for (int i = 0; i < 16; ++i) {
                const quint32 entry = LittleEndian32(data, 54 + 4 * i);
                const int rgb =
                    int(((entry >> 16) & 0xFF) << 16 | (entry & 0xFF00) | (entry & 0xFF));
                EXPECT_EQ(rgb, palette[i]) << name.toStdString() << " palette " << i;
            }
        }
    }
}

TEST(JXFillImage, DefaultsClampsAndPublishedOrder)
{
    TJXFillImage image;
    EXPECT_EQ(image.Width(), 100);
    EXPECT_EQ(image.Height(), 100);
    EXPECT_EQ(image.FillStyle(), NONE);
    EXPECT_EQ(image.RBFromColor(), clLime);
    EXPECT_EQ(image.RBToColor(), clAqua);
    EXPECT_EQ(image.RBSteps(), 64);
    EXPECT_EQ(image.PatternBitmap()->Width(), 10);
    for (int steps : {0, 1}) {
        image.SetRBSteps(std::uint8_t(steps));
        EXPECT_EQ(image.RBSteps(), 2);
    }
    EXPECT_EQ(image.GetAboutJXT(), QStringLiteral("27.07.98"));

    const QMetaObject *mo = image.metaObject();
    const QStringList expected = {"About_JXTools", "AdjustToParent", "FillBitmap", "FillStyle",
                                  "RBFromColor",   "RBSteps",        "RBToColor"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromLatin1(mo->property(mo->propertyOffset() + i).name()), expected[i]);
    // Qt sets the style by its name.
    EXPECT_TRUE(image.setProperty("FillStyle", QStringLiteral("Weave")));
    EXPECT_EQ(image.FillStyle(), Weave);
}

TEST(JXFillImage, RampBandsAndColours)
{
    TJXFillImage image;
    image.SetFillStyle(vRAINBOW);
    image.SetRBFromColor(RGB(0, 255, 0));
    image.SetRBToColor(RGB(0, 255, 255));

    // Ten steps on 100 rows: ten bands of ten rows; band 1 is a ninth of the way.
    image.SetRBSteps(10);
    image.Repaint();
    const QImage &s = image.Surface();
    EXPECT_EQ(PixelAt(s, 50, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(s, 99, 9), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(s, 0, 10), RGB(0, 255, 28));
    EXPECT_EQ(PixelAt(s, 0, 19), RGB(0, 255, 28));
    EXPECT_EQ(PixelAt(s, 0, 89), RGB(0, 255, 226));
    EXPECT_EQ(PixelAt(s, 0, 90), RGB(0, 255, 255));
    EXPECT_EQ(PixelAt(s, 99, 99), RGB(0, 255, 255));

    // Three steps: bands of 33 rows, the last one takes the remainder.
    image.SetRBSteps(3);
    image.Repaint();
    EXPECT_EQ(PixelAt(image.Surface(), 0, 32), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(image.Surface(), 0, 33), RGB(0, 255, 127));
    EXPECT_EQ(PixelAt(image.Surface(), 0, 65), RGB(0, 255, 127));
    EXPECT_EQ(PixelAt(image.Surface(), 0, 66), RGB(0, 255, 255));

    // 64 steps on 100 rows become 100 one-row bands; falling channels go down as well.
    image.SetRBFromColor(RGB(200, 0, 99));
    image.SetRBToColor(RGB(0, 0, 0));
    image.SetRBSteps(64);
    image.Repaint();
    int changes = 0;
    for (int y = 1; y < 100; ++y)
        changes += PixelAt(image.Surface(), 0, y) != PixelAt(image.Surface(), 0, y - 1);
    EXPECT_EQ(changes, 99);
    EXPECT_EQ(PixelAt(image.Surface(), 0, 0), RGB(200, 0, 99));
    EXPECT_EQ(PixelAt(image.Surface(), 0, 1), RGB(198, 0, 98)); // 200 - 200 div 99, 99 - 99 div 99
    EXPECT_EQ(PixelAt(image.Surface(), 0, 99), RGB(0, 0, 0));

    // The horizontal ramp runs along the columns.
    image.SetFillStyle(hRAINBOW);
    image.SetBounds(0, 0, 60, 20);
    image.SetRBSteps(2);
    image.Repaint();
    EXPECT_EQ(PixelAt(image.Surface(), 29, 19), RGB(200, 0, 99));
    EXPECT_EQ(PixelAt(image.Surface(), 30, 0), RGB(0, 0, 0));
}

TEST(JXFillImage, RampOnAnEmptySidePaintsNothing)
{
    TJXFillImage image;
    image.SetFillStyle(vRAINBOW);
    image.SetBounds(0, 0, 40, 0);
    image.Repaint(); // no division by zero
    image.SetFillStyle(hRAINBOW);
    image.SetBounds(0, 0, 0, 40);
    image.Repaint();
    // One row: a single band in the end colour.
    image.SetFillStyle(vRAINBOW);
    image.SetBounds(0, 0, 5, 1);
    image.Repaint();
    EXPECT_EQ(PixelAt(image.Surface(), 4, 0), clAqua);
}

TEST(JXFillImage, PatternStylesRepeatFromTheOrigin)
{
    TJXFillImage image;
    image.SetBounds(0, 0, 21, 19);
    for (const TPatternTable &table : kPatterns) {
        image.SetFillStyle(table.style);
        image.Repaint();
        ExpectPattern(image.Surface(), table, 21, 19, QString::fromLatin1(table.formName));
    }
    // Leaving the pattern styles keeps the last pattern loaded.
    image.SetFillStyle(NONE);
    EXPECT_EQ(PixelAt(image.PatternBitmap()->Image(), 0, 0), LetterColor('W'));
}

TEST(JXFillImage, UserBitmapAsBrushAsTilesOrNothing)
{
    const auto marked = [](int w, int h) {
        auto b = std::make_unique<TBitmap>(w, h);
        b->Canvas()->FillSolid(Rect(0, 0, w, h), clBlue);
        b->Canvas()->SetPixel(0, 0, clRed);
        return b;
    };
    TJXFillImage image;
    image.SetBounds(0, 0, 40, 40);
    image.SetFillStyle(BITMAP);

    // At most 8 rows: a brush, repeating every 8 pixels whatever the bitmap's width.
    image.SetFillBitmap(marked(8, 8).get());
    image.Repaint();
    EXPECT_EQ(PixelAt(image.Surface(), 32, 24), clRed);
    EXPECT_EQ(PixelAt(image.Surface(), 33, 24), clBlue);

    // Higher: tiles from (0, 0), the last ones clipped.
    image.SetFillBitmap(marked(16, 16).get());
    image.Repaint();
    EXPECT_EQ(PixelAt(image.Surface(), 32, 32), clRed);
    EXPECT_EQ(PixelAt(image.Surface(), 16, 0), clRed);
    EXPECT_EQ(PixelAt(image.Surface(), 8, 8), clBlue);
    EXPECT_EQ(PixelAt(image.Surface(), 39, 39), clBlue);

    // Wider than 256: nothing is painted over the old picture.
    image.Canvas()->FillSolid(Rect(0, 0, 40, 40), clYellow);
    image.SetFillBitmap(marked(300, 20).get());
    image.Repaint();
    EXPECT_EQ(PixelAt(image.Surface(), 0, 0), clYellow);
    EXPECT_EQ(PixelAt(image.Surface(), 20, 20), clYellow);
}

TEST(JXFillImage, AdjustToParentFollowsTheParentsClientArea)
{
    TWinControl parent;
    parent.SetBounds(0, 0, 200, 150);
    parent.show();
    auto *image = new TJXFillImage(&parent);
    image->SetParent(&parent);
    image->SetBounds(10, 20, 30, 30);
    image->SetAlign(alRight);
    image->SetAdjustToParent(true);
    EXPECT_EQ(image->Align(), alNone);
    EXPECT_EQ(image->BoundsRect(), Rect(0, 0, 200, 150));
    parent.SetBounds(0, 0, 120, 90);
    EXPECT_EQ(image->BoundsRect(), Rect(0, 0, 120, 90));
    // Painting never changes the size.
    image->SetBounds(5, 5, 10, 10);
    const TRect moved = image->BoundsRect();
    image->Repaint();
    EXPECT_EQ(image->BoundsRect(), moved);
    image->SetAdjustToParent(false);
    parent.SetBounds(0, 0, 300, 300);
    EXPECT_EQ(image->BoundsRect(), moved);
}

TEST(JXFillImage, DashedFrameOnlyInTheDesigner)
{
    TJXFillImage image;
    image.SetBounds(0, 0, 40, 30);
    image.Canvas()->FillSolid(Rect(0, 0, 40, 30), clWhite);
    image.Repaint();
    EXPECT_EQ(jxt::test::CountColor(image.Surface(), clBlack, 0, 0, 40, 30), 0);

    image.SetDesigning(true);
    image.Repaint();
    const int topEdge = jxt::test::CountColor(image.Surface(), clBlack, 0, 0, 40, 1);
    EXPECT_GT(topEdge, 5);
    EXPECT_LT(topEdge, 40); // dashes, not a solid line
    EXPECT_EQ(PixelAt(image.Surface(), 20, 15), clWhite);
}
