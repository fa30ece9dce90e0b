#include "platform/DesktopShell.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

QUrl documentUrl(const QString& fileOrUrl)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    const QString text = fileOrUrl.trimmed();
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QLatin1String("http://") + text);
    if (scheme.match(text).hasMatch())
        return QUrl(text);
    return QUrl::fromLocalFile(QFileInfo(fs::resolve(text)).absoluteFilePath());
}

bool DesktopShell::openDocument(const QString& fileOrUrl, QString* whyNot)
{
    const QUrl url = documentUrl(fileOrUrl);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        if (whyNot)
            *whyNot = QStringLiteral("The file %1 was not found.").arg(url.toLocalFile());
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        if (whyNot)
            *whyNot = QStringLiteral("No program is set to open %1.").arg(url.toDisplayString());
        return false;
    }
    return true;
}

bool DesktopShell::startProgram(const QString& program, const QStringList& args, int, QString* whyNot,
                                const QString& workingFolder)
{
    QString native = fs::resolve(program);
    if (!QFileInfo::exists(native)) {
        const QString onPath = QStandardPaths::findExecutable(program);
        if (onPath.isEmpty()) {
            if (whyNot)
                *whyNot = QStringLiteral("The program %1 was not found.").arg(native);
            return false;
        }
        native = onPath;
    }
    QProcess process;
    process.setProgram(native);
    process.setArguments(args);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(fs::resolve(workingFolder));
    if (!process.startDetached()) {
        // The reason the system gave (no permission to run it, not a program, ...).
        if (whyNot)
            *whyNot = QStringLiteral("The program %1 could not be started: %2").arg(native, process.errorString());
        return false;
    }
    return true;
}

QString DesktopShell::specialFolder(int csidl)
{
    QString folder;
    if (csidl == csidl::Desktop)
        folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    else if (csidl == csidl::Startup)
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/autostart");
    if (folder.isEmpty())
        return {};
    QDir().mkpath(folder);
    return fs::toInternal(QDir::cleanPath(folder));
}

bool DesktopShell::writeLauncher(const LauncherSpec& spec, QString* whyNot)
{
    return writeDesktopLauncher(spec, whyNot);
}

} // namespace platform
