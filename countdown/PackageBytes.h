#pragma once

#include <QtGlobal>

class QIODevice;

namespace package {

// True when the next `count` bytes of `a` and of `b` are equal and both hold that many.
// Compares in chunks, never a whole member in memory.
bool sameBytes(QIODevice& a, QIODevice& b, qint64 count);

} // namespace package
