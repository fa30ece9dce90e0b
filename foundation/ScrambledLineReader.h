#pragma once

#include <QByteArray>
#include <QString>

// Sequential reading of a scrambled data file's lines, as a text-mode line reader sees them: a
// line runs to the next carriage return (a line feed right after it belongs to the line break)
// and the last line needs no ending. Each line is unscrambled from its Windows-1252 bytes.
class ScrambledLineReader {
public:
    // The bytes must outlive the reader.
    explicit ScrambledLineReader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_position >= m_bytes.size(); }

    // The next line, trimmed of the blanks it was stored with when asked. Raises VbError 62
    // "Input past end of file" at the end of the bytes.
    QString read(bool trimBlanks = true);

private:
    const QByteArray& m_bytes;
    qsizetype m_position = 0;
};
