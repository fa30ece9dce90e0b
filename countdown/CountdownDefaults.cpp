#include "countdown/CountdownDefaults.h"

#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "foundation/ScreenMetrics.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <cmath>

namespace CountdownDefaults {

const QString kNewCountdownSiteAddress = QStringLiteral("http://www.example.com/");

namespace {

constexpr int32_t kWindowBackground = static_cast<int32_t>(0x80000005u);
constexpr int32_t kWindowText = static_cast<int32_t>(0x80000008u);

void applyTexts(clsCountdown& c)
{
    c.setCountdownName({});
    c.setCountdownFileName({});
    c.setAdvertiserLogoFileName({});
    c.setImageFileName({});
    c.setContactEmail({});
    c.setContactURL({});
    c.setCopyright({});
    c.setCredit({});
    c.setDescription({});
    c.setEventCaption(QStringLiteral("New Event Countdown"));
    c.setAlarmFileName(QStringLiteral("Bell.mp3"));
    c.setEventCaptionFont(QStringLiteral("Arial"));
    c.setEventDateFont(QStringLiteral("Arial"));
    c.setTimerDateFont(QStringLiteral("Arial"));
}

void applyFonts(clsCountdown& c)
{
    c.setEventCaptionFontsize(10);
    c.setEventDateFontsize(8);
    c.setTimerDateFontsize(8);
    c.setEventCaptionFontItalic(0);
    c.setEventCaptionFontBold(0);
    c.setEventDateFontItalic(0);
    c.setEventDateFontBold(0);
    c.setTimerDateFontItalic(0);
    c.setTimerDateFontBold(0);
}

void applyColours(clsCountdown& c)
{
    c.setAdvertiserLogoBackColor(kWindowBackground);
    c.setBackgroundBackColor(kWindowBackground);
    c.setEventCaptionBackColor(kWindowBackground);
    c.setEventDateBackColor(kWindowBackground);
    c.setEventImageBackColor(kWindowBackground);
    c.setTimerDateBackColor(kWindowBackground);
    c.setBackgroundForeColor(kWindowText);
    c.setEventCaptionForeColor(kWindowText);
    c.setEventDateForeColor(kWindowText);
    c.setTimerDateForeColor(kWindowText);
}

void applyFlags(clsCountdown& c)
{
    c.setAlarmSound(true);
    c.setEventCaptionVisible(true);
    c.setEventDateVisible(true);
    c.setTimerDateVisible(true);
    c.setImageVisible(true);
    c.setOptionIconVisible(true);
    c.setSoundIconVisible(true);
    c.setStatusBarVisible(true);
    c.setAdvertiserLogoVisible(false);
    c.setCurrentTimeVisible(false);
    c.setSaveToFile(false);
    c.setStatusBarURLVisible(false);
    c.setIntervalYears(true);
    c.setIntervalMonths(true);
    c.setIntervalDays(true);
    c.setIntervalHours(true);
    c.setIntervalMinutes(true);
    c.setIntervalSeconds(true);
    c.setIntervalWorkDays(false);
}

void applyDates(clsCountdown& c)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    vb::oleDateToParts(vb::now(), &year, &month, &day, &hour, &minute, &second);
    c.setCreationDate(vb::oleDateFromParts(year, month, day, hour, minute, second));
    c.setEventDate(vb::oleDateFromParts(year, month, day));
}

// Screen width in twips / (ScreenWidthPixels / 800) * 0.75, in single precision: with 15 twips
// a pixel this is 9000 on any screen.
void applyWindowSize(clsCountdown& c, const ShowMessage& show)
{
    trapFailure(show, [] { modForm::MeasureScreenMetrics(); });
    trapFailure(show, [&] {
        if (modForm::ScreenWidthPixels == 0)
            throw platform::VbError(platform::vberr::DivisionByZero);
        const platform::Screen* screen = platform::services().screen;
        if (!screen)
            throw platform::VbError(platform::vberr::ObjectRequired);
        const float screenWidthTwips = static_cast<float>(screen->widthTwips());
        const float referenceScale = static_cast<float>(modForm::ScreenWidthPixels) / 800.0f;
        const float width = screenWidthTwips / referenceScale * 0.75f;
        if (!std::isfinite(width))
            throw platform::VbError(platform::vberr::Overflow);
        c.setWidth(width);
    });
    c.setHeight(c.Width() * 0.75f);
}

} // namespace

void applyFixedNewCountdownValues(clsCountdown& c)
{
    c.setCountdownId(0);
    c.setCountDirection(0);
    c.setTop(0);
    c.setLeft(0);
    c.setState(0);
    applyTexts(c);
    applyFonts(c);
    applyColours(c);
    applyFlags(c);
    c.setEventDateFormat(QStringLiteral("MMM dd, yyyy"));
    c.setImagePos(9);
    c.setViewFormat(1);
    c.setSaveFormat(QStringLiteral("0"));
    c.setStatusBarURLCaption(QStringLiteral("Name Your Site"));
    c.setStatusBarURL(kNewCountdownSiteAddress);
    c.setCountdownType(0);
}

void applyNewCountdownDefaults(clsCountdown& c, const ShowMessage& show)
{
    applyFixedNewCountdownValues(c);
    applyDates(c);
    c.setSaveFileName(ProgramContext::current().appPath + QStringLiteral("/Countdowns"));
    applyWindowSize(c, show);
}

} // namespace CountdownDefaults
