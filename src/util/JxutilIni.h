// SPDX-License-Identifier: MIT
// INI helpers of Jxutil: one call opens the INI file, does one job and closes it again;
// plus the window-position and font records.
#pragma once

#include "base/Export.h"

#include "host/core/Enums.h"
#include "host/files/IniFiles.h"

#include <QString>

namespace jxt {

class TFont;
class TForm;
class TStrings;

/// The INI object of the helper call in progress; nullptr between calls.
extern JXT_EXPORT TIniFile *INIFile;

/// iniName is a file name as TIniFile takes it (no directory: the Windows directory).
JXT_EXPORT void jxtINIReadSections(const QString &iniName, TStrings *list);
JXT_EXPORT void jxtINIReadSection(const QString &iniName, const QString &section, TStrings *list);
/// The section's entries as "key=value".
JXT_EXPORT void jxtINIReadSectionValues(const QString &iniName, const QString &section,
                                        TStrings *list);
JXT_EXPORT void jxtINIEraseSection(const QString &iniName, const QString &section);
JXT_EXPORT QString jxtINIReadString(const QString &iniName, const QString &section,
                                    const QString &key, const QString &def);
JXT_EXPORT void jxtINIWriteString(const QString &iniName, const QString &section,
                                  const QString &key, const QString &value);
/// False for "0", true for other numbers, def when missing or not a number.
JXT_EXPORT bool jxtINIReadBool(const QString &iniName, const QString &section, const QString &key,
                               bool def);
/// Writes "1" or "0".
JXT_EXPORT void jxtINIWriteBool(const QString &iniName, const QString &section, const QString &key,
                                bool value);
/// The value as an integer: def when the key is missing, 0 when it is empty; a value that is
/// not a number throws EConvertError.
JXT_EXPORT int jxtINIReadInteger(const QString &iniName, const QString &section, const QString &key,
                                 int def);
JXT_EXPORT void jxtINIWriteInteger(const QString &iniName, const QString &section,
                                   const QString &key, int value);

/// Sets the form's state to normal and writes prefix_Top and prefix_Left (and with
/// swpSizePosition prefix_Height and prefix_Width) in the section "WinPos".
JXT_EXPORT void jxtINISaveWinPos(const QString &iniName, const QString &prefix, TForm *form,
                                 TWinPosStyle style);
/// Sets the form's Position to poDesigned, then reads the keys jxtINISaveWinPos writes, with
/// the form's current values as defaults, into Top, Left (Height, Width).
JXT_EXPORT void jxtINILoadWinPos(const QString &iniName, const QString &prefix, TForm *form,
                                 TWinPosStyle style);
/// Writes prefix_Name, prefix_Size (points), prefix_Color (decimal TColor) and prefix_Style
/// (the letters B, I, U, S for each style present).
JXT_EXPORT void jxtINISaveFont(const QString &iniName, const QString &section,
                               const QString &prefix, TFont *font);
/// Reads what jxtINISaveFont writes; false, with the font unchanged, when prefix_Name is
/// missing or empty. Missing values keep the font's; an empty style keeps its style.
JXT_EXPORT bool jxtINILoadFont(const QString &iniName, const QString &section,
                               const QString &prefix, TFont *font);

} // namespace jxt
