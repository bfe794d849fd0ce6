// SPDX-License-Identifier: MIT
// Locale settings and the text conversions of the host layer, with the rules of Windows:
// "$" hexadecimal integers, the locale's decimal separator, general float format.
#include "host/core/SysUtils.h"

#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

namespace jxt {

namespace {

std::function<QDateTime()> &ClockFunction()
{
    static std::function<QDateTime()> clock;
    return clock;
}

bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Parses an optional sign, then decimal digits or "$" and hexadecimal digits, with blanks
// allowed around the number. Decimal values must fit a 32-bit integer; hexadecimal values may
// use all 32 bits ("$FFFFFFFF" is -1), as on Windows.
bool ParseInt(const QString &text, int &result)
{
    const QStringView t = QStringView(text);
    qsizetype i = 0;
    qsizetype end = t.size();
    while (i < end && IsBlank(t[i]))
        ++i;
    while (end > i && IsBlank(t[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= end)
        return false;
    std::uint64_t value = 0;
    if (t[i] == QLatin1Char('$')) {
        ++i;
        if (i >= end)
            return false;
        for (; i < end; ++i) {
            const int digit = HexValue(t[i]);
            if (digit < 0)
                return false;
            value = value * 16 + std::uint64_t(digit);
            if (value > 0xFFFFFFFFu)
                return false;
        }
        std::uint32_t bits = static_cast<std::uint32_t>(value);
        if (negative)
            bits = 0u - bits;
        result = static_cast<std::int32_t>(bits);
        return true;
    }
    for (; i < end; ++i) {
        if (!IsDigit(t[i]))
            return false;
        value = value * 10 + std::uint64_t(t[i].unicode() - '0');
        if (value > std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    if (!negative && value > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return false;
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    result = static_cast<int>(signedValue);
    return true;
}

// Parses [sign] digits [decimal separator digits] [E [sign] digits] with blanks around it;
// at least one mantissa digit is required. The text is rebuilt in C notation for strtod.
bool ParseFloat(const QString &text, double &result)
{
    const QChar decimal = FormatSettings().DecimalSeparator;
    const QStringView t = QStringView(text);
    qsizetype i = 0;
    qsizetype end = t.size();
    while (i < end && IsBlank(t[i]))
        ++i;
    while (end > i && IsBlank(t[end - 1]))
        --end;
    std::string c;
    c.reserve(std::size_t(end - i) + 1);
    if (i < end && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        c += char(t[i++].unicode());
    int mantissaDigits = 0;
    while (i < end && IsDigit(t[i])) {
        c += char(t[i++].unicode());
        ++mantissaDigits;
    }
    if (i < end && t[i] == decimal) {
        c += '.';
        ++i;
        while (i < end && IsDigit(t[i])) {
            c += char(t[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < end && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        c += 'e';
        ++i;
        if (i < end && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
            c += char(t[i++].unicode());
        int exponentDigits = 0;
        while (i < end && IsDigit(t[i])) {
            c += char(t[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != end)
        return false;
    // from_chars ignores the C library's locale (which QCoreApplication sets from the
    // environment) and does not accept a leading "+".
    const char *first = c.data();
    const char *last = c.data() + c.size();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last || std::isinf(value))
        return false;
    result = value;
    return true;
}

// Replaces the platform-neutral separators of a format: "/" by the date separator and ":" by
// the time separator.
QString LocalisedFormat(QString format)
{
    const TFormatSettings &fs = FormatSettings();
    format.replace(QLatin1Char('/'), fs.DateSeparator);
    format.replace(QLatin1Char(':'), fs.TimeSeparator);
    return format;
}

// Reads an unsigned number of at most maxDigits digits at t[i]; returns the digit count.
int ScanNumber(QStringView t, qsizetype &i, int maxDigits, int &value)
{
    int digits = 0;
    value = 0;
    while (i < t.size() && IsDigit(t[i]) && digits < maxDigits) {
        value = value * 10 + (t[i].unicode() - '0');
        ++i;
        ++digits;
    }
    return digits;
}

} // namespace

TFormatSettings &FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

int StrToInt(const QString &text)
{
    int value = 0;
    if (!ParseInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

int StrToIntDef(const QString &text, int def)
{
    int value = 0;
    return ParseInt(text, value) ? value : def;
}

double StrToFloat(const QString &text)
{
    double value = 0;
    if (!ParseFloat(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits, correctly rounded and independent of the C locale:
    // d.dddddddddddddde±xx
    char buffer[64];
    const auto converted =
        std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific, 14);
    *converted.ptr = '\0';
    const char *p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::string digits;
    while (*p && *p != 'e') {
        if (*p != '.')
            digits += *p;
        ++p;
    }
    const int exponent10 = *p == 'e' ? std::atoi(p + 1) : 0;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    // Fixed notation while the number has at most 15 integer digits and no more than
    // four zeros after the decimal separator; scientific notation otherwise.
    const int pointPos = exponent10 + 1; // digits before the decimal separator
    const QChar decimal = FormatSettings().DecimalSeparator;
    QString out;
    if (negative)
        out += QLatin1Char('-');
    if (pointPos > 15 || pointPos < -3) {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) {
            out += decimal;
            out += QString::fromLatin1(digits.data() + 1, qsizetype(digits.size() - 1));
        }
        out += QLatin1Char('E');
        out += QString::number(exponent10);
        return out;
    }
    if (pointPos <= 0) {
        out += QLatin1Char('0');
        out += decimal;
        out += QString(-pointPos, QLatin1Char('0'));
        out += QString::fromLatin1(digits.data(), qsizetype(digits.size()));
        return out;
    }
    const int n = int(digits.size());
    if (n <= pointPos) {
        out += QString::fromLatin1(digits.data(), n);
        out += QString(pointPos - n, QLatin1Char('0'));
    } else {
        out += QString::fromLatin1(digits.data(), pointPos);
        out += decimal;
        out += QString::fromLatin1(digits.data() + pointPos, n - pointPos);
    }
    return out;
}

QString IntToStr(long long value)
{
    return QString::number(value);
}

QString DateToStr(const QDate &date)
{
    return QLocale::c().toString(date, LocalisedFormat(FormatSettings().ShortDateFormat));
}

QString TimeToStr(const QTime &time)
{
    return QLocale::c().toString(time, LocalisedFormat(FormatSettings().LongTimeFormat));
}

namespace {

enum TDatePart { Day, Month, Year };

/// The order of day, month and year: that of their first letters in the short date format, or
/// day, month, year when the format does not name all three.
std::array<int, 3> DatePartOrder(const QString &shortDateFormat)
{
    std::array<int, 3> order = {Day, Month, Year};
    int found = 0;
    bool seen[3] = {false, false, false};
    for (QChar ch : shortDateFormat) {
        const QChar l = ch.toLower();
        int part = -1;
        if (l == QLatin1Char('d'))
            part = Day;
        else if (l == QLatin1Char('m'))
            part = Month;
        else if (l == QLatin1Char('y'))
            part = Year;
        if (part >= 0 && !seen[part] && found < 3) {
            seen[part] = true;
            order[found++] = part;
        }
    }
    if (found != 3)
        order = {Day, Month, Year};
    return order;
}

/// The numbers of a date text: two or three of at most four digits each, separated by the date
/// separator, blanks allowed around them. Returns how many were read (0 when the text is not
/// such a date); values and digitCounts receive them.
int ScanDateNumbers(QStringView t, QChar separator, int values[3], int digitCounts[3])
{
    qsizetype i = 0;
    auto skipBlanks = [&]() {
        while (i < t.size() && t[i] == QLatin1Char(' '))
            ++i;
    };
    int count = 0;
    skipBlanks();
    while (count < 3) {
        digitCounts[count] = ScanNumber(t, i, 4, values[count]);
        if (digitCounts[count] == 0)
            return 0;
        ++count;
        skipBlanks();
        if (i < t.size() && t[i] == separator) {
            ++i;
            skipBlanks();
            if (count == 3)
                break;
            continue;
        }
        break;
    }
    skipBlanks();
    if (i != t.size() || count < 2)
        return 0;
    return count;
}

} // namespace

QDate StrToDate(const QString &text)
{
    const TFormatSettings &fs = FormatSettings();
    const std::array<int, 3> order = DatePartOrder(fs.ShortDateFormat);
    int values[3] = {0, 0, 0};
    int digitCounts[3] = {0, 0, 0};
    const int count = ScanDateNumbers(QStringView(text), fs.DateSeparator, values, digitCounts);
    if (count == 0)
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));

    const int currentYear = Now().date().year();
    int day = 0;
    int month = 0;
    int year = currentYear;
    int yearDigits = 4;
    if (count == 3) {
        for (int k = 0; k < 3; ++k) {
            if (order[k] == Day)
                day = values[k];
            else if (order[k] == Month)
                month = values[k];
            else {
                year = values[k];
                yearDigits = digitCounts[k];
            }
        }
    } else {
        // Two numbers: day and month in the format's order, the current year.
        int k = 0;
        for (int part : order) {
            if (part == Year)
                continue;
            if (part == Day)
                day = values[k];
            else
                month = values[k];
            ++k;
        }
    }
    if (yearDigits <= 2) {
        // A two-digit year lies in the window from 50 years ago to 49 years ahead.
        const int threshold = currentYear - 50;
        year += threshold - threshold % 100;
        if (year < threshold)
            year += 100;
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

QDateTime Now()
{
    const auto &clock = ClockFunction();
    return clock ? clock() : QDateTime::currentDateTime();
}

void SetClock(std::function<QDateTime()> clock)
{
    ClockFunction() = std::move(clock);
}

QString Trim(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace jxt
