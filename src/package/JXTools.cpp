// SPDX-License-Identifier: MIT
// Registration of the library's components and property editors.
#include "package/JXTools.h"

#include "jxtpack/Config.h"

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
#include "editors/JXAboutProperty.h"
#include "editors/JXAnimProperty.h"
#include "editors/JXFillStyleProperty.h"
#include "editors/PicPatternProperty.h"
#if JXT_WITH_SOUND
#    include "editors/WaveFileProperty.h"
#endif
#include "effects/JX3D.h"
#include "effects/JXAnimate.h"
#include "effects/JXBounce.h"
#include "effects/JXFillImage.h"
#include "effects/JXForm.h"
#include "effects/JXFxImage.h"
#include "effects/JXStars.h"
#include "host/designer/DesignRegistry.h"
#include "services/JXApp.h"
#include "services/JXCopy.h"
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
namespace JXTools {

const QStringList &PaletteClassNames()
{
    // A part the build leaves out (jxtpack/Config.h) has no place on the page.
    static const QStringList names = {
        QStringLiteral("TJXAnimate"),
        QStringLiteral("TJXPicClip"),
        QStringLiteral("TJXScrollText"),
        QStringLiteral("TJXStars"),
        QStringLiteral("TJXBounce"),
        QStringLiteral("TJX3D"),
#if JXT_WITH_SOUND
        QStringLiteral("TJXWAV"),
#endif
        QStringLiteral("TJXGauge"),
        QStringLiteral("TJXLCDPanel"),
        QStringLiteral("TJXDOTPanel"),
        QStringLiteral("TJX3dLabel"),
        QStringLiteral("TJXPanel"),
        QStringLiteral("TJXPicBox"),
        QStringLiteral("TJXIcoBox"),
#if JXT_WITH_FONTS
        QStringLiteral("TJXFontCombo"),
#endif
        QStringLiteral("TJXDriveTab"),
        QStringLiteral("TJXBiBtn"),
        QStringLiteral("TJXAutoButton"),
        QStringLiteral("TJXBlinker"),
        QStringLiteral("TJXGrabBar"),
        QStringLiteral("TJXApp"),
        QStringLiteral("TJXCopy"),
        QStringLiteral("TJXFind"),
        QStringLiteral("TJXForm"),
        QStringLiteral("TJXFillImage"),
        QStringLiteral("TJXFxImage"),
        QStringLiteral("TJXHint"),
        QStringLiteral("TJXINI"),
#if JXT_WITH_PRINTING
        QStringLiteral("TJXPrinter"),
#endif
    };
    return names;
}

void Register()
{
    // The classes go on the page in the order of PaletteClassNames; each component built
    // later takes its place in this list.
    RegisterComponents(kPalettePage, {
        ClassOf<TJXAnimate>(), ClassOf<TJXPicClip>(), ClassOf<TJXScrollText>(), ClassOf<TJXStars>(),
            ClassOf<TJXBounce>(), ClassOf<TJX3D>(),
#if JXT_WITH_SOUND
            ClassOf<TJXWAV>(),
#endif
            ClassOf<TJXGauge>(), ClassOf<TJXLCDPanel>(), ClassOf<TJXDOTPanel>(),
            ClassOf<TJX3dLabel>(), ClassOf<TJXPanel>(), ClassOf<TJXPicBox>(), ClassOf<TJXIcoBox>(),
#if JXT_WITH_FONTS
            ClassOf<TJXFontCombo>(),
#endif
            ClassOf<TJXDriveTab>(), ClassOf<TJXBiBtn>(), ClassOf<TJXAutoButton>(),
            ClassOf<TJXBlinker>(), ClassOf<TJXGrabBar>(), ClassOf<TJXApp>(), ClassOf<TJXCopy>(),
            ClassOf<TJXFind>(), ClassOf<TJXForm>(), ClassOf<TJXFillImage>(), ClassOf<TJXFxImage>(),
            ClassOf<TJXHint>(), ClassOf<TJXINI>(),
#if JXT_WITH_PRINTING
            ClassOf<TJXPrinter>(),
#endif
    });

    // The editors, in the order the designer is given them.
    RegisterPropertyEditor(QStringLiteral("TJXAboutString"), nullptr,
                           QStringLiteral("About_JXTools"), QStringLiteral("TJXAboutProperty"),
                           EditorOf<TJXAboutProperty>());
    RegisterPropertyEditor(QStringLiteral("TBitmap"), &TJXAnimate::staticMetaObject,
                           QStringLiteral("Picture"), QStringLiteral("TJXAnimProperty"),
                           EditorOf<TJXAnimProperty>());
    RegisterPropertyEditor(QStringLiteral("TFStyle"), &TJXForm::staticMetaObject,
                           QStringLiteral("FillStyle"), QStringLiteral("TJXFillStyleProperty"),
                           EditorOf<TJXFillStyleProperty>());
#if JXT_WITH_SOUND
    RegisterPropertyEditor(QStringLiteral("string"), &TJXWAV::staticMetaObject,
                           QStringLiteral("Filename"), QStringLiteral("TWaveFileProperty"),
                           EditorOf<TWaveFileProperty>());
#endif
    RegisterPropertyEditor(QStringLiteral("string"), &TJXIcoBox::staticMetaObject,
                           QStringLiteral("IconFilename"), QStringLiteral("TIcoFileProperty"),
                           EditorOf<TIcoFileProperty>());
    RegisterPropertyEditor(QStringLiteral("string"), &TJXPicBox::staticMetaObject,
                           QStringLiteral("PicPattern"), QStringLiteral("TPicPatternProperty"),
                           EditorOf<TPicPatternProperty>());
    RegisterPropertyEditor(QStringLiteral("string"), &TControl::staticMetaObject,
                           QStringLiteral("Hint"), QStringLiteral("THintProperty"),
                           EditorOf<THintProperty>());
}

} // namespace JXTools
} // namespace jxt
