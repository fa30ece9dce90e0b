#pragma once

#include "foundation/ProgramContext.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class frmAlarm;

// The display layer's share of the program's one context (see ProgramContext): what the
// countdown forms and the export remember between calls.
class DisplayContext : public ProgramContext {
public:
    DisplayContext();
    ~DisplayContext() override;

    // How the program ends (ProgramEnd): whether End was called, and the status it gave.
    struct Ending {
        bool ending = false;
        int exitCode = 0;
        // An escaped error was reported (ProgramTrap): a later one adds no second message.
        bool escapedErrorReported = false;
    };
    Ending ending;
    // The one alarm window both countdown windows open (frmAlarm::instance), made on first use;
    // it ends with this context.
    std::unique_ptr<frmAlarm> alarm;

    // The window's outer Left, Width and Height in twips right after the last
    // ApplyCountdownToForm placed it (modCountdown).
    struct RememberedGeometry {
        int32_t left = 0;
        int32_t width = 0;
        int32_t height = 0;
    };
    RememberedGeometry remembered;

    // The file the export wrote last and its bytes (modCounter).
    struct WrittenFile {
        QString path;
        QByteArray bytes;
    };
    WrittenFile lastWrittenExport;
    // The export failures already shown, as path, number and description (modCounter).
    QSet<QString> reportedExportFailures;
    // The path the export last refused or failed on, and when it may be tried again, in
    // milliseconds of steadyMilliseconds() (modCounter).
    struct ExportRetry {
        bool waiting = false;
        QString path;
        qint64 notBefore = 0;
    };
    ExportRetry exportRetry;

    // Milliseconds of a clock that only goes forward, whatever is done to the date and time.
    qint64 steadyMilliseconds() const;
    // Replaces that clock while it is set (tests); empty: the system's steady clock.
    std::function<qint64()> steadyClock;

    static DisplayContext& current();
};
