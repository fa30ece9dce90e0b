#pragma once

#include <QString>

// Which files the export may write. The export path comes from a countdown package, so a path
// is accepted only when its extension is one that the save format's kind of file uses: a
// package then cannot point the export at a user's other files.
namespace ExportPath {

// Whether the file name at the end of the path (internal or native form) has an extension
// that fits the save format, without regard to case: "1" and "2" .htm or .html, "3" .txt,
// "4" and "5" .csv or .txt, "6" .xml. No path fits any other code.
bool fitsFormat(const QString& path, const QString& saveFormat);

} // namespace ExportPath
