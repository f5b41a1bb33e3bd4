// Option rules over the panel seam. The rules keep no state of their own: every enabled state
// is derived again from the current checks and the processor's features. Where the window's
// rules uncheck a box by a simulated click (which runs the rules again, nested), the box is
// unchecked directly here and the few states the nested run would have left are set at the end.
#include "app/option_rules.h"

#include "chart/axes.h"
#include "chart/frame.h"
#include "cpu/cpu_info.h"
#include "engine/run/results.h"
#include "engine/run/run.h"

namespace app {
namespace {

// The chart reads the boxes as bits in panel order.
static_assert(chart::checkedLogY == 1u << boxLogY, "panel and chart disagree on Log Y");
static_assert(chart::checkedReadLatency == 1u << boxReadLatency, "... on Read Latency");
static_assert(chart::checkedMemoryWalk == 1u << boxMemoryWalk, "... on Memory Walk");

// Boxes a Memory Walk run excludes, in the order they are unchecked.
constexpr PanelBox walkExcludes[] = {
    boxRead, boxWrite, boxCopy, boxMmxRead, boxMmxWrite, boxMmxCopy,
    boxSseRead, boxSseWrite, boxSseCopy, boxCopyToItself, boxReadLatency,
};

void walkMode() {
  engine::runParameters.latencyStep = engine::stepFromSelection(listSelection(listWalkStep));
  chart::setStepAxis(engine::runParameters.latencyStep);
  for (PanelBox box : walkExcludes) {
    if (boxChecked(box)) setBoxChecked(box, false);
    enableBox(box, false);
  }
  // With "Read Latency" unchecked its step list is no longer offered.
  enableList(listLatencyStep, false);
  enableList(listWalkStep, true);
  enableList(listEndSize, false);
  enableList(listStartSize, false);
}

void normalMode(bool hasMmx, bool hasSse) {
  enableList(listWalkStep, false);
  chart::setBlockSizeAxis(4);
  for (PanelBox box : {boxRead, boxWrite, boxCopy, boxReadLatency}) enableBox(box, true);
  if (hasMmx) {
    for (PanelBox box : {boxMmxRead, boxMmxWrite, boxMmxCopy}) enableBox(box, true);
  }
  if (hasSse) {
    for (PanelBox box : {boxSseRead, boxSseWrite, boxSseCopy}) enableBox(box, true);
  }
  enableList(listEndSize, true);
  enableList(listStartSize, true);
}

} // namespace

uint32_t checkedBoxes() {
  uint32_t bits = 0;
  for (int box = 0; box < panelBoxCount; ++box) {
    if (boxChecked(static_cast<PanelBox>(box))) bits |= 1u << box;
  }
  return bits;
}

void optionRulesFor(bool hasMmx, bool hasSse) {
  enableBox(boxCopyToItself,
            boxChecked(boxMmxCopy) || boxChecked(boxSseCopy) || boxChecked(boxCopy));
  enableList(listLatencyStep, boxChecked(boxReadLatency));
  if (boxChecked(boxMemoryWalk)) {
    walkMode();
  } else {
    normalMode(hasMmx, hasSse);
  }
  chart::refreshChart(checkedBoxes());
}

void optionRules() { optionRulesFor(cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse); }

bool boxRunsRules(PanelBox box) {
  return box >= 0 && box < panelBoxCount && box != boxCopyToItself && box != boxIterations;
}

void clickBoxFor(PanelBox box, bool hasMmx, bool hasSse) {
  if (!boxEnabled(box)) return;
  setBoxChecked(box, !boxChecked(box));
  if (boxRunsRules(box)) optionRulesFor(hasMmx, hasSse);
}

void clickBox(PanelBox box) { clickBoxFor(box, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse); }

void initialTestChoiceFor(bool hasMmx, bool hasSse) {
  if (hasMmx) {
    clickBoxFor(boxMmxRead, hasMmx, hasSse);
    clickBoxFor(boxMmxWrite, hasMmx, hasSse);
  } else {
    clickBoxFor(boxRead, hasMmx, hasSse);
    clickBoxFor(boxWrite, hasMmx, hasSse);
    for (PanelBox box : {boxMmxRead, boxMmxWrite, boxMmxCopy}) enableBox(box, false);
  }
  if (hasSse) {
    clickBoxFor(boxSseRead, hasMmx, hasSse);
    clickBoxFor(boxSseWrite, hasMmx, hasSse);
  } else {
    for (PanelBox box : {boxSseRead, boxSseWrite, boxSseCopy}) enableBox(box, false);
  }
}

void initialTestChoice() { initialTestChoiceFor(cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse); }

} // namespace app
