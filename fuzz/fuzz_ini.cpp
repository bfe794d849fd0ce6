// SPDX-License-Identifier: MIT
// Fuzzes the INI parser: any bytes must parse, every listed key must be found again, and
// writing back (unchanged, with a new or changed value, without a section) must read back to
// exactly what was meant, leaving everything else as it was.
#include "host/IniFiles.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace jxt;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

/// Every section with its entries, as a reader sees them.
QStringList Contents(const TIniDocument &doc)
{
    QStringList all;
    for (const QString &section : doc.SectionNames()) {
        all.append(QLatin1Char('[') + section + QLatin1Char(']'));
        all.append(doc.KeyValueLines(section));
    }
    return all;
}

void CheckLookups(const TIniDocument &doc)
{
    for (const QString &section : doc.SectionNames()) {
        Check(doc.SectionExists(section));
        const QStringList keys = doc.KeyNames(section);
        Check(keys.size() == doc.KeyValueLines(section).size());
        for (const QString &key : keys) {
            QString value;
            Check(doc.FindValue(section, key, &value));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TIniDocument doc = TIniDocument::Parse(bytes);
    CheckLookups(doc);
    const QStringList before = Contents(doc);

    // Written back unchanged, the text reads the same.
    const TIniDocument same = TIniDocument::Parse(doc.Serialize());
    Check(Contents(same) == before);

    const QStringList sections = doc.SectionNames();
    const QString section = sections.isEmpty() ? QStringLiteral("S") : sections.front();
    const QString value = QString::fromUtf8(bytes.right(24));
    QString expected = value;
    expected.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));

    QStringList keys = doc.KeyNames(section);
    keys.append(QStringLiteral("FuzzKey"));
    for (const QString &key : keys) {
        if (!TIniDocument::IsValidKeyName(key) || !TIniDocument::IsValidSectionName(section))
            continue;
        TIniDocument changed = doc;
        changed.SetValue(section, key, value);
        const TIniDocument reread = TIniDocument::Parse(changed.Serialize());
        QString found;
        Check(reread.FindValue(section, key, &found));
        Check(found == expected);
        for (const QString &other : reread.SectionNames()) {
            if (other.toCaseFolded() != section.toCaseFolded())
                Check(reread.KeyValueLines(other) == doc.KeyValueLines(other));
        }
        QString old;
        const bool existed = doc.FindValue(section, key, &old);
        Check(reread.KeyNames(section).size() == doc.KeyNames(section).size() + (existed ? 0 : 1));
    }

    if (!sections.isEmpty()) {
        TIniDocument erased = doc;
        Check(erased.EraseSection(section));
        const TIniDocument reread = TIniDocument::Parse(erased.Serialize());
        Check(!reread.SectionExists(section));
        Check(reread.SectionNames().size() == sections.size() - 1);
    }
    return 0;
}
