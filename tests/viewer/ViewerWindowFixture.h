#pragma once

#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "display/ProgramEnd.h"
#include "display/frmAlarm.h"
#include "display/modCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramTexts.h"
#include "platform/VbError.h"
#include "support/UnpackedPackageFixture.h"
#include "viewer/frmCountdownViewer.h"
#include "viewer/modVantrelViewer.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A program folder with the package Party.MVL unpacked into its work folder, as the viewer's
// start-up leaves it, and the viewer's context pointing at it.
class ViewerWindowFixture : public UnpackedPackageTest<ViewerContext> {
protected:
    static constexpr double kSecond = 1.0 / 86400.0;

    void SetUp() override
    {
        context.currentFile = packagePath();
    }
    void TearDown() override
    {
        window.reset();
    }

    // The countdown of the package: a launch at `event`, shown in every unit, alarm armed.
    static void launchDay(clsCountdown& c, double eventDate)
    {
        c.setViewFormat(1);
        c.setState(0);
        c.setLeft(750);
        c.setTop(600);
        c.setWidth(4500);
        c.setHeight(3750);
        c.setEventCaption("Launch day");
        c.setEventDate(eventDate);
        c.setEventDateFormat("dd mmm, yyyy");
        c.setAlarmSound(true);
        c.setAlarmFileName("ring.wav");
        c.setCountDirection(1);
        c.setIntervalYears(true);
        c.setIntervalMonths(true);
        c.setIntervalDays(true);
        c.setIntervalHours(true);
        c.setIntervalMinutes(true);
        c.setIntervalSeconds(true);
        c.setStatusBarURL("http://example.com/launch");
        c.setSaveFormat("1");
    }

    // Packs a countdown (launchDay, then `change`) as Party.MVL and unpacks it again.
    void makePackage(const std::function<void(clsCountdown&)>& change = {})
    {
        packAndUnpack([this, &change](clsCountdown& countdown) {
            launchDay(countdown, event);
            if (change)
                change(countdown);
        });
    }

    frmCountdownViewer& loadWindow()
    {
        window = std::make_unique<frmCountdownViewer>();
        window->Form_Load();
        return *window;
    }

    QByteArray packageBytes() const { return folder.read("Party.MVL"); }
    QString lastOpenTemplate()
    {
        return services.settings().get(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection,
                                       ProgramTexts::kLastOpenTemplateKey);
    }

    std::unique_ptr<frmCountdownViewer> window;
};
