#include "platform/MciCommand.h"
#include "platform/MediaMci.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cmath>

using platform::MciCommand;
namespace mcierr = platform::mcierr;

namespace {

TEST(MciParse, CommandFormsTheProgramSends)
{
    using Verb = MciCommand::Verb;
    struct Case {
        const char* text;
        Verb verb;
        const char* device;
        const char* type;
        const char* alias;
        bool wait;
        qint64 from; // -2: none
    };
    const Case cases[] = {
        {"open C:\\PROGRA~1\\BELL.MP3 type MPEGVideo alias MP3_Device1 wait", Verb::Open, "C:\\PROGRA~1\\BELL.MP3",
         "mpegvideo", "MP3_Device1", true, -2},
        {"open \"/home/a b/Alarm.wav\" type avivideo alias video", Verb::Open, "/home/a b/Alarm.wav", "avivideo",
         "video", false, -2},
        {"OPEN x.wav", Verb::Open, "x.wav", "", "x.wav", false, -2},
        {"play MP3_Device1", Verb::Play, "MP3_Device1", "", "", false, -2},
        {"play video from 0", Verb::Play, "video", "", "", false, 0},
        {"Play video from 1500 wait", Verb::Play, "video", "", "", true, 1500},
        {"close video", Verb::Close, "video", "", "", false, -2},
        {"close all", Verb::Close, "all", "", "", false, -2},
        {"stop video", Verb::Stop, "video", "", "", false, -2},
        {"pause  video", Verb::Pause, "video", "", "", false, -2},
    };
    for (const Case& c : cases) {
        MciCommand command;
        ASSERT_EQ(platform::parseMciCommand(QString::fromLatin1(c.text), &command), 0) << c.text;
        EXPECT_EQ(command.verb, c.verb) << c.text;
        EXPECT_EQ(command.device, QString::fromLatin1(c.device)) << c.text;
        EXPECT_EQ(command.type, QString::fromLatin1(c.type)) << c.text;
        if (c.verb == Verb::Open) {
            EXPECT_EQ(command.alias, QString::fromLatin1(c.alias)) << c.text;
        }
        EXPECT_EQ(command.wait, c.wait) << c.text;
        EXPECT_EQ(command.from.value_or(-2), c.from) << c.text;
    }
    MciCommand set;
    ASSERT_EQ(platform::parseMciCommand("set video time format milliseconds", &set), 0);
    EXPECT_EQ(set.verb, Verb::Set);
    EXPECT_EQ(set.timeFormat, "milliseconds");
    MciCommand status;
    ASSERT_EQ(platform::parseMciCommand("status MP3_Device1 Mode", &status), 0);
    EXPECT_EQ(status.item, "mode");
    MciCommand seek;
    ASSERT_EQ(platform::parseMciCommand("seek video to start", &seek), 0);
    EXPECT_EQ(seek.to.value_or(-2), 0);
}

TEST(MciParse, MalformedCommandsGiveErrorNumbers)
{
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"", mcierr::MissingCommandString},
        {"   ", mcierr::MissingCommandString},
        {"record video", mcierr::UnrecognizedCommand},
        {"open", mcierr::FilenameRequired},
        {"play", mcierr::MissingDeviceName},
        {"open \"a b.wav type avivideo", mcierr::NoClosingQuote},
        {"open a.wav alias", mcierr::MissingParameter},
        {"open a.wav type", mcierr::MissingParameter},
        {"open a.wav colour red", mcierr::UnrecognizedKeyword},
        {"play video from", mcierr::MissingParameter},
        {"play video from soon", mcierr::BadInteger},
        {"play video from -5", mcierr::BadInteger},
        {"set video time format frames", mcierr::BadTimeFormat},
        {"set video time format", mcierr::MissingParameter},
        {"set video audio all off", mcierr::UnrecognizedKeyword},
        {"status video", mcierr::MissingParameter},
        {"status video colour", mcierr::UnrecognizedKeyword},
        {"seek video", mcierr::MissingParameter},
        {"close video now", mcierr::UnrecognizedKeyword},
    };
    for (const Case& c : cases) {
        MciCommand command;
        EXPECT_EQ(platform::parseMciCommand(QString::fromLatin1(c.text), &command), c.expected) << c.text;
    }
}

TEST(MciErrors, EveryNumberTheInterpreterReturnsHasAText)
{
    for (int32_t error : {mcierr::InvalidDeviceName, mcierr::DuplicateAlias, mcierr::FileNotFound, mcierr::InvalidFile,
                          mcierr::NoClosingQuote, mcierr::UnrecognizedCommand, mcierr::BadTimeFormat})
        EXPECT_FALSE(platform::mciErrorText(error).isEmpty()) << error;
    EXPECT_TRUE(platform::mciErrorText(0).isEmpty());
    EXPECT_TRUE(platform::mciErrorText(12345).isEmpty());
}

// A half-second mono 16-bit sine tone.
QByteArray toneWav()
{
    const int rate = 8000;
    QByteArray samples;
    for (int i = 0; i < rate / 2; ++i) {
        const auto s = static_cast<qint16>(8000 * std::sin(i * 2 * M_PI * 440 / rate));
        samples.append(reinterpret_cast<const char*>(&s), 2);
    }
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples.size());
    out.writeRawData(samples.constData(), samples.size());
    return wav;
}

QString statusOf(platform::Mci& mci, const QString& alias, const char* item)
{
    QString reply;
    mci.sendString(QStringLiteral("status %1 %2").arg(alias, QLatin1String(item)), &reply);
    return reply;
}

bool waitForMode(platform::Mci& mci, const QString& alias, const QString& mode, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < limitMs) {
        if (statusOf(mci, alias, "mode") == mode)
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return false;
}

// Without a sound output nothing would be heard and nothing said: the play fails with the
// error a failed play gives, and the device stays open for another try.
TEST(MediaMci, APlayWithoutASoundOutputFails)
{
    TempFolder folder;
    folder.write("Alarm.wav", toneWav());
    platform::MediaMci mci;
    mci.setSoundOutputCheck([] { return false; });
    ASSERT_EQ(mci.sendString("open \"" + folder.internalPath("Alarm.wav") + "\" type avivideo alias alarm wait"), 0);
    EXPECT_EQ(mci.sendString("play alarm from 0"), mcierr::DeviceNotReady);
    EXPECT_TRUE(mci.errorString(mcierr::DeviceNotReady).contains("no working sound output"));
    EXPECT_EQ(statusOf(mci, "alarm", "mode"), "stopped");
    EXPECT_EQ(mci.sendString("close alarm"), 0);
}

TEST(MediaMci, PlaysARealWaveFileAndKeepsAliasesApart)
{
    TempFolder folder;
    folder.write("With Blank/Alarm.wav", toneWav());
    folder.write("broken.wav", "RIFF but not really a wave file");
    platform::MediaMci mci;
    // The machine may have no sound output; the player then still runs to the end of the media.
    mci.setSoundOutputCheck([] { return true; });
    const QString quoted = "\"" + folder.internalPath("with blank\\ALARM.WAV") + "\"";

    ASSERT_EQ(mci.sendString("open " + quoted + " type avivideo alias video wait"), 0);
    EXPECT_EQ(mci.sendString("open " + quoted + " type avivideo alias VIDEO"), mcierr::DuplicateAlias);
    EXPECT_EQ(mci.sendString("set video time format ms"), 0);
    EXPECT_NEAR(statusOf(mci, "video", "length").toInt(), 500, 50);
    EXPECT_EQ(mci.sendString("play video from 0"), 0);
    EXPECT_TRUE(waitForMode(mci, "video", "playing", 5000));
    EXPECT_EQ(mci.sendString("close video"), 0);
    EXPECT_EQ(mci.sendString("play video"), mcierr::InvalidDeviceName);
    EXPECT_EQ(mci.sendString("close video"), mcierr::InvalidDeviceName);

    EXPECT_EQ(mci.sendString("open " + folder.internalPath("none.wav") + " alias a"), mcierr::FileNotFound);
    EXPECT_EQ(mci.sendString("open \"" + folder.internalPath("broken.wav") + "\" alias b wait"), mcierr::InvalidFile);
    EXPECT_EQ(mci.sendString("open " + quoted + " type cdaudio alias c"), mcierr::InvalidDeviceName);

    // The second open of an alias fails until "close all" frees it, as the alarm sound relies on.
    ASSERT_EQ(mci.sendString("open " + quoted + " type MPEGVideo alias MP3_Device1 wait"), 0);
    EXPECT_EQ(mci.sendString("open " + quoted + " type MPEGVideo alias MP3_Device1 wait"), mcierr::DuplicateAlias);
    EXPECT_EQ(mci.sendString("close all"), 0);
    EXPECT_EQ(mci.sendString("open " + quoted + " type MPEGVideo alias MP3_Device1 wait"), 0);
    EXPECT_EQ(mci.sendString("play MP3_Device1 wait"), 0);
    EXPECT_EQ(statusOf(mci, "MP3_Device1", "mode"), "stopped");
    EXPECT_EQ(mci.sendString("close all"), 0);
}

} // namespace
