// SPDX-License-Identifier: MIT
// TJXGauge: a level meter made of separate boxes, with dimmed unlit boxes and a peak marker.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <cstdint>
#include <memory>

namespace jxt {

/// The greatest Progress any gauge with ShowPeak has had at a timer tick (shared by all
/// gauges; applications may read and reset it).
extern JXT_EXPORT int GaugeMaxPeakWert;

/// Shows Progress between MinValue and MaxValue as a row (or column) of boxes. The boxes the
/// value reaches are lit in BoxColor; the others are shown dimmed when BoxPreview is on.
/// With ShowPeak a 50 ms timer keeps a peak marker for 21 ticks. With BoxColor clGreen the
/// gauge acts as an audio level meter: lime, yellow and red boxes by height, and the value
/// falls by 5 on every tick.
///
/// Setting Progress repaints at once, but only when the number of lit boxes changes, so
/// callers may set it as often as they like. A gauge with Boxes 0 shows its frame and
/// background only.
class JXT_EXPORT TJXGauge : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(jxt::TPanelBevel BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(int Boxes READ Boxes WRITE SetBoxes)
    Q_PROPERTY(jxt::TColorValue BoxColor READ BoxColor WRITE SetBoxColor)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(TJXGaugeKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int Progress READ Progress WRITE SetProgress NOTIFY progressChanged)
    Q_PROPERTY(bool BoxPreview READ BoxPreview WRITE SetBoxPreview)
    Q_PROPERTY(bool ShowPeak READ ShowPeak WRITE SetShowPeak)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
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
    Q_CLASSINFO("ToolTip", "Level meter of separate boxes")
    Q_CLASSINFO("WhatsThis", "Shows a value as a row or column of boxes, with dimmed unlit boxes "
                             "and a peak marker; green boxes make an audio level meter.")
    JXT_ABOUT(JXGaugeVersion)

public:
    /// The direction the boxes run: left to right, or bottom to top.
    enum TJXGaugeKind { jxgHorizontal, jxgVertical };
    Q_ENUM(TJXGaugeKind)

    explicit TJXGauge(TComponent *owner = nullptr);
    TAccessibleInfo AccessibleInfo() const override;
    ~TJXGauge() override;

    /// Outer frame: bvLowered (default), bvRaised, or none. Repaints.
    TPanelBevel BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TPanelBevel value);
    /// Gap in pixels between frame and boxes; default 2. Repaints.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    /// Number of boxes, 0..255 (a value outside is held at its end); default 10; at least 5
    /// while BoxColor is clGreen. A gauge
    /// too short for boxes of 3 pixels shows as many as fit; the property stays. Repaints.
    std::uint8_t Boxes() const { return m_boxes; }
    void SetBoxes(int boxes);
    /// Colour of lit boxes; default clNavy; clGreen makes an audio level meter. Repaints.
    TColor BoxColor() const { return m_boxColor; }
    void SetBoxColor(TColor value);
    /// Background behind the boxes; default clSilver. Fills the control at once, then repaints.
    void SetColor(TColor value) override;
    /// Direction: jxgHorizontal (default, left to right) or jxgVertical (bottom to top).
    /// Shown at the next paint.
    TJXGaugeKind Kind() const { return m_kind; }
    void SetKind(TJXGaugeKind value)
    {
        m_kind = value;
        updateGeometry();
    }
    /// Upper end, default 100; accepted only when >= 0, above MinValue and different.
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int value);
    /// Lower end, default 0; accepted only when >= 0, below MaxValue and different.
    int MinValue() const { return m_minValue; }
    void SetMinValue(int value);
    /// Current value, clamped to MinValue..MaxValue; repaints only when the number of lit
    /// boxes changes.
    int Progress() const { return m_progress; }
    void SetProgress(int value);
    /// Show unlit boxes dimmed; default true. Repaints.
    bool BoxPreview() const { return m_boxPreview; }
    void SetBoxPreview(bool value);
    /// Keep and show the peak marker (runs the 50 ms timer); default true. Repaints.
    bool ShowPeak() const { return m_showPeak; }
    void SetShowPeak(bool value);

    /// Progress += value.
    void AddProgress(int value);
    /// How far Progress is between MinValue and MaxValue, in whole percent.
    int GetPercentDone() const;
    /// Number of boxes for x percent of z boxes: x * z div 100.
    static int SolveForX(int x, int z);
    /// The percentage x is of z, truncated; 0 when z is 0.
    static int SolveForY(int x, int z);

    /// The number of boxes shown at the current size: Boxes, or as many as fit at a pitch
    /// of kMinPitch.
    int ShownBoxes() const;
    /// The smallest box pitch (box and gap) in pixels, and the pitch a layout prefers.
    //!@{
    static constexpr int kMinPitch = 3;
    static constexpr int kPreferredPitch = 10;
    //!@}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// The peak value the marker shows.
    int Peak() const { return m_peak; }
    /// The number of boxes lit at the last paint (-1 before the first).
    int LitAtLastPaint() const { return m_litAtLastPaint; }
    /// The peak timer; its Tag is the hold counter (-1 while ShowPeak is off).
    TTimer *Timer() const { return m_timer.get(); }
    /// One tick of the peak timer: hold or reset the peak, and let a clGreen meter decay.
    void JXOnTime();

signals:
    /// Progress changed, by a setter or by the meter's decay.
    void progressChanged(int progress);

protected:
    void Paint() override;
    QSize ContentSize(const QSize &current) const override;

private:
    int LitCount() const;
    int Border() const;
    /// Room for the boxes along a gauge of this length (pitch times boxes fits in it).
    long long BoxSpan(int length) const;
    TColor DimmedColor() const;
    /// The band of box k of boxes: 0 low, 1 middle, 2 yellow, 3 red.
    int BandOf(int k, int boxes) const;
    /// The colour of box k, lit or (previewed) unlit.
    TColor BoxColor(int k, int boxes, bool lit) const;
    /// Erases the background and draws the frame; returns the rectangle inside it.
    TRect PaintFrame();
    TRect BoxRect(int k, int pitch, int margin, int innerWidth, int innerHeight) const;

    TPanelBevel m_borderStyle = bvLowered;
    int m_borderWidth = 2;
    std::uint8_t m_boxes = 10;
    TColor m_boxColor = clNavy;
    TJXGaugeKind m_kind = jxgHorizontal;
    int m_maxValue = 100;
    int m_minValue = 0;
    int m_progress = 0;
    bool m_boxPreview = true;
    bool m_showPeak = true;

    int m_litAtLastPaint = -1;
    int m_peak = 0;
    std::unique_ptr<TTimer> m_timer;
    TBitmap m_buffer;
};

using TJXGaugeKind = TJXGauge::TJXGaugeKind;
constexpr TJXGaugeKind jxgHorizontal = TJXGauge::jxgHorizontal;
constexpr TJXGaugeKind jxgVertical = TJXGauge::jxgVertical;

} // namespace jxt
