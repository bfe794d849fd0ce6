// SPDX-License-Identifier: MIT
// TJXAnimate: plays an animation whose frames are laid out as a grid in one bitmap.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/controls/Menus.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <functional>
#include <memory>

namespace jxt {

/// The handler may change the frame number that is about to be shown.
using TJXAnimateEvent = std::function<void(TObject *sender, int &picNumber)>;

/// Shows one frame of Picture, a grid of Cols frames per row and Rows rows numbered row by
/// row from 0, stretched over the control (Stretch) or at its own size (the control then
/// takes the size of one frame). A timer steps forwards, or backwards with ReversePlay,
/// wrapping at either end. OnRequestPic may choose the frame before it is drawn and
/// OnChangePic tells that it was drawn. Transparent replaces the picture's transparent
/// colour (its bottom-left pixel) by Color. Without a picture the control shows its
/// version text.
class JXT_EXPORT TJXAnimate : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(int AktPic READ AktPic WRITE SetAktPic)
    Q_PROPERTY(int Cols READ Cols WRITE SetCols)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(jxt::TBitmap *Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool ReversePlay READ ReversePlay WRITE SetReversePlay)
    Q_PROPERTY(int Rows READ Rows WRITE SetRows)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXAnimateVersion)

public:
    explicit TJXAnimate(TComponent *owner = nullptr);
    ~TJXAnimate() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// The frame shown; a value below 0 or beyond the last frame becomes 0. Repaints.
    int AktPic() const { return m_aktPic; }
    void SetAktPic(int value);
    /// Frames per row, 1..1000; default 1. Repaints.
    int Cols() const { return m_cols; }
    void SetCols(int value);
    /// Milliseconds per frame; 0 (default) or below stops, 1..19 become 20.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// The frame grid (a copy is kept); setting it shows frame 0. Repaints.
    TBitmap *Picture() const { return m_picture.get(); }
    void SetPicture(const TBitmap *value);
    /// Play backwards; default false.
    bool ReversePlay() const { return m_reversePlay; }
    void SetReversePlay(bool value) { m_reversePlay = value; }
    /// Rows of frames, 1..1000; default 1. Repaints.
    int Rows() const { return m_rows; }
    void SetRows(int value);
    /// Scale the frame to the control (default true); when false the control takes the
    /// size of one frame. Setting it sets Align to alNone. Repaints.
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    /// Show Color where the picture has its transparent colour; default false.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }

    /// Called before a frame is drawn, with the frame number by reference.
    TJXAnimateEvent OnRequestPic;
    /// Called after a frame was drawn.
    TNotifyEvent OnChangePic;

    /// Draws the current frame on the canvas (the timer calls it directly). False when a
    /// handler freed the animation; the caller must then not touch it again.
    bool PaintBMP();
    /// One timer step: the next (or previous) frame, drawn at once.
    void JXOnTime();
    /// The frame timer.
    TTimer *Timer() const { return m_timer.get(); }

    /// Width and height of one frame of the grid.
    QSize FrameSize() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void onRequestPic(jxt::TObject *sender, int *picNumber);
    void onChangePic(jxt::TObject *sender);

protected:
    void Paint() override;
    /// Without Stretch: one frame of the picture.
    QSize ContentSize(const QSize &current) const override;

private:
    int FrameCount() const { return m_cols * m_rows; }
    void FitToFrame();

    int m_aktPic = 0;
    int m_cols = 1;
    int m_interval = 0;
    std::unique_ptr<TBitmap> m_picture;
    bool m_reversePlay = false;
    int m_rows = 1;
    bool m_stretch = true;
    bool m_transparent = false;
    std::unique_ptr<TTimer> m_timer;
};

} // namespace jxt
