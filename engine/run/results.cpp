// The one instance of each record of the last run's results. They start empty (all tables 0,
// parameters at the window's defaults) and are written only by the run controller.
#include "engine/run/results.h"

namespace engine {

ResultTables resultTables = {};
PointRuns pointRuns = {};
RunParameters runParameters;
SummaryValues summaryValues;
ChartScales chartScales;

} // namespace engine
