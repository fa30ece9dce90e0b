#include "saver/modVantrelnScreenSaver.h"

#include "countdown/ApplicationFolder.h"
#include "countdown/ModJoinsSkins.h"
#include "display/ElasticPanel.h"
#include "display/ProgramEnd.h"
#include "display/ProgramFolder.h"
#include "foundation/ErrorReport.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsStringUtilities.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "platform/Windows.h"
#include "saver/frmCountdownScreenSaver.h"
#include "saver/frmPreview.h"

#include <QRegularExpression>
#include <QTimer>

#include <cmath>
#include <limits>
#include <memory>

namespace modVantrelnScreenSaver {

const QString kDemoMessage = QStringLiteral(
    "Vantrel needs to be configured before it can be used as a screensaver.\r\nVantrel will run in Demo mode");
const QString kCannotLocateMessage = ProgramTexts::kCannotLocateCountdown;
const QString kConfigureMessage = QStringLiteral(
    "Please setup Vantrel Countdown Clock properties and options using the main Vantrel Countdown Clock Program.");

SaverContext& context() { return SaverContext::current(); }
const QString& AppPath() { return context().appPath; }
QString& CountdownPath() { return context().countdownPath; }
int32_t& PreviewParent() { return context().previewParent; }
Rect& ScreenRect() { return context().screenRect; }
QPointer<frmCountdownScreenSaver>& ScreenSaverWindow() { return context().screenSaverWindow; }
QPointer<frmPreview>& PreviewWindow() { return context().previewWindow; }

namespace {

const QString kDisplayProperties = QStringLiteral("Display Properties");
const QString kMainProgram = QStringLiteral("Vantrel50.exe");
// The window style of a program started normally with the focus.
constexpr int kNormalWithFocus = 1;
// How often a preview asks whether its parent window is still there, where the window system
// does not tell it.
constexpr int kParentWatchMs = 250;

platform::Ui& ui()
{
    return *platform::services().ui;
}

// Takes the instance lock unless this process already holds it; false when another running
// instance holds it. Where no lock can be made, neither in the runtime folder nor in the
// temporary one, the run goes on without one.
bool takeInstanceLock()
{
    std::unique_ptr<platform::fs::InstanceLock>& instanceLock = context().instanceLock;
    if (instanceLock)
        return true;
    bool failed = false;
    for (const QString& path : {InstanceLockPath(), FallbackLockPath()}) {
        instanceLock = platform::fs::lockInstanceAt(path, failed);
        if (instanceLock)
            return true;
        if (!failed)
            return false;
    }
    return true;
}

// The line as the switch and the preview parent read it: blanks (only blanks) cut off both
// ends, then lower case.
QString normalisedLine(const QString& commandLine)
{
    qsizetype first = 0;
    qsizetype last = commandLine.size();
    while (first < last && commandLine.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && commandLine.at(last - 1) == QLatin1Char(' '))
        --last;
    return commandLine.mid(first, last - first).toLower();
}

bool readsAsNumber(const QString& text, double& value)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!number.match(text).hasMatch())
        return false;
    value = text.trimmed().toDouble();
    return std::isfinite(value);
}

bool isFolder(const QString& path)
{
    try {
        return platform::fs::isDirectory(path);
    } catch (const platform::VbError&) {
        return false; // a name no folder can have
    }
}

// The stored program folder; without one (the viewer never ran), or when that folder is gone
// (the viewer's folder was moved), the folder the viewer would settle, so the shipped demo
// package and a work folder are found. An installed copy stored by an earlier version is
// replaced by that one too: the work folder is never made inside an install.
QString settledAppPath(clsStringUtilities& settings)
{
    QString stored = settings.GetIniString(kMakerSection, ProgramTexts::kAppPathKey, QString());
    if (!stored.isEmpty() && isFolder(stored)
        && !ApplicationFolder::isInstalledFolder(platform::fs::toNative(stored)))
        return stored;
    try {
        const auto& seam = context().programFolder;
        return seam ? seam() : countdownApplicationFolder();
    } catch (const platform::VbError& error) {
        ui().msgBox(errorReport(error));
        return QString();
    }
}

void unpackCountdownPackage()
{
    ModJoinsSkins::OpenCountdownPackage(CountdownPath(), false, ProgramFolder::WorkFolder());
}

// True when the work folder holds the data file of the package's countdown, which the window
// shows when it loads.
bool workFolderHoldsCountdown()
{
    clsPSFileUtilities package;
    package.setPellowFileName(CountdownPath());
    clsPSFileUtilities files;
    return files.FileExists(ProgramFolder::inWorkFolder(package.Filename() + QStringLiteral(".MVK")));
}

void showFullScreen(frmCountdownScreenSaver* window, platform::Windows* windows)
{
    if (windows)
        windows->setTopMost(window, true);
    window->setGeometry(0, 0, ScreenRect().right, ScreenRect().bottom);
    window->show();
    window->activateWindow();
    if (windows)
        windows->setScreenSaverRunning(true);
}

void runFullScreen()
{
    const bool packageFound = !CountdownPath().isEmpty() && clsPSFileUtilities().FileExists(CountdownPath());
    // Before the viewer has ever run, the program folder may have no work folder yet. Without
    // one the package cannot be shown: its message has been given, and the run ends.
    if (packageFound && !ProgramFolder::makeWorkFolder()) {
        ProgramEnd::End(1);
        return;
    }
    platform::Windows* windows = platform::services().windows;
    if (platform::Screen* screen = platform::services().screen) {
        ScreenRect() = {0, 0, static_cast<int32_t>(std::nearbyint(screen->widthTwips() / panelTwipsPerPixelX())),
                      static_cast<int32_t>(std::nearbyint(screen->heightTwips() / panelTwipsPerPixelY()))};
    }
    if (windows)
        windows->showCursor(false);

    // The window shows the countdown the work folder holds, and the package is unpacked after it
    // for the next start; when the work folder does not hold that countdown yet (a first start),
    // the package is unpacked first so the window shows it.
    const bool unpackFirst = packageFound && !workFolderHoldsCountdown();
    if (unpackFirst)
        unpackCountdownPackage();

    auto* window = new frmCountdownScreenSaver;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::FramelessWindowHint);
    ScreenSaverWindow() = window;
    window->Form_Load();
    if (ProgramEnd::isEnding())
        return;
    showFullScreen(window, windows);

    if (packageFound) {
        if (!unpackFirst)
            unpackCountdownPackage();
    } else {
        ui().msgBox(kCannotLocateMessage, platform::vbmsg::vbOKOnly);
        if (ScreenSaverWindow())
            ScreenSaverWindow()->EndScreenSaver();
    }
}

// Asks from time to time whether the parent is still there, where the window system cannot
// tell when the preview is destroyed.
void watchParent(frmPreview* preview, quintptr parent)
{
    auto* watch = new QTimer(preview);
    QObject::connect(watch, &QTimer::timeout, preview, [parent] {
        platform::Windows* service = platform::services().windows;
        if (!service || !service->foreignWindowExists(parent))
            ProgramEnd::End();
    });
    watch->start(kParentWatchMs);
}

void runPreview(const QString& commandLine)
{
    PreviewParent() = PreviewParentOf(commandLine);
    platform::Windows* windows = platform::services().windows;
    const auto parent = static_cast<quintptr>(static_cast<uint32_t>(PreviewParent()));
    // Without a parent to draw into there is nothing to show.
    if (!windows || PreviewParent() == 0 || !windows->foreignWindowExists(parent))
        return;
    const QSize client = windows->foreignClientSize(parent);
    ScreenRect() = {0, 0, client.width(), client.height()};

    auto* preview = new frmPreview;
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->Form_Load();
    preview->setWindowTitle(QStringLiteral("Preview"));
    preview->setAttribute(Qt::WA_ShowWithoutActivating);
    preview->setFocusPolicy(Qt::NoFocus);
    if (!windows->embedInForeignWindow(preview, parent)) {
        delete preview;
        return;
    }
    PreviewWindow() = preview;
    preview->setGeometry(0, 0, ScreenRect().right, ScreenRect().bottom);
    preview->show();

    // The window system takes the preview down with its parent; the process has to go too.
    if (!windows->watchForDestruction(preview, [] { ProgramEnd::End(); }))
        watchParent(preview, parent);
}

// Starts the main program on its own, in the program folder; the screen saver does not wait
// for it. A desktop's file opener would not run a program, so the program is started itself.
void startMainProgram(const QString& mainProgram)
{
    QString whyNot;
    if (platform::services().shell->startProgram(mainProgram, {}, kNormalWithFocus, &whyNot, AppPath()))
        return;
    // The shell's reason names the program already.
    const QString message = whyNot.isEmpty()
        ? QStringLiteral("Could not start \"%1\".").arg(platform::fs::resolve(mainProgram))
        : whyNot;
    ui().msgBox(message, platform::vbmsg::vbInformation);
}

void runConfigure()
{
    clsPSFileUtilities utilities;
    // The main program lies in the program folder; Linux has no drive letters to try next.
    const QString mainProgram = AppPath() + QStringLiteral("\\") + kMainProgram;
    if (utilities.FileExists(mainProgram))
        startMainProgram(mainProgram);
    else
        ui().msgBox(kConfigureMessage, platform::vbmsg::vbOKOnly);
}

} // namespace

QString DemoPackage()
{
    return AppPath() + QStringLiteral("/Templates/Demo") + QStringLiteral(".MVL");
}

QString SwitchOf(const QString& commandLine)
{
    return normalisedLine(commandLine).left(2);
}

int32_t PreviewParentOf(const QString& commandLine)
{
    const QString line = normalisedLine(commandLine);
    for (qsizetype n = line.size(); n >= 1; --n) {
        double value = 0;
        if (!readsAsNumber(line.right(n), value))
            continue;
        const double rounded = std::nearbyint(value);
        // A number past 32 bits names no window.
        if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max())
            return 0;
        return static_cast<int32_t>(rounded);
    }
    return 0;
}

QString InstanceLockPath()
{
    const QString folder = platform::fs::runtimeFolder();
    return folder.isEmpty() ? FallbackLockPath() : folder + QStringLiteral("/vantrel-saver.lock");
}

QString FallbackLockPath()
{
    // The temporary folder is shared by all users: the name is the user's own.
    return platform::fs::temporaryFolder() + QStringLiteral("/vantrel-saver-%1.lock").arg(platform::fs::userId());
}

bool HasWindow()
{
    return !ScreenSaverWindow().isNull() || !PreviewWindow().isNull();
}

void Reset()
{
    SaverContext& saver = context();
    saver.instanceLock.reset();
    delete saver.screenSaverWindow.data();
    delete saver.previewWindow.data();
    saver.appPath.clear();
    saver.countdownPath.clear();
    saver.previewParent = 0;
    saver.screenRect = {};
}

void Main(const QString& commandLine)
{
    {
        clsStringUtilities settings;
        // The one program folder of the context, which the display's work folder reads too.
        context().appPath = settledAppPath(settings);
        CountdownPath() = settings.GetIniString(kMakerSection, ProgramTexts::kLastOpenTemplateKey, DemoPackage());
    }
    if (CountdownPath().isEmpty())
        CountdownPath() = DemoPackage();
    if (CountdownPath() == DemoPackage())
        ui().msgBox(kDemoMessage, platform::vbmsg::vbInformation | platform::vbmsg::vbOKOnly);

    const QString switchText = SwitchOf(commandLine);

    if (switchText.isEmpty() || switchText == QLatin1String("/s")) {
        const bool locked = takeInstanceLock();
        if (!locked && switchText == QLatin1String("/s")) {
            platform::Windows* windows = platform::services().windows;
            if (!windows || windows->findWindow(QString(), kDisplayProperties) == 0)
                return;
        }
        runFullScreen();
    } else if (switchText == QLatin1String("/p")) {
        runPreview(commandLine);
    } else if (switchText == QLatin1String("/c")) {
        runConfigure();
    }
}

} // namespace modVantrelnScreenSaver
