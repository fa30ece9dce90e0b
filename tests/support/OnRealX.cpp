#include "support/OnRealX.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

const char* const kChildMarker = "VANTREL_REAL_X_CHILD";

} // namespace

bool ranOnRealX()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return false;
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsSet(kChildMarker)) {
        GTEST_MESSAGE_("needs an X display (run under Xvfb)", ::testing::TestPartResult::kSkip);
        return true;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(kChildMarker, "1");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(test.test_suite_name(), test.name())});
    EXPECT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_FALSE(output.contains("[  SKIPPED ]")) << output.toStdString();
    // A filter that matched nothing would pass without running the test.
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
    return true;
}
