// What the window program should look like before anyone touches it: its resources and menu
// (read from the .exe), the main window's controls and their initial states, and a snapshot
// of the check and enabled states that the option rules change.
#pragma once
#include <windows.h>

#include <string>

namespace layout {

// The fourteen check boxes and four lists, in the window's creation order.
enum Box {
  read, write, copy, mmxRead, mmxWrite, mmxCopy, sseRead, sseWrite, sseCopy,
  copyToItself, iterations, logY, readLatency, memoryWalk, boxCount
};
enum List { startSize, endSize, latencyStep, walkStep, listCount };
enum Field { processor, memorySpeed, maxBandwidth, minBandwidth, fieldCount };

// The main window's controls, found by class and place.
struct Controls {
  HWND box[boxCount] = {};
  HWND list[listCount] = {};
  HWND field[fieldCount] = {};
  HWND start = nullptr, report = nullptr, exit = nullptr;
};

// Checks and enabled states of the boxes, enabled states and selections of the lists.
struct Snapshot {
  bool checked[boxCount] = {};
  bool boxEnabled[boxCount] = {};
  bool listEnabled[listCount] = {};
  int selection[listCount] = {};
  bool operator==(const Snapshot& other) const;
};

// The menu, the icon, cursor, splash bitmap and dialog templates inside the program file.
void checkResources(const std::string& exePath);
// Every control of the table: class, text, id, place, size, style, font, combo items.
Controls checkControls(HWND main);
// The result field at its place in the main window, or null.
HWND findResultField(HWND main, Field field);
Snapshot takeSnapshot(const Controls& controls);
// The state a fresh window has on a processor with or without MMX and SSE.
Snapshot initialSnapshot(bool hasMmx, bool hasSse);
// One check comparing whole snapshots, naming each difference.
void checkSnapshot(const std::string& what, const Snapshot& expected, const Snapshot& actual);

}  // namespace layout
