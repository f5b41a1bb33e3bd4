// --report, --open and --csv after a measurement.
#include "cli/modes.h"

namespace cli {
int writeRequestedReports(const CliOptions&) { return exitOk; }
} // namespace cli
