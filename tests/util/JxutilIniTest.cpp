// SPDX-License-Identifier: MIT
// The one-call INI helpers on real files: values, integer conversion, the window-position and
// font records.
#include "util/JxutilIni.h"

#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>

using namespace jxt;

namespace {

class JxutilIniTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedWinDir = qgetenv("JXT_WINDIR");
        qputenv("JXT_WINDIR", m_dir.path().toLocal8Bit());
    }
    void TearDown() override
    {
        if (m_savedWinDir.isEmpty())
            qunsetenv("JXT_WINDIR");
        else
            qputenv("JXT_WINDIR", m_savedWinDir);
    }

    std::string Contents(const QString &name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    void SetContents(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    QByteArray m_savedWinDir;
};

} // namespace

TEST_F(JxutilIniTest, ValuesGoToTheWindowsDirectoryAndBack)
{
    jxtINIWriteString("app.ini", "Main", "Title", "Hallo Welt");
    jxtINIWriteInteger("app.ini", "Main", "Count", -5);
    jxtINIWriteBool("app.ini", "Main", "On", true);
    jxtINIWriteBool("app.ini", "Main", "Off", false);
    EXPECT_EQ(INIFile, nullptr) << "no INI object is kept between calls";
    EXPECT_EQ(Contents("app.ini"), "[Main]\r\nTitle=Hallo Welt\r\nCount=-5\r\nOn=1\r\nOff=0\r\n");

    EXPECT_EQ(jxtINIReadString("app.ini", "MAIN", "title", "x"), "Hallo Welt");
    EXPECT_EQ(jxtINIReadString("app.ini", "Main", "Missing", "x"), "x");
    EXPECT_EQ(jxtINIReadInteger("app.ini", "Main", "Count", 0), -5);
    EXPECT_TRUE(jxtINIReadBool("app.ini", "Main", "On", false));
    EXPECT_FALSE(jxtINIReadBool("app.ini", "Main", "Off", true));
    EXPECT_TRUE(jxtINIReadBool("app.ini", "Main", "Title", true)) << "not a number: the default";
    EXPECT_FALSE(jxtINIReadBool("app.ini", "Main", "Title", false));
}

TEST_F(JxutilIniTest, ReadIntegerConvertsStrictly)
{
    SetContents("n.ini", "[N]\nempty=\nhex=$FF\ntext=zwölf\nspace=1 2\n");
    EXPECT_EQ(jxtINIReadInteger("n.ini", "N", "missing", 42), 42);
    EXPECT_EQ(jxtINIReadInteger("n.ini", "N", "empty", 42), 0)
        << "an empty value is 0, not the default";
    EXPECT_EQ(jxtINIReadInteger("n.ini", "N", "hex", 0), 255);
    EXPECT_EQ(jxtINIReadInteger("missing.ini", "N", "x", -7), -7);
    EXPECT_THROW(jxtINIReadInteger("n.ini", "N", "text", 1), EConvertError);
    EXPECT_EQ(INIFile, nullptr) << "the INI object is freed when the conversion throws";
    try {
        jxtINIReadInteger("n.ini", "N", "space", 1);
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), "'1 2' is not a valid integer value");
    }
}

TEST_F(JxutilIniTest, SectionsListsAndErase)
{
    SetContents("s.ini", "[A]\na=1\nb = 2\n[B]\nc=3\n");
    TStringList list;
    list.Add("old");
    jxtINIReadSections("s.ini", &list);
    EXPECT_EQ(list.ToStringList(), (QStringList{"A", "B"}));
    jxtINIReadSection("s.ini", "a", &list);
    EXPECT_EQ(list.ToStringList(), (QStringList{"a", "b"}));
    jxtINIReadSectionValues("s.ini", "A", &list);
    EXPECT_EQ(list.ToStringList(), (QStringList{"a=1", "b=2"}));
    jxtINIEraseSection("s.ini", "A");
    EXPECT_EQ(Contents("s.ini"), "[B]\nc=3\n");
}

TEST_F(JxutilIniTest, SaveWinPosWritesTheChosenRecord)
{
    TForm form;
    form.SetBounds(10, 20, 300, 200);
    jxtINISaveWinPos("w.ini", "Main", &form, swpNone);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("w.ini")));

    jxtINISaveWinPos("w.ini", "Main", &form, swpPosition);
    EXPECT_EQ(Contents("w.ini"), "[WinPos]\r\nMain_Top=20\r\nMain_Left=10\r\n");

    jxtINISaveWinPos("w.ini", "Tool", &form, swpSizePosition);
    EXPECT_EQ(Contents("w.ini"), "[WinPos]\r\nMain_Top=20\r\nMain_Left=10\r\nTool_Top=20\r\n"
                                 "Tool_Left=10\r\nTool_Height=200\r\nTool_Width=300\r\n");

    // A maximised form is made normal first, so the normal placement is what gets saved.
    form.SetWindowState(wsMaximized);
    jxtINISaveWinPos("w.ini", "Max", &form, swpPosition);
    EXPECT_EQ(form.WindowState(), wsNormal);
}

// A shown top-level window has a frame around the area SetBounds places; saving and loading
// its record over and over must not move it by the frame each time.
TEST_F(JxutilIniTest, SavedWindowRecordRestoresAShownFormWithoutMoving)
{
    TForm form;
    form.SetBounds(11, 22, 333, 144);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect frame = form.frameGeometry();
    ASSERT_NE(frame.topLeft(), form.geometry().topLeft()) << "the window needs a frame here";
    for (int i = 0; i < 10; ++i) {
        jxtINISaveWinPos("pos.ini", "Main", &form, swpSizePosition);
        jxtINILoadWinPos("pos.ini", "Main", &form, swpSizePosition);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(form.BoundsRect(), Bounds(11, 22, 333, 144));
    EXPECT_EQ(form.frameGeometry(), frame);
    EXPECT_EQ(Contents("pos.ini"), "[WinPos]\r\nMain_Top=22\r\nMain_Left=11\r\n"
                                   "Main_Height=144\r\nMain_Width=333\r\n");
}

TEST_F(JxutilIniTest, MaximisedFormSavesItsNormalBounds)
{
    TForm form;
    form.SetBounds(11, 22, 333, 144);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SetWindowState(wsMaximized);
    QCoreApplication::processEvents();
    ASSERT_NE(form.BoundsRect(), Bounds(11, 22, 333, 144)) << "the window system maximised it";
    EXPECT_EQ(form.NormalBoundsRect(), Bounds(11, 22, 333, 144));

    jxtINISaveWinPos("max.ini", "Main", &form, swpSizePosition);
    EXPECT_EQ(Contents("max.ini"), "[WinPos]\r\nMain_Top=22\r\nMain_Left=11\r\n"
                                   "Main_Height=144\r\nMain_Width=333\r\n");
    // The form is normal again, back in its place.
    EXPECT_EQ(form.WindowState(), wsNormal);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.BoundsRect(), Bounds(11, 22, 333, 144));
}

TEST_F(JxutilIniTest, LoadWinPosPlacesTheForm)
{
    SetContents("w.ini", "[WinPos]\nMain_Top=40\nMain_Left=30\nMain_Height=250\nMain_Width=350\n"
                         "Half_Left=5\n");
    TForm form;
    form.SetBounds(1, 2, 100, 80);
    form.SetPosition(poScreenCenter);
    jxtINILoadWinPos("w.ini", "Main", &form, swpNone);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Top(), 2);

    jxtINILoadWinPos("w.ini", "Main", &form, swpPosition);
    EXPECT_EQ(form.Position(), poDesigned);
    EXPECT_EQ(form.Top(), 40);
    EXPECT_EQ(form.Left(), 30);
    EXPECT_EQ(form.Width(), 100) << "the size stays with swpPosition";

    jxtINILoadWinPos("w.ini", "Main", &form, swpSizePosition);
    EXPECT_EQ(form.Height(), 250);
    EXPECT_EQ(form.Width(), 350);

    // Missing keys keep the form's values.
    jxtINILoadWinPos("w.ini", "Half", &form, swpSizePosition);
    EXPECT_EQ(form.Top(), 40);
    EXPECT_EQ(form.Left(), 5);
    EXPECT_EQ(form.Width(), 350);
}

TEST_F(JxutilIniTest, FontRecordRoundTrip)
{
    TFont font;
    font.SetName("Arial");
    font.SetSize(12);
    font.SetColor(clBtnFace);
    font.SetStyle({fsBold, fsUnderline});
    jxtINISaveFont("f.ini", "Fonts", "Title", &font);
    EXPECT_EQ(Contents("f.ini"), "[Fonts]\r\nTitle_Name=Arial\r\nTitle_Size=12\r\nTitle_Color=" +
                                     std::to_string(clBtnFace) + "\r\nTitle_Style=BU\r\n");

    TFont loaded;
    EXPECT_TRUE(jxtINILoadFont("f.ini", "Fonts", "Title", &loaded));
    EXPECT_EQ(loaded.Name(), "Arial");
    EXPECT_EQ(loaded.Size(), 12);
    EXPECT_EQ(loaded.Color(), clBtnFace);
    EXPECT_EQ(loaded.Style(), (TFontStyles{fsBold, fsUnderline}));
}

TEST_F(JxutilIniTest, LoadFontStyleLettersAndMissingEntries)
{
    SetContents("f.ini", "[F]\nA_Name=Courier\nA_Style=SB\n"
                         "B_Name=Times\nB_Size=14\nB_Style=\n"
                         "C_Name=\nC_Size=30\n");
    TFont font;
    font.SetSize(9);
    font.SetColor(clRed);
    font.SetStyle({fsItalic});
    EXPECT_TRUE(jxtINILoadFont("f.ini", "F", "A", &font));
    EXPECT_EQ(font.Name(), "Courier");
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(font.Size(), 9) << "a missing size keeps the font's";
    EXPECT_EQ(font.Color(), clRed);

    EXPECT_TRUE(jxtINILoadFont("f.ini", "F", "B", &font));
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsStrikeOut}))
        << "an empty style keeps the font's";

    for (const char *prefix : {"C", "Never"}) {
        SCOPED_TRACE(prefix);
        EXPECT_FALSE(jxtINILoadFont("f.ini", "F", prefix, &font));
        EXPECT_EQ(font.Name(), "Times");
        EXPECT_EQ(font.Size(), 14);
    }
}
