#include "viewer/ViewerWindowFixture.h"

#include "countdown/HandMadePackage.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "display/VbTimer.h"
#include "foundation/ProgramTexts.h"
#include "foundation/VbValues.h"
#include "platform/FileSystem.h"
#include "support/FramedWindow.h"
#include "support/PlainPicture.h"
#include "viewer/WebAddress.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMoveEvent>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <ostream>

#include <sys/xattr.h>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using FramedViewer = FramedWindow<frmCountdownViewer>;

// The window's outer rectangle in pixels (15 twips each).
QRect outerPixels(const CountdownForm& w)
{
    return QRect(qRound(w.Left() / 15), qRound(w.Top() / 15), qRound(w.Width() / 15), qRound(w.Height() / 15));
}

class ViewerWindow : public ViewerWindowFixture {
protected:
    // The countdown the package holds now, read back through a fresh unpack.
    std::unique_ptr<clsCountdown> packedCountdown()
    {
        const QString check = folder.makeFolder("Check");
        EXPECT_TRUE(ModJoinsSkins::OpenCountdownPackage(packagePath(), false, check));
        auto countdown = std::make_unique<clsCountdown>();
        countdown->setDatabaseLocation(check);
        countdown->setCountdownFileName("Party.MVK");
        countdown->Refresh();
        return countdown;
    }
    FramedViewer& showWindow()
    {
        auto framed = std::make_unique<FramedViewer>();
        FramedViewer& shown = *framed;
        window = std::move(framed);
        shown.Show();
        return shown;
    }
};

// ---- load --------------------------------------------------------------------------------------

TEST_F(ViewerWindow, LoadFillsTheWindowFromTheCurrentPackage)
{
    makePackage();
    frmCountdownViewer& w = loadWindow();

    EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
    EXPECT_EQ(w.lblTemplateFileName()->Caption(), packagePath());
    EXPECT_EQ(lastOpenTemplate(), packagePath());
    EXPECT_EQ(w.lblCountdownFileName()->Caption(), QString("Party.MVK"));
    EXPECT_EQ(w.Caption(), ProgramTexts::kProgramTitle);
    EXPECT_EQ(w.c1eEventCaption()->Caption(), QString("Launch day"));
    EXPECT_EQ(modVantrelViewer::WindowResized(), 0);
    EXPECT_EQ(w.Timer1()->Interval(), 1000);
    const auto& pointer = services.ui().pointerHistory;
    ASSERT_FALSE(pointer.empty());
    EXPECT_EQ(pointer.front(), 11);
    EXPECT_EQ(pointer.back(), 0);
}

TEST_F(ViewerWindow, LoadReportsAFailingStepAndGoesOn)
{
    folder.write("Temp/party.jpg", "no picture");
    makePackage([](clsCountdown& c) { c.setImageFileName("party.jpg"); });
    frmCountdownViewer& w = loadWindow();
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, QString("481\r\nInvalid picture"));
    EXPECT_EQ(w.c1eEventCaption()->Caption(), QString("Launch day"));
    EXPECT_EQ(w.Timer1()->Interval(), 1000);
}

TEST_F(ViewerWindow, MissingOrEmptyPictureAndLogoClearAndHideTheirPanels)
{
    // A package keeps a picture or logo it could not pack as an empty member.
    folder.write("Temp/empty.jpg", "");
    folder.write("Temp/empty.png", "");
    for (const char* stem : {"gone", "empty"}) {
        SCOPED_TRACE(stem);
        makePackage([stem](clsCountdown& c) {
            c.setImageFileName(QString(stem) + ".jpg");
            c.setAdvertiserLogoFileName(QString(stem) + ".png");
            c.setAdvertiserLogoVisible(true);
        });
        frmCountdownViewer& w = loadWindow();
        EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
        EXPECT_FALSE(w.c1eImage()->hasPicture());
        EXPECT_FALSE(w.c1eImage()->Visible());
        EXPECT_FALSE(w.c1eAdvertiserLogo()->hasPicture());
        EXPECT_TRUE(w.c1eAdvertiserLogo()->Visible()); // shown again by the form binding
        // The rest of the window was filled.
        EXPECT_EQ(w.lblSaveToFile()->Caption(), QString("False"));
    }

    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(folder.nativePath("Temp/logo.png")));
    window->lblLogoImage()->setCaption("logo.png");
    EXPECT_TRUE(window->c1eAdvertiserLogo()->hasPicture());
    EXPECT_FALSE(window->c1eAdvertiserLogo()->Visible());
}

TEST_F(ViewerWindow, OneBadPictureOrValueGivesAtMostOneMessageAndTheWindowStillFills)
{
    // A screen larger than the reference one, so that every stored value is scaled up.
    services.screen().widthPixels = 1024;
    services.screen().heightPixels = 768;
    folder.write("Temp/broken.png", "these bytes are no picture");
    struct Case {
        const char* what;
        std::function<void(clsCountdown&)> change;
        QStringList messages; // of the load; the ticks add none
    };
    const QStringList invalidPicture{"481\r\nInvalid picture"};
    const Case cases[] = {
        {"undecodable logo", [](clsCountdown& c) { c.setAdvertiserLogoFileName("broken.png"); }, invalidPicture},
        {"undecodable picture", [](clsCountdown& c) { c.setImageFileName("broken.png"); }, invalidPicture},
        {"width near the limit", [](clsCountdown& c) { c.setWidth(3e38f); }, {}},
        {"height and top near the limit", [](clsCountdown& c) { c.setHeight(3.4e38f); c.setTop(-3.4e38f); }, {}},
        {"left near the limit", [](clsCountdown& c) { c.setLeft(3.4e38f); }, {}},
        {"font sizes near the limit",
         [](clsCountdown& c) {
             c.setEventDateFontsize(3.4e38f);
             c.setEventCaptionFontsize(-3.4e38f);
             c.setTimerDateFontsize(3e38f);
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramEnd::reset();
        services.ui().msgBoxes.clear();
        makePackage([&c](clsCountdown& countdown) {
            countdown.setAdvertiserLogoVisible(true);
            c.change(countdown);
        });
        const QByteArray before = packageBytes();
        FramedViewer& w = showWindow();
        EXPECT_EQ(services.ui().prompts(), c.messages);
        for (int tick = 1; tick <= 3; ++tick) {
            clock.set(start + tick * kSecond);
            w.Timer1_Timer();
        }
        EXPECT_EQ(services.ui().prompts(), c.messages);

        // Filled to its last step, with no picture it could not show.
        EXPECT_EQ(w.lblSaveToFile()->Caption(), QString("False"));
        EXPECT_EQ(w.c1eEventDate()->Caption(), vb::format(event, "dd mmm, yyyy"));
        EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("23 Seconds"));
        EXPECT_FALSE(w.c1eAdvertiserLogo()->hasPicture());
        EXPECT_FALSE(w.c1eImage()->hasPicture());
        EXPECT_TRUE(w.c1eAdvertiserLogo()->Visible());
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(outerPixels(w))) << outerPixels(w).width();
        // A size far too large to read is shown as a new countdown shows its date.
        EXPECT_LE(w.c1eEventDate()->FontSize(), 8 * 1.28f + 0.01f);

        // And it saves what the user changed.
        w.setWidth(w.Width() - 600);
        w.close();
        EXPECT_NE(packageBytes(), before);
        window.reset();
    }
}

// A countdown that shows seconds alone opens without a message, counts down second by second
// and rings once at its event, however long its span; the longest span also reaches the export.
TEST_F(ViewerWindow, ASecondsOnlyCountdownOpensWithoutAMessageAndRingsOnceAtItsEvent)
{
    struct Case {
        const char* name;
        double now, event;
        const char* shownAtOpen;
    };
    const double noon = vb::oleDateFromParts(2027, 6, 1, 12, 0, 0);
    const Case cases[] = {
        {"20 seconds", noon, vb::oleDateFromParts(2027, 6, 1, 12, 0, 20), "20 Seconds"},
        {"14 hours", noon, vb::oleDateFromParts(2027, 6, 2, 2, 0, 0), "50400 Seconds"},
        {"77 years", vb::oleDateFromParts(1950, 1, 1), noon, "2443003200 Seconds"},
    };
    const QString out = folder.internalPath("left.csv");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services.ui().msgBoxes.clear();
        QFile::remove(folder.nativePath("left.csv"));
        clock.set(c.now);
        makePackage([&c, &out](clsCountdown& countdown) {
            countdown.setIntervalYears(false);
            countdown.setIntervalMonths(false);
            countdown.setIntervalDays(false);
            countdown.setIntervalHours(false);
            countdown.setIntervalMinutes(false);
            countdown.setEventDate(c.event);
            countdown.setSaveToFile(true);
            countdown.setSaveFormat("5");
            countdown.setSaveFileName(out);
        });
        frmAlarm::instance().hide();
        int rings = 0;
        frmCountdownViewer& w = loadWindow();
        EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString(c.shownAtOpen));
        w.Timer1_Timer();
        EXPECT_EQ(folder.read("left.csv").split('\n').value(1).trimmed(),
                  QByteArray("Launch day,0,0,0,0,0,") + QByteArray(c.shownAtOpen).split(' ').front());
        const double secondsLeft = std::round((c.event - c.now) * 86400);
        for (double second : {1.0, secondsLeft - 2, secondsLeft - 1, secondsLeft, secondsLeft + 1}) {
            clock.set(c.now + second * kSecond);
            w.Timer1_Timer();
            rings += frmAlarm::instance().isVisible() ? 1 : 0;
            frmAlarm::instance().hide();
            const qint64 left = qMax<qint64>(0, qint64(secondsLeft - second));
            EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString::number(left) + (left == 1 ? " Second" : " Seconds"))
                << second;
        }
        EXPECT_EQ(rings, 1);
        // No message but the alarm's own, that there is no sound to play.
        EXPECT_TRUE(services.ui().prompts().filter("RING RING").size() == services.ui().prompts().size())
            << qPrintable(services.ui().prompts().join('|'));
        window.reset();
    }
}

TEST_F(ViewerWindow, AWindowTooSmallToUseOrAnUnreadableDataFileStillShowsAUsableWindow)
{
    services.screen().widthPixels = 1024;
    services.screen().heightPixels = 768;
    services.screen().workArea = QRect(0, 0, 1024, 740);
    // The size of a new countdown's window, 600 by 450 pixels of the reference screen.
    const int usableWidth = 768;
    const int usableHeight = 576;
    const QString notInFormat = "The Countdown\r\nParty.MVK is not in a format that can be processed.\r\n"
                                "Please report this incident to Vantrel International, LLC";
    struct Case {
        const char* what;
        std::function<void(clsCountdown&)> change;
        const char* dataFile; // replaces the data file the package holds
        QSize size;           // outer pixels
        QStringList messages;
    };
    const Case cases[] = {
        {"width 0", [](clsCountdown& c) { c.setWidth(0); }, nullptr, {usableWidth, 320}, {}},
        {"height 0", [](clsCountdown& c) { c.setHeight(0); }, nullptr, {384, usableHeight}, {}},
        {"negative size, far off the screen",
         [](clsCountdown& c) {
             c.setWidth(-4500);
             c.setHeight(-1);
             c.setLeft(60000);
         },
         nullptr, {usableWidth, usableHeight}, {}},
        {"a few pixels", [](clsCountdown& c) { c.setWidth(15); c.setHeight(30); }, nullptr,
         {usableWidth, usableHeight}, {}},
        {"data file not in the format", {}, "no countdown here\r\n", {usableWidth, usableHeight}, {notInFormat}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramEnd::reset();
        services.ui().msgBoxes.clear();
        makePackage(c.change);
        if (c.dataFile)
            folder.write("Temp/Party.MVK", c.dataFile);
        FramedViewer& w = showWindow();
        EXPECT_EQ(services.ui().prompts(), c.messages);
        EXPECT_FALSE(ProgramEnd::isEnding());
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(outerPixels(w).size(), c.size);
        EXPECT_TRUE(QRect(0, 0, 1024, 740).contains(outerPixels(w)));
        window.reset();
    }
}

// ---- close and the save chain ------------------------------------------------------------------

TEST_F(ViewerWindow, CloseSavesOnlyAfterAChangeOfLeftWidthOrHeight)
{
    struct Case { const char* name; std::function<void(FramedViewer&)> change; bool saves; };
    const Case cases[] = {
        {"wider", [](FramedViewer& w) { w.setWidth(w.Width() + 600); }, true},
        {"taller", [](FramedViewer& w) { w.setHeight(w.Height() + 600); }, true},
        {"moved right", [](FramedViewer& w) { w.setLeft(w.Left() + 600); }, true},
        {"moved down", [](FramedViewer& w) { w.setTop(w.Top() + 600); }, false},
        {"unchanged", [](FramedViewer&) {}, false},
        {"framed after showing", [](FramedViewer& w) { w.frameArrives(QMargins(4, 24, 4, 4)); }, false},
        {"framed, then narrower",
         [](FramedViewer& w) {
             w.frameArrives(QMargins(4, 24, 4, 4));
             w.resize(w.width() - 40, w.height());
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramEnd::reset();
        makePackage();
        const QByteArray before = packageBytes();
        FramedViewer& w = showWindow();
        EXPECT_EQ(modVantrelViewer::WindowResized(), 1); // the first showing resizes
        const double width = w.Width();
        c.change(w);
        services.settings().remove(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection,
                                   ProgramTexts::kLastOpenTemplateKey);
        w.close();

        EXPECT_TRUE(ProgramEnd::isEnding());
        EXPECT_EQ(w.clsCountdown(), nullptr);
        EXPECT_EQ(packageBytes() != before, c.saves);
        EXPECT_EQ(lastOpenTemplate(), c.saves ? packagePath() : QString());
        if (c.saves && QString(c.name) == "wider") {
            const auto saved = packedCountdown();
            EXPECT_NEAR(saved->Width(), width + 600, 30);
        }
        window.reset();
    }
}

// The bytes of a countdown data file of the package's countdown with the caption `caption`.
QByteArray dataFileWithCaption(const QString& caption)
{
    TempFolder staging;
    clsCountdown countdown;
    countdown.setDatabaseLocation(staging.internal());
    countdown.setCountdownFileName("Party.MVK");
    countdown.setEventCaption(caption);
    EXPECT_TRUE(countdown.Update());
    return staging.read("Party.MVK");
}

// A package that did not open or load is never written in that run: the window does not show
// another package's leftovers as it, and a close after a resize leaves it byte for byte.
TEST_F(ViewerWindow, ACountdownThatDidNotOpenIsNeverSaved)
{
    const QByteArray versionTwo = dataFileWithCaption("version two");
    const QByteArray picture(200, 'p');
    struct Case {
        const char* what;
        QByteArray package;
        const char* message; // the one message, shown by the open or the load
    };
    const Case cases[] = {
        {"picture cut short, an earlier copy in the work folder",
         ::makePackage({"Party.MVK", versionTwo}, {"pic.png", picture}, {}, {}, "Party").chopped(5),
         "the picture runs past the end of the file"},
        {"picture named like the data file the window reads",
         ::makePackage({"Other.MVK", versionTwo}, {"Party.MVK", picture}, {}, {}, "Party"),
         "its picture is named Party.MVK, the name of the countdown's data file"},
        {"data file not in the format", ::makePackage({"Party.MVK", "no countdown here\r\n"}, {}, {}, {}, "Party"),
         "is not in a format that can be processed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramEnd::reset();
        makePackage([](clsCountdown& countdown) { countdown.setEventCaption("version one"); });
        folder.write("Party.MVL", c.package);
        services.ui().msgBoxes.clear();
        ModJoinsSkins::OpenCountdownPackage(packagePath(), false, work);

        FramedViewer& w = showWindow();
        EXPECT_NE(w.c1eEventCaption()->Caption(), QString("version one"));
        w.setWidth(w.Width() + 600);
        w.close();

        EXPECT_EQ(packageBytes(), c.package);
        ASSERT_EQ(services.ui().msgBoxes.size(), 1u) << qPrintable(services.ui().prompts().join('|'));
        EXPECT_TRUE(services.ui().msgBoxes[0].prompt.contains(c.message)) << qPrintable(services.ui().prompts()[0]);
        EXPECT_NE(ProgramEnd::exitCode(), 0);
        window.reset();
    }
}

// Another program (or a second viewer) changed the package while the window was open: the
// close says so, keeps the newer file and ends with a failure status. A package this viewer
// saved itself is saved again.
TEST_F(ViewerWindow, APackageChangedOnDiskSinceItOpenedIsNotSavedOver)
{
    const QByteArray newer =
        ::makePackage({"Party.MVK", dataFileWithCaption("UsersNewerVersion")}, {"new.png", QByteArray(300, 'n')}, {},
                      {}, "Party");
    const QString notSaved = QString("The countdown was not saved because the file %1 was changed after it was opened.")
                                 .arg(folder.nativePath("Party.MVL"));
    struct Case {
        const char* what;
        std::function<void(FramedViewer&)> whileOpen;
        bool saved;
    };
    const Case cases[] = {
        {"replaced by write and rename",
         [&](FramedViewer&) {
             folder.write("Party.MVL.new", newer);
             ASSERT_EQ(std::rename(QFile::encodeName(folder.nativePath("Party.MVL.new")).constData(),
                                   QFile::encodeName(folder.nativePath("Party.MVL")).constData()),
                       0);
         },
         false},
        {"rewritten in place",
         [&](FramedViewer&) {
             QFile file(folder.nativePath("Party.MVL"));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             ASSERT_EQ(file.write(newer), newer.size());
         },
         false},
        {"saved by this viewer before",
         [](FramedViewer& w) {
             w.setWidth(w.Width() + 300);
             w.lblSaveme()->setCaption("an earlier save");
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramEnd::reset();
        makePackage([](clsCountdown& countdown) { countdown.setEventCaption("Original"); });
        services.ui().msgBoxes.clear();
        FramedViewer& w = showWindow();
        c.whileOpen(w);
        const QByteArray beforeClose = packageBytes();
        const double width = w.Width() + 600;
        w.setWidth(width);
        w.close();

        if (c.saved) {
            EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
            EXPECT_NEAR(packedCountdown()->Width(), width, 30);
            EXPECT_EQ(ProgramEnd::exitCode(), 0);
        } else {
            EXPECT_EQ(services.ui().prompts(), QStringList{notSaved});
            EXPECT_EQ(packageBytes(), newer);
            EXPECT_EQ(beforeClose, newer);
            EXPECT_NE(ProgramEnd::exitCode(), 0);
        }
        window.reset();
    }
}

TEST_F(ViewerWindow, AFailedSaveOnCloseSaysSoOnceAndEndsWithAFailureStatus)
{
    struct Case { const char* name; bool readOnly; int exitCode; };
    const Case cases[] = {{"writable package", false, 0}, {"read-only package", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramEnd::reset();
        services.ui().msgBoxes.clear();
        makePackage();
        const QByteArray native = QFile::encodeName(folder.nativePath("Party.MVL"));
        // The read-only mark, which the superuser too is refused by.
        if (c.readOnly && ::setxattr(native.constData(), "user.DOSATTRIB", "0x1", 3, 0) != 0)
            GTEST_SKIP() << "the temporary folder's file system keeps no extended attributes";
        const QByteArray before = packageBytes();
        FramedViewer& w = showWindow();
        w.setWidth(w.Width() + 600);
        services.settings().put(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection,
                                ProgramTexts::kLastOpenTemplateKey, "earlier");
        w.close();

        EXPECT_EQ(ProgramEnd::exitCode(), c.exitCode);
        EXPECT_EQ(packageBytes() == before, c.readOnly);
        EXPECT_EQ(lastOpenTemplate(), c.readOnly ? QString("earlier") : packagePath());
        if (c.readOnly) {
            ASSERT_EQ(services.ui().prompts().size(), 1);
            EXPECT_TRUE(services.ui().prompts()[0].endsWith(
                "\r\nThe countdown was not saved in " + folder.nativePath("Party.MVL") + "."));
        } else {
            EXPECT_TRUE(services.ui().msgBoxes.empty());
        }
        ::removexattr(native.constData(), "user.DOSATTRIB");
        window.reset();
    }
}

TEST_F(ViewerWindow, PopupCloseEndsWithoutSaving)
{
    makePackage();
    const QByteArray before = packageBytes();
    frmCountdownViewer& w = showWindow();
    w.setWidth(w.Width() + 600);
    w.popRunMenuClsoe()->trigger();
    EXPECT_TRUE(ProgramEnd::isEnding());
    w.close();
    EXPECT_EQ(packageBytes(), before);
}

// A picture and a logo whose names differ only in letter case are two files: each panel shows its
// own, and a save after a resize packs each with its own bytes.
TEST_F(ViewerWindow, PictureAndLogoNamedAlikeButForLetterCaseKeepTheirOwnBytesThroughASave)
{
    const QByteArray red = plainPng(Qt::red), green = plainPng(Qt::green);
    makePackage([](clsCountdown& c) {
        c.setImageFileName("Pic.png");
        c.setAdvertiserLogoFileName("pic.PNG");
        c.setAdvertiserLogoVisible(true);
    });
    const QByteArray data = folder.read("Temp/Party.MVK");
    QFile::remove(folder.nativePath("Temp/Party.MVK"));
    folder.write("Party.MVL", ::makePackage({"Party.MVK", data}, {"Pic.png", red}, {}, {"pic.PNG", green}, "Party"));
    ASSERT_TRUE(ModJoinsSkins::OpenCountdownPackage(packagePath(), false, work));

    FramedViewer& w = showWindow();
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
    EXPECT_EQ(w.c1eImage()->Picture().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(w.c1eAdvertiserLogo()->Picture().pixelColor(0, 0), QColor(Qt::green));
    w.setWidth(w.Width() + 600);
    w.close();

    const QByteArray saved = packageBytes();
    EXPECT_TRUE(saved.contains("Pic.png" + red));
    EXPECT_TRUE(saved.contains("pic.PNG" + green));
    EXPECT_EQ(folder.read("Temp/Pic.png"), red);
    EXPECT_EQ(folder.read("Temp/pic.PNG"), green);
}

TEST_F(ViewerWindow, ResizeLaysOutUnlessMinimised)
{
    makePackage();
    frmCountdownViewer& w = loadWindow();
    struct Case { int16_t state; bool laidOut; };
    for (const Case& c : {Case{1, false}, Case{0, true}, Case{2, true}}) {
        SCOPED_TRACE(c.state);
        context.windowResized = 0;
        w.c1eImage()->Move(1, 2, 3, 4);
        w.setWindowState(c.state);
        w.Form_Resize();
        EXPECT_EQ(modVantrelViewer::WindowResized(), 1);
        EXPECT_EQ(w.c1eImage()->Width() != 3, c.laidOut);
    }
}

// ---- popup menu and status bar -----------------------------------------------------------------

TEST_F(ViewerWindow, PopupRunsTheStartupWizardModally)
{
    // An earlier test's ProgramEnd::End leaves a quit pending that would end any modal loop at
    // once; a short run of the application's own loop clears it.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    makePackage();
    frmCountdownViewer& w = showWindow();
    bool sawWizard = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            sawWizard = sawWizard || modal->inherits("frmStartupWizard");
            modal->close();
        }
    });
    closer.start(10);
    w.popRunMenuStartup()->trigger();
    EXPECT_TRUE(sawWizard);
    EXPECT_FALSE(ProgramEnd::isEnding());
}

TEST_F(ViewerWindow, OnlyARightClickOnThePictureOpensThePopup)
{
    makePackage();
    frmCountdownViewer& w = showWindow();
    QMenu* menu = w.popMenuStartup();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), QString("&Run Startup Wizard"));
    EXPECT_EQ(menu->actions()[1]->text(), QString("&Play Alarm Sound"));
    EXPECT_EQ(menu->actions()[2]->text(), QString("&Close"));

    emit w.c1eImage()->MouseDown(1, 0, 150, 150);
    EXPECT_FALSE(menu->isVisible());
    emit w.c1eEventCaption()->MouseDown(2, 0, 150, 150);
    EXPECT_FALSE(menu->isVisible());
    emit w.c1eImage()->MouseDown(2, 0, 150, 150);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(ViewerWindow, StatusBarKeysAreComparedExactly)
{
    struct Case {
        const char* key;
        bool designerPresent;
        const char* message;     // expected message box, empty for none
        const char* document;    // expected document opened, empty for none
        bool plays;
        bool ends;
    };
    const QString maker = CountdownForm::kMakerWebSite;
    const Case cases[] = {
        {"PlaySound", false, "", "", true, false},
        {"playsound", false, "", "", false, false},
        {"Start Countdown", false,
         "Could not locate the Vantrel Countdown Designer. Please re-install the software.", "", false, false},
        {"Start Countdown", true, "", "", false, true},
        {"start countdown", true, "", "", false, false},
        {"StatusbarURL", false, "", "http://example.com/launch", false, false},
        {"statusbarurl", false, "", "", false, false},
        {"", false, "", "", false, false},
    };
    makePackage();
    folder.write("Temp/ring.wav", "RIFF");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + (c.designerPresent ? " with designer" : ""));
        ProgramEnd::reset();
        if (c.designerPresent)
            folder.write("Vantrel 5.0.exe", "#!");
        else
            QFile::remove(folder.nativePath("Vantrel 5.0.exe"));
        frmCountdownViewer& w = loadWindow();
        services.ui().msgBoxes.clear();
        services.shell().documents.clear();
        services.shell().programs.clear();
        services.mci().commands.clear();

        emit w.StatusBar1()->PanelClick(1, c.key);

        const QStringList prompts = services.ui().prompts();
        EXPECT_EQ(prompts.join('|'), QString(c.message));
        EXPECT_EQ(services.shell().documents.join('|'), QString(c.document));
        EXPECT_EQ(services.mci().commands.join('|').contains("ring.wav"), c.plays);
        EXPECT_EQ(ProgramEnd::isEnding(), c.ends);
        if (c.ends) {
            ASSERT_EQ(services.shell().programs.size(), 1u);
            const auto& call = services.shell().programs[0];
            EXPECT_EQ(call.program, modVantrelViewer::AppPath() + "/Vantrel 5.0.exe");
            EXPECT_EQ(call.args, QStringList{platform::fs::toNative(packagePath())});
            EXPECT_EQ(call.windowStyle, 1);
        } else {
            EXPECT_TRUE(services.shell().programs.empty());
        }
    }

    // The maker's panel opens the maker's site.
    ProgramEnd::reset();
    frmCountdownViewer& w = loadWindow();
    services.shell().documents.clear();
    emit w.StatusBar1()->PanelClick(7, w.StatusBar1()->Panel(7).Key);
    EXPECT_EQ(services.shell().documents, QStringList{makerWebSite()});
}

TEST_F(ViewerWindow, AlarmSoundFallsBackToTheBellThenToAMessage)
{
    // Contents of the files; null: no file. A package keeps a sound it could not pack as an
    // empty member, which is no sound.
    struct Case { const char* sound; const char* bell; const char* plays; const char* message; };
    const Case cases[] = {
        {"RIFF", "ID3", "ring.wav", ""},
        {nullptr, "ID3", "BELL.MP3", ""},
        {"", "ID3", "BELL.MP3", ""},
        {nullptr, nullptr, "", "Alarm sound is missing. So RING RING."},
        {"", "", "", "Alarm sound is missing. So RING RING."},
    };
    makePackage();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.plays) + c.message + (c.sound && !*c.sound ? " (empty sound)" : ""));
        QFile::remove(folder.nativePath("Temp/ring.wav"));
        QFile::remove(folder.nativePath("BELL.MP3"));
        if (c.sound)
            folder.write("Temp/ring.wav", c.sound);
        if (c.bell)
            folder.write("BELL.MP3", c.bell);
        frmCountdownViewer& w = loadWindow();
        services.ui().msgBoxes.clear();
        services.mci().commands.clear();
        clock.set(start + 5 * kSecond * (&c - cases + 1)); // a new text for every request
        w.popMenuPlayAlarm()->trigger();
        const QString played = services.mci().commands.join('|');
        if (*c.plays)
            EXPECT_TRUE(played.contains(c.plays)) << qPrintable(played);
        else
            EXPECT_TRUE(played.isEmpty()) << qPrintable(played);
        EXPECT_EQ(services.ui().prompts().join('|'), QString(c.message));

        // The same second again is the same text: nothing is played a second time.
        services.mci().commands.clear();
        w.popMenuPlayAlarm()->trigger();
        EXPECT_TRUE(services.mci().commands.isEmpty());
    }
}

} // namespace
