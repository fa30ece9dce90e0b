#include "countdown/QStringPrinting.h"
#include "countdown/clsCounter.h"
#include "display/CountdownForm.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/ExportPath.h"
#include "display/ExportWriter.h"
#include "display/HiddenLabel.h"
#include "display/modCounter.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/fake/FakeUi.h"
#include "support/ForkedChild.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using ExportWriter::ExportInput;
using ExportWriter::PanelData;

namespace {

QByteArray expectedFile(const QString& name)
{
    QFile file(QStringLiteral(VANTREL_TEST_DATA_DIR "/display/export/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

PanelData panel(const QString& caption, const QString& font, bool bold, bool italic, int32_t fore,
                int32_t back)
{
    return PanelData{caption, true, font, bold, italic, fore, back};
}

// The countdown the expected files in tests/data/display/export were written for.
ExportInput fixtureInput(const QString& code)
{
    ExportInput in;
    in.saveFormat = code;
    in.picturePath = "/opt/vantrel/Temp/Party.jpg";
    in.logoFileName = "Logo.png";
    in.eventCaption = panel(QString::fromUtf8("Grand Caf\u00e9 Opening"), "Arial", true, false, 0x0000FF, 0xFF8000);
    in.eventDate = panel("Jan 01, 2031", "Times New Roman", false, true, 0x008000, 0x123456);
    in.boxes = {panel("4 Years", "Arial", true, true, 0x000000, 0xFFFFFF),
                panel("3 Months", "Verdana", true, false, 0x112233, 0xC0C0C0),
                panel("12 Days", "Arial", false, false, 0xA0B0C0, 0x00FFFF),
                panel("5 Hours", "Tahoma", false, true, 0x010203, 0xF0E0D0),
                panel("30 Minutes", "Courier New", true, false, 0xFF0000, 0x00FF00),
                panel("7 Seconds", "Georgia", false, false, 0x808080, 0x302010)};
    in.unitsLeft = {4, 3, 12, 5, 30, 7};
    return in;
}

QStringList lines(const QByteArray& bytes)
{
    QStringList result = QString::fromLatin1(bytes).split("\r\n");
    EXPECT_EQ(result.takeLast(), QString()) << "every line ends in CR LF";
    return result;
}

// Byte for byte; on a difference, the first line that differs, so a failure is readable.
void expectFile(const QByteArray& actual, const QString& expectedName)
{
    const QByteArray expected = expectedFile(expectedName);
    if (actual == expected)
        return;
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        if (a.value(i) != e.value(i)) {
            ADD_FAILURE() << expectedName.toStdString() << " line " << i + 1 << "\n  actual:   "
                          << a.value(i).toStdString() << "\n  expected: " << e.value(i).toStdString();
            return;
        }
    }
}

} // namespace

// ---- the formats, byte for byte ----

namespace {

struct FormatCase {
    const char* code;
    const char* expected; // file under tests/data/display/export
    const char* name;     // of the test case
};

void PrintTo(const FormatCase& c, std::ostream* out)
{
    *out << "format \"" << c.code << "\" (" << c.expected << ")";
}

const FormatCase kFormats[] = {
    {"1", "format1.html", "TablePage"}, {"2", "format2.html", "SimplePage"},
    {"3", "format3.txt", "TextLine"},   {"4", "format4.csv", "QuotedCsv"},
    {"5", "format5.csv", "PlainCsv"},   {"6", "format6.xml", "Xml"},
};

} // namespace

class ExportFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(ExportFormat, MatchesExpectedFile)
{
    const FormatCase c = GetParam();
    expectFile(ExportWriter::fileBytes(fixtureInput(c.code)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ExportFormat, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<FormatCase>& testInfo) { return std::string(testInfo.param.name); });

TEST(ExportWriter, TablePageSkipsHiddenBoxesAndEmptyLogo)
{
    ExportInput in = fixtureInput("1");
    in.boxes[0].visible = false; // the box whose row is shaped unlike the others
    in.boxes[3].visible = false;
    in.logoFileName.clear();
    in.eventCaption.visible = false; // the table page shows the caption regardless
    expectFile(ExportWriter::fileBytes(in), "format1-hidden.html");
}

TEST(ExportWriter, UnknownCodesGiveNoBytes)
{
    for (const char* code : {"0", "", "01", " 1", "1 ", "1.0", "7", "x"})
        EXPECT_TRUE(ExportWriter::fileBytes(fixtureInput(code)).isEmpty()) << '"' << code << '"';
}

TEST(ExportWriter, HiddenPanelsStillGiveCaptionDateAndAllCounts)
{
    ExportInput in = fixtureInput("2");
    in.eventCaption.visible = false;
    in.eventDate.visible = false;
    for (PanelData& box : in.boxes)
        box.visible = false;
    const QStringList simplePage = lines(ExportWriter::fileBytes(in));
    ASSERT_EQ(simplePage.size(), 10);
    EXPECT_EQ(simplePage[6], QString::fromUtf8("<p><b>Grand Caf\u00e9 Opening</b> - "));
    EXPECT_EQ(simplePage[7], " <i>Jan 01, 2031</i> - ");
    EXPECT_EQ(simplePage[8], "</BODY>");

    struct Case {
        const char* code;
        int line;
        const char* expected;
    };
    const Case cases[] = {
        {"4", 1, "\"Grand Caf\u00e9 Opening\",\"4\",\"3\",\"12\",\"5\",\"30\",\"7\""},
        {"5", 1, "Grand Caf\u00e9 Opening,4,3,12,5,30,7"},
        {"6", 2, "<EventCaption>Grand Caf&#233; Opening</EventCaption>"},
        {"6", 8, "<SecondsLeft>7</SecondsLeft>"},
    };
    for (const Case& c : cases) {
        in.saveFormat = c.code;
        EXPECT_EQ(lines(ExportWriter::fileBytes(in)).value(c.line), QString::fromUtf8(c.expected)) << c.code;
    }
}

TEST(ExportWriter, CountsKeepTheirSign)
{
    ExportInput in = fixtureInput("6");
    in.unitsLeft = {0, -1, 2147483647, -2147483647 - 1, 10, 100};
    const QStringList xml = lines(ExportWriter::fileBytes(in));
    EXPECT_EQ(xml[3], "<YearsLeft>0</YearsLeft>");
    EXPECT_EQ(xml[4], "<MonthsLeft>-1</MonthsLeft>");
    EXPECT_EQ(xml[5], "<DaysLeft>2147483647</DaysLeft>");
    EXPECT_EQ(xml[6], "<HoursLeft>-2147483648</HoursLeft>");
}

TEST(ExportWriter, TextLineJoinsVisiblePanels)
{
    struct Case {
        bool caption;
        std::array<bool, 6> boxes;
        const char* expected;
    };
    const Case cases[] = {
        {false, {true, true, true, true, true, false}, "4 Years, 3 Months, 12 Days, 5 Hours, 30 Minutes, "},
        {true, {false, false, false, false, false, true}, "Cafe - 7 Seconds"},
        {true, {false, false, false, false, false, false}, "Cafe - "},
        {false, {false, false, false, false, false, false}, ""},
        {false, {false, true, false, false, true, true}, "3 Months, 30 Minutes, 7 Seconds"},
    };
    for (const Case& c : cases) {
        ExportInput in = fixtureInput("3");
        in.eventCaption.caption = "Cafe";
        in.eventCaption.visible = c.caption;
        for (size_t i = 0; i < 6; ++i)
            in.boxes[i].visible = c.boxes[i];
        EXPECT_EQ(ExportWriter::textLine(in), c.expected);
    }
}

TEST(ExportWriter, FontTagsPutItalicOutside)
{
    EXPECT_EQ(ExportWriter::fontTags("x", false, false), "x");
    EXPECT_EQ(ExportWriter::fontTags("x", true, false), "<b>x</b>");
    EXPECT_EQ(ExportWriter::fontTags("x", false, true), "<i>x</i>");
    EXPECT_EQ(ExportWriter::fontTags("x", true, true), "<i><b>x</b></i>");
}

TEST(ExportWriter, HtmlColourSwapsRedAndBlue)
{
    const std::pair<int32_t, const char*> cases[] = {
        {255, "#FF0000"}, {0xFF8000, "#0080FF"}, {0, "#000000"}, {0xFFFFFF, "#FFFFFF"}, {0x010203, "#030201"}};
    for (const auto& [colour, expected] : cases)
        EXPECT_EQ(ExportWriter::htmlColour(colour), expected) << colour;
}

// ---- escaping: each format keeps its structure whatever the caption holds ----

TEST(ExportWriter, InsertedTextsAreEscapedForTheirFormat)
{
    struct Case {
        const char* code;
        const char* caption;
        int line;
        const char* expected;
    };
    const Case cases[] = {
        {"1", R"(Tom & "Jerry" <3>)", 5, R"(<title>Tom &amp; &quot;Jerry&quot; &lt;3&gt;</title>)"},
        {"1", "a<b", 12, R"(<p align="center"><b><font size="5" face="Arial" color="#FF0000"><b>a&lt;b</b></font></b></td>)"},
        {"2", R"(Tom & "Jerry" <3>)", 6, R"(<p><b>Tom &amp; &quot;Jerry&quot; &lt;3&gt;</b> - )"},
        {"3", R"(Tom & "Jerry", <3>)", 0, R"(Tom & "Jerry", <3> - 4 Years, 3 Months, 12 Days, 5 Hours, 30 Minutes, 7 Seconds)"},
        {"4", R"(Say "hi", all)", 1, R"("Say ""hi"", all","4","3","12","5","30","7")"},
        {"5", "a,b", 1, R"("a,b",4,3,12,5,30,7)"},
        {"5", R"(Say "hi")", 1, R"("Say ""hi""",4,3,12,5,30,7)"},
        {"5", "two\nlines", 1, "\"two\nlines\",4,3,12,5,30,7"},
        {"5", "a & <b>", 1, "a & <b>,4,3,12,5,30,7"},
        {"6", R"(Tom & "Jerry" <3>)", 2, R"(<EventCaption>Tom &amp; "Jerry" &lt;3&gt;</EventCaption>)"},
    };
    for (const Case& c : cases) {
        ExportInput in = fixtureInput(c.code);
        in.eventCaption.caption = c.caption;
        EXPECT_EQ(lines(ExportWriter::fileBytes(in)).value(c.line), c.expected) << c.code << " " << c.caption;
    }
}

TEST(ExportWriter, FontNamesAndPathsAreEscapedInHtml)
{
    ExportInput in = fixtureInput("1");
    in.boxes[1].fontName = R"(My "Font")";
    in.picturePath = "/tmp/a&b/Temp/x\".jpg";
    in.logoFileName = "<logo>.png";
    const QStringList page = lines(ExportWriter::fileBytes(in));
    EXPECT_EQ(page[10], R"(<img border="0" src="/tmp/a&amp;b/Temp/x&quot;.jpg" width="100%" height="100%"></td>)");
    EXPECT_EQ(page[29], R"(<b><font face="My &quot;Font&quot;" size="5" color="#332211"><b>3 Months</b></font></b></td>)");
    EXPECT_EQ(page[49], R"(<img border="0" src="&lt;logo&gt;.png"></Td>)");
}

TEST(ExportWriter, XmlTextIsAsciiWithoutWhatXmlForbids)
{
    struct Case {
        QString caption;
        const char* expected;
    };
    const Case cases[] = {
        {QString::fromUtf8("Caf\u00e9 \u00bd"), "Caf&#233; &#189;"},
        {QString::fromUtf8("\u20ac5 \u2013 \u65e5"), "&#8364;5 &#8211; &#26085;"}, // beyond code page 1252 too
        {QString::fromUtf8("Party \U0001F389!"), "Party &#127881;!"},             // one reference for a pair
        {QString("a\x01" "b\x1b" "c\x7f" "d\te\nf"), "ab" "c\x7f" "d\te\nf"},
        {QString("x") + QChar(0xD800) + "y" + QChar(0xDC00) + QChar(0xFFFE) + QChar(0xFFFF) + "z", "xyz"},
        {"Tom & <Jerry> \"1\" 'x' ]]>", "Tom &amp; &lt;Jerry&gt; \"1\" 'x' ]]&gt;"},
    };
    for (const Case& c : cases) {
        ExportInput in = fixtureInput("6");
        in.eventCaption.caption = c.caption;
        const QByteArray bytes = ExportWriter::fileBytes(in);
        EXPECT_EQ(lines(bytes).value(2), QString("<EventCaption>") + c.expected + "</EventCaption>")
            << c.expected;
        EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; }));
    }
}

TEST(ExportWriter, XmlFileParsesWithAnyCaption)
{
    const QString allowed = QString::fromUtf8("Grand Caf\u00e9 \u20ac & <\"Opening\"> \U0001F389\t\u00ff");
    ExportInput in = fixtureInput("6");
    in.eventCaption.caption = allowed + QChar(0x01) + QChar(0xDBFF) + QChar(0x1F);
    QXmlStreamReader reader(ExportWriter::fileBytes(in));
    const QStringList containers{"VazovuzAzodozaruVuzaz", "Countdown"};
    QStringList read; // each value's element, then its text
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && !containers.contains(reader.name().toString()))
            read << reader.name().toString() << reader.readElementText();
    }
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(read, QStringList({"EventCaption", allowed, "YearsLeft", "4", "MonthsLeft", "3", "DaysLeft", "12",
                                 "HoursLeft", "5", "MinutesLeft", "30", "SecondsLeft", "7"}));
}

// ---- which files the export may write ----

TEST(ExportPath, FitsOnlyTheExtensionsOfItsFormat)
{
    struct Case {
        const char* code;
        const char* path;
        bool fits;
    };
    const Case cases[] = {
        {"1", "C:\\out\\count.htm", true},   {"1", "count.HTML", true},
        {"2", "/home/u/count.Htm", true},        {"3", "count.txt", true},
        {"4", "count.csv", true},                {"4", "count.TXT", true},
        {"5", "count.Csv", true},                {"6", "count.XML", true},
        {"1", "count.txt", false},               {"3", "count.csv", false},
        {"3", "\\home\\u\\.bashrc", false},     {"3", "/home/u/.profile", false},
        {"6", "count.html", false},              {"1", "count.html.sh", false},
        {"1", "count.html ", false},             {"1", "html", false},
        {"1", "count.", false},                  {"1", "a.html\\count", false},
        {"1", "a.html/", false},                 {"3", "", false},
        {"0", "count.txt", false},               {"", "count.txt", false},
        {"01", "count.htm", false},              {" 3", "count.txt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportPath::fitsFormat(c.path, c.code), c.fits) << '"' << c.code << "\" " << c.path;
}

// ---- the export of a countdown form ----

class ExportFromForm : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedServices = platform::services();
        platform::Services services = m_savedServices;
        services.ui = &ui;
        platform::setServices(services);
        ASSERT_TRUE(QDir(folder.path()).mkpath("app/Temp"));
        context.appPath = platform::fs::toInternal(appFolder());
        // The path the export refused waits for this clock, which only the test moves on.
        context.steadyClock = [this] { return steadyNow; };
        writeFile(appFolder() + "/Temp/Party.jpg", "picture");
        writeFile(appFolder() + "/Temp/Logo.png", "logo");
        fillForm(fixtureInput("1"));
    }
    void TearDown() override { platform::setServices(m_savedServices); }

    QString appFolder() const { return folder.filePath("app"); }

    static void writeFile(const QString& nativePath, const QByteArray& bytes)
    {
        QFile file(nativePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << nativePath.toStdString();
        file.write(bytes);
    }

    void fillForm(const ExportInput& in)
    {
        setPanel(*form.c1eEventCaption(), in.eventCaption);
        setPanel(*form.c1eEventDate(), in.eventDate);
        for (int i = 0; i < 6; ++i)
            setPanel(*form.c1eIntervalsLeft(i + 1), in.boxes[i]);
        form.lblImageFileName()->setCaption("Party.jpg");
        form.lblLogoImage()->setCaption(in.logoFileName);
        counter.setYearsLeft(in.unitsLeft[0]);
        counter.setMonthsLeft(in.unitsLeft[1]);
        counter.setDaysLeft(in.unitsLeft[2]);
        counter.setHoursLeft(in.unitsLeft[3]);
        counter.setMinutesLeft(in.unitsLeft[4]);
        counter.setSecondsLeft(in.unitsLeft[5]);
    }

    static void setPanel(ElasticPanel& panel, const PanelData& data)
    {
        panel.setCaption(data.caption);
        panel.setVisible(data.visible);
        panel.setFontName(data.fontName);
        panel.setFontBold(data.fontBold);
        panel.setFontItalic(data.fontItalic);
        panel.setForeColor(data.foreColor);
        panel.setBackColor(data.backColor);
    }

    // Runs one tick's export to the given native path.
    void exportTo(const QString& nativePath, const QString& code)
    {
        counter.setSaveFormat(code);
        form.lblSaveToFileLocation()->setCaption(platform::fs::toInternal(nativePath));
        modCounter::SaveCountdownToFile(counter, form);
    }

    static QByteArray contents(const QString& nativePath)
    {
        QFile file(nativePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // The file as the expected files show it: with the program folder they were written for.
    QByteArray exported(const QString& nativePath) const
    {
        return contents(nativePath).replace(appFolder().toUtf8(), "/opt/vantrel");
    }

    static ino_t fileId(const QString& nativePath)
    {
        struct stat info {};
        return ::stat(QFile::encodeName(nativePath).constData(), &info) == 0 ? info.st_ino : 0;
    }

    // A new seconds box, so that each tick has other bytes to write.
    void setSeconds(int seconds)
    {
        form.c1eIntervalsLeft(6)->setCaption(QString::number(seconds) + " Seconds");
        counter.setSecondsLeft(seconds);
    }

    platform::FakeUi ui;
    qint64 steadyNow = 0;
    // This test's one context: every layer reads its program folder.
    DisplayContext context;
    CountdownForm form;
    clsCounter counter;
    QTemporaryDir folder;

private:
    platform::Services m_savedServices;
};

TEST_F(ExportFromForm, WritesEachFormatFromTheControls)
{
    for (const FormatCase& c : kFormats) {
        const QString path = folder.filePath(QString("Countdown Export ") + c.expected);
        exportTo(path, c.code);
        expectFile(exported(path), c.expected);
    }
    EXPECT_TRUE(ui.msgBoxes.empty()) << ui.prompts().join(" / ").toStdString();
    EXPECT_EQ(ui.pointer, platform::vbcursor::vbDefault);
}

TEST_F(ExportFromForm, PictureAndLogoAreNamedOnlyWhenTheirFilesHoldBytes)
{
    struct Case {
        const char* pictureName;
        const char* logoName;
        bool picture; // whether the page names it
        bool logo;
    };
    writeFile(appFolder() + "/Temp/Empty.jpg", "");
    writeFile(appFolder() + "/Temp/Empty.png", "");
    const Case cases[] = {
        {"Party.jpg", "Logo.png", true, true},
        {"Empty.jpg", "Empty.png", false, false},
        {"Missing.jpg", "Missing.png", false, false},
        {"", "Logo.png", false, true},
        {"Party.jpg", "", true, false},
    };
    const QString path = folder.filePath("page.html");
    for (const Case& c : cases) {
        form.lblImageFileName()->setCaption(c.pictureName);
        form.lblLogoImage()->setCaption(c.logoName);
        exportTo(path, "1");
        const QStringList page = lines(contents(path));
        const QString picture = c.picture ? R"(<img border="0" src=")" + appFolder() + "/Temp/" + c.pictureName
                                                + R"(" width="100%" height="100%"></td>)"
                                          : "</td>";
        EXPECT_EQ(page.value(10), picture) << c.pictureName;
        EXPECT_EQ(page.contains(QString(R"(<img border="0" src=")") + c.logoName + "\"></Td>"), c.logo)
            << c.logoName;
    }
    EXPECT_TRUE(ui.msgBoxes.empty()) << ui.prompts().join(" / ").toStdString();
}

// The picture and the logo are found by one rule, the one the window shows them with: a name
// that holds a folder of its own is taken as it is, not looked for in the work folder.
TEST_F(ExportFromForm, PictureAndLogoNamesWithAFolderAreTakenAsTheyAre)
{
    QDir().mkpath(folder.filePath("elsewhere"));
    writeFile(folder.filePath("elsewhere/Party.jpg"), "jpeg");
    writeFile(folder.filePath("elsewhere/Logo.png"), "png");
    const QString picture = platform::fs::toInternal(folder.filePath("elsewhere/Party.jpg"));
    const QString logo = platform::fs::toInternal(folder.filePath("elsewhere/Logo.png"));
    form.lblImageFileName()->setCaption(picture);
    form.lblLogoImage()->setCaption(logo);
    const QString path = folder.filePath("page.html");
    exportTo(path, "1");
    const QStringList page = lines(contents(path));
    EXPECT_EQ(page.value(10), R"(<img border="0" src=")" + folder.filePath("elsewhere/Party.jpg") +
                                  R"(" width="100%" height="100%"></td>)");
    EXPECT_TRUE(page.contains(R"(<img border="0" src=")" + logo + "\"></Td>"));
    EXPECT_TRUE(ui.msgBoxes.empty()) << ui.prompts().join(" / ").toStdString();
}

TEST_F(ExportFromForm, PathOfAnotherKindIsRefusedOnceAndLeftAlone)
{
    struct Case {
        const char* code;
        const char* name;
    };
    const Case cases[] = {
        {"3", ".bashrc"}, {"1", "notes.txt"}, {"6", "page.html"}, {"3", "table.csv"},
        {"1", "run.html.sh"}, {"0", "out.txt"}, {"", "out.html"}, {"7", "out.xml"},
    };
    for (const Case& c : cases) {
        const QString path = folder.filePath(c.name);
        writeFile(path, "keep me");
        ui.msgBoxes.clear();
        for (int tick = 0; tick < 3; ++tick)
            exportTo(path, c.code);
        EXPECT_EQ(contents(path), "keep me") << c.name;
        EXPECT_EQ(ui.prompts(), QStringList{"52Bad file name or number"}) << c.name;
        EXPECT_EQ(ui.pointer, platform::vbcursor::vbDefault);
    }
    exportTo(folder.filePath("missing.txt"), "1");
    EXPECT_FALSE(QFile::exists(folder.filePath("missing.txt"))) << "a refused path is not created";

    exportTo(folder.filePath("OUT.HTM"), "2");
    expectFile(exported(folder.filePath("OUT.HTM")), "format2.html");
}

TEST_F(ExportFromForm, UnchangedExportIsNotReplaced)
{
    const QString path = folder.filePath("count.txt");
    exportTo(path, "3");
    // A second name for the file written keeps its inode from being reused by a replacement.
    const QString held = folder.filePath("held.txt");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(held).constData()), 0);
    const ino_t written = fileId(held);
    for (int tick = 0; tick < 3; ++tick)
        exportTo(path, "3");
    EXPECT_EQ(fileId(path), written) << "the same bytes again leave the file as it is";

    form.c1eIntervalsLeft(6)->setCaption("6 Seconds");
    exportTo(path, "3");
    EXPECT_NE(fileId(path), written);
    EXPECT_TRUE(contents(path).endsWith("30 Minutes, 6 Seconds\r\n")) << contents(path).toStdString();

    QFile::remove(path);
    exportTo(path, "3");
    EXPECT_TRUE(contents(path).endsWith("30 Minutes, 6 Seconds\r\n")) << "a file that is gone is written again";

    EXPECT_TRUE(ui.msgBoxes.empty()) << ui.prompts().join(" / ").toStdString();
}

TEST_F(ExportFromForm, SystemColoursGiveTheColourShown)
{
    const int32_t windowBackground = static_cast<int32_t>(0x80000005u);
    const QColor shown = resolveVbColor(windowBackground, QGuiApplication::palette());
    EXPECT_EQ(modCounter::ColorToHtml(windowBackground), shown.name().toUpper());
    EXPECT_EQ(modCounter::ColorToHtml(0xFF8000), "#0080FF");

    form.c1eIntervalsLeft(2)->setBackColor(windowBackground);
    const ExportInput gathered = modCounter::gatherExportInput(form, counter);
    EXPECT_EQ(ExportWriter::htmlColour(gathered.boxes[1].backColor),
              resolveVbColor(windowBackground, form.c1eIntervalsLeft(2)->palette()).name().toUpper());
}

TEST_F(ExportFromForm, FailureIsReportedOncePerPathAndError)
{
    const QString missingFolder = folder.filePath("no such folder/out.html");
    for (int tick = 0; tick < 5; ++tick)
        exportTo(missingFolder, "1");
    ASSERT_EQ(ui.msgBoxes.size(), 1u);
    const platform::FakeUi::MsgBoxCall& message = ui.msgBoxes[0];
    EXPECT_TRUE(QRegularExpression("^\\d+[A-Za-z]").match(message.prompt).hasMatch()) << message.prompt.toStdString();
    EXPECT_EQ(message.buttons, platform::vbmsg::vbOKOnly);
    EXPECT_EQ(message.title, QString());
    EXPECT_EQ(ui.pointer, platform::vbcursor::vbDefault);

    exportTo(folder.filePath("other missing/out.html"), "1");
    EXPECT_EQ(ui.msgBoxes.size(), 2u) << "another path is reported on its own";

    const QString good = folder.filePath("out.html");
    exportTo(good, "1");
    expectFile(exported(good), "format1.html");
    exportTo(missingFolder, "1");
    EXPECT_EQ(ui.msgBoxes.size(), 2u) << "a later failure of the same kind stays silent";
}

TEST_F(ExportFromForm, EmptyPathIsReportedOnce)
{
    for (int tick = 0; tick < 3; ++tick)
        exportTo(QString(), "3");
    EXPECT_EQ(ui.msgBoxes.size(), 1u);
}

TEST_F(ExportFromForm, PathWithPatternIsRefusedAndTouchesNoFile)
{
    for (const char* name : {"a.html", "b.html"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    exportTo(folder.filePath("*.html"), "1");
    exportTo(folder.filePath("?.html"), "1");
    EXPECT_EQ(contents(folder.filePath("a.html")), "keep me");
    EXPECT_EQ(contents(folder.filePath("b.html")), "keep me");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(ui.prompts(), QStringList({"52Bad file name or number", "52Bad file name or number"}));
}

// The export replaces only its own earlier files: never a user's file of the same kind, never a
// symbolic link or what it points to. Its own export of an earlier run is replaced as ever.
TEST_F(ExportFromForm, ReplacesOnlyItsOwnExportsAndNoLink)
{
    struct Case {
        const char* code;
        const char* name;
        const char* usersBytes; // a file of that kind of the user's own
    };
    const Case cases[] = {
        {"1", "index.html", "<html>\r\n<head>\r\n<title>My page</title>\r\n</head>\r\n<body>Hi</body>\r\n</html>\r\n"},
        {"2", "notes.htm", "<p>Notes - \n</BODY>\n</HTML>\n"},
        {"3", "thesis.txt", "Chapter 1 - Introduction\nThe party - 3 Days, 4 Hours\n"},
        {"4", "budget.csv", "\"Item\",\"Cost\"\r\n\"Cake\",\"12\"\r\n"},
        {"5", "table.csv", "EventCaption,YearsLeft,MonthsLeft,DaysLeft,HoursLeft,MinutesLeft,SecondsLeft\r\n"
                           "Party,0,0,3,4,5,6\r\nPicnic,0,1,2,3,4,5\r\n"},
        {"6", "feed.xml", "<?xml version=\"1.0\"?>\r\n<rss/>\r\n"},
    };
    const QString usersFolder = folder.filePath("home");
    ASSERT_TRUE(QDir().mkpath(usersFolder));
    const auto makeOld = [](const QString& nativePath) {
        const utimbuf old{1000000000, 1000000000};
        ASSERT_EQ(::utime(QFile::encodeName(nativePath).constData(), &old), 0);
    };
    const auto modified = [](const QString& nativePath) {
        return QFileInfo(nativePath).lastModified().toString(Qt::ISODateWithMs).toStdString();
    };
    const auto linkTo = [](const QString& target, const QString& link) {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
    };
    // Three ticks of a new run of the program.
    const auto ticks = [&](const QString& nativePath, const char* code) {
        ui.msgBoxes.clear();
        modCounter::forgetWrittenExport();
        modCounter::resetReportedFailures();
        for (int tick = 0; tick < 3; ++tick) {
            setSeconds(tick);
            exportTo(nativePath, code);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString exportPath = folder.filePath(QString("own-") + c.name);
        setSeconds(59);
        exportTo(exportPath, c.code);
        ticks(exportPath, c.code);
        EXPECT_EQ(contents(exportPath).toStdString(),
                  ExportWriter::fileBytes(modCounter::gatherExportInput(form, counter)).toStdString())
            << "an export of an earlier run is replaced";
        EXPECT_TRUE(ui.msgBoxes.empty()) << ui.prompts().join(" / ").toStdString();

        const QString usersFile = usersFolder + "/" + c.name;
        writeFile(usersFile, c.usersBytes);
        makeOld(usersFile);
        const std::string usersTime = modified(usersFile);
        ticks(usersFile, c.code);
        EXPECT_EQ(contents(usersFile).toStdString(), c.usersBytes);
        EXPECT_EQ(modified(usersFile), usersTime);
        EXPECT_EQ(ui.prompts().join(" / ").toStdString(), "58File already exists") << "a user's file";

        const QString link = folder.filePath(QString("link-") + c.name);
        linkTo(usersFile, link);
        ticks(link, c.code);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(contents(usersFile).toStdString(), c.usersBytes);
        EXPECT_EQ(modified(usersFile), usersTime);
        EXPECT_EQ(ui.prompts().join(" / ").toStdString(), "58File already exists") << "a link to a file";

        const QString ownLink = folder.filePath(QString("own-link-") + c.name);
        linkTo(exportPath, ownLink);
        const QByteArray ownBytes = contents(exportPath);
        ticks(ownLink, c.code);
        EXPECT_EQ(contents(exportPath).toStdString(), ownBytes.toStdString());
        EXPECT_EQ(ui.prompts().join(" / ").toStdString(), "58File already exists") << "a link to an export";

        const QString missingTarget = usersFolder + "/missing-" + c.name;
        const QString dangling = folder.filePath(QString("dangling-") + c.name);
        linkTo(missingTarget, dangling);
        ticks(dangling, c.code);
        EXPECT_TRUE(QFileInfo(dangling).isSymLink());
        EXPECT_FALSE(QFileInfo::exists(missingTarget)) << "nothing is created through the link";
        EXPECT_EQ(ui.prompts().join(" / ").toStdString(), "58File already exists") << "a link whose target is missing";
    }
}

// A user's file at the export path is kept, however much it looks like an export: a file is one
// of the exports only while it bears the export's mark of the bytes it holds.
TEST_F(ExportFromForm, AUsersFileIsNeverTakenForAnExport)
{
    const auto usersText = [](const QByteArray& bytes) {
        return [bytes](const QString& nativePath) { writeFile(nativePath, bytes); };
    };
    // An export of this run, then changed by another program.
    const auto exportedThen = [this](const std::function<void(const QString&)>& change) {
        return [this, change](const QString& nativePath) {
            exportTo(nativePath, "3");
            change(nativePath);
        };
    };
    const auto editedInPlace = [](const QString& nativePath) {
        QFile file(nativePath); // the same file, its attributes kept
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("My own list\r\n");
    };
    const auto replacedWithTheSameBytes = [this](const QString& nativePath) {
        writeFile(nativePath + ".new", contents(nativePath));
        ASSERT_EQ(::rename(QFile::encodeName(nativePath + ".new").constData(), QFile::encodeName(nativePath).constData()), 0);
    };
    struct Case {
        const char* what;
        const char* code;
        const char* name;
        std::function<void(const QString&)> make;
    };
    const Case cases[] = {
        {"a best lap", "3", "notes.txt", usersText("Best lap - 1 Hour, 5 Minutes, 3 Seconds\r\n")},
        {"a reminder", "3", "notes.txt", usersText("Remember to call mum - \r\n")},
        {"an empty line", "3", "notes.txt", usersText("\r\n")},
        {"a note to call the bank", "3", "todo.txt", usersText("Call the bank - \r\n")},
        {"a plan", "3", "plan.txt", usersText("Project plan - 2 Days, 3 Hours, \r\n")},
        {"an empty file", "3", "empty.txt", usersText("")},
        {"a table in the export's own shape", "5", "table.csv",
         usersText("EventCaption,YearsLeft,MonthsLeft,DaysLeft,HoursLeft,MinutesLeft,SecondsLeft\r\nParty,0,0,3,4,5,6\r\n")},
        {"a page", "1", "index.html", usersText("<html>\r\n<head>\r\n<title>Mine</title>\r\n</head>\r\n</html>\r\n")},
        {"an export edited in place since", "3", "edited.txt", exportedThen(editedInPlace)},
        {"an export another program wrote anew, byte for byte", "3", "copied.txt",
         exportedThen(replacedWithTheSameBytes)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = folder.filePath(QString("home/") + c.name);
        ASSERT_TRUE(QDir().mkpath(folder.filePath("home")));
        QFile::remove(path);
        modCounter::forgetWrittenExport();
        modCounter::resetReportedFailures();
        c.make(path);
        const QByteArray usersBytes = contents(path);
        ui.msgBoxes.clear();
        for (int tick = 0; tick < 3; ++tick) {
            steadyNow += 1000;
            setSeconds(40 + tick);
            exportTo(path, c.code);
        }
        EXPECT_EQ(contents(path).toStdString(), usersBytes.toStdString());
        EXPECT_EQ(ui.prompts(), QStringList{"58File already exists"});
    }
}

// On a file system that keeps no mark the export cannot tell its file from a user's later on, so
// it writes nothing there and says so once.
TEST_F(ExportFromForm, OnADiskWithoutMarksNothingIsWrittenAndOneMessageSaysSo)
{
    const QString disk = folder.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const QString path = disk + "/count.txt";
    const QString usersFile = disk + "/notes.txt";
    enum : int { Passed = 0, Written = 1, OtherMessages = 2, UsersFileChanged = 3 };
    const int code = exitCodeOfChild([&]() -> int {
        if (!forked::mountDiskWithoutAttributes(QFile::encodeName(disk)))
            return forked::kCannotSetUp;
        for (int tick = 0; tick < 3; ++tick) {
            steadyNow += 1000;
            setSeconds(tick);
            exportTo(path, "3");
        }
        if (QFileInfo::exists(path) || QDir(disk).entryList(QDir::Files | QDir::Hidden).size() != 0)
            return Written;
        if (ui.prompts() != QStringList{"75Path/File access error: " + path})
            return OtherMessages;
        QFile notes(usersFile);
        if (!notes.open(QIODevice::WriteOnly) || notes.write("Call the bank - \r\n") < 0)
            return forked::kCannotSetUp;
        notes.close();
        ui.msgBoxes.clear();
        for (int tick = 0; tick < 3; ++tick) {
            steadyNow += 1000;
            exportTo(usersFile, "3");
        }
        if (contents(usersFile) != "Call the bank - \r\n")
            return UsersFileChanged;
        return ui.prompts() == QStringList{"58File already exists"} ? Passed : OtherMessages;
    });
    if (code == forked::kCannotSetUp)
        GTEST_SKIP() << "no file system without extended attributes can be mounted here";
    EXPECT_EQ(code, Passed);
}
