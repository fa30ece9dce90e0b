#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QAudioOutput;
class QMediaPlayer;
class QTimer;
class QToolButton;

// A multimedia control: a row of buttons over one media player, driven by command texts
// ("Open", "Close", "Play", "Pause", "Stop", "Prev", "Next") as the player form uses it.
// Times are in milliseconds. A button click raises its signal, then does the button's action.
class MMControl : public QWidget {
    Q_OBJECT

public:
    // Mode values as the control reports them.
    enum Mode { NotOpen = 524, Stopped = 525, Playing = 526, Paused = 529 };

    explicit MMControl(QWidget* parent = nullptr);
    ~MMControl() override;

    QString DeviceType() const { return m_deviceType; }
    void setDeviceType(const QString& type) { m_deviceType = type; }
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& path) { m_fileName = path; }
    QString TimeFormat() const { return m_timeFormat; }
    void setTimeFormat(const QString& format) { m_timeFormat = format; }
    bool Shareable() const { return m_shareable; }
    void setShareable(bool shareable) { m_shareable = shareable; }
    // Start position of the next "Play" only.
    void setFrom(qint64 position) { m_from = position; }
    qint64 Length() const;
    qint64 Position() const;
    int Mode() const;
    int UpdateInterval() const { return m_updateInterval; }
    // 0 stops the status updates.
    void setUpdateInterval(int milliseconds);

    // Runs a command. A failed "Open" raises platform::VbError with the multimedia error number.
    void setCommand(const QString& command);

    // Longest time an "Open" waits for the media to load.
    void setOpenWaitLimit(int milliseconds) { m_openWaitLimit = milliseconds; }

signals:
    void PrevClick();
    void NextClick();
    void PlayClick();
    void PauseClick();
    void StopClick();
    void StatusUpdate();

private:
    void open();
    void close();
    QToolButton* addButton(const QString& name, const QString& text, void (MMControl::*clicked)(),
                           const QString& action);

    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QMediaPlayer> m_player;
    QTimer* m_statusTimer = nullptr;
    QString m_deviceType;
    QString m_fileName;
    QString m_timeFormat;
    bool m_shareable = false;
    bool m_open = false;
    qint64 m_from = -1;
    int m_updateInterval = 0;
    int m_openWaitLimit = 10000;
};
