// Entry point of the command-line program: parse, run the chosen mode, then make sure standard
// output took everything the mode wrote to it.
#include <cstdio>

#include "cli/console.h"
#include "cli/modes.h"
#include "cli/options.h"
#include "engine/test_area.h"
#include "tw_git_describe.h"

namespace {

// The processor and system the program was built for.
constexpr const char* builtFor =
#if defined(__x86_64__) || defined(_M_X64)
    "x86-64"
#else
    "i686"
#endif
#ifdef _WIN32
    " Windows";
#else
    " Linux";
#endif

void printVersion() {
  std::printf("tidewell32 %s\n", TW_VERSION);
  if (TW_GIT_DESCRIBE[0] != '\0') std::printf("git describe: %s\n", TW_GIT_DESCRIBE);
  std::printf("built for: %s\n", builtFor);
}

int runMode(const cli::ParseResult& parsed) {
  if (!parsed.ok) {
    std::fprintf(stderr, "tidewell32: %s\n%s", parsed.error.c_str(), cli::usageText());
    return cli::exitUsage;
  }
  switch (parsed.options.mode) {
    case cli::Mode::Help:
      std::fputs(cli::helpText(), stdout);
      return cli::exitOk;
    case cli::Mode::Version:
      printVersion();
      return cli::exitOk;
    case cli::Mode::Cpu:
      return cli::runCpuMode();
    case cli::Mode::Bench:
      return cli::runBenchMode();
    case cli::Mode::BenchTwins:
      return cli::runBenchTwinsMode();
    case cli::Mode::ThreadSweep:
      return cli::runThreadSweepMode(parsed.options);
    case cli::Mode::LoadedLatency:
      return cli::runLoadedLatencyMode(parsed.options);
    case cli::Mode::MaxBandwidth:
      return cli::runMaxBandwidthMode(parsed.options);
    case cli::Mode::C2c:
      return cli::runC2cMode(parsed.options);
    case cli::Mode::NodeMatrix:
      return cli::runNodeMatrixMode(parsed.options);
    case cli::Mode::Levels:
      return cli::runLevelsMode(parsed.options);
    case cli::Mode::LevelsFrom:
      return cli::runLevelsFromMode(parsed.options);
    case cli::Mode::Compare:
      return cli::runCompareMode(parsed.options);
    case cli::Mode::Measure:
      break;
  }
  return cli::runMeasureMode(parsed.options);
}

} // namespace

int main(int argc, char** argv) {
  // Blocks of third-level size are read in twice before they are timed (engine/test_area.h).
  engine::testArea.readInPasses = 2;
  const int status = runMode(cli::parseOptions(argc, argv));
  if (cli::flushStandardOutput()) return status;
  // Lost output is a failure even of a mode that did everything else; an earlier failure keeps
  // its own status.
  cli::reportStandardOutputLoss();
  return status == cli::exitOk ? cli::exitOutputFailed : status;
}
