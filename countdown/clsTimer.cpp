#include "countdown/clsTimer.h"

#include "foundation/VbValues.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <limits>

namespace {

int32_t applyOperator(const QString& op, int32_t present, int32_t amount)
{
    int64_t result = 0;
    if (op == QLatin1String("+"))
        result = int64_t(present) + amount;
    else if (op == QLatin1String("-"))
        result = int64_t(present) - amount;
    else if (op == QLatin1String("="))
        result = amount;
    if (result < std::numeric_limits<int32_t>::min() || result > std::numeric_limits<int32_t>::max())
        throw platform::VbError(platform::vberr::Overflow);
    return result < 0 ? 0 : int32_t(result);
}

bool isOperator(const QString& op)
{
    return op == QLatin1String("+") || op == QLatin1String("-") || op == QLatin1String("=");
}

// Val of the collected characters rounded halves-to-even; overflow raises VB error 6.
int32_t amountOf(const QString& numberText)
{
    // Blanks only: other white space (a form feed, a no-break space) stays and ends the number.
    return vb::clng(vb::val(vb::trim(numberText)));
}

} // namespace

clsTimer::clsTimer(QObject* parent)
    : QObject(parent)
    , m_EventCaption(QStringLiteral("Timer"))
    , m_ImageFileName(QStringLiteral("Timer.jpg"))
{
}

void clsTimer::SetTimer(const QString& sSetString)
{
    if (!sSetString.isEmpty())
        m_SetString = sSetString;
    applySetString();
}

void clsTimer::ReSetTimer()
{
    applySetString();
}

void clsTimer::setEventCaption(const QString& v)
{
    m_EventCaption = v;
    emit TimerChanged();
}

int32_t clsTimer::ApplyYears(const QString& op, int32_t amount) const { return applyOperator(op, m_Years, amount); }
int32_t clsTimer::ApplyMonths(const QString& op, int32_t amount) const { return applyOperator(op, m_Months, amount); }
int32_t clsTimer::ApplyDays(const QString& op, int32_t amount) const { return applyOperator(op, m_Days, amount); }
int32_t clsTimer::ApplyHours(const QString& op, int32_t amount) const { return applyOperator(op, m_Hours, amount); }
int32_t clsTimer::ApplyMinutes(const QString& op, int32_t amount) const { return applyOperator(op, m_Minutes, amount); }
int32_t clsTimer::ApplySeconds(const QString& op, int32_t amount) const { return applyOperator(op, m_Seconds, amount); }

void clsTimer::applySetString()
{
    const QString op = m_SetString.left(1);
    if (!isOperator(op)) {
        platform::services().ui->msgBox(QStringLiteral("Invalid SetString ") + m_SetString,
                                        platform::vbmsg::vbOKOnly);
        return;
    }
    QString numberText;
    for (qsizetype i = 1; i < m_SetString.size(); ++i) {
        const QChar c = m_SetString.at(i);
        switch (c.unicode()) {
        case 'y': m_Years = ApplyYears(op, amountOf(numberText)); break;
        case 'm': m_Months = ApplyMonths(op, amountOf(numberText)); break;
        case 'd': m_Days = ApplyDays(op, amountOf(numberText)); break;
        case 'h': m_Hours = ApplyHours(op, amountOf(numberText)); break;
        case 'n': m_Minutes = ApplyMinutes(op, amountOf(numberText)); break;
        case 's': m_Seconds = ApplySeconds(op, amountOf(numberText)); break;
        case '=':
            m_Years = m_Months = m_Days = m_Hours = m_Minutes = m_Seconds = 0;
            break;
        default:
            numberText += c;
            continue;
        }
        numberText.clear();
    }
    emit TimerChanged();
}
