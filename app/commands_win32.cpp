// The commands of the main window: menu items, the three push buttons and the check boxes that
// carry the option rules all arrive as WM_COMMAND and are told apart by the whole wParam, so
// only menu choices and button clicks (notification code 0) match; list notifications never do.
#include "app/option_rules.h"
#include "app/window_win32.h"
#include "chart/frame.h"
#include "dialogs/dialogs_win32.h"
#include "engine/run/run.h"
#include "platform/shell.h"
#include "report/report.h"
#include "resources/resource.h"

namespace app {
namespace {

void showAbout(HWND window) {
  DialogBoxParamA(shell.instanceHandle, "About", window, dialogs::aboutDialogProc, 0);
}

// Whatever the dialog did, the swatches, the plotting area and the curves are drawn again in
// the colours it leaves.
void showColours(HWND window) {
  DialogBoxParamA(shell.instanceHandle, "BasicSettings", window, dialogs::colorsDialogProc, 0);
  chart::drawWindowLegendSwatches();
  chart::drawWindowPlotArea(chart::plotLeft, chart::plotTop, chart::plotWidth, chart::plotHeight,
                            chart::gridStep, chart::gridStep);
  chart::refreshChart(checkedBoxes());
}

} // namespace

void dispatchCommand(HWND window, WPARAM command) {
  switch (command) {
    case IDM_EXIT:
      SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case IDM_ABOUT:
      showAbout(window);
      break;
    case IDM_COLORS:
      showColours(window);
      break;
    // Help files beside the program, by bare name from the current directory; a missing one
    // is the shell's to report.
    case IDM_RUSSIAN_HELP:
      platform::openDocument("tw32rus.chm");
      break;
    case IDM_ENGLISH_HELP:
      platform::openDocument("tw32eng.chm");
      break;
    case IDM_REPORT:
      report::runReport(true);
      break;
    case IDC_OPTION_RULES:
      optionRules();
      break;
    case IDM_START:
      engine::runTest();
      break;
  }
}

} // namespace app
