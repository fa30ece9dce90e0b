#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// The bytes of a small PNG of one colour (for tests that link Qt Gui).
inline QByteArray plainPng(Qt::GlobalColor colour)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
