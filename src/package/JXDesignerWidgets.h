// SPDX-License-Identifier: MIT
// Widget classes for forms made in Qt Designer: code generated from a .ui file creates
// widgets as `new Class(parentWidget)`, while the components take their owner. Each class
// here takes the parent widget, finds the owner among its ancestors and places itself on it;
// Loaded runs once the form has set the properties (see LoadLater).
//
// Each class also shows its published properties in the types Designer edits and .ui files
// hold: colours as QColor (a swatch and the colour dialog), fonts as QFont, pictures as
// QPixmap (from the resource browser or a file), the About_JXTools entry as a text. A
// property that names another component (PopupMenu, Control, WindowA, the copy component's
// gauges) is not offered by Designer and is set from code. QWidget's enabled, font, toolTip
// and cursor give way to the published Enabled, Font, Hint and Cursor where a class
// publishes them, so each property is listed once.
//
// Colours keep system colours. A QColor cannot name one, so DesignerColor gives a system
// colour the RGB it shows now with an alpha of 254 - its index (a system colour's index runs
// from 0 to 63), clNone alpha 0 and clDefault alpha 1; any other colour is opaque. Reading
// such a QColor back gives the system colour again, whatever RGB it carries (another desktop
// theme gave it other values); only in the designer, a colour that has a system colour's
// alpha but not that colour's RGB while the property holds that very system colour is taken
// as an RGB colour picked in the colour dialog (which keeps the alpha it was opened with).
// Older forms that keep colours as names ("clBtnFace") or "#RRGGBB" texts still load.
#pragma once

#include "base/Export.h"
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
#include "effects/JX3D.h"
#include "effects/JXAnimate.h"
#include "effects/JXBounce.h"
#include "effects/JXFillImage.h"
#include "effects/JXForm.h"
#include "effects/JXFxImage.h"
#include "effects/JXStars.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/graphics/ColorValue.h"
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

#include <QColor>
#include <QFont>
#include <QMetaProperty>
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <type_traits>

namespace jxt {
namespace ui {

/// The owner for a component placed on parent: the nearest form among parent and its
/// ancestors, else the top-most component among them, else none.
inline TComponent *OwnerFor(QWidget *parent)
{
    TComponent *topMost = nullptr;
    for (QWidget *w = parent; w; w = w->parentWidget()) {
        if (auto *form = qobject_cast<TForm *>(w))
            return form;
        if (auto *component = qobject_cast<TComponent *>(w))
            topMost = component;
    }
    return topMost;
}

/// Marks component (and what it owns) as loading and sees that Loaded runs on it once the
/// form it is placed on has set its properties. A form (TForm) that has not been shown yet loads
/// what it owns when it is first shown. Otherwise Loaded runs once control is back in the event
/// loop: code from uic, QUiLoader and Designer set each widget's properties right after
/// constructing it, all before they return. Loaded runs once, whichever comes first.
inline void LoadLater(TComponent *component)
{
    // Marked as streamed: the form's first show loads only what is so marked.
    component->BeginLoading();
    if (auto *form = qobject_cast<TForm *>(component->Owner()); form && !form->LoadedDone())
        return;
    QMetaObject::invokeMethod(
        component, [component] { ::jxt::Loaded(component); }, Qt::QueuedConnection);
}

/// Puts component on parent: as a child control when parent is a windowed control, else as
/// a plain child widget.
template <typename T> void PlaceOn(T *component, QWidget *parent)
{
    if (!parent)
        return;
    if constexpr (std::is_base_of_v<TControl, T>) {
        if (auto *win = qobject_cast<TWinControl *>(parent)) {
            component->SetParent(win);
            return;
        }
    }
    component->QWidget::setParent(parent);
    // A plain child widget shows with its parent; a non-visual component and a control
    // made invisible stay hidden, and one added to a parent already on screen is shown.
    bool visible = false;
    if constexpr (std::is_base_of_v<TControl, T>)
        visible = component->Visible();
    if (!visible)
        component->hide();
    else if (parent->isVisible())
        component->show();
}

/// The QColor Designer shows and forms keep for a colour (system colours see above).
JXT_EXPORT QColor DesignerColor(TColor color);
/// The colour of a QColor from Designer or a form; current is what the property holds now,
/// designing whether the component is being designed.
JXT_EXPORT TColor ColorFromDesigner(const QColor &color, TColor current, bool designing);

/// What the About_JXTools entry shows.
JXT_EXPORT QString AboutEntryText();
/// A text typed into the About_JXTools entry of a component being designed opens the about
/// form (after the edit has ended); the entry itself never changes.
JXT_EXPORT void AboutEntryEdited(TComponent *component, const QString &text);

/// The property name of Base's meta-object (a class shadows it with a Designer type).
template <typename Base> QMetaProperty BaseProperty(const char *name)
{
    const QMetaObject &meta = Base::staticMetaObject;
    return meta.property(meta.indexOfProperty(name));
}

template <typename Base> TColor ReadColor(const QObject *object, const char *name)
{
    return BaseProperty<Base>(name).read(object).template value<TColorValue>();
}
template <typename Base> void WriteColor(TComponent *object, const char *name, const QColor &c)
{
    const TColor current = ReadColor<Base>(object, name);
    const TColor color =
        ColorFromDesigner(c, current, object->ComponentState().Contains(csDesigning));
    BaseProperty<Base>(name).write(object, QVariant::fromValue(TColorValue(color)));
}

/// Designer edits a font as a QFont (family, point size, bold, italic, underline,
/// strike-out); the font colour stays as it is.
JXT_EXPORT QFont FontValue(const TFont *font);
JXT_EXPORT void SetFontValue(TFont *font, const QFont &f);
template <typename Base> TFont *ReadFont(const QObject *object, const char *name)
{
    return BaseProperty<Base>(name).read(object).template value<TFont *>();
}

/// A picture property (a bitmap or an icon) as a pixmap, and a pixmap given to it.
JXT_EXPORT QPixmap PicturePixmap(const QVariant &picture);
JXT_EXPORT void WritePicture(QObject *object, const QMetaProperty &property, const QPixmap &pixmap);

// Code generated from a .ui file sets a property P through setP(value); the components'
// setters keep their own names (SetCaption), so each class forwards setP to the property.
// Only properties the class publishes take effect; the others are never instantiated.
// clang-format off
#define JXT_UI_SETTER(Name)                                                                        \
    template <typename TValue>                                                                     \
    void set##Name(const TValue &value)                                                            \
    {                                                                                              \
        this->setProperty(#Name, QVariant::fromValue(value));                                      \
    }
#define JXT_UI_SETTERS                                                                             \
    JXT_UI_SETTER(About_JXTools) JXT_UI_SETTER(Active) JXT_UI_SETTER(AdjustToParent) \
    JXT_UI_SETTER(AktPic) JXT_UI_SETTER(Align) JXT_UI_SETTER(Alignment) \
    JXT_UI_SETTER(AutoScroll) JXT_UI_SETTER(AutoSize) JXT_UI_SETTER(BacKPic) \
    JXT_UI_SETTER(BackPic) JXT_UI_SETTER(BevelInner) JXT_UI_SETTER(BevelOuter) \
    JXT_UI_SETTER(BevelWidth) JXT_UI_SETTER(Blink) JXT_UI_SETTER(BlinkHiColor) \
    JXT_UI_SETTER(BlinkInAktColor) JXT_UI_SETTER(BlinkLoColor) JXT_UI_SETTER(BlinkStyle) \
    JXT_UI_SETTER(Border) JXT_UI_SETTER(BorderSize) JXT_UI_SETTER(BorderSpace) \
    JXT_UI_SETTER(BorderStyle) JXT_UI_SETTER(BorderWidth) JXT_UI_SETTER(BottomAlignment) \
    JXT_UI_SETTER(BottomCaption) JXT_UI_SETTER(BottomFont) JXT_UI_SETTER(BoxColor) \
    JXT_UI_SETTER(BoxPreview) JXT_UI_SETTER(Boxes) JXT_UI_SETTER(BufferSize) \
    JXT_UI_SETTER(Caption) JXT_UI_SETTER(CaptionFormat) JXT_UI_SETTER(CaptionOff) \
    JXT_UI_SETTER(CaptionOn) JXT_UI_SETTER(CaptionSpacing) JXT_UI_SETTER(CaptionStyle) \
    JXT_UI_SETTER(Center) JXT_UI_SETTER(Channels) JXT_UI_SETTER(CharSet) \
    JXT_UI_SETTER(CheckForIcons) JXT_UI_SETTER(Color) JXT_UI_SETTER(Cols) JXT_UI_SETTER(Columns) \
    JXT_UI_SETTER(Control) JXT_UI_SETTER(ControlIndex) JXT_UI_SETTER(CopyAttrib) \
    JXT_UI_SETTER(CopyDate) JXT_UI_SETTER(CopyProgressGauge) JXT_UI_SETTER(Ctl3D) \
    JXT_UI_SETTER(Cursor) JXT_UI_SETTER(DOTCharSet) JXT_UI_SETTER(DOTColumns) \
    JXT_UI_SETTER(DOTHiColor) JXT_UI_SETTER(DOTImage) JXT_UI_SETTER(DOTLoColor) \
    JXT_UI_SETTER(DOTRows) JXT_UI_SETTER(DOTSpace) JXT_UI_SETTER(DOTStretch) \
    JXT_UI_SETTER(DataSize) JXT_UI_SETTER(DefaultWidth) JXT_UI_SETTER(Dest) \
    JXT_UI_SETTER(DialogCaption) JXT_UI_SETTER(DragCursor) JXT_UI_SETTER(DragMode) \
    JXT_UI_SETTER(Drive) JXT_UI_SETTER(Enabled) JXT_UI_SETTER(FadeStyle) JXT_UI_SETTER(FileName) \
    JXT_UI_SETTER(FilePattern) JXT_UI_SETTER(FileProgressGauge) JXT_UI_SETTER(FillBitmap) \
    JXT_UI_SETTER(FillStyle) JXT_UI_SETTER(FontActiveColor) JXT_UI_SETTER(FontActiveUnderline) \
    JXT_UI_SETTER(FormMaxHeight) JXT_UI_SETTER(FormMaxWidth) JXT_UI_SETTER(FormMinHeight) \
    JXT_UI_SETTER(FormMinWidth) JXT_UI_SETTER(FormatTag) JXT_UI_SETTER(Friction) \
    JXT_UI_SETTER(Glyph) JXT_UI_SETTER(GraphColor) JXT_UI_SETTER(Gravitation) \
    JXT_UI_SETTER(Height) JXT_UI_SETTER(HelpContext) JXT_UI_SETTER(HelpFile) JXT_UI_SETTER(Hint) \
    JXT_UI_SETTER(HintHidePause) JXT_UI_SETTER(HintPause) JXT_UI_SETTER(HintPosition) \
    JXT_UI_SETTER(INIFileName) JXT_UI_SETTER(Icon) JXT_UI_SETTER(IconCount) \
    JXT_UI_SETTER(IconFileName) JXT_UI_SETTER(Image) JXT_UI_SETTER(Interval) \
    JXT_UI_SETTER(ItemHeight) JXT_UI_SETTER(Items) JXT_UI_SETTER(Kind) JXT_UI_SETTER(LCDHiColor) \
    JXT_UI_SETTER(LCDLoColor) JXT_UI_SETTER(LED) JXT_UI_SETTER(LEDColor) \
    JXT_UI_SETTER(LEDInterval) JXT_UI_SETTER(Layout) JXT_UI_SETTER(Left) JXT_UI_SETTER(Locked) \
    JXT_UI_SETTER(MaxStars) JXT_UI_SETTER(MaxValue) JXT_UI_SETTER(MinValue) \
    JXT_UI_SETTER(ModellItems) JXT_UI_SETTER(NoRefresh) JXT_UI_SETTER(Orientation) \
    JXT_UI_SETTER(OutOfClient) JXT_UI_SETTER(OverWrite) JXT_UI_SETTER(OverWriteMsg) \
    JXT_UI_SETTER(Page) JXT_UI_SETTER(ParentColor) JXT_UI_SETTER(ParentCtl3D) \
    JXT_UI_SETTER(ParentFont) JXT_UI_SETTER(ParentShowHint) JXT_UI_SETTER(Perspective) \
    JXT_UI_SETTER(PicCount) JXT_UI_SETTER(PicHeight) JXT_UI_SETTER(PicMinHeight) \
    JXT_UI_SETTER(PicMinWidth) JXT_UI_SETTER(PicNoCacheSize) JXT_UI_SETTER(PicOffset) \
    JXT_UI_SETTER(PicPattern) JXT_UI_SETTER(PicType) JXT_UI_SETTER(PicWidth) \
    JXT_UI_SETTER(Picture) JXT_UI_SETTER(PictureOFF) JXT_UI_SETTER(PictureON) \
    JXT_UI_SETTER(Pitch) JXT_UI_SETTER(PlayTime) JXT_UI_SETTER(PointCaption) \
    JXT_UI_SETTER(PopupAlign) JXT_UI_SETTER(PopupMenu) JXT_UI_SETTER(ProcessMessages) \
    JXT_UI_SETTER(Progress) JXT_UI_SETTER(RBFromColor) JXT_UI_SETTER(RBSteps) \
    JXT_UI_SETTER(RBToColor) JXT_UI_SETTER(ReversePlay) JXT_UI_SETTER(Rows) \
    JXT_UI_SETTER(SNDFlags) JXT_UI_SETTER(SamplesPerSec) JXT_UI_SETTER(SaveLastRes) \
    JXT_UI_SETTER(SaveWinPos) JXT_UI_SETTER(Scaled) JXT_UI_SETTER(ScrollChar) \
    JXT_UI_SETTER(ScrollHorizontal) JXT_UI_SETTER(SegmentSize) JXT_UI_SETTER(SelFont) \
    JXT_UI_SETTER(Shadow) JXT_UI_SETTER(ShadowColor) JXT_UI_SETTER(ShadowDepth) \
    JXT_UI_SETTER(ShowCircles) JXT_UI_SETTER(ShowCopyDialog) JXT_UI_SETTER(ShowHint) \
    JXT_UI_SETTER(ShowLines) JXT_UI_SETTER(ShowPeak) JXT_UI_SETTER(ShowPicture) \
    JXT_UI_SETTER(ShowPolygons) JXT_UI_SETTER(Silence) JXT_UI_SETTER(Sorted) \
    JXT_UI_SETTER(Source) JXT_UI_SETTER(Spacing) JXT_UI_SETTER(StartPath) \
    JXT_UI_SETTER(StartXPos) JXT_UI_SETTER(StartXSpeed) JXT_UI_SETTER(StartYPos) \
    JXT_UI_SETTER(StartYSpeed) JXT_UI_SETTER(Steps) JXT_UI_SETTER(Stretch) JXT_UI_SETTER(Style) \
    JXT_UI_SETTER(SubDirs) JXT_UI_SETTER(Subdirs) JXT_UI_SETTER(TabIndex) \
    JXT_UI_SETTER(TabOrder) JXT_UI_SETTER(TabStop) JXT_UI_SETTER(Tag) \
    JXT_UI_SETTER(TaskBarAutoHide) JXT_UI_SETTER(TaskBarAutoRemove) JXT_UI_SETTER(TaskBarIcon) \
    JXT_UI_SETTER(TaskBarPopupMenu) JXT_UI_SETTER(TaskBarTip) JXT_UI_SETTER(Thickness) \
    JXT_UI_SETTER(Title) JXT_UI_SETTER(Top) JXT_UI_SETTER(TopAlignment) \
    JXT_UI_SETTER(TopCaption) JXT_UI_SETTER(TopFont) JXT_UI_SETTER(Transparent) \
    JXT_UI_SETTER(TrueTypeOnly) JXT_UI_SETTER(Value) JXT_UI_SETTER(Visible) JXT_UI_SETTER(Width) \
    JXT_UI_SETTER(WindowA) JXT_UI_SETTER(WindowB) JXT_UI_SETTER(XPosition) \
    JXT_UI_SETTER(XRotation) JXT_UI_SETTER(YPosition) JXT_UI_SETTER(YRotation) \
    JXT_UI_SETTER(ZPosition) JXT_UI_SETTER(ZRotation) JXT_UI_SETTER(Zoom) \
    using QWidget::setStyle;  /* a QStyle still goes to the widget */                              \
    using QWidget::setLayout; /* and a QLayout */                                                  \
    using QWidget::setCursor; /* and a QCursor */                                                  \
    /* Font and QWidget's font both come as setFont: a published Font takes it, else the widget */ \
    void setFont(const QFont &font)                                                                \
    {                                                                                              \
        if (this->metaObject()->indexOfProperty("Font") < 0 || !this->setProperty("Font", font))   \
            QWidget::setFont(font);                                                                \
    }

#define JXT_UI_COLOR(Class, Name)                                                                  \
    QColor Name##Color() const                                                                     \
    {                                                                                              \
        return ::jxt::ui::DesignerColor(::jxt::ui::ReadColor<::jxt::Class>(this, #Name));          \
    }                                                                                              \
    void Set##Name##Color(const QColor &c) { ::jxt::ui::WriteColor<::jxt::Class>(this, #Name, c); }

#define JXT_UI_FONT(Class, Name)                                                                   \
    QFont Name##Value() const                                                                      \
    {                                                                                              \
        return ::jxt::ui::FontValue(::jxt::ui::ReadFont<::jxt::Class>(this, #Name));              \
    }                                                                                              \
    void Set##Name##Value(const QFont &f)                                                          \
    {                                                                                              \
        ::jxt::ui::SetFontValue(::jxt::ui::ReadFont<::jxt::Class>(this, #Name), f);               \
    }

#define JXT_UI_PICTURE(Class, Name)                                                                \
    QPixmap Name##Pixmap() const                                                                   \
    {                                                                                              \
        return ::jxt::ui::PicturePixmap(                                                           \
            ::jxt::ui::BaseProperty<::jxt::Class>(#Name).read(this));                             \
    }                                                                                              \
    void Set##Name##Pixmap(const QPixmap &p)                                                       \
    {                                                                                              \
        ::jxt::ui::WritePicture(this, ::jxt::ui::BaseProperty<::jxt::Class>(#Name), p);            \
    }

#define JXT_UI_ABOUT                                                                               \
    QString AboutJXToolsText() const { return ::jxt::ui::AboutEntryText(); }                       \
    void SetAboutJXToolsText(const QString &text) { ::jxt::ui::AboutEntryEdited(this, text); }

// The dot-matrix panel's user font: a picture given here is used as the font bitmap; no
// picture goes back to the built-in font.
#define JXT_UI_DOTIMAGE                                                                            \
    QPixmap DOTImagePixmap() const { return m_dotImagePixmap; }                                    \
    void SetDOTImagePixmap(const QPixmap &p)                                                       \
    {                                                                                              \
        m_dotImagePixmap = p;                                                                      \
        if (p.isNull()) {                                                                          \
            UseBuiltInFont();                                                                      \
            return;                                                                                \
        }                                                                                          \
        TBitmap bitmap;                                                                            \
        bitmap.SetImage(p.toImage().convertToFormat(QImage::Format_RGB32));                        \
        SetDOTBitmap(&bitmap);                                                                     \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    QPixmap m_dotImagePixmap;                                                                      \
                                                                                                   \
public:
// clang-format on

// The classes carry their own meta-object, so Qt Designer stores forms with these names and
// the generated code constructs them.
#define JXT_UI_CONSTRUCTOR(Class)                                                                  \
    explicit Class(QWidget *parent = nullptr) : ::jxt::Class(::jxt::ui::OwnerFor(parent))          \
    {                                                                                              \
        ::jxt::ui::PlaceOn(this, parent);                                                          \
        ::jxt::ui::LoadLater(this);                                                                \
    }                                                                                              \
    JXT_UI_SETTERS

class JXT_EXPORT TJXAnimate : public ::jxt::TJXAnimate
{
    Q_OBJECT
    /// Again after Cols and Rows, so a form sets the frame once the grid has its size (a
    /// frame beyond the grid would become 0).
    Q_PROPERTY(int AktPic READ AktPic WRITE SetAktPic)
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap Picture READ PicturePixmap WRITE SetPicturePixmap)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXAnimate)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXAnimate, Picture)
};

class JXT_EXPORT TJXPicClip : public ::jxt::TJXPicClip
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(jxt::TImage *Image READ Image WRITE SetImage DESIGNABLE false)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXPicClip)
    JXT_UI_ABOUT
};

class JXT_EXPORT TJXScrollText : public ::jxt::TJXScrollText
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor ShadowColor READ ShadowColorColor WRITE SetShadowColorColor)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXScrollText)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXScrollText, ShadowColor)
    JXT_UI_COLOR(TJXScrollText, Color)
    JXT_UI_FONT(TJXScrollText, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXStars : public ::jxt::TJXStars
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)

public:
    JXT_UI_CONSTRUCTOR(TJXStars)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXStars, Color)
};

class JXT_EXPORT TJXBounce : public ::jxt::TJXBounce
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(jxt::TControl *Control READ Control WRITE SetControl DESIGNABLE false)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)

public:
    JXT_UI_CONSTRUCTOR(TJXBounce)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXBounce, Color)
};

class JXT_EXPORT TJX3D : public ::jxt::TJX3D
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap Picture READ PicturePixmap WRITE SetPicturePixmap)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)

public:
    JXT_UI_CONSTRUCTOR(TJX3D)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJX3D, Picture)
    JXT_UI_COLOR(TJX3D, Color)
};

#if JXT_WITH_SOUND
class JXT_EXPORT TJXWAV : public ::jxt::TJXWAV
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileNameKept)
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(int FormatTag READ FormatTagNumber WRITE SetFormatTagNumber)
    Q_PROPERTY(int Channels READ ChannelsNumber WRITE SetChannelsNumber)
    Q_PROPERTY(double PlayTime READ PlayTimeNumber WRITE SetPlayTimeNumber)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXWAV)
    /// A form keeps its file name even when the file cannot be read where it is loaded (the
    /// sound is then simply missing), so loading a form never fails on it.
    void SetFileNameKept(const QString &name)
    {
        try {
            SetFileName(name);
        } catch (const ::jxt::Exception &) {
        }
    }
    JXT_UI_ABOUT
    /// FormatTag, Channels and PlayTime in the number types Designer edits (the 16-bit
    /// values held within 0..65535).
    //!@{
    int FormatTagNumber() const { return int(this->FormatTag()); }
    void SetFormatTagNumber(int v) { this->SetFormatTag(quint16(std::clamp(v, 0, 0xFFFF))); }
    int ChannelsNumber() const { return int(this->Channels()); }
    void SetChannelsNumber(int v) { this->SetChannels(quint16(std::clamp(v, 0, 0xFFFF))); }
    double PlayTimeNumber() const { return double(this->PlayTime()); }
    void SetPlayTimeNumber(double v) { this->SetPlayTime(float(v)); }
    //!@}
    JXT_UI_COLOR(TJXWAV, Color)
};
#endif

class JXT_EXPORT TJXGauge : public ::jxt::TJXGauge
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor BoxColor READ BoxColorColor WRITE SetBoxColorColor)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXGauge)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXGauge, BoxColor)
    JXT_UI_COLOR(TJXGauge, Color)
    JXT_UI_FONT(TJXGauge, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXLCDPanel : public ::jxt::TJXLCDPanel
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor LCDHiColor READ LCDHiColorColor WRITE SetLCDHiColorColor)
    Q_PROPERTY(QColor LCDLoColor READ LCDLoColorColor WRITE SetLCDLoColorColor)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)

public:
    JXT_UI_CONSTRUCTOR(TJXLCDPanel)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXLCDPanel, LCDHiColor)
    JXT_UI_COLOR(TJXLCDPanel, LCDLoColor)
    JXT_UI_COLOR(TJXLCDPanel, Color)
};

class JXT_EXPORT TJXDOTPanel : public ::jxt::TJXDOTPanel
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QPixmap DOTImage READ DOTImagePixmap WRITE SetDOTImagePixmap)
    Q_PROPERTY(QColor DOTHiColor READ DOTHiColorColor WRITE SetDOTHiColorColor)
    Q_PROPERTY(QColor DOTLoColor READ DOTLoColorColor WRITE SetDOTLoColorColor)

public:
    JXT_UI_CONSTRUCTOR(TJXDOTPanel)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXDOTPanel, Color)
    JXT_UI_DOTIMAGE
    JXT_UI_COLOR(TJXDOTPanel, DOTHiColor)
    JXT_UI_COLOR(TJXDOTPanel, DOTLoColor)
};

class JXT_EXPORT TJX3dLabel : public ::jxt::TJX3dLabel
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor ShadowColor READ ShadowColorColor WRITE SetShadowColorColor)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJX3dLabel)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJX3dLabel, ShadowColor)
    JXT_UI_COLOR(TJX3dLabel, Color)
    JXT_UI_FONT(TJX3dLabel, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXPanel : public ::jxt::TJXPanel
{
    Q_OBJECT
    /// Designer keeps the order of the controls itself (its tab order mode).
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder DESIGNABLE false)
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor GraphColor READ GraphColorColor WRITE SetGraphColorColor)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXPanel)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXPanel, GraphColor)
    JXT_UI_COLOR(TJXPanel, Color)
    JXT_UI_FONT(TJXPanel, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXPicBox : public ::jxt::TJXPicBox
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap BackPic READ BackPicPixmap WRITE SetBackPicPixmap)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXPicBox)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXPicBox, BackPic)
    JXT_UI_COLOR(TJXPicBox, Color)
    JXT_UI_FONT(TJXPicBox, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXIcoBox : public ::jxt::TJXIcoBox
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap BacKPic READ BacKPicPixmap WRITE SetBacKPicPixmap)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXIcoBox)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXIcoBox, BacKPic)
    JXT_UI_COLOR(TJXIcoBox, Color)
    JXT_UI_FONT(TJXIcoBox, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

#if JXT_WITH_FONTS
class JXT_EXPORT TJXFontCombo : public ::jxt::TJXFontCombo
{
    Q_OBJECT
    /// Designer keeps the order of the controls itself (its tab order mode).
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder DESIGNABLE false)
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(jxt::TWinControl *Control READ Control WRITE SetControl DESIGNABLE false)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)
    Q_PROPERTY(QCursor cursor READ cursor WRITE SetQtCursor DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXFontCombo)
    JXT_UI_ABOUT
    JXT_UI_FONT(TJXFontCombo, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
    void SetQtCursor(const QCursor &c) { QWidget::setCursor(c); }
};
#endif

class JXT_EXPORT TJXDriveTab : public ::jxt::TJXDriveTab
{
    Q_OBJECT
    /// The selected tab follows Drive (the tabs are the drives of the machine it runs on).
    Q_PROPERTY(int TabIndex READ TabIndex WRITE SetTabIndex DESIGNABLE false)
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXDriveTab)
    JXT_UI_ABOUT
    JXT_UI_FONT(TJXDriveTab, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXBiBtn : public ::jxt::TJXBiBtn
{
    Q_OBJECT
    /// Designer keeps the order of the controls itself (its tab order mode).
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder DESIGNABLE false)
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor LEDColor READ LEDColorColor WRITE SetLEDColorColor)
    Q_PROPERTY(QPixmap PictureON READ PictureONPixmap WRITE SetPictureONPixmap)
    Q_PROPERTY(QPixmap PictureOFF READ PictureOFFPixmap WRITE SetPictureOFFPixmap)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXBiBtn)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXBiBtn, LEDColor)
    JXT_UI_PICTURE(TJXBiBtn, PictureON)
    JXT_UI_PICTURE(TJXBiBtn, PictureOFF)
    JXT_UI_COLOR(TJXBiBtn, Color)
    JXT_UI_FONT(TJXBiBtn, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXAutoButton : public ::jxt::TJXAutoButton
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor FontActiveColor READ FontActiveColorColor WRITE SetFontActiveColorColor)
    Q_PROPERTY(QPixmap Glyph READ GlyphPixmap WRITE SetGlyphPixmap)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu DESIGNABLE false)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXAutoButton)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXAutoButton, FontActiveColor)
    JXT_UI_PICTURE(TJXAutoButton, Glyph)
    JXT_UI_COLOR(TJXAutoButton, Color)
    JXT_UI_FONT(TJXAutoButton, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXBlinker : public ::jxt::TJXBlinker
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor BlinkHiColor READ BlinkHiColorColor WRITE SetBlinkHiColorColor)
    Q_PROPERTY(QColor BlinkLoColor READ BlinkLoColorColor WRITE SetBlinkLoColorColor)
    Q_PROPERTY(QColor BlinkInAktColor READ BlinkInAktColorColor WRITE SetBlinkInAktColorColor)
    Q_PROPERTY(jxt::TControl *Control READ Control WRITE SetControl DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXBlinker)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXBlinker, BlinkHiColor)
    JXT_UI_COLOR(TJXBlinker, BlinkLoColor)
    JXT_UI_COLOR(TJXBlinker, BlinkInAktColor)
};

class JXT_EXPORT TJXGrabBar : public ::jxt::TJXGrabBar
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(jxt::TWinControl *WindowA READ WindowA WRITE SetWindowA DESIGNABLE false)
    Q_PROPERTY(jxt::TWinControl *WindowB READ WindowB WRITE SetWindowB DESIGNABLE false)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)
    Q_PROPERTY(QCursor cursor READ cursor WRITE SetQtCursor DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXGrabBar)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXGrabBar, Color)
    void SetQtCursor(const QCursor &c) { QWidget::setCursor(c); }
};

class JXT_EXPORT TJXApp : public ::jxt::TJXApp
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap Icon READ IconPixmap WRITE SetIconPixmap)
    Q_PROPERTY(QPixmap TaskBarIcon READ TaskBarIconPixmap WRITE SetTaskBarIconPixmap)
    Q_PROPERTY(jxt::TPopupMenu *TaskBarPopupMenu READ TaskBarPopupMenu WRITE SetTaskBarPopupMenu
                   DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXApp)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXApp, Icon)
    JXT_UI_PICTURE(TJXApp, TaskBarIcon)
};

class JXT_EXPORT TJXCopy : public ::jxt::TJXCopy
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(jxt::TJXGauge *CopyProgressGauge READ CopyProgressGauge WRITE SetCopyProgressGauge
                   DESIGNABLE false)
    Q_PROPERTY(jxt::TJXGauge *FileProgressGauge READ FileProgressGauge WRITE SetFileProgressGauge
                   DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXCopy)
    JXT_UI_ABOUT
};

class JXT_EXPORT TJXFind : public ::jxt::TJXFind
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)

public:
    JXT_UI_CONSTRUCTOR(TJXFind)
    JXT_UI_ABOUT
};

class JXT_EXPORT TJXForm : public ::jxt::TJXForm
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap FillBitmap READ FillBitmapPixmap WRITE SetFillBitmapPixmap)
    Q_PROPERTY(QColor RBFromColor READ RBFromColorColor WRITE SetRBFromColorColor)
    Q_PROPERTY(QColor RBToColor READ RBToColorColor WRITE SetRBToColorColor)

public:
    JXT_UI_CONSTRUCTOR(TJXForm)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXForm, FillBitmap)
    JXT_UI_COLOR(TJXForm, RBFromColor)
    JXT_UI_COLOR(TJXForm, RBToColor)
};

class JXT_EXPORT TJXFillImage : public ::jxt::TJXFillImage
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap FillBitmap READ FillBitmapPixmap WRITE SetFillBitmapPixmap)
    Q_PROPERTY(QColor RBFromColor READ RBFromColorColor WRITE SetRBFromColorColor)
    Q_PROPERTY(QColor RBToColor READ RBToColorColor WRITE SetRBToColorColor)
    Q_PROPERTY(bool enabled READ Enabled WRITE SetEnabled DESIGNABLE false)
    Q_PROPERTY(QString toolTip READ Hint WRITE SetHint DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXFillImage)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXFillImage, FillBitmap)
    JXT_UI_COLOR(TJXFillImage, RBFromColor)
    JXT_UI_COLOR(TJXFillImage, RBToColor)
};

class JXT_EXPORT TJXFxImage : public ::jxt::TJXFxImage
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QPixmap Picture READ PicturePixmap WRITE SetPicturePixmap)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXFxImage)
    JXT_UI_ABOUT
    JXT_UI_PICTURE(TJXFxImage, Picture)
    JXT_UI_COLOR(TJXFxImage, Color)
    JXT_UI_FONT(TJXFxImage, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXHint : public ::jxt::TJXHint
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QColor Color READ ColorColor WRITE SetColorColor)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXHint)
    JXT_UI_ABOUT
    JXT_UI_COLOR(TJXHint, Color)
    JXT_UI_FONT(TJXHint, Font)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};

class JXT_EXPORT TJXINI : public ::jxt::TJXINI
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)

public:
    JXT_UI_CONSTRUCTOR(TJXINI)
    JXT_UI_ABOUT
};

#if JXT_WITH_PRINTING
class JXT_EXPORT TJXPrinter : public ::jxt::TJXPrinter
{
    Q_OBJECT
    Q_PROPERTY(QString About_JXTools READ AboutJXToolsText WRITE SetAboutJXToolsText STORED false)
    Q_PROPERTY(QFont BottomFont READ BottomFontValue WRITE SetBottomFontValue)
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QFont TopFont READ TopFontValue WRITE SetTopFontValue)
    Q_PROPERTY(QFont font READ font WRITE SetQtFont DESIGNABLE false)

public:
    JXT_UI_CONSTRUCTOR(TJXPrinter)
    JXT_UI_ABOUT
    JXT_UI_FONT(TJXPrinter, BottomFont)
    JXT_UI_FONT(TJXPrinter, Font)
    JXT_UI_FONT(TJXPrinter, TopFont)
    void SetQtFont(const QFont &f) { QWidget::setFont(f); }
};
#endif

#undef JXT_UI_CONSTRUCTOR
#undef JXT_UI_COLOR
#undef JXT_UI_FONT
#undef JXT_UI_PICTURE
#undef JXT_UI_ABOUT
#undef JXT_UI_DOTIMAGE
#undef JXT_UI_SETTERS
#undef JXT_UI_SETTER

/// Creates the widget class of that component class name (e.g. "TJXGauge") on parent.
using TWidgetFactory = std::function<QWidget *(QWidget *parent)>;

/// The widget classes above by the name of the component class they stand for.
inline const std::map<QString, TWidgetFactory> &WidgetFactories()
{
    static const std::map<QString, TWidgetFactory> factories =
    { {QStringLiteral("TJXPicClip"), [](QWidget *p) -> QWidget * { return new TJXPicClip(p); }},
      {QStringLiteral("TJXScrollText"),
       [](QWidget *p) -> QWidget * { return new TJXScrollText(p); }},
#if JXT_WITH_SOUND
      {QStringLiteral("TJXWAV"), [](QWidget *p) -> QWidget * { return new TJXWAV(p); }},
#endif
      {QStringLiteral("TJXGauge"), [](QWidget *p) -> QWidget * { return new TJXGauge(p); }},
      {QStringLiteral("TJXLCDPanel"), [](QWidget *p) -> QWidget * { return new TJXLCDPanel(p); }},
      {QStringLiteral("TJXDOTPanel"), [](QWidget *p) -> QWidget * { return new TJXDOTPanel(p); }},
      {QStringLiteral("TJX3dLabel"), [](QWidget *p) -> QWidget * { return new TJX3dLabel(p); }},
      {QStringLiteral("TJXPanel"), [](QWidget *p) -> QWidget * { return new TJXPanel(p); }},
      {QStringLiteral("TJXPicBox"), [](QWidget *p) -> QWidget * { return new TJXPicBox(p); }},
      {QStringLiteral("TJXIcoBox"), [](QWidget *p) -> QWidget * { return new TJXIcoBox(p); }},
#if JXT_WITH_FONTS
      {QStringLiteral("TJXFontCombo"), [](QWidget *p) -> QWidget * { return new TJXFontCombo(p); }},
#endif
      {QStringLiteral("TJXDriveTab"), [](QWidget *p) -> QWidget * { return new TJXDriveTab(p); }},
      {QStringLiteral("TJXBiBtn"), [](QWidget *p) -> QWidget * { return new TJXBiBtn(p); }},
      {QStringLiteral("TJXAutoButton"),
       [](QWidget *p) -> QWidget * { return new TJXAutoButton(p); }},
      {QStringLiteral("TJXBlinker"), [](QWidget *p) -> QWidget * { return new TJXBlinker(p); }},
      {QStringLiteral("TJXAnimate"), [](QWidget *p) -> QWidget * { return new TJXAnimate(p); }},
      {QStringLiteral("TJXStars"), [](QWidget *p) -> QWidget * { return new TJXStars(p); }},
      {QStringLiteral("TJXBounce"), [](QWidget *p) -> QWidget * { return new TJXBounce(p); }},
      {QStringLiteral("TJXGrabBar"), [](QWidget *p) -> QWidget * { return new TJXGrabBar(p); }},
      {QStringLiteral("TJX3D"), [](QWidget *p) -> QWidget * { return new TJX3D(p); }},
      {QStringLiteral("TJXFillImage"), [](QWidget *p) -> QWidget * { return new TJXFillImage(p); }},
      {QStringLiteral("TJXFxImage"), [](QWidget *p) -> QWidget * { return new TJXFxImage(p); }},
      {QStringLiteral("TJXCopy"), [](QWidget *p) -> QWidget * { return new TJXCopy(p); }},
      {QStringLiteral("TJXFind"), [](QWidget *p) -> QWidget * { return new TJXFind(p); }},
      {QStringLiteral("TJXHint"), [](QWidget *p) -> QWidget * { return new TJXHint(p); }},
      {QStringLiteral("TJXINI"), [](QWidget *p) -> QWidget * { return new TJXINI(p); }},
#if JXT_WITH_PRINTING
      {QStringLiteral("TJXPrinter"), [](QWidget *p) -> QWidget * { return new TJXPrinter(p); }},
#endif
      {QStringLiteral("TJXApp"), [](QWidget *p) -> QWidget * { return new TJXApp(p); }},
      {QStringLiteral("TJXForm"), [](QWidget *p) -> QWidget * { return new TJXForm(p); }},
    };
    return factories;
}

} // namespace ui
} // namespace jxt
