// SPDX-License-Identifier: MIT
// The file services against the system's tools in the same run:
// * TJXCopy of one large file (512 MiB unless JXT_BENCH_COPY_MIB says otherwise) with the
//   largest buffer against `cp`, and of 10,000 small files ("*.*") against `cp -r src/. dst`.
//   The copier is set up as an application uses it: its two gauges on a shown form, messages
//   processed while it runs (so a cancel button would work). Neither side flushes the new
//   files to the disk (ours flushes only a file that replaces another, and the targets are
//   fresh), so both are measured against the page cache;
// * TJXFind over a tree of 100,000 files with a pattern list and all three events attached
//   (message processing included) against `find` with -iname patterns. That `find` only
//   reads the directories, while every record the finder reports carries the entry's size,
//   time and write permission, so it looks at every entry; a second anchor prints those for
//   each match (`-printf`), which makes `find` look at the entries as well.
// The tools run as child processes; starting them is part of their cost. Times are wall-clock
// times (both sides wait for the file system), with processor times (the child's included)
// compared as well.
#include "display/JXGauge.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "services/JXCopy.h"
#include "services/JXFind.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char **environ;

namespace {

std::string g_root;
int g_copyMiB = 512;
double g_childCpuSeconds = 0;
jxt::TForm *g_gaugeForm = nullptr; // the copier's gauges; freed by main before the application

const char *const kExtensions[] = {".txt", ".TXT", ".doc", ".bmp", "", ".ini", ".Txt", ".c"};

QString Q(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

void WriteFile(const std::string &path, const char *data, size_t size)
{
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size)) {
        std::perror(path.c_str());
        std::exit(1);
    }
    ::close(fd);
}

void CreateData()
{
    char tmpl[] = "/tmp/jxt-bench-services-XXXXXX";
    if (!::mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    g_root = tmpl;
    // The tree for the finder: 100 x 10 directories of 100 files.
    ::mkdir((g_root + "/tree").c_str(), 0755);
    char name[64];
    for (int t = 0; t < 100; ++t) {
        std::snprintf(name, sizeof name, "/tree/Dir%03d", t);
        const std::string top = g_root + name;
        ::mkdir(top.c_str(), 0755);
        for (int s = 0; s < 10; ++s) {
            std::snprintf(name, sizeof name, "/sub%02d", s);
            const std::string dir = top + name;
            ::mkdir(dir.c_str(), 0755);
            for (int f = 0; f < 100; ++f) {
                std::snprintf(name, sizeof name, "/File_%04d%s", f,
                              kExtensions[(f + s + t) % std::size(kExtensions)]);
                WriteFile(dir + name, "abc", size_t(f % 4));
            }
        }
    }
    // 10,000 small files of 1 to 4 KiB to copy.
    ::mkdir((g_root + "/small").c_str(), 0755);
    ::mkdir((g_root + "/small-ours").c_str(), 0755);
    ::mkdir((g_root + "/small-cp").c_str(), 0755);
    std::vector<char> bytes(4096, 'x');
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(name, sizeof name, "/small/f%05d.dat", i);
        WriteFile(g_root + name, bytes.data(), size_t(1024 * (1 + i % 4)));
    }
    // One large file.
    const std::vector<char> block(1 << 20, 'L');
    const int fd = ::open((g_root + "/large.bin").c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    for (int i = 0; i < g_copyMiB; ++i) {
        if (::write(fd, block.data(), block.size()) != ssize_t(block.size())) {
            std::perror("large.bin");
            std::exit(1);
        }
    }
    ::close(fd);
}

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return ::remove(path);
}

void RemoveData()
{
    if (!g_root.empty())
        ::nftw(g_root.c_str(), RemoveEntry, 32, FTW_DEPTH | FTW_PHYS);
}

/// Runs program with args; returns the number of output lines, or -1 when it failed.
long Run(const std::string &program, const std::vector<std::string> &args)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> copies = args;
    std::vector<char *> argv;
    std::string name = program;
    argv.push_back(name.data());
    for (std::string &a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    long lines = 0;
    char buffer[1 << 16];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        for (ssize_t i = 0; i < got; ++i)
            lines += buffer[i] == '\n';
    ::close(pipeFds[0]);
    int status = 0;
    struct rusage usage = {};
    ::wait4(pid, &status, 0, &usage);
    g_childCpuSeconds += double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec) +
                         (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e6;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? lines : -1;
}

void AddChildCpu(benchmark::State &state, double before)
{
    state.counters["child_cpu"] =
        benchmark::Counter(g_childCpuSeconds - before, benchmark::Counter::kAvgIterations);
}

// Copy. Both sides copy into fresh targets: replacing existing files would measure how
// the file system reuses inodes (ours writes a new file and renames it over the old one, so
// an interrupted copy never leaves a half-written target; cp rewrites the old file in
// place) more than the copying.

void Fresh(const std::string &path, bool directory)
{
    ::nftw(path.c_str(), RemoveEntry, 32, FTW_DEPTH | FTW_PHYS);
    if (directory)
        ::mkdir(path.c_str(), 0755);
}

jxt::TJXCopy &Copier()
{
    static jxt::TJXCopy copy;
    jxt::TForm *&form = g_gaugeForm;
    if (!form) {
        form = new jxt::TForm;
        auto *runGauge = new jxt::TJXGauge(form);
        auto *fileGauge = new jxt::TJXGauge(form);
        runGauge->SetParent(form);
        fileGauge->SetParent(form);
        runGauge->SetBounds(8, 8, 386, 20);
        fileGauge->SetBounds(8, 36, 386, 20);
        form->Show();
        copy.SetCopyProgressGauge(runGauge);
        copy.SetFileProgressGauge(fileGauge);
        copy.SetProcessMessages(true);
    }
    copy.SetBufferSize(16384);
    copy.SetOverWrite(true);
    copy.SetOverWriteMsg(false);
    return copy;
}

void BM_CopyLarge_Ours(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(g_root + "/large-ours.bin", false);
        state.ResumeTiming();
        if (!Copier().CopyFile(Q(g_root + "/large.bin"), Q(g_root + "/large-ours.bin"), false))
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * g_copyMiB * (1 << 20));
}

void BM_CopyLarge_Anchor_cp(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(g_root + "/large-cp.bin", false);
        state.ResumeTiming();
        if (Run("cp", {g_root + "/large.bin", g_root + "/large-cp.bin"}) < 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * g_copyMiB * (1 << 20));
    AddChildCpu(state, before);
}

void BM_CopySmall_Ours(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(g_root + "/small-ours", true);
        state.ResumeTiming();
        if (!Copier().CopyFile(Q(g_root + "/small/*.*"), Q(g_root + "/small-ours/"), false))
            state.SkipWithError("copy failed");
    }
}

void BM_CopySmall_Anchor_cp(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(g_root + "/small-cp", true);
        state.ResumeTiming();
        if (Run("cp", {"-r", g_root + "/small/.", g_root + "/small-cp"}) < 0)
            state.SkipWithError("cp failed");
    }
    AddChildCpu(state, before);
}

// Find

long OursFind()
{
    jxt::TJXFind find;
    find.SetStartPath(Q(g_root + "/tree"));
    find.SetSubdirs(true);
    find.SetFilePattern(QStringLiteral("*.txt;*.doc"));
    long found = 0, passed = 0, changes = 0;
    find.OnFindFile = [&](jxt::TObject *, jxt::TSearchRec &rec, const QString &path,
                          const QString &) { found += !rec.Name.isEmpty() && !path.isEmpty(); };
    find.OnNotFindFile = [&](jxt::TObject *, jxt::TSearchRec &, const QString &, const QString &) {
        ++passed;
    };
    find.OnChange = [&](jxt::TObject *, const QString &, int, int) { ++changes; };
    find.Execute();
    benchmark::DoNotOptimize(passed + changes);
    return found;
}

long AnchorFind()
{
    return Run("find", {g_root + "/tree", "-type", "f", "(", "-iname", "*.txt", "-o", "-iname",
                        "*.doc", ")"});
}

long AnchorFindStat()
{
    return Run("find", {g_root + "/tree", "-type", "f", "(", "-iname", "*.txt", "-o", "-iname",
                        "*.doc", ")", "-printf", "%s %T@ %m %p\\n"});
}

void BM_Find_Ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(OursFind());
}

void BM_Find_Anchor_find(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state)
        benchmark::DoNotOptimize(AnchorFind());
    AddChildCpu(state, before);
}

void BM_Find_Anchor_find_stat(benchmark::State &state)
{
    const double before = g_childCpuSeconds;
    for (auto _ : state)
        benchmark::DoNotOptimize(AnchorFindStat());
    AddChildCpu(state, before);
}

BENCHMARK(BM_CopyLarge_Ours)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_CopyLarge_Anchor_cp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_CopySmall_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopySmall_Anchor_cp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Find_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Find_Anchor_find)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Find_Anchor_find_stat)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    jxt::SetDialogService(std::make_unique<jxt::TScriptedDialogs>());
    if (const char *mib = std::getenv("JXT_BENCH_COPY_MIB"))
        g_copyMiB = std::max(1, std::atoi(mib));
    CreateData();
    std::atexit(RemoveData);

    // Both sides must agree before their times are compared.
    const long ours = OursFind();
    const long anchor = AnchorFind();
    const long anchorStat = AnchorFindStat();
    const bool copied =
        Copier().CopyFile(Q(g_root + "/small/*.*"), Q(g_root + "/small-ours/"), false);
    if (ours != anchor || ours != anchorStat || ours <= 0 || !copied) {
        std::fprintf(stderr, "disagreement: find %ld, TJXFind %ld, copy %d\n", anchor, ours,
                     copied);
        return 1;
    }
    std::printf("data %s: %d MiB file, 10000 small files, tree of 100000 files (%ld match)\n",
                g_root.c_str(), g_copyMiB, ours);

    using jxt::bench::TTime;
    jxt::bench::TRatioReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    for (const TTime time : {TTime::Real, TTime::Processor}) {
        reporter.AddRatio("TJXCopy large file vs cp", "BM_CopyLarge_Ours", "BM_CopyLarge_Anchor_cp",
                          time, jxt::bench::kStaysAhead,
                          "both copy in the kernel; ours in runs of up to 8 MiB, which keep "
                          "progress and cancel live, and the write-back of dirty pages slows "
                          "whichever job writes while it runs");
        reporter.AddRatio("TJXCopy 10000 small files vs cp", "BM_CopySmall_Ours",
                          "BM_CopySmall_Anchor_cp", time, 1.25);
        reporter.AddRatio("TJXFind with events vs find", "BM_Find_Ours", "BM_Find_Anchor_find",
                          time, jxt::bench::kNoAim);
        reporter.AddRatio("TJXFind with events vs find -printf size, time, mode", "BM_Find_Ours",
                          "BM_Find_Anchor_find_stat", time, 1.25,
                          "each folder is read twice (its subfolders first, then its files, in "
                          "name order), find reads it once as it comes");
    }
    const int rc = jxt::bench::RunWithRatios(argc, argv, reporter);
    delete g_gaugeForm;
    return rc;
}
