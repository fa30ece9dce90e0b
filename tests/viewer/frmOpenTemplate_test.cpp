#include "viewer/frmOpenTemplate.h"

#include "support/TestServices.h"
#include "viewer/modVantrelViewer.h"


#include <gtest/gtest.h>

#include <optional>

namespace {

class OpenTemplateTest : public ::testing::Test {
protected:
    void SetUp() override { context.appPath = "\\opt\\vantrel"; }
    TestServices services;
    ViewerContext context;
};

TEST_F(OpenTemplateTest, DialogAsksForACountdownPackageInTheCountdownsFolder)
{
    services.ui().openFileAnswers.push_back(QString("\\home\\user\\Party Night.MVL"));
    frmOpenTemplate::Form_Load();

    ASSERT_EQ(services.ui().openFileDialogs.size(), 1u);
    const platform::OpenFileRequest& request = services.ui().openFileDialogs[0];
    EXPECT_EQ(request.filter, "Countdown (*.MVL)|*.MVL|All Files (*.*)|*.*|");
    EXPECT_EQ(request.title, "Select a Countdown to Open");
    EXPECT_EQ(request.fileName, "*.MVL");
    EXPECT_EQ(request.initialFolder, "\\opt\\vantrel\\Countdowns");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(modVantrelViewer::CurrentFile(), "\\home\\user\\Party Night.MVL");
    EXPECT_EQ(services.ui().pointerHistory, (std::vector<int>{11, 0}));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(OpenTemplateTest, FileOfAnotherTypeIsReturnedAsChosen)
{
    services.ui().openFileAnswers.push_back(QString("\\home\\user\\notes.txt"));
    frmOpenTemplate::Form_Load();
    EXPECT_EQ(modVantrelViewer::CurrentFile(), "\\home\\user\\notes.txt");
}

TEST_F(OpenTemplateTest, CancelOrEmptyAnswerKeepsCurrentFile)
{
    const std::optional<QString> answers[] = {std::nullopt, QString()};
    for (const std::optional<QString>& answer : answers) {
        for (const QString& before : {QString(), QString("\\home\\user\\Kept.MVL")}) {
            SCOPED_TRACE(before.toStdString());
            modVantrelViewer::CurrentFile() = before;
            services.ui().pointerHistory.clear();
            services.ui().openFileAnswers.push_back(answer);
            frmOpenTemplate::Form_Load();
            EXPECT_EQ(modVantrelViewer::CurrentFile(), before);
            EXPECT_EQ(services.ui().pointer, platform::vbcursor::vbDefault);
            EXPECT_EQ(services.ui().pointerHistory, (std::vector<int>{11, 0}));
        }
    }
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

} // namespace
