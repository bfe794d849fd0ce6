// SPDX-License-Identifier: MIT
// Jxutil string and number helpers: replacing, splitting, padding, pattern matching,
// clamping, float, hexadecimal, IP, date and time conversions, path shortening, shuffling.
#include "util/Jxutil.h"

#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "host/graphics/Graphics.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace jxt {

namespace {

const QChar kBackslash = QLatin1Char('\\');

// Compares text[offset..] with pattern, "?" in the pattern matching any one character.
bool MatchesAt(QStringView text, qsizetype offset, QStringView pattern)
{
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        if (pattern[k] != QLatin1Char('?') && pattern[k] != text[offset + k])
            return false;
    }
    return true;
}

bool MatchOne(QStringView n, QStringView p)
{
    const qsizetype stars = p.count(QLatin1Char('*'));
    if (stars >= 2) {
        const qsizetype first = p.indexOf(QLatin1Char('*'));
        const qsizetype second = p.indexOf(QLatin1Char('*'), first + 1);
        const QStringView inner = p.mid(first + 1, second - first - 1);
        return !inner.isEmpty() && n.contains(inner);
    }
    if (stars == 1) {
        if (p.startsWith(QLatin1Char('*'))) {
            const QStringView rest = p.mid(1);
            return n.size() >= rest.size() && MatchesAt(n, n.size() - rest.size(), rest);
        }
        if (p.endsWith(QLatin1Char('*'))) {
            const QStringView rest = p.chopped(1);
            return n.size() >= rest.size() && MatchesAt(n, 0, rest);
        }
        return false;
    }
    if (p.contains(QLatin1Char('?')))
        return n.size() == p.size() && MatchesAt(n, 0, p);
    return n == p;
}

std::mt19937 &RandomGenerator()
{
    static std::mt19937 generator;
    return generator;
}

void Randomize()
{
    std::random_device device;
    const auto clock = static_cast<std::uint32_t>(Now().toMSecsSinceEpoch());
    std::seed_seq seed{clock, device()};
    RandomGenerator().seed(seed);
}

// Shows the hourglass while it lives and puts the previous cursor back afterwards, also when
// an exception leaves the scope.
class THourGlass
{
public:
    THourGlass() : m_saved(Screen()->Cursor()) { Screen()->SetCursor(crHourGlass); }
    ~THourGlass() { Screen()->SetCursor(m_saved); }
    THourGlass(const THourGlass &) = delete;
    THourGlass &operator=(const THourGlass &) = delete;

private:
    TCursor m_saved;
};

// Swaps the strings (not the objects) at i and j of every list given.
template <typename... Lists> void ShufflePasses(int count, std::uint8_t passes, Lists *...lists)
{
    const int passCount = (passes == 0 ? 1 : passes) + 1;
    std::uniform_int_distribution<int> pick(0, count - 1);
    auto &generator = RandomGenerator();
    for (int pass = 0; pass < passCount; ++pass) {
        for (int i = 0; i < count; ++i) {
            const int j = pick(generator);
            auto swapStrings = [i, j](TStrings *list) {
                const QString atI = list->Get(i);
                list->Put(i, list->Get(j));
                list->Put(j, atI);
            };
            (swapStrings(lists), ...);
        }
    }
}

} // namespace

void jxtReplaceChar(QString &s, QChar oldChar, QChar newChar)
{
    if (oldChar != newChar)
        s.replace(oldChar, newChar);
}

namespace {

// Equivalent to "replace the first occurrence, then search again from the start", done in
// one sweep. The result is built in out, which never contains a whole occurrence; the
// text still to read is pending (a replacement, stored reversed, read first) followed by
// s[pos..]. The first occurrence of the whole text therefore is the first one that ends
// when a character is appended to out. After a replacement, new occurrences can only
// start in the last m - 1 characters of out or later, so the replacement and the next
// m - 1 characters of s are read one by one; after that, the next occurrence lies wholly
// in s and is found with a plain search from where single-character reading began.
std::u16string ReplaceRepeatedly(const QString &s, const QString &pattern,
                                 const QString &replacement)
{
    const qsizetype m = pattern.size();
    using Traits = std::char_traits<char16_t>;
    const char16_t *text = reinterpret_cast<const char16_t *>(s.constData());
    const char16_t *pat = reinterpret_cast<const char16_t *>(pattern.constData());
    const char16_t *rep = reinterpret_cast<const char16_t *>(replacement.constData());
    const std::size_t m16 = std::size_t(m);
    const std::size_t r16 = std::size_t(replacement.size());
    const char16_t lastOfPattern = pat[m - 1];

    std::u16string out;
    out.reserve(std::size_t(s.size()));
    std::u16string pending;
    qsizetype pos = 0;
    qsizetype careful = 0;    // characters of s still to be read one by one
    qsizetype searchFrom = 0; // no occurrence in s starts before this index

    auto endsWithPattern = [&]() {
        return out.size() >= m16 && out.back() == lastOfPattern &&
               Traits::compare(out.data() + out.size() - m16, pat, m16) == 0;
    };
    auto replaceTail = [&]() {
        out.resize(out.size() - m16);
        if (r16 == 0) {
            careful = m - 1;
            searchFrom = pos;
        } else {
            // Read next, before what was still pending.
            pending.append(std::make_reverse_iterator(rep + r16), std::make_reverse_iterator(rep));
        }
    };

    const qsizetype n = s.size();
    for (;;) {
        if (!pending.empty()) {
            out.push_back(pending.back());
            pending.pop_back();
            if (pending.empty()) {
                careful = m - 1;
                searchFrom = pos;
            }
            if (endsWithPattern())
                replaceTail();
            continue;
        }
        if (pos >= n)
            break;
        if (careful > 0) {
            out.push_back(text[pos++]);
            --careful;
            if (endsWithPattern())
                replaceTail();
            continue;
        }
        const qsizetype q = QStringView(s).indexOf(QStringView(pattern), searchFrom);
        if (q < 0) {
            out.append(text + pos, std::size_t(n - pos));
            break;
        }
        out.append(text + pos, std::size_t(q + m - pos));
        pos = q + m;
        replaceTail();
    }
    return out;
}

} // namespace

void jxtReplaceString(QString &s, const QString &pattern, const QString &replacement)
{
    const qsizetype m = pattern.size();
    if (m == 0 || s.size() < m)
        return;
    if (replacement.contains(pattern)) {
        // Repeating would never end: one left-to-right pass over the occurrences in s.
        s.replace(pattern, replacement);
        return;
    }

    const std::u16string out = ReplaceRepeatedly(s, pattern, replacement);
    s = QString::fromUtf16(out.data(), qsizetype(out.size()));
}

QString jxtSplitPar(const QString &s, QChar sep, int index)
{
    if (index < 1)
        return QString();
    qsizetype start = 0;
    for (int field = 1;; ++field) {
        qsizetype end = s.indexOf(sep, start);
        if (end < 0)
            end = s.size();
        if (field == index)
            return s.mid(start, end - start);
        if (end >= s.size())
            return QString();
        start = end + 1;
    }
}

QString jxtSplitParLast(const QString &s, QChar sep, int index, bool toLast)
{
    if (index < 1)
        return QString();
    if (toLast) {
        const qsizetype last = s.lastIndexOf(sep);
        return index == 1 && last >= 0 ? s.left(last) : QString();
    }
    qsizetype start = 0;
    for (int field = 1;; ++field) {
        const qsizetype end = s.indexOf(sep, start);
        if (end < 0)
            return QString();
        if (field == index)
            return s.mid(start, end - start);
        start = end + 1;
    }
}

void jxtDelComment(QString &s)
{
    const qsizetype p = s.indexOf(QLatin1Char(';'));
    if (p >= 0)
        s.truncate(p);
}

QString jxtJustString(const QString &s, int width)
{
    // Padding is meant for columns of text; a width beyond this would only allocate
    // gigabytes of blanks.
    constexpr int kMaxJustWidth = 1 << 24;
    if (width > kMaxJustWidth)
        throw ERangeError(QStringLiteral("jxtJustString: width %1 is out of range").arg(width));
    const QString trimmed = Trim(s);
    if (width < trimmed.size())
        return trimmed.left(std::max(width, 0));
    return trimmed.leftJustified(width, QLatin1Char(' '));
}

std::uint8_t jxtInCount(const QString &s, QChar c)
{
    return static_cast<std::uint8_t>(s.count(c));
}

bool jxtIsMatch(const QString &name, const QString &patterns)
{
    // Every pattern is tried, however many there are (an 8-bit count of the separators would
    // drop the patterns after the 256th).
    const qsizetype count = patterns.count(QLatin1Char(';')) + 1;
    qsizetype start = 0;
    for (qsizetype k = 0; k < count; ++k) {
        qsizetype end = patterns.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = patterns.size();
        if (MatchOne(name, QStringView(patterns).mid(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

void jxtMinMaxInteger(int &value, int min, int max)
{
    if (value > max)
        value = max;
    if (value < min)
        value = min;
}

void jxtMinMaxExtended(long double &value, long double min, long double max)
{
    if (value > max)
        value = max;
    if (value < min)
        value = min;
}

long double jxtStrToFloat(const QString &s)
{
    const TFormatSettings &fs = FormatSettings();
    QString text = QLatin1Char('0') + s;
    jxtReplaceString(text, QString(fs.ThousandSeparator), QString(fs.DecimalSeparator));
    try {
        return StrToFloat(text);
    } catch (const EConvertError &) {
        return -1.0L;
    }
}

QString jxtFloatToStr(long double value)
{
    QString text = FloatToStr(static_cast<double>(value));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text;
}

bool jxtSetDecimalSeparator()
{
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    FormatSettings().ThousandSeparator = QLatin1Char('.');
    return true;
}

int jxtHexToInt(const QString &s)
{
    return StrToIntDef(QLatin1Char('$') + s, -1);
}

QString jxtIPToHex(const QString &ip)
{
    if (ip.count(QLatin1Char('.')) != 3)
        return QString();
    QString hex;
    for (int field = 1; field <= 4; ++field) {
        int value = 0;
        try {
            value = StrToInt(jxtSplitPar(ip, QLatin1Char('.'), field));
        } catch (const EConvertError &) {
            return QString();
        }
        // At least two digits; a negative field is written as its 32-bit two's complement.
        hex += QString::number(static_cast<std::uint32_t>(value), 16)
                   .rightJustified(2, QLatin1Char('0'));
    }
    return hex.toLower();
}

QString jxtHexToIP(const QString &hex)
{
    if (hex.size() != 8)
        return QString();
    QStringList parts;
    for (int k = 0; k < 4; ++k)
        parts << QString::number(jxtHexToInt(hex.mid(2 * k, 2)));
    return parts.join(QLatin1Char('.'));
}

QString jxtCheckDate(const QString &s)
{
    if (s.toUpper() == QLatin1String("NIE"))
        return s;
    try {
        return QLocale::c().toString(StrToDate(s), QStringLiteral("dd.MM.yyyy"));
    } catch (const EConvertError &) {
        return QStringLiteral("UNBEKANNT");
    }
}

QString jxtDezToBin(int value)
{
    // Bits from the least significant up; a negative value is taken as its 32-bit two's
    // complement, so every digit is a "0" or "1" and the result has 32 of them.
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    QString result;
    do {
        result += (bits & 1u) ? QLatin1Char('1') : QLatin1Char('0');
        bits >>= 1;
    } while (bits != 0);
    if (result.size() < 13)
        result += QLatin1Char('0');
    return result;
}

QString jxtStrToCTRL(const QString &s)
{
    QString result = s;
    result.replace(QLatin1String("^M"), QString(QChar(13)));
    result.replace(QLatin1String("^J"), QString(QChar(10)));
    return result;
}

int jxtTimeStrToInt(const QString &s)
{
    const QChar colon = QLatin1Char(':');
    const qsizetype colons = s.count(colon);
    auto field = [&](int index) {
        return static_cast<std::int64_t>(StrToInt(jxtSplitPar(s, colon, index)));
    };
    std::int64_t seconds = 0;
    if (colons == 2)
        seconds = field(1) * 3600 + field(2) * 60 + field(3);
    else if (colons == 1)
        seconds = field(1) * 60 + field(2);
    else
        return StrToInt(s);
    // Wraps like 32-bit arithmetic instead of overflowing.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(seconds));
}

QString jxtSekToStr(int seconds)
{
    constexpr int kMaxSeconds = 255 * 3600 + 59 * 60 + 59;
    jxtMinMaxInteger(seconds, 0, kMaxSeconds);
    const int hours = seconds / 3600;
    const int minutes = seconds % 3600 / 60;
    const int rest = seconds % 60;
    auto twoDigits = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
           twoDigits(rest);
}

QString jxtGetMaxString(const TFont *font, int maxWidth, const QString &path)
{
    if (path.isEmpty())
        return path;
    // The bitmap only measures text, so its size does not matter: a small one keeps a huge
    // maxWidth (meaning "no limit") from allocating, or failing to allocate, gigabytes.
    TBitmap bitmap(16, 20);
    TCanvas *canvas = bitmap.Canvas();
    if (font)
        canvas->SetFont(font);

    QString result = path;
    if (result.endsWith(kBackslash))
        result.chop(1);
    const QString up = QStringLiteral("\\..\\");
    const auto fits = [&](const QString &text) { return canvas->TextWidth(text) <= maxWidth - 10; };
    if (result.isEmpty() || fits(result))
        return result;

    // While more than two backslashes remain, a round folds every "\..\" into "\" and then
    // replaces the first directory, with the backslashes around it, by "\..\". The first
    // round is done as stated. After it the text is A + "\..\" + rest, where A holds no
    // backslash and rest no "\..\", so every further round just drops the first component
    // of rest: the candidates are known without rewriting the text, and the first that fits
    // is found by halving (text widths shrink as components go), with a number of
    // measurements that grows with the logarithm of the number of directories.
    if (result.count(kBackslash) > 2) {
        jxtReplaceString(result, up, QString(kBackslash));
        const qsizetype first = result.indexOf(kBackslash);
        const qsizetype second = result.indexOf(kBackslash, first + 1);
        if (first >= 0 && second >= 0)
            result.replace(first, second - first + 1, up);
        if (fits(result))
            return result;
        if (result.count(kBackslash) > 2) {
            const qsizetype restAt = first + up.size();
            const QString head = result.left(restAt);
            const QString rest = result.mid(restAt);
            // starts[j]: where rest begins once j components are dropped.
            std::vector<qsizetype> starts{0};
            for (qsizetype i = rest.indexOf(kBackslash); i >= 0;
                 i = rest.indexOf(kBackslash, i + 1))
                starts.push_back(i + 1);
            const auto candidate = [&](size_t j) { return head + rest.mid(starts[j]); };
            size_t low = 1;                  // candidates 0 .. low-1 do not fit
            size_t high = starts.size() - 1; // the last one, with two backslashes left
            if (fits(candidate(high))) {
                while (low < high) {
                    const size_t mid = low + (high - low) / 2;
                    if (fits(candidate(mid)))
                        high = mid;
                    else
                        low = mid + 1;
                }
                return candidate(high);
            }
            result = candidate(high);
        }
    }

    // At most two backslashes: characters are cut from the end until the text fits; the
    // longest fitting start of the text is found by halving.
    qsizetype low = 0; // the empty string always ends the cutting
    qsizetype high = result.size() - 1;
    while (low < high) {
        const qsizetype mid = low + (high - low + 1) / 2;
        if (fits(result.left(mid)))
            low = mid;
        else
            high = mid - 1;
    }
    return result.left(low);
}

void jxtShuffleList(TStrings *list, std::uint8_t passes)
{
    if (!list)
        return;
    THourGlass hourGlass;
    Randomize();
    const int count = list->Count();
    if (count > 0)
        ShufflePasses(count, passes, list);
}

void jxtShuffleListForTwo(TStrings *list1, TStrings *list2, std::uint8_t passes)
{
    if (!list1 || !list2)
        return;
    const int count = list1->Count();
    if (list2->Count() < count)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(list2->Count()));
    THourGlass hourGlass;
    Randomize();
    if (count > 0)
        ShufflePasses(count, passes, list1, list2);
}

} // namespace jxt
