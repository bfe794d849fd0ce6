// SPDX-License-Identifier: MIT
// Jxutil: the library's free helper functions (prefix jxt), shared by the components and
// exported to applications. Strings are QString with 0-based indexes in C++ code.
#pragma once

#include "base/Export.h"

#include <QString>

#include <cstdint>

namespace jxt {

class TFont;
class TStrings;

// ---------------------------------------------------------------------------------------------
// String and number helpers
// ---------------------------------------------------------------------------------------------

/// Replaces every oldChar in s by newChar.
JXT_EXPORT void jxtReplaceChar(QString &s, QChar oldChar, QChar newChar);

/// Replaces the first occurrence of pattern in s by replacement, again and again, until the
/// pattern no longer occurs; occurrences that a replacement forms with the surrounding text
/// are replaced as well ('aaaa' with 'aa' -> 'a' gives 'a'). An empty pattern changes nothing.
/// Runs in time linear in the text when the replacement is shorter than the pattern. When the
/// replacement itself contains the pattern (which would repeat forever), every occurrence of
/// the given text is replaced once, from left to right.
JXT_EXPORT void jxtReplaceString(QString &s, const QString &pattern, const QString &replacement);

/// Field number index (from 1) of s, fields separated by sep; the last field need not end
/// with sep. Empty fields count. An index outside the fields gives the empty string.
JXT_EXPORT QString jxtSplitPar(const QString &s, QChar sep, int index);

/// As jxtSplitPar, but only fields that end with sep count: the text after the last sep is
/// never a result. With toLast, index 1 gives everything before the last sep and every other
/// index the empty string.
JXT_EXPORT QString jxtSplitParLast(const QString &s, QChar sep, int index, bool toLast);

/// Cuts s before its first ";" (the comment); text before it, trailing blanks included, stays.
JXT_EXPORT void jxtDelComment(QString &s);

/// s trimmed, then cut to width characters or padded on the right with blanks to width.
/// Widths above 16,777,216 characters throw ERangeError (nothing is allocated).
JXT_EXPORT QString jxtJustString(const QString &s, int width);

/// Number of characters of s equal to c, as an 8-bit count (it wraps after 255).
JXT_EXPORT std::uint8_t jxtInCount(const QString &s, QChar c);

/// File-name style match of name against a ";"-separated pattern list (case-sensitive):
/// "*X" ends with X, "X*" begins with X ("?" matches any one character in both and in
/// star-free patterns of the same length), "*X*" contains X (text outside the first two stars
/// is ignored), a single inner star matches nothing, other patterns must equal the name.
JXT_EXPORT bool jxtIsMatch(const QString &name, const QString &patterns);

/// Clamps value in place: first to max, then to min (so min wins when min > max).
JXT_EXPORT void jxtMinMaxInteger(int &value, int min, int max);
JXT_EXPORT void jxtMinMaxExtended(long double &value, long double min, long double max);

/// Reads a float whether it is written with the locale's decimal or thousands separator
/// ('1.5' and '1,5' are both one and a half with German settings); -1.0 when the text is not
/// a number. A sign is not accepted ('-2' gives -1.0); the empty text gives 0.
JXT_EXPORT long double jxtStrToFloat(const QString &s);

/// General float format (15 significant digits) with a point as decimal separator.
JXT_EXPORT QString jxtFloatToStr(long double value);

/// Switches the process's number format to German separators (decimal ",", thousands ".").
JXT_EXPORT bool jxtSetDecimalSeparator();

/// The value of hexadecimal text (no "$" needed; up to 32 bits, 'FFFFFFFF' is -1); -1 when
/// the text is not hexadecimal.
JXT_EXPORT int jxtHexToInt(const QString &s);

/// '192.168.0.1' -> 'c0a80001'; the empty string unless the text has four numeric fields.
JXT_EXPORT QString jxtIPToHex(const QString &ip);

/// 'c0a80001' -> '192.168.0.1' (a pair that is not hexadecimal gives -1); the empty string
/// unless the text has exactly eight characters.
JXT_EXPORT QString jxtHexToIP(const QString &hex);

/// 'NIE' (any case) is returned unchanged; a date in the locale's short format is returned
/// as dd.MM.yyyy; anything else gives 'UNBEKANNT'.
JXT_EXPORT QString jxtCheckDate(const QString &s);

/// The bits of value, least significant first, with one "0" appended when there are fewer
/// than 13 (6 gives '0110', 0 gives '00'). A negative value gives the 32 bits of its two's
/// complement.
JXT_EXPORT QString jxtDezToBin(int value);

/// Replaces every "^M" by a carriage return, then every "^J" by a line feed.
JXT_EXPORT QString jxtStrToCTRL(const QString &s);

/// 'h:m:s', 'm:s' or 's' as seconds; throws EConvertError when a field is not a number.
JXT_EXPORT int jxtTimeStrToInt(const QString &s);

/// Seconds as 'hh:mm:ss' (hours up to 255). Values outside 0 to 921599 are clamped into
/// that range.
JXT_EXPORT QString jxtSekToStr(int seconds);

/// path, without a trailing backslash, shortened until its width in font is at most
/// maxWidth - 10 pixels: leading directories are replaced by "\..\" one by one, then
/// characters are cut from the end. Ends at the empty string when nothing fits. The text is
/// measured a number of times that grows with the logarithm of its length, so paths of
/// thousands of directories are shortened quickly.
JXT_EXPORT QString jxtGetMaxString(const TFont *font, int maxWidth, const QString &path);

/// Shuffles the strings of list in place (the attached objects stay where they are) in
/// passes + 1 passes (0 counts as 1), showing the hourglass cursor meanwhile.
JXT_EXPORT void jxtShuffleList(TStrings *list, std::uint8_t passes);

/// Shuffles list1 and the first list1->Count() strings of list2 with the same swaps, so
/// parallel lists stay parallel. Throws EListError, changing nothing, when list2 is shorter.
JXT_EXPORT void jxtShuffleListForTwo(TStrings *list1, TStrings *list2, std::uint8_t passes);

} // namespace jxt

// The file, directory, INI, graphics and sound helpers.
#include "util/JxutilFiles.h"
#include "util/JxutilGraphics.h"
#include "util/JxutilIni.h"
#include "util/JxutilSystem.h"
