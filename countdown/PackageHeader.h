#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The package header: twelve fixed-width text fields, 94 bytes, no separators. Text fields are
// filled from the left and padded with blanks; numbers are plain decimal digits.
namespace package {

inline constexpr int kHeaderSize = 94;
inline constexpr int kTitleLengthWidth = 3;
inline constexpr int kFieldWidth = 9;

struct PackageHeader {
    QByteArray reserved1; // width 1
    QByteArray reserved2; // width 9
    QByteArray reserved3; // width 9
    qint64 titleLength = 0;
    qint64 dataBytes = 0;
    qint64 dataNameLength = 0;
    qint64 pictureBytes = 0;
    qint64 pictureNameLength = 0;
    qint64 soundBytes = 0;
    qint64 soundNameLength = 0;
    qint64 logoBytes = 0;
    qint64 logoNameLength = 0;
};

// `text` cut to `width` (first bytes kept) or padded on the right with blanks.
QByteArray fixedField(const QByteArray& text, int width);

// The decimal digits of `value`; VbError 6 when they do not fit `width`, since a cut number
// would make a package that reads back wrong.
QByteArray countField(qint64 value, int width);

// One numeric field read strictly: at least one digit, then only blanks.
std::optional<qint64> parseCountField(const QByteArray& field);

QByteArray formatHeader(const PackageHeader& header);

// Nothing when `bytes` is not a whole header or a numeric field is not digits then blanks;
// `whyNot` then says which field.
std::optional<PackageHeader> parseHeader(const QByteArray& bytes, QString* whyNot);

} // namespace package
