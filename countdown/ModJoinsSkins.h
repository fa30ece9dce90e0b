#pragma once

#include <QString>

class QIODevice;

namespace package {
struct PackageContents;
}

// The countdown package (".MVL"): a 94-byte header, the data file, then up to three media
// files. Members are unpacked into and packed from the work folder (`AppPath & "\Temp"`, the
// countdown's DatabaseLocation), which callers pass in. Paths are internal (Windows-style).
namespace ModJoinsSkins {

// Why the package may not be opened as `packagePath` although it reads: a picture, sound or logo
// named like the data file the countdown windows read. Empty when none is.
QString whyAMemberTakesTheDataFilesPlace(const package::PackageContents& contents, const QString& packagePath);

// Rebuilds the package at `packagePath` from the named files of `workFolder`. An empty data file
// name does nothing (true). A picture, sound or logo that this process placed in the work folder when
// it opened a package is packed with the bytes it placed, whatever the work folder holds now
// under that name; when those bytes are gone the save fails. Any other name is packed from
// the work folder, with no bytes when the file is missing there. The package is replaced
// atomically. True when the package was written. On a failure the old package stays whole, one
// message gives the error, names the package and says the countdown was not saved (for a
// read-only package, a provided template, also that it may not be updated), and the result is
// false, so that the program can end with a failure status.
bool SaveCountdownPackage(const QString& packagePath, const QString& reserved1,
                          const QString& reserved2, const QString& reserved3,
                          const QString& dataFileName, const QString& pictureFileName,
                          const QString& soundFileName, const QString& logoFileName,
                          const QString& workFolder);

// Unpacks the package into `workFolder`. False when the package is missing, or when it is
// truncated, inconsistent, names a member that is not a bare file name, or names a picture,
// sound or logo like the data file the countdown windows read (then nothing in the work folder
// changes). A package whose data file reached the work folder is recorded as the opened one
// (OpenedPackage), which a save checks; any other open leaves no package recorded. With
// `pictureOnly` the sound and logo members are left in the package. The data member is also placed under the package's own name with ".MVK", the name the
// countdown windows read, so a renamed package opens with its own countdown. Each member is
// placed under exactly its name: names that differ only in letter case are files of their own,
// and of members of one name the later one's bytes stay.
bool OpenCountdownPackage(const QString& packagePath, bool pictureOnly, const QString& workFolder);

// Copies exactly `byteCount` (a header count field, digits then blanks) bytes of the file at
// `memberPath` to the current position of `package`, in chunks. Raises VbError on failure.
void AppendFileToPackage(QIODevice& package, const QString& memberPath, const QString& byteCount);

// Removes what unpacks and opened packages of processes that have ended left in the work
// folder: their staging and private folders, known by their own names and found unheld.
// Nothing else in the work folder is touched.
void RemoveInterruptedUnpacks(const QString& workFolder);

} // namespace ModJoinsSkins
