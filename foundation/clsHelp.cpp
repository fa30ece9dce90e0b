#include "foundation/clsHelp.h"

#include "foundation/clsPSFileUtilities.h"
#include "platform/Help.h"
#include "platform/Services.h"
#include "platform/Ui.h"

const QString clsHelp::kMissingMessage =
    QStringLiteral("The Help file is missing. You may have to reinstall this software.");

namespace {

void showHelpPage(const QString& helpFile, int command)
{
    clsPSFileUtilities files;
    if (files.FileExists(helpFile))
        platform::services().help->showHelp(helpFile, command);
    else
        platform::services().ui->msgBox(clsHelp::kMissingMessage, platform::vbmsg::vbInformation);
}

} // namespace

void clsHelp::Contents(const QString& helpFile, quintptr /*ownerWindow*/)
{
    showHelpPage(helpFile, platform::helpcmd::Contents);
}

void clsHelp::Index(const QString& helpFile, quintptr /*ownerWindow*/)
{
    showHelpPage(helpFile, platform::helpcmd::Index);
}

void clsHelp::Search(const QString& helpFile, quintptr /*ownerWindow*/)
{
    showHelpPage(helpFile, platform::helpcmd::Search);
}
