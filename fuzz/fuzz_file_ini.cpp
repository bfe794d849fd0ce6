// SPDX-License-Identifier: MIT
// Reads INI files from real files and writes a key into them: any bytes read, a write that
// succeeds reads back, a write leaves only the file and its lock file, and a FIFO and a file
// beyond the INI cap are refused at once (reads give defaults, writes throw).
// fuzz-layer: host
#include "FileHarness.h"

#include "host/core/Strings.h"
#include "host/files/IniFiles.h"

using jxt::fuzz::Check;
using jxt::fuzz::TFileHarness;

namespace {

/// Reading gives the default and writing throws: the file is treated as unreadable.
void CheckUnreadable(const QString &path)
{
    jxt::TIniFile ini(path);
    Check(ini.ReadString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("def")) ==
          QStringLiteral("def"));
    try {
        ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
        Check(false);
    } catch (const jxt::EInOutError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const TFileHarness &files = TFileHarness::Instance();
    jxt::fuzz::WithinSeconds(10,
                             [&] { CheckUnreadable(files.MakeFifo(QStringLiteral("pipe.ini"))); });
    files.Remove(QStringLiteral("pipe.ini"));
    files.Remove(QStringLiteral(".pipe.ini.lock"));
    CheckUnreadable(files.MakeSparse(QStringLiteral("huge.ini"), jxt::TIniFile::kMaxFileSize + 1,
                                     "[S]\r\nk=1\r\n"));
    files.Remove(QStringLiteral("huge.ini"));
    files.Remove(QStringLiteral(".huge.ini.lock"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const TFileHarness &files = TFileHarness::Instance();
    const QString path = files.Write(QStringLiteral("a.ini"), data, size);
    jxt::TIniFile ini(path);
    jxt::TStringList sections;
    ini.ReadSections(&sections);
    const QString section = sections.Count() > 0 ? sections.Strings(0) : QStringLiteral("S");
    jxt::TStringList values;
    ini.ReadSectionValues(section, &values);
    const QByteArray tail = QByteArray(reinterpret_cast<const char *>(data), int(size)).right(16);
    QString value = QString::fromLatin1(tail);
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    // What a reader sees of the value once written (line breaks become blanks, blanks and
    // quotes around it are kept by quoting).
    QString expected;
    jxt::TIniDocument::Parse(
        (QStringLiteral("[S]\r\nk=") + jxt::TIniDocument::EncodeValue(value)).toUtf8())
        .FindValue(QStringLiteral("S"), QStringLiteral("k"), &expected);
    try {
        ini.WriteString(section, QStringLiteral("FuzzKey"), value);
        const jxt::TIniFile again(path);
        Check(again.ReadString(section, QStringLiteral("FuzzKey"), QStringLiteral("<none>")) ==
              expected);
    } catch (const jxt::EInOutError &) {
        // A section name that cannot be stored: the file stays as it was.
    }
    // The lock file of the writers is the only file beside the INI file.
    files.Remove(QStringLiteral(".a.ini.lock"));
    files.ExpectEntries({QStringLiteral("a.ini")});
    return 0;
}
