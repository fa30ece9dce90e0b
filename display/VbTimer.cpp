#include "display/VbTimer.h"

#include "platform/VbError.h"

VbTimer::VbTimer(const QString& name, QObject* parent) : QObject(parent)
{
    setObjectName(name);
    connect(&m_timer, &QTimer::timeout, this, &VbTimer::Timer);
}

void VbTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void VbTimer::setInterval(int32_t milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        throw platform::VbError(platform::vberr::InvalidPropertyValue);
    m_interval = milliseconds;
    restart();
}

void VbTimer::restart()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}
