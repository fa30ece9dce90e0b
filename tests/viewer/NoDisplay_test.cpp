#include "support/TestServices.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

// Both programs, started where no window system can be reached: a clear line and status 1,
// never the abort of Qt's platform start.
TEST(ProgramsWithoutADisplay, SayTheyCannotOpenTheDisplayAndEndWithStatusOne)
{
    struct Case {
        const char* name;
        const char* platform; // QT_QPA_PLATFORM; empty: not set
        const char* display;  // DISPLAY; empty: not set
        const char* named;    // the display the line names
    } const cases[] = {
        {"no display", "", "", "(none)"},
        {"X without a display", "xcb", "", "(none)"},
        {"a display that is not there", "xcb", ":97", ":97"},
        {"Wayland without a compositor", "wayland", "", "wayland-0"},
        {"Wayland, then X, neither there", "wayland;xcb", ":97", "wayland-0"},
    };
    TempFolder folder;
    for (const char* program : {"vantrel-viewer", "vantrel-saver"}) {
        const QString executable = QStringLiteral(VANTREL_BIN_DIR "/") + program;
        ASSERT_TRUE(QFileInfo::exists(executable)) << executable.toStdString();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(program) + ": " + c.name);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
                env.remove(name);
            if (*c.platform)
                env.insert("QT_QPA_PLATFORM", c.platform);
            if (*c.display)
                env.insert("DISPLAY", c.display);
            env.insert("XDG_RUNTIME_DIR", folder.native());
            env.insert("XDG_CONFIG_HOME", folder.nativePath("config"));
            QProcess process;
            process.setProcessEnvironment(env);
            process.start(executable, {"/s"});
            ASSERT_TRUE(process.waitForFinished(20000));
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process.exitCode(), 1);
            EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()),
                      QStringLiteral("%1: cannot open display %2\n").arg(program, c.named));
            EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
        }
    }
}

} // namespace
