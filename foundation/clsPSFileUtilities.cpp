#include "foundation/clsPSFileUtilities.h"

#include "foundation/DelimitedFields.h"
#include "foundation/ErrorReport.h"
#include "foundation/VbValues.h"
#include "foundation/modMedia.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QRegularExpression>

#include <algorithm>

namespace fs = platform::fs;
using platform::VbError;
namespace vberr = platform::vberr;
using namespace platform::vbmsg;

namespace {

constexpr qint64 kLargestTextFile = 65000;
const QString kCrLf = QStringLiteral("\r\n");
const QString kTooLarge = QStringLiteral("The file is too large to open.");
const QString kPleaseInform = QStringLiteral("Please inform Vantrel Dederuvevur, LLC of this error.");

int msgBox(const QString& prompt, int buttons = vbOKOnly)
{
    return platform::services().ui->msgBox(prompt, buttons);
}

// Runs one step; an error is shown by `report` and the caller goes on with its next step.
template <typename Step, typename Report>
void passOver(Step step, Report report)
{
    try {
        step();
    } catch (const VbError& error) {
        report(error);
    }
}

template <typename Step>
void passOverSilently(Step step)
{
    passOver(step, [](const VbError&) {});
}

// A web or mail address stays as it is in a message; a file path is shown in native form.
QString shownAddress(const QString& fileOrUrl)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(fileOrUrl).hasMatch() ? fileOrUrl : fs::toNative(fileOrUrl);
}

// Hands a file or address to the desktop; a failure names the address and the reason.
void openWithShell(const QString& fileOrUrl)
{
    QString whyNot;
    if (platform::services().shell->openDocument(fileOrUrl, &whyNot))
        return;
    QString message = QStringLiteral("Could not open \"%1\".").arg(shownAddress(fileOrUrl));
    if (!whyNot.isEmpty())
        message += QLatin1Char(' ') + whyNot;
    msgBox(message, vbInformation);
}

// The existence searches take "*" and "?" as patterns, a copy or a delete does not: a name that
// is no file name is reported once, before a destination is deleted for a copy that cannot be.
bool areFileNames(const QString& source, const QString& destination)
{
    bool named = false;
    passOver(
        [&] {
            fs::exists(source);
            fs::exists(destination);
            named = true;
        },
        [](const VbError& error) { msgBox(errorReport(error)); });
    return named;
}

} // namespace

const QString clsPSFileUtilities::kMp3Alias = QStringLiteral("MP3_Device1");
const QString clsPSFileUtilities::kVideoAlias = QStringLiteral("video");

QString clsPSFileUtilities::PellowFileName() const
{
    return m_pellowFileName;
}

void clsPSFileUtilities::setPellowFileName(const QString& path)
{
    m_pellowFileName = path;
}

bool clsPSFileUtilities::FileExists(const QString& path)
{
    m_pellowFileName = path;
    return bFileExist(path);
}

bool clsPSFileUtilities::DirExists(const QString& path)
{
    m_pellowFileName = path;
    return bDirExist(path);
}

bool clsPSFileUtilities::HiddenDirExists(const QString& path)
{
    m_pellowFileName = path;
    return bHiddenDirExist(path);
}

void clsPSFileUtilities::psKill(const QString& path)
{
    m_pellowFileName = path;
    try {
        if (bFileExist(path))
            fs::removeFile(path);
    } catch (const VbError& error) {
        // A file held open by playback cannot go; closing the video device releases it.
        if (error.number == vberr::PermissionDenied || error.number == vberr::PathFileAccess)
            modMedia::CloseMediaFile();
        else
            msgBox(errorReport(error) + kCrLf + fs::toNative(path));
    }
}

void clsPSFileUtilities::MakeDir()
{
    if (!bFileExist(m_pellowFileName))
        fs::makeDir(m_pellowFileName);
}

void clsPSFileUtilities::CreateDirMaybe(const QString& path)
{
    m_pellowFileName = path;
    passOver(
        [&] {
            if (!bDirExist(path))
                fs::makeDir(path);
        },
        [](const VbError& error) {
            // A path/file access error: the folder exists but is hidden, so the search above did
            // not see it.
            if (error.number != vberr::PathFileAccess)
                msgBox(errorReportJoined(error));
        });
}

void clsPSFileUtilities::psFileCopy(const QString& destination)
{
    if (destination == m_pellowFileName)
        return;
    const auto report = [](const VbError& error) { msgBox(errorReport(error)); };
    // Without a source there is nothing to copy, and the destination must not be lost for it.
    bool sourceFound = false;
    passOver([&] { sourceFound = bFileExist(m_pellowFileName); }, report);
    if (!sourceFound)
        return;
    if (!areFileNames(m_pellowFileName, destination))
        return;
    // Another spelling of the source (case, "/" for "\"): deleting the destination would
    // delete the only copy. A name that cannot be resolved is reported by the steps below.
    bool sameFile = false;
    passOverSilently([&] { sameFile = fs::resolve(destination) == fs::resolve(m_pellowFileName); });
    if (sameFile)
        return;
    passOver(
        [&] {
            if (bFileExist(destination))
                fs::removeFile(destination);
        },
        report);
    passOver([&] { fs::copyFile(m_pellowFileName, destination); }, report);
}

QString clsPSFileUtilities::StripDirectory(const QString& path)
{
    m_pellowFileName = path;
    const qsizetype separator = path.lastIndexOf(u'\\');
    return separator < 0 ? path : path.mid(separator + 1);
}

QString clsPSFileUtilities::StripFileName(const QString& path)
{
    QString result;
    const qsizetype separator = path.lastIndexOf(u'\\');
    if (separator >= 0) {
        result = path.left(separator);
    } else {
        // Without a folder the first dot counts, so a.b.c gives b.c.
        const qsizetype dot = path.indexOf(u'.');
        result = dot < 0 ? QString() : path.mid(dot + 1);
    }
    m_pellowFileName = result;
    return result;
}

QString clsPSFileUtilities::StripExtension(const QString& name)
{
    m_pellowFileName = name;
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.left(dot);
}

QString clsPSFileUtilities::sFileOpenProc(const QString& path)
{
    if (!FileExists(path))
        return {};
    QString text;
    qint64 length = 0;
    passOverSilently([&] { length = fs::fileLength(path); });
    if (length > kLargestTextFile) {
        msgBox(kTooLarge, vbInformation);
        return {};
    }
    passOverSilently([&] { text = platform::fromCp1252(fs::readAll(path)); });
    return text;
}

void clsPSFileUtilities::SaveFileAs(const QString& path, const QString& text)
{
    m_pellowFileName = path;
    platform::Ui& ui = *platform::services().ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    passOverSilently([&] { fs::writeAtomic(path, platform::toCp1252(vb::trim(text) + kCrLf)); });
    ui.setMousePointer(platform::vbcursor::vbDefault);
}

void clsPSFileUtilities::SaveFileAsArray(const QString& path, const QStringList& lines)
{
    m_pellowFileName = path;
    platform::Ui& ui = *platform::services().ui;
    ui.setMousePointer(platform::vbcursor::vbHourglass);
    QString text;
    for (const QString& line : lines)
        text += line + kCrLf;
    passOverSilently([&] { fs::writeAtomic(path, platform::toCp1252(text)); });
    ui.setMousePointer(platform::vbcursor::vbDefault);
}

namespace {

// The fields of a text file for the two readers: none when the file is missing or too large.
QStringList readFieldsOfTextFile(clsPSFileUtilities& utilities, const QString& path)
{
    if (!utilities.FileExists(path))
        return {};
    const auto report = [](const VbError& error) {
        msgBox(errorReport(error) + kCrLf + kPleaseInform);
    };
    qint64 length = 0;
    passOver([&] { length = fs::fileLength(path); }, report);
    if (length > kLargestTextFile) {
        msgBox(kTooLarge, vbInformation);
        return {};
    }
    QStringList fields;
    passOver([&] { fields = readDelimitedFields(fs::readAll(path)); }, report);
    return fields;
}

} // namespace

QString clsPSFileUtilities::ReadTextFile(const QString& path)
{
    return readFieldsOfTextFile(*this, path).join(kCrLf);
}

QString clsPSFileUtilities::ReadTextFileArray(const QString& path, QStringList& fields)
{
    const QString firstElement = fields.isEmpty() ? QString() : fields.front();
    const QStringList read = readFieldsOfTextFile(*this, path);
    fields = read.isEmpty() ? QStringList{firstElement} : read;
    return {};
}

QString clsPSFileUtilities::sGetNextDirLevel(const QString& folderPath, int16_t levelCount)
{
    m_pellowFileName = folderPath;
    if (levelCount < 0) {
        msgBox(QStringLiteral("5 Invalid procedure call or argument"));
        return {};
    }
    qsizetype separator = -1;
    for (int level = 0; level <= levelCount; ++level) {
        separator = folderPath.indexOf(u'\\', separator + 1);
        if (separator < 0)
            return folderPath;
    }
    return folderPath.left(separator);
}

void clsPSFileUtilities::AddDirSep(QString& path)
{
    m_pellowFileName = path;
    while (path.endsWith(u' '))
        path.chop(1);
    if (!path.endsWith(u'/') && !path.endsWith(u'\\'))
        path += u'\\';
}

QString clsPSFileUtilities::GetWindowsDir()
{
    // There is no Windows folder on this platform: the answer is the empty text.
    m_pellowFileName.clear();
    return m_pellowFileName;
}

QString clsPSFileUtilities::RemoveNulls(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

void clsPSFileUtilities::InternetOpen(const QString& fileOrUrl, quintptr /*ownerWindow*/)
{
    m_pellowFileName = fileOrUrl;
    openWithShell(fileOrUrl);
}

// The path-part getters work on a copy, so reading one never changes what the others see.
QString clsPSFileUtilities::DirectoryName()
{
    QString folder;
    QString name;
    SeparatePathAndFileName(m_pellowFileName, folder, name);
    return folder;
}

QString clsPSFileUtilities::Extension()
{
    clsPSFileUtilities scratch;
    return scratch.StripFileName(scratch.StripDirectory(m_pellowFileName));
}

QString clsPSFileUtilities::Filename()
{
    QString folder;
    QString name;
    SeparatePathAndFileName(m_pellowFileName, folder, name);
    clsPSFileUtilities scratch;
    return scratch.StripExtension(name);
}

QString clsPSFileUtilities::FileTitle()
{
    clsPSFileUtilities scratch;
    return scratch.StripExtension(scratch.StripDirectory(m_pellowFileName));
}

void clsPSFileUtilities::SeparatePathAndFileName(const QString& fullPath, QString& folder, QString& name)
{
    const qsizetype separator = std::max(fullPath.lastIndexOf(u'\\'), fullPath.lastIndexOf(u'/'));
    const qsizetype colon = fullPath.lastIndexOf(u':');
    if (separator < 0 && colon < 0) {
        folder = fs::currentFolder();
        name = fullPath;
    } else if (colon > separator) {
        folder = fullPath.left(colon + 1);
        name = fullPath.mid(colon + 1);
    } else {
        folder = fullPath.left(separator);
        name = fullPath.mid(separator + 1);
    }
}

bool clsPSFileUtilities::bFileExist(const QString& path)
{
    return bPathExists(path, false);
}

bool clsPSFileUtilities::bPathExists(const QString& path, bool folder)
{
    if (path.isEmpty())
        return false;
    try {
        return !fs::dir(path, folder ? fs::attr::Directory : fs::attr::Normal).isEmpty();
    } catch (const VbError& error) {
        if (error.number != vberr::BadFileName)
            msgBox(errorReport(error));
        return false;
    }
}

bool clsPSFileUtilities::bDirExist(const QString& path)
{
    return bPathExists(path, true);
}

bool clsPSFileUtilities::bHiddenDirExist(const QString& path)
{
    // An empty pattern would list the current folder and so "find" any file in it.
    if (path.isEmpty())
        return false;
    return !fs::dir(path, fs::attr::Hidden).isEmpty();
}
