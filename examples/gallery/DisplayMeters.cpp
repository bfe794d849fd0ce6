// SPDX-License-Identifier: MIT
// "Anzeigen": the scrolling text, the gauge and the 3D label, one Add… function each.
#include "GalleryPage.h"

#include "display/JX3dLabel.h"
#include "display/JXGauge.h"
#include "display/JXScrollText.h"
#include "host/core/Timer.h"

#include <QCheckBox>
#include <QRandomGenerator>
#include <QSlider>

#include <array>

namespace jxt::gallery {

void AddScrollText(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXScrollText"),
        QStringLiteral("Lauftext, flimmerfrei im Hintergrund gezeichnet: oben von rechts nach "
                       "links, unten ein mehrzeiliger Block (\"^M\" bricht die Zeile) von unten "
                       "nach oben. Steps 0 rückt um ein Zeichen vor."));

    auto *across = new TJXScrollText(section.Stage());
    across->SetBounds(0, 0, 380, 36);
    across->SetColor(clNavy);
    across->Font()->SetName(QStringLiteral("Arial"));
    across->Font()->SetSize(16);
    across->Font()->SetStyle(TFontStyles{fsBold});
    across->Font()->SetColor(clYellow);
    across->SetShadowColor(clBlack);
    across->SetCaption(QStringLiteral("JX Tools – Lauftext von rechts nach links +++ "));
    section.Place(across, 8, 8);

    auto *upward = new TJXScrollText(section.Stage());
    upward->SetBounds(0, 0, 220, 100);
    upward->SetColor(clBlack);
    upward->SetScrollHorizontal(false);
    upward->Font()->SetName(QStringLiteral("Arial"));
    upward->Font()->SetSize(11);
    upward->Font()->SetColor(clLime);
    upward->SetShadowColor(clGreen);
    upward->SetCaption(QStringLiteral("Abspann^M^MRegie: JX Tools^MKamera: TCanvas^M"
                                      "Ton: TJXWAV^MMusik: der Timer"));
    section.Place(upward, 8, 52);

    const std::array<TJXScrollText *, 2> both = {across, upward};
    // Negative intervals start the text inside the control, so it is seen at once.
    for (TJXScrollText *text : both)
        text->SetInterval(-30);
    across->SetSteps(2);

    section.AddLineEdit(QStringLiteral("Caption (oben)"), across->Caption(),
                        [across](const QString &text) { across->SetCaption(text); });
    section.AddSpinBox(QStringLiteral("Interval"), -20, 1000, 30, [both](int v) {
        for (TJXScrollText *text : both)
            text->SetInterval(v);
    });
    section.AddSpinBox(QStringLiteral("Steps (oben)"), 0, 40, across->Steps(),
                       [across](int v) { across->SetSteps(std::uint8_t(v)); });
    section.AddSpinBox(QStringLiteral("Steps (unten)"), 0, 40, upward->Steps(),
                       [upward](int v) { upward->SetSteps(std::uint8_t(v)); });
    section.AddCheckBox(QStringLiteral("Shadow"), false, [both](bool on) {
        for (TJXScrollText *text : both)
            text->SetShadow(on);
    });
    section.AddSpinBox(QStringLiteral("ShadowDepth"), 1, 50, across->ShadowDepth(), [both](int v) {
        for (TJXScrollText *text : both)
            text->SetShadowDepth(v);
    });
}

void AddGauge(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXGauge"),
        QStringLiteral("Anzeige aus einzelnen Kästchen. Rechts oben vom Schieberegler gesteuert; "
                       "links zwei Aussteuerungsanzeigen (BoxColor clGreen), die ein Timer mit "
                       "wechselndem Pegel speist: grün, gelb und rot nach Höhe, die Spitze "
                       "bleibt etwa eine Sekunde stehen, der Pegel fällt von selbst ab."));

    auto *bar = new TJXGauge(section.Stage());
    bar->SetBounds(0, 0, 300, 26);
    bar->SetBoxes(20);
    bar->SetProgress(65);
    section.Place(bar, 84, 8);

    std::array<TJXGauge *, 2> meters = {};
    for (int channel = 0; channel < 2; ++channel) {
        auto *meter = new TJXGauge(section.Stage());
        meter->SetKind(jxgVertical);
        meter->SetBoxColor(clGreen);
        meter->SetColor(clBlack);
        meter->SetBoxes(16);
        meter->SetBounds(0, 0, 26, 170);
        section.Place(meter, 8 + channel * 32, 8);
        meters[std::size_t(channel)] = meter;
    }

    // A restless level: now and then a loud beat, in between quieter noise. The meters fall
    // back by themselves between the beats.
    auto *source = new TTimer(meters[0]);
    source->SetInterval(140);
    source->OnTimer = [meters](TObject *) {
        auto *random = QRandomGenerator::global();
        for (TJXGauge *meter : meters) {
            const bool beat = random->bounded(4) == 0;
            const int level = beat ? 75 + random->bounded(26) : 25 + random->bounded(45);
            if (level > meter->Progress())
                meter->SetProgress(level);
        }
    };
    source->SetEnabled(true);

    const std::array<TJXGauge *, 3> all = {bar, meters[0], meters[1]};
    section.AddSlider(QStringLiteral("Progress (Balken)"), 0, 100, bar->Progress(),
                      [bar](int v) { bar->SetProgress(v); });
    section.AddSpinBox(QStringLiteral("Boxes"), 0, 60, bar->Boxes(), [all](int v) {
        for (TJXGauge *gauge : all)
            gauge->SetBoxes(std::uint8_t(v));
    });
    section.AddCheckBox(QStringLiteral("BoxPreview"), bar->BoxPreview(), [all](bool on) {
        for (TJXGauge *gauge : all)
            gauge->SetBoxPreview(on);
    });
    section.AddCheckBox(QStringLiteral("ShowPeak"), bar->ShowPeak(), [all](bool on) {
        for (TJXGauge *gauge : all)
            gauge->SetShowPeak(on);
    });
    section.AddColorCycle(QStringLiteral("BoxColor (Balken)"),
                          {clNavy, clMaroon, clPurple, clTeal, clGreen}, bar->BoxColor(),
                          [bar](TColor c) { bar->SetBoxColor(c); });
}

void Add3dLabel(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJX3dLabel"),
        QStringLiteral("Beschriftung mit erhabener, vertiefter oder schattierter Schrift, "
                       "Zeichenabstand und mehreren Zeilen (\"^M\" bricht die Zeile). Das "
                       "große Feld ist einstellbar, darunter die drei Effekte nebeneinander."));

    auto *label = new TJX3dLabel(section.Stage());
    label->SetBounds(0, 0, 360, 96);
    label->Font()->SetName(QStringLiteral("Arial"));
    label->Font()->SetSize(22);
    label->Font()->SetStyle(TFontStyles{fsBold});
    label->SetCaptionSpacing(3);
    label->SetBorderStyle(bvLowered);
    label->SetCaption(QStringLiteral("JX Tools^M3D-Beschriftung"));
    section.Place(label, 8, 8);

    const std::array<std::pair<TcsStyle, const char *>, 3> samples = {
        {{csRaised, "csRaised"}, {csLowered, "csLowered"}, {csShadow, "csShadow"}}};
    int left = 8;
    for (const auto &[style, name] : samples) {
        auto *sample = new TJX3dLabel(section.Stage());
        sample->SetBounds(0, 0, 116, 36);
        sample->Font()->SetName(QStringLiteral("Arial"));
        sample->Font()->SetSize(13);
        sample->Font()->SetStyle(TFontStyles{fsBold});
        // The shadowed sample in the palette's highlight: navy on the classic grey, a light
        // blue in dark colours.
        sample->Font()->SetColor(style == csShadow ? clHighlight : clSilver);
        sample->SetCaptionStyle(style);
        sample->SetCaption(QString::fromLatin1(name));
        section.Place(sample, left, 112);
        left += 122;
    }

    section.AddLineEdit(QStringLiteral("Caption"), label->Caption(),
                        [label](const QString &text) { label->SetCaption(text); });
    section.AddChoice(QStringLiteral("CaptionStyle"),
                      {QStringLiteral("csNONE"), QStringLiteral("csLowered"),
                       QStringLiteral("csRaised"), QStringLiteral("csShadow")},
                      int(label->CaptionStyle()),
                      [label](int index) { label->SetCaptionStyle(TcsStyle(index)); });
    section.AddSpinBox(QStringLiteral("CaptionSpacing"), 0, 20, label->CaptionSpacing(),
                       [label](int v) { label->SetCaptionSpacing(std::uint8_t(v)); });
    section.AddSpinBox(QStringLiteral("ShadowDepth"), 1, 50, label->ShadowDepth(),
                       [label](int v) { label->SetShadowDepth(v); });
    section.AddChoice(
        QStringLiteral("Alignment"),
        {QStringLiteral("dtCenter"), QStringLiteral("dtLeft"), QStringLiteral("dtRight")},
        int(label->Alignment()), [label](int index) { label->SetAlignment(dtFormat(index)); });
    section.AddChoice(
        QStringLiteral("BorderStyle"),
        {QStringLiteral("bvNone"), QStringLiteral("bvLowered"), QStringLiteral("bvRaised")},
        int(label->BorderStyle()),
        [label](int index) { label->SetBorderStyle(TPanelBevel(index)); });
    section.AddColorCycle(QStringLiteral("Font.Color"),
                          {clRed, clNavy, clSilver, clGreen, clPurple}, label->Font()->Color(),
                          [label](TColor c) {
                              label->Font()->SetColor(c);
                              label->Invalidate();
                          });
}

} // namespace jxt::gallery
