#include "foundation/clsFormDb.h"

#include "foundation/ErrorReport.h"
#include "foundation/ScrambledLineReader.h"
#include "foundation/ScreenMetrics.h"
#include "foundation/VbValues.h"
#include "foundation/clsForm.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsStringUtilities.h"
#include "foundation/modDecryption.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QStringList>

#include <functional>

namespace {

FormFileMessage errorMessage(const platform::VbError& error)
{
    return {errorReportLf(error), platform::vbmsg::vbOKOnly};
}

void show(const QVector<FormFileMessage>& messages)
{
    for (const FormFileMessage& message : messages)
        platform::services().ui->msgBox(message.text, message.buttons);
}

} // namespace

namespace FormFile {

const QString kRootTag = QStringLiteral("<VazovuzAzodozaruVuzaz>");
const QString kFormatMessage = QStringLiteral(
    "The Form file is not in a format that can be processed.\r\n"
    "Please report this incident to Vantrel Dederuvevur, LLC");

namespace {

using Messages = QVector<FormFileMessage>;

void addFormatMessage(Messages& messages)
{
    messages.append({kFormatMessage, platform::vbmsg::vbInformation});
}

// Runs one step; a run-time error is reported and the reading or writing goes on.
void trapped(Messages& messages, const std::function<void()>& step)
{
    try {
        step();
    } catch (const platform::VbError& error) {
        messages.append(errorMessage(error));
    }
}

// A failed read leaves the line as it was.
void readLineInto(ScrambledLineReader& reader, QString& line, Messages& messages)
{
    trapped(messages, [&] { line = reader.read(); });
}

void applyCollection(const QStringList& collection, clsForm& record, Messages& messages)
{
    using Setter = void (clsForm::*)(int32_t);
    static const QVector<std::pair<QString, Setter>> numberTags = {
        {QStringLiteral("Top"), &clsForm::setTop},     {QStringLiteral("Height"), &clsForm::setHeight},
        {QStringLiteral("Width"), &clsForm::setWidth}, {QStringLiteral("Left"), &clsForm::setLeft},
        {QStringLiteral("State"), &clsForm::setState},
    };
    clsStringUtilities strings;
    for (qsizetype i = 1; i < collection.size(); ++i) {
        const QString& line = collection.at(i);
        const QString tag = modDecryption::TagOfLine(line);
        trapped(messages, [&] {
            if (tag == QLatin1String("<Name>")) {
                record.setName(strings.StripXML(QStringLiteral("Name"), line));
            } else if (tag == QLatin1String("<LeftOpen>")) {
                record.setLeftOpen(vb::cbool(strings.StripXML(QStringLiteral("LeftOpen"), line)));
            } else {
                for (const auto& [name, setter] : numberTags) {
                    if (tag == QLatin1Char('<') + name + QLatin1Char('>')) {
                        (record.*setter)(vb::cint(strings.StripXML(name, line)));
                        break;
                    }
                }
            }
        });
    }
}

QString tagged(const QString& tag, const QString& value)
{
    return QLatin1Char('<') + tag + QLatin1Char('>') + value + QStringLiteral("</") + tag + QLatin1Char('>');
}

} // namespace

QByteArray write(const clsForm& record)
{
    const QStringList lines = {
        kRootTag,
        QStringLiteral("<Form>"),
        tagged(QStringLiteral("Name"), record.Name()),
        tagged(QStringLiteral("Top"), QString::number(record.Top())),
        tagged(QStringLiteral("Height"), QString::number(record.Height())),
        tagged(QStringLiteral("Width"), QString::number(record.Width())),
        tagged(QStringLiteral("Left"), QString::number(record.Left())),
        tagged(QStringLiteral("State"), QString::number(record.State())),
        tagged(QStringLiteral("LeftOpen"), vb::boolText(record.LeftOpen())),
        QStringLiteral("</Form>"),
        QStringLiteral("</VazovuzAzodozaruVuzaz>"),
    };
    QByteArray file;
    for (const QString& line : lines) {
        QByteArray bytes = platform::toCp1252(line);
        file += modDecryption::ScrambleLine(bytes);
        file += "\r\n";
    }
    return file;
}

int16_t read(const QByteArray& bytes, clsForm& record, Messages& messages)
{
    ScrambledLineReader reader(bytes);
    QString line;
    readLineInto(reader, line, messages);
    if (line != kRootTag) {
        addFormatMessage(messages);
        return 0;
    }
    readLineInto(reader, line, messages);
    for (;;) {
        if (reader.atEnd())
            return -1;
        if (line == QLatin1String("<Form>")) {
            // The opening line goes in twice; the closing line, and the last line of a file
            // that ends before it, are never collected.
            QStringList collection{line};
            while (line != QLatin1String("</Form>")) {
                if (reader.atEnd()) {
                    addFormatMessage(messages);
                    break;
                }
                collection.append(line);
                readLineInto(reader, line, messages);
            }
            applyCollection(collection, record, messages);
        } else if (line == QLatin1String("</Form>")) {
            readLineInto(reader, line, messages);
        } else {
            addFormatMessage(messages);
            return -1;
        }
    }
}

void applyDefaults(clsForm& record, Messages& messages)
{
    record.setName(QString());
    record.setTop(0);
    trapped(messages, [] { modForm::MeasureScreenMetrics(); });
    const float ratio = static_cast<float>(modForm::ScreenWidthPixels / 800.0);
    trapped(messages, [&] {
        if (ratio == 0)
            throw platform::VbError(platform::vberr::DivisionByZero);
        const float widthAtRatio = static_cast<float>(platform::services().screen->widthTwips()) / ratio;
        record.setWidth(clsForm::roundedTwips(widthAtRatio * 0.85));
    });
    trapped(messages, [&] { record.setHeight(clsForm::roundedTwips(record.Width() * 0.7)); });
    record.setLeft(0);
    record.setState(0);
    record.setLeftOpen(false);
}

} // namespace FormFile

QString clsFormDb::DatabaseLocation() const { return m_databaseLocation; }
void clsFormDb::setDatabaseLocation(const QString& location) { m_databaseLocation = location; }

int16_t clsFormDb::Find_Form(clsForm& record)
{
    QVector<FormFileMessage> messages;
    int16_t found = 0;
    clsPSFileUtilities files;
    if (record.FormFileName().isEmpty() || !files.FileExists(record.FormFileName())) {
        FormFile::applyDefaults(record, messages);
    } else {
        try {
            found = FormFile::read(platform::fs::readAll(record.FormFileName()), record, messages);
        } catch (const platform::VbError& error) {
            messages.append(errorMessage(error));
        }
    }
    show(messages);
    return found;
}

void clsFormDb::DeleteForm(clsForm& record)
{
    clsPSFileUtilities files;
    files.psKill(record.FormFileName());
}

int32_t clsFormDb::CreateNewForm(clsForm& record)
{
    return WriteForm(record);
}

// Replaced whole or not at all, so a failed save keeps the previous placement.
int32_t clsFormDb::WriteForm(clsForm& record)
{
    try {
        platform::fs::writeAtomic(record.FormFileName(), FormFile::write(record));
    } catch (const platform::VbError& error) {
        show({errorMessage(error)});
    }
    return -1;
}
