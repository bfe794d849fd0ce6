// SPDX-License-Identifier: MIT
// "Knöpfe & Auswahl": the buttons, the splitter bar and the pickers, one Add… function each.
#include "GalleryPage.h"

#include "controls/JXAutoButton.h"
#include "controls/JXBiBtn.h"
#include "controls/JXDriveTab.h"
#include "jxtpack/Config.h"
#if JXT_WITH_FONTS
#    include "controls/JXFontCombo.h"
#endif
#include "controls/JXGrabBar.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <memory>

namespace jxt::gallery {

namespace {

const std::vector<TColor> kLedColors = {clRed, clLime, clYellow, clAqua, RGB(255, 128, 0)};
const std::vector<TColor> kFaces = {clBtnFace, clSilver, RGB(224, 232, 240), clWhite};

// A 32 x 16 pair for a toggle button: a lit lamp for the enabled state on the left, the same
// lamp greyed for the disabled state on the right; the fuchsia corners are transparent.
std::unique_ptr<TBitmap> LampPair(TColor lit)
{
    auto pair = std::make_unique<TBitmap>(32, 16);
    TCanvas *c = pair->Canvas();
    c->FillSolid(Rect(0, 0, 32, 16), clFuchsia);
    for (int half = 0; half < 2; ++half) {
        const int x = half * 16;
        c->Brush()->SetColor(half == 0 ? lit : clSilver);
        c->Pen()->SetColor(half == 0 ? clBlack : clGray);
        c->Ellipse(x + 2, 2, x + 14, 14);
        c->FillSolid(Rect(x + 5, 5, x + 8, 8), clWhite);
    }
    return pair;
}

} // namespace

void AddBiBtn(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXBiBtn"),
        QStringLiteral("Schaltknopf mit zwei Zuständen: jeder Mausdruck schaltet um, das "
                       "Lämpchen links blinkt, solange er an ist. Links nur Beschriftung, "
                       "rechts mit Bildpaar (aktiv / inaktiv)."));

    auto *plain = new TJXBiBtn(section.Stage());
    section.Place(plain, 8, 8);

    auto *lamp = new TJXBiBtn(section.Stage());
    lamp->SetCaptionOn(QStringLiteral("Licht an"));
    lamp->SetCaptionOff(QStringLiteral("Licht aus"));
    const auto on = LampPair(clYellow);
    const auto off = LampPair(clGray);
    lamp->SetGlyphOn(on.get());
    lamp->SetGlyphOff(off.get());
    lamp->SetBounds(0, 0, 150, 50);
    section.Place(lamp, 120, 8);

    auto *clicks = new QLabel(QStringLiteral("0"), &section);
    section.Form()->addRow(QStringLiteral("OnClick"), clicks);
    auto count = std::make_shared<int>(0);
    for (TJXBiBtn *b : {plain, lamp})
        QObject::connect(b, &TJXBiBtn::onClick, clicks,
                         [clicks, count](TObject *) { clicks->setNum(++*count); });

    const std::vector<TJXBiBtn *> both = {plain, lamp};
    section.AddLineEdit(QStringLiteral("Caption"), QString(), [both](const QString &t) {
        for (TJXBiBtn *b : both)
            b->SetCaption(t);
    });
    section.AddCheckBox(QStringLiteral("Value"), false, [both](bool v) {
        for (TJXBiBtn *b : both)
            b->SetPicValue(v);
    });
    section.AddCheckBox(QStringLiteral("LED"), true, [both](bool v) {
        for (TJXBiBtn *b : both)
            b->SetLED(v);
    });
    section.AddCheckBox(QStringLiteral("Border"), true, [both](bool v) {
        for (TJXBiBtn *b : both)
            b->SetBorder(v);
    });
    section.AddCheckBox(QStringLiteral("Enabled"), true, [both](bool v) {
        for (TJXBiBtn *b : both)
            b->SetEnabled(v);
    });
    section.AddSpinBox(QStringLiteral("LEDInterval"), 0, 2000, 500, [both](int v) {
        for (TJXBiBtn *b : both)
            b->SetLEDInterval(v);
    });
    section.AddColorCycle(QStringLiteral("LEDColor"), kLedColors, clRed, [both](TColor c) {
        for (TJXBiBtn *b : both)
            b->SetLEDColor(c);
    });
    section.AddColorCycle(QStringLiteral("Color"), kFaces, plain->Color(), [both](TColor c) {
        for (TJXBiBtn *b : both)
            b->SetColor(c);
    });
}

void AddGrabBar(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXGrabBar"),
        QStringLiteral("Trennbalken: mit der linken Maustaste ziehen, ein invertierter Balken "
                       "folgt der Maus; beim Loslassen teilen sich die beiden Bereiche den "
                       "Platz neu. Ein auf nichts geschrumpfter Bereich wird ausgeblendet."));

    auto *frame = new TPanel(section.Stage());
    frame->SetBevelOuter(bvLowered);
    frame->SetBounds(0, 0, 360, 200);
    section.Place(frame, 8, 8);
    const auto pane = [frame](const QString &caption, TColor color) {
        auto *p = new TPanel(frame);
        p->SetParent(frame);
        p->SetCaption(caption);
        p->SetColor(color);
        return p;
    };
    TPanel *top = pane(QStringLiteral("WindowA"), RGB(224, 236, 255));
    TPanel *bottom = pane(QStringLiteral("WindowB"), RGB(255, 244, 214));
    auto *bar = new TJXGrabBar(frame);
    bar->SetParent(frame);
    bar->SetWindowA(top);
    bar->SetWindowB(bottom);
    bar->SetTop(90);

    auto *moves = new QLabel(QStringLiteral("0"), &section);
    section.Form()->addRow(QStringLiteral("OnMove"), moves);
    auto count = std::make_shared<int>(0);
    QObject::connect(bar, &TJXGrabBar::onMove, moves,
                     [moves, count](TObject *) { moves->setNum(++*count); });

    section.AddChoice(QStringLiteral("Style"),
                      {QStringLiteral("jxgbHorizontal"), QStringLiteral("jxgbVertical")}, 0,
                      [bar](int i) {
                          bar->SetStyle(i == 0 ? jxgbHorizontal : jxgbVertical);
                          if (i == 0)
                              bar->SetTop(90);
                          else
                              bar->SetLeft(170);
                      });
    section.AddSpinBox(QStringLiteral("Thickness"), 1, 30, bar->Thickness(),
                       [bar](int v) { bar->SetThickness(v); });
    section.AddSpinBox(QStringLiteral("BorderWidth"), 0, 50, 0,
                       [bar](int v) { bar->SetBorderWidth(v); });
    section.AddCheckBox(QStringLiteral("OutOfClient"), false,
                        [bar](bool v) { bar->SetOutOfClient(v); });
    section.AddCheckBox(QStringLiteral("Ctl3D"), true, [bar](bool v) { bar->SetCtl3D(v); });
    section.AddChoice(QStringLiteral("BorderStyle"),
                      {QStringLiteral("bsNone"), QStringLiteral("bsSingle")}, 1,
                      [bar](int i) { bar->SetBorderStyle(i == 0 ? bsNone : bsSingle); });
    section.AddSpinBox(QStringLiteral("Breite des Rahmens"), 120, 700, frame->Width(),
                       [frame, &section](int v) {
                           frame->SetWidth(v);
                           section.FitStage();
                       });
}

#if JXT_WITH_FONTS
void AddFontCombo(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXFontCombo"),
        QStringLiteral("Schriftenauswahl: die gewählte Schrift geht sofort an das verknüpfte "
                       "Feld darunter, Esc kehrt zu SelFont zurück. Rechts die gefilterte "
                       "Liste Fonts (Zeichensatz, Abstand, nur Umrissschriften)."));

    auto *sample = new TPanel(section.Stage());
    sample->SetCaption(
        QStringLiteral("Franz jagt im komplett verwahrlosten Taxi quer durch Bayern"));
    sample->SetBounds(0, 0, 420, 48);
    sample->SetBevelOuter(bvLowered);
    sample->Font()->SetName(QStringLiteral("Liberation Sans"));
    sample->Font()->SetSize(12);
    section.Place(sample, 8, 40);

    auto *combo = new TJXFontCombo(section.Stage());
    combo->SetBounds(0, 0, 220, 24);
    section.Place(combo, 8, 8);
    Loaded(combo);
    combo->SetControl(sample);

    auto *fonts = new QLabel(&section);
    fonts->setWordWrap(true);
    fonts->setMinimumWidth(260);
    const auto showFonts = [combo, fonts] {
        const QStringList names = combo->FontNames();
        fonts->setText(
            QStringLiteral("%1: %2").arg(names.size()).arg(names.join(QStringLiteral(", "))));
    };
    section.Form()->addRow(QStringLiteral("Fonts"), fonts);
    section.AddLineEdit(QStringLiteral("SelFont"), combo->SelFont(),
                        [combo](const QString &t) { combo->SetSelFont(t); });
    section.AddChoice(QStringLiteral("CharSet"),
                      {QStringLiteral("ALL"), QStringLiteral("ANSI"), QStringLiteral("SYMBOL"),
                       QStringLiteral("OEM")},
                      0, [combo, showFonts](int i) {
                          combo->SetCharSet(TCharSet(i));
                          showFonts();
                      });
    section.AddChoice(
        QStringLiteral("Pitch"),
        {QStringLiteral("piALL"), QStringLiteral("piVARIABLE"), QStringLiteral("piFIXED")}, 0,
        [combo, showFonts](int i) {
            combo->SetPitch(TPitch(i));
            showFonts();
        });
    section.AddCheckBox(QStringLiteral("TrueTypeOnly"), false, [combo, showFonts](bool v) {
        combo->SetTrueTypeOnly(v);
        showFonts();
    });
    showFonts();
}
#endif

void AddDriveTab(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXDriveTab"),
        QStringLiteral("Laufwerksreiter: ein Reiter je vorhandenem Laufwerk mit dem Bild seiner "
                       "Art. C: ist die Wurzel, weitere Laufwerke ordnet JXT_DRIVES zu "
                       "(z. B. D=/media/cdrom:cdrom;E=/srv/daten)."));
    auto *tab = new TJXDriveTab(section.Stage());
    tab->SetBounds(0, 0, 360, 22);
    section.Place(tab, 8, 8);
    Loaded(tab);

    auto *drive = new QLabel(&section);
    const auto show = [tab, drive](TObject *) {
        drive->setText(QStringLiteral("%1:").arg(tab->Drive()));
    };
    tab->OnClick = show;
    show(tab);
    section.Form()->addRow(QStringLiteral("Drive"), drive);
    section.AddLineEdit(QStringLiteral("Drive setzen"), QString(), [tab, show](const QString &t) {
        if (!t.isEmpty()) {
            tab->SetDrive(t.at(0));
            show(tab);
        }
    });
}

namespace {

// A 64 x 32 strip for a hot-tracking button: a lit folder (under the mouse) and a plain one;
// the white background is transparent.
std::unique_ptr<TBitmap> FolderPair()
{
    auto strip = std::make_unique<TBitmap>(64, 32);
    TCanvas *c = strip->Canvas();
    c->FillSolid(Rect(0, 0, 64, 32), clWhite);
    for (int half = 0; half < 2; ++half) {
        const int x = half * 32;
        const TColor body = half == 0 ? clYellow : clOlive;
        c->FillSolid(Rect(x + 4, 7, x + 14, 11), body);
        c->FillSolid(Rect(x + 4, 10, x + 28, 26), body);
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clBlack);
        c->Rectangle(x + 4, 10, x + 28, 26);
    }
    return strip;
}

} // namespace

void AddAutoButton(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXAutoButton"),
        QStringLiteral("Flacher Knopf, der unter der Maus aufleuchtet: erstes Bild, aktive "
                       "Schriftfarbe und Rahmen je nach BorderStyle. Der rechte öffnet beim "
                       "Klick sein Menü (das Dreieck zeigt es an)."));
    const auto folder = FolderPair();
    auto *open = new TJXAutoButton(section.Stage());
    open->SetCaption(QStringLiteral("Öffnen"));
    open->SetGlyph(folder.get());
    open->SetStretch(false);
    open->SetFontActiveColor(clBlue);
    open->SetFontActiveUnderline(true);
    open->SetBounds(0, 0, 110, 40);
    section.Place(open, 8, 8);

    auto *menuButton = new TJXAutoButton(section.Stage());
    menuButton->SetCaption(QStringLiteral("Zuletzt"));
    menuButton->SetGlyph(folder.get());
    menuButton->SetStretch(false);
    menuButton->SetBounds(0, 0, 110, 40);
    section.Place(menuButton, 126, 8);
    auto *menu = new TPopupMenu(menuButton);
    for (const char *name : {"bericht.txt", "daten.ini", "bild.bmp"}) {
        auto *item = new TMenuItem(menu);
        item->SetCaption(QString::fromLatin1(name));
        menu->Items()->Add(item);
    }
    menuButton->SetPopupMenu(menu);

    const std::vector<TJXAutoButton *> both = {open, menuButton};
    section.AddChoice(QStringLiteral("BorderStyle"),
                      {QStringLiteral("bsNone"), QStringLiteral("bsLowered"),
                       QStringLiteral("bsRaised"), QStringLiteral("bsAuto")},
                      3, [both](int i) {
                          for (TJXAutoButton *b : both)
                              b->SetBorderStyle(TaBorderStyle(i));
                      });
    section.AddChoice(QStringLiteral("Layout"),
                      {QStringLiteral("blGlyphLeft"), QStringLiteral("blGlyphRight"),
                       QStringLiteral("blGlyphTop"), QStringLiteral("blGlyphBottom")},
                      0, [both](int i) {
                          for (TJXAutoButton *b : both) {
                              b->SetLayout(TButtonLayout(i));
                              b->SetHeight(i >= 2 ? 64 : 40);
                          }
                      });
    section.AddChoice(QStringLiteral("PopupAlign"),
                      {QStringLiteral("alBottom"), QStringLiteral("alRight")}, 0,
                      [menuButton](int i) { menuButton->SetPopupAlign(TPopupAlign(i)); });
    section.AddSpinBox(QStringLiteral("Spacing"), 0, 40, 4, [both](int v) {
        for (TJXAutoButton *b : both)
            b->SetSpacing(v);
    });
    section.AddSpinBox(QStringLiteral("BorderWidth"), 0, 10, 1, [both](int v) {
        for (TJXAutoButton *b : both)
            b->SetBorderWidth(v);
    });
    section.AddCheckBox(QStringLiteral("Stretch"), false, [both](bool v) {
        for (TJXAutoButton *b : both)
            b->SetStretch(v);
    });
    section.AddCheckBox(QStringLiteral("Transparent"), false, [both](bool v) {
        for (TJXAutoButton *b : both)
            b->SetTransparent(v);
    });
    section.AddCheckBox(QStringLiteral("Value"), false, [both](bool v) {
        for (TJXAutoButton *b : both)
            b->SetValue(v);
    });
    section.AddCheckBox(QStringLiteral("Enabled"), true, [both](bool v) {
        for (TJXAutoButton *b : both)
            b->SetEnabled(v);
    });
}

void BuildButtonsPage(TGalleryPage &page)
{
#if JXT_WITH_FONTS
    AddFontCombo(page);
#endif
    AddDriveTab(page);
    AddBiBtn(page);
    AddAutoButton(page);
    AddGrabBar(page);
}

} // namespace jxt::gallery
