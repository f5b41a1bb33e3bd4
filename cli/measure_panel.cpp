// Command-line options as clicks on the in-memory panel.
#include "cli/measure_panel.h"

#include <algorithm>

#include "app/option_rules.h"
#include "app/panel_memory.h"
#include "chart/text/format.h"
#include "engine/kernels/kernels.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/series.h"
#include "engine/threads.h"
#include "engine/working_memory.h"

namespace cli {
namespace {

bool want(unsigned tests, unsigned bit) { return (tests & bit) != 0; }

// Clicks box until its check is as wanted (one click at most; a disabled box stays as it is).
void setBox(app::PanelBox box, bool checked, bool hasMmx, bool hasSse) {
  if (app::boxChecked(box) != checked) app::clickBoxFor(box, hasMmx, hasSse);
}

} // namespace

std::string unsupportedTestError(unsigned tests, bool hasMmx, bool hasSse) {
  for (uint32_t t = 0; t < engine::testKernelCount; ++t) {
    const engine::KernelInfo& k = engine::kernelTable[t];
    if (want(tests, 1u << t) && !engine::kernelSupported(k, hasMmx, hasSse)) {
      return std::string("test '") + k.name + "' needs a processor with " +
             (k.feature == engine::KernelFeature::mmx ? "MMX" : "SSE");
    }
  }
  return "";
}

std::string unsupportedExtraTestError(unsigned extraTests, const cpu::VectorFeatures& features) {
  for (uint32_t i = 0; i < engine::extraKernelCount; ++i) {
    const engine::ExtraKernelInfo& k = engine::extraKernelTable[i];
    if (want(extraTests, 1u << i) && !engine::extraKernelSupported(k, features)) {
      return std::string("test '") + k.name + "' needs " + engine::extraFeatureText(k.feature);
    }
  }
  return "";
}

bool applyOptionsToPanel(const CliOptions& o, bool hasMmx, bool hasSse, std::string& error) {
  error = unsupportedTestError(o.tests, hasMmx, hasSse);
  if (!error.empty()) return false;
  app::resetMemoryPanel();
  app::initialTestChoiceFor(hasMmx, hasSse);
  // Selections first: changing a list runs no rules, and Memory Walk reads its step list.
  // The lists end at 16 MB; larger blocks reach the run through engine::runRequest.
  app::setListSelection(app::listStartSize, std::min(o.startSizeIndex, windowLastSizeIndex));
  app::setListSelection(app::listEndSize, std::min(o.endSizeIndex, windowLastSizeIndex));
  app::setListSelection(app::listLatencyStep, o.latencyStepIndex);
  app::setListSelection(app::listWalkStep, o.walkStepIndex);
  // Extra kernels alone: none of the window's boxes, rather than its initial choice.
  if (o.tests != 0 || o.extraTests != 0) {
    for (int box = 0; box < app::testBoxCount; ++box) {
      setBox(static_cast<app::PanelBox>(box), want(o.tests, 1u << box), hasMmx, hasSse);
    }
    setBox(app::boxReadLatency, want(o.tests, TestLatency), hasMmx, hasSse);
  }
  if (o.walk) setBox(app::boxMemoryWalk, true, hasMmx, hasSse);
  if (o.fourTimes) setBox(app::boxIterations, true, hasMmx, hasSse);
  if (o.copyToItself) setBox(app::boxCopyToItself, true, hasMmx, hasSse);
  if (o.logY) setBox(app::boxLogY, true, hasMmx, hasSse);
  // The rules may refuse a choice the parser let through; say so rather than measure
  // something else than was asked.
  const bool asked[] = {o.walk, o.fourTimes, o.copyToItself, o.logY};
  const app::PanelBox boxes[] = {app::boxMemoryWalk, app::boxIterations, app::boxCopyToItself,
                                 app::boxLogY};
  bool refused = false;
  for (int box = 0; box < app::testBoxCount; ++box) {
    refused |= want(o.tests, 1u << box) && !app::boxChecked(static_cast<app::PanelBox>(box));
  }
  refused |= want(o.tests, TestLatency) && !app::boxChecked(app::boxReadLatency);
  for (int i = 0; i < 4; ++i) refused |= asked[i] && !app::boxChecked(boxes[i]);
  if (refused) {
    error = "the window's option rules do not allow this combination of options";
    return false;
  }
  return true;
}

engine::RunRequest runRequestFor(const CliOptions& o) {
  engine::RunRequest request;
  request.repeatCount = o.repeatCount;
  request.ownRange = true;
  request.startCode = engine::codesPerDoubling * static_cast<uint32_t>(o.startSizeIndex);
  request.endCode = engine::codesPerDoubling * static_cast<uint32_t>(o.endSizeIndex);
  request.randomLatency = (o.tests & TestRandomLatency) != 0;
  request.tlbWindow = o.tlbWindowBytes;
  return request;
}

namespace {
uint32_t largestCodeOf(const CliOptions& o) {
  const int largest = o.walk ? windowLastSizeIndex : std::max(o.startSizeIndex, o.endSizeIndex);
  return engine::codesPerDoubling * static_cast<uint32_t>(largest);
}

bool anyCopy(const CliOptions& o) {
  bool copies = (o.tests & copyTests) != 0;
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    copies |= want(o.extraTests, 1u << k) && engine::extraKernelTable[k].copies;
  }
  return copies;
}
} // namespace

std::size_t workingBytesFor(const CliOptions& o) {
  return engine::testAllocationFor(largestCodeOf(o), anyCopy(o));
}

uint64_t threadBytesFor(const CliOptions& o, uint32_t threads) {
  if (threads <= 1) return 0;
  return uint64_t(threads - 1) * engine::threadAreaBytesFor(largestCodeOf(o), anyCopy(o));
}

namespace {
// Bytes as MB (2^20 bytes) with two decimals: "2112,31".
std::string megabytes(uint64_t bytes) {
  char field[text::maxNumberChars + 1] = {};
  const uint64_t hundredths = bytes * 100 >> 20;
  text::formatFixed2(field, static_cast<uint32_t>(std::min<uint64_t>(hundredths, 0xFFFFFFFFu)), 1);
  return field;
}
} // namespace

std::string memoryShortLine(uint64_t neededBytes, uint64_t freeBytes, bool refused) {
  const std::string needed = megabytes(neededBytes + (refused ? 0 : engine::systemReserveBytes));
  if (refused) return "the system refused the " + needed + " MB of memory this run needs";
  return "this run needs " + needed + " MB of free memory, " + megabytes(freeBytes) +
         " MB are free (MB = 2^20 bytes)";
}

} // namespace cli
