// SPDX-License-Identifier: MIT
// INI persistence on real files: where the file lies, the window entries and their order,
// restoring at another screen width, damaged states, item lists, sections and fonts.
#include "services/JXINI.h"

#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/graphics/Graphics.h"
#include "util/JxutilFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace jxt;

namespace {

class JXINITest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_form.SetName(QStringLiteral("MainForm"));
        m_ini = new TJXINI(&m_form);
        m_ini->SetName(QStringLiteral("Ini1"));
        m_ini->SetINIFileName(Path());
    }
    QString Path() const { return m_dir.filePath(QStringLiteral("test.ini")); }
    QByteArray Contents() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void SetContents(const QByteArray &bytes) const
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    TForm m_form;
    TJXINI *m_ini = nullptr;
};

} // namespace

TEST_F(JXINITest, FileNameWithoutDirectoryLiesBesideTheExecutable)
{
    TJXINI ini;
    EXPECT_EQ(ini.INIFileName(), QStringLiteral("Default.INI"));
    EXPECT_EQ(ini.ININame(), jxtAppDir() + QStringLiteral("Default.INI"));
    ini.SetINIFileName(QStringLiteral("app.ini"));
    EXPECT_EQ(ini.ININame(), jxtAppDir() + QStringLiteral("app.ini"));
    ini.SetINIFileName(QString());
    EXPECT_EQ(ini.INIFileName(), QStringLiteral("Default.INI"));
    ini.SetINIFileName(QStringLiteral("C:\\data\\app.ini"));
    EXPECT_EQ(ini.ININame(), QStringLiteral("C:\\data\\app.ini"));
    ini.SetINIFileName(QStringLiteral("/srv/app.ini"));
    EXPECT_EQ(ini.ININame(), QStringLiteral("/srv/app.ini"));
    EXPECT_EQ(ini.GetAboutJXT(), QStringLiteral("29.07.98"));
}

TEST_F(JXINITest, CaptionFallsBackToName)
{
    m_ini->SetCaption(QString());
    EXPECT_EQ(m_ini->Caption(), QStringLiteral("Ini1"));
    m_ini->SetCaption(QStringLiteral("Main"));
    EXPECT_EQ(m_ini->Caption(), QStringLiteral("Main"));
}

TEST_F(JXINITest, WindowEntriesAreWrittenInOrderAndRestored)
{
    m_ini->SetSaveWinPos(swpSizePosition);
    m_ini->SetSaveLastRes(true);
    m_form.SetBounds(40, 30, 320, 200);
    std::vector<QString> events;
    m_ini->OnWriteINI = [&](TObject *) {
        // Fired after the entries are in the file.
        events.push_back(QString::fromUtf8(Contents()));
    };
    m_ini->WriteINI();
    ASSERT_EQ(events.size(), 1u);
    const QString width = QString::number(Screen()->Width());
    EXPECT_EQ(events[0], QStringLiteral("[WinPos]\r\nIni1_WindowState=0\r\nIni1_LastRes=") + width +
                             QStringLiteral("\r\nIni1_Top=30\r\nIni1_Left=40\r\nIni1_Height=200\r\n"
                                            "Ini1_Width=320\r\n"));

    m_form.SetBounds(0, 0, 100, 100);
    int readFired = 0;
    m_ini->OnReadINI = [&](TObject *) {
        // Fired before the window is placed.
        EXPECT_EQ(m_form.Left(), 0);
        ++readFired;
    };
    m_ini->ReadINI();
    EXPECT_EQ(readFired, 1);
    EXPECT_EQ(m_form.Left(), 40);
    EXPECT_EQ(m_form.Top(), 30);
    EXPECT_EQ(m_form.Width(), 320);
    EXPECT_EQ(m_form.Height(), 200);
    EXPECT_EQ(LetzteAufloesung, Screen()->Width());
}

TEST_F(JXINITest, PositionStyleKeepsSizeAndNoneTouchesNothing)
{
    m_ini->SetCaption(QStringLiteral("Main"));
    m_ini->SetSaveWinPos(swpPosition);
    m_form.SetBounds(10, 20, 300, 150);
    m_ini->WriteINI();
    EXPECT_EQ(Contents(),
              QByteArray("[WinPos]\r\nMain_WindowState=0\r\nMain_Top=20\r\nMain_Left=10\r\n"));
    m_form.SetBounds(1, 2, 111, 99);
    m_ini->ReadINI();
    EXPECT_EQ(m_form.BoundsRect(), Bounds(10, 20, 111, 99));

    m_ini->SetSaveWinPos(swpNone);
    m_form.SetBounds(5, 5, 50, 50);
    m_ini->ReadINI();
    EXPECT_EQ(m_form.BoundsRect(), Bounds(5, 5, 50, 50));
}

TEST_F(JXINITest, MaximisedFormStoresItsStateButKeepsTheLastPlacement)
{
    m_ini->SetSaveWinPos(swpSizePosition);
    m_form.SetBounds(10, 20, 300, 150);
    m_ini->WriteINI();
    m_form.SetWindowState(wsMaximized);
    m_ini->WriteINI();
    EXPECT_EQ(
        m_ini->INIReadInteger(QStringLiteral("WinPos"), QStringLiteral("Ini1_WindowState"), -1), 2);
    EXPECT_EQ(m_ini->INIReadInteger(QStringLiteral("WinPos"), QStringLiteral("Ini1_Top"), -1), 20);

    TForm other;
    TJXINI reader(&other);
    reader.SetINIFileName(Path());
    reader.SetCaption(QStringLiteral("Ini1"));
    reader.SetSaveWinPos(swpSizePosition);
    other.SetBounds(0, 0, 60, 60);
    reader.ReadINI();
    EXPECT_EQ(other.WindowState(), wsMaximized);
}

TEST_F(JXINITest, OtherScreenWidthCentresTheFormAndKeepsItsSize)
{
    SetContents("[WinPos]\nIni1_WindowState=0\nIni1_LastRes=1\nIni1_Top=7\nIni1_Left=8\n"
                "Ini1_Height=90\nIni1_Width=91\n");
    m_ini->SetSaveWinPos(swpSizePosition);
    m_ini->SetSaveLastRes(true);
    m_form.SetBounds(100, 100, 200, 200);
    m_ini->ReadINI();
    EXPECT_EQ(LetzteAufloesung, 1);
    EXPECT_EQ(m_form.Position(), poScreenCenter);
    EXPECT_EQ(m_form.BoundsRect(), Bounds(100, 100, 200, 200));

    // Without SaveLastRes the stored width is not looked at.
    m_ini->SetSaveLastRes(false);
    m_ini->ReadINI();
    EXPECT_EQ(m_form.BoundsRect(), Bounds(8, 7, 91, 90));
}

TEST_F(JXINITest, StoredStateOutsideTheTableReadsAsNormal)
{
    m_ini->SetSaveWinPos(swpPosition);
    for (const char *state : {"7", "-1", "2147483647"}) {
        SetContents(QByteArray("[WinPos]\nIni1_WindowState=") + state +
                    "\nIni1_Top=3\nIni1_Left=4\n");
        m_form.SetBounds(50, 50, 80, 80);
        m_ini->ReadINI();
        EXPECT_EQ(m_form.WindowState(), wsNormal) << state;
        EXPECT_EQ(m_form.Left(), 4) << state;
        EXPECT_EQ(m_form.Top(), 3) << state;

        TForm maximised;
        TJXINI ini(&maximised);
        ini.SetINIFileName(Path());
        ini.SetCaption(QStringLiteral("Ini1"));
        ini.SetSaveWinPos(swpPosition);
        maximised.SetWindowState(wsMaximized);
        ini.ReadINI();
        EXPECT_EQ(maximised.WindowState(), wsNormal) << state;
    }
}

TEST_F(JXINITest, OwnerThatIsNoFormLeavesWindowsAlone)
{
    TComponent owner;
    TJXINI ini(&owner);
    ini.SetINIFileName(Path());
    ini.SetSaveWinPos(swpSizePosition);
    int fired = 0;
    ini.OnWriteINI = [&](TObject *) { ++fired; };
    ini.WriteINI();
    ini.ReadINI();
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(JXINITest, ValuesAndReadsSeeChangesMadeByOthers)
{
    m_ini->INIWriteString("S", "Text", "Grüße");
    m_ini->INIWriteInteger("S", "Num", -12);
    m_ini->INIWriteBool("S", "On", true);
    EXPECT_EQ(m_ini->INIReadString("S", "Text", "x"), QStringLiteral("Grüße"));
    EXPECT_EQ(m_ini->INIReadInteger("S", "Num", 0), -12);
    EXPECT_TRUE(m_ini->INIReadBool("S", "On", false));
    EXPECT_EQ(m_ini->INIReadString("S", "Missing", "def"), QStringLiteral("def"));
    EXPECT_EQ(m_ini->INIReadInteger("S", "Text", 5), 5); // not a number: the default

    // Another program rewrites the file with the same size right after it was read.
    SetContents("[S]\r\nText=Gruesse\r\n");
    EXPECT_EQ(m_ini->INIReadString("S", "Text", "x"), QStringLiteral("Gruesse"));
    SetContents("[S]\r\nText=Gruessa\r\n");
    EXPECT_EQ(m_ini->INIReadString("S", "Text", "x"), QStringLiteral("Gruessa"));
}

TEST_F(JXINITest, ItemListsSectionsAndErasing)
{
    SetContents("[List]\nAnzahl=2\n0=eins\n1=zwei\n[Other]\na=1\nb = x=y\n");
    TStringList list;
    list.Add(QStringLiteral("old"));
    m_ini->INIReadItems("List", &list);
    EXPECT_EQ(list.ToStringList(), QStringList({"eins", "zwei", "Leer"}));
    m_ini->INIReadItems("Nothing", &list);
    EXPECT_EQ(list.ToStringList(), QStringList({"Leer"}));

    m_ini->INIReadSection("Other", &list);
    EXPECT_EQ(list.ToStringList(), QStringList({"a", "b"}));
    m_ini->INIReadSectionValues("Other", &list);
    EXPECT_EQ(list.ToStringList(), QStringList({"a=1", "b=x=y"}));
    m_ini->INIReadRealSectionValues("Other", &list);
    EXPECT_EQ(list.ToStringList(), QStringList({"1", "x=y"}));

    m_ini->KillSection("List");
    EXPECT_EQ(m_ini->INIReadString("List", "0", "gone"), QStringLiteral("gone"));
    EXPECT_EQ(m_ini->INIReadString("Other", "a", ""), QStringLiteral("1"));
}

TEST_F(JXINITest, HugeItemCountIsBounded)
{
    SetContents("[List]\nAnzahl=2147483647\n0=a\n");
    TStringList list;
    m_ini->INIReadItems("List", &list);
    EXPECT_EQ(list.Count(), TJXINI::kMaxReadItems + 1);
    EXPECT_EQ(list[0], QStringLiteral("a"));
}

TEST_F(JXINITest, FontsRoundTripAndStyleLettersInAnyOrder)
{
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetSize(14);
    font.SetColor(clRed);
    font.SetStyle({fsBold, fsUnderline});
    m_ini->INISaveFont("Fonts", "Title", &font);
    EXPECT_EQ(m_ini->INIReadString("Fonts", "Title_Style", ""), QStringLiteral("BU"));

    TFont loaded;
    m_ini->INILoadFont("Fonts", "Title", &loaded);
    EXPECT_EQ(loaded.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(loaded.Size(), 14);
    EXPECT_EQ(loaded.Color(), clRed);
    EXPECT_EQ(loaded.Style(), TFontStyles({fsBold, fsUnderline}));

    SetContents("[F]\nX_Size=20\nX_Style=SI\n");
    TFont partial;
    partial.SetName(QStringLiteral("Courier New"));
    partial.SetColor(clBlue);
    partial.SetStyle({fsBold});
    m_ini->INILoadFont("F", "X", &partial);
    EXPECT_EQ(partial.Name(), QStringLiteral("Courier New"));
    EXPECT_EQ(partial.Color(), clBlue);
    EXPECT_EQ(partial.Size(), 20);
    EXPECT_EQ(partial.Style(), TFontStyles({fsItalic, fsStrikeOut}));

    // Without a style entry the style stays.
    m_ini->INILoadFont("F", "Nothing", &partial);
    EXPECT_EQ(partial.Style(), TFontStyles({fsItalic, fsStrikeOut}));
}
