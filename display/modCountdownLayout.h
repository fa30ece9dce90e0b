#pragma once

class CountdownForm;

// The seven arrangements of a countdown form's panels. Both procedures reach the panels by
// their control names, so any form carrying the countdown form's controls can be laid out.
// Errors raised by a panel lookup (a missing control) or an overflow end the procedure at that
// step and reach the caller; steps already done stay done.
namespace modCountdown {

// Arranges the panels for the layout number held in lblLayout (1 to 7; any other value
// changes no geometry), then assigns c1eEventCaption its own height.
void LayoutCountdownForm(CountdownForm& form);

// Stacks the visible boxes c1eIntervalsLeft(1..6) from the top of c1eIntervalsLeft(0), in
// unit order, each as wide as the frame and all of one whole-number height; hidden boxes keep
// their geometry.
void StackIntervalBoxes(CountdownForm& form);

} // namespace modCountdown
