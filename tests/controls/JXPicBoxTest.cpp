// SPDX-License-Identifier: MIT
// The picture box: the scan by its worker (order, mask, icon check, stop and restart), the
// events on the interface thread, the layout, the cells it draws and the thumbnails it
// keeps, and a box destroyed while it scans.
#include "controls/JXPicBox.h"

#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "platform/IconBuilders.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <memory>
#include <utility>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

void Touch(const QString &path, const QByteArray &bytes = QByteArray())
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void WriteBmp(const QString &path, int w, int h, TColor color)
{
    TBitmap b(w, h);
    b.Canvas()->FillSolid(Rect(0, 0, w, h), color);
    b.SaveToFile(path);
}

/// Processes messages until the box's scan has ended (at most a few seconds).
bool WaitForScan(TJXPicBox &box)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (box.Scanning() && std::chrono::steady_clock::now() < until)
        Application()->ProcessMessages();
    return !box.Scanning();
}

QStringList Names(const TJXPicBox &box, const QString &root)
{
    QStringList names;
    for (int i = 0; i < box.Items()->Count(); ++i)
        names << box.Items()
                     ->Get(i)
                     .replace(QLatin1Char('\\'), QLatin1Char('/'))
                     .mid(root.size() + 1);
    return names;
}

/// A box of 300 x 140 (three cells of 100 x 70 across, two down), loaded, with recorded events.
class PicBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        box = std::make_unique<TJXPicBox>();
        box->SetBounds(0, 0, 300, 140);
        box->OnChangePicCount = [this](TObject *sender, int count) {
            EXPECT_EQ(sender, box.get());
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
            counts.push_back(count);
            events << QStringLiteral("count %1").arg(count);
        };
        box->OnStartScan = [this](TObject *) { events << QStringLiteral("start"); };
        box->OnStopScan = [this](TObject *) { events << QStringLiteral("stop"); };
        box->Loaded();
    }

    QTemporaryDir dir;
    QString root;
    std::unique_ptr<TJXPicBox> box;
    std::vector<int> counts;
    QStringList events;
};

} // namespace

TEST_F(PicBoxTest, ScanListsSubdirectoriesFirstThroughTheMask)
{
    QDir(root).mkpath(QStringLiteral("b/inner"));
    QDir(root).mkpath(QStringLiteral("a"));
    WriteBmp(root + QStringLiteral("/top.bmp"), 4, 4, clRed);
    WriteBmp(root + QStringLiteral("/a/one.bmp"), 4, 4, clRed);
    WriteBmp(root + QStringLiteral("/b/inner/deep.bmp"), 4, 4, clRed);
    WriteBmp(root + QStringLiteral("/b/two.BMP"), 4, 4, clRed);
    Touch(root + QStringLiteral("/b/note.txt"), "x");
    Touch(root + QStringLiteral("/noext"), "x");
    Touch(root + QStringLiteral("/short.ic"), "x"); // ".IC" occurs in ";*.ICO"
    box->SetSubDirs(true);
    events.clear();
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    EXPECT_EQ(Names(*box, root),
              (QStringList{QStringLiteral("a/one.bmp"), QStringLiteral("b/inner/deep.bmp"),
                           QStringLiteral("b/two.BMP"), QStringLiteral("short.ic"),
                           QStringLiteral("top.bmp")}));
    EXPECT_EQ(box->PicCount(), 5);
    // The events in order: the cleared list, the start, one count per item, the final count
    // and the stop.
    EXPECT_EQ(events, (QStringList{QStringLiteral("count 0"), QStringLiteral("start"),
                                   QStringLiteral("count 1"), QStringLiteral("count 2"),
                                   QStringLiteral("count 3"), QStringLiteral("count 4"),
                                   QStringLiteral("count 5"), QStringLiteral("count 5"),
                                   QStringLiteral("stop")}));

    // The file mask of the pattern applies at every depth.
    box->SetPicPattern(root + QStringLiteral("/t*.bmp"));
    ASSERT_TRUE(WaitForScan(*box));
    EXPECT_EQ(Names(*box, root),
              (QStringList{QStringLiteral("b/two.BMP"), QStringLiteral("top.bmp")}));
    EXPECT_TRUE(box->FindItem(root.toUpper() + QStringLiteral("/TOP.BMP")));
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_FALSE(box->FindItem(root + QStringLiteral("/top")));
    EXPECT_EQ(box->ItemIndex(), 1);
}

TEST_F(PicBoxTest, HiddenFilesAreListedButHiddenAndLinkedDirectoriesNotEntered)
{
    QDir(root).mkpath(QStringLiteral("sub"));
    QDir(root).mkpath(QStringLiteral(".cache"));
    WriteBmp(root + QStringLiteral("/.hidden.bmp"), 4, 4, clRed);
    WriteBmp(root + QStringLiteral("/sub/in.bmp"), 4, 4, clRed);
    WriteBmp(root + QStringLiteral("/.cache/thumb.bmp"), 4, 4, clRed);
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/sub"), root + QStringLiteral("/link")));
    ASSERT_TRUE(
        QFile::link(root + QStringLiteral("/sub/in.bmp"), root + QStringLiteral("/alias.bmp")));
    box->SetSubDirs(true);
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    // A link to a file is a file; a link to a directory is never entered.
    EXPECT_EQ(Names(*box, root),
              (QStringList{QStringLiteral("sub/in.bmp"), QStringLiteral(".hidden.bmp"),
                           QStringLiteral("alias.bmp")}));
}

TEST_F(PicBoxTest, StopFromACountEventAddsNoFurtherFile)
{
    for (int i = 0; i < 100; ++i)
        Touch(root + QStringLiteral("/f%1.bmp").arg(i, 3, 10, QLatin1Char('0')), "x");
    box->OnChangePicCount = [&](TObject *, int count) {
        events << QStringLiteral("count %1").arg(count);
        if (count == 3)
            box->BreakScan();
    };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    EXPECT_EQ(Names(*box, root),
              (QStringList{QStringLiteral("f000.bmp"), QStringLiteral("f001.bmp"),
                           QStringLiteral("f002.bmp")}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("count 0"), QStringLiteral("start"),
                                   QStringLiteral("count 1"), QStringLiteral("count 2"),
                                   QStringLiteral("count 3"), QStringLiteral("count 3"),
                                   QStringLiteral("stop")}));
}

TEST_F(PicBoxTest, EmptyPatternOrTypeClearsWithoutScanning)
{
    WriteBmp(root + QStringLiteral("/x.bmp"), 4, 4, clRed);
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    ASSERT_EQ(box->PicCount(), 1);
    events.clear();
    box->SetPicType(TPicType());
    EXPECT_FALSE(box->Scanning());
    EXPECT_EQ(box->PicCount(), 0);
    EXPECT_EQ(events, QStringList{QStringLiteral("count 0")});
    EXPECT_EQ(PicTypeMask({ptICO, ptICL}), QStringLiteral(";*.ICO;*.ICL"));
    EXPECT_EQ(PicTypeMask({ptBMP, ptEXE}), QStringLiteral("*.BMP;*.EXE"));

    // Inactive: a new pattern stops nothing running and leaves the list as it is.
    box->SetPicType({ptBMP});
    ASSERT_TRUE(WaitForScan(*box));
    box->SetActive(false);
    box->SetPicPattern(QString());
    EXPECT_EQ(box->PicCount(), 1);

    // A box never loaded never scans.
    TJXPicBox unloaded;
    unloaded.SetPicPattern(root + QStringLiteral("/*.*"));
    EXPECT_FALSE(unloaded.Scanning());
    EXPECT_EQ(unloaded.PicCount(), 0);
}

TEST_F(PicBoxTest, IconCheckKeepsOnlyFilesWithIcons)
{
    using jxt::test::IconDib;
    const auto green = IconDib(32, 32, 8, [](int, int) { return 0xFF00FF00u; });
    Touch(root + QStringLiteral("/good.ico"), jxt::test::IcoFile({green}));
    Touch(root + QStringLiteral("/lib.icl"), jxt::test::NeIconLibrary({{green}}));
    Touch(root + QStringLiteral("/fake.exe"), "MZ but nothing more");
    Touch(root + QStringLiteral("/empty.ico"));
    WriteBmp(root + QStringLiteral("/pic.bmp"), 4, 4, clRed);
    box->SetCheckForIcons(true);
    box->SetPicType({ptBMP, ptICO, ptEXE, ptICL});
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    EXPECT_EQ(Names(*box, root), (QStringList{QStringLiteral("good.ico"), QStringLiteral("lib.icl"),
                                              QStringLiteral("pic.bmp")}));
    // Icons come with their 32 x 32 image, bitmaps without.
    auto *icon = dynamic_cast<TBitmap *>(box->Items()->GetObject(0));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(PixelAt(icon->Image(), 10, 10), clLime);
    EXPECT_EQ(box->Items()->GetObject(2), nullptr);
}

TEST_F(PicBoxTest, NewPatternStopsTheRunningScanAndWaitsForItsEnd)
{
    for (int i = 0; i < 400; ++i)
        Touch(root + QStringLiteral("/f%1.bmp").arg(i, 3, 10, QLatin1Char('0')), "x");
    QDir(root).mkdir(QStringLiteral("other"));
    WriteBmp(root + QStringLiteral("/other/only.bmp"), 4, 4, clRed);
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    EXPECT_TRUE(box->Scanning());
    // The interface stays live while the list grows.
    while (box->PicCount() < 5)
        Application()->ProcessMessages();
    box->SetPicPattern(root + QStringLiteral("/other/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    EXPECT_EQ(Names(*box, root), QStringList{QStringLiteral("other/only.bmp")});
    // The first scan's stop came before the second scan's start.
    const int firstStop = events.indexOf(QStringLiteral("stop"));
    const int secondStart = events.lastIndexOf(QStringLiteral("start"));
    EXPECT_GT(firstStop, 0);
    EXPECT_LT(firstStop, secondStart);
    EXPECT_LT(events.count(QStringLiteral("count 1")) + 0, 400);

    // BreakScan stops after at most one more entry; the completion events still follow.
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    box->BreakScan();
    ASSERT_TRUE(WaitForScan(*box));
    EXPECT_LT(box->PicCount(), 400);
    EXPECT_EQ(events.last(), QStringLiteral("stop"));
}

TEST_F(PicBoxTest, NewPatternFromACountEventRestartsAfterIt)
{
    for (int i = 0; i < 50; ++i)
        Touch(root + QStringLiteral("/f%1.bmp").arg(i), "x");
    QDir(root).mkdir(QStringLiteral("other"));
    WriteBmp(root + QStringLiteral("/other/only.bmp"), 4, 4, clRed);
    bool switched = false;
    box->OnChangePicCount = [&](TObject *, int count) {
        if (count == 3 && !switched) {
            switched = true;
            box->SetPicPattern(root + QStringLiteral("/other/*.*")); // must not hang
        }
    };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((box->Scanning() || box->PicCount() != 1) && std::chrono::steady_clock::now() < until)
        Application()->ProcessMessages();
    EXPECT_TRUE(switched);
    EXPECT_EQ(Names(*box, root), QStringList{QStringLiteral("other/only.bmp")});
}

TEST_F(PicBoxTest, DestroyingDuringAScanStopsTheWorker)
{
    for (int i = 0; i < 3000; ++i)
        Touch(root + QStringLiteral("/f%1.bmp").arg(i), "x");
    int stops = 0;
    box->OnStopScan = [&](TObject *) { ++stops; };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    // The worker cannot finish before the interface thread has run its calls, and nothing
    // has run them yet: the scan is surely under way. (Letting some files arrive first
    // would race with a scan that hands over thousands of files in a few milliseconds.)
    ASSERT_TRUE(box->Scanning());
    const std::size_t countsBefore = counts.size();
    box.reset();
    // Whatever the worker still had queued changes nothing and fires nothing.
    for (int i = 0; i < 20; ++i)
        Application()->ProcessMessages();
    EXPECT_EQ(stops, 0);
    EXPECT_EQ(counts.size(), countsBefore);
}

TEST_F(PicBoxTest, DestroyingFromItsOwnCountEventNeitherHangsNorFiresAgain)
{
    for (int i = 0; i < 200; ++i)
        Touch(root + QStringLiteral("/f%1.bmp").arg(i), "x");
    std::vector<int> seen;
    QObject::connect(box.get(), &TJXPicBox::onStopScan, [&] { seen.push_back(-1); });
    box->OnChangePicCount = [&](TObject *, int count) {
        seen.push_back(count);
        if (count == 2)
            box.reset(); // the worker is waiting for this very event
    };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (box && std::chrono::steady_clock::now() < until)
        Application()->ProcessMessages();
    ASSERT_FALSE(box);
    for (int i = 0; i < 50; ++i) {
        Application()->ProcessMessages();
        QThread::msleep(1);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2})); // the cleared list, two items, then silence
}

TEST_F(PicBoxTest, SettersClampAndLayoutFollowsTheSize)
{
    box->SetBorderSpace(0);
    EXPECT_EQ(box->BorderSpace(), 1);
    box->SetBorderSpace(25);
    EXPECT_EQ(box->BorderSpace(), 20);
    box->SetBorderWidth(-3);
    EXPECT_EQ(box->BorderWidth(), 0);
    box->SetPicHeight(10);
    EXPECT_EQ(box->PicHeight(), 32);
    box->SetPicNoCacheSize(0);
    EXPECT_EQ(box->PicNoCacheSize(), 1);
    box->SetPicNoCacheSize(2000000);
    EXPECT_EQ(box->PicNoCacheSize(), 1000000);
    box->SetPicCount(7);
    EXPECT_EQ(box->PicCount(), 0);
    box->SetRows(0);
    EXPECT_GE(box->Rows(), 1);

    box->SetPicHeight(70);
    box->SetBounds(0, 0, 300, 140);
    EXPECT_EQ(box->Columns(), 3);
    EXPECT_EQ(box->Rows(), 2);
    EXPECT_EQ(box->ItemHeight(), 70);
    EXPECT_EQ(box->CellWidth(), 100);
    // Shrinking below one cell is undone at once.
    box->SetBounds(0, 0, 50, 20);
    EXPECT_EQ(box->Width(), 100);
    EXPECT_EQ(box->Height(), 70);
    // Scaled: cells divide the client area.
    box->SetBounds(0, 0, 400, 300);
    box->SetScaled(true);
    box->SetColumns(4);
    box->SetRows(3);
    EXPECT_EQ(box->CellWidth(), 100);
    EXPECT_EQ(box->CellHeight(), 100);
    EXPECT_EQ(box->ItemHeight(), 100);
    EXPECT_EQ(box->minimumSizeHint(), QSize(100, 70));
}

TEST_F(PicBoxTest, CellsShowPicturesCrossesAndCaptions)
{
    WriteBmp(root + QStringLiteral("/a.bmp"), 40, 20, clBlue); // large: cached thumbnail
    Touch(root + QStringLiteral("/b.bmp"));                    // empty file: red cross
    Touch(root + QStringLiteral("/c.bmp"), "BM broken");       // small, unreadable
    WriteBmp(root + QStringLiteral("/d.bmp"), 2, 2, clLime);   // below the cache size
    box->SetPicNoCacheSize(100);
    box->SetBorderWidth(0);
    box->SetBorderSpace(1);
    box->SetColor(clWhite);
    std::vector<int> views;
    box->OnRequestFileName = [&](TObject *, int view, QString &, QString &) {
        views.push_back(view);
    };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    ASSERT_EQ(box->PicCount(), 4);
    box->Repaint();
    const QImage &s = box->Surface();
    // a.bmp in the top-left cell (100 x 70), 98 x 49 fitted in the 98 x 68 inner area.
    EXPECT_EQ(PixelAt(s, 50, 35), clBlue);
    EXPECT_EQ(PixelAt(s, 50, 5), clWhite);
    // b.bmp below it: a red cross through the inner area's centre.
    EXPECT_EQ(PixelAt(s, 50, 70 + 35), clRed);
    // c.bmp at the top of the second column: unreadable, also a red cross.
    EXPECT_EQ(PixelAt(s, 150, 35), clRed);
    // d.bmp, small, read on every draw.
    EXPECT_EQ(PixelAt(s, 150, 70 + 35), clLime);
    EXPECT_EQ(views, (std::vector<int>{0, 1, 2, 3}));
    // Only the large file got a cached thumbnail, of the cell's size.
    auto *thumb = dynamic_cast<TBitmap *>(box->Items()->GetObject(0));
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->Width(), 100);
    EXPECT_EQ(thumb->Height(), 50);
    EXPECT_EQ(box->Items()->GetObject(3), nullptr);
    // A new cell size drops the thumbnails.
    box->SetPicWidth(120);
    EXPECT_EQ(box->Items()->GetObject(0), nullptr);

    // Captions: the file name, centred near the bottom.
    box->SetPicWidth(100);
    box->SetCaption(true);
    box->Repaint();
    EXPECT_GT(jxt::test::CountColor(box->Surface(), ColorToRGB(clWindowText), 0, 50, 100, 70), 5);
}

TEST_F(PicBoxTest, SaveToBmpConvertsOrExplains)
{
    using jxt::test::IconDib;
    jxt::test::InstallScriptedDialogs();
    WriteBmp(root + QStringLiteral("/pic.bmp"), 3, 3, clRed);
    Touch(root + QStringLiteral("/icon.ico"),
          jxt::test::IcoFile({IconDib(16, 16, 4, [](int, int) { return 0xFF0000FFu; })}));
    Touch(root + QStringLiteral("/lib.icl"), "whatever");
    Touch(root + QStringLiteral("/plain.exe"), "no icon here");
    box->SaveToBMP(root + QStringLiteral("/pic.bmp"), root + QStringLiteral("/copy.bmp"));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/copy.bmp")));
    box->SaveToBMP(root + QStringLiteral("/icon.ico"), root + QStringLiteral("/icon.bmp"));
    TBitmap out;
    out.LoadFromFile(root + QStringLiteral("/icon.bmp"));
    EXPECT_EQ(out.Width(), 32);
    EXPECT_EQ(PixelAt(out.Image(), 20, 20), clBlue);
    box->SaveToBMP(root + QStringLiteral("/lib.icl"), root + QStringLiteral("/x.bmp"));
    box->SaveToBMP(root + QStringLiteral("/plain.exe"), root + QStringLiteral("/y.bmp"));
    box->SaveToBMP(root + QStringLiteral("/missing.bmp"), root + QStringLiteral("/z.bmp"));
    EXPECT_EQ(jxt::test::Dialogs()->Texts(),
              (QStringList{QStringLiteral("Datei kann nicht konvertiert werden"),
                           QStringLiteral("Datei enthält kein Icon"),
                           QStringLiteral("Fehler beim Kopieren")}));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("/y.bmp")));
}

TEST_F(PicBoxTest, ANewPatternWhileAScanStartsLeavesOneWorker)
{
    Touch(root + QStringLiteral("/a.bmp"), "x");
    QDir(root).mkdir(QStringLiteral("other"));
    Touch(root + QStringLiteral("/other/b.bmp"), "x");
    // A handler of the start event asks for another pattern before the first worker exists.
    bool first = true;
    box->OnStartScan = [&](TObject *) {
        events << QStringLiteral("start");
        if (std::exchange(first, false))
            box->SetPicPattern(root + QStringLiteral("/other/*.*"));
    };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    ASSERT_TRUE(WaitForScan(*box));
    // Let any worker still about finish and report.
    for (int i = 0; i < 50; ++i) {
        Application()->ProcessMessages();
        QThread::msleep(2);
    }
    // Only the newer pattern was scanned, by the one worker the box knows of.
    EXPECT_EQ(events.count(QStringLiteral("stop")), 1);
    EXPECT_EQ(Names(*box, root), QStringList{QStringLiteral("other/b.bmp")});
    EXPECT_FALSE(box->Scanning());
}

// The application's end stops the scan before the next entry, as a stop of the scan does.
TEST_F(PicBoxTest, TheApplicationEndingStopsTheScan)
{
    for (int i = 0; i < 206; ++i)
        Touch(root + QStringLiteral("/f%1.bmp").arg(i, 3, 10, QLatin1Char('0')), "x");
    box->OnChangePicCount = [&](TObject *, int count) {
        if (count == 3)
            Application()->Terminate();
    };
    box->SetPicPattern(root + QStringLiteral("/*.*"));
    const bool ended = WaitForScan(*box);
    Application()->ResetTerminated();
    ASSERT_TRUE(ended);
    EXPECT_EQ(box->Items()->Count(), 3);
}
