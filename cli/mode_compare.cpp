// `tidewell32 compare A.json B.json ... [--page FILE]`: stored runs side by side, level by
// level, and overlaid on a page; and the
// baseline gate of a measurement run (--baseline FILE --tolerance PCT).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/compare.h"
#include "cli/json_output.h"
#include "cli/modes.h"
#include "cli/page.h"

namespace cli {

int runCompareMode(const CliOptions& options) {
  std::vector<StoredRun> runs(options.comparePaths.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    std::string error;
    if (!loadStoredRun(options.comparePaths[i], runs[i], error)) {
      std::fprintf(stderr, "tidewell32: %s\n", error.c_str());
      return exitUsage;
    }
    const std::string different = i ? comparabilityError(runs[0], runs[i]) : "";
    if (!different.empty()) {
      std::fprintf(stderr, "tidewell32: %s\n", different.c_str());
      return exitUsage;
    }
  }
  if (runs.size() > 1) std::fputs(compareText(runs).c_str(), stdout);
  if (options.pagePath.empty()) return exitOk;
  std::vector<nlohmann::json> docs;
  for (StoredRun& run : runs) {
    if (!run.doc.contains("levels")) run.doc["levels"] = run.levels;   // the page shades them
    docs.push_back(run.doc);
  }
  const int status = writePage(options.pagePath, docs);
  if (status == exitOk) std::printf("%s\n", options.pagePath.c_str());
  return status;
}

bool loadBaseline(const CliOptions& options, StoredRun& baseline) {
  std::string error;
  if (loadStoredRun(options.baselinePath, baseline, error)) return true;
  std::fprintf(stderr, "tidewell32: %s\n", error.c_str());
  return false;
}

int checkAgainstBaseline(const CliOptions& options, const StoredRun& baseline) {
  StoredRun current;
  current.path = "this run";
  current.doc = nlohmann::json::parse(jsonText(options, utcNow()));
  current.levels = current.doc["levels"];
  const std::string different = comparabilityError(baseline, current);
  if (!different.empty()) {
    std::fprintf(stderr, "tidewell32: %s\n", different.c_str());
    return exitUsage;
  }
  const std::vector<std::string> slower = slowerThanBaseline(
      compareLevels(baseline.levels, current.levels), options.tolerancePercent);
  for (const std::string& line : slower) {
    std::fprintf(stderr, "tidewell32: slower than %s: %s\n", baseline.path.c_str(), line.c_str());
  }
  return slower.empty() ? exitOk : exitSlowerThanBaseline;
}

} // namespace cli
