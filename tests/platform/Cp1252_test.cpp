#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = platform::fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(platform::toCp1252(text), all);
    for (int i = 0; i < 256; ++i) {
        if (i < 0x80 || i >= 0xA0) {
            EXPECT_EQ(text[i].unicode(), i) << i;
        }
    }
}

TEST(Cp1252, HighControlRangeUsesTheCodePageTable)
{
    struct Case {
        unsigned char byte;
        char16_t character;
    };
    const Case cases[] = {{0x80, 0x20AC}, {0x82, 0x201A}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x91, 0x2018},
                          {0x93, 0x201C}, {0x96, 0x2013}, {0x99, 0x2122}, {0x9F, 0x0178}, {0x81, 0x0081},
                          {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}};
    for (const Case& c : cases) {
        EXPECT_EQ(platform::fromCp1252(QByteArray(1, char(c.byte))), QString(QChar(c.character))) << int(c.byte);
        EXPECT_EQ(platform::toCp1252(QString(QChar(c.character))), QByteArray(1, char(c.byte))) << int(c.byte);
    }
}

TEST(Cp1252, UnmappableCharactersBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(platform::toCp1252(QString::fromUtf8("a\u0100b\u4e2dc")), "a?b?c");
    EXPECT_EQ(platform::toCp1252(QString::fromUtf8("x\U0001F600y")), "x?y"); // one character, two code units
    EXPECT_EQ(platform::toCp1252(QString::fromUtf8("\u20ac5 \u00e9t\u00e9")), "\x80" "5 \xe9t\xe9");
}

} // namespace
