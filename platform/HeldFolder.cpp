#include "platform/HeldFolder.h"

#include "platform/UnheldLeftovers.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

using namespace detail;

namespace {

constexpr int kTriesToMake = 5;

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
    removeUnheldLeftovers(parentNative, LeftoverKind::Folder,
                          [&prefix](const QString& name) { return isOwnName(name, prefix); });
}

} // namespace platform::fs
