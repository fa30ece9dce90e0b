#include "support/DecimalCommaLocale.h"

#include <QProcess>

#include <clocale>
#include <cstring>

namespace {

const char* const kLocale = "de_DE.UTF-8";

bool switchNumericLocale()
{
    return std::setlocale(LC_NUMERIC, kLocale) != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

} // namespace

DecimalCommaLocale::DecimalCommaLocale()
    : previous_(std::setlocale(LC_NUMERIC, nullptr)),
      hadLocpath_(qEnvironmentVariableIsSet("LOCPATH")),
      previousLocpath_(qgetenv("LOCPATH"))
{
    if (switchNumericLocale())
        return;
    const QString compilerOutput = compileIntoTemporaryFolder();
    qputenv("LOCPATH", compiled_->path().toLocal8Bit());
    if (!switchNumericLocale())
        error_ = QStringLiteral("%1 is not installed and could not be made with localedef (%2); "
                                "scripts/install-deps.sh installs it")
                     .arg(QString::fromLatin1(kLocale), compilerOutput.trimmed());
}

DecimalCommaLocale::~DecimalCommaLocale()
{
    std::setlocale(LC_NUMERIC, previous_.c_str());
    if (hadLocpath_)
        qputenv("LOCPATH", previousLocpath_);
    else
        qunsetenv("LOCPATH");
}

// localedef may report warnings with exit code 1 and still write the locale (-c): what counts
// is whether setlocale accepts it afterwards. Returns what localedef said.
QString DecimalCommaLocale::compileIntoTemporaryFolder()
{
    compiled_ = std::make_unique<QTemporaryDir>();
    QProcess localedef;
    localedef.setProcessChannelMode(QProcess::MergedChannels);
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"),
                                                  QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                                  compiled_->filePath(QString::fromLatin1(kLocale))});
    if (!localedef.waitForFinished(60000))
        return localedef.errorString();
    return QString::fromLocal8Bit(localedef.readAll());
}
