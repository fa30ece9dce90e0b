#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;

// The only code that touches the disk. Every path argument is an internal path ("\" or "/"
// joined); when the exact path does not exist, each component is looked up without regard to
// case. Every failure raises platform::VbError with VB's number and description. A name may hold
// every character a Linux name can except NUL; "*" and "?" only as a pattern, in the last
// component given to dir(), and 52 everywhere else.
namespace platform::fs {

// File attributes with VB's values.
namespace attr {
constexpr int Normal = 0;
constexpr int ReadOnly = 1;
constexpr int Hidden = 2;
constexpr int System = 4;
constexpr int Volume = 8;
constexpr int Directory = 16;
constexpr int Archive = 32;
} // namespace attr

// "\" and "/" both become "/"; nothing is looked up.
QString toNative(const QString& internalPath);
// "/" becomes "\".
QString toInternal(const QString& nativePath);
// The native path of an existing entry, found component by component without regard to case
// where the exact name does not exist. Components that exist nowhere keep the case given, so
// the result also names a new file to create.
QString resolve(const QString& internalPath); // "." and ".." are removed lexically

bool exists(const QString& path);
bool isDirectory(const QString& path);
bool isFile(const QString& path);
// The hidden flag lives in the extended attribute user.DOSATTRIB; a file system without
// extended attributes reports "not hidden".
bool isHidden(const QString& path);
void setHidden(const QString& path, bool hidden);
// The programs' own mark on a file they wrote (AtomicFile::setOwnMark), so that a later run of
// either program can tell that file from a user's. It lives in the extended attribute
// user.vantrel.mark of the entry itself, never of what a link points to. Empty when the entry
// has no mark, is missing, or lies on a file system without extended attributes.
QByteArray ownMark(const QString& path);
// VB GetAttr: 53 when missing.
int attributes(const QString& path);
// VB FileLen: 53 when missing.
qint64 fileLength(const QString& path);

// VB Dir semantics: the names (no folder) of the entries of the pattern's folder that match its
// last component (* and ?, without case; "*.*" matches every name) and whose hidden, system and
// folder attributes are all in attributeMask. An empty last component means "*". No wildcard:
// at most the one entry of that name. A missing folder gives an empty list; a bad name, 52.
QStringList dir(const QString& pattern, int attributeMask = attr::Normal);
// Whether name matches a Dir pattern (one component).
bool matchesPattern(const QString& name, const QString& pattern);

// VB MkDir: 75 when the entry exists, 76 when the parent folder is missing.
void makeDir(const QString& path);
// Deletes the one plain file named: 52 for a name holding "*" or "?", 53 when missing or a folder.
void removeFile(const QString& path);
// VB RmDir: 76 missing, 75 not empty.
void removeDir(const QString& path);
// VB FileCopy: 53 missing source, 76 missing target folder, 70/75 cannot write.
void copyFile(const QString& from, const QString& to);
// VB Name ... As: 53 missing source, 58 target exists (a change of case alone is allowed).
void rename(const QString& from, const QString& to);

// The names of the entries of `folderNative` that equal `name` letter case aside (`name` itself
// among them when it is there): every entry a lookup of `name` without regard to case may find.
QStringList namesAlike(const QString& folderNative, const QString& name);
// Moves the entry `fromNative` to exactly `toNative`, replacing a file there; a name that
// differs only in letter case is another entry and stays. 53 missing source, 58 a folder there,
// 70 no right.
void renameExactly(const QString& fromNative, const QString& toNative);

QByteArray readAll(const QString& path);
// Creates or empties the file, then writes the bytes.
void writeAll(const QString& path, const QByteArray& bytes);
void appendAll(const QString& path, const QByteArray& bytes);
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
class AtomicFile : public QIODevice {
public:
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isSequential() const override { return true; }
    // Native paths of the file being replaced and of the temporary file.
    QString targetPath() const { return target_; }
    QString temporaryPath() const { return temporary_; }
    // VB's number for the last failed write: 61 for a full disk or quota, else 57.
    int failureNumber() const;
    // The commit sets the mark (ownMark, at most 256 bytes) on the new file before it takes the
    // target's place, so the target is never the new file without it. Where the mark cannot be
    // kept the commit raises 75 naming the target (61 for a full disk) and leaves the target as
    // it was.
    void setOwnMark(const QByteArray& mark) { ownMark_ = mark; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    AtomicFile(QString target, QString temporary, int descriptor);
    bool flushBuffer();
    void discard();

    friend std::unique_ptr<AtomicFile> openAtomic(const QString& path, LinkPolicy policy);
    friend void commitAtomic(AtomicFile& file);

    QString target_;
    QString temporary_;
    int descriptor_ = -1;
    int failedErrno_ = 0;
    QByteArray buffer_;
    QByteArray ownMark_;
};

// Replaces the file whole or not at all (AtomicFile, LinkPolicy::ReplaceEntry); with an
// `ownMark`, the new file bears the programs' own mark (AtomicFile::setOwnMark).
void writeAtomic(const QString& path, const QByteArray& bytes, const QByteArray& ownMark = {});

// Open files for the binary readers and writers; the same errors as above.
std::unique_ptr<QFile> openForRead(const QString& path);
std::unique_ptr<QFile> openForWrite(const QString& path); // created or emptied
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

// Copies exactly count bytes from one device to the other in chunks; 62 when the input ends
// early, 61 when the output cannot take them.
void copyBytes(QIODevice& from, QIODevice& to, qint64 count);
// Reads exactly count bytes; 62 when fewer are there.
QByteArray readExactly(QIODevice& from, qint64 count);
// Writes all bytes; 61 when they do not all go.
void writeBytes(QIODevice& to, const QByteArray& bytes);

// Whether a native path, taken exactly as it stands (no "\" for "/", no other case, no
// pattern), names an entry; a link counts as one even when its target is missing.
bool nativeEntryExists(const QString& nativePath);
// Why an existing native path cannot be taken into the program, whose own paths join folders
// with "\\": a message naming the file, or nothing when it can be taken.
QString whyNativePathCannotBeTaken(const QString& nativePath);

// The native folder of the running executable as the system names it. Unlike Qt's own answer,
// it is there also when its name is not UTF-8 text, and then names nothing (each byte that
// cannot be read decoded as U+FFFD): whyNativePathCannotBeTaken says so.
QString executableFolder();

// The process's current folder as an internal path.
QString currentFolder();

} // namespace platform::fs
