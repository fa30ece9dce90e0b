#include "foundation/MMControl.h"

#include "platform/FileSystem.h"
#include "platform/Mci.h"
#include "platform/VbError.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QMediaPlayer>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

[[noreturn]] void raiseMci(int32_t error)
{
    throw platform::VbError(error, platform::mciErrorText(error));
}

} // namespace

MMControl::MMControl(QWidget* parent)
    : QWidget(parent), m_audio(std::make_unique<QAudioOutput>()), m_player(std::make_unique<QMediaPlayer>())
{
    m_player->setAudioOutput(m_audio.get());
    m_statusTimer = new QTimer(this);
    connect(m_statusTimer, &QTimer::timeout, this, &MMControl::StatusUpdate);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(addButton(QStringLiteral("PrevButton"), QStringLiteral("|<"), &MMControl::PrevClick, QStringLiteral("Prev")));
    row->addWidget(addButton(QStringLiteral("PlayButton"), QStringLiteral(">"), &MMControl::PlayClick, QStringLiteral("Play")));
    row->addWidget(addButton(QStringLiteral("PauseButton"), QStringLiteral("||"), &MMControl::PauseClick, QStringLiteral("Pause")));
    row->addWidget(addButton(QStringLiteral("StopButton"), QStringLiteral("[]"), &MMControl::StopClick, QStringLiteral("Stop")));
    row->addWidget(addButton(QStringLiteral("NextButton"), QStringLiteral(">|"), &MMControl::NextClick, QStringLiteral("Next")));
}

MMControl::~MMControl()
{
    m_player->stop();
}

QToolButton* MMControl::addButton(const QString& name, const QString& text, void (MMControl::*clicked)(),
                                  const QString& action)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    connect(button, &QToolButton::clicked, this, [this, clicked, action] {
        emit(this->*clicked)();
        if (m_open)
            setCommand(action);
    });
    return button;
}

qint64 MMControl::Length() const
{
    return m_open ? m_player->duration() : 0;
}

qint64 MMControl::Position() const
{
    return m_open ? m_player->position() : 0;
}

int MMControl::Mode() const
{
    if (!m_open)
        return NotOpen;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState: return Playing;
    case QMediaPlayer::PausedState: return Paused;
    default: return Stopped;
    }
}

void MMControl::setUpdateInterval(int milliseconds)
{
    m_updateInterval = milliseconds;
    // An interval of 0 means no updates, not a timer that fires all the time.
    if (milliseconds > 0)
        m_statusTimer->start(milliseconds);
    else
        m_statusTimer->stop();
}

void MMControl::setCommand(const QString& command)
{
    const QString verb = command.toLower();
    if (verb == QLatin1String("open")) {
        open();
        return;
    }
    if (verb == QLatin1String("close")) {
        close();
        return;
    }
    if (!m_open)
        raiseMci(platform::mcierr::InvalidDeviceName);
    if (verb == QLatin1String("play")) {
        if (m_from >= 0)
            m_player->setPosition(m_from);
        m_from = -1;
        if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia)
            m_player->setPosition(0);
        m_player->play();
    } else if (verb == QLatin1String("pause")) {
        m_player->pause();
    } else if (verb == QLatin1String("stop")) {
        m_player->stop();
    } else if (verb == QLatin1String("prev")) {
        m_player->setPosition(0);
    } else if (verb == QLatin1String("next")) {
        m_player->setPosition(m_player->duration());
    } else {
        raiseMci(platform::mcierr::UnrecognizedCommand);
    }
}

void MMControl::open()
{
    close();
    QString native;
    try {
        native = platform::fs::resolve(m_fileName);
    } catch (const platform::VbError&) {
        raiseMci(platform::mcierr::FileNotFound);
    }
    if (m_fileName.isEmpty() || !platform::fs::isNativeFile(native))
        raiseMci(platform::mcierr::FileNotFound);
    m_player->setSource(QUrl::fromLocalFile(platform::fs::absoluteNative(native)));
    // The length is read right after the open, so the media must be loaded first.
    if (m_player->mediaStatus() == QMediaPlayer::LoadingMedia && m_player->error() == QMediaPlayer::NoError) {
        QEventLoop loop;
        connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &loop, &QEventLoop::quit);
        connect(m_player.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(m_openWaitLimit, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (m_player->mediaStatus() != QMediaPlayer::LoadedMedia || m_player->error() != QMediaPlayer::NoError) {
        m_player->setSource(QUrl());
        raiseMci(platform::mcierr::InvalidFile);
    }
    m_open = true;
}

void MMControl::close()
{
    m_player->stop();
    m_player->setSource(QUrl());
    m_open = false;
    m_from = -1;
}
