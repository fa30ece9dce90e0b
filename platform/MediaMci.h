#pragma once

#include "platform/Mci.h"
#include "platform/MciCommand.h"

#include <QMap>

#include <functional>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace platform {

// The MCI command strings played on QMediaPlayer. Devices are kept by alias (compared without
// case) for the life of the process or until closed.
class MediaMci : public Mci {
public:
    MediaMci();
    ~MediaMci() override;

    int32_t sendString(const QString& command, QString* returned = nullptr) override;
    QString errorString(int32_t error) override;

    // Longest time an open or a play "wait" blocks, in milliseconds.
    void setWaitLimit(int milliseconds) { waitLimit_ = milliseconds; }
    // Whether the desktop has a sound output to play on; by default the system's list of outputs.
    void setSoundOutputCheck(std::function<bool()> check) { hasSoundOutput_ = std::move(check); }

private:
    struct Device;
    int32_t open(const MciCommand& command);
    int32_t close(const QString& alias);
    int32_t play(Device& device, const MciCommand& command);
    int32_t status(Device& device, const QString& item, QString* returned);
    Device* find(const QString& alias);

    QMap<QString, std::shared_ptr<Device>> devices_; // key: alias in lower case
    int waitLimit_ = 10000;
    std::function<bool()> hasSoundOutput_;
};

} // namespace platform
