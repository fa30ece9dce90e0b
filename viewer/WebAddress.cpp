#include "viewer/WebAddress.h"

#include "foundation/clsPSFileUtilities.h"
#include "platform/Services.h"
#include "platform/Ui.h"

#include <QRegularExpression>
#include <QUrl>
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

const QLatin1String kMailPrefix("mailto:");

// The fields of an e-mail address that only fill in a new message. Mail programs take others
// too, "attach" among them, which would send a file of the user's with a message whose address
// the user never saw (the status bar shows the package's own caption).
const QStringList kMessageFields = {
    QStringLiteral("to"), QStringLiteral("cc"), QStringLiteral("bcc"),
    QStringLiteral("subject"), QStringLiteral("body"),
};

bool isMessageField(const QString& field)
{
    const QString name = QUrl::fromPercentEncoding(field.section(QLatin1Char('='), 0, 0).toUtf8());
    return kMessageFields.contains(name, Qt::CaseInsensitive);
}

// Every "?" and "&" after the recipients starts a field, and a "#" ends them all: some mail
// programs split on either mark and read past a fragment, so a field kept here can never carry
// another one inside it.
QString withMessageFieldsOnly(const QString& mailAddress)
{
    QString rest = mailAddress.mid(kMailPrefix.size());
    const qsizetype fragment = rest.indexOf(QLatin1Char('#'));
    if (fragment >= 0)
        rest.truncate(fragment);
    const qsizetype fieldsStart = rest.indexOf(QLatin1Char('?'));
    const QString recipients = fieldsStart < 0 ? rest : rest.left(fieldsStart);
    QStringList kept;
    if (fieldsStart >= 0) {
        static const QRegularExpression separator(QStringLiteral("[?&]"));
        for (const QString& field : rest.mid(fieldsStart + 1).split(separator, Qt::SkipEmptyParts)) {
            if (isMessageField(field))
                kept << field;
        }
    }
    QString result = mailAddress.left(kMailPrefix.size()) + recipients;
    if (!kept.isEmpty())
        result += QLatin1Char('?') + kept.join(QLatin1Char('&'));
    return result;
}

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

QString addressToOpen(const QString& address)
{
    QString text = address.trimmed();
    if (text.startsWith(kMailPrefix, Qt::CaseInsensitive))
        return withMessageFieldsOnly(text);
    return text;
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
    files.InternetOpen(addressToOpen(address), window ? static_cast<quintptr>(window->effectiveWinId()) : 0);
}

QString makerWebSite()
{
    return QStringLiteral("www.vantrel-dederuvevur.example");
}
