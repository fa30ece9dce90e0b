// One tick's export of a countdown whose display has not changed, against a baseline that
// replaces the same file with the same bytes on every tick, as the export did before it
// compared. A third case changes the display on every tick, so the file is replaced each time.
// A fourth ticks on a path that holds a 64 KB file of the user's, which the export refuses and
// then leaves alone until a second has passed.
#include "countdown/clsCounter.h"
#include "display/CountdownForm.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/modCounter.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Counts message boxes instead of showing them; a benchmark that meets one fails.
class CountingUi : public platform::Ui {
public:
    int msgBox(const QString& prompt, int, const QString&) override
    {
        ++messages;
        lastPrompt = prompt;
        return platform::vbmsg::vbOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileDialog(const platform::OpenFileRequest&) override { return std::nullopt; }
    void setMousePointer(int) override {}
    int mousePointer() const override { return 0; }

    int messages = 0;
    QString lastPrompt;
};

CountingUi& ui()
{
    static CountingUi instance;
    return instance;
}

// A countdown form exporting the HTML table page into a temporary folder.
struct Scene {
    Scene()
    {
        context.appPath = platform::fs::toInternal(folder.path());
        form.c1eEventCaption()->setCaption("New Year's Eve with friends and family");
        form.c1eEventDate()->setCaption("Dec 31, 2031");
        const char* boxes[] = {"4 Years", "3 Months", "12 Days", "5 Hours", "30 Minutes", "7 Seconds"};
        for (int i = 0; i < 6; ++i)
            form.c1eIntervalsLeft(i + 1)->setCaption(boxes[i]);
        form.lblSaveToFileLocation()->setCaption(platform::fs::toInternal(folder.filePath("count.html")));
        counter.setSaveFormat("1");
    }
    DisplayContext context;
    QTemporaryDir folder;
    CountdownForm form;
    clsCounter counter;
};

void failOnMessage(benchmark::State& state)
{
    if (ui().messages)
        state.SkipWithError(ui().lastPrompt.toStdString().c_str());
}

void BM_Baseline_ReplaceExportEveryTick(benchmark::State& state)
{
    Scene scene;
    modCounter::SaveCountdownToFile(scene.counter, scene.form);
    const QString path = scene.form.lblSaveToFileLocation()->Caption();
    const QByteArray bytes = platform::fs::readAll(path);
    for (auto _ : state)
        platform::fs::writeAtomic(path, bytes);
    failOnMessage(state);
}
BENCHMARK(BM_Baseline_ReplaceExportEveryTick);

void BM_ExportTickUnchanged(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        modCounter::SaveCountdownToFile(scene.counter, scene.form);
    failOnMessage(state);
}
BENCHMARK(BM_ExportTickUnchanged);

void BM_ExportTickChanged(benchmark::State& state)
{
    Scene scene;
    int tick = 0;
    for (auto _ : state) {
        scene.form.c1eIntervalsLeft(6)->setCaption(QString::number(++tick % 60) + " Seconds");
        modCounter::SaveCountdownToFile(scene.counter, scene.form);
    }
    failOnMessage(state);
}
BENCHMARK(BM_ExportTickChanged);

void BM_ExportTickOnAUsersFile(benchmark::State& state)
{
    Scene scene;
    const QString path = scene.form.lblSaveToFileLocation()->Caption();
    platform::fs::writeAll(path, QByteArray(64 * 1024, 'x'));
    const int messagesBefore = ui().messages;
    for (auto _ : state)
        modCounter::SaveCountdownToFile(scene.counter, scene.form);
    if (ui().messages != messagesBefore + 1)
        state.SkipWithError("the user's file was not refused once");
}
BENCHMARK(BM_ExportTickOnAUsersFile);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::Services services = platform::services();
    services.ui = &ui();
    platform::setServices(services);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
