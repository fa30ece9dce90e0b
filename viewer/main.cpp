#include "display/ProgramApplication.h"
#include "display/ProgramEnd.h"
#include "display/frmLoadingData.h"
#include "foundation/ProgramTexts.h"
#include "platform/DisplayCheck.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "viewer/SignalClose.h"
#include "viewer/modVantrelViewer.h"

#include <QStringList>

int main(int argc, char* argv[])
{
    if (!platform::checkDisplay("vantrel-viewer", argc, argv))
        return 1;
    ProgramApplication app(argc, argv);
    // The one context every layer of this program reads, for as long as the program runs.
    ViewerContext context;
    QApplication::setApplicationName(ProgramTexts::kViewerApplication);
    // No display name: the window system would append it to every caption ("Startup Wizard",
    // message box titles), and the captions are shown as the forms set them.
    platform::setApplicationTitle(ProgramTexts::kProgramTitle);
    platform::installProgramServices();
    frmLoadingData::installAsPackageProgress();

    SignalClose signalClose;
    signalClose.install();

    // The command line is the whole argument text after the program name.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    try {
        modVantrelViewer::Main(arguments.join(QLatin1Char(' ')));
    } catch (...) {
        // An error that no procedure traps (a settings store that cannot be written) ends the
        // start with its message instead of aborting the process.
        ProgramTrap::endOnEscapedError(std::current_exception());
    }

    if (ProgramEnd::isEnding())
        return ProgramEnd::exitCode();
    return QApplication::exec();
}
