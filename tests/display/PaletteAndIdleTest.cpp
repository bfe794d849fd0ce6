// SPDX-License-Identifier: MIT
// Display components follow the palettes around them, and out of sight they keep their state
// without drawing.
#include "display/JXDOTPanel.h"
#include "display/JXGauge.h"
#include "display/JXScrollText.h"
#include "host/core/Timer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QVBoxLayout>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

// The gap between a gauge's frame and its boxes shows Color.
int GaugeBackground(const TJXGauge &gauge)
{
    return PixelAt(gauge.Surface(), 1, 1);
}

// Restores the application palette a test changes.
struct TAppPaletteGuard
{
    QPalette saved = QApplication::palette();
    ~TAppPaletteGuard() { QApplication::setPalette(saved); }
};

} // namespace

TEST(Palettes, SystemColoursComeFromTheWidgetsOwnPaletteAndChangesRepaint)
{
    TAppPaletteGuard guard;
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    auto *inHost = new TJXGauge;
    layout->addWidget(inHost);
    inHost->SetShowPeak(false);
    inHost->SetColor(clBtnFace);
    QWidget plain; // a host without a palette of its own
    auto *plainLayout = new QVBoxLayout(&plain);
    auto &alone = *new TJXGauge;
    plainLayout->addWidget(&alone);
    alone.SetShowPeak(false);
    alone.SetColor(clBtnFace);
    inHost->Repaint();
    alone.Repaint();
    EXPECT_EQ(GaugeBackground(*inHost), 0xC0C0C0);

    // A palette set on the containing widget reaches the component and repaints it.
    QPalette red = host.palette();
    red.setColor(QPalette::Button, QColor(255, 0, 0));
    host.setPalette(red);
    EXPECT_TRUE(inHost->PaintPending());
    inHost->Repaint();
    EXPECT_EQ(GaugeBackground(*inHost), clRed);
    EXPECT_EQ(GaugeBackground(alone), 0xC0C0C0);

    // The application palette changed at run time (Qt tells widgets once its event loop
    // runs): components without a palette of their own follow at once; the host's own
    // palette still wins for its child.
    bool pending = false;
    QTimer::singleShot(0, [&] {
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
        QApplication::setPalette(dark);
        QApplication::processEvents(); // the change reaches widgets as a posted event
        pending = alone.PaintPending();
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_TRUE(pending);
    alone.Repaint();
    inHost->Repaint();
    EXPECT_EQ(GaugeBackground(alone), 0x303030);
    EXPECT_EQ(GaugeBackground(*inHost), clRed);

    // Plain RGB colours ignore palettes.
    alone.SetColor(clSilver);
    alone.Repaint();
    EXPECT_EQ(GaugeBackground(alone), 0xC0C0C0);
}

TEST(Idle, ComponentsOutOfSightKeepTheirStateButDoNotDraw)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *dot = new TJXDOTPanel;
    auto *text = new TJXScrollText;
    auto *gauge = new TJXGauge;
    layout->addWidget(dot);
    layout->addWidget(text);
    layout->addWidget(gauge);
    gauge->SetShowPeak(false);
    dot->SetCaption(QStringLiteral("ABC"));
    dot->SetInterval(1000);
    text->SetCaption(QStringLiteral("Hallo"));
    text->SetInterval(1000);
    text->SetSteps(50);
    window.show();
    QCoreApplication::processEvents();
    for (TControl *c : {static_cast<TControl *>(dot), static_cast<TControl *>(text),
                        static_cast<TControl *>(gauge)})
        c->Repaint();
    ASSERT_TRUE(dot->Showing());

    window.showMinimized();
    EXPECT_FALSE(dot->Showing());
    const QImage dotBefore = dot->Surface();
    const QImage textBefore = text->Surface();
    const int dotPaints = dot->PaintCount();
    const int gaugePaints = gauge->PaintCount();
    int restarts = 0;
    text->OnStartText = [&](TObject *) { ++restarts; };
    const int position = dot->ScrollPosition();
    for (int i = 0; i < 40; ++i) {
        dot->JXOnTime();
        text->JXOnTime();
    }
    gauge->SetProgress(70);
    // Some platforms keep a minimised window exposed; pending updates still paint nothing.
    QCoreApplication::processEvents();
    // State moved on: the dot panel's window and the text's place, with its restarts.
    EXPECT_NE(dot->ScrollPosition(), position);
    EXPECT_GT(restarts, 0);
    EXPECT_EQ(gauge->Progress(), 70);
    // Nothing was drawn.
    EXPECT_EQ(dot->Surface(), dotBefore);
    EXPECT_EQ(text->Surface(), textBefore);
    EXPECT_EQ(dot->PaintCount(), dotPaints);
    EXPECT_EQ(gauge->PaintCount(), gaugePaints);
    EXPECT_TRUE(gauge->PaintPending());

    // Shown again, the window is repainted by itself, and the first paint draws the state
    // reached.
    window.showNormal();
    EXPECT_TRUE(gauge->Showing());
    QCoreApplication::processEvents();
    EXPECT_GT(gauge->PaintCount(), gaugePaints);
    EXPECT_FALSE(gauge->PaintPending());
    EXPECT_EQ(gauge->LitAtLastPaint(), 7);
    dot->Update();
    EXPECT_NE(dot->Surface(), dotBefore);

    // An explicitly hidden parent counts as out of sight too; a control never shown does not.
    window.hide();
    EXPECT_FALSE(gauge->Showing());
    TJXGauge neverShown;
    EXPECT_TRUE(neverShown.Showing());
}
