#include "foundation/VbValues.h"

#include "foundation/OleDate.h"
#include "platform/Regional.h"
#include "platform/VbError.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace vb {

using platform::VbError;
namespace vberr = platform::vberr;

namespace {

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw VbError(vberr::Overflow);
    return std::nearbyint(value);
}

} // namespace

int16_t cint(double value)
{
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw VbError(vberr::Overflow);
    return static_cast<int16_t>(rounded);
}

int32_t clng(double value)
{
    const double rounded = roundHalfEven(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        throw VbError(vberr::Overflow);
    return static_cast<int32_t>(rounded);
}

float csng(double value)
{
    if (std::isnan(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw VbError(vberr::Overflow);
    return static_cast<float>(value);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace vb

namespace vb {

// First pass placeholders; replaced by the full conversions.
double val(const QString& text)
{
    return text.trimmed().toDouble();
}
double cdbl(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        throw VbError(vberr::TypeMismatch);
    return value;
}
float csng(const QString& text) { return csng(cdbl(text)); }
int16_t cint(const QString& text) { return cint(cdbl(text)); }
int32_t clng(const QString& text) { return clng(cdbl(text)); }
bool cbool(const QString& text)
{
    if (text.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.trimmed().compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return cdbl(text) != 0;
}
double cdate(const QString& text)
{
    const QDateTime parsed = QDateTime::fromString(text, QStringLiteral("M/d/yyyy h:mm:ss AP"));
    if (!parsed.isValid())
        throw VbError(vberr::TypeMismatch);
    return toOleDate(parsed);
}
bool isDate(const QString& text)
{
    try {
        cdate(text);
        return true;
    } catch (const VbError&) {
        return false;
    }
}
QString format(double date, const QString& pattern)
{
    return fromOleDate(date).toString(pattern);
}
QString formatNumber(double value, const QString&)
{
    return QString::number(value);
}
QString singleText(float value)
{
    return QString::number(value, 'g', 7);
}
QString doubleText(double value)
{
    return QString::number(value, 'g', 15);
}
QString dateText(double date)
{
    return fromOleDate(date).toString(QStringLiteral("M/d/yyyy h:mm:ss AP"));
}
QString str(double value)
{
    return (value >= 0 ? QStringLiteral(" ") : QString()) + QString::number(value, 'g', 15);
}

} // namespace vb
