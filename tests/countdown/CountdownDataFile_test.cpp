#include "countdown/CountdownDataFields.h"
#include "countdown/CountdownDataReader.h"
#include "countdown/CountdownDataWriter.h"
#include "countdown/CountdownDefaults.h"
#include "countdown/QStringPrinting.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/modDecryption.h"
#include "platform/Cp1252.h"
#include "platform/Ui.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::vbmsg::vbInformation;

const QString kRoot = "<VazovuzAzodozaruVuzaz>";
const QString kRootClose = "</VazovuzAzodozaruVuzaz>";
const double kWrittenAt = vb::oleDateFromParts(2026, 12, 10, 15, 4, 5);

const QString kMessageA = "The Countdown\r\nParty.MVK is not in a format that can be processed.\r\n"
                          "Please report this incident to Vantrel International, LLC";
const QString kMessageB = "The Countdown is not in a format that can be processed.\r\n"
                          "Please report this incident to Vantrel International, LLC";
const QString kMessageC = "The Event Countdown file is not in a format that can be processed.\r\n"
                          "Please report this incident to Vantrel International, LCC";
const QString kPastEnd = "62\nInput past end of file";

struct Shown {
    QStringList prompts;
    QList<int> buttons;
    ShowMessage sink()
    {
        return [this](const QString& prompt, int b) {
            prompts << prompt;
            buttons << b;
        };
    }
};

// The countdown whose file is every-property.txt: a new countdown with every other value changed.
void fillEveryProperty(clsCountdown& c)
{
    CountdownDefaults::applyFixedNewCountdownValues(c);
    c.setCountdownId(7);
    c.setCountdownName("Party & <Friends>");
    c.setAdvertiserLogoFileName("Logo.gif");
    c.setAdvertiserLogoVisible(true);
    c.setAlarmSound(false);
    c.setBackgroundBackColor(255);
    c.setContactEmail("host@example.com");
    c.setContactURL("http://example.com/contact");
    c.setCopyright("(c) 2026");
    c.setCountDirection(2);
    c.setCreationDate(1.0);
    c.setCredit("Credits");
    c.setCurrentTimeVisible(true);
    c.setDescription("About the party");
    c.setEventDate(vb::oleDateFromParts(2026, 12, 31, 23, 30, 0));
    c.setEventCaption("New Year");
    c.setEventCaptionFontsize(10.5f);
    c.setEventCaptionFontItalic(-1);
    c.setEventCaptionForeColor(65280);
    c.setEventCaptionBackColor(16711680);
    c.setEventDateBackColor(1);
    c.setEventDateFont("Times New Roman");
    c.setEventDateFontBold(-1);
    c.setEventDateForeColor(2);
    c.setEventDateVisible(false);
    c.setEventImageBackColor(3);
    c.setImageFileName("Party.jpg");
    c.setIntervalHours(false);
    c.setIntervalMonths(false);
    c.setIntervalWorkDays(true);
    c.setIntervalYears(false);
    c.setSaveFileName("C:\\Countdowns\\party.htm");
    c.setSaveFormat("3");
    c.setSaveToFile(true);
    c.setSoundIconVisible(false);
    c.setStatusBarURLVisible(true);
    c.setStatusBarURLCaption("Our Site");
    c.setStatusBarURL("http://example.org/");
    c.setTimerDateBackColor(4);
    c.setTimerDateFont("Courier New");
    c.setTimerDateFontsize(12.25f);
    c.setTimerDateFontItalic(-1);
    c.setTimerDateFontBold(-1);
    c.setTimerDateForeColor(5);
    c.setCountdownFileName("C:\\Work\\Temp\\Party.MVK");
    c.setCountdownType(42);
    c.setViewFormat(2);
    c.setHeight(6750);
    c.setWidth(9000.5f);
    c.setLeft(-15);
    c.setState(2);
}

// A data file from plain lines, each scrambled and ended by CR LF.
QByteArray fileOf(const QStringList& plainLines)
{
    QByteArray bytes;
    for (const QString& line : plainLines)
        bytes += modDecryption::ScrambleLine(platform::toCp1252(line)) + "\r\n";
    return bytes;
}

QStringList plainLinesOf(const QByteArray& file)
{
    QList<QByteArray> stored = file.split('\n');
    EXPECT_TRUE(stored.takeLast().isEmpty()) << "the last line ends with a line break";
    QStringList lines;
    for (QByteArray& line : stored) {
        EXPECT_TRUE(line.endsWith('\r'));
        line.chop(1);
        lines << platform::fromCp1252(modDecryption::UnscrambleLine(line));
    }
    return lines;
}

QStringList fixtureLines(const QString& name)
{
    QFile file(QStringLiteral(VANTREL_TEST_DATA_DIR "/countdown/datafile/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    lines.removeLast();
    return lines;
}

// The text of every property line, as the writer forms it, for comparing two countdowns.
QStringList valueTexts(const clsCountdown& c)
{
    QStringList texts;
    for (const auto& field : CountdownDataFields::fields())
        texts << field.tag + "=" + field.write(c, 0);
    return texts;
}

QStringList read(const QByteArray& bytes, clsCountdown& countdown)
{
    Shown shown;
    CountdownDataReader::read(bytes, countdown, shown.sink());
    return shown.prompts;
}

} // namespace

class CountdownDataFile : public ProgramFolderTest<> {};

TEST_F(CountdownDataFile, WriterLaysOutTheSeventyFourScrambledLines)
{
    clsCountdown countdown;
    fillEveryProperty(countdown);
    Shown shown;
    const QByteArray file = CountdownDataWriter::write(countdown, kWrittenAt, shown.sink());
    EXPECT_TRUE(file.startsWith("=Wb{pwv{B{pep{bsvWv{b{?\r\n"));
    EXPECT_EQ(plainLinesOf(file), fixtureLines("every-property.txt"));
    EXPECT_TRUE(shown.prompts.isEmpty());
}

TEST_F(CountdownDataFile, CreationDateMarkerFollowsThePatternCase)
{
    clsCountdown countdown;
    countdown.setCountdownFileName("A.MVK");
    Shown shown;
    const QStringList lines = plainLinesOf(
        CountdownDataWriter::write(countdown, vb::oleDateFromParts(2026, 1, 2, 0, 5, 9), shown.sink()));
    EXPECT_TRUE(lines.contains("<CreationDate>02 Jan, 2026 12:05:09 Am</CreationDate>")) << lines.join('\n').toStdString();
}

// A file without one of its lines would lose that value on reading, so a line that cannot be
// written fails the whole file, with one message however many lines fail.
TEST_F(CountdownDataFile, WriterFailsWholeOnALineThatCannotBeWritten)
{
    const double pastTheFile = vb::oleDateFromParts(10000, 1, 1);
    const struct {
        const char* what;
        double eventDate;
        double writtenAt;
    } cases[] = {
        {"event date after 9999", pastTheFile, kWrittenAt},
        {"time of writing after 9999", kWrittenAt, pastTheFile},
        {"both", pastTheFile, pastTheFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clsCountdown countdown;
        fillEveryProperty(countdown);
        countdown.setEventDate(c.eventDate);
        Shown shown;
        EXPECT_TRUE(CountdownDataWriter::write(countdown, c.writtenAt, shown.sink()).isEmpty());
        EXPECT_EQ(shown.prompts, QStringList{"6\nOverflow"});
    }
}

TEST_F(CountdownDataFile, RoundTripRestoresEveryPropertyButTheWriteTimeTheBareNameAndShortNumbers)
{
    clsCountdown original;
    fillEveryProperty(original);
    original.setDescription(QString("Two\r\nlines with <tags> & ") + QChar(0x20AC) + "uro");
    original.setTimerDateFontsize(1.23456789f);
    original.setSaveFormat("2.50");

    Shown shown;
    const QByteArray file = CountdownDataWriter::write(original, kWrittenAt, shown.sink());
    clsCountdown copy;
    EXPECT_EQ(read(file, copy), QStringList());

    EXPECT_EQ(copy.CreationDate(), kWrittenAt);
    EXPECT_EQ(copy.CountdownFileName(), "Party.MVK");
    EXPECT_EQ(copy.TimerDateFontsize(), 1.234568f);
    EXPECT_EQ(copy.SaveFormat(), "2.5");
    EXPECT_EQ(copy.Description(), original.Description());
    EXPECT_EQ(copy.AdvertiserLogoBackColor(), static_cast<int32_t>(0x80000005u));

    original.setCreationDate(kWrittenAt);
    original.setCountdownFileName("Party.MVK");
    original.setTimerDateFontsize(1.234568f);
    original.setSaveFormat("2.5");
    EXPECT_EQ(valueTexts(copy), valueTexts(original));
}

TEST_F(CountdownDataFile, RoundTripUnderAnotherLocale)
{
    // Decimals and dates follow the regional settings both ways.
    platform::Regional& german = services.regional();
    german.shortDatePattern = "dd.MM.yyyy";
    german.timePattern = "HH:mm:ss";
    german.decimalSeparator = ',';
    german.dateSeparator = '.';

    clsCountdown original;
    fillEveryProperty(original);
    Shown shown;
    const QStringList lines = plainLinesOf(CountdownDataWriter::write(original, kWrittenAt, shown.sink()));
    EXPECT_TRUE(lines.contains("<EventCaptionFontsize>10,5</EventCaptionFontsize>"));
    EXPECT_TRUE(lines.contains("<EventDate>31.12.2026 23:30:00</EventDate>"));
    clsCountdown copy;
    EXPECT_EQ(read(fileOf(lines), copy), QStringList());
    EXPECT_EQ(copy.EventCaptionFontsize(), 10.5f);
    EXPECT_EQ(copy.EventDate(), original.EventDate());
    EXPECT_EQ(copy.CreationDate(), kWrittenAt);
}

TEST_F(CountdownDataFile, FormFeedInAValueEndsItsLineOnReading)
{
    clsCountdown original;
    fillEveryProperty(original);
    original.setDescription("a\x0c" "b");
    Shown shown;
    const QByteArray file = CountdownDataWriter::write(original, kWrittenAt, shown.sink());
    clsCountdown copy;
    copy.setDescription("kept");
    const QStringList prompts = read(file, copy);
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].startsWith("5\n"));
    EXPECT_EQ(copy.Description(), "kept");
    EXPECT_EQ(copy.EventCaption(), "New Year") << "the lines after it still apply";
}

namespace {

struct StructureCase {
    const char* name;
    QByteArray file;
    QStringList prompts;
    std::function<void(const clsCountdown&)> check;
};

QByteArray record(const QStringList& lines)
{
    return fileOf(QStringList{"<Countdown>"} + lines + QStringList{"</Countdown>"});
}

} // namespace

TEST_F(CountdownDataFile, ReaderFollowsTheFileStructure)
{
    const auto unchanged = [](const clsCountdown& c) {
        EXPECT_EQ(c.EventCaption(), "Before");
        EXPECT_EQ(c.StatusBarURL(), "http://before/");
    };
    const auto crOnly = [](QByteArray file) { return file.replace("\r\n", "\r"); };
    const auto lfOnly = [](QByteArray file) { return file.replace("\r\n", "\n"); };
    const std::vector<StructureCase> cases = {
        {"empty file", {}, {kPastEnd, kMessageA}, unchanged},
        {"first line not the root", record({"<EventCaption>X</EventCaption>"}) + fileOf({kRootClose}),
         {kMessageA}, unchanged},
        {"root in other letter case", fileOf({"<vazovuzazodozaruvuzaz>"}) + record({"<EventCaption>X</EventCaption>"}),
         {kMessageA}, unchanged},
        {"root alone", fileOf({kRoot}), {kPastEnd}, unchanged},
        {"last line opens a record", fileOf({kRoot, "<Countdown>"}), {}, unchanged},
        {"cut off inside the record",
         fileOf({kRoot, "<Countdown>", "<EventCaption>Cut</EventCaption>", "<ImagePos>4</ImagePos>"}), {kMessageC},
         [](const clsCountdown& c) {
             EXPECT_EQ(c.EventCaption(), "Cut");
             EXPECT_EQ(c.ImagePos(), 3) << "the file's last line is not applied";
             EXPECT_EQ(c.StatusBarURL(), CountdownDataReader::kPlaceholderSiteAddress);
         }},
        {"stray blank line between records",
         fileOf({kRoot}) + record({"<EventCaption>One</EventCaption>"}) + fileOf({""})
             + record({"<EventCaption>Two</EventCaption>"}) + fileOf({kRootClose}),
         {kMessageB}, [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "One"); }},
        {"two records, the second wins and starts from the placeholders",
         fileOf({kRoot})
             + record({"<StatusBarURL>http://mine/</StatusBarURL>", "<CountdownId>5</CountdownId>",
                       "<StatusBarURLVisible>True</StatusBarURLVisible>", "<EventCaption>One</EventCaption>",
                       "<ImagePos>8</ImagePos>"})
             + record({"<EventCaption>Two</EventCaption>"}) + fileOf({kRootClose}),
         {}, [](const clsCountdown& c) {
             EXPECT_EQ(c.EventCaption(), "Two");
             EXPECT_EQ(c.ImagePos(), 8);
             EXPECT_EQ(c.CountdownId(), 0);
             EXPECT_FALSE(c.StatusBarURLVisible());
             EXPECT_EQ(c.StatusBarURLCaption(), CountdownDataReader::kPlaceholderSiteName);
             EXPECT_EQ(c.StatusBarURL(), CountdownDataReader::kPlaceholderSiteAddress);
         }},
        {"stored blanks around a line are trimmed, inner ones kept",
         fileOf({kRoot}) + "  " + fileOf({"<Countdown>"}) + "  "
             + modDecryption::ScrambleLine(QByteArray("<EventCaption> spaced </EventCaption>")) + "   \r\n"
             + fileOf({"</Countdown>", kRootClose}),
         {}, [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), " spaced "); }},
        {"lines ended by a carriage return alone",
         crOnly(fileOf({kRoot}) + record({"<EventCaption>CR only</EventCaption>"}) + fileOf({kRootClose})),
         {}, [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "CR only"); }},
        {"a line feed alone stays inside the line",
         fileOf({kRoot}) + lfOnly(record({"<EventCaption>A</EventCaption>"})) + fileOf({"</Countdown>", kRootClose}),
         {kMessageB}, unchanged},
    };
    for (const StructureCase& c : cases) {
        SCOPED_TRACE(c.name);
        clsCountdown countdown;
        countdown.setCountdownFileName("Party.MVK");
        countdown.setEventCaption("Before");
        countdown.setStatusBarURL("http://before/");
        countdown.setImagePos(3);
        Shown shown;
        CountdownDataReader::read(c.file, countdown, shown.sink());
        EXPECT_EQ(shown.prompts, c.prompts);
        for (qsizetype i = 0; i < shown.prompts.size(); ++i) {
            const bool formatMessage = shown.prompts[i].startsWith("The ");
            EXPECT_EQ(shown.buttons[i], formatMessage ? vbInformation : 0) << shown.prompts[i].toStdString();
        }
        c.check(countdown);
    }
}

namespace {

struct ValueCase {
    QString line;
    QString failure; // the expected message; empty when the value converts
    std::function<void(const clsCountdown&)> check;
};

} // namespace

TEST_F(CountdownDataFile, ReaderConvertsEachValueOrLeavesThePropertyAlone)
{
    const QString mismatch = "13\nType mismatch";
    const QString overflow = "6\nOverflow";
    const QString badName = "52\nBad file name or number";
    const auto imageIsStill = [](const clsCountdown& c) { EXPECT_EQ(c.ImageFileName(), "Party.jpg"); };
    const std::vector<ValueCase> cases = {
        {"<AlarmSound>true</AlarmSound>", {}, [](const clsCountdown& c) { EXPECT_TRUE(c.AlarmSound()); }},
        {"<AlarmSound>TRUE</AlarmSound>", {}, [](const clsCountdown& c) { EXPECT_TRUE(c.AlarmSound()); }},
        {"<AlarmSound>-1</AlarmSound>", {}, [](const clsCountdown& c) { EXPECT_TRUE(c.AlarmSound()); }},
        {"<ImageVisible>0</ImageVisible>", {}, [](const clsCountdown& c) { EXPECT_FALSE(c.ImageVisible()); }},
        {"<ImageVisible>yes</ImageVisible>", mismatch, [](const clsCountdown& c) { EXPECT_TRUE(c.ImageVisible()); }},
        {"<ImagePos>40000</ImagePos>", overflow, [](const clsCountdown& c) { EXPECT_EQ(c.ImagePos(), 9); }},
        {"<ImagePos>-32768</ImagePos>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.ImagePos(), -32768); }},
        {"<CountdownId>12x</CountdownId>", mismatch, [](const clsCountdown& c) { EXPECT_EQ(c.CountdownId(), 0); }},
        {"<CountdownType>2147483647</CountdownType>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.CountdownType(), 2147483647); }},
        {"<BackgroundBackColor>-2147483643</BackgroundBackColor>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.BackgroundBackColor(), static_cast<int32_t>(0x80000005u)); }},
        {"<CountDirection>2.5</CountDirection>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.CountDirection(), 2); }},
        {"<CountDirection>3.5 up</CountDirection>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.CountDirection(), 4); }},
        {"<CountDirection>up</CountDirection>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.CountDirection(), 0); }},
        {"<SaveFormat></SaveFormat>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.SaveFormat(), "0"); }},
        {"<SaveFormat>html</SaveFormat>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.SaveFormat(), "0"); }},
        {"<EventCaptionFontsize>10.5</EventCaptionFontsize>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.EventCaptionFontsize(), 10.5f); }},
        {"<EventCaptionFontsize>big</EventCaptionFontsize>", mismatch,
         [](const clsCountdown& c) { EXPECT_EQ(c.EventCaptionFontsize(), 10.5f); }},
        {"<EventDate>12/31/2026 11:30:00 PM</EventDate>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.EventDate(), vb::oleDateFromParts(2026, 12, 31, 23, 30, 0)); }},
        {"<EventDate>someday</EventDate>", mismatch,
         [](const clsCountdown& c) { EXPECT_EQ(c.EventDate(), vb::oleDateFromParts(2026, 12, 31, 23, 30, 0)); }},
        {"<EventDate>1/1/10000</EventDate>", mismatch,
         [](const clsCountdown& c) { EXPECT_EQ(c.EventDate(), vb::oleDateFromParts(2026, 12, 31, 23, 30, 0)); }},
        {"<EventDate>12/31/9999 11:59:59 PM</EventDate>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.EventDate(), vb::oleDateFromParts(9999, 12, 31, 23, 59, 59)); }},
        {"<EventDate>1/1/100</EventDate>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.EventDate(), vb::oleDateFromParts(100, 1, 1)); }},
        {"<CreationDate>1 Jan, 10000</CreationDate>", mismatch,
         [](const clsCountdown& c) { EXPECT_EQ(c.CreationDate(), 1.0); }},
        {"<CreationDate>10 Dec, 2026 03:04:05 Pm</CreationDate>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.CreationDate(), kWrittenAt); }},
        {"<EventCaption>a<b>&c</EventCaption>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "a<b>&c"); }},
        {"<EventCaption>Hello</EventCaptioX>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "Hello"); }},
        {"<eventcaption>lower</eventcaption>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "New Year"); }},
        {"no tag at all", {}, [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "New Year"); }},
        {"<EventCaption>", "5\nInvalid procedure call or argument",
         [](const clsCountdown& c) { EXPECT_EQ(c.EventCaption(), "New Year"); }},
        {"<CountdownFileName>Other.MVK</CountdownFileName>", {},
         [](const clsCountdown& c) { EXPECT_EQ(c.CountdownFileName(), "Other.MVK"); }},
        {"<ImageFileName></ImageFileName>", {}, [](const clsCountdown& c) { EXPECT_EQ(c.ImageFileName(), ""); }},
        {"<ImageFileName>..\\evil.jpg</ImageFileName>", badName, imageIsStill},
        {"<ImageFileName>sub/evil.jpg</ImageFileName>", badName, imageIsStill},
        {"<ImageFileName>C:evil.jpg</ImageFileName>", badName, imageIsStill},
        {"<ImageFileName>..</ImageFileName>", badName, imageIsStill},
        {"<AlarmFileName>*.mp3</AlarmFileName>", badName,
         [](const clsCountdown& c) { EXPECT_EQ(c.AlarmFileName(), "Bell.mp3"); }},
        {"<AdvertiserLogoFileName>/etc/passwd</AdvertiserLogoFileName>", badName,
         [](const clsCountdown& c) { EXPECT_EQ(c.AdvertiserLogoFileName(), "Logo.gif"); }},
        {"<CountdownFileName>..\\..\\x.MVK</CountdownFileName>", badName,
         [](const clsCountdown& c) { EXPECT_EQ(c.CountdownFileName(), "Party.MVK"); }},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        clsCountdown countdown;
        fillEveryProperty(countdown);
        countdown.setCountdownFileName("Party.MVK");
        const QStringList prompts = read(fileOf({kRoot, "<Countdown>", "<CountdownId>0</CountdownId>", c.line,
                                                 "</Countdown>", kRootClose}),
                                         countdown);
        EXPECT_EQ(prompts, c.failure.isEmpty() ? QStringList() : QStringList{c.failure});
        c.check(countdown);
    }
}
