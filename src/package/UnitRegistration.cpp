// SPDX-License-Identifier: MIT
// The registration of each component unit alone.
#include "package/UnitRegistration.h"

#include "controls/JXAutoButton.h"
#include "controls/JXBiBtn.h"
#include "controls/JXDriveTab.h"
#if JXT_WITH_FONTS
#    include "controls/JXFontCombo.h"
#endif
#include "controls/JXGrabBar.h"
#include "controls/JXIcoBox.h"
#include "controls/JXPicBox.h"
#include "controls/JXPicClip.h"
#include "display/JX3dLabel.h"
#include "display/JXBlinker.h"
#include "display/JXDOTPanel.h"
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "display/JXPanel.h"
#include "display/JXScrollText.h"
#include "editors/HintProperty.h"
#include "editors/IcoFileProperty.h"
#include "editors/PicPatternProperty.h"
#include "effects/JX3D.h"
#include "effects/JXAnimate.h"
#include "effects/JXBounce.h"
#include "effects/JXFillImage.h"
#include "effects/JXForm.h"
#include "effects/JXFxImage.h"
#include "effects/JXStars.h"
#include "host/designer/DesignRegistry.h"
#include "package/JXTools.h"
#include "services/JXApp.h"
#include "services/JXCopy.h"
#include "services/JXDirList.h"
#include "services/JXFind.h"
#include "services/JXHint.h"
#include "services/JXINI.h"
#if JXT_WITH_PRINTING
#    include "services/JXPrinter.h"
#endif
#if JXT_WITH_SOUND
#    include "services/JXWAV.h"
#endif

namespace jxt {

namespace {

template <typename T> void OnToolsPage()
{
    RegisterComponents(JXTools::kPalettePage, {ClassOf<T>()});
}

} // namespace

// clang-format off
void JXAnimate::Register() { OnToolsPage<TJXAnimate>(); }
void JXScrollText::Register() { OnToolsPage<TJXScrollText>(); }
void JXStars::Register() { OnToolsPage<TJXStars>(); }
void JXBounce::Register() { OnToolsPage<TJXBounce>(); }
void JX3D::Register() { OnToolsPage<TJX3D>(); }
#if JXT_WITH_SOUND
void JXWAV::Register() { OnToolsPage<TJXWAV>(); }
#endif
void JXGauge::Register() { OnToolsPage<TJXGauge>(); }
void JXLCDPanel::Register() { OnToolsPage<TJXLCDPanel>(); }
void JXDOTPanel::Register() { OnToolsPage<TJXDOTPanel>(); }
void JX3dLabel::Register() { OnToolsPage<TJX3dLabel>(); }
void JXPanel::Register() { OnToolsPage<TJXPanel>(); }
#if JXT_WITH_FONTS
void Jxfntcbo::Register() { OnToolsPage<TJXFontCombo>(); }
#endif
void Jxdrvtab::Register() { OnToolsPage<TJXDriveTab>(); }
void Jxbibtn::Register() { OnToolsPage<TJXBiBtn>(); }
void Jxabtn::Register() { OnToolsPage<TJXAutoButton>(); }
void JXBlinker::Register() { OnToolsPage<TJXBlinker>(); }
void JXGrabBa::Register() { OnToolsPage<TJXGrabBar>(); }
void JXApp::Register() { OnToolsPage<TJXApp>(); }
void Jxcopy::Register() { OnToolsPage<TJXCopy>(); }
void JXFind::Register() { OnToolsPage<TJXFind>(); }
void JXForm::Register() { OnToolsPage<TJXForm>(); }
void JXFillImage::Register() { OnToolsPage<TJXFillImage>(); }
void JXFxImage::Register() { OnToolsPage<TJXFxImage>(); }
void JXHint::Register() { OnToolsPage<TJXHint>(); }
void JXIni::Register() { OnToolsPage<TJXINI>(); }
#if JXT_WITH_PRINTING
void JXPrint::Register() { OnToolsPage<TJXPrinter>(); }
#endif
void JXDirList::Register() { OnToolsPage<TJXDirList>(); }
// clang-format on

void JXPiClip::Register()
{
    // The picture clip's own unit puts it on a page of its own.
    RegisterComponents(QStringLiteral("JX-Soft"), {ClassOf<TJXPicClip>()});
}

void JXPicBox::Register()
{
    OnToolsPage<TJXPicBox>();
    RegisterPropertyEditor(QStringLiteral("string"), &TJXPicBox::staticMetaObject,
                           QStringLiteral("PicPattern"), QStringLiteral("TPicPatternProperty"),
                           EditorOf<TPicPatternProperty>());
}

void JXIcoBox::Register()
{
    OnToolsPage<TJXIcoBox>();
    RegisterPropertyEditor(QStringLiteral("string"), &TJXIcoBox::staticMetaObject,
                           QStringLiteral("IconFilename"), QStringLiteral("TIcoFileProperty"),
                           EditorOf<TIcoFileProperty>());
}

void JXHintED::Register()
{
    RegisterPropertyEditor(QStringLiteral("string"), &TControl::staticMetaObject,
                           QStringLiteral("Hint"), QStringLiteral("THintProperty"),
                           EditorOf<THintProperty>());
}

} // namespace jxt
