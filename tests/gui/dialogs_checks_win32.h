// Checks of the About and Colors dialogs, run by the end-to-end driver.
#pragma once
#include <string>

namespace dialogs_checks {

// Starts the program once more in workDir\dialogs (made here) and checks both dialogs, the
// settings file they write there and the chart after a colour change; ends the program. The
// links' shell requests are looked for in the file named by the environment variable
// TW_SHELL_LOG.
void run(const std::string& exe, const std::string& workDir);

}  // namespace dialogs_checks
