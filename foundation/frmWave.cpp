#include "foundation/frmWave.h"

#include "foundation/MMControl.h"
#include "foundation/VbValues.h"
#include "foundation/modMedia.h"
#include "platform/VbError.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

frmWave::frmWave(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmWave"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_mciWave = new MMControl(this);
    m_mciWave->setObjectName(QStringLiteral("mciWave"));
    m_hsbWave = new QScrollBar(Qt::Horizontal, this);
    m_hsbWave->setObjectName(QStringLiteral("hsbWave"));
    m_hsbWave->setRange(0, 100);
    m_lblWave = new QLabel(this);
    m_lblWave->setObjectName(QStringLiteral("lblWave"));
    m_lblWaveSec = new QLabel(this);
    m_lblWaveSec->setObjectName(QStringLiteral("lblWaveSec"));
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);

    auto* captions = new QHBoxLayout;
    captions->addWidget(m_lblWave);
    captions->addStretch();
    captions->addWidget(m_lblWaveSec);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_mciWave);
    layout->addWidget(m_hsbWave);
    layout->addLayout(captions);

    connect(m_hsbWave, &QScrollBar::sliderMoved, this, &frmWave::hsbWave_Scroll);
    connect(m_timer1, &QTimer::timeout, this, &frmWave::Timer1_Timer);
    connect(m_mciWave, &MMControl::StatusUpdate, this, &frmWave::mciWave_StatusUpdate);
    connect(m_mciWave, &MMControl::PlayClick, this, &frmWave::mciWave_PlayClick);
    connect(m_mciWave, &MMControl::PrevClick, this, &frmWave::mciWave_PrevClick);
    connect(m_mciWave, &MMControl::NextClick, this, &frmWave::mciWave_NextClick);
    connect(m_mciWave, &MMControl::PauseClick, this, &frmWave::mciWave_PauseClick);
    connect(m_mciWave, &MMControl::StopClick, this, &frmWave::mciWave_StopClick);
}

void frmWave::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
}

void frmWave::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void frmWave::Form_Load()
{
    m_loaded = true;
    m_mciWave->setShareable(true);
    if (!OpenMedia(m_filename))
        return;
    m_mciWave->setCommand(QStringLiteral("Play"));
    m_mciWave->setUpdateInterval(50);
    m_timer1->start();
}

bool frmWave::OpenMedia(const QString& path)
{
    m_mciWave->setDeviceType(path.right(3).toLower() == QLatin1String("mp3") ? QStringLiteral("MPEGVideo")
                                                                           : QStringLiteral("WaveAudio"));
    m_mciWave->setUpdateInterval(0);
    m_mciWave->setCommand(QStringLiteral("Close"));
    m_mciWave->setFileName(path);
    try {
        m_mciWave->setCommand(QStringLiteral("Open"));
    } catch (const platform::VbError& error) {
        modMedia::ShowMciError(error.number);
        close();
        return false;
    }
    m_mciWave->setTimeFormat(QStringLiteral("milliseconds"));
    m_lblWave->setText(QStringLiteral("0.0"));
    m_lblWaveSec->setText(vb::formatNumber(static_cast<double>(m_mciWave->Length()) / 1000.0, QStringLiteral("0.00")));
    m_hsbWave->setValue(0);
    return true;
}

void frmWave::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer1->stop();
    m_mciWave->setCommand(QStringLiteral("Close"));
}

void frmWave::mciWave_PlayClick()
{
    m_mciWave->setUpdateInterval(50);
    m_timer1->start();
}

void frmWave::mciWave_PrevClick()
{
    m_timer1->stop();
    m_mciWave->setCommand(QStringLiteral("Prev"));
    m_mciWave->setCommand(QStringLiteral("Play"));
    m_timer1->start();
}

void frmWave::mciWave_NextClick()
{
    m_timer1->stop();
    m_mciWave->setCommand(QStringLiteral("Next"));
    m_mciWave->setCommand(QStringLiteral("Stop"));
    m_timer1->start();
}

void frmWave::mciWave_PauseClick()
{
    m_timer1->stop();
    m_mciWave->setUpdateInterval(0);
}

void frmWave::mciWave_StopClick()
{
    m_timer1->stop();
    m_mciWave->setUpdateInterval(0);
    m_mciWave->setCommand(QStringLiteral("Stop"));
}

void frmWave::hsbWave_Scroll()
{
    m_timer1->stop();
    m_mciWave->setCommand(QStringLiteral("Pause"));
    m_mciWave->setFrom(static_cast<qint64>(
        std::nearbyint(m_hsbWave->value() / 100.0 * static_cast<double>(m_mciWave->Length()))));
    m_mciWave->setCommand(QStringLiteral("Play"));
    m_timer1->start();
}

void frmWave::mciWave_StatusUpdate()
{
    if (m_mciWave->Mode() != MMControl::Playing) {
        m_hsbWave->setValue(m_hsbWave->maximum());
        m_mciWave->setUpdateInterval(0);
        return;
    }
    const double length = static_cast<double>(m_mciWave->Length());
    // A stream whose length is not known yet has no percentage to show.
    if (length <= 0)
        return;
    const double remaining = length - static_cast<double>(m_mciWave->Position());
    const int played = 100 - static_cast<int>(std::nearbyint(remaining / length * 100.0));
    m_hsbWave->setValue(played > m_hsbWave->maximum() ? 100 : played);
}

void frmWave::Timer1_Timer()
{
    mciWave_StatusUpdate();
}
