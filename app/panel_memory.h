// The in-memory panel: the controls of the main window as plain data, for the command-line
// program and the tests. Its state is one record; `resetMemoryPanel` gives the controls as the
// window creates them, before the initial test choice.
#pragma once
#include "app/panel.h"

namespace app {

constexpr int fieldTextBytes = 128;   // longer than any result line (96 bytes) or processor text

// Starts as the window creates its controls (see resetMemoryPanel).
struct MemoryPanel {
  bool checked[panelBoxCount] = {};
  bool boxEnabled[panelBoxCount] = {true, true, true, true,  true, true, true,
                                    true, true, false, true, true, true, true};
  int selection[panelListCount] = {0, 8, 3, 2};   // "4 KB", "1 MB", "32", "16"
  bool listEnabled[panelListCount] = {true, true, false, false};
  char fields[panelFieldCount][fieldTextBytes] = {"", "Not Tested", "Not Tested", "Not Tested"};
  bool busy = false;
  uint32_t busyCount = 0;        // how often busy was switched on
  uint32_t updateCount = 0;      // updatePanel calls
  uint32_t errorCount = 0;       // showPanelError calls
  char lastError[fieldTextBytes] = {};
  uint32_t progressCount = 0;    // showRunProgress calls
  RunProgress lastProgress;
  // Called by showRunProgress when set (the command line's progress line); nullptr: nothing.
  void (*progressSink)(const RunProgress&) = nullptr;
  // Called by showPanelError when set (the command line prints the message); nullptr: kept only.
  void (*errorSink)(const char*) = nullptr;
};
extern MemoryPanel memoryPanel;

// The controls as created: every test box, "4x Iterations", "Log Y Axis", "Read Latency" and
// "Memory Walk" enabled and unchecked; "Copy to itself" disabled; lists at "4 KB", "1 MB",
// "32" and "16", the two step lists disabled; the result fields "Not Tested" (the processor
// field empty). Sinks are kept.
void resetMemoryPanel();

} // namespace app
