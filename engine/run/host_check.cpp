// The reference measurement of the host's speed and the arithmetic of its change.
#include "engine/run/host_check.h"

#include <algorithm>

#include "cpu/cpu_info.h"
#include "engine/core_clock.h"
#include "engine/kernels/kernels.h"

namespace engine {

HostChecks hostChecks;

const char* hostReferenceName() { return cpu::cpuInfo.hasSse ? "sse-read" : "read"; }

uint32_t hostReferenceRate() {
  const KernelFunction kernel = cpu::cpuInfo.hasSse ? sseReadKernel : readKernel;
  uint32_t rates[hostReferenceSamples];
  for (uint32_t& rate : rates) rate = kernel(hostReferenceCode);
  std::nth_element(rates, rates + hostReferenceSamples / 2, rates + hostReferenceSamples);
  return rates[hostReferenceSamples / 2];
}

void checkHost(const std::string& when, bool betweenSeries) {
  HostChecks& h = hostChecks;
  if (!h.enabled) return;
  if (when == "start") h.checks.clear();
  const auto now = std::chrono::steady_clock::now();
  if (h.checks.empty()) h.first = now;
  if (betweenSeries && std::chrono::duration<double>(now - h.last).count() < hostCheckInterval) {
    return;
  }
  HostCheck check;
  check.when = when;
  check.rate = hostReferenceRate();
  check.coreClock10k = coreClockNow();
  h.last = std::chrono::steady_clock::now();
  check.seconds = std::chrono::duration<double>(h.last - h.first).count();
  h.checks.push_back(check);
}

HostStability hostStability(const std::vector<HostCheck>& checks) {
  HostStability s;
  for (const HostCheck& c : checks) {
    if (c.rate == 0) continue;
    s.lowest = s.lowest == 0 ? c.rate : std::min(s.lowest, c.rate);
    s.highest = std::max(s.highest, c.rate);
  }
  if (s.lowest == 0 || s.lowest == s.highest) return s;
  s.changePercent = 100.0 * (s.highest - s.lowest) / s.lowest;
  s.stable = s.changePercent <= hostChangeLimitPercent;
  return s;
}

} // namespace engine
