#include "support/TestServices.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The real viewer started with a settings folder that cannot exist (it would lie under a regular
// file): the start cannot store the program folder, and says so in a message box instead of
// aborting the process.
TEST(ViewerSettingsFailure, AnUnwritableSettingsStoreIsReportedNotACrash)
{
    const QString executable = QStringLiteral(VANTREL_BIN_DIR "/vantrel-viewer");
    if (!QFileInfo::exists(executable))
        GTEST_SKIP() << "vantrel-viewer is not built";
    TempFolder home;
    home.makeFolder(QStringLiteral("Vantrel"));
    const QString copy = home.nativePath(QStringLiteral("Vantrel/vantrel-viewer"));
    ASSERT_TRUE(QFile::copy(executable, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    home.write(QStringLiteral("plain-file"), "x");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.nativePath(QStringLiteral("plain-file/config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.nativePath(QStringLiteral("data")));
    QProcess viewer;
    viewer.setProcessEnvironment(environment);
    viewer.setProcessChannelMode(QProcess::MergedChannels);
    viewer.start(copy, {});
    ASSERT_TRUE(viewer.waitForStarted(10000));

    // Every message box is also written as one line; the box itself waits for a click.
    const QByteArray expected = "75 | Path/File access error";
    QByteArray output;
    const QDeadlineTimer deadline(20000);
    while (!output.contains(expected) && viewer.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        viewer.waitForReadyRead(100);
        output += viewer.readAll();
    }
    output += viewer.readAll();
    const bool stillRunning = viewer.state() != QProcess::NotRunning;
    viewer.kill();
    viewer.waitForFinished(5000);
    EXPECT_TRUE(output.contains(expected)) << output.toStdString();
    EXPECT_TRUE(stillRunning || viewer.exitStatus() == QProcess::NormalExit) << output.toStdString();
}

} // namespace
