// The sweeps of --bench and the best run of a figure inside its time window.
#include "cli/bench_sweeps.h"

#include <algorithm>

#include "engine/timer.h"

namespace cli {

uint32_t bestOfRuns(const std::function<uint32_t()>& measure, uint64_t windowTicks) {
  measure();   // untimed: the block's first use does not keep it in the third-level cache
  uint32_t best = 0;
  const uint64_t start = engine::readTimeStampCounter();
  for (int run = 0;
       run < benchRuns || engine::readTimeStampCounter() - start < windowTicks; ++run) {
    best = std::max(best, measure());
  }
  return best;
}

void runBenchSweeps(std::vector<BenchFigure>& figures, int sweeps, uint64_t windowTicks,
                    const BenchSweepSteps& steps) {
  for (int sweep = 0; sweep < sweeps; ++sweep) {
    if (sweep > 0) steps.restoreZeros();
    bool filled = false;
    for (BenchFigure& figure : figures) {
      if (figure.filledData && !filled) {
        steps.fillData();
        filled = true;
      }
      figure.best = std::max(figure.best, bestOfRuns(figure.measure, windowTicks));
      if (sweep == sweeps - 1) steps.print(figure);
    }
  }
}

} // namespace cli
