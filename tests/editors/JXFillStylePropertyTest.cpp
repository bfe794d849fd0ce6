// SPDX-License-Identifier: MIT
// The fill style editor: its property editor, the radio buttons, the preview on its own
// background, and what OK and cancelling do to the form background component.
#include "editors/JXFillStyleProperty.h"

#include "TestSupport.h"
#include "editors/JXFillStylePropertyForm.h"
#include "effects/JXForm.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

using namespace jxt;
using jxt::test::Dialogs;
using jxt::test::PixelAt;

namespace {

class JXFillStyleProperty : public ::testing::Test
{
protected:
    void SetUp() override { test::InstallScriptedDialogs(); }
    void TearDown() override { Dialogs()->Responder = nullptr; }
};

/// Runs the editor on component; inside the modal form, act edits and gives the answer.
void RunEditor(TJXForm &component, const std::function<int(TfrmFillStyleEd &)> &act)
{
    TJXFillStyleProperty editor({&component}, QStringLiteral("FillStyle"));
    Dialogs()->Responder = [&](TDialogRequest &request) {
        if (request.kind != TDialogRequest::ModalForm)
            return -1;
        auto *form = qobject_cast<TfrmFillStyleEd *>(request.form);
        EXPECT_NE(form, nullptr);
        form->FormActivate(); // what showing the form does
        return act(*form);
    };
    editor.Edit();
    Dialogs()->Responder = nullptr;
}

} // namespace

TEST_F(JXFillStyleProperty, ShowsTheNameOfTheStyleOrItsPattern)
{
    TForm form;
    TJXForm component(&form);
    TJXFillStyleProperty editor({&component}, QStringLiteral("FillStyle"));
    EXPECT_EQ(editor.GetAttributes(), TPropertyAttributes({paDialog}));
    EXPECT_EQ(editor.GetValue(), QStringLiteral("NONE"));
    component.SetFillStyle(vRAINBOW);
    EXPECT_EQ(editor.GetValue(), QStringLiteral("vRAINBOW"));
    component.SetFillStyle(Weave);
    EXPECT_EQ(editor.GetValue(), QStringLiteral("JXFWEAVE"));
}

TEST_F(JXFillStyleProperty, OpensWithTheComponentsStyleAndWritesTheChoiceOnOk)
{
    TForm form;
    TJXForm component(&form);
    component.SetFillStyle(WGray);
    component.SetRBFromColor(clRed);
    bool wgrayChecked = false;
    QString caption;
    RunEditor(component, [&](TfrmFillStyleEd &editor) {
        caption = editor.Caption();
        wgrayChecked = editor.rbWGRAY->Checked();
        EXPECT_EQ(editor.panFromColor->Color(), clRed);
        editor.rbhRAINBOW->Click();
        editor.panToColor->SetColor(clNavy);
        return int(mrOk);
    });
    EXPECT_EQ(caption, QStringLiteral("TJXForm FillStyle-Editor Stand 30.09.1996"));
    EXPECT_TRUE(wgrayChecked);
    EXPECT_EQ(component.FillStyle(), hRAINBOW);
    EXPECT_EQ(component.RBFromColor(), clRed);
    EXPECT_EQ(component.RBToColor(), clNavy);
}

TEST_F(JXFillStyleProperty, ClosingWithoutOkLeavesTheComponentAlone)
{
    TForm form;
    TJXForm component(&form);
    component.SetFillStyle(BCyan);
    RunEditor(component, [&](TfrmFillStyleEd &editor) {
        editor.rbWEAVE->Click();
        editor.panFromColor->SetColor(clBlack);
        return int(mrCancel);
    });
    EXPECT_EQ(component.FillStyle(), BCyan);
    EXPECT_EQ(component.RBFromColor(), clLime);
}

TEST_F(JXFillStyleProperty, TheFormPreviewsTheChosenStyleOnItsBackground)
{
    TfrmFillStyleEd editor;
    editor.SetColor(clBtnFace);
    editor.panFromColor->SetColor(clBlack);
    editor.panToColor->SetColor(clRed);
    editor.rbvRAINBOW->Click();
    EXPECT_EQ(fedFillStyle, vRAINBOW);
    editor.Repaint();
    const QImage &surface = editor.Surface();
    // The ramp runs from ToColor at the bottom edge.
    EXPECT_EQ(PixelAt(surface, 4, editor.Height() - 1), int(clRed));
    EXPECT_NE(PixelAt(surface, 4, 2), int(clRed));

    // A pattern style loads its pattern and fills with it.
    editor.rbWEAVE->Click();
    EXPECT_EQ(fedFillStyle, Weave);
    EXPECT_EQ(editor.Image2->Picture()->Width(), 8);
    editor.Repaint();
    EXPECT_EQ(PixelAt(editor.Surface(), 0, 0),
              PixelAt(editor.Image2->Picture()->Bitmap()->Image(), 0, 0));
    EXPECT_EQ(PixelAt(editor.Surface(), 8, 1),
              PixelAt(editor.Image2->Picture()->Bitmap()->Image(), 0, 1));

    // NONE leaves the form's own colour.
    editor.rbNONE->Click();
    editor.Repaint();
    EXPECT_EQ(PixelAt(editor.Surface(), 4, editor.Height() - 1), 0xC0C0C0);
}

TEST_F(JXFillStyleProperty, AClickOnTheBitmapLoadsOneAndChoosesTheBitmapStyle)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tile.bmp"));
    TBitmap tile(16, 16);
    tile.Canvas()->FillSolid(Rect(0, 0, 16, 16), clTeal);
    tile.SaveToFile(file);

    TfrmFillStyleEd editor;
    editor.rbNONE->Click();
    Dialogs()->Responder = [&](TDialogRequest &r) {
        EXPECT_EQ(r.kind, TDialogRequest::OpenFile);
        EXPECT_EQ(r.filter, QStringLiteral("Bitmap|*.BMP|Alle Dateien|*.*"));
        r.fileName = file;
        return int(mrOk);
    };
    editor.Image1Click();
    Dialogs()->Responder = nullptr;
    EXPECT_EQ(editor.Image1->Picture()->Width(), 16);
    EXPECT_TRUE(editor.rbBitmap->Checked());
    EXPECT_EQ(fedFillStyle, BITMAP);
    editor.Repaint();
    EXPECT_EQ(PixelAt(editor.Surface(), 20, 20), int(clTeal));
}

TEST_F(JXFillStyleProperty, FormControlsCarryTheirNamesAndTexts)
{
    TfrmFillStyleEd editor;
    const QStringList captions = {"NONE",  "Bitmap", "vRAINBOW", "hRAINBOW", "BCYAN",  "LCYAN",
                                  "BGRAY", "LGRAY",  "WGRAY",    "WDGRAY",   "WLGRAY", "WEAVE"};
    const QStringList names = {"rbNONE",  "rbBitmap", "rbvRAINBOW", "rbhRAINBOW",
                               "rbBCYAN", "rbLCYAN",  "rbBGRAY",    "rbLGRAY",
                               "rbWGRAY", "rbWDGRAY", "rbWLGRAY",   "rbWEAVE"};
    for (int i = 0; i < names.size(); ++i) {
        auto *button = qobject_cast<TRadioButton *>(editor.FindComponent(names[i]));
        ASSERT_NE(button, nullptr) << names[i].toStdString();
        EXPECT_EQ(button->Caption(), captions[i]);
        EXPECT_EQ(button->Top(), 24 + 24 * i);
        EXPECT_EQ(button->Parent(), editor.GroupBox1);
    }
    for (const char *name :
         {"GroupBox1", "GroupBox2", "GroupBox3", "Image1", "Image2", "panFromColor", "panToColor",
          "BitBtn1", "OpenDialog1", "ColorDialog1"})
        EXPECT_NE(editor.FindComponent(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(editor.Hint(), QStringLiteral("Vorschau auf FillStyle"));
    EXPECT_EQ(editor.panFromColor->Hint(),
              QStringLiteral("Farbverlauf von Farbe. Clicken zum ändern."));
    EXPECT_EQ(editor.BitBtn1->ModalResult(), mrOk);
    EXPECT_EQ(editor.ClientWidth(), 523);
    EXPECT_EQ(editor.ClientHeight(), 354);
}
