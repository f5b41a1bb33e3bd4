// The host's speed over a command-line run: the same short reference measurement at the start,
// between series once a few seconds have passed since the last one, and at the end. A virtual
// machine shares its cores with other guests, and a core's clock follows its temperature and
// load, so a run can measure on a slower host at its end than at its start; the checks tell.
// The window never asks for them: its measurements stay as they are.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct HostCheck {
  std::string when;      // "start", "end", or "after " and the series' name
  double seconds = 0;    // since the first check
  uint32_t rate = 0;     // hundredths of MB/s of the reference; 0: not measured
  uint32_t coreClock10k = 0;   // the core clock then, hundredths of MHz; 0: not measured
};

struct HostChecks {
  bool enabled = false;   // set by the command line
  std::vector<HostCheck> checks;
  std::chrono::steady_clock::time_point first, last;
};
extern HostChecks hostChecks;

constexpr uint32_t hostReferenceCode = 50;      // 16 KB: inside every first-level data cache
constexpr uint32_t hostReferenceSamples = 7;    // the median is kept: one interruption is ignored
constexpr double hostCheckInterval = 3.0;       // seconds between checks between series
constexpr double hostChangeLimitPercent = 10.0;

// The reference: the median of hostReferenceSamples SSE Reads (Read without SSE) of 16 KB.
uint32_t hostReferenceRate();
const char* hostReferenceName();   // "sse-read" or "read"

// When enabled: "start" clears the checks; every call measures the reference, except that one
// between series (betweenSeries) waits for hostCheckInterval since the last check.
void checkHost(const std::string& when, bool betweenSeries = false);

struct HostStability {
  uint32_t lowest = 0, highest = 0;   // hundredths of MB/s among the measured checks
  double changePercent = 0;           // (highest - lowest) / lowest
  bool stable = true;                 // changePercent <= hostChangeLimitPercent
};
// From the checks' rates; zeros (not measured) are left out, fewer than two rates are stable.
HostStability hostStability(const std::vector<HostCheck>& checks);

} // namespace engine
