#pragma once

#include <QString>

namespace platform {

// Whether the window system that Qt's platform plugin would connect to can be reached, asked
// before the application object is made: without it, Qt's start ends the process by an abort.
// The platforms are taken as Qt takes them: the "-platform" argument, else QT_QPA_PLATFORM,
// else the session's type with X as the fallback; each of a ";"-separated list is tried in turn.
// X ("xcb") is reached when a connection to its display opens, a Wayland compositor when its
// socket accepts one; any other platform (offscreen, a frame buffer) is taken as reachable.
// Returns an empty text when one of them can be reached, else the display that could not be
// opened, as the user names it (":1", "wayland-0", or "(none)" where none is set).
QString unreachableDisplay(int argc, char** argv);

// Writes "<program>: cannot open display <display>" to standard error and returns false when
// unreachableDisplay() names one; true otherwise.
bool checkDisplay(const char* program, int argc, char** argv);

} // namespace platform
