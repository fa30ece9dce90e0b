// Feeds arbitrary bytes to the package reader as if they were a package file: the layout is
// read with and without the picture-only flag, and every member it accepts is copied out and
// compared, so each offset and count it trusts is exercised.
#include "countdown/PackageReader.h"
#include "platform/VbError.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void exerciseMember(QBuffer& package, const package::PackageMember& member)
{
    QBuffer copy;
    copy.open(QIODevice::ReadWrite);
    try {
        package::copyMember(package, member, copy);
    } catch (const platform::VbError&) {
        __builtin_trap(); // the reader promised these bytes were there
    }
    if (copy.size() != member.byteCount || !package::memberEquals(package, member, copy))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer package(&bytes);
    package.open(QIODevice::ReadOnly);
    for (const bool pictureOnly : {false, true}) {
        QString whyNot;
        const auto contents = package::readPackageContents(package, pictureOnly, &whyNot);
        if (!contents)
            continue;
        exerciseMember(package, contents->data);
        for (const auto* media : {&contents->picture, &contents->sound, &contents->logo}) {
            if (*media)
                exerciseMember(package, **media);
        }
    }
    return 0;
}
