#pragma once

#include <cstdint>

class clsCountdown;
class CountdownForm;

// Carries a countdown between its clsCountdown object and a countdown form. The form's controls
// are reached by their names at run time, so the viewer's and the screen saver's forms are bound
// alike; a missing control raises VbError 424 (or 340 for a missing box). Neither procedure
// traps errors: a failing step ends it, the steps before stay done.
//
// Stored geometry and font sizes are relative to a reference screen of 800 x 600 pixels:
// kx = width pixels / 800 scales Left and Width, ky = height pixels / 600 scales Top and Height,
// kAvg = (kx + ky) / 2 scales font sizes.
namespace modCountdown {

// The window's outer Left, Width and Height in whole twips as they stood right after the last
// ApplyCountdownToForm placed it (the window's own reading, so window-manager adjustments are
// part of it). The viewer's close compares the window against them. Top is not remembered.
// They are kept in the DisplayContext.
int32_t RememberedLeft();
int32_t RememberedWidth();
int32_t RememberedHeight();

// Copies the countdown onto the form: layout number, geometry (only when the countdown's State
// is 0), hidden labels, colours, fonts scaled by kAvg, captions and the visibility of panels and
// status-bar panels. Hidden-label handlers run as their captions change.
void ApplyCountdownToForm(CountdownForm& form, clsCountdown& countdown);

// Copies the form back into the countdown, writes its data file (Update), packs the package
// named by lblTemplateFileName from the countdown's DatabaseLocation and stores that path as
// "LastOpenTemplate". Font sizes are written back (divided by kAvg) only with scaleFonts.
// The unit flags, the option-icon flag when the designer program is absent, and the background
// fore colour are kept as the countdown holds them: the window shows them differently from what
// is stored. A data file that could not be written is not packed. True when the countdown was
// saved; false after the failure's message, and then "LastOpenTemplate" is left as it was.
bool SaveFormToCountdown(clsCountdown& countdown, CountdownForm& form, bool scaleFonts);

} // namespace modCountdown
