// SPDX-License-Identifier: MIT
// Tests of the host conversions: integers, floats, dates, the clock and Trim.
#include "host/core/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace jxt;

namespace {

// Restores the process-wide format settings and clock after each test.
class SysUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override { m_saved = FormatSettings(); }
    void TearDown() override
    {
        FormatSettings() = m_saved;
        SetClock(nullptr);
    }

    void FixToday(int year, int month, int day)
    {
        SetClock([=]() { return QDateTime(QDate(year, month, day), QTime(12, 0)); });
    }

private:
    TFormatSettings m_saved;
};

QString ConvertErrorMessage(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EConvertError &e) {
        return e.Message();
    }
    return QString();
}

} // namespace

TEST_F(SysUtilsTest, DefaultSettingsAreGerman)
{
    const TFormatSettings fresh;
    EXPECT_EQ(fresh.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(fresh.ThousandSeparator, QLatin1Char('.'));
    EXPECT_EQ(fresh.DateSeparator, QLatin1Char('.'));
    EXPECT_EQ(fresh.ShortDateFormat, QStringLiteral("dd.MM.yyyy"));
}

TEST_F(SysUtilsTest, StrToIntReadsDecimalAndDollarHex)
{
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt("-45"), -45);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("  12  "), 12);
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_EQ(StrToInt("$C0A8"), 0xC0A8);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    // Hexadecimal text may use all 32 bits.
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), std::numeric_limits<int>::min());
}

TEST_F(SysUtilsTest, StrToIntRejectsJunkAndOverflow)
{
    for (const char *bad : {"", " ", "abc", "12a", "1 2", "1.5", "-", "$", "$G", "$-5", "0x10",
                            "2147483648", "-2147483649", "$100000000", "99999999999999999999"}) {
        EXPECT_THROW(StrToInt(QString::fromLatin1(bad)), EConvertError) << bad;
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(bad), -77), -77) << bad;
    }
    EXPECT_EQ(ConvertErrorMessage([] { StrToInt("abc"); }),
              QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(StrToIntDef("42", -1), 42);
}

TEST_F(SysUtilsTest, StrToFloatUsesTheDecimalSeparator)
{
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-0,25"), -0.25);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("3,"), 3.0);
    EXPECT_DOUBLE_EQ(StrToFloat(" 42 "), 42.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5E3"), 1500.0);
    EXPECT_DOUBLE_EQ(StrToFloat("2e-2"), 0.02);
    EXPECT_DOUBLE_EQ(StrToFloat("+1E+2"), 100.0);

    FormatSettings().DecimalSeparator = QLatin1Char('.');
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_THROW(StrToFloat("1,5"), EConvertError);
}

TEST_F(SysUtilsTest, StrToFloatRejectsSeparatorsAndJunk)
{
    for (const char *bad : {"", "abc", "1.5", "1.000,5", "1,5,", ",", "-", "1e", "1e+", "E5",
                            "1,5x", "0-2", "INF", "NAN", "1e999"}) {
        EXPECT_THROW(StrToFloat(QString::fromLatin1(bad)), EConvertError) << bad;
    }
    EXPECT_EQ(ConvertErrorMessage([] { StrToFloat("x"); }),
              QStringLiteral("'x' is not a valid floating point value"));
}

TEST_F(SysUtilsTest, FloatToStrGeneralFormat)
{
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(1.0), "1");
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FloatToStr(-2.25), "-2,25");
    EXPECT_EQ(FloatToStr(100.0), "100");
    EXPECT_EQ(FloatToStr(0.1), "0,1");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0,666666666666667");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(0.0001), "0,0001");
    FormatSettings().DecimalSeparator = QLatin1Char('.');
    EXPECT_EQ(FloatToStr(3.75), "3.75");
}

TEST_F(SysUtilsTest, FloatToStrSwitchesToExponentForm)
{
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1,23456789012346E15");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(-1e20), "-1E20");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
    EXPECT_EQ(FloatToStr(1e-300), "1E-300");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
}

TEST_F(SysUtilsTest, FloatTextRoundTrips)
{
    for (double v : {0.5, -17.125, 3.14159265358979, 1e-5, 6.02214076e23, 42.0}) {
        const double back = StrToFloat(FloatToStr(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
    }
}

TEST_F(SysUtilsTest, IntToStr)
{
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToStr(9000000000LL), "9000000000");
}

TEST_F(SysUtilsTest, DateAndTimeTextsFollowTheSettings)
{
    EXPECT_EQ(DateToStr(QDate(2024, 3, 7)), "07.03.2024");
    EXPECT_EQ(TimeToStr(QTime(9, 5, 3)), "09:05:03");
    FormatSettings().ShortDateFormat = QStringLiteral("yyyy/MM/dd");
    FormatSettings().DateSeparator = QLatin1Char('-');
    EXPECT_EQ(DateToStr(QDate(2024, 3, 7)), "2024-03-07");
}

TEST_F(SysUtilsTest, StrToDateReadsDayMonthYear)
{
    FixToday(2024, 6, 15);
    EXPECT_EQ(StrToDate("07.03.2024"), QDate(2024, 3, 7));
    EXPECT_EQ(StrToDate("7.3.2024"), QDate(2024, 3, 7));
    EXPECT_EQ(StrToDate(" 29.02.2024 "), QDate(2024, 2, 29));
    // Two numbers: day and month of the current year.
    EXPECT_EQ(StrToDate("1.12"), QDate(2024, 12, 1));
}

TEST_F(SysUtilsTest, StrToDateMapsTwoDigitYearsIntoAWindow)
{
    FixToday(2024, 6, 15);
    EXPECT_EQ(StrToDate("1.1.24").year(), 2024);
    EXPECT_EQ(StrToDate("1.1.73").year(), 2073);
    EXPECT_EQ(StrToDate("1.1.74").year(), 1974);
    EXPECT_EQ(StrToDate("1.1.99").year(), 1999);
    EXPECT_EQ(StrToDate("1.1.00").year(), 2000);
    // Four-digit years are taken as written.
    EXPECT_EQ(StrToDate("1.1.0099").year(), 99);
}

TEST_F(SysUtilsTest, StrToDateFollowsFormatOrderAndSeparator)
{
    FixToday(2024, 6, 15);
    FormatSettings().ShortDateFormat = QStringLiteral("M/d/yyyy");
    FormatSettings().DateSeparator = QLatin1Char('/');
    EXPECT_EQ(StrToDate("3/7/2024"), QDate(2024, 3, 7));
    FormatSettings().ShortDateFormat = QStringLiteral("yyyy-MM-dd");
    FormatSettings().DateSeparator = QLatin1Char('-');
    EXPECT_EQ(StrToDate("2024-03-07"), QDate(2024, 3, 7));
}

TEST_F(SysUtilsTest, StrToDateRejectsInvalidDates)
{
    FixToday(2024, 6, 15);
    for (const char *bad : {"", "abc", "31.02.2024", "0.1.2024", "1.13.2024", "1.1.2024x",
                            "1/1/2024", "1", "1..2024", "1.1.2024.5", "12345.1.2024"}) {
        EXPECT_THROW(StrToDate(QString::fromLatin1(bad)), EConvertError) << bad;
    }
    EXPECT_EQ(ConvertErrorMessage([] { StrToDate("31.02.2024"); }),
              QStringLiteral("'31.02.2024' is not a valid date"));
}

/// Tests that read the real clock.
class HostMachineSysUtilsTest : public SysUtilsTest
{
};

TEST_F(HostMachineSysUtilsTest, ClockCanBeReplaced)
{
    const QDateTime fixed(QDate(2001, 2, 3), QTime(4, 5, 6));
    SetClock([fixed]() { return fixed; });
    EXPECT_EQ(Now(), fixed);
    SetClock(nullptr);
    EXPECT_LE(std::llabs(Now().secsTo(QDateTime::currentDateTime())), 5);
}

TEST_F(SysUtilsTest, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(Trim(QString(QChar(1)) + "x" + QChar(31)), "x");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("abc"), "abc");
    // Non-breaking space (160) is text, not a blank.
    EXPECT_EQ(Trim(QString(QChar(160)) + "x"), QString(QChar(160)) + "x");
}
