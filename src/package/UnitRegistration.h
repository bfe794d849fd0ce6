// SPDX-License-Identifier: MIT
// The registration of each component unit alone: every unit can put its one component (and
// the editor that belongs to it) on a palette page without the whole package. They live here,
// above the editors, because a component may not include its editor. Registering a class or
// an editor a second time has no further effect, so they combine freely with
// JXTools::Register (a class keeps the page it was first registered on).
#pragma once

#include "base/Export.h"

namespace jxt {

// clang-format off
namespace JXAnimate { JXT_EXPORT void Register(); }    ///< TJXAnimate on "JX Tools"
namespace JXPiClip { JXT_EXPORT void Register(); }     ///< TJXPicClip on "JX-Soft"
namespace JXScrollText { JXT_EXPORT void Register(); } ///< TJXScrollText
namespace JXStars { JXT_EXPORT void Register(); }      ///< TJXStars
namespace JXBounce { JXT_EXPORT void Register(); }     ///< TJXBounce
namespace JX3D { JXT_EXPORT void Register(); }         ///< TJX3D
namespace JXWAV { JXT_EXPORT void Register(); }        ///< TJXWAV
namespace JXGauge { JXT_EXPORT void Register(); }      ///< TJXGauge
namespace JXLCDPanel { JXT_EXPORT void Register(); }   ///< TJXLCDPanel
namespace JXDOTPanel { JXT_EXPORT void Register(); }   ///< TJXDOTPanel
namespace JX3dLabel { JXT_EXPORT void Register(); }    ///< TJX3dLabel
namespace JXPanel { JXT_EXPORT void Register(); }      ///< TJXPanel
namespace JXPicBox { JXT_EXPORT void Register(); }     ///< TJXPicBox with TPicPatternProperty
namespace JXIcoBox { JXT_EXPORT void Register(); }     ///< TJXIcoBox with TIcoFileProperty
namespace Jxfntcbo { JXT_EXPORT void Register(); }     ///< TJXFontCombo
namespace Jxdrvtab { JXT_EXPORT void Register(); }     ///< TJXDriveTab
namespace Jxbibtn { JXT_EXPORT void Register(); }      ///< TJXBiBtn
namespace Jxabtn { JXT_EXPORT void Register(); }       ///< TJXAutoButton
namespace JXBlinker { JXT_EXPORT void Register(); }    ///< TJXBlinker
namespace JXGrabBa { JXT_EXPORT void Register(); }     ///< TJXGrabBar
namespace JXApp { JXT_EXPORT void Register(); }        ///< TJXApp
namespace Jxcopy { JXT_EXPORT void Register(); }       ///< TJXCopy
namespace JXFind { JXT_EXPORT void Register(); }       ///< TJXFind
namespace JXForm { JXT_EXPORT void Register(); }       ///< TJXForm
namespace JXFillImage { JXT_EXPORT void Register(); }  ///< TJXFillImage
namespace JXFxImage { JXT_EXPORT void Register(); }    ///< TJXFxImage
namespace JXHint { JXT_EXPORT void Register(); }       ///< TJXHint
namespace JXHintED { JXT_EXPORT void Register(); }     ///< THintProperty for every control's Hint
namespace JXIni { JXT_EXPORT void Register(); }        ///< TJXINI
namespace JXPrint { JXT_EXPORT void Register(); }      ///< TJXPrinter
namespace JXDirList { JXT_EXPORT void Register(); }    ///< TJXDirList
// clang-format on

} // namespace jxt
