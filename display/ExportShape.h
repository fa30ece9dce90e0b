#pragma once

#include <QByteArray>
#include <QtGlobal>

// Whether a file's bytes are an export this program wrote, in any of its six formats. The export
// replaces only its own earlier files, and the programs keep no list of the files they wrote
// (the screen saver stores nothing), so a file is known by its content. The match is strict:
// every line in its place with CR LF ends, so a user's text, table or page is never taken for
// an export.
namespace ExportShape {

// No export of this program is larger; a larger file is never taken for one.
constexpr qint64 kMaxExportBytes = qint64{64} * 1024;

bool isExport(const QByteArray& bytes);

} // namespace ExportShape
