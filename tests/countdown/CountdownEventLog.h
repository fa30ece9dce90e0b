#pragma once

#include "countdown/clsCountdown.h"

#include <QObject>
#include <QStringList>

#include <utility>

// Records the name of every event a countdown raises, in order, as it is raised.
class CountdownEventLog {
public:
    explicit CountdownEventLog(clsCountdown& countdown)
    {
        using Signal = void (clsCountdown::*)();
        const std::pair<Signal, const char*> events[] = {
            {&clsCountdown::RingAlarm, "RingAlarm"},
            {&clsCountdown::EventDateChange, "EventDateChange"},
            {&clsCountdown::DataChanged, "DataChanged"},
            {&clsCountdown::AdvertiserDataChanged, "AdvertiserDataChanged"},
            {&clsCountdown::IntervalYearsDataChanged, "IntervalYearsDataChanged"},
            {&clsCountdown::IntervalMonthsDataChanged, "IntervalMonthsDataChanged"},
            {&clsCountdown::IntervalWorkDaysDataChanged, "IntervalWorkDaysDataChanged"},
            {&clsCountdown::IntervalDaysDataChanged, "IntervalDaysDataChanged"},
            {&clsCountdown::IntervalHoursDataChanged, "IntervalHoursDataChanged"},
            {&clsCountdown::IntervalMinutesDataChanged, "IntervalMinutesDataChanged"},
            {&clsCountdown::IntervalSecondsDataChanged, "IntervalSecondsDataChanged"},
            {&clsCountdown::EventCaptionDataChanged, "EventCaptionDataChanged"},
            {&clsCountdown::ImageFileNameDataChanged, "ImageFileNameDataChanged"},
            {&clsCountdown::EventDateDataChanged, "EventDateDataChanged"},
            {&clsCountdown::TimerDateDataChanged, "TimerDateDataChanged"},
            {&clsCountdown::BackgroundDataChanged, "BackgroundDataChanged"},
        };
        for (const auto& [signal, name] : events) {
            QObject::connect(&countdown, signal, &countdown,
                             [this, name = QString::fromLatin1(name)] { names << name; }, Qt::DirectConnection);
        }
    }

    // Returns what was recorded and starts afresh.
    QStringList take() { return std::exchange(names, {}); }

    QStringList names;
};
