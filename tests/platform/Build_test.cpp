#include <QApplication>
#include <gtest/gtest.h>

TEST(Build, TestProcessRunsOffscreenWithItsOwnConfigFolder)
{
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    EXPECT_FALSE(qgetenv("XDG_CONFIG_HOME").isEmpty());
}
