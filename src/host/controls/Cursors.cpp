// SPDX-License-Identifier: MIT
#include "host/controls/Cursors.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>

namespace jxt {

namespace {

quint16 ReadWord(const QByteArray &data, int offset)
{
    return quint16(quint8(data.at(offset)) | (quint8(data.at(offset + 1)) << 8));
}

QString ResourcePath(const QString &name)
{
    const QString dirPath = QStringLiteral(":/jxt");
    const QString wanted = name + QStringLiteral(".cur");
    for (const QString &entry : QDir(dirPath).entryList(QDir::Files))
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dirPath + QLatin1Char('/') + entry;
    return {};
}

} // namespace

QCursor LoadCursorFromResourceName(const QString &name, TPoint *hotSpot)
{
    const QString path = name.isEmpty() ? QString() : ResourcePath(name);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cursor resource \"%1\" not found").arg(name));
    const QByteArray data = file.readAll();
    // A cursor file starts with a directory (reserved 0, type 2, count) and the first entry,
    // whose two 16-bit fields at offsets 10 and 12 hold the hot spot.
    constexpr int kFirstEntryEnd = 6 + 16;
    if (data.size() < kFirstEntryEnd || ReadWord(data, 0) != 0 || ReadWord(data, 2) != 2 ||
        ReadWord(data, 4) < 1)
        throw Exception(QStringLiteral("Cursor resource \"%1\" is not a cursor").arg(name));
    const QImage image = QImage::fromData(data, "cur");
    if (image.isNull())
        throw Exception(QStringLiteral("Cursor resource \"%1\" cannot be read").arg(name));
    const int x = ReadWord(data, 10);
    const int y = ReadWord(data, 12);
    if (hotSpot)
        *hotSpot = Point(x, y);
    return QCursor(QPixmap::fromImage(image), x, y);
}

} // namespace jxt
