#pragma once

#include "display/CountdownWindow.h"

#include <cstdint>

// The screen saver's full-screen countdown window. It is filled, laid out, ticked and exported
// as the viewer's window is, but never saves anything, has no menu and no status-bar commands,
// ticks every 10 ms, and ends the program on any key, mouse button or wheel turn anywhere in the
// window, and on the 22nd pointer movement over one of the text or picture panels.
class frmCountdownScreenSaver : public CountdownWindow {
    Q_OBJECT
public:
    explicit frmCountdownScreenSaver(QWidget* parent = nullptr);

    void Form_Load();

    // Shows the cursor again, leaves the topmost band, clears the screen-saver flag, unloads the
    // window and ends the program.
    void EndScreenSaver();

    void lblLayout_Change() override;
    void lblCountdownFileName_Change() override;

    // Pointer movements absorbed so far, per counted panel group.
    int32_t EventCaptionMoves() const { return m_moveEventCaption; }
    int32_t EventDateMoves() const { return m_moveEventDate; }
    int32_t ImageMoves() const { return m_moveImage; }
    int32_t IntervalsLeftMoves() const { return m_moveIntervalsLeft; }

    // Panel events: 9 click, 10 double click, 11 key down, 12 key press, 14 mouse button,
    // 15 pointer movement.
    void c1eEventCaption_UserInput9();
    void c1eEventCaption_UserInput10();
    void c1eEventCaption_UserInput11(int keyCode, int shift);
    void c1eEventCaption_UserInput12(int keyAscii);
    void c1eEventCaption_UserInput14(int button, int shift, float x, float y);
    void c1eEventCaption_UserInput15(int button, int shift, float x, float y);
    void c1eEventDate_UserInput9();
    void c1eEventDate_UserInput10();
    void c1eEventDate_UserInput11(int keyCode, int shift);
    void c1eEventDate_UserInput12(int keyAscii);
    void c1eEventDate_UserInput14(int button, int shift, float x, float y);
    void c1eEventDate_UserInput15(int button, int shift, float x, float y);
    void c1eImage_UserInput9();
    void c1eImage_UserInput10();
    void c1eImage_UserInput11(int keyCode, int shift);
    void c1eImage_UserInput12(int keyAscii);
    void c1eImage_UserInput14(int button, int shift, float x, float y);
    void c1eImage_UserInput15(int button, int shift, float x, float y);
    void c1eIntervalsLeft_UserInput9(int index);
    void c1eIntervalsLeft_UserInput10(int index);
    void c1eIntervalsLeft_UserInput11(int index, int keyCode, int shift);
    void c1eIntervalsLeft_UserInput12(int index, int keyAscii);
    void c1eIntervalsLeft_UserInput14(int index, int button, int shift, float x, float y);
    void c1eIntervalsLeft_UserInput15(int index, int button, int shift, float x, float y);

protected:
    // Sees every key, button and wheel event of the application; those aimed at this window or
    // any widget on it end the screen saver.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyPress(int keyAscii) override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
    void Form_Resize() override;
    void Form_Unload() override;
    void Timer1_Timer() override;

private:
    void connectPanelEvents();
    // Absorbs the first 21 movements counted in `moves`; the next one ends the screen saver.
    void countMove(int32_t& moves);

    int32_t m_moveEventCaption = 0;
    int32_t m_moveEventDate = 0;
    int32_t m_moveImage = 0;
    int32_t m_moveIntervalsLeft = 0;
    bool m_ending = false;
    bool m_tickFailed = false;
};
