// SPDX-License-Identifier: MIT
// TJXStars: a star field seen as in a flight through space.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <array>
#include <memory>
#include <random>

namespace jxt {

/// Up to 500 stars approach the viewer: every step brings each star one unit closer (its
/// depth runs from 30 down to 1), so it drifts outwards from the centre by Zoom / (depth +
/// 1) and brightens from black to white; a star that arrives is reborn far away at a new
/// random place. Every paint and every timer tick is one step. Resizing spreads the stars
/// anew over the new size.
class JXT_EXPORT TJXStars : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(int MaxStars READ MaxStars WRITE SetMaxStars)
    Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXStarsVersion)

public:
    /// The number of stars kept (MaxStars of them move).
    static constexpr int kStarCount = 500;
    /// The depth a star starts again at once it has passed the viewer.
    static constexpr int kFarthest = 30;

    /// A star: offsets from the centre in unscaled units, and its depth.
    struct TStar
    {
        int X = 0; ///< Horizontal offset from the centre.
        int Y = 0; ///< Vertical offset from the centre.
        int Z = 1; ///< Depth: 1 nearest, kFarthest farthest.
    };

    explicit TJXStars(TComponent *owner = nullptr);
    ~TJXStars() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// Milliseconds per step; 0 (default) or below stops, 1..19 become 20. Repaints.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// Stars moved and drawn, 1..500; default 500. The others keep their state.
    int MaxStars() const { return m_maxStars; }
    void SetMaxStars(int value);
    /// Spread of the stars, 1..100; default 2.
    int Zoom() const { return m_zoom; }
    void SetZoom(int value);

    /// Spreads all stars at random over the control's size.
    void INITStars();
    /// One step of the field, drawn off screen and copied to the control.
    void PaintBMP();
    /// Sets one pixel of bitmap for a star at (x, y) and depth z in grey brightness * 17.
    void DPunkt(TBitmap &bitmap, int x, int y, int z, int brightness) const;
    /// One tick of the step timer: the stars move, drawn while the control is showing.
    void JXOnTime();
    /// The step timer (enabled while Interval is above 0).
    TTimer *Timer() const { return m_timer.get(); }

    /// The star at index, 0..kStarCount - 1 (std::out_of_range beyond).
    //!@{
    const TStar &Stars(int index) const { return m_stars.at(std::size_t(index)); }
    void SetStar(int index, const TStar &star) { m_stars.at(std::size_t(index)) = star; }
    //!@}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void Paint() override;
    void Resize() override;

private:
    int Random(int n);
    /// Moves every star one step nearer (a star that arrives starts again far away) in a
    /// field of w x h.
    void MoveStars(int w, int h);

    int m_interval = 0;
    int m_maxStars = kStarCount;
    int m_zoom = 2;
    int m_cx = 0;
    int m_cy = 0;
    std::array<TStar, kStarCount> m_stars{};
    std::mt19937 m_random;
    std::unique_ptr<TTimer> m_timer;
    TBitmap m_buffer;
};

} // namespace jxt
