#include "display/MediaFile.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

namespace {

class MediaFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("Temp/ring.wav", "RIFF");
        folder.write("Temp/Bell.mp3", "");
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(folder.nativePath("Temp/party.png"));
        folder.write("Temp/broken.png", "these bytes are no picture");
    }
    QString temp(const QString& name) const { return folder.internal() + "\\Temp\\" + name; }

    TestServices services;
    TempFolder folder;
};

TEST_F(MediaFileTest, OnlyAFileWithBytesIsPresent)
{
    struct Case { const char* name; bool present; };
    const Case cases[] = {
        {"ring.wav", true},
        {"RING.WAV", true},  // names ignore case
        {"Bell.mp3", false}, // 0 bytes: kept by a package for a member it could not find
        {"gone.wav", false},
        {"", false},         // the work folder itself, as an empty member name joins to it
    };
    for (const Case& c : cases)
        EXPECT_EQ(MediaFile::isPresent(temp(c.name)), c.present) << c.name;
    EXPECT_FALSE(MediaFile::isPresent(QString()));
    EXPECT_THROW(MediaFile::isPresent(temp("*.wav")), platform::VbError);
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(MediaFileTest, PicturesOfMissingEmptyAndUndecodableFiles)
{
    EXPECT_EQ(MediaFile::picture(temp("party.png")).size(), QSize(3, 2));
    EXPECT_EQ(MediaFile::pictureOrNone(temp("party.png")).size(), QSize(3, 2));
    for (const char* missing : {"gone.png", "Bell.mp3", ""}) {
        EXPECT_TRUE(MediaFile::picture(temp(missing)).isNull()) << missing;
        EXPECT_TRUE(MediaFile::pictureOrNone(temp(missing)).isNull()) << missing;
    }
    EXPECT_TRUE(MediaFile::pictureOrNone(temp("broken.png")).isNull());
    EXPECT_TRUE(MediaFile::pictureOrNone(temp("*.png")).isNull());
    try {
        MediaFile::picture(temp("broken.png"));
        FAIL() << "no error";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 481);
        EXPECT_EQ(error.description, QString("Invalid picture"));
    }
}

TEST_F(MediaFileTest, SoundFallsBackPastAMissingOrEmptyFile)
{
    const QString fallback = temp("ring.wav");
    EXPECT_EQ(MediaFile::soundToPlay(temp("party.png"), fallback), temp("party.png"));
    EXPECT_EQ(MediaFile::soundToPlay(temp("Bell.mp3"), fallback), fallback);
    EXPECT_EQ(MediaFile::soundToPlay(temp(""), fallback), fallback);
    EXPECT_EQ(MediaFile::soundToPlay(temp("gone.wav"), temp("Bell.mp3")), QString());
}

} // namespace
