// SPDX-License-Identifier: MIT
// "Effekte": frame animation, star field, bounce, 3D object, fill image and fade image, one
// Add… function each, in palette order.
#include "GalleryPage.h"

#include "effects/JX3D.h"
#include "effects/JXAnimate.h"
#include "effects/JXBounce.h"
#include "effects/JXFillImage.h"
#include "effects/JXForm.h"
#include "effects/JXFxImage.h"
#include "effects/JXStars.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include <cmath>

namespace jxt::gallery {

namespace {

// Eight frames of a spoke turning in a ring, 48 x 48 each, laid out 4 x 2.
std::unique_ptr<TBitmap> SpokeFrames()
{
    constexpr int kSide = 48;
    auto frames = std::make_unique<TBitmap>(4 * kSide, 2 * kSide);
    TCanvas *c = frames->Canvas();
    c->FillSolid(Rect(0, 0, frames->Width(), frames->Height()), clFuchsia);
    for (int i = 0; i < 8; ++i) {
        const int left = (i % 4) * kSide;
        const int top = (i / 4) * kSide;
        c->Pen()->SetColor(clNavy);
        c->Pen()->SetWidth(3);
        c->Brush()->SetColor(clAqua);
        c->Ellipse(left + 4, top + 4, left + kSide - 4, top + kSide - 4);
        const double angle = i * M_PI / 4;
        const int cx = left + kSide / 2;
        const int cy = top + kSide / 2;
        c->Pen()->SetColor(clRed);
        c->MoveTo(cx, cy);
        c->LineTo(cx + int(std::lround(17 * std::cos(angle))),
                  cy - int(std::lround(17 * std::sin(angle))));
        c->Brush()->SetColor(clYellow);
        c->Pen()->SetWidth(1);
        c->Ellipse(cx - 4, cy - 4, cx + 4, cy + 4);
    }
    return frames;
}

QPushButton *AddButton(TGallerySection &section, const QString &text, std::function<void()> action)
{
    auto *button = new QPushButton(text, &section);
    QObject::connect(button, &QPushButton::clicked, button, std::move(action));
    section.Form()->addRow(QString(), button);
    return button;
}

} // namespace

void AddAnimate(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXAnimate"),
        QStringLiteral("Bildfolge aus einem Raster von 4 x 2 Bildern in einem Bitmap. Links "
                       "gestreckt, rechts in Bildgröße und mit Transparent (Magenta wird zur "
                       "Hintergrundfarbe)."));
    const auto frames = SpokeFrames();
    auto *stretched = new TJXAnimate(section.Stage());
    stretched->SetBounds(0, 0, 96, 96);
    auto *plain = new TJXAnimate(section.Stage());
    plain->SetColor(clSilver);
    plain->SetStretch(false);
    plain->SetTransparent(true);
    for (TJXAnimate *a : {stretched, plain}) {
        a->SetPicture(frames.get());
        a->SetCols(4);
        a->SetRows(2);
        a->SetInterval(120);
    }
    section.Place(stretched, 8, 8);
    section.Place(plain, 120, 8);
    auto *empty = new TJXAnimate(section.Stage());
    empty->SetBounds(0, 0, 120, 60);
    empty->SetColor(clWhite);
    section.Place(empty, 190, 8);

    section.AddSpinBox(QStringLiteral("Interval"), 0, 1000, 120, [stretched, plain](int v) {
        stretched->SetInterval(v);
        plain->SetInterval(v);
    });
    section.AddCheckBox(QStringLiteral("ReversePlay"), false, [stretched, plain](bool on) {
        stretched->SetReversePlay(on);
        plain->SetReversePlay(on);
    });
    section.AddCheckBox(QStringLiteral("Transparent (rechts)"), true, [plain](bool on) {
        plain->SetTransparent(on);
        plain->Invalidate();
    });
    section.AddCheckBox(QStringLiteral("Stretch (links)"), true, [stretched, &section](bool on) {
        stretched->SetStretch(on);
        if (on)
            stretched->SetBounds(stretched->Left(), stretched->Top(), 96, 96);
        section.FitStage();
    });
}

void AddStars(TGalleryPage &page)
{
    auto &section =
        *page.AddSection(QStringLiteral("TJXStars"),
                         QStringLiteral("Flug durch ein Sternenfeld aus bis zu 500 Sternen."));
    auto *stars = new TJXStars(section.Stage());
    stars->SetBounds(0, 0, 320, 140);
    stars->SetInterval(40);
    section.Place(stars, 8, 8);
    section.AddSpinBox(QStringLiteral("Interval"), 0, 1000, 40,
                       [stars](int v) { stars->SetInterval(v); });
    section.AddSpinBox(QStringLiteral("MaxStars"), 1, 500, 500,
                       [stars](int v) { stars->SetMaxStars(v); });
    section.AddSpinBox(QStringLiteral("Zoom"), 1, 100, 2, [stars](int v) { stars->SetZoom(v); });
    section.AddColorCycle(QStringLiteral("Color"), {clBlack, clNavy, RGB(40, 0, 40)}, clBlack,
                          [stars](TColor c) { stars->SetColor(c); });
}

void AddBounce(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXBounce"),
        QStringLiteral("Ein Ball fällt mit Schwerkraft und springt an den Wänden ab, bis ihn "
                       "die Reibung zur Ruhe bringt. NoRefresh zeigt die Spur."));
    auto *bounce = new TJXBounce(section.Stage());
    bounce->SetBounds(0, 0, 320, 140);
    bounce->SetFriction(40);
    bounce->SetInterval(30);
    bounce->Start();
    section.Place(bounce, 8, 8);
    section.AddSpinBox(QStringLiteral("Friction"), 0, 100, 40,
                       [bounce](int v) { bounce->SetFriction(v); });
    section.AddSpinBox(QStringLiteral("Gravitation"), 0, 10, 1,
                       [bounce](int v) { bounce->SetGravitation(v); });
    section.AddSpinBox(QStringLiteral("StartXSpeed"), -100, 100, 10,
                       [bounce](int v) { bounce->SetStartXSpeed(v); });
    section.AddCheckBox(QStringLiteral("NoRefresh"), false,
                        [bounce](bool on) { bounce->SetNoRefresh(on); });
    AddButton(section, QStringLiteral("Start"), [bounce] { bounce->Start(); });
}

void Add3D(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJX3D"),
        QStringLiteral("Drahtmodell mit gefüllten Flächen aus einer Textbeschreibung, "
                       "perspektivisch gedreht. Die Modelle liegen in examples/models."));
    auto *view = new TJX3D(section.Stage());
    view->SetBounds(0, 0, 260, 220);
    view->LoadFromFile(QStringLiteral(":/models/house.3d"));
    view->SetInterval(60);
    section.Place(view, 8, 8);

    const QStringList files = {QString(), QStringLiteral(":/models/house.3d"),
                               QStringLiteral(":/models/pyramid.3d"),
                               QStringLiteral(":/models/molecule.3d")};
    section.AddChoice(QStringLiteral("Modell"),
                      {QStringLiteral("Würfel"), QStringLiteral("Haus"), QStringLiteral("Pyramide"),
                       QStringLiteral("Molekül")},
                      1, [view, files](int i) {
                          if (files[i].isEmpty())
                              view->LoadFromList(QStringList());
                          else
                              view->LoadFromFile(files[i]);
                      });
    section.AddSpinBox(QStringLiteral("Interval"), 0, 1000, 60,
                       [view](int v) { view->SetInterval(v); });
    section.AddSlider(QStringLiteral("Perspective"), 100, 1000, view->Perspective(),
                      [view](int v) { view->SetPerspective(v); });
    section.AddSlider(QStringLiteral("Zoom"), 0, 100, 100, [view](int v) { view->SetZoom(v); });
    section.AddSlider(QStringLiteral("XRotation"), 0, 360, view->XRotation(),
                      [view](int v) { view->SetXRotation(v); });
    section.AddCheckBox(QStringLiteral("ShowPolygons"), true,
                        [view](bool on) { view->SetShowPolygons(on); });
    section.AddCheckBox(QStringLiteral("ShowLines"), true,
                        [view](bool on) { view->SetShowLines(on); });
    section.AddCheckBox(QStringLiteral("PointCaption"), false,
                        [view](bool on) { view->SetPointCaption(on); });
}

void AddForm(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXForm"),
        QStringLiteral("Malt den Hintergrund seines Formulars mit Farbverlauf, Muster oder Bild, "
                       "begrenzt die Fenstergröße und macht aus ^M in Hinweisen Zeilenumbrüche. "
                       "Links ein eingebettetes Formular, der Knopf öffnet eines als eigenes "
                       "Fenster mit Größengrenzen."));
    // A form shown inside the page, so its background is seen (and in screenshots).
    auto *form = new TForm();
    section.Place(form, 8, 8);
    form->setWindowFlags(Qt::Widget);
    form->SetBounds(8, 8, 260, 140);
    form->show();
    auto *label = new TLabel(form);
    label->SetParent(form);
    label->SetTransparent(true);
    label->SetCaption(QStringLiteral("Hinweis zeigen"));
    label->SetHint(QStringLiteral("Zeile 1^MZeile 2"));
    label->SetShowHint(true);
    label->SetBounds(12, 12, 120, 16);
    auto *background = new TJXForm(form);
    background->SetRBFromColor(clNavy);
    background->SetRBToColor(clAqua);
    background->SetFillStyle(vRAINBOW);
    jxt::Loaded(form);
    section.FitStage();

    // The same on a window of its own, whose size the user can try to drag past the limits.
    auto *window = new TForm();
    window->SetCaption(QStringLiteral("Fenster mit TJXForm"));
    window->SetBounds(160, 160, 360, 240);
    auto *windowBackground = new TJXForm(window);
    windowBackground->SetFillStyle(Weave);
    windowBackground->SetFormMinWidth(300);
    windowBackground->SetFormMinHeight(200);
    windowBackground->SetFormMaxWidth(600);
    windowBackground->SetFormMaxHeight(400);

    QStringList names;
    for (const char *name : {"NONE", "BITMAP", "vRAINBOW", "hRAINBOW", "BCyan", "BGray", "LCyan",
                             "LGray", "WDGray", "Weave", "WGray", "WLGray"})
        names << QString::fromLatin1(name);
    section.AddChoice(QStringLiteral("FillStyle"), names, vRAINBOW, [form, background](int i) {
        background->SetFillStyle(TFStyle(i));
        form->Invalidate();
    });
    // The ramp colours show at the next paint of the form.
    section.AddColorCycle(QStringLiteral("RBFromColor"), {clNavy, clLime, clRed, clBlack, clYellow},
                          clNavy, [form, background](TColor c) {
                              background->SetRBFromColor(c);
                              form->Invalidate();
                          });
    section.AddColorCycle(QStringLiteral("RBToColor"),
                          {clAqua, clYellow, clWhite, clFuchsia, clBlack}, clAqua,
                          [form, background](TColor c) {
                              background->SetRBToColor(c);
                              form->Invalidate();
                          });
    section.AddSpinBox(QStringLiteral("FormMinWidth"), 0, 800, 300,
                       [windowBackground](int v) { windowBackground->SetFormMinWidth(v); });
    section.AddSpinBox(QStringLiteral("FormMaxWidth"), 0, 1600, 600,
                       [windowBackground](int v) { windowBackground->SetFormMaxWidth(v); });
    auto *open = new QPushButton(QStringLiteral("Fenster zeigen"), &section);
    section.Form()->addRow(QString(), open);
    QObject::connect(open, &QPushButton::clicked, open, [window] { window->Show(); });
    QObject::connect(open, &QObject::destroyed, [window] { window->Free(); });
}

void AddFillImage(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXFillImage"),
        QStringLiteral("Flächen mit Farbverlauf oder einem der acht 8 x 8-Muster. Links die "
                       "gewählte Füllung, rechts alle Muster nebeneinander."));
    auto *image = new TJXFillImage(section.Stage());
    image->SetBounds(0, 0, 200, 120);
    image->SetFillStyle(vRAINBOW);
    image->SetRBFromColor(clNavy);
    image->SetRBToColor(clAqua);
    image->SetRBSteps(16);
    section.Place(image, 8, 8);
    for (int i = 0; i < 8; ++i) {
        auto *pattern = new TJXFillImage(section.Stage());
        pattern->SetBounds(0, 0, 28, 120);
        pattern->SetFillStyle(TFStyle(BCyan + i));
        section.Place(pattern, 216 + i * 32, 8);
    }
    QStringList names;
    for (const char *name : {"NONE", "BITMAP", "vRAINBOW", "hRAINBOW", "BCyan", "BGray", "LCyan",
                             "LGray", "WDGray", "Weave", "WGray", "WLGray"})
        names << QString::fromLatin1(name);
    section.AddChoice(QStringLiteral("FillStyle"), names, vRAINBOW,
                      [image](int i) { image->SetFillStyle(TFStyle(i)); });
    section.AddSpinBox(QStringLiteral("RBSteps"), 2, 255, 16,
                       [image](int v) { image->SetRBSteps(std::uint8_t(v)); });
    section.AddColorCycle(QStringLiteral("RBFromColor"), {clNavy, clLime, clRed, clBlack, clYellow},
                          clNavy, [image](TColor c) { image->SetRBFromColor(c); });
    section.AddColorCycle(QStringLiteral("RBToColor"),
                          {clAqua, clYellow, clWhite, clFuchsia, clBlack}, clAqua,
                          [image](TColor c) { image->SetRBToColor(c); });
}

void AddFxImage(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXFxImage"),
        QStringLiteral("Ein Bild oder ein Text wird blockweise in zufälliger Folge oder von "
                       "rechts hereingeschoben ein- und ausgeblendet."));
    auto *fx = new TJXFxImage(section.Stage());
    fx->SetBounds(0, 0, 320, 80);
    fx->SetColor(clBlack);
    fx->Font()->SetName(QStringLiteral("Arial"));
    fx->Font()->SetSize(28);
    fx->Font()->SetStyle(TFontStyles{fsBold});
    fx->Font()->SetColor(clYellow);
    fx->SetCaption(QStringLiteral("JX Tools"));
    fx->SetCenter(true);
    fx->FadeIn();
    section.Place(fx, 8, 8);

    section.AddChoice(QStringLiteral("FadeStyle"),
                      {QStringLiteral("jxfsNONE"), QStringLiteral("jxfsRandom"),
                       QStringLiteral("jxfsFadeLeft"), QStringLiteral("jxfsWipeLeft")},
                      0, [fx](int i) { fx->SetFadeStyle(TFadeStyle(i)); });
    section.AddLineEdit(QStringLiteral("Caption"), fx->Caption(),
                        [fx](const QString &text) { fx->SetCaption(text); });
    section.AddCheckBox(QStringLiteral("Center"), true, [fx](bool on) { fx->SetCenter(on); });
    AddButton(section, QStringLiteral("FadeIn"), [fx] { fx->FadeIn(); });
    AddButton(section, QStringLiteral("FadeOut"), [fx] { fx->FadeOut(); });
}

void BuildEffectsPage(TGalleryPage &page)
{
    AddAnimate(page);
    AddStars(page);
    AddBounce(page);
    Add3D(page);
    AddForm(page);
    AddFillImage(page);
    AddFxImage(page);
}

} // namespace jxt::gallery
