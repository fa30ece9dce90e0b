#pragma once

#include "display/FramedPlacement.h"

#include <QMargins>
#include <QMenu>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class ElasticPanel;
class HiddenLabel;
class StatusBar;
class VbTimer;
class QAction;

// The countdown form shared by the viewer's and the screen saver's countdown windows: every
// named control, the panel tree, the status bar, the timer, the hidden labels and the popup
// menu. The programs derive from it and override the handlers they have; each default does
// nothing. Every handler runs synchronously inside the event or assignment that raises it.
//
// The client area includes the status bar's strip: ScaleWidth/ScaleHeight cover the whole
// inside of the window, and StatusBar1 is drawn over its bottom edge.
class CountdownForm : public QWidget {
    Q_OBJECT
public:
    static const QString kCaption;        // "Vantrel Countdown Clock"
    static const QString kMakerWebSite;   // text, key and tool tip of status-bar panel 7

    explicit CountdownForm(QWidget* parent = nullptr);
    ~CountdownForm() override;

    // Window geometry in twips (outer frame), as VB's Left/Top/Width/Height. Until a window
    // manager has framed the window, the geometry last given is placed again once it has
    // (FramedPlacement).
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    // Inside of the window in twips, status bar strip included.
    float ScaleWidth() const;
    float ScaleHeight() const;
    // 0 normal, 1 minimised, 2 maximised.
    int16_t WindowState() const;
    void setWindowState(int16_t state);
    QString Caption() const;
    void setCaption(const QString& caption);

    // Controls by name.
    ElasticPanel* c1eTop() const { return m_c1eTop; }
    ElasticPanel* c1eImage() const { return m_c1eImage; }
    ElasticPanel* c1eEventCaption() const { return m_c1eEventCaption; }
    ElasticPanel* c1eEventDate() const { return m_c1eEventDate; }
    ElasticPanel* c1eCaptions() const { return m_c1eCaptions; }
    // Raises VbError 340 outside 0..6.
    ElasticPanel* c1eIntervalsLeft(int index) const;
    ElasticPanel* c1eAdvertiserLogo() const { return m_c1eAdvertiserLogo; }
    StatusBar* StatusBar1() const { return m_statusBar1; }
    VbTimer* Timer1() const { return m_timer1; }

    HiddenLabel* lblCountdownFileName() const { return m_lblCountdownFileName; }
    HiddenLabel* lblTemplateFileName() const { return m_lblTemplateFileName; }
    HiddenLabel* lblLoadme() const { return m_lblLoadme; }
    HiddenLabel* lblSaveme() const { return m_lblSaveme; }
    HiddenLabel* lblLayout() const { return m_lblLayout; }
    HiddenLabel* lblPlaysound() const { return m_lblPlaysound; }
    HiddenLabel* lblPlaysoundToggle() const { return m_lblPlaysoundToggle; }
    HiddenLabel* lblSoundFile() const { return m_lblSoundFile; }
    HiddenLabel* lblEventDate() const { return m_lblEventDate; }
    HiddenLabel* lblEventDateFormat() const { return m_lblEventDateFormat; }
    HiddenLabel* lblImageFileName() const { return m_lblImageFileName; }
    HiddenLabel* lblLogoImage() const { return m_lblLogoImage; }
    HiddenLabel* lblCountDirection() const { return m_lblCountDirection; }
    HiddenLabel* lblSaveToFile() const { return m_lblSaveToFile; }
    HiddenLabel* lblSaveToFileFormat() const { return m_lblSaveToFileFormat; }
    HiddenLabel* lblSaveToFileLocation() const { return m_lblSaveToFileLocation; }
    HiddenLabel* lblStatusbarURL() const { return m_lblStatusbarURL; }
    HiddenLabel* lblChangesMade() const { return m_lblChangesMade; }

    QMenu* popMenuStartup() const { return m_popMenuStartup; }
    QAction* popRunMenuStartup() const { return m_popRunMenuStartup; }
    QAction* popMenuPlayAlarm() const { return m_popMenuPlayAlarm; }
    QAction* popRunMenuClsoe() const { return m_popRunMenuClsoe; }

    // The hidden-label change handlers.
    virtual void lblCountdownFileName_Change() {}
    virtual void lblTemplateFileName_Change() {}
    virtual void lblLoadme_Change() {}
    virtual void lblSaveme_Change() {}
    virtual void lblLayout_Change() {}
    virtual void lblPlaysound_Change() {}
    virtual void lblEventDate_Change() {}
    virtual void lblEventDateFormat_Change() {}
    virtual void lblImageFileName_Change() {}
    virtual void lblLogoImage_Change() {}

protected:
    // Form events. Form_Resize runs on every resize of the window (also the first showing);
    // Form_Unload runs when the window is closed (not on an immediate end of the program).
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int /*keyAscii*/) {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Timer1_Timer() {}
    virtual void StatusBar1_PanelClick(int /*index*/, const QString& /*key*/) {}
    virtual void c1eImage_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void popRunMenuStartup_Click() {}
    virtual void popMenuPlayAlarm_Click() {}
    virtual void popRunMenuClsoe_Click() {}

    // Pops popMenuStartup up at a point given in twips of c1eImage.
    void popUpStartupMenu(float xTwips, float yTwips);

    // The widths of the window's frame in pixels as the window system reports them now; zero
    // while the window has none (hidden, frameless, or no window manager).
    virtual QMargins windowFrame() const;

    bool event(QEvent* event) override;

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildPanels();
    void buildHiddenLabels();
    void buildStatusBar();
    void buildMenu();
    void placeStatusBar();
    // The outer rectangle in pixels, frame included.
    QRect outerPixels() const;
    // Moves the frame's top-left corner to `outer` (pixels).
    void moveOuterTo(const QPoint& outer);
    void rememberGivenOuter();

    FramedPlacement m_placement;

    ElasticPanel* m_c1eTop = nullptr;
    ElasticPanel* m_c1eImage = nullptr;
    ElasticPanel* m_c1eEventCaption = nullptr;
    ElasticPanel* m_c1eEventDate = nullptr;
    ElasticPanel* m_c1eCaptions = nullptr;
    std::array<ElasticPanel*, 7> m_c1eIntervalsLeft{};
    ElasticPanel* m_c1eAdvertiserLogo = nullptr;
    StatusBar* m_statusBar1 = nullptr;
    VbTimer* m_timer1 = nullptr;
    QWidget* m_labelFrame = nullptr;

    HiddenLabel* m_lblCountdownFileName = nullptr;
    HiddenLabel* m_lblTemplateFileName = nullptr;
    HiddenLabel* m_lblLoadme = nullptr;
    HiddenLabel* m_lblSaveme = nullptr;
    HiddenLabel* m_lblLayout = nullptr;
    HiddenLabel* m_lblPlaysound = nullptr;
    HiddenLabel* m_lblPlaysoundToggle = nullptr;
    HiddenLabel* m_lblSoundFile = nullptr;
    HiddenLabel* m_lblEventDate = nullptr;
    HiddenLabel* m_lblEventDateFormat = nullptr;
    HiddenLabel* m_lblImageFileName = nullptr;
    HiddenLabel* m_lblLogoImage = nullptr;
    HiddenLabel* m_lblCountDirection = nullptr;
    HiddenLabel* m_lblSaveToFile = nullptr;
    HiddenLabel* m_lblSaveToFileFormat = nullptr;
    HiddenLabel* m_lblSaveToFileLocation = nullptr;
    HiddenLabel* m_lblStatusbarURL = nullptr;
    HiddenLabel* m_lblChangesMade = nullptr;

    QMenu* m_popMenuStartup = nullptr;
    QAction* m_popRunMenuStartup = nullptr;
    QAction* m_popMenuPlayAlarm = nullptr;
    QAction* m_popRunMenuClsoe = nullptr;
};
