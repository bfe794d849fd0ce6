// SPDX-License-Identifier: MIT
// Loads pictures from real files (bitmaps, icons, recorded pictures, and any format by the
// picture's choice) and writes what loaded back: no input may crash, a write leaves exactly
// the file written, and a FIFO and a file beyond the picture cap are refused at once.
// fuzz-layer: host
#include "FileHarness.h"

#include "host/graphics/Graphics.h"

#include <QGuiApplication>

#include <memory>

using jxt::fuzz::Check;
using jxt::fuzz::TFileHarness;

namespace {

/// A new picture object of the kind `kind` selects, and the extension that goes with it.
std::unique_ptr<jxt::TGraphic> NewGraphic(int kind, QString *extension)
{
    switch (kind % 3) {
    case 0: *extension = QStringLiteral(".bmp"); return std::make_unique<jxt::TBitmap>();
    case 1: *extension = QStringLiteral(".ico"); return std::make_unique<jxt::TIcon>();
    default: *extension = QStringLiteral(".pic"); return std::make_unique<jxt::TMetafile>();
    }
}

bool Refused(jxt::TGraphic &graphic, const QString &path)
{
    try {
        graphic.LoadFromFile(path);
    } catch (const jxt::EInOutError &) {
        return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    new QGuiApplication(*argc, *argv);
    const TFileHarness &files = TFileHarness::Instance();
    for (int kind = 0; kind < 3; ++kind) {
        QString extension;
        const auto graphic = NewGraphic(kind, &extension);
        const QString pipe = files.MakeFifo(QStringLiteral("pipe") + extension);
        jxt::fuzz::WithinSeconds(10, [&] { Check(Refused(*graphic, pipe)); });
        jxt::TPicture picture;
        jxt::fuzz::WithinSeconds(10, [&] {
            try {
                picture.LoadFromFile(pipe);
                Check(false);
            } catch (const jxt::EInOutError &) {
            }
        });
        files.Remove(QStringLiteral("pipe") + extension);
        const QString huge = files.MakeSparse(QStringLiteral("huge") + extension,
                                              jxt::TGraphic::kMaxFileSize + 1, "BM");
        Check(Refused(*graphic, huge));
        files.Remove(QStringLiteral("huge") + extension);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const TFileHarness &files = TFileHarness::Instance();
    QString extension;
    const auto graphic = NewGraphic(data[0], &extension);
    const QString input = QStringLiteral("input") + extension;
    const QString path = files.Write(input, data + 1, size - 1);
    bool loaded = false;
    jxt::fuzz::WithinSeconds(30, [&] { loaded = !Refused(*graphic, path); });
    if (loaded && !graphic->Empty()) {
        // Written back, the file is complete under its name, and nothing else is left.
        const QString output = QStringLiteral("output") + extension;
        try {
            graphic->SaveToFile(files.Path(output));
            files.ExpectEntries({input, output});
            files.Remove(output);
        } catch (const jxt::EInOutError &) {
            // An image the format cannot hold (an icon too large): nothing may be written.
        }
    }
    files.ExpectEntries({input});
    files.Remove(input);
    return 0;
}
