// --cpu: the start-up checks, the one-second clock calibration, and the processor as the
// window's result line names it, then the features that decide which tests can run, the
// core's own clock beside the counter's, the data caches CPUID describes, the memory nodes
// with their processors, the core types of a hybrid processor, and the hypervisor, if any.
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "chart/text/format.h"
#include "cli/console.h"
#include "cli/core_placement.h"
#include "cli/modes.h"
#include "cpu/caches.h"
#include "cpu/cpu_info.h"
#include "cpu/hypervisor.h"
#include "cpu/names.h"
#include "engine/core_clock.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/numa.h"

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

// "3245,12" from hundredths of MHz.
std::string mhzText(uint32_t clock10k) {
  char digits[text::maxNumberChars];
  return std::string(digits, text::formatFixed2(digits, clock10k, 1));
}

// "Clock: core 3245,12 MHz, time-stamp counter 2096,07 MHz", and the warning when the two
// differ, since every cycle count the program prints is a counter tick.
void printClocks(uint32_t core10k, uint32_t counter10k) {
  if (counter10k == 0 || core10k == 0) return;   // no high-resolution counter to calibrate
  const std::string line =
      "Clock: core " + mhzText(core10k) + " MHz, time-stamp counter " + mhzText(counter10k) +
      " MHz";
  printLine(stdout, line.c_str());
  if (!engine::clocksDiffer(core10k, counter10k)) return;
  printLine(stdout,
            "Warning: the core clock differs from the time-stamp counter's by more than 5 %; "
            "\"cycles\" in this program are time-stamp-counter ticks, not core cycles.");
}

// "Memory nodes: 2 (node 0: processors 0,1; node 1: processors 2,3)".
std::string memoryNodesLine() {
  const uint32_t nodes = platform::memoryNodeCount();
  std::string line = "Memory nodes: " + std::to_string(nodes) + " (";
  for (uint32_t node = 0; node < nodes; ++node) {
    line += (node ? "; node " : "node ") + std::to_string(node) + ": processors " +
            nodeProcessorsText(node);
  }
  return line + ")";
}

// "Core types: 8 P-core, 16 E-core (hybrid)", or that all processors are of one type.
std::string coreTypesLine() {
  const std::vector<uint8_t> types = processorCoreTypes();
  if (types.empty()) return "Core types: one (not a hybrid processor)";
  return "Core types: " + coreTypeCountsText(types) + " (hybrid)";
}

// On a virtual machine, which hypervisor, and that the cache sizes above are its word.
void printHypervisor() {
  const std::string hypervisor = cpu::hypervisorFrom(cpu::readCpuid);
  if (hypervisor.empty()) return;
  printLine(stdout, ("Hypervisor: " + hypervisor).c_str());
  printLine(stdout,
            "Note: the cache sizes above are as the hypervisor reports them; --levels measures "
            "what this processor gets.");
}

} // namespace

int runCpuMode() {
  const app::StartupStatus status = app::runStartupChecks();
  if (!status.ok()) {
    printLine(stderr, status.message);
    return exitStartupFailed;
  }
  engine::calibrateClock();
  engine::measureCoreClock();
  cpu::nameProcessor(engine::timer.clockText);
  printLine(stdout, cpu::cpuInfo.processorText);
  printLine(stdout, featureLine(cpu::cpuInfo).c_str());
  printClocks(engine::coreClock.clock10k, engine::timer.clock10k);
  const std::string caches = cpu::dataCacheText(cpu::cpuInfo);
  const std::string cacheLine =
      "Data caches: " + (caches.empty() ? std::string("not described by CPUID") : caches);
  printLine(stdout, cacheLine.c_str());
  printLine(stdout, memoryNodesLine().c_str());
  printLine(stdout, coreTypesLine().c_str());
  printHypervisor();
  engine::freeWorkingMemory();
  return exitOk;
}

} // namespace cli
