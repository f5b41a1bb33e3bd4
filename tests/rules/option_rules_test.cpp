// The option rules over the in-memory panel: the initial test choice on four kinds of
// processor, Memory Walk taking over and giving back, "Copy to itself" and the step lists
// offered exactly when they apply, and which clicks run the rules at all.
#include <gtest/gtest.h>

#include <string>

#include "app/option_rules.h"
#include "app/panel_memory.h"
#include "chart/axes.h"
#include "engine/run/results.h"

namespace {

using namespace app;

constexpr PanelBox testBoxes[] = {boxRead,    boxWrite,    boxCopy,    boxMmxRead, boxMmxWrite,
                                  boxMmxCopy, boxSseRead,  boxSseWrite, boxSseCopy};

// Checked and enabled boxes as strings of 14 flags, e.g. "110000000..." in panel order.
std::string checks() {
  std::string s;
  for (int b = 0; b < panelBoxCount; ++b) s += boxChecked(static_cast<PanelBox>(b)) ? '1' : '0';
  return s;
}
std::string enables() {
  std::string s;
  for (int b = 0; b < panelBoxCount; ++b) s += boxEnabled(static_cast<PanelBox>(b)) ? '1' : '0';
  return s;
}
std::string lists() {
  std::string s;
  for (int l = 0; l < panelListCount; ++l) s += listEnabled(static_cast<PanelList>(l)) ? '1' : '0';
  return s;
}

struct Processor {
  const char* name;
  bool mmx, sse;
};

class OptionRules : public ::testing::Test {
 protected:
  void SetUp() override {
    resetMemoryPanel();
    engine::runParameters = {};
    engine::chartScales = {};
    chart::chartState = {};
    chart::axisLabels = {};
  }
  void start(const Processor& p) {
    cpu = p;
    initialTestChoiceFor(p.mmx, p.sse);
  }
  void click(PanelBox box) { clickBoxFor(box, cpu.mmx, cpu.sse); }
  Processor cpu{"MMX and SSE", true, true};
};

// Order of the strings: Read Write Copy | MMX R W C | SSE R W C | CopyToItself 4x LogY
// ReadLatency MemoryWalk. Lists: start, end, latency step, walk step.
TEST_F(OptionRules, InitialChoiceFollowsTheProcessor) {
  const struct {
    Processor cpu;
    const char* checked;
    const char* enabled;
  } cases[] = {
      {{"MMX and SSE", true, true}, "00011011000000", "11111111101111"},
      {{"MMX only", true, false}, "00011000000000", "11111100001111"},
      {{"SSE only", false, true}, "11000011000000", "11100011101111"},
      {{"neither", false, false}, "11000000000000", "11100000001111"},
  };
  for (const auto& c : cases) {
    SetUp();
    start(c.cpu);
    EXPECT_EQ(checks(), c.checked) << c.cpu.name;
    EXPECT_EQ(enables(), c.enabled) << c.cpu.name;
    EXPECT_EQ(lists(), "1100") << c.cpu.name;
    EXPECT_EQ(listSelection(listLatencyStep), 3) << c.cpu.name;   // "32", though disabled
    EXPECT_EQ(listSelection(listWalkStep), 2) << c.cpu.name;      // "16"
  }
}

TEST_F(OptionRules, MemoryWalkTakesOverAndGivesBackOnlySupportedBoxes) {
  for (const Processor& p : {Processor{"MMX and SSE", true, true}, Processor{"neither", false, false}}) {
    SetUp();
    start(p);
    if (!boxChecked(boxRead)) click(boxRead);
    if (p.sse) click(boxSseCopy);
    click(boxCopy);
    click(boxCopyToItself);
    click(boxReadLatency);
    click(boxIterations);
    click(boxLogY);
    ASSERT_TRUE(boxChecked(boxCopyToItself)) << p.name;
    ASSERT_TRUE(listEnabled(listLatencyStep)) << p.name;

    click(boxMemoryWalk);
    EXPECT_EQ(checks(), "00000000001101") << p.name;        // 4x and Log Y stay as they were
    EXPECT_EQ(enables(), "00000000001101") << p.name;
    EXPECT_EQ(lists(), "0001") << p.name;
    EXPECT_EQ(engine::runParameters.latencyStep, 16u) << p.name;

    click(boxMemoryWalk);
    EXPECT_EQ(checks(), "00000000001100") << p.name;
    EXPECT_EQ(enables(), p.sse ? "11111111101111" : "11100000001111") << p.name;
    EXPECT_EQ(lists(), "1100") << p.name;
  }
}

TEST_F(OptionRules, WalkStepFollowsItsListAtEachRulesRun) {
  start(cpu);
  const struct { int index; uint32_t step; } cases[] = {{0, 4}, {4, 64}, {-1, 4}, {2, 16}};
  click(boxMemoryWalk);
  for (const auto& c : cases) {
    setListSelection(listWalkStep, c.index);
    click(boxLogY);   // any box with the rules command reads the list again
    EXPECT_EQ(engine::runParameters.latencyStep, c.step) << c.index;
  }
  // Outside walk mode the rules leave the step alone (the run reads its own list).
  setListSelection(listWalkStep, 4);
  click(boxMemoryWalk);
  EXPECT_EQ(engine::runParameters.latencyStep, 16u);
}

TEST_F(OptionRules, CopyToItselfIsOfferedExactlyWhileACopyTestIsChecked) {
  start(cpu);
  for (PanelBox copy : {boxCopy, boxMmxCopy, boxSseCopy}) {
    click(copy);
    EXPECT_TRUE(boxEnabled(boxCopyToItself)) << copy;
    if (!boxChecked(boxCopyToItself)) click(boxCopyToItself);
    click(copy);   // the last copy test unchecked: disabled, but the check stays
    EXPECT_FALSE(boxEnabled(boxCopyToItself)) << copy;
    EXPECT_TRUE(boxChecked(boxCopyToItself)) << copy;
  }
  click(boxCopy);
  click(boxSseCopy);
  click(boxCopy);   // another copy test is still checked
  EXPECT_TRUE(boxEnabled(boxCopyToItself));
  EXPECT_TRUE(boxChecked(boxCopyToItself));
}

TEST_F(OptionRules, ReadLatencyStepListOnlyWithReadLatency) {
  start(cpu);
  EXPECT_FALSE(listEnabled(listLatencyStep));
  click(boxReadLatency);
  EXPECT_TRUE(listEnabled(listLatencyStep));
  click(boxReadLatency);
  EXPECT_FALSE(listEnabled(listLatencyStep));
}

TEST_F(OptionRules, WhichClicksRunTheRules) {
  start(cpu);
  // Make the panel inconsistent by hand; only a click that runs the rules repairs it.
  enableList(listWalkStep, true);
  click(boxIterations);
  click(boxCopyToItself);   // disabled: the click does nothing at all
  EXPECT_TRUE(listEnabled(listWalkStep));
  EXPECT_FALSE(boxChecked(boxCopyToItself));
  EXPECT_TRUE(boxChecked(boxIterations));
  click(boxLogY);
  EXPECT_FALSE(listEnabled(listWalkStep));
  EXPECT_TRUE(boxChecked(boxLogY));

  // A disabled test box cannot be checked by a click.
  click(boxMemoryWalk);
  click(boxRead);
  EXPECT_FALSE(boxChecked(boxRead));

  // Every box but "Copy to itself" and "4x Iterations" carries the rules.
  for (int b = 0; b < panelBoxCount; ++b) {
    const bool expected = b != boxCopyToItself && b != boxIterations;
    EXPECT_EQ(boxRunsRules(static_cast<PanelBox>(b)), expected) << b;
  }
}

TEST_F(OptionRules, CheckedBoxesAreBitsInPanelOrder) {
  start(cpu);
  EXPECT_EQ(checkedBoxes(), (1u << boxMmxRead) | (1u << boxMmxWrite) | (1u << boxSseRead) |
                                (1u << boxSseWrite));
  click(boxMemoryWalk);
  EXPECT_EQ(checkedBoxes(), 1u << 13);
}

// The rules end by setting the X axis for the mode and refreshing the chart: the log option
// and the axes' visibility take effect at the click itself, not at the next run.
TEST_F(OptionRules, EveryRulesClickSetsTheXAxisAndRefreshesTheChart) {
  start(cpu);
  engine::chartScales.chartPeakRate = 7000;     // step 1000
  engine::chartScales.chartMaxLatency = 3200;   // step 500 linear, 3200 logarithmic
  click(boxLogY);
  EXPECT_EQ(chart::chartState.logYAxis, 1u);
  EXPECT_STREQ(chart::axisLabels.bandwidth[1].text, "  8192");
  EXPECT_EQ(chart::chartState.latencyFullScale, 22400u);
  EXPECT_STREQ(chart::axisLabels.latency[0].text, "");   // no latency test checked yet

  // Memory Walk: the step axis from the walk list, latency labels shown, bandwidth ones empty.
  setListSelection(listWalkStep, 4);
  click(boxMemoryWalk);
  EXPECT_STREQ(chart::axisLabels.xAxis[0].text, "Step");
  EXPECT_STREQ(chart::axisLabels.xAxis[1].text, "  64");
  EXPECT_STREQ(chart::axisLabels.xAxis[13].text, " 256K");
  EXPECT_STREQ(chart::axisLabels.latency[0].text, "Latency (Cycles)");
  EXPECT_STREQ(chart::axisLabels.latency[1].text, "   256");
  EXPECT_STREQ(chart::axisLabels.bandwidth[0].text, "");

  // Boxes without the rules change neither the scale nor the labels.
  engine::chartScales.chartMaxLatency = 76800;
  click(boxIterations);
  EXPECT_EQ(chart::chartState.latencyFullScale, 22400u);
  EXPECT_STREQ(chart::axisLabels.latency[1].text, "   256");

  // Back to normal mode, linear: block sizes below, the new latency maximum taken up.
  click(boxLogY);
  click(boxMemoryWalk);
  EXPECT_EQ(chart::chartState.logYAxis, 0u);
  EXPECT_STREQ(chart::axisLabels.xAxis[0].text, "Block Size");
  EXPECT_STREQ(chart::axisLabels.xAxis[1].text, "   4K");
  EXPECT_EQ(chart::chartState.latencyFullScale, 77000u);   // 10971 rounds to 11000, x 7
  EXPECT_STREQ(chart::axisLabels.latency[0].text, "");
  click(boxRead);
  EXPECT_STREQ(chart::axisLabels.bandwidth[1].text, "  8000");
}

} // namespace
