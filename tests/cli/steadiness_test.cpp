// How steady a run was, on synthetic figures: the host's change between its reference
// measurements, the warning it gives, and the median spread of repeated samples per series.
#include <gtest/gtest.h>

#include "cli/steadiness.h"

namespace {

using nlohmann::json;

std::vector<engine::HostCheck> checksOf(std::vector<uint32_t> megabytesPerSecond) {
  std::vector<engine::HostCheck> checks;
  double seconds = 0;
  for (uint32_t mbps : megabytesPerSecond) {
    checks.push_back({"after read", seconds, mbps * 100, 320000});
    seconds += 4;
  }
  if (!checks.empty()) checks.front().when = "start";
  if (checks.size() > 1) checks.back().when = "end";
  return checks;
}

TEST(Steadiness, HostChangeIsHighestOverLowestOfTheMeasuredChecks) {
  const struct {
    const char* what;
    std::vector<uint32_t> rates;
    double changePercent;
    bool stable;
  } cases[] = {
      {"steady", {96000, 95000, 96500}, 1.58, true},
      {"exactly the limit", {100000, 110000}, 10.0, true},
      {"slower at the end", {96883, 90000, 78624}, 23.22, false},
      {"a slow stretch between series", {96000, 70000, 96000}, 37.14, false},
      {"faster at the end", {70000, 80000}, 14.29, false},
      {"an unmeasured check is left out", {96000, 0, 95000}, 1.05, true},
      {"one check", {96000}, 0, true},
      {"no checks", {}, 0, true},
  };
  for (const auto& c : cases) {
    const engine::HostStability s = engine::hostStability(checksOf(c.rates));
    EXPECT_NEAR(s.changePercent, c.changePercent, 0.01) << c.what;
    EXPECT_EQ(s.stable, c.stable) << c.what;
    const json doc = cli::steadinessJson(json::array(), checksOf(c.rates));
    EXPECT_EQ(cli::hostWarningText(doc).empty(), c.stable) << c.what;
  }
}

TEST(Steadiness, AnUnstableHostIsInTheDocumentWithItsFigures) {
  const json doc = cli::steadinessJson(json::array(), checksOf({96883, 90000, 78624}));
  EXPECT_EQ(doc["hostStable"], false);
  EXPECT_EQ(doc["hostLowestMBps"], 78624.0);
  EXPECT_EQ(doc["hostHighestMBps"], 96883.0);
  ASSERT_EQ(doc["hostChecks"].size(), 3u);
  EXPECT_EQ(doc["hostChecks"][2]["when"], "end");
  EXPECT_EQ(doc["hostChecks"][2]["seconds"], 8.0);
  EXPECT_EQ(doc["hostChecks"][2]["coreMHz"], 3200.0);
  EXPECT_EQ(cli::hostWarningText(doc),
            "tidewell32: warning: the host's speed changed by 23.2 % during the run (16 KB " +
                std::string(engine::hostReferenceName()) +
                " 78624 to 96883 MB/s); series measured at different times may not compare\n");
}

TEST(Steadiness, RepeatSpreadIsTheMedianOfEachSeriesPoints) {
  const json results = json::parse(R"([
    {"test": "read", "points": [{"spreadPercent": 4.0}, {"spreadPercent": 1.0},
                                {"spreadPercent": 9.0}]},
    {"test": "sse-read", "points": [{"spreadPercent": 2.0}, {"spreadPercent": 3.0}]},
    {"test": "latency", "points": [{"ns": 1.1}]}
  ])");
  const json doc = cli::steadinessJson(results, {});
  EXPECT_EQ(doc["repeatSpreadPercent"], json::parse(R"({"read": 4.0, "sse-read": 2.5})"));
  EXPECT_FALSE(doc.contains("hostStable"));
  EXPECT_EQ(cli::steadinessText(doc),
            "Spread of the samples, median per series: read 4.0 %, sse-read 2.5 %\n");
  EXPECT_TRUE(cli::steadinessJson(json::array(), {}).empty()) << "a single sample per point";
}

} // namespace
