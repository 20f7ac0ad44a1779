#pragma once
// The Linux clock of the engine: the local time of day read once at start-up,
// carried forward by CLOCK_BOOTTIME, which is monotonic and keeps counting
// while the machine sleeps, so a run spans a suspend with the right total.

#include "runtime/day_clock.h"

namespace kovrane {

DayClock LocalDayClock();

}  // namespace kovrane
