#pragma once

#include "foundation/ErrorReport.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <QString>

#include <functional>

// How the data-file code reports: a prompt and MsgBox buttons, shown by the caller's message
// box (or recorded by a test, or dropped by a fuzzer).
using ShowMessage = std::function<void(const QString& prompt, int buttons)>;

// The programs' ShowMessage: the program's message box, where it has one.
inline void showInMessageBox(const QString& prompt, int buttons)
{
    if (platform::Ui* ui = platform::services().ui)
        ui->msgBox(prompt, buttons);
}

// The data-file form of a run-time failure: number, a line feed, description; OK, no icon.
inline void showFailure(const ShowMessage& show, const platform::VbError& error)
{
    show(errorReportLf(error), platform::vbmsg::vbOKOnly);
}

// Runs one step; a run-time failure is reported and the caller goes on with the next step.
template <class Step>
void trapFailure(const ShowMessage& show, Step step)
{
    try {
        step();
    } catch (const platform::VbError& error) {
        showFailure(show, error);
    }
}
