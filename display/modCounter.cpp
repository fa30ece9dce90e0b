#include "display/modCounter.h"

#include "countdown/clsCounter.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/ExportMedia.h"
#include "display/ExportPath.h"
#include "display/ExportTarget.h"
#include "display/FormControls.h"
#include "display/HiddenLabel.h"
#include "foundation/ErrorReport.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QGuiApplication>
#include <QSet>

namespace modCounter {

namespace {

int32_t rgbValue(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// A system colour becomes the colour the panel really paints for it.
int32_t shownColour(int32_t vbColor, const QPalette& palette)
{
    if (static_cast<uint32_t>(vbColor) & 0x80000000u)
        return rgbValue(resolveVbColor(vbColor, palette));
    return vbColor;
}

ExportWriter::PanelData panelData(const ElasticPanel& panel)
{
    ExportWriter::PanelData data;
    data.caption = panel.Caption();
    data.visible = panel.Visible();
    data.fontName = panel.FontName();
    data.fontBold = panel.FontBold();
    data.fontItalic = panel.FontItalic();
    data.foreColor = shownColour(panel.ForeColor(), panel.palette());
    data.backColor = shownColour(panel.BackColor(), panel.palette());
    return data;
}

ExportWriter::ExportInput formatOnly(clsCounter& counter)
{
    ExportWriter::ExportInput input;
    input.saveFormat = counter.SaveFormat();
    return input;
}

void writeLines(QIODevice& file, const QStringList& lines)
{
    platform::fs::writeBytes(file, ExportWriter::encodeLines(lines));
}

// A pattern in the path would make the file layer act on every matching file, and a package
// must not make the export replace a file of another kind.
void refuseUnfitPath(const QString& path, const QString& saveFormat)
{
    if (path.contains('*') || path.contains('?') || !ExportPath::fitsFormat(path, saveFormat))
        throw platform::VbError(platform::vberr::BadFileName);
}

// An export that has not changed since this run last wrote it is not written again (the
// screen saver exports every 10 ms).
void writeWhenChanged(const QString& path, const QByteArray& bytes)
{
    DisplayContext::WrittenFile& lastWritten = DisplayContext::current().lastWrittenExport;
    if (path == lastWritten.path && bytes == lastWritten.bytes && platform::fs::isFile(path))
        return;
    ExportTarget::refuseUnlessReplaceable(path);
    ExportTarget::write(path, bytes);
    lastWritten = {path, bytes};
}

// A path that was refused or failed is looked at again only after a second: the screen saver
// ticks every 10 ms, and examining a user's file on every tick costs a share of a core.
constexpr qint64 kRetryAfterMilliseconds = 1000;

bool waitingToRetry(const QString& path)
{
    const DisplayContext& context = DisplayContext::current();
    const DisplayContext::ExportRetry& retry = context.exportRetry;
    return retry.waiting && retry.path == path && context.steadyMilliseconds() < retry.notBefore;
}

void retryLater(const QString& path)
{
    DisplayContext& context = DisplayContext::current();
    context.exportRetry = {true, path, context.steadyMilliseconds() + kRetryAfterMilliseconds};
}

void reportOnce(const QString& path, const platform::VbError& error)
{
    const QString key = path + QChar(0) + QString::number(error.number) + QChar(0) + error.description;
    QSet<QString>& reported = DisplayContext::current().reportedExportFailures;
    if (reported.contains(key))
        return;
    reported.insert(key);
    platform::services().ui->msgBox(errorReportJoined(error), platform::vbmsg::vbOKOnly);
}

} // namespace

ExportWriter::ExportInput gatherExportInput(QObject& form, clsCounter& counter)
{
    ExportWriter::ExportInput input = formatOnly(counter);
    const QString picture = ExportMedia::presentFile(FormControls::label(form, "lblImageFileName")->Caption());
    if (!picture.isEmpty())
        input.picturePath = platform::fs::toNative(picture);
    const QString logoName = FormControls::label(form, "lblLogoImage")->Caption();
    if (!ExportMedia::presentFile(logoName).isEmpty())
        input.logoFileName = logoName;
    input.eventCaption = panelData(*FormControls::panel(form, "c1eEventCaption"));
    input.eventDate = panelData(*FormControls::panel(form, "c1eEventDate"));
    for (int i = 0; i < 6; ++i)
        input.boxes[i] = panelData(*FormControls::panel(form, "c1eIntervalsLeft", i + 1));
    input.unitsLeft = {counter.YearsLeft(), counter.MonthsLeft(), counter.DaysLeft(),
                       counter.HoursLeft(), counter.MinutesLeft(), counter.SecondsLeft()};
    return input;
}

void SaveCountdownToFile(clsCounter& counter, QObject& form)
{
    QString path;
    try {
        path = FormControls::label(form, "lblSaveToFileLocation")->Caption();
        if (!waitingToRetry(path)) {
            refuseUnfitPath(path, counter.SaveFormat());
            writeWhenChanged(path, ExportWriter::fileBytes(gatherExportInput(form, counter)));
            DisplayContext::current().exportRetry = {};
        }
    } catch (const platform::VbError& error) {
        retryLater(path);
        reportOnce(path, error);
    }
    platform::services().ui->setMousePointer(platform::vbcursor::vbDefault);
}

void WriteSaveFileHeader(QObject& form, QIODevice& file, clsCounter& counter)
{
    writeLines(file, ExportWriter::headerLines(gatherExportInput(form, counter)));
}

void WriteSaveFileBody(QObject& form, QIODevice& file, clsCounter& counter)
{
    writeLines(file, ExportWriter::bodyLines(gatherExportInput(form, counter)));
}

void WriteSaveFileFooter(QIODevice& file, clsCounter& counter)
{
    writeLines(file, ExportWriter::footerLines(formatOnly(counter)));
}

QString BuildTextLine(QObject& form, clsCounter& counter)
{
    return ExportWriter::textLine(gatherExportInput(form, counter));
}

QString ApplyFontTags(const QString& text, const ElasticPanel& panel)
{
    return ExportWriter::fontTags(text, panel.FontBold(), panel.FontItalic());
}

QString ColorToHtml(int32_t vbColor)
{
    return ExportWriter::htmlColour(shownColour(vbColor, QGuiApplication::palette()));
}

void resetReportedFailures()
{
    DisplayContext::current().reportedExportFailures.clear();
    DisplayContext::current().exportRetry = {};
}

void forgetWrittenExport()
{
    DisplayContext::current().lastWrittenExport = {};
    DisplayContext::current().exportRetry = {};
}

} // namespace modCounter
