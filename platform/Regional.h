#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace platform {

// The user's regional settings as the date and number conversions see them. A plain value:
// tests and programs set the fields they need. The default is the Windows United States set.
struct Regional {
    QString shortDatePattern = QStringLiteral("M/d/yyyy"); // Windows picture letters d M y
    QString timePattern = QStringLiteral("h:mm:ss tt");    // h/H hours, m minutes, s seconds, tt marker
    QString amDesignator = QStringLiteral("AM");
    QString pmDesignator = QStringLiteral("PM");
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandsSeparator = QLatin1Char(',');
    QChar dateSeparator = QLatin1Char('/');
    QChar timeSeparator = QLatin1Char(':');
    QStringList monthNames = {"January", "February", "March", "April", "May", "June", "July",
                              "August", "September", "October", "November", "December"};
    QStringList monthAbbreviations = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Sunday first.
    QStringList dayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    QStringList dayAbbreviations = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
};

// The regional settings in force: those of the installed services, or the defaults when none
// are installed.
const Regional& regional();

} // namespace platform
