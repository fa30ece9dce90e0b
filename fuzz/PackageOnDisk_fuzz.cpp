// Any bytes as a package file on disk: it is opened into a private work folder and saved back
// with the member names it holds, then opened and saved once more, as the viewer does from one
// day to the next. Nothing may be written outside the work folder and the package itself (a
// sentinel folder beside them and the process's current folder stay as they were), and a save
// that reported no failure must leave a package that reads back, with the names it was given and
// the bytes of every member whose name no other member shares.
#include "countdown/ModJoinsSkins.h"
#include "countdown/OpenedMedia.h"
#include "countdown/PackageReader.h"
#include "foundation/ProgramContext.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"
#include "platform/fake/FakeServices.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace {

// Larger inputs only slow each run down; the layout checks do not depend on size.
constexpr size_t kMaxInputBytes = 64 * 1024;

const QString kPackageName = QStringLiteral("Fuzz.MVL");
const QString kWindowName = QStringLiteral("Fuzz.MVK"); // the data file the window reads
const QString kWorkName = QStringLiteral("Temp");
const QString kSentinelName = QStringLiteral("Sentinel");

[[noreturn]] void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "PackageOnDisk: %s %s\n", what, qPrintable(detail));
    std::abort();
}

QByteArray readWhole(const QString& nativePath)
{
    QFile file(nativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeWhole(const QString& nativePath, const QByteArray& bytes)
{
    QFile file(nativePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write", nativePath);
}

// Entries of a folder by name, hidden ones too, links not followed.
QStringList entriesOf(const QString& nativeFolder)
{
    return QDir(nativeFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                        QDir::Name);
}

struct Harness {
    platform::FakeServices services;
    // The context the package steps record the opened package in.
    ProgramContext context;
    QTemporaryDir root;
    // Files a write that missed the work folder would most likely hit: the names it writes.
    std::map<QString, QByteArray> sentinel{{kPackageName, "another package"},
                                           {kWindowName, "another data file"},
                                           {QStringLiteral("picture.png"), "another picture"}};

    Harness()
    {
        if (!root.isValid())
            fail("no temporary folder");
        QDir(root.path()).mkpath(kWorkName);
        QDir(root.path()).mkpath(kSentinelName);
        for (const auto& [name, bytes] : sentinel)
            writeWhole(sentinelPath(name), bytes);
    }

    QString nativePath(const QString& name) const { return root.path() + QLatin1Char('/') + name; }
    QString sentinelPath(const QString& name) const { return nativePath(kSentinelName + QLatin1Char('/') + name); }
    QString packageNative() const { return nativePath(kPackageName); }
    QString packageInternal() const { return platform::fs::toInternal(packageNative()); }
    QString workNative() const { return nativePath(kWorkName); }
    QString workInternal() const { return platform::fs::toInternal(workNative()); }

    // A fresh work folder for each input, with no record of what an earlier run opened.
    void startRun(const QByteArray& packageBytes)
    {
        package::OpenedMedia::dropAll();
        if (!QDir(workNative()).removeRecursively() || !QDir(root.path()).mkpath(kWorkName))
            fail("cannot clear the work folder");
        writeWhole(packageNative(), packageBytes);
        services.ui().pointerHistory.clear();
    }

    // Everything under the root is the package file, the work folder and what it holds, or the
    // sentinel folder exactly as it was made.
    void checkRootHoldsOnlyItsOwn() const
    {
        QDirIterator walk(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories);
        const QDir rootDir(root.path());
        while (walk.hasNext()) {
            const QString relative = rootDir.relativeFilePath(walk.next());
            if (relative == kWorkName || relative.startsWith(kWorkName + QLatin1Char('/')))
                continue;
            if (relative == kPackageName) {
                if (!walk.fileInfo().isFile() || walk.fileInfo().isSymLink())
                    fail("the package is no longer a plain file");
                continue;
            }
            if (relative == kSentinelName)
                continue;
            if (!relative.startsWith(kSentinelName + QLatin1Char('/')))
                fail("written outside the work folder:", relative);
        }
        if (entriesOf(nativePath(kSentinelName)).size() != static_cast<qsizetype>(sentinel.size()))
            fail("the sentinel folder gained or lost an entry");
        for (const auto& [name, bytes] : sentinel) {
            const QFileInfo info(sentinelPath(name));
            if (info.isSymLink() || !info.isFile() || readWhole(sentinelPath(name)) != bytes)
                fail("a sentinel file changed:", name);
        }
    }
};

// Kept for the life of the process; the temporary root goes when the process ends normally.
Harness& harness()
{
    static Harness instance;
    return instance;
}

struct Names {
    QString data, picture, sound, logo;
};

Names namesIn(const package::PackageContents& contents)
{
    const auto nameOf = [](const std::optional<package::PackageMember>& member) {
        return member ? member->name : QString();
    };
    return {contents.data.name, nameOf(contents.picture), nameOf(contents.sound), nameOf(contents.logo)};
}

QByteArray bytesOf(const QByteArray& package, const package::PackageMember& member)
{
    return package.mid(member.offset, member.byteCount);
}

// A member's bytes are only its own when no other member lands under its name; names that
// differ in letter case alone are one file. The data file is also placed as the window's.
bool nameIsItsOwn(const QString& name, const std::vector<QString>& others)
{
    for (const QString& other : others) {
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

void checkMemberKept(const char* what, const QByteArray& opened, const std::optional<package::PackageMember>& before,
                     const QByteArray& saved, const std::optional<package::PackageMember>& after)
{
    if (!before || before->name.isEmpty())
        return;
    if (!after || bytesOf(saved, *after) != bytesOf(opened, *before))
        fail(what, before->name);
}

// The saved package reads back with the names it was given. A medium whose name is its own
// keeps the bytes it was opened with, whatever happened in the work folder meanwhile; the
// data member does when the open placed everything without a message.
void checkSavedPackage(const QByteArray& opened, const package::PackageContents& before, bool openedQuietly)
{
    const QByteArray saved = readWhole(harness().packageNative());
    QBuffer device;
    device.setData(saved);
    device.open(QIODevice::ReadOnly);
    QString whyNot;
    const std::optional<package::PackageContents> after = package::readPackageContents(device, false, &whyNot);
    if (!after)
        fail("the saved package does not read back:", whyNot);
    const Names given = namesIn(before);
    const Names found = namesIn(*after);
    if (given.data != found.data || given.picture != found.picture || given.sound != found.sound
        || given.logo != found.logo)
        fail("the saved package holds other member names");

    const std::vector<const std::optional<package::PackageMember>*> mediaBefore{&before.picture, &before.sound,
                                                                               &before.logo};
    const std::vector<const std::optional<package::PackageMember>*> mediaAfter{&after->picture, &after->sound,
                                                                              &after->logo};
    const std::vector<QString> all{given.data, given.picture, given.sound, given.logo};
    for (size_t media = 0; media < mediaBefore.size(); ++media) {
        std::vector<QString> others{kWindowName};
        for (size_t other = 0; other < all.size(); ++other) {
            if (other != media + 1 && !all[other].isEmpty())
                others.push_back(all[other]);
        }
        if (*mediaBefore[media] && nameIsItsOwn((*mediaBefore[media])->name, others))
            checkMemberKept("a medium lost its bytes:", opened, *mediaBefore[media], saved, *mediaAfter[media]);
    }
    const std::vector<QString> media{given.picture, given.sound, given.logo};
    if (openedQuietly && nameIsItsOwn(given.data, media))
        checkMemberKept("the data file lost its bytes:", opened, before.data, saved, after->data);
}

// The current folder may be shared with other programs (a temporary folder), so only a new
// entry under a name this run writes counts: a member, the window's data file, the package or
// its temporary replacement, the work folder, or a staging or private folder.
void checkCurrentFolderGainedNothingOfOurs(const QStringList& before, const std::optional<package::PackageContents>& contents)
{
    QStringList ours{kPackageName, kWindowName, kWorkName, kSentinelName};
    if (contents) {
        const Names names = namesIn(*contents);
        ours << names.data << names.picture << names.sound << names.logo;
    }
    const QStringList prefixes{kPackageName + QLatin1Char('.'), QStringLiteral(".unpacking-"),
                               QString::fromLatin1(package::kOpenedMediaFolderPrefix)};
    for (const QString& entry : entriesOf(QDir::currentPath())) {
        if (before.contains(entry))
            continue;
        const bool named = std::any_of(ours.begin(), ours.end(), [&](const QString& name) {
            return !name.isEmpty() && entry.compare(name, Qt::CaseInsensitive) == 0;
        });
        const bool prefixed = std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& prefix) {
            return entry.startsWith(prefix, Qt::CaseInsensitive);
        });
        if (named || prefixed)
            fail("written into the current folder:", entry);
    }
}

// One open and save of the package file as it is now: true when the save left a package that
// was checked to read back.
bool openAndSave(Harness& fuzz)
{
    const QByteArray bytes = readWhole(fuzz.packageNative());
    const QStringList currentFolderBefore = entriesOf(QDir::currentPath());
    fuzz.services.ui().msgBoxes.clear();

    QBuffer inMemory;
    inMemory.setData(bytes);
    inMemory.open(QIODevice::ReadOnly);
    QString whyNot;
    std::optional<package::PackageContents> contents = package::readPackageContents(inMemory, false, &whyNot);
    // A package that reads is still refused when a medium would stand in for the data file.
    if (contents) {
        whyNot = ModJoinsSkins::whyAMemberTakesTheDataFilesPlace(*contents, fuzz.packageInternal());
        if (!whyNot.isEmpty())
            contents.reset();
    }

    const bool opened = ModJoinsSkins::OpenCountdownPackage(fuzz.packageInternal(), false, fuzz.workInternal());
    if (opened != contents.has_value())
        fail("the package on disk and in memory read differently:", whyNot);
    const bool openedQuietly = fuzz.services.ui().msgBoxes.empty();
    // As a second program starting on the same work folder does: what this one holds stays.
    ModJoinsSkins::RemoveInterruptedUnpacks(fuzz.workInternal());
    bool saveFailed = false;
    if (contents) {
        const Names names = namesIn(*contents);
        const size_t messagesBeforeSave = fuzz.services.ui().msgBoxes.size();
        ModJoinsSkins::SaveCountdownPackage(fuzz.packageInternal(), QStringLiteral("0"), QStringLiteral("0"),
                                            QString(), names.data, names.picture, names.sound, names.logo,
                                            fuzz.workInternal());
        saveFailed = fuzz.services.ui().msgBoxes.size() != messagesBeforeSave;
        if (saveFailed && openedQuietly)
            fail("the save failed after a quiet open:", fuzz.services.ui().msgBoxes.back().prompt);
    }

    fuzz.checkRootHoldsOnlyItsOwn();
    checkCurrentFolderGainedNothingOfOurs(currentFolderBefore, contents);
    if (!contents || saveFailed)
        return false;
    checkSavedPackage(bytes, *contents, openedQuietly);
    return true;
}

} // namespace

// The package is opened and saved, then the saved package is opened again over what the first
// open left in the work folder (media already in place, files to replace) and saved again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInputBytes)
        return -1;
    Harness& fuzz = harness();
    fuzz.startRun(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (openAndSave(fuzz))
        openAndSave(fuzz);
    return 0;
}
