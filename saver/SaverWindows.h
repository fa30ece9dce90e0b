#pragma once

#include "platform/Windows.h"

namespace saver {

// The program's window service with foreign windows measured by the X server itself.
//
// QWindow::fromWinId does not read a foreign window's geometry in Qt 6.4 (the window reports
// 0 x 0), so a preview parent could be neither found nor measured through it. The screen's
// window grab asks the server for the window's geometry and gives an empty picture for an id
// that names no window, which is all the preview needs. Everything else goes to `inner`.
class SaverWindows : public platform::Windows {
public:
    explicit SaverWindows(platform::Windows& inner) : inner_(inner) {}

    void setTopMost(QWidget* window, bool topMost) override { inner_.setTopMost(window, topMost); }
    bool embedInForeignWindow(QWidget* window, quintptr parentId) override
    {
        return inner_.embedInForeignWindow(window, parentId);
    }
    bool foreignWindowExists(quintptr windowId) override;
    QSize foreignClientSize(quintptr windowId) override;
    int showCursor(bool show) override { return inner_.showCursor(show); }
    void setScreenSaverRunning(bool running) override { inner_.setScreenSaverRunning(running); }
    quintptr findWindow(const QString& className, const QString& title) override
    {
        return inner_.findWindow(className, title);
    }

private:
    platform::Windows& inner_;
};

} // namespace saver
