#pragma once

#include <QByteArray>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

// Real processes for the tests that need another process's view of the disk: a writer that is
// killed, a user without the rights of the test, a disk that fills up.

// Runs body (returning an exit code) in a forked child and gives the child's exit code, or -1
// when it did not exit by itself.
template <typename Body>
int exitCodeOfChild(Body body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 100;
        try {
            code = body();
        } catch (...) {
            code = 101;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace forked {

// Exit code of a child that could not set up what the test needs: the test is skipped.
constexpr int kCannotSetUp = 77;

inline bool writeText(const char* path, const std::string& text)
{
    const int descriptor = ::open(path, O_WRONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool written = ::write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(descriptor);
    return written;
}

// In a child: the process becomes a user without rights over the test's files (an unmapped
// user of a new user namespace when it runs as root), so permissions apply to it.
inline bool dropRights()
{
    return ::geteuid() != 0 || ::unshare(CLONE_NEWUSER) == 0;
}

// In a child: the process gets mounts of its own, which no other process sees.
inline bool enterPrivateMounts()
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeText("/proc/self/setgroups", "deny");
    if (!writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return false;
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// In a child: a private tmpfs of `bytes` mounted on an existing folder, seen by this process only.
inline bool mountSmallDisk(const QByteArray& folder, int bytes)
{
    if (!enterPrivateMounts())
        return false;
    const std::string size = "size=" + std::to_string(bytes);
    return ::mount("tmpfs", folder.constData(), "tmpfs", 0, size.c_str()) == 0;
}

// In a child: a private file system that keeps no extended attributes (a ramfs) mounted on an
// existing folder, seen by this process only.
inline bool mountDiskWithoutAttributes(const QByteArray& folder)
{
    if (!enterPrivateMounts() || ::mount("ramfs", folder.constData(), "ramfs", 0, nullptr) != 0)
        return false;
    // Only a file system that really refuses the attribute will do.
    const QByteArray probe = folder + "/.probe";
    const int descriptor = ::open(probe.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return false;
    const bool refused = ::fsetxattr(descriptor, "user.probe", "1", 1, 0) != 0 && errno == ENOTSUP;
    ::close(descriptor);
    ::unlink(probe.constData());
    return refused;
}

} // namespace forked
