#include "display/MediaFile.h"

#include "foundation/clsPSFileUtilities.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"

namespace MediaFile {

namespace {

// The file layer reads the bytes, so a picture is read the way every other file is; the name's
// extension is handed on as the format's hint, as a load by name takes it.
QImage decode(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = platform::fs::readAll(path);
    } catch (const platform::VbError&) {
        // A picture that cannot be read is no picture: the callers report it as such.
        return QImage();
    }
    const QByteArray hint = platform::fs::resolve(path).section(QLatin1Char('.'), -1).toLatin1();
    QImage image = QImage::fromData(bytes, hint.constData());
    return image.isNull() ? QImage::fromData(bytes) : image;
}

} // namespace

bool isPresent(const QString& path)
{
    // FileExists alone takes a folder path ending in "\" (an empty member name joined to the
    // work folder) for a pattern that matches every file in it.
    clsPSFileUtilities files;
    return files.FileExists(path) && holdsBytes(path);
}

bool holdsBytes(const QString& path)
{
    return platform::fs::isFile(path) && platform::fs::fileLength(path) > 0;
}

QImage picture(const QString& path)
{
    if (!isPresent(path))
        return QImage();
    QImage image = decode(path);
    if (image.isNull())
        throw platform::VbError(platform::vberr::InvalidPicture);
    return image;
}

QImage pictureOrNone(const QString& path)
{
    // Whoever asks for this has nobody to show a message to; a name the file layer refuses
    // (a pattern, a forbidden character) is no picture either.
    try {
        return isPresent(path) ? decode(path) : QImage();
    } catch (const platform::VbError&) {
        return QImage();
    }
}

QString soundToPlay(const QString& wanted, const QString& fallback)
{
    if (isPresent(wanted))
        return wanted;
    if (isPresent(fallback))
        return fallback;
    return QString();
}

} // namespace MediaFile
