#include "foundation/ErrorReport.h"

#include "platform/VbError.h"

namespace {

QString joined(const platform::VbError& error, QLatin1String separator)
{
    return QString::number(error.number) + separator + error.description;
}

} // namespace

QString errorReport(const platform::VbError& error)
{
    return joined(error, QLatin1String("\r\n"));
}

QString errorReportLf(const platform::VbError& error)
{
    return joined(error, QLatin1String("\n"));
}

QString errorReportJoined(const platform::VbError& error)
{
    return joined(error, QLatin1String(""));
}

QString errorReportBlank(const platform::VbError& error)
{
    return joined(error, QLatin1String(" "));
}
