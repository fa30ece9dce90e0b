#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Special folder numbers callers ask for.
namespace csidl {
constexpr int Desktop = 0;
constexpr int Startup = 7;
} // namespace csidl

// A shortcut to a program. Paths are internal ("\"-joined); the written launcher holds them in
// native form. linkPath ends in ".lnk" as callers name it; the file written ends in ".desktop".
struct LauncherSpec {
    QString linkPath;
    QString target;
    QString workingFolder; // optional
    QString arguments;     // optional, as one command-line text
    QString description;
    QString iconPath;      // optional
    int iconIndex = 0;
    int showCommand = 1;
};

// Hands files, addresses and programs to the desktop.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file (internal path) or a web/mail address with its associated program.
    virtual bool openDocument(const QString& fileOrUrl, QString* whyNot = nullptr) = 0;
    // Starts a program (internal path) detached. windowStyle is VB's Shell style (ignored here).
    // The program runs in workingFolder (internal path); empty keeps this process's folder.
    virtual bool startProgram(const QString& program, const QStringList& args, int windowStyle,
                              QString* whyNot = nullptr, const QString& workingFolder = QString()) = 0;
    // The internal path of a special folder without a trailing separator; empty when none.
    virtual QString specialFolder(int csidl) = 0;
    virtual bool writeLauncher(const LauncherSpec& spec, QString* whyNot = nullptr) = 0;
};

// The native path of the launcher file for a ".lnk" path (".lnk" replaced by ".desktop").
QString launcherFilePath(const QString& linkPath);
// The freedesktop launcher text for spec.
QByteArray launcherText(const LauncherSpec& spec);
// Writes launcherText to launcherFilePath; false with a reason when the link or target is
// empty or the file cannot be written.
bool writeDesktopLauncher(const LauncherSpec& spec, QString* whyNot);

} // namespace platform
