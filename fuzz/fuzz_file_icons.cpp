// SPDX-License-Identifier: MIT
// Reads icons and version resources from real files (icon files, PE and NE programs and
// libraries): no input may crash, the icon chosen for a size is that size, counting agrees
// with reading, and a FIFO and a file beyond the cap are refused at once.
// fuzz-layer: platform
#include "FileHarness.h"

#include "platform/Icons.h"
#include "platform/VersionInfo.h"

#include <QGuiApplication>

using jxt::fuzz::Check;
using jxt::fuzz::TFileHarness;
using namespace jxt::platform;

namespace {

/// Every reader refuses the file: no icon, no count, no version resource.
void CheckRefused(const QString &path)
{
    Check(FileIconCount(path) == 0);
    Check(FileIconImages(path, 0).empty());
    Check(FileIcon(path, 0, 32).isNull());
    Check(!IsIconContainerFile(path));
    Check(FileVersionResource(path).isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    new QGuiApplication(*argc, *argv);
    const TFileHarness &files = TFileHarness::Instance();
    jxt::fuzz::WithinSeconds(10, [&] { CheckRefused(files.MakeFifo(QStringLiteral("pipe.ico"))); });
    files.Remove(QStringLiteral("pipe.ico"));
    // A sparse file beyond the cap whose start is a valid icon directory.
    QByteArray head(6 + 16, '\0');
    head[2] = 1;
    head[4] = 1;
    CheckRefused(files.MakeSparse(QStringLiteral("huge.ico"), (qint64(256) << 20) + 1, head));
    files.Remove(QStringLiteral("huge.ico"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const TFileHarness &files = TFileHarness::Instance();
    const QString path = files.Write(QStringLiteral("input.bin"), data, size);
    const int count = FileIconCount(path);
    Check(count >= 0);
    const int index = size > 0 ? data[size - 1] % 4 : 0;
    const std::vector<QImage> images = FileIconImages(path, index);
    for (const QImage &image : images)
        Check(!image.isNull() && image.width() <= 256 && image.height() <= 256);
    const QImage icon = FileIcon(path, index, 32);
    // The icon chosen from the headers is one of the images there are, at the size asked.
    Check(icon.isNull() == images.empty());
    Check(icon.isNull() || icon.size() == QSize(32, 32));
    if (index >= count)
        Check(images.empty());
    (void)FileVersionResource(path);
    files.ExpectEntries({QStringLiteral("input.bin")});
    return 0;
}
