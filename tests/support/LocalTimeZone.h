#pragma once

#include <QByteArray>

#include <cstdlib>
#include <ctime>

// Sets the process's local time zone (TZ) for the object's lifetime and puts the previous one
// back, so local-time code can be run on another zone's clock changes.
class LocalTimeZone {
public:
    explicit LocalTimeZone(const char* zone) : hadZone_(qEnvironmentVariableIsSet("TZ")), previous_(qgetenv("TZ"))
    {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalTimeZone()
    {
        if (hadZone_)
            setenv("TZ", previous_.constData(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    LocalTimeZone(const LocalTimeZone&) = delete;
    LocalTimeZone& operator=(const LocalTimeZone&) = delete;

private:
    bool hadZone_;
    QByteArray previous_;
};
