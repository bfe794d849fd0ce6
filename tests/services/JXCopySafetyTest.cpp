// SPDX-License-Identifier: MIT
// Data safety of the file copy on real files: the exact name before a case variant, wildcard
// runs over names that are not UTF-8, FIFOs and write-protected targets, and copies that
// keep permissions, owners and links as cp does.
#include "services/JXCopy.h"

#include "ChildProcess.h"
#include "SafetySupport.h"
#include "TestSupport.h"
#include "host/controls/Dialogs.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace jxt;
using jxt::test::Pattern;

namespace {

class JXCopySafetyTest : public jxt::test::TSafetyTest
{
protected:
    void SetUp() override
    {
        TSafetyTest::SetUp();
        jxt::test::InstallScriptedDialogs();
        m_copy.OnEnd = [this](TObject *) { ++m_ends; };
        m_oldMask = ::umask(022);
    }
    void TearDown() override
    {
        ::umask(m_oldMask);
        TSafetyTest::TearDown();
    }
    QStringList Texts() const { return jxt::test::Dialogs()->Texts(); }

    TJXCopy m_copy;
    int m_ends = 0;
    mode_t m_oldMask = 022;
};

} // namespace

// The name as written wins over a name that differs only in case.
TEST_F(JXCopySafetyTest, TheExactNameIsPreferredOverACaseVariant)
{
    Mkdir("src");
    Write("src/X", "new");
    Mkdir("dst");
    Write("dst/X", "old upper");
    Write("dst/x", "old lower");
    m_copy.SetOverWrite(true);
    m_copy.SetOverWriteMsg(false);
    EXPECT_TRUE(m_copy.CopyFile(HostPath("src/X"), HostPath("dst/"), false));
    EXPECT_EQ(Read("dst/X"), "new");
    EXPECT_EQ(Read("dst/x"), "old lower");

    // A lower-case name where both exist names the lower-case file.
    Write("src/x", "new lower");
    EXPECT_TRUE(m_copy.CopyFile(HostPath("src/x"), HostPath("dst/"), false));
    EXPECT_EQ(Read("dst/x"), "new lower");
    EXPECT_EQ(Read("dst/X"), "new");
    EXPECT_EQ(Entries("dst"), (QStringList{"X", "x"}));
}

// A wildcard run copies every regular file, whatever bytes its name holds; what it cannot
// copy (a FIFO) is left out without an exception, and the run says it was not complete.
TEST_F(JXCopySafetyTest, WildcardRunsCopyEveryFileAndReportWhatTheyCannot)
{
    Mkdir("src");
    Write("src/plain.txt", "plain");
    Write("src/back\\slash.txt", "back");
    Write("src/bad\xff.txt", "bad");
    ASSERT_EQ(::mkfifo(Host("src/pipe.txt").constData(), 0644), 0);
    Mkdir("dst");
    bool result = true;
    EXPECT_EQ(jxt::test::RunChecksInChild([&] {
                  ::alarm(20);
                  EXPECT_NO_THROW(
                      result = m_copy.CopyFile(HostPath("src/*.txt"), HostPath("dst/"), false));
                  EXPECT_FALSE(result);
                  EXPECT_EQ(m_ends, 1);
              }),
              0);
    EXPECT_EQ(Read("dst/plain.txt"), "plain");
    EXPECT_EQ(Read("dst/back\\slash.txt"), "back");
    EXPECT_EQ(Read("dst/bad\xff.txt"), "bad");
    EXPECT_FALSE(Exists("dst/pipe.txt"));
    EXPECT_EQ(NativeEntries("dst"),
              (QList<QByteArray>{"back\\slash.txt", "bad\xff.txt", "plain.txt"}));

    // Without the FIFO the run is complete.
    ASSERT_EQ(::unlink(Host("src/pipe.txt").constData()), 0);
    Mkdir("dst2");
    EXPECT_TRUE(m_copy.CopyFile(HostPath("src/*.txt"), HostPath("dst2/"), false));
    EXPECT_EQ(Read("dst2/bad\xff.txt"), "bad");
    EXPECT_EQ(NativeEntries("dst2").size(), 3);
}

// "Yes" for a write-protected target allows replacing it; a copy that then fails leaves
// the old file as it was, write protection included.
TEST_F(JXCopySafetyTest, AFailedCopyLeavesAWriteProtectedTargetProtected)
{
    const QByteArray data = Pattern(256 * 1024);
    Write("big.bin", data);
    Mkdir("dst");
    Write("dst/big.bin", "old", 0444);
    m_copy.SetOverWrite(true);
    m_copy.SetOverWriteMsg(false);
    jxt::test::Dialogs()->Answer(mrYes);
    const int rc = jxt::test::RunWithFileSizeLimit(64 * 1024, [&] {
        try {
            m_copy.CopyFile(HostPath("big.bin"), HostPath("dst/"), false);
        } catch (const EInOutError &) {
            return 1;
        }
        return 0;
    });
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(Read("dst/big.bin"), "old");
    EXPECT_EQ(Mode("dst/big.bin"), 0444);
    EXPECT_EQ(Entries("dst"), QStringList("big.bin"));

    // Replaced, the file is no longer write-protected, as the question said.
    jxt::test::Dialogs()->Answer(mrYes);
    EXPECT_TRUE(m_copy.CopyFile(HostPath("big.bin"), HostPath("dst/"), false));
    EXPECT_EQ(Read("dst/big.bin"), data);
    EXPECT_EQ(Mode("dst/big.bin"), 0644);
}

// A new copy is readable by no one the source is not readable by; a replaced target keeps
// its mode, owner and group; a link to a file is written through and stays a link.
TEST_F(JXCopySafetyTest, CopiesKeepPermissionsAndLinksAsCpDoes)
{
    Write("secret.txt", "secret", 0600);
    Write("open.txt", "open", 0644);
    Mkdir("dst");
    EXPECT_TRUE(m_copy.CopyFile(HostPath("secret.txt"), HostPath("dst/"), false));
    EXPECT_EQ(Read("dst/secret.txt"), "secret");
    EXPECT_EQ(Mode("dst/secret.txt"), 0600);

    Write("dst/private.txt", "old", 0600);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(Host("dst/private.txt").constData(), 4321, 4322), 0);
    }
    m_copy.SetOverWrite(true);
    m_copy.SetOverWriteMsg(false);
    EXPECT_TRUE(m_copy.CopyFile(HostPath("open.txt"), HostPath("dst/private.txt"), false));
    EXPECT_EQ(Read("dst/private.txt"), "open");
    EXPECT_EQ(Mode("dst/private.txt"), 0600);
    if (root) {
        struct stat st;
        ASSERT_EQ(::stat(Host("dst/private.txt").constData(), &st), 0);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }

    Mkdir("elsewhere");
    Write("elsewhere/real.txt", "old real", 0640);
    Symlink("../elsewhere/real.txt", "dst/link.txt");
    EXPECT_TRUE(m_copy.CopyFile(HostPath("open.txt"), HostPath("dst/link.txt"), false));
    EXPECT_TRUE(IsLink("dst/link.txt"));
    EXPECT_EQ(Read("elsewhere/real.txt"), "open");
    EXPECT_EQ(Mode("elsewhere/real.txt"), 0640);
    EXPECT_EQ(Entries("elsewhere"), QStringList("real.txt"));
    EXPECT_TRUE(Texts().isEmpty()) << Texts().join('\n').toStdString();
}

// The permission rules as an ordinary user, who cannot give files away.
TEST_F(JXCopySafetyTest, PermissionsHoldForAnOrdinaryUser)
{
    EXPECT_EQ(
        jxt::test::RunChecksAsUnprivileged(
            {QFile::decodeName(m_root)},
            [&] {
                Write("secret.txt", "secret", 0600);
                Mkdir("dst");
                Write("dst/ro.txt", "old", 0444);
                TJXCopy copy;
                EXPECT_TRUE(copy.CopyFile(HostPath("secret.txt"), HostPath("dst/"), false));
                EXPECT_EQ(Mode("dst/secret.txt"), 0600);
                copy.SetOverWrite(true);
                copy.SetOverWriteMsg(false);
                jxt::test::Dialogs()->Answer(mrNo);
                EXPECT_TRUE(copy.CopyFile(HostPath("secret.txt"), HostPath("dst/ro.txt"), false));
                EXPECT_EQ(Read("dst/ro.txt"), "old");
                EXPECT_EQ(Mode("dst/ro.txt"), 0444);
                jxt::test::Dialogs()->Answer(mrYes);
                EXPECT_TRUE(copy.CopyFile(HostPath("secret.txt"), HostPath("dst/ro.txt"), false));
                EXPECT_EQ(Read("dst/ro.txt"), "secret");
                EXPECT_EQ(Mode("dst/ro.txt"), 0644);
            }),
        0);
}
