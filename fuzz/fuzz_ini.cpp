// SPDX-License-Identifier: MIT
// Fuzzes the INI parser: any bytes must parse, every listed key must be found again, and
// writing back (unchanged, with a new or changed value, without a section) must read back to
// exactly what was meant, leaving everything else as it was. Then a sequence of writes taken
// from the input (set, delete a key, erase a section) is run against a simple model of what a
// reader must see, with the text written and parsed again after every step.
#include "host/files/IniFiles.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <map>

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

/// Names compare without surrounding spaces and tabs (only those) and ignoring case.
QString Fold(const QString &name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    const auto blank = [&](qsizetype i) {
        return name.at(i) == QLatin1Char(' ') || name.at(i) == QLatin1Char('\t');
    };
    while (begin < end && blank(begin))
        ++begin;
    while (end > begin && blank(end - 1))
        --end;
    return name.mid(begin, end - begin).toCaseFolded();
}

/// What a reader sees: folded section -> folded key -> value (first section, first entry).
using TModel = std::map<QString, std::map<QString, QString>>;

TModel ModelOf(const TIniDocument &doc)
{
    TModel model;
    for (const QString &section : doc.SectionNames()) {
        auto &keys = model[Fold(section)];
        for (const QString &key : doc.KeyNames(section)) {
            QString value;
            Check(doc.FindValue(section, key, &value));
            keys.emplace(Fold(key), value); // the first entry of a key counts
        }
    }
    return model;
}

/// Reads the next byte of the script, 0 when it is used up.
struct TScript
{
    const std::uint8_t *data;
    std::size_t size;
    std::size_t pos = 0;
    std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    QString Text(int maxLength)
    {
        const int length = Byte() % (maxLength + 1);
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes.append(char(Byte()));
        return QString::fromLatin1(bytes);
    }
};

/// Picks a name: one the document has (in another case or with blanks) or a new one.
QString PickName(TScript &script, const QStringList &known)
{
    const std::uint8_t choice = script.Byte();
    if (!known.isEmpty() && choice % 3 != 0) {
        QString name = known.at(choice % known.size());
        return choice % 2 ? name.toUpper() : QLatin1Char(' ') + name;
    }
    return script.Text(6);
}

void RunWriteSequence(TIniDocument doc, TScript script)
{
    TModel model = ModelOf(doc);
    for (int step = 0; step < 24 && script.pos < script.size; ++step) {
        const std::uint8_t op = script.Byte() % 4;
        const QString section = PickName(script, doc.SectionNames());
        if (!TIniDocument::IsValidSectionName(section))
            continue;
        const QString folded = Fold(section);
        if (op == 3) {
            const bool existed = model.erase(folded) > 0;
            Check(doc.EraseSection(section) == existed);
        } else {
            const QString key = PickName(script, doc.KeyNames(section));
            if (!TIniDocument::IsValidKeyName(key))
                continue;
            if (op == 2) {
                const auto it = model.find(folded);
                const bool existed = it != model.end() && it->second.erase(Fold(key)) > 0;
                Check(doc.DeleteKey(section, key) == existed);
            } else {
                QString value = script.Text(12);
                doc.SetValue(section, key, value);
                value.replace(QLatin1Char('\r'), QLatin1Char(' '))
                    .replace(QLatin1Char('\n'), QLatin1Char(' '));
                model[folded][Fold(key)] = value;
            }
        }
        // The text as written reads back as the model says, and so does the document itself.
        const TIniDocument reread = TIniDocument::Parse(doc.Serialize());
        Check(ModelOf(reread) == model);
        Check(ModelOf(doc) == model);
        doc = reread;
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

    // The second half of the input, read again as a script of writes.
    RunWriteSequence(doc, TScript{data + size / 2, size - size / 2});
    return 0;
}
