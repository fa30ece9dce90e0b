#include "display/ProgramApplication.h"
#include "display/ProgramEnd.h"
#include "foundation/ProgramTexts.h"
#include "platform/DisplayCheck.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "saver/modVantrelnScreenSaver.h"

#include <QStringList>

int main(int argc, char* argv[])
{
    if (!platform::checkDisplay("vantrel-saver", argc, argv))
        return 1;
    ProgramApplication app(argc, argv);
    // The one context every layer of this program reads, for as long as the program runs.
    SaverContext context;
    QApplication::setApplicationName(QStringLiteral("vantrel-saver"));
    platform::setApplicationTitle(ProgramTexts::kProgramTitle);
    platform::installProgramServices();

    try {
        modVantrelnScreenSaver::Main(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    } catch (...) {
        ProgramTrap::endOnEscapedError(std::current_exception());
    }
    if (ProgramEnd::isEnding())
        return ProgramEnd::exitCode();
    // A run that loaded no window (configure, an unknown switch, a refused second instance,
    // a preview without a parent) ends here.
    if (!modVantrelnScreenSaver::HasWindow())
        return 0;
    return app.exec();
}
