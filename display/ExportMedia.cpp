#include "display/ExportMedia.h"

#include "display/MediaFile.h"
#include "display/ProgramFolder.h"

namespace ExportMedia {

QString presentFile(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString path = ProgramFolder::inWorkFolder(name);
    return MediaFile::holdsBytes(path) ? path : QString();
}

} // namespace ExportMedia
