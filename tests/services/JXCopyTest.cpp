// SPDX-License-Identifier: MIT
// File copy on real files with the dialog service scripted: single files and wildcards,
// events and gauges, every question, a file onto itself, cancelling, and a full disk.
#include "services/JXCopy.h"

#include "TestSupport.h"
#include "display/JXGauge.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Find.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace jxt;

namespace {

class JXCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        jxt::test::InstallScriptedDialogs();
        m_copy.OnStart = [this](TObject *) { m_log << QStringLiteral("start"); };
        m_copy.OnEnd = [this](TObject *) { m_log << QStringLiteral("end"); };
        m_copy.OnChange = [this](TObject *, int files, const QString &, const QString &dest) {
            m_log << QStringLiteral("change %1 %2").arg(files).arg(platform::ExtractFileName(dest));
        };
    }
    QString P(const QString &relative) const { return m_dir.filePath(relative); }
    void Write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(P(relative)).path());
        QFile file(P(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray Read(const QString &relative) const
    {
        QFile file(P(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    /// Every entry of a folder, hidden ones (temporary files) included.
    QStringList Entries(const QString &relative) const
    {
        return QDir(P(relative))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList Texts() const { return jxt::test::Dialogs()->Texts(); }

    QTemporaryDir m_dir;
    TJXCopy m_copy;
    QStringList m_log;
};

QByteArray Pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

} // namespace

TEST(JXCopyProperties, DefaultsAndSetterRules)
{
    TJXCopy copy;
    EXPECT_EQ(copy.GetAboutJXT(), QStringLiteral("25.04.98"));
    EXPECT_EQ(copy.BufferSize(), 8192);
    EXPECT_EQ(copy.DialogCaption(), QStringLiteral("Kopiere Dateien..."));
    EXPECT_TRUE(copy.OverWriteMsg());
    EXPECT_FALSE(copy.OverWrite());
    copy.SetBufferSize(100);
    EXPECT_EQ(copy.BufferSize(), 1024);
    copy.SetBufferSize(65535);
    EXPECT_EQ(copy.BufferSize(), 16384);
    copy.SetDest(QStringLiteral("c:\\target"));
    EXPECT_EQ(copy.Dest(), QStringLiteral("C:\\TARGET\\"));
    copy.SetDest(QStringLiteral("c:\\target\\a.txt"));
    EXPECT_EQ(copy.Dest(), QStringLiteral("C:\\TARGET\\A.TXT"));
    copy.SetSource(QStringLiteral("c:\\x\\*.txt"));
    EXPECT_EQ(copy.Source(), QStringLiteral("C:\\X\\*.TXT"));
    EXPECT_EQ(copy.CheckPfadName(QString()), QString());
    EXPECT_EQ(copy.GetFileSize(QStringLiteral("/nonexistent/x")), -1);
    EXPECT_EQ(copy.GetFileCount(QStringLiteral("/nonexistent/*.x")), -1);
}

TEST_F(JXCopyTest, SingleFileIntoADirectoryKeepsItsName)
{
    const QByteArray data = Pattern(100000);
    Write("src/Photo.jpg", data);
    QDir().mkpath(P("dst"));
    TForm form;
    auto *runGauge = new TJXGauge(&form);
    auto *fileGauge = new TJXGauge(&form);
    m_copy.SetCopyProgressGauge(runGauge);
    m_copy.SetFileProgressGauge(fileGauge);
    m_copy.SetBufferSize(1024);
    m_copy.SetSource(P("src/Photo.jpg"));
    m_copy.SetDest(P("dst"));
    EXPECT_TRUE(m_copy.Copy());
    EXPECT_EQ(Read("dst/Photo.jpg"), data);
    EXPECT_EQ(Entries("dst"), QStringList({"Photo.jpg"}));
    EXPECT_EQ(m_log, QStringList({"start", "change 1 Photo.jpg", "end"}));
    EXPECT_EQ(runGauge->MaxValue(), 100000);
    EXPECT_EQ(runGauge->Progress(), 100000);
    EXPECT_EQ(fileGauge->Progress(), 100000);
    EXPECT_TRUE(Texts().isEmpty());

    // A gauge that goes away is let go of.
    delete fileGauge;
    EXPECT_EQ(m_copy.FileProgressGauge(), nullptr);
}

TEST_F(JXCopyTest, WildcardCopiesEveryMatchingFile)
{
    Write("src/a.txt", "A");
    Write("src/b.TXT", "BB");
    Write("src/c.bin", "C");
    QDir().mkpath(P("src/sub.txt"));
    QDir().mkpath(P("dst"));
    TForm form;
    auto *runGauge = new TJXGauge(&form);
    m_copy.SetCopyProgressGauge(runGauge);
    EXPECT_TRUE(m_copy.CopyFile(P("src/*.txt"), P("dst/"), false));
    EXPECT_EQ(Entries("dst"), QStringList({"a.txt", "b.TXT"}));
    EXPECT_EQ(m_log, QStringList({"start", "change 1 a.txt", "change 2 b.TXT", "end"}));
    EXPECT_EQ(runGauge->MaxValue(), 3);
    EXPECT_EQ(runGauge->Progress(), 3);

    m_log.clear();
    EXPECT_FALSE(m_copy.CopyFile(P("src/*.none"), P("dst/"), false));
    EXPECT_EQ(m_log, QStringList({"start", "end"}));
}

TEST_F(JXCopyTest, FileIsNeverCopiedOntoItself)
{
    const QByteArray data = Pattern(5000);
    Write("x/a.txt", data);
    // The same name in another case ends at once.
    EXPECT_FALSE(m_copy.CopyFile(P("x/a.txt"), P("x/A.TXT"), false));
    EXPECT_EQ(m_log, QStringList({"start", "end"}));

    // Other spellings: "..", a link to the file, the folder itself as destination.
    ASSERT_EQ(::symlink(QFile::encodeName(P("x/a.txt")).constData(),
                        QFile::encodeName(P("link.txt")).constData()),
              0);
    for (const QString &dest : {P("x/../x/a.txt"), P("link.txt"), P("x")}) {
        m_log.clear();
        m_copy.SetOverWrite(true);
        m_copy.SetOverWriteMsg(false);
        EXPECT_FALSE(m_copy.CopyFile(P("x/a.txt"), dest, false)) << dest.toStdString();
        EXPECT_EQ(m_log, QStringList({"start", "end"})) << dest.toStdString();
        EXPECT_EQ(Read("x/a.txt"), data);
    }
    m_log.clear();
    EXPECT_FALSE(m_copy.CopyFile(P("x/*.txt"), P("x/"), false));
    EXPECT_EQ(Read("x/a.txt"), data);
    EXPECT_EQ(Entries("x"), QStringList({"a.txt"}));
}

TEST_F(JXCopyTest, ExistingTargetsAndTheOverwriteQuestions)
{
    Write("src/1.txt", "new1");
    Write("src/2.txt", "new2");
    Write("dst/1.txt", "old1");
    Write("dst/2.txt", "old2");

    // Without OverWrite existing targets are left alone and count as done.
    EXPECT_TRUE(m_copy.CopyFile(P("src/*.txt"), P("dst/"), false));
    EXPECT_EQ(Read("dst/1.txt"), "old1");
    EXPECT_TRUE(Texts().isEmpty());

    // "All" answers the question for the rest of the run only.
    m_copy.SetOverWrite(true);
    jxt::test::Dialogs()->Answer(mrAll);
    EXPECT_TRUE(m_copy.CopyFile(P("src/*.txt"), P("dst/"), false));
    EXPECT_EQ(Read("dst/1.txt"), "new1");
    EXPECT_EQ(Read("dst/2.txt"), "new2");
    const QString question = QStringLiteral("Datei ") + P("dst/1.txt") +
                             QStringLiteral(" schon vorhanden. Soll sie überschrieben werden ?");
    EXPECT_EQ(Texts(), QStringList({question}));

    jxt::test::Dialogs()->Clear();
    Write("dst/1.txt", "old1");
    jxt::test::Dialogs()->Answer(mrNo);
    jxt::test::Dialogs()->Answer(mrNo);
    EXPECT_TRUE(m_copy.CopyFile(P("src/*.txt"), P("dst/"), false));
    EXPECT_EQ(Texts().size(), 2);
    EXPECT_EQ(Read("dst/1.txt"), "old1");
}

TEST_F(JXCopyTest, WriteProtectedTargetIsReplacedOnlyWhenAllowed)
{
    Write("a.txt", "new");
    Write("dst/a.txt", "old");
    ASSERT_EQ(platform::FileSetAttr(P("dst/a.txt"), platform::faReadOnly), 0);
    m_copy.SetOverWrite(true);
    m_copy.SetOverWriteMsg(false);
    jxt::test::Dialogs()->Answer(mrNo);
    EXPECT_TRUE(m_copy.CopyFile(P("a.txt"), P("dst/a.txt"), false));
    EXPECT_EQ(Read("dst/a.txt"), "old");
    EXPECT_EQ(Texts(),
              QStringList({QStringLiteral("Datei ") + P("dst/a.txt") +
                           QStringLiteral(" Schreibgeschützt. Soll sie überschrieben werden ?")}));
    jxt::test::Dialogs()->Answer(mrYes);
    EXPECT_TRUE(m_copy.CopyFile(P("a.txt"), P("dst/a.txt"), false));
    EXPECT_EQ(Read("dst/a.txt"), "new");
}

TEST_F(JXCopyTest, MissingSourceAndTargetDirectory)
{
    Write("a.txt", "data");
    jxt::test::Dialogs()->Answer(mrNo);
    EXPECT_FALSE(m_copy.CopyFile(P("a.txt"), P("new/sub/a.txt"), false));
    EXPECT_EQ(m_log, QStringList({"start", "end"})); // one OnEnd, however the run ends
    EXPECT_EQ(Texts(),
              QStringList({QStringLiteral("Zielverzeichnis ") + P("new/sub") +
                           QStringLiteral(" existiert nicht. Soll es erstellt werden ?")}));
    jxt::test::Dialogs()->Answer(mrYes);
    EXPECT_TRUE(m_copy.CopyFile(P("a.txt"), P("new/sub/a.txt"), false));
    EXPECT_EQ(Read("new/sub/a.txt"), "data");

    m_log.clear();
    jxt::test::Dialogs()->Clear();
    jxt::test::Dialogs()->Answer(mrAbort);
    EXPECT_FALSE(m_copy.CopyFile(P("gone.txt"), P("new/"), false));
    EXPECT_EQ(Texts(), QStringList({QStringLiteral("Datei >") + P("gone.txt") +
                                    QStringLiteral("< nicht gefunden")}));
    EXPECT_EQ(m_log, QStringList({"start", "end"}));

    // A drive that is not there.
    jxt::test::Dialogs()->Clear();
    jxt::test::Dialogs()->Answer(mrAbort);
    EXPECT_FALSE(m_copy.CopyFile(P("a.txt"), QStringLiteral("Q:\\x\\"), false));
    EXPECT_EQ(Texts(), QStringList({QStringLiteral("Zieldatenträger nicht bereit")}));
}

TEST_F(JXCopyTest, CancelLeavesTheOldTargetAndDoesNotPoisonLaterRuns)
{
    const QByteArray data = Pattern(64 * 1024);
    Write("big.bin", data);
    Write("dst/big.bin", "previous");
    m_copy.SetOverWrite(true);
    m_copy.SetOverWriteMsg(false);
    m_copy.SetBufferSize(1024);
    m_copy.SetProcessMessages(true);
    m_copy.SetShowCopyDialog(true);
    bool panFileVisible = true;
    m_copy.OnChange = [&](TObject *, int, const QString &, const QString &) {
        ASSERT_NE(frmJXCopy, nullptr);
        panFileVisible = frmJXCopy->panFile->Visible();
        EXPECT_EQ(frmJXCopy->Caption(), QStringLiteral("Kopiere Dateien..."));
        jxt::test::Dialogs()->Answer(mrYes);
        frmJXCopy->Button1Click(); // the user presses "Abbruch" and confirms
    };
    m_copy.SetSource(P("big.bin"));
    m_copy.SetDest(P("dst/"));
    EXPECT_FALSE(m_copy.Copy());
    EXPECT_FALSE(panFileVisible);
    EXPECT_EQ(m_log, QStringList({"start"})); // no OnEnd for a cancelled run
    EXPECT_EQ(m_copy.Tag(), 9999);
    EXPECT_EQ(Texts(), QStringList({QStringLiteral("Kopiervorgang abbrechen ?")}));
    EXPECT_EQ(Read("dst/big.bin"), "previous");
    EXPECT_EQ(Entries("dst"), QStringList({"big.bin"}));
    EXPECT_EQ(frmJXCopy, nullptr);

    // The next run of any instance copies again.
    m_copy.OnChange = nullptr;
    TJXCopy other;
    other.SetOverWrite(true);
    other.SetOverWriteMsg(false);
    EXPECT_TRUE(other.CopyFile(P("big.bin"), P("dst/"), false));
    EXPECT_EQ(Read("dst/big.bin"), data);
}

TEST_F(JXCopyTest, FullDiskRaisesTheErrorAndKeepsTheOldTarget)
{
    const QByteArray data = Pattern(256 * 1024);
    Write("big.bin", data);
    Write("dst/big.bin", "previous");
    m_copy.SetOverWrite(true);
    m_copy.SetOverWriteMsg(false);
    m_copy.SetShowCopyDialog(true);

    // Files of this process may not grow beyond 64 KiB: writes fail as on a full disk.
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        m_copy.CopyFile(P("big.bin"), P("dst/"), true);
    } catch (const EInOutError &e) {
        message = e.Message();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, QStringLiteral("Fehler beim schreiben von ") + P("dst/big.bin") +
                           QStringLiteral(". Ziel-Datenträger voll ?"));
    EXPECT_EQ(Read("dst/big.bin"), "previous");
    EXPECT_EQ(Read("big.bin"), data);
    EXPECT_EQ(Entries("dst"), QStringList({"big.bin"}));
    EXPECT_EQ(m_log, QStringList({"start", "change 1 big.bin"}));
    EXPECT_EQ(frmJXCopy, nullptr);
}

TEST_F(JXCopyTest, DateAndAttributesOnRequest)
{
    Write("a.txt", "x");
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6));
    ASSERT_TRUE(platform::FileSetDate(P("a.txt"), old));
    ASSERT_EQ(platform::FileSetAttr(P("a.txt"), platform::faReadOnly), 0);
    EXPECT_TRUE(m_copy.CopyFile(P("a.txt"), P("plain.txt"), false));
    EXPECT_NE(platform::FileAge(P("plain.txt")), old);
    EXPECT_FALSE(platform::FileGetAttr(P("plain.txt")) & platform::faReadOnly);

    m_copy.SetCopyDate(true);
    m_copy.SetCopyAttrib(true);
    EXPECT_TRUE(m_copy.CopyFile(P("a.txt"), P("kept.txt"), false));
    EXPECT_EQ(platform::FileAge(P("kept.txt")), old);
    EXPECT_TRUE(platform::FileGetAttr(P("kept.txt")) & platform::faReadOnly);
}

TEST_F(JXCopyTest, LongFileAdvancesTheGaugesOneBufferAtATimeAndStopsAtTheCancel)
{
    // Longer than the longest run the data moves in, and not a whole number of buffers.
    const int size = 9 * 1024 * 1024 + 123;
    const QByteArray data = Pattern(size);
    Write("long.bin", data);
    TForm form;
    auto *fileGauge = new TJXGauge(&form);
    m_copy.SetFileProgressGauge(fileGauge);
    m_copy.SetBufferSize(16384);
    std::vector<int> steps;
    int last = 0;
    int cancelAfter = -1;
    QObject::connect(fileGauge, &TJXGauge::progressChanged, [&](int progress) {
        if (progress == 0)
            return; // the gauge is reset for the file
        steps.push_back(progress - last);
        last = progress;
        if (int(steps.size()) == cancelAfter)
            fCopyBreak = true;
    });
    ASSERT_TRUE(m_copy.CopyFile(P("long.bin"), P("copy.bin"), false));
    EXPECT_EQ(Read("copy.bin"), data);
    ASSERT_EQ(steps.size(), std::size_t(size / 16384 + 1));
    for (std::size_t i = 0; i + 1 < steps.size(); ++i)
        ASSERT_EQ(steps[i], 16384) << "step " << i;
    EXPECT_EQ(steps.back(), size % 16384);

    // A cancel from a handler of the tenth step is noticed at the eleventh: the gauge stops
    // there, and no part of the file is left behind.
    steps.clear();
    last = 0;
    cancelAfter = 10;
    EXPECT_FALSE(m_copy.CopyFile(P("long.bin"), P("cancelled.bin"), false));
    EXPECT_EQ(steps.size(), 10u);
    EXPECT_EQ(fileGauge->Progress(), 10 * 16384);
    EXPECT_EQ(m_copy.Tag(), 9999);
    EXPECT_EQ(Entries(""), QStringList({"copy.bin", "long.bin"}));
}

TEST(JXCopyForm, ControlsCarryTheNamesOfTheForm)
{
    TfrmJXCopy form;
    EXPECT_EQ(form.Name(), QStringLiteral("frmJXCopy"));
    for (const char *name : {"Label1", "Label2", "panSource", "panDest", "Button1", "Panel1",
                             "jxgCopy", "panFile", "jxgFile"}) {
        TComponent *c = form.FindComponent(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(form.findChild<TComponent *>(QString::fromLatin1(name)), c) << name;
    }
    EXPECT_EQ(form.FindComponent(QStringLiteral("panfile")), form.panFile); // any case
    EXPECT_EQ(form.jxgFile->Parent(), form.panFile);
}

// A POSIX Dest stays a POSIX path: read back as given with "/", and the target the events
// hand out names the file that was written.
TEST_F(JXCopyTest, PosixDestGivesPathsThatNameTheCopy)
{
    Write("src/Mixed.Txt", "abc");
    QDir().mkpath(P("dst"));
    QString target;
    m_copy.OnChange = [&](TObject *, int, const QString &, const QString &dest) { target = dest; };
    m_copy.SetSource(P("src/Mixed.Txt"));
    m_copy.SetDest(P("dst"));
    EXPECT_EQ(m_copy.Dest(), P("dst") + QLatin1Char('/'));
    EXPECT_EQ(m_copy.Source(), P("src/Mixed.Txt"));
    EXPECT_TRUE(m_copy.Copy());
    EXPECT_EQ(target, P("dst/Mixed.Txt"));
    EXPECT_TRUE(QFileInfo::exists(target));
    // Windows-form paths still read back upper-cased.
    m_copy.SetDest(QStringLiteral("c:\\target"));
    EXPECT_EQ(m_copy.Dest(), QStringLiteral("C:\\TARGET\\"));
}
