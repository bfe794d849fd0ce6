// SPDX-License-Identifier: MIT
// Form background: attachment and the single-instance rule, the form ramp and the other fill
// styles on the form's surface, the size limits of a real top-level form, hints and labels
// at loading, the MDI refusal and clean detachment.
#include "effects/JXForm.h"

#include "TestSupport.h"

#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "util/JxutilSystem.h"

#include <gtest/gtest.h>

#include <QWindow>

#include <memory>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

constexpr int kTeal = 0x808000;
constexpr int kWhite = 0xFFFFFF;
constexpr int kSilver = 0xC0C0C0;

std::unique_ptr<TForm> MakeForm(int width, int height)
{
    auto form = std::make_unique<TForm>();
    form->SetBounds(0, 0, width, height);
    return form;
}

int RedAt(const TForm &form, int x, int y)
{
    return GetRValue(PixelAt(form.Surface(), x, y));
}

} // namespace

TEST(JXForm, AttachesToItsOwnerFormWithDefaults)
{
    auto form = MakeForm(100, 100);
    auto *jxf = new TJXForm(form.get());
    EXPECT_EQ(jxf->Form(), form.get());
    EXPECT_EQ(jxf->FillStyle(), NONE);
    EXPECT_EQ(jxf->RBFromColor(), clLime);
    EXPECT_EQ(jxf->RBToColor(), clAqua);
    EXPECT_EQ(jxf->FormMinWidth(), 0);
    EXPECT_EQ(jxf->property("About_JXTools").toString(), QStringLiteral("18.08.98"));
    EXPECT_TRUE(bool(form->OnPaint));
}

TEST(JXForm, SecondInstanceOrNonFormOwnerIsRefusedOnlyInTheDesigner)
{
    auto form = MakeForm(100, 100);
    form->SetDesigning(true);
    new TJXForm(form.get());
    EXPECT_THROW(new TJXForm(form.get()), TDuplicateComponent);
    // The refused component left its owner.
    EXPECT_EQ(form->ComponentCount(), 1);

    TPanel panel;
    panel.SetDesigning(true);
    EXPECT_THROW(new TJXForm(&panel), TFormNotOwner);

    // At run time a second one is allowed, and a non-form owner leaves the component inactive.
    auto runForm = MakeForm(100, 100);
    new TJXForm(runForm.get());
    EXPECT_NO_THROW(new TJXForm(runForm.get()));
    TPanel runPanel;
    auto *inactive = new TJXForm(&runPanel);
    EXPECT_EQ(inactive->Form(), nullptr);
    inactive->SetFillStyle(vRAINBOW);
    inactive->SetFormMinWidth(300);
    EXPECT_EQ(runPanel.minimumWidth(), 0);
}

TEST(JXForm, VerticalRampRunsFromToColorAtTheBottomUpwards)
{
    auto form = MakeForm(40, 130); // a band is 130 div 63 + 1 = 3 rows
    auto *jxf = new TJXForm(form.get());
    jxf->SetRBFromColor(RGB(255, 0, 0));
    jxf->SetRBToColor(clBlack);
    jxf->SetFillStyle(vRAINBOW); // repaints at once
    const QImage &s = form->Surface();
    EXPECT_EQ(PixelAt(s, 0, 129), 0x000000);
    EXPECT_EQ(PixelAt(s, 39, 127), 0x000000);
    EXPECT_EQ(RedAt(*form, 0, 126), 4); // step (255 - 0) div 63
    EXPECT_EQ(RedAt(*form, 20, 124), 4);
    EXPECT_EQ(RedAt(*form, 20, 123), 8);
    // Row 0 lies in band (129 - 0) div 3 = 43: the bands run on past the top edge.
    EXPECT_EQ(RedAt(*form, 0, 0), 43 * 4);
}

TEST(JXForm, HorizontalRampRunsFromTheRightEdgeLeftwards)
{
    auto form = MakeForm(200, 30); // bands of 4 columns
    auto *jxf = new TJXForm(form.get());
    jxf->SetRBFromColor(RGB(0, 0, 0));
    jxf->SetRBToColor(RGB(0, 252, 0));
    jxf->SetFillStyle(hRAINBOW);
    const QImage &s = form->Surface();
    EXPECT_EQ(PixelAt(s, 199, 0), RGB(0, 252, 0));
    EXPECT_EQ(PixelAt(s, 196, 29), RGB(0, 252, 0));
    EXPECT_EQ(PixelAt(s, 195, 0), RGB(0, 248, 0));
    EXPECT_EQ(PixelAt(s, 0, 0), RGB(0, 252 - 4 * 49, 0)); // (199 - 0) div 4 = 49
}

TEST(JXForm, RampOfASystemColourUsesItsRealColour)
{
    // A system colour has its palette index, not a colour, in its low bytes; the ramp must
    // start from the colour the palette gives it.
    auto form = MakeForm(40, 63); // bands of 2 rows
    auto *jxf = new TJXForm(form.get());
    jxf->SetRBFromColor(clBtnFace);
    jxf->SetRBToColor(clBlack);
    jxf->SetFillStyle(vRAINBOW);
    EXPECT_EQ(PixelAt(form->Surface(), 0, 62), 0x000000);
    EXPECT_EQ(PixelAt(form->Surface(), 0, 60), RGB(3, 3, 3)); // 192 div 63
    EXPECT_EQ(RedAt(*form, 0, 0), 31 * 3);
}

TEST(JXForm, PatternAndBitmapStylesFillTheClientArea)
{
    auto form = MakeForm(50, 40);
    auto *jxf = new TJXForm(form.get());
    jxf->SetFillStyle(BCyan);
    ASSERT_EQ(jxf->PatternBitmap()->Width(), 8);
    EXPECT_EQ(PixelAt(form->Surface(), 0, 0), kTeal);
    EXPECT_EQ(PixelAt(form->Surface(), 1, 1), kWhite);
    EXPECT_EQ(PixelAt(form->Surface(), 49, 39), kWhite); // (49 % 8, 39 % 8) = (1, 7)

    TBitmap tile(16, 16);
    tile.Canvas()->FillSolid(Rect(0, 0, 16, 16), clRed);
    tile.Canvas()->FillSolid(Rect(0, 0, 1, 1), clBlue);
    jxf->SetFillBitmap(&tile);
    jxf->SetFillStyle(BITMAP); // shows at the next paint
    form->Repaint();
    EXPECT_EQ(PixelAt(form->Surface(), 0, 0), clBlue);
    EXPECT_EQ(PixelAt(form->Surface(), 16, 32), clBlue);
    EXPECT_EQ(PixelAt(form->Surface(), 49, 39), clRed);

    TBitmap tooWide(300, 20);
    jxf->SetFillBitmap(&tooWide);
    form->Repaint();
    EXPECT_EQ(PixelAt(form->Surface(), 0, 0), kSilver); // only the form's colour
}

TEST(JXForm, OnPaintRunsOnEveryPaintAtRunTimeButNotInTheDesigner)
{
    auto form = MakeForm(30, 30);
    auto *jxf = new TJXForm(form.get());
    int calls = 0;
    TObject *sender = nullptr;
    jxf->OnPaint = [&](TObject *s) {
        ++calls;
        sender = s;
    };
    int emitted = 0;
    QObject::connect(jxf, &TJXForm::onPaint, [&] { ++emitted; });
    form->Repaint();
    form->Repaint();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(emitted, 2);
    EXPECT_EQ(sender, jxf);

    form->SetDesigning(true);
    jxf->SetFillStyle(vRAINBOW);
    form->Repaint();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(PixelAt(form->Surface(), 0, 29), kSilver);
}

TEST(JXForm, OnlyRampsAndPatternsRepaintTheFormAtOnce)
{
    auto form = MakeForm(30, 30);
    auto *jxf = new TJXForm(form.get());
    jxf->SetRBToColor(clRed);
    jxf->SetFillStyle(vRAINBOW);
    ASSERT_EQ(PixelAt(form->Surface(), 0, 29), clRed);
    const int paints = form->PaintCount();
    jxf->SetFillStyle(NONE);
    EXPECT_EQ(form->PaintCount(), paints);
    EXPECT_EQ(PixelAt(form->Surface(), 0, 29), clRed); // the old fill stays
    form->Repaint();
    EXPECT_EQ(PixelAt(form->Surface(), 0, 29), kSilver);
    jxf->SetFillStyle(Weave);
    EXPECT_EQ(form->PaintCount(), paints + 2);
}

TEST(JXForm, SizeLimitsHoldForARealTopLevelForm)
{
    auto form = MakeForm(400, 300);
    auto *jxf = new TJXForm(form.get());
    jxf->SetFormMinWidth(300);
    form->Show();
    ASSERT_NE(form->windowHandle(), nullptr);
    EXPECT_EQ(form->windowHandle()->minimumSize().width(), 300);

    form->SetBounds(form->Left(), form->Top(), 100, 100);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 100); // the height is not limited
    form->SetBounds(form->Left(), form->Top(), 2000, 1500);
    EXPECT_EQ(form->Width(), 2000); // nor is the maximum

    jxf->SetFormMaxHeight(200);
    jxf->SetFormMaxWidth(500);
    jxf->SetFormMinHeight(50);
    form->SetBounds(form->Left(), form->Top(), 2000, 1500);
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 200);
    form->SetBounds(form->Left(), form->Top(), 10, 10);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 50);

    jxf->SetFormMinWidth(0); // 0 lifts the limit again
    form->SetBounds(form->Left(), form->Top(), 120, 120);
    EXPECT_EQ(form->Width(), 120);
    form->Hide();
}

TEST(JXForm, LoadingBreaksHintLinesAndRemeasuresAutoSizedLabels)
{
    auto form = MakeForm(300, 200);
    auto *panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetHint(QStringLiteral("Zeile 1^MZeile 2^M"));
    auto *label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption(QStringLiteral("Ein langer Beschriftungstext"));
    label->Loaded();
    const int textWidth = label->Width();
    ASSERT_GT(textWidth, 40);
    label->SetBounds(0, 0, 10, 10); // loaded already: only the toggle measures it again
    ASSERT_EQ(label->Width(), 10);
    auto *fixed = new TLabel(form.get());
    fixed->SetParent(form.get());
    fixed->SetAutoSize(false);
    fixed->SetCaption(QStringLiteral("Fest"));
    fixed->SetBounds(0, 50, 7, 7);
    auto *jxf = new TJXForm(form.get());

    jxf->Loaded();
    EXPECT_EQ(panel->Hint(), QStringLiteral("Zeile 1\n\rZeile 2\n\r"));
    EXPECT_EQ(label->Width(), textWidth);
    EXPECT_TRUE(label->AutoSize());
    EXPECT_EQ(fixed->Width(), 7);
}

TEST(JXForm, MdiFormRefusesEveryFillWithAMessage)
{
    auto form = MakeForm(60, 60);
    form->SetFormStyle(fsMDIForm);
    auto *jxf = new TJXForm(form.get());
    test::Dialogs()->Clear();
    jxf->SetFillStyle(hRAINBOW);
    EXPECT_EQ(jxf->FillStyle(), NONE);
    ASSERT_EQ(test::Dialogs()->Shown().size(), 1u);
    const TDialogRequest &shown = test::Dialogs()->Shown().front();
    EXPECT_EQ(shown.kind, TDialogRequest::MessageBox);
    EXPECT_EQ(shown.text, QStringLiteral("MDIFormen werden nicht unterstützt"));
    EXPECT_EQ(shown.caption, QStringLiteral("JXForm"));
    EXPECT_EQ(shown.flags, 0u);
    form->Repaint();
    EXPECT_EQ(PixelAt(form->Surface(), 59, 59), kSilver);
}

TEST(JXForm, DestructionLeavesAWorkingPlainForm)
{
    auto form = MakeForm(80, 80);
    form->setMinimumSize(20, 20); // the form's own limit comes back afterwards
    auto *jxf = new TJXForm(form.get());
    jxf->SetFormMinWidth(300);
    jxf->SetFormMaxHeight(100);
    jxf->SetRBToColor(clRed);
    jxf->SetFillStyle(vRAINBOW);
    jxf->Free();
    EXPECT_FALSE(bool(form->OnPaint));
    form->Repaint();
    EXPECT_EQ(PixelAt(form->Surface(), 0, 79), kSilver);
    form->SetBounds(0, 0, 10, 400);
    EXPECT_EQ(form->Width(), 20);
    EXPECT_EQ(form->Height(), 400);

    // A handler the program gave the form after the component attached is left alone.
    auto *second = new TJXForm(form.get());
    int own = 0;
    form->OnPaint = [&](TObject *) { ++own; };
    delete second;
    form->Repaint();
    EXPECT_EQ(own, 1);

    // A form going away with its component attached frees both cleanly.
    auto doomed = MakeForm(50, 50);
    new TJXForm(doomed.get());
    doomed->Show();
    doomed.reset();
}
