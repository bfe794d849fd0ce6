// SPDX-License-Identifier: MIT
// Bounded reader of version resources.
#include "platform/VersionInfo.h"

#include "platform/Icons.h"
#include "platform/RegularFile.h"

#include <QStringList>

namespace jxt::platform {

namespace {

constexpr int kMaxKeyChars = 256;
constexpr int kMaxChildren = 4096;
constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;

/// One block: its place in the resource and where its parts start. Offsets are absolute
/// within the resource; blocks and their children are aligned to 4 bytes from its start.
struct TBlock
{
    qint64 begin = 0;
    qint64 end = 0; // one past the block's last byte
    QString key;
    bool isText = false;
    qint64 valueBegin = 0;
    qint64 valueEnd = 0; // one past the value's last byte (clamped to the block)
    qint64 childrenBegin = 0;
};

qint64 Align4(qint64 offset)
{
    return (offset + 3) & ~qint64(3);
}

std::uint16_t U16(const QByteArray &b, qint64 o)
{
    const auto *p = reinterpret_cast<const unsigned char *>(b.constData());
    return std::uint16_t(p[o] | (p[o + 1] << 8));
}

/// Reads the block at `begin` inside [begin, limit); false when it does not fit.
bool ReadBlock(const QByteArray &b, qint64 begin, qint64 limit, TBlock &block)
{
    if (begin < 0 || limit > b.size() || begin + 6 > limit)
        return false;
    const qint64 length = U16(b, begin);
    if (length < 6 || begin + length > limit)
        return false;
    block.begin = begin;
    block.end = begin + length;
    const std::uint16_t valueLength = U16(b, begin + 2);
    block.isText = U16(b, begin + 4) == 1;

    // The key: UTF-16 characters up to a zero, inside the block.
    qint64 pos = begin + 6;
    block.key.clear();
    bool terminated = false;
    while (pos + 2 <= block.end) {
        const std::uint16_t c = U16(b, pos);
        pos += 2;
        if (c == 0) {
            terminated = true;
            break;
        }
        if (block.key.size() >= kMaxKeyChars)
            return false;
        block.key.append(QChar(c));
    }
    if (!terminated)
        return false;

    // Text lengths count UTF-16 characters, binary lengths bytes; a text value runs at most
    // to the end of the block whatever its stored length says.
    block.valueBegin = std::min(Align4(pos), block.end);
    const qint64 valueBytes = block.isText ? qint64(valueLength) * 2 : qint64(valueLength);
    block.valueEnd = std::min(block.valueBegin + valueBytes, block.end);
    if (block.isText && valueLength > 0)
        block.valueEnd = block.end;
    block.childrenBegin =
        std::min(Align4(block.isText ? block.valueBegin + valueBytes : block.valueEnd), block.end);
    return true;
}

bool KeyEquals(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString TVersionValue::Text(int maxChars) const
{
    QString text;
    const qint64 chars = Data.size() / 2;
    for (qint64 i = 0; i < chars && text.size() < maxChars; ++i) {
        const std::uint16_t c = U16(Data, i * 2);
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

namespace {

/// Walks from the root along path; false when a key is missing.
bool FindBlock(const QByteArray &resource, const QString &path, TBlock &block)
{
    if (!ReadBlock(resource, 0, resource.size(), block))
        return false;
    const QStringList keys = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &key : keys) {
        qint64 pos = block.childrenBegin;
        bool found = false;
        TBlock child;
        for (int n = 0; n < kMaxChildren && ReadBlock(resource, pos, block.end, child); ++n) {
            if (KeyEquals(child.key, key)) {
                found = true;
                break;
            }
            pos = Align4(child.end);
        }
        if (!found)
            return false;
        block = child;
    }
    return true;
}

} // namespace

TVersionValue VersionQueryValue(const QByteArray &resource, const QString &path)
{
    TVersionValue result;
    TBlock block;
    if (!FindBlock(resource, path, block))
        return result;
    result.Found = true;
    result.IsText = block.isText;
    result.Data = resource.mid(block.valueBegin, block.valueEnd - block.valueBegin);
    if (block.isText) {
        // Keep the text up to its terminating zero.
        for (qint64 i = 0; i + 1 < result.Data.size(); i += 2) {
            if (U16(result.Data, i) == 0) {
                result.Data.truncate(int(i));
                break;
            }
        }
        if (result.Data.size() % 2)
            result.Data.chop(1);
    }
    return result;
}

QStringList VersionChildKeys(const QByteArray &resource, const QString &path)
{
    QStringList keys;
    TBlock block;
    if (!FindBlock(resource, path, block))
        return keys;
    qint64 pos = block.childrenBegin;
    TBlock child;
    for (int n = 0; n < kMaxChildren && ReadBlock(resource, pos, block.end, child); ++n) {
        keys << child.key;
        pos = Align4(child.end);
    }
    return keys;
}

std::vector<std::pair<std::uint16_t, std::uint16_t>> VersionTranslations(const QByteArray &resource)
{
    std::vector<std::pair<std::uint16_t, std::uint16_t>> list;
    const TVersionValue value =
        VersionQueryValue(resource, QStringLiteral("\\VarFileInfo\\Translation"));
    if (!value.Found || value.IsText)
        return list;
    for (qint64 o = 0; o + 4 <= value.Data.size(); o += 4)
        list.emplace_back(U16(value.Data, o), U16(value.Data, o + 2));
    return list;
}

QByteArray FileVersionResource(const QString &fileName)
{
    QByteArray data;
    if (ReadRegularFile(fileName, data, kMaxFileBytes) != TFileAccess::Ok)
        return QByteArray();
    return ExeVersionResource(data);
}

} // namespace jxt::platform
