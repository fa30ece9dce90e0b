#include "foundation/ScrambledLineReader.h"
#include "foundation/modDecryption.h"
#include "platform/Cp1252.h"
#include "platform/VbError.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> codes)
{
    QByteArray result;
    for (int code : codes)
        result.append(static_cast<char>(code));
    return result;
}

TEST(Decryption, EveryCodeScramblesToTheNextAndBack)
{
    QByteArray all;
    for (int code = 0; code < 256; ++code)
        all.append(static_cast<char>(code));
    const QByteArray scrambled = modDecryption::ScrambleLine(all);
    ASSERT_EQ(scrambled.size(), 256);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(static_cast<unsigned char>(scrambled.at(code)), (code + 1) % 256) << code;
    EXPECT_EQ(modDecryption::UnscrambleLine(scrambled), all);
}

TEST(Decryption, TextLineGoesThroughItsCodePageBytes)
{
    QString line = QStringLiteral("<Form>");
    const QString scrambled = modDecryption::ScrambleLine(line);
    EXPECT_EQ(platform::toCp1252(scrambled), bytes({61, 71, 112, 115, 110, 63}));
    EXPECT_EQ(modDecryption::UnscrambleLine(scrambled), line);

    // Every byte value survives the text round trip, the code page's gaps and 255 included.
    QByteArray all;
    for (int code = 0; code < 256; ++code)
        all.append(static_cast<char>(code));
    const QString text = platform::fromCp1252(all);
    EXPECT_EQ(platform::toCp1252(modDecryption::ScrambleLine(text)), modDecryption::ScrambleLine(all));
    EXPECT_EQ(modDecryption::UnscrambleLine(modDecryption::ScrambleLine(text)), text);
    EXPECT_EQ(modDecryption::ScrambleLine(QString()), QString());
    EXPECT_EQ(modDecryption::UnscrambleLine(QString()), QString());
}

TEST(Decryption, TagOfLineEndsAtFirstClosingBracket)
{
    struct Case {
        const char* line;
        const char* tag;
    };
    const Case cases[] = {
        {"<Top>1200</Top>", "<Top>"},
        {"no tag here", ""},
        {">x<y>", ">"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modDecryption::TagOfLine(QString::fromLatin1(c.line)), QString::fromLatin1(c.tag)) << c.line;
        EXPECT_EQ(modDecryption::TagOfLine(QByteArray(c.line)), QByteArray(c.tag)) << c.line;
    }
}

// The file holds scrambled lines joined by plain CR LF; a reader splits at every CR, so a line
// that held code 12 comes back as two, while a LF alone stays inside its line.
TEST(Decryption, ReaderSplitsScrambledLinesAtEveryCarriageReturn)
{
    const QByteArray file = modDecryption::ScrambleLine(QByteArray("<Top>1200</Top>")) + "\r\n"
        + modDecryption::ScrambleLine(bytes({'a', 12, 'b'})) + "\r\n"
        + modDecryption::ScrambleLine(bytes({'c', 9, 'd'})) + "\n" + modDecryption::ScrambleLine(QByteArray("e"));
    ScrambledLineReader reader(file);
    QStringList lines;
    while (!reader.atEnd())
        lines << reader.read(false);
    // The tab scrambles to a LF, and the plain LF between the last two lines unscrambles to a tab.
    EXPECT_EQ(lines, QStringList({"<Top>1200</Top>", "a", "b", "c\td\te"}));
    try {
        reader.read();
        ADD_FAILURE() << "no error past the end";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 62);
    }
}

} // namespace
