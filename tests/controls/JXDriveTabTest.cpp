// SPDX-License-Identifier: MIT
// TJXDriveTab: tabs built from the drive table (bad entries and missing folders left out),
// the drive pictures, selecting by letter, clicking with the mouse, and the first show.
#include "controls/JXDriveTab.h"
#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace jxt;
using jxt::test::CountColor;

namespace {

// Maps drives for one test: A: a removable folder, D: a CD-ROM folder, E: a folder that does
// not exist, plus malformed entries; C: stays the root.
class JXDriveTabDrives : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkdir(QStringLiteral("floppy"));
        QDir(m_dir.path()).mkdir(QStringLiteral("cd"));
        m_saved = qgetenv("JXT_DRIVES");
        const QString mapping =
            QStringLiteral("A=%1/floppy:removable;D=%1/cd:cdrom;E=%1/missing;F=relative/x;"
                           "G;=;7=/tmp;H=/tmp:nonsense:;")
                .arg(m_dir.path());
        qputenv("JXT_DRIVES", mapping.toUtf8());
    }
    void TearDown() override
    {
        if (m_saved.isNull())
            qunsetenv("JXT_DRIVES");
        else
            qputenv("JXT_DRIVES", m_saved);
    }

    QTemporaryDir m_dir;
    QByteArray m_saved;
};

QStringList TabTexts(const TJXDriveTab &tab)
{
    QStringList texts;
    for (int i = 0; i < tab.Tabs()->Count(); ++i)
        texts.append(tab.Tabs()->Get(i));
    return texts;
}

} // namespace

TEST_F(JXDriveTabDrives, OneTabPerPresentDriveWithThePictureOfItsKind)
{
    TForm form;
    auto *tab = new TJXDriveTab(&form);
    tab->SetParent(&form);
    tab->SetBounds(0, 0, 300, 22);
    Loaded(&form);

    EXPECT_EQ(TabTexts(*tab).join(QLatin1Char(',')), QStringLiteral("a,c,d"));
    EXPECT_EQ(tab->Tabs()->GetObject(0), tab->DrivePicture(TJXDriveTab::dtFloppy));
    EXPECT_EQ(tab->Tabs()->GetObject(1), tab->DrivePicture(TJXDriveTab::dtFixed));
    EXPECT_EQ(tab->Tabs()->GetObject(2), tab->DrivePicture(TJXDriveTab::dtCDROM));
    EXPECT_EQ(tab->DrivePicture(TJXDriveTab::dtNoDrive), nullptr);
    for (auto type : {TJXDriveTab::dtFloppy, TJXDriveTab::dtFixed, TJXDriveTab::dtNetwork,
                      TJXDriveTab::dtCDROM, TJXDriveTab::dtRAM}) {
        const TBitmap *picture = tab->DrivePicture(type);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Width(), 16);
        EXPECT_EQ(picture->Height(), 11);
    }

    // Each tab is widened by its picture and shows it: the floppy's navy body in tab a.
    tab->Repaint();
    const TRect a = tab->TabRect(0);
    EXPECT_GT(CountColor(tab->Surface(), 0x800000, a.Left, a.Top, a.Right, a.Bottom), 20);
    EXPECT_EQ(CountColor(tab->Surface(), 0x800000, a.Right, 0, 300, 22), 0);
    TCanvas measure;
    measure.SetFont(tab->Font());
    EXPECT_GE(a.Width(), measure.TextWidth(QStringLiteral("a")) + 16 + 2);
}

TEST_F(JXDriveTabDrives, DriveSelectsTabsAndAClickSetsTheDrive)
{
    TForm form;
    form.SetBounds(0, 0, 300, 100);
    auto *tab = new TJXDriveTab(&form);
    tab->SetParent(&form);
    tab->SetBounds(0, 0, 300, 22);
    tab->SetDrive(QLatin1Char('q'));
    form.show();
    Loaded(&form);
    EXPECT_EQ(tab->TabIndex(), -1); // no drive Q

    int clicks = 0;
    tab->OnClick = [&](TObject *) { ++clicks; };
    const TRect d = tab->TabRect(2);
    QTest::mouseClick(tab, Qt::LeftButton, {}, QPoint((d.Left + d.Right) / 2, 10));
    EXPECT_EQ(tab->TabIndex(), 2);
    EXPECT_EQ(tab->Drive(), QLatin1Char('d'));
    EXPECT_EQ(clicks, 1);

    tab->SetDrive(QLatin1Char('C'));
    EXPECT_EQ(tab->TabIndex(), 1);
    EXPECT_EQ(tab->Drive(), QLatin1Char('C'));

    // The keyboard moves to the neighbouring drive.
    tab->SetFocus();
    QTest::keyClick(tab, Qt::Key_Left);
    EXPECT_EQ(tab->Drive(), QLatin1Char('a'));
    EXPECT_EQ(clicks, 2);

    // Character 0 stands for the drive of the current directory (the root is C:).
    tab->SetDrive(QChar());
    EXPECT_EQ(tab->Drive().toUpper(), QLatin1Char('C'));
}

TEST(JXDriveTab, TabsAreBuiltOnlyWhenLoaded)
{
    TJXDriveTab tab;
    EXPECT_EQ(tab.Tabs()->Count(), 0);
    EXPECT_FALSE(tab.Drive().isNull());
    EXPECT_EQ(tab.Style(), tsOwnerDraw);
}

// Made in code and placed in a plain widget, the drive tab builds its tabs when first shown,
// without anyone calling Loaded.
TEST_F(JXDriveTabDrives, BuildsItsTabsWhenFirstShownInAPlainWidget)
{
    QWidget host;
    host.resize(300, 40);
    auto *tab = new TJXDriveTab;
    tab->setParent(&host);
    tab->SetBounds(0, 0, 300, 22);
    EXPECT_EQ(tab->Tabs()->Count(), 0);
    host.show();
    EXPECT_EQ(TabTexts(*tab).join(QLatin1Char(',')), QStringLiteral("a,c,d"));
    EXPECT_FALSE(tab->LoadedDone());
}
