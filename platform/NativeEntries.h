#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Native paths taken exactly as they stand: no "\" for "/", no lookup without regard to case.
// For paths that the programs made themselves or that came from the system, never a path of
// the programs' own "\" joined kind.
namespace platform::fs {

// What the entry itself is, without following a link.
struct EntryItself {
    bool exists = false;
    bool isLink = false;
    bool isFile = false; // a plain file, not a link, folder, pipe or device
    qint64 size = 0;
};
EntryItself entryItself(const QString& nativePath);

// Whether the path names a plain file (through links) / a folder this process may write in
// (the system asked, so a read-only mount counts as not writable).
bool isNativeFile(const QString& nativePath);
bool isWritableFolder(const QString& nativePath);
// The time the file was last changed: 53 when it is missing.
QDateTime lastModified(const QString& nativePath);

// What tells a file's bytes from other bytes later put under its name: the entry (device and
// inode), its size and the time it was last changed.
struct FileStamp {
    quint64 device = 0, inode = 0;
    qint64 size = 0, modifiedSeconds = 0, modifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of a plain file (not of what a link points to); none for anything else.
std::optional<FileStamp> stampOfEntry(const QString& nativePath);
// The stamp of the file as it is open, whatever its name now holds; none when it cannot be asked.
std::optional<FileStamp> stampOfOpenFile(const QFile& file);

// Opens the file for reading; null when it cannot be opened.
std::unique_ptr<QFile> openExactlyForRead(const QString& nativePath);
// Gives a plain file a second name (a hard link); false when it cannot.
bool linkExactly(const QString& fromNative, const QString& toNative);
// Removes the entry (a link itself, never what it points to); false when it cannot.
bool removeExactly(const QString& nativePath);

// Makes the folder and every missing folder above it; false when it cannot.
bool makeFolderPath(const QString& nativePath);
// Copies each named file of one folder (names may hold "/") into the other, where the other has
// no entry of that name yet; a file that is not there, or cannot be copied, is left out. A copy
// is its owner's to read and write, whatever mode the original had.
void copyMissingFiles(const QString& fromNative, const QString& toNative, const QStringList& names);

} // namespace platform::fs
