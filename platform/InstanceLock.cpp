#include "platform/InstanceLock.h"

#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace platform::fs {

namespace {

// True when the lock file's holder, as the file names it, still runs.
bool holderRuns(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return false;
    if (host != QSysInfo::machineHostName())
        return true;
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

InstanceLock::InstanceLock(std::unique_ptr<QLockFile> lock) : lock_(std::move(lock))
{
}

InstanceLock::~InstanceLock() = default;

std::unique_ptr<InstanceLock> lockInstanceAt(const QString& nativePath, bool& failed)
{
    auto lock = std::make_unique<QLockFile>(nativePath);
    lock->setStaleLockTime(0);
    failed = false;
    if (lock->tryLock(0))
        return std::unique_ptr<InstanceLock>(new InstanceLock(std::move(lock)));
    failed = lock->error() != QLockFile::LockFailedError || !holderRuns(*lock);
    return nullptr;
}

} // namespace platform::fs
