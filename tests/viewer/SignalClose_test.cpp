#include "viewer/ViewerWindowFixture.h"

#include "foundation/ProgramTexts.h"
#include "viewer/SignalClose.h"
#include "viewer/frmStartupWizard.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <csignal>

namespace {

// A case: what a handler of the shown window opens, and how the test knows it is up.
struct OpenCase {
    const char* name;
    // Runs as an event handler of the window; `countdownKept` tells afterwards whether the
    // window still held its countdown once the handler's box or wizard had returned.
    std::function<void(frmCountdownViewer&, bool& countdownKept)> open;
    std::function<bool()> isUp;
};

bool modalNamed(const char* name)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->objectName() == QLatin1String(name);
}

class SignalCloseTest : public ViewerWindowFixture {
protected:
    // Shows the window from a fresh package and widens it, as the user would before the signal.
    void showWidenedWindow()
    {
        window.reset();
        ProgramEnd::reset();
        makePackage();
        window = std::make_unique<frmCountdownViewer>();
        modVantrelViewer::ViewerWindow() = window.get();
        window->Show();
        window->setWidth(window->Width() + 600);
        // The load stored it; the save stores it again.
        services.settings().remove(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection,
                                   ProgramTexts::kLastOpenTemplateKey);
    }

    // Runs the program's main loop: the case opens its popup or dialog from a handler, and
    // the signal arrives once it is up. The loop's result: 0 when the program ended itself.
    int runUntilSignalled(const OpenCase& c, int signalNumber, bool& countdownKept)
    {
        SignalClose signalClose;
        EXPECT_TRUE(signalClose.install());
        QTimer::singleShot(0, window.get(), [this, &c, &countdownKept] { c.open(*window, countdownKept); });
        QTimer raiseWhenUp;
        raiseWhenUp.setInterval(10);
        QObject::connect(&raiseWhenUp, &QTimer::timeout, [&raiseWhenUp, &c, signalNumber] {
            if (!c.isUp())
                return;
            raiseWhenUp.stop();
            ::raise(signalNumber);
        });
        raiseWhenUp.start();
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(20000);
        return QApplication::exec();
    }
};

TEST_F(SignalCloseTest, SigtermOrSighupOverAPopupOrDialogDismissesItThenClosesAndSaves)
{
    const auto keep = [](frmCountdownViewer& w, bool& kept) { kept = w.clsCountdown() != nullptr; };
    const OpenCase cases[] = {
        {"popup menu",
         [](frmCountdownViewer& w, bool& kept) {
             w.c1eImage_MouseDown(2, 0, 150, 150);
             kept = true;
         },
         [] { return QApplication::activePopupWidget() != nullptr; }},
        {"message box",
         [keep](frmCountdownViewer& w, bool& kept) {
             QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("Alarm sound is missing."),
                             QMessageBox::Ok, &w);
             box.exec();
             keep(w, kept);
         },
         [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }},
        // A handler whose trap reports one error after another opens the next box at once.
        {"message after message",
         [keep](frmCountdownViewer& w, bool& kept) {
             for (int i = 0; i < 2; ++i) {
                 QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("Error %1").arg(i), QMessageBox::Ok, &w);
                 box.exec();
             }
             keep(w, kept);
         },
         [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }},
        {"startup wizard",
         [keep](frmCountdownViewer& w, bool& kept) {
             w.popRunMenuStartup_Click();
             keep(w, kept);
         },
         [] { return modalNamed("frmStartupWizard"); }},
        {"about box over the wizard",
         [keep](frmCountdownViewer& w, bool& kept) {
             QTimer::singleShot(0, [] {
                 if (auto* wizard = qobject_cast<frmStartupWizard*>(QApplication::activeModalWidget()))
                     wizard->button(QStringLiteral("Command2"), 2)->click();
             });
             w.popRunMenuStartup_Click();
             keep(w, kept);
         },
         [] { return modalNamed("frmAbout"); }},
    };
    for (const int signalNumber : {SIGTERM, SIGHUP})
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (signalNumber == SIGTERM ? ", SIGTERM" : ", SIGHUP"));
        showWidenedWindow();
        const QByteArray before = packageBytes();
        bool countdownKept = false;

        EXPECT_EQ(runUntilSignalled(c, signalNumber, countdownKept), 0);

        // The handler got its box back while the window still held the countdown ...
        EXPECT_TRUE(countdownKept);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        // ... and only then the window's own close ran: it saved the new width and ended.
        EXPECT_TRUE(ProgramEnd::isEnding());
        EXPECT_EQ(ProgramEnd::exitCode(), 0);
        EXPECT_EQ(window->clsCountdown(), nullptr);
        EXPECT_TRUE(packageBytes() != before) << "the close saved nothing";
        EXPECT_EQ(lastOpenTemplate(), packagePath());
    }
}

} // namespace
