#pragma once

#include <QByteArray>
#include <QString>

// A countdown package (".MVL") assembled from the header's layout, byte by byte: twelve
// fixed-width header fields, the title, then each member's name and bytes. Tests make the
// packages they open with it, so a fixture never depends on the package writer it may be
// checking. Fields are named; the defaults are what the programs write.
class PackageBuilder {
public:
    // Reserved fields "0", "0" and blank.
    PackageBuilder& reserved1(const QByteArray& text);
    PackageBuilder& reserved2(const QByteArray& text);
    PackageBuilder& reserved3(const QByteArray& text);
    // All three reserved fields blank.
    PackageBuilder& blankReserved();
    // Without one, the title is the data member's name up to its last dot (none without a
    // dot), as the writer takes it.
    PackageBuilder& title(const QByteArray& text);

    // Members by name and bytes. The data member is always written, even without a name; a
    // picture, sound or logo without a name stays out of the body while its count field still
    // holds its byte count (so a damaged package can be made too).
    PackageBuilder& data(const QByteArray& name, const QByteArray& bytes);
    // The data member named `name`, with the bytes of the file of that name in `folder`
    // (internal or native), or none when it is missing there, as the writer packs it.
    PackageBuilder& dataFrom(const QString& folder, const QString& name);
    PackageBuilder& picture(const QByteArray& name, const QByteArray& bytes);
    PackageBuilder& sound(const QByteArray& name, const QByteArray& bytes);
    PackageBuilder& logo(const QByteArray& name, const QByteArray& bytes);

    QByteArray bytes() const;
    // Replaces the file at `path` (internal or native; found without regard to case as the
    // programs find it) with bytes(), creating its folder when needed. A failed write fails
    // the test.
    void writeTo(const QString& path) const;

private:
    struct Member {
        QByteArray name;
        QByteArray bytes;
    };
    QByteArray titleText() const;

    QByteArray m_reserved1 = "0";
    QByteArray m_reserved2 = "0";
    QByteArray m_reserved3;
    QByteArray m_title;
    bool m_titleGiven = false;
    Member m_data, m_picture, m_sound, m_logo;
};
