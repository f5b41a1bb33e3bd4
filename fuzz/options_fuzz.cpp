// libFuzzer target: the command-line parser, the input split into words at NUL bytes. Its
// promises: accepted options are in range; a refusal is one line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> words{"tidewell32"};
  std::string word;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.push_back(word);
      word.clear();
    } else {
      word += static_cast<char>(data[i]);
    }
  }
  words.push_back(word);
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  const cli::ParseResult r = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
  if (!r.ok) {
    if (r.error.empty() || r.error.find('\n') != std::string::npos) std::abort();
    return 0;
  }
  const cli::CliOptions& o = r.options;
  const bool inRange = o.startSizeIndex >= 0 && o.startSizeIndex <= cli::lastSizeIndex &&
                       o.endSizeIndex >= 0 && o.endSizeIndex <= cli::lastSizeIndex &&
                       o.repeatCount >= 1 && o.repeatCount <= cli::maxRepeatCount &&
                       o.threads <= 64 && o.latencyStepIndex >= 0 && o.latencyStepIndex <= 7 &&
                       o.walkStepIndex >= 0 && o.walkStepIndex <= 4 &&
                       o.tolerancePercent >= 0 && o.tolerancePercent <= 1000 &&
                       (o.mode != cli::Mode::Compare || !o.comparePaths.empty());
  if (!inRange) std::abort();
  return 0;
}
