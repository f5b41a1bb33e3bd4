// The levels of recorded runs set beside their CPUID caches, and --levels-from on files it must
// refuse. The recorded runs are described in tests/data/levels/README.md.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/levels_report.h"
#include "cli/modes.h"
#include "cli/options.h"
#include "tests/report/temp_dir.h"

namespace {

using nlohmann::json;

struct Expected {
  const char* name;
  double endLowKB, endHighKB;   // 0, 0: no end
  int agrees;
};

TEST(CliLevels, RecordedRunsBesideTheirCpuidCaches) {
  const struct {
    const char* file;
    std::vector<Expected> levels;
  } runs[] = {
      {"zen5-vm-run1.json",
       {{"L1", 28, 48, 1}, {"L2", 500, 1100, 1}, {"L3", 4096, 8192, 0}, {"memory", 0, 0, -1}}},
      {"zen5-vm-run2.json",
       {{"L1", 40, 56, 1}, {"L2", 800, 1200, 1}, {"L3", 16384, 24576, 0}, {"memory", 0, 0, -1}}},
      {"zen3-vm.json",
       {{"L1", 24, 36, 1}, {"L2", 256, 600, 1}, {"L3", 4096, 9216, 0}, {"memory", 0, 0, -1}}},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.file);
    std::ifstream in(std::string(TW_TEST_DATA_DIR) + "/levels/" + run.file);
    const json doc = json::parse(in);
    std::string test;
    std::vector<engine::LatencyPoint> points;
    ASSERT_TRUE(cli::latencySeriesOf(doc["results"], test, points));
    EXPECT_EQ(test, "random-latency");
    const std::vector<cli::MeasuredLevel> levels = cli::measuredLevels(
        engine::findLevels(points), cli::cpuidDataLevelsKB(doc["processor"]["caches"]));
    ASSERT_EQ(levels.size(), run.levels.size());
    for (size_t k = 0; k < levels.size(); ++k) {
      const Expected& e = run.levels[k];
      EXPECT_EQ(levels[k].name, e.name);
      EXPECT_EQ(levels[k].agrees, e.agrees) << e.name;
      EXPECT_GE(levels[k].found.endBytes / 1024.0, e.endLowKB) << e.name;
      EXPECT_LE(levels[k].found.endBytes / 1024.0, e.endHighKB) << e.name;
    }
    // The CPUID L3 far beyond the measured end is said in a sentence.
    EXPECT_NE(cli::levelsText(levels, test).find("is far above what this core reaches"),
              std::string::npos);
  }
}

TEST(CliLevels, NamesFollowCpuidAndTheStartOfTheCurve) {
  engine::FoundLevel l1{4096, 36 * 1024, 1.2, 4}, l2{40960, 1 << 20, 4, 14}, mem{8 << 20, 0, 90, 300};
  // CPUID names no L2: the level is L2 all the same, and disagrees.
  std::vector<cli::MeasuredLevel> m = cli::measuredLevels({l1, l2, mem}, {32});
  EXPECT_EQ(m[1].name, "L2");
  EXPECT_EQ(m[1].agrees, 0);
  EXPECT_EQ(m[2].name, "memory");
  EXPECT_NE(cli::levelsText(m, "latency").find("CPUID names no L2"), std::string::npos);
  // A curve from 256 KB begins past the L1: its first level is the L2; one that ends on a
  // level CPUID names is that level, not memory.
  engine::FoundLevel from256k{262144, 0, 4, 14};
  m = cli::measuredLevels({from256k}, {32, 1024});
  EXPECT_EQ(m[0].name, "L2");
  EXPECT_EQ(m[0].agrees, -1);
  EXPECT_EQ(cli::levelsText(m, "latency"), "");   // one level: nothing to set beside CPUID
  EXPECT_TRUE(cli::agreesWithCpuid(600 * 1024, 1024));
  EXPECT_FALSE(cli::agreesWithCpuid(400 * 1024, 1024));
  EXPECT_EQ(cli::bytesText(36 * 1024), "36 KB");
  EXPECT_EQ(cli::bytesText(4718592), "4.5 MB");
  EXPECT_EQ(cli::bytesText(uint64_t(1) << 30), "1 GB");
}

TEST(CliLevels, LevelsFromRefusesFilesWithoutALatencyCurve) {
  testing_support::ScopedTempDir dir;
  const std::string full = testing_support::readWholeFile(std::string(TW_TEST_DATA_DIR) +
                                                          "/levels/zen3-vm.json");
  const struct {
    const char* content;   // nullptr: no file at all
    std::string text;
  } files[] = {
      {nullptr, ""},
      {"x", full.substr(0, full.size() / 2)},                               // cut short
      {"x", R"({"program": "tidewell32"})"},                                 // no results
      {"x", R"({"results": [{"test": "read", "points": [{"bytes": 4096, "MBps": 1}]}]})"},
      {"x", R"({"results": [{"test": "latency", "points": [{"bytes": "4K", "ns": 1}]}]})"},
      {"x", R"({"results": 7, "processor": {"caches": "none"}})"},
  };
  for (const auto& f : files) {
    if (f.content != nullptr) std::ofstream("run.json") << f.text;
    const char* argv[] = {"tidewell32", "--levels-from", "run.json"};
    const cli::ParseResult parsed = cli::parseOptions(3, argv);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    testing::internal::CaptureStderr();
    EXPECT_EQ(cli::runLevelsFromMode(parsed.options), cli::exitUsage) << f.text.substr(0, 60);
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_EQ(error.rfind("tidewell32: run.json: ", 0), 0u) << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
    std::remove("run.json");
  }
}

} // namespace
