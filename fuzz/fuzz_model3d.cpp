// SPDX-License-Identifier: MIT
// Feeds arbitrary text to the 3D model loader and draws the result: no input may crash,
// hang, or leave a shape that names a point the model does not have.
// fuzz-layer: effects
#include "effects/JX3D.h"
#include "host/controls/Dialogs.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

jxt::TScriptedDialogs *g_dialogs = nullptr;
jxt::TJX3D *g_view = nullptr;

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckShapes(const jxt::TJX3D &v)
{
    Check(v.PointCount() >= 0 && v.PointCount() <= jxt::TJX3D::kMaxPoints);
    Check(v.LineCount() >= 0 && v.LineCount() <= jxt::TJX3D::kMaxLines);
    Check(v.PolygonCount() >= 0 && v.PolygonCount() <= jxt::TJX3D::kMaxPolygons);
    Check(v.CircleCount() >= 0 && v.CircleCount() <= jxt::TJX3D::kMaxCircles);
    const auto checkLine = [&](const jxt::TJX3D::TModelLine &line) {
        Check(line.Count >= 0 && line.Count <= jxt::TJX3D::kMaxIndices);
        for (int k = 1; k <= line.Count; ++k)
            Check(line.Index[std::size_t(k)] >= 0 && line.Index[std::size_t(k)] < v.PointCount());
    };
    for (int i = 0; i < v.LineCount(); ++i)
        checkLine(v.Lines(i));
    for (int i = 0; i < v.PolygonCount(); ++i)
        checkLine(v.Polygons(i));
    for (int i = 0; i < v.CircleCount(); ++i)
        Check(v.Circles(i).Point >= 0 && v.Circles(i).Point < v.PointCount());
    Check(v.Perspective() >= 100 && v.Perspective() <= 1000);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    new QApplication(*argc, *argv);
    auto dialogs = std::make_unique<jxt::TScriptedDialogs>();
    g_dialogs = dialogs.get();
    jxt::SetDialogService(std::move(dialogs));
    g_view = new jxt::TJX3D;
    g_view->SetBounds(0, 0, 120, 90);
    g_view->Repaint(); // painted once, so every load draws
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    g_dialogs->Clear();
    g_view->LoadFromList(text.split(QLatin1Char('\n')));
    CheckShapes(*g_view);
    g_view->SetPointCaption(size % 2 == 1);
    g_view->SetYRotation(int(size % 361));
    g_view->Repaint();
    CheckShapes(*g_view);
    return 0;
}
