#include "viewer/modVantrelViewer.h"

#include "countdown/ApplicationFolder.h"
#include "countdown/ModJoinsSkins.h"
#include "display/ProgramEnd.h"
#include "display/ProgramFolder.h"
#include "foundation/VbValues.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsStringUtilities.h"
#include "foundation/modColorDepth.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "viewer/frmCountdownViewer.h"
#include "viewer/frmOpenTemplate.h"
#include "viewer/frmStartupWizard.h"

#include <QCoreApplication>

#include <exception>

namespace modVantrelViewer {

ViewerContext& context() { return ViewerContext::current(); }
const QString& AppPath() { return context().appPath; }
QString& CurrentFile() { return context().currentFile; }
QString& OpenedFile() { return context().openedFile; }
QString& ViewerProgram() { return context().viewerProgram; }
int16_t& WindowResized() { return context().windowResized; }
QPointer<frmCountdownViewer>& ViewerWindow() { return context().viewerWindow; }

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kPackageExtension = QStringLiteral(".MVL");

void warnAboutColorDepth(clsStringUtilities& strings)
{
    const QString warningKey = QStringLiteral("ShowScreenWarning");
    if (modColorDepth::GetColorDepth() >= 32)
        return;
    if (strings.GetIniString(kMakerSection, warningKey, QStringLiteral("y")) != QLatin1String("y"))
        return;
    const QString prompt =
        QStringLiteral("Vantrel works best when your screen settings are set to 32 bit. Your current settings of ")
        + QString::number(modColorDepth::GetColorDepth())
        + QStringLiteral(" bit colors will reduce the quality of the Countdown photo.") + kCrLf + kCrLf
        + QStringLiteral("Would you like to see this message again? (Y or N)");
    const QString answer = platform::services().ui->inputBox(prompt, QStringLiteral("Warning."), QStringLiteral("Y"));
    if (answer.left(1).toLower() == QLatin1String("n"))
        strings.PutIniString(kMakerSection, warningKey, QStringLiteral("n"));
}

QString countdownsFolder()
{
    return AppPath() + QStringLiteral("\\Countdowns");
}

QString templatesFolder()
{
    return AppPath() + QStringLiteral("\\Templates");
}

// False when the work folder could not be made (reported already).
bool makeFolders(clsPSFileUtilities& files)
{
    files.CreateDirMaybe(countdownsFolder());
    files.CreateDirMaybe(templatesFolder());
    return ProgramFolder::makeWorkFolder();
}

QString folderOf(const QString& path)
{
    const qsizetype lastSeparator = path.lastIndexOf(QLatin1Char('\\'));
    return lastSeparator > 0 ? path.left(lastSeparator) : QString();
}

// A save or an unpack that was killed halfway leaves its temporary file or staging folder
// behind; the ones no running process still holds are removed before anything is opened.
void clearInterruptedSavesAndUnpacks(const QString& packagePath)
{
    ModJoinsSkins::RemoveInterruptedUnpacks(ProgramFolder::WorkFolder());
    QStringList folders{ProgramFolder::WorkFolder(), countdownsFolder(), templatesFolder()};
    const QString packageFolder = folderOf(packagePath);
    if (!packageFolder.isEmpty() && !folders.contains(packageFolder, Qt::CaseInsensitive))
        folders << packageFolder;
    for (const QString& folder : folders)
        platform::fs::removeInterruptedWrites(folder);
}

void runStartupWizard()
{
    if (const auto& seam = context().showStartupWizard)
        seam();
    else
        frmStartupWizard::ShowModal();
}

void showWindow()
{
    if (const auto& seam = context().showViewerWindow) {
        seam();
        return;
    }
    ViewerWindow() = new frmCountdownViewer;
    ViewerWindow()->Show();
}

// The program of a command line: the longest prefix ending before a blank (or the whole text)
// that names an existing file; when none does, the first word. The rest is split at blanks,
// one argument per word.
void splitCommandLine(const QString& commandLine, QString& program, QStringList& arguments)
{
    qsizetype programEnd = commandLine.indexOf(QLatin1Char(' '));
    if (programEnd < 0)
        programEnd = commandLine.size();
    for (qsizetype end = commandLine.size(); end > 0; end = commandLine.lastIndexOf(QLatin1Char(' '), end - 1)) {
        bool found = false;
        try {
            found = platform::fs::isFile(commandLine.left(end));
        } catch (const platform::VbError&) {
            // a prefix that is no valid path names no program
        }
        if (found) {
            programEnd = end;
            break;
        }
    }
    program = commandLine.left(programEnd);
    arguments = commandLine.mid(programEnd).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The package path of a non-empty command line, whole: every double quote goes when the text
// starts with one, and a relative path is taken against the folder the viewer was started in.
// It is made whole here, once, because it is stored for the screen saver and handed to
// launchers that run in the program folder, where a relative path would name another file.
QString withoutQuotes(const QString& commandLine)
{
    QString path = commandLine;
    if (path.startsWith(QLatin1Char('"')))
        path.remove(QLatin1Char('"'));
    return path;
}

QString commandLinePackagePath(const QString& commandLine)
{
    const QString path = withoutQuotes(commandLine);
    if (path.isEmpty() || platform::fs::isAbsoluteNative(path) || path.startsWith(QLatin1Char('\\')))
        return platform::fs::toInternal(path);
    // A path from the shell is native; the program's own paths use "\".
    return platform::fs::toInternal(platform::fs::absoluteNative(path));
}

// The command line's package as the shell gave it, for the one check that needs the native name.
QString commandLineNativePath(const QString& commandLine)
{
    const QString path = withoutQuotes(commandLine);
    return path.isEmpty() ? path : platform::fs::absoluteNative(path);
}

bool isHandledStyle(int16_t style)
{
    switch (style) {
    case 0: // hidden
    case 3: // maximised with focus
    case 2: // minimised with focus
    case 6: // minimised without focus
    case 1: // normal with focus
    case 4: // normal without focus
        return true;
    default:
        return false;
    }
}

void reportShellError(const QString& description)
{
    platform::services().ui->msgBox(QStringLiteral("Error Shelling file.") + kCrLf + description,
                                    platform::vbmsg::vbExclamation, QStringLiteral("Error"));
}

} // namespace

void Main(const QString& commandLine)
{
    clsStringUtilities strings;
    clsPSFileUtilities files;

    warnAboutColorDepth(strings);
    // A signal can end the program while the warning is open.
    if (ProgramEnd::isEnding())
        return;

    // Set once in the context, the folder is also the one the display's work folder and the
    // window-position files are built in.
    ViewerContext& viewer = context();
    viewer.appPath = viewer.programFolder ? viewer.programFolder() : countdownApplicationFolder();
    viewer.viewerProgram = platform::fs::toInternal(QCoreApplication::applicationFilePath());
    strings.PutIniString(kMakerSection, ProgramTexts::kAppPathKey, AppPath());

    // Without its work folder the viewer can neither open nor save a countdown.
    if (!makeFolders(files)) {
        ProgramEnd::End(1);
        return;
    }

    QString packagePath;
    if (!commandLine.isEmpty()) {
        // An existing file whose name the program cannot take is not a missing one: no new
        // countdown takes its place.
        if (const QString whyNot = platform::fs::whyNativePathCannotBeTaken(commandLineNativePath(commandLine));
            !whyNot.isEmpty()) {
            platform::services().ui->msgBox(whyNot, platform::vbmsg::vbExclamation);
            ProgramEnd::End(1);
            return;
        }
        packagePath = commandLinePackagePath(commandLine);
        clearInterruptedSavesAndUnpacks(packagePath);
    } else {
        packagePath = AppPath() + QStringLiteral("\\templates\\Default") + kPackageExtension;
        clearInterruptedSavesAndUnpacks(packagePath);
        CurrentFile() = packagePath;
        if (files.FileExists(packagePath)) {
            ModJoinsSkins::OpenCountdownPackage(packagePath, false, ProgramFolder::WorkFolder());
        } else {
            CurrentFile().clear();
            frmOpenTemplate::Form_Load();
            if (ProgramEnd::isEnding())
                return;
            OpenedFile() = CurrentFile();
            if (!CurrentFile().isEmpty() && files.FileExists(CurrentFile())) {
                platform::fs::removeInterruptedWrites(folderOf(CurrentFile()));
                ModJoinsSkins::OpenCountdownPackage(CurrentFile(), false, ProgramFolder::WorkFolder());
            } else {
                platform::services().ui->msgBox(ProgramTexts::kCannotLocateCountdown, platform::vbmsg::vbOKOnly);
                // The program cannot do its work: end with a failure status.
                ProgramEnd::End(1);
                return;
            }
        }
    }

    if (!packagePath.isEmpty() && files.FileExists(packagePath)) {
        OpenedFile() = packagePath;
        if (ShowStartupWizardSetting() == 0) {
            CurrentFile() = OpenedFile();
            runStartupWizard();
            if (ProgramEnd::isEnding())
                return;
        }
        ModJoinsSkins::OpenCountdownPackage(OpenedFile(), false, ProgramFolder::WorkFolder());
        CurrentFile() = OpenedFile();
    }

    showWindow();
}

int32_t ShellProgram(const QString& path, int16_t style)
{
    if (!isHandledStyle(style))
        return 0;
    try {
        QString program;
        QStringList arguments;
        splitCommandLine(path, program, arguments);
        return ShellProgram(program, arguments, style);
    } catch (const platform::VbError& error) {
        reportShellError(error.description);
    } catch (const std::exception& error) {
        reportShellError(QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

int32_t ShellProgram(const QString& program, const QStringList& arguments, int16_t style)
{
    if (!isHandledStyle(style))
        return 0;
    try {
        QString whyNot;
        if (platform::services().shell->startProgram(program, arguments, style, &whyNot))
            return 1; // the desktop reports no task number; any non-zero value means started
        reportShellError(whyNot);
    } catch (const platform::VbError& error) {
        reportShellError(error.description);
    } catch (const std::exception& error) {
        reportShellError(QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

int ShowStartupWizardSetting()
{
    const QString text = platform::services().settings->get(kViewerApplication, kOptionsSection,
                                                            kShowStartupWizardKey, QStringLiteral("1"));
    try {
        return vb::cint(text);
    } catch (const platform::VbError&) {
        return 1;
    }
}

} // namespace modVantrelViewer
