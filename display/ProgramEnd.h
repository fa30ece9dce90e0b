#pragma once

// VB's End for both programs: the program ends at once, without running any window's close
// handler. The event loop is asked to quit; the caller returns right after, and nothing that
// follows the call in the caller may touch the program's state. The record of the end lives in
// the program's DisplayContext: a new context starts with none, and reading it before a program
// made its context raises ProgramContext::Fault.
namespace ProgramEnd {

// A failure status, once given, stays: a later End(0) on the way out (the window's close after
// a save that failed) does not turn it into success.
void End(int exitCode = 0);

// True once End has been called. The countdown forms skip their close handlers from then on.
bool isEnding();
// The exit code End was given (0 before any End).
int exitCode();
// Forgets an earlier End and an escaped error's report, so a test can run a program's start-up
// again on the same context.
void reset();

} // namespace ProgramEnd
