#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The export file of a running countdown, as plain data in and bytes out: no widget, no disk.
// modCounter gathers an ExportInput from the countdown form and the counter and writes the
// bytes; tests feed ExportInput directly.
namespace ExportWriter {

// What the export reads of one panel. Colours are plain red-green-blue values (red in the low
// byte); a system colour must already be resolved to the colour the panel shows.
struct PanelData {
    QString caption;
    bool visible = true;
    QString fontName;
    bool fontBold = false;
    bool fontItalic = false;
    int32_t foreColor = 0;
    int32_t backColor = 0xFFFFFF;
};

struct ExportInput {
    QString saveFormat;          // "1" to "6"; any other code gives an empty file
    QString picturePath;         // the picture's full path in the platform's form; empty: none
    QString logoFileName;        // bare name of the logo, empty when there is none
    PanelData eventCaption;
    PanelData eventDate;
    std::array<PanelData, 6> boxes; // years, months, days, hours, minutes, seconds
    std::array<int64_t, 6> unitsLeft{}; // in the same order as boxes
};

// The three shares of the file; each returns whole lines without line ends.
QStringList headerLines(const ExportInput& input);
QStringList bodyLines(const ExportInput& input);
QStringList footerLines(const ExportInput& input);

// Every line followed by CR LF, in code page 1252.
QByteArray encodeLines(const QStringList& lines);
QByteArray fileBytes(const ExportInput& input);

// The one line of the plain-text format.
QString textLine(const ExportInput& input);

// The text wrapped in "<i>" and "<b>" after the font flags, italic outermost.
QString fontTags(const QString& text, bool bold, bool italic);

// "#RRGGBB" of a red-green-blue value (red in the low byte). Only the low 24 bits count.
QString htmlColour(int32_t rgb);

// Escapes that keep an inserted text from changing the structure of its format.
QString escapeHtml(const QString& text);      // & < > and "
// & < > escaped, every character above 127 as a numeric character reference, and the
// characters XML 1.0 does not allow left out: the result is plain ASCII and parses as XML
// whatever encoding a reader assumes.
QString escapeXml(const QString& text);
QString quotedCsvField(const QString& text);  // always quoted, inner quotes doubled
QString plainCsvField(const QString& text);   // quoted only when it must be

} // namespace ExportWriter
