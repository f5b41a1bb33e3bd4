// The command line's measurement choices as clicks on the in-memory panel, the progress line,
// and the per-size result table.
#include <gtest/gtest.h>

#include <string>

#include "app/panel_memory.h"
#include "cli/measure_panel.h"
#include "cli/modes.h"
#include "cli/options.h"
#include "cli/progress.h"
#include "cli/result_table.h"
#include "engine/run/results.h"
#include "engine/threads.h"
#include "engine/working_memory.h"
#include "platform/memory.h"

namespace {

using namespace app;

cli::CliOptions parse(std::initializer_list<const char*> words) {
  std::vector<const char*> argv{"tidewell32"};
  argv.insert(argv.end(), words.begin(), words.end());
  const cli::ParseResult r = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
  EXPECT_TRUE(r.ok) << r.error;
  return r.options;
}

// The 14 boxes' checks as flags in panel order (tests, Copy to itself, 4x, Log Y, Read
// Latency, Memory Walk).
std::string checks() {
  std::string s;
  for (int b = 0; b < panelBoxCount; ++b) s += boxChecked(static_cast<PanelBox>(b)) ? '1' : '0';
  return s;
}

TEST(MeasureOptions, ChoicesBecomeTheWindowsBoxes) {
  const struct {
    std::initializer_list<const char*> words;
    bool mmx, sse;
    const char* checked;
  } cases[] = {
      {{}, true, true, "00011011000000"},      // the window's own initial choice
      {{}, false, false, "11000000000000"},
      {{}, true, false, "00011000000000"},
      {{"--tests", "sse-read"}, true, true, "00000010000000"},
      {{"--tests", "copy,latency", "--copy-to-itself", "--4x", "--log-y"}, false, false,
       "00100000011110"},
      {{"--tests", "write,mmx-copy,sse-copy", "--copy-to-itself"}, true, true, "01000100110000"},
      {{"--walk", "--4x"}, true, true, "00000000001001"},
      {{"--tests", "avx-read"}, true, true, "00000000000000"},   // extra kernels only
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_TRUE(cli::applyOptionsToPanel(parse(c.words), c.mmx, c.sse, error)) << error;
    EXPECT_EQ(checks(), c.checked) << c.mmx << c.sse << " " << c.words.size();
  }
}

TEST(MeasureOptions, ListSelectionsAndWalkStep) {
  std::string error;
  ASSERT_TRUE(cli::applyOptionsToPanel(
      parse({"--start", "16M", "--end", "8K", "--latency-step", "4", "--walk-step", "64"}), true,
      true, error));
  EXPECT_EQ(listSelection(listStartSize), 12);
  EXPECT_EQ(listSelection(listEndSize), 1);
  EXPECT_EQ(listSelection(listLatencyStep), 0);
  EXPECT_EQ(listSelection(listWalkStep), 4);
  engine::runParameters = {};
  ASSERT_TRUE(cli::applyOptionsToPanel(parse({"--walk", "--walk-step", "64"}), true, true, error));
  EXPECT_EQ(engine::runParameters.latencyStep, 64u);   // the rules read the walk step list
  EXPECT_FALSE(listEnabled(listStartSize));
}

TEST(MeasureOptions, TestsTheProcessorCannotRunAreRefused) {
  const struct {
    const char* tests;
    bool mmx, sse;
    const char* error;
  } cases[] = {
      {"read,mmx-read", false, false, "test 'mmx-read' needs a processor with MMX"},
      {"sse-copy", true, false, "test 'sse-copy' needs a processor with SSE"},
      {"mmx-write,sse-write", false, true, "test 'mmx-write' needs a processor with MMX"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(cli::applyOptionsToPanel(parse({"--tests", c.tests}), c.mmx, c.sse, error));
    EXPECT_EQ(error, c.error);
  }
  std::string error;
  EXPECT_TRUE(cli::applyOptionsToPanel(parse({"--tests", "sse-read"}), false, true, error));
}

TEST(MeasureOptions, ProgressLine) {
  app::RunProgress p;
  p.testLabel = "SSE Read";
  p.sizeCode = 200;   // 1 MB
  p.pointsDone = 50;
  p.pointsTotal = 200;
  // 150 points left at half a second each.
  EXPECT_EQ(cli::progressLine(p, 0.5), "SSE Read        1.00 MB   25%  1:15 left");
  p.sizeCode = 0;
  p.pointsDone = 1;
  p.testLabel = "Read Latency";
  EXPECT_EQ(cli::progressLine(p, -1.0), "Read Latency     4.0 KB    0%  --:-- left");
  p.pointsDone = 0;
  p.testLabel = "Summary";
  EXPECT_EQ(cli::progressLine(p, -1.0), "Summary: measuring at 16 MB and 32 MB");
  EXPECT_EQ(cli::stepProgressLine("c2c", 1, 2, 1.5), "c2c  step 1 of 2  0:02 left");
  EXPECT_EQ(cli::stepProgressLine("loaded latency", 0, 15, -1.0),
            "loaded latency  step 0 of 15  --:-- left");
}

TEST(MeasureOptions, ResultTableHasColumnsForMeasuredSeries) {
  engine::resultTables = {};
  engine::runParameters = {};
  engine::runParameters.startCode = 1;
  engine::runParameters.endCode = 0;
  engine::resultTables.table[engine::tableSseRead][0] = 512000;
  engine::resultTables.table[engine::tableSseRead][1] = 511111;
  engine::resultTables.table[engine::tableReadLatency][0] = 300;
  engine::resultTables.table[engine::tableRead][2] = 1;   // outside the range: no column
  engine::pointRuns.remeasured[engine::tableSseRead][1] = true;
  EXPECT_EQ(cli::resultTableText(),
            "  Code     Bytes     SSE Read  Read Latency\n"
            "                         MB/s        Cycles\n"
            "     0      4096      5120,00          3,00\n"
            "     1      4224      5111,11*            -\n"
            "\n* measured again: it fell below half of the point before it\n");
  engine::resultTables = {};
  engine::pointRuns = {};
  EXPECT_EQ(cli::resultTableText(), "No value was measured per block size in this run.\n");

  // A Memory Walk run adds the matrix: rows of block bytes, columns of steps.
  engine::runParameters.startCode = 0;
  engine::runParameters.endCode = 300;
  engine::resultTables.table[engine::tableWalk][0] = 500;
  engine::resultTables.table[engine::tableWalkMatrix][0] = 411;
  engine::resultTables.table[engine::tableWalkMatrix][237] = 2274;
  engine::pointRuns.remeasured[engine::tableWalkMatrix][0] = true;
  const std::string walk = cli::resultTableText();
  EXPECT_NE(walk.find("     0      4096         5,00\n"), std::string::npos) << walk;
  EXPECT_NE(walk.find("\n     Block       4        8"), std::string::npos) << walk;
  EXPECT_NE(walk.find("\n      3584    4,11*       -"), std::string::npos) << walk;
  EXPECT_NE(walk.find("   22,74\n"), std::string::npos) << walk;
  engine::resultTables = {};
  engine::pointRuns = {};
}

} // namespace

namespace {

TEST(MeasureOptions, ExtraKernelsTheProcessorLacksAreRefusedByName) {
  cpu::VectorFeatures sseOnly32;   // an SSE processor without AVX, in a 32-bit build
  sseOnly32.sse = true;
  sseOnly32.bits64 = false;
  cpu::VectorFeatures everything{true, true, true, true};
  const struct {
    const char* tests;
    const cpu::VectorFeatures& features;
    const char* error;
  } cases[] = {
      {"avx-read", sseOnly32,
       "test 'avx-read' needs a processor with AVX, enabled by the operating system"},
      {"memcpy,avx512-write", sseOnly32,
       "test 'avx512-write' needs a processor with AVX-512, enabled by the operating system"},
      {"copy64", sseOnly32, "test 'copy64' needs the 64-bit build of the program"},
      {"nt-write,movsb-copy,memcpy,copy32,read128", sseOnly32, ""},
      {"read64,avx512-copy,nt-copy", everything, ""},
  };
  for (const auto& c : cases) {
    const cli::CliOptions o = parse({"--tests", c.tests});
    EXPECT_EQ(cli::unsupportedExtraTestError(o.extraTests, c.features), c.error) << c.tests;
  }
  cpu::VectorFeatures none;
  none.bits64 = true;
  EXPECT_EQ(cli::unsupportedExtraTestError(parse({"--tests", "nt-copy"}).extraTests, none),
            "test 'nt-copy' needs a processor with SSE");
  EXPECT_EQ(cli::unsupportedExtraTestError(parse({"--tests", "copy32,read128"}).extraTests, none),
            "test 'read128' needs a processor with SSE");
}

} // namespace

namespace {

TEST(MeasureOptions, ExtraCopiesReserveTheirDestinationPastSixteenMegabytes) {
  for (const char* tests : {"memcpy", "movsb-copy", "avx-copy", "nt-copy", "copy32"}) {
    EXPECT_EQ(cli::workingBytesFor(parse({"--tests", tests, "--end", "64M"})),
              engine::testAllocationFor(350, true)) << tests;
  }
  EXPECT_EQ(cli::workingBytesFor(parse({"--tests", "avx-read,nt-write,read128", "--end", "64M"})),
            engine::testAllocationFor(350, false));
}

TEST(MeasureOptions, OtherThreadsGetAreasForTheLargestBlock) {
  constexpr std::size_t mb = 1u << 20, alignment = 65536;
  EXPECT_EQ(cli::threadBytesFor(parse({"--tests", "read", "--end", "64M"}), 1), 0u);
  EXPECT_EQ(cli::threadBytesFor(parse({"--tests", "read", "--end", "64M"}), 3),
            2 * (64 * mb + alignment));
  EXPECT_EQ(cli::threadBytesFor(parse({"--tests", "memcpy", "--start", "64M"}), 2),
            128 * mb + alignment);
  EXPECT_EQ(cli::threadBytesFor(parse({"--tests", "copy"}), 2), engine::threadAreaBytes);
}

TEST(MeasureOptions, ThreadsReserveTheirAreasUpFrontOrNothing) {
  ASSERT_TRUE(engine::allocateWorkingMemory());
  // 64 threads copying 1 GB blocks: 126 GB for the other threads' areas alone.
  const cli::CliOptions huge = parse({"--tests", "copy", "--end", "1G"});
  if (platform::freePhysicalBytes() < cli::threadBytesFor(huge, 64)) {
    EXPECT_FALSE(cli::reserveWorkingMemory(huge, 64));
    EXPECT_EQ(engine::threadAreas.blocks[1], nullptr);
    EXPECT_EQ(engine::workingMemory.testAllocationSize, engine::testAllocationBytes);
  }
  const cli::CliOptions options = parse({"--tests", "read", "--end", "64M"});
  EXPECT_TRUE(cli::reserveWorkingMemory(options, 2));
  EXPECT_NE(engine::threadAreas.blocks[1], nullptr);
  EXPECT_EQ(engine::threadAreas.bytes, cli::threadBytesFor(options, 2));
  engine::freeThreadAreas();
  engine::freeWorkingMemory();
}

} // namespace
