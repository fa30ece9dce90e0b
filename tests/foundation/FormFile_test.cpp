#include "foundation/ProgramContext.h"
#include "foundation/ScreenMetrics.h"
#include "foundation/clsForm.h"
#include "foundation/clsFormDb.h"
#include "foundation/modDecryption.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Messages = QVector<FormFileMessage>;

const FormFileMessage kFormat{"The Form file is not in a format that can be processed.\r\n"
                              "Please report this incident to Vantrel Dederuvevur, LLC",
                              64};

} // namespace

void PrintTo(const FormFileMessage& message, std::ostream* out)
{
    *out << "{" << message.text.toStdString() << ", " << message.buttons << "}";
}

namespace {

// The stored bytes of plain lines: each scrambled and ended by CR LF.
QByteArray scrambled(const QStringList& lines)
{
    QByteArray file;
    for (QString line : lines)
        file += modDecryption::ScrambleLine(line).toLatin1() + "\r\n";
    return file;
}

QStringList frmAboutLines()
{
    return {"<VazovuzAzodozaruVuzaz>", "<Form>", "<Name>frmAbout</Name>", "<Top>1200</Top>",
            "<Height>3000</Height>", "<Width>4500</Width>", "<Left>2400</Left>", "<State>0</State>",
            "<LeftOpen>False</LeftOpen>", "</Form>", "</VazovuzAzodozaruVuzaz>"};
}

struct Geometry {
    QString name;
    int top, height, width, left, state;
    bool operator==(const Geometry&) const = default;
};

Geometry geometryOf(const clsForm& form)
{
    return {form.Name(), form.Top(), form.Height(), form.Width(), form.Left(), form.State()};
}

class FormFileTest : public ProgramFolderTest<ProgramContext> {
protected:

};

TEST_F(FormFileTest, WritesElevenScrambledLinesAndReadsThemBack)
{
    clsForm record;
    record.setName("frmAbout");
    record.setTop(1200);
    record.setHeight(3000);
    record.setWidth(4500);
    record.setLeft(2400);
    record.setState(0);
    record.Update();
    EXPECT_EQ(record.Id(), -1);

    const QByteArray bytes = folder.read("Temp/frmAbout.MVW");
    QFile fixture(VANTREL_TEST_DATA_DIR "/foundation/forms/frmAbout.MVW");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes, fixture.readAll());
    // "<Form>" is stored as the codes 61 71 112 115 110 63, the line break plain.
    const QByteArray secondLine = bytes.mid(bytes.indexOf("\r\n") + 2, 8);
    EXPECT_EQ(secondLine, QByteArray("\x3D\x47\x70\x73\x6E\x3F\r\n"));

    clsForm readBack;
    EXPECT_EQ(readBack.FindByName("frmAbout"), -1);
    EXPECT_EQ(geometryOf(readBack), (Geometry{"frmAbout", 1200, 3000, 4500, 2400, 0}));
    EXPECT_FALSE(readBack.LeftOpen());
    EXPECT_EQ(readBack.FormFileName(), folder.internal() + "\\Temp\\frmAbout.MVW");
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(FormFileTest, GeometryOutsideSixteenBitsIsClampedAndStillWritten)
{
    clsForm record;
    record.setName("frmHuge");
    record.setWidth(45000);
    record.setHeight(-40000);
    record.setLeft(32767);
    EXPECT_EQ(record.Width(), 32767);
    EXPECT_EQ(record.Height(), -32768);
    EXPECT_EQ(record.Left(), 32767);
    const QByteArray bytes = FormFile::write(record);
    Messages messages;
    clsForm readBack;
    EXPECT_EQ(FormFile::read(bytes, readBack, messages), -1);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(geometryOf(readBack), (Geometry{"frmHuge", 0, -32768, 32767, 32767, 0}));
}

struct DefaultsCase {
    int widthPixels, heightPixels;
    double twipsPerPixel;
    int expectedWidth, expectedHeight;
};

TEST_F(FormFileTest, MissingFileGivesDefaultsAndMeasuresTheScreen)
{
    const DefaultsCase cases[] = {
        {1024, 768, 15, 10200, 7140}, // 85 percent of 800 pixels at 15 twips
        {1920, 1080, 12, 8160, 5712},
    };
    for (const DefaultsCase& c : cases) {
        SCOPED_TRACE(c.widthPixels);
        services.screen().widthPixels = c.widthPixels;
        services.screen().heightPixels = c.heightPixels;
        services.screen().twipsX = services.screen().twipsY = c.twipsPerPixel;
        clsForm record;
        record.setTop(99);
        record.setLeftOpen(true);
        EXPECT_EQ(record.FindByName("frmAbout"), 0);
        EXPECT_EQ(geometryOf(record), (Geometry{"", 0, c.expectedHeight, c.expectedWidth, 0, 0}));
        EXPECT_FALSE(record.LeftOpen());
        EXPECT_EQ(record.FormFileName(), folder.internal() + "\\Temp\\.MVW");
        EXPECT_EQ(modForm::TwipsPerPixelX, c.twipsPerPixel);
        EXPECT_EQ(modForm::TwipsPerPixelY, c.twipsPerPixel);
        EXPECT_EQ(modForm::ScreenWidthPixels, c.widthPixels);
        EXPECT_EQ(modForm::ScreenHeightPixels, c.heightPixels);
    }
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(FormFileTest, ScreenMetricsRoundHalvesToEven)
{
    services.screen().twipsX = 12.5; // rounds to 12
    services.screen().twipsY = 13.5; // rounds to 14
    services.screen().widthPixels = 100;  // 1250 twips / 12 = 104.17
    services.screen().heightPixels = 100; // 1350 twips / 14 = 96.43
    modForm::MeasureScreenMetrics();
    EXPECT_EQ(modForm::TwipsPerPixelX, 12);
    EXPECT_EQ(modForm::TwipsPerPixelY, 14);
    EXPECT_EQ(modForm::ScreenWidthPixels, 104);
    EXPECT_EQ(modForm::ScreenHeightPixels, 96);
}

struct ReadCase {
    const char* what;
    QByteArray bytes;
    int expectedResult;
    Geometry expected; // on a record that held name "frmStart" and zeros
    Messages expectedMessages;
};

TEST_F(FormFileTest, ReadingLoopAppliesWhatItCollects)
{
    QStringList full = frmAboutLines();
    QStringList badTop = full;
    badTop[3] = "<Top>12OO</Top>";
    QStringList overriding = full;
    overriding.insert(4, "<Top>-75</Top>");
    overriding.insert(10, "<Other>1</Other>");
    QStringList twoBlocks = full.mid(0, 10) + QStringList{"<Form>", "<Left>15</Left>", "</Form>"} + full.mid(10);
    QStringList blanks = full;
    blanks[2] = "\x1F\x1F" + blanks[2] + "\x1F"; // scrambled blanks around the stored line

    const ReadCase cases[] = {
        {"complete file", scrambled(full), -1, {"frmAbout", 1200, 3000, 4500, 2400, 0}, {}},
        {"no final line break", scrambled(full).chopped(2), -1, {"frmAbout", 1200, 3000, 4500, 2400, 0}, {}},
        {"bad first line", scrambled(QStringList{"<Vazovuz>"} + full.mid(1)), 0, {"frmStart", 0, 0, 0, 0, 0}, {kFormat}},
        {"plain text", QByteArray("<VazovuzAzodozaruVuzaz>\r\n"), 0, {"frmStart", 0, 0, 0, 0, 0}, {kFormat}},
        {"empty file", QByteArray(), 0, {"frmStart", 0, 0, 0, 0, 0},
         {{"62\nInput past end of file", 0}, kFormat}},
        {"root tag only", scrambled(full.mid(0, 1)), -1, {"frmStart", 0, 0, 0, 0, 0},
         {{"62\nInput past end of file", 0}}},
        // The last line of a file cut short is never applied.
        {"cut after Name and Top", scrambled(full.mid(0, 4)), -1, {"frmAbout", 0, 0, 0, 0, 0}, {kFormat}},
        {"cut after Top, no break", scrambled(full.mid(0, 4)).chopped(2), -1, {"frmAbout", 0, 0, 0, 0, 0}, {kFormat}},
        // The end of the file is looked for before the line is: nothing after "</Form>" is
        // needed, and a "<Form>" line that ends the file opens no block.
        {"no closing root", scrambled(full.mid(0, 10)), -1, {"frmAbout", 1200, 3000, 4500, 2400, 0}, {}},
        {"ends after <Form>", scrambled(full.mid(0, 2)), -1, {"frmStart", 0, 0, 0, 0, 0}, {}},
        {"extra line after root", scrambled(full + QStringList{"x"}), -1, {"frmAbout", 1200, 3000, 4500, 2400, 0}, {kFormat}},
        {"unexpected line", scrambled(full.mid(0, 1) + QStringList{"<Top>5</Top>", "y"}), -1, {"frmStart", 0, 0, 0, 0, 0}, {kFormat}},
        {"top not a number", scrambled(badTop), -1, {"frmAbout", 0, 3000, 4500, 2400, 0},
         {{"13\nType mismatch", 0}}},
        {"later tag overrides", scrambled(overriding), -1, {"frmAbout", -75, 3000, 4500, 2400, 0}, {}},
        {"second block overrides", scrambled(twoBlocks), -1, {"frmAbout", 1200, 3000, 4500, 15, 0}, {}},
        {"blanks around stored lines", scrambled(blanks), -1, {"frmAbout", 1200, 3000, 4500, 2400, 0}, {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        clsForm record;
        record.setName("frmStart");
        Messages messages;
        EXPECT_EQ(FormFile::read(c.bytes, record, messages), c.expectedResult);
        EXPECT_EQ(geometryOf(record), c.expected);
        EXPECT_EQ(messages, c.expectedMessages);
    }
}

TEST_F(FormFileTest, LeftOpenReadsAsFlagAndShortValueLineIsReported)
{
    QStringList lines = frmAboutLines();
    lines[8] = "<LeftOpen>-1</LeftOpen>";
    lines[5] = "<Width>"; // shorter than its two tags
    clsForm record;
    Messages messages;
    EXPECT_EQ(FormFile::read(scrambled(lines), record, messages), -1);
    EXPECT_TRUE(record.LeftOpen());
    EXPECT_EQ(record.Width(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.startsWith("5\n")) << messages[0].text.toStdString();
}

TEST_F(FormFileTest, FindFormShowsMessagesThroughTheUi)
{
    struct Case {
        const char* what;
        QStringList lines;
        int expectedResult;
        Geometry expected;
    };
    // A file that exists but is not a form file keeps the fresh record: no defaults.
    const Case cases[] = {
        {"cut after Name and Top", frmAboutLines().mid(0, 4), -1, {"frmAbout", 0, 0, 0, 0, 0}},
        {"bad first line", QStringList{"<Form>"} + frmAboutLines().mid(1), 0, {"frmAbout", 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        services.ui().msgBoxes.clear();
        folder.write("Temp/frmAbout.MVW", scrambled(c.lines));
        clsForm record;
        EXPECT_EQ(record.FindByName("frmAbout"), c.expectedResult);
        EXPECT_EQ(geometryOf(record), c.expected);
        EXPECT_EQ(record.FormFileName(), folder.internal() + "\\Temp\\frmAbout.MVW");
        ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
        EXPECT_EQ(services.ui().msgBoxes[0].prompt,
                  "The Form file is not in a format that can be processed.\r\n"
                  "Please report this incident to Vantrel Dederuvevur, LLC");
        EXPECT_EQ(services.ui().msgBoxes[0].buttons, 64);
        EXPECT_TRUE(services.ui().msgBoxes[0].title.isEmpty());
    }
}

TEST_F(FormFileTest, WriteIntoMissingFolderIsReportedOnceAndLeavesNoFile)
{
    QDir(folder.nativePath("Temp")).removeRecursively();
    clsForm record;
    record.setName("frmAbout");
    record.Update();
    EXPECT_EQ(record.Id(), -1);
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, "76\nPath not found");
    EXPECT_FALSE(QFile::exists(folder.nativePath("Temp/frmAbout.MVW")));
}

TEST_F(FormFileTest, RewriteReplacesTheFileAndDeleteRemovesIt)
{
    clsForm record;
    record.setName("frmAbout");
    record.setTop(1200);
    record.Update();
    record.setTop(30);
    record.Update();
    clsForm readBack;
    readBack.FindByName("frmAbout");
    EXPECT_EQ(readBack.Top(), 30);

    clsFormDb db;
    db.DeleteForm(readBack);
    EXPECT_FALSE(QFile::exists(folder.nativePath("Temp/frmAbout.MVW")));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

} // namespace
