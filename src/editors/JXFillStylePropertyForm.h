// SPDX-License-Identifier: MIT
// TfrmFillStyleEd: the fill style editor, the form of TJXFillStyleProperty.
#pragma once

#include "base/Export.h"
#include "effects/JXFillImage.h"
#include "host/controls/Forms.h"

#include <array>

namespace jxt {

class TBitBtn;
class TColorDialog;
class TGroupBox;
class TImage;
class TOpenDialog;
class TPanel;
class TRadioButton;

/// The style being edited, shared by the property editor and its form.
JXT_EXPORT extern TFStyle fedFillStyle;

/// Offers the twelve fill styles as radio buttons, the fill bitmap (a click on it loads one)
/// and the two ramp colours (a click on a colour opens the colour dialog), and previews the
/// choice by painting its own background with it, as the form background would.
class JXT_EXPORT TfrmFillStyleEd : public TForm
{
    Q_OBJECT

public:
    explicit TfrmFillStyleEd(TComponent *owner = nullptr);
    ~TfrmFillStyleEd() override;

    /// The radio button of a style.
    TRadioButton *ButtonOf(TFStyle style) const;

    /// Checks the radio button of the style being edited.
    void FormActivate();
    /// Paints the form's background in the style being edited (the preview).
    void FormPaint();
    /// The click of a style's radio button (rbNONEClick .. rbWEAVEClick).
    void StyleClick(TFStyle style);
    /// A click on the fill bitmap: loads another one through the open dialog.
    void Image1Click();
    /// A click on the first (the second) ramp colour: picks it in the colour dialog.
    //!@{
    void panFromColorClick();
    void panToColorClick();
    //!@}

    /// The form's controls and dialogs: the style buttons (in GroupBox1), the fill bitmap
    /// (Image1 in GroupBox2), the ramp colours (panFromColor and panToColor in GroupBox3),
    /// the OK button (BitBtn1) and the hidden pattern of a pattern style (Image2).
    //!@{
    TGroupBox *GroupBox1 = nullptr;
    TRadioButton *rbNONE = nullptr;
    TRadioButton *rbBitmap = nullptr;
    TRadioButton *rbvRAINBOW = nullptr;
    TRadioButton *rbhRAINBOW = nullptr;
    TRadioButton *rbBCYAN = nullptr;
    TRadioButton *rbLCYAN = nullptr;
    TRadioButton *rbBGRAY = nullptr;
    TRadioButton *rbLGRAY = nullptr;
    TRadioButton *rbWGRAY = nullptr;
    TRadioButton *rbWDGRAY = nullptr;
    TRadioButton *rbWLGRAY = nullptr;
    TRadioButton *rbWEAVE = nullptr;
    TGroupBox *GroupBox2 = nullptr;
    TImage *Image1 = nullptr;
    TGroupBox *GroupBox3 = nullptr;
    TPanel *panFromColor = nullptr;
    TPanel *panToColor = nullptr;
    TBitBtn *BitBtn1 = nullptr;
    TImage *Image2 = nullptr;
    TOpenDialog *OpenDialog1 = nullptr;
    TColorDialog *ColorDialog1 = nullptr;
    //!@}

private:
    std::array<TRadioButton *, 12> m_buttons{};
};

} // namespace jxt
