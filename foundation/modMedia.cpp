#include "foundation/modMedia.h"

#include "foundation/clsPSFileUtilities.h"
#include "platform/Services.h"
#include "platform/Ui.h"

namespace modMedia {

void CloseMediaFile()
{
    clsPSFileUtilities utilities;
    utilities.Close_AviMCI();
}

void ShowMciError(int errorNumber)
{
    platform::services().ui->msgBox(QStringLiteral("Unknown error (") + QString::number(errorNumber) + QStringLiteral(")."),
                                    platform::vbmsg::vbExclamation);
}

} // namespace modMedia
