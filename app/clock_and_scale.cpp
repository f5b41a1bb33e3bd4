#include "app/clock_and_scale.h"

#include "app/option_rules.h"
#include "chart/axes.h"
#include "cpu/cpu_info.h"
#include "cpu/names.h"
#include "engine/run/peak.h"
#include "engine/run/results.h"
#include "engine/timer.h"

namespace app {

void prepareClockAndScale() {
  engine::calibrateClock();
  cpu::nameProcessor(engine::timer.clockText);
  engine::measurePeakRate(cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);
  chart::setBandwidthAxis(engine::chartScales.chartPeakRate, checkedBoxes());
}

}  // namespace app
