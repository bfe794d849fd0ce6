// SPDX-License-Identifier: MIT
// Effect controls against QPainter doing the same drawing: a 3D frame against drawing its
// projected lines, circles and polygons, a star step against fill and points, fill-image
// paints against gradient and pattern fills, and a random fade against copying the same
// blocks.
#include "effects/JX3D.h"
#include "effects/JXFillImage.h"
#include "effects/JXFxImage.h"
#include "effects/JXStars.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <vector>

using namespace jxt;

namespace {

// 400 points on a sphere of radius 6, 400 polylines of three points, 200 quadrilaterals and
// 200 circles.
QStringList BusyModel()
{
    QStringList lines;
    for (int i = 0; i < 400; ++i) {
        const double a = i * 0.157;
        const double b = (i % 20) * 0.157;
        lines << QStringLiteral("P %1,%2,%3")
                     .arg(6 * std::cos(a) * std::cos(b), 0, 'f', 3)
                     .arg(6 * std::sin(b), 0, 'f', 3)
                     .arg(6 * std::sin(a) * std::cos(b), 0, 'f', 3);
    }
    lines << QStringLiteral("NEWCOLOR clLime");
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("L 3,%1,%2,%3").arg(i).arg((i + 1) % 400).arg((i + 21) % 400);
    lines << QStringLiteral("NEWCOLOR clRed");
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("F 4,%1,%2,%3,%4")
                     .arg(2 * i)
                     .arg(2 * i + 1)
                     .arg((2 * i + 21) % 400)
                     .arg((2 * i + 20) % 400);
    lines << QStringLiteral("NEWCOLOR clBlue");
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("C %1,0.05").arg(2 * i);
    return lines;
}

struct TView
{
    TJX3D view;
    TView()
    {
        view.SetBounds(0, 0, 400, 400);
        view.SetModellItemsList(BusyModel());
        view.Repaint();
    }
};

void BM_3DFrame(benchmark::State &state)
{
    TView v;
    int angle = 0;
    for (auto _ : state) {
        v.view.SetYRotation(angle);
        angle = (angle + 8) % 360;
    }
}
BENCHMARK(BM_3DFrame);

// The same shapes, projected once, drawn with QPainter onto an image of the same size.
void BM_QPainter3DShapes(benchmark::State &state)
{
    TView v;
    const auto at = [&](int index) {
        const auto &p = v.view.Points(index);
        return QPoint(p.ScreenX + v.view.XPosition(), p.ScreenY + v.view.YPosition());
    };
    std::vector<QPolygon> lines, polygons;
    for (int i = 0; i < v.view.LineCount(); ++i) {
        QPolygon poly;
        for (int k = 1; k <= v.view.Lines(i).Count; ++k)
            poly << at(v.view.Lines(i).Index[std::size_t(k)]);
        lines.push_back(poly);
    }
    for (int i = 0; i < v.view.PolygonCount(); ++i) {
        QPolygon poly;
        for (int k = 1; k <= v.view.Polygons(i).Count; ++k)
            poly << at(v.view.Polygons(i).Index[std::size_t(k)]);
        polygons.push_back(poly);
    }
    std::vector<QPoint> circles;
    for (int i = 0; i < v.view.CircleCount(); ++i)
        circles.push_back(at(v.view.Circles(i).Point));
    QImage image(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setPen(Qt::green);
        for (const QPolygon &poly : lines)
            painter.drawPolyline(poly);
        painter.setPen(Qt::blue);
        painter.setBrush(Qt::blue);
        for (const QPoint &c : circles)
            painter.drawEllipse(c, 2, 2);
        painter.setPen(Qt::red);
        painter.setBrush(Qt::red);
        for (const QPolygon &poly : polygons)
            painter.drawPolygon(poly);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainter3DShapes);

void BM_StarsStep(benchmark::State &state)
{
    TJXStars stars;
    stars.SetBounds(0, 0, 300, 200);
    for (auto _ : state)
        stars.JXOnTime();
}
BENCHMARK(BM_StarsStep);

void BM_QPainterFillAnd500Points(benchmark::State &state)
{
    QImage image(300, 200, QImage::Format_RGB32);
    std::vector<QPoint> points;
    for (int i = 0; i < 500; ++i)
        points.emplace_back((i * 37) % 300, (i * 53) % 200);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        for (const QPoint &p : points) {
            painter.setPen(QColor(p.x() % 256, p.x() % 256, p.x() % 256));
            painter.drawPoint(p);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterFillAnd500Points);

void BM_FillImageRamp1000(benchmark::State &state)
{
    TJXFillImage image;
    image.SetBounds(0, 0, 1000, 1000);
    image.SetFillStyle(vRAINBOW);
    image.SetRBSteps(255);
    for (auto _ : state)
        image.Repaint();
}
BENCHMARK(BM_FillImageRamp1000);

void BM_QPainterGradient1000(benchmark::State &state)
{
    QImage image(1000, 1000, QImage::Format_RGB32);
    QLinearGradient gradient(0, 0, 0, 1000);
    gradient.setColorAt(0, Qt::green);
    gradient.setColorAt(1, Qt::cyan);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), gradient);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterGradient1000);

void BM_FillImagePattern1000(benchmark::State &state)
{
    TJXFillImage image;
    image.SetBounds(0, 0, 1000, 1000);
    image.SetFillStyle(Weave);
    for (auto _ : state)
        image.Repaint();
}
BENCHMARK(BM_FillImagePattern1000);

void BM_QPainterPatternBrush1000(benchmark::State &state)
{
    TBitmap pattern;
    pattern.LoadFromResourceName(QStringLiteral("JXWEAVE"));
    const QBrush brush(pattern.Image());
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), brush);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterPatternBrush1000);

std::unique_ptr<TBitmap> Picture400()
{
    auto picture = std::make_unique<TBitmap>(400, 400);
    QImage &image = picture->Image();
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 99));
    return picture;
}

void BM_FadeInRandom400(benchmark::State &state)
{
    TJXFxImage fx;
    fx.SetBounds(0, 0, 400, 400);
    fx.SetPicture(Picture400().get());
    fx.SetFadeStyle(jxfsRandom);
    fx.SetPauses(false);
    for (auto _ : state)
        fx.FadeIn();
}
BENCHMARK(BM_FadeInRandom400)->Unit(benchmark::kMillisecond);

// The same 40,000 blocks of 2 x 2 pixels in the same shuffled order, copied with QPainter.
void BM_QPainterCopyBlocks400(benchmark::State &state)
{
    TJXFxImage fx;
    fx.SetBounds(0, 0, 400, 400);
    const auto picture = Picture400();
    fx.SetPicture(picture.get());
    fx.SetFadeStyle(jxfsRandom);
    fx.SetPauses(false);
    fx.FadeIn();
    const std::vector<TPoint> blocks = fx.Blocks();
    const int b = fx.BlockSize();
    QImage target(400, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        for (const TPoint &p : blocks)
            painter.drawImage(QRect(p.X, p.Y, b, b), picture->Image(), QRect(p.X, p.Y, b, b));
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_QPainterCopyBlocks400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    jxt::bench::TRatioReporter reporter;
    using jxt::bench::TTime;
    reporter.AddRatio("3D frame 400x400 vs QPainter shapes", "BM_3DFrame", "BM_QPainter3DShapes",
                      TTime::Processor, 3.0);
    reporter.AddRatio("star step 500 stars vs QPainter fill+points", "BM_StarsStep",
                      "BM_QPainterFillAnd500Points");
    reporter.AddRatio("fill image ramp 1000x1000 vs QLinearGradient", "BM_FillImageRamp1000",
                      "BM_QPainterGradient1000", TTime::Processor, 2.0);
    reporter.AddRatio("fill image pattern 1000x1000 vs pattern brush", "BM_FillImagePattern1000",
                      "BM_QPainterPatternBrush1000", TTime::Processor, 2.0);
    reporter.AddRatio("random FadeIn 400x400 vs QPainter block copies", "BM_FadeInRandom400",
                      "BM_QPainterCopyBlocks400", TTime::Processor, 1.25,
                      "every fade draws a fresh random order of its 40,000 blocks (a tenth of "
                      "the job), the anchor replays one order; both stall on the blocks' "
                      "random source rows");
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
