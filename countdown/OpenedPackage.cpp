#include "countdown/OpenedPackage.h"

#include "foundation/ErrorReport.h"
#include "foundation/ProgramContext.h"
#include "platform/ContentDigest.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

namespace OpenedPackage {

namespace {

std::optional<ProgramContext::OpenedPackage>& record()
{
    return ProgramContext::current().openedPackage;
}

bool samePath(const QString& one, const QString& other)
{
    try {
        return platform::fs::resolve(one) == platform::fs::resolve(other);
    } catch (const platform::VbError&) {
        return false;
    }
}

void reportNotSaved(const QString& packagePath, const QString& why)
{
    if (platform::Ui* ui = platform::services().ui)
        ui->msgBox(QStringLiteral("The countdown was not saved because the file %1 %2.")
                       .arg(platform::fs::toNative(packagePath), why),
                   platform::vbmsg::vbExclamation);
}

} // namespace

void remember(const QString& packagePath, const QByteArray& digest)
{
    record() = ProgramContext::OpenedPackage{packagePath, digest};
}

void forget()
{
    record().reset();
}

bool isOpened(const QString& packagePath)
{
    return record() && samePath(record()->path, packagePath);
}

bool maySave(const QString& packagePath)
{
    if (!isOpened(packagePath))
        return false;
    try {
        if (!platform::fs::isFile(packagePath)) {
            reportNotSaved(packagePath, QStringLiteral("was moved or deleted after it was opened"));
            return false;
        }
        if (platform::fs::contentDigest(packagePath) == record()->digest)
            return true;
        reportNotSaved(packagePath, QStringLiteral("was changed after it was opened"));
    } catch (const platform::VbError& error) {
        reportNotSaved(packagePath, QStringLiteral("cannot be read to compare it with the one that was opened (")
                                        + errorReport(error).replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                                        + QLatin1Char(')'));
    }
    return false;
}

void rememberSaved(const QString& packagePath)
{
    try {
        remember(packagePath, platform::fs::contentDigest(packagePath));
    } catch (const platform::VbError&) {
        // A package that cannot be read back cannot be told from another program's file.
        forget();
    }
}

} // namespace OpenedPackage
