#include "countdown/BareFileName.h"

bool isBareFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        switch (c.unicode()) {
        case '\\':
        case '/':
        case ':':
        case '\0':
        case '*':
        case '?':
            return false;
        default:
            break;
        }
    }
    return true;
}
