#pragma once

#include "platform/Windows.h"

#include <QMap>

#include <utility>
#include <vector>

namespace platform {

// Records calls; foreign windows are those the test lists with their client sizes.
class FakeWindows : public Windows {
public:
    void setTopMost(QWidget* window, bool topMost) override { topMostCalls.emplace_back(window, topMost); }
    bool embedInForeignWindow(QWidget* window, quintptr parentId) override
    {
        embedCalls.emplace_back(window, parentId);
        return foreignWindows.contains(parentId);
    }
    bool foreignWindowExists(quintptr windowId) override { return foreignWindows.contains(windowId); }
    QSize foreignClientSize(quintptr windowId) override { return foreignWindows.value(windowId); }
    int showCursor(bool show) override
    {
        cursorCalls.push_back(show);
        cursorCount += show ? 1 : -1;
        return cursorCount;
    }
    void setScreenSaverRunning(bool running) override { screenSaverRunning = running; }
    quintptr findWindow(const QString& className, const QString& title) override
    {
        findCalls.emplace_back(className, title);
        return foundWindow;
    }

    std::vector<std::pair<QWidget*, bool>> topMostCalls;
    std::vector<std::pair<QWidget*, quintptr>> embedCalls;
    std::vector<bool> cursorCalls;
    std::vector<std::pair<QString, QString>> findCalls;
    QMap<quintptr, QSize> foreignWindows;
    int cursorCount = 0;
    bool screenSaverRunning = false;
    quintptr foundWindow = 0;
};

} // namespace platform
