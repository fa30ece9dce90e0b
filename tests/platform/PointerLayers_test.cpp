#include "platform/PointerLayers.h"
#include "platform/QtUi.h"
#include "platform/QtWindows.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

namespace layers = platform::pointerLayers;

// The pointer the program lays over its windows now; none when it shows the windows' own.
std::optional<Qt::CursorShape> shownPointer()
{
    if (const QCursor* cursor = QApplication::overrideCursor())
        return cursor->shape();
    return std::nullopt;
}

TEST(PointerLayers, TheNewestLayerShowsWhateverOrderTheLayersEndIn)
{
    struct Step {
        int addShape; // a shape to add as the next layer, or -1
        int removeLayer; // the index (in order of adding) of a layer to remove, or -1
        std::optional<Qt::CursorShape> shown;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"ended newest first",
         {{Qt::WaitCursor, -1, Qt::WaitCursor}, {Qt::ArrowCursor, -1, Qt::ArrowCursor},
          {-1, 1, Qt::WaitCursor}, {-1, 0, std::nullopt}}},
        {"the older ends first",
         {{Qt::WaitCursor, -1, Qt::WaitCursor}, {Qt::ArrowCursor, -1, Qt::ArrowCursor},
          {-1, 0, Qt::ArrowCursor}, {-1, 1, std::nullopt}}},
        {"a middle layer ends",
         {{Qt::BlankCursor, -1, Qt::BlankCursor}, {Qt::WaitCursor, -1, Qt::WaitCursor},
          {Qt::ArrowCursor, -1, Qt::ArrowCursor}, {-1, 1, Qt::ArrowCursor}, {-1, 2, Qt::BlankCursor},
          {-1, 2, Qt::BlankCursor}, {-1, 0, std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<layers::Layer> added;
        for (const Step& step : c.steps) {
            if (step.addShape >= 0)
                added.push_back(layers::add(static_cast<Qt::CursorShape>(step.addShape)));
            if (step.removeLayer >= 0)
                layers::remove(added[static_cast<size_t>(step.removeLayer)]);
            EXPECT_EQ(shownPointer(), step.shown) << "after step " << added.size();
        }
    }
}

// Opens the open-file dialog, runs whileUp once it is up, and cancels it.
void cancelOpenDialogAfter(platform::QtUi& ui, const std::function<void()>& whileUp)
{
    QTimer::singleShot(0, [&] {
        whileUp();
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    platform::OpenFileRequest request;
    request.title = "Select a Countdown to Open";
    request.filter = "Countdown (*.MVL)|*.MVL|";
    EXPECT_EQ(ui.openFileDialog(request), std::nullopt);
}

TEST(PointerLayers, TheOpenDialogShowsTheOrdinaryPointerWhileTheUserPicksAndTheBusyOneAfter)
{
    platform::QtUi ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    std::optional<Qt::CursorShape> whilePicking;
    cancelOpenDialogAfter(ui, [&] { whilePicking = shownPointer(); });
    EXPECT_EQ(whilePicking, Qt::ArrowCursor);
    EXPECT_EQ(shownPointer(), Qt::WaitCursor);
    ui.setMousePointer(platform::vbcursor::vbDefault);
    EXPECT_EQ(shownPointer(), std::nullopt);
}

TEST(PointerLayers, ABusyPointerEndedWhileTheOpenDialogIsUpLeavesTheDialogsPointer)
{
    platform::QtUi ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    std::optional<Qt::CursorShape> afterTheBusyOneEnded;
    cancelOpenDialogAfter(ui, [&] {
        ui.setMousePointer(platform::vbcursor::vbDefault); // as an alarm's sound finished loading
        afterTheBusyOneEnded = shownPointer();
    });
    EXPECT_EQ(afterTheBusyOneEnded, Qt::ArrowCursor);
    EXPECT_EQ(shownPointer(), std::nullopt);
}

TEST(PointerLayers, AHiddenPointerShownAgainUnderABusyOneLeavesTheBusyOne)
{
    platform::QtWindows windows;
    platform::QtUi ui;
    windows.showCursor(false);
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    windows.showCursor(true);
    EXPECT_EQ(shownPointer(), Qt::WaitCursor);
    ui.setMousePointer(platform::vbcursor::vbDefault);
    EXPECT_EQ(shownPointer(), std::nullopt);
}

} // namespace
