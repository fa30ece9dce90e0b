#include "display/ProgramFolder.h"

#include "foundation/ErrorReport.h"
#include "foundation/ProgramContext.h"
#include "foundation/clsPSFileUtilities.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

namespace ProgramFolder {

QString AppPath() { return ProgramContext::current().appPath; }
QString WorkFolder() { return AppPath() + QStringLiteral("\\Temp"); }

bool makeWorkFolder()
{
    const QString folder = WorkFolder();
    clsPSFileUtilities files;
    // The search also finds a plain file of that name, which is no work folder.
    if (files.HiddenDirExists(folder) && platform::fs::isDirectory(folder))
        return true;
    try {
        if (!platform::fs::isDirectory(folder))
            platform::fs::makeDir(folder);
        platform::fs::setHidden(folder, true);
        return true;
    } catch (const platform::VbError& error) {
        // An error about the folder names it already.
        const QString named = error.path.isEmpty() ? QStringLiteral("\r\n") + platform::fs::toNative(folder) : QString();
        platform::services().ui->msgBox(errorReport(error) + named, platform::vbmsg::vbExclamation);
        return false;
    }
}

QString inWorkFolder(const QString& name)
{
    if (name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        return name;
    return WorkFolder() + QLatin1Char('\\') + name;
}

} // namespace ProgramFolder
