// The main window's standard controls, created in their fixed order with their places, ids,
// texts and initial states. Every control is held by handle (window_win32.h); the two step
// lists share one id, which nothing looks up.
#include "app/option_rules.h"
#include "app/window_win32.h"
#include "cpu/cpu_info.h"
#include "resources/resource.h"

namespace app {

ControlHandles controls;

namespace {

struct Place { int x, y, width, height; };

// One font for every control: the 8-point raster "MS Sans Serif", asked for 8 pixels high,
// weight 500. The width is left to the font: Windows picks the same raster size either way,
// while Wine would spread the glyphs apart to a forced width and cut the labels short. Shared
// rather than one per control, which shows the same; it lives as long as the process.
HFONT controlFont() {
  static HFONT font = CreateFontA(8, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  return font;
}

HWND createControl(DWORD exStyle, const char* className, DWORD style, const char* text,
                   Place p, HWND parent, int id) {
  HWND control = CreateWindowExA(exStyle, className, text, style, p.x, p.y, p.width, p.height,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 shell.instanceHandle, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont()), TRUE);
  return control;
}

void createPushButton(const char* text, Place p, HWND parent, int id) {
  createControl(0, "BUTTON", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, text, p, parent, id);
}

HWND createCheckBox(const char* text, Place p, HWND parent, int id) {
  return createControl(0, "BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, text,
                       p, parent, id);
}

// The height is that of the dropped-down list.
HWND createComboBox(Place p, HWND parent, int id) {
  return createControl(WS_EX_CLIENTEDGE, "COMBOBOX",
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | CBS_DROPDOWNLIST |
                           CBS_HASSTRINGS,
                       "", p, parent, id);
}

HWND createLabel(const char* text, Place p, HWND parent, int id) {
  return createControl(0, "STATIC", WS_CHILD | WS_VISIBLE | SS_LEFT, text, p, parent, id);
}

HWND createResultField(const char* text, Place p, HWND parent, int id) {
  return createControl(WS_EX_STATICEDGE, "EDIT", WS_CHILD | WS_VISIBLE | ES_READONLY, text, p,
                       parent, id);
}

void addItems(HWND list, const char* const* items, int count) {
  for (int i = 0; i < count; ++i) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
  }
}

// Selects the first item that starts with text (case-insensitive), searching from the second
// item on and then from the top.
void selectItem(HWND list, const char* text) {
  SendMessageA(list, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(text));
}

constexpr const char* blockSizes[] = {"4 KB",   "8 KB",   "16 KB", "32 KB", "64 KB",
                                      "128 KB", "256 KB", "512 KB", "1 MB", "2 MB",
                                      "4 MB",   "8 MB",   "16 MB"};
constexpr const char* steps[] = {"4", "8", "16", "32", "64", "128", "256", "512"};

void createLists(HWND parent) {
  HWND* lists = controls.lists;
  lists[listStartSize] = createComboBox({20, 384, 90, 150}, parent, IDC_START_SIZE);
  addItems(lists[listStartSize], blockSizes, 1);
  selectItem(lists[listStartSize], "4 KB");
  addItems(lists[listStartSize], blockSizes + 1, 12);
  lists[listEndSize] = createComboBox({114, 384, 90, 150}, parent, IDC_END_SIZE);
  addItems(lists[listEndSize], blockSizes, 13);
  selectItem(lists[listEndSize], "1 MB");

  lists[listLatencyStep] = createComboBox({228, 384, 90, 150}, parent, IDC_STEP_LIST);
  EnableWindow(lists[listLatencyStep], FALSE);
  addItems(lists[listLatencyStep], steps, 4);
  selectItem(lists[listLatencyStep], "32");
  addItems(lists[listLatencyStep], steps + 4, 4);
  lists[listWalkStep] = createComboBox({353, 384, 90, 150}, parent, IDC_STEP_LIST);
  EnableWindow(lists[listWalkStep], FALSE);
  addItems(lists[listWalkStep], steps, 3);
  selectItem(lists[listWalkStep], "16");
  addItems(lists[listWalkStep], steps + 3, 2);
}

struct BoxSpec {
  PanelBox box;
  const char* text;   // trailing blanks kept: the report picture's legend uses the same texts
  int id;
  Place place;
};

constexpr BoxSpec testBoxSpecs[testBoxCount] = {
    {boxRead, "Read ", IDC_OPTION_RULES, {550, 68, 80, 16}},
    {boxWrite, "Write", IDC_OPTION_RULES, {550, 88, 80, 16}},
    {boxCopy, "Copy ", IDC_OPTION_RULES, {550, 108, 80, 16}},
    {boxMmxRead, "MMX Read ", IDC_OPTION_RULES, {550, 154, 80, 16}},
    {boxMmxWrite, "MMX Write", IDC_OPTION_RULES, {550, 174, 80, 16}},
    {boxMmxCopy, "MMX Copy ", IDC_OPTION_RULES, {550, 194, 80, 16}},
    {boxSseRead, "SSE Read ", IDC_OPTION_RULES, {550, 240, 80, 16}},
    {boxSseWrite, "SSE Write", IDC_OPTION_RULES, {550, 260, 80, 16}},
    {boxSseCopy, "SSE Copy ", IDC_OPTION_RULES, {550, 280, 80, 16}},
};

// "Copy to itself" and "4x Iterations" change no other control, so their clicks reach no rule.
constexpr BoxSpec otherBoxSpecs[] = {
    {boxCopyToItself, "Copy to itself", IDC_NO_ID, {480, 378, 90, 16}},
    {boxIterations, "4x Iterations", IDC_NO_ID, {480, 398, 90, 16}},
    {boxLogY, "Log Y Axis", IDC_OPTION_RULES, {570, 378, 80, 16}},
    {boxReadLatency, "Read Latency", IDC_OPTION_RULES, {550, 326, 90, 16}},
    {boxMemoryWalk, "Memory Walk", IDC_OPTION_RULES, {550, 346, 84, 16}},
};

void createBoxes(HWND parent, const BoxSpec* specs, int count) {
  for (int i = 0; i < count; ++i) {
    const BoxSpec& s = specs[i];
    controls.boxes[s.box] = createCheckBox(s.text, s.place, parent, s.id);
    // Offered only while a copy test is chosen; the option rules decide from then on.
    if (s.box == boxCopyToItself) EnableWindow(controls.boxes[s.box], FALSE);
  }
}

struct LabelSpec {
  const char* text;
  Place place;
};

constexpr LabelSpec labelSpecs[] = {
    {"Processor:", {103, 433, 52, 16}},
    {"Memory Speed:", {79, 451, 76, 16}},
    {"Maximal Bandwidth:", {59, 469, 94, 16}},
    {"Minimal Bandwidth:", {62, 487, 94, 16}},
    {"Select 32-bit Transfer", {520, 50, 103, 16}},
    {"Select 64-bit Transfer", {520, 136, 103, 16}},
    {"Select 128-bit Transfer", {520, 222, 109, 16}},
    {"Select Latency Tests", {520, 308, 102, 16}},
    {"Start/End Block Size", {19, 365, 100, 16}},
    {"Read Latency Step", {226, 365, 94, 16}},
    {"Memory Walk Start Step", {340, 365, 116, 16}},
};

} // namespace

void createOptionControls(HWND parent) {
  createLists(parent);
  createPushButton("Start", {10, 4, 42, 18}, parent, IDM_START);
  createPushButton("Report", {54, 4, 42, 18}, parent, IDM_REPORT);
  createPushButton("Exit", {98, 4, 42, 18}, parent, IDM_EXIT);
  createBoxes(parent, testBoxSpecs, testBoxCount);
  // Each choice is a click through the option rules, over the controls that exist by now.
  initialTestChoice();
  createBoxes(parent, otherBoxSpecs, sizeof otherBoxSpecs / sizeof otherBoxSpecs[0]);
}

void createResultControls(HWND parent) {
  controls.fields[fieldProcessor] =
      createResultField(cpu::cpuInfo.processorText, {157, 432, 492, 17}, parent, IDC_PROCESSOR);
  controls.fields[fieldMemorySpeed] =
      createResultField("Not Tested", {157, 450, 492, 17}, parent, IDC_MEMORY_SPEED);
  controls.fields[fieldMaxBandwidth] =
      createResultField("Not Tested", {157, 468, 492, 17}, parent, IDC_MAX_BANDWIDTH);
  controls.fields[fieldMinBandwidth] =
      createResultField("Not Tested", {157, 486, 492, 17}, parent, IDC_MIN_BANDWIDTH);
  for (const LabelSpec& l : labelSpecs) createLabel(l.text, l.place, parent, IDC_NO_ID);
}

void createSplashPicture(HWND splash) {
  // No font: the control shows only the picture, and takes the picture's size.
  HWND picture = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", nullptr,
                                 WS_CHILD | WS_VISIBLE | SS_BITMAP, -1, -1, 10, 10, splash,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NO_ID)),
                                 shell.instanceHandle, nullptr);
  HBITMAP bitmap = LoadBitmapA(shell.instanceHandle, MAKEINTRESOURCEA(IDB_SPLASH));
  SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

} // namespace app
