// Any bytes as a countdown data file: the reader must neither crash nor hang.
#include "countdown/CountdownDataReader.h"
#include "countdown/clsCountdown.h"
#include "foundation/ProgramContext.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The context a countdown reads its program folder from, for the life of the process.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static ProgramContext context;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    clsCountdown countdown;
    countdown.setCountdownFileName(QStringLiteral("Fuzz.MVK"));
    CountdownDataReader::read(bytes, countdown, [](const QString&, int) {});
    return 0;
}
