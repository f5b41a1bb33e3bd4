// The command line of the headless front end, parsed into one record. Parsing checks only what
// the words themselves say; what depends on the processor (MMX, SSE) is checked by the run.
#pragma once
#include <string>
#include <vector>

namespace cli {

enum class Mode {
  Measure, Cpu, Bench, BenchTwins, ThreadSweep, Version, Help,
  LoadedLatency, MaxBandwidth, C2c, NodeMatrix,   // the many-core measurements
  Levels, LevelsFrom,                             // the cache levels a latency curve shows
  Compare,                                        // stored runs side by side
};

// True for the modes that measure on many cores (cli/mode_load.cpp, cli/mode_c2c.cpp).
constexpr bool isLoadMode(Mode m) {
  return m == Mode::LoadedLatency || m == Mode::MaxBandwidth || m == Mode::C2c ||
         m == Mode::NodeMatrix;
}

// Modes that go with no other mode and none of a measurement run's options.
constexpr bool isSoloMode(Mode m) {
  return isLoadMode(m) || m == Mode::Levels || m == Mode::LevelsFrom || m == Mode::Compare;
}

// Test check boxes in window order; the same order as the bandwidth result tables 0..8.
enum TestBit : unsigned {
  TestRead = 1u << 0, TestWrite = 1u << 1, TestCopy = 1u << 2,
  TestMmxRead = 1u << 3, TestMmxWrite = 1u << 4, TestMmxCopy = 1u << 5,
  TestSseRead = 1u << 6, TestSseWrite = 1u << 7, TestSseCopy = 1u << 8,
  TestLatency = 1u << 9,
  TestRandomLatency = 1u << 10,   // command line only: no box of the window
};
constexpr unsigned copyTests = TestCopy | TestMmxCopy | TestSseCopy;
constexpr unsigned mmxTests = TestMmxRead | TestMmxWrite | TestMmxCopy;
constexpr unsigned sseTests = TestSseRead | TestSseWrite | TestSseCopy;

struct CliOptions {
  Mode mode = Mode::Measure;
  unsigned tests = 0;          // TestBit set; 0 with walk == false: the window's initial choice
  bool walk = false;           // Memory Walk
  int startSizeIndex = 0;      // block size 4 KB << index, 0..18 (1 GB); the window's list
  int endSizeIndex = 8;        // ends at 12 (16 MB); window default 1 MB
  int latencyStepIndex = 3;    // step 4 << index, 0..7; window default 32 bytes
  int walkStepIndex = 2;       // 0..4; window default 16 bytes
  bool fourTimes = false;      // "4x Iterations"
  bool copyToItself = false;
  bool logY = false;
  bool table = false;          // print the measured values per size code
  bool report = false;         // write the twrep_NN report set
  bool openReport = false;     // open the page with the desktop's viewer
  std::string csvPath;         // write only the CSV table here ("-": standard output)
  std::string jsonPath;        // write the run as a JSON document here ("-": standard output)
  unsigned repeatCount = 1;    // samples per point, 1..99; the median is kept
  unsigned tlbWindowBytes = 0; // runs of the Random Latency chain inside windows of this size
  unsigned extraTests = 0;     // bit i: engine::extraKernelTable[i] ("avx-read" ...)
  unsigned threads = 1;        // bandwidth points on this many threads; 0: every processor
  bool threadsGiven = false;   // --threads was on the command line
  bool endGiven = false;       // --end was on the command line (the load modes default to 256M)
  std::string loadKernel;      // --load-kernel: a loaded-latency loader's kernel; empty: default
  std::string levelsFromPath;  // --levels-from: the stored run whose levels are printed
  std::vector<std::string> comparePaths;   // compare: the stored runs, the first the reference
  std::string pagePath;        // --page: the run as a page to look at
  std::string baselinePath;    // --baseline: a stored run the measured level summary must match
  double tolerancePercent = 5; // --tolerance: how much slower than the baseline fails (exit 6)
};

constexpr int loadDefaultSizeIndex = 16;   // 256 MB: past every last-level cache

constexpr int windowLastSizeIndex = 12;   // 16 MB, the end of the window's block-size lists
constexpr int lastSizeIndex = 18;         // 1 GB
constexpr unsigned maxRepeatCount = 99;

struct ParseResult {
  bool ok = true;
  std::string error;           // one line naming the bad word
  CliOptions options;
};

ParseResult parseOptions(int argc, const char* const* argv);
const char* usageText();
// The text of --help: the modes and every option with what it does (cli/help_text.cpp).
const char* helpText();

// Block sizes "4K" .. "1G" in powers of two ("KB"/"MB"/"GB" also accepted): log2(size / 4 KB),
// or -1.
int sizeIndexFromText(const std::string& word);
// A step in bytes that is 4 << i for i in 0..maxIndex: i, or -1.
int stepIndexFromText(const std::string& word, int maxIndex);
// One test name of --tests: its TestBit, or 0.
unsigned testBitFromName(const std::string& name);
// One extra kernel's name of --tests: its bit in CliOptions::extraTests, or 0.
unsigned extraTestBitFromName(const std::string& name);

} // namespace cli
