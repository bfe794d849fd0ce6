// SPDX-License-Identifier: MIT
// Colours, fonts, text drawing and the image classes of the host layer.
#include "host/graphics/Graphics.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>

#include <climits>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

/// Columns [l, r) and rows [t, b) holding pixels of the colour; empty when none.
TRect ColorBox(const QImage &image, TColor color)
{
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == color) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Left == INT_MAX ? TRect{} : box;
}

void WriteFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

// --- colours ------------------------------------------------------------------------------------

TEST(Colors, SystemColoursFollowTheApplicationPalette)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clHighlight), clNavy);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(QColorToColor(QColor(1, 2, 3)), RGB(1, 2, 3));

    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Button, QColor(0x30, 0x20, 0x10));
    dark.setColor(QPalette::Base, QColor(0x01, 0x02, 0x03));
    QApplication::setPalette(dark);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x102030);
    EXPECT_EQ(ColorToRGB(clWindow), 0x030201);
    jxt::test::InstallFixedEnvironment();
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);

    // "No colour" draws white; the default colour is the window colour.
    EXPECT_EQ(ColorToRGB(clNone), clWhite);
    EXPECT_EQ(ColorToRGB(clDefault), clWhite);
}

TEST(Colors, NamesAndHexTextsConvertBothWays)
{
    EXPECT_EQ(ColorToString(clRed), QStringLiteral("clRed"));
    EXPECT_EQ(ColorToString(clSilver), QStringLiteral("clSilver"));
    EXPECT_EQ(ColorToString(clBtnFace), QStringLiteral("clBtnFace"));
    EXPECT_EQ(ColorToString(clNone), QStringLiteral("clNone"));
    EXPECT_EQ(ColorToString(0x123456), QStringLiteral("$00123456"));
    TColor c = 0;
    ASSERT_TRUE(IdentToColor(QStringLiteral("clInfoBk"), c));
    EXPECT_EQ(c, clInfoBk);
    ASSERT_TRUE(IdentToColor(QStringLiteral("CLRED"), c));
    EXPECT_EQ(c, clRed);
    ASSERT_TRUE(IdentToColor(QStringLiteral("clLtGray"), c));
    EXPECT_EQ(c, clSilver);
    ASSERT_TRUE(IdentToColor(QStringLiteral("$00ABCDEF"), c));
    EXPECT_EQ(c, 0xABCDEF);
    ASSERT_TRUE(IdentToColor(ColorToString(clHighlightText), c));
    EXPECT_EQ(c, clHighlightText);
    c = 7;
    EXPECT_FALSE(IdentToColor(QStringLiteral("clSomething"), c));
    EXPECT_FALSE(IdentToColor(QStringLiteral("$XYZ"), c));
    EXPECT_EQ(c, 7);
}

// --- fonts
// ----------------------------------------------------------------------------------------

TEST(Fonts, SizeAndHeightConvertAt96PixelsPerInch)
{
    TFont font;
    EXPECT_EQ(font.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    const int sizes[][2] = {{8, -11},  {9, -12},  {10, -13}, {12, -16},
                            {15, -20}, {24, -32}, {7, -9}};
    for (const auto &pair : sizes) {
        font.SetSize(pair[0]);
        EXPECT_EQ(font.Height(), pair[1]) << pair[0];
        EXPECT_EQ(font.Size(), pair[0]) << pair[0];
        EXPECT_EQ(font.ToQFont().pixelSize(), -pair[1]);
    }
    font.SetHeight(-14); // 10.5 points round to 11
    EXPECT_EQ(font.Size(), 11);

    // A positive height is the whole cell, so the characters come out smaller.
    font.SetHeight(20);
    EXPECT_LT(font.ToQFont().pixelSize(), 20);
    EXPECT_NEAR(QFontMetrics(font.ToQFont()).height(), 20, 1);
    EXPECT_LT(font.Size(), 15);
}

TEST(Fonts, WindowsFaceNamesResolveToMetricCompatibleFamilies)
{
    TFont font;
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), QStringLiteral("Liberation Sans"));
    font.SetName(QStringLiteral("Times New Roman"));
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), QStringLiteral("Liberation Serif"));
    font.SetName(QStringLiteral("Courier New"));
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), QStringLiteral("Liberation Mono"));
    font.SetName(QStringLiteral("Arial"));
    font.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
    const QFont q = font.ToQFont();
    EXPECT_EQ(QFontInfo(q).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_TRUE(q.strikeOut());
    EXPECT_TRUE(q.styleStrategy() & QFont::NoAntialias);
}

TEST(Fonts, ChangesFireOnChangeOnlyWhenSomethingChanged)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject *) { ++changes; };
    font.SetSize(8);
    font.SetName(QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(changes, 0);
    font.SetSize(12);
    font.SetColor(clRed);
    font.SetStyle({fsBold});
    EXPECT_EQ(changes, 3);
    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_TRUE(copy.Style().Contains(fsBold));
    TPen pen;
    EXPECT_THROW(font.Assign(&pen), EConvertError);
}

// --- text
// -----------------------------------------------------------------------------------------

TEST(Text, MeasuresWithFontMetricsAndCharacterExtra)
{
    QImage image = WhiteImage(10, 10);
    TCanvas canvas(&image);
    const QFontMetrics metrics(canvas.Font()->ToQFont());
    EXPECT_EQ(canvas.TextWidth(QStringLiteral("Hello")),
              metrics.horizontalAdvance(QStringLiteral("Hello")));
    EXPECT_EQ(canvas.TextHeight(QStringLiteral("Hello")), metrics.height());
    const int plain = canvas.TextWidth(QStringLiteral("abc"));
    canvas.SetTextCharacterExtra(3);
    EXPECT_EQ(canvas.TextWidth(QStringLiteral("abc")), plain + 9);
    EXPECT_EQ(canvas.TextExtent(QStringLiteral("abc")), Point(plain + 9, metrics.height()));
    EXPECT_EQ(canvas.TextWidth(QString()), 0);
}

TEST(Text, TextOutFillsTheExtentUnlessTheBrushIsClear)
{
    QImage image = WhiteImage(60, 30);
    TCanvas canvas(&image);
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetColor(clYellow);
    const QString text = QStringLiteral("Hig");
    const int w = canvas.TextWidth(text), h = canvas.TextHeight(text);
    canvas.TextOut(5, 4, text);
    EXPECT_EQ(ColorBox(image, clYellow).Left, 5);
    EXPECT_EQ(ColorBox(image, clYellow).Top, 4);
    EXPECT_EQ(ColorBox(image, clYellow).Bottom, 4 + h);
    EXPECT_LE(ColorBox(image, clYellow).Right, 5 + w);
    EXPECT_EQ(CountColor(image, clYellow, 0, 0, 60, 30) + CountColor(image, clBlack, 0, 0, 60, 30),
              w * h);
    EXPECT_GT(CountColor(image, clBlack, 0, 0, 60, 30), 10);
    EXPECT_EQ(canvas.PenPos(), Point(5 + w, 4));

    // Clear brush: only glyph pixels change, and only to the font colour.
    image.fill(Qt::white);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clRed);
    canvas.TextOut(5, 4, text);
    const int red = CountColor(image, clRed, 0, 0, 60, 30);
    EXPECT_GT(red, 10);
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 60, 30), 60 * 30 - red);

    // Character extra spreads the glyphs.
    QImage spread = WhiteImage(80, 30);
    TCanvas other(&spread);
    other.Brush()->SetStyle(bsClear);
    other.Font()->SetColor(clRed);
    other.SetTextCharacterExtra(5);
    other.TextOut(5, 4, text);
    EXPECT_EQ(CountColor(spread, clRed, 0, 0, 80, 30), red);
    EXPECT_GT(ColorBox(spread, clRed).Right, ColorBox(image, clRed).Right + 8);
}

TEST(Text, DrawTextBreaksOnceForEachLineEndVariant)
{
    QImage image = WhiteImage(100, 100);
    TCanvas canvas(&image);
    const int line = canvas.TextHeight(QStringLiteral("A"));
    const char *twoLines[] = {"A\rB", "A\nB", "A\r\nB", "A\n\rB"};
    for (const char *text : twoLines) {
        TRect r = Rect(0, 0, 100, 100);
        EXPECT_EQ(canvas.DrawText(QString::fromLatin1(text), r, DT_CALCRECT), 2 * line) << text;
        EXPECT_EQ(r.Bottom, 2 * line);
        EXPECT_EQ(r.Right, canvas.TextWidth(QStringLiteral("A")));
    }
    const char *threeLines[] = {"A\r\rB", "A\n\nB", "A\r\n\r\nB", "A\n\r\n\rB", "A\r\n\nB"};
    for (const char *text : threeLines) {
        TRect r = Rect(0, 0, 100, 100);
        EXPECT_EQ(canvas.DrawText(QString::fromLatin1(text), r, DT_CALCRECT), 3 * line) << text;
    }
    // A single line ignores line ends.
    TRect r = Rect(0, 0, 100, 100);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("A\r\nB"), r, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(r.Right, canvas.TextWidth(QStringLiteral("AB")));
    // DT_CALCRECT draws nothing.
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 100, 100), 100 * 100);
}

TEST(Text, DrawTextWrapsAtBlanksAndBreaksOverlongWords)
{
    QImage image = WhiteImage(200, 200);
    TCanvas canvas(&image);
    const int line = canvas.TextHeight(QStringLiteral("A"));
    const int twoWords = canvas.TextWidth(QStringLiteral("alpha beta"));
    TRect r = Rect(10, 10, 10 + twoWords + 2, 200);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("alpha beta gamma"), r, DT_CALCRECT | DT_WORDBREAK),
              2 * line);
    EXPECT_EQ(r.Right, 10 + twoWords);
    EXPECT_EQ(r.Bottom, 10 + 2 * line);

    // Without DT_WORDBREAK the text stays on one line.
    r = Rect(10, 10, 10 + twoWords + 2, 200);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("alpha beta gamma"), r, DT_CALCRECT), line);

    // A word wider than the rectangle is broken between characters and stays inside.
    const QString word = QStringLiteral("Supercalifragilistic");
    const int narrow = canvas.TextWidth(word) / 3;
    r = Rect(0, 0, narrow, 200);
    const int height = canvas.DrawText(word, r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * line);
    EXPECT_LE(r.Right, narrow);

    // Drawn, the text stays inside the rectangle.
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clBlue);
    r = Rect(20, 30, 20 + narrow, 200);
    canvas.DrawText(word, r, DT_WORDBREAK);
    const TRect ink = ColorBox(image, clBlue);
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + narrow);
    EXPECT_GT(ink.Bottom, 30 + 2 * line);
}

TEST(Text, DrawTextAlignsAndClips)
{
    QImage image = WhiteImage(120, 60);
    TCanvas canvas(&image);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clRed);
    canvas.Font()->SetSize(12);
    const int w = canvas.TextWidth(QStringLiteral("MM"));
    TRect r = Rect(0, 0, 120, 60);
    canvas.DrawText(QStringLiteral("MM"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect ink = ColorBox(image, clRed);
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 60, 2);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 30, 4);
    EXPECT_GE(ink.Left, (120 - w) / 2);

    image.fill(Qt::white);
    canvas.DrawText(QStringLiteral("MM"), r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    ink = ColorBox(image, clRed);
    EXPECT_GE(ink.Right, 118);
    EXPECT_GE(ink.Bottom, 50);

    // Two centred lines each centre on their own.
    image.fill(Qt::white);
    canvas.DrawText(QStringLiteral("MMMM\rM"), r, DT_CENTER);
    const int line = canvas.TextHeight(QStringLiteral("M"));
    const QImage second = image.copy(0, line, 120, line);
    ink = ColorBox(second, clRed);
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 60, 2);

    // Clipped to the rectangle unless DT_NOCLIP.
    image.fill(Qt::white);
    r = Rect(10, 10, 20, 30);
    canvas.DrawText(QStringLiteral("MMMMMMMM"), r, DT_LEFT);
    ink = ColorBox(image, clRed);
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 20);
    canvas.DrawText(QStringLiteral("MMMMMMMM"), r, DT_LEFT | DT_NOCLIP);
    EXPECT_GT(ColorBox(image, clRed).Right, 40);
}

TEST(Text, DrawTextHidesPrefixCharacters)
{
    QImage image = WhiteImage(100, 40);
    TCanvas canvas(&image);
    TRect r = Rect(0, 0, 100, 40);
    canvas.DrawText(QStringLiteral("&File"), r, DT_CALCRECT);
    EXPECT_EQ(r.Right, canvas.TextWidth(QStringLiteral("File")));
    r = Rect(0, 0, 100, 40);
    canvas.DrawText(QStringLiteral("A&&B"), r, DT_CALCRECT);
    EXPECT_EQ(r.Right, canvas.TextWidth(QStringLiteral("A&B")));
    r = Rect(0, 0, 100, 40);
    canvas.DrawText(QStringLiteral("&File"), r, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Right, canvas.TextWidth(QStringLiteral("&File")));
}

// --- bitmaps
// --------------------------------------------------------------------------------------

TEST(Bitmap, SetSizeKeepsPixelsAndWhitensNewArea)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    TCanvas *canvas = bitmap.Canvas();
    canvas->Rectangle(0, 0, 1, 1); // no device yet: nothing happens
    bitmap.SetSize(4, 3);
    EXPECT_EQ(CountColor(bitmap.Image(), clWhite, 0, 0, 4, 3), 12);
    canvas->SetPixel(3, 2, clRed);
    bitmap.SetSize(6, 5);
    EXPECT_EQ(bitmap.Canvas(), canvas);
    EXPECT_EQ(PixelAt(bitmap.Image(), 3, 2), clRed);
    EXPECT_EQ(CountColor(bitmap.Image(), clWhite, 0, 0, 6, 5), 29);
    canvas->SetPixel(5, 4, clBlue); // the canvas draws on the resized image
    EXPECT_EQ(PixelAt(bitmap.Image(), 5, 4), clBlue);
    bitmap.SetWidth(2);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 5);
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
    canvas->FillRect(Rect(0, 0, 5, 5));
    // Without pixels the width is kept: setting the height again gives both sides.
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 0);
    bitmap.SetHeight(7);
    EXPECT_EQ(bitmap.Image().size(), QSize(2, 7));
    EXPECT_EQ(CountColor(bitmap.Image(), clWhite, 0, 0, 2, 7), 14);
}

TEST(Bitmap, MonochromeKeepsWhiteAndBlackensTheRestAndSurvivesAFile)
{
    TBitmap bitmap(3, 1);
    bitmap.Canvas()->SetPixel(1, 0, clSilver);
    bitmap.Canvas()->SetPixel(2, 0, clNavy);
    bitmap.SetMonochrome(true);
    EXPECT_EQ(PixelAt(bitmap.Image(), 0, 0), clWhite);
    EXPECT_EQ(PixelAt(bitmap.Image(), 1, 0), clBlack);
    EXPECT_EQ(PixelAt(bitmap.Image(), 2, 0), clBlack);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mono.bmp"));
    bitmap.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_TRUE(loaded.Monochrome());
    EXPECT_EQ(PixelAt(loaded.Image(), 0, 0), clWhite);
    EXPECT_EQ(PixelAt(loaded.Image(), 2, 0), clBlack);
}

TEST(Bitmap, AssignCopiesPixelsIndependently)
{
    TBitmap a(3, 3);
    a.Canvas()->SetPixel(1, 1, clRed);
    TBitmap b;
    b.Assign(&a);
    EXPECT_EQ(PixelAt(b.Image(), 1, 1), clRed);
    b.Canvas()->SetPixel(1, 1, clBlue);
    EXPECT_EQ(PixelAt(a.Image(), 1, 1), clRed);
    TFont font;
    EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(Bitmap, BmpFilesRoundTripAndBadFilesThrow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TBitmap bitmap(5, 4);
    bitmap.Canvas()->SetPixel(0, 0, clRed);
    bitmap.Canvas()->SetPixel(4, 3, 0x123456);
    const QString path = dir.filePath(QStringLiteral("round.bmp"));
    bitmap.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Width(), 5);
    EXPECT_EQ(loaded.Height(), 4);
    EXPECT_EQ(PixelAt(loaded.Image(), 0, 0), clRed);
    EXPECT_EQ(PixelAt(loaded.Image(), 4, 3), 0x123456);
    EXPECT_EQ(loaded.Image().format(), QImage::Format_RGB32);

    TBitmap fromData;
    fromData.LoadFromFile(QStringLiteral(JXT_TEST_DATA_DIR "/graphics/testdots.bmp"));
    EXPECT_EQ(PixelAt(fromData.Image(), 0, 0), clRed);
    EXPECT_EQ(PixelAt(fromData.Image(), 2, 1), clFuchsia);

    EXPECT_THROW(loaded.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))), EInOutError);
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    WriteFile(junk, QByteArray("this is not a bitmap at all"));
    EXPECT_THROW(loaded.LoadFromFile(junk), EInOutError);
    // A header promising an enormous image is refused before anything is allocated.
    QFile source(QStringLiteral(JXT_TEST_DATA_DIR "/graphics/testdots.bmp"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray huge = source.readAll();
    const qint32 side = 1000000;
    memcpy(huge.data() + 18, &side, 4);
    memcpy(huge.data() + 22, &side, 4);
    const QString hugePath = dir.filePath(QStringLiteral("huge.bmp"));
    WriteFile(hugePath, huge);
    EXPECT_THROW(loaded.LoadFromFile(hugePath), EInOutError);
    const QString truncated = dir.filePath(QStringLiteral("truncated.bmp"));
    WriteFile(truncated, huge.left(30));
    EXPECT_THROW(loaded.LoadFromFile(truncated), EInOutError);
    // The failed loads left the last good picture.
    EXPECT_EQ(loaded.Width(), 5);

    EXPECT_THROW(loaded.SaveToFile(dir.filePath(QStringLiteral("no/such/dir/x.bmp"))), EInOutError);
    TBitmap empty;
    EXPECT_THROW(empty.SaveToFile(dir.filePath(QStringLiteral("empty.bmp"))), EInOutError);
}

TEST(Bitmap, LoadsLibraryResourcesByNameIgnoringCase)
{
    TBitmap bitmap;
    bitmap.LoadFromResourceName(QStringLiteral("JxtTestDots"));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(PixelAt(bitmap.Image(), 1, 0), clLime);
    EXPECT_THROW(bitmap.LoadFromResourceName(QStringLiteral("NoSuchBitmap")), Exception);
    EXPECT_THROW(bitmap.LoadFromResourceName(QString()), Exception);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelAndIsLeftOutWhenDrawing)
{
    TBitmap bitmap(2, 2);
    bitmap.Canvas()->SetPixel(0, 1, clFuchsia);
    bitmap.Canvas()->SetPixel(1, 1, clFuchsia);
    bitmap.Canvas()->SetPixel(0, 0, clRed);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentColor(clRed);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clRed);
    bitmap.SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);

    QImage image = WhiteImage(6, 6);
    image.fill(Qt::black);
    TCanvas canvas(&image);
    canvas.Draw(1, 1, &bitmap);
    EXPECT_EQ(PixelAt(image, 1, 2), clFuchsia);
    image.fill(Qt::black);
    bitmap.SetTransparent(true);
    canvas.StretchDraw(Rect(0, 0, 4, 4), &bitmap);
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 6, 6), 4); // stretched 2 x 2
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 6, 6), 4);
    EXPECT_EQ(CountColor(image, clFuchsia, 0, 0, 6, 6), 0); // left out
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, 6, 6), 36 - 8);

    // Without transparency, Draw uses the canvas copy mode.
    bitmap.SetTransparent(false);
    image.fill(Qt::white);
    canvas.SetCopyMode(cmSrcAnd);
    canvas.Draw(0, 0, &bitmap);
    EXPECT_EQ(PixelAt(image, 0, 0), clRed);
    EXPECT_EQ(PixelAt(image, 1, 0), clWhite);
}

// --- icons, metafiles, pictures ----------------------------------------------------------------

TEST(Picture, LoadsByExtensionAndConvertsToBitmap)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage iconImage(16, 16, QImage::Format_ARGB32);
    iconImage.fill(Qt::transparent);
    for (int i = 0; i < 16; ++i)
        iconImage.setPixel(i, i, qRgb(255, 0, 0));
    TIcon icon;
    icon.SetImage(iconImage);
    const QString iconPath = dir.filePath(QStringLiteral("cross.ico"));
    icon.SaveToFile(iconPath);

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject *) { ++changes; };
    picture.LoadFromFile(iconPath);
    ASSERT_NE(dynamic_cast<TIcon *>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(changes, 1);

    // The icon is drawn with its mask.
    QImage image = WhiteImage(16, 16);
    TCanvas canvas(&image);
    canvas.Draw(0, 0, picture.Graphic());
    EXPECT_EQ(CountColor(image, clRed, 0, 0, 16, 16), 16);
    EXPECT_EQ(CountColor(image, clWhite, 0, 0, 16, 16), 240);

    TBitmap *bitmap = picture.Bitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 16);
    EXPECT_EQ(PixelAt(bitmap->Image(), 3, 3), clRed);
    EXPECT_EQ(PixelAt(bitmap->Image(), 3, 4), clWhite);
    EXPECT_EQ(picture.Bitmap(), bitmap);

    const QString bmpPath = dir.filePath(QStringLiteral("copy.bmp"));
    picture.SaveToFile(bmpPath);
    TPicture again;
    again.LoadFromFile(bmpPath);
    EXPECT_NE(dynamic_cast<TBitmap *>(again.Graphic()), nullptr);
    EXPECT_EQ(PixelAt(again.Bitmap()->Image(), 5, 5), clRed);

    // SetGraphic keeps a copy.
    TBitmap source(2, 2);
    again.SetGraphic(&source);
    source.Canvas()->SetPixel(0, 0, clBlack);
    EXPECT_EQ(PixelAt(again.Bitmap()->Image(), 0, 0), clWhite);
    again.SetGraphic(nullptr);
    EXPECT_EQ(again.Graphic(), nullptr);
    EXPECT_EQ(again.Width(), 0);

    EXPECT_THROW(again.LoadFromFile(dir.filePath(QStringLiteral("none.ico"))), EInOutError);
}

TEST(Picture, MetafilePlaysScaledIntoTheRectangle)
{
    TMetafile metafile;
    {
        QPainter painter(&metafile.Picture());
        painter.fillRect(QRect(0, 0, 10, 10), Qt::blue);
    }
    metafile.SetWidth(10);
    metafile.SetHeight(10);
    EXPECT_FALSE(metafile.Empty());
    QImage image = WhiteImage(40, 40);
    TCanvas canvas(&image);
    canvas.StretchDraw(Rect(10, 10, 30, 30), &metafile);
    EXPECT_EQ(ColorBox(image, clBlue), Rect(10, 10, 30, 30));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.pic"));
    metafile.SaveToFile(path);
    TPicture picture;
    picture.LoadFromFile(path);
    ASSERT_NE(dynamic_cast<TMetafile *>(picture.Graphic()), nullptr);
    const QString bogus = dir.filePath(QStringLiteral("bogus.wmf"));
    WriteFile(bogus, QByteArray(64, '\x01'));
    EXPECT_THROW(picture.LoadFromFile(bogus), EInOutError);
}
