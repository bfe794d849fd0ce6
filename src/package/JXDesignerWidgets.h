// SPDX-License-Identifier: MIT
// Widget classes for forms made in Qt Designer: code generated from a .ui file creates
// widgets as `new Class(parentWidget)`, while the components take their owner. Each class
// here takes the parent widget, finds the owner among its ancestors and places itself on it.
#pragma once

#include "base/Export.h"

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
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "services/JXApp.h"
#include "services/JXCopy.h"
#include "services/JXFind.h"
#include "services/JXHint.h"
#include "services/JXINI.h"
#include "services/JXPrinter.h"
#include "services/JXWAV.h"

#include <QFont>
#include <QMetaProperty>
#include <QString>
#include <QVariant>
#include <QWidget>

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
    JXT_UI_SETTER(AdjustToParent) JXT_UI_SETTER(Align) JXT_UI_SETTER(Alignment) JXT_UI_SETTER(AutoScroll) \
    JXT_UI_SETTER(AutoSize) JXT_UI_SETTER(BevelInner) JXT_UI_SETTER(BevelOuter) JXT_UI_SETTER(BevelWidth) \
    JXT_UI_SETTER(Blink) JXT_UI_SETTER(BlinkHiColor) JXT_UI_SETTER(BlinkInAktColor) JXT_UI_SETTER(BlinkLoColor) \
    JXT_UI_SETTER(BlinkStyle) JXT_UI_SETTER(BorderSize) JXT_UI_SETTER(BorderStyle) JXT_UI_SETTER(BorderWidth) \
    JXT_UI_SETTER(BoxColor) JXT_UI_SETTER(BoxPreview) JXT_UI_SETTER(Boxes) JXT_UI_SETTER(Caption) \
    JXT_UI_SETTER(CaptionFormat) JXT_UI_SETTER(CaptionSpacing) JXT_UI_SETTER(CaptionStyle) JXT_UI_SETTER(Color) \
    JXT_UI_SETTER(Channels) JXT_UI_SETTER(DataSize) JXT_UI_SETTER(FormatTag) JXT_UI_SETTER(PlayTime) \
    JXT_UI_SETTER(SamplesPerSec) JXT_UI_SETTER(Silence) JXT_UI_SETTER(SNDFlags) \
    JXT_UI_SETTER(Columns) JXT_UI_SETTER(DOTCharSet) JXT_UI_SETTER(DOTColumns) JXT_UI_SETTER(DOTHiColor) \
    JXT_UI_SETTER(DOTLoColor) JXT_UI_SETTER(DOTRows) JXT_UI_SETTER(DOTSpace) JXT_UI_SETTER(DOTStretch) \
    JXT_UI_SETTER(Enabled) JXT_UI_SETTER(FillStyle) JXT_UI_SETTER(FormMaxHeight) JXT_UI_SETTER(FormMaxWidth) \
    JXT_UI_SETTER(FormMinHeight) JXT_UI_SETTER(FormMinWidth) JXT_UI_SETTER(GraphColor) JXT_UI_SETTER(HelpFile) JXT_UI_SETTER(Hint) JXT_UI_SETTER(Interval) \
    JXT_UI_SETTER(Items) JXT_UI_SETTER(Kind) JXT_UI_SETTER(LCDHiColor) JXT_UI_SETTER(LCDLoColor) \
    JXT_UI_SETTER(Locked) JXT_UI_SETTER(MaxValue) JXT_UI_SETTER(MinValue) JXT_UI_SETTER(ModellItems) JXT_UI_SETTER(ParentColor) \
    JXT_UI_SETTER(ParentFont) JXT_UI_SETTER(ParentShowHint) JXT_UI_SETTER(Perspective) JXT_UI_SETTER(PointCaption) \
    JXT_UI_SETTER(Progress) \
    JXT_UI_SETTER(RBFromColor) JXT_UI_SETTER(RBSteps) JXT_UI_SETTER(RBToColor) JXT_UI_SETTER(Rows) \
    JXT_UI_SETTER(ScrollChar) JXT_UI_SETTER(ScrollHorizontal) JXT_UI_SETTER(SegmentSize) JXT_UI_SETTER(Shadow) \
    JXT_UI_SETTER(ShadowColor) JXT_UI_SETTER(ShadowDepth) JXT_UI_SETTER(ShowCircles) JXT_UI_SETTER(ShowHint) JXT_UI_SETTER(ShowLines) \
    JXT_UI_SETTER(ShowPeak) JXT_UI_SETTER(ShowPicture) JXT_UI_SETTER(ShowPolygons) \
    JXT_UI_SETTER(Steps) JXT_UI_SETTER(Style) JXT_UI_SETTER(Tag) JXT_UI_SETTER(TaskBarAutoHide) JXT_UI_SETTER(TaskBarAutoRemove) \
    JXT_UI_SETTER(TaskBarTip) JXT_UI_SETTER(Title) JXT_UI_SETTER(Transparent) \
    JXT_UI_SETTER(Visible) JXT_UI_SETTER(Border) JXT_UI_SETTER(CaptionOff) JXT_UI_SETTER(CaptionOn) \
    JXT_UI_SETTER(LED) JXT_UI_SETTER(LEDColor) JXT_UI_SETTER(LEDInterval) JXT_UI_SETTER(Value) \
    JXT_UI_SETTER(OutOfClient) JXT_UI_SETTER(Thickness) JXT_UI_SETTER(Ctl3D) JXT_UI_SETTER(ParentCtl3D) \
    JXT_UI_SETTER(CharSet) JXT_UI_SETTER(Pitch) JXT_UI_SETTER(SelFont) JXT_UI_SETTER(TrueTypeOnly) \
    JXT_UI_SETTER(Sorted) JXT_UI_SETTER(ItemHeight) JXT_UI_SETTER(Drive) JXT_UI_SETTER(FontActiveColor) \
    JXT_UI_SETTER(FontActiveUnderline) JXT_UI_SETTER(Layout) JXT_UI_SETTER(PopupAlign) JXT_UI_SETTER(Spacing) \
    JXT_UI_SETTER(Stretch) JXT_UI_SETTER(AktPic) JXT_UI_SETTER(Center) JXT_UI_SETTER(Cols) \
    JXT_UI_SETTER(FadeStyle) JXT_UI_SETTER(Friction) JXT_UI_SETTER(Gravitation) JXT_UI_SETTER(MaxStars) \
    JXT_UI_SETTER(NoRefresh) JXT_UI_SETTER(ReversePlay) JXT_UI_SETTER(StartXPos) JXT_UI_SETTER(StartXSpeed) \
    JXT_UI_SETTER(StartYPos) JXT_UI_SETTER(StartYSpeed) \
    JXT_UI_SETTER(DragCursor) JXT_UI_SETTER(DragMode) JXT_UI_SETTER(TabOrder) JXT_UI_SETTER(TabStop) \
    JXT_UI_SETTER(XPosition) JXT_UI_SETTER(XRotation) JXT_UI_SETTER(YPosition) \
    JXT_UI_SETTER(YRotation) JXT_UI_SETTER(ZPosition) JXT_UI_SETTER(ZRotation) JXT_UI_SETTER(Zoom) \
    JXT_UI_SETTER(Active) JXT_UI_SETTER(BufferSize) JXT_UI_SETTER(CopyAttrib) JXT_UI_SETTER(CopyDate) \
    JXT_UI_SETTER(DefaultWidth) JXT_UI_SETTER(Dest) JXT_UI_SETTER(DialogCaption) JXT_UI_SETTER(FilePattern) \
    JXT_UI_SETTER(HintHidePause) JXT_UI_SETTER(HintPause) JXT_UI_SETTER(HintPosition) JXT_UI_SETTER(INIFileName) \
    JXT_UI_SETTER(OverWrite) JXT_UI_SETTER(OverWriteMsg) JXT_UI_SETTER(ProcessMessages) JXT_UI_SETTER(SaveLastRes) \
    JXT_UI_SETTER(SaveWinPos) JXT_UI_SETTER(ShowCopyDialog) JXT_UI_SETTER(Source) JXT_UI_SETTER(StartPath) \
    JXT_UI_SETTER(Subdirs) \
    JXT_UI_SETTER(BottomAlignment) JXT_UI_SETTER(BottomCaption) JXT_UI_SETTER(Orientation) JXT_UI_SETTER(Page) \
    JXT_UI_SETTER(TopAlignment) JXT_UI_SETTER(TopCaption) \
    JXT_UI_SETTER(BorderSpace) JXT_UI_SETTER(CheckForIcons) JXT_UI_SETTER(ControlIndex) JXT_UI_SETTER(IconFileName) JXT_UI_SETTER(PicHeight) JXT_UI_SETTER(PicMinHeight) JXT_UI_SETTER(PicMinWidth) JXT_UI_SETTER(PicNoCacheSize) JXT_UI_SETTER(PicOffset) JXT_UI_SETTER(PicPattern) JXT_UI_SETTER(PicType) JXT_UI_SETTER(PicWidth) JXT_UI_SETTER(Scaled) JXT_UI_SETTER(SubDirs) \
    using QWidget::setStyle; /* a QStyle still goes to the widget */                               \
    /* Font and QWidget's font both come as setFont: a published Font takes it, else the widget */ \
    void setFont(const QFont &font)                                                                \
    {                                                                                              \
        if (this->metaObject()->indexOfProperty("Font") < 0 || !this->setProperty("Font", font))     \
            QWidget::setFont(font);                                                                \
    }

// Qt Designer edits a colour property as text: a colour name ("clBtnFace", "clRed"), which
// keeps a system colour a system colour in the saved form, or "#RRGGBB". Each class shows its
// colour properties through a text property of the same name that reads and writes the
// component's own colour property.
template <typename Base> QString ColorText(const QObject *object, const char *name)
{
    const QMetaObject &meta = Base::staticMetaObject;
    const QMetaProperty p = meta.property(meta.indexOfProperty(name));
    return p.read(object).template value<TColorValue>().ToString();
}
template <typename Base> void SetColorText(QObject *object, const char *name, const QString &text)
{
    TColor color = clBlack;
    if (!TColorValue::FromString(text, color))
        return; // a text that names no colour leaves the colour as it was
    const QMetaObject &meta = Base::staticMetaObject;
    meta.property(meta.indexOfProperty(name))
        .write(object, QVariant::fromValue(TColorValue(color)));
}
#define JXT_UI_COLOR(Class, Name)                                                                  \
    QString Name##Text() const                                                                     \
    {                                                                                              \
        return ::jxt::ui::ColorText<::jxt::Class>(this, #Name);                                    \
    }                                                                                              \
    void Set##Name##Text(const QString &text)                                                      \
    {                                                                                              \
        ::jxt::ui::SetColorText<::jxt::Class>(this, #Name, text);                                  \
    }

// Designer edits Font as a QFont (family, point size, bold, italic, underline, strike-out);
// the font colour stays as it is.
inline QFont FontValue(const TFont *font)
{
    QFont f(font->Name());
    if (font->Size() > 0)
        f.setPointSize(font->Size());
    f.setBold(font->Style().Contains(fsBold));
    f.setItalic(font->Style().Contains(fsItalic));
    f.setUnderline(font->Style().Contains(fsUnderline));
    f.setStrikeOut(font->Style().Contains(fsStrikeOut));
    return f;
}
inline void SetFontValue(TFont *font, const QFont &f)
{
    if (!f.family().isEmpty())
        font->SetName(f.family());
    if (f.pointSize() > 0)
        font->SetSize(f.pointSize());
    TFontStyles style;
    if (f.bold())
        style.Include(fsBold);
    if (f.italic())
        style.Include(fsItalic);
    if (f.underline())
        style.Include(fsUnderline);
    if (f.strikeOut())
        style.Include(fsStrikeOut);
    font->SetStyle(style);
}
#define JXT_UI_FONT                                                                                \
    QFont FontValue() const                                                                        \
    {                                                                                              \
        return ::jxt::ui::FontValue(this->Font());                                                 \
    }                                                                                              \
    void SetFontValue(const QFont &f)                                                              \
    {                                                                                              \
        ::jxt::ui::SetFontValue(this->Font(), f);                                                  \
    }
// clang-format on

// The classes carry their own meta-object, so Qt Designer stores forms with these names and
// the generated code constructs them.
#define JXT_UI_CONSTRUCTOR(Class)                                                                  \
    explicit Class(QWidget *parent = nullptr) : ::jxt::Class(::jxt::ui::OwnerFor(parent))          \
    {                                                                                              \
        ::jxt::ui::PlaceOn(this, parent);                                                          \
    }                                                                                              \
    JXT_UI_SETTERS

class JXT_EXPORT TJXScrollText : public ::jxt::TJXScrollText
{
    Q_OBJECT
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
    Q_PROPERTY(QString ShadowColor READ ShadowColorText WRITE SetShadowColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXScrollText)
    JXT_UI_FONT
    JXT_UI_COLOR(TJXScrollText, Color)
    JXT_UI_COLOR(TJXScrollText, ShadowColor)
};

class JXT_EXPORT TJXGauge : public ::jxt::TJXGauge
{
    Q_OBJECT
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QString BoxColor READ BoxColorText WRITE SetBoxColorText)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXGauge)
    JXT_UI_FONT
    JXT_UI_COLOR(TJXGauge, BoxColor)
    JXT_UI_COLOR(TJXGauge, Color)
};

class JXT_EXPORT TJXLCDPanel : public ::jxt::TJXLCDPanel
{
    Q_OBJECT
    Q_PROPERTY(QString LCDHiColor READ LCDHiColorText WRITE SetLCDHiColorText)
    Q_PROPERTY(QString LCDLoColor READ LCDLoColorText WRITE SetLCDLoColorText)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXLCDPanel)
    JXT_UI_COLOR(TJXLCDPanel, LCDHiColor)
    JXT_UI_COLOR(TJXLCDPanel, LCDLoColor)
    JXT_UI_COLOR(TJXLCDPanel, Color)
};

class JXT_EXPORT TJXDOTPanel : public ::jxt::TJXDOTPanel
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
    Q_PROPERTY(QString DOTHiColor READ DOTHiColorText WRITE SetDOTHiColorText)
    Q_PROPERTY(QString DOTLoColor READ DOTLoColorText WRITE SetDOTLoColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXDOTPanel)
    JXT_UI_COLOR(TJXDOTPanel, Color)
    JXT_UI_COLOR(TJXDOTPanel, DOTHiColor)
    JXT_UI_COLOR(TJXDOTPanel, DOTLoColor)
};

class JXT_EXPORT TJX3dLabel : public ::jxt::TJX3dLabel
{
    Q_OBJECT
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QString ShadowColor READ ShadowColorText WRITE SetShadowColorText)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJX3dLabel)
    JXT_UI_FONT
    JXT_UI_COLOR(TJX3dLabel, ShadowColor)
    JXT_UI_COLOR(TJX3dLabel, Color)
};

class JXT_EXPORT TJXPanel : public ::jxt::TJXPanel
{
    Q_OBJECT
    Q_PROPERTY(QFont Font READ FontValue WRITE SetFontValue)
    Q_PROPERTY(QString GraphColor READ GraphColorText WRITE SetGraphColorText)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXPanel)
    JXT_UI_FONT
    JXT_UI_COLOR(TJXPanel, GraphColor)
    JXT_UI_COLOR(TJXPanel, Color)
};

class JXT_EXPORT TJXFontCombo : public ::jxt::TJXFontCombo
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXFontCombo)
};

class JXT_EXPORT TJXDriveTab : public ::jxt::TJXDriveTab
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXDriveTab)
};

class JXT_EXPORT TJXBiBtn : public ::jxt::TJXBiBtn
{
    Q_OBJECT
    Q_PROPERTY(QString LEDColor READ LEDColorText WRITE SetLEDColorText)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXBiBtn)
    JXT_UI_COLOR(TJXBiBtn, LEDColor)
    JXT_UI_COLOR(TJXBiBtn, Color)
};

class JXT_EXPORT TJXBlinker : public ::jxt::TJXBlinker
{
    Q_OBJECT
    Q_PROPERTY(QString BlinkHiColor READ BlinkHiColorText WRITE SetBlinkHiColorText)
    Q_PROPERTY(QString BlinkLoColor READ BlinkLoColorText WRITE SetBlinkLoColorText)
    Q_PROPERTY(QString BlinkInAktColor READ BlinkInAktColorText WRITE SetBlinkInAktColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXBlinker)
    JXT_UI_COLOR(TJXBlinker, BlinkHiColor)
    JXT_UI_COLOR(TJXBlinker, BlinkLoColor)
    JXT_UI_COLOR(TJXBlinker, BlinkInAktColor)
};

class JXT_EXPORT TJXAnimate : public ::jxt::TJXAnimate
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXAnimate)
};

class JXT_EXPORT TJXStars : public ::jxt::TJXStars
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXStars)
    JXT_UI_COLOR(TJXStars, Color)
};

class JXT_EXPORT TJXBounce : public ::jxt::TJXBounce
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXBounce)
    JXT_UI_COLOR(TJXBounce, Color)
};

class JXT_EXPORT TJXCopy : public ::jxt::TJXCopy
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXCopy)
};

class JXT_EXPORT TJXFind : public ::jxt::TJXFind
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXFind)
};

class JXT_EXPORT TJXHint : public ::jxt::TJXHint
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXHint)
    JXT_UI_COLOR(TJXHint, Color)
};

class JXT_EXPORT TJXINI : public ::jxt::TJXINI
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXINI)
};

class JXT_EXPORT TJXPrinter : public ::jxt::TJXPrinter
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXPrinter)
};

class JXT_EXPORT TJXApp : public ::jxt::TJXApp
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXApp)
};

class JXT_EXPORT TJXForm : public ::jxt::TJXForm
{
    Q_OBJECT
    Q_PROPERTY(QString RBFromColor READ RBFromColorText WRITE SetRBFromColorText)
    Q_PROPERTY(QString RBToColor READ RBToColorText WRITE SetRBToColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXForm)
    JXT_UI_COLOR(TJXForm, RBFromColor)
    JXT_UI_COLOR(TJXForm, RBToColor)
};

class JXT_EXPORT TJX3D : public ::jxt::TJX3D
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJX3D)
    JXT_UI_COLOR(TJX3D, Color)
};

class JXT_EXPORT TJXFillImage : public ::jxt::TJXFillImage
{
    Q_OBJECT
    Q_PROPERTY(QString RBFromColor READ RBFromColorText WRITE SetRBFromColorText)
    Q_PROPERTY(QString RBToColor READ RBToColorText WRITE SetRBToColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXFillImage)
    JXT_UI_COLOR(TJXFillImage, RBFromColor)
    JXT_UI_COLOR(TJXFillImage, RBToColor)
};

class JXT_EXPORT TJXFxImage : public ::jxt::TJXFxImage
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXFxImage)
    JXT_UI_COLOR(TJXFxImage, Color)
};

class JXT_EXPORT TJXGrabBar : public ::jxt::TJXGrabBar
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXGrabBar)
    JXT_UI_COLOR(TJXGrabBar, Color)
};

class JXT_EXPORT TJXAutoButton : public ::jxt::TJXAutoButton
{
    Q_OBJECT
    Q_PROPERTY(QString FontActiveColor READ FontActiveColorText WRITE SetFontActiveColorText)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXAutoButton)
    JXT_UI_COLOR(TJXAutoButton, FontActiveColor)
    JXT_UI_COLOR(TJXAutoButton, Color)
};

class JXT_EXPORT TJXPicClip : public ::jxt::TJXPicClip
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXPicClip)
};

class JXT_EXPORT TJXPicBox : public ::jxt::TJXPicBox
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXPicBox)
    JXT_UI_COLOR(TJXPicBox, Color)
};

class JXT_EXPORT TJXIcoBox : public ::jxt::TJXIcoBox
{
    Q_OBJECT
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXIcoBox)
    JXT_UI_COLOR(TJXIcoBox, Color)
};

class JXT_EXPORT TJXWAV : public ::jxt::TJXWAV
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(QString Color READ ColorText WRITE SetColorText)
public:
    JXT_UI_CONSTRUCTOR(TJXWAV)
    JXT_UI_COLOR(TJXWAV, Color)
    /// A form keeps its file name even when the file cannot be read where it is loaded (the
    /// sound is then simply missing), so loading a form never fails on it.
    void setFileName(const QString &name)
    {
        try {
            SetFileName(name);
        } catch (const ::jxt::Exception &) {
        }
    }
};

#undef JXT_UI_CONSTRUCTOR
#undef JXT_UI_COLOR
#undef JXT_UI_FONT
#undef JXT_UI_SETTERS
#undef JXT_UI_SETTER

/// Creates the widget class of that component class name (e.g. "TJXGauge") on parent.
using TWidgetFactory = std::function<QWidget *(QWidget *parent)>;

/// The widget classes above by the name of the component class they stand for.
inline const std::map<QString, TWidgetFactory> &WidgetFactories()
{
    static const std::map<QString, TWidgetFactory> factories = {
        {QStringLiteral("TJXPicClip"), [](QWidget *p) -> QWidget * { return new TJXPicClip(p); }},
        {QStringLiteral("TJXScrollText"),
         [](QWidget *p) -> QWidget * { return new TJXScrollText(p); }},
        {QStringLiteral("TJXWAV"), [](QWidget *p) -> QWidget * { return new TJXWAV(p); }},
        {QStringLiteral("TJXGauge"), [](QWidget *p) -> QWidget * { return new TJXGauge(p); }},
        {QStringLiteral("TJXLCDPanel"), [](QWidget *p) -> QWidget * { return new TJXLCDPanel(p); }},
        {QStringLiteral("TJXDOTPanel"), [](QWidget *p) -> QWidget * { return new TJXDOTPanel(p); }},
        {QStringLiteral("TJX3dLabel"), [](QWidget *p) -> QWidget * { return new TJX3dLabel(p); }},
        {QStringLiteral("TJXPanel"), [](QWidget *p) -> QWidget * { return new TJXPanel(p); }},
        {QStringLiteral("TJXPicBox"), [](QWidget *p) -> QWidget * { return new TJXPicBox(p); }},
        {QStringLiteral("TJXIcoBox"), [](QWidget *p) -> QWidget * { return new TJXIcoBox(p); }},
        {QStringLiteral("TJXFontCombo"),
         [](QWidget *p) -> QWidget * { return new TJXFontCombo(p); }},
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
        {QStringLiteral("TJXFillImage"),
         [](QWidget *p) -> QWidget * { return new TJXFillImage(p); }},
        {QStringLiteral("TJXFxImage"), [](QWidget *p) -> QWidget * { return new TJXFxImage(p); }},
        {QStringLiteral("TJXCopy"), [](QWidget *p) -> QWidget * { return new TJXCopy(p); }},
        {QStringLiteral("TJXFind"), [](QWidget *p) -> QWidget * { return new TJXFind(p); }},
        {QStringLiteral("TJXHint"), [](QWidget *p) -> QWidget * { return new TJXHint(p); }},
        {QStringLiteral("TJXINI"), [](QWidget *p) -> QWidget * { return new TJXINI(p); }},
        {QStringLiteral("TJXPrinter"), [](QWidget *p) -> QWidget * { return new TJXPrinter(p); }},
        {QStringLiteral("TJXApp"), [](QWidget *p) -> QWidget * { return new TJXApp(p); }},
        {QStringLiteral("TJXForm"), [](QWidget *p) -> QWidget * { return new TJXForm(p); }},
    };
    return factories;
}

} // namespace ui
} // namespace jxt
