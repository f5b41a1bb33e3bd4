// Progress of a measurement on standard error: the test being measured, the block size just
// measured, the share of points done and the time left. Shown only on a terminal; a pipe or a
// file gets nothing of it, so scripts see only the results.
#pragma once
#include <cstdint>
#include <string>

#include "app/panel.h"

namespace cli {

// One progress line (no line end) for a progress report, given the seconds per point measured
// so far (negative: not known yet, the time left is shown as "--:--").
std::string progressLine(const app::RunProgress& progress, double secondsPerPoint);

// The progress line of a many-core mode: its name, the steps done of all and the time left
// at the given seconds per step (negative: not known yet).
std::string stepProgressLine(const char* mode, uint32_t done, uint32_t total,
                             double secondsPerStep);
// Shows it after beginProgress, on a terminal only; done 0 marks the start of the steps.
void showStepProgress(const char* mode, uint32_t done, uint32_t total);

// Takes the progress line off the terminal, so a result line can be printed in its place.
void clearProgressLine();

// Starts showing the run's progress when standard error is a terminal.
void beginProgress();
// Clears the progress line and stops showing progress.
void endProgress();

} // namespace cli
