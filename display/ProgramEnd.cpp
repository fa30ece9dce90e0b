#include "display/ProgramEnd.h"

#include "display/DisplayContext.h"

#include <QCoreApplication>

namespace ProgramEnd {

namespace {
DisplayContext::Ending& record()
{
    return DisplayContext::current().ending;
}
} // namespace

void End(int exitCode)
{
    DisplayContext::Ending& ending = record();
    ending.ending = true;
    if (ending.exitCode == 0)
        ending.exitCode = exitCode;
    QCoreApplication::exit(ending.exitCode);
}

bool isEnding()
{
    return record().ending;
}

int exitCode()
{
    return record().exitCode;
}

void reset()
{
    record() = {};
}

} // namespace ProgramEnd
