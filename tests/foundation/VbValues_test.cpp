#include "countdown/QStringPrinting.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "platform/VbError.h"
#include "support/DecimalCommaLocale.h"
#include "support/ErrorOf.h"
#include "support/FixedClock.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double dateOf(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return vb::oleDateFromParts(y, mo, d, h, mi, s);
}

TEST(VbRounding, HalvesGoToEvenAndOverflowRaisesSix)
{
    struct Case {
        double value;
        int expected;
    };
    const Case cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
                          {2.5001, 3}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const Case& c : cases) {
        EXPECT_EQ(vb::cint(c.value), c.expected) << c.value;
        EXPECT_EQ(vb::clng(c.value), c.expected) << c.value;
    }
    EXPECT_EQ(vb::clng(2147483647.4), 2147483647);
    EXPECT_EQ(vb::clng(-2147483648.5), -2147483647 - 1);
    for (double bad : {32767.5, -32768.6, 1e10, double(NAN), double(INFINITY)})
        EXPECT_EQ(errorOf([&] { vb::cint(bad); }), platform::vberr::Overflow) << bad;
    for (double bad : {2147483647.5, -2147483649.0, double(NAN)})
        EXPECT_EQ(errorOf([&] { vb::clng(bad); }), platform::vberr::Overflow) << bad;
    EXPECT_EQ(errorOf([] { vb::csng(1e39); }), platform::vberr::Overflow);
}

TEST(VbVal, ReadsTheLeadingNumber)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0},           {"abc", 0},       {"12", 12},        {"  12abc", 12},   {"1 2 3", 123},
        {"\t-3.5x", -3.5}, {"+4", 4},        {"1.2.3", 1.2},    {".5", 0.5},       {"1e3", 1000},
        {"1E-2z", 0.01},   {"2d2", 200},     {"1e", 1},         {"3,5", 3},        {"&HFF", 255},
        {"&HFFFF", -1},    {"&H10000", 65536}, {"&O17", 15},    {"- 5", -5},       {"12 PM", 12},
    };
    TestServices services;
    services.regional().decimalSeparator = QLatin1Char(','); // Val ignores the regional settings
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(vb::val(QString::fromLatin1(c.text)), c.expected) << c.text;
    EXPECT_EQ(errorOf([] { vb::val("1e999"); }), platform::vberr::Overflow);
}

TEST(VbTrim, RemovesBlanksOnly)
{
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"  a b  ", "a b"}, {"", ""}, {"   ", ""},
        {"	a	", "	a	"}, {QString(QChar(0xA0)) + "a ", QString(QChar(0xA0)) + "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vb::trim(c.text), c.expected) << c.text.toStdString();
}

TEST(VbCBool, AcceptsTrueFalseAnyCaseAndNumbers)
{
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {{"True", true}, {"false", false}, {"TRUE", true}, {" False ", false},
                          {"-1", true},   {"0", false},     {"2.5", true},  {"0.0", false}};
    for (const Case& c : cases)
        EXPECT_EQ(vb::cbool(QString::fromLatin1(c.text)), c.expected) << c.text;
    for (const char* bad : {"", "yes", "Tru", "1x", "#TRUE#"})
        EXPECT_EQ(errorOf([&] { vb::cbool(QString::fromLatin1(bad)); }), platform::vberr::TypeMismatch) << bad;
}

TEST(VbCdbl, FollowsTheRegionalDecimalSeparator)
{
    TestServices services;
    EXPECT_DOUBLE_EQ(vb::cdbl("10.5"), 10.5);
    EXPECT_DOUBLE_EQ(vb::cdbl(" 1,234.5 "), 1234.5);
    EXPECT_FLOAT_EQ(vb::csng("-0.25"), -0.25f);
    EXPECT_EQ(errorOf([] { vb::cdbl("10.5x"); }), platform::vberr::TypeMismatch);
    EXPECT_EQ(errorOf([] { vb::cdbl(""); }), platform::vberr::TypeMismatch);
    services.regional().decimalSeparator = QLatin1Char(',');
    services.regional().thousandsSeparator = QLatin1Char('.');
    EXPECT_DOUBLE_EQ(vb::cdbl("10,5"), 10.5);
    EXPECT_EQ(vb::singleText(10.5f), "10,5");
}

TEST(VbSingleText, SevenSignificantDigitsWithoutTrailingZeros)
{
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {{8.0f, "8"},           {10.5f, "10.5"},          {0.1f, "0.1"},
                          {1.0f / 3, "0.3333333"}, {-2.25f, "-2.25"},      {1234567.0f, "1234567"},
                          {12345678.0f, "1.234568E+07"}, {0.0001f, "0.0001"}, {0.00001f, "1E-05"},
                          {0.0f, "0"},           {-0.0f, "0"},             {14.000001f, "14"}};
    TestServices services;
    for (const Case& c : cases)
        EXPECT_EQ(vb::singleText(c.value), QString::fromLatin1(c.expected)) << c.expected;
    EXPECT_EQ(vb::str(5), " 5");
    EXPECT_EQ(vb::str(-5.5), "-5.5");
}

TEST(VbNumberText, IgnoresTheCLibraryNumericLocale)
{
    // A desktop session with a decimal-comma locale must not change the text of a number:
    // only the regional settings do.
    DecimalCommaLocale decimalComma;
    ASSERT_EQ(decimalComma.error(), QString());
    TestServices services;
    struct Case {
        double value;
        const char* single;
        const char* dbl;
        const char* str;
    };
    const Case cases[] = {{8203.125, "8203.125", "8203.125", " 8203.125"},
                          {-10.5, "-10.5", "-10.5", "-10.5"},
                          {0.1, "0.1", "0.1", " 0.1"},
                          {12345678.9, "1.234568E+07", "12345678.9", " 12345678.9"},
                          {1.5e-7, "1.5E-07", "1.5E-07", " 1.5E-07"},
                          {1e20, "1E+20", "1E+20", " 1E+20"}};
    for (const Case& c : cases) {
        EXPECT_EQ(vb::singleText(static_cast<float>(c.value)), QString::fromLatin1(c.single)) << c.single;
        EXPECT_EQ(vb::doubleText(c.value), QString::fromLatin1(c.dbl)) << c.dbl;
        EXPECT_EQ(vb::str(c.value), QString::fromLatin1(c.str)) << c.str;
        EXPECT_DOUBLE_EQ(vb::cdbl(QString::fromLatin1(c.dbl)), c.value) << c.dbl;
        EXPECT_DOUBLE_EQ(vb::val(QString::fromLatin1(c.dbl)), c.value) << c.dbl;
    }
    EXPECT_EQ(vb::formatNumber(1234567.8, "#,##0.00"), "1,234,567.80");
    services.regional().decimalSeparator = QLatin1Char(',');
    services.regional().thousandsSeparator = QLatin1Char('.');
    EXPECT_EQ(vb::singleText(8203.125f), "8203,125");
    EXPECT_FLOAT_EQ(vb::csng("8203,125"), 8203.125f);
}

TEST(VbDateText, ShortDateThenTimeUnlessMidnight)
{
    TestServices services;
    EXPECT_EQ(vb::dateText(dateOf(2026, 12, 10)), "12/10/2026");
    EXPECT_EQ(vb::dateText(dateOf(2026, 12, 10, 15, 4, 5)), "12/10/2026 3:04:05 PM");
    EXPECT_EQ(vb::dateText(dateOf(2026, 1, 2, 0, 0, 1)), "1/2/2026 12:00:01 AM");
    EXPECT_EQ(vb::dateText(0.5), "12:00:00 PM");
    EXPECT_EQ(vb::dateText(dateOf(1899, 12, 29, 6)), "12/29/1899 6:00:00 AM");
    services.regional().shortDatePattern = "dd.MM.yyyy";
    services.regional().timePattern = "HH:mm:ss";
    EXPECT_EQ(vb::dateText(dateOf(2026, 3, 4, 15, 4, 5)), "04.03.2026 15:04:05");
}

TEST(VbDateText, RoundTripsThroughCDate)
{
    TestServices services;
    for (double date : {dateOf(2026, 12, 10, 23, 59, 59), dateOf(2000, 2, 29), dateOf(1950, 7, 1, 0, 0, 1),
                        dateOf(1899, 12, 28, 12, 30), dateOf(9999, 12, 31, 23, 59, 59)}) {
        const QString text = vb::dateText(date);
        EXPECT_NEAR(vb::cdate(text), date, 1e-9) << qPrintable(text);
    }
}

TEST(VbCDate, ReadsShortDatesMonthNamesAndTimes)
{
    TestServices services;
    FixedClock clock(dateOf(2026, 6, 1));
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"12/10/2026", dateOf(2026, 12, 10)},
        {"12/10/2026 3:04:05 PM", dateOf(2026, 12, 10, 15, 4, 5)},
        {"10 Dec, 2026 03:04:05 PM", dateOf(2026, 12, 10, 15, 4, 5)},
        {"Dec 10, 2026 03:04:05 AM", dateOf(2026, 12, 10, 3, 4, 5)},
        {"December 10, 2026", dateOf(2026, 12, 10)},
        {"10 dec, 2026 12:00:00 AM", dateOf(2026, 12, 10)},
        {"Thursday, December 10, 2026", dateOf(2026, 12, 10)},
        {"2026-12-10 23:15", dateOf(2026, 12, 10, 23, 15)},
        {"13/1/2026", dateOf(2026, 1, 13)},
        {"1/2/99", dateOf(1999, 1, 2)},
        {"1/2/29", dateOf(2029, 1, 2)},
        {"12/10", dateOf(2026, 12, 10)},
        {"Dec 2027", dateOf(2027, 12, 1)},
        {"3:04:05 PM", dateOf(1899, 12, 30, 15, 4, 5)},
        {"3 PM", dateOf(1899, 12, 30, 15)},
        {"12:30 AM", dateOf(1899, 12, 30, 0, 30)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(vb::cdate(QString::fromLatin1(c.text)), c.expected, 1e-9) << c.text;
    for (const char* bad : {"", "hello", "2/30/2026", "13/13/2026", "25:00", "13:00 PM", "12/10/2026 3:61",
                            "10 Foo 2026", "1/2/3/4", "3:04 PM PM"})
        EXPECT_EQ(errorOf([&] { vb::cdate(QString::fromLatin1(bad)); }), platform::vberr::TypeMismatch) << bad;
}

TEST(VbCDate, FollowsTheRegionalOrderAndNames)
{
    TestServices services;
    services.regional().shortDatePattern = "d/M/yyyy";
    services.regional().monthAbbreviations[11] = "Dez";
    EXPECT_NEAR(vb::cdate("10/12/2026"), dateOf(2026, 12, 10), 1e-9);
    EXPECT_NEAR(vb::cdate("10 Dez 2026"), dateOf(2026, 12, 10), 1e-9);
}

TEST(VbFormat, PatternLetters)
{
    TestServices services;
    const double afternoon = dateOf(2026, 12, 10, 15, 4, 5); // a Thursday
    const double morning = dateOf(2026, 1, 3, 0, 7, 9);      // a Saturday
    struct Case {
        double date;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {afternoon, "MMM dd, yyyy", "Dec 10, 2026"},
        {afternoon, "dd mmm, yyyy hh:mm:ss Am/Pm", "10 Dec, 2026 03:04:05 Pm"},
        {morning, "dd mmm, yyyy hh:mm:ss Am/Pm", "03 Jan, 2026 12:07:09 Am"},
        {afternoon, "mmm dd, yyyy Hh:Nn:Ss AM/PM", "Dec 10, 2026 03:04:05 PM"},
        {afternoon, "dd mmm, yyyy", "10 Dec, 2026"},
        {morning, "d-m-yy", "3-1-26"},
        {afternoon, "dddd, mmmm d", "Thursday, December 10"},
        {morning, "ddd", "Sat"},
        {afternoon, "h:nn am/pm", "3:04 pm"},
        {afternoon, "h:mm a/p", "3:04 p"},
        {morning, "hh:mm A/P", "12:07 A"},
        {afternoon, "hh:mm:ss", "15:04:05"},
        {afternoon, "h AMPM", "3 PM"},
        {afternoon, "m/d/yyyy", "12/10/2026"},
        {morning, "w ww q y", "7 1 1 3"},
        {afternoon, "ww", "50"},
        {afternoon, "\"Day\" d \\d", "Day 10 d"},
        {afternoon, "c", "12/10/2026 3:04:05 PM"},
        {afternoon, "ddddd", "12/10/2026"},
        {afternoon, "ttttt", "3:04:05 PM"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vb::format(c.date, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.expected)) << c.pattern;
}

TEST(VbFormat, AmPmMarkerTakesTheLetterCaseOfThePattern)
{
    TestServices services;
    services.regional().amDesignator = "vorm.";
    services.regional().pmDesignator = "nachm.";
    const double beforeNoon = dateOf(2026, 12, 10, 11, 59, 59);
    const double noon = dateOf(2026, 12, 10, 12, 0, 0);
    const double midnight = dateOf(2026, 12, 10, 0, 0, 0);
    struct Case {
        const char* pattern;
        const char* morning; // 11:59:59 and 00:00:00
        const char* afternoon; // 12:00:00
    };
    const Case cases[] = {
        {"AM/PM", "AM", "PM"},     {"am/pm", "am", "pm"},     {"Am/Pm", "Am", "Pm"},
        {"aM/pM", "aM", "pM"},     {"A/P", "A", "P"},         {"a/p", "a", "p"},
        {"AMPM", "vorm.", "nachm."}, {"ampm", "vorm.", "nachm."},
    };
    for (const Case& c : cases) {
        const QString pattern = QString::fromLatin1(c.pattern);
        EXPECT_EQ(vb::format(beforeNoon, pattern), QString::fromLatin1(c.morning)) << c.pattern;
        EXPECT_EQ(vb::format(midnight, pattern), QString::fromLatin1(c.morning)) << c.pattern;
        EXPECT_EQ(vb::format(noon, pattern), QString::fromLatin1(c.afternoon)) << c.pattern;
    }
    EXPECT_EQ(vb::format(noon, "hh:nn Am/Pm"), "12:00 Pm") << "any marker makes the clock 12-hour";
    EXPECT_EQ(vb::format(midnight, "h a/p"), "12 a");
}

TEST(VbFormat, SeparatorsAreRealCharacters)
{
    const double date = dateOf(2026, 12, 10, 15, 4, 5);
    struct Case {
        QChar timeSeparator;
        QChar dateSeparator;
        const char* expected; // of "hh:mm:ss m/d/yyyy"
    };
    const Case cases[] = {
        {QLatin1Char(':'), QLatin1Char('/'), "15:04:05 12/10/2026"},
        {QLatin1Char('.'), QLatin1Char('-'), "15.04.05 12-10-2026"}, // the regional ones
        {QChar(), QChar(), "15:04:05 12/10/2026"},                   // unset
        {QChar(0xFFFF), QChar(0xFFFF), "15:04:05 12/10/2026"},       // not a character
    };
    for (const Case& c : cases) {
        TestServices services;
        services.regional().timeSeparator = c.timeSeparator;
        services.regional().dateSeparator = c.dateSeparator;
        EXPECT_EQ(vb::format(date, "hh:mm:ss m/d/yyyy"), QString::fromLatin1(c.expected)) << c.expected;
    }
    TestServices services;
    EXPECT_EQ(vb::format(date, "hh:mm:ss"), "15:04:05");
}

TEST(VbFormat, WritesTextThatCDateReadsBackToTheSecond)
{
    TestServices services;
    const double date = dateOf(2026, 12, 10, 15, 4, 5) + 0.4 / 86400;
    for (const char* pattern : {"dd mmm, yyyy hh:mm:ss Am/Pm", "mmm dd, yyyy Hh:Nn:Ss AM/PM"})
        EXPECT_NEAR(vb::cdate(vb::format(date, QString::fromLatin1(pattern))), dateOf(2026, 12, 10, 15, 4, 5), 1e-9);
}

TEST(VbFormatNumber, Placeholders)
{
    TestServices services;
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {{3.14159, "0.00", "3.14"}, {2.5, "0", "3"},     {0.125, "0.00", "0.13"},
                          {7, "#.##", "7."},         {1234567.8, "#,##0.00", "1,234,567.80"},
                          {-1.5, "0.0", "-1.5"},     {0.4, "#", ""},      {12.3456, "0.###", "12.346"}};
    for (const Case& c : cases)
        EXPECT_EQ(vb::formatNumber(c.value, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.expected)) << c.pattern;
}

} // namespace
