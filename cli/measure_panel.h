// The command line's choices put into the in-memory panel the way a user would make them in
// the window: the window's initial test choice first, then clicks on boxes and list selections,
// so the option rules decide exactly as they do for mouse clicks.
#pragma once
#include <string>

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

} // namespace cli
