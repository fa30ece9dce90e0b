#include "ProgramFolder.h"

namespace {
QString& appPathValue()
{
    static QString value;
    return value;
}
} // namespace

namespace ProgramFolder {

QString AppPath() { return appPathValue(); }
void setAppPath(const QString& internalPath) { appPathValue() = internalPath; }
QString WorkFolder() { return appPathValue() + QStringLiteral("\\Temp"); }

QString inWorkFolder(const QString& name)
{
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        return name;
    return WorkFolder() + QLatin1Char('\\') + name;
}

} // namespace ProgramFolder
