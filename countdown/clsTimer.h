#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

// A duration held as six separate whole numbers, changed by short set-strings such as
// "+1d12h" (add), "-30n" (take off) or "=2h" (set). TimerChanged is a plain signal,
// delivered synchronously.
class clsTimer : public QObject {
    Q_OBJECT

public:
    explicit clsTimer(QObject* parent = nullptr);

    int32_t Years() const { return m_Years; }
    void setYears(int32_t v) { m_Years = v; }
    int32_t Months() const { return m_Months; }
    void setMonths(int32_t v) { m_Months = v; }
    int32_t Days() const { return m_Days; }
    void setDays(int32_t v) { m_Days = v; }
    int32_t Hours() const { return m_Hours; }
    void setHours(int32_t v) { m_Hours = v; }
    int32_t Minutes() const { return m_Minutes; }
    void setMinutes(int32_t v) { m_Minutes = v; }
    int32_t Seconds() const { return m_Seconds; }
    void setSeconds(int32_t v) { m_Seconds = v; }

    // Stores a non-empty set-string, then applies the stored one. An operator other than
    // "+", "-" or "=" shows "Invalid SetString " and the set-string, and changes nothing.
    // An amount or result outside 32 bits raises VbError 6 ("Overflow"); the units applied
    // before it keep their values and TimerChanged is not raised.
    void SetTimer(const QString& sSetString);
    // Applies the stored set-string again.
    void ReSetTimer();

    QString EventCaption() const { return m_EventCaption; }
    // Raises TimerChanged even when the caption is unchanged.
    void setEventCaption(const QString& v);
    QString ImageFileName() const { return m_ImageFileName; }
    void setImageFileName(const QString& v) { m_ImageFileName = v; }
    QString SetString() const { return m_SetString; }
    void setSetString(const QString& v) { m_SetString = v; }

signals:
    void TimerChanged();

private:
    int32_t ApplyYears(const QString& op, int32_t amount) const;
    int32_t ApplyMonths(const QString& op, int32_t amount) const;
    int32_t ApplyDays(const QString& op, int32_t amount) const;
    int32_t ApplyHours(const QString& op, int32_t amount) const;
    int32_t ApplyMinutes(const QString& op, int32_t amount) const;
    int32_t ApplySeconds(const QString& op, int32_t amount) const;
    void applySetString();

    int32_t m_Years = 0;
    int32_t m_Months = 0;
    int32_t m_Days = 0;
    int32_t m_Hours = 0;
    int32_t m_Minutes = 0;
    int32_t m_Seconds = 0;
    QString m_EventCaption;
    QString m_ImageFileName;
    QString m_SetString;
};
