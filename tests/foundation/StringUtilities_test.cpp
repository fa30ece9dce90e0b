#include "foundation/clsStringUtilities.h"

#include "foundation/ProgramTexts.h"
#include "platform/IniSettingsStore.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    QString input;
    QString expected;
};

TEST(StringUtilities, StripXmlCutsByTagLengthsAlone)
{
    clsStringUtilities strings;
    EXPECT_EQ(strings.StripXML("EventCaption", "<EventCaption>Hello</EventCaption>"), "Hello");
    EXPECT_EQ(strings.PellowString(), "EventCaption");
    EXPECT_EQ(strings.StripXML("EventCaption", "[EventCaptiom]Hello{/EventCaptiox}"), "Hello");
    EXPECT_EQ(strings.StripXML("Top", "<Top></Top>"), "");
    for (const QString& tooShort : {QString(), QStringLiteral("<Top></Top"), QStringLiteral("abc")}) {
        try {
            strings.StripXML("Top", tooShort);
            ADD_FAILURE() << "no error for " << tooShort.toStdString();
        } catch (const platform::VbError& error) {
            EXPECT_EQ(error.number, 5);
        }
    }
}

TEST(StringUtilities, TagAndQuoteAndBuffer)
{
    clsStringUtilities strings;
    const TextCase tags[] = {{"<Top>1200</Top>", "<Top>"}, {"<Top", "<Top"}, {" <Top>", ""}, {"", ""}};
    for (const TextCase& c : tags) {
        EXPECT_EQ(strings.sGetTag(c.input), c.expected) << c.input.toStdString();
        EXPECT_EQ(strings.PellowString(), c.input);
    }
    const TextCase unquoted[] = {
        {"\"\"", ""}, {"  \"a,b\"  ", "a,b"}, {" \"abc ", "\"abc"}, {"\"", ""}, {"\tx\t", "\tx\t"}, {"", ""},
    };
    for (const TextCase& c : unquoted)
        EXPECT_EQ(strings.UnQuoteString(c.input), c.expected) << c.input.toStdString();
    const TextCase buffers[] = {{QString("abc") + QChar(0) + "def", "abc"}, {"abc", "abc"}, {QString(QChar(0)), ""}};
    for (const TextCase& c : buffers)
        EXPECT_EQ(strings.StringFromBuffer(c.input), c.expected);
}

TEST(StringUtilities, LineAndSlashCounts)
{
    struct Case {
        QString text;
        int lines;
    };
    const Case cases[] = {
        {"", 1}, {"a", 1}, {"a\r\n", 2}, {"a\r\nb\r\nc", 3}, {"\r\r\n\n", 2}, {"a\nb\rc", 1}, {"\r\n\r\n", 3},
    };
    clsStringUtilities strings;
    for (const Case& c : cases) {
        EXPECT_EQ(strings.CountCRLF(c.text), c.lines) << c.text.toStdString();
        EXPECT_EQ(strings.PellowString(), c.text);
    }
    EXPECT_EQ(strings.iSlashCount("C:\\a\\b"), 2);
    EXPECT_EQ(strings.iSlashCount("C:/a/b"), 0);
}

TEST(StringUtilities, StripTokenPassesAndWritesBack)
{
    const TextCase cases[] = {
        {"abc...", "abc.."},     // leads with a letter: one pass, one trailing non-letter
        {"...abc...", "abc"},    // three passes, each one off both ends
        {"12 Event!!!!", "Event"},  // four passes, the last one led by a letter
        {"(x)", "x"},
        {"!!!", ""},
        {"", ""},
        {"Z", "Z"},
        {"`a{", "a"},
        {QString::fromUtf8("\xC3\xA9t\xC3\xA9"), QString::fromUtf8("t")},  // é is code 233
        {QString::fromUtf8("\xE2\x98\x85x\xE2\x98\x85"), "x"},  // the code page lacks the star: "?"
    };
    clsStringUtilities strings;
    for (const TextCase& c : cases) {
        QString text = c.input;
        EXPECT_EQ(strings.sStripToken(text), c.expected) << c.input.toStdString();
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(strings.PellowString(), c.input);
    }
}

TEST(StringUtilities, AscAndChrConversions)
{
    clsStringUtilities strings;
    EXPECT_EQ(strings.ConvertToAsc("AB"), "6566");
    EXPECT_EQ(strings.ConvertToAsc(QString::fromUtf8("\xE2\x82\xAC a")), "1283297");  // euro is 128 in 1252
    EXPECT_EQ(strings.ConvertToAsc(QString::fromUtf8("\xE2\x98\x85")), "63");  // not in 1252: "?"
    EXPECT_EQ(strings.ConvertToAsc(""), "");
    EXPECT_EQ(strings.PellowString(), "");
    const QString chars = strings.ConvertToChr("6566");
    ASSERT_EQ(chars.size(), 4);
    EXPECT_EQ(chars.at(0).unicode(), 6);
    EXPECT_EQ(chars.at(3).unicode(), 6);
    EXPECT_EQ(strings.ConvertToChr("09"), QString(QChar(0)) + QChar(9));
    for (const QString& bad : {QStringLiteral("1a"), QStringLiteral(" "), QStringLiteral("-1")}) {
        try {
            strings.ConvertToChr(bad);
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const platform::VbError& error) {
            EXPECT_EQ(error.number, 13);
        }
    }
}

TEST(StringUtilities, SettingsUseTheirApplicationNames)
{
    TestServices services;
    clsStringUtilities strings;
    EXPECT_EQ(strings.GetIniString("Settings", "Never", "fallback"), "fallback");
    EXPECT_EQ(strings.PellowString(), "fallback");

    strings.PutIniString("Settings", "LastOpenTemplate", "C:\\x\\Demo.MVL");
    EXPECT_EQ(strings.PellowString(), "C:\\x\\Demo.MVL");
    EXPECT_EQ(services.settings().get(ProgramTexts::kSettingsApplication, "Settings", "LastOpenTemplate"), "C:\\x\\Demo.MVL");
    EXPECT_EQ(strings.GetIniString("settings", "lastopentemplate", ""), "C:\\x\\Demo.MVL");

    // The delete works under the other application, so the value written above stays.
    strings.DeleteIniString("Settings", "LastOpenTemplate", "gone");
    strings.DeleteIniString("Settings", "NeverStored", "gone");
    EXPECT_EQ(strings.PellowString(), "gone");
    EXPECT_EQ(strings.GetIniString("Settings", "LastOpenTemplate", ""), "C:\\x\\Demo.MVL");
    EXPECT_FALSE(services.settings().contains(ProgramTexts::kDeletedSettingsApplication, "Settings", "LastOpenTemplate"));
    EXPECT_FALSE(services.settings().contains(ProgramTexts::kDeletedSettingsApplication, "Settings", "NeverStored"));
    EXPECT_EQ(services.settings().count(), 1);
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

// A settings store that cannot be written: the write's error reaches the caller of
// PutIniString, and DeleteIniString shows it and goes on.
TEST(StringUtilities, SettingsErrorsAreNotSwallowed)
{
    TestServices services;
    TempFolder temp;
    temp.write("plain-file", "x");
    platform::IniSettingsStore unwritable(temp.nativePath("plain-file/config"));
    platform::services().settings = &unwritable;
    clsStringUtilities strings;
    try {
        strings.PutIniString("Settings", "AppPath", "C:\\Vantrel");
        ADD_FAILURE() << "no error";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 75);
    }
    EXPECT_EQ(strings.PellowString(), "C:\\Vantrel");
    EXPECT_TRUE(services.ui().msgBoxes.empty());

    strings.DeleteIniString("Settings", "AppPath", "gone");
    ASSERT_EQ(services.ui().prompts().size(), 1);
    EXPECT_TRUE(services.ui().prompts().front().startsWith("75\r\n" + platform::vbErrorDescription(75) + ": "
                                                           + temp.nativePath("plain-file/config/")));
}

} // namespace
