#include "countdown/PackageWriter.h"

#include "platform/Cp1252.h"
#include "platform/FileSystem.h"

namespace package {

namespace {

qint64 textLength(const QString& text)
{
    return platform::toCp1252(text).size();
}

} // namespace

PackageHeader headerFor(const QString& reserved1, const QString& reserved2, const QString& reserved3,
                        const QString& title, const MemberEntry& data, const MemberEntry& picture,
                        const MemberEntry& sound, const MemberEntry& logo)
{
    PackageHeader header;
    header.reserved1 = platform::toCp1252(reserved1);
    header.reserved2 = platform::toCp1252(reserved2);
    header.reserved3 = platform::toCp1252(reserved3);
    header.titleLength = textLength(title);
    header.dataBytes = data.byteCount;
    header.dataNameLength = textLength(data.name);
    header.pictureNameLength = textLength(picture.name);
    header.pictureBytes = picture.name.isEmpty() ? 0 : picture.byteCount;
    header.soundNameLength = textLength(sound.name);
    header.soundBytes = sound.name.isEmpty() ? 0 : sound.byteCount;
    header.logoNameLength = textLength(logo.name);
    header.logoBytes = logo.name.isEmpty() ? 0 : logo.byteCount;
    formatHeader(header); // raises when a number does not fit its field
    return header;
}

void writeText(QIODevice& out, const QString& text)
{
    platform::fs::writeBytes(out, platform::toCp1252(text));
}

} // namespace package
