// SPDX-License-Identifier: MIT
// "Anzeigen": the display components, one Add… function each.
#include "GalleryPage.h"

#include "display/JXLCDPanel.h"
#include "host/Timer.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTime>

#include <memory>
#include <utility>

namespace jxt::gallery {

namespace {

const std::vector<TColor> kLitColors = {clLime, clRed, clYellow, clAqua, clWhite, RGB(255, 128, 0)};
const std::vector<TColor> kUnlitColors = {0x004000, RGB(64, 0, 0), RGB(64, 64, 0), RGB(0, 48, 64),
                                          RGB(40, 40, 40), clBlack};
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

    auto *caption = new QLineEdit(&section);
    caption->setPlaceholderText(QStringLiteral("Caption (ersetzt Items)"));
    section.Form()->addRow(QStringLiteral("Caption"), caption);

    auto *items = new QPlainTextEdit(&section);
    items->setPlainText(panel->GetItemsList().join(QLatin1Char('\n')));
    items->setFixedHeight(56);
    QObject::connect(caption, &QLineEdit::textChanged, caption, [panel, items](const QString &text) {
        panel->SetCaption(text);
        const QSignalBlocker block(items);
        items->setPlainText(panel->GetItemsList().join(QLatin1Char('\n')));
    });
    QObject::connect(items, &QPlainTextEdit::textChanged, items, [panel, items] {
        panel->SetItemsList(items->toPlainText().split(QLatin1Char('\n')));
    });
    section.Form()->addRow(QStringLiteral("Items"), items);

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

    section.AddSpinBox(QStringLiteral("Columns"), 1, 50, panel->Columns(),
                       [=](int v) { panel->SetColumns(v); settle(); });
    section.AddSpinBox(QStringLiteral("Rows"), 1, 50, panel->Rows(),
                       [=](int v) { panel->SetRows(v); settle(); });
    editors->segment = section.AddSpinBox(QStringLiteral("SegmentSize"), 1, 20, panel->SegmentSize(),
                                          [=](int v) { panel->SetSegmentSize(v); settle(); });
    editors->width = section.AddSpinBox(QStringLiteral("Width"), 0, 1400, panel->Width(),
                                        [=](int v) { panel->SetWidth(v); settle(); });
    editors->height = section.AddSpinBox(QStringLiteral("Height"), 0, 1400, panel->Height(),
                                         [=](int v) { panel->SetHeight(v); settle(); });
    section.AddColorCycle(QStringLiteral("LCDHiColor"), kLitColors, panel->LCDHiColor(),
                          [panel](TColor c) { panel->SetLCDHiColor(c); });
    section.AddColorCycle(QStringLiteral("LCDLoColor"), kUnlitColors, panel->LCDLoColor(),
                          [panel](TColor c) { panel->SetLCDLoColor(c); });
    section.AddColorCycle(QStringLiteral("Color"), kBackgrounds, panel->Color(),
                          [panel](TColor c) { panel->SetColor(c); });
    settle();
}

void BuildDisplayPage(TGalleryPage &page)
{
    AddLCDPanel(page);
}

} // namespace jxt::gallery
