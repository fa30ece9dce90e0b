#include "platform/DisplayCheck.h"

#include <QByteArray>
#include <QList>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// The value of the Qt option `name` ("-platform" or "--platform") on the command line; empty
// when it is not given.
QByteArray optionValue(int argc, char** argv, const char* name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--", 2) == 0)
            ++arg;
        if (std::strcmp(arg, name) == 0)
            return QByteArray(argv[i + 1]);
    }
    return {};
}

// The platform list as Qt 6 settles it on Linux.
QByteArray platformList(int argc, char** argv)
{
    if (QByteArray option = optionValue(argc, argv, "-platform"); !option.isEmpty())
        return option;
    if (QByteArray environment = qgetenv("QT_QPA_PLATFORM"); !environment.isEmpty())
        return environment;
    const QByteArray session = qgetenv("XDG_SESSION_TYPE");
    const bool gnome = qgetenv("XDG_CURRENT_DESKTOP").toLower().contains("gnome")
        || qgetenv("XDG_SESSION_DESKTOP").toLower().contains("gnome");
    if (session == "wayland" && !gnome)
        return "wayland;xcb";
    return "xcb";
}

QString xDisplayName(int argc, char** argv)
{
    QByteArray name = optionValue(argc, argv, "-display");
    if (name.isEmpty())
        name = qgetenv("DISPLAY");
    return QString::fromLocal8Bit(name);
}

bool xReachable(const QString& display)
{
    if (display.isEmpty())
        return false;
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached;
}

QString waylandDisplayName()
{
    const QByteArray name = qgetenv("WAYLAND_DISPLAY");
    return name.isEmpty() ? QStringLiteral("wayland-0") : QString::fromLocal8Bit(name);
}

bool waylandReachable(const QString& display)
{
    QByteArray path = display.toLocal8Bit();
    if (!path.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        path = runtime + '/' + path;
    }
    sockaddr_un address {};
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socketFd < 0)
        return false;
    const bool reached = ::connect(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socketFd);
    return reached;
}

} // namespace

QString unreachableDisplay(int argc, char** argv)
{
    QString firstUnreached;
    for (const QByteArray& entry : platformList(argc, argv).split(';')) {
        // "name" or "name:options"
        const QByteArray name = entry.split(':').constFirst().trimmed();
        QString display;
        bool reached = false;
        if (name == "xcb") {
            display = xDisplayName(argc, argv);
            reached = xReachable(display);
        } else if (name.startsWith("wayland")) {
            display = waylandDisplayName();
            reached = waylandReachable(display);
        } else if (!name.isEmpty()) {
            reached = true;
        }
        if (reached)
            return {};
        if (firstUnreached.isEmpty())
            firstUnreached = display.isEmpty() ? QStringLiteral("(none)") : display;
    }
    return firstUnreached.isEmpty() ? QStringLiteral("(none)") : firstUnreached;
}

bool checkDisplay(const char* program, int argc, char** argv)
{
    const QString display = unreachableDisplay(argc, argv);
    if (display.isEmpty())
        return true;
    std::fprintf(stderr, "%s: cannot open display %s\n", program, display.toLocal8Bit().constData());
    return false;
}

} // namespace platform
