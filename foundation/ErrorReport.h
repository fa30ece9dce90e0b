#pragma once

#include <QString>

namespace platform {
struct VbError;
}

// The text of a message box that reports a run-time error: the error's number, then its
// description. The messages differ only in what stands between the two.

// Number, CR LF, description: the usual report.
QString errorReport(const platform::VbError& error);
// Number, a line feed alone, description: the readers and writers of the data and form files.
QString errorReportLf(const platform::VbError& error);
// Number and description with nothing between: the export.
QString errorReportJoined(const platform::VbError& error);
// Number, one blank, description: a countdown that cannot find its folder.
QString errorReportBlank(const platform::VbError& error);
