// SPDX-License-Identifier: MIT
// TJXINI: keeps its owner form's placement and any other settings in an INI file.
#pragma once

#include "base/Export.h"
#include "host/controls/Forms.h"
#include "host/core/About.h"
#include "host/core/Component.h"
#include "util/JXVersions.h"
#include "util/JxutilIni.h"

#include <array>

namespace jxt {

class TFont;
class TStrings;

/// The number stored in "_WindowState" for each window state.
JXT_EXPORT extern const std::array<int, 3> dtWinPosWert;
/// The window state of each stored number 0, 1 and 2.
JXT_EXPORT extern const std::array<TWindowState, 3> TjxWindowState;
/// The screen width last read from "_LastRes" by TJXINI::INILoadWinPos.
JXT_EXPORT extern int LetzteAufloesung;

/// A non-visual component that saves and restores the position, size and state of the form
/// that owns it, and reads and writes single values, sections, numbered item lists and
/// fonts. Every call opens the INI file, does its one job and closes it again, so nothing
/// stays open between calls and a file changed by another program is always read afresh.
///
/// Window entries live in the section "WinPos" under the prefix Caption:
/// Caption_WindowState (0 normal, 1 minimised, 2 maximised), Caption_LastRes (the screen
/// width, with SaveLastRes), Caption_Top, Caption_Left and, with swpSizePosition,
/// Caption_Height and Caption_Width (only while the form is in its normal state).
class JXT_EXPORT TJXINI : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Key prefix of the window entries; default empty, which means the component's Name.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    /// The INI file; default "Default.INI". A name without a directory lies beside the
    /// executable.
    Q_PROPERTY(QString INIFileName READ INIFileName WRITE SetINIFileName)
    /// What ReadINI and WriteINI restore and save; default swpNone.
    Q_PROPERTY(jxt::TWinPosStyle SaveWinPos READ SaveWinPos WRITE SetSaveWinPos)
    /// Also save the screen width, and restore the position only at the same width; default
    /// false.
    Q_PROPERTY(bool SaveLastRes READ SaveLastRes WRITE SetSaveLastRes)
    JXT_ABOUT(JXIniVersion)

public:
    /// owner is the form whose window is saved; with an owner that is not a form, ReadINI
    /// and WriteINI leave the window alone.
    explicit TJXINI(TComponent *owner = nullptr);
    ~TJXINI() override;

    QString Caption() const { return m_caption; }
    /// An empty value is replaced by the component's Name.
    void SetCaption(const QString &value);
    QString INIFileName() const { return m_iniFileName; }
    /// An empty value becomes "Default.INI". A name without '\' or '/' names a file in the
    /// executable's directory; any other name is the path itself.
    void SetINIFileName(const QString &value);
    TWinPosStyle SaveWinPos() const { return m_saveWinPos; }
    void SetSaveWinPos(TWinPosStyle value) { m_saveWinPos = value; }
    bool SaveLastRes() const { return m_saveLastRes; }
    void SetSaveLastRes(bool value) { m_saveLastRes = value; }

    /// The full path of the INI file.
    QString ININame() const { return m_fullPath; }

    /// Fires OnReadINI, then restores the owner form's window (Caption defaults to Name).
    void ReadINI();
    /// Saves the owner form's window (Caption defaults to Name), then fires OnWriteINI.
    void WriteINI();
    /// Writes the window entries of form under the prefix name.
    void INISaveWinPos(const QString &name, TForm *form, TWinPosStyle style);
    /// Restores form from the window entries under the prefix name. Nothing happens with
    /// swpNone. A maximised form keeps its size; with SaveLastRes a form saved at another
    /// screen width is centred instead of placed. A stored state outside 0..2 reads as normal.
    void INILoadWinPos(const QString &name, TForm *form, TWinPosStyle style);

    /// Write and read single values of the INI file, as TIniFile's WriteBool, ReadBool and
    /// so on do (a read gives def when the entry is missing or unreadable).
    //!@{
    void INIWriteBool(const QString &section, const QString &key, bool value);
    void INIWriteInteger(const QString &section, const QString &key, int value);
    void INIWriteString(const QString &section, const QString &key, const QString &value);
    bool INIReadBool(const QString &section, const QString &key, bool def);
    int INIReadInteger(const QString &section, const QString &key, int def);
    QString INIReadString(const QString &section, const QString &key, const QString &def);
    //!@}

    /// Clears list, reads the count n from "Anzahl" (default 0) and adds the strings of the
    /// keys "0" to "n" (n + 1 of them), "Leer" for each missing key. Counts above
    /// kMaxReadItems are read as kMaxReadItems, so a damaged file cannot exhaust memory.
    void INIReadItems(const QString &section, TStrings *list);
    /// The most strings INIReadItems reads.
    static constexpr int kMaxReadItems = 1000000;
    /// The key names of the section.
    void INIReadSection(const QString &section, TStrings *list);
    /// The section's lines as "key=value".
    void INIReadSectionValues(const QString &section, TStrings *list);
    /// The section's values alone (the text after the first "=" of each line).
    void INIReadRealSectionValues(const QString &section, TStrings *list);
    /// Erases the section.
    void KillSection(const QString &section);

    /// Writes prefix_Name, prefix_Size (points), prefix_Color and prefix_Style (the letters
    /// B, I, U, S) in section.
    void INISaveFont(const QString &section, const QString &prefix, TFont *font);
    /// Reads what INISaveFont writes; each missing entry keeps the font's value, and the
    /// style is built from the letters found anywhere in the style text.
    void INILoadFont(const QString &section, const QString &prefix, TFont *font);

    /// ReadINI runs: the handler reads the application's own entries.
    TNotifyEvent OnReadINI;
    /// WriteINI runs: the handler writes the application's own entries.
    TNotifyEvent OnWriteINI;

signals:
    void onReadINI(jxt::TObject *sender);
    void onWriteINI(jxt::TObject *sender);

private:
    TForm *OwnerForm() const;

    QString m_caption;
    QString m_iniFileName;
    QString m_fullPath;
    TWinPosStyle m_saveWinPos = swpNone;
    bool m_saveLastRes = false;
};

} // namespace jxt
