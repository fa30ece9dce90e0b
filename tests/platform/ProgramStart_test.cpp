#include "platform/DesktopShell.h"
#include "support/TestServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

} // namespace
