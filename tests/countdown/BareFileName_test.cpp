#include "countdown/BareFileName.h"

#include <gtest/gtest.h>

TEST(BareFileName, AcceptsNamesInsideTheFolderOnly)
{
    const struct {
        QString name;
        bool bare;
    } cases[] = {
        {"Party.MVK", true},
        {"New Year's Eve (2026).jpg", true},
        {"..hidden", true},
        {"a..b.mp3", true},
        {QString(QChar(0x20AC)) + ".gif", true},
        {"", false},
        {".", false},
        {"..", false},
        {"..\\x.jpg", false},
        {"sub/x.jpg", false},
        {"C:x.jpg", false},
        {"*.mp3", false},
        {"what?.wav", false},
        {QString("a") + QChar(0) + "b", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isBareFileName(c.name), c.bare) << c.name.toStdString();
}
