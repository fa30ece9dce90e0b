#pragma once

#include <QString>

namespace platform::fs {

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
// Moves the entry `fromNative` to exactly `toNative`, replacing a file there; a name that
// differs only in letter case is another entry and stays. 53 missing source, 58 a folder there,
// 70 no right.
void renameExactly(const QString& fromNative, const QString& toNative);

} // namespace platform::fs
