// What the command line prints and writes from a run's results: the text table with its
// repeats and blocks past 16 MB, the JSON document, and the line when memory is short. The
// results are set by hand; nothing is measured.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/panel.h"
#include "app/panel_memory.h"
#include "cli/json_output.h"
#include "cli/measure_panel.h"
#include "cli/result_table.h"
#include "engine/core_clock.h"
#include "engine/run/run_extras.h"
#include "engine/run/results.h"
#include "engine/run/series.h"
#include "engine/timer.h"

namespace {

class RunOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::resultTables = {};
    engine::pointRuns = {};
    engine::seriesResults = {};
    engine::runRequest = {};
    engine::runParameters = {};
    engine::timer.clock10k = 250000;   // 2,500.00 MHz
    app::resetMemoryPanel();
    // Read at 4 KB .. 8 KB as the window's tables hold it, and the same in the series.
    for (uint32_t code = 0; code <= 25; ++code) {
      engine::resultTables.table[engine::tableRead][code] = 3000000 + code;
      engine::seriesResults.point[engine::tableRead][code] = {3000000 + code, 2900000, 3100000};
    }
    engine::runParameters.startCode = 0;
    engine::runParameters.endCode = 25;
  }
  void TearDown() override {
    engine::runRequest = {};
    engine::coreClock = {};
  }
};

TEST_F(RunOutputs, OneRepeatOverTheWindowsRangePrintsTheTableAsBefore) {
  const std::string windowRun = cli::resultTableText();
  engine::runRequest.ownRange = true;
  engine::runRequest.startCode = 0;
  engine::runRequest.endCode = 25;
  EXPECT_EQ(cli::resultTableText(), windowRun);
  EXPECT_EQ(windowRun.find("spread"), std::string::npos);
}

TEST_F(RunOutputs, TableCarriesRepeatsRandomLatencyAndBlocksPast16MB) {
  engine::runRequest = {3, true, 0, 301, true, 0};
  engine::seriesResults.point[engine::tableRead][301] = {2000000, 1900000, 2100000};
  // 250 counter ticks at 2,500 MHz: 100 ns.
  engine::seriesResults.point[engine::seriesRandomLatency][301] = {25000, 24000, 26000};
  const std::string table = cli::resultTableText();
  EXPECT_NE(table.find("Random Lat."), std::string::npos);
  // Code 301: Read 20000,00 MB/s (min, max, spread 10 %), Random Latency 100 ns (8 %).
  EXPECT_NE(table.find("   301  17448960     20000,00      19000,00      21000,00         10,00"
                       "        100,00         96,00        104,00          8,00"),
            std::string::npos)
      << table;
}

TEST_F(RunOutputs, JsonHoldsWhatTheRunPrinted) {
  engine::runRequest = {3, true, 0, 301, true, 0};
  engine::seriesResults.point[engine::seriesRandomLatency][301] = {25000, 24000, 26000, 4};
  app::setFieldText(app::fieldMaxBandwidth, "Read: 30000,25 MB/s");
  engine::coreClock.clock10k = 300000;   // the core at 3,000 MHz runs 1.2 cycles per tick
  cli::CliOptions options;
  options.tests = cli::TestRead | cli::TestRandomLatency;
  options.repeatCount = 3;
  const nlohmann::json doc =
      nlohmann::json::parse(cli::jsonText(options, "2026-12-07T10:00:00Z"));
  EXPECT_EQ(doc["time"], "2026-12-07T10:00:00Z");
  EXPECT_EQ(doc["clocks"]["tscMHz"], 2500.0);
  EXPECT_EQ(doc["options"]["repeat"], 3);
  EXPECT_EQ(doc["options"]["endBytes"], 17448960);
  EXPECT_EQ(doc["resultLines"][2], "Maximal Bandwidth: Read: 30000,25 MB/s");
  const nlohmann::json& read = doc["results"][0];
  EXPECT_EQ(read["test"], "read");
  EXPECT_EQ(read["points"].size(), 26u);
  EXPECT_EQ(read["points"][1]["bytes"], 4224);
  EXPECT_EQ(read["points"][1]["MBps"], 30000.01);
  EXPECT_EQ(read["points"][1]["min"], 29000.0);
  EXPECT_EQ(read["points"][1]["spreadPercent"], 6.66);
  const nlohmann::json& random = doc["results"][1];
  EXPECT_EQ(random["test"], "random-latency");
  EXPECT_EQ(random["points"][0]["bytes"], 17448960);
  EXPECT_EQ(random["points"][0]["ns"], 100.0);
  EXPECT_EQ(random["points"][0]["tscCycles"], 250.0);
  EXPECT_EQ(random["points"][0]["coreCycles"], 300.0);
  EXPECT_EQ(random["points"][0]["max"], 104.0);
  EXPECT_EQ(random["points"][0]["runs"], 4);   // one sample measured again
  EXPECT_EQ(doc["clocks"]["coreMHz"], 3000.0);
}

TEST_F(RunOutputs, AnExtraKernelFollowsTheNineWithItsSpread) {
  engine::runRequest = {3, true, 0, 25, false, 0};
  engine::extraTables = {};
  // avx-read at code 4: 40000,00 MB/s, samples 38000,00 .. 42000,00 (10 %), three runs.
  engine::extraTables.point[3][4] = {4000000, 3800000, 4200000, 3};
  engine::seriesResults.point[engine::seriesRandomLatency][4] = {25000, 24000, 26000};
  cli::CliOptions options;
  options.tests = cli::TestRead | cli::TestRandomLatency;
  options.extraTests = 1u << 3;
  options.repeatCount = 3;
  const nlohmann::json doc = nlohmann::json::parse(cli::jsonText(options, ""));
  const std::string table = cli::resultTableText();
  engine::extraTables = {};
  EXPECT_NE(table.find("AVX Read           min           max        spread"), std::string::npos)
      << table;
  EXPECT_NE(table.find("40000,00      38000,00      42000,00         10,00"), std::string::npos)
      << table;
  EXPECT_EQ(doc["options"]["tests"],
            nlohmann::json::array({"read", "avx-read", "random-latency"}));
  const nlohmann::json& results = doc["results"];
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[1]["test"], "avx-read");
  ASSERT_EQ(results[1]["points"].size(), 1u);
  EXPECT_EQ(results[1]["points"][0]["bytes"], engine::blockBytes(4));
  EXPECT_EQ(results[1]["points"][0]["MBps"], 40000.0);
  EXPECT_GT(results[1]["points"][0]["tscCycles"], 0.0);
  EXPECT_EQ(results[1]["points"][0]["min"], 38000.0);
  EXPECT_EQ(results[1]["points"][0]["max"], 42000.0);
  EXPECT_EQ(results[1]["points"][0]["spreadPercent"], 10.0);
  EXPECT_EQ(results[1]["points"][0]["runs"], 3);
  EXPECT_EQ(results[2]["test"], "random-latency");
}

TEST(MemoryShortLine, NamesTheSizeNeededAndWhatIsFree) {
  // 1 GiB of blocks + 16 MiB kept for the system; 512 MiB free.
  EXPECT_EQ(cli::memoryShortLine(1u << 30, 512u << 20, false),
            "this run needs 1040,00 MB of free memory, 512,00 MB are free (MB = 2^20 bytes)");
  EXPECT_EQ(cli::memoryShortLine(1u << 30, 0, true),
            "the system refused the 1024,00 MB of memory this run needs");
}

} // namespace
