// The media operations of clsPSFileUtilities: sounds and videos through the MCI service.
#include "foundation/clsPSFileUtilities.h"
#include "platform/FileSystem.h"
#include "platform/Mci.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

using namespace platform::vbmsg;

namespace {

const QString kNotLocated = QStringLiteral("Multi-Media File Not Located");

bool isMp3(const QString& path)
{
    return path.right(4).toLower() == QStringLiteral(".mp3");
}

int32_t send(const QString& command, QString* reply = nullptr)
{
    return platform::services().mci->sendString(command, reply);
}

// Reply buffer of the commands that ask for one; the reply itself is never used.
QString replyBuffer()
{
    return QString(127, u' ');
}

} // namespace

void clsPSFileUtilities::MediaPlay(int16_t mediaType, const QString& path, quintptr ownerWindow)
{
    m_pellowFileName = path;
    if (!FileExists(path)) {
        platform::services().ui->msgBox(
            QStringLiteral("Media ") + platform::fs::toNative(path)
                + QStringLiteral(" multimedia file is missing. Please import or create a new one"),
            vbInformation);
        return;
    }
    if (mediaType != 1 && mediaType != 2)
        return;
    if (isMp3(path))
        PlayMp3MCI(path);
    else
        Play_Avi(path, ownerWindow);
}

void clsPSFileUtilities::Play_Avi(const QString& path, quintptr ownerWindow)
{
    m_pellowFileName = path;
    if (!FileExists(path)) {
        platform::services().ui->msgBox(kNotLocated, vbInformation);
        return;
    }
    InternetOpen(path, ownerWindow);
}

void clsPSFileUtilities::Play_AviMCI(const QString& path)
{
    if (!FileExists(path)) {
        platform::services().ui->msgBox(kNotLocated, vbInformation);
        return;
    }
    if (isMp3(path)) {
        PlayMp3MCI(path);
        return;
    }
    // Video device failures are not reported: the sound is a nicety, never a reason to stop.
    QString reply = replyBuffer();
    send(QStringLiteral("close ") + kVideoAlias, &reply);
    send(QStringLiteral("open \"") + path + QStringLiteral("\" type avivideo alias ") + kVideoAlias, &reply);
    send(QStringLiteral("set ") + kVideoAlias + QStringLiteral(" time format milliseconds"), &reply);
    const int32_t played = send(QStringLiteral("play ") + kVideoAlias + QStringLiteral(" from 0"), &reply);
    // Only a missing sound output is told: the user would otherwise wait for a sound in vain.
    if (played == platform::mcierr::DeviceNotReady)
        platform::services().ui->msgBox(sMciErrorString(played), vbOKOnly);
}

void clsPSFileUtilities::Close_AviMCI()
{
    QString reply = replyBuffer();
    send(QStringLiteral("close ") + kVideoAlias, &reply);
}

QString clsPSFileUtilities::sMciErrorString(int32_t error)
{
    const QString text = RemoveNulls(platform::services().mci->errorString(error));
    return text.isEmpty() ? QStringLiteral("An unknown MCI error occurred.") : text;
}

QString clsPSFileUtilities::sShortPathName(const QString& path)
{
    // No short names here: the path itself, quoted where a command string holds it.
    return RemoveNulls(path);
}

void clsPSFileUtilities::PlayMp3MCI(const QString& path)
{
    const QString shortPath = sShortPathName(path);
    const QString open = QStringLiteral("open \"") + shortPath + QStringLiteral("\" type MPEGVideo alias ")
        + kMp3Alias + QStringLiteral(" wait");
    QString reply = replyBuffer();
    int32_t result = send(open, &reply);
    if (result > 0) {
        // The alias is still held by an earlier sound: the new sound replaces it.
        send(QStringLiteral("close all"), &reply);
        result = send(open, &reply);
    }
    if (result != 0) {
        platform::services().ui->msgBox(sMciErrorString(result), vbOKOnly);
        return;
    }
    const int32_t played = send(QStringLiteral("play ") + kMp3Alias, &reply);
    if (played != 0)
        platform::services().ui->msgBox(sMciErrorString(played), vbOKOnly);
}
