// SPDX-License-Identifier: MIT
// Feeds real files to the readers among the jxt helpers: wave headers, the content search and
// fingerprint, icon counting, pictures by extension, and the LZ copy. No input may crash; the
// LZ copy leaves the destination either as it was or holding the whole output, and no
// temporary file; a FIFO is refused at once by every one of them, and an LZ output beyond
// what its Integer result can count is refused before the destination is touched.
// fuzz-layer: util
#include "FileHarness.h"

#include "host/controls/Dialogs.h"
#include "platform/Szdd.h"
#include "util/JxutilFiles.h"
#include "util/JxutilGraphics.h"

#include <QApplication>

#include <climits>
#include <memory>

using jxt::fuzz::Check;
using jxt::fuzz::TFileHarness;

namespace {

void ReadWithEveryHelper(const QString &path)
{
    jxt::TWavInfo info;
    try {
        jxt::jxtGetWavInfo(path, info);
        (void)jxt::jxtGetWavPlayTime(path);
    } catch (const jxt::EInOutError &) {
    }
    (void)jxt::jxtFindFileString(path, QStringLiteral("RIFF"));
    (void)jxt::jxtGetFileString(path);
    (void)jxt::jxtGetIconCount(path);
    delete jxt::jxtGetBitmapFromFile(path, 0);
}

/// The LZ copy of `source` onto a destination holding "old": true when it wrote.
bool CopyOntoOld(const TFileHarness &files, const QString &source)
{
    const QString dest = files.Write(QStringLiteral("dest"), QByteArray("old"));
    try {
        jxt::jxtLZCopyFile(source, dest);
        return true;
    } catch (const jxt::Exception &) {
        QFile kept(dest);
        Check(kept.open(QIODevice::ReadOnly) && kept.readAll() == "old");
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    new QApplication(*argc, *argv);
    jxt::SetDialogService(std::make_unique<jxt::TScriptedDialogs>());
    const TFileHarness &files = TFileHarness::Instance();
    for (const char *name : {"pipe.wav", "pipe.bmp", "pipe.ico"}) {
        const QString pipe = files.MakeFifo(QString::fromLatin1(name));
        jxt::fuzz::WithinSeconds(10, [&] {
            ReadWithEveryHelper(pipe);
            Check(!CopyOntoOld(files, pipe));
        });
        files.Remove(QString::fromLatin1(name));
    }
    const QString huge =
        files.MakeSparse(QStringLiteral("huge.bin"), qint64(INT_MAX) + 2, QByteArray("plain"));
    Check(!CopyOntoOld(files, huge));
    files.Remove(QStringLiteral("huge.bin"));
    files.Remove(QStringLiteral("dest"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const TFileHarness &files = TFileHarness::Instance();
    static const char *const kNames[] = {"input.wav", "input.ico", "input.bmp", "input.exe"};
    const QString name = QString::fromLatin1(kNames[data[0] % 4]);
    const QString path = files.Write(name, data + 1, size - 1);
    jxt::fuzz::WithinSeconds(30, [&] { ReadWithEveryHelper(path); });
    if (CopyOntoOld(files, path)) {
        // A copy that succeeded holds the whole output.
        const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));
        QByteArray expected;
        Check(jxt::platform::LZDecode(input, expected) >= 0);
        QFile written(files.Path(QStringLiteral("dest")));
        Check(written.open(QIODevice::ReadOnly) && written.readAll() == expected);
    }
    files.ExpectEntries({name, QStringLiteral("dest")});
    files.Remove(QStringLiteral("dest"));
    files.Remove(name);
    return 0;
}
