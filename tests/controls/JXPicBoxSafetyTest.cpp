// SPDX-License-Identifier: MIT
// Data safety of the picture box's scan on real trees: a folder swapped for a link while the
// worker runs, and folders the worker cannot open.
#include "controls/JXPicBox.h"

#include "ChildProcess.h"
#include "SafetySupport.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace jxt;

namespace {

class JXPicBoxSafetyTest : public jxt::test::TSafetyTest
{
protected:
    /// A loaded box scanning `pattern` with subfolders; returns the items once it is done.
    QStringList Scan(TJXPicBox &box, const QString &pattern)
    {
        box.SetBounds(0, 0, 300, 140);
        box.SetSubDirs(true);
        box.Loaded();
        box.SetPicPattern(pattern);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (box.Scanning() && std::chrono::steady_clock::now() < until)
            Application()->ProcessMessages();
        EXPECT_FALSE(box.Scanning());
        return box.Items()->ToStringList();
    }
};

} // namespace

// The worker lists the tree's folders, then enters them one by one: a folder replaced by a
// link to the outside in between is not entered, and the box says so.
TEST_F(JXPicBoxSafetyTest, AFolderSwappedForALinkDuringTheScanIsNotEntered)
{
    Mkdir("outside");
    Write("outside/secret.bmp", "x");
    Mkdir("tree");
    Mkdir("tree/a");
    Write("tree/a/a.bmp", "x");
    Mkdir("tree/b");
    Write("tree/b/b.bmp", "x");

    TJXPicBox box;
    bool swapped = false;
    // The worker waits while its first file is put in the list: the swap happens before it
    // goes on to the second folder.
    box.OnChangePicCount = [&](TObject *, int count) {
        if (count == 1 && !swapped) {
            swapped = ::rename(Host("tree/b").constData(), Host("b.old").constData()) == 0 &&
                      ::symlink("../outside", Host("tree/b").constData()) == 0;
        }
    };
    QStringList errors;
    box.OnScanError = [&](TObject *, const QString &path, int) { errors << path; };
    const QStringList items = Scan(box, QStringLiteral("T:\\tree\\*.*"));
    ASSERT_TRUE(swapped);
    EXPECT_EQ(items, QStringList(QStringLiteral("T:\\tree\\a\\a.bmp")));
    EXPECT_EQ(errors, QStringList(QStringLiteral("T:\\tree\\b\\")));
}

TEST_F(JXPicBoxSafetyTest, FoldersThatCannotBeOpenedAreReported)
{
    EXPECT_EQ(jxt::test::RunChecksAsUnprivileged(
                  {QFile::decodeName(m_root)},
                  [&] {
                      Mkdir("tree");
                      Mkdir("tree/locked");
                      Write("tree/locked/x.bmp", "x");
                      Write("tree/open.bmp", "x");
                      ASSERT_EQ(::chmod(Host("tree/locked").constData(), 0), 0);
                      TJXPicBox box;
                      QStringList errors;
                      box.OnScanError = [&](TObject *, const QString &path, int error) {
                          errors << path;
                          EXPECT_EQ(error, EACCES);
                      };
                      EXPECT_EQ(Scan(box, QStringLiteral("T:\\tree\\*.*")),
                                QStringList(QStringLiteral("T:\\tree\\open.bmp")));
                      EXPECT_EQ(errors, QStringList(QStringLiteral("T:\\tree\\locked\\")));
                      ::chmod(Host("tree/locked").constData(), 0755);
                  }),
              0);
}
