// The panel seam kept in memory (command line and tests), and the headless side of the chart's
// present seam: there is no screen, the canvas itself is the result. Out-of-range controls are
// ignored, as messages to a control that was never created are by the window.
#include "app/panel_memory.h"

#include <cstring>

#include "chart/present.h"

namespace chart {
// Nothing to show: the headless program keeps the chart only in its canvas.
void presentCanvasRegion(int, int, int, int) {}
} // namespace chart

namespace app {

MemoryPanel memoryPanel;

namespace {

bool validBox(PanelBox box) { return box >= 0 && box < panelBoxCount; }
bool validList(PanelList list) { return list >= 0 && list < panelListCount; }
bool validField(PanelField field) { return field >= 0 && field < panelFieldCount; }

// Copies at most fieldTextBytes - 1 bytes and terminates.
void copyText(char* dest, const char* text) {
  std::size_t n = text ? std::strlen(text) : 0;
  if (n > fieldTextBytes - 1) n = fieldTextBytes - 1;
  if (n) std::memcpy(dest, text, n);
  dest[n] = '\0';
}

} // namespace

void resetMemoryPanel() {
  auto progressSink = memoryPanel.progressSink;
  auto errorSink = memoryPanel.errorSink;
  memoryPanel = MemoryPanel{};
  memoryPanel.progressSink = progressSink;
  memoryPanel.errorSink = errorSink;
}

bool boxChecked(PanelBox box) { return validBox(box) && memoryPanel.checked[box]; }

void setBoxChecked(PanelBox box, bool checked) {
  if (validBox(box)) memoryPanel.checked[box] = checked;
}

bool boxEnabled(PanelBox box) { return validBox(box) && memoryPanel.boxEnabled[box]; }

void enableBox(PanelBox box, bool enabled) {
  if (validBox(box)) memoryPanel.boxEnabled[box] = enabled;
}

int listSelection(PanelList list) { return validList(list) ? memoryPanel.selection[list] : -1; }

void setListSelection(PanelList list, int index) {
  if (validList(list)) memoryPanel.selection[list] = index;
}

bool listEnabled(PanelList list) { return validList(list) && memoryPanel.listEnabled[list]; }

void enableList(PanelList list, bool enabled) {
  if (validList(list)) memoryPanel.listEnabled[list] = enabled;
}

void setFieldText(PanelField field, const char* text) {
  if (validField(field)) copyText(memoryPanel.fields[field], text);
}

const char* fieldText(PanelField field) { return validField(field) ? memoryPanel.fields[field] : ""; }

void setPanelBusy(bool busy) {
  if (busy && !memoryPanel.busy) ++memoryPanel.busyCount;
  memoryPanel.busy = busy;
}

void updatePanel() { ++memoryPanel.updateCount; }

void showPanelError(const char* text) {
  ++memoryPanel.errorCount;
  copyText(memoryPanel.lastError, text);
  if (memoryPanel.errorSink) memoryPanel.errorSink(text);
}

void showRunProgress(const RunProgress& progress) {
  ++memoryPanel.progressCount;
  memoryPanel.lastProgress = progress;
  if (memoryPanel.progressSink) memoryPanel.progressSink(progress);
}

} // namespace app
