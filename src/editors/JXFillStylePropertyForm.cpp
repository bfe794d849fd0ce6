// SPDX-License-Identifier: MIT
// The fill style editor.
#include "editors/JXFillStylePropertyForm.h"

#include "effects/JXForm.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

#include <QCoreApplication>

namespace jxt {

TFStyle fedFillStyle = NONE;

namespace {

/// The radio buttons, top to bottom: name, caption and style.
struct TStyleButton
{
    const char *name;
    const char *caption;
    TFStyle style;
};

constexpr TStyleButton kStyleButtons[] = {
    {"rbNONE", "NONE", NONE},
    {"rbBitmap", "Bitmap", BITMAP},
    {"rbvRAINBOW", "vRAINBOW", vRAINBOW},
    {"rbhRAINBOW", "hRAINBOW", hRAINBOW},
    {"rbBCYAN", "BCYAN", BCyan},
    {"rbLCYAN", "LCYAN", LCyan},
    {"rbBGRAY", "BGRAY", BGray},
    {"rbLGRAY", "LGRAY", LGray},
    {"rbWGRAY", "WGRAY", WGray},
    {"rbWDGRAY", "WDGRAY", WDGray},
    {"rbWLGRAY", "WLGRAY", WLGray},
    {"rbWEAVE", "WEAVE", Weave},
};

TGroupBox *MakeGroup(TForm *form, const char *name, const QString &caption, int left, int top,
                     int width, int height)
{
    auto *group = new TGroupBox(form);
    group->SetName(QString::fromLatin1(name));
    group->SetParent(form);
    group->SetBounds(left, top, width, height);
    group->SetCaption(caption);
    return group;
}

TPanel *MakeColorPanel(TForm *form, TWinControl *parent, const char *name, const QString &caption,
                       const QString &hint, int top)
{
    auto *panel = new TPanel(form);
    panel->SetName(QString::fromLatin1(name));
    panel->SetParent(parent);
    panel->SetBounds(16, top, 113, 33);
    panel->SetCaption(caption);
    panel->SetHint(hint);
    panel->SetShowHint(true);
    return panel;
}

} // namespace

TfrmFillStyleEd::TfrmFillStyleEd(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("frmFillStyleEd"));
    SetCaption(QCoreApplication::translate("jxtpack", "TJXForm FillStyle-Editor Stand 30.09.1996"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(523);
    SetClientHeight(354);
    SetHint(QCoreApplication::translate("jxtpack", "Vorschau auf FillStyle"));
    SetShowHint(true);

    GroupBox1 = MakeGroup(this, "GroupBox1", QStringLiteral("FillStyle"), 16, 16, 185, 321);
    GroupBox1->SetHint(QStringLiteral("FillStyle"));
    GroupBox1->SetShowHint(true);
    int top = 24;
    for (std::size_t i = 0; i < std::size(kStyleButtons); ++i, top += 24) {
        const TStyleButton &b = kStyleButtons[i];
        auto *button = new TRadioButton(this);
        button->SetName(QString::fromLatin1(b.name));
        button->SetParent(GroupBox1);
        button->SetBounds(16, top, 153, 17);
        button->SetCaption(QString::fromLatin1(b.caption));
        const TFStyle style = b.style;
        button->OnClick = [this, style](TObject *) { StyleClick(style); };
        m_buttons[std::size_t(style)] = button;
    }
    rbNONE = ButtonOf(NONE);
    rbBitmap = ButtonOf(BITMAP);
    rbvRAINBOW = ButtonOf(vRAINBOW);
    rbhRAINBOW = ButtonOf(hRAINBOW);
    rbBCYAN = ButtonOf(BCyan);
    rbLCYAN = ButtonOf(LCyan);
    rbBGRAY = ButtonOf(BGray);
    rbLGRAY = ButtonOf(LGray);
    rbWGRAY = ButtonOf(WGray);
    rbWDGRAY = ButtonOf(WDGray);
    rbWLGRAY = ButtonOf(WLGray);
    rbWEAVE = ButtonOf(Weave);

    GroupBox2 = MakeGroup(this, "GroupBox2", QStringLiteral("FillBitmap"), 216, 16, 121, 129);
    Image1 = new TImage(this);
    Image1->SetName(QStringLiteral("Image1"));
    Image1->SetParent(GroupBox2);
    Image1->SetBounds(8, 24, 105, 89);
    Image1->SetCenter(true);
    Image1->SetHint(QCoreApplication::translate(
        "jxtpack", "Bitmap mit der das Formular gefüllt wird. Zum Laden auf Bild Clicken."));
    Image1->SetShowHint(true);
    Image1->OnClick = [this](TObject *) { Image1Click(); };

    GroupBox3 = MakeGroup(this, "GroupBox3", QStringLiteral("RAINBOW"), 352, 16, 145, 129);
    panFromColor = MakeColorPanel(
        this, GroupBox3, "panFromColor", QStringLiteral("FromColor"),
        QCoreApplication::translate("jxtpack", "Farbverlauf von Farbe. Clicken zum ändern."), 32);
    panToColor = MakeColorPanel(
        this, GroupBox3, "panToColor", QStringLiteral("ToColor"),
        QCoreApplication::translate("jxtpack", "Farbverlauf zur Farbe. Clicken zum ändern."), 80);
    panFromColor->OnClick = [this](TObject *) { panFromColorClick(); };
    panToColor->OnClick = [this](TObject *) { panToColorClick(); };

    BitBtn1 = new TBitBtn(this);
    BitBtn1->SetName(QStringLiteral("BitBtn1"));
    BitBtn1->SetParent(this);
    BitBtn1->SetKind(bkOK);
    BitBtn1->SetBounds(400, 296, 97, 41);

    Image2 = new TImage(this);
    Image2->SetName(QStringLiteral("Image2"));
    Image2->SetParent(this);
    Image2->SetBounds(216, 160, 8, 8);
    Image2->SetVisible(false);

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName(QStringLiteral("OpenDialog1"));
    OpenDialog1->SetFilter(QCoreApplication::translate("jxtpack", "Bitmap|*.BMP|Alle Dateien|*.*"));
    OpenDialog1->SetDefaultExt(QStringLiteral("BMP"));
    ColorDialog1 = new TColorDialog(this);
    ColorDialog1->SetName(QStringLiteral("ColorDialog1"));

    OnActivate = [this](TObject *) { FormActivate(); };
    OnPaint = [this](TObject *) { FormPaint(); };
    // The OK button is the active control.
    setFocusProxy(BitBtn1);
}

TfrmFillStyleEd::~TfrmFillStyleEd() = default;

TRadioButton *TfrmFillStyleEd::ButtonOf(TFStyle style) const
{
    return m_buttons.at(std::size_t(style));
}

void TfrmFillStyleEd::FormActivate()
{
    // Checking the button runs its click, which loads a pattern style's pattern.
    ButtonOf(fedFillStyle)->SetChecked(true);
}

void TfrmFillStyleEd::StyleClick(TFStyle style)
{
    fedFillStyle = style;
    if (IsPatternStyle(style)) {
        try {
            Image2->Picture()->Bitmap()->LoadFromResourceName(
                QString::fromLatin1(TJXForm::FillString[std::size_t(style)]));
        } catch (const Exception &) {
            Image2->Picture()->SetGraphic(nullptr);
        }
    }
    Invalidate();
}

void TfrmFillStyleEd::Image1Click()
{
    if (OpenDialog1->Execute()) {
        try {
            Image1->Picture()->Bitmap()->LoadFromFile(OpenDialog1->FileName());
            rbBitmap->SetChecked(true);
        } catch (const Exception &e) {
            ShowMessage(e.Message());
        }
    }
    Invalidate();
}

void TfrmFillStyleEd::panFromColorClick()
{
    ColorDialog1->SetColor(panFromColor->Color());
    if (ColorDialog1->Execute())
        panFromColor->SetColor(ColorDialog1->Color());
    Invalidate();
}

void TfrmFillStyleEd::panToColorClick()
{
    ColorDialog1->SetColor(panToColor->Color());
    if (ColorDialog1->Execute())
        panToColor->SetColor(ColorDialog1->Color());
    Invalidate();
}

void TfrmFillStyleEd::FormPaint()
{
    TCanvas *canvas = Canvas();
    const int w = FormStyle() == fsMDIForm ? ClientWidth() : Width();
    const int h = FormStyle() == fsMDIForm ? ClientHeight() : Height();
    switch (fedFillStyle) {
    case NONE: break;
    case BITMAP: FillWithUserBitmap(canvas, Image1->Picture()->Bitmap(), w, h); break;
    case vRAINBOW:
    case hRAINBOW:
        PaintFormRamp(canvas, fedFillStyle == vRAINBOW, w, h, panFromColor->Color(),
                      panToColor->Color());
        break;
    default: FillWithPattern(canvas, Image2->Picture()->Bitmap(), w, h); break;
    }
}

} // namespace jxt
