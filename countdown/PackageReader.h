#pragma once

#include "countdown/PackageHeader.h"

#include <QString>

#include <optional>

class QIODevice;

// Reads the layout of a package from any random-access device: the header, the title and the
// member names, with every length checked against the bytes that are really there. Member
// bytes are not read; they are copied later, in chunks, from the offsets found here.
namespace package {

struct PackageMember {
    QString name;
    qint64 offset = 0; // of the member's first byte in the package
    qint64 byteCount = 0;
};

struct PackageContents {
    PackageHeader header;
    PackageMember data;
    std::optional<PackageMember> picture;
    std::optional<PackageMember> sound;
    std::optional<PackageMember> logo;
};

// Nothing, with the reason in `whyNot`, when the package is cut short, a field is not a
// number, or a member name is not a bare file name. With `pictureOnly` the sound and logo
// members are neither read nor checked.
std::optional<PackageContents> readPackageContents(QIODevice& device, bool pictureOnly, QString* whyNot);

// Copies the member's bytes to the current position of `target`. Raises VbError.
void copyMember(QIODevice& package, const PackageMember& member, QIODevice& target);

// True when `other` holds exactly the member's bytes (from its start).
bool memberEquals(QIODevice& package, const PackageMember& member, QIODevice& other);

} // namespace package
