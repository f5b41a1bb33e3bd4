// Checks of the two help commands, run by the end-to-end driver.
#pragma once
#include <string>

namespace help_checks {

// Starts the program once more in workDir\help, beside copies of the two help files from the
// program's folder, opens each with its menu command and checks that the help viewer shows
// that file; ends the program.
void run(const std::string& exe, const std::string& workDir);

}  // namespace help_checks
