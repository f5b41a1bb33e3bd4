// libFuzzer target: the stored-run reader of compare. Its promises: a refused file gives one
// line naming the file; an accepted one has a level summary that compares with itself cell by
// cell, each cell within noise at a ratio of 1.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/compare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cli::StoredRun run;
  std::string error;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!cli::storedRunFromText("run.json", text, run, error)) {
    if (error.rfind("run.json: ", 0) != 0 || error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  if (!run.levels.is_array()) std::abort();
  try {
    for (const cli::CompareCell& c : cli::compareLevels(run.levels, run.levels)) {
      if (c.verdict != 0 || c.ratio != 1.0) std::abort();
    }
    (void)cli::compareText({run, run});
  } catch (const nlohmann::json::exception&) {
    std::abort();   // an accepted file must not throw later
  }
  return 0;
}
