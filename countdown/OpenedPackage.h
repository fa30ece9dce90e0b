#pragma once

#include <QByteArray>
#include <QString>

// The record of the countdown package this program opened, kept in the program's context: a
// save writes only that package, and only while the file still holds the bytes it held when it
// was opened (or when this program last saved it). Paths are internal.
namespace OpenedPackage {

// The package at `packagePath` opened and held the bytes of `digest`.
void remember(const QString& packagePath, const QByteArray& digest);
// No package is open: none opened yet, or its open or load failed.
void forget();
// Whether the package at `packagePath` is the one that opened.
bool isOpened(const QString& packagePath);

// Whether a save may write the package at `packagePath`: it is the package that opened and its
// file still holds the bytes it held then. A file changed, replaced, removed or unreadable
// since is reported in one message naming it; a package that did not open was reported when
// it failed and gives no message here.
bool maySave(const QString& packagePath);
// After a save: the package now holds the bytes this program wrote, and may be saved again.
void rememberSaved(const QString& packagePath);

} // namespace OpenedPackage
