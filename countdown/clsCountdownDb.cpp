#include "countdown/clsCountdownDb.h"

#include "countdown/clsCountdown.h"

int16_t clsCountdownDb::Find_Countdown(clsCountdown&) { return 0; }
int16_t clsCountdownDb::CreateNewCountdown(clsCountdown& countdown) { return WriteCountdownFile(countdown); }
void clsCountdownDb::RemoveCountdown(clsCountdown&, const QString&) {}
int16_t clsCountdownDb::WriteCountdownFile(clsCountdown&) { return 0; }
