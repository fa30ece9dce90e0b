#include "platform/MediaMci.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace platform {

struct MediaMci::Device {
    std::unique_ptr<QAudioOutput> audio;
    std::unique_ptr<QMediaPlayer> player;
    QString type;
};

namespace {

bool isKnownType(const QString& type)
{
    return type.isEmpty() || type == QLatin1String("mpegvideo") || type == QLatin1String("avivideo") ||
           type == QLatin1String("waveaudio");
}

// Runs the event loop until done() holds or the limit passes.
template <typename Done>
void waitUntil(QMediaPlayer& player, int limitMs, Done done)
{
    if (done())
        return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto check = [&] {
        if (done())
            loop.quit();
    };
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, check);
    QObject::connect(&player, &QMediaPlayer::playbackStateChanged, &loop, check);
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    limit.start(limitMs);
    loop.exec();
}

} // namespace

MediaMci::MediaMci() = default;
MediaMci::~MediaMci() = default;

QString MediaMci::errorString(int32_t error)
{
    return mciErrorText(error);
}

MediaMci::Device* MediaMci::find(const QString& alias)
{
    const auto it = devices_.find(alias.toLower());
    return it == devices_.end() ? nullptr : it->get();
}

int32_t MediaMci::sendString(const QString& text, QString* returned)
{
    if (returned)
        returned->clear();
    MciCommand command;
    if (const int32_t error = parseMciCommand(text, &command))
        return error;
    if (command.verb == MciCommand::Verb::Open)
        return open(command);
    if (command.verb == MciCommand::Verb::Close)
        return close(command.device);
    Device* device = find(command.device);
    if (!device)
        return mcierr::InvalidDeviceName;
    QMediaPlayer& player = *device->player;
    switch (command.verb) {
    case MciCommand::Verb::Play: return play(*device, command);
    case MciCommand::Verb::Stop:
    case MciCommand::Verb::Pause:
        player.pause();
        return 0;
    case MciCommand::Verb::Resume:
        player.play();
        return 0;
    case MciCommand::Verb::Seek:
        player.pause();
        player.setPosition(*command.to < 0 ? player.duration() : *command.to);
        return 0;
    case MciCommand::Verb::Set: return 0; // milliseconds is the only time format kept
    case MciCommand::Verb::Status: return status(*device, command.item, returned);
    default: return mcierr::UnrecognizedCommand;
    }
}

int32_t MediaMci::open(const MciCommand& command)
{
    if (find(command.alias))
        return mcierr::DuplicateAlias;
    if (!isKnownType(command.type))
        return mcierr::InvalidDeviceName;
    QString native;
    try {
        native = fs::resolve(command.device);
    } catch (const VbError&) {
        return mcierr::FileNotFound;
    }
    if (!QFileInfo(native).isFile())
        return mcierr::FileNotFound;
    auto device = std::make_shared<Device>();
    device->type = command.type;
    device->audio = std::make_unique<QAudioOutput>();
    device->player = std::make_unique<QMediaPlayer>();
    device->player->setAudioOutput(device->audio.get());
    device->player->setSource(QUrl::fromLocalFile(QFileInfo(native).absoluteFilePath()));
    QMediaPlayer& player = *device->player;
    // Open completes before the call returns, as the device is queried right after it.
    waitUntil(player, waitLimit_, [&] {
        const auto s = player.mediaStatus();
        return s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::InvalidMedia || player.error() != QMediaPlayer::NoError;
    });
    if (player.mediaStatus() == QMediaPlayer::InvalidMedia || player.error() != QMediaPlayer::NoError)
        return mcierr::InvalidFile;
    devices_.insert(command.alias.toLower(), device);
    return 0;
}

int32_t MediaMci::close(const QString& alias)
{
    if (alias.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        for (auto& device : devices_)
            device->player->stop();
        devices_.clear();
        return 0;
    }
    const auto it = devices_.find(alias.toLower());
    if (it == devices_.end())
        return mcierr::InvalidDeviceName;
    (*it)->player->stop();
    devices_.erase(it);
    return 0;
}

int32_t MediaMci::play(Device& device, const MciCommand& command)
{
    QMediaPlayer& player = *device.player;
    // Without an output the player runs silently to the end and says nothing: the play fails.
    if (!(hasSoundOutput_ ? hasSoundOutput_() : !QMediaDevices::audioOutputs().isEmpty()))
        return mcierr::DeviceNotReady;
    if (command.from)
        player.setPosition(*command.from);
    player.play();
    if (command.wait) {
        waitUntil(player, waitLimit_, [&] {
            return player.mediaStatus() == QMediaPlayer::EndOfMedia ||
                   player.playbackState() == QMediaPlayer::StoppedState;
        });
    }
    return player.error() == QMediaPlayer::NoError ? 0 : mcierr::HardwareError;
}

int32_t MediaMci::status(Device& device, const QString& item, QString* returned)
{
    QMediaPlayer& player = *device.player;
    QString reply;
    if (item == QLatin1String("length")) {
        reply = QString::number(player.duration());
    } else if (item == QLatin1String("position")) {
        reply = QString::number(player.position());
    } else if (item == QLatin1String("ready")) {
        reply = player.mediaStatus() == QMediaPlayer::LoadingMedia ? QStringLiteral("false") : QStringLiteral("true");
    } else {
        switch (player.playbackState()) {
        case QMediaPlayer::PlayingState: reply = QStringLiteral("playing"); break;
        case QMediaPlayer::PausedState: reply = QStringLiteral("paused"); break;
        default: reply = QStringLiteral("stopped"); break;
        }
    }
    if (returned)
        *returned = reply;
    return 0;
}

} // namespace platform
