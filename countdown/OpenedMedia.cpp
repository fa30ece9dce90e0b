#include "countdown/OpenedMedia.h"

#include "countdown/MemberFile.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>

namespace package {

namespace {

using platform::VbError;
using platform::fs::HeldFolder;
using platform::fs::stampOfEntry;
using platform::fs::stampOfOpenFile;

// The records of this process, one per work folder. A child made by fork() inherits the
// parent's; it starts afresh and leaves the parent's folders alone.
struct Records {
    qint64 owner = QCoreApplication::applicationPid();
    std::map<QString, std::unique_ptr<OpenedMedia>> byWorkFolder;

    std::map<QString, std::unique_ptr<OpenedMedia>>& ofThisProcess();
    ~Records() { ofThisProcess(); }
};

Records& records()
{
    static Records all;
    return all;
}

OpenedMedia::Kept keptNamed(const QString& name, const PackageMember& member)
{
    OpenedMedia::Kept kept;
    kept.name = name;
    kept.byteCount = member.byteCount;
    return kept;
}

// The medium of exactly that name; else, as the file layer finds a file, one whose name differs
// only in letter case.
const OpenedMedia::Kept* keptUnder(const std::vector<OpenedMedia::Kept>& allKept, const QString& name)
{
    const auto exact = std::find_if(allKept.begin(), allKept.end(),
                                    [&name](const OpenedMedia::Kept& kept) { return kept.name == name; });
    if (exact != allKept.end())
        return &*exact;
    const auto alike = std::find_if(allKept.begin(), allKept.end(), [&name](const OpenedMedia::Kept& kept) {
        return kept.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return alike != allKept.end() ? &*alike : nullptr;
}

VbError bytesGone(const QString& name)
{
    return VbError(platform::vberr::FileNotFound,
                   QStringLiteral("File not found: %1 as this countdown was opened with it").arg(name));
}

} // namespace

std::map<QString, std::unique_ptr<OpenedMedia>>& Records::ofThisProcess()
{
    if (owner != QCoreApplication::applicationPid()) {
        for (auto& [folder, record] : byWorkFolder)
            record->abandon();
        byWorkFolder.clear();
        owner = QCoreApplication::applicationPid();
    }
    return byWorkFolder;
}

OpenedMedia::OpenedMedia(const QString& workFolderNative, std::shared_ptr<QFile> package)
    : m_workFolder(workFolderNative), m_package(std::move(package))
{
}

OpenedMedia::~OpenedMedia() = default;

void OpenedMedia::abandon()
{
    if (m_privateFolder)
        m_privateFolder->release();
}

HeldFolder* OpenedMedia::privateFolder()
{
    if (!m_privateFolder)
        m_privateFolder = std::make_unique<HeldFolder>(m_workFolder, QString::fromLatin1(kOpenedMediaFolderPrefix));
    return m_privateFolder->isValid() ? m_privateFolder.get() : nullptr;
}

bool OpenedMedia::linkIntoPrivateFolder(const QString& name, const QString& fromNative, Kept& kept)
{
    HeldFolder* folder = privateFolder();
    if (!folder || !stampOfEntry(fromNative))
        return false;
    const QString copy = folder->nativePath() + QLatin1Char('/') + name;
    if (!platform::fs::linkExactly(fromNative, copy))
        return false;
    const std::optional<Stamp> stamp = stampOfEntry(copy);
    if (!stamp) {
        platform::fs::removeExactly(copy);
        return false;
    }
    kept.copyPath = copy;
    kept.copyStamp = *stamp;
    return true;
}

bool OpenedMedia::copyIntoPrivateFolder(const QString& name, const PackageMember& member, Kept& kept)
{
    HeldFolder* folder = privateFolder();
    if (!folder)
        return false;
    const QString copy = folder->nativePath() + QLatin1Char('/') + name;
    try {
        writeMemberFile(*m_package, member, copy);
    } catch (const VbError&) {
        return false;
    }
    const std::optional<Stamp> stamp = stampOfEntry(copy);
    if (!stamp)
        return false;
    kept.copyPath = copy;
    kept.copyStamp = *stamp;
    return true;
}

void OpenedMedia::keepPlaced(const QString& name, const PackageMember& member, const QString& placedNative)
{
    Kept kept = keptNamed(name, member);
    if (member.byteCount == 0 || linkIntoPrivateFolder(name, placedNative, kept)
        || copyIntoPrivateFolder(name, member, kept)) {
        m_kept.push_back(kept);
        return;
    }
    keepInPackage(name, member);
}

bool OpenedMedia::keepIfSame(const QString& name, const PackageMember& member, const QString& existingNative)
{
    Kept kept = keptNamed(name, member);
    if (!linkIntoPrivateFolder(name, existingNative, kept)) {
        // No link to compare: the shared file is compared, and the member's bytes kept apart.
        const std::unique_ptr<QFile> existing = platform::fs::openExactlyForRead(existingNative);
        if (!existing || !memberEquals(*m_package, member, *existing))
            return false;
        keepPlaced(name, member, QString());
        return true;
    }
    // The link is compared, not the shared file: what it holds can no longer be swapped.
    std::unique_ptr<QFile> copy = platform::fs::openExactlyForRead(kept.copyPath);
    if (copy && memberEquals(*m_package, member, *copy)) {
        m_kept.push_back(kept);
        return true;
    }
    copy.reset();
    platform::fs::removeExactly(kept.copyPath);
    return false;
}

void OpenedMedia::keepInPackage(const QString& name, const PackageMember& member)
{
    Kept kept = keptNamed(name, member);
    if (member.byteCount > 0) {
        kept.package = m_package;
        kept.offset = member.offset;
        if (const std::optional<Stamp> stamp = stampOfOpenFile(*m_package))
            kept.packageStamp = *stamp;
    }
    m_kept.push_back(kept);
}

void OpenedMedia::install(std::unique_ptr<OpenedMedia> record)
{
    const QString folder = record->m_workFolder;
    // The package stays open only for the members that are kept in it.
    record->m_package.reset();
    records().ofThisProcess()[folder] = std::move(record);
}

std::optional<KeptBytes> OpenedMedia::bytesOf(const QString& workFolderNative, const QString& name)
{
    auto& byFolder = records().ofThisProcess();
    const auto record = byFolder.find(workFolderNative);
    if (record == byFolder.end())
        return std::nullopt;
    const Kept* kept = keptUnder(record->second->m_kept, name);
    if (!kept)
        return std::nullopt;
    KeptBytes bytes{nullptr, kept->offset, kept->byteCount};
    if (kept->byteCount == 0)
        return bytes;
    if (kept->package) {
        if (stampOfOpenFile(*kept->package) != kept->packageStamp)
            throw bytesGone(name);
        bytes.file = kept->package;
        return bytes;
    }
    bytes.file = platform::fs::openExactlyForRead(kept->copyPath);
    if (!bytes.file || stampOfOpenFile(*bytes.file) != kept->copyStamp)
        throw bytesGone(name);
    return bytes;
}

void OpenedMedia::dropAll()
{
    records().ofThisProcess().clear();
}

} // namespace package
