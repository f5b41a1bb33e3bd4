// One short run of each many-core mode as the program runs it, start-up checks and clock
// calibration included, with the JSON document it writes. Rates and latencies are only
// asserted to be there and above zero.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <vector>

#include "cli/modes.h"
#include "cli/options.h"
#include "engine/load/load_threads.h"
#include "engine/load/loaded_latency.h"
#include "platform/threads.h"
#include "tests/report/temp_dir.h"

namespace {

nlohmann::json runMode(std::vector<const char*> words) {
  testing_support::ScopedTempDir dir;
  engine::loadSettings = {20000, 1, 3, 200, 3};
  std::vector<const char*> argv{"tidewell32"};
  argv.insert(argv.end(), words.begin(), words.end());
  argv.insert(argv.end(), {"--json", "run.json"});
  const cli::ParseResult parsed = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
  EXPECT_TRUE(parsed.ok) << parsed.error;
  int status = -1;
  switch (parsed.options.mode) {
    case cli::Mode::LoadedLatency: status = cli::runLoadedLatencyMode(parsed.options); break;
    case cli::Mode::MaxBandwidth: status = cli::runMaxBandwidthMode(parsed.options); break;
    case cli::Mode::C2c: status = cli::runC2cMode(parsed.options); break;
    default: status = cli::runNodeMatrixMode(parsed.options); break;
  }
  engine::loadSettings = {};
  EXPECT_EQ(status, cli::exitOk) << words[0];
  return nlohmann::json::parse(testing_support::readWholeFile("run.json"));
}

bool twoProcessors() { return platform::usableProcessorCount() >= 2; }

TEST(LoadModes, LoadedLatencyStartsIdleThenLoads) {
  if (!twoProcessors()) GTEST_SKIP() << "one usable processor";
  const nlohmann::json doc = runMode({"--loaded-latency", "--end", "64K", "--threads", "2"});
  const nlohmann::json& points = doc["results"][0]["points"];
  EXPECT_EQ(doc["results"][0]["test"], "loaded-latency");
  ASSERT_EQ(points.size(), engine::loadedLatencySteps);
  EXPECT_TRUE(points[0]["idle"].get<bool>());
  EXPECT_EQ(points[0]["MBps"].get<double>(), 0.0);
  EXPECT_GT(points[1]["MBps"].get<double>(), 0.0);
  EXPECT_EQ(points.back()["delayTicks"], engine::loadedLatencyDelay(engine::loadedLatencySteps - 1));
  for (const auto& p : points) EXPECT_GT(p["ns"].get<double>(), 0.0);
  EXPECT_TRUE(doc["load"]["blockFitsLastLevelCache"].get<bool>());   // 64 KB fits any L3
  EXPECT_GT(doc["memory"]["peakBytes"].get<uint64_t>(), 65536u);
  EXPECT_EQ(doc["options"]["mode"], "loaded-latency");
}

TEST(LoadModes, MaxBandwidthGivesEveryMix) {
  const nlohmann::json doc = runMode({"--max-bandwidth", "--end", "64K"});
  const nlohmann::json& points = doc["results"][0]["points"];
  ASSERT_GE(points.size(), 5u);   // the non-temporal mix needs SSE
  EXPECT_EQ(points[0]["mix"], "reads");
  for (const auto& p : points) EXPECT_GT(p["MBps"].get<double>(), 0.0) << p["mix"];
}

TEST(LoadModes, C2cMatrixNamesTheProcessors) {
  if (!twoProcessors()) GTEST_SKIP() << "one usable processor";
  const nlohmann::json doc = runMode({"--c2c", "--threads", "2"});
  ASSERT_EQ(doc["c2c"]["cpus"].size(), 2u);
  const nlohmann::json& ns = doc["c2c"]["ns"];
  ASSERT_EQ(ns.size(), 2u);
  EXPECT_TRUE(ns[0][0].is_null() && ns[1][1].is_null());
  EXPECT_GT(ns[0][1].get<double>(), 0.0);
  EXPECT_GT(ns[1][0].get<double>(), 0.0);
}

TEST(LoadModes, NodeMatrixHasACellPerPairOfNodes) {
  const nlohmann::json doc = runMode({"--node-matrix", "--end", "64K"});
  const uint32_t nodes = doc["nodes"]["count"].get<uint32_t>();
  ASSERT_GE(nodes, 1u);
  ASSERT_EQ(doc["nodes"]["ns"].size(), nodes);
  ASSERT_EQ(doc["nodes"]["MBps"][0].size(), nodes);
  EXPECT_GT(doc["nodes"]["ns"][0][0].get<double>(), 0.0);
  EXPECT_GT(doc["nodes"]["MBps"][0][0].get<double>(), 0.0);
  EXPECT_FALSE(doc["nodes"]["processors"][0].empty());
}

} // namespace
