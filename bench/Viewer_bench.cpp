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

#include <sys/resource.h>

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

// Per-iteration figures of the tick and idle benchmarks, for the summary lines.
double tickSeconds = 0;
double idleCpuPercent = -1;

double processCpuSeconds()
{
    timespec spent {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &spent);
    return static_cast<double>(spent.tv_sec) + static_cast<double>(spent.tv_nsec) * 1e-9;
}

double childrenCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Start to first paint is measured process against process: this executable starts itself as
// a child that either runs the viewer's start-up on the prepared package or shows one plain
// window with a line of text, and exits at the first paint. Both children are this one
// executable, so both pay the same library loading and QApplication start.
QString selfPath;
QString childPackage;
QString childProgramFolder;

struct ChildRun {
    double wallSeconds = -1; // from the start of the process to its exit after the first paint
    double cpuSeconds = 0;   // user and system time of the child: waiting for a busy machine's CPUs adds none
};

ChildRun runChild(const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double cpuBefore = childrenCpuSeconds();
    QElapsedTimer timer;
    timer.start();
    child.start(selfPath, arguments);
    if (!child.waitForFinished(20000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {};
    return {static_cast<double>(timer.nsecsElapsed()) * 1e-9, childrenCpuSeconds() - cpuBefore};
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every start of one kind of child, for the medians of the summary lines.
struct StartRuns {
    std::vector<double> wall;
    std::vector<double> cpu;
};
StartRuns viewerStarts;
StartRuns plainStarts;

QStringList viewerChildArguments() { return {QStringLiteral("--child-viewer"), childProgramFolder, childPackage}; }
QStringList plainChildArguments() { return {QStringLiteral("--child-plain")}; }

// The viewer's start and the plain window's start take turns, run by run, and each pair swaps
// which goes first: a shared machine whose load rises or falls during the benchmark then slows
// both sides alike, where two blocks of runs one after the other would each see other load.
// The iteration time is the viewer's; the plain window's runs are the baseline beside it.
void BM_ViewerAndPlainProcessToFirstPaint(benchmark::State& state)
{
    viewerStarts = {};
    plainStarts = {};
    bool viewerFirst = true;
    for (auto _ : state) {
        ChildRun viewer;
        ChildRun plain;
        if (viewerFirst) {
            viewer = runChild(viewerChildArguments());
            plain = runChild(plainChildArguments());
        } else {
            plain = runChild(plainChildArguments());
            viewer = runChild(viewerChildArguments());
        }
        viewerFirst = !viewerFirst;
        if (viewer.wallSeconds < 0 || plain.wallSeconds < 0) {
            state.SkipWithError("child did not paint or failed");
            return;
        }
        state.SetIterationTime(viewer.wallSeconds);
        viewerStarts.wall.push_back(viewer.wallSeconds);
        viewerStarts.cpu.push_back(viewer.cpuSeconds);
        plainStarts.wall.push_back(plain.wallSeconds);
        plainStarts.cpu.push_back(plain.cpuSeconds);
    }
    state.counters["viewer_ms"] = median(viewerStarts.wall) * 1e3;
    state.counters["plain_ms"] = median(plainStarts.wall) * 1e3;
}
BENCHMARK(BM_ViewerAndPlainProcessToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);

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

void printStartFigures()
{
    const double viewerWall = median(viewerStarts.wall);
    const double plainWall = median(plainStarts.wall);
    if (viewerWall <= 0 || plainWall <= 0)
        return;
    std::printf("start to first paint (median of %zu interleaved runs each): viewer process %.1f ms, "
                "plain Qt Widgets process %.1f ms: %.2fx (target at most 1.3x)\n",
                viewerStarts.wall.size(), viewerWall * 1e3, plainWall * 1e3, viewerWall / plainWall);
    const double viewerCpu = median(viewerStarts.cpu);
    const double plainCpu = median(plainStarts.cpu);
    if (viewerCpu > 0 && plainCpu > 0)
        std::printf("CPU time of the same starts (median): viewer %.1f ms, plain Qt Widgets %.1f ms: %.2fx\n",
                    viewerCpu * 1e3, plainCpu * 1e3, viewerCpu / plainCpu);
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

    printStartFigures();
    if (tickSeconds > 0)
        std::printf("one tick writing the seconds box: %.1f us CPU (target under 50 us)\n", tickSeconds * 1e6);
    if (idleCpuPercent >= 0)
        std::printf("idle viewer at 1 Hz: %.3f %% of one core (target well under 1 %%)\n", idleCpuPercent);
    return 0;
}
