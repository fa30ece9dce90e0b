#pragma once

#include "countdown/clsTimer.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>

// The running counter of a countdown window: splits the time between CurrentDate and
// EventDate into whole years, months, days, hours, minutes and seconds, rings the alarm at
// the exact event time, pauses, and shifts the event by a timer amount. It also carries
// copies of display and export settings. Dates are days since 1899-12-30 with the time of
// day as the fraction. Events are plain signals, delivered synchronously.
class clsCounter : public QObject {
    Q_OBJECT

public:
    // EventDate and EventStartDate start at the present date and time; CurrentDate at 0.
    explicit clsCounter(QObject* parent = nullptr);
    ~clsCounter() override;

    QString AdvertiserLogoFileName() const { return m_AdvertiserLogoFileName; }
    void setAdvertiserLogoFileName(const QString& v) { m_AdvertiserLogoFileName = v; }

    // Each Interval flag switches one step of Refresh on or off; the span of a step that is
    // off is counted by the next step that is on.
    bool IntervalYears() const { return m_IntervalYears; }
    void setIntervalYears(bool v) { m_IntervalYears = v; }
    bool IntervalMonths() const { return m_IntervalMonths; }
    void setIntervalMonths(bool v) { m_IntervalMonths = v; }
    bool IntervalDays() const { return m_IntervalDays; }
    void setIntervalDays(bool v) { m_IntervalDays = v; }
    // Counts only the time that lies on Monday to Friday.
    bool IntervalWorkDays() const { return m_IntervalWorkDays; }
    void setIntervalWorkDays(bool v) { m_IntervalWorkDays = v; }
    bool IntervalHours() const { return m_IntervalHours; }
    void setIntervalHours(bool v) { m_IntervalHours = v; }
    bool IntervalMinutes() const { return m_IntervalMinutes; }
    void setIntervalMinutes(bool v) { m_IntervalMinutes = v; }
    bool IntervalSeconds() const { return m_IntervalSeconds; }
    void setIntervalSeconds(bool v) { m_IntervalSeconds = v; }

    // Results of Refresh, in 64 bits: any span of the years 100 to 9999 fits in seconds alone.
    int64_t YearsLeft() const { return m_YearsLeft; }
    void setYearsLeft(int64_t v) { m_YearsLeft = v; }
    int64_t MonthsLeft() const { return m_MonthsLeft; }
    void setMonthsLeft(int64_t v) { m_MonthsLeft = v; }
    int64_t DaysLeft() const { return m_DaysLeft; }
    void setDaysLeft(int64_t v) { m_DaysLeft = v; }
    int64_t HoursLeft() const { return m_HoursLeft; }
    void setHoursLeft(int64_t v) { m_HoursLeft = v; }
    int64_t MinutesLeft() const { return m_MinutesLeft; }
    void setMinutesLeft(int64_t v) { m_MinutesLeft = v; }
    int64_t SecondsLeft() const { return m_SecondsLeft; }
    void setSecondsLeft(int64_t v) { m_SecondsLeft = v; }

    double CurrentDate() const { return m_CurrentDate; }
    // Stores the value; raises RingAlarm when it equals EventDate exactly and AlarmSet is on.
    // Does not recompute the counts.
    void setCurrentDate(double v);
    double EventDate() const { return m_EventDate; }
    // Stores the value, runs Refresh, raises EventDateChange.
    void setEventDate(double v);

    // Recomputes the six counts from CurrentDate (to whole seconds) and EventDate.
    void Refresh();

    bool AlarmSet() const { return m_AlarmSet; }
    void setAlarmSet(bool v) { m_AlarmSet = v; }
    QString AlarmFileName() const { return m_AlarmFileName; }
    void setAlarmFileName(const QString& v) { m_AlarmFileName = v; }

    bool Pause() const { return m_Pause; }
    // true: remembers the present time in PausedDateTime. false: moves EventDate later by
    // the whole seconds paused (without Refresh) and raises EventDateChange.
    void setPause(bool v);
    double PausedDateTime() const { return m_PausedDateTime; }
    void setPausedDateTime(double v) { m_PausedDateTime = v; }

    // Held in 16 bits: a value outside -32768..32767 raises VbError 6 ("Overflow").
    int32_t TimerAmount() const { return m_TimerAmount; }
    void setTimerAmount(int32_t v);
    // Moves EventDate by TimerAmount units of TimerInterval ("yyyy", "m", "d", "h", "n" or
    // "s"), runs Refresh, raises EventDateChange. Any other unit raises VbError 5 before
    // EventDate changes.
    void ApplyTimerAmount();
    QString TimerInterval() const { return m_TimerInterval; }
    void setTimerInterval(const QString& v) { m_TimerInterval = v; }
    QString StoreTimerString() const { return m_StoreTimerString; }
    void setStoreTimerString(const QString& v) { m_StoreTimerString = v; }
    QString EventCaption() const { return m_EventCaption; }
    void setEventCaption(const QString& v) { m_EventCaption = v; }
    QString ImageFileName() const { return m_ImageFileName; }
    void setImageFileName(const QString& v) { m_ImageFileName = v; }

    // Sets EventDate to the present time, then applies the timer's days, hours, minutes and
    // seconds (each above 0) one after another through ApplyTimerAmount.
    void AutoSet(clsTimer& lclsTimer);

    int16_t Mode() const { return m_Mode; }
    // 1 also arms the alarm; no value disarms it.
    void setMode(int16_t v);
    int16_t ImagePos() const { return m_ImagePos; }
    void setImagePos(int16_t v) { m_ImagePos = v; }
    QString EventDateFormat() const { return m_EventDateFormat; }
    void setEventDateFormat(const QString& v) { m_EventDateFormat = v; }
    QString EventDateFont() const { return m_EventDateFont; }
    void setEventDateFont(const QString& v) { m_EventDateFont = v; }
    int16_t EventDateFontsize() const { return m_EventDateFontsize; }
    void setEventDateFontsize(int16_t v) { m_EventDateFontsize = v; }
    int16_t EventDateFontItalic() const { return m_EventDateFontItalic; }
    void setEventDateFontItalic(int16_t v) { m_EventDateFontItalic = v; }
    int16_t EventDateFontBold() const { return m_EventDateFontBold; }
    void setEventDateFontBold(int16_t v) { m_EventDateFontBold = v; }
    int32_t EventDateBackColor() const { return m_EventDateBackColor; }
    void setEventDateBackColor(int32_t v) { m_EventDateBackColor = v; }
    int32_t EventDateForeColor() const { return m_EventDateForeColor; }
    void setEventDateForeColor(int32_t v) { m_EventDateForeColor = v; }
    int32_t BackgroundBackColor() const { return m_BackgroundBackColor; }
    void setBackgroundBackColor(int32_t v) { m_BackgroundBackColor = v; }
    int32_t BackgroundForeColor() const { return m_BackgroundForeColor; }
    void setBackgroundForeColor(int32_t v) { m_BackgroundForeColor = v; }
    QString TimerDateFont() const { return m_TimerDateFont; }
    void setTimerDateFont(const QString& v) { m_TimerDateFont = v; }
    int16_t TimerDateFontsize() const { return m_TimerDateFontsize; }
    void setTimerDateFontsize(int16_t v) { m_TimerDateFontsize = v; }
    int16_t TimerDateFontItalic() const { return m_TimerDateFontItalic; }
    void setTimerDateFontItalic(int16_t v) { m_TimerDateFontItalic = v; }
    int16_t TimerDateFontBold() const { return m_TimerDateFontBold; }
    void setTimerDateFontBold(int16_t v) { m_TimerDateFontBold = v; }
    int32_t TimerDateBackColor() const { return m_TimerDateBackColor; }
    void setTimerDateBackColor(int32_t v) { m_TimerDateBackColor = v; }
    int32_t TimerDateForeColor() const { return m_TimerDateForeColor; }
    void setTimerDateForeColor(int32_t v) { m_TimerDateForeColor = v; }
    int16_t ViewFormat() const { return m_ViewFormat; }
    void setViewFormat(int16_t v) { m_ViewFormat = v; }
    int16_t ViewPlacement() const { return m_ViewPlacement; }
    void setViewPlacement(int16_t v) { m_ViewPlacement = v; }
    QString EventCaptionFont() const { return m_EventCaptionFont; }
    void setEventCaptionFont(const QString& v) { m_EventCaptionFont = v; }
    int16_t EventCaptionFontsize() const { return m_EventCaptionFontsize; }
    void setEventCaptionFontsize(int16_t v) { m_EventCaptionFontsize = v; }
    int16_t EventCaptionFontItalic() const { return m_EventCaptionFontItalic; }
    void setEventCaptionFontItalic(int16_t v) { m_EventCaptionFontItalic = v; }
    int16_t EventCaptionFontBold() const { return m_EventCaptionFontBold; }
    void setEventCaptionFontBold(int16_t v) { m_EventCaptionFontBold = v; }
    int32_t EventCaptionBackColor() const { return m_EventCaptionBackColor; }
    void setEventCaptionBackColor(int32_t v) { m_EventCaptionBackColor = v; }
    int32_t EventCaptionForeColor() const { return m_EventCaptionForeColor; }
    void setEventCaptionForeColor(int32_t v) { m_EventCaptionForeColor = v; }
    bool ImageVisible() const { return m_ImageVisible; }
    void setImageVisible(bool v) { m_ImageVisible = v; }
    bool EventCaptionVisible() const { return m_EventCaptionVisible; }
    void setEventCaptionVisible(bool v) { m_EventCaptionVisible = v; }
    bool EventDateVisible() const { return m_EventDateVisible; }
    void setEventDateVisible(bool v) { m_EventDateVisible = v; }
    bool TimerDateVisible() const { return m_TimerDateVisible; }
    void setTimerDateVisible(bool v) { m_TimerDateVisible = v; }

    // Raises DataChanged.
    void ForceRaiseEvent();

    double EventStartDate() const { return m_EventStartDate; }
    void setEventStartDate(double v) { m_EventStartDate = v; }

    // Held by reference, never owned or copied.
    ::clsTimer* clsTimer() const { return m_clsTimer; }
    void setClsTimer(::clsTimer* v) { m_clsTimer = v; }

    bool SaveToFile() const { return m_SaveToFile; }
    void setSaveToFile(bool v) { m_SaveToFile = v; }
    QString SaveFileName() const { return m_SaveFileName; }
    void setSaveFileName(const QString& v) { m_SaveFileName = v; }
    QString SaveFormat() const { return m_SaveFormat; }
    void setSaveFormat(const QString& v) { m_SaveFormat = v; }
    bool LeftOpen() const { return m_LeftOpen; }
    void setLeftOpen(bool v) { m_LeftOpen = v; }

signals:
    void RingAlarm();
    void EventDateChange();
    void DataChanged();

private:
    // The cascade of Refresh; each step counts on the start the step before left.
    void CalcYearsLeft();
    void CalcMonthsLeft();
    void CalcDaysLeft();
    void CalcHoursLeft();
    void CalcMinutesLeft();
    void CalcSecondsLeft();

    QString m_AdvertiserLogoFileName;
    bool m_IntervalYears = true;
    bool m_IntervalMonths = true;
    bool m_IntervalDays = true;
    bool m_IntervalWorkDays = false;
    bool m_IntervalHours = true;
    bool m_IntervalMinutes = true;
    bool m_IntervalSeconds = true;
    int64_t m_YearsLeft = 0;
    int64_t m_MonthsLeft = 0;
    int64_t m_DaysLeft = 0;
    int64_t m_HoursLeft = 0;
    int64_t m_MinutesLeft = 0;
    int64_t m_SecondsLeft = 0;
    double m_CurrentDate = 0;
    double m_EventDate = 0;
    bool m_AlarmSet = false;
    bool m_Pause = false;
    double m_PausedDateTime = 0;
    int16_t m_TimerAmount = 0;
    QString m_TimerInterval;
    int16_t m_Mode = 2;
    QString m_AlarmFileName;
    QString m_StoreTimerString;
    QString m_EventCaption;
    QString m_ImageFileName;
    int16_t m_ImagePos = 0;
    QString m_EventDateFormat;
    QString m_EventDateFont;
    int16_t m_EventDateFontsize = 0;
    int16_t m_EventDateFontItalic = 0;
    int16_t m_EventDateFontBold = 0;
    int32_t m_EventDateBackColor = 0;
    int32_t m_EventDateForeColor = 0;
    int32_t m_BackgroundBackColor = 0;
    int32_t m_BackgroundForeColor = 0;
    QString m_TimerDateFont;
    int16_t m_TimerDateFontsize = 0;
    int16_t m_TimerDateFontItalic = 0;
    int16_t m_TimerDateFontBold = 0;
    int32_t m_TimerDateBackColor = 0;
    int32_t m_TimerDateForeColor = 0;
    int16_t m_ViewFormat = 1;
    int16_t m_ViewPlacement = 0;
    QString m_EventCaptionFont;
    int16_t m_EventCaptionFontsize = 0;
    int16_t m_EventCaptionFontItalic = 0;
    int16_t m_EventCaptionFontBold = 0;
    int32_t m_EventCaptionBackColor = 0;
    int32_t m_EventCaptionForeColor = 0;
    bool m_ImageVisible = true;
    bool m_EventCaptionVisible = true;
    bool m_EventDateVisible = true;
    bool m_TimerDateVisible = true;
    double m_EventStartDate = 0;
    QPointer<::clsTimer> m_clsTimer;
    bool m_SaveToFile = false;
    QString m_SaveFileName;
    QString m_SaveFormat;
    bool m_LeftOpen = false;

    // Working dates of one Refresh, in milliseconds since 1899-12-30 00:00:00.
    int64_t m_workStart = 0;
    int64_t m_workEnd = 0;
};
