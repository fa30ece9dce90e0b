#include "foundation/clsPSFileUtilities.h"
#include "foundation/modMedia.h"
#include "platform/FileSystem.h"
#include "platform/Mci.h"
#include "platform/MediaMci.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace fs = platform::fs;
using platform::mcierr::DuplicateAlias;
using platform::mcierr::FileNotFound;
using platform::mcierr::InvalidDeviceName;

namespace {

const QString kNotLocated = QStringLiteral("Multi-Media File Not Located");

class Media : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    QStringList& commands() { return services.mci().commands; }
    QStringList prompts() { return services.ui().prompts(); }
    static QString mp3Open(const QString& path)
    {
        return "open \"" + path + "\" type MPEGVideo alias MP3_Device1 wait";
    }

    TestServices services;
    TempFolder temp;
    clsPSFileUtilities files;
};

TEST_F(Media, Mp3OpensWaitsAndPlaysUnderItsAlias)
{
    for (const char* name : {"My Sounds\\bell.mp3", "LOUD.MP3"}) {
        const QString path = temp.write(name, "x");
        commands().clear();
        files.Play_AviMCI(path);
        EXPECT_EQ(commands(), QStringList({mp3Open(path), "play MP3_Device1"})) << name;
        EXPECT_EQ(files.PellowFileName(), path);
    }
    EXPECT_TRUE(prompts().isEmpty());
}

TEST_F(Media, Mp3RetriesOnceAfterClosingAllWhenTheAliasIsTaken)
{
    const QString path = temp.write("bell.mp3", "x");
    services.mci().results = {DuplicateAlias, 0, 0, 0};
    files.Play_AviMCI(path);
    EXPECT_EQ(commands(), QStringList({mp3Open(path), "close all", mp3Open(path), "play MP3_Device1"}));
    EXPECT_TRUE(prompts().isEmpty());
}

TEST_F(Media, Mp3FailuresShowTheMultimediaErrorText)
{
    const QString path = temp.write("bell.mp3", "x");
    struct Case {
        std::deque<int32_t> results;
        QStringList commands;
        QString message;
    };
    const QString open = mp3Open(path);
    const Case cases[] = {
        {{DuplicateAlias, 0, FileNotFound}, {open, "close all", open}, platform::mciErrorText(FileNotFound)},
        {{-1}, {open}, "An unknown MCI error occurred."},
        {{0, InvalidDeviceName}, {open, "play MP3_Device1"}, platform::mciErrorText(InvalidDeviceName)},
        {{0, 99999}, {open, "play MP3_Device1"}, "An unknown MCI error occurred."},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.message.isEmpty());
        commands().clear();
        services.ui().msgBoxes.clear();
        services.mci().results = c.results;
        files.Play_AviMCI(path);
        EXPECT_EQ(commands(), c.commands);
        EXPECT_EQ(prompts(), QStringList{c.message});
        EXPECT_EQ(services.ui().msgBoxes.front().buttons, platform::vbmsg::vbOKOnly);
    }
}

// A WAV sound with no sound output to play on says so once; the video device's other failures
// stay silent.
TEST_F(Media, AVideoDeviceSoundWithoutASoundOutputSaysSoOnce)
{
    const QString path = temp.write("Alarm.wav", "x");
    services.mci().results = {0, 0, 0, platform::mcierr::DeviceNotReady};
    files.Play_AviMCI(path);
    EXPECT_EQ(prompts(), QStringList{platform::mciErrorText(platform::mcierr::DeviceNotReady)});
}

TEST_F(Media, OtherFilesGoThroughTheVideoDeviceSilently)
{
    const QString path = temp.write("Alarm Sounds\\Alarm.wav", "x");
    const QStringList expected{"close video", "open \"" + path + "\" type avivideo alias video",
                               "set video time format milliseconds", "play video from 0"};
    files.Play_AviMCI(path);
    EXPECT_EQ(commands(), expected);
    commands().clear();
    services.mci().results = {InvalidDeviceName, FileNotFound, InvalidDeviceName, InvalidDeviceName};
    files.Play_AviMCI(path);
    EXPECT_EQ(commands(), expected);
    EXPECT_TRUE(prompts().isEmpty());

    commands().clear();
    files.Close_AviMCI();
    modMedia::CloseMediaFile();
    EXPECT_EQ(commands(), QStringList({"close video", "close video"}));
}

TEST_F(Media, MissingFilesPlayNothing)
{
    const QString missing = temp.internalPath("gone.mp3");
    files.Play_AviMCI(missing);
    files.Play_Avi(missing);
    files.MediaPlay(1, missing, 0);
    EXPECT_TRUE(commands().isEmpty());
    EXPECT_TRUE(services.shell().documents.isEmpty());
    EXPECT_EQ(prompts(), QStringList({kNotLocated, kNotLocated,
                                      "Media " + fs::toNative(missing)
                                          + " multimedia file is missing. Please import or create a new one"}));
    for (const auto& box : services.ui().msgBoxes)
        EXPECT_EQ(box.buttons, platform::vbmsg::vbInformation);
}

TEST_F(Media, MediaPlaySendsMp3ToTheDeviceAndOthersToTheShell)
{
    const QString mp3 = temp.write("a.Mp3", "x");
    const QString video = temp.write("b.avi", "x");
    files.MediaPlay(1, mp3, 0);
    files.MediaPlay(2, video, 0);
    files.MediaPlay(3, mp3, 0);
    files.MediaPlay(0, video, 0);
    EXPECT_EQ(commands(), QStringList({mp3Open(mp3), "play MP3_Device1"}));
    EXPECT_EQ(services.shell().documents, QStringList{video});
    EXPECT_EQ(files.PellowFileName(), video);

    services.shell().succeed = false;
    services.shell().failure = "no player installed";
    files.Play_Avi(video);
    EXPECT_EQ(prompts(), QStringList{"Could not open \"" + fs::toNative(video) + "\". no player installed"});
}

TEST_F(Media, ShowMciErrorIsAWarningWithTheNumber)
{
    modMedia::ShowMciError(263);
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes.front().prompt, "Unknown error (263).");
    EXPECT_EQ(services.ui().msgBoxes.front().buttons, platform::vbmsg::vbExclamation);
    EXPECT_TRUE(services.ui().msgBoxes.front().title.isEmpty());
}

// The shipped sounds on the real multimedia backend: each reaches the playing state and its
// position moves on, and a second MP3 replaces the first through the retry.
TEST(MediaOnRealBackend, ShippedSoundsPlay)
{
    TestServices services;
    platform::MediaMci mci;
    mci.setSoundOutputCheck([] { return true; }); // a machine without sound output still plays to the end
    platform::Services installed = platform::services();
    installed.mci = &mci;
    platform::setServices(installed);

    const QString assets = fs::toInternal(QStringLiteral(VANTREL_SOURCE_DIR "/assets"));
    const auto reachesPlaying = [&](const QString& alias) {
        QElapsedTimer clock;
        clock.start();
        QString mode, position;
        while (clock.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            mci.sendString("status " + alias + " mode", &mode);
            mci.sendString("status " + alias + " position", &position);
            if (mode == "playing" && position.toLongLong() > 0)
                return true;
            QThread::msleep(20);
        }
        return false;
    };
    clsPSFileUtilities files;
    files.Play_AviMCI(assets + "\\Bell.mp3");  // found without regard to case
    EXPECT_TRUE(reachesPlaying("MP3_Device1"));
    files.Play_AviMCI(assets + "\\BELL.MP3");
    EXPECT_TRUE(reachesPlaying("MP3_Device1"));
    files.Play_AviMCI(assets + "\\Alarm.wav");
    EXPECT_TRUE(reachesPlaying("video"));
    EXPECT_TRUE(services.ui().prompts().isEmpty()) << services.ui().prompts().join(" | ").toStdString();
    mci.sendString("close all");
}

} // namespace
