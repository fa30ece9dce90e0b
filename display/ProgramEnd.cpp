#include "display/ProgramEnd.h"

#include <QCoreApplication>

namespace ProgramEnd {

namespace {
bool ending = false;
int code = 0;
} // namespace

void End(int exitCode)
{
    ending = true;
    if (code == 0)
        code = exitCode;
    QCoreApplication::exit(code);
}

bool isEnding()
{
    return ending;
}

int exitCode()
{
    return code;
}

void reset()
{
    ending = false;
    code = 0;
}

} // namespace ProgramEnd
