#include "foundation/ProgramContext.h"
#include "foundation/clsForm.h"
#include "foundation/clsFormDb.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Any bytes as a stored form file: the reader must end with a result and messages, never a
// crash, a hang or a sanitizer report.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The context every input reads, for the life of the process.
    static ProgramContext context;
    context.appPath = QStringLiteral("\\fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    clsForm record;
    QVector<FormFileMessage> messages;
    const int16_t result = FormFile::read(bytes, record, messages);
    if (result != 0 && result != -1)
        __builtin_trap();
    return 0;
}
