#pragma once

#include "support/WaitUntil.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

// The environment of a program under test: Qt's offscreen platform, or X on `display` when one
// is given.
inline QProcessEnvironment programEnvironment(const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
    if (!display.isEmpty())
        env.insert("DISPLAY", display);
    return env;
}

// An X server of the test's own, 1024 x 768, so that a window manager started on it disturbs no
// other test; with `windowManager`, openbox manages its windows. The programs under test are
// started by the test on `display`; xdotool and xwininfo look at them and type into them.
class OwnXServer {
public:
    explicit OwnXServer(bool windowManager)
    {
        // -noreset: between two inputs no client may be left, and a server that resets then closes
        // the connection of a program that is just starting.
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
        if (!server.waitForStarted(10000) || !waitUntil([this] { return server.canReadLine(); }, 20000))
            return;
        display = QStringLiteral(":") + QString::fromLatin1(server.readLine()).trimmed();
        if (!windowManager)
            return;
        manager.setProcessEnvironment(programEnvironment(display));
        manager.start("openbox", {"--sm-disable"});
        // openbox announces itself on the root window once it manages the screen.
        managing = manager.waitForStarted(10000)
            && waitUntil([this] { return run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); },
                       20000);
    }
    ~OwnXServer()
    {
        for (QProcess* process : {&manager, &server}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
        }
    }
    OwnXServer(const OwnXServer&) = delete;
    OwnXServer& operator=(const OwnXServer&) = delete;

    // Runs a program on this display to its end; its output.
    QString run(const QStringList& command) const
    {
        QProcess tool;
        tool.setProcessEnvironment(programEnvironment(display));
        tool.start(command.front(), command.mid(1));
        tool.waitForFinished(10000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput());
    }

    // The visible windows of process `pid` whose title matches `title` (a regular expression),
    // newest last; all of its visible windows for an empty title.
    QStringList windowsOf(qint64 pid, const QString& title = {}) const
    {
        QStringList command{"xdotool", "search", "--all", "--onlyvisible", "--pid", QString::number(pid)};
        if (!title.isEmpty())
            command << "--name" << title;
        return run(command).split('\n', Qt::SkipEmptyParts);
    }
    // The inside of a window on the screen, as the X server has it.
    QRect clientGeometry(const QString& window) const
    {
        const QString info = run({"xwininfo", "-id", window});
        const auto number = [&info](const char* label) {
            const QRegularExpression pattern(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
            return pattern.match(info).captured(1).toInt();
        };
        return QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
                     number("Height"));
    }
    // The managed (or, without a window manager, the top-level) windows from the bottom of the
    // stack to its top, as decimal ids like xdotool's.
    QStringList stackingBottomToTop() const
    {
        QStringList ids;
        const QString listing = managing ? run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"})
                                         : run({"xwininfo", "-root", "-children"});
        const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
        for (auto it = hex.globalMatch(listing); it.hasNext();)
            ids << QString::number(it.next().captured(0).mid(2).toULongLong(nullptr, 16));
        if (!managing)
            ids.removeFirst(); // the root window itself
        // xwininfo lists the children from the top down.
        if (!managing)
            std::reverse(ids.begin(), ids.end());
        return ids;
    }
    QString windowName(const QString& window) const { return run({"xdotool", "getwindowname", window}).trimmed(); }
    QString focusedWindow() const { return run({"xdotool", "getwindowfocus"}).trimmed(); }
    // xdotool with `arguments` ("key", "alt+a"); its output, trimmed.
    QString xdotool(const QStringList& arguments) const { return run(QStringList{"xdotool"} + arguments).trimmed(); }

    QString display;
    bool managing = false;

private:
    QProcess server;
    QProcess manager;
};
