#pragma once

#include "display/DisplayContext.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class frmCountdownViewer;

// The viewer's one context (see ProgramContext): the program folder and the display's share
// below, and above them the viewer's own module values, its window and its test seams.
// modVantrelViewer names each value; a test makes one of these and sets what it needs.
class ViewerContext : public DisplayContext {
public:
    // The countdown package the viewer works on.
    QString currentFile;
    // The package Main found.
    QString openedFile;
    // The running viewer's executable (internal path), recorded by Main. It lies in the program
    // folder unless that is the per-user copy of a read-only installation. Empty before Main.
    QString viewerProgram;
    // 0 after the countdown window's load, 1 after any resize of it.
    int16_t windowResized = 0;
    // The countdown window once Main has shown it.
    QPointer<frmCountdownViewer> viewerWindow;

    // Test seams. Empty (the default) means the real thing: countdownApplicationFolder() for
    // the program folder, the modal frmStartupWizard, and a new frmCountdownViewer shown as the
    // viewer window. Tests install replacements so Main runs on a temporary program folder and
    // no modal form or window opens. Main still checks ProgramEnd::isEnding() after the wizard.
    std::function<QString()> programFolder;
    std::function<void()> showStartupWizard;
    std::function<void()> showViewerWindow;

    static ViewerContext& current();
};
