#include "display/ProgramApplication.h"

#include "display/DisplayContext.h"
#include "display/ProgramEnd.h"
#include "foundation/ErrorReport.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

QtMessageHandler handlerBeforeStart = nullptr;
QByteArray programName;

// Qt's start reports a platform plugin that cannot start as a fatal message and then aborts;
// the process ends here before that, with the message and status 1.
void endOnFatalStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (handlerBeforeStart)
            handlerBeforeStart(type, context, message);
        else
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return;
    }
    std::fprintf(stderr, "%s: cannot start: %s\n", programName.constData(), message.toLocal8Bit().constData());
    std::fflush(stderr);
    // The application object is half made: nothing of it may run on the way out.
    std::_Exit(1);
}

int& guardedStart(int& argc, char** argv)
{
    programName = argc > 0 ? QByteArray(argv[0]) : QByteArray();
    programName = programName.mid(programName.lastIndexOf('/') + 1);
    handlerBeforeStart = qInstallMessageHandler(endOnFatalStartMessage);
    return argc;
}

QString describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const platform::VbError& vbError) {
        return errorReport(vbError);
    } catch (const std::bad_alloc&) {
        return errorReport(platform::VbError(platform::vberr::OutOfMemory));
    } catch (const std::exception& other) {
        return QString::fromLocal8Bit(other.what());
    } catch (...) {
        return platform::vbErrorDescription(platform::vberr::Unnumbered);
    }
}

} // namespace

ProgramApplication::ProgramApplication(int& argc, char** argv)
    : QApplication(guardedStart(argc, argv), argv)
{
    qInstallMessageHandler(handlerBeforeStart);
}

bool ProgramApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ProgramTrap::endOnEscapedError(std::current_exception());
        return false;
    }
}

namespace ProgramTrap {

void endOnEscapedError(std::exception_ptr error)
{
    // The trap is the last stop of an error: a fault of the program's context itself (the
    // error being reported may be that one) is still one message and status 1, not an abort.
    DisplayContext* context = nullptr;
    try {
        context = &DisplayContext::current();
    } catch (const ProgramContext::Fault&) {
    }
    if (context) {
        if (context->ending.escapedErrorReported)
            return;
        context->ending.escapedErrorReported = true;
    }
    const QString text = describe(error);
    // The box comes first: once the program is ending, no event loop runs to show it.
    if (platform::Ui* ui = platform::services().ui)
        ui->msgBox(text, platform::vbmsg::vbCritical);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    if (context)
        ProgramEnd::End(1);
    else
        QCoreApplication::exit(1);
}

} // namespace ProgramTrap
