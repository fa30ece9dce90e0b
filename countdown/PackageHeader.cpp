#include "countdown/PackageHeader.h"

#include "platform/VbError.h"

#include <array>

namespace package {

namespace {

struct CountFieldSpec {
    int width;
    qint64 PackageHeader::*value;
    const char* name;
};

// The numeric fields in header order, after the three reserved texts.
constexpr std::array<CountFieldSpec, 9> kCountFields{{
    {kTitleLengthWidth, &PackageHeader::titleLength, "title length"},
    {kFieldWidth, &PackageHeader::dataBytes, "data byte count"},
    {kFieldWidth, &PackageHeader::dataNameLength, "data name length"},
    {kFieldWidth, &PackageHeader::pictureBytes, "picture byte count"},
    {kFieldWidth, &PackageHeader::pictureNameLength, "picture name length"},
    {kFieldWidth, &PackageHeader::soundBytes, "sound byte count"},
    {kFieldWidth, &PackageHeader::soundNameLength, "sound name length"},
    {kFieldWidth, &PackageHeader::logoBytes, "logo byte count"},
    {kFieldWidth, &PackageHeader::logoNameLength, "logo name length"},
}};

constexpr int kReservedWidths = 1 + kFieldWidth + kFieldWidth;

} // namespace

QByteArray fixedField(const QByteArray& text, int width)
{
    QByteArray field = text.left(width);
    field.append(width - field.size(), ' ');
    return field;
}

QByteArray countField(qint64 value, int width)
{
    const QByteArray digits = QByteArray::number(value);
    if (value < 0 || digits.size() > width)
        throw platform::VbError(platform::vberr::Overflow);
    return fixedField(digits, width);
}

std::optional<qint64> parseCountField(const QByteArray& field)
{
    qint64 value = 0;
    int digits = 0;
    while (digits < field.size() && field[digits] >= '0' && field[digits] <= '9') {
        value = value * 10 + (field[digits] - '0');
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    for (int i = digits; i < field.size(); ++i) {
        if (field[i] != ' ')
            return std::nullopt;
    }
    return value;
}

QByteArray formatHeader(const PackageHeader& header)
{
    QByteArray bytes;
    bytes.reserve(kHeaderSize);
    bytes += fixedField(header.reserved1, 1);
    bytes += fixedField(header.reserved2, kFieldWidth);
    bytes += fixedField(header.reserved3, kFieldWidth);
    for (const CountFieldSpec& spec : kCountFields)
        bytes += countField(header.*spec.value, spec.width);
    return bytes;
}

std::optional<PackageHeader> parseHeader(const QByteArray& bytes, QString* whyNot)
{
    if (bytes.size() < kHeaderSize) {
        if (whyNot)
            *whyNot = QStringLiteral("the header is cut short");
        return std::nullopt;
    }
    PackageHeader header;
    header.reserved1 = bytes.mid(0, 1);
    header.reserved2 = bytes.mid(1, kFieldWidth);
    header.reserved3 = bytes.mid(1 + kFieldWidth, kFieldWidth);
    int offset = kReservedWidths;
    for (const CountFieldSpec& spec : kCountFields) {
        const std::optional<qint64> value = parseCountField(bytes.mid(offset, spec.width));
        if (!value) {
            if (whyNot)
                *whyNot = QStringLiteral("the header field \"%1\" is not a number").arg(QLatin1String(spec.name));
            return std::nullopt;
        }
        header.*spec.value = *value;
        offset += spec.width;
    }
    return header;
}

} // namespace package
