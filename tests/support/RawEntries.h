#pragma once

#include <QByteArray>

#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Files and folders whose names on disk hold bytes that need not be UTF-8 text. A temporary
// folder cannot remove them by their decoded names, so they are removed here, the last made
// first.
class RawEntries {
public:
    RawEntries() = default;
    RawEntries(const RawEntries&) = delete;
    RawEntries& operator=(const RawEntries&) = delete;
    ~RawEntries()
    {
        for (auto entry = m_made.rbegin(); entry != m_made.rend(); ++entry)
            ::remove(entry->constData());
    }

    bool makeFolder(const QByteArray& nativePath)
    {
        if (::mkdir(nativePath.constData(), 0755) != 0)
            return false;
        m_made.push_back(nativePath);
        return true;
    }
    bool makeFile(const QByteArray& nativePath, const QByteArray& bytes = {})
    {
        const int descriptor = ::open(nativePath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (descriptor < 0)
            return false;
        m_made.push_back(nativePath);
        const bool written = ::write(descriptor, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
        return ::close(descriptor) == 0 && written;
    }
    // Takes over an entry made some other way (a copy), to remove it with the others.
    void adopt(const QByteArray& nativePath) { m_made.push_back(nativePath); }

private:
    std::vector<QByteArray> m_made;
};
