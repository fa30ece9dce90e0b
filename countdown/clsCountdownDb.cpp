#include "countdown/clsCountdownDb.h"

#include "countdown/BareFileName.h"
#include "countdown/CountdownDataReader.h"
#include "countdown/CountdownDataWriter.h"
#include "countdown/CountdownDefaults.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "foundation/clsPSFileUtilities.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"

#include <optional>

namespace {

QString dataFilePath(const clsCountdown& countdown)
{
    return countdown.DatabaseLocation() + QLatin1Char('\\') + countdown.CountdownFileName();
}

} // namespace

int16_t clsCountdownDb::Find_Countdown(clsCountdown& countdown)
{
    m_lastReadSucceeded = false;
    bool problemShown = false;
    const ShowMessage show = [&problemShown](const QString& prompt, int buttons) {
        problemShown = true;
        showInMessageBox(prompt, buttons);
    };
    clsPSFileUtilities files;
    const QString path = dataFilePath(countdown);
    if (countdown.CountdownFileName().isEmpty() || !files.FileExists(path)) {
        CountdownDefaults::applyNewCountdownDefaults(countdown, show);
        return 0;
    }
    // A file that cannot be opened or read is reported, and reading goes on as far as it can:
    // the first line cannot be read (from a file that never opened, error 52), so it is not
    // the root tag either, and nothing is applied.
    std::unique_ptr<QFile> file;
    trapFailure(show, [&] { file = platform::fs::openForRead(path); });
    if (!file) {
        showFailure(show, platform::VbError(platform::vberr::BadFileName));
        CountdownDataReader::showNotInFormat(countdown, show);
        return 0;
    }
    std::optional<QByteArray> bytes;
    trapFailure(show, [&] { bytes = platform::fs::readRest(*file); });
    if (!bytes) {
        CountdownDataReader::showNotInFormat(countdown, show);
        return 0;
    }
    file->close();
    CountdownDataReader::read(*bytes, countdown, show);
    m_lastReadSucceeded = !problemShown;
    return 0;
}

int16_t clsCountdownDb::CreateNewCountdown(clsCountdown& countdown)
{
    return WriteCountdownFile(countdown);
}

void clsCountdownDb::RemoveCountdown(clsCountdown&, const QString& name)
{
    // The name is joined into a path, so a folder part would reach files outside Countdowns:
    // only a bare countdown name is deleted.
    if (!isBareFileName(name)) {
        const platform::VbError badName(platform::vberr::BadFileName);
        showInMessageBox(errorReport(badName) + QStringLiteral("\r\n") + name, platform::vbmsg::vbOKOnly);
        return;
    }
    clsPSFileUtilities files;
    files.psKill(ProgramContext::current().appPath + QStringLiteral("\\Countdowns\\") + name + QStringLiteral(".MVK"));
}

// The file is replaced whole or not at all, so a failed save keeps the old countdown and
// reports once.
int16_t clsCountdownDb::WriteCountdownFile(clsCountdown& countdown)
{
    m_lastWriteSucceeded = true;
    if (countdown.CountdownFileName().isEmpty())
        return 0;
    const ShowMessage show = showInMessageBox;
    const QByteArray bytes = CountdownDataWriter::write(countdown, vb::now(), show);
    if (bytes.isEmpty()) {
        m_lastWriteSucceeded = false;
        return 0;
    }
    clsPSFileUtilities files;
    files.CreateDirMaybe(countdown.DatabaseLocation() + QLatin1Char('\\'));
    // A folder that could not be made has had its message; the write would only add another.
    if (!platform::fs::isDirectory(countdown.DatabaseLocation())) {
        m_lastWriteSucceeded = false;
        return 0;
    }
    try {
        platform::fs::writeAtomic(dataFilePath(countdown), bytes);
    } catch (const platform::VbError& error) {
        m_lastWriteSucceeded = false;
        showFailure(show, error);
    }
    return 0;
}
