// The viewer's window against plain Qt: start to the first painted window, the cost of one
// timer tick, and the idle CPU of a running window. Offscreen; prints one figure per line.
#include "countdown/CountdownDefaults.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "display/VbTimer.h"
#include "foundation/OleDate.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "viewer/frmCountdownViewer.h"
#include "viewer/modVantrelViewer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

// Answers every box with its default at once and counts them: a message during a benchmark
// means the run measured an error path.
class SilentUi : public platform::Ui {
public:
    int msgBox(const QString& prompt, int, const QString&) override
    {
        ++messages;
        lastPrompt = prompt;
        return platform::vbmsg::vbOK;
    }
    QString inputBox(const QString&, const QString&, const QString& defaultText) override
    {
        ++messages;
        return defaultText;
    }
    std::optional<QString> openFileDialog(const platform::OpenFileRequest&) override { return std::nullopt; }
    void setMousePointer(int pointer) override { m_pointer = pointer; }
    int mousePointer() const override { return m_pointer; }

    int messages = 0;
    QString lastPrompt;

private:
    int m_pointer = 0;
};

SilentUi* silentUi = nullptr;

// Sets `painted` once any widget of `window` receives its first paint event.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : m_window(window) { qApp->installEventFilter(this); }
    ~FirstPaint() override { qApp->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == m_window)
            painted = true;
        return false;
    }

private:
    QWidget* m_window;
};

// Handles events as they come (a paint inside show() needs none) and stops at the first paint.
bool waitForFirstPaint(FirstPaint& paint)
{
    QElapsedTimer guard;
    guard.start();
    QTimer wakeUp; // bounds each wait, so a window that never paints ends the run
    wakeUp.start(100);
    while (!paint.painted && guard.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return paint.painted;
}

// A program folder with one unpacked countdown package, as the viewer's start-up leaves it.
class ProgramFolderWithPackage {
public:
    ProgramFolderWithPackage()
    {
        const QString root = platform::fs::toInternal(m_dir.path());
        m_context.appPath = root;
        QDir(m_dir.path()).mkpath(QStringLiteral("Temp"));
        QDir(m_dir.path()).mkpath(QStringLiteral("staging"));
        const QString staging = root + QStringLiteral("\\staging");

        clsCountdown countdown;
        CountdownDefaults::applyNewCountdownDefaults(countdown, [](const QString&, int) {});
        countdown.setDatabaseLocation(staging);
        countdown.setCountdownFileName(QStringLiteral("Bench.MVK"));
        countdown.setEventCaption(QStringLiteral("Launch"));
        countdown.setEventDate(vb::now() + 400.5);
        countdown.setIntervalSeconds(true);
        countdown.setImageFileName(QString());
        countdown.setAdvertiserLogoFileName(QString());
        countdown.setAlarmFileName(QString());
        countdown.Update();
        package = root + QStringLiteral("\\Bench.MVL");
        ModJoinsSkins::SaveCountdownPackage(package, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                            QStringLiteral("Bench.MVK"), QString(), QString(), QString(), staging);
        ModJoinsSkins::OpenCountdownPackage(package, false, root + QStringLiteral("\\Temp"));
        m_context.currentFile = package;
    }

    QString package;

private:
    // The viewer's one context for the benchmarks, pointing at this folder.
    ViewerContext m_context;
    QTemporaryDir m_dir;
};

ProgramFolderWithPackage* folder = nullptr;

// Mean seconds per iteration of the benchmarks that feed the ratios.
double viewerStartSeconds = 0;
double plainStartSeconds = 0;
double tickSeconds = 0;
double idleCpuPercent = -1;

double processCpuSeconds()
{
    timespec spent {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &spent);
    return static_cast<double>(spent.tv_sec) + static_cast<double>(spent.tv_nsec) * 1e-9;
}

// Start to first paint is measured process against process: this executable starts itself as
// a child that either runs the viewer's start-up on the prepared package or shows one plain
// window with a line of text, and exits at the first paint. Both children are this one
// executable, so both pay the same library loading and QApplication start.
QString selfPath;
QString childPackage;
QString childProgramFolder;

double runChild(const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(selfPath, arguments);
    if (!child.waitForFinished(20000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return -1;
    return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
}

// The median run: a start that the machine delayed now and then does not move the ratio.
double measureChildren(benchmark::State& state, const QStringList& arguments)
{
    std::vector<double> runs;
    for (auto _ : state) {
        const double seconds = runChild(arguments);
        if (seconds < 0) {
            state.SkipWithError("child did not paint or failed");
            return 0;
        }
        state.SetIterationTime(seconds);
        runs.push_back(seconds);
    }
    std::sort(runs.begin(), runs.end());
    return runs.empty() ? 0 : runs[runs.size() / 2];
}

void BM_ViewerProcessToFirstPaint(benchmark::State& state)
{
    viewerStartSeconds =
        measureChildren(state, {QStringLiteral("--child-viewer"), childProgramFolder, childPackage});
}
BENCHMARK(BM_ViewerProcessToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void BM_PlainProcessToFirstPaint(benchmark::State& state)
{
    plainStartSeconds = measureChildren(state, {QStringLiteral("--child-plain")});
}
BENCHMARK(BM_PlainProcessToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

// One tick of a shown window where only the seconds change: the clock alternates between two
// seconds of the same minute, so the seconds box is the one thing written.
void BM_ViewerTickSecondsOnly(benchmark::State& state)
{
    auto window = std::make_unique<frmCountdownViewer>();
    window->Show();
    QCoreApplication::processEvents();
    window->Timer1()->setEnabled(false);
    const double even = vb::oleDateFromParts(2026, 12, 10, 12, 0, 10);
    const double odd = vb::oleDateFromParts(2026, 12, 10, 12, 0, 11);
    bool flip = false;
    vb::setClock([&] { return flip ? odd : even; });
    window->Timer1_Timer();
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        flip = !flip;
        window->Timer1_Timer();
    }
    tickSeconds = (processCpuSeconds() - cpuBefore) / static_cast<double>(state.iterations());
    vb::setClock({});
    if (silentUi->messages)
        state.SkipWithError(silentUi->lastPrompt.toStdString().c_str());
    window->Timer1()->setEnabled(false);
}
BENCHMARK(BM_ViewerTickSecondsOnly)->Unit(benchmark::kMicrosecond);

// A shown window left to its one-second timer; CPU time of the whole process over wall time.
void BM_ViewerIdleCpu(benchmark::State& state)
{
    auto window = std::make_unique<frmCountdownViewer>();
    window->Show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = processCpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = processCpuSeconds() - cpuBefore;
        idleCpuPercent = 100.0 * cpu / (static_cast<double>(wall.nsecsElapsed()) * 1e-9);
        state.SetIterationTime(cpu);
    }
    state.counters["cpu_percent"] = idleCpuPercent;
    if (silentUi->messages)
        state.SkipWithError(silentUi->lastPrompt.toStdString().c_str());
}
BENCHMARK(BM_ViewerIdleCpu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The child that runs the viewer's start-up: program folder and package from the command line.
int viewerChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::installProgramServices();
    SilentUi ui;
    platform::Services services = platform::services();
    services.ui = &ui;
    platform::setServices(services);
    const QString programFolder = platform::fs::toInternal(QString::fromLocal8Bit(argv[2]));
    ViewerContext context;
    context.programFolder = [programFolder] { return programFolder; };
    modVantrelViewer::Main(QString::fromLocal8Bit(argv[3]));
    if (!modVantrelViewer::ViewerWindow())
        return 2;
    FirstPaint paint(modVantrelViewer::ViewerWindow());
    const bool painted = paint.painted || waitForFirstPaint(paint);
    return painted && ui.messages == 0 ? 0 : 3;
}

// The minimal Qt Widgets program: one window with one line of text.
int plainChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(600, 450);
    FirstPaint paint(&window);
    window.show();
    return waitForFirstPaint(paint) ? 0 : 3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--child-viewer") == 0)
        return viewerChild(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--child-plain") == 0)
        return plainChild(argc, argv);

    QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    QApplication app(argc, argv);
    platform::installProgramServices();
    SilentUi ui;
    silentUi = &ui;
    platform::Services services = platform::services();
    services.ui = &ui;
    platform::setServices(services);
    ProgramFolderWithPackage programFolder;
    folder = &programFolder;
    selfPath = QCoreApplication::applicationFilePath();
    childPackage = platform::fs::resolve(programFolder.package);
    childProgramFolder = platform::fs::resolve(modVantrelViewer::AppPath());

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (viewerStartSeconds > 0 && plainStartSeconds > 0)
        std::printf("start to first paint (median), viewer process / plain Qt Widgets process: %.2fx (target at most 1.5x)\n",
                    viewerStartSeconds / plainStartSeconds);
    if (tickSeconds > 0)
        std::printf("one tick writing the seconds box: %.1f us CPU (target under 50 us)\n", tickSeconds * 1e6);
    if (idleCpuPercent >= 0)
        std::printf("idle viewer at 1 Hz: %.3f %% of one core (target well under 1 %%)\n", idleCpuPercent);
    return 0;
}
