#include "countdown/ModJoinsSkins.h"

#include "countdown/BareFileName.h"
#include "countdown/MemberFile.h"
#include "countdown/OpenedPackage.h"
#include "countdown/OpenedMedia.h"
#include "countdown/PackageHeader.h"
#include "countdown/PackageProgress.h"
#include "countdown/PackageReader.h"
#include "countdown/PackageWriter.h"
#include "foundation/ErrorReport.h"
#include "foundation/clsPSFileUtilities.h"
#include "platform/ContentDigest.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/HeldFolder.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace ModJoinsSkins {

namespace {

using platform::VbError;
using platform::fs::HeldFolder;
namespace vbmsg = platform::vbmsg;
namespace vbcursor = platform::vbcursor;

const QString kCrLf = QStringLiteral("\r\n");

platform::Ui& ui()
{
    return *platform::services().ui;
}

void showError(const VbError& error, const QString& addedLine = {})
{
    QString text = errorReport(error);
    if (!addedLine.isEmpty())
        text += kCrLf + addedLine;
    ui().msgBox(text, vbmsg::vbOKOnly);
}

QString memberPath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('\\') + name;
}

// ---- writing ----------------------------------------------------------------------------

// The progress window, when the program has one.
class ProgressSteps {
public:
    ProgressSteps() : m_progress(makePackageProgress())
    {
        if (!m_progress)
            return;
        m_progress->showProgress();
        m_progress->setPercent(1);
        m_progress->setCaption(QStringLiteral("Saving Countdown..."));
    }
    ~ProgressSteps()
    {
        if (m_progress)
            m_progress->closeProgress();
    }
    void reach(int percent)
    {
        if (m_progress)
            m_progress->setPercent(percent);
    }

private:
    std::unique_ptr<PackageProgress> m_progress;
};

// A member to pack: from the work folder's file of its name, or, for a medium this process
// placed there when it opened the package, from the bytes it kept of it.
struct PackedMember {
    package::MemberEntry entry;
    std::optional<package::KeptBytes> kept;
};

PackedMember fromWorkFolder(clsPSFileUtilities& files, const QString& workFolder, const QString& name)
{
    PackedMember member{{name, 0}, std::nullopt};
    if (!name.isEmpty() && files.FileExists(memberPath(workFolder, name)))
        member.entry.byteCount = platform::fs::fileLength(memberPath(workFolder, name));
    return member;
}

PackedMember mediumToPack(clsPSFileUtilities& files, const QString& workFolder, const QString& name)
{
    if (name.isEmpty())
        return fromWorkFolder(files, workFolder, name);
    std::optional<package::KeptBytes> kept = package::OpenedMedia::bytesOf(platform::fs::resolve(workFolder), name);
    if (!kept)
        return fromWorkFolder(files, workFolder, name);
    return {{name, kept->count}, std::move(kept)};
}

// A read-only package (a provided template) is "not allowed to be updated", as opening it for
// writing would say; an atomic replace alone would silently put a new file in its place.
struct ReadOnlyPackage : VbError {
    ReadOnlyPackage() : VbError(platform::vberr::PathFileAccess) {}
};

void refuseReadOnlyPackage(const QString& packagePath)
{
    if (platform::fs::isFile(packagePath)
        && (platform::fs::attributes(packagePath) & platform::fs::attr::ReadOnly))
        throw ReadOnlyPackage();
}

// The one message of a save that did not happen: why, and which package was not written.
void reportNotSaved(const QString& packagePath, const VbError& error, bool readOnlyPackage)
{
    QString text = errorReport(error);
    if (readOnlyPackage)
        text += kCrLf + QStringLiteral("You are not allowed to update provided Templates");
    text += kCrLf + QStringLiteral("The countdown was not saved in %1.").arg(platform::fs::toNative(packagePath));
    ui().msgBox(text, vbmsg::vbOKOnly);
}

void appendMember(QIODevice& out, const QString& workFolder, const PackedMember& member)
{
    package::writeText(out, member.entry.name);
    if (!member.kept) {
        AppendFileToPackage(out, memberPath(workFolder, member.entry.name),
                            package::countField(member.entry.byteCount, package::kFieldWidth));
        return;
    }
    if (member.kept->count == 0)
        return;
    if (!member.kept->file->seek(member.kept->offset))
        throw VbError(platform::vberr::InputPastEnd);
    platform::fs::copyBytes(*member.kept->file, out, member.kept->count);
}

void writePackage(const QString& packagePath, const QString& title, const package::PackageHeader& header,
                  const PackedMember (&members)[4], const QString& workFolder, ProgressSteps& progress)
{
    refuseReadOnlyPackage(packagePath);
    auto out = platform::fs::openAtomic(packagePath, platform::fs::LinkPolicy::FollowUsersLink);
    platform::fs::writeBytes(*out, package::formatHeader(header));
    package::writeText(*out, title);
    appendMember(*out, workFolder, members[0]);
    progress.reach(20);
    const int reached[] = {40, 60, 80};
    for (int media = 1; media <= 3; ++media) {
        if (!members[media].entry.name.isEmpty())
            appendMember(*out, workFolder, members[media]);
        progress.reach(reached[media - 1]);
    }
    platform::fs::commitAtomic(*out);
}

// ---- reading ----------------------------------------------------------------------------

enum class Placement { Always, MediaRule };

struct Unpacked {
    QString name;
    const package::PackageMember* member;
    Placement placement;
};

QString nameTheWindowReads(const QString& packagePath)
{
    clsPSFileUtilities files;
    files.setPellowFileName(packagePath);
    return files.Filename() + QStringLiteral(".MVK");
}

// Placing the members one after another leaves, for each name, the last member of that name:
// a later one replaces an earlier one. Names that differ only in letter case are members of
// their own, each placed under exactly its name, so none takes another's bytes. Keeping only
// the last member of a name also means no two staged files share a name.
std::vector<Unpacked> lastOfEachName(const std::vector<Unpacked>& items)
{
    std::vector<Unpacked> kept;
    for (size_t i = 0; i < items.size(); ++i) {
        const auto sameName = [&](const Unpacked& later) { return later.name == items[i].name; };
        if (std::none_of(items.begin() + static_cast<std::ptrdiff_t>(i) + 1, items.end(), sameName))
            kept.push_back(items[i]);
    }
    return kept;
}

std::vector<Unpacked> membersToUnpack(const package::PackageContents& contents, const QString& packagePath)
{
    std::vector<Unpacked> list{{contents.data.name, &contents.data, Placement::Always}};
    const QString windowName = nameTheWindowReads(packagePath);
    if (isBareFileName(windowName) && windowName.compare(contents.data.name, Qt::CaseInsensitive) != 0)
        list.push_back({windowName, &contents.data, Placement::Always});
    for (const auto* media : {&contents.picture, &contents.sound, &contents.logo}) {
        if (*media)
            list.push_back({(*media)->name, &**media, Placement::MediaRule});
    }
    return lastOfEachName(list);
}

// The media rule: a work-folder file that already holds exactly the member's bytes stays.
// Comparing lengths alone would keep another package's picture or sound of the same size in
// place of this package's own, so the bytes themselves are compared.
bool alreadyInPlace(const Unpacked& item, const QString& workFolder, package::OpenedMedia& opened)
{
    clsPSFileUtilities files;
    const QString exactTarget = platform::fs::resolve(workFolder) + QLatin1Char('/') + item.name;
    if (item.placement != Placement::MediaRule || !platform::fs::nativeEntryExists(exactTarget)
        || !files.FileExists(memberPath(workFolder, item.name)))
        return false;
    return opened.keepIfSame(item.name, *item.member, exactTarget);
}

QString stagedPath(const HeldFolder& staging, const Unpacked& item)
{
    return staging.nativePath() + QLatin1Char('/') + item.name;
}

const QString kStagingPrefix = QStringLiteral(".unpacking-");

std::unique_ptr<HeldFolder> makeStagingFolder(const QString& workFolder)
{
    return std::make_unique<HeldFolder>(platform::fs::resolve(workFolder), kStagingPrefix);
}

bool isUnpackedName(const std::vector<Unpacked>& items, const QString& name)
{
    return std::any_of(items.begin(), items.end(), [&name](const Unpacked& item) { return item.name == name; });
}

// A member goes in under exactly its name. A work-folder file whose name differs from it only
// in letter case would be found in its place by a lookup without case, so it goes too, unless
// it is another member of this package.
void moveIntoWorkFolder(const Unpacked& item, const HeldFolder& staging, const QString& workFolder,
                        const std::vector<Unpacked>& items)
{
    clsPSFileUtilities files;
    const QString workNative = platform::fs::resolve(workFolder);
    for (const QString& alike : platform::fs::namesAlike(workNative, item.name)) {
        if (alike != item.name && !isUnpackedName(items, alike))
            files.psKill(memberPath(workFolder, alike));
    }
    platform::fs::renameExactly(stagedPath(staging, item), workNative + QLatin1Char('/') + item.name);
}

void pointerBetweenSteps()
{
    ui().setMousePointer(vbcursor::vbDefault);
    ui().setMousePointer(vbcursor::vbHourglass);
}

void keepMediumInPackage(const std::vector<Unpacked>& items, package::OpenedMedia& opened)
{
    for (const Unpacked& item : items) {
        if (item.placement == Placement::MediaRule)
            opened.keepInPackage(item.name, *item.member);
    }
}

// Every member is first written to a staging folder beside the work folder's files (same file
// system, so moving it in is a rename), then moved in; a member that could not be staged
// leaves its work-folder file as it was. The media placed are recorded in `opened`; one that
// could not be placed is recorded as the member in the package. True when the data file
// reached the work folder under each of its names.
bool unpack(QIODevice& package, const std::vector<Unpacked>& items, const QString& workFolder,
            package::OpenedMedia& opened)
{
    const std::unique_ptr<HeldFolder> staging = makeStagingFolder(workFolder);
    if (!staging->isValid()) {
        keepMediumInPackage(items, opened);
        showError(VbError(platform::vberr::PathNotFound));
        return false;
    }
    std::vector<const Unpacked*> staged;
    bool dataFilePlaced = true;
    for (const Unpacked& item : items) {
        bool placed = false;
        try {
            placed = alreadyInPlace(item, workFolder, opened);
            if (!placed) {
                package::writeMemberFile(package, *item.member, stagedPath(*staging, item));
                staged.push_back(&item);
                placed = true;
                if (item.placement == Placement::MediaRule)
                    opened.keepPlaced(item.name, *item.member, stagedPath(*staging, item));
            }
        } catch (const VbError& error) {
            showError(error);
        }
        if (!placed && item.placement == Placement::MediaRule)
            opened.keepInPackage(item.name, *item.member);
        if (!placed && item.placement == Placement::Always)
            dataFilePlaced = false;
        pointerBetweenSteps();
    }
    for (const Unpacked* item : staged) {
        try {
            moveIntoWorkFolder(*item, *staging, workFolder, items);
        } catch (const VbError& error) {
            showError(error);
            if (item->placement == Placement::Always)
                dataFilePlaced = false;
        }
    }
    return dataFilePlaced;
}

class HourglassWhileReading {
public:
    HourglassWhileReading() { ui().setMousePointer(vbcursor::vbHourglass); }
    ~HourglassWhileReading() { ui().setMousePointer(vbcursor::vbDefault); }
};

} // namespace

// A picture, sound or logo named like the data file the countdown windows read would be read
// as the countdown in its place, and the next save would pack it as one.
QString whyAMemberTakesTheDataFilesPlace(const package::PackageContents& contents, const QString& packagePath)
{
    const QString windowName = nameTheWindowReads(packagePath);
    const std::pair<const std::optional<package::PackageMember>*, const char*> media[] = {
        {&contents.picture, "picture"}, {&contents.sound, "sound"}, {&contents.logo, "logo"}};
    for (const auto& [member, what] : media) {
        if (*member && (*member)->name.compare(windowName, Qt::CaseInsensitive) == 0)
            return QStringLiteral("its %1 is named %2, the name of the countdown's data file")
                .arg(QLatin1String(what), (*member)->name);
    }
    return {};
}

bool SaveCountdownPackage(const QString& packagePath, const QString& reserved1, const QString& reserved2,
                          const QString& reserved3, const QString& dataFileName, const QString& pictureFileName,
                          const QString& soundFileName, const QString& logoFileName, const QString& workFolder)
{
    if (dataFileName.isEmpty())
        return true;
    // The message waits until the progress window has gone, so nothing stands over it.
    std::optional<VbError> failure;
    bool readOnlyPackage = false;
    {
        ProgressSteps progress;
        try {
            clsPSFileUtilities files;
            files.setPellowFileName(dataFileName);
            const QString title = files.FileTitle();
            const PackedMember members[4] = {fromWorkFolder(files, workFolder, dataFileName),
                                             mediumToPack(files, workFolder, pictureFileName),
                                             mediumToPack(files, workFolder, soundFileName),
                                             mediumToPack(files, workFolder, logoFileName)};
            const package::PackageHeader header =
                package::headerFor(reserved1, reserved2, reserved3, title, members[0].entry, members[1].entry,
                                   members[2].entry, members[3].entry);
            progress.reach(10);
            writePackage(packagePath, title, header, members, workFolder, progress);
            progress.reach(100);
        } catch (const ReadOnlyPackage& error) {
            failure = error;
            readOnlyPackage = true;
        } catch (const VbError& error) {
            failure = error;
        }
    }
    if (!failure)
        return true;
    reportNotSaved(packagePath, *failure, readOnlyPackage);
    return false;
}

bool OpenCountdownPackage(const QString& packagePath, bool pictureOnly, const QString& workFolder)
{
    HourglassWhileReading hourglass;
    // Whatever opened before, the countdown windows now show this package or none.
    OpenedPackage::forget();
    clsPSFileUtilities files;
    if (!files.FileExists(packagePath)) {
        ui().msgBox(QStringLiteral("Warning. Countdown Clock file requested either has moved or has been deleted "
                                   "or the information is unreadable."),
                    vbmsg::vbInformation);
        return false;
    }
    std::shared_ptr<QFile> packageFile;
    QByteArray digest;
    try {
        packageFile = platform::fs::openForRead(packagePath);
        // Taken before the members are read: a change after this point is one a save notices.
        digest = platform::fs::contentDigest(*packageFile);
    } catch (const VbError& error) {
        showError(error);
        return true;
    }
    QString whyNot;
    const std::optional<package::PackageContents> contents = package::readPackageContents(*packageFile, pictureOnly, &whyNot);
    if (contents)
        whyNot = whyAMemberTakesTheDataFilesPlace(*contents, packagePath);
    if (!contents || !whyNot.isEmpty()) {
        ui().msgBox(QStringLiteral("The countdown package %1 cannot be opened: %2. Nothing was unpacked.")
                        .arg(platform::fs::toNative(packagePath), whyNot),
                    vbmsg::vbExclamation);
        return false;
    }
    pointerBetweenSteps();
    auto opened = std::make_unique<package::OpenedMedia>(platform::fs::resolve(workFolder), packageFile);
    const bool dataFilePlaced = unpack(*packageFile, membersToUnpack(*contents, packagePath), workFolder, *opened);
    package::OpenedMedia::install(std::move(opened));
    if (dataFilePlaced)
        OpenedPackage::remember(packagePath, digest);
    return true;
}

void AppendFileToPackage(QIODevice& package, const QString& memberPath, const QString& byteCount)
{
    const std::optional<qint64> count = package::parseCountField(platform::toCp1252(byteCount));
    if (!count)
        throw VbError(platform::vberr::TypeMismatch);
    // A member named but missing from the work folder has the count 0 and nothing to copy.
    if (*count == 0)
        return;
    std::unique_ptr<QFile> member = platform::fs::openForRead(memberPath);
    platform::fs::copyBytes(*member, package, *count);
}

void RemoveInterruptedUnpacks(const QString& workFolder)
{
    const QString folder = platform::fs::resolve(workFolder);
    platform::fs::removeUnheldFolders(folder, kStagingPrefix);
    platform::fs::removeUnheldFolders(folder, QString::fromLatin1(package::kOpenedMediaFolderPrefix));
}

} // namespace ModJoinsSkins
