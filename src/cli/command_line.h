// The headless front end: tavrolin [--home DIR] [--lang ru|en] COMMAND ...
// Drives the same window model and handlers as the window, answers the platform's questions
// from the arguments, prints each message line, and returns 0 on success, 1 when the last
// message is a notice or a failure, 2 on a usage error.
#pragma once

#include <string>
#include <vector>

namespace tavrolin {

// Runs a command. args excludes the program name; executablePath is argv[0] resolved.
int runCommandLine(const std::string& executablePath, const std::vector<std::string>& args);
// The usage text, one command a line.
std::string commandLineUsage();

}  // namespace tavrolin
