// Command-line options as clicks on the in-memory panel.
#include "cli/measure_panel.h"

#include "app/option_rules.h"
#include "app/panel_memory.h"
#include "engine/kernels.h"
#include "engine/kernels_extra.h"

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
  app::setListSelection(app::listStartSize, o.startSizeIndex);
  app::setListSelection(app::listEndSize, o.endSizeIndex);
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

} // namespace cli
