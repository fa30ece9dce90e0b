#include "display/ProgramFolder.h"

#include "foundation/ProgramContext.h"
#include "foundation/clsPSFileUtilities.h"
#include "platform/FileSystem.h"

namespace ProgramFolder {

QString AppPath() { return ProgramContext::current().appPath; }
QString WorkFolder() { return AppPath() + QStringLiteral("\\Temp"); }

void makeWorkFolder()
{
    clsPSFileUtilities files;
    if (files.HiddenDirExists(WorkFolder()))
        return;
    files.CreateDirMaybe(WorkFolder());
    platform::fs::setHidden(WorkFolder(), true);
}

QString inWorkFolder(const QString& name)
{
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        return name;
    return WorkFolder() + QLatin1Char('\\') + name;
}

} // namespace ProgramFolder
