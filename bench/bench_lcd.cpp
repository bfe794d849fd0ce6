// SPDX-License-Identifier: MIT
// Full repaint of the LCD panel against Qt's QLCDNumber drawing the same number of characters
// into the same area, both with filled segments and without anti-aliasing:
//   small: 10 characters in 300 x 40 (one panel, one QLCDNumber of 10 digits);
//   large: 2500 characters in 1300 x 1300 (one 50 x 50 panel, fifty QLCDNumbers of 50 digits,
//          each 1300 x 26, one per row, rendered into one image as the panel's rows are).
// Each anchor renders into a preallocated image, as the panel paints into its preallocated
// surface. The panel keeps the picture of each figure between paints; "cold" repaints change
// the lit colour first, so every figure is drawn afresh, "warm" repaints reuse them (as an
// expose or a clock's next second does). Prints our time per repaint over the anchor's for
// each case, from CPU time (the machine is shared, so wall time is noisy).
#include "display/JXLCDPanel.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLCDNumber>
#include <QPainter>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TCase
{
    int columns;
    int rows;
    int width;
    int height;
};

constexpr TCase kSmall{10, 1, 300, 40};
constexpr TCase kLarge{50, 50, 1300, 1300};

QString DigitLine(int length, int row)
{
    QString line;
    for (int i = 0; i < length; ++i)
        line += QChar(u'0' + (i + row) % 10);
    return line;
}

void Ours(benchmark::State &state, TCase c, bool cold)
{
    jxt::TJXLCDPanel panel;
    panel.SetColumns(c.columns);
    panel.SetRows(c.rows);
    panel.SetBounds(0, 0, c.width, c.height);
    QStringList lines;
    for (int row = 0; row < c.rows; ++row)
        lines << DigitLine(c.columns, row);
    panel.SetItemsList(lines);
    panel.Repaint();
    bool flip = false;
    for (auto _ : state) {
        if (cold) {
            flip = !flip;
            panel.SetLCDHiColor(flip ? jxt::clLime : jxt::clYellow);
        }
        panel.Repaint();
        benchmark::DoNotOptimize(panel.Surface().constBits());
    }
    state.SetItemsProcessed(state.iterations() * c.columns * c.rows);
}

void Anchor(benchmark::State &state, TCase c)
{
    const int rowHeight = c.height / c.rows;
    std::vector<std::unique_ptr<QLCDNumber>> numbers;
    for (int row = 0; row < c.rows; ++row) {
        auto number = std::make_unique<QLCDNumber>(c.columns);
        number->setSegmentStyle(QLCDNumber::Filled);
        number->setFrameShape(QFrame::NoFrame);
        number->resize(c.width, rowHeight);
        number->display(DigitLine(c.columns, row));
        number->setAttribute(Qt::WA_DontShowOnScreen);
        numbers.push_back(std::move(number));
    }
    QImage image(c.width, c.height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::black);
        for (int row = 0; row < c.rows; ++row)
            numbers[std::size_t(row)]->render(&image, QPoint(0, row * rowHeight), QRegion(),
                                              QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * c.columns * c.rows);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    benchmark::RegisterBenchmark("lcd_cold_small_10x1_300x40", Ours, kSmall, true);
    benchmark::RegisterBenchmark("lcd_warm_small_10x1_300x40", Ours, kSmall, false);
    benchmark::RegisterBenchmark("qlcdnumber_small_10x1_300x40", Anchor, kSmall);
    benchmark::RegisterBenchmark("lcd_cold_large_50x50_1300x1300", Ours, kLarge, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("lcd_warm_large_50x50_1300x1300", Ours, kLarge, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("qlcdnumber_large_50x50_1300x1300", Anchor, kLarge)
        ->Unit(benchmark::kMillisecond);

    // Processor time per repaint.
    jxt::bench::TRatioReporter reporter;
    for (const char *name : {"small_10x1_300x40", "large_50x50_1300x1300"}) {
        for (const char *kind : {"cold", "warm"}) {
            reporter.AddRatio(std::string("LCD ") + kind + " " + name + " vs QLCDNumber",
                              std::string("lcd_") + kind + "_" + name,
                              std::string("qlcdnumber_") + name);
        }
    }
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
