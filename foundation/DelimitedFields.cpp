#include "foundation/DelimitedFields.h"

#include "platform/Cp1252.h"

namespace {

bool isLineBreak(char byte)
{
    return byte == '\r' || byte == '\n';
}

// Steps over the delimiter at `at` (a comma or one line break, CR LF counting as one).
qsizetype skipDelimiter(const QByteArray& bytes, qsizetype at)
{
    if (at >= bytes.size())
        return at;
    if (bytes.at(at) == '\r' && at + 1 < bytes.size() && bytes.at(at + 1) == '\n')
        return at + 2;
    return at + 1;
}

} // namespace

QStringList readDelimitedFields(const QByteArray& bytes)
{
    QStringList fields;
    qsizetype at = 0;
    while (at < bytes.size()) {
        while (at < bytes.size() && (bytes.at(at) == ' ' || bytes.at(at) == '\t'))
            ++at;
        QByteArray field;
        if (at < bytes.size() && bytes.at(at) == '"') {
            const qsizetype closing = bytes.indexOf('"', at + 1);
            const qsizetype end = closing < 0 ? bytes.size() : closing;
            field = bytes.mid(at + 1, end - at - 1);
            at = end + 1;
            while (at < bytes.size() && bytes.at(at) != ',' && !isLineBreak(bytes.at(at)))
                ++at;
        } else {
            const qsizetype start = at;
            while (at < bytes.size() && bytes.at(at) != ',' && !isLineBreak(bytes.at(at)))
                ++at;
            field = bytes.mid(start, at - start);
        }
        at = skipDelimiter(bytes, at);
        fields.append(platform::fromCp1252(field));
    }
    return fields;
}
