// The level summary: the sizes each level summarises, from the caches CPUID names on recorded
// machines (tests/cpu/caches_test.cpp decodes the same leaves) or from the measured ends, and
// the median over the points inside each level of synthetic series.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <vector>

#include "cli/level_summary.h"

namespace {

using nlohmann::json;

TEST(CliLevelSummary, SizesFromCpuidOrFromTheCurve) {
  const struct {
    const char* machine;
    std::vector<uint32_t> cpuidKB;
    std::vector<uint64_t> firstKB;   // each level's first size; memory last
  } machines[] = {
      {"EPYC Genoa VM", {32, 1024, 32768}, {4, 128, 4096, 131072}},
      {"Core i7 Skylake", {32, 256, 6144}, {4, 32, 768, 24576}},
      {"Opteron 6376", {16, 2048, 6144}, {2, 256, 768, 24576}},
  };
  for (const auto& m : machines) {
    SCOPED_TRACE(m.machine);
    const std::vector<cli::SummaryLevel> levels = cli::summaryLevels(m.cpuidKB, {});
    ASSERT_EQ(levels.size(), m.firstKB.size());
    for (size_t k = 0; k < levels.size(); ++k) {
      EXPECT_EQ(levels[k].firstBytes, m.firstKB[k] * 1024);
      if (k + 1 < levels.size()) {
        EXPECT_EQ(levels[k].lastBytes, m.firstKB[k] * 4096);
      }
      EXPECT_STREQ(levels[k].source, "cpuid");
    }
    EXPECT_EQ(levels[0].name, "L1d");
    EXPECT_EQ(levels.back().name, "memory");
  }
  // A measured L3 of 8 MB beside CPUID's 32 MB, and an L4 CPUID does not name: both measured,
  // and memory starts at 4 x the measured last level.
  cli::MeasuredLevel l3, l4;
  l3.name = "L3", l3.found.endBytes = 8 << 20, l3.cpuidKB = 32768, l3.agrees = 0;
  l4.name = "L4", l4.found.endBytes = 64 << 20;
  const std::vector<cli::SummaryLevel> levels = cli::summaryLevels({32, 1024, 32768}, {l3, l4});
  ASSERT_EQ(levels.size(), 5u);
  EXPECT_EQ(levels[2].firstBytes, 1u << 20);
  EXPECT_STREQ(levels[2].source, "measured");
  EXPECT_EQ(levels[3].name, "L4");
  EXPECT_EQ(levels[4].firstBytes, uint64_t(256) << 20);
}

json series(const char* test, const char* field, std::vector<std::pair<uint64_t, double>> points) {
  json list = json::array();
  for (const auto& p : points) list.push_back({{"bytes", p.first}, {field, p.second}});
  return {{"test", test}, {"points", list}};
}

TEST(CliLevelSummary, MedianOverTheSizesInsideEachLevel) {
  const json results = json::array({
      // 4 KB and 8 KB inside a 32 KB L1 (4 .. 16 KB); 64 KB falls between the levels.
      series("read", "MBps", {{4096, 100}, {8192, 300}, {16384, 200}, {65536, 999},
                              {131072, 50}, {1 << 30, 10}}),
      series("random-latency", "ns", {{4096, 1}, {262144, 4}, {uint64_t(1) << 30, 120}}),
  });
  const std::vector<cli::SummaryLevel> levels = cli::summaryLevels({32, 1024}, {});
  const json summary = cli::levelSummaryJson(results, levels);
  ASSERT_EQ(summary.size(), 3u);   // L1d, L2 and memory; no level is guessed
  EXPECT_EQ(summary[0]["series"]["read"]["MBps"], 200);
  EXPECT_EQ(summary[0]["series"]["read"]["points"], 3);
  EXPECT_EQ(summary[0]["lastBytes"], 16384);
  EXPECT_EQ(summary[1]["series"]["read"]["MBps"], 50);
  EXPECT_EQ(summary[1]["series"]["random-latency"]["ns"], 4);
  EXPECT_EQ(summary[2]["name"], "memory");
  EXPECT_EQ(summary[2]["firstBytes"], 1 << 30);
  const std::string text = cli::levelSummaryText(summary);
  EXPECT_NE(text.find("200 MB/s"), std::string::npos) << text;
  EXPECT_NE(text.find("120.00 ns"), std::string::npos) << text;
  // One level only: nothing to set side by side.
  EXPECT_EQ(cli::levelSummaryText(json::array({summary[0]})), "");
}

} // namespace
