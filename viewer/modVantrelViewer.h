#pragma once

#include "foundation/ProgramTexts.h"
#include "viewer/ViewerContext.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>

// The viewer's start-up and the values the whole viewer shares.
namespace modVantrelViewer {

// The values the whole viewer shares, each a name for its place in the viewer's one context
// (ViewerContext::current()); see there for what each holds.
ViewerContext& context();
// The program folder, internal path without a trailing separator. Main settles it.
const QString& AppPath();
QString& CurrentFile();
QString& OpenedFile();
QString& ViewerProgram();
int16_t& WindowResized();
QPointer<frmCountdownViewer>& ViewerWindow();

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

} // namespace modVantrelViewer
