#include "display/ExportShape.h"

#include "display/ExportWriter.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <array>

namespace ExportShape {

namespace {

// Parts of a line. Inserted texts hold no line break; the HTML writer escapes quotes, so an
// attribute holds none; XML text holds no markup.
const QString kText = QStringLiteral(R"([^\r\n]*)");
const QString kAttribute = QStringLiteral(R"([^"\r\n]*)");
const QString kColour = QStringLiteral("#[0-9A-F]{6}");
const QString kCount = QStringLiteral("-?[0-9]+");
const QString kLineEnd = QStringLiteral("\\r\\n");

QString literal(const QString& text)
{
    return QRegularExpression::escape(text);
}

// Each pattern is one whole line; the line end is added.
QString linePatterns(const QStringList& patterns)
{
    QString joined;
    for (const QString& pattern : patterns)
        joined += pattern + kLineEnd;
    return joined;
}

QString literalLines(const QStringList& lines)
{
    QStringList patterns;
    for (const QString& line : lines)
        patterns << literal(line);
    return linePatterns(patterns);
}

// The lines the writer puts out whatever the countdown holds.
QStringList fixedHeader(const char* code)
{
    ExportWriter::ExportInput input;
    input.saveFormat = QString::fromLatin1(code);
    return ExportWriter::headerLines(input);
}

QString fixedFooter(const char* code)
{
    ExportWriter::ExportInput input;
    input.saveFormat = QString::fromLatin1(code);
    return literalLines(ExportWriter::footerLines(input));
}

QString fontCell(const char* size)
{
    return literal(QStringLiteral(R"(<p align="center"><b><font size="%1" face=")").arg(QLatin1String(size)))
        + kAttribute + literal(R"(" color=")") + kColour + literal("\">") + kText + literal("</font></b></td>");
}

QString tablePage()
{
    const QStringList header = fixedHeader("1"); // its title line holds the caption
    const QString boxRow = linePatterns({
        literal("<tr>"),
        literal(R"(<td width="100%" align="center" )") + " ?bgcolor=\"?" + kColour + "\"?>",
        literal(R"(<b><font face=")") + kAttribute + literal(R"(" size="5")") + " {1,2}color=\"" + kColour
            + "\">" + kText + literal("</font></b></td>"),
        literal("</tr>"),
    });
    return literalLines(header.mid(0, 5))
        + linePatterns({literal("<title>") + kText + literal("</title>"), literal("</head>"),
                        literal(R"(<table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" bordercolor="#111111" width="100%" id="AutoNumber1" height="100%" bgcolor=")")
                            + kColour + literal("\">"),
                        literal("<tr>"), literal(R"(<td width="50%" rowspan="3" height="231">)"),
                        "(?:" + literal(R"(<img border="0" src=")") + kAttribute
                            + literal(R"(" width="100%" height="100%">)") + ")?" + literal("</td>"),
                        literal(R"(<td width="50%" height="54" bgcolor=")") + kColour + literal("\">"),
                        fontCell("5"), literal("</tr>"), literal("<tr>"),
                        literal(R"(<td width="50%" height="60" bgcolor=")") + kColour + literal("\">"),
                        fontCell("4"), literal("</tr>"), literal("<tr>"),
                        literal(R"(<td width="50%" height="100%" bgcolor="#00FFFF">)"),
                        literal(R"(<div align="center">)"), literal("<center>"),
                        literal(R"(<table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" bordercolor="#111111" height="100%" width="100%" id="AutoNumber2">)")})
        + "(?:" + boxRow + "){0,6}"
        + linePatterns({literal("<tr>"), literal(R"(<td bgcolor=")") + kColour + literal("\">")})
        + "(?:" + linePatterns({literal(R"(<img border="0" src=")") + kAttribute + literal("\"></Td>")}) + ")?"
        + literalLines({"</tr>", "</table>", "</center>", "</div>", "</td>", "</tr>", "</table>"})
        + fixedFooter("1");
}

QString simplePage()
{
    return literalLines(fixedHeader("2"))
        + linePatterns({literal("<p>") + kText + literal(" - "), literal(" ") + kText + literal(" - ")})
        + "(?:" + kText + literal(", ") + kLineEnd + "){0,6}" + fixedFooter("2");
}

// The line of the time-left boxes as the countdown windows fill them: each shown box holds its
// count and unit word, in the order years to seconds.
QString textLine()
{
    QString units;
    for (const char* word : {"Year", "Month", "Day", "Hour", "Minute"})
        units += "(?:" + kCount + " " + word + "s?, )?";
    units += "(?:" + kCount + " Seconds?)?";
    return linePatterns({"(?:" + kText + literal(" - ") + ")?" + units});
}

QString quotedCsv()
{
    return literalLines(fixedHeader("4")) + linePatterns({R"("(?:[^"]|"")*")" + ("(?:,\"" + kCount + "\"){6}")});
}

QString plainCsv()
{
    return literalLines(fixedHeader("5"))
        + linePatterns({R"((?:"(?:[^"]|"")*"|[^,"\r\n]*))" + ("(?:," + kCount + "){6}")});
}

QString xml()
{
    QStringList counts;
    for (const char* name : {"YearsLeft", "MonthsLeft", "DaysLeft", "HoursLeft", "MinutesLeft", "SecondsLeft"})
        counts << literal(QStringLiteral("<%1>").arg(QLatin1String(name))) + kCount
                      + literal(QStringLiteral("</%1>").arg(QLatin1String(name)));
    return literalLines(fixedHeader("6"))
        + linePatterns(QStringList{literal("<EventCaption>") + "[^<>]*" + literal("</EventCaption>")} + counts)
        + fixedFooter("6");
}

const std::array<QRegularExpression, 6>& formatShapes()
{
    static const std::array<QRegularExpression, 6> shapes = [] {
        std::array<QRegularExpression, 6> built;
        const std::array<QString, 6> patterns{tablePage(), simplePage(), textLine(), quotedCsv(), plainCsv(), xml()};
        for (size_t i = 0; i < patterns.size(); ++i)
            built[i] = QRegularExpression(QRegularExpression::anchoredPattern(patterns[i]));
        return built;
    }();
    return shapes;
}

} // namespace

bool isExport(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.size() > kMaxExportBytes)
        return false;
    // One character a byte: the files are in a single-byte code page.
    const QString text = QString::fromLatin1(bytes);
    for (const QRegularExpression& shape : formatShapes()) {
        if (shape.match(text).hasMatch())
            return true;
    }
    return false;
}

} // namespace ExportShape
