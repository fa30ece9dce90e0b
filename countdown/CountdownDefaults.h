#pragma once

#include "countdown/DataFileMessages.h"

class clsCountdown;

namespace CountdownDefaults {

// Gives the countdown the values of a new countdown through its Lets. The window size is
// 600 by 450 pixels of the 800 by 600 reference screen, in twips, from freshly measured
// screen metrics; a failure there is reported and the size left as it was.
void applyNewCountdownDefaults(clsCountdown& countdown, const ShowMessage& show);

// The part of the new countdown's values that depends on neither the clock, the screen nor the
// program folder: all but the creation and event dates, the export path and the window size.
void applyFixedNewCountdownValues(clsCountdown& countdown);

// The web address a new countdown's status-bar link shows.
extern const QString kNewCountdownSiteAddress;

} // namespace CountdownDefaults
