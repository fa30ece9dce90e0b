#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

// A timer with VB's rules: it ticks only while Enabled and Interval > 0 (QTimer would fire
// continuously at 0), and setting either property starts the interval afresh.
class VbTimer : public QObject {
    Q_OBJECT
public:
    explicit VbTimer(const QString& name, QObject* parent = nullptr);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int32_t Interval() const { return m_interval; }
    // 0..65535 ms; anything else raises VbError 380 "Invalid property value".
    void setInterval(int32_t milliseconds);

    bool isTicking() const { return m_timer.isActive(); }

signals:
    void Timer();

private:
    void restart();

    QTimer m_timer;
    bool m_enabled = true;
    int32_t m_interval = 0;
};
