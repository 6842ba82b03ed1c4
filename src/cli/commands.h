// The commands of the headless front end and what each one gets to work with.
//
// The frame (command_line.cpp) parses `tavrolin [--home DIR] [--lang ru|en] COMMAND ...`,
// creates a ScriptedPlatform and a headless MainWindow, runs its start-up (load(), which in a
// headless run also performs the template upgrade when one is due), and then calls the
// command's run function with the remaining arguments (those after COMMAND). From start-up on,
// the frame prints every text the message line Att takes, one line each (progress-bar updates
// excepted), and the text of every message box, on ctx.out (on ctx.err for a command whose
// CommandSpec sets messagesOnErr, so that its standard output carries only its data).
//
// How to add a command, e.g. `convert`:
//   1. Write src/cli/convert_command.cpp:
//          #include "cli/commands.h"
//          namespace tavrolin {
//          int runConvertCommand(CliContext& ctx, const std::vector<std::string>& args) {
//              if (args.empty()) return usageError(ctx, "convert", "no source table given");
//              ctx.platform.openFileReplies.push_back(args[0]);   // the dialog's answer
//              ctx.main().form.raise("btnSource", Event::Click);
//              ...
//              return commandExitCode(ctx);   // 0 success, 1 last message " * " or " ! "
//          }
//          }  // namespace tavrolin
//   2. Add one line to the table in src/cli/command_table.cpp (declaration and entry):
//          {"convert", "convert SOURCE.dbf [--kind polygon|line|point] ...", runConvertCommand},
//      and declare the function in the "Commands" block there.
//   3. Add the file to add_library(tavrolin_cli ...) in src/cli/CMakeLists.txt.
// Link the library that owns what your command calls to tavrolin_cli only if tavrolin_app does
// not already bring it (it brings every subsystem).
//
// Exit codes: 0 when the operation ends in success, 1 when its last message (on Att or in a
// message box) is a notice (" * ") or a failure (" ! "), 2 on a usage error (the command's usage
// goes to stderr). A command never lets an exception out on purpose; the frame catches any
// std::exception, prints it as a failure and exits 1.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "store/object_kind.h"
#include "store/scripted_platform.h"

namespace tavrolin {

struct CliContext {
    MainWindow& window;
    // Answers the model's questions: push the command's answers before raising the event.
    ScriptedPlatform& platform;
    std::ostream& out;
    std::ostream& err;
    // The last non-empty text Att took (progress bars included) or the last message box's text,
    // whichever came later; kept up to date by the frame.
    std::string lastMessage;

    Main& main() { return window.main(); }
    Form& form() { return window.form(); }
};

struct CommandSpec {
    const char* name;   // the word after the options: "convert"
    const char* usage;  // one line without the program name: "convert SOURCE.dbf [--translit]"
    int (*run)(CliContext& ctx, const std::vector<std::string>& args);
    // Set for a command whose standard output is its data (a picture, a text): the message
    // lines and boxes then go to standard error.
    bool messagesOnErr = false;
};

// Every command, in the order the usage lists them.
std::span<const CommandSpec> commandTable();
// The command of that name, or nullptr.
const CommandSpec* findCommand(const std::string& name);

// 0 when the last message (Att line or message box) is success or progress (or there was none),
// 1 when it begins with " * " or " ! ".
int commandExitCode(const CliContext& ctx);
// Prints "tavrolin COMMAND: reason" and the command's usage line on ctx.err; returns 2.
int usageError(CliContext& ctx, const std::string& command, const std::string& reason);

// Small argument helpers for commands: removes every occurrence of a flag and says whether one
// was there; takes the value after an option ("--kind line"), nullopt when absent. A missing
// value after the option is reported through *missingValue.
bool takeFlag(std::vector<std::string>& args, const std::string& flag);
std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& option,
                                      bool* missingValue = nullptr);

// Presses "..." with the dialog answering the source (made absolute) and then, when a kind is
// given, chooses it over the kind the reader detected. False when the source was not read. A
// kind that is still not chosen is said on ctx.err as "tavrolin COMMAND: ...".
bool readSourceAndChooseKind(CliContext& ctx, const std::string& command, const std::string& source,
                             std::optional<store::ObjectKind> kind);

}  // namespace tavrolin
