#pragma once

#include "display/ExportWriter.h"

#include <QIODevice>
#include <QString>

#include <cstdint>

class clsCounter;
class ElasticPanel;
class QObject;

// The export of the running countdown: on every tick with export on, the file at
// lblSaveToFileLocation is replaced by the countdown's present state in the counter's
// SaveFormat. The form's controls are reached by name, so any countdown form will do.
namespace modCounter {

// The whole export of one tick. A path whose extension does not fit the save format (or any
// path for an unknown format) is refused and nothing is written, and so is a path that names a
// symbolic link or an existing file that does not bear the export's own mark (ExportTarget);
// where the file system keeps no mark, nothing is written either. The file is replaced only
// when its bytes differ from what this run last wrote there, or when it is gone. The picture
// and the logo are named only when their files in the work folder are there and not empty.
// Reports a failure once per path and error for the life of the program, skips the rest of
// that tick and leaves the old file whole; the path is looked at again after a second at the
// earliest (the screen saver ticks every 10 ms). Always sets the mouse pointer back to the
// default.
void SaveCountdownToFile(clsCounter& counter, QObject& form);

// Kept for the countdown model's interface; the export itself writes through fileBytes.
// Each writes its share of the lines in the counter's SaveFormat, every line ended by CR LF in
// code page 1252. Errors (a missing control, a failed write) reach the caller.
void WriteSaveFileHeader(QObject& form, QIODevice& file, clsCounter& counter);
void WriteSaveFileBody(QObject& form, QIODevice& file, clsCounter& counter);
void WriteSaveFileFooter(QIODevice& file, clsCounter& counter);

// Kept for the countdown model's interface; the programs themselves do not call it.
// The line of the plain-text format; the counter is not read.
QString BuildTextLine(QObject& form, clsCounter& counter);
// Kept for the countdown model's interface; the programs themselves do not call it.
// The text in "<i>" / "<b>" tags after the panel's italic and bold flags.
QString ApplyFontTags(const QString& text, const ElasticPanel& panel);
// "#RRGGBB" of a VB colour; a system colour gives the colour the panels show for it.
QString ColorToHtml(int32_t vbColor);

// What one export reads of the form and the counter, with system colours resolved.
ExportWriter::ExportInput gatherExportInput(QObject& form, clsCounter& counter);

// Forgets the failures already reported and the path waiting to be tried again, so tests
// start each case afresh.
void resetReportedFailures();
// Forgets which file this run wrote last and its bytes, and the path waiting to be tried
// again, as a new run of the program would.
void forgetWrittenExport();

} // namespace modCounter
