// --cpu: the start-up checks, the one-second clock calibration, and the processor as the
// window's result line names it, then the features that decide which tests can run.
#include <cstdio>
#include <string>

#include "app/startup.h"
#include "cli/console.h"
#include "cli/modes.h"
#include "cpu/cpu_info.h"
#include "cpu/names.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace cli {
namespace {

// "TSC MMX SSE", naming only the features the processor has.
std::string featureLine(const cpu::CpuInfo& info) {
  std::string line;
  const struct {
    bool present;
    const char* name;
  } features[] = {{info.hasTsc, "TSC"}, {info.hasMmx, "MMX"}, {info.hasSse, "SSE"}};
  for (const auto& f : features) {
    if (!f.present) continue;
    if (!line.empty()) line += ' ';
    line += f.name;
  }
  return line;
}

} // namespace

int runCpuMode() {
  const app::StartupStatus status = app::runStartupChecks();
  if (!status.ok()) {
    printLine(stderr, status.message);
    return exitStartupFailed;
  }
  engine::calibrateClock();
  cpu::nameProcessor(engine::timer.clockText);
  printLine(stdout, cpu::cpuInfo.processorText);
  printLine(stdout, featureLine(cpu::cpuInfo).c_str());
  engine::freeWorkingMemory();
  return exitOk;
}

} // namespace cli
