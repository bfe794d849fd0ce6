// SPDX-License-Identifier: MIT
// Tests of the Jxutil string and number helpers.
#include "util/Jxutil.h"

#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/core/Strings.h"
#include "host/core/SysUtils.h"
#include "host/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <chrono>
#include <climits>
#include <random>

using namespace jxt;

namespace {

// Restores the process-wide format settings and clock after each test.
class JxutilSettings : public ::testing::Test
{
protected:
    void SetUp() override { m_saved = FormatSettings(); }
    void TearDown() override
    {
        FormatSettings() = m_saved;
        SetClock(nullptr);
    }

private:
    TFormatSettings m_saved;
};

QString Replaced(QString s, const QString &pattern, const QString &replacement)
{
    jxtReplaceString(s, pattern, replacement);
    return s;
}

// The plain definition: replace the first occurrence and search again from the start. Gives
// up (returning a null string) after maxSteps replacements.
QString ReplaceByRestarting(QString s, const QString &pattern, const QString &replacement,
                            int maxSteps = 100000)
{
    for (qsizetype p = s.indexOf(pattern); p >= 0; p = s.indexOf(pattern)) {
        if (maxSteps-- == 0)
            return QString();
        s = s.left(p) + replacement + s.mid(p + pattern.size());
    }
    return s;
}

} // namespace

// --- Replacing -------------------------------------------------------------------------------

TEST(JxutilReplace, ReplaceCharReplacesEveryOccurrence)
{
    QString s = "a.b.c..";
    jxtReplaceChar(s, '.', '/');
    EXPECT_EQ(s, "a/b/c//");
    jxtReplaceChar(s, '/', '/');
    EXPECT_EQ(s, "a/b/c//");
    jxtReplaceChar(s, 'x', 'y');
    EXPECT_EQ(s, "a/b/c//");
}

TEST(JxutilReplace, ReplaceStringRepeatsUntilThePatternIsGone)
{
    EXPECT_EQ(Replaced("aaaa", "aa", "a"), "a");
    EXPECT_EQ(Replaced("hello world", "o", "0"), "hell0 w0rld");
    EXPECT_EQ(Replaced("abc", "", "x"), "abc");
    EXPECT_EQ(Replaced("", "a", "b"), "");
    EXPECT_EQ(Replaced("abc", "abcd", "x"), "abc");
    EXPECT_EQ(Replaced("abab", "ab", ""), "");
    // Removing "ab" from "aabb" leaves a new "ab", which goes as well.
    EXPECT_EQ(Replaced("aabbx", "ab", ""), "x");
    EXPECT_EQ(Replaced("^M^M", "^M", "\n"), "\n\n");
}

TEST(JxutilReplace, ReplaceStringCollapsesEveryParentRun)
{
    EXPECT_EQ(Replaced("C:\\a\\..\\..\\..\\b", "\\..\\", "\\"), "C:\\a\\b");
    EXPECT_EQ(Replaced("\\..\\..\\x\\..\\", "\\..\\", "\\"), "\\x\\");
}

TEST(JxutilReplace, ReplaceStringAgreesWithRestartingFromTheStart)
{
    // Pairs where replacements form new occurrences with the text before and after them.
    const struct
    {
        const char *text, *pattern, *replacement;
    } cases[] = {
        {"aaaaaaaaab", "aa", "a"}, {"abcabcabcc", "abc", "ab"}, {"xxaxbxbb", "ab", "b"},
        {"aabbaabb", "ab", "ba"},  {"abaabab", "aba", "b"},     {"abababab", "bab", "a"},
        {"caaaabbbbd", "ab", ""},  {"ccccc", "cc", "c"},        {"xaaxaax", "aax", "x"},
        {"aab", "ab", "bba"},      {"abbbbbabc", "bb", "b"},    {"1010101", "101", "0"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Replaced(c.text, c.pattern, c.replacement),
                  ReplaceByRestarting(c.text, c.pattern, c.replacement))
            << c.text << " " << c.pattern << " -> " << c.replacement;
    }
}

TEST(JxutilReplace, ReplaceStringAgreesWithRestartingOnRandomTexts)
{
    // Small alphabets make overlapping and newly formed occurrences frequent.
    std::mt19937 random(20240615);
    auto randomText = [&](int maxLength) {
        std::uniform_int_distribution<int> length(0, maxLength);
        std::uniform_int_distribution<int> letter(0, 2);
        QString s;
        for (int n = length(random); n > 0; --n)
            s += QChar('a' + letter(random));
        return s;
    };
    int compared = 0;
    while (compared < 3000) {
        // Longer replacements too: texts may grow, but for these sizes the rewriting ends.
        const QString pattern = randomText(4);
        const QString replacement = randomText(5);
        if (pattern.isEmpty() || replacement.contains(pattern))
            continue;
        const QString text = randomText(20);
        const QString expected = ReplaceByRestarting(text, pattern, replacement, 2000);
        if (expected.isNull())
            continue;
        ASSERT_EQ(Replaced(text, pattern, replacement), expected)
            << text.toStdString() << " " << pattern.toStdString() << " -> "
            << replacement.toStdString();
        ++compared;
    }
}

TEST(JxutilReplace, ReplaceStringTerminatesWhenTheReplacementContainsThePattern)
{
    // Each occurrence in the input is replaced once, left to right.
    EXPECT_EQ(Replaced("a-a", "a", "aa"), "aa-aa");
    EXPECT_EQ(Replaced("xyx", "x", "<x>"), "<x>y<x>");
    EXPECT_EQ(Replaced("abc", "b", "b"), "abc");
}

// Real time: a bound far above the linear time, far below the quadratic one.
TEST(HostMachineJxutilReplace, ReplaceStringIsLinearOnLongTexts)
{
    // 200,000 collapsing pairs: restarting from the start each time would take minutes.
    QString s = QString(400000, QLatin1Char('a'));
    const auto start = std::chrono::steady_clock::now();
    jxtReplaceString(s, "aa", "a");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(s, "a");
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);

    QString path;
    for (int i = 0; i < 50000; ++i)
        path += "\\..";
    path += "\\x";
    jxtReplaceString(path, "\\..\\", "\\");
    EXPECT_EQ(path, "\\x");
}

TEST(JxutilReplace, StrToCtrlTurnsCaretMarksIntoControlCharacters)
{
    EXPECT_EQ(jxtStrToCTRL("a^Mb^Jc^M^J"), "a\rb\nc\r\n");
    EXPECT_EQ(jxtStrToCTRL("^m^j^"), "^m^j^");
}

// --- Splitting and trimming --------------------------------------------------------------------

TEST(JxutilSplit, SplitParReturnsNumberedFields)
{
    EXPECT_EQ(jxtSplitPar("a;b", ';', 1), "a");
    EXPECT_EQ(jxtSplitPar("a;b", ';', 2), "b");
    EXPECT_EQ(jxtSplitPar("a;b", ';', 3), "");
    EXPECT_EQ(jxtSplitPar("a;b", ';', 0), "");
    EXPECT_EQ(jxtSplitPar("a;b", ';', -1), "");
    EXPECT_EQ(jxtSplitPar("", ';', 1), "");
    EXPECT_EQ(jxtSplitPar("a;;b", ';', 2), "");
    EXPECT_EQ(jxtSplitPar("a;;b", ';', 3), "b");
    EXPECT_EQ(jxtSplitPar("a;b;", ';', 3), "");
    EXPECT_EQ(jxtSplitPar("a;b;", ';', 4), "");
    EXPECT_EQ(jxtSplitPar("x,y z", ',', 2), "y z");
    EXPECT_EQ(jxtSplitPar("abc", ';', 1), "abc");
}

TEST(JxutilSplit, SplitParLastIgnoresTheUnterminatedTail)
{
    EXPECT_EQ(jxtSplitParLast("a;b;c", ';', 1, false), "a");
    EXPECT_EQ(jxtSplitParLast("a;b;c", ';', 2, false), "b");
    EXPECT_EQ(jxtSplitParLast("a;b;c", ';', 3, false), "");
    EXPECT_EQ(jxtSplitParLast("a;b;c;", ';', 3, false), "c");
    EXPECT_EQ(jxtSplitParLast("abc", ';', 1, false), "");
    EXPECT_EQ(jxtSplitParLast("a;b;c", ';', 0, false), "");
}

TEST(JxutilSplit, SplitParLastToLastTakesEverythingBeforeTheLastSeparator)
{
    EXPECT_EQ(jxtSplitParLast("a;b;c", ';', 1, true), "a;b");
    EXPECT_EQ(jxtSplitParLast("a;b;c", ';', 2, true), "");
    EXPECT_EQ(jxtSplitParLast("a;b;c;", ';', 1, true), "a;b;c");
    EXPECT_EQ(jxtSplitParLast("abc", ';', 1, true), "");
    EXPECT_EQ(jxtSplitParLast(";x", ';', 1, true), "");
}

TEST(JxutilSplit, DelCommentCutsAtTheFirstSemicolon)
{
    QString s = "key=1 ; note; more";
    jxtDelComment(s);
    EXPECT_EQ(s, "key=1 ");
    s = "no comment";
    jxtDelComment(s);
    EXPECT_EQ(s, "no comment");
    s = ";all comment";
    jxtDelComment(s);
    EXPECT_EQ(s, "");
}

TEST(JxutilSplit, JustStringTrimsThenCutsOrPads)
{
    EXPECT_EQ(jxtJustString("  abc  ", 5), "abc  ");
    EXPECT_EQ(jxtJustString("abcdef", 3), "abc");
    EXPECT_EQ(jxtJustString("\tabc\r\n", 3), "abc");
    EXPECT_EQ(jxtJustString("abc", 0), "");
    EXPECT_EQ(jxtJustString("abc", -2), "");
    EXPECT_EQ(jxtJustString("", 2), "  ");
}

TEST(JxutilSplit, InCountWrapsAsAByte)
{
    EXPECT_EQ(jxtInCount("a;b;;c", ';'), 3);
    EXPECT_EQ(jxtInCount("", ';'), 0);
    EXPECT_EQ(jxtInCount(QString(255, 'x'), 'x'), 255);
    EXPECT_EQ(jxtInCount(QString(257, 'x'), 'x'), 1);
}

// --- Pattern matching --------------------------------------------------------------------------

TEST(JxutilMatch, StarAtTheEdges)
{
    EXPECT_TRUE(jxtIsMatch("README.TXT", "*.TXT"));
    EXPECT_FALSE(jxtIsMatch("README.DOC", "*.TXT"));
    EXPECT_TRUE(jxtIsMatch("README.TXT", "READ*"));
    EXPECT_FALSE(jxtIsMatch("XREADME", "READ*"));
    EXPECT_TRUE(jxtIsMatch("README.TXT", "*.T?T"));
    EXPECT_TRUE(jxtIsMatch("README.TXT", "R?AD*"));
    // A name shorter than the fixed part never matches.
    EXPECT_FALSE(jxtIsMatch("TXT", "*.TXT"));
    EXPECT_FALSE(jxtIsMatch("RE", "READ*"));
    EXPECT_TRUE(jxtIsMatch("ABX", "*X"));
    EXPECT_FALSE(jxtIsMatch("AXB", "*X"));
    EXPECT_TRUE(jxtIsMatch("", "*"));
    EXPECT_TRUE(jxtIsMatch("anything", "*"));
}

TEST(JxutilMatch, TwoStarsSearchForTheTextBetweenThem)
{
    EXPECT_TRUE(jxtIsMatch("README.TXT", "*.*"));
    EXPECT_FALSE(jxtIsMatch("README", "*.*"));
    EXPECT_TRUE(jxtIsMatch("MYREADME", "*EAD*"));
    // Text outside the first two stars is ignored.
    EXPECT_TRUE(jxtIsMatch("XEADY", "ZZ*EAD*QQ"));
    EXPECT_TRUE(jxtIsMatch("A.B", "*.*.*"));
    EXPECT_FALSE(jxtIsMatch("ABC", "**"));
    EXPECT_FALSE(jxtIsMatch("", "**"));
}

TEST(JxutilMatch, InnerStarQuestionMarksAndExactNames)
{
    EXPECT_FALSE(jxtIsMatch("README.TXT", "RE*.TXT"));
    EXPECT_TRUE(jxtIsMatch("README.TXT", "R?ADME.TXT"));
    EXPECT_FALSE(jxtIsMatch("AB", "A?C"));
    EXPECT_FALSE(jxtIsMatch("ABCD", "A?C"));
    EXPECT_TRUE(jxtIsMatch("ABC", "???"));
    EXPECT_TRUE(jxtIsMatch("ABC", "ABC"));
    EXPECT_FALSE(jxtIsMatch("abc", "ABC"));
    EXPECT_FALSE(jxtIsMatch("ABC", ""));
    EXPECT_TRUE(jxtIsMatch("", ""));
}

TEST(JxutilMatch, PatternListsAreTriedInOrder)
{
    EXPECT_TRUE(jxtIsMatch("README.TXT", "*.DOC;*.TXT"));
    EXPECT_FALSE(jxtIsMatch("README.TXT", "*.DOC;*.BMP"));
    // An empty entry matches only the empty name.
    EXPECT_TRUE(jxtIsMatch("", "*.DOC;"));
    EXPECT_FALSE(jxtIsMatch("A", "*.DOC;"));
    // Long lists are searched to their end.
    QString many;
    for (int i = 0; i < 300; ++i)
        many += QStringLiteral("*.X%1;").arg(i);
    many += "*.TXT";
    EXPECT_TRUE(jxtIsMatch("README.TXT", many));
}

// --- Numbers -----------------------------------------------------------------------------------

TEST(JxutilNumbers, MinMaxClampsMaxFirstThenMin)
{
    struct
    {
        int value, min, max, expected;
    } cases[] = {{5, 0, 10, 5},  {-3, 0, 10, 0},  {12, 0, 10, 10},
                 {5, 10, 0, 10}, {-5, 10, 0, 10}, {INT_MIN, INT_MIN, INT_MAX, INT_MIN}};
    for (const auto &c : cases) {
        int v = c.value;
        jxtMinMaxInteger(v, c.min, c.max);
        EXPECT_EQ(v, c.expected) << c.value << " in " << c.min << ".." << c.max;
    }
    long double e = 2.5L;
    jxtMinMaxExtended(e, 0.0L, 1.0L);
    EXPECT_EQ(e, 1.0L);
    e = -0.5L;
    jxtMinMaxExtended(e, 0.0L, 1.0L);
    EXPECT_EQ(e, 0.0L);
    e = 0.25L;
    jxtMinMaxExtended(e, 3.0L, 1.0L);
    EXPECT_EQ(e, 3.0L);
}

TEST_F(JxutilSettings, StrToFloatAcceptsEitherSeparator)
{
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat("1.5")), 1.5);
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat("1,5")), 1.5);
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat(".5")), 0.5);
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat("12")), 12.0);
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat("2.5E2")), 250.0);
    EXPECT_EQ(jxtStrToFloat(""), 0.0L);
    EXPECT_EQ(jxtStrToFloat("abc"), -1.0L);
    EXPECT_EQ(jxtStrToFloat("-2"), -1.0L);
    EXPECT_EQ(jxtStrToFloat("1.000,5"), -1.0L);
}

TEST_F(JxutilSettings, StrToFloatWithEqualSeparatorsTerminates)
{
    FormatSettings().DecimalSeparator = QLatin1Char('.');
    FormatSettings().ThousandSeparator = QLatin1Char('.');
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat("1.5")), 1.5);
}

TEST_F(JxutilSettings, FloatToStrAlwaysWritesAPoint)
{
    EXPECT_EQ(jxtFloatToStr(1.5L), "1.5");
    EXPECT_EQ(jxtFloatToStr(-0.125L), "-0.125");
    EXPECT_EQ(jxtFloatToStr(3.0L), "3");
    EXPECT_EQ(jxtFloatToStr(1.5e20L), "1.5E20");
    EXPECT_DOUBLE_EQ(double(jxtStrToFloat(jxtFloatToStr(1234.5678L))), 1234.5678);
}

TEST_F(JxutilSettings, SetDecimalSeparatorSelectsGermanSeparators)
{
    FormatSettings().DecimalSeparator = QLatin1Char('.');
    FormatSettings().ThousandSeparator = QLatin1Char(',');
    EXPECT_TRUE(jxtSetDecimalSeparator());
    EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(FormatSettings().ThousandSeparator, QLatin1Char('.'));
    EXPECT_EQ(FloatToStr(0.5), "0,5");
}

TEST(JxutilNumbers, HexToInt)
{
    EXPECT_EQ(jxtHexToInt("ff"), 255);
    EXPECT_EQ(jxtHexToInt("C0"), 192);
    EXPECT_EQ(jxtHexToInt("0"), 0);
    EXPECT_EQ(jxtHexToInt("7FFFFFFF"), INT_MAX);
    EXPECT_EQ(jxtHexToInt("zz"), -1);
    EXPECT_EQ(jxtHexToInt(""), -1);
    EXPECT_EQ(jxtHexToInt("$10"), -1);
    EXPECT_EQ(jxtHexToInt("1 2"), -1);
}

TEST(JxutilNumbers, IPAndHexConvertBothWays)
{
    EXPECT_EQ(jxtIPToHex("192.168.0.1"), "c0a80001");
    EXPECT_EQ(jxtIPToHex("10.0.0.255"), "0a0000ff");
    EXPECT_EQ(jxtIPToHex("1.2.3"), "");
    EXPECT_EQ(jxtIPToHex("1.2.3.4.5"), "");
    EXPECT_EQ(jxtIPToHex("1.x.3.4"), "");
    EXPECT_EQ(jxtIPToHex("1..3.4"), "");
    EXPECT_EQ(jxtHexToIP("c0a80001"), "192.168.0.1");
    EXPECT_EQ(jxtHexToIP("0A0000FF"), "10.0.0.255");
    EXPECT_EQ(jxtHexToIP("c0a8zz01"), "192.168.-1.1");
    EXPECT_EQ(jxtHexToIP("c0a800"), "");
    EXPECT_EQ(jxtHexToIP("c0a8000100"), "");
    for (const char *ip : {"0.0.0.0", "255.255.255.255", "127.0.0.1"})
        EXPECT_EQ(jxtHexToIP(jxtIPToHex(ip)), ip);
}

TEST(JxutilNumbers, DezToBinListsBitsLeastSignificantFirst)
{
    EXPECT_EQ(jxtDezToBin(6), "0110");
    EXPECT_EQ(jxtDezToBin(4), "0010");
    EXPECT_EQ(jxtDezToBin(0), "00");
    EXPECT_EQ(jxtDezToBin(1), "10");
    EXPECT_EQ(jxtDezToBin(4095), "1111111111110");
    EXPECT_EQ(jxtDezToBin(4096), "0000000000001");
}

TEST(JxutilNumbers, DezToBinOfNegativeValuesUsesTwosComplement)
{
    EXPECT_EQ(jxtDezToBin(-1), QString(32, '1'));
    EXPECT_EQ(jxtDezToBin(-2), "0" + QString(31, '1'));
    EXPECT_EQ(jxtDezToBin(INT_MIN), QString(31, '0') + "1");
}

// --- Dates and times ---------------------------------------------------------------------------

TEST_F(JxutilSettings, CheckDateNormalisesDates)
{
    SetClock([] { return QDateTime(QDate(2024, 6, 15), QTime(8, 0)); });
    EXPECT_EQ(jxtCheckDate("7.3.2024"), "07.03.2024");
    EXPECT_EQ(jxtCheckDate("1.1.99"), "01.01.1999");
    EXPECT_EQ(jxtCheckDate("nie"), "nie");
    EXPECT_EQ(jxtCheckDate("NIE"), "NIE");
    EXPECT_EQ(jxtCheckDate("31.02.2024"), "UNBEKANNT");
    EXPECT_EQ(jxtCheckDate("morgen"), "UNBEKANNT");
    EXPECT_EQ(jxtCheckDate(""), "UNBEKANNT");
}

TEST(JxutilTime, TimeStrToIntReadsOneTwoOrThreeFields)
{
    EXPECT_EQ(jxtTimeStrToInt("1:02:05"), 3725);
    EXPECT_EQ(jxtTimeStrToInt("02:05"), 125);
    EXPECT_EQ(jxtTimeStrToInt("59"), 59);
    EXPECT_EQ(jxtTimeStrToInt("0:0:0"), 0);
    EXPECT_THROW(jxtTimeStrToInt("1:x"), EConvertError);
    EXPECT_THROW(jxtTimeStrToInt("1::5"), EConvertError);
    EXPECT_THROW(jxtTimeStrToInt("1:2:3:4"), EConvertError);
    EXPECT_THROW(jxtTimeStrToInt(""), EConvertError);
}

TEST(JxutilTime, SekToStrFormatsHoursMinutesSeconds)
{
    EXPECT_EQ(jxtSekToStr(0), "00:00:00");
    EXPECT_EQ(jxtSekToStr(3725), "01:02:05");
    EXPECT_EQ(jxtSekToStr(59), "00:00:59");
    EXPECT_EQ(jxtSekToStr(921599), "255:59:59");
    for (int s : {0, 1, 61, 3599, 3600, 86399, 500000, 921599})
        EXPECT_EQ(jxtTimeStrToInt(jxtSekToStr(s)), s) << s;
}

TEST(JxutilTime, SekToStrClampsOutOfRangeValues)
{
    EXPECT_EQ(jxtSekToStr(-1), "00:00:00");
    EXPECT_EQ(jxtSekToStr(INT_MIN), "00:00:00");
    EXPECT_EQ(jxtSekToStr(921600), "255:59:59");
    EXPECT_EQ(jxtSekToStr(INT_MAX), "255:59:59");
}

// --- Path shortening ---------------------------------------------------------------------------

namespace {

TFont TestFont()
{
    TFont font;
    font.SetName("Arial");
    font.SetSize(10);
    return font;
}

int WidthOf(const TFont &font, const QString &text)
{
    TBitmap bitmap(10, 10);
    bitmap.Canvas()->SetFont(&font);
    return bitmap.Canvas()->TextWidth(text);
}

} // namespace

TEST(JxutilMaxString, PathsThatFitLoseOnlyTheirTrailingBackslash)
{
    const TFont font = TestFont();
    EXPECT_EQ(jxtGetMaxString(&font, 1000, "C:\\data\\"), "C:\\data");
    EXPECT_EQ(jxtGetMaxString(&font, 1000, "C:\\data\\a.txt"), "C:\\data\\a.txt");
    EXPECT_EQ(jxtGetMaxString(&font, 1000, ""), "");
    EXPECT_EQ(jxtGetMaxString(&font, INT_MAX, "C:\\data\\"), "C:\\data");
}

TEST(JxutilMaxString, LeadingDirectoriesGiveWayFirst)
{
    const TFont font = TestFont();
    const QString path = "C:\\alpha\\beta\\gamma\\delta\\file.txt";
    const QString expected[] = {"C:\\..\\beta\\gamma\\delta\\file.txt",
                                "C:\\..\\gamma\\delta\\file.txt", "C:\\..\\delta\\file.txt",
                                "C:\\..\\file.txt"};
    for (const QString &e : expected) {
        // The largest width at which exactly this form is chosen.
        const int maxWidth = WidthOf(font, e) + 10;
        EXPECT_EQ(jxtGetMaxString(&font, maxWidth, path), e);
        EXPECT_NE(jxtGetMaxString(&font, maxWidth - 1, path), e);
    }
}

TEST(JxutilMaxString, ThenCharactersAreCutFromTheEnd)
{
    const TFont font = TestFont();
    const QString path = "C:\\alpha\\beta\\file.txt";
    const int maxWidth = WidthOf(font, "C:\\..\\fil") + 10;
    const QString shortened = jxtGetMaxString(&font, maxWidth, path);
    EXPECT_TRUE(QString("C:\\..\\file.txt").startsWith(shortened)) << shortened.toStdString();
    EXPECT_LE(WidthOf(font, shortened), maxWidth - 10);
    EXPECT_GT(WidthOf(font, QString("C:\\..\\file.txt").left(shortened.size() + 1)), maxWidth - 10);
}

TEST(JxutilMaxString, WidthsBelowTenEndAtTheEmptyString)
{
    const TFont font = TestFont();
    for (int maxWidth : {9, 1, 0, -50})
        EXPECT_EQ(jxtGetMaxString(&font, maxWidth, "C:\\a\\b\\c\\d.txt"), "") << maxWidth;
    // Runs of empty components shrink as well.
    EXPECT_EQ(jxtGetMaxString(&font, 5, "C:\\\\\\\\\\\\x"), "");
}

// --- Shuffling ---------------------------------------------------------------------------------

namespace {

// A string list that records the screen cursor at every write.
class TRecordingList : public TStringList
{
public:
    using TStringList::TStringList;
    void Put(int index, const QString &s) override
    {
        cursorsSeen.push_back(Screen()->Cursor());
        TStringList::Put(index, s);
    }
    std::vector<TCursor> cursorsSeen;
};

QStringList Numbers(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::number(i);
    return list;
}

} // namespace

TEST(JxutilShuffle, ShuffleKeepsTheStringsAndShowsTheHourglass)
{
    const QStringList original = Numbers(50);
    TRecordingList list(original);
    TObject marker;
    list.PutObject(0, &marker);
    Screen()->SetCursor(crCross);

    jxtShuffleList(&list, 0);

    QStringList after = list.ToStringList();
    EXPECT_NE(after, original); // 50! orders: an unchanged list means no shuffling happened
    std::sort(after.begin(), after.end(),
              [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(after, original);
    // Passes 0 counts as 1, and one more pass is made: two passes of 50 swaps, two writes each.
    EXPECT_EQ(list.cursorsSeen.size(), 2u * 50u * 2u);
    for (TCursor c : list.cursorsSeen)
        EXPECT_EQ(c, crHourGlass);
    EXPECT_EQ(Screen()->Cursor(), crCross);
    // Objects stay at their index.
    EXPECT_EQ(list.GetObject(0), &marker);
    Screen()->SetCursor(crDefault);
}

TEST(JxutilShuffle, PassesCountPlusOne)
{
    TRecordingList list(Numbers(10));
    jxtShuffleList(&list, 4);
    EXPECT_EQ(list.cursorsSeen.size(), 5u * 10u * 2u);
    TRecordingList empty;
    jxtShuffleList(&empty, 3);
    EXPECT_EQ(empty.Count(), 0);
    jxtShuffleList(nullptr, 1);
}

TEST(JxutilShuffle, ShuffleForTwoKeepsListsParallel)
{
    TStringList names(Numbers(40));
    TStringList values;
    for (int i = 0; i < 40; ++i)
        values.Add(QStringLiteral("v%1").arg(i));
    values.Add("tail"); // a longer second list keeps its extra items in place

    jxtShuffleListForTwo(&names, &values, 2);

    EXPECT_NE(names.ToStringList(), Numbers(40));
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(values.Get(i), "v" + names.Get(i));
    EXPECT_EQ(values.Get(40), "tail");
}

TEST(JxutilShuffle, ShuffleForTwoRefusesAShorterSecondList)
{
    TStringList names(Numbers(5));
    TStringList values(Numbers(3));
    Screen()->SetCursor(crDefault);
    EXPECT_THROW(jxtShuffleListForTwo(&names, &values, 1), EListError);
    EXPECT_EQ(names.ToStringList(), Numbers(5));
    EXPECT_EQ(values.ToStringList(), Numbers(3));
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}
