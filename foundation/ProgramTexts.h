#pragma once

#include <QString>

// The names and messages both programs share: the program's title, where its settings live, and
// the messages more than one module shows. Each is written here once, byte for byte as the
// programs show or store it.
namespace ProgramTexts {

// The title of the countdown window, the loading window and every message box.
inline const QString kProgramTitle = QStringLiteral("Vantrel Countdown Clock");
// The maker's name, as the messages and the about box show it.
inline const QString kMakerName = QStringLiteral("Vantrel Dederuvevur, LLC");

// Settings: an application name, a section in it and a key in that.
inline const QString kSettingsApplication = QStringLiteral("Vantrel Dederuvevur, LLC");
// The application name a deleted value is written under before it is removed.
inline const QString kDeletedSettingsApplication = QStringLiteral("Morvale");
inline const QString kSettingsSection = QStringLiteral("VazovuzAzodozaruVuzaz");
inline const QString kAppPathKey = QStringLiteral("AppPath");
inline const QString kLastOpenTemplateKey = QStringLiteral("LastOpenTemplate");
// The viewer's own options live under its executable's name.
inline const QString kViewerApplication = QStringLiteral("vantrel-viewer");
inline const QString kOptionsSection = QStringLiteral("Options");
inline const QString kShowStartupWizardKey = QStringLiteral("Show Startup Wizard");

// Shown by either program when no countdown package can be found, before it ends.
inline const QString kCannotLocateCountdown = QStringLiteral(
    "Cannot locate a Countdown. Please contact Vantrel Dederuvevur, LLC. This program cannot continue.");

} // namespace ProgramTexts
