// Parsing of the command line. Every refusal names the word that caused it.
#include "cli/options.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "engine/kernels/kernels_extra.h"
#include "engine/load/bursts.h"
#include "engine/threads.h"

namespace cli {
namespace {

struct TestName {
  const char* name;
  unsigned bit;
};
constexpr TestName testNames[] = {
    {"read", TestRead},          {"write", TestWrite},         {"copy", TestCopy},
    {"mmx-read", TestMmxRead},   {"mmx-write", TestMmxWrite},  {"mmx-copy", TestMmxCopy},
    {"sse-read", TestSseRead},   {"sse-write", TestSseWrite},  {"sse-copy", TestSseCopy},
    {"latency", TestLatency},    {"random-latency", TestRandomLatency},
};

std::string upper(std::string word) {
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

bool parseTests(const std::string& list, unsigned& tests, unsigned& extraTests,
                std::string& error) {
  std::size_t begin = 0;
  while (begin <= list.size()) {
    std::size_t end = list.find(',', begin);
    if (end == std::string::npos) end = list.size();
    const std::string name = list.substr(begin, end - begin);
    const unsigned bit = testBitFromName(name);
    const unsigned extraBit = extraTestBitFromName(name);
    if (bit == 0 && extraBit == 0) {
      error = "unknown test '" + name + "' in --tests";
      return false;
    }
    tests |= bit;
    extraTests |= extraBit;
    begin = end + 1;
  }
  return true;
}

// "all" (0: every processor) or 1 .. 64.
bool parseThreads(const std::string& value, unsigned& threads, std::string& error) {
  if (value == "all") {
    threads = 0;
    return true;
  }
  const bool digits = !value.empty() && value.size() <= 2 &&
                      value.find_first_not_of("0123456789") == std::string::npos;
  const unsigned n = digits ? static_cast<unsigned>(std::stoul(value)) : 0;
  if (n < 1 || n > engine::maxThreads) {
    error = "thread count '" + value + "' of --threads is not 1 .. 64 or 'all'";
    return false;
  }
  threads = n;
  return true;
}

// Options that take a value: the value, or an error when it is missing.
bool takeValue(int argc, const char* const* argv, int& i, std::string& value,
               std::string& error) {
  if (i + 1 >= argc) {
    error = std::string("option ") + argv[i] + " needs a value";
    return false;
  }
  value = argv[++i];
  return true;
}

// An option whose value names a file: empty is refused, saying what the option needs.
bool takeFileName(const std::string& option, const std::string& value, const char* needs,
                  std::string& path, std::string& error) {
  if (value.empty()) {
    error = "option " + option + " needs " + needs;
    return false;
  }
  path = value;
  return true;
}

bool parseValueOption(const std::string& option, const std::string& value, CliOptions& o,
                      std::string& error) {
  if (option == "--tests") return parseTests(value, o.tests, o.extraTests, error);
  if (option == "--threads") {
    o.threadsGiven = true;
    return parseThreads(value, o.threads, error);
  }
  if (option == "--page") return takeFileName(option, value, "a file name", o.pagePath, error);
  if (option == "--baseline") {
    return takeFileName(option, value, "the name of a run stored with --json", o.baselinePath,
                        error);
  }
  if (option == "--tolerance") {
    char* end = nullptr;
    const double pct = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || !(pct >= 0 && pct <= 1000)) {
      error = "tolerance '" + value + "' of --tolerance is not a per cent from 0 to 1000";
      return false;
    }
    o.tolerancePercent = pct;
    return true;
  }
  if (option == "--levels-from") {
    return takeFileName(option, value, "the name of a file the program wrote with --json",
                        o.levelsFromPath, error);
  }
  if (option == "--load-kernel") {
    if (engine::loadKernelNamed(value) == nullptr) {
      error = "load kernel '" + value + "' of --load-kernel is not one of " +
              engine::loadKernelNames();
      return false;
    }
    o.loadKernel = value;
    return true;
  }
  if (option == "--start" || option == "--end") {
    const int index = sizeIndexFromText(value);
    if (index < 0) {
      error = "block size '" + value + "' of " + option + " is not one of 4K 8K ... 16M ... 1G";
      return false;
    }
    (option == "--start" ? o.startSizeIndex : o.endSizeIndex) = index;
    if (option == "--end") o.endGiven = true;
    return true;
  }
  if (option == "--latency-step" || option == "--walk-step") {
    const bool walkStep = option == "--walk-step";
    const int index = stepIndexFromText(value, walkStep ? 4 : 7);
    if (index < 0) {
      error = "step '" + value + "' of " + option + " is not one of " +
              (walkStep ? "4 8 16 32 64" : "4 8 16 32 64 128 256 512");
      return false;
    }
    (walkStep ? o.walkStepIndex : o.latencyStepIndex) = index;
    return true;
  }
  if (option == "--repeat") {
    const bool digits = !value.empty() && value.size() <= 2 &&
                        value.find_first_not_of("0123456789") == std::string::npos;
    o.repeatCount = digits ? static_cast<unsigned>(std::stoul(value)) : 0;
    if (o.repeatCount < 1) error = "repeat count '" + value + "' is not one of 1 .. 99";
    return o.repeatCount >= 1;
  }
  if (option == "--tlb-window") {
    const int index = sizeIndexFromText(value);
    if (index < 0) error = "window '" + value + "' of --tlb-window is not one of 4K 8K ... 1G";
    o.tlbWindowBytes = index < 0 ? 0 : 4096u << index;
    return index >= 0;
  }
  if (value.empty()) {   // --csv, --json: an empty name would only fail at the end of the run
    error = "option " + option + " needs a file name, or '-' for standard output";
    return false;
  }
  (option == "--csv" ? o.csvPath : o.jsonPath) = value;
  return true;
}

bool isValueOption(const std::string& option) {
  return option == "--tests" || option == "--start" || option == "--end" ||
         option == "--latency-step" || option == "--walk-step" || option == "--csv" ||
         option == "--json" || option == "--repeat" || option == "--tlb-window" ||
         option == "--threads" || option == "--load-kernel" || option == "--levels-from" ||
         option == "--baseline" || option == "--tolerance" || option == "--page";
}

bool setFlag(const std::string& option, CliOptions& o) {
  struct Flag {
    const char* name;
    bool CliOptions::*field;
  };
  static const Flag flags[] = {
      {"--walk", &CliOptions::walk},         {"--4x", &CliOptions::fourTimes},
      {"--copy-to-itself", &CliOptions::copyToItself},
      {"--log-y", &CliOptions::logY},        {"--table", &CliOptions::table},
      {"--report", &CliOptions::report},     {"--open", &CliOptions::openReport},
  };
  for (const Flag& flag : flags) {
    if (option == flag.name) {
      o.*flag.field = true;
      return true;
    }
  }
  return false;
}

struct ModeWord {
  const char* name;
  Mode mode;
};
constexpr ModeWord modeWords[] = {
    {"--cpu", Mode::Cpu},
    {"--bench", Mode::Bench},
    {"--bench-twins", Mode::BenchTwins},
    {"--thread-sweep", Mode::ThreadSweep},
    {"--version", Mode::Version},
    {"--help", Mode::Help},
    {"-h", Mode::Help},
    {"--loaded-latency", Mode::LoadedLatency},
    {"--max-bandwidth", Mode::MaxBandwidth},
    {"--c2c", Mode::C2c},
    {"--node-matrix", Mode::NodeMatrix},
    {"--levels", Mode::Levels},
    {"--levels-from", Mode::LevelsFrom},   // takes a value; set by the parser after it
};

// A later mode word replaces an earlier one, but a many-core mode goes with no other mode.
bool setMode(const std::string& option, CliOptions& o, std::string& modeName, std::string& error) {
  for (const ModeWord& word : modeWords) {
    if (option != word.name) continue;
    if (!modeName.empty() && word.mode != o.mode && (isSoloMode(word.mode) || isSoloMode(o.mode))) {
      error = modeName + " and " + option + " are two modes; give one";
    }
    modeName = option;
    o.mode = word.mode;
    return true;
  }
  return false;
}

// The options of a measurement run that a many-core mode has no use for: the first given.
const char* unusedByLoadMode(const CliOptions& o) {
  if (o.tests != 0 || o.extraTests != 0) return "--tests";
  if (o.walk) return "--walk";
  if (o.startSizeIndex != 0) return "--start";
  if (o.report) return "--report";
  if (!o.csvPath.empty()) return "--csv";
  if (o.table) return "--table";
  if (o.repeatCount != 1) return "--repeat";
  if (o.tlbWindowBytes != 0) return "--tlb-window";
  if (o.fourTimes) return "--4x";
  if (o.copyToItself) return "--copy-to-itself";
  if (o.logY) return "--log-y";
  if (!o.pagePath.empty()) return "--page";
  if (o.mode == Mode::C2c && o.endGiven) return "--end";
  if (o.mode == Mode::NodeMatrix && o.threadsGiven) return "--threads";
  const bool levels = o.mode == Mode::Levels || o.mode == Mode::LevelsFrom;
  if (levels && o.endGiven) return "--end";
  if (levels && o.threadsGiven) return "--threads";
  return nullptr;
}

bool checkLoadMode(const CliOptions& o, const std::string& modeName, std::string& error) {
  if (!o.loadKernel.empty() && o.mode != Mode::LoadedLatency) {
    error = "--load-kernel applies to --loaded-latency only";
    return false;
  }
  if (!isSoloMode(o.mode)) return true;
  if (const char* unused = unusedByLoadMode(o)) {
    error = modeName + " does not take " + unused;
    return false;
  }
  if (o.mode == Mode::LoadedLatency && o.threadsGiven && o.threads == 1) {
    error = "--loaded-latency needs --threads 2 or more: the chasing thread and a loader";
    return false;
  }
  if (o.endGiven && o.endSizeIndex < 4) {   // room for the streams of a mix or a loader
    error = modeName + " needs --end 64K or more";
    return false;
  }
  return true;
}

// Combinations the window's option rules would never allow.
bool checkCombination(const CliOptions& o, std::string& error) {
  if (o.walk && o.tests != 0) {
    error = "--walk (Memory Walk) excludes the tests given with --tests";
    return false;
  }
  if (o.copyToItself && (o.tests & copyTests) == 0) {
    error = "--copy-to-itself needs a copy test (copy, mmx-copy or sse-copy) in --tests";
    return false;
  }
  if (o.copyToItself && (o.extraTests >> engine::memcpyKernelIndex & 1u) != 0) {
    error = "--copy-to-itself does not apply to memcpy, whose source and destination may not "
            "overlap";
    return false;
  }
  if (o.walk && o.threads != 1) {
    error = "--threads applies to bandwidth tests; --walk has none";
    return false;
  }
  if (o.tlbWindowBytes != 0 && (o.tests & TestRandomLatency) == 0) {
    error = "--tlb-window needs random-latency in --tests";
    return false;
  }
  if (o.csvPath == "-" && o.jsonPath == "-") {
    error = "--csv and --json cannot both go to standard output";
    return false;
  }
  if (o.mode != Mode::Measure && !o.baselinePath.empty()) {
    error = "--baseline applies to a measurement run only";
    return false;
  }
  if (o.openReport && !o.report) {
    error = "--open needs --report";
    return false;
  }
  return true;
}

} // namespace

unsigned testBitFromName(const std::string& name) {
  for (const TestName& t : testNames) {
    if (name == t.name) return t.bit;
  }
  return 0;
}

unsigned extraTestBitFromName(const std::string& name) {
  for (uint32_t i = 0; i < engine::extraKernelCount; ++i) {
    if (name == engine::extraKernelTable[i].name) return 1u << i;
  }
  return 0;
}

int sizeIndexFromText(const std::string& word) {
  std::string w = upper(word);
  if (w.size() > 1 && w.back() == 'B') w.pop_back();   // "KB", "MB"
  if (w.size() < 2) return -1;
  const char unit = w.back();
  const std::string digits = w.substr(0, w.size() - 1);
  if (digits.empty() || digits.size() > 7) return -1;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  }
  unsigned kilobytes = static_cast<unsigned>(std::stoul(digits));
  if (unit == 'M' || unit == 'G') kilobytes *= unit == 'G' ? 1048576 : 1024;
  else if (unit != 'K') return -1;
  for (int i = 0; i <= lastSizeIndex; ++i) {
    if (kilobytes == (4u << i)) return i;
  }
  return -1;
}

int stepIndexFromText(const std::string& word, int maxIndex) {
  if (word.empty() || word.size() > 3) return -1;
  for (char c : word) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  }
  const unsigned bytes = static_cast<unsigned>(std::stoul(word));
  for (int i = 0; i <= maxIndex; ++i) {
    if (bytes == (4u << i)) return i;
  }
  return -1;
}

// `tidewell32 compare A.json B.json ... [--page FILE]`: the files, at least two (one with a
// page), and nothing else.
static ParseResult parseCompare(int argc, const char* const* argv) {
  ParseResult r;
  r.options.mode = Mode::Compare;
  for (int i = 2; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--page" && i + 1 < argc && argv[i + 1][0] != '\0') {
      r.options.pagePath = argv[++i];
      continue;
    }
    if (word.size() > 1 && word[0] == '-') {
      r.ok = false;
      r.error = "compare takes the runs' JSON files only, not '" + word + "'";
      return r;
    }
    r.options.comparePaths.push_back(word);
  }
  // One run is enough to look at it on a page.
  if (r.options.comparePaths.size() < (r.options.pagePath.empty() ? 2u : 1u)) {
    r.ok = false;
    r.error = "compare needs two runs or more: tidewell32 compare A.json B.json [--page FILE]";
  }
  return r;
}

static ParseResult parseWords(int argc, const char* const* argv) {
  if (argc > 1 && std::string(argv[1]) == "compare") return parseCompare(argc, argv);
  ParseResult r;
  std::string modeName;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (isValueOption(word)) {
      std::string value;
      if (!takeValue(argc, argv, i, value, r.error) ||
          !parseValueOption(word, value, r.options, r.error)) {
        r.ok = false;
        return r;
      }
      if (word == "--levels-from") setMode(word, r.options, modeName, r.error);
    } else if (!setFlag(word, r.options) && !setMode(word, r.options, modeName, r.error)) {
      r.ok = false;
      r.error = (word.size() > 1 && word[0] == '-' ? "unknown option '" : "unexpected argument '") +
                word + "'";
      return r;
    }
    if (!r.error.empty()) {
      r.ok = false;
      return r;
    }
  }
  r.ok = checkLoadMode(r.options, modeName, r.error) && checkCombination(r.options, r.error);
  return r;
}

ParseResult parseOptions(int argc, const char* const* argv) {
  ParseResult r = parseWords(argc, argv);
  // The error quotes the word it refuses: a line end or other control byte in it would break
  // the one line into several, or drive the terminal.
  for (char& c : r.error) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return r;
}

const char* usageText() {
  return "usage: tidewell32 [--cpu | --bench | --bench-twins | --version | --help]\n"
         "       tidewell32 --thread-sweep [--tests LIST] [--start SIZE] [--threads N|all]\n"
         "       tidewell32 --loaded-latency [--load-kernel NAME] [--end SIZE] [--threads N]\n"
         "       tidewell32 --max-bandwidth [--end SIZE] [--threads N|all]\n"
         "       tidewell32 --c2c [--threads N|all]\n"
         "       tidewell32 --node-matrix [--end SIZE]\n"
         "           (each: [--json FILE]; --end: the block of each thread, default 256M)\n"
         "       tidewell32 --levels | --levels-from RUN.json   [--json FILE]\n"
         "       tidewell32 compare A.json B.json [C.json ...] [--page FILE]\n"
         "       tidewell32 [--tests LIST | --walk] [--start SIZE] [--end SIZE]\n"
         "                  [--latency-step BYTES] [--walk-step BYTES] [--4x]\n"
         "                  [--copy-to-itself] [--log-y] [--table]\n"
         "                  [--report [--open]] [--csv FILE] [--json FILE]\n"
         "                  [--repeat N] [--tlb-window SIZE] [--threads N|all]\n"
         "                  [--baseline RUN.json [--tolerance PCT]] [--page FILE]\n"
         "  LIST   comma-separated: read,write,copy,mmx-read,mmx-write,mmx-copy,\n"
         "         sse-read,sse-write,sse-copy,latency,random-latency; command line\n"
         "         only: read64,write64,copy64,avx-read,avx-write,avx-copy,avx512-read,\n"
         "         avx512-write,avx512-copy,nt-write,nt-copy,movsb-copy,memcpy,copy32,\n"
         "         read128\n"
         "  SIZE   4K 8K 16K ... 16M 32M ... 1G, powers of two (the report: up to 16M)\n"
         "  BYTES  latency step 4..512, walk step 4..64, powers of two\n"
         "  N      samples per point, 1..99; the median is kept\n"
         "  NAME   read,write,copy,read64,write64,copy64,sse-read,sse-write,sse-copy,\n"
         "         avx-read,avx-write,avx-copy,avx512-read,avx512-write,avx512-copy,\n"
         "         nt-write; default the widest plain read\n"
         "  MB/s of --max-bandwidth count bytes read plus bytes written\n";
}

} // namespace cli
