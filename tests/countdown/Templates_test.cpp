#include "countdown/ModJoinsSkins.h"
#include "countdown/QStringPrinting.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& nativePath)
{
    QFile file(nativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What each shipped package was built with.
struct ShippedTemplate {
    const char* name;
    const char* caption;
    double eventDate;
    const char* dateFormat;
    int16_t viewFormat;
    bool currentTimeVisible;
};

const ShippedTemplate kTemplates[] = {
    {"Default", "My Event", vb::oleDateFromParts(2029, 12, 31, 18, 0, 0), "mmmm d, yyyy h:nn AM/PM", 3, false},
    {"Demo", "New Year 2030", vb::oleDateFromParts(2030, 1, 1, 0, 0, 0), "dddd, mmmm d, yyyy", 1, true},
};

void PrintTo(const ShippedTemplate& t, std::ostream* os)
{
    *os << t.name;
}

class Templates : public ::testing::TestWithParam<ShippedTemplate>, protected TestProgram<> {
protected:
    QString name() const { return QString::fromLatin1(GetParam().name); }
    QString package() const { return QStringLiteral(VANTREL_BIN_DIR "/Templates/") + name() + QStringLiteral(".MVL"); }

};

TEST_P(Templates, OpenWithThePackageReaderAndHoldTheirValues)
{
    const ShippedTemplate& t = GetParam();
    ASSERT_TRUE(QFile::exists(package())) << package().toStdString();
    ASSERT_TRUE(ModJoinsSkins::OpenCountdownPackage(package(), false, work));
    // The data file, the picture and the sound; no logo.
    QStringList unpacked = QDir(folder.nativePath(QStringLiteral("Temp"))).entryList(QDir::Files);
    unpacked.sort(Qt::CaseSensitive);
    EXPECT_EQ(unpacked, (QStringList{QStringLiteral("Alarm.wav"), name() + QStringLiteral(".MVK"),
                                     name() + QStringLiteral(".jpg")}));

    clsCountdown countdown;
    countdown.setDatabaseLocation(work);
    countdown.setCountdownFileName(name() + QStringLiteral(".MVK"));
    countdown.Refresh();
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().msgBoxes.front().prompt.toStdString();

    EXPECT_EQ(countdown.CountdownFileName(), name() + QStringLiteral(".MVK"));
    EXPECT_EQ(countdown.EventCaption(), QString::fromLatin1(t.caption));
    EXPECT_EQ(countdown.CountdownName(), QString::fromLatin1(t.caption));
    EXPECT_DOUBLE_EQ(countdown.EventDate(), t.eventDate);
    EXPECT_EQ(countdown.EventDateFormat(), QString::fromLatin1(t.dateFormat));
    EXPECT_EQ(countdown.ViewFormat(), t.viewFormat);
    EXPECT_EQ(countdown.CurrentTimeVisible(), t.currentTimeVisible);
    EXPECT_EQ(countdown.ImageFileName(), name() + QStringLiteral(".jpg"));
    EXPECT_EQ(countdown.AlarmFileName(), QStringLiteral("Alarm.wav"));
    EXPECT_TRUE(countdown.AlarmSound());
    EXPECT_TRUE(countdown.IntervalSeconds());
    EXPECT_TRUE(countdown.ImageVisible());
    EXPECT_TRUE(countdown.EventCaptionVisible());
    EXPECT_TRUE(countdown.TimerDateVisible());
    EXPECT_FALSE(countdown.SaveToFile());
    EXPECT_FALSE(countdown.AdvertiserLogoVisible());
    EXPECT_TRUE(countdown.AdvertiserLogoFileName().isEmpty());
    EXPECT_EQ(countdown.State(), 0);
    // A 600 by 450 pixel window that lies wholly on the 800 by 600 reference screen.
    EXPECT_FLOAT_EQ(countdown.Width(), 9000);
    EXPECT_FLOAT_EQ(countdown.Height(), 6750);
    EXPECT_GE(countdown.Left(), 0);
    EXPECT_GE(countdown.Top(), 0);
    EXPECT_LE(countdown.Left() + countdown.Width(), 12000);
    EXPECT_LE(countdown.Top() + countdown.Height(), 9000);
    // Texts stay readable: the caption's colour is not its background.
    EXPECT_NE(countdown.EventCaptionForeColor(), countdown.EventCaptionBackColor());
    EXPECT_NE(countdown.TimerDateForeColor(), countdown.TimerDateBackColor());
}

TEST_P(Templates, CarryARealPictureAndTheAlarmSound)
{
    ASSERT_TRUE(ModJoinsSkins::OpenCountdownPackage(package(), false, work));

    const QImage picture(folder.nativePath(QStringLiteral("Temp/") + name() + QStringLiteral(".jpg")));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(400, 300));
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 10)
        for (int x = 0; x < picture.width(); x += 10)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 50) << "a drawn picture, not a flat fill";

    const QByteArray shippedSound = fileBytes(QStringLiteral(VANTREL_SOURCE_DIR "/assets/Alarm.wav"));
    ASSERT_FALSE(shippedSound.isEmpty());
    EXPECT_EQ(fileBytes(folder.nativePath(QStringLiteral("Temp/") + QStringLiteral("Alarm.wav"))), shippedSound);
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Shipped, Templates, ::testing::ValuesIn(kTemplates),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
