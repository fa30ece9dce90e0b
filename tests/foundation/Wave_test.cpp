#include "foundation/frmWave.h"

#include "foundation/MMControl.h"
#include "foundation/VbValues.h"
#include "platform/FileSystem.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace fs = platform::fs;

namespace {

QString asset(const char* name)
{
    return fs::toInternal(QStringLiteral(VANTREL_SOURCE_DIR "/assets/")) + QString::fromLatin1(name);
}

bool waitFor(const std::function<bool()>& done, int limitMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

TEST(Wave, LoadOpensPlaysAndShowsTheLength)
{
    TestServices services;
    for (const char* name : {"BELL.MP3", "alarm.WAV"}) {
        frmWave form;
        form.setFilename(asset(name));
        form.show();
        MMControl& control = *form.mciWave();
        EXPECT_EQ(control.DeviceType(), QString(name) == "BELL.MP3" ? "MPEGVideo" : "WaveAudio");
        EXPECT_TRUE(control.Shareable());
        EXPECT_EQ(form.lblWave()->text(), "0.0");
        ASSERT_GT(control.Length(), 0) << name;
        EXPECT_EQ(form.lblWaveSec()->text(), vb::formatNumber(control.Length() / 1000.0, "0.00"));
        EXPECT_EQ(control.UpdateInterval(), 50);
        EXPECT_TRUE(form.Timer1()->isActive());
        EXPECT_EQ(form.Timer1()->interval(), 1000);
        EXPECT_TRUE(waitFor([&] { return control.Mode() == MMControl::Playing && control.Position() > 0; })) << name;
        EXPECT_TRUE(waitFor([&] { return form.hsbWave()->value() > 0; })) << name;
        form.close();
        EXPECT_EQ(control.Mode(), MMControl::NotOpen);
    }
    EXPECT_TRUE(services.ui().prompts().isEmpty());
}

TEST(Wave, SeekBarPlaysFromItsPercentage)
{
    TestServices services;
    frmWave form;
    form.setFilename(asset("Alarm.wav"));
    form.show();
    MMControl& control = *form.mciWave();
    ASSERT_TRUE(waitFor([&] { return control.Mode() == MMControl::Playing; }));
    form.hsbWave()->setValue(50);
    form.hsbWave_Scroll();
    EXPECT_TRUE(form.Timer1()->isActive());
    ASSERT_TRUE(waitFor([&] { return control.Mode() == MMControl::Playing && control.Position() >= control.Length() / 2; }));
    form.mciWave_StatusUpdate();
    EXPECT_GE(form.hsbWave()->value(), 49);

    // Stop: updates halt, and the next status update puts the bar at its end.
    form.mciWave()->findChild<QToolButton*>("StopButton")->click();
    EXPECT_FALSE(form.Timer1()->isActive());
    EXPECT_EQ(control.UpdateInterval(), 0);
    EXPECT_NE(control.Mode(), MMControl::Playing);
    form.mciWave_StatusUpdate();
    EXPECT_EQ(form.hsbWave()->value(), 100);

    form.mciWave()->findChild<QToolButton*>("PlayButton")->click();
    EXPECT_EQ(control.UpdateInterval(), 50);
    EXPECT_TRUE(form.Timer1()->isActive());
    EXPECT_TRUE(waitFor([&] { return control.Mode() == MMControl::Playing; }));
    EXPECT_TRUE(services.ui().prompts().isEmpty());
}

TEST(Wave, FailedOpenShowsTheErrorAndUnloads)
{
    TestServices services;
    TempFolder temp;
    const QString notSound = temp.write("noise.mp3", QByteArray(4000, '\x01'));
    for (const QString& path : {temp.internalPath("missing.wav"), notSound}) {
        frmWave form;
        form.setFilename(path);
        form.show();
        EXPECT_FALSE(form.isVisible()) << path.toStdString();
        EXPECT_EQ(form.mciWave()->Mode(), MMControl::NotOpen);
        EXPECT_FALSE(form.Timer1()->isActive());
    }
    EXPECT_EQ(services.ui().prompts(), QStringList({"Unknown error (275).", "Unknown error (296)."}));
    EXPECT_EQ(services.ui().msgBoxes.front().buttons, platform::vbmsg::vbExclamation);
}

} // namespace
