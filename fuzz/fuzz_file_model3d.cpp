// SPDX-License-Identifier: MIT
// Loads 3D models from real files: any bytes load or are refused with the library's error,
// never a crash, and the model's shapes name only its own points. A FIFO and a file beyond
// the model cap are refused at once, and no file is left behind.
// fuzz-layer: effects
#include "FileHarness.h"

#include "effects/JX3D.h"
#include "host/controls/Dialogs.h"

#include <QApplication>

using jxt::fuzz::Check;
using jxt::fuzz::TFileHarness;

namespace {

jxt::TJX3D *g_view = nullptr;

/// True when the load was refused with the library's file error.
bool Refused(const QString &path)
{
    try {
        g_view->LoadFromFile(path);
    } catch (const jxt::EInOutError &) {
        return true;
    }
    return false;
}

void CheckShapes(const jxt::TJX3D &v)
{
    const auto checkLine = [&](const jxt::TJX3D::TModelLine &line) {
        Check(line.Count >= 0 && line.Count <= jxt::TJX3D::kMaxIndices);
        for (int k = 1; k <= line.Count; ++k)
            Check(line.Index[std::size_t(k)] >= 0 && line.Index[std::size_t(k)] < v.PointCount());
    };
    Check(v.PointCount() >= 0 && v.PointCount() <= jxt::TJX3D::kMaxPoints);
    for (int i = 0; i < v.LineCount(); ++i)
        checkLine(v.Lines(i));
    for (int i = 0; i < v.PolygonCount(); ++i)
        checkLine(v.Polygons(i));
    for (int i = 0; i < v.CircleCount(); ++i)
        Check(v.Circles(i).Point >= 0 && v.Circles(i).Point < v.PointCount());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    new QApplication(*argc, *argv);
    jxt::SetDialogService(std::make_unique<jxt::TScriptedDialogs>());
    g_view = new jxt::TJX3D;
    g_view->SetBounds(0, 0, 120, 90);
    g_view->Repaint();

    const TFileHarness &files = TFileHarness::Instance();
    jxt::fuzz::WithinSeconds(10,
                             [&] { Check(Refused(files.MakeFifo(QStringLiteral("pipe.3d")))); });
    files.Remove(QStringLiteral("pipe.3d"));
    Check(Refused(files.MakeSparse(QStringLiteral("huge.3d"), jxt::TJX3D::kMaxModelFileSize + 1,
                                   "P 0,0,0\r\n")));
    files.Remove(QStringLiteral("huge.3d"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const TFileHarness &files = TFileHarness::Instance();
    const QString path = files.Write(QStringLiteral("model.3d"), data, size);
    jxt::fuzz::WithinSeconds(20, [&] { Check(!Refused(path)); });
    CheckShapes(*g_view);
    files.ExpectEntries({QStringLiteral("model.3d")});
    return 0;
}
