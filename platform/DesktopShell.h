#pragma once

#include "platform/Shell.h"

#include <QUrl>

namespace platform {

// QDesktopServices and QProcess; special folders from the XDG user folders.
class DesktopShell : public Shell {
public:
    bool openDocument(const QString& fileOrUrl, QString* whyNot = nullptr) override;
    bool startProgram(const QString& program, const QStringList& args, int windowStyle,
                      QString* whyNot = nullptr, const QString& workingFolder = QString()) override;
    QString specialFolder(int csidl) override;
    bool writeLauncher(const LauncherSpec& spec, QString* whyNot = nullptr) override;
};

// The URL a document text stands for: a web or mail address as it is, anything else a local
// file (internal path, resolved without case).
QUrl documentUrl(const QString& fileOrUrl);

} // namespace platform
