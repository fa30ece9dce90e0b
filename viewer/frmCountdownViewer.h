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
    // and stores "LastOpenTemplate".
    void SaveMe(clsCountdown& countdown, CountdownForm& form);
};
