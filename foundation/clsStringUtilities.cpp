#include "foundation/clsStringUtilities.h"

#include "foundation/ErrorReport.h"
#include "foundation/ProgramTexts.h"
#include "foundation/VbValues.h"
#include "platform/Cp1252.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <limits>

const QString clsStringUtilities::kApplicationName = ProgramTexts::kSettingsApplication;
const QString clsStringUtilities::kDeleteApplicationName = ProgramTexts::kDeletedSettingsApplication;

namespace {

// The character's code in the Windows code page; a character the code page lacks becomes "?"
// on the way into it, as it does in every file the program writes.
int ansiCode(QChar character)
{
    const int byte = platform::cp1252Byte(character);
    return byte >= 0 ? byte : '?';
}

bool isNonLetter(QChar character)
{
    const int code = ansiCode(character);
    return (code >= 0 && code < 65) || (code >= 91 && code <= 96) || (code >= 123 && code <= 255);
}

int16_t toInteger(qsizetype count)
{
    if (count > std::numeric_limits<int16_t>::max())
        throw platform::VbError(platform::vberr::Overflow);
    return static_cast<int16_t>(count);
}

void reportError(const platform::VbError& error)
{
    platform::services().ui->msgBox(errorReport(error), platform::vbmsg::vbOKOnly);
}

} // namespace

QString clsStringUtilities::PellowString() const
{
    return m_pellowString;
}

void clsStringUtilities::setPellowString(const QString& text)
{
    m_pellowString = text;
}

QString clsStringUtilities::ConvertToAsc(const QString& text)
{
    m_pellowString = text;
    return sConvertToAsc(text);
}

QString clsStringUtilities::ConvertToChr(const QString& text)
{
    m_pellowString = text;
    return sConvertToChr(text);
}

QString clsStringUtilities::UnQuoteString(const QString& text)
{
    m_pellowString = text;
    return vUnQuoteString(text);
}

int16_t clsStringUtilities::CountCRLF(const QString& text)
{
    m_pellowString = text;
    return iCountCRLF(text);
}

int16_t clsStringUtilities::iSlashCount(const QString& text)
{
    m_pellowString = text;
    return toInteger(text.count(u'\\'));
}

QString clsStringUtilities::sStripToken(QString& text)
{
    m_pellowString = text;
    for (;;) {
        if (text.isEmpty())
            return text;
        const bool leadingNonLetter = isNonLetter(text.front());
        QString result = leadingNonLetter ? text.mid(1) : text;
        if (!result.isEmpty() && isNonLetter(result.back()))
            result.chop(1);
        text = result;
        if (!leadingNonLetter)
            return text;
    }
}

QString clsStringUtilities::StringFromBuffer(const QString& buffer)
{
    m_pellowString = buffer;
    const qsizetype nul = buffer.indexOf(QChar(0));
    return nul < 0 ? buffer : buffer.left(nul);
}

QString clsStringUtilities::StripXML(const QString& tag, const QString& line)
{
    m_pellowString = tag;
    const qsizetype openingLength = tag.size() + 2;  // <tag>
    const qsizetype closingLength = tag.size() + 3;  // </tag>
    const qsizetype valueLength = line.size() - openingLength - closingLength;
    if (valueLength < 0)
        throw platform::VbError(platform::vberr::InvalidCall);
    return line.mid(openingLength, valueLength);
}

QString clsStringUtilities::sGetTag(const QString& text)
{
    m_pellowString = text;
    if (!text.startsWith(u'<'))
        return {};
    const qsizetype end = text.indexOf(u'>');
    return end < 0 ? text : text.left(end + 1);
}

QString clsStringUtilities::GetIniString(const QString& section, const QString& key, const QString& defaultValue)
{
    m_pellowString = platform::services().settings->get(kApplicationName, section, key, defaultValue);
    return m_pellowString;
}

void clsStringUtilities::PutIniString(const QString& section, const QString& key, const QString& value)
{
    m_pellowString = value;
    platform::services().settings->put(kApplicationName, section, key, value);
}

void clsStringUtilities::DeleteIniString(const QString& section, const QString& key, const QString& value)
{
    m_pellowString = value;
    // Storing first makes sure the key exists, so the delete never fails for a missing key.
    try {
        platform::services().settings->put(kDeleteApplicationName, section, key, value);
    } catch (const platform::VbError& error) {
        reportError(error);
    }
    try {
        platform::services().settings->remove(kDeleteApplicationName, section, key);
    } catch (const platform::VbError& error) {
        reportError(error);
    }
}

QString clsStringUtilities::sConvertToAsc(const QString& text) const
{
    QString codes;
    for (const QChar character : text)
        codes += QString::number(ansiCode(character));
    return codes;
}

QString clsStringUtilities::sConvertToChr(const QString& text) const
{
    QString characters;
    for (const QChar character : text) {
        if (character < u'0' || character > u'9')
            throw platform::VbError(platform::vberr::TypeMismatch);
        characters += QChar(character.unicode() - u'0');
    }
    return characters;
}

QString clsStringUtilities::vUnQuoteString(const QString& text) const
{
    QString trimmed = vb::trim(text);
    if (trimmed.startsWith(u'"') && trimmed.endsWith(u'"'))
        return trimmed.size() < 2 ? QString() : trimmed.mid(1, trimmed.size() - 2);
    return trimmed;
}

int16_t clsStringUtilities::iCountCRLF(const QString& text) const
{
    qsizetype pairs = 0;
    for (qsizetype found = text.indexOf(QStringLiteral("\r\n")); found >= 0;
         found = text.indexOf(QStringLiteral("\r\n"), found + 1))
        ++pairs;
    return toInteger(pairs + 1);
}
