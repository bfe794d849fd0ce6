// SPDX-License-Identifier: MIT
// The registration of each component unit alone: every unit can put its one component (and
// the editor that belongs to it) on a palette page without the whole package. They live here,
// above the editors, because a component may not include its editor. Registering a class or
// an editor a second time has no further effect, so they combine freely with
// JXTools::Register (a class keeps the page it was first registered on).
#pragma once

#include "base/Export.h"
#include "jxtpack/Config.h"

namespace jxt {

// clang-format off
namespace JXAnimate { /** Registers TJXAnimate on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXPiClip { /** Registers TJXPicClip on "JX-Soft". */ JXT_EXPORT void Register(); }
namespace JXScrollText { /** Registers TJXScrollText on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXStars { /** Registers TJXStars on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXBounce { /** Registers TJXBounce on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JX3D { /** Registers TJX3D on "JX Tools". */ JXT_EXPORT void Register(); }
#if JXT_WITH_SOUND
namespace JXWAV { /** Registers TJXWAV on "JX Tools". */ JXT_EXPORT void Register(); }
#endif
namespace JXGauge { /** Registers TJXGauge on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXLCDPanel { /** Registers TJXLCDPanel on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXDOTPanel { /** Registers TJXDOTPanel on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JX3dLabel { /** Registers TJX3dLabel on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXPanel { /** Registers TJXPanel on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXPicBox { /** Registers TJXPicBox on "JX Tools" with TPicPatternProperty. */ JXT_EXPORT void Register(); }
namespace JXIcoBox { /** Registers TJXIcoBox on "JX Tools" with TIcoFileProperty. */ JXT_EXPORT void Register(); }
#if JXT_WITH_FONTS
namespace Jxfntcbo { /** Registers TJXFontCombo on "JX Tools". */ JXT_EXPORT void Register(); }
#endif
namespace Jxdrvtab { /** Registers TJXDriveTab on "JX Tools". */ JXT_EXPORT void Register(); }
namespace Jxbibtn { /** Registers TJXBiBtn on "JX Tools". */ JXT_EXPORT void Register(); }
namespace Jxabtn { /** Registers TJXAutoButton on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXBlinker { /** Registers TJXBlinker on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXGrabBa { /** Registers TJXGrabBar on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXApp { /** Registers TJXApp on "JX Tools". */ JXT_EXPORT void Register(); }
namespace Jxcopy { /** Registers TJXCopy on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXFind { /** Registers TJXFind on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXForm { /** Registers TJXForm on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXFillImage { /** Registers TJXFillImage on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXFxImage { /** Registers TJXFxImage on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXHint { /** Registers TJXHint on "JX Tools". */ JXT_EXPORT void Register(); }
namespace JXHintED { /** Registers THintProperty for every control's Hint. */ JXT_EXPORT void Register(); }
namespace JXIni { /** Registers TJXINI on "JX Tools". */ JXT_EXPORT void Register(); }
#if JXT_WITH_PRINTING
namespace JXPrint { /** Registers TJXPrinter on "JX Tools". */ JXT_EXPORT void Register(); }
#endif
namespace JXDirList { /** Registers TJXDirList on "JX Tools". */ JXT_EXPORT void Register(); }
// clang-format on

} // namespace jxt
