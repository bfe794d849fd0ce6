// SPDX-License-Identifier: MIT
// Data safety of the file finder on real trees: a folder swapped for a link while the walk
// runs, folders it cannot open, and a tree deeper than paths and open files allow.
#include "services/JXFind.h"

#include "ChildProcess.h"
#include "SafetySupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace jxt;

namespace {

class JXFindSafetyTest : public jxt::test::TSafetyTest
{
protected:
    /// Runs the finder over the tree below `start`, recording every file found.
    QStringList Found(TJXFind &find, const QString &start)
    {
        QStringList found;
        find.OnFindFile = [&](TObject *, TSearchRec &rec, const QString &path, const QString &) {
            found << path + rec.Name;
        };
        find.SetStartPath(start);
        find.SetSubdirs(true);
        find.Execute();
        return found;
    }
};

} // namespace

// A subfolder replaced by a link to a folder outside the tree after the walk listed it: the
// walk does not follow the link, and says it could not enter the folder.
TEST_F(JXFindSafetyTest, AFolderSwappedForALinkDuringTheWalkIsNotFollowed)
{
    Mkdir("outside");
    Write("outside/secret.txt", "outside");
    Mkdir("tree");
    Mkdir("tree/a");
    Write("tree/a/a.txt", "a");
    Mkdir("tree/b");
    Write("tree/b/b.txt", "b");

    TJXFind find;
    bool swapped = false;
    find.OnChange = [&](TObject *, const QString &, int dirCount, int) {
        if (dirCount == 1 && !swapped) {
            swapped = ::rename(Host("tree/b").constData(), Host("b.old").constData()) == 0 &&
                      ::symlink("../outside", Host("tree/b").constData()) == 0;
        }
    };
    QStringList errors;
    find.OnScanError = [&](TObject *, const QString &path, int) { errors << path; };
    const QStringList found = Found(find, QStringLiteral("T:\\tree"));
    ASSERT_TRUE(swapped);
    EXPECT_EQ(found, QStringList(QStringLiteral("T:\\tree\\a\\a.txt")));
    EXPECT_EQ(errors, QStringList(QStringLiteral("T:\\tree\\b\\")));
}

// A folder the walk may not read is reported, not passed over in silence.
TEST_F(JXFindSafetyTest, FoldersThatCannotBeReadAreReported)
{
    EXPECT_EQ(jxt::test::RunChecksAsUnprivileged(
                  {QFile::decodeName(m_root)},
                  [&] {
                      Mkdir("tree");
                      Mkdir("tree/locked");
                      Write("tree/locked/x.txt", "x");
                      Write("tree/open.txt", "o");
                      ASSERT_EQ(::chmod(Host("tree/locked").constData(), 0), 0);
                      TJXFind find;
                      QStringList errors;
                      find.OnScanError = [&](TObject *, const QString &path, int error) {
                          errors << path;
                          EXPECT_EQ(error, EACCES);
                      };
                      EXPECT_EQ(Found(find, QStringLiteral("T:\\tree")),
                                QStringList(QStringLiteral("T:\\tree\\open.txt")));
                      EXPECT_EQ(errors, QStringList(QStringLiteral("T:\\tree\\locked\\")));
                      ::chmod(Host("tree/locked").constData(), 0755);
                  }),
              0);
}

// 2,000 levels: paths far beyond what a path may be long, and more levels than the process
// may open files. Every file is found and every folder counted.
TEST_F(JXFindSafetyTest, DeepTreesAreWalkedWhole)
{
    Mkdir("deep");
    MakeDeepTree("deep", "abc", 2000);
    EXPECT_EQ(jxt::test::RunChecksWithOpenFileLimit(
                  1024,
                  [&] {
                      TJXFind find;
                      QStringList errors;
                      find.OnScanError = [&](TObject *, const QString &path, int) {
                          errors << path;
                      };
                      const QStringList found = Found(find, QStringLiteral("T:\\deep"));
                      EXPECT_EQ(found.size(), 2000);
                      EXPECT_EQ(find.DirCount(), 2000);
                      EXPECT_EQ(find.FileCount(), 2000);
                      EXPECT_TRUE(errors.isEmpty()) << errors.size() << " errors";
                      if (!found.isEmpty()) {
                          EXPECT_EQ(found.front().size(), 7 + 2000 * 4 + 6);
                      }
                  }),
              0);
}
