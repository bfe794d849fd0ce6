// SPDX-License-Identifier: MIT
// Volume facts from a fixture mount table, /dev/disk and /sys, and from the real host.
#include "platform/Volumes.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <unistd.h>

using namespace jxt::platform;
using jxt::test::TScopedEnv;
using jxt::test::WriteFile;

namespace {

class VolumesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_root = QDir(m_tmp.path()).canonicalPath();
        for (const char *dir : {"usb", "cd", "net/sub", "ram", "ssh", "with space", "dev/by-label",
                                "dev/by-uuid", "sys/sda", "sys/sdb/sdb1"})
            ASSERT_TRUE(QDir().mkpath(m_root + "/" + dir));
        const QString r = m_root;
        const QByteArray mounts = QFile::encodeName(
            QStringLiteral("1 0 8:0 / / rw - ext4 /dev/sda2 rw\n"
                           "2 1 8:17 / %1/usb rw,relatime shared:5 master:1 - vfat /dev/sdb1 rw\n"
                           "3 1 11:0 / %1/cd ro - iso9660 /dev/sr0 ro\n"
                           "4 1 0:50 / %1/net rw - cifs //fileserver/Data rw\n"
                           "5 1 0:51 / %1/ram rw - tmpfs tmpfs rw\n"
                           "6 1 0:52 / %1/ssh rw - fuse.sshfs user@host:/export/home rw\n"
                           "7 1 8:1 / %1/with\\040space rw - ext4 /dev/sda1 rw\n"
                           "garbage line\n"
                           "8 1 8:2 / relative rw - ext4 /dev/sda3 rw\n")
                .arg(r));
        m_sources.MountInfo = r + "/mountinfo";
        m_sources.DevDisk = r + "/dev";
        m_sources.SysDevBlock = r + "/sys";
        ASSERT_TRUE(WriteFile(m_sources.MountInfo, mounts));
        Link("../../sdb1", "dev/by-label/USB\\x20STICK");
        Link("../../sdb1", "dev/by-uuid/F00D-BEEF");
        Link("../../sda1", "dev/by-label/DATA");
        Link("../../sda1", "dev/by-uuid/0f0e0d0c-1111-2222-3333-444455556666");
        Link("../../sr0", "dev/by-label/CDROM_1");
        ASSERT_TRUE(WriteFile(r + "/sys/sda/removable", "0\n"));
        ASSERT_TRUE(WriteFile(r + "/sys/sdb/removable", "1\n"));
        Link("sda", "sys/8:0");
        Link("sda", "sys/8:1");
        Link("sdb/sdb1", "sys/8:17");
    }
    void Link(const QString &target, const QString &name)
    {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(m_root + "/" + name).constData()),
                  0);
    }
    TVolumeInfo Info(const QString &dir)
    {
        TVolumeInfo info;
        EXPECT_TRUE(GetVolumeInformation(m_root + "/" + dir, info, m_sources)) << dir.toStdString();
        return info;
    }

    QTemporaryDir m_tmp;
    QString m_root;
    TVolumeSources m_sources;
};

TEST_F(VolumesTest, MountTableParsing)
{
    const QList<TMountEntry> mounts = ReadMounts(m_sources.MountInfo);
    ASSERT_EQ(mounts.size(), 7);
    EXPECT_EQ(mounts.at(1).FsType, "vfat");
    EXPECT_EQ(mounts.at(1).Source, "/dev/sdb1");
    EXPECT_EQ(mounts.at(1).Major, 8);
    EXPECT_EQ(mounts.at(1).Minor, 17);
    EXPECT_EQ(mounts.at(6).MountPoint, m_root + "/with space");
    EXPECT_EQ(FindMount(mounts, m_root + "/net/sub/x"), 3);
    EXPECT_EQ(FindMount(mounts, m_root + "/network"), 0);
    EXPECT_TRUE(ReadMounts(m_root + "/missing").isEmpty());
}

TEST_F(VolumesTest, DeviceVolumesHaveLabelSerialAndType)
{
    const TVolumeInfo usb = Info("usb");
    EXPECT_EQ(usb.Label, "USB STICK");
    EXPECT_EQ(usb.SerialNumber, qint32(0xF00DBEEFu));
    EXPECT_LT(usb.SerialNumber, 0);
    EXPECT_EQ(usb.DriveType, DRIVE_REMOVABLE);
    EXPECT_EQ(usb.FileSystem, "vfat");

    const TVolumeInfo data = Info("with space");
    EXPECT_EQ(data.Label, "DATA");
    EXPECT_EQ(data.SerialNumber, 0x0f0e0d0c);
    EXPECT_EQ(data.DriveType, DRIVE_FIXED);

    const TVolumeInfo cd = Info("cd");
    EXPECT_EQ(cd.Label, "CDROM_1");
    EXPECT_EQ(cd.DriveType, DRIVE_CDROM);
}

TEST_F(VolumesTest, NetworkAndVirtualVolumes)
{
    const TVolumeInfo net = Info("net/sub");
    EXPECT_EQ(net.Label, "Data");
    EXPECT_EQ(net.DriveType, DRIVE_REMOTE);
    EXPECT_EQ(Info("ssh").DriveType, DRIVE_REMOTE);
    const TVolumeInfo ram = Info("ram");
    EXPECT_EQ(ram.Label, "");
    EXPECT_EQ(ram.DriveType, DRIVE_RAMDISK);

    TScopedEnv env("JXT_DRIVES", QFile::encodeName(QStringLiteral("N=%1/net;O=%1/net/sub;S=%1/ssh;"
                                                                  "U=%1/usb;V=%1/usb:fixed")
                                                       .arg(m_root)));
    EXPECT_EQ(GetNetworkConnection('n', m_sources), "\\\\fileserver\\Data");
    EXPECT_EQ(GetNetworkConnection('O', m_sources), "\\\\fileserver\\Data\\sub");
    EXPECT_EQ(GetNetworkConnection('S', m_sources), "\\\\host\\export\\home");
    EXPECT_EQ(GetNetworkConnection('U', m_sources), "");
    EXPECT_EQ(GetNetworkConnection('M', m_sources), "");
    EXPECT_EQ(GetDriveType("U:\\", m_sources), DRIVE_REMOVABLE);
    EXPECT_EQ(GetDriveType("V:\\", m_sources), DRIVE_FIXED);
}

TEST_F(VolumesTest, DriveTypesOfLetters)
{
    TScopedEnv env("JXT_DRIVES", QFile::encodeName(QStringLiteral("D=%1/usb:cdrom;E=%1/gone;"
                                                                  "F=%1/gone:remote")
                                                       .arg(m_root)));
    EXPECT_EQ(GetDriveType("D:\\"), DRIVE_CDROM);
    EXPECT_EQ(GetDriveType("E:\\"), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveType("F:\\"), DRIVE_REMOTE);
    EXPECT_EQ(GetDriveType("M:\\"), DRIVE_NO_ROOT_DIR);
    TVolumeInfo info;
    EXPECT_FALSE(GetVolumeInformation("M:\\", info));
    EXPECT_FALSE(GetVolumeInformation("E:\\", info));
}

TEST(HostMachineVolumes, RootAndRamDisk)
{
    EXPECT_EQ(GetDriveType("C:\\"), DRIVE_FIXED);
    TVolumeInfo root;
    ASSERT_TRUE(GetVolumeInformation("c:\\", root));
    EXPECT_NE(root.SerialNumber, 0);
    EXPECT_EQ(root.MountPoint, "/");
    EXPECT_EQ(root.DriveType, DRIVE_FIXED);

    qint64 free = 0, total = 0, totalFree = 0;
    ASSERT_TRUE(GetDiskFreeSpace("C:\\", free, total, totalFree));
    EXPECT_GT(total, 0);
    EXPECT_LE(free, totalFree);
    EXPECT_LE(totalFree, total);
    EXPECT_FALSE(GetDiskFreeSpace("M:\\", free, total, totalFree));

    EXPECT_EQ(GetShortPathName("C:\\Tmp"), "C:\\Tmp");
    EXPECT_EQ(GetShortPathName("C:\\no\\such\\path"), "");

    TVolumeInfo shm;
    if (!GetVolumeInformation("/dev/shm", shm) || shm.FileSystem != "tmpfs")
        GTEST_SKIP() << "no tmpfs at /dev/shm";
    TScopedEnv env("JXT_DRIVES", "R=/dev/shm");
    EXPECT_EQ(GetDriveType("R:\\"), DRIVE_RAMDISK);
}

} // namespace
