#include "countdown/HeldFolder.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTriesToMake = 5;

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

bool holdsOnlyPlainEntries(int folderDescriptor)
{
    for (const QByteArray& name : entriesOf(folderDescriptor)) {
        struct stat entry {};
        if (::fstatat(folderDescriptor, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(entry.st_mode))
            return false;
    }
    return true;
}

void removeEntries(int folderDescriptor)
{
    for (const QByteArray& name : entriesOf(folderDescriptor))
        ::unlinkat(folderDescriptor, name.constData(), 0);
}

bool isOwnName(const QString& name, const QString& prefix)
{
    static const QRegularExpression randomTail(QStringLiteral("^[A-Za-z0-9]{6}$"));
    return name.startsWith(prefix) && randomTail.match(name.mid(prefix.size())).hasMatch();
}

} // namespace

HeldFolder::HeldFolder(const QString& parentNative, const QString& prefix)
{
    for (int attempt = 0; attempt < kTriesToMake; ++attempt) {
        QByteArray path = QFile::encodeName(parentNative + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX"));
        if (!::mkdtemp(path.data()))
            return;
        const int descriptor = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0) {
            ::rmdir(path.constData());
            return;
        }
        // A cleaner that locked the new folder before this process did has removed it by the
        // time the lock is granted; then another name is tried.
        struct stat made {};
        if (::flock(descriptor, LOCK_SH) == 0 && ::fstat(descriptor, &made) == 0 && made.st_nlink > 0) {
            m_descriptor = descriptor;
            m_path = QFile::decodeName(path);
            return;
        }
        ::close(descriptor);
    }
}

HeldFolder::~HeldFolder()
{
    if (!isValid())
        return;
    removeEntries(m_descriptor);
    ::rmdir(QFile::encodeName(m_path).constData());
    ::close(m_descriptor);
}

void HeldFolder::release()
{
    if (isValid())
        ::close(m_descriptor);
    m_descriptor = -1;
    m_path.clear();
}

void removeUnheldFolders(const QString& parentNative, const QString& prefix)
{
    const int parent = ::open(QFile::encodeName(parentNative).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return;
    for (const QByteArray& name : entriesOf(parent)) {
        if (!isOwnName(QFile::decodeName(name), prefix))
            continue;
        const int folder = ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder < 0)
            continue;
        struct stat info {};
        if (::fstat(folder, &info) == 0 && info.st_uid == ::geteuid() && ::flock(folder, LOCK_EX | LOCK_NB) == 0
            && holdsOnlyPlainEntries(folder)) {
            removeEntries(folder);
            ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
        }
        ::close(folder);
    }
    ::close(parent);
}
