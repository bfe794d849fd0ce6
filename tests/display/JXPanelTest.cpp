// SPDX-License-Identifier: MIT
// System panel: the caption template, sampling into the chart, the pipe's geometry and the
// painted bevels, caption and chart.
#include "display/JXPanel.h"

#include "host/core/Timer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

using namespace jxt;
using jxt::test::CountColor;
using jxt::test::PixelAt;

namespace {

/// Installs a fixed clock for the lifetime of the object.
class FixedClock
{
public:
    explicit FixedClock(const QDateTime &at)
    {
        SetClock([at] { return at; });
    }
    ~FixedClock() { SetClock(nullptr); }
};

// Monday, 15 January 2024, 14:03:07.
const QDateTime kMonday(QDate(2024, 1, 15), QTime(14, 3, 7));

TJXMemoryStatus SampleMemory()
{
    TJXMemoryStatus m;
    m.MemoryLoad = 42;
    m.TotalPhys = 17179869184ull; // 16 GiB
    m.AvailPhys = 2048000;        // 2000 KB
    return m;
}

/// A panel on fake sources: the processor load comes from loads, one value per sample.
struct FakePanel
{
    FakePanel()
    {
        panel.SetLoadSources([this] { return load; }, [this] { return memory; });
    }
    int load = 37;
    TJXMemoryStatus memory = SampleMemory();
    TJXPanel panel;
};

/// Rows [first, last] of image holding a pixel of colour inside [x1, x2).
std::pair<int, int> RowsWith(const QImage &image, int colour, int x1, int x2)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        if (CountColor(image, colour, x1, y, x2, y + 1) > 0) {
            if (first < 0)
                first = y;
            last = y;
        }
    return {first, last};
}

} // namespace

TEST(JXPanel, CreateDefaultsAndPublishedOrder)
{
    TJXPanel panel;
    EXPECT_EQ(panel.Width(), 137);
    EXPECT_EQ(panel.Height(), 25);
    EXPECT_EQ(panel.Pipe()->PointAnz(), 80);
    EXPECT_EQ(panel.Timer()->Interval(), 1000);
    EXPECT_TRUE(panel.Timer()->Active());
    EXPECT_EQ(panel.GetAboutJXT(), QStringLiteral("14.12.96^M(Beta)"));

    const QMetaObject *meta = panel.metaObject();
    QStringList names;
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        names << QString::fromLatin1(meta->property(i).name());
    const int first = names.indexOf(QStringLiteral("About_JXTools"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(names.mid(first, 5),
              (QStringList{"About_JXTools", "CaptionFormat", "GraphColor", "Style", "Align"}));
    // The caption's font is published between the 3D look and the lock, as for any panel.
    const int color = names.indexOf(QStringLiteral("Color"));
    ASSERT_GT(color, first);
    EXPECT_EQ(names.mid(color, 4), (QStringList{"Color", "Ctl3D", "Font", "Locked"}));
    EXPECT_EQ(
        names.mid(first + 4),
        (QStringList{"Align",       "Alignment",   "BevelInner",     "BevelOuter", "BevelWidth",
                     "BorderWidth", "BorderStyle", "DragCursor",     "DragMode",   "Enabled",
                     "Color",       "Ctl3D",       "Font",           "Locked",     "ParentColor",
                     "ParentCtl3D", "ParentFont",  "ParentShowHint", "PopupMenu",  "ShowHint",
                     "TabOrder",    "TabStop",     "Visible"}));
    EXPECT_EQ(panel.property("Font").value<TFont *>(), panel.Font());
}

TEST(JXPanel, TemplateOnAMonday)
{
    FixedClock clock(kMonday);
    FakePanel f;
    f.panel.SetCaptionFormat(QStringLiteral("%DayLong, %Date^M%Time"));
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("Montag, 15.01.2024\n\r14:03:07"));

    f.panel.SetCaptionFormat(QStringLiteral("%Day"));
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("Mon"));
}

TEST(JXPanel, TemplateFillsSystemFigures)
{
    FixedClock clock(kMonday);
    FakePanel f;
    f.panel.SetCaptionFormat(QStringLiteral("%CPU|%MemoryLoad|%TotalPhys|%AvailPhys"));
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("37%|42%|16.777.216 KB|2.000 KB"));

    // Less than a kilobyte has no digits; three digits need no separator.
    f.memory.TotalPhys = 999 * 1024;
    f.memory.AvailPhys = 1023;
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("37%|42%|999 KB| KB"));

    // A placeholder appearing twice is replaced everywhere.
    f.panel.SetCaptionFormat(QStringLiteral("%CPU %CPU"));
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("37% 37%"));
}

TEST(JXPanel, WeekdayNamesFromSundayToSaturday)
{
    const char *const names[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
    FakePanel f;
    f.panel.SetCaptionFormat(QStringLiteral("%DayLong/%Day"));
    for (int i = 0; i < 7; ++i) {
        FixedClock clock(
            QDateTime(QDate(2024, 1, 14).addDays(i), QTime(8, 0))); // 14.01.2024 is a Sunday
        f.panel.JXOnTime();
        const QString name = QString::fromUtf8(names[i]);
        EXPECT_EQ(f.panel.Caption(), name + QLatin1Char('/') + name.left(3));
    }
}

TEST(JXPanel, EmptyTemplateClearsAndFailingSourceReports)
{
    FixedClock clock(kMonday);
    FakePanel f;
    f.panel.SetCaption(QStringLiteral("old"));
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QString());

    f.panel.SetCaptionFormat(QStringLiteral("%MemoryLoad"));
    f.panel.SetLoadSources(
        [] { return 5; },
        []() -> TJXMemoryStatus { throw std::runtime_error("no memory figures"); });
    f.panel.JXOnTime();
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("To many Parameters"));
}

TEST(JXPanel, ProcessorChartFillsFromTheRight)
{
    FakePanel f;
    f.panel.SetStyle(sgCPU);
    TJXPipe *pipe = f.panel.Pipe();
    for (int i = 1; i <= 80; ++i)
        EXPECT_EQ(pipe->Value(i), 0);

    for (int second = 1; second <= 3; ++second) {
        f.load = 10 * second;
        f.panel.JXOnTime();
    }
    EXPECT_EQ(pipe->Value(80), 30);
    EXPECT_EQ(pipe->Value(79), 20);
    EXPECT_EQ(pipe->Value(78), 10);
    EXPECT_EQ(pipe->Value(77), 0);
    EXPECT_EQ(pipe->GraphMax(), 100);

    // After 80 more samples the first three have left on the left.
    for (int second = 0; second < 80; ++second) {
        f.load = second % 2 ? 1 : 2;
        f.panel.JXOnTime();
    }
    EXPECT_EQ(pipe->Value(1), 2);
    EXPECT_EQ(pipe->Value(80), 1);

    // The memory chart samples the memory load; the other measures take no samples.
    f.panel.SetStyle(sgMEM);
    f.panel.JXOnTime();
    EXPECT_EQ(pipe->Value(80), 42);
    f.panel.SetStyle(sgGDI);
    f.panel.JXOnTime();
    EXPECT_EQ(pipe->Value(80), 42);
}

TEST(JXPipe, SampleOfHalfTheMaximumReachesHalfTheHeight)
{
    TJXPipe pipe;
    EXPECT_EQ(pipe.PointAnz(), 10);
    pipe.SetPointAnz(4);
    pipe.GraphSetMax(100);
    for (int v : {0, 50, 100, 50})
        pipe.GraphAddRight(v);

    TBitmap bitmap(100, 80);
    TCanvas *canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, 100, 80));
    const TRect r = Rect(10, 10, 90, 70);
    pipe.Draw(sgCPU, canvas, clBlue, r);

    const int base = 70 - canvas->TextHeight(QStringLiteral("X")) - 1;
    const int half = base - (base - 10) / 2;
    const std::vector<TPoint> &p = pipe.Points();
    ASSERT_EQ(p.size(), 6u);
    // step 80 / 4 = 20, margin (80 - 60) / 2 = 10
    EXPECT_EQ(p[0], Point(20, base));
    EXPECT_EQ(p[1], Point(20, base));
    EXPECT_EQ(p[2], Point(40, half));
    EXPECT_EQ(p[3], Point(60, 10));
    EXPECT_EQ(p[4], Point(80, half));
    EXPECT_EQ(p[5], Point(80, base));

    // Filled under the polygon, white above it.
    EXPECT_EQ(PixelAt(bitmap.Image(), 60, (10 + base) / 2), clBlue);
    EXPECT_EQ(PixelAt(bitmap.Image(), 40, half + 3), clBlue);
    EXPECT_EQ(PixelAt(bitmap.Image(), 40, half - 3), clWhite);
    EXPECT_EQ(PixelAt(bitmap.Image(), 60, 5), clWhite);
    // The label sits under the base line.
    EXPECT_GT(CountColor(bitmap.Image(), clBlack, 0, base + 1, 100, 70), 0);
}

TEST(JXPipe, DegenerateSizesDoNotFault)
{
    TJXPipe pipe;
    pipe.SetPointAnz(0);
    EXPECT_EQ(pipe.PointAnz(), 1);
    pipe.GraphSetMax(0);
    pipe.GraphAddRight(7);
    TBitmap bitmap(20, 20);
    pipe.Draw(sgMEM, bitmap.Canvas(), clRed, Rect(0, 0, 20, 20));
    pipe.Draw(sgCPU, bitmap.Canvas(), clRed, Rect(5, 5, 5, 5));
    EXPECT_EQ(pipe.Value(1), 7);
}

TEST(JXPanel, PaintsBevelsAndACentredWrappedCaption)
{
    FakePanel f;
    TJXPanel &panel = f.panel;
    panel.SetBounds(0, 0, 120, 60);
    panel.SetColor(clYellow);
    panel.SetBevelOuter(bvRaised);
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(1);
    panel.Font()->SetColor(clBlack);
    panel.SetCaption(QStringLiteral("system panel caption text"));
    panel.Repaint();
    const QImage &s = panel.Surface();

    const int highlight = ColorToRGB(clBtnHighlight);
    const int shadow = ColorToRGB(clBtnShadow);
    EXPECT_EQ(PixelAt(s, 0, 0), highlight);
    EXPECT_EQ(PixelAt(s, 119, 59), shadow);
    EXPECT_EQ(PixelAt(s, 1, 30), highlight);
    EXPECT_EQ(PixelAt(s, 2, 30), clYellow); // the border in Color
    EXPECT_EQ(PixelAt(s, 3, 30), shadow);   // the lowered inner bevel
    EXPECT_EQ(PixelAt(s, 116, 30), highlight);

    // The caption wraps into several lines whose block is centred vertically.
    const auto [top, bottom] = RowsWith(s, clBlack, 5, 115);
    ASSERT_GE(top, 0);
    EXPECT_GT(bottom - top, panel.Canvas()->TextHeight(QStringLiteral("X")));
    EXPECT_NEAR((top + bottom) / 2.0, 30.0, 4.0);
}

TEST(JXPanel, GraphStylePaintsTheChartAndClearsTheCaption)
{
    FakePanel f;
    TJXPanel &panel = f.panel;
    panel.SetBounds(0, 0, 170, 60);
    panel.SetColor(clWhite);
    panel.SetCaption(QStringLiteral("gone"));
    panel.SetStyle(sgCPU);
    f.load = 100;
    for (int i = 0; i < 40; ++i)
        panel.JXOnTime();
    panel.Repaint();
    EXPECT_EQ(panel.Caption(), QString());
    const QImage &s = panel.Surface();
    // Right half full to the top, left half empty.
    EXPECT_EQ(PixelAt(s, 150, 20), clRed);
    EXPECT_EQ(PixelAt(s, 30, 20), clWhite);
    EXPECT_GT(CountColor(s, clRed, 85, 2, 168, 40), 0);
    EXPECT_EQ(CountColor(s, clRed, 2, 2, 80, 40), 0);
}

TEST(HostMachineJXPanel, SystemFigures)
{
    FixedClock clock(kMonday);
    TJXPanel panel;
    panel.SetCaptionFormat(QStringLiteral("%CPU;%MemoryLoad;%TotalPhys;%AvailPhys"));
    panel.JXOnTime();
    const QStringList parts = panel.Caption().split(QLatin1Char(';'));
    ASSERT_EQ(parts.size(), 4) << panel.Caption().toStdString();
    const QRegularExpression percent(QStringLiteral("^(\\d{1,3})%$"));
    for (int i : {0, 1}) {
        const auto match = percent.match(parts[i]);
        ASSERT_TRUE(match.hasMatch()) << parts[i].toStdString();
        EXPECT_LE(match.captured(1).toInt(), 100);
    }
    const QRegularExpression kiloBytes(QStringLiteral("^\\d{1,3}(\\.\\d{3})* KB$"));
    EXPECT_TRUE(kiloBytes.match(parts[2]).hasMatch()) << parts[2].toStdString();
    EXPECT_TRUE(kiloBytes.match(parts[3]).hasMatch()) << parts[3].toStdString();

    panel.SetStyle(sgCPU);
    panel.JXOnTime();
    panel.JXOnTime();
    EXPECT_GE(panel.Pipe()->Value(80), 0);
    EXPECT_LE(panel.Pipe()->Value(80), 100);
}

TEST(JXPanel, RunningTimerRefreshesTheCaption)
{
    TManualTimerClock clock;
    FakePanel f;
    f.panel.SetCaptionFormat(QStringLiteral("load %CPU"));
    clock.Advance(999);
    EXPECT_TRUE(f.panel.Caption().isEmpty()) << "the caption is refreshed every second";
    clock.Advance(1);
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("load 37%"));
    f.load = 64;
    clock.Advance(1000);
    EXPECT_EQ(f.panel.Caption(), QStringLiteral("load 64%"));
}

TEST(JXPipe, LabelsNameTheMeasureAndItsUnit)
{
    EXPECT_EQ(TJXPipe::LabelText(sgCPU, 42), QStringLiteral("cpu 42%"));
    EXPECT_EQ(TJXPipe::LabelText(sgSYS, 0), QStringLiteral("sys 0%"));
    // The memory chart holds the load in percent, so the label must not claim kilobytes.
    EXPECT_EQ(TJXPipe::LabelText(sgMEM, 63), QStringLiteral("mem 63%"));
    EXPECT_TRUE(TJXPipe::LabelText(sString, 5).isEmpty());
}
