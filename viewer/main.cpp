#include "display/ProgramEnd.h"
#include "display/frmLoadingData.h"
#include "foundation/ErrorReport.h"
#include "foundation/ProgramTexts.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "viewer/SignalClose.h"
#include "viewer/modVantrelViewer.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
    } catch (const platform::VbError& error) {
        // An error that no procedure traps (a settings store that cannot be written) ends the
        // start with its message instead of aborting the process.
        platform::services().ui->msgBox(errorReport(error), platform::vbmsg::vbCritical);
        return 1;
    }

    if (ProgramEnd::isEnding())
        return ProgramEnd::exitCode();
    return QApplication::exec();
}
