#include "foundation/ErrorReport.h"
#include "platform/VbError.h"

#include <gtest/gtest.h>

TEST(ErrorReport, NumberThenDescriptionWithEachMessagesSeparator)
{
    const platform::VbError error(53, QStringLiteral("File not found"));
    struct Case {
        QString (*report)(const platform::VbError&);
        const char* expected;
    };
    const Case cases[] = {
        {errorReport, "53\r\nFile not found"},
        {errorReportLf, "53\nFile not found"},
        {errorReportJoined, "53File not found"},
        {errorReportBlank, "53 File not found"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.report(error).toStdString(), c.expected);
    EXPECT_EQ(errorReport(platform::VbError(-2147467259, QString())).toStdString(), "-2147467259\r\n");
}
