#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

// Runs the event loop until `done` holds or `timeoutMs` pass; true when `done` held. Polls
// instead of running a nested QEventLoop: after ProgramEnd::End has asked the application to
// quit, a nested loop would return at once.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Runs the event loop for `ms`.
inline void runEvents(int ms)
{
    waitUntil([] { return false; }, ms);
}
