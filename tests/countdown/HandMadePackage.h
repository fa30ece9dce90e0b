#pragma once

#include "support/PackageBuilder.h"

#include <QByteArray>

// Packages assembled by hand, so the reader is checked against the layout and not against
// the writer.
namespace {

[[maybe_unused]] QByteArray pattern(int size, int seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed) % 256);
    return bytes;
}

// Each member is {name, bytes}; an absent medium has an empty name.
struct Member {
    QByteArray name;
    QByteArray bytes;
};

QByteArray makePackage(const Member& data, const Member& picture = {}, const Member& sound = {},
                       const Member& logo = {}, const QByteArray& title = "Title")
{
    return PackageBuilder()
        .title(title)
        .data(data.name, data.bytes)
        .picture(picture.name, picture.bytes)
        .sound(sound.name, sound.bytes)
        .logo(logo.name, logo.bytes)
        .bytes();
}

} // namespace
