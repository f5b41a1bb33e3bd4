// Comparing runs: each stored run's level summary set beside the first run's, cell by cell
// (series and level), with the ratio and a verdict: faster, slower or within noise. Noise is
// the runs' own spread where both were measured with --repeat, else 5 %. Runs of another
// program version or other options are refused with the difference named; other processors
// are allowed. The same cells gate a measurement run against a baseline (--baseline).
#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace cli {

constexpr double defaultNoisePercent = 5.0;

struct StoredRun {
  std::string path;
  nlohmann::json doc;
  nlohmann::json levels;   // the level summary: the file's own, or made from its results
};

// Reads and checks one stored run; false with error ("FILE: the fault") when it cannot be
// read, is not JSON, or has no results.
bool loadStoredRun(const std::string& path, StoredRun& run, std::string& error);
// The same for the text of such a file.
bool storedRunFromText(const std::string& path, const std::string& text, StoredRun& run,
                       std::string& error);

// Empty when other may be compared with first; else the line naming the difference (version
// or an option).
std::string comparabilityError(const StoredRun& first, const StoredRun& other);

struct CompareCell {
  std::string test, level;
  bool latency = false;       // lower is faster
  double reference = 0;       // the first run's median
  double value = 0;           // this run's median
  double ratio = 0;           // value / reference
  double noisePercent = defaultNoisePercent;
  int verdict = 0;            // 1 faster, -1 slower, 0 within noise
};

// The cells the two level summaries share, in the reference's order of levels and series.
std::vector<CompareCell> compareLevels(const nlohmann::json& reference,
                                       const nlohmann::json& other);

const char* verdictText(int verdict);

// The comparison printed by `tidewell32 compare`.
std::string compareText(const std::vector<StoredRun>& runs);

struct CliOptions;
// Reads the run of --baseline; false with one line on standard error when it cannot be used.
bool loadBaseline(const CliOptions& options, StoredRun& baseline);
// After a measurement run: exitOk, or exitSlowerThanBaseline with one line per cell slower than
// the baseline by more than --tolerance (exitUsage for a baseline of other options).
int checkAgainstBaseline(const CliOptions& options, const StoredRun& baseline);

// The cells more than tolerancePercent slower than the baseline, one line each.
std::vector<std::string> slowerThanBaseline(const std::vector<CompareCell>& cells,
                                            double tolerancePercent);

} // namespace cli
