// Any bytes as the data file of the countdown a window loads. Loading it, applying it to the
// window and two ticks must neither crash nor leave the window half filled, and whatever the
// first tick reported, the second tick must not bring a new message box.
#include "countdown/clsCounter.h"
#include "display/CountdownWindow.h"
#include "display/DisplayContext.h"
#include "display/HiddenLabel.h"
#include "display/modCountdownLayout.h"
#include "foundation/ProgramContext.h"
#include "platform/FileSystem.h"
#include "platform/fake/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The window with the load and the reported tick both programs' windows run, laid out as the
// viewer lays itself out.
class FuzzWindow : public CountdownWindow {
public:
    void load(const QString& package) { loadCountdown(package, {}, messageTrap()); }
    void tick() { runReportedTick(QStringLiteral("In Timer")); }
    void lblLayout_Change() override { modCountdown::LayoutCountdownForm(*this); }
};

struct Harness {
    platform::FakeServices services;
    // The context both programs' windows read.
    DisplayContext context;
    QTemporaryDir folder;

    Harness()
    {
        // Larger than the reference screen, so that every stored value is scaled up.
        services.screen().widthPixels = 1024;
        services.screen().heightPixels = 768;
        QDir(folder.path()).mkpath(QStringLiteral("Temp"));
        context.appPath = platform::fs::toInternal(folder.path());
        // Members a data file may name: a picture whose bytes are no picture, and one with no
        // bytes at all, as a package keeps a member it could not pack.
        write(QStringLiteral("broken.png"), "these bytes are no picture");
        write(QStringLiteral("empty.jpg"), "");
    }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.path() + QStringLiteral("/Temp/") + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
    }
};

// Kept for the life of the process, never destroyed: Qt's font database, which the window's
// panels fill, is not freed when the application object ends and would be reported as leaked.
QApplication* application = nullptr;
Harness* harness = nullptr;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "WindowLoad: %s\n", what);
    std::abort();
}

} // namespace

// Fontconfig keeps a few bytes of its first font lookup where no pointer leads to them; that is
// the library's own, not this system's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QApplication(*argc, *argv);
    harness = new Harness;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    harness->write(QStringLiteral("Fuzz.MVK"),
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    harness->services.ui().msgBoxes.clear();
    auto window = std::make_unique<FuzzWindow>();
    window->load(QStringLiteral("C:\\Countdowns\\Fuzz.MVL"));
    if (window->lblSaveToFile()->Caption() == window->lblSaveToFile()->designCaption())
        fail("the countdown was not applied to its last step");
    // The export, when the file asks for one, goes to the scratch folder only.
    if (clsCounter* counter = window->Counter())
        counter->setSaveFileName(platform::fs::toInternal(harness->folder.path() + QStringLiteral("/export")));
    window->tick();
    const size_t afterFirstTick = harness->services.ui().msgBoxes.size();
    window->tick();
    if (harness->services.ui().msgBoxes.size() != afterFirstTick)
        fail("the second tick brought a new message");
    return 0;
}
