// SPDX-License-Identifier: MIT
// The picture box against plain Qt in the same run:
// * scanning a directory of 10,000 small BMP files into the box (until OnStopScan) against
//   listing the same directory with QDirIterator and a name filter;
// * drawing a screenful of thumbnails of large pictures the second time (from the cached
//   thumbnails) against the first time (every picture read and reduced), and both against
//   QImage: reading and scaling each picture, and scaling pictures already in memory.
#include "controls/JXPicBox.h"
#include "host/controls/Forms.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace jxt;

namespace {

constexpr int kSmallFiles = 10000;
constexpr int kLargeFiles = 12; // 4 x 3 cells of 100 x 70 on a 400 x 210 box
constexpr int kLargeWidth = 1024;
constexpr int kLargeHeight = 768;

std::unique_ptr<QTemporaryDir> g_small;
std::unique_ptr<QTemporaryDir> g_large;

void MakeFiles()
{
    g_small = std::make_unique<QTemporaryDir>();
    TBitmap tiny(8, 8);
    tiny.Canvas()->FillSolid(Rect(0, 0, 8, 8), clRed);
    tiny.SaveToFile(g_small->filePath(QStringLiteral("seed.bmp")));
    for (int i = 1; i < kSmallFiles; ++i)
        QFile::copy(g_small->filePath(QStringLiteral("seed.bmp")),
                    g_small->filePath(QStringLiteral("p%1.bmp").arg(i, 5, 10, QLatin1Char('0'))));
    g_large = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < kLargeFiles; ++i) {
        QImage image(kLargeWidth, kLargeHeight, QImage::Format_RGB32);
        for (int y = 0; y < kLargeHeight; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < kLargeWidth; ++x)
                line[x] = qRgb((x * (i + 1)) & 0xFF, (y * 3) & 0xFF, (x ^ y) & 0xFF);
        }
        image.save(g_large->filePath(QStringLiteral("large%1.bmp").arg(i, 2, 10, QLatin1Char('0'))),
                   "bmp");
    }
}

void BM_Scan_Ours(benchmark::State &state)
{
    TJXPicBox box;
    box.SetBounds(0, 0, 400, 210);
    box.Loaded();
    // The interface thread waits in its event loop, as in an application, rather than polling
    // for messages beside the worker.
    bool stopped = false;
    QEventLoop loop;
    box.OnStopScan = [&](TObject *) {
        stopped = true;
        loop.quit();
    };
    for (auto _ : state) {
        stopped = false;
        box.SetPicPattern(QString());
        box.SetPicPattern(g_small->path() + QStringLiteral("/*.*"));
        if (!stopped)
            loop.exec();
        if (box.PicCount() != kSmallFiles)
            state.SkipWithError("the box did not list every file");
    }
}

void BM_Scan_Anchor_QDirIterator(benchmark::State &state)
{
    for (auto _ : state) {
        int count = 0;
        QDirIterator it(g_small->path(), {QStringLiteral("*.bmp")}, QDir::Files);
        while (it.hasNext()) {
            it.next();
            ++count;
        }
        if (count != kSmallFiles)
            state.SkipWithError("QDirIterator did not list every file");
        benchmark::DoNotOptimize(count);
    }
}

std::unique_ptr<TJXPicBox> g_box;

void PrepareBox()
{
    g_box = std::make_unique<TJXPicBox>();
    g_box->SetBounds(0, 0, 400, 210);
    g_box->Loaded();
    bool stopped = false;
    g_box->OnStopScan = [&](TObject *) { stopped = true; };
    g_box->SetPicPattern(g_large->path() + QStringLiteral("/*.*"));
    while (!stopped)
        Application()->ProcessMessages();
    g_box->OnStopScan = nullptr;
}

void BM_Thumbs_First(benchmark::State &state)
{
    for (auto _ : state) {
        g_box->FreeBitmaps();
        g_box->Repaint();
    }
}

void BM_Thumbs_Cached(benchmark::State &state)
{
    g_box->Repaint();
    for (auto _ : state)
        g_box->Repaint();
}

void BM_Thumbs_Anchor_QImageLoadScaled(benchmark::State &state)
{
    for (auto _ : state) {
        for (int i = 0; i < kLargeFiles; ++i) {
            const QImage image(
                g_large->filePath(QStringLiteral("large%1.bmp").arg(i, 2, 10, QLatin1Char('0'))));
            benchmark::DoNotOptimize(image.scaled(80, 50, Qt::KeepAspectRatio));
        }
    }
}

void BM_Thumbs_Anchor_QImageScaled(benchmark::State &state)
{
    std::vector<QImage> images;
    for (int i = 0; i < kLargeFiles; ++i)
        images.emplace_back(
            g_large->filePath(QStringLiteral("large%1.bmp").arg(i, 2, 10, QLatin1Char('0'))));
    for (auto _ : state)
        for (const QImage &image : images)
            benchmark::DoNotOptimize(image.scaled(80, 50, Qt::KeepAspectRatio));
}

BENCHMARK(BM_Scan_Ours)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_Scan_Anchor_QDirIterator)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Thumbs_First)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Thumbs_Cached)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Thumbs_Anchor_QImageLoadScaled)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Thumbs_Anchor_QImageScaled)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MakeFiles();
    PrepareBox();
    using jxt::bench::TTime;
    jxt::bench::TRatioReporter reporter;
    reporter.AddRatio("picture box scan of 10000 BMPs vs QDirIterator", "BM_Scan_Ours",
                      "BM_Scan_Anchor_QDirIterator", TTime::Real, 1.5);
    reporter.AddRatio("picture box cached thumbnails vs first draw", "BM_Thumbs_Cached",
                      "BM_Thumbs_First", TTime::Real);
    // A repaint of the whole box against the reading and scaling alone: for information.
    reporter.AddRatio("picture box first draw vs QImage load+scaled", "BM_Thumbs_First",
                      "BM_Thumbs_Anchor_QImageLoadScaled", TTime::Real, jxt::bench::kNoAim);
    reporter.AddRatio("picture box cached draw vs QImage scaled", "BM_Thumbs_Cached",
                      "BM_Thumbs_Anchor_QImageScaled", TTime::Real, jxt::bench::kNoAim);
    const int code = jxt::bench::RunWithRatios(argc, argv, reporter);
    g_box.reset();
    return code;
}
