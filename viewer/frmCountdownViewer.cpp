#include "viewer/frmCountdownViewer.h"

#include "countdown/OpenedPackage.h"
#include "countdown/clsCountdown.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/MediaFile.h"
#include "display/ProgramEnd.h"
#include "display/VbTimer.h"
#include "display/modCountdown.h"
#include "display/modCountdownLayout.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsStringUtilities.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "viewer/WebAddress.h"
#include "viewer/frmStartupWizard.h"
#include "viewer/modVantrelViewer.h"

#include <QImage>

namespace {

void setMousePointer(int pointer)
{
    if (platform::Ui* ui = platform::services().ui)
        ui->setMousePointer(pointer);
}

void message(const QString& text)
{
    if (platform::Ui* ui = platform::services().ui)
        ui->msgBox(text, platform::vbmsg::vbOKOnly);
}

QString nowText() { return vb::dateText(vb::now()); }

QString inWorkFolder(const QString& name)
{
    return modVantrelViewer::AppPath() + QStringLiteral("\\Temp\\") + name;
}

} // namespace

frmCountdownViewer::frmCountdownViewer(QWidget* parent) : CountdownWindow(parent)
{
    setObjectName(QStringLiteral("frmCountdownViewer"));
}

void frmCountdownViewer::Show()
{
    Form_Load();
    if (ProgramEnd::isEnding())
        return;
    // The frame, known only some time after showing, does not count as a change of the window:
    // the form places itself again at the geometry the load gave it once the frame appears.
    show();
}

void frmCountdownViewer::Form_Load()
{
    const ErrorTrap trap = messageTrap();
    runStep(trap, [] { setMousePointer(platform::vbcursor::vbHourglass); });
    loadCountdown(
        modVantrelViewer::CurrentFile(),
        [this, &trap] {
            runStep(trap, [this] { Timer1()->setInterval(0); });
            runStep(trap, [this] { lblTemplateFileName()->setCaption(modVantrelViewer::CurrentFile()); });
        },
        trap);
    runStep(trap, [this] {
        const bool seconds = clsCountdown() && clsCountdown()->IntervalSeconds();
        Timer1()->setInterval(seconds ? kSecondsInterval : kMinutesInterval);
    });
    modVantrelViewer::WindowResized() = 0;
    runStep(trap, [] { setMousePointer(platform::vbcursor::vbDefault); });
}

bool frmCountdownViewer::SaveMe(::clsCountdown& countdown, CountdownForm& form)
{
    const QString packagePath = form.lblTemplateFileName()->Caption();
    // Only into the package that opened and that nothing else has changed since.
    if (!OpenedPackage::maySave(packagePath))
        return false;
    if (!modCountdown::SaveFormToCountdown(countdown, form, false))
        return false;
    OpenedPackage::rememberSaved(packagePath);
    return true;
}

bool frmCountdownViewer::workFolderHoldsItsCountdown() const
{
    return OpenedPackage::isOpened(modVantrelViewer::CurrentFile());
}

// ---- hidden labels ------------------------------------------------------------------------

void frmCountdownViewer::lblCountdownFileName_Change()
{
    if (clsCountdown())
        clsCountdown()->setCountdownFileName(lblCountdownFileName()->Caption());
    setCaption(kCaption);
}

void frmCountdownViewer::lblTemplateFileName_Change()
{
    clsStringUtilities strings;
    strings.PutIniString(modVantrelViewer::kMakerSection, ProgramTexts::kLastOpenTemplateKey,
                         lblTemplateFileName()->Caption());
}

void frmCountdownViewer::lblLayout_Change()
{
    modCountdown::LayoutCountdownForm(*this);
}

void frmCountdownViewer::lblSaveme_Change()
{
    if (!clsCountdown())
        return;
    // A step of the save that raises (and is reported by the caller's trap) fails it too.
    m_saveFailed = true;
    m_saveFailed = !SaveMe(*clsCountdown(), *this);
}

void frmCountdownViewer::lblPlaysound_Change()
{
    const QString sound = MediaFile::soundToPlay(inWorkFolder(lblSoundFile()->Caption()),
                                                 modVantrelViewer::AppPath() + QStringLiteral("/BELL.MP3"));
    if (sound.isEmpty()) {
        message(QStringLiteral("Alarm sound is missing. So RING RING."));
        return;
    }
    clsPSFileUtilities files;
    files.Play_AviMCI(sound);
}

// ---- window events ------------------------------------------------------------------------

void frmCountdownViewer::Form_Resize()
{
    modVantrelViewer::WindowResized() = 1;
    const int16_t state = WindowState();
    if (state == 0 || state == 2)
        runStep(messageTrap(), [this] { modCountdown::LayoutCountdownForm(*this); });
}

void frmCountdownViewer::Form_Unload()
{
    // Only the edges the countdown stores are compared: a purely vertical move is not saved.
    const bool moved = static_cast<double>(Height()) != static_cast<double>(modCountdown::RememberedHeight())
        || static_cast<double>(Left()) != static_cast<double>(modCountdown::RememberedLeft())
        || static_cast<double>(Width()) != static_cast<double>(modCountdown::RememberedWidth());
    if (modVantrelViewer::WindowResized() == 1 && moved)
        runStep(messageTrap(), [this] { lblSaveme()->setCaption(nowText()); });
    releaseCountdown();
    ProgramEnd::End(m_saveFailed ? 1 : 0);
}

void frmCountdownViewer::Timer1_Timer()
{
    Timer1()->setEnabled(false);
    runReportedTick(QStringLiteral("In Timer"));
    Timer1()->setEnabled(true);
}

void frmCountdownViewer::c1eImage_MouseDown(int button, int /*shift*/, float x, float y)
{
    if (button == 2)
        popUpStartupMenu(x, y);
}

void frmCountdownViewer::popRunMenuStartup_Click()
{
    frmStartupWizard::ShowModal(this);
}

void frmCountdownViewer::popMenuPlayAlarm_Click()
{
    lblPlaysound()->setCaption(nowText());
}

void frmCountdownViewer::popRunMenuClsoe_Click()
{
    ProgramEnd::End();
}

void frmCountdownViewer::StatusBar1_PanelClick(int /*index*/, const QString& key)
{
    runStep(messageTrap(), [this, &key] {
        if (key == QLatin1String("PlaySound"))
            lblPlaysound()->setCaption(nowText());
        else if (key == QLatin1String("Start Countdown"))
            startDesigner();
        else if (key == QLatin1String("StatusbarURL"))
            openWebAddress(lblStatusbarURL()->Caption(), this);
        else if (key == kMakerWebSite)
            openWebAddress(makerWebSite(), this);
    });
}

void frmCountdownViewer::startDesigner()
{
    clsPSFileUtilities files;
    const QString program = modVantrelViewer::AppPath() + QStringLiteral("/Vantrel 5.0.exe");
    if (!files.FileExists(program)) {
        message(QStringLiteral("Could not locate the Vantrel Countdown Designer. Please re-install the software."));
        return;
    }
    // The package travels as one argument of its own, so blanks in its path need no quoting.
    modVantrelViewer::ShellProgram(program, QStringList{platform::fs::toNative(modVantrelViewer::CurrentFile())}, 1);
    ProgramEnd::End();
}
