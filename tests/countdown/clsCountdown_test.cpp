#include "countdown/CountdownEventLog.h"
#include "countdown/clsCountdown.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct LetCase {
    const char* property;
    std::function<void(clsCountdown&)> let; // sets a value other than the initial one
    QStringList events;
};

const QString kCaption = QStringLiteral("EventCaptionDataChanged");
const QString kImage = QStringLiteral("ImageFileNameDataChanged");
const QString kDate = QStringLiteral("EventDateDataChanged");
const QString kTimer = QStringLiteral("TimerDateDataChanged");

const std::vector<LetCase>& letCases()
{
    static const std::vector<LetCase> cases = {
        {"EventCaption", [](clsCountdown& c) { c.setEventCaption("New Year"); }, {kCaption}},
        {"EventCaptionFont", [](clsCountdown& c) { c.setEventCaptionFont("Arial"); }, {kCaption}},
        {"EventCaptionFontsize", [](clsCountdown& c) { c.setEventCaptionFontsize(10.5f); }, {kCaption}},
        {"EventCaptionFontItalic", [](clsCountdown& c) { c.setEventCaptionFontItalic(-1); }, {kCaption}},
        {"EventCaptionFontBold", [](clsCountdown& c) { c.setEventCaptionFontBold(-1); }, {kCaption}},
        {"EventCaptionBackColor", [](clsCountdown& c) { c.setEventCaptionBackColor(255); }, {kCaption}},
        {"EventCaptionForeColor", [](clsCountdown& c) { c.setEventCaptionForeColor(255); }, {kCaption}},
        {"EventCaptionVisible", [](clsCountdown& c) { c.setEventCaptionVisible(true); }, {kCaption}},
        {"ImageFileName", [](clsCountdown& c) { c.setImageFileName("Party.jpg"); }, {kImage}},
        {"ImageVisible", [](clsCountdown& c) { c.setImageVisible(true); }, {kImage}},
        {"EventImageBackColor", [](clsCountdown& c) { c.setEventImageBackColor(1); }, {kImage}},
        {"BackgroundBackColor", [](clsCountdown& c) { c.setBackgroundBackColor(1); }, {kImage}},
        {"BackgroundForeColor", [](clsCountdown& c) { c.setBackgroundForeColor(1); }, {kImage}},
        {"EventDate", [](clsCountdown& c) { c.setEventDate(46022.5); }, {kDate}},
        {"EventDateFormat", [](clsCountdown& c) { c.setEventDateFormat("MMM dd, yyyy"); }, {kDate}},
        {"EventDateFont", [](clsCountdown& c) { c.setEventDateFont("Arial"); }, {kDate}},
        {"EventDateFontsize", [](clsCountdown& c) { c.setEventDateFontsize(8); }, {kDate}},
        {"EventDateFontItalic", [](clsCountdown& c) { c.setEventDateFontItalic(-1); }, {kDate}},
        {"EventDateFontBold", [](clsCountdown& c) { c.setEventDateFontBold(-1); }, {kDate}},
        {"EventDateBackColor", [](clsCountdown& c) { c.setEventDateBackColor(-2147483643); }, {kDate}},
        {"EventDateForeColor", [](clsCountdown& c) { c.setEventDateForeColor(-2147483640); }, {kDate}},
        {"EventDateVisible", [](clsCountdown& c) { c.setEventDateVisible(true); }, {kDate}},
        {"TimerDateFont", [](clsCountdown& c) { c.setTimerDateFont("Arial"); }, {kTimer}},
        {"TimerDateFontsize", [](clsCountdown& c) { c.setTimerDateFontsize(8); }, {kTimer}},
        {"TimerDateFontItalic", [](clsCountdown& c) { c.setTimerDateFontItalic(-1); }, {kTimer}},
        {"TimerDateFontBold", [](clsCountdown& c) { c.setTimerDateFontBold(-1); }, {kTimer}},
        {"TimerDateBackColor", [](clsCountdown& c) { c.setTimerDateBackColor(7); }, {kTimer}},
        {"TimerDateForeColor", [](clsCountdown& c) { c.setTimerDateForeColor(7); }, {kTimer}},
        {"TimerDateVisible", [](clsCountdown& c) { c.setTimerDateVisible(true); }, {kTimer}},
        {"AdvertiserLogoBackColor", [](clsCountdown& c) { c.setAdvertiserLogoBackColor(3); }, {"AdvertiserDataChanged"}},
        {"IntervalYears", [](clsCountdown& c) { c.setIntervalYears(true); }, {"IntervalYearsDataChanged"}},
        {"IntervalMonths", [](clsCountdown& c) { c.setIntervalMonths(true); }, {"IntervalMonthsDataChanged"}},
        {"IntervalDays", [](clsCountdown& c) { c.setIntervalDays(true); }, {"IntervalDaysDataChanged", kTimer}},
        {"IntervalHours", [](clsCountdown& c) { c.setIntervalHours(true); }, {"IntervalHoursDataChanged"}},
        {"IntervalMinutes", [](clsCountdown& c) { c.setIntervalMinutes(true); }, {"IntervalMinutesDataChanged"}},
        {"IntervalSeconds", [](clsCountdown& c) { c.setIntervalSeconds(true); }, {"IntervalSecondsDataChanged"}},
        // Lets that only store.
        {"IntervalWorkDays", [](clsCountdown& c) { c.setIntervalWorkDays(true); }, {}},
        {"AlarmSound", [](clsCountdown& c) { c.setAlarmSound(true); }, {}},
        {"SaveToFile", [](clsCountdown& c) { c.setSaveToFile(true); }, {}},
        {"Top", [](clsCountdown& c) { c.setTop(1); }, {}},
        {"Height", [](clsCountdown& c) { c.setHeight(1); }, {}},
        {"Left", [](clsCountdown& c) { c.setLeft(1); }, {}},
        {"Width", [](clsCountdown& c) { c.setWidth(1); }, {}},
        {"State", [](clsCountdown& c) { c.setState(2); }, {}},
        {"AlarmFileName", [](clsCountdown& c) { c.setAlarmFileName("Bell.mp3"); }, {}},
        {"AdvertiserLogoVisible", [](clsCountdown& c) { c.setAdvertiserLogoVisible(true); }, {}},
        {"CountdownName", [](clsCountdown& c) { c.setCountdownName("Party"); }, {}},
        {"EventImage", [](clsCountdown& c) { c.setEventImage(std::make_shared<QImage>()); }, {}},
    };
    return cases;
}

} // namespace

// The countdown's program folder is the one of the test's context.
class Countdown : public ProgramFolderTest<> {};

TEST_F(Countdown, NewObjectHoldsInitialValuesAndTheWorkFolder)
{
    clsCountdown countdown;
    EXPECT_EQ(countdown.DatabaseLocation(), folder.internal() + "\\Temp");
    EXPECT_EQ(countdown.EventCaption(), QString());
    EXPECT_EQ(countdown.CountdownId(), 0);
    EXPECT_EQ(countdown.EventDate(), 0.0);
    EXPECT_EQ(countdown.Width(), 0.0f);
    EXPECT_FALSE(countdown.IntervalDays());
    EXPECT_FALSE(countdown.EventImage());
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(Countdown, EachLetRaisesItsEventsOnceOnlyOnARealChange)
{
    for (const LetCase& c : letCases()) {
        SCOPED_TRACE(c.property);
        clsCountdown countdown;
        CountdownEventLog log(countdown);
        c.let(countdown);
        EXPECT_EQ(log.take(), c.events);
        c.let(countdown);
        EXPECT_EQ(log.take(), QStringList()) << "the same value again";
    }
}

TEST_F(Countdown, TextsCompareWithLetterCase)
{
    clsCountdown countdown;
    countdown.setEventCaptionFont("Arial");
    CountdownEventLog log(countdown);
    countdown.setEventCaptionFont("arial");
    EXPECT_EQ(log.take(), QStringList{kCaption});
    EXPECT_EQ(countdown.EventCaptionFont(), "arial");
}

TEST_F(Countdown, EventImageIsSharedNotCopied)
{
    clsCountdown countdown;
    auto picture = std::make_shared<QImage>(2, 2, QImage::Format_RGB32);
    countdown.setEventImage(picture);
    EXPECT_EQ(countdown.EventImage().get(), picture.get());
}

TEST_F(Countdown, TriggerChangeEventRaisesDataChanged)
{
    clsCountdown countdown;
    CountdownEventLog log(countdown);
    countdown.Trigger_ChangeEvent();
    EXPECT_EQ(log.take(), QStringList{"DataChanged"});
}

TEST_F(Countdown, RemoveCountdownDeletesFromCountdownsFolderThenRaisesDataChanged)
{
    const auto putFile = [this](const QString& subfolder, const QString& name) {
        const QString dir = folder.native() + "/" + subfolder;
        QDir().mkpath(dir);
        QFile out(dir + "/" + name);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("x");
        return out.fileName();
    };
    const QString file = putFile("Countdowns", "RemoveMe-test.MVK");
    clsCountdown countdown;
    bool goneWhenRaised = false;
    QObject::connect(&countdown, &clsCountdown::DataChanged, &countdown,
                     [&] { goneWhenRaised = !QFile::exists(file); }, Qt::DirectConnection);
    countdown.RemoveCountdown("RemoveMe-test");
    EXPECT_TRUE(goneWhenRaised);

    // A name with no file there: nothing visible but the event, and the work folder's file of
    // that name stays.
    const QString inWork = putFile("Temp", "NoSuchCountdown-test.MVK");
    CountdownEventLog log(countdown);
    countdown.RemoveCountdown("NoSuchCountdown-test");
    EXPECT_EQ(log.take(), QStringList{"DataChanged"});
    EXPECT_TRUE(services.ui().msgBoxes.empty());
    EXPECT_TRUE(QFile::exists(inWork));
    QFile::remove(inWork);
}

// Only a bare countdown name is deleted: a folder part, "..", a drive or a wildcard would reach
// files other than the one named, so such a name deletes nothing and is reported.
TEST_F(Countdown, RemoveCountdownRefusesAnythingButABareName)
{
    const QString app = folder.native();
    const QStringList files = {"Countdowns/KeepA-refuse.MVK", "Countdowns/KeepB-refuse.MVK", "Temp/V-refuse.MVK",
                               "Countdowns/Sub/V-refuse.MVK"};
    for (const QString& file : files) {
        QDir().mkpath(QFileInfo(app + "/" + file).path());
        QFile out(app + "/" + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("x");
    }
    const QString names[] = {"*", "Keep?-refuse", "KeepA-refuse*", "..\\Temp\\V-refuse", "../Temp/V-refuse",
                             "Sub\\V-refuse", "C:KeepA-refuse", "..", ""};
    clsCountdown countdown;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        services.ui().msgBoxes.clear();
        countdown.RemoveCountdown(name);
        EXPECT_EQ(services.ui().prompts(), QStringList{"52\r\nBad file name or number\r\n" + name});
        for (const QString& file : files)
            EXPECT_TRUE(QFile::exists(app + "/" + file)) << file.toStdString();
    }
    for (const QString& file : files)
        QFile::remove(app + "/" + file);
}

TEST_F(Countdown, RefreshWithoutFileTakesNewValuesWithoutDataChanged)
{
    clsCountdown countdown;
    countdown.setCountdownFileName("Missing.MVK");
    CountdownEventLog log(countdown);
    countdown.Refresh();
    EXPECT_EQ(countdown.EventCaption(), "New Event Countdown");
    EXPECT_EQ(countdown.CountdownFileName(), QString());
    EXPECT_TRUE(log.names.contains("IntervalDaysDataChanged"));
    EXPECT_TRUE(log.names.contains(kCaption));
    EXPECT_FALSE(log.names.contains("DataChanged"));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}
