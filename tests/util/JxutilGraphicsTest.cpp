// SPDX-License-Identifier: MIT
// Graphics and sound helpers: pictures and icons from files (real ones from Debian packages
// where installed), proportional fitting, the shadow colour, form placement, wave headers
// and the 48-bit real they carry.
#include "util/JxutilGraphics.h"

#include "ChildProcess.h"
#include "TestSupport.h"
#include "host/controls/Forms.h"
#include "host/core/SysUtils.h"
#include "platform/IconBuilders.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <memory>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// A 100 x 50 picture: red, with a blue left column.
std::unique_ptr<TBitmap> WidePicture()
{
    auto b = std::make_unique<TBitmap>(100, 50);
    b->Canvas()->FillSolid(Rect(0, 0, 100, 50), clRed);
    b->Canvas()->FillSolid(Rect(0, 0, 1, 50), clBlue);
    return b;
}

QByteArray PcmWave(qint32 riffSize, qint32 bytesPerSecond, int total)
{
    platform::TWavHeader h;
    h.RiffID = platform::FourCC("RIFF");
    h.RiffSize = riffSize;
    h.FormType = platform::FourCC("WAVE");
    h.FmtID = platform::FourCC("fmt ");
    h.FmtSize = 16;
    h.FormatTag = 1;
    h.Channels = 1;
    h.SamplesPerSec = 8000;
    h.AvgBytesPerSec = bytesPerSecond;
    h.BlockAlign = 2;
    h.BitsPerSample = 16;
    h.DataID = platform::FourCC("data");
    // Lying headers may give any size; the data size follows it with 32-bit wrap-around.
    h.DataSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(riffSize) - 36u);
    QByteArray bytes = platform::WavHeaderBytes(h);
    bytes.append(QByteArray(std::max(0, total - 44), '\x11'));
    return bytes;
}

} // namespace

TEST(JxutilGraphics, FittingKeepsTheAspectRatio)
{
    const auto picture = WidePicture();
    TBitmap target(200, 200);
    target.Canvas()->FillSolid(Rect(0, 0, 200, 200), clWhite);
    jxtStretchPropDraw(picture.get(), Rect(0, 0, 200, 200), target.Canvas());
    const auto red = jxt::test::InkOf(target.Image(), clRed);
    const auto blue = jxt::test::InkOf(target.Image(), clBlue);
    EXPECT_EQ(std::min(red.Left, blue.Left), 0);
    EXPECT_EQ(red.Top, 50);
    EXPECT_EQ(red.Right, 199);
    EXPECT_EQ(red.Bottom, 149);

    // A tall rectangle: the full width decides; an offset rectangle centres inside itself.
    target.Canvas()->FillSolid(Rect(0, 0, 200, 200), clWhite);
    jxtStretchPropDraw(picture.get(), Rect(20, 10, 60, 110), target.Canvas());
    const auto ink = jxt::test::InkOf(target.Image(), clRed);
    EXPECT_EQ(ink.Top, 50);
    EXPECT_EQ(ink.Bottom, 69);
    EXPECT_EQ(ink.Right, 59);

    TBitmap zoomed(5, 5);
    jxtZoomInRect(picture.get(), Rect(0, 0, 200, 200), &zoomed);
    EXPECT_EQ(zoomed.Width(), 200);
    EXPECT_EQ(zoomed.Height(), 100);
    EXPECT_EQ(PixelAt(zoomed.Image(), 199, 99), clRed);
    // Height-limited: 300 x 60 gives 120 x 60, drawn from the left edge.
    jxtZoomInRect(picture.get(), Rect(0, 0, 300, 60), &zoomed);
    EXPECT_EQ(zoomed.Width(), 120);
    EXPECT_EQ(zoomed.Height(), 60);
    EXPECT_EQ(PixelAt(zoomed.Image(), 0, 30), clBlue);
    // A new, empty bitmap takes the size too (the width is set while the height is still 0).
    TBitmap fresh;
    jxtZoomInRect(picture.get(), Rect(0, 0, 200, 200), &fresh);
    EXPECT_EQ(fresh.Width(), 200);
    EXPECT_EQ(fresh.Height(), 100);
    EXPECT_EQ(PixelAt(fresh.Image(), 199, 99), clRed);

    // Missing or empty pictures draw nothing and leave the bitmap alone.
    TBitmap empty;
    jxtZoomInRect(&empty, Rect(0, 0, 10, 10), &zoomed);
    jxtZoomInRect(nullptr, Rect(0, 0, 10, 10), &zoomed);
    EXPECT_EQ(zoomed.Width(), 120);
    jxtStretchPropDraw(nullptr, Rect(0, 0, 10, 10), target.Canvas());
}

TEST(JxutilGraphics, ShadowColourAndCross)
{
    EXPECT_EQ(jxtGetShadowColor(clWhite, clBlack), RGB(53, 53, 53));
    // Negative differences truncate towards zero; the channel wraps past 255.
    EXPECT_EQ(jxtGetShadowColor(RGB(0, 4, 254), RGB(255, 0, 254)), RGB(255 - 51 + 2, 2, 0));
    EXPECT_EQ(jxtGetShadowColor(RGB(0, 0, 0), RGB(0, 0, 9)), RGB(2, 2, 9 - 1 + 2));

    TBitmap b(10, 10);
    b.Canvas()->FillSolid(Rect(0, 0, 10, 10), clWhite);
    jxtDrawCross(&b, clRed);
    EXPECT_EQ(PixelAt(b.Image(), 0, 0), clRed);
    EXPECT_EQ(PixelAt(b.Image(), 9, 9), clRed);
    EXPECT_EQ(PixelAt(b.Image(), 9, 1), clRed);
    EXPECT_EQ(PixelAt(b.Image(), 5, 0), clWhite);
    // The second diagonal starts outside the bitmap; the two meet at (5, 5).
    EXPECT_EQ(CountColor(b.Image(), clRed, 0, 0, 10, 10), 18);
    EXPECT_EQ(jxtGetNumColors(b.Canvas()), -1);
    EXPECT_EQ(jxtGetNumColors(nullptr), 0);
}

TEST(JxutilGraphics, BitmapsFromPictureFiles)
{
    QTemporaryDir dir;
    auto path = [&](const char *name) { return dir.filePath(QLatin1String(name)); };

    // A missing file and an unknown kind give an empty bitmap, never none.
    std::unique_ptr<TBitmap> b(jxtGetBitmapFromFile(path("missing.bmp"), 0));
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->Empty());
    ASSERT_TRUE(Write(path("note.txt"), "hello"));
    b.reset(jxtGetBitmapFromFile(path("note.txt"), 0));
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->Empty());

    // BMP, JPEG and GIF at their own size.
    WidePicture()->SaveToFile(path("wide.bmp"));
    b.reset(jxtGetBitmapFromFile(path("wide.bmp"), 0));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Width(), 100);
    EXPECT_EQ(PixelAt(b->Image(), 50, 20), clRed);
    ASSERT_TRUE(WidePicture()->Image().save(path("wide.jpg"), "jpeg", 95));
    b.reset(jxtGetBitmapFromFile(path("WIDE.JPG"), 0));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Height(), 50);
    // A 2 x 1 GIF: a red pixel and a blue one.
    const QByteArray gif = QByteArray::fromHex("474946383961"
                                               "0200010080"
                                               "0000"
                                               "ff0000"
                                               "0000ff"
                                               "2c000000000200010000"
                                               "02"
                                               "02440a00"
                                               "3b");
    ASSERT_TRUE(Write(path("dots.gif"), gif));
    b.reset(jxtGetBitmapFromFile(path("dots.gif"), 0));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Width(), 2);
    EXPECT_EQ(PixelAt(b->Image(), 0, 0), clRed);

    // Unreadable pictures give none: garbage, a lying header, a FIFO (never opened blocking).
    ASSERT_TRUE(Write(path("bad.bmp"), "BM not really a bitmap"));
    EXPECT_EQ(jxtGetBitmapFromFile(path("bad.bmp"), 0), nullptr);
    QByteArray huge = Read(path("wide.bmp"));
    qToLittleEndian<qint32>(1000000, huge.data() + 18);
    qToLittleEndian<qint32>(1000000, huge.data() + 22);
    ASSERT_TRUE(Write(path("huge.bmp"), huge));
    EXPECT_EQ(jxtGetBitmapFromFile(path("huge.bmp"), 0), nullptr);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.bmp")).constData(), 0600), 0);
    EXPECT_EQ(jxtGetBitmapFromFile(path("pipe.bmp"), 0), nullptr);
}

TEST(JxutilGraphics, BitmapsAndCountsOfIcons)
{
    QTemporaryDir dir;
    const QString lib = dir.filePath(QStringLiteral("two.icl"));
    using jxt::test::IconDib;
    ASSERT_TRUE(Write(
        lib, jxt::test::NeIconLibrary(
                 {{IconDib(32, 32, 8, [](int, int) { return 0xFF00FF00u; })},
                  {IconDib(16, 16, 4, [](int x, int) { return x < 8 ? 0xFFFF0000u : 0u; })}})));
    EXPECT_EQ(jxtGetIconCount(lib), 2);
    std::unique_ptr<TBitmap> b(jxtGetBitmapFromFile(lib, 1));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Width(), 32);
    EXPECT_EQ(PixelAt(b->Image(), 2, 2), clRed);    // scaled up from 16 pixels
    EXPECT_EQ(PixelAt(b->Image(), 30, 2), clWhite); // transparent: the bitmap shows through
    EXPECT_EQ(jxtGetBitmapFromFile(lib, 2), nullptr);
    EXPECT_EQ(jxtGetBitmapFromFile(lib, -1), nullptr);

    const QString text = dir.filePath(QStringLiteral("plain.exe"));
    ASSERT_TRUE(Write(text, "not a program"));
    EXPECT_EQ(jxtGetIconCount(text), 0);
    EXPECT_EQ(jxtGetBitmapFromFile(text, 0), nullptr);
    EXPECT_EQ(jxtGetIconCount(dir.filePath(QStringLiteral("missing.exe"))), 0);

    const QString launcher = QStringLiteral("/usr/lib/python3/dist-packages/distlib/w64.exe");
    const QString iconFile =
        QStringLiteral("/usr/share/nsis/Contrib/Graphics/Icons/llama-blue.ico");
    if (!QFileInfo::exists(launcher) || !QFileInfo::exists(iconFile))
        GTEST_SKIP() << "needs the Debian packages python3-distlib and nsis-common "
                        "(scripts/install-deps.sh)";
    EXPECT_EQ(jxtGetIconCount(launcher), 1);
    EXPECT_EQ(jxtGetIconCount(iconFile), 1);
    for (const QString &file : {launcher, iconFile}) {
        b.reset(jxtGetBitmapFromFile(file, 0));
        ASSERT_TRUE(b);
        EXPECT_EQ(b->Width(), 32);
        EXPECT_LT(CountColor(b->Image(), clWhite, 0, 0, 32, 32), 32 * 32 - 100) << qPrintable(file);
    }
    EXPECT_EQ(jxtGetBitmapFromFile(iconFile, 1), nullptr);
}

TEST(JxutilGraphics, DesktopIconOfAFileType)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(Write(file, "x"));
    std::unique_ptr<TIcon> large(jxtGetFileIcon(file, true));
    std::unique_ptr<TIcon> small(jxtGetFileIcon(file, false));
    ASSERT_TRUE(large && small);
    EXPECT_EQ(large->Width(), 32);
    EXPECT_EQ(small->Width(), 16);
    std::unique_ptr<TIcon> none(jxtGetFileIcon(dir.filePath(QStringLiteral("gone.txt")), true));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->Empty());
}

TEST(JxutilGraphics, FormPlacement)
{
    TForm form;
    form.SetBounds(10, 20, 200, 100);
    const int sw = Screen()->Width(), sh = Screen()->Height();
    struct
    {
        int position, left, top;
    } cases[] = {{0, (sw - 200) / 2, (sh - 100) / 2},
                 {1, 1, 1},
                 {3, sw - 200, 1},
                 {4, 1, (sh - 100) / 2},
                 {8, sw - 200, sh - 100},
                 {7, (sw - 200) / 2, sh - 100}};
    for (const auto &c : cases) {
        jxtFormPos(&form, c.position);
        EXPECT_EQ(form.Left(), c.left) << c.position;
        EXPECT_EQ(form.Top(), c.top) << c.position;
        EXPECT_EQ(form.Width(), 200);
    }
    jxtFormPos(&form, 9);
    jxtFormPos(&form, -1);
    EXPECT_EQ(form.Left(), (sw - 200) / 2);
    EXPECT_EQ(form.Top(), sh - 100);
}

TEST(JxutilGraphics, Real48)
{
    EXPECT_EQ(TReal48(1.0).Bytes(), (std::array<std::uint8_t, 6>{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(TReal48(-2.0).Bytes(), (std::array<std::uint8_t, 6>{0x82, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(TReal48(0.75).Bytes(), (std::array<std::uint8_t, 6>{0x80, 0, 0, 0, 0, 0x40}));
    EXPECT_EQ(TReal48(0.0).Bytes(), (std::array<std::uint8_t, 6>{}));
    for (double v : {0.1, 3.14159265358979, -123456.789, 1e-30, 6.02e23}) {
        EXPECT_NEAR(TReal48(v).ToDouble(), v, std::fabs(v) * 2e-12) << v;
    }
    // Out of range: tiny values become 0, huge ones and infinities the largest of their sign.
    EXPECT_EQ(TReal48(1e-45).ToDouble(), 0.0);
    EXPECT_GT(TReal48(1e300).ToDouble(), 1.7e38);
    EXPECT_LT(TReal48(-INFINITY).ToDouble(), -1.7e38);
    EXPECT_EQ(TReal48(NAN).ToDouble(), 0.0);
}

TEST(JxutilGraphics, WaveHeaders)
{
    QTemporaryDir dir;
    const QString wave = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(Write(wave, PcmWave(44 + 16000, 8000, 1000)));
    TWavInfo info;
    jxtGetWavInfo(wave, info);
    EXPECT_EQ(std::uint32_t(info.RiffID), platform::FourCC("RIFF"));
    EXPECT_EQ(info.RiffSize, 16044);
    EXPECT_EQ(info.FormatTag, 1);
    EXPECT_EQ(info.Channels, 1);
    EXPECT_EQ(info.SamplesPerSec, 8000);
    EXPECT_EQ(info.AvgBytesPerSec, 8000);
    EXPECT_EQ(info.BlockAlign, 2);
    EXPECT_EQ(info.BitsPerSample, 16);
    EXPECT_DOUBLE_EQ(double(info.PlayTime), 2.0);
    EXPECT_DOUBLE_EQ(double(jxtGetWavPlayTime(wave)), 2.0);

    // Headers that do not describe a wave leave the record alone and give -1.
    struct
    {
        const char *name;
        QByteArray bytes;
    } bad[] = {{"text", QByteArray(100, 'a')},
               {"tiny", PcmWave(44 + 50, 8000, 100)},
               {"no rate", PcmWave(44 + 16000, 0, 100)},
               {"wrapping size", PcmWave(INT32_MIN + 10, 8000, 100)}};
    for (const auto &c : bad) {
        ASSERT_TRUE(Write(wave, c.bytes));
        TWavInfo untouched;
        untouched.Channels = 7;
        jxtGetWavInfo(wave, untouched);
        EXPECT_EQ(untouched.Channels, 7) << c.name;
        EXPECT_EQ(double(jxtGetWavPlayTime(wave)), -1.0) << c.name;
    }

    // Short, missing and unreadable files raise the input/output error.
    ASSERT_TRUE(Write(wave, QByteArray(43, 'R')));
    EXPECT_THROW(jxtGetWavPlayTime(wave), EInOutError);
    EXPECT_THROW(jxtGetWavInfo(dir.filePath(QStringLiteral("none.wav")), info), EInOutError);
    EXPECT_THROW(jxtGetWavPlayTime(dir.path()), EInOutError);
}

TEST(JxutilGraphics, AddingAWaveHeaderKeepsTheRest)
{
    QTemporaryDir dir;
    const QString stream = dir.filePath(QStringLiteral("stream.mp3"));
    QByteArray body(1044, '\0');
    for (int i = 0; i < body.size(); ++i)
        body[i] = char(i * 7);
    ASSERT_TRUE(Write(stream, body));
    EXPECT_TRUE(jxtAddWAVHeader(stream));
    const QByteArray after = Read(stream);
    ASSERT_EQ(after.size(), 1044);
    EXPECT_EQ(after.mid(44), body.mid(44));
    EXPECT_EQ(after.left(4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<qint32>(after.constData() + 4), 1000);
    EXPECT_EQ(after.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(after.constData() + 20), 85);
    EXPECT_EQ(qFromLittleEndian<qint32>(after.constData() + 28), 14000);
    EXPECT_EQ(after.mid(36, 4), "data");
    EXPECT_EQ(qFromLittleEndian<qint32>(after.constData() + 40), 300000);
    // The header it wrote reads back: 956 bytes at 14000 bytes per second.
    EXPECT_NEAR(double(jxtGetWavPlayTime(stream)), 956.0 / 14000.0, 1e-12);

    // A missing file is left alone; a file shorter than the header gets size 0.
    EXPECT_FALSE(jxtAddWAVHeader(dir.filePath(QStringLiteral("absent.wav"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("absent.wav"))));
    const QString shortFile = dir.filePath(QStringLiteral("short.wav"));
    ASSERT_TRUE(Write(shortFile, "abc"));
    EXPECT_TRUE(jxtAddWAVHeader(shortFile));
    EXPECT_EQ(qFromLittleEndian<qint32>(Read(shortFile).constData() + 4), 0);
    // A read-only file cannot be written (checked as an ordinary user, whom permissions stop).
    EXPECT_EQ(jxt::test::RunChecksAsUnprivileged(
                  {dir.path()},
                  [&] {
                      const QString own = dir.filePath(QStringLiteral("own.wav"));
                      ASSERT_TRUE(Write(own, body));
                      ASSERT_TRUE(QFile::setPermissions(own, QFile::ReadOwner));
                      EXPECT_THROW(jxtAddWAVHeader(own), EInOutError);
                      EXPECT_EQ(Read(own), body);
                  }),
              0);
    // A directory is not a file: left alone.
    EXPECT_FALSE(jxtAddWAVHeader(dir.path()));
}
