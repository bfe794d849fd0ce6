// SPDX-License-Identifier: MIT
// The version resource of Windows programs: a tree of blocks, each with a UTF-16 key, an
// optional value and child blocks. Fixed file information sits in the root's value, texts in
// "\StringFileInfo\<language><code page>\<key>", the language list in
// "\VarFileInfo\Translation".
//
// The reader works on bytes already in memory and checks every length against the block that
// holds it; a malformed tree gives "not found", never a crash or a read outside the bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace jxt::platform {

/// A value found in a version resource.
struct TVersionValue
{
    bool Found = false;
    bool IsText = false; ///< a UTF-16 text (block type 1) rather than binary data
    QByteArray Data;     ///< the value's bytes; for texts without the terminating zero
    /// The value as text, up to its terminating zero and at most maxChars characters.
    QString Text(int maxChars = 256) const;
};

/// Looks up a block by its path of keys separated by backslashes, such as
/// "\StringFileInfo\040904B0\CompanyName"; keys compare ignoring case, and an empty path or
/// a lone backslash names the root.
/// Not found when any key is missing or the bytes are not a version resource.
TVersionValue VersionQueryValue(const QByteArray &resource, const QString &path);

/// The keys of the child blocks of the block at path (see VersionQueryValue), in stored
/// order; empty when there is no such block.
QStringList VersionChildKeys(const QByteArray &resource, const QString &path);

/// The (language, code page) pairs of "\VarFileInfo\Translation", in stored order.
std::vector<std::pair<std::uint16_t, std::uint16_t>>
VersionTranslations(const QByteArray &resource);

/// The version resource of a file (Windows or host path): a PE program or library read as a
/// regular file of at most 256 MiB. Empty for any other file, a missing one or one without a
/// version resource.
QByteArray FileVersionResource(const QString &fileName);

} // namespace jxt::platform
