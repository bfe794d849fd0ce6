// SPDX-License-Identifier: MIT
// Basic types of the host layer: rectangles and points, small sets, the exception family,
// locale settings and the text conversions the components rely on.
#pragma once

#include "base/Export.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>

namespace jxt {

class TObject;

/// Event without arguments beyond the sender.
using TNotifyEvent = std::function<void(TObject *sender)>;

/// A point in pixels (or in the units of the surface it belongs to).
struct JXT_EXPORT TPoint
{
    int X = 0; ///< Horizontal, growing to the right.
    int Y = 0; ///< Vertical, growing downward.
    /// Equal when both coordinates are.
    //!@{
    bool operator==(const TPoint &o) const { return X == o.X && Y == o.Y; }
    bool operator!=(const TPoint &o) const { return !(*this == o); }
    //!@}
};

/// A rectangle as Windows keeps it: Right and Bottom are exclusive.
struct JXT_EXPORT TRect
{
    int Left = 0;   ///< The first column inside.
    int Top = 0;    ///< The first row inside.
    int Right = 0;  ///< The first column outside, right of the rectangle.
    int Bottom = 0; ///< The first row outside, below the rectangle.
    /// Right - Left and Bottom - Top (negative for a reversed rectangle).
    //!@{
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    //!@}
    /// Whether the rectangle holds no pixel (also when it is reversed).
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    /// Whether pixel (x, y) lies inside.
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    /// Moves the rectangle by dx, dy.
    void Offset(int dx, int dy)
    {
        Left += dx;
        Right += dx;
        Top += dy;
        Bottom += dy;
    }
    /// Grows the rectangle by dx on the left and right and dy at the top and bottom
    /// (negative values shrink it).
    void Inflate(int dx, int dy)
    {
        Left -= dx;
        Right += dx;
        Top -= dy;
        Bottom += dy;
    }
    /// Equal when all four sides are.
    //!@{
    bool operator==(const TRect &o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const TRect &o) const { return !(*this == o); }
    //!@}
};

/// The point (x, y).
inline TPoint Point(int x, int y)
{
    return TPoint{x, y};
}
/// The rectangle with those sides (right and bottom exclusive).
inline TRect Rect(int left, int top, int right, int bottom)
{
    return TRect{left, top, right, bottom};
}
/// The rectangle at (left, top) of that width and height.
inline TRect Bounds(int left, int top, int width, int height)
{
    return TRect{left, top, left + width, top + height};
}

/// A set of enumerators (up to 64 values), as published set properties use them.
template <typename E> class TSet
{
public:
    /// The empty set.
    constexpr TSet() = default;
    /// The set of the values listed: `TSet<TFontStyle>{fsBold, fsItalic}`.
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            m_bits |= Bit(v);
    }
    /// Whether v is in the set.
    constexpr bool Contains(E v) const { return (m_bits & Bit(v)) != 0; }
    /// Adds v (Exclude removes it); returns the set, so calls can be chained.
    //!@{
    constexpr TSet &Include(E v)
    {
        m_bits |= Bit(v);
        return *this;
    }
    constexpr TSet &Exclude(E v)
    {
        m_bits &= ~Bit(v);
        return *this;
    }
    //!@}
    /// Whether the set holds no value.
    constexpr bool Empty() const { return m_bits == 0; }
    /// The set as a bit mask (bit n for the enumerator of value n), and the set of a mask, as
    /// form files store sets.
    //!@{
    constexpr std::uint64_t Bits() const { return m_bits; }
    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.m_bits = bits;
        return s;
    }
    //!@}
    /// Union (+), difference (-) and intersection (*) of two sets.
    //!@{
    constexpr TSet operator+(TSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TSet operator-(TSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TSet operator*(TSet o) const { return FromBits(m_bits & o.m_bits); }
    //!@}
    /// Equal when they hold the same values.
    //!@{
    constexpr bool operator==(TSet o) const { return m_bits == o.m_bits; }
    constexpr bool operator!=(TSet o) const { return m_bits != o.m_bits; }
    //!@}

private:
    static constexpr std::uint64_t Bit(E v) { return std::uint64_t(1) << static_cast<int>(v); }
    std::uint64_t m_bits = 0;
};

/// Root of the library's exceptions; Message() is the text shown to the user.
class JXT_EXPORT Exception : public std::runtime_error
{
public:
    /// An exception with that message (what() gives it in UTF-8).
    explicit Exception(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    /// The text shown to the user.
    const QString &Message() const { return m_message; }

private:
    QString m_message;
};

/// A text that is not a number, date or time where one was required.
class JXT_EXPORT EConvertError : public Exception
{
public:
    using Exception::Exception;
};

/// A file that cannot be opened, created, read or written.
class JXT_EXPORT EInOutError : public Exception
{
public:
    /// An error with that message and the system's error number (0 when there is none).
    EInOutError(const QString &message, int errorCode = 0)
        : Exception(message), ErrorCode(errorCode)
    {}
    int ErrorCode; ///< The system's error number, or 0.
};

/// A failed call of a system object service (writing a shell link); ErrorCode holds the
/// system's error number.
class JXT_EXPORT EOleSysError : public Exception
{
public:
    /// An error with that message and the system's error number.
    EOleSysError(const QString &message, int errorCode = 0)
        : Exception(message), ErrorCode(errorCode)
    {}
    int ErrorCode; ///< The system's error number, or 0.
};

/// An index outside a list.
class JXT_EXPORT EListError : public Exception
{
public:
    using Exception::Exception;
};

/// A size or count far beyond anything the operation can meaningfully produce (a string of
/// billions of characters), refused before any work is done.
class ERangeError : public Exception
{
public:
    using Exception::Exception;
};

/// Locale settings used by the conversions below. The defaults are those of a German
/// system, which the library's texts and formats were made for; applications may change them.
struct JXT_EXPORT TFormatSettings
{
    QChar DecimalSeparator = QLatin1Char(',');              ///< Before the decimals; ",".
    QChar ThousandSeparator = QLatin1Char('.');             ///< Between groups of digits; ".".
    QChar DateSeparator = QLatin1Char('.');                 ///< Between day, month, year; ".".
    QChar TimeSeparator = QLatin1Char(':');                 ///< Between hours, minutes; ":".
    QString ShortDateFormat = QStringLiteral("dd.MM.yyyy"); ///< Dates, in Qt's format.
    QString LongTimeFormat = QStringLiteral("hh:mm:ss");    ///< Times, in Qt's format.
};

/// The process-wide settings, changeable at run time.
JXT_EXPORT TFormatSettings &FormatSettings();

/// Integer conversion of decimal text or of hexadecimal text after "$"; throws EConvertError.
JXT_EXPORT int StrToInt(const QString &text);
/// As StrToInt, but returns def instead of throwing.
JXT_EXPORT int StrToIntDef(const QString &text, int def);
/// Float conversion with FormatSettings().DecimalSeparator; throws EConvertError.
JXT_EXPORT double StrToFloat(const QString &text);
/// Shortest general format with FormatSettings().DecimalSeparator (15 significant digits).
JXT_EXPORT QString FloatToStr(double value);
JXT_EXPORT QString IntToStr(long long value);
/// Date and time texts in FormatSettings() formats.
JXT_EXPORT QString DateToStr(const QDate &date);
JXT_EXPORT QString TimeToStr(const QTime &time);
/// Date conversion with FormatSettings().ShortDateFormat (day, month, year order, two- or
/// four-digit years); throws EConvertError.
JXT_EXPORT QDate StrToDate(const QString &text);
/// The current date and time; tests may install a fixed clock.
JXT_EXPORT QDateTime Now();
JXT_EXPORT void SetClock(std::function<QDateTime()> clock);
/// Removes leading and trailing blanks and control characters (code below 33).
JXT_EXPORT QString Trim(const QString &text);

} // namespace jxt
