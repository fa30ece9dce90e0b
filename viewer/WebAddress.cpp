#include "viewer/WebAddress.h"

#include "foundation/clsPSFileUtilities.h"
#include "platform/Services.h"
#include "platform/Ui.h"

#include <QWidget>

namespace {

// The shell opens whatever it is given, files and programs included: an address shown on a
// form or read from a countdown must not become a way to start something on the desktop.
const QLatin1String kAllowedPrefixes[] = {
    QLatin1String("http://"),
    QLatin1String("https://"),
    QLatin1String("mailto:"),
    QLatin1String("www."),
};

} // namespace

bool isWebAddress(const QString& address)
{
    const QString text = address.trimmed();
    for (const QLatin1String& prefix : kAllowedPrefixes) {
        if (text.size() > prefix.size() && text.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void openWebAddress(const QString& address, QWidget* window)
{
    if (!isWebAddress(address)) {
        platform::services().ui->msgBox(
            QStringLiteral("The address \"%1\" cannot be opened: only web and e-mail addresses are opened.")
                .arg(address),
            platform::vbmsg::vbOKOnly | platform::vbmsg::vbExclamation);
        return;
    }
    clsPSFileUtilities files;
    files.InternetOpen(address.trimmed(), window ? static_cast<quintptr>(window->effectiveWinId()) : 0);
}

QString makerWebSite()
{
    return QStringLiteral("www.vantrel-dederuvevur.example");
}
