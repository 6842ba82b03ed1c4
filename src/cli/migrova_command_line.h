// Migrova headless: migrova OLD.dbf NEW.dbf chooses both tables as the window's buttons would,
// runs the transfer when both checks pass, and prints the labels' texts and the log. Returns 0
// when the transfer ran to its end, 1 otherwise (a refused table, a failure), 2 on a usage error.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavrolin {

// args excludes the program name; programFolder is where migrova lives.
int runMigrovaCommandLine(const std::string& programFolder, const std::vector<std::string>& args,
                          std::ostream& out, std::ostream& err);

std::string migrovaUsage();

}  // namespace tavrolin
