// The option rules that keep the main window's controls consistent after every click on a
// test box, "Log Y Axis", "Read Latency" or "Memory Walk": which tests can be chosen together,
// when "Copy to itself" and the step lists are offered, and how Memory Walk takes over.
// They work only through the panel seam, so the window and the command line share them.
#pragma once
#include <cstdint>

#include "app/panel.h"

namespace app {

// The check boxes as the chart reads them: bit n set while panel box n is checked.
uint32_t checkedBoxes();

// The rules for the processor's MMX and SSE flags (cpu::cpuInfo); ends with a chart refresh.
void optionRules();
// The same rules with the feature flags given (the tests use it to play other processors).
void optionRulesFor(bool hasMmx, bool hasSse);

// True for the boxes whose click runs the rules (all but "Copy to itself" and "4x Iterations").
bool boxRunsRules(PanelBox box);
// A user's click: toggles the check of an enabled box, then runs the rules when the box
// carries them. A click on a disabled box does nothing, as in the window.
void clickBoxFor(PanelBox box, bool hasMmx, bool hasSse);
void clickBox(PanelBox box);

// The test choice the window starts with: MMX Read and MMX Write with MMX, else Read and Write
// (and the MMX boxes disabled); SSE Read and SSE Write with SSE, else the SSE boxes disabled.
// Each choice is a click, so the rules run after each one.
void initialTestChoiceFor(bool hasMmx, bool hasSse);
void initialTestChoice();

} // namespace app
