// SPDX-License-Identifier: MIT
// The about form opened by the About_JXTools property: the library's picture, its version,
// the class name of the component and the date of its unit, and an OK button.
#pragma once

#include "base/Export.h"

#include "host/controls/Forms.h"

namespace jxt {

class TPanel;
class TImage;
class TLabel;
class TBitBtn;

/// The about form: the library's picture and version, the component's class name and the
/// date of its unit, and an OK button.
class JXT_EXPORT TfrmJXTVersion : public TForm
{
    Q_OBJECT

public:
    explicit TfrmJXTVersion(TComponent *owner = nullptr);

    /// The frame filling the form.
    TPanel *Panel1 = nullptr;
    /// The white, sunken area that holds everything else.
    TPanel *Panel = nullptr;
    /// The library's picture (an LCD showing "JX").
    TImage *imgProgramIcon = nullptr;
    /// Library name and version.
    TLabel *lblJXTVersion = nullptr;
    /// Class name of the component whose About property was opened.
    TLabel *lblClassName = nullptr;
    /// "Stand : " and the date of the component's unit, on one or two lines.
    TLabel *lblStand = nullptr;
    /// Closes the form with mrOk.
    TBitBtn *btnOKButton = nullptr;
};

/// The library's picture shown on the about form: "JX" in lit segments on an LCD, 97 x 97.
JXT_EXPORT std::unique_ptr<TBitmap> MakeJXToolsLogo();

} // namespace jxt
