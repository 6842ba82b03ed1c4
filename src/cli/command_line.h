// The headless front end: tavrolin [--home DIR] [--lang ru|en] COMMAND ...
// Drives the same window model and handlers as the window, answers the platform's questions
// from the arguments, prints each message line, and returns 0 on success, 1 when the last
// message is a notice or a failure, 2 on a usage error.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/map_model.h"

namespace tavrolin {

struct CommandSpec;

// What the options before COMMAND asked for.
struct CommandLineOptions {
    std::string home;             // --home DIR, made absolute; empty when not given
    std::optional<bool> russian;  // --lang ru|en
    std::string command;          // empty when none was given
    std::vector<std::string> commandArgs;
};

// Parses the options and the command word; a usage error is returned as its reason.
// args excludes the program name.
std::optional<CommandLineOptions> parseCommandLine(const std::vector<std::string>& args,
                                                   std::string* error);

// Runs a command and prints on out/err. executablePath is the program's own path (its folder is
// the default home, its name names the template).
int runCommandLine(const std::string& executablePath, const std::vector<std::string>& args,
                   std::ostream& out, std::ostream& err);
// The same with another set of commands (tests bring their own).
int runCommandLine(const std::string& executablePath, const std::vector<std::string>& args,
                   std::ostream& out, std::ostream& err, std::span<const CommandSpec> commands);
// The same on standard output and standard error.
int runCommandLine(const std::string& executablePath, const std::vector<std::string>& args);

// The usage text, one command a line.
std::string commandLineUsage();
std::string commandLineUsage(std::span<const CommandSpec> commands);

// The painter of the `preview` command (gui's writeMapPng in a build with the window). Without
// one the command says that it cannot draw.
void setMapPngPainter(MapPngPainter painter);

// Whether a message line text is a progress bar: it ends with 100 characters of "I" and ".".
bool isProgressBar(const std::string& text);

}  // namespace tavrolin
