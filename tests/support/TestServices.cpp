#include "support/TestServices.h"

#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder() = default;

QString TempFolder::internal() const
{
    return platform::fs::toInternal(native());
}

QString TempFolder::nativePath(const QString& name) const
{
    return native() + QLatin1Char('/') + platform::fs::toNative(name);
}

QString TempFolder::internalPath(const QString& name) const
{
    return platform::fs::toInternal(nativePath(name));
}

QString TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString path = nativePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return platform::fs::toInternal(path);
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile file(nativePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TempFolder::makeFolder(const QString& name) const
{
    QDir().mkpath(nativePath(name));
    return internalPath(name);
}
