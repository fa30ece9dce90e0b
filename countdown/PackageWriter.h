#pragma once

#include "countdown/PackageHeader.h"

#include <QString>

class QIODevice;

namespace package {

// One member as the header describes it: its bare name (empty when the countdown has none)
// and its byte count.
struct MemberEntry {
    QString name;
    qint64 byteCount = 0;
};

// The header for a package of these members. A member without a name gets a zero byte count
// whatever it was given. Raises VbError 6 when a length does not fit its field.
PackageHeader headerFor(const QString& reserved1, const QString& reserved2, const QString& reserved3,
                        const QString& title, const MemberEntry& data, const MemberEntry& picture,
                        const MemberEntry& sound, const MemberEntry& logo);

// Writes `text` as single-byte text. Raises VbError 61 when the bytes do not all go.
void writeText(QIODevice& out, const QString& text);

} // namespace package
