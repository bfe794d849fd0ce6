// SPDX-License-Identifier: MIT
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

/// Paints a red frame around its client area and counts the paints.
class Framed : public TCustomControl
{
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FrameRect(ClientRect());
    }
};

} // namespace

TEST(Controls, SurfaceHasTheWidgetsDevicePixelRatio)
{
    // ctest runs this program at ratio 1 and again with --jxt-scale-factor=2.
    Framed c;
    c.SetBounds(0, 0, 21, 10);
    c.SetColor(clBlue);
    c.Repaint();
    const qreal ratio = c.devicePixelRatioF();
    // The ratio asked for (a ratio2 run) is the one the control has.
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        EXPECT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    const QImage &s = c.Surface();
    EXPECT_EQ(s.devicePixelRatio(), ratio);
    EXPECT_EQ(s.size(), QSize(qRound(21 * ratio), qRound(10 * ratio)));
    // The frame is one logical pixel: a whole block of device pixels on each side.
    const int block = qRound(ratio);
    EXPECT_EQ(PixelAt(s, 0, 0), clRed);
    for (int d = 0; d < block; ++d) {
        EXPECT_EQ(s.pixel(d, 5 * block) & 0xFFFFFF, 0xFF0000u) << d;
        EXPECT_EQ(s.pixel(s.width() - 1 - d, 5 * block) & 0xFFFFFF, 0xFF0000u) << d;
    }
    EXPECT_EQ(s.pixel(block, 5 * block) & 0xFFFFFF, 0x0000FFu);
    // Drawing outside Paint lands on the same surface in logical pixels.
    c.Canvas()->SetPixel(20, 9, clLime);
    EXPECT_EQ(c.Canvas()->Pixel(20, 9), clLime);
    EXPECT_EQ(c.Canvas()->ClipRect(), Rect(0, 0, 21, 10));

    // A move to another screen makes the control paint again (at the new screen's ratio).
    const int paints = c.PaintCount();
    QEvent screenChange(QEvent::ScreenChangeInternal);
    QApplication::sendEvent(&c, &screenChange);
    EXPECT_TRUE(c.PaintPending());
    c.Update();
    EXPECT_EQ(c.PaintCount(), paints + 1);
    EXPECT_EQ(PixelAt(c.Surface(), 20, 9), clRed);
}

TEST(Controls, RepaintDrawsOnTheSurfaceAtOnce)
{
    Framed c;
    c.SetBounds(0, 0, 20, 10);
    c.SetColor(clBlue);
    c.Repaint();
    const QImage &s = c.Surface();
    ASSERT_EQ(jxt::test::LogicalSize(s), QSize(20, 10));
    EXPECT_EQ(PixelAt(s, 0, 0), clRed);
    EXPECT_EQ(PixelAt(s, 19, 9), clRed);
    EXPECT_EQ(PixelAt(s, 5, 5), clBlue);
    EXPECT_EQ(c.PaintCount(), 1);
}

TEST(Controls, InvalidateDefersThePaintUntilTheNextUpdate)
{
    Framed c;
    c.SetBounds(0, 0, 8, 8);
    c.Repaint();
    const int before = c.PaintCount();
    c.SetColor(clLime);
    c.SetColor(clYellow);
    EXPECT_TRUE(c.PaintPending());
    EXPECT_EQ(c.PaintCount(), before);
    c.Update();
    EXPECT_EQ(c.PaintCount(), before + 1);
    EXPECT_EQ(PixelAt(c.Surface(), 4, 4), clYellow);
}

TEST(Controls, ImmediateDrawingOutsidePaintIsShown)
{
    TForm form;
    form.SetBounds(0, 0, 60, 40);
    auto *c = new Framed(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 30, 20);
    c->SetColor(clWhite);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::processEvents();
    // A timer step draws straight onto the canvas, without Invalidate.
    c->Canvas()->Brush()->SetColor(clGreen);
    c->Canvas()->FillRect(Rect(5, 5, 10, 10));
    QApplication::processEvents();
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(PixelAt(shot, 17, 17), clGreen);
    EXPECT_EQ(PixelAt(shot, 12, 12), clWhite);
    form.Hide();
}

TEST(Controls, AlignLaysOutTopBottomLeftRightClient)
{
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto make = [&](TAlign align, int w, int h) {
        auto *c = new TCustomControl(&form);
        c->SetParent(&form);
        c->SetBounds(0, 0, w, h);
        c->SetAlign(align);
        return c;
    };
    TControl *top = make(alTop, 10, 20);
    TControl *bottom = make(alBottom, 10, 10);
    TControl *left = make(alLeft, 30, 5);
    TControl *right = make(alRight, 40, 5);
    TControl *client = make(alClient, 1, 1);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 90, 200, 100));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 30, 90));
    EXPECT_EQ(right->BoundsRect(), Rect(160, 20, 200, 90));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 160, 90));

    form.SetWidth(300);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 260, 90));
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 0, 260, 90));

    form.DisableAlign();
    left->SetWidth(50);
    EXPECT_EQ(client->Left(), 30);
    form.EnableAlign();
    EXPECT_EQ(client->Left(), 50);
}

TEST(Controls, MouseClickFiresDownUpAndClick)
{
    TForm form;
    form.SetBounds(0, 0, 50, 50);
    auto *c = new Framed(&form);
    c->SetParent(&form);
    c->SetBounds(0, 0, 50, 50);
    QStringList events;
    c->OnMouseDown = [&](TObject *, TMouseButton b, TShiftState, int x, int y) {
        events << QStringLiteral("down %1 %2,%3").arg(int(b)).arg(x).arg(y);
    };
    c->OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) {
        events << QStringLiteral("up");
    };
    c->OnClick = [&](TObject *sender) {
        EXPECT_EQ(sender, c);
        events << QStringLiteral("click");
    };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(7, 9));
    EXPECT_EQ(events, (QStringList{QStringLiteral("down 0 7,9"), QStringLiteral("up"),
                                   QStringLiteral("click")}));

    events.clear();
    c->SetEnabled(false);
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(7, 9));
    EXPECT_TRUE(events.isEmpty());
    form.Hide();
}

TEST(Controls, ParentColorAndFontFollowTheParent)
{
    TForm form;
    auto *c = new TCustomControl(&form);
    c->SetParent(&form);
    EXPECT_EQ(c->Color(), clBtnFace);
    form.SetColor(clAqua);
    EXPECT_EQ(c->Color(), clAqua);
    form.Font()->SetSize(14);
    EXPECT_EQ(c->Font()->Size(), 14);

    c->SetColor(clRed);
    EXPECT_FALSE(c->ParentColor());
    form.SetColor(clBlue);
    EXPECT_EQ(c->Color(), clRed);
    c->Font()->SetColor(clRed);
    EXPECT_FALSE(c->ParentFont());
    form.Font()->SetSize(20);
    EXPECT_EQ(c->Font()->Size(), 14);
}

TEST(Controls, ZeroSizeControlPaintsSafely)
{
    Framed c;
    c.SetBounds(0, 0, 0, 0);
    c.Repaint();
    EXPECT_TRUE(c.Surface().isNull() || c.Surface().width() == 0);
    c.SetBounds(0, 0, 0, 30);
    c.Repaint();
    c.Canvas()->FillRect(Rect(-5, -5, 50, 50));
    EXPECT_EQ(c.PaintCount(), 2);
}

TEST(Controls, VisibleHoldsForAControlPlacedInAQtLayout)
{
    // Put into a layout by Qt, not by SetParent: an invisible control (a non-visual
    // component's symbol) takes no room, and Visible shows and hides it there too.
    QWidget host;
    auto *box = new QVBoxLayout(&host);
    auto *hidden = new Framed;
    hidden->SetVisible(false);
    auto *shown = new Framed;
    box->addWidget(hidden);
    box->addWidget(shown);
    host.show();
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(shown->isVisible());
    hidden->SetVisible(true);
    shown->SetVisible(false);
    EXPECT_TRUE(hidden->isVisible());
    EXPECT_FALSE(shown->isVisible());
}

TEST(Controls, InvisibleControlIsHiddenButShownWhenDesigning)
{
    TForm form;
    auto *c = new TCustomControl(&form);
    c->SetParent(&form);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(c->isVisible());
    c->SetVisible(false);
    EXPECT_FALSE(c->isVisible());
    form.SetDesigning(true);
    c->SetParent(nullptr);
    c->SetParent(&form);
    EXPECT_TRUE(c->isVisible());
    EXPECT_FALSE(c->Visible());
    form.Hide();
}
