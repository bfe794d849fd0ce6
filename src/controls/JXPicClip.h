// SPDX-License-Identifier: MIT
// TJXPicClip: shows one cell of a picture grid held by a separate TImage, stepped by a timer
// that asks the application for the next cell.
#pragma once

#include "host/controls/Controls.h"
#include "host/controls/ExtCtrls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <memory>

namespace jxt {

/// The picture to show next is asked for: the handler may change picNumber; index is the
/// control's index.
using TJXPicClipEvent = std::function<void(TObject *sender, int &picNumber, int index)>;

/// The image's bitmap is divided into Cols x Rows equal cells; the control shows cell
/// AktPic + PicOffset (numbered row by row), stretched over the control or, without Stretch,
/// at its natural size (the control then takes the cell's size). Every Interval
/// milliseconds OnRequestPic may change AktPic; numbers past the last cell wrap to 0 and
/// negative ones to the last cell. Several clips can share one image and one handler, told
/// apart by ControlIndex. A clip whose Cols or Rows was never assigned, or whose image is
/// gone, draws no cell.
class JXT_EXPORT TJXPicClip : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(int AktPic READ AktPic WRITE SetAktPic)
    Q_PROPERTY(int Cols READ Cols WRITE SetCols)
    Q_PROPERTY(int ControlIndex READ ControlIndex WRITE SetControlIndex)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(jxt::TImage *Image READ Image WRITE SetImage)
    Q_PROPERTY(int Rows READ Rows WRITE SetRows)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(int PicOffset READ PicOffset WRITE SetPicOffset)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    /// The menu of a right click; a referenced component, so it is set from code.
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXPicClipVersion)

public:
    explicit TJXPicClip(TComponent *owner = nullptr);
    ~TJXPicClip() override;

    /// The cell shown; negative values become 0, and with Rows set values past the last cell
    /// too. Repaints.
    int AktPic() const { return m_aktPic; }
    void SetAktPic(int value);
    /// Columns of the grid, 1..1000 once assigned (0 before). Repaints.
    int Cols() const { return m_cols; }
    void SetCols(int value);
    /// Passed to OnRequestPic.
    int ControlIndex() const { return m_controlIndex; }
    void SetControlIndex(int value) { m_controlIndex = value; }
    /// Timer interval in ms: 0 or less stops the timer (keeping the value), otherwise at least
    /// 20 and the timer runs.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// The image whose bitmap holds the grid. Repaints.
    TImage *Image() const { return m_image; }
    void SetImage(TImage *image);
    /// Rows of the grid, 1..500 once assigned (0 before). Repaints.
    int Rows() const { return m_rows; }
    void SetRows(int value);
    /// Stretch the cell over the control; default true. Setting it clears Align. Repaints.
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    /// Added to AktPic to find the cell; stored only.
    int PicOffset() const { return m_picOffset; }
    void SetPicOffset(int value) { m_picOffset = value; }

    /// Draws the current cell on the canvas now (the version text for an empty picture).
    void PaintBMP();
    /// One timer tick: ask OnRequestPic for the next cell and draw it when it changed.
    void JXOnTime();
    /// The picture-change timer.
    TTimer *Timer() const { return m_timer.get(); }

    QSize sizeHint() const override;
    /// The cell's size when it is shown at its natural size, otherwise one pixel.
    QSize minimumSizeHint() const override;
    /// A picture, named by its hint or its component name.
    TAccessibleInfo AccessibleInfo() const override { return {QAccessible::Graphic, QString()}; }

    /// Another picture is shown.
    TNotifyEvent OnChangePic;
    /// See TJXPicClipEvent.
    TJXPicClipEvent OnRequestPic;

signals:
    void onChangePic(jxt::TObject *sender);
    void onRequestPic(jxt::TObject *sender, int *picNumber, int index);

protected:
    void Paint() override;
    /// Without Stretch: one cell of the image's picture, as the picture is now.
    QSize ContentSize(const QSize &current) const override;
    void Notification(TComponent *component, TOperation operation) override;

private:
    /// Without Stretch the control takes the size of one cell.
    void AdjustToCell();
    TBitmap *SourceBitmap() const;

    int m_aktPic = 0;
    int m_cols = 0;
    int m_controlIndex = 0;
    int m_interval = 0;
    TImage *m_image = nullptr;
    int m_rows = 0;
    bool m_stretch = true;
    int m_picOffset = 0;
    std::unique_ptr<TTimer> m_timer;
};

} // namespace jxt
