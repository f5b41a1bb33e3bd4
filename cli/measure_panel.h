// The command line's choices put into the in-memory panel the way a user would make them in
// the window: the window's initial test choice first, then clicks on boxes and list selections,
// so the option rules decide exactly as they do for mouse clicks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/run/series.h"

#include "cli/options.h"
#include "cpu/vector_features.h"

namespace cli {

// The first test of tests that the processor cannot run, as "test 'sse-read' needs a processor
// with SSE"; empty when all can run.
std::string unsupportedTestError(unsigned tests, bool hasMmx, bool hasSse);

// The first extra kernel of extraTests that this build or processor cannot run, as "test
// 'avx-read' needs a processor with AVX, enabled by the operating system"; empty when all can.
std::string unsupportedExtraTestError(unsigned extraTests, const cpu::VectorFeatures& features);

// Resets the panel and makes the choices of options on a processor with these features.
// Returns false with error set when the panel did not end as asked (an unsupported test).
bool applyOptionsToPanel(const CliOptions& options, bool hasMmx, bool hasSse, std::string& error);

// What the run is asked beyond the panel: the range up to 1 GB, repeats, Random Latency.
engine::RunRequest runRequestFor(const CliOptions& options);

// Bytes of test allocation the run of these options needs (copies, chains and alignment).
std::size_t workingBytesFor(const CliOptions& options);
// Bytes of the own areas of threads 2 .. threads (none for one thread).
// 64-bit: 63 areas of 2 GB do not fit a 32-bit size.
uint64_t threadBytesFor(const CliOptions& options, uint32_t threads);

// The one line that says the memory for the run is short (free counts what the run would
// give back) or that the system refused it; the bytes in MB with comma decimals.
std::string memoryShortLine(uint64_t neededBytes, uint64_t freeBytes, bool refused);

} // namespace cli
