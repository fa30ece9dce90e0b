// Writes a program folder for scripts/show-saver.sh to run the screen saver over: a countdown
// package with a picture, the package opened into the work folder, and the settings that name
// both.
//
//   saver-shot <folder>
//
// The folder receives app/ (the program folder, with Temp/), stage/ (where the package's
// members were written) and config/ (the settings, for XDG_CONFIG_HOME).

#include "common/ReportingUi.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "foundation/ProgramTexts.h"
#include "platform/FileSystem.h"
#include "platform/Regional.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSettings>

#include <cmath>
#include <cstdio>

namespace {

QImage skyPicture()
{
    QImage picture(320, 240, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(40, 90, 200));
    sky.setColorAt(1, QColor(250, 200, 80));
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(200, 40, 60, 60);
    painter.end();
    return picture;
}

// The countdown "Summer Holiday", twelve and a half days ahead, in layout 1 with its picture.
bool writeCountdown(const QString& stage)
{
    clsCountdown countdown;
    countdown.setDatabaseLocation(stage);
    countdown.setCountdownFileName("Party.MVK");
    countdown.setEventCaption("Summer Holiday");
    countdown.setEventCaptionVisible(true);
    countdown.setEventDateVisible(true);
    countdown.setEventDate(std::floor(vb::now()) + 12.5);
    countdown.setEventDateFormat("dddd, mmmm d, yyyy h:mm AM/PM");
    countdown.setIntervalDays(true);
    countdown.setIntervalHours(true);
    countdown.setIntervalMinutes(true);
    countdown.setIntervalSeconds(true);
    countdown.setTimerDateVisible(true);
    countdown.setImageFileName("picture.png");
    countdown.setImageVisible(true);
    countdown.setStatusBarVisible(true);
    countdown.setViewFormat(1);
    countdown.setEventCaptionFontsize(24);
    countdown.setEventDateFontsize(12);
    countdown.setTimerDateFontsize(18);
    countdown.setEventCaptionBackColor(0x402000);
    countdown.setEventCaptionForeColor(0xFFFFFF);
    countdown.setEventDateBackColor(0x402000);
    countdown.setEventDateForeColor(0x80FFFF);
    countdown.setTimerDateBackColor(0x202020);
    countdown.setTimerDateForeColor(0x00FF00);
    countdown.setBackgroundBackColor(0x101010);
    return countdown.Update();
}

bool writeSettings(const QString& root, const QString& app, const QString& package)
{
    QSettings ini(root + "/config/" + ProgramTexts::kSettingsApplication + ".ini", QSettings::IniFormat);
    ini.beginGroup(ProgramTexts::kSettingsSection);
    ini.setValue(ProgramTexts::kAppPathKey, app);
    ini.setValue(ProgramTexts::kLastOpenTemplateKey, package);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

// Each step says what failed; nothing after a failed step is written.
bool writeProgramFolder(const QString& root)
{
    for (const char* folder : {"/app/Temp", "/stage", "/config"}) {
        if (!QDir().mkpath(root + folder)) {
            std::fprintf(stderr, "saver-shot: cannot make %s%s\n", qPrintable(root), folder);
            return false;
        }
    }
    const QString app = platform::fs::toInternal(root + "/app");
    const QString stage = platform::fs::toInternal(root + "/stage");
    // The countdown code reads its program folder from the context, as in the screen saver.
    ProgramContext context;
    context.appPath = app;
    if (!skyPicture().save(root + "/stage/picture.png")) {
        std::fprintf(stderr, "saver-shot: cannot write the picture\n");
        return false;
    }
    if (!writeCountdown(stage)) {
        std::fprintf(stderr, "saver-shot: cannot write the countdown's data file\n");
        return false;
    }
    const QString package = app + "\\Party.MVL";
    if (!ModJoinsSkins::SaveCountdownPackage(package, "0", "0", "", "Party.MVK", "picture.png", "", "", stage)
        || !ModJoinsSkins::OpenCountdownPackage(package, false, app + "\\Temp")) {
        std::fprintf(stderr, "saver-shot: cannot write or open the package %s\n", qPrintable(package));
        return false;
    }
    if (!writeSettings(root, app, package)) {
        std::fprintf(stderr, "saver-shot: cannot write the settings\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // The picture draws no text, so no window system (QGuiApplication) is needed.
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: saver-shot <folder>\n");
        return 2;
    }
    ReportingUi ui("saver-shot");
    // Dates in the data file take the default (United States) regional settings.
    platform::Regional regional;
    platform::setServices({&ui, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &regional});
    try {
        if (!writeProgramFolder(QDir(args[1]).absolutePath()))
            return 1;
    } catch (const platform::VbError& error) {
        std::fprintf(stderr, "saver-shot: %d %s\n", error.number, qPrintable(error.description));
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "saver-shot: %s\n", error.what());
        return 1;
    }
    return ui.failed ? 1 : 0;
}
