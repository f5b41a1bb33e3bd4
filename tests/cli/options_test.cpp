// Command-line parsing: accepted words, and refusals that name the bad word.
#include <gtest/gtest.h>

#include <vector>

#include "cli/options.h"

namespace {

cli::ParseResult parse(std::initializer_list<const char*> words) {
  std::vector<const char*> argv{"tidewell32"};
  argv.insert(argv.end(), words.begin(), words.end());
  return cli::parseOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(CliOptions, DefaultsAreTheWindowsInitialChoices) {
  const cli::ParseResult r = parse({});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.options.mode, cli::Mode::Measure);
  EXPECT_EQ(r.options.tests, 0u);
  EXPECT_EQ(r.options.startSizeIndex, 0);
  EXPECT_EQ(r.options.endSizeIndex, 8);       // 1 MB
  EXPECT_EQ(r.options.latencyStepIndex, 3);   // 32 bytes
  EXPECT_EQ(r.options.walkStepIndex, 2);      // 16 bytes
}

TEST(CliOptions, ReadsEveryMeasurementOption) {
  const cli::ParseResult r =
      parse({"--tests", "read,sse-copy,latency", "--start", "8K", "--end", "16MB",
             "--latency-step", "512", "--4x", "--copy-to-itself", "--log-y", "--table",
             "--report", "--open", "--csv", "-"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.tests, cli::TestRead | cli::TestSseCopy | cli::TestLatency);
  EXPECT_EQ(r.options.startSizeIndex, 1);
  EXPECT_EQ(r.options.endSizeIndex, 12);
  EXPECT_EQ(r.options.latencyStepIndex, 7);
  EXPECT_TRUE(r.options.fourTimes && r.options.copyToItself && r.options.logY);
  EXPECT_TRUE(r.options.table && r.options.report && r.options.openReport);
  EXPECT_EQ(r.options.csvPath, "-");
}

TEST(CliOptions, ExtraKernelsAndThreads) {
  cli::ParseResult r = parse({"--tests", "read,avx512-copy,memcpy,read64", "--threads", "all"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.tests, cli::TestRead);
  // Table positions: read64 0, avx512-copy 8, memcpy 12.
  EXPECT_EQ(r.options.extraTests, (1u << 0) | (1u << 8) | (1u << 12));
  EXPECT_EQ(r.options.threads, 0u);
  r = parse({"--thread-sweep", "--threads", "64"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.mode, cli::Mode::ThreadSweep);
  EXPECT_EQ(r.options.threads, 64u);
}

TEST(CliOptions, ReadsTheCommandLinesOwnOptions) {
  const cli::ParseResult r = parse({"--tests", "read,random-latency", "--end", "1G", "--repeat",
                                    "99", "--tlb-window", "2M", "--json", "run.json"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.tests, cli::TestRead | cli::TestRandomLatency);
  EXPECT_EQ(r.options.endSizeIndex, 18);
  EXPECT_EQ(r.options.repeatCount, 99u);
  EXPECT_EQ(r.options.tlbWindowBytes, 2u << 20);
  EXPECT_EQ(r.options.jsonPath, "run.json");
  EXPECT_EQ(parse({}).options.repeatCount, 1u);
}

TEST(CliOptions, SizesAndStepsMustBeInTheLists) {
  EXPECT_EQ(cli::sizeIndexFromText("4K"), 0);
  EXPECT_EQ(cli::sizeIndexFromText("4kb"), 0);
  EXPECT_EQ(cli::sizeIndexFromText("1M"), 8);
  EXPECT_EQ(cli::sizeIndexFromText("1024K"), 8);
  EXPECT_EQ(cli::sizeIndexFromText("16M"), 12);
  EXPECT_EQ(cli::sizeIndexFromText("32M"), 13);
  EXPECT_EQ(cli::sizeIndexFromText("1G"), 18);
  EXPECT_EQ(cli::sizeIndexFromText("1048576K"), 18);
  EXPECT_EQ(cli::sizeIndexFromText("2G"), -1);
  EXPECT_EQ(cli::sizeIndexFromText("48M"), -1);
  EXPECT_EQ(cli::sizeIndexFromText("12K"), -1);
  EXPECT_EQ(cli::sizeIndexFromText("K"), -1);
  EXPECT_EQ(cli::sizeIndexFromText("4G"), -1);
  EXPECT_EQ(cli::stepIndexFromText("4", 7), 0);
  EXPECT_EQ(cli::stepIndexFromText("512", 7), 7);
  EXPECT_EQ(cli::stepIndexFromText("128", 4), -1);   // walk steps end at 64
  EXPECT_EQ(cli::stepIndexFromText("6", 7), -1);
  EXPECT_EQ(cli::stepIndexFromText("-4", 7), -1);
}

TEST(CliOptions, RefusalsNameTheBadWord) {
  struct Case {
    std::vector<const char*> words;
    const char* named;
  };
  const Case cases[] = {
      {{"--frobnicate"}, "--frobnicate"},
      {{"stray"}, "stray"},
      {{"--tests", "read,mmx-reed"}, "mmx-reed"},
      {{"--tests", "read,"}, "''"},
      {{"--start", "3K"}, "3K"},
      {{"--latency-step", "1024"}, "1024"},
      {{"--walk-step", "128"}, "128"},
      {{"--walk", "--tests", "read"}, "--walk"},
      {{"--tests", "read", "--copy-to-itself"}, "--copy-to-itself"},
      {{"--end"}, "--end"},
      {{"--csv", ""}, "--csv"},
      {{"--threads", "0"}, "'0'"},
      {{"--threads", "65"}, "'65'"},
      {{"--threads", "2x"}, "'2x'"},
      {{"--walk", "--threads", "2"}, "--threads"},
      {{"--tests", "copy,memcpy", "--copy-to-itself"}, "memcpy"},
      {{"--json", ""}, "--json"},
      {{"--repeat", "0"}, "'0'"},
      {{"--repeat", "100"}, "'100'"},
      {{"--repeat", "x"}, "'x'"},
      {{"--tlb-window", "5K", "--tests", "random-latency"}, "5K"},
      {{"--tlb-window", "4K"}, "--tlb-window"},
      {{"--csv", "-", "--json", "-"}, "--json"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"tidewell32"};
    argv.insert(argv.end(), c.words.begin(), c.words.end());
    const cli::ParseResult r = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
    EXPECT_FALSE(r.ok) << c.named;
    EXPECT_NE(r.error.find(c.named), std::string::npos) << r.error;
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
  }
}

} // namespace

TEST(CliOptions, ManyCoreModesAndTheirOptions) {
  const struct {
    std::vector<const char*> words;
    cli::Mode mode;
  } cases[] = {
      {{"--loaded-latency", "--load-kernel", "nt-write", "--end", "64M", "--threads", "2"},
       cli::Mode::LoadedLatency},
      {{"--max-bandwidth", "--threads", "all", "--json", "-"}, cli::Mode::MaxBandwidth},
      {{"--c2c", "--threads", "2"}, cli::Mode::C2c},
      {{"--node-matrix", "--end", "1G"}, cli::Mode::NodeMatrix},
      {{"--levels", "--json", "levels.json"}, cli::Mode::Levels},
      {{"--levels-from", "run.json"}, cli::Mode::LevelsFrom},
      {{"compare", "a.json", "b.json", "c.json"}, cli::Mode::Compare},
      {{"compare", "a.json", "--page", "a.html"}, cli::Mode::Compare},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"tidewell32"};
    argv.insert(argv.end(), c.words.begin(), c.words.end());
    const cli::ParseResult r = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
    ASSERT_TRUE(r.ok) << c.words[0] << ": " << r.error;
    EXPECT_EQ(r.options.mode, c.mode) << c.words[0];
  }
  const cli::ParseResult r = parse({"--loaded-latency", "--load-kernel", "nt-write", "--end", "64M"});
  EXPECT_EQ(r.options.loadKernel, "nt-write");
  EXPECT_TRUE(r.options.endGiven);
  EXPECT_EQ(r.options.endSizeIndex, 14);
}

TEST(CliOptions, ManyCoreModesRefuseWhatMakesNoSense) {
  const struct {
    std::vector<const char*> words;
    const char* error;
  } cases[] = {
      {{"--loaded-latency", "--walk"}, "--loaded-latency does not take --walk"},
      {{"--c2c", "--tests", "read"}, "--c2c does not take --tests"},
      {{"--max-bandwidth", "--report"}, "--max-bandwidth does not take --report"},
      {{"--c2c", "--end", "1M"}, "--c2c does not take --end"},
      {{"--node-matrix", "--threads", "2"}, "--node-matrix does not take --threads"},
      {{"--c2c", "--max-bandwidth"}, "--c2c and --max-bandwidth are two modes; give one"},
      {{"--bench", "--node-matrix"}, "--bench and --node-matrix are two modes; give one"},
      {{"--loaded-latency", "--threads", "1"},
       "--loaded-latency needs --threads 2 or more: the chasing thread and a loader"},
      {{"--max-bandwidth", "--end", "16K"}, "--max-bandwidth needs --end 64K or more"},
      {{"--load-kernel", "read"}, "--load-kernel applies to --loaded-latency only"},
      {{"--levels", "--end", "1G"}, "--levels does not take --end"},
      {{"--start", "4K\n\x1b[2J"}, "block size '4K??[2J' of --start is not one of 4K 8K ... 16M ... 1G"},
      {{"--levels-from", "run.json", "--tests", "read"}, "--levels-from does not take --tests"},
      {{"--levels", "--levels-from", "run.json"}, "--levels and --levels-from are two modes; give one"},
      {{"compare", "a.json"}, "compare needs two runs or more: tidewell32 compare A.json B.json [--page FILE]"},
      {{"compare", "a.json", "--json", "b.json"}, "compare takes the runs' JSON files only, not '--json'"},
      {{"--cpu", "--baseline", "a.json"}, "--baseline applies to a measurement run only"},
      {{"--baseline", "a.json", "--tolerance", "-1"}, "tolerance '-1' of --tolerance is not a per cent from 0 to 1000"},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"tidewell32"};
    argv.insert(argv.end(), c.words.begin(), c.words.end());
    const cli::ParseResult r = cli::parseOptions(static_cast<int>(argv.size()), argv.data());
    EXPECT_FALSE(r.ok) << c.error;
    EXPECT_EQ(r.error, c.error);
  }
  const cli::ParseResult bad = parse({"--loaded-latency", "--load-kernel", "mmx-read"});
  EXPECT_EQ(bad.error.rfind("load kernel 'mmx-read' of --load-kernel is not one of read,", 0), 0u)
      << bad.error;
}
