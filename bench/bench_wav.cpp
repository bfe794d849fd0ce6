// SPDX-License-Identifier: MIT
// The wave player's sample preview of a ten-minute 44.1 kHz stereo 16-bit file (about
// 106 MB, made in a temporary directory at the start) against plain QFile in the same run:
// * reading all of the file's samples with QFile alone;
// * reading with QFile only the samples the preview shows (one per column), so the second
//   ratio is the cost of the format reading and the drawing on top of the reads.
#include "services/JXWAV.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace jxt;

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kSeconds = 600;
constexpr qint64 kDataBytes = qint64(kRate) * kChannels * 2 * kSeconds;
constexpr int kWidth = 600;
constexpr int kHeight = 100;

std::unique_ptr<QTemporaryDir> g_dir;
QString g_file;

void Put16(char *p, quint16 v)
{
    qToLittleEndian(v, p);
}
void Put32(char *p, quint32 v)
{
    qToLittleEndian(v, p);
}

bool MakeFile()
{
    g_dir = std::make_unique<QTemporaryDir>();
    g_file = g_dir->filePath(QStringLiteral("ten-minutes.wav"));
    QFile file(g_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    char h[44];
    std::memcpy(h, "RIFF", 4);
    Put32(h + 4, quint32(36 + kDataBytes));
    std::memcpy(h + 8, "WAVEfmt ", 8);
    Put32(h + 16, 16);
    Put16(h + 20, 1);
    Put16(h + 22, kChannels);
    Put32(h + 24, kRate);
    Put32(h + 28, kRate * kChannels * 2);
    Put16(h + 32, kChannels * 2);
    Put16(h + 34, 16);
    std::memcpy(h + 36, "data", 4);
    Put32(h + 40, quint32(kDataBytes));
    file.write(h, 44);
    // A slow triangle wave, so the preview has a shape.
    QByteArray block(1 << 20, '\0');
    qint64 frame = 0;
    for (qint64 written = 0; written < kDataBytes;) {
        const qint64 n = std::min<qint64>(block.size(), kDataBytes - written);
        for (qint64 i = 0; i + 4 <= n; i += 4, ++frame) {
            const int phase = int(frame % 2000);
            const qint16 v = qint16((phase < 1000 ? phase : 2000 - phase) * 60 - 30000);
            Put16(block.data() + i, quint16(v));
            Put16(block.data() + i + 2, quint16(v));
        }
        if (file.write(block.constData(), n) != n)
            return false;
        written += n;
    }
    return true;
}

void BM_Preview_Ours(benchmark::State &state)
{
    TJXWAV wav;
    wav.SetBounds(0, 0, kWidth, kHeight);
    wav.SetFileName(g_file);
    if (wav.DataSize() != kDataBytes)
        state.SkipWithError("the format was not read");
    for (auto _ : state)
        wav.Repaint();
}

void BM_Preview_Anchor_QFileAllSamples(benchmark::State &state)
{
    QByteArray block(1 << 20, '\0');
    for (auto _ : state) {
        QFile file(g_file);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(44)) {
            state.SkipWithError("cannot read the file");
            break;
        }
        qint64 total = 0, sum = 0;
        for (qint64 n; (n = file.read(block.data(), block.size())) > 0;) {
            total += n;
            sum += block[0];
        }
        benchmark::DoNotOptimize(sum);
        if (total != kDataBytes)
            state.SkipWithError("short read");
    }
}

void BM_Preview_Anchor_QFileShownSamples(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(g_file);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            state.SkipWithError("cannot read the file");
            break;
        }
        const qint64 step = file.size() / kWidth;
        qint64 sum = 0;
        char sample[2];
        for (qint64 offset = 44; offset < file.size(); offset += step) {
            if (file.seek(offset & ~qint64(3)) && file.read(sample, 2) == 2)
                sum += sample[1];
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(BM_Preview_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Preview_Anchor_QFileAllSamples)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Preview_Anchor_QFileShownSamples)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("JXT_SILENT_SOUND", "1");
    QApplication app(argc, argv);
    if (!MakeFile()) {
        std::fprintf(stderr, "bench_wav: cannot write the test file\n");
        return 1;
    }
    jxt::bench::TRatioReporter reporter;
    reporter.AddRatio("preview vs QFile reading all samples", "BM_Preview_Ours",
                      "BM_Preview_Anchor_QFileAllSamples", jxt::bench::TTime::Real);
    reporter.AddRatio("preview vs QFile reading the shown samples", "BM_Preview_Ours",
                      "BM_Preview_Anchor_QFileShownSamples", jxt::bench::TTime::Real);
    const int rc = jxt::bench::RunWithRatios(argc, argv, reporter);
    g_dir.reset();
    return rc;
}
