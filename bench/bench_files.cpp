// SPDX-License-Identifier: MIT
// Recursive file walkers against find(1) on the same tree of 100,000 files in the same run:
// jxtFileCount with "*.*" against `find DIR -type f`, jxtGetFiles with "*.TXT" against
// `find DIR -type f -iname '*.txt'`, and FindFirst/FindNext over every leaf directory (which
// reads size, time and attributes of every file) against `find DIR -type f -printf '%s %T@'`,
// which reads the same facts. find runs as a child process whose output is read to the
// end and counted; starting that process is part of its cost (a few milliseconds, which is
// what a program that shells out to find pays too). Times are wall-clock times, since the
// child's processor time is not ours. On a loaded machine wall-clock times wander, so the
// processor time of both sides (ours, and find's own plus ours for reading its output) is
// compared too.
#include "host/core/Strings.h"
#include "platform/Find.h"
#include "util/Jxutil.h"
#include "util/JxutilFiles.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ftw.h>
#include <string>
#include <vector>

extern char **environ;

namespace {

// Shape of the tree: top directories × subdirectories × files per subdirectory.
int g_topDirs = 100;
int g_subDirs = 10;
int g_filesPerDir = 100;

double g_childCpuSeconds = 0; // processor time of every find run so far (user and system)

std::string g_root; // host path of the generated tree
QString g_rootPath; // the same as the walkers take it, with a trailing backslash

const char *const kExtensions[] = {".txt", ".TXT", ".doc", ".bmp",    "",
                                   ".ini", ".Txt", ".c",   ".tar.gz", ".dat"};

void CreateTree()
{
    char tmpl[] = "/tmp/jxt-bench-files-XXXXXX";
    if (!::mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    g_root = tmpl;
    std::string dir;
    char name[64];
    for (int t = 0; t < g_topDirs; ++t) {
        std::snprintf(name, sizeof name, "/Dir%03d", t);
        const std::string top = g_root + name;
        ::mkdir(top.c_str(), 0755);
        for (int s = 0; s < g_subDirs; ++s) {
            std::snprintf(name, sizeof name, "/sub%02d", s);
            dir = top + name;
            ::mkdir(dir.c_str(), 0755);
            for (int f = 0; f < g_filesPerDir; ++f) {
                std::snprintf(name, sizeof name, "/File_%04d%s", f,
                              kExtensions[(f + s + t) % std::size(kExtensions)]);
                const std::string path = dir + name;
                const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
                if (fd < 0) {
                    std::perror(path.c_str());
                    std::exit(1);
                }
                // A few bytes, different per file, so sizes are not all zero.
                const int size = f % 17;
                const char bytes[17] = {};
                if (::write(fd, bytes, size_t(size)) != size)
                    std::perror("write");
                ::close(fd);
            }
        }
    }
    g_rootPath = QFile::decodeName(QByteArray::fromStdString(g_root)) + QLatin1Char('\\');
}

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return ::remove(path);
}

void RemoveTree()
{
    if (!g_root.empty())
        ::nftw(g_root.c_str(), RemoveEntry, 32, FTW_DEPTH | FTW_PHYS);
}

// Runs find with `args` (after the program name) and returns the number of output lines.
long RunFind(const std::vector<std::string> &args)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<char *> argv;
    std::string program = "find";
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string &a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, "find", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    long lines = 0;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i)
            lines += buffer[i] == '\n';
    }
    ::close(pipeFds[0]);
    int status = 0;
    struct rusage usage = {};
    ::wait4(pid, &status, 0, &usage);
    g_childCpuSeconds += double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec) +
                         (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e6;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? lines : -1;
}

long FindAllFiles()
{
    return RunFind({g_root, "-type", "f"});
}

long FindTxtFiles()
{
    return RunFind({g_root, "-type", "f", "-iname", "*.txt"});
}

long FindFileFacts()
{
    return RunFind({g_root, "-type", "f", "-printf", "%s %T@\\n"});
}

// Every leaf directory of the tree, as FindFirst patterns.
const std::vector<QString> &LeafPatterns()
{
    static const std::vector<QString> patterns = [] {
        std::vector<QString> p;
        for (int t = 0; t < g_topDirs; ++t) {
            for (int s = 0; s < g_subDirs; ++s)
                p.push_back(g_rootPath + QStringLiteral("Dir%1\\sub%2\\*.*")
                                             .arg(t, 3, 10, QLatin1Char('0'))
                                             .arg(s, 2, 10, QLatin1Char('0')));
        }
        return p;
    }();
    return patterns;
}

long OursFindFirst()
{
    long files = 0;
    qint64 bytes = 0;
    for (const QString &pattern : LeafPatterns()) {
        jxt::platform::TSearchRec rec;
        int rc = jxt::platform::FindFirst(pattern, jxt::platform::faAnyFile, rec);
        while (rc == 0) {
            if (rec.Attr & jxt::platform::faArchive) {
                ++files;
                // The time is read by FindFirst; converting it again here would measure
                // QDateTime, not the search.
                bytes += rec.Size + rec.Time.isValid();
            }
            rc = jxt::platform::FindNext(rec);
        }
        jxt::platform::FindClose(rec);
    }
    benchmark::DoNotOptimize(bytes);
    return files;
}

int OursCount()
{
    return jxt::jxtFileCount(g_rootPath, QStringLiteral("*.*"), true);
}

int OursTxt()
{
    jxt::TStringList list;
    jxt::jxtGetFiles(&list, g_rootPath, QStringLiteral("*.TXT"), true);
    return list.Count();
}

void BM_FileCount_Ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(OursCount());
}

void BM_FileCount_Anchor_find(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindAllFiles());
    state.counters["child_cpu"] =
        benchmark::Counter(g_childCpuSeconds - before, benchmark::Counter::kAvgIterations);
}

void BM_GetFiles_Ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(OursTxt());
}

void BM_GetFiles_Anchor_find(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindTxtFiles());
    state.counters["child_cpu"] =
        benchmark::Counter(g_childCpuSeconds - before, benchmark::Counter::kAvgIterations);
}

void BM_FindFirst_Ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(OursFindFirst());
}

void BM_FindFirst_Anchor_find(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindFileFacts());
    state.counters["child_cpu"] =
        benchmark::Counter(g_childCpuSeconds - before, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_FileCount_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileCount_Anchor_find)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GetFiles_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GetFiles_Anchor_find)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindFirst_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindFirst_Anchor_find)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // JXT_BENCH_TREE=top,sub,files shrinks the tree (for profiling runs under valgrind).
    if (const char *shape = std::getenv("JXT_BENCH_TREE"))
        std::sscanf(shape, "%d,%d,%d", &g_topDirs, &g_subDirs, &g_filesPerDir);
    CreateTree();
    std::atexit(RemoveTree);

    // Both sides must agree on what they find before their times are compared.
    const long expected = long(g_topDirs) * g_subDirs * g_filesPerDir;
    const long anchorAll = FindAllFiles();
    const long anchorTxt = FindTxtFiles();
    const long oursAll = OursCount();
    const long oursTxt = OursTxt();
    const long anchorFacts = FindFileFacts();
    const long oursFacts = OursFindFirst();
    if (anchorAll != expected || oursAll != expected || oursTxt != anchorTxt ||
        anchorFacts != expected || oursFacts != expected) {
        std::fprintf(stderr,
                     "disagreement: files %ld, find %ld, ours %ld; *.txt find %ld, ours %ld\n",
                     expected, anchorAll, oursAll, anchorTxt, oursTxt);
        return 1;
    }
    std::printf("tree %s: %ld files, %ld of them *.txt in any case\n", g_root.c_str(), expected,
                anchorTxt);

    // Wall-clock time first (the find jobs wait for a child process); processor time counts
    // the child's too.
    using jxt::bench::TTime;
    jxt::bench::TRatioReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    for (const TTime time : {TTime::Real, TTime::Processor}) {
        reporter.AddRatio("jxtFileCount vs find", "BM_FileCount_Ours", "BM_FileCount_Anchor_find",
                          time);
        reporter.AddRatio("jxtGetFiles vs find", "BM_GetFiles_Ours", "BM_GetFiles_Anchor_find",
                          time);
        reporter.AddRatio("FindFirst vs find", "BM_FindFirst_Ours", "BM_FindFirst_Anchor_find",
                          time);
    }
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
