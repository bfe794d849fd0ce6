// SPDX-License-Identifier: MIT
// TJXHint and TJXHintWindow: the application's hints as comic speech balloons.
#pragma once

#include "base/Export.h"
#include "host/controls/HintWindow.h"
#include "host/core/About.h"
#include "host/core/Component.h"
#include "host/graphics/Graphics.h"
#include "util/JXVersions.h"

#include <memory>

namespace jxt {

/// A non-visual component that replaces the application's hint window by TJXHintWindow,
/// which shows every hint as a speech balloon: a rounded box with a tail of three growing
/// circles pointing at the mouse cursor, a shadow, and the screen behind showing around the
/// curves. The balloon stands at the corner HintPosition of the cursor and flips to another
/// corner where it would leave the screen.
///
/// Hint windows are created by class, so the settings reach them through the unit variables
/// JXH_…, which the setters keep current; one TJXHint per application is meant (the last one
/// to set a value wins).
class JXT_EXPORT TJXHint : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Use the balloon window; default true. False turns the application's hints off.
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    /// Balloon fill; default clYellow.
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    /// Wrapping width of the text in pixels; default 150.
    Q_PROPERTY(int DefaultWidth READ DefaultWidth WRITE SetDefaultWidth)
    /// Text font.
    Q_PROPERTY(jxt::TFont *Font READ Font)
    /// Milliseconds before a hint is shown (the application's HintPause); default 800.
    Q_PROPERTY(int HintPause READ HintPause WRITE SetHintPause)
    /// Milliseconds a hint stays (the application's HintHidePause); default 2500.
    Q_PROPERTY(int HintHidePause READ HintHidePause WRITE SetHintHidePause)
    /// Preferred corner; default hpAboveRight.
    Q_PROPERTY(THintPosition HintPosition READ HintPosition WRITE SetHintPosition)
    /// Shadow offset in pixels; default 10 (the balloon uses 0 to 100 of it).
    Q_PROPERTY(int ShadowDepth READ ShadowDepth WRITE SetShadowDepth)
    JXT_ABOUT(JXHintVersion)

public:
    /// Where the balloon stands relative to the cursor.
    enum THintPosition { hpAboveLeft, hpAboveRight, hpBelowLeft, hpBelowRight };
    Q_ENUM(THintPosition)

    explicit TJXHint(TComponent *owner = nullptr);
    ~TJXHint() override;

    bool Active() const { return m_active; }
    void SetActive(bool value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value);
    TFont *Font() const { return m_font.get(); }
    /// The component's font takes a copy of font.
    void SetFont(const TFont *font);
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int value);
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int value);
    THintPosition HintPosition() const { return m_hintPosition; }
    void SetHintPosition(THintPosition value);
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int value);

private:
    bool m_active = true;
    TColor m_color = clYellow;
    int m_defaultWidth = 150;
    std::unique_ptr<TFont> m_font;
    int m_hintPause = 800;
    int m_hintHidePause = 2500;
    THintPosition m_hintPosition = hpAboveRight;
    int m_shadowDepth = 10;
    std::unique_ptr<TBitmap> m_bakBitmap;
};

using THintPosition = TJXHint::THintPosition;
constexpr THintPosition hpAboveLeft = TJXHint::hpAboveLeft;
constexpr THintPosition hpAboveRight = TJXHint::hpAboveRight;
constexpr THintPosition hpBelowLeft = TJXHint::hpBelowLeft;
constexpr THintPosition hpBelowRight = TJXHint::hpBelowRight;

/// The balloon settings, kept current by TJXHint's setters.
JXT_EXPORT extern TColor JXH_Color;
JXT_EXPORT extern int JXH_DefaultWidth;
/// The font of the TJXHint that set it last (nullptr without one).
JXT_EXPORT extern TFont *JXH_Font;
JXT_EXPORT extern THintPosition JXH_HintPosition;
JXT_EXPORT extern int JXH_ShadowDepth;
/// The picture the balloon window shows (made by TJXHint, nullptr without one).
JXT_EXPORT extern TBitmap *JXH_BakBitmap;
/// The cursor position last seen by the balloon window.
JXT_EXPORT extern TPoint JXH_Crs;

/// Copies the source picture onto dest at (0, 0) with white as the transparent colour: a
/// mask of the source (white stays white, every other colour black) is ANDed onto dest, then
/// the source with its white turned black is ORed on top.
JXT_EXPORT void CopyTransparent(TCanvas *dest, const TBitmap *source, int width, int height);
/// Replaces every occurrence of find in s, left to right, until none is left.
JXT_EXPORT void ReplaceString(QString &s, const QString &find, const QString &replace);

} // namespace jxt
