// SPDX-License-Identifier: MIT
// "Anzeigen": the panels among the display components (LCD, dot matrix, system panel) and
// the blinker, one Add… function each; DisplayMeters.cpp holds the others.
#include "GalleryPage.h"

#include "display/JXBlinker.h"
#include "display/JXDOTPanel.h"
#include "display/JXLCDPanel.h"
#include "display/JXPanel.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/core/Timer.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTime>

#include <array>
#include <memory>
#include <utility>

namespace jxt::gallery {

namespace {

const std::vector<TColor> kLitColors = {clLime, clRed, clYellow, clAqua, clWhite, RGB(255, 128, 0)};
const std::vector<TColor> kUnlitColors = {0x004000,       RGB(64, 0, 0),   RGB(64, 64, 0),
                                          RGB(0, 48, 64), RGB(40, 40, 40), clBlack};
const std::vector<TColor> kBackgrounds = {clBlack, clNavy, RGB(16, 16, 16), clBtnFace};

// A clock in "hh:mm:ss", set every second by a timer.
void AddLCDClock(TGallerySection &section)
{
    auto *clock = new TJXLCDPanel(section.Stage());
    clock->SetColumns(8);
    clock->SetBounds(0, 0, 8 * 30, 44);
    clock->SetSegmentSize(3);
    clock->SetLCDHiColor(clAqua);
    clock->SetLCDLoColor(RGB(0, 40, 48));
    section.Place(clock, 8, 8);

    auto *timer = new TTimer(clock);
    const auto show = [clock](TObject *) {
        clock->SetCaption(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    };
    timer->OnTimer = show;
    timer->SetInterval(1000);
    show(timer);
}

} // namespace

/// The caption line and the items box of the LCD panel, kept in step with each other.
QLineEdit *AddLCDTextEditors(TGallerySection &section, TJXLCDPanel *panel)
{
    auto *caption = new QLineEdit(&section);
    caption->setPlaceholderText(QStringLiteral("Caption (ersetzt Items)"));
    section.Form()->addRow(QStringLiteral("Caption"), caption);

    auto *items = new QPlainTextEdit(&section);
    items->setPlainText(panel->GetItemsList().join(QLatin1Char('\n')));
    items->setFixedHeight(56);
    QObject::connect(caption, &QLineEdit::textChanged, caption,
                     [panel, items](const QString &text) {
                         panel->SetCaption(text);
                         const QSignalBlocker block(items);
                         items->setPlainText(panel->GetItemsList().join(QLatin1Char('\n')));
                     });
    QObject::connect(items, &QPlainTextEdit::textChanged, items, [panel, items] {
        panel->SetItemsList(items->toPlainText().split(QLatin1Char('\n')));
    });
    section.Form()->addRow(QStringLiteral("Items"), items);
    return caption;
}

void AddLCDPanel(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXLCDPanel"),
        QStringLiteral("Flüssigkristall-Anzeige aus 13-Segment-Zellen: Ziffern, A bis Z, "
                       "\"*\", \"+\", \"-\", \",\", \".\" und \":\". Oben eine Uhr, darunter "
                       "ein Feld zum Ausprobieren; zu kleine Felder wachsen beim Zeichnen."));
    AddLCDClock(section);

    auto *panel = new TJXLCDPanel(section.Stage());
    panel->SetColumns(12);
    panel->SetRows(2);
    panel->SetBounds(0, 0, 12 * 28, 2 * 44);
    panel->SetItemsList({QStringLiteral("JXTOOLS 3.0D"), QStringLiteral("12:30 -4,5")});
    section.Place(panel, 8, 60);

    QLineEdit *caption = AddLCDTextEditors(section, panel);

    // After every change the panel paints at once: the paint may widen it or lower its
    // segment size, and the editors show what it settled on.
    struct TEditors
    {
        QSpinBox *segment = nullptr;
        QSpinBox *width = nullptr;
        QSpinBox *height = nullptr;
    };
    auto editors = std::make_shared<TEditors>();
    const auto settle = [panel, editors] {
        panel->Update();
        for (auto [spin, value] : {std::pair{editors->segment, panel->SegmentSize()},
                                   std::pair{editors->width, panel->Width()},
                                   std::pair{editors->height, panel->Height()}}) {
            if (spin && spin->value() != value) {
                const QSignalBlocker block(spin);
                spin->setValue(value);
            }
        }
    };
    QObject::connect(caption, &QLineEdit::editingFinished, caption, settle);

    section.AddSpinBox(QStringLiteral("Columns"), 1, 50, panel->Columns(), [=](int v) {
        panel->SetColumns(v);
        settle();
    });
    section.AddSpinBox(QStringLiteral("Rows"), 1, 50, panel->Rows(), [=](int v) {
        panel->SetRows(v);
        settle();
    });
    editors->segment =
        section.AddSpinBox(QStringLiteral("SegmentSize"), 1, 20, panel->SegmentSize(), [=](int v) {
            panel->SetSegmentSize(v);
            settle();
        });
    editors->width =
        section.AddSpinBox(QStringLiteral("Width"), 0, 1400, panel->Width(), [=](int v) {
            panel->SetWidth(v);
            settle();
        });
    editors->height =
        section.AddSpinBox(QStringLiteral("Height"), 0, 1400, panel->Height(), [=](int v) {
            panel->SetHeight(v);
            settle();
        });
    section.AddColorCycle(QStringLiteral("LCDHiColor"), kLitColors, panel->LCDHiColor(),
                          [panel](TColor c) { panel->SetLCDHiColor(c); });
    section.AddColorCycle(QStringLiteral("LCDLoColor"), kUnlitColors, panel->LCDLoColor(),
                          [panel](TColor c) { panel->SetLCDLoColor(c); });
    section.AddColorCycle(QStringLiteral("Color"), kBackgrounds, panel->Color(),
                          [panel](TColor c) { panel->SetColor(c); });
    settle();
}

void AddDOTPanel(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXDOTPanel"),
        QStringLiteral("Punktmatrix-Anzeige mit eingebauter 5 × 7-Schrift. Oben ein Lauftext "
                       "(Interval > 0), zeichen- oder pixelweise; darunter eine statische "
                       "Anzeige mit 2 Zeilen zu 10 Zeichen und DOTSpace 2."));

    auto *ticker = new TJXDOTPanel(section.Stage());
    ticker->SetColumns(16);
    ticker->SetCaption(QStringLiteral("+++ JX Tools: Punktmatrix-Lauftext 0123456789 +++"));
    ticker->SetInterval(150);
    section.Place(ticker, 8, 8);

    auto *board = new TJXDOTPanel(section.Stage());
    board->SetColumns(10);
    board->SetRows(2);
    board->SetDOTSpace(2);
    board->SetItemLines({QStringLiteral("Gleis 3"), QStringLiteral("ab 12:45")});
    section.Place(board, 8, 48);
    // Both panels size themselves to the glyphs at their first paint; the stage follows.
    ticker->Update();
    board->Update();
    // Let the text scroll in before the page is first seen, so the display is never empty.
    for (int step = 0; step < ticker->Columns(); ++step)
        ticker->JXOnTime();

    section.AddLineEdit(QStringLiteral("Caption"), ticker->Caption(),
                        [ticker](const QString &text) { ticker->SetCaption(text); });
    section.AddSpinBox(QStringLiteral("Interval"), 0, 2000, ticker->Interval(),
                       [ticker](int v) { ticker->SetInterval(v); });
    section.AddCheckBox(QStringLiteral("ScrollChar"), ticker->ScrollChar(),
                        [ticker](bool on) { ticker->SetScrollChar(on); });
    section.AddSpinBox(QStringLiteral("DOTSpace (unten)"), 0, 10, board->DOTSpace(),
                       [board](int v) {
                           board->SetDOTSpace(v);
                           board->Update();
                       });

    // At run time the font is recoloured on request only, so each change asks for it.
    const auto recolour = [ticker, board](const std::function<void(TJXDOTPanel *)> &set) {
        for (TJXDOTPanel *panel : {ticker, board}) {
            set(panel);
            panel->SetDOTColor();
        }
    };
    section.AddColorCycle(
        QStringLiteral("DOTHiColor"), kLitColors, ticker->DOTHiColor(),
        [recolour](TColor c) { recolour([c](TJXDOTPanel *p) { p->SetDOTHiColor(c); }); });
    section.AddColorCycle(
        QStringLiteral("DOTLoColor"), kUnlitColors, ticker->DOTLoColor(),
        [recolour](TColor c) { recolour([c](TJXDOTPanel *p) { p->SetDOTLoColor(c); }); });
    section.AddColorCycle(
        QStringLiteral("Color"), kBackgrounds, ticker->Color(),
        [recolour](TColor c) { recolour([c](TJXDOTPanel *p) { p->SetColor(c); }); });
}

void AddJXPanel(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXPanel"),
        QStringLiteral("Systemanzeige, jede Sekunde neu: links Style sString mit einer "
                       "Vorlage aus Platzhaltern (%CPU, %MemoryLoad, %TotalPhys, %AvailPhys, "
                       "%Time, %Date, %DayLong, %Day, ^M), rechts die Verläufe sgCPU und sgMEM "
                       "der letzten 80 Sekunden."));

    auto *text = new TJXPanel(section.Stage());
    text->SetBounds(0, 0, 240, 48);
    text->SetCaptionFormat(QStringLiteral("%DayLong, %Date^M%Time"));
    text->Font()->SetSize(10);
    text->Font()->SetStyle(TFontStyles{fsBold});
    section.Place(text, 8, 8);

    auto *cpu = new TJXPanel(section.Stage());
    cpu->SetStyle(sgCPU);
    cpu->SetBounds(0, 0, 200, 90);
    cpu->SetBevelOuter(bvLowered);
    section.Place(cpu, 256, 8);

    auto *mem = new TJXPanel(section.Stage());
    mem->SetStyle(sgMEM);
    mem->SetGraphColor(clTeal);
    mem->SetBounds(0, 0, 200, 90);
    mem->SetBevelOuter(bvLowered);
    section.Place(mem, 464, 8);

    // The caption and the memory chart take their first sample right away rather than a
    // second later; the processor load needs a measured second of its own.
    text->JXOnTime();
    mem->JXOnTime();

    section.AddLineEdit(QStringLiteral("CaptionFormat"), text->CaptionFormat(),
                        [text](const QString &format) {
                            text->SetCaptionFormat(format);
                            text->JXOnTime();
                        });
    section.AddChoice(QStringLiteral("Alignment"),
                      {QStringLiteral("taLeftJustify"), QStringLiteral("taRightJustify"),
                       QStringLiteral("taCenter")},
                      int(text->Alignment()),
                      [text](int index) { text->SetAlignment(TAlignment(index)); });
    section.AddColorCycle(QStringLiteral("GraphColor (cpu)"),
                          {clRed, clBlue, clGreen, clFuchsia, clTeal}, cpu->GraphColor(),
                          [cpu](TColor c) {
                              cpu->SetGraphColor(c);
                              cpu->Invalidate();
                          });
}

void AddBlinker(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXBlinker"),
        QStringLiteral("Lässt ein anderes Steuerelement blinken: links ein TLabel mit "
                       "BlinkStyle bsFontColor, rechts ein TPanel mit bsColor. Beim Anhalten "
                       "bekommen beide ihre Ruhefarbe zurück."));

    auto *label = new TLabel(section.Stage());
    label->SetCaption(QStringLiteral("Achtung!"));
    label->Font()->SetSize(16);
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->Font()->SetColor(clMaroon);
    section.Place(label, 8, 16);

    auto *panel = new TPanel(section.Stage());
    panel->SetBounds(0, 0, 140, 44);
    panel->SetCaption(QStringLiteral("Alarm"));
    section.Place(panel, 140, 8);

    auto *fontBlinker = new TJXBlinker(section.Stage());
    fontBlinker->SetBlinkStyle(bsFontColor);
    fontBlinker->SetBlinkHiColor(clRed);
    fontBlinker->SetBlinkLoColor(clHighlight); // blue that reads in light and dark colours
    fontBlinker->SetControl(label);

    auto *colorBlinker = new TJXBlinker(section.Stage());
    colorBlinker->SetControl(panel);

    const std::array<TJXBlinker *, 2> both = {fontBlinker, colorBlinker};
    for (TJXBlinker *blinker : both) {
        blinker->SetInterval(500);
        blinker->SetBlink(true);
        // The first phase at once rather than after the first interval.
        blinker->JXOnTime();
    }

    section.AddCheckBox(QStringLiteral("Blink"), true, [=](bool on) {
        fontBlinker->SetBlink(on);
        colorBlinker->SetBlink(on);
    });
    section.AddSpinBox(QStringLiteral("Interval"), 20, 3000, 500, [=](int v) {
        fontBlinker->SetInterval(v);
        colorBlinker->SetInterval(v);
    });
    section.AddColorCycle(QStringLiteral("BlinkHiColor (Panel)"), {clYellow, clRed, clLime, clAqua},
                          colorBlinker->BlinkHiColor(),
                          [colorBlinker](TColor c) { colorBlinker->SetBlinkHiColor(c); });
}

void BuildDisplayPage(TGalleryPage &page)
{
    // Palette order.
    AddScrollText(page);
    AddGauge(page);
    AddLCDPanel(page);
    AddDOTPanel(page);
    Add3dLabel(page);
    AddJXPanel(page);
    AddBlinker(page);
}

} // namespace jxt::gallery
