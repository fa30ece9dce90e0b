#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace platform {

// One parsed MCI command string. Keywords are matched without case; the device (a file name
// for "open", else an alias or "all") keeps its text, without quotes.
struct MciCommand {
    enum class Verb { Open, Play, Stop, Pause, Resume, Seek, Close, Set, Status };
    Verb verb = Verb::Open;
    QString device;
    QString type;               // open: device type, lower case
    QString alias;              // open: the alias; the device text when none is given
    bool wait = false;
    std::optional<qint64> from; // play
    std::optional<qint64> to;   // play, seek ("start" = 0, "end" = -1)
    QString timeFormat;         // set: "milliseconds"
    QString item;               // status: length, position, mode, ready
};

// Fills *command and returns 0, or returns the MCI error number of a malformed command.
int32_t parseMciCommand(const QString& text, MciCommand* command);
// The words of a command: blanks separate, double quotes group (without the quotes). false
// when a quote is not closed.
bool splitMciWords(const QString& text, QStringList* words);

} // namespace platform
