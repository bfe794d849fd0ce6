// SPDX-License-Identifier: MIT
// Programs, documents, mail and the end of the session: real processes for jxtRun, and a
// recording desktop service and session-end handler for what would open a desktop program
// or end the session.
#include "util/Jxutil.h"

#include "TestSupport.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "platform/Desktop.h"
#include "platform/Paths.h"
#include "platform/PlatformTestSupport.h"
#if JXT_WITH_DESKTOP
#    include "platform/Session.h"
#endif

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <map>
#include <vector>

using namespace jxt;

namespace {

/// Records what would be opened or started and answers associations from a table.
class TRecordingDesktop : public platform::TDesktopServices
{
public:
    struct TStart
    {
        QString program;
        QStringList arguments;
        QString workingDir;
    };
    bool Open(const QUrl &url) override
    {
        opened.push_back(url);
        return openSucceeds;
    }
    bool Start(const QString &program, const QStringList &arguments,
               const QString &workingDir) override
    {
        started.push_back({program, arguments, workingDir});
        return true;
    }
    QString DefaultApplication(const QString &mimeType) override
    {
        asked.push_back(mimeType);
        const auto it = associations.find(mimeType);
        return it == associations.end() ? QString() : it->second;
    }
    std::vector<QUrl> opened;
    std::vector<TStart> started;
    std::vector<QString> asked;
    std::map<QString, QString> associations;
    bool openSucceeds = true;
};

class JxutilProcess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto desktop = std::make_unique<TRecordingDesktop>();
        m_desktop = desktop.get();
        m_previous = platform::SetDesktopServices(std::move(desktop));
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { platform::SetDesktopServices(std::move(m_previous)); }

    QString MakeFile(const QString &name, const QByteArray &content = "text\n")
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QStringList Messages() const { return test::Dialogs()->Texts(); }

    TRecordingDesktop *m_desktop = nullptr;
    std::unique_ptr<platform::TDesktopServices> m_previous;
    QTemporaryDir m_dir;
};

QStringList ReadLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

// jxtRun -----------------------------------------------------------------------------------------

TEST_F(JxutilProcess, RunReturnsTheExitCodeWhenWaiting)
{
    EXPECT_EQ(jxtRun("/bin/true", 1, true), 0);
    EXPECT_GT(ProcessInfo.ProcessId, 0);
    EXPECT_EQ(jxtRun(R"(/bin/sh -c "exit 3")", 1, true), 3);
    EXPECT_EQ(jxtRun(R"("C:\bin\sh" -c "exit 4")", 1, true), 4); // a Windows path of C:
}

TEST_F(JxutilProcess, RunOfAMissingProgramFailsWhateverWait)
{
    for (bool wait : {true, false}) {
        EXPECT_EQ(jxtRun("C:\\no\\such\\program.exe", 1, wait), -1);
        EXPECT_EQ(ProcessInfo.ProcessId, 0);
        EXPECT_EQ(jxtRun("", 1, wait), -1);
    }
}

TEST_F(JxutilProcess, RunWithoutWaitStartsAndReturnsZero)
{
    const QString marker = m_dir.filePath("started");
    EXPECT_EQ(jxtRun(QStringLiteral("/usr/bin/touch \"%1\"").arg(marker), 1, false), 0);
    EXPECT_GT(ProcessInfo.ProcessId, 0);
    for (int i = 0; i < 200 && !QFile::exists(marker); ++i)
        jxtDelay(5);
    EXPECT_TRUE(QFile::exists(marker));
}

TEST_F(JxutilProcess, RunPassesShellSyntaxAsLiteralArguments)
{
    // A fixed script writes each argument it gets on a line of its own; the caller's texts
    // are only ever its arguments.
    const QString out = m_dir.filePath("args.txt");
    const QString pwned = m_dir.filePath("pwned");
    const QString line =
        QStringLiteral(R"x(/bin/sh -c "for a; do printf '%s\n' \"$a\"; done > \"$0\"" "%1" )x"
                       R"x("x; touch %2" "$(touch %2)" `touch %2` "a|b" "c && d" 'q' \"quoted\")x")
            .arg(out, pwned);
    EXPECT_EQ(jxtRun(line, 1, true), 0);
    EXPECT_EQ(ReadLines(out), QStringList({"x; touch " + pwned, "$(touch " + pwned + ")", "`touch",
                                           pwned + "`", "a|b", "c && d", "'q'", "\"quoted\""}));
    EXPECT_FALSE(QFile::exists(pwned));
}

TEST_F(JxutilProcess, RunHandlesEventsWhileWaiting)
{
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    EXPECT_EQ(jxtRun("/bin/sh -c \"sleep 0.05\"", 1, true), 0);
    EXPECT_EQ(fired, 1);
}

// jxtExecuteFile and jxtRunExecutable ------------------------------------------------------------

TEST_F(JxutilProcess, ExecuteFileStartsProgramsWithSplitParameters)
{
    EXPECT_EQ(jxtExecuteFile("/bin/true", R"(a "b c" d\"e $(x))", m_dir.path(), 1), SE_OK);
    ASSERT_EQ(m_desktop->started.size(), 1u);
    EXPECT_EQ(m_desktop->started[0].program, "/bin/true");
    EXPECT_EQ(m_desktop->started[0].arguments, QStringList({"a", "b c", "d\"e", "$(x)"}));
    EXPECT_EQ(m_desktop->started[0].workingDir, m_dir.path());
    EXPECT_TRUE(m_desktop->opened.empty());

    // A bare name is found on PATH.
    EXPECT_EQ(jxtExecuteFile("true", QString(), QString(), 1), SE_OK);
    ASSERT_EQ(m_desktop->started.size(), 2u);
    EXPECT_TRUE(m_desktop->started[1].program.endsWith("/true"));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(JxutilProcess, ExecuteFileOpensDocumentsFoldersAndAddresses)
{
    const QString doc = MakeFile("Bericht.txt");
    m_desktop->associations["text/plain"] = "editor.desktop";
    m_desktop->associations["x-scheme-handler/https"] = "browser.desktop";
    // Relative to the default directory, in its Windows form.
    EXPECT_EQ(jxtExecuteFile("Bericht.txt", "ignored",
                             jxtCheckPath(platform::ToWindowsPath(m_dir.path())), 1),
              SE_OK);
    EXPECT_EQ(jxtExecuteFile(m_dir.path(), QString(), QString(), 1), SE_OK);
    EXPECT_EQ(jxtExecuteFile("https://example.org/a%20b?x=1", QString(), QString(), 1), SE_OK);
    ASSERT_EQ(m_desktop->opened.size(), 3u);
    EXPECT_EQ(m_desktop->opened[0], QUrl::fromLocalFile(doc));
    EXPECT_EQ(m_desktop->opened[1], QUrl::fromLocalFile(m_dir.path()));
    EXPECT_EQ(m_desktop->opened[2].toString(QUrl::FullyEncoded), "https://example.org/a%20b?x=1");
    EXPECT_TRUE(m_desktop->started.empty());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(JxutilProcess, ExecuteFileReportsFailuresWithTheirCodes)
{
    const QString doc = MakeFile("data.xyz-unknown", QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(jxtExecuteFile(m_dir.filePath("missing.txt"), QString(), QString(), 1), SE_ERR_FNF);
    EXPECT_EQ(jxtExecuteFile("/bin/true", QString(), m_dir.filePath("no-dir"), 1), SE_ERR_PNF);
    EXPECT_EQ(jxtExecuteFile(doc, QString(), QString(), 1), SE_ERR_NOASSOC);
    EXPECT_EQ(Messages(), QStringList(3, "Fehler beim Programm-Aufruf"));
    EXPECT_TRUE(m_desktop->opened.empty());
    EXPECT_TRUE(m_desktop->started.empty());
}

TEST_F(JxutilProcess, RunExecutableOpensAssociatedDocuments)
{
    const QString doc = MakeFile("Brief.Mai.txt");
    m_desktop->associations["text/plain"] = "editor.desktop";
    EXPECT_TRUE(jxtRunExecutable(doc));
    ASSERT_EQ(m_desktop->opened.size(), 1u);
    EXPECT_EQ(m_desktop->opened[0], QUrl::fromLocalFile(doc));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(FName, "Brief");
    EXPECT_EQ(Ext, ".Mai.txt");
    EXPECT_EQ(Path, m_dir.path() + "/");
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

TEST_F(JxutilProcess, RunExecutableWithoutAssociationOrStartAsksNothingAndSaysWhy)
{
    const QString doc = MakeFile("Brief.txt");
    EXPECT_FALSE(jxtRunExecutable(doc));
    EXPECT_FALSE(jxtRunExecutable(m_dir.filePath("missing.txt")));
    m_desktop->associations["text/plain"] = "editor.desktop";
    m_desktop->openSucceeds = false;
    EXPECT_FALSE(jxtRunExecutable(doc));
    EXPECT_EQ(Messages(), QStringList({"Verknüpfung nicht gefunden", "Verknüpfung nicht gefunden",
                                       "Fehler bei Programmaufruf"}));
    for (const TDialogRequest &r : test::Dialogs()->Shown())
        EXPECT_EQ(r.type, mtConfirmation);
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

// jxtMailTo -------------------------------------------------------------------------------------

TEST_F(JxutilProcess, MailToWithoutAddressOnlyAsksForAMailProgram)
{
    EXPECT_FALSE(jxtMailTo(QString(), "s", "b"));
    m_desktop->associations["x-scheme-handler/mailto"] = "mail.desktop";
    EXPECT_TRUE(jxtMailTo(QString(), "s", "b"));
    EXPECT_TRUE(m_desktop->opened.empty());
    EXPECT_TRUE(m_desktop->started.empty());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(JxutilProcess, MailToOpensAPercentEncodedAddress)
{
    m_desktop->associations["x-scheme-handler/mailto"] = "mail.desktop";
    EXPECT_TRUE(jxtMailTo("Max Müller <max@example.org>", "Grüße & mehr? #1",
                          "Zeile 1\nZeile 2 = 100%\r\nEnde+"));
    ASSERT_EQ(m_desktop->opened.size(), 1u);
    EXPECT_EQ(m_desktop->opened[0].toString(QUrl::FullyEncoded),
              "mailto:Max%20M%C3%BCller%20%3Cmax@example.org%3E"
              "?Subject=Gr%C3%BC%C3%9Fe%20%26%20mehr%3F%20%231"
              "&Body=Zeile%201%0D%0AZeile%202%20%3D%20100%25%0D%0AEnde%2B");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(JxutilProcess, MailToWithoutMailProgramSaysSo)
{
    EXPECT_FALSE(jxtMailTo("a@example.org", "s", "b"));
    EXPECT_EQ(Messages(), QStringList("Mail-Programm nicht gefunden"));
    EXPECT_TRUE(m_desktop->opened.empty());
}

TEST(JxutilDesktop, RealServiceAsksXdgMimeForTheMailProgram)
{
    if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
        GTEST_SKIP() << "needs xdg-mime of the Debian package xdg-utils (scripts/install-deps.sh)";
    QTemporaryDir home;
    QDir(home.path()).mkpath("config");
    QDir(home.path()).mkpath("data/applications");
    test::TScopedEnv homeEnv("HOME", home.path().toLocal8Bit());
    test::TScopedEnv config("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    test::TScopedEnv data("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    test::TScopedEnv dataDirs("XDG_DATA_DIRS", (home.path() + "/none").toLocal8Bit());
    test::TScopedEnv desktop("XDG_CURRENT_DESKTOP", "");
    platform::TXdgDesktopServices real;
    EXPECT_EQ(real.DefaultApplication("x-scheme-handler/mailto"), QString());

    QFile entry(home.path() + "/data/applications/jxtmail.desktop");
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Mail\nExec=/bin/false %u\n"
                "MimeType=x-scheme-handler/mailto;\n");
    entry.close();
    QFile list(home.path() + "/config/mimeapps.list");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\nx-scheme-handler/mailto=jxtmail.desktop\n");
    list.close();
    EXPECT_EQ(real.DefaultApplication("x-scheme-handler/mailto"), "jxtmail.desktop");
    // Test runs never open anything through the real service.
    EXPECT_FALSE(real.Open(QUrl("mailto:a@example.org")));
    EXPECT_FALSE(real.Start("/bin/true", {}, QString()));
}

#if JXT_WITH_DESKTOP
// End of the session -----------------------------------------------------------------------------

TEST(JxutilSession, RequestsGoToTheInstalledHandler)
{
    std::vector<platform::TSessionEnd> requests;
    auto previous = platform::SetSessionEndHandler([&](platform::TSessionEnd r) {
        requests.push_back(r);
        return true;
    });
    jxtRestart();
    jxtReboot();
    jxtShutdown();
    platform::SetSessionEndHandler(previous);
    EXPECT_EQ(requests, (std::vector<platform::TSessionEnd>{platform::TSessionEnd::Logoff,
                                                            platform::TSessionEnd::Reboot,
                                                            platform::TSessionEnd::PowerOff}));
}

TEST(JxutilSession, TheRealHandlerRefusesInTestRuns)
{
    test::TScopedEnv marker("JXT_TEST", "1");
    for (auto r : {platform::TSessionEnd::Logoff, platform::TSessionEnd::Reboot,
                   platform::TSessionEnd::PowerOff})
        EXPECT_FALSE(platform::LogindSessionEnd(r));
}
#endif
