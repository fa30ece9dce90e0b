#pragma once

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

QByteArray field(const QByteArray& text, int width = 9)
{
    return text.leftJustified(width, ' ', true);
}

// Each member is {name, bytes}; an absent medium has an empty name.
struct Member {
    QByteArray name;
    QByteArray bytes;
};

QByteArray makePackage(const Member& data, const Member& picture = {}, const Member& sound = {},
                       const Member& logo = {}, const QByteArray& title = "Title")
{
    QByteArray header = "0" + field("0") + field("") + field(QByteArray::number(title.size()), 3);
    QByteArray body = title;
    for (const Member* member : {&data, &picture, &sound, &logo}) {
        header += field(QByteArray::number(member->bytes.size())) + field(QByteArray::number(member->name.size()));
        if (member == &data || !member->name.isEmpty())
            body += member->name + member->bytes;
    }
    return header + body;
}

} // namespace
