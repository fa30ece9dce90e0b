// Reading and writing one countdown data file, in memory and through the disk, against a
// baseline that only splits the same bytes into lines.
#include "countdown/CountdownDataReader.h"
#include "countdown/CountdownDataWriter.h"
#include "countdown/clsCountdown.h"
#include "foundation/ProgramContext.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const ShowMessage kNoMessages = [](const QString&, int) {};

void fill(clsCountdown& c)
{
    c.setCountdownFileName("Party.MVK");
    c.setCountdownName("Party");
    c.setEventCaption("New Year's Eve with friends and family");
    c.setEventDate(46387.5);
    c.setEventCaptionFont("Arial");
    c.setEventCaptionFontsize(10.5f);
    c.setTimerDateFontsize(12.25f);
    c.setBackgroundBackColor(static_cast<int32_t>(0x80000005u));
    c.setImageFileName("Party.jpg");
    c.setStatusBarURL("http://www.example.com/");
    c.setIntervalDays(true);
    c.setSaveFormat("3");
    c.setWidth(9000);
    c.setHeight(6750);
}

QByteArray sampleFile()
{
    clsCountdown c;
    fill(c);
    return CountdownDataWriter::write(c, 46366.5, kNoMessages);
}

void BM_Baseline_SplitLines(benchmark::State& state)
{
    const QByteArray file = sampleFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(file.split('\r'));
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_Baseline_SplitLines);

void BM_WriteDataFile(benchmark::State& state)
{
    clsCountdown c;
    fill(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountdownDataWriter::write(c, 46366.5, kNoMessages));
}
BENCHMARK(BM_WriteDataFile);

void BM_ReadDataFile(benchmark::State& state)
{
    const QByteArray file = sampleFile();
    clsCountdown c;
    for (auto _ : state)
        CountdownDataReader::read(file, c, kNoMessages);
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_ReadDataFile);

QString internalFolder(const QTemporaryDir& folder)
{
    QString location = folder.path();
    location.replace('/', '\\');
    return location;
}

// Includes the atomic replace, which flushes the new file to the disk before renaming it.
void BM_SaveThroughDisk(benchmark::State& state)
{
    QTemporaryDir folder;
    clsCountdown saved;
    fill(saved);
    saved.setDatabaseLocation(internalFolder(folder));
    for (auto _ : state)
        saved.Update();
}
BENCHMARK(BM_SaveThroughDisk)->Unit(benchmark::kMicrosecond);

void BM_LoadThroughDisk(benchmark::State& state)
{
    QTemporaryDir folder;
    clsCountdown saved;
    fill(saved);
    saved.setDatabaseLocation(internalFolder(folder));
    saved.Update();
    clsCountdown loaded;
    loaded.setDatabaseLocation(saved.DatabaseLocation());
    for (auto _ : state) {
        loaded.setCountdownFileName("Party.MVK");
        loaded.Refresh();
    }
}
BENCHMARK(BM_LoadThroughDisk)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The countdowns read the program folder from the program's context, as in the programs.
    ProgramContext context;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
