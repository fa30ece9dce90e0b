#include "platform/UnheldLeftovers.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace detail {

std::vector<QByteArray> entriesOf(int folderDescriptor)
{
    std::vector<QByteArray> names;
    const int scanDescriptor = ::dup(folderDescriptor);
    if (scanDescriptor < 0)
        return names;
    DIR* folder = ::fdopendir(scanDescriptor);
    if (!folder) {
        ::close(scanDescriptor);
        return names;
    }
    ::rewinddir(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(folder);
    return names;
}

void removeEntries(int folderDescriptor)
{
    for (const QByteArray& name : entriesOf(folderDescriptor))
        ::unlinkat(folderDescriptor, name.constData(), 0);
}

} // namespace detail

using namespace detail;

namespace {

bool holdsOnlyPlainEntries(int folderDescriptor)
{
    for (const QByteArray& name : entriesOf(folderDescriptor)) {
        struct stat entry {};
        if (::fstatat(folderDescriptor, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(entry.st_mode))
            return false;
    }
    return true;
}

// Asked before the lock is tried: another user's folder is never locked, not even briefly.
bool isOfKind(const struct stat& opened, LeftoverKind kind)
{
    if (kind == LeftoverKind::File)
        return S_ISREG(opened.st_mode);
    return S_ISDIR(opened.st_mode) && opened.st_uid == ::geteuid();
}

// Whether the name in the parent still is the entry that was opened: its maker, or another
// cleaner, may have removed it and made another of that name since.
bool stillNamed(int parent, const QByteArray& name, const struct stat& opened)
{
    struct stat named {};
    return ::fstatat(parent, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// The lock is kept while the entry is removed, so no process takes it up in between.
void removeWhenUnheld(int parent, const QByteArray& name, LeftoverKind kind)
{
    const int flags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | (kind == LeftoverKind::Folder ? O_DIRECTORY : 0);
    const int descriptor = ::openat(parent, name.constData(), flags);
    if (descriptor < 0)
        return;
    struct stat opened {};
    if (::fstat(descriptor, &opened) == 0 && isOfKind(opened, kind) && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
        (kind == LeftoverKind::File || holdsOnlyPlainEntries(descriptor)) && stillNamed(parent, name, opened)) {
        if (kind == LeftoverKind::Folder)
            removeEntries(descriptor);
        ::unlinkat(parent, name.constData(), kind == LeftoverKind::Folder ? AT_REMOVEDIR : 0);
    }
    ::close(descriptor);
}

} // namespace

void removeUnheldLeftovers(const QString& folderNative, LeftoverKind kind,
                           const std::function<bool(const QString& name)>& isOwnName)
{
    const int parent = ::open(QFile::encodeName(folderNative).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return;
    for (const QByteArray& name : entriesOf(parent)) {
        if (isOwnName(QFile::decodeName(name)))
            removeWhenUnheld(parent, name, kind);
    }
    ::close(parent);
}

} // namespace platform::fs
