#include "countdown/PackageReader.h"

#include "countdown/BareFileName.h"
#include "countdown/PackageBytes.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QIODevice>

namespace package {

namespace {

// No file system takes a longer name; refusing it early also bounds what a name read costs.
constexpr qint64 kLongestName = 255;

// Walks the package from its current position, one part at a time.
class LayoutWalker {
public:
    LayoutWalker(QIODevice& device, QString* whyNot) : m_device(device), m_whyNot(whyNot) {}

    bool skip(qint64 count, const char* what)
    {
        if (!fits(count, what))
            return false;
        return m_device.seek(m_device.pos() + count) || fail(QStringLiteral("the %1 cannot be read").arg(QLatin1String(what)));
    }

    std::optional<PackageMember> member(qint64 nameLength, qint64 byteCount, const char* what)
    {
        if (nameLength > kLongestName)
            return failMember(QStringLiteral("the %1 name is too long").arg(QLatin1String(what)));
        if (!fits(nameLength, what))
            return std::nullopt;
        PackageMember found;
        found.name = platform::fromCp1252(m_device.read(nameLength));
        if (!isBareFileName(found.name))
            return failMember(QStringLiteral("the %1 name \"%2\" is not a plain file name").arg(QLatin1String(what), found.name));
        found.offset = m_device.pos();
        found.byteCount = byteCount;
        if (!skip(byteCount, what))
            return std::nullopt;
        return found;
    }

private:
    bool fits(qint64 count, const char* what)
    {
        if (count <= m_device.size() - m_device.pos())
            return true;
        return fail(QStringLiteral("the %1 runs past the end of the file").arg(QLatin1String(what)));
    }

    bool fail(const QString& why)
    {
        if (m_whyNot)
            *m_whyNot = why;
        return false;
    }

    std::optional<PackageMember> failMember(const QString& why)
    {
        fail(why);
        return std::nullopt;
    }

    QIODevice& m_device;
    QString* m_whyNot;
};

} // namespace

std::optional<PackageContents> readPackageContents(QIODevice& device, bool pictureOnly, QString* whyNot)
{
    if (!device.seek(0)) {
        if (whyNot)
            *whyNot = QStringLiteral("the file cannot be read");
        return std::nullopt;
    }
    const std::optional<PackageHeader> header = parseHeader(device.read(kHeaderSize), whyNot);
    if (!header)
        return std::nullopt;

    PackageContents contents;
    contents.header = *header;
    LayoutWalker walker(device, whyNot);
    if (!walker.skip(header->titleLength, "title"))
        return std::nullopt;
    const std::optional<PackageMember> data = walker.member(header->dataNameLength, header->dataBytes, "data file");
    if (!data)
        return std::nullopt;
    contents.data = *data;

    struct MediaSpec {
        qint64 nameLength;
        qint64 byteCount;
        const char* what;
        std::optional<PackageMember>* into;
    };
    const MediaSpec media[] = {
        {header->pictureNameLength, header->pictureBytes, "picture", &contents.picture},
        {header->soundNameLength, header->soundBytes, "sound", &contents.sound},
        {header->logoNameLength, header->logoBytes, "logo", &contents.logo},
    };
    for (const MediaSpec& spec : media) {
        if (pictureOnly && spec.into != &contents.picture)
            break;
        if (spec.nameLength == 0)
            continue;
        *spec.into = walker.member(spec.nameLength, spec.byteCount, spec.what);
        if (!*spec.into)
            return std::nullopt;
    }
    return contents;
}

void copyMember(QIODevice& package, const PackageMember& member, QIODevice& target)
{
    if (!package.seek(member.offset))
        throw platform::VbError(platform::vberr::InputPastEnd);
    platform::fs::copyBytes(package, target, member.byteCount);
}

bool memberEquals(QIODevice& package, const PackageMember& member, QIODevice& other)
{
    if (other.size() != member.byteCount || !package.seek(member.offset) || !other.seek(0))
        return false;
    return sameBytes(package, other, member.byteCount);
}

} // namespace package
