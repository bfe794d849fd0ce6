// SPDX-License-Identifier: MIT
// Dot-matrix panel: one scroll step and one full paint, each against a QLabel that shows the
// same text at the same size rendered into an image.
#include "display/JXDOTPanel.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>

#include <cstdio>
#include <string>

using namespace jxt;

namespace {

const QString kText = QStringLiteral("JXDOTPanel scrolls this text");

/// A 10-column panel at its glyph size, scrolling kText.
struct ScrollingPanel
{
    ScrollingPanel()
    {
        panel.SetCaption(kText);
        panel.Repaint(); // takes its size: 210 x 27
        panel.SetInterval(1000);
    }
    TJXDOTPanel panel;
};

struct Label
{
    explicit Label(const QSize &size) : image(size, QImage::Format_ARGB32_Premultiplied)
    {
        label.setText(kText);
        label.setFixedSize(size);
        label.setStyleSheet(QStringLiteral("background: black; color: lime"));
        label.ensurePolished();
    }
    QLabel label;
    QImage image;
};

void BM_DotPanelScrollStep(benchmark::State &state)
{
    ScrollingPanel p;
    for (auto _ : state) {
        p.panel.JXOnTime();
        benchmark::DoNotOptimize(p.panel.Surface().constBits());
    }
}
BENCHMARK(BM_DotPanelScrollStep);

void BM_QLabelScrollStep(benchmark::State &state)
{
    ScrollingPanel p;
    Label l(p.panel.Surface().size());
    const QString padded = QString(10, QLatin1Char(' ')) + kText;
    int pos = 0;
    for (auto _ : state) {
        // The anchor's scroll step: the next window of the text, shown and rendered.
        pos = (pos + 1) % padded.size();
        l.label.setText(padded.mid(pos, 11));
        l.label.render(&l.image);
        benchmark::DoNotOptimize(l.image.constBits());
    }
}
BENCHMARK(BM_QLabelScrollStep);

void BM_DotPanelPaint(benchmark::State &state)
{
    TJXDOTPanel panel;
    panel.Repaint();
    for (auto _ : state) {
        panel.Repaint();
        benchmark::DoNotOptimize(panel.Surface().constBits());
    }
}
BENCHMARK(BM_DotPanelPaint);

void BM_QLabelPaint(benchmark::State &state)
{
    TJXDOTPanel panel;
    panel.Repaint();
    Label l(panel.Surface().size());
    l.label.setText(panel.Items()->Get(0));
    for (auto _ : state) {
        l.label.render(&l.image);
        benchmark::DoNotOptimize(l.image.constBits());
    }
}
BENCHMARK(BM_QLabelPaint);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using jxt::bench::TTime;
    jxt::bench::TRatioReporter reporter;
    reporter.AddRatio("dot-matrix scroll step vs QLabel", "BM_DotPanelScrollStep",
                      "BM_QLabelScrollStep", TTime::Real);
    reporter.AddRatio("dot-matrix paint vs QLabel", "BM_DotPanelPaint", "BM_QLabelPaint",
                      TTime::Real);
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
