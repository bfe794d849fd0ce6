// SPDX-License-Identifier: MIT
// The font combo and the grab bar against their Qt counterparts, in the same run:
//   font_fill:     a new font combo filled with the screen's fonts, against a new
//                  QFontComboBox (which fills itself when made);
//   font_filter_*: reading Fonts under one filter (a fresh enumeration each time), against
//                  QFontComboBox::setFontFilters / setWritingSystem with the matching filter
//                  (which rebuilds its list each time);
//   grab_drag:     one drag step of a grab bar splitting a 400 x 300 form (the mouse moves
//                  20 pixels, the ghost bar is drawn at the new place and erased at the old,
//                  and the window is brought up to date), against one step of a QSplitter
//                  handle dragged the same distance with its rubber band (non-opaque resize).
// Ratios from processor time.
#include "controls/JXFontCombo.h"
#include "controls/JXGrabBar.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontComboBox>
#include <QMouseEvent>
#include <QSplitter>

#include <memory>
#include <string>

namespace {

using namespace jxt;

void FontFillOurs(benchmark::State &state)
{
    for (auto _ : state) {
        auto combo = std::make_unique<TJXFontCombo>();
        Loaded(combo.get());
        benchmark::DoNotOptimize(combo->Items()->Count());
    }
}

void FontFillAnchor(benchmark::State &state)
{
    for (auto _ : state) {
        auto combo = std::make_unique<QFontComboBox>();
        benchmark::DoNotOptimize(combo->count());
    }
}

struct TFilter
{
    const char *name;
    TCharSet charSet;
    TPitch pitch;
    bool trueTypeOnly;
    QFontComboBox::FontFilters qtFilters;
    QFontDatabase::WritingSystem qtSystem;
};

const TFilter kFilters[] = {
    {"all", ALL, piALL, false, QFontComboBox::AllFonts, QFontDatabase::Any},
    {"ansi", ANSI, piALL, false, QFontComboBox::AllFonts, QFontDatabase::Latin},
    {"symbol", SYMBOL, piALL, false, QFontComboBox::AllFonts, QFontDatabase::Symbol},
    {"fixed", ALL, piFIXED, false, QFontComboBox::MonospacedFonts, QFontDatabase::Any},
    {"variable", ALL, piVARIABLE, false, QFontComboBox::ProportionalFonts, QFontDatabase::Any},
    {"truetype", ALL, piALL, true, QFontComboBox::ScalableFonts, QFontDatabase::Any},
};

void FontFilterOurs(benchmark::State &state, TFilter filter)
{
    TJXFontCombo combo;
    combo.SetCharSet(filter.charSet);
    combo.SetPitch(filter.pitch);
    combo.SetTrueTypeOnly(filter.trueTypeOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(combo.Fonts()->Count());
}

void FontFilterAnchor(benchmark::State &state, TFilter filter)
{
    QFontComboBox combo;
    combo.setWritingSystem(filter.qtSystem);
    for (auto _ : state) {
        combo.setFontFilters(filter.qtFilters);
        benchmark::DoNotOptimize(combo.count());
    }
}

void Send(QWidget *w, QEvent::Type type, QPoint p)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

void GrabDragOurs(benchmark::State &state)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto *a = new TPanel(&form);
    a->SetParent(&form);
    auto *b = new TPanel(&form);
    b->SetParent(&form);
    auto *bar = new TJXGrabBar(&form);
    bar->SetParent(&form);
    bar->SetWindowA(a);
    bar->SetWindowB(b);
    form.show();
    bar->SetTop(140);
    QApplication::processEvents();
    Send(bar, QEvent::MouseButtonPress, QPoint(100, 2));
    bool down = false;
    for (auto _ : state) {
        down = !down;
        Send(bar, QEvent::MouseMove, QPoint(100, down ? 22 : 2));
        QApplication::processEvents();
    }
    Send(bar, QEvent::MouseButtonRelease, QPoint(100, 2));
}

void GrabDragAnchor(benchmark::State &state)
{
    QSplitter splitter(Qt::Vertical);
    splitter.setOpaqueResize(false);
    splitter.setHandleWidth(5);
    for (int i = 0; i < 2; ++i) {
        auto *pane = new QWidget;
        pane->setAutoFillBackground(true);
        splitter.addWidget(pane);
    }
    splitter.resize(400, 300);
    splitter.setSizes({140, 155});
    splitter.show();
    QApplication::processEvents();
    QWidget *handle = splitter.handle(1);
    Send(handle, QEvent::MouseButtonPress, QPoint(100, 2));
    bool down = false;
    for (auto _ : state) {
        down = !down;
        Send(handle, QEvent::MouseMove, QPoint(100, down ? 22 : 2));
        QApplication::processEvents();
    }
    Send(handle, QEvent::MouseButtonRelease, QPoint(100, 2));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    jxt::bench::TRatioReporter reporter;
    benchmark::RegisterBenchmark("font_fill_ours", FontFillOurs)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("font_fill_qfontcombobox", FontFillAnchor)
        ->Unit(benchmark::kMicrosecond);
    reporter.AddRatio("font combo filled vs QFontComboBox", "font_fill_ours",
                      "font_fill_qfontcombobox");
    for (const TFilter &filter : kFilters) {
        const std::string ours = std::string("font_filter_") + filter.name + "_ours";
        const std::string anchor = std::string("font_filter_") + filter.name + "_qfontcombobox";
        benchmark::RegisterBenchmark(ours.c_str(), FontFilterOurs, filter)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(anchor.c_str(), FontFilterAnchor, filter)
            ->Unit(benchmark::kMicrosecond);
        reporter.AddRatio(std::string("Fonts filtered ") + filter.name + " vs QFontComboBox", ours,
                          anchor, jxt::bench::TTime::Processor, jxt::bench::kNoAim);
    }
    benchmark::RegisterBenchmark("grab_drag_ours", GrabDragOurs)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("grab_drag_qsplitter", GrabDragAnchor)
        ->Unit(benchmark::kMicrosecond);
    reporter.AddRatio("grab bar drag step vs QSplitter handle", "grab_drag_ours",
                      "grab_drag_qsplitter");
    return jxt::bench::RunWithRatios(argc, argv, reporter);
}
