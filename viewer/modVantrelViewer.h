#pragma once

#include "foundation/ProgramTexts.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class frmCountdownViewer;

// The viewer's start-up and the values the whole viewer shares.
namespace modVantrelViewer {

// The program folder, internal path without a trailing separator.
inline QString AppPath;
// The countdown package the viewer works on.
inline QString CurrentFile;
// The package Main found.
inline QString OpenedFile;
// The running viewer's executable (internal path), recorded by Main. It lies in AppPath unless
// the program folder is the per-user copy of a read-only installation. Empty before Main.
inline QString ViewerProgram;
// 0 after the countdown window's load, 1 after any resize of it.
inline int16_t WindowResized = 0;

using ::frmCountdownViewer;
// The countdown window once Main has shown it.
inline QPointer<frmCountdownViewer> ViewerWindow;

// Settings addresses shared by the viewer's forms.
inline const QString kMakerApplication = ProgramTexts::kSettingsApplication;
inline const QString kMakerSection = ProgramTexts::kSettingsSection;
// The application name of the "Options" section: the viewer's executable name.
inline const QString kViewerApplication = ProgramTexts::kViewerApplication;
inline const QString kOptionsSection = ProgramTexts::kOptionsSection;
inline const QString kShowStartupWizardKey = ProgramTexts::kShowStartupWizardKey;

// The start-up. commandLine is the program's arguments joined by single blanks. Returns after
// showing the countdown window, or after ProgramEnd::End when no countdown can be located or
// the startup wizard ended the program.
void Main(const QString& commandLine);

// Starts path (a program, optionally followed by a blank and arguments) with a window style;
// returns the task identifier, 0 when nothing was started.
int32_t ShellProgram(const QString& path, int16_t style);
// The same for a program and its arguments kept apart: each argument reaches the program as one
// argument, whatever blanks or quotes it holds, and no shell is involved.
int32_t ShellProgram(const QString& program, const QStringList& arguments, int16_t style);

// "Show Startup Wizard" as an integer (default 1); a value that is not a number counts as the
// default, so a damaged setting never stops the start-up or the wizard.
int ShowStartupWizardSetting();

// Test seams. Empty (the default) means the real thing: countdownApplicationFolder() for the
// program folder, the modal frmStartupWizard, and a new frmCountdownViewer shown as
// ViewerWindow. Tests install replacements so Main runs on a temporary program folder and no
// modal form or window opens. Main still checks ProgramEnd::isEnding() after the wizard.
inline std::function<QString()> programFolder;
inline std::function<void()> showStartupWizard;
inline std::function<void()> showViewerWindow;

} // namespace modVantrelViewer
