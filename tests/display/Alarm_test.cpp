#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/frmAlarm.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "support/FixedClock.h"
#include "support/OnRealX.h"
#include "support/ProgramFolderFixture.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QByteArray pngBytes()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A program folder with its work folder; the alarm window opened as the countdown windows do.
class AlarmTest : public ProgramFolderTest<DisplayContext> {
protected:
    AlarmTest() : clock(vb::oleDateFromParts(2026, 12, 10, 15, 4, 5))
    {
    }

    void open(const QString& image, const QString& caption, const QString& sound, const QString& pattern)
    {
        alarm.setImageFileName(image);
        alarm.setEventCaption(caption);
        alarm.setSoundFile(sound);
        alarm.setEventDateFormat(pattern);
        alarm.show();
    }

    QString playedFile()
    {
        for (const QString& command : services.mci().commands) {
            if (command.startsWith("open "))
                return command;
        }
        return {};
    }

    FixedClock clock;
    frmAlarm alarm;
};

} // namespace

TEST_F(AlarmTest, ShowsTheThreeLinesAndCoversTheScreenAboveOthers)
{
    services.screen().widthPixels = 1024;
    services.screen().heightPixels = 768;
    open("", "Launch", "", "mmmm d, yyyy h AM/PM");
    EXPECT_EQ(alarm.c1eAlarm()->Caption(), "You have reached \r\nLaunch\r\nDecember 10, 2026 3 PM");
    EXPECT_EQ(alarm.geometry(), QRect(0, 0, 1024, 768));
    ASSERT_EQ(services.windows().topMostCalls.size(), 1u);
    EXPECT_EQ(services.windows().topMostCalls[0], std::make_pair(static_cast<QWidget*>(&alarm), true));
    EXPECT_EQ(services.ui().pointerHistory, (std::vector<int>{11, 0}));
    EXPECT_EQ(alarm.Command1()->text(), "&Ok");
    EXPECT_EQ(alarm.Command1()->toolTip(), "This is your Vantrel Alarm form");
    EXPECT_TRUE(alarm.windowTitle().isEmpty());
}

TEST_F(AlarmTest, EmptyCaptionAndPatternKeepTheLineBreaks)
{
    open("", "", "", "");
    EXPECT_EQ(alarm.c1eAlarm()->Caption(), "You have reached \r\n\r\n12/10/2026 3:04:05 PM");
}

TEST_F(AlarmTest, ChoosesTheSoundFromTheWorkFolderThenAlarmWav)
{
    struct Case {
        const char* name;
        QString soundFile;
        QStringList filesPresent; // relative to the program folder
        QString played;           // path expected in the open command, after the program folder
        QStringList emptyFiles = {}; // present with 0 bytes, as a package keeps a sound it lacked
    };
    const Case cases[] = {
        {"named wav in the work folder", "ring.wav", {"Temp/ring.wav", "Alarm.wav"}, "\\Temp\\ring.wav"},
        {"named mp3 in the work folder", "Bell.mp3", {"Temp/Bell.mp3"}, "\\Temp\\Bell.mp3"},
        {"empty name", "", {"Alarm.wav"}, "/Alarm.wav"},
        {"name of no file", "gone.wav", {"Alarm.wav"}, "/Alarm.wav"},
        // a bare name is the work folder's member, never a file of the current folder
        {"only in the program folder", "ring.wav", {"ring.wav", "Alarm.wav"}, "/Alarm.wav"},
        {"empty named file", "Bell.mp3", {"Alarm.wav"}, "/Alarm.wav", {"Temp/Bell.mp3"}},
    };
    for (const Case& c : cases) {
        TestServices fresh;
        TempFolder program;
        program.makeFolder("Temp");
        for (const QString& file : c.filesPresent)
            program.write(file, "RIFF");
        for (const QString& file : c.emptyFiles)
            program.write(file, "");
        context.appPath = program.internal();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(program.native()); // the current folder holds ring.wav in the last case
        frmAlarm window;
        window.setSoundFile(c.soundFile);
        window.show();
        QDir::setCurrent(previous);

        QString open;
        for (const QString& command : fresh.mci().commands)
            if (command.startsWith("open "))
                open = command;
        EXPECT_TRUE(open.startsWith("open \"" + program.internal() + c.played + "\""))
            << c.name << ": " << open.toStdString();
        EXPECT_TRUE(fresh.ui().msgBoxes.empty()) << c.name;
    }
}

TEST_F(AlarmTest, WithoutAnySoundSaysRingRingOnceAndStillShowsTheText)
{
    for (const bool emptyFiles : {false, true}) {
        SCOPED_TRACE(emptyFiles ? "empty files" : "no files");
        if (emptyFiles) {
            folder.write("Temp/gone.wav", "");
            folder.write("Alarm.wav", "");
        }
        services.ui().msgBoxes.clear();
        open("", "Launch", "gone.wav", "yyyy");
        EXPECT_TRUE(services.mci().commands.isEmpty());
        EXPECT_EQ(services.ui().prompts(), QStringList{"Alarm sound is missing. So RING RING."});
        EXPECT_EQ(services.ui().msgBoxes[0].buttons, 0);
        EXPECT_EQ(alarm.c1eAlarm()->Caption(), "You have reached \r\nLaunch\r\n2026");
        alarm.Command1_Click();
    }
}

TEST_F(AlarmTest, LoadsThePictureFromTheWorkFolderWhenItIsThere)
{
    folder.write("Temp/Event.png", pngBytes());
    folder.write("Alarm.wav", "RIFF");
    open("event.PNG", "Launch", "", "yyyy"); // names ignore case, as on the platform the files came from
    EXPECT_TRUE(alarm.c1eAlarm()->hasPicture());
    EXPECT_EQ(alarm.c1eAlarm()->Picture().size(), QSize(4, 3));
    alarm.Command1_Click();

    open("missing.png", "Launch", "", "yyyy");
    EXPECT_FALSE(alarm.c1eAlarm()->hasPicture());
    alarm.Command1_Click();

    folder.write("Temp/Empty.png", ""); // a picture the package could not take along
    open("Empty.png", "Launch", "", "yyyy");
    EXPECT_FALSE(alarm.c1eAlarm()->hasPicture());
    alarm.Command1_Click();

    open("", "Launch", "", "yyyy");
    EXPECT_FALSE(alarm.c1eAlarm()->hasPicture());
    EXPECT_EQ(alarm.c1eAlarm()->Caption(), "You have reached \r\nLaunch\r\n2026");
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(AlarmTest, AnUnreadablePictureIsReportedAndTheLoadGoesOn)
{
    folder.write("Temp/broken.jpg", "not a picture");
    folder.write("Alarm.wav", "RIFF");
    open("broken.jpg", "Launch", "", "yyyy");
    EXPECT_EQ(services.ui().prompts(), QStringList{"481\r\nInvalid picture"});
    EXPECT_EQ(alarm.c1eAlarm()->Caption(), "You have reached \r\nLaunch\r\n2026");
    EXPECT_FALSE(playedFile().isEmpty());
}

TEST_F(AlarmTest, OkClosesAndTheNextAlarmLoadsAfresh)
{
    folder.write("Alarm.wav", "RIFF");
    open("", "First", "", "yyyy");
    ASSERT_TRUE(alarm.isLoaded());
    const QStringList sentBeforeOk = services.mci().commands;
    alarm.Command1()->click();
    EXPECT_EQ(services.mci().commands, sentBeforeOk) << "the sound plays on";
    EXPECT_FALSE(alarm.isVisible());
    EXPECT_FALSE(alarm.isLoaded());
    EXPECT_TRUE(alarm.EventCaption().isEmpty());

    clock.set(vb::oleDateFromParts(2027, 1, 1, 0, 0, 0));
    open("", "Second", "", "yyyy");
    EXPECT_EQ(alarm.c1eAlarm()->Caption(), "You have reached \r\nSecond\r\n2027");
    EXPECT_EQ(services.mci().commands.filter("play ").size(), 2);
}

TEST_F(AlarmTest, ReturnEnterSpaceAndEscapePressOkWhereverTheFocusIs)
{
    folder.write("Alarm.wav", "RIFF");
    folder.write("Temp/broken.jpg", "not a picture");
    QWidget countdownWindow; // the window the alarm is opened from, active until then
    countdownWindow.setFocusPolicy(Qt::StrongFocus);
    countdownWindow.show();
    using Focus = std::function<QWidget*(frmAlarm&)>;
    const std::pair<const char*, Focus> focusTargets[] = {
        {"as the alarm opens", [](frmAlarm&) { return nullptr; }},
        {"the text panel", [](frmAlarm& a) { return a.c1eAlarm(); }},
        {"the window", [](frmAlarm& a) { return &a; }},
    };
    for (const bool messageDuringLoad : {false, true}) {
        // A message box of the load takes the activation, and gives it back to the window that
        // had it before, not to the alarm.
        services.ui().whileMsgBoxShown = [&](const QString&) {
            QApplication::setActiveWindow(&countdownWindow);
            countdownWindow.setFocus();
        };
        for (const auto& [where, focus] : focusTargets) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
                SCOPED_TRACE(testing::Message() << (messageDuringLoad ? "after a message, " : "") << where << ", key "
                                                << QKeySequence(key).toString().toStdString());
                QApplication::setActiveWindow(&countdownWindow);
                countdownWindow.setFocus();
                open(messageDuringLoad ? "broken.jpg" : "", "Launch", "", "yyyy");
                EXPECT_EQ(services.ui().msgBoxes.size(), messageDuringLoad ? 1u : 0u);
                services.ui().msgBoxes.clear();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&alarm));
                if (QWidget* target = focus(alarm))
                    target->setFocus();
                QWidget* focused = QApplication::focusWidget();
                ASSERT_NE(focused, nullptr);
                QTest::keyClick(focused, key);
                EXPECT_FALSE(alarm.isVisible());
                alarm.Command1_Click();
            }
        }
    }
}

TEST_F(AlarmTest, ThePointerIsTheArrowWhileTheAlarmIsUpEvenWhereItWasHidden)
{
    folder.write("Alarm.wav", "RIFF");
    QApplication::setOverrideCursor(Qt::BlankCursor); // as the screen saver hides it
    open("", "Launch", "", "yyyy");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    EXPECT_TRUE(alarm.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(alarm.cursor().shape(), Qt::ArrowCursor);
    alarm.Command1()->click();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BlankCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(AlarmTest, TheKeyboardClosesItOnX)
{
    if (ranOnRealX())
        return;
    folder.write("Alarm.wav", "RIFF");
    for (const char* key : {"Return", "KP_Enter", "space", "Escape"}) {
        SCOPED_TRACE(key);
        open("", "Launch", "", "yyyy");
        ASSERT_TRUE(QTest::qWaitForWindowActive(&alarm));
        QProcess::execute("xdotool", {"key", key});
        EXPECT_TRUE(QTest::qWaitFor([this] { return !alarm.isVisible(); }, 5000));
        alarm.Command1_Click();
    }
}
