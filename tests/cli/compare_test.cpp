// compare: the verdict of each cell and the files it refuses; the baseline gate of a run.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/compare.h"
#include "cli/modes.h"
#include "cli/options.h"
#include "tests/report/temp_dir.h"

namespace {

using nlohmann::json;

json level(const char* name, json series) { return {{"name", name}, {"series", series}}; }

TEST(CliCompare, VerdictsOfEachCell) {
  const json reference = json::array({
      level("L1d", {{"read", {{"MBps", 1000}}}, {"random-latency", {{"ns", 1.0}}}}),
      level("L2", {{"read", {{"MBps", 1000}, {"spreadPercent", 12}}}}),
      level("memory", {{"read", {{"MBps", 100}}}}),
  });
  const json other = json::array({
      level("L1d", {{"read", {{"MBps", 1100}}}, {"random-latency", {{"ns", 1.2}}}}),
      level("L2", {{"read", {{"MBps", 900}, {"spreadPercent", 3}}}}),
      level("L3", {{"read", {{"MBps", 500}}}}),   // a level the reference lacks: no cell
      level("memory", {{"read", {{"MBps", 102}}}}),
  });
  const struct {
    const char* test;
    const char* level;
    int verdict;
    double noise;
  } expected[] = {
      {"random-latency", "L1d", -1, 5},   // 1.2 ns against 1.0: slower
      {"read", "L1d", 1, 5},              // 10 % more MB/s
      {"read", "L2", 0, 12},              // 10 % fewer, inside the runs' own 12 % spread
      {"read", "memory", 0, 5},           // 2 %, inside the default noise
  };
  const std::vector<cli::CompareCell> cells = cli::compareLevels(reference, other);
  ASSERT_EQ(cells.size(), std::size(expected));
  for (size_t i = 0; i < cells.size(); ++i) {
    SCOPED_TRACE(expected[i].test + std::string(" ") + expected[i].level);
    EXPECT_EQ(cells[i].test, expected[i].test);
    EXPECT_EQ(cells[i].level, expected[i].level);
    EXPECT_EQ(cells[i].verdict, expected[i].verdict);
    EXPECT_DOUBLE_EQ(cells[i].noisePercent, expected[i].noise);
  }
  // The gate: slower by more than the tolerance, one line per cell.
  EXPECT_EQ(cli::slowerThanBaseline(cells, 5).size(), 2u);    // latency +20 %, L2 -10 %
  EXPECT_EQ(cli::slowerThanBaseline(cells, 15).size(), 1u);
  EXPECT_EQ(cli::slowerThanBaseline(cells, 25).size(), 0u);
  EXPECT_EQ(cli::slowerThanBaseline(cells, 15)[0].rfind("random-latency L1d: 1.20 ns", 0), 0u);
}

std::string writeRun(const char* name, const json& doc) {
  std::ofstream(name) << doc.dump();
  return name;
}

TEST(CliCompare, RefusesWhatCannotBeCompared) {
  testing_support::ScopedTempDir dir;
  const json base = {{"program", "tidewell32"}, {"version", "0.1.0"},
                     {"options", {{"endBytes", 1024}, {"repeat", 1}}},
                     {"results", json::array()}, {"levels", json::array()}};
  json otherVersion = base, otherEnd = base, otherRepeat = base;
  otherVersion["version"] = "0.2.0";
  otherEnd["options"]["endBytes"] = 2048;
  otherRepeat["options"]["repeat"] = 5;
  std::ofstream("broken.json") << R"({"results": [)";
  std::ofstream("empty.json") << R"({"program": "tidewell32"})";
  const struct {
    std::string path;
    std::string error;   // empty: comparable
  } cases[] = {
      {writeRun("version.json", otherVersion), "version.json: written by version \"0.2.0\""},
      {writeRun("end.json", otherEnd), "end.json: option endBytes is 2048"},
      {writeRun("repeat.json", otherRepeat), ""},   // repeats only change the noise
      {"missing.json", "missing.json: cannot be read"},
      {"broken.json", "broken.json: not a JSON document"},
      {"empty.json", "empty.json: has no \"results\""},
  };
  cli::StoredRun first, other;
  std::string error;
  ASSERT_TRUE(cli::loadStoredRun(writeRun("base.json", base), first, error)) << error;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    error.clear();
    if (cli::loadStoredRun(c.path, other, error)) error = cli::comparabilityError(first, other);
    if (c.error.empty()) {
      EXPECT_EQ(error, "");
    } else {
      EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
  }
}

int runMeasure(std::vector<const char*> words) {
  std::vector<const char*> argv{"tidewell32", "--tests", "read", "--start", "4K", "--end", "8K"};
  argv.insert(argv.end(), words.begin(), words.end());
  const cli::ParseResult parsed = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
  EXPECT_TRUE(parsed.ok) << parsed.error;
  return cli::runMeasureMode(parsed.options);
}

TEST(CliCompare, BaselineGateFailsARunSlowerThanItsBaseline) {
  testing_support::ScopedTempDir dir;
  ASSERT_EQ(runMeasure({"--json", "base.json"}), cli::exitOk);
  json doc = json::parse(testing_support::readWholeFile("base.json"));
  ASSERT_FALSE(doc["levels"].empty());
  for (json& level : doc["levels"]) level["series"]["read"]["MBps"] = 1e9;   // no run is this fast
  writeRun("fast.json", doc);
  EXPECT_EQ(runMeasure({"--baseline", "base.json", "--tolerance", "1000"}), cli::exitOk);
  testing::internal::CaptureStderr();
  EXPECT_EQ(runMeasure({"--baseline", "fast.json", "--tolerance", "3"}), cli::exitSlowerThanBaseline);
  const std::string lines = testing::internal::GetCapturedStderr();
  EXPECT_NE(lines.find("tidewell32: slower than fast.json: read L1d: "), std::string::npos) << lines;
  EXPECT_EQ(runMeasure({"--baseline", "missing.json"}), cli::exitUsage);
}

} // namespace
