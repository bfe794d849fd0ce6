// SPDX-License-Identifier: MIT
// Display controls against Qt's own widgets doing the same job: gauge updates against
// QProgressBar, scroll steps and text paints against a QLabel rendered to an image.
#include "display/JXGauge.h"
#include "display/JXScrollText.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QProgressBar>

#include <cstdio>
#include <string>
#include <vector>

using namespace jxt;

namespace {

const QString kText = QStringLiteral("JX Tools Lauftext");

// Values 50..59 all light five of ten boxes: the gauge need not repaint.
void BM_GaugeSetProgressSameLitCount(benchmark::State &state)
{
    TJXGauge gauge;
    gauge.SetShowPeak(false);
    gauge.SetBounds(0, 0, 200, 20);
    gauge.show();
    gauge.SetProgress(55);
    int i = 0;
    for (auto _ : state) {
        gauge.SetProgress(50 + (i++ % 10));
        benchmark::DoNotOptimize(gauge.Progress());
    }
}
BENCHMARK(BM_GaugeSetProgressSameLitCount);

void BM_QProgressBarSetValue(benchmark::State &state)
{
    QProgressBar bar;
    bar.setRange(0, 100);
    bar.resize(200, 20);
    bar.show();
    bar.setValue(55);
    int i = 0;
    for (auto _ : state) {
        bar.setValue(50 + (i++ % 10));
        benchmark::DoNotOptimize(bar.value());
    }
}
BENCHMARK(BM_QProgressBarSetValue);

void BM_ScrollTextStep(benchmark::State &state)
{
    TJXScrollText scroller;
    scroller.SetBounds(0, 0, 300, 50);
    scroller.SetCaption(kText);
    scroller.SetInterval(-20);
    scroller.Timer()->SetEnabled(false);
    for (auto _ : state)
        scroller.JXOnTime();
}
BENCHMARK(BM_ScrollTextStep);

void BM_QLabelRender300x50(benchmark::State &state)
{
    QLabel label(kText);
    label.resize(300, 50);
    QImage image(300, 50, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        label.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QLabelRender300x50);

void BM_ScrollTextPaintDefaultSize(benchmark::State &state)
{
    TJXScrollText scroller;
    scroller.SetCaption(kText);
    for (auto _ : state)
        scroller.Repaint();
}
BENCHMARK(BM_ScrollTextPaintDefaultSize);

void BM_QLabelRenderDefaultSize(benchmark::State &state)
{
    QLabel label(kText);
    label.resize(75, 50);
    QImage image(75, 50, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        label.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QLabelRenderDefaultSize);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using jxt::bench::TTime;
    jxt::bench::TRatioReporter reporter;
    reporter.AddRatio("gauge SetProgress vs QProgressBar::setValue",
                      "BM_GaugeSetProgressSameLitCount", "BM_QProgressBarSetValue", TTime::Real);
    reporter.AddRatio("scroll step 300x50 vs QLabel render", "BM_ScrollTextStep",
                      "BM_QLabelRender300x50", TTime::Real);
    reporter.AddRatio("scroll text paint 75x50 vs QLabel render", "BM_ScrollTextPaintDefaultSize",
                      "BM_QLabelRenderDefaultSize", TTime::Real);
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
