#pragma once

#include "platform/fake/FakeServices.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

using TestServices = platform::FakeServices;

// A temporary folder, seen both as a native and as an internal ("\"-joined) path.
class TempFolder {
public:
    TempFolder();
    bool isValid() const { return dir_.isValid(); }
    QString native() const { return dir_.path(); }
    QString internal() const;
    // name may hold "\" or "/" separators.
    QString nativePath(const QString& name) const;
    QString internalPath(const QString& name) const;
    // Writes a file (folders created as needed) and returns its internal path.
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // Creates a folder (and its parents) and returns its internal path.
    QString makeFolder(const QString& name) const;

private:
    QTemporaryDir dir_;
};
