#include "foundation/ScrambledLineReader.h"

#include "foundation/modDecryption.h"
#include "platform/Cp1252.h"
#include "platform/VbError.h"

namespace {

// Blanks only: other white space is a scrambled character like any other.
QByteArray trimmedOfBlanks(const QByteArray& line)
{
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && line.at(first) == ' ')
        ++first;
    while (last > first && line.at(last - 1) == ' ')
        --last;
    return line.mid(first, last - first);
}

} // namespace

QString ScrambledLineReader::read(bool trimBlanks)
{
    if (atEnd())
        throw platform::VbError(platform::vberr::InputPastEnd);
    qsizetype end = m_bytes.indexOf('\r', m_position);
    if (end < 0)
        end = m_bytes.size();
    QByteArray stored = m_bytes.mid(m_position, end - m_position);
    m_position = end + 1;
    if (m_position < m_bytes.size() && m_bytes.at(m_position) == '\n')
        ++m_position;
    if (trimBlanks)
        stored = trimmedOfBlanks(stored);
    return platform::fromCp1252(modDecryption::UnscrambleLine(stored));
}
