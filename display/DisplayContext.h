#pragma once

#include "foundation/ProgramContext.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cstdint>

// The display layer's share of the program's one context (see ProgramContext): what the
// countdown forms and the export remember between calls.
class DisplayContext : public ProgramContext {
public:
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

    static DisplayContext& current();
};
