// SPDX-License-Identifier: MIT
// Builders of version resources (blocks of UTF-16 keys, values and children) and of a
// minimal 32-bit PE program holding one, for the version readers' tests.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

namespace jxt::test::version {

inline void Pad4(QByteArray &b)
{
    while (b.size() % 4)
        b.append('\0');
}

inline void PutU16(QByteArray &b, int at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

inline QByteArray Utf16z(const QString &s)
{
    QByteArray b;
    for (QChar c : s) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    b.append(2, '\0');
    return b;
}

/// One block: length, value length, type, key, padding, value, padding, children.
inline QByteArray Block(const QString &key, int type, const QByteArray &value, int valueLength,
                        const QList<QByteArray> &children = {})
{
    QByteArray b(6, '\0');
    b += Utf16z(key);
    Pad4(b);
    b += value;
    for (const QByteArray &child : children) {
        Pad4(b);
        b += child;
    }
    PutU16(b, 0, int(b.size()));
    PutU16(b, 2, valueLength);
    PutU16(b, 4, type);
    return b;
}

inline QByteArray Text(const QString &key, const QString &value)
{
    return Block(key, 1, Utf16z(value), int(value.size()) + 1);
}

inline QByteArray Translation(std::uint16_t language, std::uint16_t codePage)
{
    QByteArray v(4, '\0');
    PutU16(v, 0, language);
    PutU16(v, 2, codePage);
    return Block(QStringLiteral("Translation"), 0, v, 4);
}

inline QByteArray Resource(const QList<QByteArray> &strings,
                           const QString &table = QStringLiteral("040704E4"),
                           std::uint16_t language = 0x0407, std::uint16_t codePage = 0x04E4)
{
    const QByteArray fixed(52, '\x11');
    return Block(
        QStringLiteral("VS_VERSION_INFO"), 0, fixed, 52,
        {Block(QStringLiteral("StringFileInfo"), 1, {}, 0, {Block(table, 1, {}, 0, strings)}),
         Block(QStringLiteral("VarFileInfo"), 1, {}, 0, {Translation(language, codePage)})});
}

/// A 32-bit PE program whose only section holds a resource directory with one version
/// resource (id 1, US English) of the given bytes.
inline QByteArray PeWithVersion(const QByteArray &resource)
{
    constexpr int kNt = 0x40, kOpt = kNt + 24, kOptSize = 0xE0, kRaw = 0x200;
    constexpr std::uint32_t kRva = 0x1000;
    QByteArray section(0x58, '\0');
    auto put32 = [](QByteArray &b, int at, std::uint32_t v) {
        PutU16(b, at, int(v & 0xFFFF));
        PutU16(b, at + 2, int(v >> 16));
    };
    // Three directory levels (type 16, id 1, language 0x409), one entry each, then the data
    // entry and the resource.
    const int levels[3][2] = {{16, 0x18}, {1, 0x30}, {0x409, 0x48}};
    for (int i = 0; i < 3; ++i) {
        const int at = i * 0x18;
        PutU16(section, at + 14, 1);
        put32(section, at + 16, std::uint32_t(levels[i][0]));
        put32(section, at + 20, std::uint32_t(levels[i][1]) | (i < 2 ? 0x80000000u : 0));
    }
    put32(section, 0x48, kRva + 0x58);
    put32(section, 0x4C, std::uint32_t(resource.size()));
    section += resource;
    Pad4(section);

    QByteArray pe(kRaw, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    put32(pe, 0x3C, kNt);
    pe.replace(kNt, 4, QByteArray("PE\0\0", 4));
    PutU16(pe, kNt + 4, 0x14C);
    PutU16(pe, kNt + 6, 1);
    PutU16(pe, kNt + 20, kOptSize);
    PutU16(pe, kOpt, 0x10B);
    put32(pe, kOpt + 92, 16);
    put32(pe, kOpt + 96 + 2 * 8, kRva);
    put32(pe, kOpt + 96 + 2 * 8 + 4, std::uint32_t(section.size()));
    const int sh = kOpt + kOptSize;
    pe.replace(sh, 6, QByteArray(".rsrc\0", 6));
    put32(pe, sh + 8, std::uint32_t(section.size()));
    put32(pe, sh + 12, kRva);
    put32(pe, sh + 16, std::uint32_t(section.size()));
    put32(pe, sh + 20, kRaw);
    return pe + section;
}

} // namespace jxt::test::version
