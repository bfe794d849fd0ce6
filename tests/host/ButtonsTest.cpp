// SPDX-License-Identifier: MIT
// TBitBtn: kinds, modal results given to the form, mouse handling, the painted face.
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

void SendMouse(QWidget *w, QEvent::Type type, int x, int y)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

TEST(BitBtn, KindsSetCaptionResultAndDefault)
{
    TBitBtn b;
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.ModalResult(), mrNone);
    b.SetKind(bkOK);
    EXPECT_EQ(b.Caption(), QStringLiteral("OK"));
    EXPECT_EQ(b.ModalResult(), mrOk);
    EXPECT_TRUE(b.Default());
    EXPECT_FALSE(b.Cancel());
    b.SetKind(bkCancel);
    EXPECT_EQ(b.ModalResult(), mrCancel);
    EXPECT_TRUE(b.Cancel());
    EXPECT_FALSE(b.Default());
    b.SetKind(bkNo);
    EXPECT_EQ(b.ModalResult(), mrNo);
    // Going back to bkCustom keeps what the last kind set.
    b.SetKind(bkCustom);
    EXPECT_EQ(b.ModalResult(), mrNo);
}

TEST(BitBtn, ClickGivesTheFormItsModalResultThroughNestedParents)
{
    TForm form;
    auto *panel = new TPanel(&form);
    panel->SetParent(&form);
    auto *ok = new TBitBtn(&form);
    ok->SetParent(panel);
    ok->SetKind(bkOK);
    int clicks = 0;
    ok->OnClick = [&](TObject *sender) {
        EXPECT_EQ(sender, ok);
        ++clicks;
    };
    EXPECT_EQ(GetParentForm(ok), &form);
    ok->Click();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(clicks, 1);

    // A button without a form only fires OnClick.
    TBitBtn loose;
    loose.SetKind(bkYes);
    EXPECT_EQ(GetParentForm(&loose), nullptr);
    loose.Click();
}

TEST(BitBtn, ShowModalEndsWithTheClickedButtonsResult)
{
    auto scripted = std::make_unique<TScriptedDialogs>();
    TScriptedDialogs *dialogs = scripted.get();
    auto previous = SetDialogService(std::move(scripted));

    TForm form;
    auto *yes = new TBitBtn(&form);
    yes->SetParent(&form);
    yes->SetKind(bkYes);
    auto *no = new TBitBtn(&form);
    no->SetParent(&form);
    no->SetKind(bkNo);

    dialogs->Responder = [&](TDialogRequest &r) {
        EXPECT_EQ(r.form, &form);
        no->Click();
        return -1;
    };
    EXPECT_EQ(form.ShowModal(), mrNo);
    dialogs->Responder = [&](TDialogRequest &) {
        yes->Click();
        return -1;
    };
    EXPECT_EQ(form.ShowModal(), mrYes);

    SetDialogService(std::move(previous));
}

TEST(BitBtn, MouseReleaseInsideClicksOutsideDoesNot)
{
    TForm form;
    auto *b = new TBitBtn(&form);
    b->SetParent(&form);
    b->SetKind(bkOK);
    int clicks = 0;
    b->OnClick = [&](TObject *) { ++clicks; };

    SendMouse(b, QEvent::MouseButtonPress, 10, 10);
    EXPECT_TRUE(b->Down());
    SendMouse(b, QEvent::MouseMove, 200, 10);
    EXPECT_FALSE(b->Down());
    SendMouse(b, QEvent::MouseButtonRelease, 200, 10);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.ModalResult(), mrNone);

    SendMouse(b, QEvent::MouseButtonPress, 10, 10);
    SendMouse(b, QEvent::MouseButtonRelease, 12, 11);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), mrOk);

    b->SetEnabled(false);
    SendMouse(b, QEvent::MouseButtonPress, 10, 10);
    SendMouse(b, QEvent::MouseButtonRelease, 10, 10);
    EXPECT_EQ(clicks, 1);
}

TEST(BitBtn, CloseKindClosesTheForm)
{
    TForm form;
    auto *b = new TBitBtn(&form);
    b->SetParent(&form);
    b->SetKind(bkClose);
    bool closed = false;
    form.OnClose = [&](TObject *, TCloseAction &) { closed = true; };
    b->Click();
    EXPECT_TRUE(closed);
}

TEST(BitBtn, FaceIsRaisedAndSinksWhilePressed)
{
    TBitBtn b;
    b.SetBounds(0, 0, 80, 26);
    b.SetCaption(QStringLiteral("Go"));
    b.Font()->SetColor(clBlack);
    b.Repaint();
    const QImage *s = &b.Surface();
    EXPECT_EQ(PixelAt(*s, 0, 0), 0xFFFFFF);
    EXPECT_EQ(PixelAt(*s, 79, 25), 0x000000);
    EXPECT_EQ(PixelAt(*s, 78, 24), 0x808080);
    EXPECT_EQ(PixelAt(*s, 3, 3), 0xC0C0C0);
    // The caption is drawn near the middle.
    EXPECT_GT(CountColor(*s, 0x000000, 30, 6, 50, 20), 0);
    EXPECT_EQ(CountColor(*s, 0x000000, 2, 2, 20, 24), 0);

    // A default button gets a dark outline around the bevel.
    b.SetDefault(true);
    b.Repaint();
    s = &b.Surface();
    EXPECT_EQ(PixelAt(*s, 0, 0), 0x000000);
    EXPECT_EQ(PixelAt(*s, 1, 1), 0xFFFFFF);

    SendMouse(&b, QEvent::MouseButtonPress, 5, 5);
    b.Repaint();
    s = &b.Surface();
    EXPECT_EQ(PixelAt(*s, 1, 1), 0x808080);
    SendMouse(&b, QEvent::MouseButtonRelease, 5, 5);
    b.Repaint();
    EXPECT_EQ(PixelAt(b.Surface(), 1, 1), 0xFFFFFF);
}

TEST(BitBtn, KindGlyphIsDrawnBesideTheCaption)
{
    TBitBtn b;
    b.SetBounds(0, 0, 84, 27);
    b.SetKind(bkOK);
    b.Repaint();
    // The green check sits left of the caption.
    EXPECT_GT(CountColor(b.Surface(), 0x008000, 0, 0, 42, 27), 5);

    TBitmap glyph(8, 8);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(2, 2, 6, 6));
    b.SetGlyph(&glyph);
    b.Repaint();
    EXPECT_EQ(CountColor(b.Surface(), 0x008000, 0, 0, 84, 27), 0);
    EXPECT_EQ(CountColor(b.Surface(), 0xFF0000, 0, 0, 84, 27), 16);
    EXPECT_EQ(CountColor(b.Surface(), 0xFF00FF, 0, 0, 84, 27), 0);
}
