#include "platform/VbError.h"

#include <gtest/gtest.h>

namespace {

namespace vberr = platform::vberr;
using platform::VbError;

// Messages show what() where an error escapes and the description everywhere else: both must
// say the same thing, in the same characters.
void expectWhatMatchesDescription(const VbError& error)
{
    EXPECT_EQ(QString::fromUtf8(error.what()), error.description);
}

TEST(VbError, NamedNumbersKeepTheirNumbersAndStandardTexts)
{
    struct Case {
        int name;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {vberr::Overflow, 6, "Overflow"},
        {vberr::OutOfMemory, 7, "Out of memory"},
        {vberr::SubscriptOutOfRange, 9, "Subscript out of range"},
        {vberr::DivisionByZero, 11, "Division by zero"},
        {vberr::BadFileName, 52, "Bad file name or number"},
        {vberr::FileAlreadyExists, 58, "File already exists"},
        {vberr::PermissionDenied, 70, "Permission denied"},
        {vberr::PathFileAccess, 75, "Path/File access error"},
        {vberr::ControlArrayElementMissing, 340, "Control array element doesn't exist"},
        {vberr::InvalidPropertyValue, 380, "Invalid property value"},
        {vberr::ObjectRequired, 424, "Object required"},
        {vberr::InvalidPicture, 481, "Invalid picture"},
        {vberr::IndexOutOfBounds, 35600, "Index out of bounds"},
        {vberr::Unnumbered, 0, "Application-defined or object-defined error"},
        {12345, 12345, "Application-defined or object-defined error"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.name, c.number) << c.text;
        EXPECT_EQ(platform::vbErrorDescription(c.number), QString::fromLatin1(c.text)) << c.number;
        const VbError error(c.number);
        EXPECT_EQ(error.number, c.number);
        EXPECT_EQ(error.description, QString::fromLatin1(c.text)) << c.number;
        EXPECT_TRUE(error.path.isEmpty()) << c.number;
        expectWhatMatchesDescription(error);
    }
}

TEST(VbError, OwnDescriptionIsKeptWhole)
{
    const QString text = QStringLiteral("Control array element '7' doesn't exist");
    const VbError error(vberr::ControlArrayElementMissing, text);
    EXPECT_EQ(error.number, vberr::ControlArrayElementMissing);
    EXPECT_EQ(error.description, text);
    EXPECT_TRUE(error.path.isEmpty());
    expectWhatMatchesDescription(error);
}

TEST(VbError, AboutAFileNamesItsPathInDescriptionAndWhat)
{
    // A path outside ASCII shows that what() carries the same characters, not a lossy copy.
    const QString path = QString::fromUtf8("/tmp/Zo\u00eb's countdowns/Alpha.MVL");
    const VbError error = VbError::about(vberr::PathFileAccess, path);
    EXPECT_EQ(error.number, vberr::PathFileAccess);
    EXPECT_EQ(error.path, path);
    EXPECT_EQ(error.description, QStringLiteral("Path/File access error: ") + path);
    expectWhatMatchesDescription(error);
}

} // namespace
