// Packing and unpacking a countdown with a 256 MiB picture, side by side with `cp` of the same
// bytes on the same disk. Each run happens in a child process, so its peak memory can be set
// against that of an idle child. Prints the speed ratio to `cp` and the memory above baseline.
#include "countdown/ModJoinsSkins.h"
#include "foundation/ProgramContext.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint64 kPictureBytes = 256LL << 20;

// Reports a message box on standard error instead of showing it; any message is a failure.
class ConsoleUi : public platform::Ui {
public:
    int msgBox(const QString& prompt, int, const QString&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        std::_Exit(3);
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileDialog(const platform::OpenFileRequest&) override { return std::nullopt; }
    void setMousePointer(int pointer) override { m_pointer = pointer; }
    int mousePointer() const override { return m_pointer; }

private:
    int m_pointer = 0;
};

struct Scene {
    QTemporaryDir root;
    QString work;    // internal path of the work folder
    QString package; // internal path of the package
    QString native(const char* name) const { return root.path() + QLatin1Char('/') + QLatin1String(name); }
};

Scene& scene()
{
    static Scene s;
    static bool made = false;
    if (!made) {
        made = true;
        QDir(s.root.path()).mkdir(QStringLiteral("Temp"));
        s.work = platform::fs::toInternal(s.root.path() + QStringLiteral("/Temp"));
        s.package = platform::fs::toInternal(s.native("Big.MVL"));
        QFile data(s.native("Temp/Big.MVK"));
        data.open(QIODevice::WriteOnly);
        data.write(QByteArray(2000, 'd'));
        QFile picture(s.native("Temp/big.png"));
        picture.open(QIODevice::WriteOnly);
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (qint64 written = 0, n = 0; written < kPictureBytes; written += chunk.size(), ++n) {
            for (int i = 0; i < chunk.size(); i += 4096)
                chunk[i] = static_cast<char>(n + i);
            picture.write(chunk);
        }
    }
    return s;
}

struct ChildRun {
    double seconds = 0;
    long peakKiB = 0;
};

// Runs `work` in a forked child and returns its wall time and peak resident memory.
ChildRun inChild(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        work();
        std::_Exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "child failed with status %d\n", status);
        std::exit(1);
    }
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

std::map<std::string, ChildRun>& results()
{
    static std::map<std::string, ChildRun> r;
    return r;
}

void dropWorkPicture()
{
    QFile::remove(scene().native("Temp/big.png"));
}

void record(benchmark::State& state, const std::string& name, const std::function<void()>& work,
            const std::function<void()>& before = {})
{
    ChildRun best;
    for (auto _ : state) {
        if (before) {
            state.PauseTiming();
            before();
            state.ResumeTiming();
        }
        const ChildRun run = inChild(work);
        state.SetIterationTime(run.seconds);
        if (best.seconds == 0 || run.seconds < best.seconds)
            best.seconds = run.seconds;
        best.peakKiB = std::max(best.peakKiB, run.peakKiB);
    }
    state.SetBytesProcessed(state.iterations() * kPictureBytes);
    state.counters["peak_MiB"] = best.peakKiB / 1024.0;
    results()[name] = best;
}

void BM_IdleChild(benchmark::State& state)
{
    record(state, "idle", [] {});
}

void BM_CpBaseline(benchmark::State& state)
{
    const std::string command = "cp '" + scene().native("Temp/big.png").toStdString() + "' '"
                                + scene().native("copy.png").toStdString() + "'";
    record(state, "cp", [command] {
        if (std::system(command.c_str()) != 0)
            std::_Exit(2);
    });
}

// The package writer makes its bytes durable before it replaces the old package (a crash must
// leave one whole package), so it is also set against cp followed by a sync of the copy.
void BM_CpSyncBaseline(benchmark::State& state)
{
    const QString copy = scene().native("copy.png");
    const std::string command = "cp '" + scene().native("Temp/big.png").toStdString() + "' '" + copy.toStdString()
                                + "' && sync '" + copy.toStdString() + "'";
    record(state, "cp+sync", [command] {
        if (std::system(command.c_str()) != 0)
            std::_Exit(2);
    });
}

void BM_SavePackage(benchmark::State& state)
{
    record(state, "save", [] {
        ModJoinsSkins::SaveCountdownPackage(scene().package, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                            QStringLiteral("Big.MVK"), QStringLiteral("big.png"), QString(),
                                            QString(), scene().work);
    });
}

// The work-folder picture is removed first, so the whole member is written out again.
void BM_OpenPackage(benchmark::State& state)
{
    record(state, "open", [] { ModJoinsSkins::OpenCountdownPackage(scene().package, false, scene().work); },
           dropWorkPicture);
}

BENCHMARK(BM_IdleChild)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpBaseline)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpSyncBaseline)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePackage)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPackage)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void printSummary()
{
    const auto& r = results();
    if (!r.count("cp") || !r.count("idle"))
        return;
    const ChildRun cp = r.at("cp"), idle = r.at("idle");
    for (const char* name : {"save", "open"}) {
        if (!r.count(name))
            continue;
        const ChildRun run = r.at(name);
        std::printf("package %s: %.2f x the speed of cp (needed >= 0.50)", name, cp.seconds / run.seconds);
        if (r.count("cp+sync"))
            std::printf(", %.2f x cp+sync", r.at("cp+sync").seconds / run.seconds);
        std::printf("; peak memory %.1f MiB above an idle child (allowed < 64)\n",
                    (run.peakKiB - idle.peakKiB) / 1024.0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The countdowns read the program folder from the program's context, as in the programs.
    ProgramContext context;
    ConsoleUi ui;
    platform::Services services;
    services.ui = &ui;
    platform::setServices(services);
    benchmark::Initialize(&argc, argv);
    scene();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
