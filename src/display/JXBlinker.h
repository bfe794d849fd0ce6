// SPDX-License-Identifier: MIT
// TJXBlinker: makes another control blink by switching its background or font colour.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <memory>

namespace jxt {

class TTimer;

/// A non-visual component that, while Blink is on, gives Control BlinkHiColor and
/// BlinkLoColor in turn, one per Interval, either as its background (bsColor) or as its font
/// colour (bsFontColor). Stopping, or letting go of the control, gives it back its resting
/// colour BlinkInAktColor, which is taken from the control when it is assigned.
class JXT_EXPORT TJXBlinker : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Blinking on or off; default false.
    Q_PROPERTY(bool Blink READ Blink WRITE SetBlink)
    /// Colour of the first phase; default clYellow.
    Q_PROPERTY(jxt::TColorValue BlinkHiColor READ BlinkHiColor WRITE SetBlinkHiColor)
    /// Colour of the second phase; default clOlive.
    Q_PROPERTY(jxt::TColorValue BlinkLoColor READ BlinkLoColor WRITE SetBlinkLoColor)
    /// Resting colour, given to the control at once and whenever blinking stops; default
    /// clBtnFace, replaced by the control's own colour when a control is assigned.
    Q_PROPERTY(jxt::TColorValue BlinkInAktColor READ BlinkInAktColor WRITE SetBlinkInaktColor)
    /// Milliseconds per phase; default 1000; 1 to 19 become 20; 0 stops the ticks.
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    /// Which colour of the control changes; default bsColor.
    Q_PROPERTY(TBlinkStyle BlinkStyle READ BlinkStyle WRITE SetBlinkStyle)
    /// The control that blinks; default none.
    Q_PROPERTY(jxt::TControl *Control READ Control WRITE SetControl)
    Q_CLASSINFO("ToolTip", "Makes another control blink")
    Q_CLASSINFO("WhatsThis", "A non-visual component that switches the background or font colour "
                             "of a control between two colours while Blink is on.")
    JXT_ABOUT(JXBlinkerVersion)

public:
    /// Which colour of the control blinks: its background or its font colour.
    enum TBlinkStyle { bsColor, bsFontColor };
    Q_ENUM(TBlinkStyle)

    explicit TJXBlinker(TComponent *owner = nullptr);
    ~TJXBlinker() override;

    bool Blink() const { return m_blink; }
    void SetBlink(bool value);
    TColor BlinkHiColor() const { return m_hiColor; }
    void SetBlinkHiColor(TColor color) { m_hiColor = color; }
    TColor BlinkLoColor() const { return m_loColor; }
    void SetBlinkLoColor(TColor color) { m_loColor = color; }
    //!@{
    TColor BlinkInAktColor() const { return m_inaktColor; }
    void SetBlinkInaktColor(TColor color);
    //!@}
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    TBlinkStyle BlinkStyle() const { return m_style; }
    void SetBlinkStyle(TBlinkStyle style);
    TControl *Control() const { return m_control; }
    void SetControl(TControl *control);

    /// One blink step, as the timer runs it.
    void JXOnTime();
    /// The blink timer.
    TTimer *Timer() const { return m_timer.get(); }

protected:
    void Notification(TComponent *component, TOperation operation) override;

private:
    /// The control's colour of the kind BlinkStyle chooses; 0 without a control.
    TColor ControlColor() const;
    void SetControlColor(TColor color);

    bool m_blink = false;
    TColor m_hiColor = clYellow;
    TColor m_loColor = clOlive;
    TColor m_inaktColor = clBtnFace;
    int m_interval = 1000;
    TBlinkStyle m_style = bsColor;
    TControl *m_control = nullptr;

    std::unique_ptr<TTimer> m_timer;
    bool m_hiPhase = true; // the next tick shows BlinkHiColor
};

using TBlinkStyle = TJXBlinker::TBlinkStyle;
constexpr TBlinkStyle bsColor = TJXBlinker::bsColor;
constexpr TBlinkStyle bsFontColor = TJXBlinker::bsFontColor;

} // namespace jxt
