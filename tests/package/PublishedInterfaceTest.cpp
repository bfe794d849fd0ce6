// SPDX-License-Identifier: MIT
// Every component's published interface through the meta-object system: each published
// property is a Qt property and each event a signal, with the values a fresh component
// starts with and the ranges the setters hold, set by name as forms set them.
#include "controls/JXAutoButton.h"
#include "controls/JXBiBtn.h"
#include "controls/JXDriveTab.h"
#include "controls/JXFontCombo.h"
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
#include "effects/JX3D.h"
#include "effects/JXAnimate.h"
#include "effects/JXBounce.h"
#include "effects/JXFillImage.h"
#include "effects/JXForm.h"
#include "effects/JXFxImage.h"
#include "effects/JXStars.h"
#include "host/controls/Forms.h"
#include "host/graphics/ColorValue.h"
#include "services/JXApp.h"
#include "services/JXCopy.h"
#include "services/JXDirList.h"
#include "services/JXFind.h"
#include "services/JXHint.h"
#include "services/JXINI.h"
#include "services/JXPrinter.h"
#include "services/JXWAV.h"

#include <gtest/gtest.h>

#include <QMetaMethod>
#include <QMetaProperty>

#include <functional>
#include <memory>

using namespace jxt;

namespace {

struct TPublished
{
    const char *cls;
    std::function<TComponent *(TComponent *owner)> make;
    const char *properties; ///< published properties, in published order
    const char *events;     ///< published events
};

template <typename T> std::function<TComponent *(TComponent *)> Make()
{
    return [](TComponent *owner) -> TComponent * { return new T(owner); };
}

const char *const kMouse = "OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp";

// The published properties and events of each component, as its design lists them.
const std::vector<TPublished> &Published()
{
    static const std::vector<TPublished> table = {
        {"TJXLCDPanel", Make<TJXLCDPanel>(),
         "About_JXTools Caption Columns Items LCDHiColor LCDLoColor Rows SegmentSize Align Color "
         "ShowHint",
         kMouse},
        {"TJXDOTPanel", Make<TJXDOTPanel>(),
         "About_JXTools AdjustToParent Caption Color Columns DOTImage DOTHiColor DOTLoColor "
         "DOTCharSet DOTColumns DOTRows DOTSpace DOTStretch Items Rows ScrollChar Interval "
         "ShowHint ParentShowHint Visible",
         "OnScroll OnStartText OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXGauge", Make<TJXGauge>(),
         "About_JXTools BorderStyle BorderWidth Boxes BoxColor Color Kind MaxValue MinValue "
         "Progress BoxPreview ShowPeak Align Enabled Font Hint ParentColor ParentFont "
         "ParentShowHint PopupMenu ShowHint Tag Visible",
         kMouse},
        {"TJXPanel", Make<TJXPanel>(),
         "About_JXTools CaptionFormat GraphColor Style Align Alignment BevelInner BevelOuter "
         "BevelWidth BorderWidth BorderStyle DragCursor DragMode Enabled Color Ctl3D Font Locked "
         "ParentColor ParentCtl3D ParentFont ParentShowHint PopupMenu ShowHint TabOrder TabStop "
         "Visible",
         "OnClick OnDblClick OnDragDrop OnDragOver OnEndDrag OnEnter OnExit OnMouseDown "
         "OnMouseMove OnMouseUp OnResize"},
        {"TJX3dLabel", Make<TJX3dLabel>(),
         "About_JXTools Alignment AutoSize BorderSize BorderStyle Caption CaptionSpacing "
         "CaptionStyle ShadowColor ShadowDepth Transparent Align Color Enabled Font Hint "
         "ParentColor ParentFont ParentShowHint PopupMenu ShowHint Tag Visible",
         kMouse},
        {"TJXScrollText", Make<TJXScrollText>(),
         "About_JXTools AutoScroll Caption Interval ScrollHorizontal Shadow ShadowColor "
         "ShadowDepth Steps Align Color Font Hint ParentShowHint ShowHint Visible",
         "OnScroll OnStartText OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXBlinker", Make<TJXBlinker>(),
         "About_JXTools Blink BlinkHiColor BlinkLoColor BlinkInAktColor Interval BlinkStyle "
         "Control",
         ""},
        {"TJX3D", Make<TJX3D>(),
         "About_JXTools Interval ModellItems Perspective Picture PointCaption ShowCircles "
         "ShowLines ShowPicture ShowPolygons XPosition XRotation YPosition YRotation Zoom "
         "ZPosition ZRotation Align Color",
         ""},
        {"TJXStars", Make<TJXStars>(),
         "About_JXTools Interval MaxStars Zoom ParentShowHint Align Color ShowHint Visible",
         kMouse},
        {"TJXBounce", Make<TJXBounce>(),
         "About_JXTools Control Friction Gravitation Interval NoRefresh StartXPos StartXSpeed "
         "StartYPos StartYSpeed Align Color ParentShowHint ShowHint Visible",
         "OnHitFloor OnHitLeftWall OnHitRightWall OnHitRoof OnMove OnStop OnClick OnDblClick "
         "OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXAnimate", Make<TJXAnimate>(),
         "About_JXTools AktPic Cols Interval Picture ReversePlay Rows Stretch Transparent Align "
         "Enabled Hint ParentShowHint PopupMenu ShowHint Tag Visible",
         "OnChangePic OnRequestPic OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXFillImage", Make<TJXFillImage>(),
         "About_JXTools AdjustToParent FillBitmap FillStyle RBFromColor RBSteps RBToColor Align "
         "Enabled Hint ParentShowHint ShowHint Tag Visible",
         kMouse},
        {"TJXForm", Make<TJXForm>(),
         "About_JXTools FillBitmap FillStyle FormMaxHeight FormMaxWidth FormMinHeight "
         "FormMinWidth RBFromColor RBToColor",
         "OnPaint"},
        {"TJXFxImage", Make<TJXFxImage>(),
         "About_JXTools Caption Center FadeStyle Picture Align Color Font", ""},
        {"TJXPicBox", Make<TJXPicBox>(),
         "About_JXTools Active BackPic BorderSpace BorderWidth Caption CheckForIcons PicCount "
         "PicHeight PicNoCacheSize PicPattern PicType PicWidth Rows Scaled SubDirs Align Color "
         "Columns DragCursor DragMode Enabled Font Items ParentShowHint PopupMenu ShowHint Sorted "
         "Visible",
         "OnChangePicCount OnRequestFileName OnStartScan OnStopScan OnClick OnDblClick OnDragDrop "
         "OnDragOver OnEndDrag OnKeyDown OnKeyPress OnKeyUp OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXIcoBox", Make<TJXIcoBox>(),
         "About_JXTools Active BacKPic Border Caption IconFileName IconCount PicMinHeight "
         "PicMinWidth Align Color Enabled Font Items ShowHint Sorted ParentShowHint PopupMenu "
         "Visible",
         "OnChangeIconCount OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp OnKeyDown "
         "OnKeyPress OnKeyUp"},
        {"TJXPicClip", Make<TJXPicClip>(),
         "About_JXTools AktPic Cols ControlIndex Interval Image Rows Stretch PicOffset Align "
         "Enabled Hint ParentShowHint PopupMenu ShowHint Tag Visible",
         "OnChangePic OnRequestPic OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXFontCombo", Make<TJXFontCombo>(),
         "About_JXTools CharSet Control Pitch SelFont TrueTypeOnly Fonts Align Ctl3D Cursor "
         "Enabled Font Height HelpContext Hint ItemHeight Left ParentColor ParentCtl3D "
         "ParentShowHint PopupMenu ShowHint Sorted TabOrder TabStop Tag Top Visible Width",
         "OnChange OnClick OnDblClick OnDragDrop OnDragOver OnDropDown OnEndDrag OnEnter OnExit "
         "OnKeyDown OnKeyPress OnKeyUp"},
        {"TJXDriveTab", Make<TJXDriveTab>(), "About_JXTools Drive", ""},
        {"TJXBiBtn", Make<TJXBiBtn>(),
         "About_JXTools Border Caption CaptionOff CaptionOn LED LEDColor LEDInterval PictureON "
         "PictureOFF Value Color Enabled Font ShowHint TabOrder TabStop",
         "OnClick OnDblClick OnDragDrop OnDragOver OnEndDrag OnEnter OnExit OnKeyDown OnKeyPress "
         "OnKeyUp OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXAutoButton", Make<TJXAutoButton>(),
         "About_JXTools BorderStyle BorderWidth FontActiveColor FontActiveUnderline Glyph Layout "
         "PopupMenu PopupAlign Spacing Stretch Transparent Value Align Caption Color Enabled Font "
         "Hint ParentColor ParentFont ParentShowHint ShowHint Tag Visible",
         "OnMouseEnter OnMouseLeave OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXGrabBar", Make<TJXGrabBar>(),
         "About_JXTools BorderStyle BorderWidth OutOfClient Style Thickness WindowA WindowB Color "
         "Ctl3D Cursor Hint ParentColor ParentCtl3D ParentShowHint ShowHint Visible",
         "OnMove OnClick OnDblClick OnMouseDown OnMouseMove OnMouseUp"},
        {"TJXINI", Make<TJXINI>(), "About_JXTools Caption INIFileName SaveWinPos SaveLastRes",
         "OnReadINI OnWriteINI"},
        {"TJXHint", Make<TJXHint>(),
         "About_JXTools Active Color DefaultWidth Font HintPause HintHidePause HintPosition "
         "ShadowDepth",
         ""},
        {"TJXApp", Make<TJXApp>(),
         "About_JXTools HelpFile Title Icon TaskBarIcon TaskBarTip TaskBarPopupMenu "
         "TaskBarAutoHide TaskBarAutoRemove",
         "OnActivate OnClipBoardChange OnDeactivate OnException OnHint OnHelp OnIdle OnMessage "
         "OnMinimize OnRestore OnShowHint OnTaskBarSetIcon OnTaskBarRemoveIcon OnTaskBarMouseUp"},
        {"TJXWAV", Make<TJXWAV>(),
         "About_JXTools SNDFlags FileName Interval Silence FormatTag Channels SamplesPerSec "
         "DataSize PlayTime Color Hint ParentShowHint ShowHint Visible",
         "OnNotify OnShowStatus OnClick OnKeyDown OnKeyPress OnKeyUp"},
        {"TJXPrinter", Make<TJXPrinter>(),
         "About_JXTools BottomAlignment BottomCaption BottomFont Brush Font Orientation Page Pen "
         "TopAlignment TopCaption TopFont",
         "OnPrint"},
        {"TJXCopy", Make<TJXCopy>(),
         "About_JXTools BufferSize CopyAttrib CopyDate CopyProgressGauge Dest DialogCaption "
         "FileProgressGauge OverWrite OverWriteMsg ProcessMessages ShowCopyDialog Source",
         "OnChange OnStart OnEnd"},
        {"TJXFind", Make<TJXFind>(), "About_JXTools FilePattern Subdirs StartPath",
         "OnChange OnExecute OnFinished OnFindFile OnNotFindFile"},
        {"TJXDirList", Make<TJXDirList>(), "FileList DirList", ""},
    };
    return table;
}

QStringList Words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

/// The component's own properties, in declaration order (QObject's and QWidget's left out).
QStringList DeclaredProperties(const QMetaObject *meta)
{
    QStringList names;
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        names << QString::fromLatin1(meta->property(i).name());
    return names;
}

QStringList SignalNames(const QMetaObject *meta)
{
    QStringList names;
    for (int i = 0; i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Signal)
            names << QString::fromLatin1(meta->method(i).name());
    return names;
}

} // namespace

TEST(PublishedInterface, EveryPublishedPropertyIsAQtPropertyAndEveryEventASignal)
{
    TForm form;
    ASSERT_EQ(Published().size(), 30U);
    int total = 0, expected = 0;
    for (const TPublished &entry : Published()) {
        SCOPED_TRACE(entry.cls);
        std::unique_ptr<TComponent> c(entry.make(&form));
        const QMetaObject *meta = c->metaObject();
        EXPECT_EQ(c->ClassName(), QString::fromLatin1(entry.cls));
        const QStringList declared = DeclaredProperties(meta);
        for (const QString &name : Words(entry.properties)) {
            EXPECT_TRUE(declared.contains(name)) << name.toStdString() << " is not a Qt property";
            expected += 1;
            total += declared.contains(name) ? 1 : 0;
        }
        const QStringList signalNames = SignalNames(meta);
        for (const QString &event : Words(entry.events)) {
            QString signal = event;
            signal[0] = QLatin1Char('o');
            EXPECT_TRUE(signalNames.contains(signal)) << event.toStdString() << " has no signal";
        }
    }
    EXPECT_EQ(total, expected);
    EXPECT_EQ(total, 443);
}

TEST(PublishedInterface, ComponentReferencesAndReadOnlyValuesAreSetFromCodeOnly)
{
    // A property that names another component of the form cannot be given in a form file;
    // the component keeps it settable from code and the designer does not offer it.
    TForm form;
    TJXPicBox box(&form);
    TPopupMenu menu(&form);
    EXPECT_TRUE(box.setProperty("PopupMenu", QVariant::fromValue(&menu)));
    EXPECT_EQ(box.PopupMenu(), &menu);
    TJXPicClip clip(&form);
    EXPECT_TRUE(clip.setProperty("PopupMenu", QVariant::fromValue(&menu)));
    EXPECT_EQ(clip.PopupMenu(), &menu);
    TJXFontCombo combo(&form);
    EXPECT_TRUE(combo.setProperty("PopupMenu", QVariant::fromValue(&menu)));
    EXPECT_TRUE(combo.setProperty("HelpContext", 42));
    EXPECT_EQ(combo.HelpContext(), 42);
    EXPECT_TRUE(combo.setProperty("Left", 17));
    EXPECT_EQ(combo.Left(), 17);
    // The font list is read only.
    EXPECT_FALSE(
        combo.metaObject()->property(combo.metaObject()->indexOfProperty("Fonts")).isWritable());
}

namespace {

struct TValueRule
{
    const char *cls;
    const char *property;
    QVariant given;  ///< invalid: read the value a fresh component has
    QVariant stored; ///< what reads back
};

} // namespace

TEST(PublishedInterface, FreshValuesAndTheRangesTheSettersHold)
{
    const std::vector<TValueRule> rules = {
        // Values of a fresh component.
        {"TJXLCDPanel", "Columns", {}, 10},
        {"TJXLCDPanel", "SegmentSize", {}, 2},
        {"TJXGauge", "Boxes", {}, 10},
        {"TJXGauge", "MaxValue", {}, 100},
        {"TJXGauge", "BoxPreview", {}, true},
        {"TJX3dLabel", "Caption", {}, QStringLiteral("JX3DLabel")},
        {"TJX3dLabel", "ShadowDepth", {}, 2},
        {"TJXScrollText", "ScrollHorizontal", {}, true},
        {"TJXBlinker", "Interval", {}, 1000},
        {"TJX3D", "Perspective", {}, 200},
        {"TJX3D", "YRotation", {}, 340},
        {"TJXStars", "MaxStars", {}, 500},
        {"TJXBounce", "StartXSpeed", {}, 10},
        {"TJXAnimate", "Stretch", {}, true},
        {"TJXFillImage", "RBSteps", {}, 64},
        {"TJXPicBox", "PicWidth", {}, 100},
        {"TJXPicBox", "PicNoCacheSize", {}, 1000},
        {"TJXIcoBox", "PicMinWidth", {}, 60},
        {"TJXBiBtn", "CaptionOn", {}, QStringLiteral("On")},
        {"TJXBiBtn", "LEDInterval", {}, 500},
        {"TJXAutoButton", "Spacing", {}, 4},
        {"TJXGrabBar", "Thickness", {}, 5},
        {"TJXINI", "INIFileName", {}, QStringLiteral("Default.INI")},
        {"TJXHint", "DefaultWidth", {}, 150},
        {"TJXHint", "HintPause", {}, 800},
        {"TJXApp", "TaskBarAutoHide", {}, true},
        {"TJXWAV", "Interval", {}, 100},
        {"TJXCopy", "BufferSize", {}, 8192},
        {"TJXCopy", "OverWriteMsg", {}, true},
        {"TJXCopy", "DialogCaption", {}, QStringLiteral("Kopiere Dateien...")},
        {"TJXFind", "FilePattern", {}, QStringLiteral("*.*")},
        // Byte values are held at the ends of a byte, then at the component's own range.
        {"TJXGauge", "Boxes", 300, 255},
        {"TJXGauge", "Boxes", -1, 0},
        {"TJXScrollText", "Steps", 300, 255},
        {"TJXScrollText", "Steps", -5, 0},
        {"TJX3dLabel", "CaptionSpacing", 256, 255},
        {"TJXFillImage", "RBSteps", 1000, 255},
        {"TJXFillImage", "RBSteps", 1, 2},
        {"TJXFillImage", "RBSteps", -1, 2},
        {"TJXGrabBar", "BorderWidth", 300, 50},
        {"TJXDOTPanel", "Rows", 80, 50},
        {"TJXDOTPanel", "Columns", 0, 1},
        {"TJXDOTPanel", "DOTColumns", -4, 1},
        // Integer ranges.
        {"TJX3D", "Perspective", 50, 100},
        {"TJX3D", "XRotation", 400, 360},
        {"TJX3D", "Zoom", 150, 100},
        {"TJXStars", "MaxStars", 0, 1},
        {"TJXStars", "Zoom", 500, 100},
        {"TJXStars", "Interval", 10, 20},
        {"TJXBounce", "Friction", 101, 100},
        {"TJXBounce", "Gravitation", -1, 0},
        {"TJXBounce", "StartXSpeed", -300, -100},
        {"TJXAnimate", "Cols", 2000, 1000},
        {"TJXAnimate", "Rows", 0, 1},
        {"TJXAnimate", "Interval", 5, 20},
        {"TJXPicBox", "BorderSpace", 0, 1},
        {"TJXPicBox", "BorderSpace", 25, 20},
        {"TJXPicBox", "BorderWidth", -3, 0},
        {"TJXPicBox", "PicHeight", 10, 32},
        {"TJXPicBox", "PicNoCacheSize", 2000000, 1000000},
        {"TJXIcoBox", "PicMinWidth", 10, 32},
        {"TJXPicClip", "Cols", 2000, 1000},
        {"TJXPicClip", "Rows", 900, 500},
        {"TJXPicClip", "Interval", 5, 20},
        {"TJX3dLabel", "ShadowDepth", 60, 50},
        {"TJXScrollText", "ShadowDepth", 0, 1},
        {"TJXWAV", "Interval", 10, 20},
        {"TJXCopy", "BufferSize", 100, 1024},
        {"TJXCopy", "BufferSize", 65535, 16384},
    };
    TForm form;
    for (const TValueRule &rule : rules) {
        SCOPED_TRACE(std::string(rule.cls) + "." + rule.property + " = " +
                     rule.given.toString().toStdString());
        const TPublished *entry = nullptr;
        for (const TPublished &e : Published())
            if (qstrcmp(e.cls, rule.cls) == 0)
                entry = &e;
        ASSERT_NE(entry, nullptr);
        std::unique_ptr<TComponent> c(entry->make(&form));
        if (rule.given.isValid()) {
            EXPECT_TRUE(c->setProperty(rule.property, rule.given));
        }
        EXPECT_EQ(c->property(rule.property), rule.stored);
    }
}

TEST(PublishedInterface, PathsKeepTheSpellingGivenWhileTheComponentsUseTheirForm)
{
    TJXCopy copy;
    copy.setProperty("Source", QStringLiteral("/tmp/a/*.txt"));
    copy.setProperty("Dest", QStringLiteral("/tmp/b"));
    EXPECT_EQ(copy.property("Source").toString(), QStringLiteral("/tmp/a/*.txt"));
    EXPECT_EQ(copy.property("Dest").toString(), QStringLiteral("/tmp/b"));
    // POSIX paths read back as given; the folder Dest gets "/" (Windows-form paths read back
    // upper-cased, see JXCopyTest).
    EXPECT_EQ(copy.Source(), QStringLiteral("/tmp/a/*.txt"));
    EXPECT_EQ(copy.Dest(), QStringLiteral("/tmp/b/"));
    TJXFind find;
    find.setProperty("FilePattern", QStringLiteral("*.cpp;*.h"));
    find.setProperty("StartPath", QStringLiteral("/tmp/src"));
    EXPECT_EQ(find.property("FilePattern").toString(), QStringLiteral("*.cpp;*.h"));
    EXPECT_EQ(find.FilePattern(), QStringLiteral("*.CPP;*.H"));
    EXPECT_EQ(find.property("StartPath").toString(), QStringLiteral("/tmp/src"));
    EXPECT_EQ(find.StartPath(), QStringLiteral("/tmp/src/"));
}
