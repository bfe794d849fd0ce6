// SPDX-License-Identifier: MIT
// The version dates of the component units, shown by every component's About_JXTools
// property. "^M" marks a line break, replaced when the about form shows the text.
#pragma once

#include "host/core/About.h"

namespace jxt {

inline const TJXAboutString JXAnimateVersion = "01.05.98";
inline const TJXAboutString JXScrollTextVersion = "01.05.98";
inline const TJXAboutString JXPicBoxVersion = "23.08.97";
inline const TJXAboutString JXBlinkerVersion = "15.11.96";
inline const TJXAboutString JXWAVVersion = "15.11.96";
inline const TJXAboutString JXLCDPanelVersion = "15.11.96";
inline const TJXAboutString JXBiBtnVersion = "15.11.96";
inline const TJXAboutString JXDriveTabVersion = "15.11.96";
inline const TJXAboutString JXFontComboVersion = "15.11.96";
inline const TJXAboutString JXFindVersion = "15.11.96";
inline const TJXAboutString JXIcoBoxVersion = "15.11.96";
inline const TJXAboutString JXStarsVersion = "15.11.96";
inline const TJXAboutString JXBounceVersion = "15.11.96";
inline const TJXAboutString JXPanelVersion = "14.12.96^M(Beta)";
inline const TJXAboutString JX3dLabelVersion = "16.11.96";
inline const TJXAboutString JXGrabBarVersion = "02.01.97";
inline const TJXAboutString JXGaugeVersion = "10.10.98";
inline const TJXAboutString JXFormVersion = "18.08.98";
inline const TJXAboutString JXDOTPanelVersion = "01.09.98";
inline const TJXAboutString JXIniVersion = "29.07.98";
inline const TJXAboutString JXCopyVersion = "25.04.98";
inline const TJXAboutString JXHintVersion = "14.08.98";
inline const TJXAboutString JXAppVersion = "13.10.98";
inline const TJXAboutString JX3dVersion = "15.11.96^M(Beta)";
inline const TJXAboutString JXAutoButtonVersion = "20.06.98";
inline const TJXAboutString JXFillImageVersion = "27.07.98";
inline const TJXAboutString JXFxImageVersion = "25.11.96^M(Beta)";
inline const TJXAboutString JXPrinterVersion = "03.02.97";
inline const TJXAboutString JXPicClipVersion = "08.02.97";

} // namespace jxt
