#include "viewer/SignalClose.h"

#include "display/ProgramEnd.h"
#include "viewer/frmCountdownViewer.h"
#include "viewer/modVantrelViewer.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
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

} // namespace

SignalClose::SignalClose(QObject* parent)
    : QObject(parent)
{
}

SignalClose::~SignalClose()
{
    if (signalPipe[0] < 0)
        return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
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

    struct sigaction action {};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return true;
}

void SignalClose::onSignal()
{
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (ProgramEnd::isEnding())
        return;
    // Only a shown window that the user could close right now is closed: while it is still
    // loading, or while a modal box or menu runs inside one of its handlers, closing it would
    // release what that handler still uses. Then the program just ends.
    QWidget* window = modVantrelViewer::ViewerWindow.data();
    if (window && window->isVisible() && !QApplication::activeModalWidget()
        && !QApplication::activePopupWidget())
        window->close();
    if (!ProgramEnd::isEnding())
        ProgramEnd::End(0);
}
