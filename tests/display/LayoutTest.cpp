// SPDX-License-Identifier: MIT
// The display components among Qt's own widgets: in box and grid layouts they get room for
// all of their content, grow with the window, and a squeeze leaves their properties alone.
#include "display/JX3dLabel.h"
#include "display/JXDOTPanel.h"
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "display/JXPanel.h"
#include "display/JXScrollText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::InkOf;

namespace {

// A component to place, and a check that it shows all of its content at its size.
struct TCase
{
    const char *name;
    std::function<TControl *()> make;
    std::function<void(TControl *)> check;
};

void ExpectLcdShowsAllCells(TControl *control)
{
    auto *lcd = static_cast<TJXLCDPanel *>(control);
    ASSERT_GE(lcd->Width(), lcd->Columns() * TJXLCDPanel::kMinCellSize);
    const QImage &s = lcd->Surface();
    for (int col = 0; col < lcd->Columns(); ++col) {
        const int x0 = col * lcd->Width() / lcd->Columns();
        const int x1 = (col + 1) * lcd->Width() / lcd->Columns();
        EXPECT_GT(CountColor(s, clLime, x0, 0, x1, s.height()), 0) << "cell " << col;
    }
}

void ExpectGaugeShowsAllBoxes(TControl *control)
{
    auto *gauge = static_cast<TJXGauge *>(control);
    EXPECT_EQ(gauge->ShownBoxes(), gauge->Boxes());
    EXPECT_EQ(gauge->LitAtLastPaint(), gauge->Boxes());
}

void ExpectDotPanelShowsItsGlyphs(TControl *control)
{
    auto *dot = static_cast<TJXDOTPanel *>(control);
    if (!dot->DOTStretch()) {
        EXPECT_EQ(dot->size(), QSize(210, 27));
    } else {
        EXPECT_GE(dot->Width(), dot->minimumSizeHint().width());
        EXPECT_GE(dot->Height(), dot->minimumSizeHint().height());
    }
    // The last of the ten characters ("l" of "JXDOTPanel") has lit dots in its cell.
    const int x0 = 9 * dot->Width() / 10;
    EXPECT_GT(CountColor(dot->Surface(), clLime, x0, 0, dot->Width(), dot->Height()), 0);
}

void ExpectTextInside(TControl *control, TColor ink)
{
    const jxt::test::TInk box = InkOf(control->Surface(), ink);
    ASSERT_GT(box.Count, 0);
    EXPECT_GE(box.Left, 1);
    EXPECT_LE(box.Right, control->Width() - 2);
    EXPECT_GE(box.Top, 0);
    EXPECT_LE(box.Bottom, control->Height() - 1);
}

std::vector<TCase> Cases()
{
    return {
        {"lcd",
         [] {
             auto *lcd = new TJXLCDPanel;
             lcd->SetCaption(QStringLiteral("8888888888"));
             return lcd;
         },
         ExpectLcdShowsAllCells},
        {"gauge",
         [] {
             auto *g = new TJXGauge;
             g->SetShowPeak(false);
             g->SetBoxes(40);
             g->SetProgress(100);
             return g;
         },
         ExpectGaugeShowsAllBoxes},
        {"vertical gauge",
         [] {
             auto *g = new TJXGauge;
             g->SetShowPeak(false);
             g->SetKind(jxgVertical);
             g->SetBoxes(30);
             g->SetProgress(100);
             return g;
         },
         ExpectGaugeShowsAllBoxes},
        {"dot panel", [] { return new TJXDOTPanel; }, ExpectDotPanelShowsItsGlyphs},
        {"stretched dot panel",
         [] {
             auto *dot = new TJXDOTPanel;
             dot->SetDotStretch(true);
             return dot;
         },
         ExpectDotPanelShowsItsGlyphs},
        {"3d label",
         [] {
             auto *label = new TJX3dLabel;
             label->SetCaption(QStringLiteral("A rather long caption"));
             label->SetCaptionStyle(csNONE);
             return label;
         },
         [](TControl *c) { ExpectTextInside(c, clRed); }},
        {"scroll text",
         [] {
             auto *text = new TJXScrollText;
             text->SetCaption(QStringLiteral("Scrolling"));
             return text;
         },
         [](TControl *c) { ExpectTextInside(c, clBlack); }},
        {"panel",
         [] {
             auto *panel = new TJXPanel;
             panel->SetCaption(QStringLiteral("Panel caption"));
             panel->Timer()->SetEnabled(false);
             return panel;
         },
         [](TControl *c) { ExpectTextInside(c, clBlack); }},
    };
}

// Lays the host out at the smallest size its layout allows and paints the control.
void Squeeze(QWidget &host, TControl *control)
{
    host.resize(1, 1);
    host.show();
    host.layout()->activate();
    control->Repaint();
}

} // namespace

TEST(Layouts, EveryComponentAnswersHintsFromItsContent)
{
    for (const TCase &c : Cases()) {
        std::unique_ptr<TControl> control(c.make());
        const QSize hint = control->sizeHint();
        const QSize least = control->minimumSizeHint();
        EXPECT_TRUE(hint.isValid()) << c.name;
        EXPECT_GT(least.width(), 0) << c.name;
        EXPECT_GT(least.height(), 0) << c.name;
        EXPECT_GE(hint.width(), least.width()) << c.name;
        EXPECT_GE(hint.height(), least.height()) << c.name;
    }
    // Hints follow the content.
    TJXLCDPanel lcd;
    const QSize ten = lcd.minimumSizeHint();
    lcd.SetColumns(20);
    lcd.SetRows(2);
    EXPECT_EQ(lcd.minimumSizeHint(), QSize(2 * ten.width(), 2 * ten.height()));
    TJXGauge gauge;
    const int tenBoxes = gauge.minimumSizeHint().width();
    gauge.SetBoxes(20);
    EXPECT_EQ(gauge.minimumSizeHint().width(), tenBoxes + 30);
    gauge.SetKind(jxgVertical);
    EXPECT_EQ(gauge.minimumSizeHint().height(), tenBoxes + 30);
    TJX3dLabel label;
    const int narrow = label.sizeHint().width();
    label.SetCaption(label.Caption() + label.Caption());
    EXPECT_GT(label.sizeHint().width(), narrow);
}

TEST(Layouts, InABoxLayoutEveryComponentShowsAllOfItsContent)
{
    for (const TCase &c : Cases()) {
        QWidget host;
        auto *box = new QVBoxLayout(&host);
        box->addWidget(new QLabel(QStringLiteral("above")));
        TControl *control = c.make();
        box->addWidget(control);
        box->addWidget(new QLabel(QStringLiteral("below")));
        Squeeze(host, control);
        EXPECT_GE(control->Width(), control->minimumSizeHint().width()) << c.name;
        EXPECT_GE(control->Height(), control->minimumSizeHint().height()) << c.name;
        SCOPED_TRACE(c.name);
        c.check(control);

        // The window grows: the component follows (or, with a fixed size, keeps it).
        const QSize before = control->size();
        host.resize(900, 700);
        host.layout()->activate();
        control->Repaint();
        if (control->sizePolicy().horizontalPolicy() != QSizePolicy::Fixed)
            EXPECT_GT(control->Width(), before.width()) << c.name;
        else
            EXPECT_EQ(control->size(), before) << c.name;
        c.check(control);
    }
}

TEST(Layouts, InAGridLayoutEveryComponentShowsAllOfItsContent)
{
    for (const TCase &c : Cases()) {
        QWidget host;
        auto *grid = new QGridLayout(&host);
        grid->addWidget(new QLabel(QStringLiteral("name")), 0, 0);
        TControl *control = c.make();
        grid->addWidget(control, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("a neighbour below")), 1, 0, 1, 2);
        Squeeze(host, control);
        SCOPED_TRACE(c.name);
        c.check(control);
    }
}

TEST(Layouts, ASqueezeByTheLayoutChangesNoProperty)
{
    QWidget host;
    auto *grid = new QGridLayout(&host);
    auto *lcd = new TJXLCDPanel;
    auto *gauge = new TJXGauge;
    gauge->SetShowPeak(false);
    grid->addWidget(lcd, 0, 0);
    grid->addWidget(gauge, 1, 0);
    lcd->SetSegmentSize(6);
    gauge->SetBoxes(200);
    // A window held smaller than the gauge's boxes need (a fixed size beats the layout).
    host.setFixedSize(300, 150);
    host.show();
    host.layout()->activate();
    lcd->Repaint();
    gauge->Repaint();
    EXPECT_LT(gauge->ShownBoxes(), 200);
    EXPECT_EQ(gauge->Boxes(), 200);
    EXPECT_EQ(lcd->SegmentSize(), 6);
    EXPECT_EQ(lcd->Align(), alNone);
    EXPECT_EQ(lcd->Width(), grid->cellRect(0, 0).width()); // the layout's width, not the panel's

    host.setFixedSize(900, 400);
    host.layout()->activate();
    gauge->Repaint();
    EXPECT_EQ(gauge->ShownBoxes(), 200);
}
