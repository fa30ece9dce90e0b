#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class QImage;

// Every setting of one countdown. Each Let of a display group raises that group's event
// only when the value really changes; events are plain signals, delivered synchronously
// (connect with Qt::DirectConnection, or leave the default on the one UI thread).
class clsCountdown : public QObject {
    Q_OBJECT

public:
    // The picture is shared with the caller, never copied.
    using Picture = std::shared_ptr<QImage>;

    // Sets DatabaseLocation to the work folder: the application folder followed by "\Temp".
    explicit clsCountdown(QObject* parent = nullptr);
    ~clsCountdown() override;

    int32_t CountdownId() const { return m_CountdownId; }
    void setCountdownId(int32_t v);
    QString CountdownFileName() const { return m_CountdownFileName; }
    void setCountdownFileName(const QString& v);
    void setCredit(const QString& v);
    QString Credit() const { return m_Credit; }
    void setCopyright(const QString& v);
    QString Copyright() const { return m_Copyright; }
    void setDescription(const QString& v);
    QString Description() const { return m_Description; }
    void setAdvertiserLogoFileName(const QString& v);
    QString AdvertiserLogoFileName() const { return m_AdvertiserLogoFileName; }
    void setEventCaption(const QString& v);
    QString EventCaption() const { return m_EventCaption; }
    QString AlarmFileName() const { return m_AlarmFileName; }
    void setAlarmFileName(const QString& v);
    QString ImageFileName() const { return m_ImageFileName; }
    void setImageFileName(const QString& v);
    QString ContactURL() const { return m_ContactURL; }
    void setContactURL(const QString& v);
    void setContactEmail(const QString& v);
    QString ContactEmail() const { return m_ContactEmail; }
    void setCreationDate(double v);
    double CreationDate() const { return m_CreationDate; }
    void setCountdownName(const QString& v);
    QString CountdownName() const { return m_CountdownName; }
    QString DatabaseLocation() const { return m_DatabaseLocation; }
    void setDatabaseLocation(const QString& v);
    int16_t ViewFormat() const { return m_ViewFormat; }
    void setViewFormat(int16_t v);

    // Writes the data file DatabaseLocation + "\" + CountdownFileName. False when the file could
    // not be written (the failure has been shown; the old file is whole), so it is not packed.
    bool Update();
    // Raises DataChanged.
    void Trigger_ChangeEvent();

    bool IntervalDays() const { return m_IntervalDays; }
    void setIntervalDays(bool v);
    bool IntervalWorkDays() const { return m_IntervalWorkDays; }
    void setIntervalWorkDays(bool v);
    bool IntervalHours() const { return m_IntervalHours; }
    void setIntervalHours(bool v);
    bool IntervalMinutes() const { return m_IntervalMinutes; }
    void setIntervalMinutes(bool v);
    bool IntervalMonths() const { return m_IntervalMonths; }
    void setIntervalMonths(bool v);
    bool IntervalSeconds() const { return m_IntervalSeconds; }
    void setIntervalSeconds(bool v);
    bool IntervalYears() const { return m_IntervalYears; }
    void setIntervalYears(bool v);
    int16_t ImagePos() const { return m_ImagePos; }
    void setImagePos(int16_t v);
    int32_t CountdownType() const { return m_CountdownType; }
    void setCountdownType(int32_t v);

    // Loads from the data file through the Lets, or takes the new-countdown values when
    // there is no file. Raises no DataChanged itself. True when the whole countdown was read
    // from its file; false for the new-countdown values and after any reported problem.
    bool Refresh();

    double EventDate() const { return m_EventDate; }
    void setEventDate(double v);
    QString EventDateFormat() const { return m_EventDateFormat; }
    void setEventDateFormat(const QString& v);
    QString EventDateFont() const { return m_EventDateFont; }
    void setEventDateFont(const QString& v);
    float EventDateFontsize() const { return m_EventDateFontsize; }
    void setEventDateFontsize(float v);
    int16_t EventDateFontItalic() const { return m_EventDateFontItalic; }
    void setEventDateFontItalic(int16_t v);
    int16_t EventDateFontBold() const { return m_EventDateFontBold; }
    void setEventDateFontBold(int16_t v);
    int32_t EventDateBackColor() const { return m_EventDateBackColor; }
    void setEventDateBackColor(int32_t v);
    int32_t EventDateForeColor() const { return m_EventDateForeColor; }
    void setEventDateForeColor(int32_t v);
    int32_t BackgroundBackColor() const { return m_BackgroundBackColor; }
    void setBackgroundBackColor(int32_t v);
    int32_t BackgroundForeColor() const { return m_BackgroundForeColor; }
    void setBackgroundForeColor(int32_t v);
    QString TimerDateFont() const { return m_TimerDateFont; }
    void setTimerDateFont(const QString& v);
    float TimerDateFontsize() const { return m_TimerDateFontsize; }
    void setTimerDateFontsize(float v);
    int16_t TimerDateFontItalic() const { return m_TimerDateFontItalic; }
    void setTimerDateFontItalic(int16_t v);
    int16_t TimerDateFontBold() const { return m_TimerDateFontBold; }
    void setTimerDateFontBold(int16_t v);
    int32_t TimerDateBackColor() const { return m_TimerDateBackColor; }
    void setTimerDateBackColor(int32_t v);
    int32_t TimerDateForeColor() const { return m_TimerDateForeColor; }
    void setTimerDateForeColor(int32_t v);
    QString EventCaptionFont() const { return m_EventCaptionFont; }
    void setEventCaptionFont(const QString& v);
    float EventCaptionFontsize() const { return m_EventCaptionFontsize; }
    void setEventCaptionFontsize(float v);
    void setEventCaptionFontItalic(int16_t v);
    int16_t EventCaptionFontItalic() const { return m_EventCaptionFontItalic; }
    void setEventCaptionFontBold(int16_t v);
    int16_t EventCaptionFontBold() const { return m_EventCaptionFontBold; }
    int32_t EventCaptionBackColor() const { return m_EventCaptionBackColor; }
    void setEventCaptionBackColor(int32_t v);
    int32_t EventCaptionForeColor() const { return m_EventCaptionForeColor; }
    void setEventCaptionForeColor(int32_t v);
    bool StatusBarVisible() const { return m_StatusBarVisible; }
    void setStatusBarVisible(bool v);
    bool StatusBarURLVisible() const { return m_StatusBarURLVisible; }
    void setStatusBarURLVisible(bool v);
    void setStatusBarURLCaption(const QString& v);
    QString StatusBarURLCaption() const { return m_StatusBarURLCaption; }
    void setStatusBarURL(const QString& v);
    QString StatusBarURL() const { return m_StatusBarURL; }
    bool SoundIconVisible() const { return m_SoundIconVisible; }
    void setSoundIconVisible(bool v);
    bool OptionIconVisible() const { return m_OptionIconVisible; }
    void setOptionIconVisible(bool v);
    bool CurrentTimeVisible() const { return m_CurrentTimeVisible; }
    void setCurrentTimeVisible(bool v);
    bool ImageVisible() const { return m_ImageVisible; }
    void setImageVisible(bool v);
    bool EventCaptionVisible() const { return m_EventCaptionVisible; }
    void setEventCaptionVisible(bool v);
    bool EventDateVisible() const { return m_EventDateVisible; }
    void setEventDateVisible(bool v);
    bool TimerDateVisible() const { return m_TimerDateVisible; }
    void setTimerDateVisible(bool v);
    bool SaveToFile() const { return m_SaveToFile; }
    void setSaveToFile(bool v);
    QString SaveFileName() const { return m_SaveFileName; }
    void setSaveFileName(const QString& v);
    QString SaveFormat() const { return m_SaveFormat; }
    void setSaveFormat(const QString& v);
    void setTop(float v);
    float Top() const { return m_Top; }
    void setHeight(float v);
    float Height() const { return m_Height; }
    void setLeft(float v);
    float Left() const { return m_Left; }
    void setWidth(float v);
    float Width() const { return m_Width; }
    int16_t State() const { return m_State; }
    void setState(int16_t v);

    // Deletes the data file sCountdownName.MVK in the Countdowns folder, then raises DataChanged.
    void RemoveCountdown(const QString& sCountdownName);

    bool AlarmSound() const { return m_AlarmSound; }
    void setAlarmSound(bool v);
    int16_t CountDirection() const { return m_CountDirection; }
    void setCountDirection(int16_t v);
    bool AdvertiserLogoVisible() const { return m_AdvertiserLogoVisible; }
    void setAdvertiserLogoVisible(bool v);
    int32_t AdvertiserLogoBackColor() const { return m_AdvertiserLogoBackColor; }
    void setAdvertiserLogoBackColor(int32_t v);
    int32_t EventImageBackColor() const { return m_EventImageBackColor; }
    void setEventImageBackColor(int32_t v);
    Picture EventImage() const { return m_EventImage; }
    void setEventImage(Picture v);

signals:
    void RingAlarm();
    void EventDateChange();
    void DataChanged();
    void AdvertiserDataChanged();
    void IntervalYearsDataChanged();
    void IntervalMonthsDataChanged();
    void IntervalWorkDaysDataChanged();
    void IntervalDaysDataChanged();
    void IntervalHoursDataChanged();
    void IntervalMinutesDataChanged();
    void IntervalSecondsDataChanged();
    void EventCaptionDataChanged();
    void ImageFileNameDataChanged();
    void EventDateDataChanged();
    void TimerDateDataChanged();
    void BackgroundDataChanged();

private:
    int32_t m_CountdownId = 0;
    QString m_CountdownFileName;
    QString m_Credit;
    QString m_Copyright;
    QString m_Description;
    QString m_AdvertiserLogoFileName;
    QString m_EventCaption;
    QString m_AlarmFileName;
    QString m_ImageFileName;
    QString m_ContactURL;
    QString m_ContactEmail;
    double m_CreationDate = 0.0;
    QString m_CountdownName;
    QString m_DatabaseLocation;
    int16_t m_ViewFormat = 0;
    bool m_IntervalDays = false;
    bool m_IntervalWorkDays = false;
    bool m_IntervalHours = false;
    bool m_IntervalMinutes = false;
    bool m_IntervalMonths = false;
    bool m_IntervalSeconds = false;
    bool m_IntervalYears = false;
    int16_t m_ImagePos = 0;
    int32_t m_CountdownType = 0;
    double m_EventDate = 0.0;
    QString m_EventDateFormat;
    QString m_EventDateFont;
    float m_EventDateFontsize = 0.0f;
    int16_t m_EventDateFontItalic = 0;
    int16_t m_EventDateFontBold = 0;
    int32_t m_EventDateBackColor = 0;
    int32_t m_EventDateForeColor = 0;
    int32_t m_BackgroundBackColor = 0;
    int32_t m_BackgroundForeColor = 0;
    QString m_TimerDateFont;
    float m_TimerDateFontsize = 0.0f;
    int16_t m_TimerDateFontItalic = 0;
    int16_t m_TimerDateFontBold = 0;
    int32_t m_TimerDateBackColor = 0;
    int32_t m_TimerDateForeColor = 0;
    QString m_EventCaptionFont;
    float m_EventCaptionFontsize = 0.0f;
    int16_t m_EventCaptionFontItalic = 0;
    int16_t m_EventCaptionFontBold = 0;
    int32_t m_EventCaptionBackColor = 0;
    int32_t m_EventCaptionForeColor = 0;
    bool m_StatusBarVisible = false;
    bool m_StatusBarURLVisible = false;
    QString m_StatusBarURLCaption;
    QString m_StatusBarURL;
    bool m_SoundIconVisible = false;
    bool m_OptionIconVisible = false;
    bool m_CurrentTimeVisible = false;
    bool m_ImageVisible = false;
    bool m_EventCaptionVisible = false;
    bool m_EventDateVisible = false;
    bool m_TimerDateVisible = false;
    bool m_SaveToFile = false;
    QString m_SaveFileName;
    QString m_SaveFormat;
    float m_Top = 0.0f;
    float m_Height = 0.0f;
    float m_Left = 0.0f;
    float m_Width = 0.0f;
    int16_t m_State = 0;
    bool m_AlarmSound = false;
    int16_t m_CountDirection = 0;
    bool m_AdvertiserLogoVisible = false;
    int32_t m_AdvertiserLogoBackColor = 0;
    int32_t m_EventImageBackColor = 0;
    Picture m_EventImage;
};
