// The screen saver's processes against the viewer's: the CPU share of one core that a running
// full-screen screen saver and a running preview take, measured beside an idle viewer process
// with the same helper on the same X server. Needs an X display (scripts/run-benchmarks.sh
// starts Xvfb when there is none); prints one figure per line.
#include "foundation/ProgramTexts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>

#include <unistd.h>

namespace {

const QString kBinDir = QStringLiteral(VANTREL_BIN_DIR);
// Start-up is left out of the measure: each process runs this long before it is measured.
constexpr int kSettleMs = 3000;
constexpr int kMeasureMs = 10000;

// CPU nanoseconds each thread of a running process has spent, by thread id, from the
// scheduler's counts; empty when the kernel keeps none.
QMap<QString, double> threadCpuNanoseconds(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    QMap<QString, double> spent;
    for (const QString& thread : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(thread + QStringLiteral("/schedstat")));
        if (!schedstat.open(QIODevice::ReadOnly))
            return {};
        spent.insert(thread, QString::fromLatin1(schedstat.readAll()).section(QLatin1Char(' '), 0, 0).toDouble());
    }
    return spent;
}

// The process's CPU seconds from /proc/<pid>/stat (clock ticks; exited threads included).
std::optional<double> processTicksSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The fields after the parenthesised command name; utime and stime are the 14th and 15th.
    const QString text = QString::fromLatin1(stat.readAll());
    const QStringList fields = text.mid(text.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
    if (fields.size() < 13)
        return std::nullopt;
    return (fields[11].toDouble() + fields[12].toDouble()) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// CPU seconds a running process spends between start() and seconds(), all threads together.
// Per-thread nanosecond counts where the kernel keeps them: a thread that ends in between
// takes only its own share of the interval away, not all it ever spent. Else clock ticks.
class CpuMeter {
public:
    explicit CpuMeter(qint64 pid) : m_pid(pid) {}
    void start()
    {
        m_threadsBefore = threadCpuNanoseconds(m_pid);
        m_ticksBefore = processTicksSeconds(m_pid);
    }
    std::optional<double> seconds() const
    {
        const QMap<QString, double> after = threadCpuNanoseconds(m_pid);
        if (!m_threadsBefore.isEmpty() && !after.isEmpty()) {
            double nanoseconds = 0;
            for (auto thread = after.cbegin(); thread != after.cend(); ++thread)
                nanoseconds += thread.value() - m_threadsBefore.value(thread.key(), 0);
            return nanoseconds * 1e-9;
        }
        const auto ticksAfter = processTicksSeconds(m_pid);
        if (!m_ticksBefore || !ticksAfter)
            return std::nullopt;
        return *ticksAfter - *m_ticksBefore;
    }

private:
    qint64 m_pid;
    QMap<QString, double> m_threadsBefore;
    std::optional<double> m_ticksBefore;
};

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A program folder with a countdown package that is not the demo one (the demo would open a
// message box), the settings the viewer leaves behind, and folders for the children's
// settings, data and instance lock.
class BenchHome {
public:
    BenchHome()
    {
        QDir root(m_dir.path());
        for (const char* folder : {"app/Temp", "config", "data", "runtime"})
            root.mkpath(QString::fromLatin1(folder));
        QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        package = root.filePath(QStringLiteral("app/Bench.MVL"));
        QFile::copy(kBinDir + QStringLiteral("/Templates/Demo.MVL"), package);
        // The viewer's program folder is its executable's: a copy keeps its files in here.
        viewer = root.filePath(QStringLiteral("app/vantrel-viewer"));
        QFile::copy(kBinDir + QStringLiteral("/vantrel-viewer"), viewer);

        const QString iniFile = QStringLiteral("config/") + ProgramTexts::kSettingsApplication + QStringLiteral(".ini");
        QSettings ini(root.filePath(iniFile), QSettings::IniFormat);
        ini.beginGroup(ProgramTexts::kSettingsSection);
        ini.setValue(ProgramTexts::kAppPathKey, internal(root.filePath(QStringLiteral("app"))));
        ini.setValue(ProgramTexts::kLastOpenTemplateKey, internal(package));
        // A screen below 32 bits would otherwise ask about its colour depth.
        ini.setValue(QStringLiteral("ShowScreenWarning"), QStringLiteral("n"));
        ini.endGroup();
        ini.sync();
    }

    bool isValid() const { return QFile::exists(package) && QFile::exists(viewer); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("runtime")));
        return env;
    }

    QString package;
    QString viewer;

private:
    static QString internal(QString path) { return path.replace(QLatin1Char('/'), QLatin1Char('\\')); }

    QTemporaryDir m_dir;
};

BenchHome* home = nullptr;
double viewerPercent = -1;
double fullScreenPercent = -1;
double previewPercent = -1;

// Starts the program, lets it settle, then measures its CPU over wall time; the program must
// still be running at the end. The share in percent of one core, or a skip with the reason.
void measureProcess(benchmark::State& state, const QString& program, const QStringList& arguments,
                    double& percent)
{
    QProcess process;
    process.setProcessEnvironment(home->environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        state.SkipWithError("the program did not start");
        return;
    }
    runEventsFor(kSettleMs);
    for (auto _ : state) {
        CpuMeter meter(process.processId());
        meter.start();
        QElapsedTimer wall;
        wall.start();
        runEventsFor(kMeasureMs);
        const auto cpu = meter.seconds();
        const double seconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
        if (!cpu || process.state() != QProcess::Running) {
            state.SkipWithError(("the program ended early: " + process.readAll().toStdString()).c_str());
            break;
        }
        percent = 100.0 * *cpu / seconds;
        state.SetIterationTime(*cpu);
    }
    state.counters["cpu_percent"] = percent;
    process.kill();
    process.waitForFinished(5000);
}

// Baseline: the viewer showing the same countdown, left to its one-second timer.
void BM_ViewerProcessIdleCpu(benchmark::State& state)
{
    measureProcess(state, home->viewer, {home->package}, viewerPercent);
}
BENCHMARK(BM_ViewerProcessIdleCpu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SaverFullScreenCpu(benchmark::State& state)
{
    measureProcess(state, kBinDir + QStringLiteral("/vantrel-saver"), {QStringLiteral("/s")}, fullScreenPercent);
}
BENCHMARK(BM_SaverFullScreenCpu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The preview drawn into a plain X window of this process, as a preview area would hold it.
void BM_SaverPreviewCpu(benchmark::State& state)
{
    QWidget area;
    area.setWindowTitle(QStringLiteral("Preview area"));
    area.resize(152, 112);
    area.show();
    runEventsFor(200);
    const QString parent = QString::number(area.winId());
    measureProcess(state, kBinDir + QStringLiteral("/vantrel-saver"), {QStringLiteral("/p"), parent},
                   previewPercent);
}
BENCHMARK(BM_SaverPreviewCpu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("screen saver CPU: needs an X display (scripts/run-benchmarks.sh starts Xvfb)\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    BenchHome benchHome;
    if (!benchHome.isValid()) {
        std::fprintf(stderr, "screen saver CPU: the shipped demo package or the viewer is missing in %s\n",
                     VANTREL_BIN_DIR);
        return 1;
    }
    home = &benchHome;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (viewerPercent >= 0 && fullScreenPercent >= 0 && previewPercent >= 0) {
        std::printf("CPU share of one core on the X server, idle viewer (baseline): %.3f %%\n", viewerPercent);
        std::printf("CPU share of one core, screen saver full screen (10 ms tick): %.3f %% (%.1fx the viewer)\n",
                    fullScreenPercent, viewerPercent > 0 ? fullScreenPercent / viewerPercent : 0.0);
        std::printf("CPU share of one core, screen saver preview: %.3f %% (target below 0.2 %%)\n", previewPercent);
    }
    return 0;
}
