// SPDX-License-Identifier: MIT
// String helpers against their anchors in the same run: jxtIsMatch against fnmatch on the
// same names and patterns, jxtReplaceString against QString::replace on 1 MB of text.
#include "util/Jxutil.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

#include <fnmatch.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Patterns on which both matchers agree (suffix, prefix, single-character wildcard, "*.*").
const char *const kPatterns[] = {"*.DOC", "*.TXT", "READ*", "R?ADME.BAK", "*.*"};

struct TNames
{
    QStringList names;
    std::vector<std::string> bytes;
    QString patternList;
    std::vector<std::string> patterns;
};

const TNames &Names()
{
    static const TNames data = [] {
        TNames d;
        const char *const stems[] = {"README", "REPORT", "DATA", "IMAGE", "SETUP", "NOTES"};
        const char *const extensions[] = {".TXT", ".DOC", ".BAK", ".BMP", "", ".INI"};
        for (int i = 0; i < 1000; ++i) {
            QString name = QString::fromLatin1(stems[i % 6]);
            if (i % 7)
                name += QString::number(i);
            name += QString::fromLatin1(extensions[(i / 6) % 6]);
            d.names << name;
            d.bytes.push_back(name.toStdString());
        }
        QStringList list;
        for (const char *p : kPatterns) {
            list << QString::fromLatin1(p);
            d.patterns.emplace_back(p);
        }
        d.patternList = list.join(QLatin1Char(';'));
        return d;
    }();
    return data;
}

void BM_IsMatch_Ours(benchmark::State &state)
{
    const TNames &d = Names();
    long matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const QString &name : d.names)
            matches += jxt::jxtIsMatch(name, d.patternList);
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = double(matches);
}

void BM_IsMatch_Anchor_fnmatch(benchmark::State &state)
{
    const TNames &d = Names();
    long matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const std::string &name : d.bytes) {
            for (const std::string &pattern : d.patterns) {
                if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0) {
                    ++matches;
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = double(matches);
}

const QString kPattern = QStringLiteral("\\..\\");
const QString kReplacement = QStringLiteral("\\");

// About 1 MB of characters with 100,000 occurrences of the pattern.
const QString &Text()
{
    static const QString text = [] {
        QString t;
        t.reserve(1000000);
        for (int i = 0; i < 100000; ++i)
            t += QStringLiteral("dir%1\\..\\").arg(i % 100, 3, 10, QLatin1Char('0'));
        return t;
    }();
    return text;
}

void BM_ReplaceString_Ours(benchmark::State &state)
{
    for (auto _ : state) {
        QString s = Text();
        jxt::jxtReplaceString(s, kPattern, kReplacement);
        benchmark::DoNotOptimize(s.data());
    }
}

void BM_ReplaceString_Anchor_QString(benchmark::State &state)
{
    for (auto _ : state) {
        QString s = Text();
        s.replace(kPattern, kReplacement);
        benchmark::DoNotOptimize(s.data());
    }
}

BENCHMARK(BM_IsMatch_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IsMatch_Anchor_fnmatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplaceString_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceString_Anchor_QString)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Both sides must agree on what they do before their times are compared.
    QString ours = Text();
    jxt::jxtReplaceString(ours, kPattern, kReplacement);
    QString anchor = Text();
    anchor.replace(kPattern, kReplacement);
    if (ours != anchor) {
        std::fprintf(stderr, "jxtReplaceString and QString::replace disagree\n");
        return 1;
    }

    const TNames &d = Names();
    long oursMatches = 0;
    long anchorMatches = 0;
    for (int i = 0; i < d.names.size(); ++i) {
        oursMatches += jxt::jxtIsMatch(d.names[i], d.patternList);
        for (const std::string &pattern : d.patterns) {
            if (fnmatch(pattern.c_str(), d.bytes[std::size_t(i)].c_str(), 0) == 0) {
                ++anchorMatches;
                break;
            }
        }
    }
    if (oursMatches != anchorMatches) {
        std::fprintf(stderr, "jxtIsMatch and fnmatch disagree (%ld, %ld)\n", oursMatches,
                     anchorMatches);
        return 1;
    }

    // Processor time, because the machines that run this are often shared.
    jxt::bench::TRatioReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    reporter.AddRatio("jxtIsMatch vs fnmatch", "BM_IsMatch_Ours", "BM_IsMatch_Anchor_fnmatch");
    reporter.AddRatio("jxtReplaceString vs QString::replace", "BM_ReplaceString_Ours",
                      "BM_ReplaceString_Anchor_QString");
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
