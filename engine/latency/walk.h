// The Memory Walk matrix: 14 block sizes (3,584 bytes x 2^row) by 17 steps (4 x 2^column
// bytes), hundredths of cycles per load, row after row in resultTables.table[tableWalkMatrix].
// walkCell fills one cell per call; resetWalkState starts a new matrix.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"
#include "engine/run/steady_point.h"

namespace engine {

constexpr uint32_t walkRows = 14;
constexpr uint32_t walkColumns = 17;
constexpr uint32_t walkCells = walkRows * walkColumns;   // 238

struct WalkState {
  uint32_t walkCursor = 0;       // index in the matrix of the cell the next walkCell fills
  uint32_t walkRowStep = 4;      // step in bytes of the next cell
  uint32_t walkRowBlock = 3584;  // block in bytes of the current row
  uint32_t walkRowCode = 0;      // size code of the current row: 25 x row
  SteadyPoint lastCell;          // the cell measured last, the neighbour of the next one
};
extern WalkState walkState;

// Back to the first cell; the run calls it before the Memory Walk series.
void resetWalkState();

// What one walkCell call does with the current state, decided without measuring.
enum class WalkAction {
  zero,         // block too small for the step: the cell gets 0
  complete,     // the matrix is full: nothing stored, the state stays
  longWalk,     // longWalkLatency(walkRowBlock, walkRowStep)
  readLatency,  // readLatency(code) with latencyStep = walkRowStep
};
struct WalkPlan {
  WalkAction action;
  SizeCode code;   // for readLatency: walkRowCode - 6, or 0 on the first row
};
WalkPlan planWalkCell(const WalkState& state);

// The state after the cell the plan describes (unchanged when complete, apart from the cursor).
WalkState advanceWalkState(const WalkState& state);

// Fills the cell at walkCursor (0 where the block is too small) and moves to the next cell;
// once all 238 cells are filled it stores nothing. A cell is measured steadily against the
// cell measured before it, in the order of measuring.
void walkCell();

} // namespace engine
