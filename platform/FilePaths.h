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
// Whether a native path names its entry from the root (or a resource), whatever the current
// folder.
bool isAbsoluteNative(const QString& nativePath);
// `name` inside the native folder (itself when it is absolute).
QString joinNative(const QString& folderNative, const QString& name);
// A native path from the current folder, "." and ".." taken out.
QString absoluteNative(const QString& nativePath);

// The native folder named `name` among the user's data ($XDG_DATA_HOME, or ~/.local/share).
QString userDataFolder(const QString& name);
// The user's runtime folder ($XDG_RUNTIME_DIR); empty when there is none.
QString runtimeFolder();
// The folder for temporary files that every user shares.
QString temporaryFolder();
// The number of the user this process acts for, whose are the files it makes.
uint userId();

} // namespace platform::fs
