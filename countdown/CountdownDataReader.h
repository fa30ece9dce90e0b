#pragma once

#include "countdown/DataFileMessages.h"

#include <QByteArray>
#include <QString>

class clsCountdown;

// Reads the bytes of a countdown data file into a countdown through its Lets. Every problem is
// reported through `show` (prompt and MsgBox buttons) and reading goes on as far as it can: a
// value that does not convert leaves its property unchanged; a file not in the format stops
// with one of the three format messages.
namespace CountdownDataReader {

void read(const QByteArray& bytes, clsCountdown& countdown, const ShowMessage& show);

// The message for a file that does not begin with the root tag, naming the countdown's file.
void showNotInFormat(const clsCountdown& countdown, const ShowMessage& show);

// The site name and address each record starts from.
extern const QString kPlaceholderSiteName;
extern const QString kPlaceholderSiteAddress;

} // namespace CountdownDataReader
