// SPDX-License-Identifier: MIT
// TJXFillImage: a windowless area filled with a colour ramp, a built-in pattern or a user
// bitmap; TFStyle and the user-bitmap rule are shared with the form background.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace jxt {

/// Fills its whole area in one of twelve fill styles: nothing, the user bitmap FillBitmap
/// (as a brush when at most 8 pixels high, else tiled from the top-left corner), a vertical
/// or horizontal ramp of RBSteps bands from RBFromColor to RBToColor, or one of eight 8 x 8
/// patterns. With AdjustToParent it covers its parent's client area. In the designer a
/// dashed frame shows where it is.
class JXT_EXPORT TJXFillImage : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(bool AdjustToParent READ AdjustToParent WRITE SetAdjustToParent)
    Q_PROPERTY(jxt::TBitmap *FillBitmap READ FillBitmap WRITE SetFillBitmap)
    Q_PROPERTY(TFStyle FillStyle READ FillStyle WRITE SetFillStyle)
    Q_PROPERTY(jxt::TColorValue RBFromColor READ RBFromColor WRITE SetRBFromColor)
    Q_PROPERTY(int RBSteps READ RBSteps WRITE SetRBSteps)
    Q_PROPERTY(jxt::TColorValue RBToColor READ RBToColor WRITE SetRBToColor)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXFillImageVersion)

public:
    /// The fill styles, shared with the form background component.
    enum TFStyle {
        NONE,
        BITMAP,
        vRAINBOW,
        hRAINBOW,
        BCyan,
        BGray,
        LCyan,
        LGray,
        WDGray,
        Weave,
        WGray,
        WLGray
    };
    Q_ENUM(TFStyle)

    /// Style names, then the names of the pattern resources of the eight pattern styles.
    static constexpr std::array<const char *, 12> FillString = {
        "NONE",    "BITMAP",  "vRAINBOW", "hRAINBOW", "JXBCYAN", "JXBGRAY",
        "JXLCYAN", "JXLGRAY", "JXWDGRAY", "JXWEAVE",  "JXWGRAY", "JXWLGRAY"};

    explicit TJXFillImage(TComponent *owner = nullptr);
    ~TJXFillImage() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// Cover the parent's client area from (0, 0); default false. Follows the parent's size
    /// from then on. Repaints.
    bool AdjustToParent() const { return m_adjustToParent; }
    void SetAdjustToParent(bool value);
    /// The user bitmap of the BITMAP style (a copy is kept); empty by default. Repaints.
    TBitmap *FillBitmap() const { return m_fillBitmap.get(); }
    void SetFillBitmap(const TBitmap *value);
    /// Default NONE. A pattern style loads its pattern; the others keep the last one. Repaints.
    TFStyle FillStyle() const { return m_fillStyle; }
    void SetFillStyle(TFStyle value);
    /// First colour of a ramp; default clLime. Repaints.
    TColor RBFromColor() const { return m_rbFromColor; }
    void SetRBFromColor(TColor value);
    /// Number of ramp bands, 2..255 (a value outside is held at its end; a band is at least one
    /// pixel, so there may be more bands than steps); default 64. Repaints.
    std::uint8_t RBSteps() const { return m_rbSteps; }
    void SetRBSteps(int steps);
    /// Last colour of a ramp; default clAqua. Repaints.
    TColor RBToColor() const { return m_rbToColor; }
    void SetRBToColor(TColor value);

    /// The pattern of the last pattern style chosen (10 x 10 white before the first).
    const TBitmap *PatternBitmap() const { return m_pattern.get(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void Paint() override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void FollowParent();
    void WatchParent();

    bool m_adjustToParent = false;
    std::unique_ptr<TBitmap> m_fillBitmap;
    TFStyle m_fillStyle = NONE;
    TColor m_rbFromColor = clLime;
    std::uint8_t m_rbSteps = 64;
    TColor m_rbToColor = clAqua;
    std::unique_ptr<TBitmap> m_pattern;
    QPointer<QWidget> m_watched;
};

using TFStyle = TJXFillImage::TFStyle;
constexpr TFStyle NONE = TJXFillImage::NONE;
constexpr TFStyle BITMAP = TJXFillImage::BITMAP;
constexpr TFStyle vRAINBOW = TJXFillImage::vRAINBOW;
constexpr TFStyle hRAINBOW = TJXFillImage::hRAINBOW;
constexpr TFStyle BCyan = TJXFillImage::BCyan;
constexpr TFStyle BGray = TJXFillImage::BGray;
constexpr TFStyle LCyan = TJXFillImage::LCyan;
constexpr TFStyle LGray = TJXFillImage::LGray;
constexpr TFStyle WDGray = TJXFillImage::WDGray;
constexpr TFStyle Weave = TJXFillImage::Weave;
constexpr TFStyle WGray = TJXFillImage::WGray;
constexpr TFStyle WLGray = TJXFillImage::WLGray;

/// Whether style is one of the eight pattern styles.
constexpr bool IsPatternStyle(TFStyle style)
{
    return style >= BCyan;
}

/// Paints bitmap over the area (0, 0, width, height) of canvas: nothing when it is empty or
/// wider or higher than 256 pixels; as a repeating brush when it is at most 8 pixels high;
/// otherwise as tiles from (0, 0), the last row and column clipped at the edges.
JXT_EXPORT void FillWithUserBitmap(TCanvas *canvas, const TBitmap *bitmap, int width, int height);

/// Fills (0, 0, width, height) of canvas with pattern as a brush (an 8 x 8 pattern repeats
/// from the canvas origin); nothing when the pattern has no height.
JXT_EXPORT void FillWithPattern(TCanvas *canvas, const TBitmap *pattern, int width, int height);

/// Replaces pattern by the bitmap resource name; a missing resource keeps the last pattern.
JXT_EXPORT void LoadFillPattern(std::unique_ptr<TBitmap> &pattern, const QString &name);

/// Paints a colour ramp along length pixels: steps is lowered to length, a band is
/// length div steps pixels, and all whole bands but the last get the colours from `from`
/// (first band) towards `to`; the last band, which also takes the remainder, gets exactly
/// `to`. bandRect(start, end) gives the rectangle of the band [start, end). Nothing is
/// painted for a length of 0 or less.
JXT_EXPORT void PaintRamp(TCanvas *canvas, int length, int steps, TColor from, TColor to,
                          const std::function<TRect(int start, int end)> &bandRect);

} // namespace jxt
