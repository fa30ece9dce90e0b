#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

// Exec fields quote an argument holding blanks or reserved characters.
QString execQuoted(const QString& text)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = text.isEmpty();
    for (QChar c : text)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return text;
    QString escaped;
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// Values of a desktop entry may not hold line breaks; % is the field-code escape in Exec only.
QString entryValue(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

} // namespace

QString launcherFilePath(const QString& linkPath)
{
    QString native = fs::toNative(linkPath);
    if (native.endsWith(QLatin1String(".lnk"), Qt::CaseInsensitive))
        native.chop(4);
    return native + QLatin1String(".desktop");
}

QByteArray launcherText(const LauncherSpec& spec)
{
    QString exec = execQuoted(fs::resolve(spec.target));
    if (!spec.arguments.isEmpty())
        exec += QLatin1Char(' ') + spec.arguments;
    exec.replace(QLatin1Char('%'), QLatin1String("%%"));
    QString name = QFileInfo(launcherFilePath(spec.linkPath)).completeBaseName();
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\n");
    text += QLatin1String("Name=") + entryValue(name) + QLatin1Char('\n');
    if (!spec.description.isEmpty())
        text += QLatin1String("Comment=") + entryValue(spec.description) + QLatin1Char('\n');
    text += QLatin1String("Exec=") + entryValue(exec) + QLatin1Char('\n');
    if (!spec.workingFolder.isEmpty())
        text += QLatin1String("Path=") + entryValue(fs::resolve(spec.workingFolder)) + QLatin1Char('\n');
    if (!spec.iconPath.isEmpty())
        text += QLatin1String("Icon=") + entryValue(fs::resolve(spec.iconPath)) + QLatin1Char('\n');
    text += QLatin1String("Terminal=false\n");
    return text.toUtf8();
}

bool writeDesktopLauncher(const LauncherSpec& spec, QString* whyNot)
{
    if (spec.linkPath.isEmpty() || spec.target.isEmpty()) {
        if (whyNot)
            *whyNot = QStringLiteral("A launcher needs a file name and a target.");
        return false;
    }
    try {
        const QString path = launcherFilePath(spec.linkPath);
        fs::writeAtomic(fs::toInternal(path), launcherText(spec));
        // Desktops start only launchers marked executable.
        QFile::setPermissions(fs::resolve(fs::toInternal(path)),
                              QFile::permissions(fs::resolve(fs::toInternal(path))) | QFile::ExeOwner | QFile::ExeUser);
    } catch (const VbError& error) {
        if (whyNot)
            *whyNot = error.description;
        return false;
    }
    return true;
}

} // namespace platform
