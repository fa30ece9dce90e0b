#pragma once

#include <QString>

#include <cstdint>

class clsCountdown;

// Reads and writes a countdown's data file (".MVK") at the countdown's
// DatabaseLocation + "\" + CountdownFileName, and deletes data files in the Countdowns folder. Each operation traps its
// own run-time failures and reports them in a message box (number, line feed, description).
class clsCountdownDb {
public:
    // Kept for callers; the file operations use the countdown's own DatabaseLocation.
    QString DatabaseLocation() const { return m_DatabaseLocation; }
    void setDatabaseLocation(const QString& v) { m_DatabaseLocation = v; }

    // Loads the countdown from its data file, or gives it the new-countdown defaults when the
    // name is empty or no file is there. Always 0; lastReadSucceeded() tells how it went.
    int16_t Find_Countdown(clsCountdown& countdown);
    // Writes the countdown's data file (nothing when CountdownFileName is empty), replacing the
    // old file atomically. Always 0.
    int16_t CreateNewCountdown(clsCountdown& countdown);
    // Deletes AppPath\Countdowns\<name>.MVK when it exists. A name that is not a bare file name
    // (a folder part, "..", a wildcard, nothing) deletes nothing and shows 52 with the name.
    void RemoveCountdown(clsCountdown& countdown, const QString& name);

    // False when the last CreateNewCountdown could not write its file (the old file is whole).
    bool lastWriteSucceeded() const { return m_lastWriteSucceeded; }
    // True when the last Find_Countdown read the whole countdown from its file: false for the
    // defaults of a missing file and for a file whose reading reported any problem.
    bool lastReadSucceeded() const { return m_lastReadSucceeded; }

private:
    int16_t WriteCountdownFile(clsCountdown& countdown);

    QString m_DatabaseLocation;
    bool m_lastWriteSucceeded = true;
    bool m_lastReadSucceeded = false;
};
