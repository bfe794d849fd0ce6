// SPDX-License-Identifier: MIT
// TJXAutoButton: a flat button that lights up while the mouse is over it and can open a
// popup menu.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/controls/Menus.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <memory>

namespace jxt {

/// A flat, hot-tracking button: Value turns true when the mouse enters and false when it
/// leaves, and the face follows it (the first or second image of Glyph, FontActiveColor and
/// underline for the caption, and the border of BorderStyle). The glyph holds up to four
/// images side by side when its width is a multiple of its height: the first shows while
/// Value is true, the second while it is false. Layout places the image left, right, above
/// or below the caption, Spacing apart, the pair centred. A click opens PopupMenu below
/// (alBottom) or to the right (alRight) of the button, and a small black triangle marks a
/// button that has one.
class JXT_EXPORT TJXAutoButton : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(TaBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(jxt::TColorValue FontActiveColor READ FontActiveColor WRITE SetFontActiveColor)
    Q_PROPERTY(bool FontActiveUnderline READ FontActiveUnderline WRITE SetFontActiveUnderline)
    Q_PROPERTY(jxt::TBitmap *Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(TPopupAlign PopupAlign READ PopupAlign WRITE SetPopupAlign)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXAutoButtonVersion)

public:
    /// The border the button shows (see BorderStyle).
    enum TaBorderStyle { bsNone, bsLowered, bsRaised, bsAuto };
    Q_ENUM(TaBorderStyle)
    /// Where PopupMenu opens: below the button or to its right.
    enum TPopupAlign { alBottom, alRight };
    Q_ENUM(TPopupAlign)
    /// Where the image goes beside the caption: left, right, above or below it.
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)

    explicit TJXAutoButton(TComponent *owner = nullptr);
    ~TJXAutoButton() override;

    /// bsAuto (default) shows a raised border only under the mouse (sunken while pressed);
    /// bsRaised and bsLowered show theirs only away from it; bsNone none. Repaints.
    TaBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TaBorderStyle value);
    /// Width of the border in pixels, at least 0; default 1. Repaints.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    /// Caption colour under the mouse; default the font colour at construction.
    TColor FontActiveColor() const { return m_fontActiveColor; }
    void SetFontActiveColor(TColor value) { m_fontActiveColor = value; }
    /// Underlines the caption under the mouse; default false.
    bool FontActiveUnderline() const { return m_fontActiveUnderline; }
    void SetFontActiveUnderline(bool value) { m_fontActiveUnderline = value; }
    /// The image strip (the button keeps a copy; nullptr empties it). Repaints.
    TBitmap *Glyph() const { return m_glyph.get(); }
    void SetGlyph(const TBitmap *value);
    /// Where the image sits beside the caption; default blGlyphLeft. Repaints.
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout value);
    /// The menu a click opens; its AutoPopup is switched off. Repaints (the triangle).
    void SetPopupMenu(TPopupMenu *value);
    /// Where the menu opens; default alBottom. Repaints.
    TPopupAlign PopupAlign() const { return m_popupAlign; }
    void SetPopupAlign(TPopupAlign value);
    /// Pixels between image and caption; default 4. Repaints.
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value);
    /// Stretches the image over the area inside the border; default true. Repaints.
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    /// Leaves the background to the parent; default false. Repaints.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    /// True while the mouse is over the button; default false. Repaints.
    bool Value() const { return m_value; }
    void SetValue(bool value);

    /// Whether the left mouse button is held down on the button.
    bool Pressed() const { return m_pressed; }

    /// The mouse entered the button (Value has turned true).
    TNotifyEvent OnMouseEnter;
    /// The mouse left the button (Value has turned false).
    TNotifyEvent OnMouseLeave;

    /// Opens the popup menu, if any, then fires OnClick.
    void Click() override;
    void Loaded() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    TAccessibleInfo AccessibleInfo() const override;

Q_SIGNALS:
    /// Emitted with OnMouseEnter.
    void onMouseEnter(jxt::TObject *sender);
    /// Emitted with OnMouseLeave.
    void onMouseLeave(jxt::TObject *sender);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent *component, TOperation operation) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void FontChanged() override;

private:
    /// The part of Glyph shown now (empty when there is none).
    TRect GlyphSource() const;
    /// The canvas font for the caption: grey when disabled, the active colour and underline
    /// while the mouse is over the button.
    void SetCaptionFont(TCanvas *canvas) const;
    /// Where the glyph and the caption of the given sizes go.
    void PlaceGlyphAndCaption(QSize glyph, QSize text, TPoint &glyphAt, TPoint &textAt) const;
    /// The small triangle that says the button opens a menu.
    void PaintPopupMark(TCanvas *canvas, const TRect &r) const;

    TaBorderStyle m_borderStyle = bsAuto;
    int m_borderWidth = 1;
    TColor m_fontActiveColor = clWindowText;
    bool m_fontActiveUnderline = false;
    std::unique_ptr<TBitmap> m_glyph;
    TButtonLayout m_layout = blGlyphLeft;
    TPopupAlign m_popupAlign = alBottom;
    int m_spacing = 4;
    bool m_stretch = true;
    bool m_transparent = false;
    bool m_value = false;
    bool m_pressed = false;
};

using TaBorderStyle = TJXAutoButton::TaBorderStyle;
using TPopupAlign = TJXAutoButton::TPopupAlign;
using TButtonLayout = TJXAutoButton::TButtonLayout;
// bsNone, bsLowered, bsRaised, alBottom and alRight name other enumerations at namespace
// level; for this button they are written TJXAutoButton::bsNone and so on.
constexpr TaBorderStyle bsAuto = TJXAutoButton::bsAuto;
constexpr TButtonLayout blGlyphLeft = TJXAutoButton::blGlyphLeft;
constexpr TButtonLayout blGlyphRight = TJXAutoButton::blGlyphRight;
constexpr TButtonLayout blGlyphTop = TJXAutoButton::blGlyphTop;
constexpr TButtonLayout blGlyphBottom = TJXAutoButton::blGlyphBottom;

} // namespace jxt
