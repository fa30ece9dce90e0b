#include "viewer/frmAbout.h"

#include "foundation/OleDate.h"
#include "foundation/ProgramTexts.h"
#include "foundation/clsForm.h"
#include "support/FramedWindow.h"
#include "support/ProgramFolderFixture.h"
#include "viewer/ViewerContext.h"
#include "viewer/WebAddress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using FramedAbout = FramedWindow<frmAbout>;

class AboutTest : public ProgramFolderTest<ViewerContext> {
protected:
    void SetUp() override
    {
        services.screen().widthPixels = 1024;
        services.screen().heightPixels = 768;
    }
    QString text(frmAbout& about, const char* name) { return about.findChild<QLabel*>(name)->text(); }

};

TEST_F(AboutTest, LoadShowsVersionBuildDateAndContacts)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About " + ProgramTexts::kProgramTitle);
    EXPECT_EQ(text(about, "lblSoftwareName"),
              QString("Version %1.%2.%3").arg(VANTREL_VERSION_MAJOR).arg(VANTREL_VERSION_MINOR).arg(VANTREL_VERSION_PATCH));
    const QDateTime built = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
    EXPECT_EQ(text(about, "lblCompileDate"), frmAbout::compileDateLine(vb::toOleDate(built)));
    EXPECT_EQ(text(about, "lblTechnicalSupport"), "support@vantrel-dederuvevur.example");
    EXPECT_EQ(text(about, "lblTrademark"), frmAbout::kTrademark);
    const QString address = about.findChild<QPlainTextEdit*>("txtMailingAddress")->toPlainText();
    EXPECT_EQ(address.split('\n').mid(1), frmAbout::kMailingAddress);
    EXPECT_EQ(about.button(0)->text(), "&Ok");
    EXPECT_EQ(about.button(1)->text(), "&Ordering Information");
    EXPECT_EQ(about.findChild<QPushButton*>("Command2")->text(), "WARNING.");
    EXPECT_EQ(services.ui().pointerHistory, (std::vector<int>{11, 0}));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(AboutTest, CompileDateIsFormattedWithDayMonthYearAndTwelveHourClock)
{
    const double date = vb::toOleDate(QDateTime(QDate(2026, 3, 7), QTime(15, 4, 5)));
    EXPECT_EQ(frmAbout::compileDateLine(date), "Compiled: 07 Mar, 2026 03:04:05 pm");
}

TEST_F(AboutTest, ReopensWhereItWasClosed)
{
    QRect closedAt, closedOuter;
    {
        frmAbout about;
        about.show();
        about.setGeometry(210, 135, 800, 560);
        closedAt = about.geometry();
        closedOuter = about.frameGeometry();
        about.button(0)->click();
        EXPECT_FALSE(about.isVisible());
    }
    frmAbout again;
    again.show();
    EXPECT_EQ(again.geometry(), closedAt);
    again.button(0)->click();

    // A frame that arrives after showing goes round the stored outer geometry.
    FramedAbout framed;
    framed.show();
    framed.frameArrives(QMargins(4, 24, 4, 4));
    EXPECT_EQ(framed.geometry(), closedOuter.marginsRemoved(QMargins(4, 24, 4, 4)));
}

TEST_F(AboutTest, FirstOpeningBesideACountdownWindowKeepsEveryButtonOnTheScreen)
{
    const QRect workArea(0, 0, 1024, 768);
    services.screen().workArea = workArea;
    QWidget countdownWindow;
    countdownWindow.setObjectName("frmCountdownViewer");
    frmAbout about;
    about.show();
    EXPECT_TRUE(workArea.contains(about.frameGeometry()));
    const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 3);
    for (const QPushButton* button : buttons) {
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        EXPECT_TRUE(workArea.contains(onScreen)) << button->text().toStdString();
    }
    about.button(0)->click();

    clsForm stored;
    ASSERT_EQ(stored.FindByName("frmAbout"), -1);
    EXPECT_LE(stored.Top() + stored.Height(), 768 * 15);
}

TEST_F(AboutTest, LinksOpenTheMakersSiteAndASupportMail)
{
    frmAbout about;
    about.button(1)->click();
    about.lblTechnicalSupport_Click();
    EXPECT_EQ(services.shell().documents,
              (QStringList{makerWebSite(), "mailto:support@vantrel-dederuvevur.example"}));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(AboutTest, WarningShowsTheLegalNoticeAsInformation)
{
    frmAbout about;
    about.findChild<QPushButton*>("Command2")->click();
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, frmAbout::kLegalNotice);
    EXPECT_EQ(services.ui().msgBoxes[0].buttons, platform::vbmsg::vbInformation);
}

} // namespace
