#include "support/PackageBuilder.h"

#include "platform/Cp1252.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <gtest/gtest.h>

namespace {

QByteArray field(const QByteArray& text, int width)
{
    return text.leftJustified(width, ' ', true);
}

QByteArray countField(qsizetype count, int width = 9)
{
    return field(QByteArray::number(count), width);
}

} // namespace

PackageBuilder& PackageBuilder::reserved1(const QByteArray& text)
{
    m_reserved1 = text;
    return *this;
}

PackageBuilder& PackageBuilder::reserved2(const QByteArray& text)
{
    m_reserved2 = text;
    return *this;
}

PackageBuilder& PackageBuilder::reserved3(const QByteArray& text)
{
    m_reserved3 = text;
    return *this;
}

PackageBuilder& PackageBuilder::blankReserved()
{
    return reserved1({}).reserved2({}).reserved3({});
}

PackageBuilder& PackageBuilder::title(const QByteArray& text)
{
    m_title = text;
    m_titleGiven = true;
    return *this;
}

PackageBuilder& PackageBuilder::data(const QByteArray& name, const QByteArray& bytes)
{
    m_data = {name, bytes};
    return *this;
}

PackageBuilder& PackageBuilder::dataFrom(const QString& folder, const QString& name)
{
    QFile file(platform::fs::resolve(folder + QLatin1Char('\\') + name));
    QByteArray bytes;
    if (file.exists()) {
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        bytes = file.readAll();
    }
    return data(platform::toCp1252(name), bytes);
}

PackageBuilder& PackageBuilder::picture(const QByteArray& name, const QByteArray& bytes)
{
    m_picture = {name, bytes};
    return *this;
}

PackageBuilder& PackageBuilder::sound(const QByteArray& name, const QByteArray& bytes)
{
    m_sound = {name, bytes};
    return *this;
}

PackageBuilder& PackageBuilder::logo(const QByteArray& name, const QByteArray& bytes)
{
    m_logo = {name, bytes};
    return *this;
}

QByteArray PackageBuilder::titleText() const
{
    if (m_titleGiven)
        return m_title;
    const qsizetype dot = m_data.name.lastIndexOf('.');
    return dot < 0 ? QByteArray() : m_data.name.left(dot);
}

QByteArray PackageBuilder::bytes() const
{
    const QByteArray title = titleText();
    QByteArray header = field(m_reserved1, 1) + field(m_reserved2, 9) + field(m_reserved3, 9)
        + countField(title.size(), 3);
    QByteArray body = title;
    for (const Member* member : {&m_data, &m_picture, &m_sound, &m_logo}) {
        header += countField(member->bytes.size()) + countField(member->name.size());
        if (member == &m_data || !member->name.isEmpty())
            body += member->name + member->bytes;
    }
    return header + body;
}

void PackageBuilder::writeTo(const QString& path) const
{
    const QString native = platform::fs::resolve(path);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(native).path())) << native.toStdString();
    QSaveFile out(native);
    const QByteArray whole = bytes();
    ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << native.toStdString();
    ASSERT_EQ(out.write(whole), whole.size()) << native.toStdString();
    ASSERT_TRUE(out.commit()) << native.toStdString();
}
