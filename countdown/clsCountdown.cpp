#include "countdown/clsCountdown.h"

#include "countdown/clsCountdownDb.h"
#include "foundation/ProgramContext.h"

namespace {

// Stores `value` and says whether it differed from what was held.
template <class T>
bool store(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

clsCountdown::clsCountdown(QObject* parent)
    : QObject(parent), m_DatabaseLocation(ProgramContext::current().appPath + QStringLiteral("\\Temp"))
{
}

clsCountdown::~clsCountdown() = default;

void clsCountdown::setCountdownId(int32_t v) { m_CountdownId = v; }
void clsCountdown::setCountdownFileName(const QString& v) { m_CountdownFileName = v; }
void clsCountdown::setCredit(const QString& v) { m_Credit = v; }
void clsCountdown::setCopyright(const QString& v) { m_Copyright = v; }
void clsCountdown::setDescription(const QString& v) { m_Description = v; }
void clsCountdown::setAdvertiserLogoFileName(const QString& v) { m_AdvertiserLogoFileName = v; }
void clsCountdown::setEventCaption(const QString& v)
{
    if (store(m_EventCaption, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setAlarmFileName(const QString& v) { m_AlarmFileName = v; }
void clsCountdown::setImageFileName(const QString& v)
{
    if (store(m_ImageFileName, v))
        emit ImageFileNameDataChanged();
}
void clsCountdown::setContactURL(const QString& v) { m_ContactURL = v; }
void clsCountdown::setContactEmail(const QString& v) { m_ContactEmail = v; }
void clsCountdown::setCreationDate(double v) { m_CreationDate = v; }
void clsCountdown::setCountdownName(const QString& v) { m_CountdownName = v; }
void clsCountdown::setDatabaseLocation(const QString& v) { m_DatabaseLocation = v; }
void clsCountdown::setViewFormat(int16_t v) { m_ViewFormat = v; }

bool clsCountdown::Update()
{
    clsCountdownDb db;
    db.CreateNewCountdown(*this);
    return db.lastWriteSucceeded();
}

void clsCountdown::Trigger_ChangeEvent() { emit DataChanged(); }

void clsCountdown::setIntervalDays(bool v)
{
    if (store(m_IntervalDays, v)) {
        emit IntervalDaysDataChanged();
        emit TimerDateDataChanged();
    }
}
void clsCountdown::setIntervalWorkDays(bool v) { m_IntervalWorkDays = v; }
void clsCountdown::setIntervalHours(bool v)
{
    if (store(m_IntervalHours, v))
        emit IntervalHoursDataChanged();
}
void clsCountdown::setIntervalMinutes(bool v)
{
    if (store(m_IntervalMinutes, v))
        emit IntervalMinutesDataChanged();
}
void clsCountdown::setIntervalMonths(bool v)
{
    if (store(m_IntervalMonths, v))
        emit IntervalMonthsDataChanged();
}
void clsCountdown::setIntervalSeconds(bool v)
{
    if (store(m_IntervalSeconds, v))
        emit IntervalSecondsDataChanged();
}
void clsCountdown::setIntervalYears(bool v)
{
    if (store(m_IntervalYears, v))
        emit IntervalYearsDataChanged();
}
void clsCountdown::setImagePos(int16_t v) { m_ImagePos = v; }
void clsCountdown::setCountdownType(int32_t v) { m_CountdownType = v; }

bool clsCountdown::Refresh()
{
    clsCountdownDb db;
    db.Find_Countdown(*this);
    return db.lastReadSucceeded();
}

void clsCountdown::setEventDate(double v)
{
    if (store(m_EventDate, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateFormat(const QString& v)
{
    if (store(m_EventDateFormat, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateFont(const QString& v)
{
    if (store(m_EventDateFont, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateFontsize(float v)
{
    if (store(m_EventDateFontsize, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateFontItalic(int16_t v)
{
    if (store(m_EventDateFontItalic, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateFontBold(int16_t v)
{
    if (store(m_EventDateFontBold, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateBackColor(int32_t v)
{
    if (store(m_EventDateBackColor, v))
        emit EventDateDataChanged();
}
void clsCountdown::setEventDateForeColor(int32_t v)
{
    if (store(m_EventDateForeColor, v))
        emit EventDateDataChanged();
}
void clsCountdown::setBackgroundBackColor(int32_t v)
{
    if (store(m_BackgroundBackColor, v))
        emit ImageFileNameDataChanged();
}
void clsCountdown::setBackgroundForeColor(int32_t v)
{
    if (store(m_BackgroundForeColor, v))
        emit ImageFileNameDataChanged();
}
void clsCountdown::setTimerDateFont(const QString& v)
{
    if (store(m_TimerDateFont, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setTimerDateFontsize(float v)
{
    if (store(m_TimerDateFontsize, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setTimerDateFontItalic(int16_t v)
{
    if (store(m_TimerDateFontItalic, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setTimerDateFontBold(int16_t v)
{
    if (store(m_TimerDateFontBold, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setTimerDateBackColor(int32_t v)
{
    if (store(m_TimerDateBackColor, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setTimerDateForeColor(int32_t v)
{
    if (store(m_TimerDateForeColor, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setEventCaptionFont(const QString& v)
{
    if (store(m_EventCaptionFont, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setEventCaptionFontsize(float v)
{
    if (store(m_EventCaptionFontsize, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setEventCaptionFontItalic(int16_t v)
{
    if (store(m_EventCaptionFontItalic, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setEventCaptionFontBold(int16_t v)
{
    if (store(m_EventCaptionFontBold, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setEventCaptionBackColor(int32_t v)
{
    if (store(m_EventCaptionBackColor, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setEventCaptionForeColor(int32_t v)
{
    if (store(m_EventCaptionForeColor, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setStatusBarVisible(bool v) { m_StatusBarVisible = v; }
void clsCountdown::setStatusBarURLVisible(bool v) { m_StatusBarURLVisible = v; }
void clsCountdown::setStatusBarURLCaption(const QString& v) { m_StatusBarURLCaption = v; }
void clsCountdown::setStatusBarURL(const QString& v) { m_StatusBarURL = v; }
void clsCountdown::setSoundIconVisible(bool v) { m_SoundIconVisible = v; }
void clsCountdown::setOptionIconVisible(bool v) { m_OptionIconVisible = v; }
void clsCountdown::setCurrentTimeVisible(bool v) { m_CurrentTimeVisible = v; }
void clsCountdown::setImageVisible(bool v)
{
    if (store(m_ImageVisible, v))
        emit ImageFileNameDataChanged();
}
void clsCountdown::setEventCaptionVisible(bool v)
{
    if (store(m_EventCaptionVisible, v))
        emit EventCaptionDataChanged();
}
void clsCountdown::setEventDateVisible(bool v)
{
    if (store(m_EventDateVisible, v))
        emit EventDateDataChanged();
}
void clsCountdown::setTimerDateVisible(bool v)
{
    if (store(m_TimerDateVisible, v))
        emit TimerDateDataChanged();
}
void clsCountdown::setSaveToFile(bool v) { m_SaveToFile = v; }
void clsCountdown::setSaveFileName(const QString& v) { m_SaveFileName = v; }
void clsCountdown::setSaveFormat(const QString& v) { m_SaveFormat = v; }
void clsCountdown::setTop(float v) { m_Top = v; }
void clsCountdown::setHeight(float v) { m_Height = v; }
void clsCountdown::setLeft(float v) { m_Left = v; }
void clsCountdown::setWidth(float v) { m_Width = v; }
void clsCountdown::setState(int16_t v) { m_State = v; }

void clsCountdown::RemoveCountdown(const QString& sCountdownName)
{
    {
        clsCountdownDb db;
        db.RemoveCountdown(*this, sCountdownName);
    }
    emit DataChanged();
}

void clsCountdown::setAlarmSound(bool v) { m_AlarmSound = v; }
void clsCountdown::setCountDirection(int16_t v) { m_CountDirection = v; }
void clsCountdown::setAdvertiserLogoVisible(bool v) { m_AdvertiserLogoVisible = v; }
void clsCountdown::setAdvertiserLogoBackColor(int32_t v)
{
    if (store(m_AdvertiserLogoBackColor, v))
        emit AdvertiserDataChanged();
}
void clsCountdown::setEventImageBackColor(int32_t v)
{
    if (store(m_EventImageBackColor, v))
        emit ImageFileNameDataChanged();
}
void clsCountdown::setEventImage(Picture v) { m_EventImage = std::move(v); }
