#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramTexts.h"
#include "platform/FileSystem.h"
#include "support/TestServices.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSettings>

#include <gtest/gtest.h>

#include <cmath>

// Writes a program folder with a countdown package, its work folder and the viewer's settings
// into the folder named by VANTREL_SAVER_SHOT_FOLDER, for scripts/show-saver.sh to run the
// screen saver over. Skipped without that variable.
TEST(SaverShot, WritesAProgramFolderToShow)
{
    const QString root = qEnvironmentVariable("VANTREL_SAVER_SHOT_FOLDER");
    if (root.isEmpty())
        GTEST_SKIP() << "set VANTREL_SAVER_SHOT_FOLDER to write the folder";
    TestServices services;
    ASSERT_TRUE(QDir().mkpath(root + "/app/Temp"));
    ASSERT_TRUE(QDir().mkpath(root + "/stage"));
    ASSERT_TRUE(QDir().mkpath(root + "/config"));
    const QString app = platform::fs::toInternal(root + "/app");
    const QString stage = platform::fs::toInternal(root + "/stage");

    QImage picture(320, 240, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(40, 90, 200));
    sky.setColorAt(1, QColor(250, 200, 80));
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(200, 40, 60, 60);
    painter.end();
    ASSERT_TRUE(picture.save(root + "/stage/picture.png"));

    clsCountdown countdown;
    countdown.setDatabaseLocation(stage);
    countdown.setCountdownFileName("Party.MVK");
    countdown.setEventCaption("Summer Holiday");
    countdown.setEventCaptionVisible(true);
    countdown.setEventDateVisible(true);
    countdown.setEventDate(std::floor(vb::now()) + 12.5);
    countdown.setEventDateFormat("dddd, mmmm d, yyyy h:mm AM/PM");
    countdown.setIntervalDays(true);
    countdown.setIntervalHours(true);
    countdown.setIntervalMinutes(true);
    countdown.setIntervalSeconds(true);
    countdown.setTimerDateVisible(true);
    countdown.setImageFileName("picture.png");
    countdown.setImageVisible(true);
    countdown.setStatusBarVisible(true);
    countdown.setViewFormat(1);
    countdown.setEventCaptionFontsize(24);
    countdown.setEventDateFontsize(12);
    countdown.setTimerDateFontsize(18);
    countdown.setEventCaptionBackColor(0x402000);
    countdown.setEventCaptionForeColor(0xFFFFFF);
    countdown.setEventDateBackColor(0x402000);
    countdown.setEventDateForeColor(0x80FFFF);
    countdown.setTimerDateBackColor(0x202020);
    countdown.setTimerDateForeColor(0x00FF00);
    countdown.setBackgroundBackColor(0x101010);
    ASSERT_TRUE(countdown.Update());
    const QString package = app + "\\Party.MVL";
    ModJoinsSkins::SaveCountdownPackage(package, "0", "0", "", "Party.MVK", "picture.png", "", "", stage);
    ASSERT_TRUE(ModJoinsSkins::OpenCountdownPackage(package, false, app + "\\Temp"));

    QSettings ini(root + "/config/" + ProgramTexts::kSettingsApplication + ".ini", QSettings::IniFormat);
    ini.beginGroup(ProgramTexts::kSettingsSection);
    ini.setValue(ProgramTexts::kAppPathKey, app);
    ini.setValue(ProgramTexts::kLastOpenTemplateKey, package);
    ini.endGroup();
    ini.sync();
    EXPECT_EQ(ini.status(), QSettings::NoError);
}
