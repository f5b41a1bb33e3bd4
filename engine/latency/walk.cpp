// The Memory Walk matrix, one cell per call. The decision of a call (zero, complete, a long
// walk or a Read Latency chase) and the step to the next cell are pure functions of the walk
// state; walkCell measures and stores.
#include "engine/latency/walk.h"

#include <cassert>

#include "engine/latency/latency.h"
#include "engine/run/results.h"
#include "engine/timer.h"

namespace engine {

WalkState walkState;

namespace {

constexpr uint32_t largestStep = 262144;        // column 16: 4 x 2^16 bytes
constexpr uint32_t completeBlock = 33554432;    // 32 MB: the row after the last
constexpr uint32_t longBlock = 16777216;        // rows above 16 MB use the long walk only
constexpr uint32_t shortStepLimit = 512;        // larger steps use the long walk
// A row's short-step cells chase the block six codes below the row's code: 7/8 of it, the
// block of 3,584 x 2^row bytes (code 0 for the first row, which has no code below).
constexpr uint32_t rowCodeOffset = 6;

} // namespace

void resetWalkState() { walkState = WalkState{}; }

WalkPlan planWalkCell(const WalkState& state) {
  if (state.walkRowBlock / 16 <= state.walkRowStep) return {WalkAction::zero, 0};
  if (state.walkRowBlock >= completeBlock) return {WalkAction::complete, 0};
  if (state.walkRowBlock > longBlock || state.walkRowStep > shortStepLimit) {
    return {WalkAction::longWalk, 0};
  }
  const SizeCode code = state.walkRowCode == 0 ? 0 : state.walkRowCode - rowCodeOffset;
  return {WalkAction::readLatency, code};
}

WalkState advanceWalkState(const WalkState& state) {
  WalkState next = state;
  next.walkCursor = state.walkCursor + 1;
  if (planWalkCell(state).action == WalkAction::complete) return next;
  next.walkRowStep = state.walkRowStep * 2;
  if (next.walkRowStep > largestStep) {
    next.walkRowStep = 4;
    next.walkRowBlock = state.walkRowBlock * 2;
    next.walkRowCode = state.walkRowCode + codesPerDoubling;
  }
  return next;
}

namespace {

// One run of a cell the plan measures: rate form, as readLatency gives it.
uint32_t measureCell(const WalkState& state, const WalkPlan& plan) {
  if (plan.action == WalkAction::longWalk) {
    return longWalkLatency(state.walkRowBlock, state.walkRowStep);
  }
  const uint32_t savedStep = runParameters.latencyStep;
  runParameters.latencyStep = state.walkRowStep;
  const uint32_t rate = readLatency(plan.code);
  runParameters.latencyStep = savedStep;
  return rate;
}

} // namespace

void walkCell() {
  const WalkState state = walkState;
  const WalkPlan plan = planWalkCell(state);
  walkState = advanceWalkState(state);
  if (plan.action == WalkAction::complete) return;
  SteadyPoint cell;
  if (plan.action != WalkAction::zero) {
    cell = measureSteadily([&] { return measureCell(state, plan); }, state.lastCell);
    walkState.lastCell = cell;
  }
  // The cursor cannot pass the matrix before it is complete; the check keeps any misuse
  // (a state set by hand) from writing into the spare entries of the table.
  assert(state.walkCursor < walkCells);
  if (state.walkCursor < walkCells) {
    resultTables.table[tableWalkMatrix][state.walkCursor] = cyclesFromRate(cell.rate, 32);
    recordRuns(tableWalkMatrix, state.walkCursor, cell);
  }
}

} // namespace engine
