// SPDX-License-Identifier: MIT
// TJXPanel: a bevelled panel that shows a caption template filled with system figures every
// second, or a scrolling chart of the processor or memory load drawn by TJXPipe.
#pragma once

#include "base/Export.h"

#include "host/controls/ExtCtrls.h"
#include "host/core/About.h"
#include "platform/SysInfo.h"
#include "util/JXVersions.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace jxt {

class TTimer;

/// Holds the panel's style enumeration for the meta-object system.
class JXT_EXPORT TJXPanelStyle
{
    Q_GADGET

public:
    /// What the panel shows: the caption template, or a chart of one system measure.
    enum TStyle { sString, sgCPU, sgSYS, sgGDI, sgUSR, sgMEM };
    Q_ENUM(TStyle)
};
using TStyle = TJXPanelStyle::TStyle;
constexpr TStyle sString = TJXPanelStyle::sString;
constexpr TStyle sgCPU = TJXPanelStyle::sgCPU;
constexpr TStyle sgSYS = TJXPanelStyle::sgSYS;
constexpr TStyle sgGDI = TJXPanelStyle::sgGDI;
constexpr TStyle sgUSR = TJXPanelStyle::sgUSR;
constexpr TStyle sgMEM = TJXPanelStyle::sgMEM;

/// Weekday names, indexed 1 (Sunday) to 7 (Saturday); index 0 is unused.
extern JXT_EXPORT const QString WeekDayString[8];

/// A sampled area chart: the last PointAnz values, the newest at the right, drawn as a
/// filled polygon over a base line with a label of the newest value below it.
class JXT_EXPORT TJXPipe : public TObject
{
public:
    TJXPipe();

    /// Sets the number of samples (at least 1) and clears them all to 0.
    //!@{
    void SetPointAnz(int count);
    int PointAnz() const { return m_pointAnz; }
    //!@}
    /// Drops the oldest sample and appends value as the newest.
    void GraphAddRight(int value);
    /// The value that reaches the top of the chart.
    //!@{
    void GraphSetMax(int maximum) { m_maximum = maximum; }
    int GraphMax() const { return m_maximum; }
    //!@}
    /// Sample i, 1 (oldest shown) to PointAnz (newest).
    int Value(int index) const { return m_values.at(std::size_t(index)); }
    /// The polygon of the last Draw: base point, PointAnz samples, base point.
    const std::vector<TPoint> &Points() const { return m_points; }

    /// Draws the chart into rect of canvas, filled with color, and its label by style.
    void Draw(TStyle style, TCanvas *canvas, TColor color, const TRect &rect);
    /// The label under the chart for the newest sample: "cpu 42%", … ; empty for sString.
    /// The memory chart holds the memory load in percent, so its label says percent too.
    static QString LabelText(TStyle style, int value);
    /// Fills and outlines the polygon of the first count points.
    void MyPolygon(TCanvas *canvas, const TPoint *points, int count);

private:
    std::vector<TPoint> m_points;
    std::vector<int> m_values;
    int m_pointAnz = 0;
    int m_maximum = 100;
};

/// Memory figures of the system: the load in percent and sizes in bytes.
using TJXMemoryStatus = platform::TMemoryStatus;

/// A bevelled panel with a one-second timer. In the style sString its Caption is rebuilt
/// from CaptionFormat every second, with these placeholders replaced in this order: "^M"
/// (line break), "%CPU", "%MemoryLoad", "%TotalPhys", "%AvailPhys", "%Time", "%Date",
/// "%DayLong" (German weekday) and "%Day" (its first three letters). In sgCPU and sgMEM it
/// charts the processor or memory load of the last 80 seconds.
class JXT_EXPORT TJXPanel : public TCustomPanel
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Caption template of the style sString; default empty.
    Q_PROPERTY(QString CaptionFormat READ CaptionFormat WRITE SetCaptionFormat)
    /// Fill colour of the chart; default clRed.
    Q_PROPERTY(jxt::TColorValue GraphColor READ GraphColor WRITE SetGraphColor)
    /// What the panel shows; default sString.
    Q_PROPERTY(jxt::TJXPanelStyle::TStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(jxt::TPanelBevel BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(jxt::TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(jxt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(jxt::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    /// The font of the caption and of the chart's label.
    Q_PROPERTY(jxt::TFont *Font READ Font)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("ToolTip", "Panel with system figures or a load chart")
    Q_CLASSINFO("WhatsThis", "A bevelled panel that shows a caption template filled with the time, "
                             "date and system figures every second, or a chart of the processor "
                             "or memory load.")
    JXT_ABOUT(JXPanelVersion)

public:
    /// Sources of the sampled figures; tests and applications may replace them.
    //!@{
    using TLoadSource = std::function<int()>;
    using TMemorySource = std::function<TJXMemoryStatus()>;
    //!@}

    explicit TJXPanel(TComponent *owner = nullptr);
    TAccessibleInfo AccessibleInfo() const override;
    ~TJXPanel() override;

    QString CaptionFormat() const { return m_captionFormat; }
    void SetCaptionFormat(const QString &format) { m_captionFormat = format; }
    TColor GraphColor() const { return m_graphColor; }
    void SetGraphColor(TColor color) { m_graphColor = color; }
    TStyle Style() const { return m_style; }
    void SetStyle(TStyle style)
    {
        m_style = style;
        updateGeometry();
    }

    /// Replaces the processor-load and memory sources; an empty function restores the
    /// system's own.
    void SetLoadSources(TLoadSource processorLoad, TMemorySource memoryStatus);
    /// The caption the template gives now (samples the sources).
    QString FormatCaption();
    /// One sampling step, as the timer runs it every second.
    void JXOnTime();

    /// The samples the graph styles draw.
    TJXPipe *Pipe() { return &m_pipe; }
    /// The sampling timer (one step a second).
    TTimer *Timer() const { return m_timer.get(); }

    /// In the graph styles: room for the label of a full chart above a chart of the same
    /// height; otherwise the panel's caption.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void Paint() override;

private:
    int ProcessorLoad();
    TJXMemoryStatus MemoryStatus();

    QString m_captionFormat;
    TColor m_graphColor = clRed;
    TStyle m_style = sString;

    std::unique_ptr<TTimer> m_timer;
    TJXPipe m_pipe;
    TLoadSource m_loadSource;
    TMemorySource m_memorySource;
    // The panel's own meter, so each panel measures the load since its own last sample.
    platform::TProcessorLoad m_processorMeter;
};

} // namespace jxt
