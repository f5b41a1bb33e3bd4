// Entry point of the command-line program: parse, then run the chosen mode.
#include <cstdio>

#include "cli/modes.h"
#include "cli/options.h"

int main(int argc, char** argv) {
  const cli::ParseResult parsed = cli::parseOptions(argc, argv);
  if (!parsed.ok) {
    std::fprintf(stderr, "tidewell32: %s\n%s", parsed.error.c_str(), cli::usageText());
    return cli::exitUsage;
  }
  switch (parsed.options.mode) {
    case cli::Mode::Help:
      std::fputs(cli::usageText(), stdout);
      return cli::exitOk;
    case cli::Mode::Version:
      std::printf("tidewell32 %s\n", TW_VERSION);
      return cli::exitOk;
    case cli::Mode::Cpu:
      return cli::runCpuMode();
    case cli::Mode::Bench:
      return cli::runBenchMode();
    case cli::Mode::Measure:
      break;
  }
  return cli::runMeasureMode(parsed.options);
}
