#include "viewer/ProgramVersion.h"

QString programVersionLine()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(VANTREL_VERSION_MAJOR)
        .arg(VANTREL_VERSION_MINOR)
        .arg(VANTREL_VERSION_PATCH);
}
