// SPDX-License-Identifier: MIT
// TJXScrollText: a caption that scrolls through the control, driven by a timer.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace jxt {

/// Scrolls Caption right to left on one line (ScrollHorizontal) or bottom to top as a
/// word-wrapped, centred block of lines ("^M" breaks a line), endlessly, with an optional
/// drop shadow. Each step moves the text by Steps pixels and is composed off screen, then
/// copied to the control in one go. Interval sets the timer (0 stops it).
///
/// Captions of any length are drawn whole.
class JXT_EXPORT TJXScrollText : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(bool AutoScroll READ AutoScroll WRITE SetAutoScroll)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(bool ScrollHorizontal READ ScrollHorizontal WRITE SetScrollHorizontal)
    Q_PROPERTY(bool Shadow READ Shadow WRITE SetShadow)
    Q_PROPERTY(jxt::TColorValue ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int ShadowDepth READ ShadowDepth WRITE SetShadowDepth)
    Q_PROPERTY(int Steps READ Steps WRITE SetSteps)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    /// The text position, which every scroll step changes (not stored in forms).
    Q_PROPERTY(int TextX READ TextX NOTIFY textPositionChanged STORED false DESIGNABLE false)
    Q_PROPERTY(int TextY READ TextY NOTIFY textPositionChanged STORED false DESIGNABLE false)
    Q_CLASSINFO("ToolTip", "Scrolling text")
    Q_CLASSINFO("WhatsThis", "A caption that scrolls right to left, or bottom to top as a centred "
                             "block of lines, with an optional drop shadow.")
    JXT_ABOUT(JXScrollTextVersion)

public:
    explicit TJXScrollText(TComponent *owner = nullptr);
    TAccessibleInfo AccessibleInfo() const override;
    ~TJXScrollText() override;

    /// When the caption is set, scroll only if it does not fit (and start it at x = 0);
    /// default false.
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool value) { m_autoScroll = value; }
    /// The text; "^M" breaks a line in vertical mode. Repaints.
    void SetCaption(const QString &value) override;
    /// Milliseconds per step; 0 (default) stops. 1..19 become 20; a positive value starts
    /// the text just outside the control, a negative one (held at -20 or above, the timer
    /// runs at its absolute value) starts it inside. Repaints.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// True (default): right to left; false: bottom to top. Restarts the text. Repaints.
    bool ScrollHorizontal() const { return m_scrollHorizontal; }
    void SetScrollHorizontal(bool value);
    /// Draw a shadow under the text; default false. Repaints.
    bool Shadow() const { return m_shadow; }
    void SetShadow(bool value);
    /// Shadow colour; default clWhite. Repaints.
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor value);
    /// Shadow offset, held within 1..50; default 2. Repaints.
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int value);
    /// Pixels per step, 0..255 (a value outside is held at its end); 0 moves by one character (the
    /// width, or height, of "X"). Default 1. Takes effect at the next step.
    std::uint8_t Steps() const { return m_steps; }
    void SetSteps(int value) { m_steps = std::uint8_t(std::clamp(value, 0, 255)); }

    /// Fired at the start of every step.
    TNotifyEvent OnScroll;
    /// Fired when the text has left the control and starts again.
    TNotifyEvent OnStartText;

signals:
    void onScroll(jxt::TObject *sender);
    void onStartText(jxt::TObject *sender);
    /// TextX or TextY changed by a scroll step.
    void textPositionChanged();

public:
    /// The text position: left edge of the line, or top of the block.
    //!@{
    int TextX() const { return m_x; }
    int TextY() const { return m_y; }
    //!@}
    /// The scroll timer.
    TTimer *Timer() const { return m_timer.get(); }
    /// One scroll step, as the timer runs it.
    void JXOnTime();
    /// Composes the current picture off screen and copies it to the control.
    void PaintBMP();
    /// Moves the text to its place for the next picture (restarting it, with OnStartText,
    /// once it has left the control) and returns where it goes, measured on measure.
    TRect PlaceText(TCanvas *measure);

    /// The caption with the room that lets it stand without scrolling (the AutoScroll
    /// rule); in vertical mode the wrapped block at the control's width.
    QSize sizeHint() const override;
    /// One line of text high (horizontal) or one line and a character wide (vertical).
    QSize minimumSizeHint() const override;

protected:
    void Paint() override;

    void FontChanged() override;

private:
    int StepPixels();
    QString VerticalText() const;
    /// The caption's extent in the control's font on measure: the line (horizontal) or the
    /// block wrapped at width (vertical). Measuring shapes the whole text, so the result is
    /// kept until the caption, the font, the width or the resolution changes.
    QSize TextExtent(TCanvas *measure, int width);
    /// The horizontal line (shadow included) drawn once on the background, kLineMargin
    /// pixels of background either side; drawn again only when what it shows changes.
    /// nullptr for a line too long to keep as one picture.
    const TBitmap *LinePicture(int height);
    void SetTimerWanted(bool enabled);

    bool m_autoScroll = false;
    int m_interval = 0;
    bool m_scrollHorizontal = true;
    bool m_shadow = false;
    TColor m_shadowColor = clWhite;
    int m_shadowDepth = 2;
    std::uint8_t m_steps = 1;

    struct TLineKey
    {
        QString text, fontName;
        int fontHeight = 0, height = 0, shadowDepth = 0;
        std::uint64_t fontStyle = 0;
        TColor fontColor = 0, color = 0, shadowColor = 0;
        bool shadow = false;
        bool operator==(const TLineKey &o) const
        {
            return text == o.text && fontName == o.fontName && fontHeight == o.fontHeight &&
                   height == o.height && shadowDepth == o.shadowDepth && fontStyle == o.fontStyle &&
                   fontColor == o.fontColor && color == o.color && shadowColor == o.shadowColor &&
                   shadow == o.shadow;
        }
    };
    TLineKey m_lineKey;
    TBitmap m_line;
    bool m_lineValid = false;

    struct TExtentKey
    {
        QString text;
        int width = 0;
        qreal ratio = 0;
        bool horizontal = true;
        bool operator==(const TExtentKey &o) const
        {
            return text == o.text && width == o.width && ratio == o.ratio &&
                   horizontal == o.horizontal;
        }
    };
    TExtentKey m_extentKey;
    QSize m_extent;
    bool m_extentValid = false; // false also after a font change
    int m_stepSize = -1;        // the width or height of "X"; -1 until measured

    int m_x = 0;
    int m_y = 0;
    // Whether the timer should run; the step switches it off while it draws.
    bool m_timerWanted = false;
    std::unique_ptr<TTimer> m_timer;
    TBitmap m_buffer;
};

} // namespace jxt
