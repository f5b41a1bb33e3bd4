// Seam: the main window's controls as the rest of the program sees them. The option rules, the
// test run and the report builders read check boxes and list selections and write the result
// fields only through these functions. The GUI implements them over the real controls (held by
// handle); app/panel_memory.cpp keeps them in memory for the command line and the tests.
#pragma once
#include <cstdint>

namespace app {

// The fourteen check boxes. The first nine are `testBoxes` in TestNumber order (TestNumber =
// box + 1), the same order as the bandwidth result tables 0..8 and colour slots 0..8.
enum PanelBox : int {
  boxRead = 0, boxWrite, boxCopy,
  boxMmxRead, boxMmxWrite, boxMmxCopy,
  boxSseRead, boxSseWrite, boxSseCopy,
  boxCopyToItself,   // `copyToItselfBox`
  boxIterations,     // `iterationsBox`, "4x Iterations"
  boxLogY,           // `logYBox`, "Log Y Axis"
  boxReadLatency,    // `readLatencyBox`
  boxMemoryWalk,     // `memoryWalkBox`
  panelBoxCount
};
constexpr int testBoxCount = 9;

// The four combo boxes.
enum PanelList : int {
  listStartSize = 0,   // `startSizeBox`: index i = size code 25 x i ("4 KB" .. "16 MB", 13 items)
  listEndSize,         // `endSizeBox`: same items
  listLatencyStep,     // `latencyStepBox`: index i = step 4 << i bytes ("4" .. "512", 8 items)
  listWalkStep,        // `walkStepBox`: "4" .. "64", 5 items
  panelListCount
};

// The four read-only result fields below the chart.
enum PanelField : int {
  fieldProcessor = 0,   // `processorField`
  fieldMemorySpeed,     // `memorySpeedField`
  fieldMaxBandwidth,    // `maxBandwidthField`
  fieldMinBandwidth,    // `minBandwidthField`
  panelFieldCount
};

// True when the box is checked (BM_GETCHECK non-zero).
bool boxChecked(PanelBox box);
// Sets or clears the check without running any rule (the rules are run by their caller).
void setBoxChecked(PanelBox box, bool checked);
bool boxEnabled(PanelBox box);
void enableBox(PanelBox box, bool enabled);

// Selected index (CB_GETCURSEL), or -1 when nothing is selected.
int listSelection(PanelList list);
void setListSelection(PanelList list, int index);
bool listEnabled(PanelList list);
void enableList(PanelList list, bool enabled);

// Replaces the whole text of a result field (Windows-1252, NUL-terminated).
void setFieldText(PanelField field, const char* text);
// The field's current text; valid until the next call of fieldText or setFieldText.
const char* fieldText(PanelField field);

// Busy on: input to the window disabled and the wait cursor shown; busy off: both undone.
void setPanelBusy(bool busy);
// Repaints what is invalid now (UpdateWindow), so a run's cleared chart is on screen at once.
void updatePanel();
// One modal failure message (stop icon, caption "Tidewell 32"); returns when acknowledged.
void showPanelError(const char* text);

// Where a run stands, for a progress display. The window shows the live chart instead and
// ignores it; the command line prints it on a terminal.
struct RunProgress {
  const char* testLabel = "";   // "SSE Read", "Read Latency", "Memory Walk", "Summary" ...
  uint32_t sizeCode = 0;        // code just measured
  uint32_t pointsDone = 0;      // measured points of this run so far
  uint32_t pointsTotal = 0;     // points the run will measure in all
};
void showRunProgress(const RunProgress& progress);

} // namespace app
