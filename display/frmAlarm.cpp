#include "display/frmAlarm.h"

#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/MediaFile.h"
#include "display/ProgramFolder.h"
#include "foundation/ErrorReport.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "foundation/clsPSFileUtilities.h"
#include "platform/PointerLayers.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QShortcut>

#include <cmath>

namespace {

// Design of the window: client 5985 x 3090 twips, the button 1530 x 375 at 4290, 2430. The button
// keeps its distance to the bottom right corner when the window covers the screen.
constexpr double kDesignClientWidth = 5985, kDesignClientHeight = 3090;
constexpr double kButtonLeft = 4290, kButtonTop = 2430, kButtonWidth = 1530, kButtonHeight = 375;

void reportError(const platform::VbError& error)
{
    if (auto* ui = platform::services().ui)
        ui->msgBox(errorReport(error), platform::vbmsg::vbOKOnly);
}

// Runs one step of the load; a run-time error is shown and the load goes on.
template <class Step> void guarded(Step&& step)
{
    try {
        step();
    } catch (const platform::VbError& error) {
        reportError(error);
    }
}

void setMousePointer(int pointer)
{
    if (auto* ui = platform::services().ui)
        ui->setMousePointer(pointer);
}

} // namespace

frmAlarm::frmAlarm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmAlarm"));
    setWindowTitle(QString());
    m_c1eAlarm = new ElasticPanel(QStringLiteral("c1eAlarm"), this);
    m_c1eAlarm->setFontName(QStringLiteral("Times New Roman"));
    m_c1eAlarm->setFontSize(14.25f);
    m_c1eAlarm->setFontBold(false);
    m_command1 = new QPushButton(QStringLiteral("&Ok"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setToolTip(QStringLiteral("This is your Vantrel Alarm form"));
    connect(m_command1, &QPushButton::clicked, this, &frmAlarm::Command1_Click);
    // The button is no dialog's default button, so the keys are bound to it for the whole window.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, m_command1, &QPushButton::click);
    }
    // Without a cursor of its own an X window shows the server's default cross.
    setCursor(Qt::ArrowCursor);
    resize(static_cast<int>(kDesignClientWidth / 15), static_cast<int>(kDesignClientHeight / 15));
}

frmAlarm::~frmAlarm()
{
    restorePointer();
}

frmAlarm& frmAlarm::instance()
{
    // Lives as long as the program's context, as a VB form lives until the program ends.
    std::unique_ptr<frmAlarm>& shared = DisplayContext::current().alarm;
    if (!shared)
        shared = std::make_unique<frmAlarm>();
    return *shared;
}

void frmAlarm::setVisible(bool visible)
{
    if (!visible || m_loaded || isVisible()) {
        QWidget::setVisible(visible);
        return;
    }
    m_loaded = true;
    m_activeBefore = QApplication::activeWindow();
    Form_Load();
    // Shown even when placing it failed; a message box of the load may have taken the focus.
    if (!isVisible())
        placeAndShow();
    else
        takeFocus();
}

// A modal dialog (the startup wizard, a message box, the open dialog) blocks every window shown
// after it unless that window is modal itself; the newest modal window gets the input.
void frmAlarm::placeAndShow()
{
    setWindowModality(QGuiApplication::modalWindow() ? Qt::ApplicationModal : Qt::NonModal);
    QWidget::setVisible(true);
    showArrowPointer();
    takeFocus();
}

void frmAlarm::takeFocus()
{
    raise();
    activateWindow();
    m_command1->setFocus(Qt::ActiveWindowFocusReason);
}

// The program-wide pointer (the screen saver's hidden one, say) would hide the window's own: an
// arrow goes over it until the window closes.
void frmAlarm::showArrowPointer()
{
    if (m_arrowPointer == 0)
        m_arrowPointer = platform::pointerLayers::add(Qt::ArrowCursor);
}

void frmAlarm::restorePointer()
{
    platform::pointerLayers::remove(m_arrowPointer);
    m_arrowPointer = 0;
}

void frmAlarm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_c1eAlarm->Move(0, 0, width() * panelTwipsPerPixelX(), height() * panelTwipsPerPixelY());
    placeCommand1();
}

void frmAlarm::placeCommand1()
{
    const double tx = panelTwipsPerPixelX(), ty = panelTwipsPerPixelY();
    const int rightGap = static_cast<int>(std::nearbyint((kDesignClientWidth - kButtonLeft - kButtonWidth) / tx));
    const int bottomGap = static_cast<int>(std::nearbyint((kDesignClientHeight - kButtonTop - kButtonHeight) / ty));
    const int w = static_cast<int>(std::nearbyint(kButtonWidth / tx));
    const int h = static_cast<int>(std::nearbyint(kButtonHeight / ty));
    m_command1->setGeometry(width() - rightGap - w, height() - bottomGap - h, w, h);
    m_command1->raise();
}

void frmAlarm::Form_Load()
{
    guarded([] { setMousePointer(platform::vbcursor::vbHourglass); });
    guarded([this] {
        QRect screenRect(0, 0, 800, 600);
        if (auto* screen = platform::services().screen) {
            screenRect.setWidth(static_cast<int>(std::nearbyint(screen->widthTwips() / panelTwipsPerPixelX())));
            screenRect.setHeight(static_cast<int>(std::nearbyint(screen->heightTwips() / panelTwipsPerPixelY())));
        }
        setGeometry(screenRect);
        if (auto* windows = platform::services().windows)
            windows->setTopMost(this, true);
        placeAndShow();
    });
    guarded([this] { m_c1eAlarm->setPicture(MediaFile::picture(ProgramFolder::inWorkFolder(m_imageFileName))); });
    guarded([this] {
        m_c1eAlarm->setCaption(QStringLiteral("You have reached \r\n") + m_eventCaption + QStringLiteral("\r\n")
                               + vb::format(vb::now(), m_eventDateFormat));
    });
    guarded([this] {
        const QString sound = MediaFile::soundToPlay(ProgramFolder::inWorkFolder(m_soundFile),
                                                     ProgramFolder::AppPath() + QStringLiteral("/Alarm.wav"));
        if (!sound.isEmpty())
            clsPSFileUtilities().Play_AviMCI(sound);
        else if (auto* ui = platform::services().ui)
            ui->msgBox(QStringLiteral("Alarm sound is missing. So RING RING."), platform::vbmsg::vbOKOnly);
    });
    guarded([] { setMousePointer(platform::vbcursor::vbDefault); });
}

void frmAlarm::Command1_Click()
{
    close();
}

void frmAlarm::closeEvent(QCloseEvent* event)
{
    // Unloading forgets the form's values; the next opener sets them afresh. A sound still
    // playing goes on.
    QWidget::closeEvent(event);
    restorePointer();
    // Without a window manager nothing else gives the keys back to the dialog below.
    if (QWidget* below = m_activeBefore.data(); below && below != this && below->isVisible()) {
        hide();
        below->activateWindow();
    }
    m_activeBefore.clear();
    m_loaded = false;
    m_imageFileName.clear();
    m_eventCaption.clear();
    m_soundFile.clear();
    m_eventDateFormat.clear();
    m_c1eAlarm->setPicture(QImage());
}
