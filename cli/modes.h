// The modes of the command-line program. Each returns the process exit status:
// 0 done, 2 bad command line, 3 a start-up check failed, 4 the run found swapping,
// 5 a report file or standard output could not be written, 6 slower than the --baseline.
#pragma once
#include <cstdint>
#include <string>

#include "cli/options.h"
#include "engine/run/series.h"

namespace cli {

constexpr int exitOk = 0;
constexpr int exitUsage = 2;
constexpr int exitStartupFailed = 3;
constexpr int exitSwapping = 4;
constexpr int exitReportFailed = 5;
constexpr int exitOutputFailed = exitReportFailed;   // standard output lost what was written
constexpr int exitSlowerThanBaseline = 6;   // --baseline: a level of a series is slower

int runCpuMode();                              // --cpu
int runBenchMode();                            // --bench
int runBenchTwinsMode();                       // --bench-twins
int runMeasureMode(const CliOptions& options); // no mode option: a measurement as Start does
int runThreadSweepMode(const CliOptions& options); // --thread-sweep
int runLoadedLatencyMode(const CliOptions& options);   // --loaded-latency
int runMaxBandwidthMode(const CliOptions& options);    // --max-bandwidth
int runC2cMode(const CliOptions& options);             // --c2c
int runNodeMatrixMode(const CliOptions& options);      // --node-matrix
int runLevelsMode(const CliOptions& options);          // --levels
int runLevelsFromMode(const CliOptions& options);      // --levels-from FILE
int runCompareMode(const CliOptions& options);         // compare A.json B.json ...

// The processors of a memory node as the system numbers them, "0,1,2"; "none" for none.
std::string nodeProcessorsText(uint32_t node);

// The thread count of the options on this machine into engine::runExtras.threads ("all": every
// usable processor, at most 64); false with error set when fewer processors may be used.
bool threadsFor(const CliOptions& options, std::string& error);
// The test allocation and the own areas of the other threads for the options' largest block,
// every page written before anything is timed; false, with one line on standard error, when
// the free memory (less what the system keeps) is short or the system refuses a block.
bool reserveWorkingMemory(const CliOptions& options, uint32_t threads);

// After a measurement: the report set (--report, --open) and the CSV table (--csv) the options
// ask for. Prints the names written; exitReportFailed when a file could not be written.
int writeRequestedReports(const CliOptions& options);

} // namespace cli
