// SPDX-License-Identifier: MIT
// Panel with a caption template of system figures, or a chart of the system load.
#include "display/JXPanel.h"

#include "host/core/Timer.h"
#include "util/Jxutil.h"

#include <algorithm>
#include <exception>

namespace jxt {

const QString WeekDayString[8] = {
    QString(),
    QStringLiteral("Sonntag"),
    QStringLiteral("Montag"),
    QStringLiteral("Dienstag"),
    QStringLiteral("Mittwoch"),
    QStringLiteral("Donnerstag"),
    QStringLiteral("Freitag"),
    QStringLiteral("Samstag"),
};

namespace {

constexpr int kSampleIntervalMs = 1000;
constexpr int kChartPoints = 80;
const QString kTooManyParameters = QStringLiteral("To many Parameters");

/// Kilobytes with thousands separators and " KB", as the pattern #,###" KB" gives them
/// (zero has no digits).
QString FormatKiloBytes(quint64 bytes)
{
    const QString digits = bytes / 1024 == 0 ? QString() : QString::number(bytes / 1024);
    QString grouped;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += FormatSettings().ThousandSeparator;
        grouped += digits.at(i);
    }
    return grouped + QStringLiteral(" KB");
}

/// 1 for Sunday to 7 for Saturday.
int DayOfWeek(const QDate &date)
{
    return date.dayOfWeek() % 7 + 1;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TJXPipe

TJXPipe::TJXPipe()
{
    SetPointAnz(10);
}

void TJXPipe::SetPointAnz(int count)
{
    // At least one sample, so the chart always has a width to divide.
    m_pointAnz = std::max(1, count);
    m_points.assign(std::size_t(m_pointAnz) + 2, Point(0, 50));
    m_values.assign(std::size_t(m_pointAnz) + 2, 0);
}

void TJXPipe::GraphAddRight(int value)
{
    for (int i = 0; i <= m_pointAnz; ++i)
        m_values[std::size_t(i)] = m_values[std::size_t(i) + 1];
    m_values[std::size_t(m_pointAnz)] = value;
}

void TJXPipe::Draw(TStyle style, TCanvas *canvas, TColor color, const TRect &rect)
{
    if (!canvas)
        return;
    const int n = m_pointAnz;
    const int step = rect.Width() / n;
    const int margin = (rect.Width() - step * (n - 1)) / 2;
    const int x0 = rect.Left + margin;
    // The base line leaves room for the label under the chart.
    const int base = rect.Bottom - canvas->TextHeight(QStringLiteral("X")) - 1;
    // A maximum below 1 would divide by zero; it charts like 1.
    const long long maximum = std::max(1, m_maximum);
    for (int i = 0; i < n; ++i) {
        const long long height =
            (long long)m_values[std::size_t(i) + 1] * (base - rect.Top) / maximum;
        m_points[std::size_t(i) + 1] = Point(x0 + i * step, int(base - height));
    }
    m_points[0] = Point(x0, base);
    m_points[std::size_t(n) + 1] = Point(m_points[std::size_t(n)].X, base);

    // The outline in the palette's text colour: black on the classic face, light on a dark one.
    canvas->Pen()->SetColor(clWindowText);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    MyPolygon(canvas, m_points.data(), n + 2);

    const QString label = LabelText(style, m_values[std::size_t(n)]);
    if (label.isEmpty())
        return;
    const TRect clip = canvas->ClipRect();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(clip.Left + (clip.Width() - canvas->TextWidth(label)) / 2,
                    rect.Bottom - canvas->TextHeight(label), label);
}

QString TJXPipe::LabelText(TStyle style, int value)
{
    switch (style) {
    case sgCPU: return QStringLiteral("cpu %1%").arg(value);
    case sgSYS: return QStringLiteral("sys %1%").arg(value);
    case sgGDI: return QStringLiteral("gdi %1%").arg(value);
    case sgUSR: return QStringLiteral("usr %1%").arg(value);
    case sgMEM: return QStringLiteral("mem %1%").arg(value);
    case sString: break;
    }
    return QString();
}

void TJXPipe::MyPolygon(TCanvas *canvas, const TPoint *points, int count)
{
    if (canvas && points && count > 0)
        canvas->Polygon(points, count);
}

// ---------------------------------------------------------------------------------------
// TJXPanel

TJXPanel::TJXPanel(TComponent *owner) : TCustomPanel(owner), m_timer(std::make_unique<TTimer>())
{
    setFocusPolicy(Qt::NoFocus); // a display: nothing to type into
    SetBounds(Left(), Top(), 137, 25);
    m_pipe.SetPointAnz(kChartPoints);
    m_timer->SetInterval(kSampleIntervalMs);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    m_timer->SetEnabled(true);
}

TJXPanel::~TJXPanel()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXPanel::SetLoadSources(TLoadSource processorLoad, TMemorySource memoryStatus)
{
    m_loadSource = std::move(processorLoad);
    m_memorySource = std::move(memoryStatus);
}

int TJXPanel::ProcessorLoad()
{
    // An unreadable load (-1) shows as 0.
    const int load = m_loadSource ? m_loadSource() : m_processorMeter.Sample();
    return std::clamp(load, 0, 100);
}

TJXMemoryStatus TJXPanel::MemoryStatus()
{
    if (m_memorySource)
        return m_memorySource();
    TJXMemoryStatus status;
    if (!platform::GetMemoryStatus(status))
        return TJXMemoryStatus(); // unreadable figures show as zero
    return status;
}

QString TJXPanel::FormatCaption()
{
    try {
        const QString load = QString::number(ProcessorLoad()) + QLatin1Char('%');
        const TJXMemoryStatus memory = MemoryStatus();
        const QDateTime now = Now();
        const QString dayName = WeekDayString[DayOfWeek(now.date())];

        QString text = m_captionFormat;
        jxtReplaceString(text, QStringLiteral("^M"), QStringLiteral("\n\r"));
        jxtReplaceString(text, QStringLiteral("%CPU"), load);
        jxtReplaceString(text, QStringLiteral("%MemoryLoad"),
                         QStringLiteral("%1%").arg(memory.MemoryLoad));
        jxtReplaceString(text, QStringLiteral("%TotalPhys"), FormatKiloBytes(memory.TotalPhys));
        jxtReplaceString(text, QStringLiteral("%AvailPhys"), FormatKiloBytes(memory.AvailPhys));
        jxtReplaceString(text, QStringLiteral("%Time"), TimeToStr(now.time()));
        jxtReplaceString(text, QStringLiteral("%Date"), DateToStr(now.date()));
        jxtReplaceString(text, QStringLiteral("%DayLong"), dayName);
        jxtReplaceString(text, QStringLiteral("%Day"), dayName.left(3));
        return text;
    } catch (const std::exception &) {
        return kTooManyParameters;
    }
}

void TJXPanel::JXOnTime()
{
    const bool running = m_timer->Enabled();
    m_timer->SetEnabled(false);
    switch (m_style) {
    case sString: SetCaption(FormatCaption()); break;
    case sgCPU:
        m_pipe.GraphSetMax(100);
        m_pipe.GraphAddRight(ProcessorLoad());
        break;
    case sgMEM:
        m_pipe.GraphSetMax(100);
        m_pipe.GraphAddRight(MemoryStatus().MemoryLoad);
        break;
    case sgSYS:
    case sgGDI:
    case sgUSR: break; // these measures have no source; their charts stay at 0
    }
    if (m_style != sString)
        AccessibleValueChanged();
    Invalidate();
    m_timer->SetEnabled(running);
}

void TJXPanel::Paint()
{
    TCanvas *canvas = Canvas();
    TRect r = ClientRect();
    PaintBevels(r);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());

    if (m_style == sString) {
        unsigned flags = DT_WORDBREAK;
        switch (Alignment()) {
        case taLeftJustify: flags |= DT_LEFT; break;
        case taRightJustify: flags |= DT_RIGHT; break;
        case taCenter: flags |= DT_CENTER; break;
        }
        const QString text = Caption();
        TRect measured = r;
        canvas->DrawText(text, measured, flags | DT_CALCRECT);
        // Centre the wrapped block vertically.
        r.Offset(0, (r.Height() - measured.Height()) / 2);
        canvas->DrawText(text, r, flags);
        return;
    }

    int inset = BorderWidth();
    if (BevelOuter() != bvNone)
        inset += BevelWidth();
    if (BevelInner() != bvNone)
        inset += BevelWidth();
    if (!Caption().isEmpty())
        SetCaption(QString());
    TRect chart = ClientRect();
    chart.Inflate(-inset, -inset);
    m_pipe.Draw(m_style, canvas, m_graphColor, chart);
}

TAccessibleInfo TJXPanel::AccessibleInfo() const
{
    if (m_style == sString)
        return {QAccessible::StaticText, Caption()};
    // A chart is named by the label under it, "cpu 42%", and gives the newest sample.
    const int newest = m_pipe.PointAnz() > 0 ? m_pipe.Value(m_pipe.PointAnz()) : 0;
    return {QAccessible::Chart,
            TJXPipe::LabelText(m_style, newest),
            {double(newest), 0, double(m_pipe.GraphMax())}};
}

QSize TJXPanel::minimumSizeHint() const
{
    if (m_style == sString)
        return TCustomPanel::minimumSizeHint();
    const QSize label = TextExtent(TJXPipe::LabelText(m_style, 100));
    const int frame = 2 * BevelInset();
    return QSize(label.width() + frame, 2 * label.height() + frame);
}

QSize TJXPanel::sizeHint() const
{
    if (m_style == sString)
        return TCustomPanel::sizeHint();
    // A point of the chart every pixel or two.
    return minimumSizeHint().expandedTo(QSize(m_pipe.PointAnz() + 2 * BevelInset(), 0)) +
           QSize(16, 8);
}

} // namespace jxt
