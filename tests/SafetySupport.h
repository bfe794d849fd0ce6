// SPDX-License-Identifier: MIT
// The fixture of the data-safety tests: real files in a temporary folder that is also drive
// T:, made and read by their bytes (names that are not UTF-8 included), and a few builders of
// hostile trees.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt::test {

class TSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QFile::encodeName(QDir(m_dir.path()).canonicalPath());
        m_oldDrives = qgetenv("JXT_DRIVES");
        qputenv("JXT_DRIVES", "T=" + m_root);
    }
    void TearDown() override
    {
        // rm copes with trees deeper than any path may be long; anything it cannot remove
        // (a folder without permissions) is left to the temporary folder's own cleanup.
        QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+rwx"),
                                                    QFile::decodeName(m_root)});
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), QFile::decodeName(m_root)});
        if (m_oldDrives.isNull())
            qunsetenv("JXT_DRIVES");
        else
            qputenv("JXT_DRIVES", m_oldDrives);
    }

    /// The host path of a name below the folder.
    QByteArray Host(const QByteArray &rel) const { return m_root + '/' + rel; }
    QString HostPath(const QByteArray &rel) const { return QFile::decodeName(Host(rel)); }
    void Mkdir(const QByteArray &rel)
    {
        ASSERT_EQ(::mkdir(Host(rel).constData(), 0755), 0) << rel.constData();
    }
    void Write(const QByteArray &rel, const QByteArray &data, mode_t mode = 0644)
    {
        const int fd = ::open(Host(rel).constData(), O_CREAT | O_WRONLY | O_TRUNC, mode);
        ASSERT_GE(fd, 0) << rel.constData();
        ASSERT_EQ(::write(fd, data.constData(), size_t(data.size())), data.size());
        ::close(fd);
    }
    void Symlink(const QByteArray &target, const QByteArray &rel)
    {
        ASSERT_EQ(::symlink(target.constData(), Host(rel).constData()), 0) << rel.constData();
    }
    /// The content of a file named by its bytes, or "<missing>".
    QByteArray Read(const QByteArray &rel) const
    {
        const int fd = ::open(Host(rel).constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return "<missing>";
        QByteArray data;
        char buffer[65536];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            data.append(buffer, got);
        ::close(fd);
        return data;
    }
    bool Exists(const QByteArray &rel) const
    {
        struct stat st;
        return ::lstat(Host(rel).constData(), &st) == 0;
    }
    bool IsLink(const QByteArray &rel) const
    {
        struct stat st;
        return ::lstat(Host(rel).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    }
    /// The permission bits of an entry (links followed), or -1.
    int Mode(const QByteArray &rel) const
    {
        struct stat st;
        return ::stat(Host(rel).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    }
    /// Every entry of a folder below the root, hidden ones included, sorted.
    QStringList Entries(const QByteArray &rel = QByteArray()) const
    {
        return QDir(QFile::decodeName(rel.isEmpty() ? m_root : Host(rel)))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    /// The names of a folder's entries as bytes (names that are not UTF-8 included), sorted.
    QList<QByteArray> NativeEntries(const QByteArray &rel) const
    {
        QList<QByteArray> names;
        if (DIR *d = ::opendir(Host(rel).constData())) {
            while (const dirent *e = ::readdir(d)) {
                const QByteArray name(e->d_name);
                if (name != "." && name != "..")
                    names.append(name);
            }
            ::closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    /// A chain of `depth` nested folders `name` below `rel`, each holding the file "f.txt";
    /// made relative to each parent, so its paths may be far longer than a path may be.
    void MakeDeepTree(const QByteArray &rel, const QByteArray &name, int depth)
    {
        int fd = ::open(Host(rel).constData(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(fd, 0);
        for (int i = 0; i < depth; ++i) {
            ASSERT_EQ(::mkdirat(fd, name.constData(), 0755), 0) << "level " << i;
            const int sub = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            ASSERT_GE(sub, 0);
            fd = sub;
            const int file = ::openat(fd, "f.txt", O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(file, 0);
            ::close(file);
        }
        ::close(fd);
    }

    QTemporaryDir m_dir;
    QByteArray m_root;
    QByteArray m_oldDrives;
};

/// Bytes with no short period, so that a shifted or cut copy never compares equal.
inline QByteArray Pattern(int size, int seed = 0)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(seed + i * 31 + i / 4093);
    return data;
}

} // namespace jxt::test
