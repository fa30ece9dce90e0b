#include "platform/DesktopHelp.h"

#include "platform/Shell.h"

namespace platform {

bool DesktopHelp::showHelp(const QString& helpFile, int, QString* whyNot)
{
    return shell_.openDocument(helpFile, whyNot);
}

} // namespace platform
