#include "platform/DesktopShell.h"
#include "support/TestServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A program that writes its working folder and arguments into `report`.
QString writeReportingProgram(const TempFolder& folder, const QString& name, const QString& report)
{
    const QString path = folder.write(name, QStringLiteral("#!/bin/sh\n{ pwd; echo \"$@\"; } > '%1.tmp'\n"
                                                           "mv '%1.tmp' '%1'\n")
                                                .arg(report)
                                                .toUtf8());
    QFile::setPermissions(folder.nativePath(name), QFile::permissions(folder.nativePath(name)) | QFileDevice::ExeOwner);
    return path;
}

QString waitForReport(const QString& report)
{
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(report) && clock.elapsed() < 10000)
        QThread::msleep(20);
    QFile file(report);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ProgramStart, RunsTheProgramInTheGivenWorkingFolder)
{
    TempFolder folder;
    const QString work = folder.makeFolder("work folder");
    const QString report = folder.nativePath("report");
    const QString program = writeReportingProgram(folder, "bin\\Main Program.exe", report);

    platform::DesktopShell shell;
    QString whyNot;
    ASSERT_TRUE(shell.startProgram(program, {"a b"}, 1, &whyNot, work)) << whyNot.toStdString();
    const QString expectedFolder = QDir(folder.nativePath("work folder")).canonicalPath();
    EXPECT_EQ(waitForReport(report), expectedFolder + "\na b\n");
}

TEST(ProgramStart, WithoutAWorkingFolderTheProgramKeepsThisProcesssFolder)
{
    TempFolder folder;
    const QString report = folder.nativePath("report");
    const QString program = writeReportingProgram(folder, "prog", report);
    platform::DesktopShell shell;
    ASSERT_TRUE(shell.startProgram(program, {}, 1));
    EXPECT_EQ(waitForReport(report), QDir::current().canonicalPath() + "\n\n");
}

TEST(ProgramStart, AMissingWorkingFolderIsAFailureWithAReason)
{
    TempFolder folder;
    const QString program = writeReportingProgram(folder, "prog", folder.nativePath("report"));
    platform::DesktopShell shell;
    QString whyNot;
    EXPECT_FALSE(shell.startProgram(program, {}, 1, &whyNot, folder.internalPath("no such folder")));
    EXPECT_FALSE(whyNot.isEmpty());
    QThread::msleep(200);
    EXPECT_FALSE(QFileInfo::exists(folder.nativePath("report")));
}

TEST(ProgramStart, AFileThatCannotRunIsRefusedWithTheSystemsReason)
{
    TempFolder folder;
    struct Case {
        const char* what;
        QByteArray bytes;
        bool executable;
    } const cases[] = {
        {"not executable", "#!/bin/sh\n", false},
        {"not a program", "\x7f" "ELF garbage", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString program = folder.write("Main.exe", c.bytes);
        QFile::setPermissions(folder.nativePath("Main.exe"), c.executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                          : QFile::ReadOwner | QFile::WriteOwner);
        platform::DesktopShell shell;
        QString whyNot;
        EXPECT_FALSE(shell.startProgram(program, {}, 1, &whyNot));
        EXPECT_TRUE(whyNot.contains(folder.nativePath("Main.exe"))) << whyNot.toStdString();
        // The system's reason follows; the words "could not be started" come once.
        EXPECT_TRUE(whyNot.contains(QRegularExpression("could not be started: \\S"))) << whyNot.toStdString();
        EXPECT_EQ(whyNot.count("start"), 1) << whyNot.toStdString();
    }
}

} // namespace
