// SPDX-License-Identifier: MIT
// Every palette component drawn in a light and a dark palette: text in the palette's text
// colours reads on what it is drawn on, lines the palette leaves open are seen, and text on a
// background a component fixes takes a colour that reads there.
#include "controls/JXDriveTab.h"
#include "controls/JXIcoBox.h"
#include "display/JXPanel.h"
#include "host/controls/Controls.h"
#include "host/core/Timer.h"
#include "host/designer/DesignRegistry.h"
#include "package/JXTools.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QVBoxLayout>

#include <map>
#include <memory>
#include <set>

using namespace jxt;
using jxt::test::PixelAt;

namespace {

QPalette DarkPalette()
{
    QPalette p = QApplication::palette();
    const QColor window(0x30, 0x30, 0x30), base(0x1E, 0x1E, 0x1E), text(0xE8, 0xE8, 0xE8);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Light, QColor(0x60, 0x60, 0x60));
    p.setColor(QPalette::Midlight, QColor(0x48, 0x48, 0x48));
    p.setColor(QPalette::Mid, QColor(0x28, 0x28, 0x28));
    p.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x18));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    return p;
}

/// A component of the class in a plain widget of the palette, sized and painted.
struct TPainted
{
    QWidget host;
    TControl *control = nullptr;

    TPainted(const TComponentClass &cls, const QPalette &palette)
    {
        host.setPalette(palette);
        auto *layout = new QVBoxLayout(&host);
        TComponent *component = cls.create(nullptr);
        layout->addWidget(component);
        control = qobject_cast<TControl *>(component);
        if (auto *icons = qobject_cast<TJXIcoBox *>(component)) {
            for (const char *item : {"0", "1", "2", "3"})
                icons->Items()->Add(QString::fromLatin1(item));
        }
        host.resize(host.sizeHint().expandedTo(QSize(160, 60)));
        host.show();
        layout->activate();
        if (control)
            control->Repaint();
    }
};

/// The colours of the palette that text is written in.
std::set<int> TextColours(const QPalette &p)
{
    return {QColorToColor(p.color(QPalette::Text)), QColorToColor(p.color(QPalette::WindowText)),
            QColorToColor(p.color(QPalette::ButtonText))};
}

/// The palette with its text colours replaced by a colour no component draws with.
QPalette Marked(QPalette p)
{
    const QColor marker(0x12, 0xF3, 0x45);
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(role, marker);
    return p;
}
constexpr int kMarker = 0x45F312;

/// For each palette text colour drawn on the surface: the colour most often next to it
/// (what it is written on), with how many pixels of it were found. A pixel is palette text
/// when the same component painted in the marked palette has the marker there: a colour
/// the component fixes itself (an LCD's black) is left out.
struct TTextOn
{
    int text;
    int background;
    int pixels;
};
std::vector<TTextOn> TextOnSurface(const QImage &surface, const QImage &marked,
                                   const std::set<int> &textColours)
{
    const QSize size = jxt::test::LogicalSize(surface);
    if (jxt::test::LogicalSize(marked) != size)
        return {};
    std::map<int, std::map<int, int>> neighbours;
    std::map<int, int> counts;
    for (int y = 1; y + 1 < size.height(); ++y)
        for (int x = 1; x + 1 < size.width(); ++x) {
            const int c = PixelAt(surface, x, y);
            if (!textColours.count(c) || PixelAt(marked, x, y) != kMarker)
                continue;
            ++counts[c];
            for (const auto &[dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int n = PixelAt(surface, x + dx, y + dy);
                if (!textColours.count(n))
                    ++neighbours[c][n];
            }
        }
    std::vector<TTextOn> found;
    for (const auto &[text, around] : neighbours) {
        int best = -1, most = 0;
        for (const auto &[colour, n] : around)
            if (n > most) {
                most = n;
                best = colour;
            }
        if (best >= 0)
            found.push_back({text, best, counts[text]});
    }
    return found;
}

} // namespace

TEST(DarkPalette, PaletteTextReadsOnWhatItIsDrawnOnInLightAndDarkPalettes)
{
    ClearRegistry();
    JXTools::Register();
    const std::vector<TComponentClass> classes = RegisteredComponents(JXTools::kPalettePage);
    ASSERT_FALSE(classes.empty());
    int checked = 0;
    for (const QPalette &palette : {QApplication::palette(), DarkPalette()}) {
        for (const TComponentClass &cls : classes) {
            SCOPED_TRACE(cls.Name().toStdString());
            TPainted painted(cls, palette);
            if (!painted.control || !painted.control->isVisible())
                continue;
            TPainted marked(cls, Marked(palette));
            const TPaletteScope scope(palette);
            for (const TTextOn &t : TextOnSurface(
                     painted.control->Surface(), marked.control->Surface(), TextColours(palette))) {
                if (t.pixels < 8)
                    continue; // a stray pixel of a frame, not text
                ++checked;
                EXPECT_GE(ContrastRatio(t.text, t.background), 3.0)
                    << std::hex << "text " << t.text << " on " << t.background;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(DarkPalette, IconCaptionsReadOnTheirFixedCells)
{
    for (const QPalette &palette : {QApplication::palette(), DarkPalette()}) {
        TPainted painted(ClassOf<TJXIcoBox>(), palette);
        auto *icons = static_cast<TJXIcoBox *>(painted.control);
        const QImage &surface = icons->Surface();
        const TRect cell = icons->ItemRect(0);
        // The caption is the colour in the lower part of the first cell that differs most from
        // the cell's own colour; it must read there.
        const int face = PixelAt(surface, cell.Left + 3, cell.Top + 3);
        double best = 1;
        for (int y = cell.Top + (cell.Bottom - cell.Top) / 2; y < cell.Bottom - 2; ++y)
            for (int x = cell.Left + 3; x < cell.Right - 3; ++x)
                best = std::max(best, ContrastRatio(PixelAt(surface, x, y), face));
        EXPECT_GE(best, 3.0) << std::hex << "cell " << face;
    }
}

TEST(DarkPalette, DriveTabAndPanelChartLinesAreSeenOnTheirFaces)
{
    const QPalette dark = DarkPalette();
    {
        TPainted painted(ClassOf<TJXDriveTab>(), dark);
        const QImage &surface = painted.control->Surface();
        const TPaletteScope scope(dark);
        // The line the tabs hang from, against the control's face below it.
        const int line = PixelAt(surface, painted.control->Width() - 2, 0);
        const int face = ColorToRGB(painted.control->Color());
        EXPECT_GE(ContrastRatio(line, face), 3.0) << std::hex << line << " on " << face;
    }
    {
        QWidget host;
        host.setPalette(dark);
        auto *panel = new TJXPanel;
        panel->setParent(&host);
        panel->Timer()->SetEnabled(false);
        panel->SetLoadSources([] { return 50; }, nullptr);
        panel->SetStyle(sgCPU);
        panel->SetBounds(0, 0, 120, 80);
        for (int i = 0; i < 10; ++i)
            panel->JXOnTime();
        panel->Repaint();
        const TPaletteScope scope(dark);
        const int face = ColorToRGB(panel->Color());
        // Above the label under the chart only the graph is drawn: its fill and its outline,
        // which must stand out from the face.
        const int fill = ColorToRGB(panel->GraphColor());
        int outline = 0;
        const QImage &surface = panel->Surface();
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 120; ++x) {
                const int c = PixelAt(surface, x, y);
                if (c != fill && c != face && ContrastRatio(c, face) >= 3.0)
                    ++outline;
            }
        EXPECT_GT(outline, 20);
    }
}
