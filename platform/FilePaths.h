#pragma once

#include <QString>

namespace platform::fs {

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
