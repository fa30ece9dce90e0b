#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into the user's close of the countdown window: the window's close
// handler runs (with its conditional save) and the program ends with status 0. Without a
// window yet (for example while the startup wizard is open) the program ends cleanly at once.
// The signal handler only writes one byte to a pipe; the rest runs in the event loop.
class SignalClose : public QObject {
    Q_OBJECT
public:
    explicit SignalClose(QObject* parent = nullptr);
    ~SignalClose() override;

    // Installs the handlers for SIGTERM and SIGINT. False when the pipe cannot be made.
    bool install();

private:
    void onSignal();

    QSocketNotifier* m_notifier = nullptr;
};
