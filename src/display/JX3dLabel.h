// SPDX-License-Identifier: MIT
// TJX3dLabel: a label whose text is drawn raised, lowered or with a drop shadow.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <cstdint>

namespace jxt {

/// A label with an embossed (raised or lowered) or shadowed text, an optional bevelled
/// frame, extra spacing between characters, several lines ("^M" breaks a line) and word
/// wrap. With AutoSize the control fits itself to its text before each paint; with Transparent
/// the parent shows through around the letters.
///
/// Captions of any length are drawn whole.
class JXT_EXPORT TJX3dLabel : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(dtFormat Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int BorderSize READ BorderSize WRITE SetBorderSize)
    Q_PROPERTY(jxt::TPanelBevel BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionSpacing READ CaptionSpacing WRITE SetCaptionSpacing)
    Q_PROPERTY(TcsStyle CaptionStyle READ CaptionStyle WRITE SetCaptionStyle)
    Q_PROPERTY(jxt::TColorValue ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int ShadowDepth READ ShadowDepth WRITE SetShadowDepth)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("ToolTip", "Label with raised, lowered or shadowed text")
    Q_CLASSINFO("WhatsThis", "A label whose text is embossed or casts a shadow, with an optional "
                             "bevelled frame, extra character spacing and several lines.")
    JXT_ABOUT(JX3dLabelVersion)

public:
    /// The text's alignment: centred, left, right.
    enum dtFormat { dtCenter, dtLeft, dtRight };
    Q_ENUM(dtFormat)
    /// The text's look: flat, sunken, raised, or with a shadow.
    enum TcsStyle { csNONE, csLowered, csRaised, csShadow };
    Q_ENUM(TcsStyle)

    explicit TJX3dLabel(TComponent *owner = nullptr);
    TAccessibleInfo AccessibleInfo() const override;

    /// Horizontal alignment of every line: dtCenter (default), dtLeft, dtRight. Repaints.
    dtFormat Alignment() const { return m_alignment; }
    void SetAlignment(dtFormat value);
    /// Fit the control to its text (text width + 10, text height + 6) at each paint, which
    /// also sets Align to alNone; default false. Repaints.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    /// Width of the frame in pixels; default 1. Repaints.
    int BorderSize() const { return m_borderSize; }
    void SetBorderSize(int value);
    /// Frame: bvNone (default), bvRaised or bvLowered. Repaints.
    TPanelBevel BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TPanelBevel value);
    /// Extra pixels after each character, 0..255 (a value outside is held at its end);
    /// default 1. Repaints.
    std::uint8_t CaptionSpacing() const { return m_captionSpacing; }
    void SetCaptionSpacing(int spacing);
    /// Text effect: csNONE, csLowered, csRaised (default), csShadow. Repaints.
    TcsStyle CaptionStyle() const { return m_captionStyle; }
    void SetCaptionStyle(TcsStyle value);
    /// Colour of the csShadow shadow; default gray. Repaints.
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor value);
    /// Shadow offset in pixels, held within 1..50; default 2. Repaints.
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int value);
    /// Leave the background unfilled so the parent shows through; default false. Shown at
    /// the next paint.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    /// The caption as drawn: every "^M" replaced by a line break.
    QString DisplayText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    /// Room AutoSize leaves around the text.
    static constexpr int kAutoSizeMarginX = 10;
    /// The room AutoSize leaves above and below the text, in pixels.
    static constexpr int kAutoSizeMarginY = 6;

protected:
    void Paint() override;
    QSize ContentSize(const QSize &current) const override;

private:
    unsigned TextFormat() const;
    /// The extent of the caption as drawn, on one line per line break.
    QSize TextSize() const;

    dtFormat m_alignment = dtCenter;
    bool m_autoSize = false;
    int m_borderSize = 1;
    TPanelBevel m_borderStyle = bvNone;
    std::uint8_t m_captionSpacing = 1;
    TcsStyle m_captionStyle = csRaised;
    TColor m_shadowColor = clGray;
    int m_shadowDepth = 2;
    bool m_transparent = false;
};

using dtFormat = TJX3dLabel::dtFormat;
constexpr dtFormat dtCenter = TJX3dLabel::dtCenter;
constexpr dtFormat dtLeft = TJX3dLabel::dtLeft;
constexpr dtFormat dtRight = TJX3dLabel::dtRight;
using TcsStyle = TJX3dLabel::TcsStyle;
constexpr TcsStyle csNONE = TJX3dLabel::csNONE;
constexpr TcsStyle csLowered = TJX3dLabel::csLowered;
constexpr TcsStyle csRaised = TJX3dLabel::csRaised;
constexpr TcsStyle csShadow = TJX3dLabel::csShadow;

/// The text-drawing flag of each alignment.
inline constexpr unsigned dtWert[] = {DT_CENTER, DT_LEFT, DT_RIGHT};

} // namespace jxt
