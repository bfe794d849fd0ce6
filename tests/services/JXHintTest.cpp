// SPDX-License-Identifier: MIT
// Balloon hints: the corner choice with its flips, the balloon picture over the screen with
// its shadow and tail, text measuring, the messages that close a hint, switching the
// application's hints, and the hint editor dialog.
#include "services/JXHint.h"
#include "services/JXHintWindow.h"

#include "TestSupport.h"
#include "display/JXGauge.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QPlainTextEdit>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

constexpr TColor kScreenColor = 0x3264C8; // RGB(200, 100, 50)

class JXHintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetScreenGrabber([](const TRect &area) {
            QImage image(area.Width(), area.Height(), QImage::Format_RGB32);
            image.fill(ColorToQColor(kScreenColor));
            return image;
        });
        // Inside the offscreen screen of 800 x 600 device pixels at ratio 1 and at ratio 2.
        QCursor::setPos(200, 150);
    }
    void TearDown() override
    {
        CancelHint();
        SetScreenGrabber(m_previous);
    }
    /// Shows hint in a fresh balloon window and returns it.
    std::unique_ptr<TJXHintWindow> Show(const QString &hint)
    {
        auto window = std::make_unique<TJXHintWindow>();
        window->ActivateHint(TRect(), hint);
        return window;
    }

    TScreenGrabber m_previous;
};

} // namespace

TEST(JXHintPlacement, CornersFlipWhereTheScreenEnds)
{
    const int w = 100, h = 60, sw = 1024, sh = 768;
    struct Case
    {
        TPoint cursor;
        THintPosition preferred;
        THintPosition expected;
    };
    const Case cases[] = {
        {{500, 400}, hpAboveLeft, hpAboveLeft},   {{500, 400}, hpAboveRight, hpAboveRight},
        {{500, 400}, hpBelowLeft, hpBelowLeft},   {{500, 400}, hpBelowRight, hpBelowRight},
        {{50, 400}, hpAboveLeft, hpAboveRight},   {{500, 20}, hpAboveLeft, hpBelowLeft},
        {{5, 5}, hpAboveLeft, hpBelowRight},      {{1000, 400}, hpAboveRight, hpAboveLeft},
        {{1000, 20}, hpAboveRight, hpBelowLeft},  {{50, 750}, hpBelowLeft, hpAboveRight},
        {{1000, 750}, hpBelowRight, hpAboveLeft}, {{500, 750}, hpBelowRight, hpAboveRight},
    };
    for (const Case &c : cases) {
        const auto p = TJXHintWindow::Place(c.cursor, w, h, c.preferred, sw, sh);
        EXPECT_EQ(p.Position, c.expected) << c.cursor.X << "," << c.cursor.Y << " " << c.preferred;
    }
    // Top left corner, above left preferred: below right of the cursor, text under the tail.
    const auto p = TJXHintWindow::Place(Point(5, 5), w, h, hpAboveLeft, sw, sh);
    EXPECT_EQ(p.Origin, Point(15, 15));
    EXPECT_EQ(p.TextOffset, Point(10, 30));
    const auto q = TJXHintWindow::Place(Point(500, 400), w, h, hpAboveLeft, sw, sh);
    EXPECT_EQ(q.Origin, Point(500 - w - 10, 400 - h - 10));
    EXPECT_EQ(q.TextOffset, Point(10, 10));
}

TEST_F(JXHintTest, BalloonOverTheScreenWithShadowTailAndText)
{
    TJXHint hint;
    hint.SetHintPosition(hpAboveRight);
    auto window = Show(QStringLiteral("Hallo"));
    const QImage &picture = window->Picture()->Image();
    const int w = window->Width(), h = window->Height();
    ASSERT_EQ(picture.width(), w);
    ASSERT_EQ(picture.height(), h);
    EXPECT_EQ(window->Left(), 210);
    EXPECT_EQ(window->Top(), 150 - h - 10);
    const int bw = w - 10, bh = h - 10;

    // Outside the rounded corner the screen shows unchanged; where only the shadow falls it
    // is darkened by ANDing grey onto it.
    EXPECT_EQ(PixelAt(picture, 1, 1), kScreenColor);
    EXPECT_EQ(PixelAt(picture, w - 3, h / 2), kScreenColor & 0x808080);
    EXPECT_EQ(PixelAt(picture, w - 1, 1), kScreenColor);
    // The box is yellow with a black outline, and the text is drawn in it.
    EXPECT_EQ(PixelAt(picture, bw / 2, 3), clYellow);
    EXPECT_EQ(PixelAt(picture, bw / 2, 0), clBlack);
    EXPECT_GT(jxt::test::CountColor(picture, clBlack, 10, 10, bw - 10, bh - 25), 5);
    // The tail's smallest circle at the lower left, toward the cursor.
    EXPECT_NE(PixelAt(picture, 2, bh - 3), kScreenColor);
    // Nothing of the balloon or its shadow at the lower right.
    EXPECT_EQ(PixelAt(picture, bw - 3, bh - 3), kScreenColor);

    // Mirrored for the other corners: above left has its tail at the lower right.
    hint.SetHintPosition(hpAboveLeft);
    auto left = Show(QStringLiteral("Hallo"));
    EXPECT_EQ(left->LastPosition(), hpAboveLeft);
    EXPECT_EQ(left->Left(), 200 - w - 10);
    const QImage &mirrored = left->Picture()->Image();
    EXPECT_NE(PixelAt(mirrored, bw - 3, bh - 3), kScreenColor);
    EXPECT_EQ(PixelAt(mirrored, 2, bh - 3), kScreenColor);

    // Shown, the window paints that picture.
    left->Repaint();
    EXPECT_EQ(PixelAt(left->Surface(), bw / 2, 3), clYellow);
}

TEST_F(JXHintTest, TextIsMeasuredWrappedAndBrokenAtMarks)
{
    TJXHint hint;
    auto one = Show(QStringLiteral("Hallo"));
    auto two = Show(QStringLiteral("Hallo^MWelt"));
    const int lineHeight = two->Height() - one->Height();
    EXPECT_GT(lineHeight, 5);
    EXPECT_LT(lineHeight, 30);

    // A short single line shrinks the balloon to the text.
    auto shortLine = Show(QString(30, QLatin1Char('i')));
    EXPECT_LT(shortLine->Width(), 150 + 30);
    // Long text wraps at DefaultWidth, however long it is.
    auto longText = Show(QStringLiteral("wort ").repeated(400));
    EXPECT_LE(longText->Width(), 150 + 30);
    EXPECT_GT(longText->Height(), 20 * lineHeight);

    // A negative shadow is drawn as none.
    hint.SetShadowDepth(-50);
    auto flat = Show(QStringLiteral("Hallo"));
    EXPECT_EQ(flat->Width(), one->Width() - 10);
}

TEST_F(JXHintTest, MessagesThatCloseAHint)
{
    TJXHintWindow window;
    EXPECT_TRUE(window.IsHintMsg(TMsg{WM_KEYDOWN}));
    EXPECT_EQ(JXH_Crs, Point(200, 150));
    EXPECT_FALSE(window.IsHintMsg(TMsg{WM_MOUSEMOVE})); // no real movement
    for (unsigned m :
         {WM_KEYUP, WM_KEYLAST, WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_NCMOUSEMOVE,
          WM_COMMAND, CM_ACTIVATE, CM_DEACTIVATE, CM_APPKEYDOWN, CM_APPSYSCOMMAND})
        EXPECT_TRUE(window.IsHintMsg(TMsg{m})) << m;
    for (unsigned m : {0x000Fu, 0x0109u, 0x020Bu, 0xB002u})
        EXPECT_FALSE(window.IsHintMsg(TMsg{m})) << m;
    QCursor::setPos(220, 150);
    EXPECT_TRUE(window.IsHintMsg(TMsg{WM_MOUSEMOVE}));
    EXPECT_FALSE(window.IsHintMsg(TMsg{WM_MOUSEMOVE}));
}

TEST_F(JXHintTest, ActiveSwitchesTheApplicationsHints)
{
    TForm form;
    auto *panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetHint(QStringLiteral("Ein Hinweis"));
    panel->SetShowHint(true);

    TJXHint hint;
    EXPECT_EQ(Application()->HintPause(), 800);
    EXPECT_EQ(Application()->HintHidePause(), 2500);
    EXPECT_TRUE(Application()->ShowHint());
    EXPECT_EQ(HintWindowClass(), HintWindowClassOf<TJXHintWindow>());
    ASSERT_TRUE(ShowHintFor(panel));
    EXPECT_NE(qobject_cast<TJXHintWindow *>(ActiveHintWindow()), nullptr);
    // A key closes it, a mouse move without movement does not.
    HintMessage(TMsg{WM_MOUSEMOVE});
    EXPECT_NE(ActiveHintWindow(), nullptr);
    HintMessage(TMsg{WM_KEYDOWN});
    EXPECT_EQ(ActiveHintWindow(), nullptr);

    hint.SetActive(false);
    EXPECT_FALSE(Application()->ShowHint());
    EXPECT_EQ(HintWindowClass(), HintWindowClassOf<THintWindow>());
    EXPECT_FALSE(ShowHintFor(panel));
    EXPECT_EQ(ActiveHintWindow(), nullptr);

    hint.SetActive(true);
    hint.SetHintPause(100);
    EXPECT_EQ(Application()->HintPause(), 100);
    EXPECT_TRUE(ShowHintFor(panel));
}

TEST_F(JXHintTest, WindowOutlivesTheComponent)
{
    auto hint = std::make_unique<TJXHint>();
    EXPECT_EQ(JXH_BakBitmap != nullptr, true);
    hint.reset();
    EXPECT_EQ(JXH_BakBitmap, nullptr);
    EXPECT_EQ(JXH_Font, nullptr);
    auto window = Show(QStringLiteral("noch da"));
    EXPECT_GT(window->Width(), 20);
    EXPECT_EQ(window->Picture()->Width(), window->Width());
}
