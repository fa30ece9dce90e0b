#include "saver/frmCountdownScreenSaver.h"

#include "countdown/clsCountdown.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/ProgramEnd.h"
#include "display/VbTimer.h"
#include "display/modCountdownLayout.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "platform/Windows.h"
#include "saver/modVantrelnScreenSaver.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>

#include <optional>

namespace {

// The text panels switched off while the layout moves them.
constexpr int kFirstSwitchedBox = 1;
constexpr int kLastSwitchedBox = 6;

// The first 21 movements over a panel are absorbed: a screen saver must survive the jitter of
// a mouse that is only touched, not moved on purpose.
constexpr int32_t kAbsorbedMoves = 21;

platform::Windows* windowsService()
{
    return platform::services().windows;
}

// A message box the screen saver shows has the input while it is up, and a key held down from
// answering it repeats on the screen saver once it is gone: neither is the user's wish to end.
bool answersAMessage(const QWidget& saver, const QEvent& event)
{
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != &saver)
        return true;
    return event.type() == QEvent::KeyPress && static_cast<const QKeyEvent&>(event).isAutoRepeat();
}

bool endsScreenSaver(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

frmCountdownScreenSaver::frmCountdownScreenSaver(QWidget* parent)
    : CountdownWindow(parent)
{
    setObjectName(QStringLiteral("frmCountdownScreenSaver"));
    Timer1()->setInterval(10);
    Timer1()->setEnabled(true);
    connectPanelEvents();
    // Watched application-wide: a panel, the status bar or whatever widget has the focus would
    // otherwise take the input before the window sees it.
    qApp->installEventFilter(this);
}

bool frmCountdownScreenSaver::eventFilter(QObject* watched, QEvent* event)
{
    if (endsScreenSaver(event->type()) && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        // Swallowed either way, so that no handler of the window's ends it instead.
        if (!answersAMessage(*this, *event))
            EndScreenSaver();
        return true;
    }
    return CountdownWindow::eventFilter(watched, event);
}

void frmCountdownScreenSaver::connectPanelEvents()
{
    using Self = frmCountdownScreenSaver;
    const auto wire = [this](ElasticPanel* panel, void (Self::*click)(), void (Self::*dblClick)(),
                             void (Self::*keyDown)(int, int), void (Self::*keyPress)(int),
                             void (Self::*mouseDown)(int, int, float, float),
                             void (Self::*mouseMove)(int, int, float, float)) {
        connect(panel, &ElasticPanel::Click, this, click);
        connect(panel, &ElasticPanel::DblClick, this, dblClick);
        connect(panel, &ElasticPanel::KeyDown, this, keyDown);
        connect(panel, &ElasticPanel::KeyPress, this, keyPress);
        connect(panel, &ElasticPanel::MouseDown, this, mouseDown);
        connect(panel, &ElasticPanel::MouseMove, this, mouseMove);
    };
    wire(c1eEventCaption(), &Self::c1eEventCaption_UserInput9, &Self::c1eEventCaption_UserInput10,
         &Self::c1eEventCaption_UserInput11, &Self::c1eEventCaption_UserInput12,
         &Self::c1eEventCaption_UserInput14, &Self::c1eEventCaption_UserInput15);
    wire(c1eEventDate(), &Self::c1eEventDate_UserInput9, &Self::c1eEventDate_UserInput10,
         &Self::c1eEventDate_UserInput11, &Self::c1eEventDate_UserInput12,
         &Self::c1eEventDate_UserInput14, &Self::c1eEventDate_UserInput15);
    wire(c1eImage(), &Self::c1eImage_UserInput9, &Self::c1eImage_UserInput10,
         &Self::c1eImage_UserInput11, &Self::c1eImage_UserInput12, &Self::c1eImage_UserInput14,
         &Self::c1eImage_UserInput15);
    for (int index = 0; index <= 6; ++index) {
        ElasticPanel* box = c1eIntervalsLeft(index);
        connect(box, &ElasticPanel::Click, this, [this, index] { c1eIntervalsLeft_UserInput9(index); });
        connect(box, &ElasticPanel::DblClick, this, [this, index] { c1eIntervalsLeft_UserInput10(index); });
        connect(box, &ElasticPanel::KeyDown, this,
                [this, index](int keyCode, int shift) { c1eIntervalsLeft_UserInput11(index, keyCode, shift); });
        connect(box, &ElasticPanel::KeyPress, this,
                [this, index](int keyAscii) { c1eIntervalsLeft_UserInput12(index, keyAscii); });
        connect(box, &ElasticPanel::MouseDown, this, [this, index](int button, int shift, float x, float y) {
            c1eIntervalsLeft_UserInput14(index, button, shift, x, y);
        });
        connect(box, &ElasticPanel::MouseMove, this, [this, index](int button, int shift, float x, float y) {
            c1eIntervalsLeft_UserInput15(index, button, shift, x, y);
        });
    }
}

void frmCountdownScreenSaver::Form_Load()
{
    const ErrorTrap trap = messageTrap();
    runStep(trap, [] { platform::services().ui->setMousePointer(platform::vbcursor::vbHourglass); });
    // The template label only carries the path here: the screen saver has no handler that
    // would store it as a setting.
    loadCountdown(modVantrelnScreenSaver::CountdownPath(),
                  [this, &trap] {
                      runStep(trap, [this] { lblTemplateFileName()->setCaption(modVantrelnScreenSaver::CountdownPath()); });
                  },
                  trap);
    runStep(trap, [] { platform::services().ui->setMousePointer(platform::vbcursor::vbDefault); });
}

void frmCountdownScreenSaver::Timer1_Timer()
{
    if (m_ending || m_tickFailed)
        return;
    // The tick has no trap of its own: its first error ends the screen saver with the error's
    // message, as an error nobody handles ends a program. Letting it escape into the event loop
    // would abort the process instead; and since the timer fires every 10 ms, it is stopped
    // before the message is shown.
    std::optional<platform::VbError> failure;
    try {
        runCountdownTick({});
    } catch (const platform::VbError& error) {
        failure = error;
    }
    if (!failure)
        return;
    m_tickFailed = true;
    Timer1()->setEnabled(false);
    messageTrap()(*failure);
    EndScreenSaver();
}

void frmCountdownScreenSaver::EndScreenSaver()
{
    if (m_ending)
        return;
    m_ending = true;
    if (platform::Windows* windows = windowsService()) {
        windows->showCursor(true);
        windows->setTopMost(this, false);
        move(0, 0);
        windows->setScreenSaverRunning(false);
    }
    close();
    if (!ProgramEnd::isEnding())
        ProgramEnd::End();
}

void frmCountdownScreenSaver::countMove(int32_t& moves)
{
    if (moves < kAbsorbedMoves)
        ++moves;
    else
        EndScreenSaver();
}

void frmCountdownScreenSaver::lblLayout_Change()
{
    const auto switchTextPanels = [this](bool on) {
        c1eEventCaption()->setAutoRedraw(on);
        c1eEventDate()->setAutoRedraw(on);
        for (int index = kFirstSwitchedBox; index <= kLastSwitchedBox; ++index)
            c1eIntervalsLeft(index)->setAutoRedraw(on);
    };
    switchTextPanels(false);
    modCountdown::LayoutCountdownForm(*this);
    switchTextPanels(true);
}

void frmCountdownScreenSaver::lblCountdownFileName_Change()
{
    if (::clsCountdown* countdown = clsCountdown())
        countdown->setCountdownFileName(lblCountdownFileName()->Caption());
}

void frmCountdownScreenSaver::Form_KeyDown(int, int) { EndScreenSaver(); }
void frmCountdownScreenSaver::Form_KeyPress(int) { EndScreenSaver(); }
void frmCountdownScreenSaver::Form_MouseDown(int, int, float, float) { EndScreenSaver(); }

void frmCountdownScreenSaver::Form_Resize()
{
    const int16_t state = WindowState();
    if (state == 0 || state == 2)
        modCountdown::LayoutCountdownForm(*this);
}

void frmCountdownScreenSaver::Form_Unload()
{
    // Nothing is compared or saved: the screen saver only shows the countdown.
    releaseCountdown();
    if (!ProgramEnd::isEnding())
        ProgramEnd::End();
}

void frmCountdownScreenSaver::c1eEventCaption_UserInput9() { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventCaption_UserInput10() { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventCaption_UserInput11(int, int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventCaption_UserInput12(int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventCaption_UserInput14(int, int, float, float) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventCaption_UserInput15(int, int, float, float) { countMove(m_moveEventCaption); }

void frmCountdownScreenSaver::c1eEventDate_UserInput9() { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventDate_UserInput10() { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventDate_UserInput11(int, int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventDate_UserInput12(int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventDate_UserInput14(int, int, float, float) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eEventDate_UserInput15(int, int, float, float) { countMove(m_moveEventDate); }

void frmCountdownScreenSaver::c1eImage_UserInput9() { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eImage_UserInput10() { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eImage_UserInput11(int, int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eImage_UserInput12(int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eImage_UserInput14(int, int, float, float) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eImage_UserInput15(int, int, float, float) { countMove(m_moveImage); }

void frmCountdownScreenSaver::c1eIntervalsLeft_UserInput9(int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eIntervalsLeft_UserInput10(int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eIntervalsLeft_UserInput11(int, int, int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eIntervalsLeft_UserInput12(int, int) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eIntervalsLeft_UserInput14(int, int, int, float, float) { EndScreenSaver(); }
void frmCountdownScreenSaver::c1eIntervalsLeft_UserInput15(int, int, int, float, float)
{
    countMove(m_moveIntervalsLeft);
}
