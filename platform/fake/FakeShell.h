#pragma once

#include "platform/Shell.h"

#include <QMap>

#include <vector>

namespace platform {

// Records documents and programs; special folders from a map (internal paths, set by the test);
// launchers are written as real files.
class FakeShell : public Shell {
public:
    struct ProgramCall {
        QString program;
        QStringList args;
        int windowStyle;
        QString workingFolder;
    };

    bool openDocument(const QString& fileOrUrl, QString* whyNot = nullptr) override
    {
        documents << fileOrUrl;
        if (!succeed && whyNot)
            *whyNot = failure;
        return succeed;
    }
    bool startProgram(const QString& program, const QStringList& args, int windowStyle,
                      QString* whyNot = nullptr, const QString& workingFolder = QString()) override
    {
        programs.push_back({program, args, windowStyle, workingFolder});
        if (!succeed && whyNot)
            *whyNot = failure;
        return succeed;
    }
    QString specialFolder(int csidl) override { return folders.value(csidl); }
    bool writeLauncher(const LauncherSpec& spec, QString* whyNot = nullptr) override
    {
        launchers.push_back(spec);
        return writeDesktopLauncher(spec, whyNot);
    }

    bool succeed = true;
    QString failure = QStringLiteral("cannot open");
    QStringList documents;
    std::vector<ProgramCall> programs;
    std::vector<LauncherSpec> launchers;
    QMap<int, QString> folders;
};

} // namespace platform
