// How --bench arrives at each figure: sweeps over all figures, in each sweep one untimed run
// of a figure and then its best run inside a time window, the best of all sweeps kept.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace cli {

// Each figure is the best over benchSweeps sweeps of all figures, and in each sweep the best
// of the runs made in benchWindowMs, benchRuns at least: a shared or virtual machine loses
// whole time slices now and then, its host moves the guest's speed for seconds at a time, and
// the hardware's limit is what the figures are compared against. On a Zen 3 guest whose host
// moved its speed by a third from one run to the next, the median spread between runs of
// --bench was 36 % with three runs a figure, 31 % with a 20 ms window (60 ms gave no less)
// and 2.5 % with three sweeps of it, 13 s in all. In each sweep the runs of a figure follow
// each other and one untimed run comes first: a block of third-level size stays in that cache
// only once it has been read more than once (sweeps without the untimed run kept 4 MB reads
// 10-40 % lower on a Zen 3; with it, 4 MB reads came out a median 6-13 % higher).
constexpr int benchRuns = 3;
constexpr uint64_t benchWindowMs = 20;
constexpr int benchSweeps = 3;

// One line of --bench: its name, block and width, how it is measured, whether it runs on the
// filled data of the extra kernels (the window's kernels run on the zeros the allocation
// starts with), and its best rate so far.
struct BenchFigure {
  const char* name;
  uint32_t blockBytes;
  uint32_t width;
  bool filledData;
  std::function<uint32_t()> measure;
  uint32_t best = 0;
};

// What the sweeps do around the measurements.
struct BenchSweepSteps {
  std::function<void()> restoreZeros;   // before every sweep after the first
  std::function<void()> fillData;       // once a sweep, before its first figure on filled data
  std::function<void(const BenchFigure&)> print;   // each figure in the last sweep, when done
};

// One untimed run of measure, then the best of the runs until windowTicks of the time-stamp
// counter have passed, benchRuns at least.
uint32_t bestOfRuns(const std::function<uint32_t()>& measure, uint64_t windowTicks);

// sweeps sweeps over the figures in their order, each figure keeping its best.
void runBenchSweeps(std::vector<BenchFigure>& figures, int sweeps, uint64_t windowTicks,
                    const BenchSweepSteps& steps);

} // namespace cli
