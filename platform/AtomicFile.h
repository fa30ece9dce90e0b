#pragma once

#include "platform/FileBytes.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace platform::fs {

// What an atomic replace does when the path names a symbolic link.
enum class LinkPolicy {
    // The directory entry itself is replaced by the new file; the link's target is never written.
    ReplaceEntry,
    // The file the link chain ends at is replaced and the link stays: only for a path the user
    // chose, such as a package opened through a link of the user's own.
    FollowUsersLink,
};

// A file replaced whole or not at all. The bytes go to a temporary file of the programs' own
// name in the target's folder, locked for as long as it is written; commitAtomic() moves it over
// the target. Dropped without a commit, the temporary file goes and the target stays as it was.
class AtomicFile : public WriteFile {
public:
    ~AtomicFile() override;

    // Native paths of the file being replaced and of the temporary file.
    QString targetPath() const { return target_; }
    QString temporaryPath() const { return temporary_; }
    // The commit sets the mark (ownMark, at most 256 bytes) on the new file before it takes the
    // target's place, so the target is never the new file without it. Where the mark cannot be
    // kept the commit raises 75 naming the target (61 for a full disk) and leaves the target as
    // it was.
    void setOwnMark(const QByteArray& mark) { ownMark_ = mark; }

protected:
    // Gathers the bytes into chunks: small writes reach the system in whole chunks.
    qint64 writeData(const char* data, qint64 size) override;

private:
    AtomicFile(QString target, QString temporary, int descriptor);
    bool flushBuffer();
    void discard();

    friend std::unique_ptr<AtomicFile> openAtomic(const QString& path, LinkPolicy policy);
    friend void commitAtomic(AtomicFile& file);

    QString target_;
    QString temporary_;
    QByteArray buffer_;
    QByteArray ownMark_;
};

// Replaces the file whole or not at all (AtomicFile, LinkPolicy::ReplaceEntry); with an
// `ownMark`, the new file bears the programs' own mark (AtomicFile::setOwnMark).
void writeAtomic(const QString& path, const QByteArray& bytes, const QByteArray& ownMark = {});

// Opens the temporary file of an atomic replace of `path`.
std::unique_ptr<AtomicFile> openAtomic(const QString& path, LinkPolicy policy = LinkPolicy::ReplaceEntry);
// Commits an atomic file; 61/57 when the bytes did not all reach the disk. The new file keeps
// the replaced file's permissions and hidden flag.
void commitAtomic(AtomicFile& file);

// Whether a name (no folder) is one the atomic writer gives its temporary files.
bool isAtomicTemporaryName(const QString& name);
// Removes from a folder the temporary files of atomic writes that were interrupted: only files
// of the writer's own names that no running process holds. A missing folder, or a leftover that
// cannot be removed, is passed over: the next start tries again.
void removeInterruptedWrites(const QString& folder);

} // namespace platform::fs
