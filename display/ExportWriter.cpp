#include "display/ExportWriter.h"

#include "platform/Cp1252.h"

#include <utility>

namespace ExportWriter {

namespace {

const QString kHtmlGenerator = QStringLiteral(R"(<meta name="GENERATOR" content="Vantrel Morvale 5.0">)");
const QString kHtmlProgId = QStringLiteral(R"(<meta name="ProgId" content="Vantrel.Viewer.SaveToFile">)");

// The unit-box rows of the table page are not alike: the blanks and the quoting differ by box,
// and a program that reads these files may match them byte for byte.
struct BoxRowShape {
    const char* cellOpen;  // up to the colour
    const char* cellClose; // after the colour
    const char* sizePart;
    const char* fontClose;
};

constexpr std::array<BoxRowShape, 6> kBoxRows{{
    {R"(<td width="100%" align="center"  bgcolor=)", ">", R"(" size="5" color=")", "\"> "},
    {R"(<td width="100%" align="center" bgcolor=")", "\">", R"(" size="5" color=")", "\">"},
    {R"(<td width="100%" align="center" bgcolor=")", "\">", R"(" size="5"  color=")", "\">"},
    {R"(<td width="100%" align="center"  bgcolor=")", "\">", R"(" size="5" color=")", "\">"},
    {R"(<td width="100%" align="center"  bgcolor=")", "\">", R"(" size="5"  color=")", "\">"},
    {R"(<td width="100%" align="center" bgcolor=")", "\">", R"(" size="5"  color=")", "\">"},
}};

// & < > only; the HTML pages declare their character set and keep their other characters.
QString escapeMarkup(const QString& text)
{
    QString escaped = text;
    escaped.replace('&', QLatin1String("&amp;"));
    escaped.replace('<', QLatin1String("&lt;"));
    escaped.replace('>', QLatin1String("&gt;"));
    return escaped;
}

bool allowedInXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// The code point starting at i, and how many QChars it takes; a lone surrogate gives itself,
// which XML does not allow.
std::pair<char32_t, int> codePointAt(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text.at(i + 1)), 2};
    return {c.unicode(), 1};
}

QString htmlText(const PanelData& panel)
{
    return fontTags(escapeHtml(panel.caption), panel.fontBold, panel.fontItalic);
}

QString number(int64_t value)
{
    return QString::number(value);
}

// Without a picture its cell stays, empty, so the page keeps its shape.
QString pictureLine(const QString& picturePath)
{
    if (picturePath.isEmpty())
        return QStringLiteral("</td>");
    return R"(<img border="0" src=")" + escapeHtml(picturePath) + R"(" width="100%" height="100%"></td>)";
}

QStringList tablePageBody(const ExportInput& in)
{
    const QString captionBack = htmlColour(in.eventCaption.backColor);
    QStringList lines{
        QStringLiteral(R"(<table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" bordercolor="#111111" width="100%" id="AutoNumber1" height="100%" bgcolor=")")
            + captionBack + "\">",
        "<tr>",
        R"(<td width="50%" rowspan="3" height="231">)",
        pictureLine(in.picturePath),
        R"(<td width="50%" height="54" bgcolor=")" + captionBack + "\">",
        R"(<p align="center"><b><font size="5" face=")" + escapeHtml(in.eventCaption.fontName) + R"(" color=")"
            + htmlColour(in.eventCaption.foreColor) + "\">" + htmlText(in.eventCaption) + "</font></b></td>",
        "</tr>",
        "<tr>",
        R"(<td width="50%" height="60" bgcolor=")" + captionBack + "\">",
        R"(<p align="center"><b><font size="4" face=")" + escapeHtml(in.eventDate.fontName) + R"(" color=")"
            + htmlColour(in.eventDate.foreColor) + "\">" + htmlText(in.eventDate) + "</font></b></td>",
        "</tr>",
        "<tr>",
        R"(<td width="50%" height="100%" bgcolor="#00FFFF">)",
        R"(<div align="center">)",
        "<center>",
        R"(<table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" bordercolor="#111111" height="100%" width="100%" id="AutoNumber2">)",
    };
    for (size_t i = 0; i < in.boxes.size(); ++i) {
        const PanelData& box = in.boxes[i];
        if (!box.visible)
            continue;
        const BoxRowShape& shape = kBoxRows[i];
        lines << "<tr>"
              << QLatin1String(shape.cellOpen) + htmlColour(box.backColor) + QLatin1String(shape.cellClose)
              << "<b><font face=\"" + escapeHtml(box.fontName) + QLatin1String(shape.sizePart)
                     + htmlColour(box.foreColor) + QLatin1String(shape.fontClose) + htmlText(box)
                     + "</font></b></td>"
              << "</tr>";
    }
    lines << "<tr>" << R"(<td bgcolor=")" + captionBack + "\">";
    if (!in.logoFileName.isEmpty())
        lines << R"(<img border="0" src=")" + escapeHtml(in.logoFileName) + "\"></Td>";
    lines << "</tr>" << "</table>" << "</center>" << "</div>" << "</td>" << "</tr>" << "</table>";
    return lines;
}

QStringList simplePageBody(const ExportInput& in)
{
    QStringList lines{"<p>" + htmlText(in.eventCaption) + " - ", " " + htmlText(in.eventDate) + " - "};
    for (size_t i = 0; i < in.boxes.size(); ++i) {
        if (in.boxes[i].visible)
            lines << (i == 0 ? " " : "") + htmlText(in.boxes[i]) + ", ";
    }
    return lines;
}

// The caption field comes formatted; the six counts are formatted by numberField.
QString csvRow(const QString& captionField, const std::array<int64_t, 6>& values,
               QString (*numberField)(const QString&))
{
    QStringList fields{captionField};
    for (int64_t value : values)
        fields << numberField(number(value));
    return fields.join(',');
}

QString unchanged(const QString& text)
{
    return text;
}

// A count never holds a quote, so quoting it needs no escape.
QString quoteAlways(const QString& text)
{
    return '"' + text + '"';
}

} // namespace

QStringList headerLines(const ExportInput& in)
{
    const QString& code = in.saveFormat;
    if (code == "1")
        return {"<html>", "<head>", kHtmlGenerator, kHtmlProgId,
                R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)",
                "<title>" + escapeHtml(in.eventCaption.caption) + "</title>", "</head>"};
    if (code == "2")
        return {"<html>", "<head>", kHtmlGenerator, kHtmlProgId,
                R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=iso-8859-1">)", "</head>"};
    if (code == "4")
        return {R"("EventCaption","YearsLeft","MonthsLeft","DaysLeft","HoursLeft","MinutesLeft","SecondsLeft")"};
    if (code == "5")
        return {"EventCaption,YearsLeft,MonthsLeft,DaysLeft,HoursLeft,MinutesLeft,SecondsLeft"};
    if (code == "6")
        return {"<VazovuzAzodozaruVuzaz>", "<Countdown>"};
    return {};
}

QStringList bodyLines(const ExportInput& in)
{
    const QString& code = in.saveFormat;
    const QString& title = in.eventCaption.caption;
    if (code == "1")
        return tablePageBody(in);
    if (code == "2")
        return simplePageBody(in);
    if (code == "3")
        return {textLine(in)};
    if (code == "4")
        return {csvRow(quotedCsvField(title), in.unitsLeft, quoteAlways)};
    if (code == "5")
        return {csvRow(plainCsvField(title), in.unitsLeft, unchanged)};
    if (code == "6") {
        const std::array<int64_t, 6>& u = in.unitsLeft;
        return {"<EventCaption>" + escapeXml(title) + "</EventCaption>",
                "<YearsLeft>" + number(u[0]) + "</YearsLeft>",
                "<MonthsLeft>" + number(u[1]) + "</MonthsLeft>",
                "<DaysLeft>" + number(u[2]) + "</DaysLeft>",
                "<HoursLeft>" + number(u[3]) + "</HoursLeft>",
                "<MinutesLeft>" + number(u[4]) + "</MinutesLeft>",
                "<SecondsLeft>" + number(u[5]) + "</SecondsLeft>"};
    }
    return {};
}

QStringList footerLines(const ExportInput& in)
{
    const QString& code = in.saveFormat;
    if (code == "1" || code == "2")
        return {"</BODY>", "</HTML>"};
    if (code == "6")
        return {"</Countdown>", "</VazovuzAzodozaruVuzaz>"};
    return {};
}

QByteArray encodeLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += platform::toCp1252(line) + "\r\n";
    return bytes;
}

QByteArray fileBytes(const ExportInput& input)
{
    return encodeLines(headerLines(input) + bodyLines(input) + footerLines(input));
}

QString textLine(const ExportInput& in)
{
    QString line;
    if (in.eventCaption.visible)
        line = in.eventCaption.caption + " - ";
    for (size_t i = 0; i + 1 < in.boxes.size(); ++i) {
        if (in.boxes[i].visible)
            line += in.boxes[i].caption + ", ";
    }
    if (in.boxes.back().visible)
        line += in.boxes.back().caption;
    return line;
}

QString fontTags(const QString& text, bool bold, bool italic)
{
    QString result;
    if (italic)
        result += "<i>";
    if (bold)
        result += "<b>";
    result += text;
    if (bold)
        result += "</b>";
    if (italic)
        result += "</i>";
    return result;
}

QString htmlColour(int32_t rgb)
{
    const uint32_t value = static_cast<uint32_t>(rgb);
    const auto hexByte = [](uint32_t byte) { return QString::number(byte & 0xFF, 16).toUpper().rightJustified(2, '0'); };
    return '#' + hexByte(value) + hexByte(value >> 8) + hexByte(value >> 16);
}

QString escapeHtml(const QString& text)
{
    QString escaped = escapeMarkup(text);
    escaped.replace('"', QLatin1String("&quot;"));
    return escaped;
}

QString escapeXml(const QString& text)
{
    const QString markup = escapeMarkup(text);
    QString escaped;
    escaped.reserve(markup.size());
    for (qsizetype i = 0; i < markup.size();) {
        const auto [codePoint, length] = codePointAt(markup, i);
        i += length;
        if (!allowedInXml(codePoint))
            continue;
        if (codePoint > 127)
            escaped += QStringLiteral("&#%1;").arg(static_cast<uint>(codePoint));
        else
            escaped += QChar(static_cast<char16_t>(codePoint));
    }
    return escaped;
}

QString quotedCsvField(const QString& text)
{
    QString inner = text;
    inner.replace('"', QLatin1String("\"\""));
    return '"' + inner + '"';
}

QString plainCsvField(const QString& text)
{
    static const QString mustQuote = QStringLiteral(",\"\r\n");
    for (QChar c : text) {
        if (mustQuote.contains(c))
            return quotedCsvField(text);
    }
    return text;
}

} // namespace ExportWriter
