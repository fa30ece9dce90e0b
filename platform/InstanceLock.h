#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform::fs {

// A lock file that one running process at a time holds, for as long as it lives. A lock is
// stale only when its process is gone, never because of its age: a program may run for hours.
class InstanceLock {
public:
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

private:
    explicit InstanceLock(std::unique_ptr<QLockFile> lock);
    friend std::unique_ptr<InstanceLock> lockInstanceAt(const QString& nativePath, bool& failed);

    std::unique_ptr<QLockFile> lock_;
};

// The lock at `nativePath` for this process; null when another running process holds it.
// `failed` says that no lock can be made there at all (a folder that may not be written, a name
// that is no lock file, a stale lock that cannot be removed), so the caller may look elsewhere.
// A holder on another machine cannot be asked, and counts as running.
std::unique_ptr<InstanceLock> lockInstanceAt(const QString& nativePath, bool& failed);

} // namespace platform::fs
