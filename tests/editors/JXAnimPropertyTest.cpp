// SPDX-License-Identifier: MIT
// The animation editor: its property editor, the frame grid, the bitmap operations of its
// menu, pictures dropped on frames, and the picture directory it remembers.
#include "editors/JXAnimProperty.h"

#include "TestSupport.h"
#include "controls/JXPicBox.h"
#include "editors/JXAnimPropertyForm.h"
#include "effects/JXAnimate.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/FileCtrl.h"
#include "host/controls/Grids.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"
#include "host/files/IniFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace jxt;
using jxt::test::Dialogs;
using jxt::test::PixelAt;

namespace {

/// Points the user's configuration folder (and so the designer's settings file) at a
/// temporary directory for the test's lifetime.
class TConfigHome
{
public:
    TConfigHome() : m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    }
    ~TConfigHome() { qputenv("XDG_CONFIG_HOME", m_old); }
    QString SettingsFile() const { return m_dir.path() + QStringLiteral("/jxtpack/designer.ini"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

/// A bitmap of width x height whose frames of a cols x rows grid are filled with the colours
/// given, row by row.
std::unique_ptr<TBitmap> Frames(int width, int height, int cols, int rows,
                                const std::vector<TColor> &colors)
{
    auto bitmap = std::make_unique<TBitmap>(width, height);
    const int fw = width / cols, fh = height / rows;
    for (int i = 0; i < cols * rows; ++i)
        bitmap->Canvas()->FillSolid(Bounds((i % cols) * fw, (i / cols) * fh, fw, fh),
                                    colors[std::size_t(i) % colors.size()]);
    return bitmap;
}

void WriteBitmap(const QString &path, int width, int height, TColor color)
{
    TBitmap bitmap(width, height);
    bitmap.Canvas()->FillSolid(Rect(0, 0, width, height), color);
    bitmap.SaveToFile(path);
}

/// Runs the editor on animate; inside the modal form, act edits and gives the answer.
void RunEditor(TJXAnimate &animate, const std::function<int(TfrmAnimEd &)> &act)
{
    TJXAnimProperty editor({&animate}, QStringLiteral("Picture"));
    Dialogs()->Responder = [&](TDialogRequest &request) {
        if (request.kind != TDialogRequest::ModalForm)
            return -1;
        auto *form = qobject_cast<TfrmAnimEd *>(request.form);
        EXPECT_NE(form, nullptr);
        form->FormActivate(); // what showing the form does
        return act(*form);
    };
    editor.Edit();
    Dialogs()->Responder = nullptr;
}

class JXAnimProperty : public ::testing::Test
{
protected:
    void SetUp() override { test::InstallScriptedDialogs(); }
    TConfigHome m_config;
};

} // namespace

TEST_F(JXAnimProperty, OffersADialogAndNamesAnEmptyPicture)
{
    TJXAnimate animate;
    TJXAnimProperty editor({&animate}, QStringLiteral("Picture"));
    EXPECT_EQ(editor.GetAttributes(), TPropertyAttributes({paDialog}));
    EXPECT_EQ(editor.GetValue(), QStringLiteral("(Leer)"));
    animate.SetPicture(Frames(300, 100, 3, 1, {clRed}).get());
    EXPECT_EQ(editor.GetValue(), QStringLiteral("(Animation)"));
}

TEST_F(JXAnimProperty, OkWritesPictureColsAndRowsAndCancelLeavesThemAlone)
{
    TJXAnimate animate;
    animate.SetPicture(Frames(300, 100, 3, 1, {clRed, clLime, clBlue}).get());
    animate.SetCols(3);

    QString caption;
    RunEditor(animate, [&](TfrmAnimEd &form) {
        caption = form.Caption();
        EXPECT_EQ(form.hsbCols->Position(), 3);
        EXPECT_EQ(form.DrawGrid->ColCount(), 3);
        EXPECT_EQ(form.Bitmap()->Width(), 300);
        form.ColPlus1Click();
        form.RowPlus1Click();
        return int(mrCancel);
    });
    EXPECT_EQ(caption, QStringLiteral("TJXAnimate Animations-Editor Stand 31.03.1997"));
    EXPECT_EQ(animate.Picture()->Width(), 300);
    EXPECT_EQ(animate.Cols(), 3);
    EXPECT_EQ(animate.Rows(), 1);

    RunEditor(animate, [&](TfrmAnimEd &form) {
        form.ColPlus1Click();
        return int(mrOk);
    });
    EXPECT_EQ(animate.Picture()->Width(), 400);
    EXPECT_EQ(animate.Cols(), 4);
    EXPECT_EQ(animate.Rows(), 1);
}

TEST_F(JXAnimProperty, ColumnsGrowAndShrinkTheBitmapByOneFrame)
{
    TfrmAnimEd form;
    form.Image->Picture()->SetBitmap(Frames(300, 100, 3, 1, {clRed, clLime, clBlue}).get());
    form.hsbCols->SetPosition(3);
    form.ColPlus1Click();
    EXPECT_EQ(form.Bitmap()->Width(), 400);
    EXPECT_EQ(form.hsbCols->Position(), 4);
    EXPECT_EQ(form.DrawGrid->ColCount(), 4);
    EXPECT_EQ(form.panCols->Caption(), QStringLiteral("4"));
    form.Bitmap()->Canvas()->FillSolid(Rect(300, 0, 400, 100), clYellow);

    // "No" keeps the column; "Yes" cuts it off with its pixels.
    Dialogs()->Answer(mrNo);
    form.ColMinus1Click();
    EXPECT_EQ(form.Bitmap()->Width(), 400);
    Dialogs()->Answer(mrYes);
    form.ColMinus1Click();
    EXPECT_EQ(form.Bitmap()->Width(), 300);
    EXPECT_EQ(form.hsbCols->Position(), 3);
    EXPECT_EQ(Dialogs()->Shown().back().text,
              QStringLiteral("Spalte löschen ? Achtung Verlust von Bild-Daten"));
    EXPECT_EQ(Dialogs()->Shown().back().type, mtConfirmation);
    form.ColPlus1Click();
    EXPECT_EQ(PixelAt(form.Bitmap()->Image(), 350, 50), int(clWhite));
    EXPECT_EQ(PixelAt(form.Bitmap()->Image(), 250, 50), int(clBlue));

    // Rows alike; one row stays.
    form.RowPlus1Click();
    EXPECT_EQ(form.Bitmap()->Height(), 200);
    Dialogs()->Answer(mrYes);
    form.RowMinus1Click();
    EXPECT_EQ(Dialogs()->Shown().back().text,
              QStringLiteral("Zeile löschen ? Achtung Verlust von Bild-Daten"));
    EXPECT_EQ(form.Bitmap()->Height(), 100);
    Dialogs()->Answer(mrYes);
    form.RowMinus1Click();
    EXPECT_EQ(form.Bitmap()->Height(), 100);
    EXPECT_EQ(form.hsbRows->Position(), 1);

    // At 100 columns there is no further one.
    form.hsbCols->SetPosition(100);
    const int width = form.Bitmap()->Width();
    form.ColPlus1Click();
    EXPECT_EQ(form.Bitmap()->Width(), width);
}

TEST_F(JXAnimProperty, TheGridShowsEachFrameAndTheBitmapsMeasures)
{
    TfrmAnimEd form;
    form.Image->Picture()->SetBitmap(
        Frames(300, 100, 3, 2, {clRed, clLime, clBlue, clYellow, clAqua, clFuchsia}).get());
    form.hsbCols->SetPosition(3);
    form.hsbRows->SetPosition(2);
    form.DrawGrid->SetBounds(0, 0, 297, 265);
    form.DrawGrid->Repaint();
    const QImage &grid = form.DrawGrid->Surface();
    EXPECT_EQ(PixelAt(grid, 25, 25), int(clRed));
    EXPECT_EQ(PixelAt(grid, 25 + 55, 25), int(clLime));
    EXPECT_EQ(PixelAt(grid, 25 + 110, 25 + 55), int(clFuchsia));
    EXPECT_EQ(form.panWidth->Caption(), QStringLiteral("300"));
    EXPECT_EQ(form.panHeight->Caption(), QStringLiteral("100"));
    EXPECT_EQ(form.panPicWidth->Caption(), QStringLiteral("100"));
    EXPECT_EQ(form.panPicHeight->Caption(), QStringLiteral("50"));

    // An empty bitmap shows empty cells.
    Dialogs()->Answer(mrYes);
    form.AlleBilderLoeschen1Click();
    EXPECT_EQ(Dialogs()->Shown().back().text, QStringLiteral("Alle Animationsbilder löschen ?"));
    EXPECT_TRUE(form.Bitmap()->Empty());
    EXPECT_EQ(form.hsbCols->Position(), 1);
    EXPECT_EQ(form.hsbRows->Position(), 1);
    form.DrawGrid->Repaint();
    EXPECT_EQ(PixelAt(form.DrawGrid->Surface(), 25, 25), int(clWhite));
    EXPECT_EQ(form.panWidth->Caption(), QStringLiteral("0"));
}

TEST_F(JXAnimProperty, APictureDroppedOnTheGridIsScaledIntoTheCurrentFrame)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("small.bmp"));
    WriteBitmap(file, 32, 32, clNavy);
    TfrmAnimEd form;
    form.Image->Picture()->SetBitmap(Frames(300, 100, 3, 2, {clRed}).get());
    form.hsbCols->SetPosition(3);
    form.hsbRows->SetPosition(2);
    form.FileListBox1->SetDirectory(dir.path());
    form.FileListBox1->SetItemIndex(0);
    form.DrawGrid->SetCol(1);
    form.DrawGrid->SetRow(1);

    // Only picture lists may drop on the grid.
    EXPECT_TRUE(form.DrawGridDragOver(form.FileListBox1));
    EXPECT_TRUE(form.DrawGridDragOver(form.JXPicBox1));
    EXPECT_FALSE(form.DrawGridDragOver(form.panDir));

    // A drag that nobody took, and a "No", change nothing.
    form.FileListBox1EndDrag(nullptr);
    Dialogs()->Answer(mrNo);
    form.FileListBox1EndDrag(form.DrawGrid);
    EXPECT_EQ(PixelAt(form.Bitmap()->Image(), 150, 75), int(clRed));

    Dialogs()->Answer(mrYes);
    form.FileListBox1EndDrag(form.DrawGrid);
    EXPECT_EQ(
        Dialogs()->Shown().back().text,
        QStringLiteral("Selektiertes Animationsbild löschen und durch neues Bild ersetzen ?"));
    const QImage &b = form.Bitmap()->Image();
    EXPECT_EQ(PixelAt(b, 100, 50), int(clNavy));
    EXPECT_EQ(PixelAt(b, 199, 99), int(clNavy));
    EXPECT_EQ(PixelAt(b, 99, 50), int(clRed));
    EXPECT_EQ(PixelAt(b, 200, 50), int(clRed));
    EXPECT_EQ(PixelAt(b, 150, 49), int(clRed));

    // A double click replaces the whole animation.
    Dialogs()->Answer(mrYes);
    form.FileListBox1DblClick();
    EXPECT_EQ(Dialogs()->Shown().back().text,
              QStringLiteral("Animation löschen und durch neues Bild ersetzen ?"));
    EXPECT_EQ(form.Bitmap()->Width(), 32);
    EXPECT_EQ(form.Bitmap()->Height(), 32);
}

TEST_F(JXAnimProperty, ColourTranslationReplacesTheTransparentColour)
{
    TfrmAnimEd form;
    form.Image->Picture()->SetBitmap(Frames(100, 50, 2, 1, {clFuchsia, clLime}).get());
    form.panTransColor->SetColor(clFuchsia);
    Dialogs()->Responder = [](TDialogRequest &r) {
        r.color = int(clNavy);
        return int(mrOk);
    };
    form.panHGColorClick();
    Dialogs()->Responder = nullptr;
    EXPECT_EQ(form.panHGColor->Color(), clNavy);
    const std::size_t asked = Dialogs()->Shown().size();
    form.Farbuebersetzung1Click();
    EXPECT_EQ(Dialogs()->Shown().size(), asked); // no question
    EXPECT_EQ(PixelAt(form.Bitmap()->Image(), 10, 10), int(clNavy));
    EXPECT_EQ(PixelAt(form.Bitmap()->Image(), 60, 10), int(clLime));
}

TEST_F(JXAnimProperty, SavesTheAnimationWhereTheUserChooses)
{
    QTemporaryDir dir;
    TfrmAnimEd form;
    form.Image->Picture()->SetBitmap(Frames(60, 20, 3, 1, {clRed, clLime, clBlue}).get());
    form.OpenDialog1->SetInitialDir(dir.path());
    Dialogs()->Responder = [&](TDialogRequest &r) {
        EXPECT_EQ(r.kind, TDialogRequest::SaveFile);
        EXPECT_EQ(r.initialDir, dir.path());
        EXPECT_EQ(r.filter, QStringLiteral("Bitmap|*.BMP|Alle Dateien|*.*"));
        r.fileName = dir.filePath(QStringLiteral("walk"));
        return int(mrOk);
    };
    form.AnimationSpeichernUnter1Click();
    Dialogs()->Responder = nullptr;
    TBitmap saved;
    saved.LoadFromFile(dir.filePath(QStringLiteral("walk.BMP")));
    EXPECT_EQ(saved.Width(), 60);
    EXPECT_EQ(PixelAt(saved.Image(), 50, 10), int(clBlue));
}

TEST_F(JXAnimProperty, ThePictureDirectoryIsRememberedInTheDesignerSettings)
{
    QTemporaryDir pictures;
    TfrmAnimEd form;
    form.FormActivate();
    EXPECT_EQ(form.FileListBox1->Directory(), TfrmAnimEd::DefaultAnimDir());
    EXPECT_TRUE(QDir(TfrmAnimEd::DefaultAnimDir()).exists());

    Dialogs()->Responder = [&](TDialogRequest &r) {
        EXPECT_EQ(r.kind, TDialogRequest::SelectDirectory);
        r.fileName = pictures.path() + QLatin1Char('/');
        return int(mrOk);
    };
    form.VerzeichnisWaehlen1Click();
    Dialogs()->Responder = nullptr;
    EXPECT_EQ(form.JXPicBox1->PicPattern(), pictures.path() + QStringLiteral("\\*.BMP"));
    EXPECT_EQ(form.FileListBox1->Directory(), pictures.path());
    TIniFile ini(m_config.SettingsFile());
    EXPECT_EQ(ini.ReadString(QStringLiteral("JXTools"), QStringLiteral("AnimDir"), QString()),
              pictures.path());

    // The next editor starts there.
    TfrmAnimEd next;
    next.FormActivate();
    EXPECT_EQ(next.FileListBox1->Directory(), pictures.path());
    EXPECT_EQ(next.JXPicBox1->PicPattern(), pictures.path() + QStringLiteral("\\*.BMP"));
}

TEST_F(JXAnimProperty, ThumbnailsAndTheFileListTakeTurns)
{
    TfrmAnimEd form;
    EXPECT_FALSE(form.panPicBox->Visible());
    EXPECT_TRUE(form.panDir->Visible());
    form.Vorschaubilder1Click();
    EXPECT_TRUE(form.Vorschaubilder1->Checked());
    EXPECT_TRUE(form.panPicBox->Visible());
    EXPECT_FALSE(form.panDir->Visible());
    form.Vorschaubilder1Click();
    EXPECT_FALSE(form.panPicBox->Visible());
    EXPECT_TRUE(form.panDir->Visible());
}

TEST_F(JXAnimProperty, ShowingTheFormActivatesIt)
{
    TfrmAnimEd form;
    form.hsbCols->SetPosition(4);
    form.DrawGrid->SetColCount(1); // out of step until activation
    form.Show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.DrawGrid->ColCount(), 4);
    EXPECT_EQ(form.FileListBox1->Directory(), TfrmAnimEd::DefaultAnimDir());
    form.Hide();
}

TEST_F(JXAnimProperty, FormControlsCarryTheirNames)
{
    TfrmAnimEd form;
    for (const char *name :
         {"Image",         "imgFill",     "Panel1",      "DrawGrid",    "Panel2",
          "hsbCols",       "hsbRows",     "panCols",     "panRows",     "panPicWidth",
          "panPicHeight",  "Panel3",      "panWidth",    "panHeight",   "panHGColor",
          "panTransColor", "panPicBox",   "JXPicBox1",   "panDir",      "FileListBox1",
          "Panel4",        "BitBtn1",     "BitBtn2",     "BitBtn3",     "popDrawGrid",
          "popPicBox",     "OpenDialog1", "SaveDialog1", "ColorDialog1"}) {
        SCOPED_TRACE(name);
        TComponent *c = form.FindComponent(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(form.findChild<QObject *>(QString::fromLatin1(name)) != nullptr,
                  c->parent() != nullptr); // placed ones are found among the widgets too
    }
    EXPECT_EQ(form.BitBtn1->ModalResult(), mrOk);
    EXPECT_EQ(form.BitBtn2->ModalResult(), mrCancel);
    EXPECT_EQ(form.BitBtn2->Caption(), QStringLiteral("&Abbruch"));
    EXPECT_EQ(form.DrawGrid->PopupMenu(), form.popDrawGrid);
    QStringList items;
    for (int i = 0; i < form.popDrawGrid->Items()->Count(); ++i)
        items << form.popDrawGrid->Items()->Items(i)->Caption();
    EXPECT_EQ(items, (QStringList{"Col +", "Col -", "Row +", "Row -", "-", "Alle Bilder löschen",
                                  "-", "Farbübersetzung", "-", "Animation speichern unter..."}));
}
