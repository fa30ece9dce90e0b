#pragma once

#include <QDeadlineTimer>
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a terminal that closes) into the user's close of the
// countdown window: the window's close handler runs (with its conditional save) and the program
// ends with status 0. Open popup menus and modal dialogs are dismissed first, and the window is
// closed only once every handler that opened one has returned to the program's main event loop.
// Without a shown window (for example while the startup wizard of the start-up is open) there
// is nothing to save, and the program ends cleanly at once.
// The signal handler only writes one byte to a pipe; the rest runs in the event loop.
class SignalClose : public QObject {
    Q_OBJECT
public:
    explicit SignalClose(QObject* parent = nullptr);
    ~SignalClose() override;

    // Installs the handlers for SIGTERM, SIGINT and SIGHUP. False when the pipe cannot be made.
    bool install();

private:
    void onSignal();
    // Dismisses what is open and closes the window once no nested event loop runs; retried
    // until then, and given up (ending without the close) after a while.
    void closeWhenIdle();

    QSocketNotifier* m_notifier = nullptr;
    bool m_closing = false;
    QDeadlineTimer m_giveUp;
};
