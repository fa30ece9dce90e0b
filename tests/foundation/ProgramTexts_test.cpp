#include "foundation/ProgramTexts.h"

#include <gtest/gtest.h>

// Every other test names these texts by their constants; this one holds them to the bytes the
// programs have always shown and stored, so settings written by an earlier run are found again.
TEST(ProgramTexts, AreTheNamesAndMessagesTheProgramsShowAndStore)
{
    struct Case {
        const QString& text;
        const char* expected;
    };
    const Case cases[] = {
        {ProgramTexts::kProgramTitle, "Vantrel Countdown Clock"},
        {ProgramTexts::kMakerName, "Vantrel Dederuvevur, LLC"},
        {ProgramTexts::kSettingsApplication, "Vantrel Dederuvevur, LLC"},
        {ProgramTexts::kDeletedSettingsApplication, "Morvale"},
        {ProgramTexts::kSettingsSection, "VazovuzAzodozaruVuzaz"},
        {ProgramTexts::kAppPathKey, "AppPath"},
        {ProgramTexts::kLastOpenTemplateKey, "LastOpenTemplate"},
        {ProgramTexts::kViewerApplication, "vantrel-viewer"},
        {ProgramTexts::kOptionsSection, "Options"},
        {ProgramTexts::kShowStartupWizardKey, "Show Startup Wizard"},
        {ProgramTexts::kCannotLocateCountdown,
         "Cannot locate a Countdown. Please contact Vantrel Dederuvevur, LLC. This program cannot continue."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text.toStdString(), c.expected);
}
