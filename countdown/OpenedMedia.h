#pragma once

#include "countdown/PackageReader.h"
#include "platform/NativeEntries.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace platform::fs {
class HeldFolder;
}

// The media bytes this process placed in a work folder when it opened a package. The work
// folder is shared by every running program, so another one may since have put other bytes
// under the same names; a save packs these instead. They are kept as a link to the placed file
// in a private folder of this process (a copy where no link can be made), or else as the
// member inside the opened package, which stays open for that.
namespace package {

// The name of a private folder is this prefix and six letters or digits.
inline constexpr char kOpenedMediaFolderPrefix[] = ".opened-";

// Where the bytes of one kept medium are read from: `count` bytes from `offset` of `file`.
struct KeptBytes {
    std::shared_ptr<QFile> file;
    qint64 offset = 0;
    qint64 count = 0;
};

class OpenedMedia {
public:
    // A record for the media placed now in `workFolderNative` from `package`.
    OpenedMedia(const QString& workFolderNative, std::shared_ptr<QFile> package);
    ~OpenedMedia();
    OpenedMedia(const OpenedMedia&) = delete;
    OpenedMedia& operator=(const OpenedMedia&) = delete;

    // The file at `placedNative` holds the member's bytes: keep them by a link to it, or by a
    // copy, or in the package.
    void keepPlaced(const QString& name, const PackageMember& member, const QString& placedNative);
    // Links the file at `existingNative` and keeps it when it holds exactly the member's bytes.
    bool keepIfSame(const QString& name, const PackageMember& member, const QString& existingNative);
    // The member could not be placed: its bytes stay in the package.
    void keepInPackage(const QString& name, const PackageMember& member);

    // This record becomes the work folder's, in place of any earlier one of this process.
    static void install(std::unique_ptr<OpenedMedia> record);
    // Nothing when this process placed no medium of that name (letter case aside) in the
    // work folder; else where its bytes are. VbError 53 when they are no longer there.
    static std::optional<KeptBytes> bytesOf(const QString& workFolderNative, const QString& name);
    // Removes every private folder (at the end of the process).
    static void dropAll();
    // Forgets the private folder without removing it: it belongs to the parent of a forked child.
    void abandon();

    using Stamp = platform::fs::FileStamp;
    struct Kept {
        QString name;
        qint64 byteCount = 0;
        QString copyPath; // empty when the bytes are in the package
        Stamp copyStamp;
        std::shared_ptr<QFile> package;
        qint64 offset = 0;
        Stamp packageStamp;
    };

private:
    bool linkIntoPrivateFolder(const QString& name, const QString& fromNative, Kept& kept);
    bool copyIntoPrivateFolder(const QString& name, const PackageMember& member, Kept& kept);
    platform::fs::HeldFolder* privateFolder();

    QString m_workFolder;
    std::shared_ptr<QFile> m_package;
    std::unique_ptr<platform::fs::HeldFolder> m_privateFolder;
    std::vector<Kept> m_kept;
};

} // namespace package
