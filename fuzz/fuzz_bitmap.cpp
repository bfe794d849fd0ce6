// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the picture loaders (BMP bitmaps, icons, recorded pictures).
// fuzz-layer: host
#include "host/graphics/Graphics.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QTemporaryDir *g_dir = nullptr;

void TryLoad(jxt::TGraphic &graphic, const QString &path)
{
    try {
        graphic.LoadFromFile(path);
        jxt::TBitmap target(8, 8);
        graphic.DrawOn(target.Canvas(), jxt::Rect(0, 0, 8, 8));
    } catch (const jxt::Exception &) {
        // Rejected input is the expected outcome for most data.
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about rejected input would only slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    new QGuiApplication(*argc, *argv);
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const char *names[] = {"in.bmp", "in.ico", "in.pic"};
    for (const char *name : names) {
        const QString path = g_dir->filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
        file.close();
    }
    jxt::TBitmap bitmap;
    TryLoad(bitmap, g_dir->filePath(QStringLiteral("in.bmp")));
    jxt::TIcon icon;
    TryLoad(icon, g_dir->filePath(QStringLiteral("in.ico")));
    jxt::TMetafile metafile;
    TryLoad(metafile, g_dir->filePath(QStringLiteral("in.pic")));
    return 0;
}
