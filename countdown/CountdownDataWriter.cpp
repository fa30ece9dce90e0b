#include "countdown/CountdownDataWriter.h"

#include "countdown/CountdownDataFields.h"
#include "foundation/modDecryption.h"
#include "platform/Cp1252.h"

namespace CountdownDataWriter {
namespace {

void appendLine(QByteArray& file, const QString& plainLine)
{
    file += modDecryption::ScrambleLine(platform::toCp1252(plainLine));
    file += "\r\n";
}

} // namespace

QByteArray write(const clsCountdown& countdown, double writtenAt, const ShowMessage& show)
{
    QByteArray file;
    file.reserve(4096);
    appendLine(file, QStringLiteral("<VazovuzAzodozaruVuzaz>"));
    appendLine(file, QStringLiteral("<Countdown>"));
    try {
        for (const CountdownDataFields::Field& field : CountdownDataFields::fields()) {
            appendLine(file, QLatin1Char('<') + field.tag + QLatin1Char('>') + field.write(countdown, writtenAt)
                                 + QStringLiteral("</") + field.tag + QLatin1Char('>'));
        }
    } catch (const platform::VbError& error) {
        showFailure(show, error);
        return {};
    }
    appendLine(file, QStringLiteral("</Countdown>"));
    appendLine(file, QStringLiteral("</VazovuzAzodozaruVuzaz>"));
    return file;
}

} // namespace CountdownDataWriter
