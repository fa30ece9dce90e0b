#include "countdown/QStringPrinting.h"
#include "countdown/clsCountdown.h"
#include "countdown/clsCountdownDb.h"
#include "foundation/OleDate.h"
#include "foundation/modDecryption.h"
#include "platform/Cp1252.h"
#include "support/DecimalCommaLocale.h"
#include "support/FixedClock.h"
#include "support/ProgramFolderFixture.h"

#include <gtest/gtest.h>

namespace {

QStringList plainLinesOf(const QByteArray& file)
{
    QStringList lines;
    for (const QByteArray& line : file.split('\n'))
        lines << platform::fromCp1252(modDecryption::UnscrambleLine(line.chopped(line.endsWith('\r') ? 1 : 0)));
    return lines;
}

} // namespace

// A session whose C library writes decimal commas saves and reopens a countdown with the same
// geometry and font sizes; only the regional decimal separator decides the text in the file.
TEST(DecimalCommaLocale, DataFileRoundTripKeepsFractionalValues)
{
    DecimalCommaLocale decimalComma;
    ASSERT_EQ(decimalComma.error(), QString());
    const struct {
        QChar decimalSeparator, thousandsSeparator;
        QString widthLine, fontsizeLine;
    } regionals[] = {
        {'.', ',', "<Width>8203.125</Width>", "<EventCaptionFontsize>10.5</EventCaptionFontsize>"},
        {',', '.', "<Width>8203,125</Width>", "<EventCaptionFontsize>10,5</EventCaptionFontsize>"},
    };
    for (const auto& r : regionals) {
        SCOPED_TRACE(r.widthLine.toStdString());
        TestProgram<> program;
        TestServices& services = program.services;
        services.regional().decimalSeparator = r.decimalSeparator;
        services.regional().thousandsSeparator = r.thousandsSeparator;
        FixedClock clock(vb::oleDateFromParts(2026, 12, 10, 15, 4, 5));
        const TempFolder& folder = program.folder;
        clsCountdown saved;
        clsCountdownDb().Find_Countdown(saved);
        saved.setDatabaseLocation(folder.internal());
        saved.setCountdownFileName("Party.MVK");
        saved.setWidth(8203.125f);
        saved.setHeight(6152.25f);
        saved.setEventCaptionFontsize(10.5f);
        saved.setTimerDateFontsize(0.75f);
        ASSERT_TRUE(saved.Update());

        const QStringList lines = plainLinesOf(folder.read("Party.MVK"));
        EXPECT_TRUE(lines.contains(r.widthLine)) << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.contains(r.fontsizeLine));

        clsCountdown loaded;
        loaded.setDatabaseLocation(folder.internal());
        loaded.setCountdownFileName("Party.MVK");
        loaded.Refresh();
        EXPECT_TRUE(services.ui().msgBoxes.empty());
        EXPECT_EQ(loaded.Width(), 8203.125f);
        EXPECT_EQ(loaded.Height(), 6152.25f);
        EXPECT_EQ(loaded.EventCaptionFontsize(), 10.5f);
        EXPECT_EQ(loaded.TimerDateFontsize(), 0.75f);
    }
}
