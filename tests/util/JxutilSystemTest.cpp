// SPDX-License-Identifier: MIT
// System helpers: directories, environment, cursor, waiting, control helpers, windows and
// messages, I/O ports and version resources.
#include "util/Jxutil.h"

#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/core/SysUtils.h"
#include "platform/Paths.h"
#include "platform/PlatformTestSupport.h"
#include "platform/Pointer.h"
#include "platform/Ports.h"
#include "platform/VersionBuilders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

using namespace jxt;

TEST(JxutilSystem, SetScreenCursorSetsTheApplicationCursorAndShowsItAtOnce)
{
    const int refreshes = platform::PointerRefreshCount();
    jxtSetScreenCursor(crHourGlass);
    EXPECT_EQ(Screen()->Cursor(), crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(platform::PointerRefreshCount(), refreshes + 1);

    jxtSetScreenCursor(crDefault);
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(JxutilSystem, FileVersionsInfoReadsTheStringTableOfTheFirstTranslation)
{
    const QString launcher = QStringLiteral("/usr/lib/python3/dist-packages/distlib/w64.exe");
    if (!QFileInfo::exists(launcher))
        GTEST_SKIP() << "needs the Debian package python3-distlib (scripts/install-deps.sh)";
    TVersionType info;
    info.Comments = QStringLiteral("left from before");
    jxtGetFileVersionsInfo(launcher, info);
    EXPECT_EQ(info.CompanyName, QStringLiteral("Simple Launcher User"));
    EXPECT_EQ(info.FileDescription, QStringLiteral("Simple Launcher Executable"));
    EXPECT_EQ(info.FileVersion, QStringLiteral("1.1.0.14"));
    EXPECT_EQ(info.InternalName, QStringLiteral("w64.exe"));
    EXPECT_EQ(info.LegalCopyright, QStringLiteral("Copyright (C) Simple Launcher User"));
    EXPECT_EQ(info.LegalTradeMarks, QString());
    EXPECT_EQ(info.OriginalFileName, QStringLiteral("w64.exe")); // stored as "OriginalFilename"
    EXPECT_EQ(info.ProductName, QStringLiteral("Simple Launcher"));
    EXPECT_EQ(info.ProductVersion, QStringLiteral("1.1.0.14"));
    EXPECT_EQ(info.Comments, QString());
}

TEST(JxutilSystem, FileVersionsInfoTakesTheTableOfTheFirstTranslation)
{
    using namespace test::version;
    const auto table = [](const char *name, const char *company) {
        return Block(name, 1, {}, 0,
                     {Text("CompanyName", company), Text("Comments", QString("zu ") + name)});
    };
    const auto program = [&](std::uint16_t language, std::uint16_t codePage) {
        return PeWithVersion(
            Block("VS_VERSION_INFO", 0, QByteArray(52, '\0'), 52,
                  {Block("StringFileInfo", 1, {}, 0,
                         {table("040704E4", "Firma GmbH"), table("040904B0", "Company Inc.")}),
                   Block("VarFileInfo", 1, {}, 0, {Translation(language, codePage)})}));
    };
    QTemporaryDir dir;
    const QString file = dir.filePath("prog.exe");
    const auto versionOf = [&](const QByteArray &bytes) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        TVersionType info;
        jxtGetFileVersionsInfo(file, info);
        return info;
    };
    TVersionType info = versionOf(program(0x0409, 0x04B0));
    EXPECT_EQ(info.CompanyName, "Company Inc.");
    EXPECT_EQ(info.Comments, "zu 040904B0");
    EXPECT_EQ(info.ProductName, QString());
    // A translation without a table of its own: the first table.
    EXPECT_EQ(versionOf(program(0x040C, 0x04E4)).CompanyName, "Firma GmbH");
}

TEST(JxutilSystem, FileVersionsInfoEmptiesEveryFieldForFilesWithoutVersion)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.exe"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("MZ but nothing else");
    f.close();
    for (const QString &file :
         {QStringLiteral("/bin/true"), text, dir.filePath(QStringLiteral("missing.exe"))}) {
        TVersionType info;
        info.CompanyName = info.FileVersion = info.Comments = QStringLiteral("stale");
        jxtGetFileVersionsInfo(file, info);
        EXPECT_TRUE(info.CompanyName.isEmpty() && info.FileVersion.isEmpty() &&
                    info.Comments.isEmpty())
            << qPrintable(file);
    }
}

// Directories and environment ---------------------------------------------------------------------

TEST(JxutilSystem, DesktopAndProgramFoldersFollowTheUserDirectories)
{
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath("config"));
    QFile dirs(home.path() + "/config/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    dirs.close();
    test::TScopedEnv homeEnv("HOME", home.path().toLocal8Bit());
    test::TScopedEnv config("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    test::TScopedEnv data("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());

    // Folders that do not exist give the empty string.
    EXPECT_EQ(jxtDesktopDir(), QString());
    EXPECT_EQ(jxtProgrammsDir(), QString());
    EXPECT_EQ(jxtStartMenuDir(), QString());

    ASSERT_TRUE(QDir(home.path()).mkpath("Schreibtisch"));
    ASSERT_TRUE(QDir(home.path()).mkpath("data/applications"));
    EXPECT_EQ(jxtDesktopDir(), platform::ToWindowsPath(home.path() + "/Schreibtisch") + "\\");
    EXPECT_EQ(jxtProgrammsDir(),
              platform::ToWindowsPath(home.path() + "/data/applications") + "\\");
    EXPECT_EQ(jxtStartMenuDir(), jxtProgrammsDir());
    EXPECT_TRUE(jxtWinDir().endsWith('\\'));
}

TEST(JxutilSystem, EnvStrMatchesWholeNamesIgnoringCase)
{
    test::TScopedEnv a("JXT_Probe_Name", "Wert=mit Gleichheitszeichen");
    test::TScopedEnv b("JXT_PROBE_NAME_LONGER", "anders");
    EXPECT_EQ(jxtGetEnvStr("jxt_probe_name"), "Wert=mit Gleichheitszeichen");
    EXPECT_EQ(jxtGetEnvStr("JXT_PROBE"), QString()); // only the start of a name
    EXPECT_EQ(jxtGetEnvStr("JXT_PROBE_NAME_LONGER"), "anders");
    EXPECT_EQ(jxtGetEnvStr("JXT_NOT_DEFINED_ANYWHERE"), QString());
    EXPECT_EQ(jxtGetEnvStr(QString()), QString());
    EXPECT_EQ(jxtGetEnvStr("path"), qEnvironmentVariable("PATH"));
}

TEST(JxutilSystem, VersionTestsReportTheNtFamily)
{
    EXPECT_TRUE(jxtIsWinNT());
    EXPECT_EQ(jxtGetWinVersion(), 2);
}

// Waiting and controls ----------------------------------------------------------------------------

// Real time: the delay is measured with the clock.
TEST(HostMachineJxutilSystem, DelayHandlesEventsForTheWholeTime)
{
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    jxtDelay(0);
    EXPECT_EQ(fired, 1);

    QTimer::singleShot(5, [&] { ++fired; });
    QElapsedTimer clock;
    clock.start();
    jxtDelay(30);
    EXPECT_GE(clock.elapsed(), 30);
    EXPECT_EQ(fired, 2);
}

TEST(JxutilSystem, EnableAllReachesDirectChildrenOnly)
{
    TForm form;
    TPanel parent(&form);
    parent.SetParent(&form);
    TPanel child(&form);
    child.SetParent(&parent);
    TLabel label(&form);
    label.SetParent(&parent);
    TLabel grandchild(&form);
    grandchild.SetParent(&child);

    jxtEnableAll(&parent, false);
    EXPECT_TRUE(parent.Enabled());
    EXPECT_FALSE(child.Enabled());
    EXPECT_FALSE(label.Enabled());
    EXPECT_TRUE(grandchild.Enabled());
    jxtEnableAll(&parent, true);
    EXPECT_TRUE(child.Enabled());
    EXPECT_TRUE(label.Enabled());
    jxtEnableAll(nullptr, false); // nothing to do
}

TEST(JxutilSystem, UndoEditTakesBackTheLastChangeAndForgetsTheRest)
{
    QLineEdit line;
    line.setText("abc");
    line.insert("de");
    jxtUndoEdit(&line);
    EXPECT_EQ(line.text(), "abc");
    EXPECT_FALSE(line.isUndoAvailable());
    EXPECT_FALSE(line.isRedoAvailable());
    line.insert("x");
    line.undo(); // undone by hand: nothing left for jxtUndoEdit
    jxtUndoEdit(&line);
    EXPECT_EQ(line.text(), "abc");

    QPlainTextEdit memo;
    memo.setPlainText("eins");
    memo.moveCursor(QTextCursor::End);
    memo.insertPlainText(" zwei");
    jxtUndoEdit(&memo);
    EXPECT_EQ(memo.toPlainText(), "eins");
    EXPECT_FALSE(memo.document()->isUndoAvailable());
    EXPECT_FALSE(memo.document()->isRedoAvailable());

    TForm other;
    jxtUndoEdit(&other); // not an edit control: left alone
    jxtUndoEdit(nullptr);
}

TEST(JxutilSystem, FindMemoTextSearchesFromAnOffsetOfTheWholeText)
{
    QPlainTextEdit memo;
    memo.setPlainText("eins\nzwei\neins");
    EXPECT_EQ(jxtFindMemoText(&memo, "eins", 0), 0);
    EXPECT_EQ(jxtFindMemoText(&memo, "eins", 1), 10);
    EXPECT_EQ(jxtFindMemoText(&memo, "zwei\neins", 0), 5);
    EXPECT_EQ(jxtFindMemoText(&memo, "Eins", 0), -1); // case matters
    EXPECT_EQ(jxtFindMemoText(&memo, "eins", 11), -1);
    EXPECT_EQ(jxtFindMemoText(&memo, "eins", 100), -1);
    EXPECT_EQ(jxtFindMemoText(&memo, "eins", -5), 0);
    EXPECT_EQ(jxtFindMemoText(&memo, QString(), 0), -1);

    QLineEdit line;
    line.setText("a-b-c");
    EXPECT_EQ(jxtFindMemoText(&line, "-", 2), 3);
    TForm form;
    TLabel label(&form);
    label.SetCaption("Beschriftung");
    EXPECT_EQ(jxtFindMemoText(&label, "schrift", 0), 2);
    EXPECT_EQ(jxtFindMemoText(nullptr, "x", 0), -1);
}

TEST(JxutilSystem, PanelFileNameFitsThePanel)
{
    TForm form;
    TPanel panel(&form);
    panel.SetParent(&form);
    panel.SetBounds(0, 0, 120, 20);
    jxtSetPanelFileName(&panel, "C:\\a.txt");
    EXPECT_EQ(panel.Caption(), "C:\\a.txt");
    const QString longName = "C:\\Programme\\Sehr langer Ordnername\\Noch ein Ordner\\Datei.txt";
    jxtSetPanelFileName(&panel, longName);
    EXPECT_FALSE(panel.Caption().isEmpty());
    EXPECT_LT(panel.Caption().size(), longName.size());
    jxtSetPanelFileName(&panel, QString());
    EXPECT_EQ(panel.Caption(), QString());
}

// Windows and messages ----------------------------------------------------------------------------

namespace {

/// A form that answers window messages with twice the message number.
class TAnsweringForm : public TForm
{
public:
    using TForm::TForm;
    std::vector<int> received;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == TWindowMessageEvent::EventType()) {
            auto *m = static_cast<TWindowMessageEvent *>(e);
            received.push_back(m->Msg);
            m->Result = m->Msg * 2;
            m->accept();
            return true;
        }
        return TForm::event(e);
    }
};

} // namespace

TEST(JxutilWindows, HandlesAreFoundByExactOrLooseTitle)
{
    TForm first;
    first.SetCaption("Haupt Fenster");
    TForm second;
    second.SetCaption("Zweites Fenster");
    const HWND h = jxtGetWindowHandle("Haupt Fenster");
    EXPECT_NE(h, 0u);
    EXPECT_EQ(h, HWND(first.winId()));
    EXPECT_EQ(jxtGetWindowHandle("haupt fenster"), 0u);
    EXPECT_EQ(jxtGetWindowsHandle("  haupt FENSTER "), h);
    EXPECT_EQ(jxtGetWindowsHandle("Zweites Fenster"), HWND(second.winId()));
    EXPECT_EQ(jxtGetWindowHandle("Kein solches Fenster"), 0u);
    // A component without parent is a top-level widget, but no window.
    TComponent component;
    component.setWindowTitle("Komponente");
    EXPECT_EQ(jxtGetWindowHandle("Komponente"), 0u);
    EXPECT_EQ(jxtSendMessage("TComponent", WM_CLOSE), 0);
    EXPECT_EQ(jxtGetWindowText(h), "Haupt Fenster");
    EXPECT_EQ(jxtGetWindowTitle(h), "Haupt Fenster");
    EXPECT_EQ(jxtGetWindowText(0), QString());
}

TEST(JxutilWindows, TitlesAreCutAndSet)
{
    TForm form;
    form.SetCaption(QString(300, 'x'));
    const HWND h = HWND(form.winId());
    EXPECT_EQ(jxtGetWindowText(h).size(), 255);
    EXPECT_EQ(jxtGetWindowTitle(h).size(), 256);

    std::vector<int> waits;
    auto previous = SetRetryWait([&](int ms) { waits.push_back(ms); });
    EXPECT_TRUE(jxtSetWindowTitle(h, "Neuer Titel"));
    EXPECT_EQ(form.Caption(), "Neuer Titel");
    EXPECT_EQ(jxtGetWindowText(h), "Neuer Titel");
    EXPECT_TRUE(waits.empty());

    // An unknown handle: eleven tries, each failure followed by a wait of 100 ms.
    EXPECT_FALSE(jxtSetWindowTitle(h + 0x7777, "x"));
    EXPECT_EQ(waits, std::vector<int>(11, 100));
    SetRetryWait(previous);
}

TEST(JxutilWindows, SendMessageReachesTheFirstWindowOfTheClass)
{
    TAnsweringForm form;
    form.SetCaption("Empfänger");
    EXPECT_EQ(jxtSendMessage("AnsweringFo", 0x0400), 0x0800);
    EXPECT_EQ(form.received, std::vector<int>{0x0400});
    EXPECT_EQ(jxtSendMessage("answeringform", 0x0400), 0); // case matters
    EXPECT_EQ(jxtSendMessage("KeineSolcheKlasse", 0x0400), 0);
    EXPECT_EQ(form.received.size(), 1u);
}

TEST(JxutilWindows, UnansweredCloseMessageClosesTheWindow)
{
    QWidget window; // a plain Qt window: its class name is QWidget
    window.setWindowTitle("Zu schließen");
    window.show();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(jxtSendMessage("QWidget", 0x0401), 0); // unanswered: nothing happens
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(jxtSendMessage("QWidget", WM_CLOSE), 0);
    EXPECT_FALSE(window.isVisible());
}

// I/O ports ---------------------------------------------------------------------------------------

TEST(JxutilPorts, RefusalIsAClearInOutError)
{
    const QString device = platform::PortDevice();
    if (QFileInfo(device).isWritable())
        GTEST_SKIP() << "this process may use " << qPrintable(device);
    try {
        jxtInPort(0x378);
        FAIL() << "reading a port succeeded";
    } catch (const EInOutError &e) {
        EXPECT_TRUE(e.Message().startsWith("Port $0378 kann nicht gelesen werden ("))
            << qPrintable(e.Message());
        EXPECT_NE(e.ErrorCode, 0);
    }
    try {
        jxtOutPort(0x3F8, 0x41);
        FAIL() << "writing a port succeeded";
    } catch (const EInOutError &e) {
        EXPECT_TRUE(e.Message().startsWith("Port $03F8 kann nicht beschrieben werden ("))
            << qPrintable(e.Message());
    }
}

TEST(JxutilPorts, BytesGoToTheirPortsOffset)
{
    // An ordinary file stands for the port space of the port device.
    QTemporaryDir dir;
    const QString space = dir.filePath("ports");
    QByteArray bytes(0x400, '\0');
    bytes[0x378] = char(0xA5);
    QFile f(space);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    platform::SetPortDevice(space);
    EXPECT_EQ(jxtInPort(0x378), 0xA5);
    jxtOutPort(0x379, 0x5A);
    EXPECT_EQ(jxtInPort(0x379), 0x5A);
    EXPECT_EQ(jxtInPort(0x377), 0);
    EXPECT_THROW(jxtInPort(0xFFFF), EInOutError); // past the end of the space: nothing to read
    platform::SetPortDevice(QString());
    EXPECT_EQ(platform::PortDevice(), "/dev/port");
}

TEST(HostMachineJxutilPorts, ReadsTheDiagnosticPortWhereAllowed)
{
    if (!QFileInfo("/dev/port").isReadable())
        GTEST_SKIP() << "/dev/port is missing or not readable for this process";
    EXPECT_NO_THROW(jxtInPort(0x80));
}
