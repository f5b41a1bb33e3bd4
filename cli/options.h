// The command line of the headless front end, parsed into one record. Parsing checks only what
// the words themselves say; what depends on the processor (MMX, SSE) is checked by the run.
#pragma once
#include <string>

namespace cli {

enum class Mode { Measure, Cpu, Bench, ThreadSweep, Version, Help };

// Test check boxes in window order; the same order as the bandwidth result tables 0..8.
enum TestBit : unsigned {
  TestRead = 1u << 0, TestWrite = 1u << 1, TestCopy = 1u << 2,
  TestMmxRead = 1u << 3, TestMmxWrite = 1u << 4, TestMmxCopy = 1u << 5,
  TestSseRead = 1u << 6, TestSseWrite = 1u << 7, TestSseCopy = 1u << 8,
  TestLatency = 1u << 9,
};
constexpr unsigned copyTests = TestCopy | TestMmxCopy | TestSseCopy;
constexpr unsigned mmxTests = TestMmxRead | TestMmxWrite | TestMmxCopy;
constexpr unsigned sseTests = TestSseRead | TestSseWrite | TestSseCopy;

struct CliOptions {
  Mode mode = Mode::Measure;
  unsigned tests = 0;          // TestBit set; 0 with walk == false: the window's initial choice
  bool walk = false;           // Memory Walk
  int startSizeIndex = 0;      // block-size list index 0..12 (4 KB << index); window default 4 KB
  int endSizeIndex = 8;        // window default 1 MB
  int latencyStepIndex = 3;    // step 4 << index, 0..7; window default 32 bytes
  int walkStepIndex = 2;       // 0..4; window default 16 bytes
  bool fourTimes = false;      // "4x Iterations"
  bool copyToItself = false;
  bool logY = false;
  bool table = false;          // print the measured values per size code
  bool report = false;         // write the twrep_NN report set
  bool openReport = false;     // open the page with the desktop's viewer
  std::string csvPath;         // write only the CSV table here ("-": standard output)
  unsigned extraTests = 0;     // bit i: engine::extraKernelTable[i] ("avx-read" ...)
  unsigned threads = 1;        // bandwidth points on this many threads; 0: every processor
};

struct ParseResult {
  bool ok = true;
  std::string error;           // one line naming the bad word
  CliOptions options;
};

ParseResult parseOptions(int argc, const char* const* argv);
const char* usageText();

// Block sizes of the lists, "4K" .. "16M" ("KB"/"MB" also accepted): the list index, or -1.
int sizeIndexFromText(const std::string& word);
// A step in bytes that is 4 << i for i in 0..maxIndex: i, or -1.
int stepIndexFromText(const std::string& word, int maxIndex);
// One test name of --tests: its TestBit, or 0.
unsigned testBitFromName(const std::string& name);
// One extra kernel's name of --tests: its bit in CliOptions::extraTests, or 0.
unsigned extraTestBitFromName(const std::string& name);

} // namespace cli
