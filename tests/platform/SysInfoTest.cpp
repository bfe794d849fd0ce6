// SPDX-License-Identifier: MIT
// Memory status and processor load from fixture files, and once from the real /proc.
#include "platform/SysInfo.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace jxt::platform;
using jxt::test::WriteFile;

namespace {

class SysInfoTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_tmp.isValid()); }
    QString Fixture(const QString &name, const QByteArray &content)
    {
        const QString path = m_tmp.filePath(name);
        EXPECT_TRUE(WriteFile(path, content));
        return path;
    }
    QTemporaryDir m_tmp;
};

TEST_F(SysInfoTest, MemoryStatusFromMemInfo)
{
    const QString memInfo = Fixture("meminfo", "MemTotal:       16000000 kB\n"
                                               "MemFree:         1000000 kB\n"
                                               "MemAvailable:    4000000 kB\n"
                                               "Buffers:          200000 kB\n"
                                               "SwapTotal:       2000000 kB\n"
                                               "SwapFree:        1500000 kB\n");
    const QString status = Fixture("status", "Name:\tx\nVmPeak:\t 9000 kB\nVmSize:\t    1024 kB\n");
    TMemoryStatus m;
    ASSERT_TRUE(GetMemoryStatus(m, memInfo, status));
    EXPECT_EQ(m.TotalPhys, 16000000ull * 1024);
    EXPECT_EQ(m.AvailPhys, 4000000ull * 1024);
    EXPECT_EQ(m.MemoryLoad, 75);
    EXPECT_EQ(m.TotalSwap, 2000000ull * 1024);
    EXPECT_EQ(m.AvailSwap, 1500000ull * 1024);
    EXPECT_EQ(m.TotalPageFile, 18000000ull * 1024);
    EXPECT_EQ(m.AvailPageFile, 5500000ull * 1024);
    EXPECT_GT(m.TotalVirtual, 0u);
    EXPECT_EQ(m.TotalVirtual - m.AvailVirtual, 1024ull * 1024);
}

TEST_F(SysInfoTest, MemoryStatusOfOldOrBrokenFiles)
{
    // Without MemAvailable the free, buffer and cache figures count as available.
    TMemoryStatus m;
    ASSERT_TRUE(GetMemoryStatus(m,
                                Fixture("old", "MemTotal: 1000 kB\nMemFree: 100 kB\n"
                                               "Buffers: 50 kB\nCached: 183 kB\n"),
                                m_tmp.filePath("missing")));
    EXPECT_EQ(m.AvailPhys, 333ull * 1024);
    EXPECT_EQ(m.MemoryLoad, 67);
    EXPECT_EQ(m.AvailVirtual, m.TotalVirtual);

    // Inconsistent figures are clamped, absurd ones saturate instead of wrapping.
    ASSERT_TRUE(GetMemoryStatus(m, Fixture("odd", "MemTotal: 100 kB\nMemAvailable: 500 kB\n"
                                                  "SwapTotal: 99999999999999999999 kB\n"
                                                  "SwapFree: 18446744073709551615 kB\n")));
    EXPECT_EQ(m.AvailPhys, m.TotalPhys);
    EXPECT_EQ(m.MemoryLoad, 0);
    EXPECT_LE(m.AvailSwap, m.TotalSwap);

    EXPECT_FALSE(GetMemoryStatus(m, Fixture("nototal", "MemFree: 100 kB\n")));
    EXPECT_FALSE(GetMemoryStatus(m, Fixture("zero", "MemTotal: 0 kB\n")));
    EXPECT_FALSE(GetMemoryStatus(m, Fixture("garbage", QByteArray(5000, '\xFF'))));
    EXPECT_FALSE(GetMemoryStatus(m, m_tmp.filePath("missing")));
}

TEST_F(SysInfoTest, ProcessorLoadFromCounterDeltas)
{
    const QString stat = m_tmp.filePath("stat");
    TProcessorLoad meter(stat);
    EXPECT_EQ(meter.Sample(), -1);

    // user nice system idle iowait irq softirq steal guest guest_nice
    ASSERT_TRUE(WriteFile(stat, "cpu  100 0 100 700 100 0 0 0 50 0\ncpu0 1 2 3 4\n"));
    EXPECT_EQ(meter.Sample(), 20); // since the counters started: 200 busy of 1000
    ASSERT_TRUE(WriteFile(stat, "cpu  400 0 100 800 100 0 0 0 50 0\n"));
    EXPECT_EQ(meter.Sample(), 75); // 300 busy of 400
    EXPECT_EQ(meter.Sample(), 75); // no time passed: the last value
    ASSERT_TRUE(WriteFile(stat, "cpu  400 0 100 900 200 0 0 0 50 0\n"));
    EXPECT_EQ(meter.Sample(), 0);
    // Counters that went backwards (a restart) count from zero again.
    ASSERT_TRUE(WriteFile(stat, "cpu  10 0 0 10 0 0 0 0\n"));
    EXPECT_EQ(meter.Sample(), 50);

    ASSERT_TRUE(WriteFile(stat, "intr 1 2 3\n"));
    EXPECT_EQ(meter.Sample(), -1);
    ASSERT_TRUE(WriteFile(stat, "cpu 1 x 3 4\n"));
    EXPECT_EQ(meter.Sample(), -1);
    ASSERT_TRUE(WriteFile(stat, "cpu " + QByteArray(100000, '9') + "\n"));
    EXPECT_EQ(meter.Sample(), -1);
}

TEST(HostMachineSysInfo, ProcFilesGiveMemoryAndLoad)
{
    TMemoryStatus m;
    ASSERT_TRUE(GetMemoryStatus(m));
    EXPECT_GT(m.TotalPhys, 16ull * 1024 * 1024);
    EXPECT_LE(m.AvailPhys, m.TotalPhys);
    EXPECT_GE(m.MemoryLoad, 0);
    EXPECT_LE(m.MemoryLoad, 100);
    EXPECT_LT(m.AvailVirtual, m.TotalVirtual);

    TProcessorLoad meter;
    const int sinceBoot = meter.Sample();
    EXPECT_GE(sinceBoot, 0);
    EXPECT_LE(sinceBoot, 100);
    const int load = ProcessorLoad();
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
}

} // namespace
