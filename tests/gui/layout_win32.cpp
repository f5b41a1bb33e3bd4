#include "tests/gui/layout_win32.h"

#include <cstdio>
#include <cstring>

#include "tests/gui/probe_win32.h"

namespace layout {
namespace {

enum Kind { comboBox, pushButton, checkBox, resultField, label };

struct ControlRow {
  Kind kind;
  const char* text;   // combo boxes: their items, "|" between
  unsigned id;
  int x, y, width, height;
};

const char* const sizeItems =
    "4 KB|8 KB|16 KB|32 KB|64 KB|128 KB|256 KB|512 KB|1 MB|2 MB|4 MB|8 MB|16 MB";

// The controls in creation order; combo box heights are those of the dropped-down list.
const ControlRow controlTable[] = {
    {comboBox, sizeItems, 701, 20, 384, 90, 150},
    {comboBox, sizeItems, 702, 114, 384, 90, 150},
    {comboBox, "4|8|16|32|64|128|256|512", 703, 228, 384, 90, 150},
    {comboBox, "4|8|16|32|64", 703, 353, 384, 90, 150},
    {pushButton, "Start", 550, 10, 4, 42, 18},
    {pushButton, "Report", 551, 54, 4, 42, 18},
    {pushButton, "Exit", 1000, 98, 4, 42, 18},
    {checkBox, "Read ", 576, 550, 68, 80, 16},
    {checkBox, "Write", 576, 550, 88, 80, 16},
    {checkBox, "Copy ", 576, 550, 108, 80, 16},
    {checkBox, "MMX Read ", 576, 550, 154, 80, 16},
    {checkBox, "MMX Write", 576, 550, 174, 80, 16},
    {checkBox, "MMX Copy ", 576, 550, 194, 80, 16},
    {checkBox, "SSE Read ", 576, 550, 240, 80, 16},
    {checkBox, "SSE Write", 576, 550, 260, 80, 16},
    {checkBox, "SSE Copy ", 576, 550, 280, 80, 16},
    {checkBox, "Copy to itself", 0xFFFF, 480, 378, 90, 16},
    {checkBox, "4x Iterations", 0xFFFF, 480, 398, 90, 16},
    {checkBox, "Log Y Axis", 576, 570, 378, 80, 16},
    {checkBox, "Read Latency", 576, 550, 326, 90, 16},
    {checkBox, "Memory Walk", 576, 550, 346, 84, 16},
    {resultField, nullptr, 500, 157, 432, 492, 17},   // the processor text
    {resultField, "Not Tested", 501, 157, 450, 492, 17},
    {resultField, "Not Tested", 502, 157, 468, 492, 17},
    {resultField, "Not Tested", 503, 157, 486, 492, 17},
    {label, "Processor:", 0xFFFF, 103, 433, 52, 16},
    {label, "Memory Speed:", 0xFFFF, 79, 451, 76, 16},
    {label, "Maximal Bandwidth:", 0xFFFF, 59, 469, 94, 16},
    {label, "Minimal Bandwidth:", 0xFFFF, 62, 487, 94, 16},
    {label, "Select 32-bit Transfer", 0xFFFF, 520, 50, 103, 16},
    {label, "Select 64-bit Transfer", 0xFFFF, 520, 136, 103, 16},
    {label, "Select 128-bit Transfer", 0xFFFF, 520, 222, 109, 16},
    {label, "Select Latency Tests", 0xFFFF, 520, 308, 102, 16},
    {label, "Start/End Block Size", 0xFFFF, 19, 365, 100, 16},
    {label, "Read Latency Step", 0xFFFF, 226, 365, 94, 16},
    {label, "Memory Walk Start Step", 0xFFFF, 340, 365, 116, 16},
};
constexpr int firstBoxRow = 7, firstFieldRow = 21;

const char* const boxNames[boxCount] = {
    "Read", "Write", "Copy", "MMX Read", "MMX Write", "MMX Copy", "SSE Read", "SSE Write",
    "SSE Copy", "Copy to itself", "4x Iterations", "Log Y Axis", "Read Latency", "Memory Walk"};
const char* const listNames[listCount] = {"start size", "end size", "latency step",
                                          "walk step"};

const char* windowClassOf(Kind kind) {
  switch (kind) {
    case comboBox: return "ComboBox";
    case resultField: return "Edit";
    case label: return "Static";
    default: return "Button";
  }
}

// The style bits each kind of control is made with, as "what is wrong" or "".
std::string styleFault(Kind kind, LONG_PTR style, LONG_PTR exStyle) {
  std::string fault;
  auto need = [&fault](bool ok, const char* what) { if (!ok) fault += std::string(" ") + what; };
  need((style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE), "child+visible");
  switch (kind) {
    case pushButton: need((style & BS_TYPEMASK) == BS_PUSHBUTTON, "BS_PUSHBUTTON"); break;
    case checkBox:
      need((style & BS_TYPEMASK) == BS_AUTOCHECKBOX, "BS_AUTOCHECKBOX");
      need(style & WS_TABSTOP, "WS_TABSTOP");
      break;
    case comboBox:
      need((style & 3) == CBS_DROPDOWNLIST, "CBS_DROPDOWNLIST");
      need(style & CBS_HASSTRINGS, "CBS_HASSTRINGS");
      need(!(style & CBS_SORT), "not CBS_SORT");
      break;
    case resultField:
      need(style & ES_READONLY, "ES_READONLY");
      need(!(style & (ES_MULTILINE | ES_CENTER | ES_RIGHT)), "single line, left");
      need(exStyle & WS_EX_STATICEDGE, "WS_EX_STATICEDGE");
      break;
    case label: need((style & SS_TYPEMASK) == SS_LEFT, "SS_LEFT"); break;
  }
  return fault;
}

struct ChildSearch {
  HWND parent;
  const char* windowClass;
  int x, y;
  HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM data) {
  ChildSearch& s = *reinterpret_cast<ChildSearch*>(data);
  const RECT r = probe::rectIn(s.parent, child);
  if (GetParent(child) == s.parent && r.left == s.x && r.top == s.y &&
      lstrcmpiA(probe::className(child).c_str(), s.windowClass) == 0) {
    s.found = child;
    return FALSE;
  }
  return TRUE;
}

HWND findChild(HWND parent, const ControlRow& row) {
  ChildSearch s = {parent, windowClassOf(row.kind), row.x, row.y, nullptr};
  EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string comboItems(HWND combo) {
  std::string items;
  const LRESULT count = probe::send(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    items += (i ? "|" : "") + probe::listItem(combo, static_cast<int>(i));
  }
  return items;
}

void checkControl(HWND main, const ControlRow& row, int number, HWND control) {
  char what[96];
  std::snprintf(what, sizeof what, "control %d (%s \"%s\")", number + 1, windowClassOf(row.kind),
                row.kind == comboBox ? "list" : row.text ? row.text : "processor");
  if (!control) {
    probe::check(false, what, "none at its place");
    return;
  }

  std::string fault;
  const RECT r = probe::rectIn(main, control);
  const bool heightMatters = row.kind != comboBox;   // a closed combo box is shorter
  if (r.right - r.left != row.width || (heightMatters && r.bottom - r.top != row.height))
    fault += " size " + probe::describe(r);
  const unsigned id = static_cast<unsigned>(GetDlgCtrlID(control)) & 0xFFFF;
  if (id != row.id) fault += " id " + std::to_string(id);
  fault += styleFault(row.kind, GetWindowLongPtrA(control, GWL_STYLE),
                      GetWindowLongPtrA(control, GWL_EXSTYLE));
  const LRESULT font = probe::send(control, WM_GETFONT);
  if (!font) fault += " no font";
  const std::string text = row.kind == comboBox ? comboItems(control) : probe::text(control);
  if (row.text ? text != row.text : text.find(" MHz") == std::string::npos)
    fault += " text \"" + text + "\"";
  probe::check(fault.empty(), what, fault);
}

HMODULE openProgramFile(const std::string& exePath) {
  return LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

const BYTE* resourceBytes(HMODULE module, const char* name, const char* type, DWORD* size) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return nullptr;
  *size = SizeofResource(module, found);
  return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

// The menu as one line: items "text=id", separators "-", pop-ups "text{...}", and a "!state"
// after any item that is not plainly enabled and unchecked.
std::string menuLine(HMENU menu) {
  std::string line;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    if (i) line += "|";
    if (info.fType & MFT_SEPARATOR) {
      line += "-";
      continue;
    }
    line += text;
    if (info.hSubMenu)
      line += "{" + menuLine(info.hSubMenu) + "}";
    else
      line += "=" + std::to_string(info.wID);
    if (info.fState & (MFS_DISABLED | MFS_CHECKED | MFS_DEFAULT))
      line += "!" + std::to_string(info.fState);
  }
  return line;
}

void checkMenu(HMODULE module) {
  DWORD size = 0;
  const BYTE* raw = resourceBytes(module, MAKEINTRESOURCEA(600), RT_MENU, &size);
  probe::check(raw && size >= 4 && raw[0] == 1 && raw[1] == 0, "menu 600 in the extended format");
  HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(600));
  probe::checkEqual("menu 600 items and ids",
                    "&File{&Start=550|-|&Report=551|-|&Exit=1000}|&Settings{&Colors=1800}|"
                    "&Help{&Russian Help=1811|&English Help=1812|-|&About=1900}",
                    menu ? menuLine(menu) : "(no menu)");
  if (menu) DestroyMenu(menu);
}

// Icon sizes of group icon 500 ("32x32 16x16"), from its directory entries.
std::string iconSizes(HMODULE module) {
  DWORD size = 0;
  const BYTE* group = resourceBytes(module, MAKEINTRESOURCEA(500), RT_GROUP_ICON, &size);
  std::string sizes;
  for (int i = 0; group && size >= 6 && i < group[4] && 6 + 14u * (i + 1) <= size; ++i) {
    const BYTE* entry = group + 6 + 14 * i;
    const int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
    sizes += (i ? " " : "") + std::to_string(width) + "x" + std::to_string(height);
  }
  return sizes;
}

}  // namespace

bool Snapshot::operator==(const Snapshot& o) const {
  return std::memcmp(checked, o.checked, sizeof checked) == 0 &&
         std::memcmp(boxEnabled, o.boxEnabled, sizeof boxEnabled) == 0 &&
         std::memcmp(listEnabled, o.listEnabled, sizeof listEnabled) == 0 &&
         std::memcmp(selection, o.selection, sizeof selection) == 0;
}

void checkResources(const std::string& exePath) {
  HMODULE module = openProgramFile(exePath);
  if (!probe::check(module != nullptr, "program file opens as data", exePath)) return;
  checkMenu(module);
  const std::string sizes = iconSizes(module);
  probe::check(sizes.find("32x32") != std::string::npos && sizes.find("16x16") != std::string::npos,
               "icon 500 has 32x32 and 16x16 pictures", sizes);
  DWORD size = 0;
  const BYTE* cursor = resourceBytes(module, MAKEINTRESOURCEA(501), RT_GROUP_CURSOR, &size);
  probe::check(cursor && size >= 20 && cursor[6] == 32 && cursor[12] == 1,
               "cursor 501 is a 32-pixel monochrome cursor");
  const BYTE* bitmap = resourceBytes(module, MAKEINTRESOURCEA(750), RT_BITMAP, &size);
  BITMAPINFOHEADER header = {};
  if (bitmap && size >= sizeof header) std::memcpy(&header, bitmap, sizeof header);
  probe::check(header.biWidth == 200 && header.biHeight == 133 && header.biBitCount == 8,
               "bitmap 750 is 200 x 133 at 8 bits per pixel",
               std::to_string(header.biWidth) + " x " + std::to_string(header.biHeight) + " x " +
                   std::to_string(header.biBitCount));
  probe::check(resourceBytes(module, "About", RT_DIALOG, &size) &&
                   resourceBytes(module, "BasicSettings", RT_DIALOG, &size),
               "dialog templates About and BasicSettings");
  FreeLibrary(module);
}

Controls checkControls(HWND main) {
  Controls controls;
  const int rows = static_cast<int>(sizeof controlTable / sizeof controlTable[0]);
  for (int i = 0; i < rows; ++i) {
    HWND control = findChild(main, controlTable[i]);
    checkControl(main, controlTable[i], i, control);
    if (i < listCount) controls.list[i] = control;
    if (i >= firstBoxRow && i < firstBoxRow + boxCount) controls.box[i - firstBoxRow] = control;
    if (i >= firstFieldRow && i < firstFieldRow + fieldCount)
      controls.field[i - firstFieldRow] = control;
  }
  controls.start = findChild(main, controlTable[4]);
  controls.report = findChild(main, controlTable[5]);
  controls.exit = findChild(main, controlTable[6]);
  return controls;
}

HWND findResultField(HWND main, Field field) {
  return findChild(main, controlTable[firstFieldRow + field]);
}

Snapshot takeSnapshot(const Controls& c) {
  Snapshot s;
  for (int i = 0; i < boxCount; ++i) {
    s.checked[i] = probe::send(c.box[i], BM_GETCHECK, 0, 0, 0) != BST_UNCHECKED;
    s.boxEnabled[i] = IsWindowEnabled(c.box[i]) != FALSE;
  }
  for (int i = 0; i < listCount; ++i) {
    s.listEnabled[i] = IsWindowEnabled(c.list[i]) != FALSE;
    s.selection[i] = static_cast<int>(probe::send(c.list[i], CB_GETCURSEL));
  }
  return s;
}

Snapshot initialSnapshot(bool hasMmx, bool hasSse) {
  Snapshot s;
  for (bool& enabled : s.boxEnabled) enabled = true;
  s.boxEnabled[copyToItself] = false;
  s.checked[read] = s.checked[write] = !hasMmx;
  s.checked[mmxRead] = s.checked[mmxWrite] = hasMmx;
  s.boxEnabled[mmxRead] = s.boxEnabled[mmxWrite] = s.boxEnabled[mmxCopy] = hasMmx;
  s.checked[sseRead] = s.checked[sseWrite] = hasSse;
  s.boxEnabled[sseRead] = s.boxEnabled[sseWrite] = s.boxEnabled[sseCopy] = hasSse;
  s.listEnabled[startSize] = s.listEnabled[endSize] = true;
  s.selection[startSize] = 0;    // "4 KB"
  s.selection[endSize] = 8;      // "1 MB"
  s.selection[latencyStep] = 3;  // "32"
  s.selection[walkStep] = 2;     // "16"
  return s;
}

void checkSnapshot(const std::string& what, const Snapshot& expected, const Snapshot& actual) {
  std::string differences;
  auto note = [&differences](const char* name, const std::string& state) {
    differences += std::string(" ") + name + " " + state;
  };
  for (int i = 0; i < boxCount; ++i) {
    if (expected.checked[i] != actual.checked[i])
      note(boxNames[i], actual.checked[i] ? "checked" : "unchecked");
    if (expected.boxEnabled[i] != actual.boxEnabled[i])
      note(boxNames[i], actual.boxEnabled[i] ? "enabled" : "disabled");
  }
  for (int i = 0; i < listCount; ++i) {
    if (expected.listEnabled[i] != actual.listEnabled[i])
      note(listNames[i], actual.listEnabled[i] ? "enabled" : "disabled");
    if (expected.selection[i] != actual.selection[i])
      note(listNames[i], "at " + std::to_string(actual.selection[i]));
  }
  probe::check(differences.empty(), what, differences);
}

}  // namespace layout
