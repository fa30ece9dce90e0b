#pragma once

#include <QApplication>
#include <QMargins>
#include <QMoveEvent>
#include <Qt>

// A window whose frame is set by the test, as a window manager sets it some time after the
// window is shown. The platform itself draws no frame, so the test's frame is the only one.
// Window is any of the programs' windows that reads its frame through windowFrame().
template <class Window>
class FramedWindow : public Window {
public:
    FramedWindow() { this->setWindowFlag(Qt::FramelessWindowHint); }
    void frameArrives(const QMargins& margins)
    {
        frame = margins;
        QMoveEvent event(this->pos(), this->pos());
        QApplication::sendEvent(this, &event);
    }

protected:
    QMargins windowFrame() const override { return frame; }

private:
    QMargins frame;
};
