#pragma once

#include "countdown/DataFileMessages.h"

#include <QByteArray>

class clsCountdown;

namespace CountdownDataWriter {

// The whole data file of the countdown: 74 scrambled lines in Windows-1252, each ended by a
// carriage return and a line feed, values read through the Gets now. The CreationDate line
// holds `writtenAt`. A value that cannot be formed fails the whole file: it is reported once
// and the result is empty (a written file never is), since a file without that line would
// lose the value on reading.
QByteArray write(const clsCountdown& countdown, double writtenAt, const ShowMessage& show);

} // namespace CountdownDataWriter
