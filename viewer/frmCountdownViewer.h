#pragma once

#include "display/CountdownWindow.h"

class clsCountdown;

// The viewer's countdown window. Main creates it, then calls Show(), which runs the load and
// shows the window. Closing it (the user's close, or close() from a signal) runs the close
// handler with its conditional save and ends the program.
class frmCountdownViewer : public CountdownWindow {
    Q_OBJECT
public:
    explicit frmCountdownViewer(QWidget* parent = nullptr);

    // Runs Form_Load, then shows the window (not modal).
    void Show();
    void Form_Load();

    // Copies the window back into the countdown, writes its data file, packs the package again
    // and stores "LastOpenTemplate". Only into the package that opened and that nothing else
    // has changed since (OpenedPackage::maySave). False when the countdown was not saved (the
    // failure has been shown, or was shown when the package did not open).
    bool SaveMe(::clsCountdown& countdown, CountdownForm& form);

    // Tick intervals: with the seconds box, and without it.
    static constexpr int32_t kSecondsInterval = 1000;
    static constexpr int32_t kMinutesInterval = 30000;

    void lblCountdownFileName_Change() override;
    void lblTemplateFileName_Change() override;
    void lblLayout_Change() override;
    void lblSaveme_Change() override;
    void lblPlaysound_Change() override;

    void Form_Resize() override;
    void Form_Unload() override;
    void Timer1_Timer() override;
    void StatusBar1_PanelClick(int index, const QString& key) override;
    void c1eImage_MouseDown(int button, int shift, float x, float y) override;
    void popRunMenuStartup_Click() override;
    void popMenuPlayAlarm_Click() override;
    void popRunMenuClsoe_Click() override;

protected:
    // The user is there to read why a picture or logo is not shown.
    bool reportsPictureFailures() const override { return true; }
    // Only a package that opened has its countdown in the work folder; a refused one would show
    // what another package left there.
    bool workFolderHoldsItsCountdown() const override;

private:
    void startDesigner();

    // Set by a save that did not complete; the close then ends the program with a failure status.
    bool m_saveFailed = false;
};
