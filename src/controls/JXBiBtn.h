// SPDX-License-Identifier: MIT
// TJXBiBtn: a two-state toggle button with a picture and a caption per state and a blinking
// LED bar at its left edge.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <memory>

namespace jxt {

/// A toggle button: every mouse press (any button, while enabled) flips Value, and every
/// release fires OnClick, wherever the mouse is released. The face shows PictureON and
/// CaptionOn while Value is on, PictureOFF and CaptionOff while it is off (a non-empty
/// Caption replaces both captions). A picture exactly 32 x 16 holds two 16 x 16 images: the
/// left one shows while the button is enabled, the right one while it is disabled. With LED
/// on, a bar at the left edge blinks between LEDColor and half of it every LEDInterval
/// milliseconds while Value is on, and stays at half colour while it is off.
///
/// The face is composed off-screen and copied in one step; the LED alone is redrawn on each
/// blink.
class JXT_EXPORT TJXBiBtn : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(bool Border READ Border WRITE SetBorder)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString CaptionOff READ CaptionOff WRITE SetCaptionOff)
    Q_PROPERTY(QString CaptionOn READ CaptionOn WRITE SetCaptionOn)
    Q_PROPERTY(bool LED READ LED WRITE SetLED)
    Q_PROPERTY(jxt::TColorValue LEDColor READ LEDColor WRITE SetLEDColor)
    Q_PROPERTY(int LEDInterval READ LEDInterval WRITE SetLEDInterval)
    Q_PROPERTY(jxt::TBitmap *PictureON READ PictureON WRITE SetGlyphOn)
    Q_PROPERTY(jxt::TBitmap *PictureOFF READ PictureOFF WRITE SetGlyphOff)
    Q_PROPERTY(bool Value READ Value WRITE SetPicValue)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    JXT_ABOUT(JXBiBtnVersion)

public:
    explicit TJXBiBtn(TComponent *owner = nullptr);
    ~TJXBiBtn() override;

    /// Black outline with a raised bevel (sunken while pressed); default true. Repaints.
    bool Border() const { return m_border; }
    void SetBorder(bool value);
    /// When not empty, shown in both states instead of CaptionOn and CaptionOff; default
    /// empty. Repaints.
    void SetCaption(const QString &value) override;
    /// Caption of the off state; default "Off". Repaints.
    QString CaptionOff() const { return m_captionOff; }
    void SetCaptionOff(const QString &value);
    /// Caption of the on state; default "On". Repaints.
    QString CaptionOn() const { return m_captionOn; }
    void SetCaptionOn(const QString &value);
    /// Shows the LED bar (and moves the face 15 pixels right); default true. Repaints; does
    /// not start or stop blinking, which only assigning Value does.
    bool LED() const { return m_led; }
    void SetLED(bool value);
    /// Full colour of the lit LED; default clRed. Repaints.
    TColor LEDColor() const { return m_ledColor; }
    void SetLEDColor(TColor value);
    /// Milliseconds per blink phase; default 500; 0 or less stops the blinking.
    int LEDInterval() const { return m_ledInterval; }
    void SetLEDInterval(int value);
    /// Picture of the on state (the button keeps a copy; nullptr empties it). Repaints.
    //!@{
    TBitmap *PictureON() const { return m_pictureOn.get(); }
    void SetGlyphOn(const TBitmap *value);
    //!@}
    /// Picture of the off state (the button keeps a copy; nullptr empties it). Repaints.
    //!@{
    TBitmap *PictureOFF() const { return m_pictureOff.get(); }
    void SetGlyphOff(const TBitmap *value);
    //!@}
    /// The state; default false. Assigning it resets the blink phase to the value and, with
    /// LED on, starts (true) or stops (false) the blink timer. Repaints.
    //!@{
    bool Value() const { return m_value; }
    void SetPicValue(bool value);
    //!@}

    /// Whether a mouse button is held down on the button.
    bool Pressed() const { return m_pressed; }
    /// The current blink phase (the LED is lit at full colour while Value and this are on).
    bool BlinkPhase() const { return m_blinkPhase; }
    /// The blink timer.
    TTimer *Timer() const { return m_timer.get(); }
    /// One blink tick: flips the phase and, with LED on, redraws the LED.
    void JXOnTime();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    /// A button named by the caption it shows now.
    TAccessibleInfo AccessibleInfo() const override;

protected:
    void Paint() override;
    /// Draws the LED bar on the control's canvas.
    void PaintLED();
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void FontChanged() override;

private:
    QString FaceText() const;
    TRect PictureSource(const TBitmap &picture) const;

    bool m_border = true;
    QString m_captionOff = QStringLiteral("Off");
    QString m_captionOn = QStringLiteral("On");
    bool m_led = true;
    TColor m_ledColor = clRed;
    int m_ledInterval = 500;
    std::unique_ptr<TBitmap> m_pictureOn;
    std::unique_ptr<TBitmap> m_pictureOff;
    bool m_value = false;
    bool m_pressed = false;
    bool m_blinkPhase = false;
    std::unique_ptr<TTimer> m_timer;
};

} // namespace jxt
