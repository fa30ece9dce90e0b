#include "viewer/SignalClose.h"

#include "display/ProgramEnd.h"
#include "viewer/frmCountdownViewer.h"
#include "viewer/modVantrelViewer.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <csignal>

// For the signal handler's self-pipe only: no file is reached here.
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void writeSignalByte(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// A terminal that closes sends SIGHUP.
constexpr int kClosingSignals[] = {SIGTERM, SIGINT, SIGHUP};

void handleClosingSignals(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = handler == SIG_DFL ? 0 : SA_RESTART;
    for (const int signalNumber : kClosingSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

constexpr int kRetryMilliseconds = 20;
constexpr int kGiveUpMilliseconds = 10000;

// Closes the popup menus and rejects the modal dialogs, topmost first, so the event loops
// they run return. A window that refuses to close is left, and the loop stops.
void dismissOpenWindows()
{
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

} // namespace

SignalClose::SignalClose(QObject* parent)
    : QObject(parent)
{
}

SignalClose::~SignalClose()
{
    if (signalPipe[0] < 0)
        return;
    handleClosingSignals(SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

bool SignalClose::install()
{
    if (signalPipe[0] >= 0)
        return true;
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return false;
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalClose::onSignal);
    handleClosingSignals(writeSignalByte);
    return true;
}

void SignalClose::onSignal()
{
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (ProgramEnd::isEnding() || m_closing)
        return;
    QWidget* window = modVantrelViewer::ViewerWindow().data();
    if (!window || !window->isVisible()) {
        // No window yet, or its load still runs: nothing to save.
        ProgramEnd::End(0);
        dismissOpenWindows();
        return;
    }
    m_closing = true;
    m_giveUp.setRemainingTime(kGiveUpMilliseconds);
    dismissOpenWindows();
    QTimer::singleShot(0, this, &SignalClose::closeWhenIdle);
}

void SignalClose::closeWhenIdle()
{
    if (ProgramEnd::isEnding())
        return;
    dismissOpenWindows();
    // A handler that opened a box or the wizard resumes once its event loop returns; closing
    // the window before would release the countdown under it.
    if (QThread::currentThread()->loopLevel() > 1) {
        if (m_giveUp.hasExpired())
            ProgramEnd::End(0);
        else
            QTimer::singleShot(kRetryMilliseconds, this, &SignalClose::closeWhenIdle);
        return;
    }
    if (QWidget* window = modVantrelViewer::ViewerWindow().data())
        window->close();
    if (!ProgramEnd::isEnding())
        ProgramEnd::End(0);
}
