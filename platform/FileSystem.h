#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;
class QIODevice;
class QSaveFile;

// The only code that touches the disk. Every path argument is an internal path ("\" or "/"
// joined); when the exact path does not exist, each component is looked up without regard to
// case. Every failure raises platform::VbError with VB's number and description.
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

QByteArray readAll(const QString& path);
// Creates or empties the file, then writes the bytes.
void writeAll(const QString& path, const QByteArray& bytes);
void appendAll(const QString& path, const QByteArray& bytes);
// Replaces the file whole or not at all (QSaveFile).
void writeAtomic(const QString& path, const QByteArray& bytes);

// Open files for the binary readers and writers; the same errors as above.
std::unique_ptr<QFile> openForRead(const QString& path);
std::unique_ptr<QFile> openForWrite(const QString& path); // created or emptied
std::unique_ptr<QSaveFile> openAtomic(const QString& path);
// Commits an atomic file; 61/57 when the bytes did not all reach the disk.
void commitAtomic(QSaveFile& file);

// Copies exactly count bytes from one device to the other in chunks; 62 when the input ends
// early, 61 when the output cannot take them.
void copyBytes(QIODevice& from, QIODevice& to, qint64 count);
// Reads exactly count bytes; 62 when fewer are there.
QByteArray readExactly(QIODevice& from, qint64 count);
// Writes all bytes; 61 when they do not all go.
void writeBytes(QIODevice& to, const QByteArray& bytes);

// The process's current folder as an internal path.
QString currentFolder();

} // namespace platform::fs
