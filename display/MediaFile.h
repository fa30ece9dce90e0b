#pragma once

#include <QImage>
#include <QString>

// Media files a countdown names: its picture, logo and alarm sound. A package keeps a member it
// could not find when it was packed as a name with no bytes, so a file of 0 bytes counts as
// missing wherever a sound, picture or logo is looked up.
namespace MediaFile {

// Whether `path` names a file (not a folder) that holds at least one byte. A name with a
// pattern or a forbidden character raises 52 "Bad file name or number".
bool isPresent(const QString& path);
// Whether `path` names a file (not a folder) that holds at least one byte; never raises.
bool holdsBytes(const QString& path);

// The picture in the file at `path`; a null image when no media file is there. A file that is
// there but holds no picture raises 481 "Invalid picture".
QImage picture(const QString& path);
// The picture in the file at `path`; a null image when no media file is there, when its bytes
// are no picture, or when the path is no file name at all. Never raises.
QImage pictureOrNone(const QString& path);

// The sound to play: `wanted` when it is a media file, else `fallback` when that is one, else
// an empty path.
QString soundToPlay(const QString& wanted, const QString& fallback);

} // namespace MediaFile
