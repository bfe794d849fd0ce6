// SPDX-License-Identifier: MIT
// INI files with the profile-file rules of Windows: TIniDocument is the parsed
// text (usable on its own, e.g. on bytes in memory), TIniFile reads and writes a file on disk.
#pragma once

#include "base/Export.h"

#include "host/core/Object.h"
#include "host/core/SysUtils.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace jxt {

class TStrings;

/// The text of an INI file, parsed. Every line is kept as it was read, so writing back changes
/// only the lines that were changed.
///
/// Reading rules: a line whose first non-blank character is ';' is a comment; "[name]" starts
/// a section (the name is the text up to the first ']', and anything after it is ignored);
/// "key=value" is an entry (split at the first '='); any other line is kept but ignored, as
/// are entries before the first section. Section names and keys compare ignoring case; blanks
/// (spaces and tabs) around names and values are dropped, and then one pair of matching double
/// or single quotes around a value. When a section or key occurs twice, the first counts.
///
/// Bytes are read as UTF-8 (a byte order mark is skipped) or, when they are not valid UTF-8,
/// as Latin-1. Lines may end in CR LF, LF or CR. Writing keeps the byte order mark, the
/// encoding (a Latin-1 file becomes UTF-8 only when its text could not be read back the same
/// way as Latin-1) and the line ending of the first line; new files get CR LF, as on Windows.
/// Every line, the last included, is written with a line ending.
class JXT_EXPORT TIniDocument
{
public:
    /// The document of a file's bytes (never fails: what cannot be read is kept as is).
    static TIniDocument Parse(const QByteArray &data);
    /// The bytes to write, by the writing rules above.
    QByteArray Serialize() const;

    /// Section names in file order, each once (the spelling of its first occurrence).
    QStringList SectionNames() const;
    /// Whether a section of that name exists (ignoring case).
    bool SectionExists(const QString &section) const;
    /// The value of key in section; false (value untouched) when either is missing.
    bool FindValue(const QString &section, const QString &key, QString *value) const;
    /// The keys of the section's entries, in file order.
    QStringList KeyNames(const QString &section) const;
    /// The section's entries as "key=value", with names and values as read.
    QStringList KeyValueLines(const QString &section) const;

    /// A section name can be written when it holds no ']' and no line break.
    static bool IsValidSectionName(const QString &section);
    /// A key can be written when it holds no '=' and no line break and does not start with
    /// ';' or '[' (it would be read back as a comment or a section).
    static bool IsValidKeyName(const QString &key);
    /// The text written after "key=" so that the value reads back unchanged: line breaks
    /// become blanks (a value is one line), and a value that would lose blanks or quotes
    /// when read is put in double quotes.
    static QString EncodeValue(const QString &value);

    /// Sets the value of key in section, adding the section at the end of the file (right
    /// after the last line, with no blank line before it) or the key after the section's last
    /// entry when missing. Names must be valid (see above); the
    /// names are trimmed. Returns whether the text changed.
    bool SetValue(const QString &section, const QString &key, const QString &value);
    /// Removes every section of that name with all its lines. Returns whether one existed.
    bool EraseSection(const QString &section);
    /// Removes every entry of key in the section. Returns whether one existed.
    bool DeleteKey(const QString &section, const QString &key);
    /// As SetValue, but the key is compared with its case: an entry whose key differs only in
    /// case is another entry, and a new one is added beside it. For lists whose keys are
    /// names of a file system that tells case apart (the pending renames of files); a reader
    /// by key (FindValue) still sees the first of such entries.
    bool SetEntry(const QString &section, const QString &key, const QString &value);
    /// Removes the entries whose key is exactly key (compared with its case).
    bool DeleteEntry(const QString &section, const QString &key);

    /// Whether the file began with a UTF-8 byte order mark (written again).
    bool HasByteOrderMark() const { return m_byteOrderMark; }
    /// Whether the file was read as Latin-1 (not valid UTF-8).
    bool IsLatin1() const { return m_latin1; }
    /// The line ending written: "\r\n", "\n" or "\r".
    QByteArray LineEnding() const { return m_lineEnding; }

private:
    struct TLine
    {
        QString text;
        bool isEntry = false;
        QString key;
        QString value;
    };
    struct TSection
    {
        bool hasHeader = false;
        QString header;
        QString name;
        std::vector<TLine> lines;
        /// Folded key -> index of its first entry line.
        QHash<QString, int> keys;
    };

    static TLine ParseLine(const QString &text);
    /// The section of that (trimmed) name, added at the end of the file when missing.
    TSection &SectionForWriting(const QString &sectionName);
    /// Gives the entry line `index` of s the encoded value, or adds the entry after the
    /// section's last entry when index is -1. Returns whether the text changed.
    bool WriteEntryLine(TSection &s, int index, const QString &keyName, const QString &encoded);
    static void IndexKeys(TSection &section);
    void IndexSections();
    const TSection *FindSection(const QString &section) const;
    TSection *FindSection(const QString &section);

    /// The lines before the first header come first, in a section without header.
    std::vector<TSection> m_sections;
    /// Folded section name -> index of its first section.
    QHash<QString, int> m_sectionIndex;
    QByteArray m_lineEnding = "\r\n";
    bool m_byteOrderMark = false;
    bool m_latin1 = false;
};

struct TIniSnapshot;

/// An INI file on disk. Creating the object touches no file. A name without a directory
/// refers to the Windows directory (see platform/WinDir.h); "C:\..." names the root of the
/// host file system, and both '\' and '/' separate directories.
///
/// Reads return the default for a missing or unreadable file, section or key (a default is
/// returned without its trailing spaces). Only regular files are read: a FIFO, socket or
/// device counts as unreadable, and so does a file longer than kMaxFileSize (16 MiB, far
/// beyond any file of settings), which is refused by its size before a byte is read. The parsed
/// file is cached (per object and for the last few files of the process) and read again whenever
/// the file changed on disk.
///
/// Every write goes straight to the file and either completes or throws EInOutError "Unable
/// to write to FILE" (FILE the file name) with the file left byte for byte as it was:
/// * The write reads the file again, changes it and writes it back while it holds an
///   exclusive advisory lock (flock) on the companion file ".NAME.lock" (NAME the file's name) in
///   the same folder, so processes and threads writing other keys of one file at the same time lose
///   none.
/// * The new text goes to a temporary file in the same folder, is flushed to the disk and
///   then replaces the file by a rename (see platform/Transfer.h), so a full disk, an I/O
///   error or a crash never leaves a shortened file. The file keeps its permission bits and,
///   as far as the process may set them, its owner and group.
/// * A file that exists but cannot be read, or is read-only, is never replaced; a folder that
///   refuses the temporary or the lock file fails the write.
/// Writes create the file but not its directory; a symbolic link is written through to its
/// target. A section name or key that cannot be stored (see
/// TIniDocument::IsValidSectionName and IsValidKeyName) also throws. Line breaks in values
/// are written as blanks.
class JXT_EXPORT TIniFile : public TObject
{
public:
    /// Files longer than this are unreadable: reads give defaults, writes throw.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    /// The INI file of that name (Windows or host form; see above); touches no file.
    explicit TIniFile(const QString &fileName);
    ~TIniFile() override;

    /// The name as given to the constructor.
    QString FileName() const { return m_fileName; }
    /// The host path the name refers to.
    QString FilePath() const { return m_path; }

    /// The value of ident in section, or def (see above).
    QString ReadString(const QString &section, const QString &ident, const QString &def) const;
    /// Sets ident in section to value, adding the section or the key when missing.
    void WriteString(const QString &section, const QString &ident, const QString &value);
    /// Decimal, or hexadecimal after "$" or "0x"; def when missing or not a number.
    int ReadInteger(const QString &section, const QString &ident, int def) const;
    /// Writes value in decimal.
    void WriteInteger(const QString &section, const QString &ident, int value);
    /// False for "0", true for any other number, def when missing or not a number.
    bool ReadBool(const QString &section, const QString &ident, bool def) const;
    /// Writes "1" or "0".
    void WriteBool(const QString &section, const QString &ident, bool value);

    /// Clears strings, then adds the keys of the section.
    void ReadSection(const QString &section, TStrings *strings) const;
    /// Clears strings, then adds the section names.
    void ReadSections(TStrings *strings) const;
    /// Clears strings, then adds the section's entries as "key=value".
    void ReadSectionValues(const QString &section, TStrings *strings) const;
    /// Whether the section exists (ignoring case).
    bool SectionExists(const QString &section) const;
    /// Whether the section has an entry ident (ignoring case).
    bool ValueExists(const QString &section, const QString &ident) const;
    /// Removes every section of that name with all its entries.
    void EraseSection(const QString &section);
    /// Removes every entry ident of the section.
    void DeleteKey(const QString &section, const QString &ident);
    /// The entry of exactly this key (its case counts; see TIniDocument::SetEntry).
    void WriteEntry(const QString &section, const QString &ident, const QString &value);
    /// Removes the entries of exactly this key (its case counts).
    void DeleteEntry(const QString &section, const QString &ident);
    /// Nothing to do: every write has already reached the file.
    void UpdateFile() {}

private:
    const TIniDocument &Document() const;
    template <typename Change> void Modify(Change change);
    [[noreturn]] void ThrowWriteError(const QString &reason = QString()) const;

    QString m_fileName;
    QString m_path;
    mutable std::shared_ptr<const TIniSnapshot> m_snapshot;
};

} // namespace jxt
