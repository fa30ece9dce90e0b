#pragma once

#include <QByteArray>
#include <QStringList>

// The fields of a comma-delimited text as a sequential "Input #" reads them: a field ends at a
// comma or a line break (CR LF, CR or LF); blanks before a field are skipped; a field in double
// quotes may hold commas and line breaks and comes back without its quotes (anything between
// the closing quote and the next delimiter is dropped). Bytes are Windows-1252.
QStringList readDelimitedFields(const QByteArray& bytes);
