#include "countdown/CountdownDataReader.h"

#include "countdown/CountdownDataFields.h"
#include "countdown/clsCountdown.h"
#include "foundation/ScrambledLineReader.h"
#include "foundation/clsStringUtilities.h"
#include "foundation/modDecryption.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QStringList>

namespace CountdownDataReader {

const QString kPlaceholderSiteName = QStringLiteral("Example Site");
const QString kPlaceholderSiteAddress = QStringLiteral("http://www.example.com/");

namespace {

const QString kRootOpen = QStringLiteral("<VazovuzAzodozaruVuzaz>");
const QString kRootClose = QStringLiteral("</VazovuzAzodozaruVuzaz>");
const QString kRecordOpen = QStringLiteral("<Countdown>");
const QString kRecordClose = QStringLiteral("</Countdown>");
const QString kCrLf = QStringLiteral("\r\n");

constexpr int kFormatMessageButtons = platform::vbmsg::vbOKOnly | platform::vbmsg::vbInformation;

class Reader {
public:
    Reader(const QByteArray& bytes, clsCountdown& countdown, const ShowMessage& show)
        : m_lines(bytes), m_countdown(countdown), m_show(show)
    {
    }

    void run()
    {
        QString line;
        trap([&] { line = m_lines.read(true); });
        if (line != kRootOpen) {
            showNotInFormat(m_countdown, m_show);
            return;
        }
        trap([&] { line = m_lines.read(true); });
        readRecords(line);
    }

private:
    // The line that ends the bytes is never looked at here: the end test comes first.
    void readRecords(QString& line)
    {
        while (!m_lines.atEnd()) {
            if (line == kRecordOpen) {
                applyRecord(collectRecord(line));
            } else if (line == kRootClose) {
                return;
            } else if (line == kRecordClose) {
                line = m_lines.read(false);
            } else {
                m_show(QStringLiteral("The Countdown is not in a format that can be processed.") + kCrLf
                           + QStringLiteral("Please report this incident to Vantrel International, LLC"),
                       kFormatMessageButtons);
                return;
            }
        }
    }

    // Leaves `line` at the line that ended the record.
    QStringList collectRecord(QString& line)
    {
        QStringList kept;
        while (line != kRecordClose) {
            if (m_lines.atEnd()) {
                m_show(QStringLiteral("The Event Countdown file is not in a format that can be processed.")
                           + kCrLf
                           + QStringLiteral("Please report this incident to Vantrel International, LCC"),
                       kFormatMessageButtons);
                break;
            }
            kept.append(line);
            line = m_lines.read(true);
        }
        return kept;
    }

    void applyRecord(const QStringList& lines)
    {
        m_countdown.setStatusBarURLVisible(false);
        m_countdown.setStatusBarURLCaption(kPlaceholderSiteName);
        m_countdown.setStatusBarURL(kPlaceholderSiteAddress);
        m_countdown.setCountdownId(0);
        for (const QString& line : lines)
            trap([&] { applyLine(line); });
    }

    void applyLine(const QString& line)
    {
        const CountdownDataFields::Field* field =
            CountdownDataFields::fieldForOpeningTag(modDecryption::TagOfLine(line));
        if (!field)
            return;
        field->read(m_countdown, m_strings.StripXML(field->tag, line));
    }

    template <class Step>
    void trap(Step step)
    {
        trapFailure(m_show, step);
    }

    ScrambledLineReader m_lines;
    clsCountdown& m_countdown;
    const ShowMessage& m_show;
    clsStringUtilities m_strings;
};

} // namespace

void read(const QByteArray& bytes, clsCountdown& countdown, const ShowMessage& show)
{
    Reader(bytes, countdown, show).run();
}

void showNotInFormat(const clsCountdown& countdown, const ShowMessage& show)
{
    show(QStringLiteral("The Countdown") + kCrLf + countdown.CountdownFileName()
             + QStringLiteral(" is not in a format that can be processed.") + kCrLf
             + QStringLiteral("Please report this incident to Vantrel International, LLC"),
         kFormatMessageButtons);
}

} // namespace CountdownDataReader
