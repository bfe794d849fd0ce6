// SPDX-License-Identifier: MIT
// INI reading against QSettings (INI format) on the same 10,000-key file in the same run:
// one key through a new TIniFile, through jxtINIReadString, and a first read of a file not
// seen before. Prints the time ratios at the end.
#include "host/files/IniFiles.h"
#include "util/JxutilIni.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <string>
#include <thread>

using namespace jxt;

namespace {

constexpr int kKeys = 10000;
constexpr int kColdCopies = 64;

QTemporaryDir *g_dir = nullptr;

QString BigFile()
{
    return g_dir->filePath(QStringLiteral("big.ini"));
}

QString ColdFile(int i)
{
    return g_dir->filePath(QStringLiteral("cold%1.ini").arg(i));
}

void CreateFiles()
{
    QByteArray text = "; a large settings file\r\n[Big]\r\n";
    for (int i = 0; i < kKeys; ++i)
        text += "Key" + QByteArray::number(i) + "=Value number " + QByteArray::number(i) + "\r\n";
    text += "[Tail]\r\nLast=end\r\n";
    for (int i = -1; i < kColdCopies; ++i) {
        QFile file(i < 0 ? BigFile() : ColdFile(i));
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(text);
    }
    // Files changed within the last seconds are checked by content on every read; a settings
    // file is normally older than that.
    std::this_thread::sleep_for(std::chrono::milliseconds(3300));
}

void BM_ReadOneKey_TIniFile(benchmark::State &state)
{
    const QString path = BigFile();
    for (auto _ : state) {
        TIniFile ini(path);
        benchmark::DoNotOptimize(
            ini.ReadString(QStringLiteral("Big"), QStringLiteral("Key5000"), QString()));
    }
}

void BM_ReadOneKey_QSettings(benchmark::State &state)
{
    const QString path = BigFile();
    for (auto _ : state) {
        QSettings settings(path, QSettings::IniFormat);
        benchmark::DoNotOptimize(settings.value(QStringLiteral("Big/Key5000")).toString());
    }
}

void BM_ReadStringLoop_jxtINIReadString(benchmark::State &state)
{
    const QString path = BigFile();
    int i = 0;
    for (auto _ : state) {
        const QString key = QStringLiteral("Key%1").arg(i++ % kKeys);
        benchmark::DoNotOptimize(jxtINIReadString(path, QStringLiteral("Big"), key, QString()));
    }
}

void BM_ReadStringLoop_QSettings(benchmark::State &state)
{
    const QString path = BigFile();
    int i = 0;
    for (auto _ : state) {
        const QString key = QStringLiteral("Big/Key%1").arg(i++ % kKeys);
        QSettings settings(path, QSettings::IniFormat);
        benchmark::DoNotOptimize(settings.value(key).toString());
    }
}

// Cycling through more files than either cache holds makes every read a first read.
void BM_FirstRead_TIniFile(benchmark::State &state)
{
    int i = 0;
    for (auto _ : state) {
        TIniFile ini(ColdFile(i++ % kColdCopies));
        benchmark::DoNotOptimize(
            ini.ReadString(QStringLiteral("Big"), QStringLiteral("Key5000"), QString()));
    }
}

void BM_FirstRead_QSettings(benchmark::State &state)
{
    int i = 0;
    for (auto _ : state) {
        QSettings settings(ColdFile(i++ % kColdCopies), QSettings::IniFormat);
        benchmark::DoNotOptimize(settings.value(QStringLiteral("Big/Key5000")).toString());
    }
}

BENCHMARK(BM_ReadOneKey_TIniFile);
BENCHMARK(BM_ReadOneKey_QSettings);
BENCHMARK(BM_ReadStringLoop_jxtINIReadString);
BENCHMARK(BM_ReadStringLoop_QSettings);
BENCHMARK(BM_FirstRead_TIniFile);
BENCHMARK(BM_FirstRead_QSettings);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    CreateFiles();

    // Processor time, because the wall time of a shared machine says little.
    jxt::bench::TRatioReporter reporter;
    reporter.AddRatio("read one key vs QSettings", "BM_ReadOneKey_TIniFile",
                      "BM_ReadOneKey_QSettings");
    reporter.AddRatio("jxtINIReadString loop vs QSettings", "BM_ReadStringLoop_jxtINIReadString",
                      "BM_ReadStringLoop_QSettings");
    reporter.AddRatio("first read vs QSettings", "BM_FirstRead_TIniFile", "BM_FirstRead_QSettings",
                      // Behind its anchor when the aims were set, and without an aim yet.
                      jxt::bench::TTime::Processor, jxt::bench::kNoAim);
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
