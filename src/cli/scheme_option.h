// The depth scheme option of the commands, `--scheme dd|topo|user|clear`: which button of the
// depth block to press (DD, TOPO, USER or SN) once the source is read and the kind chosen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace tavrolin {

enum class SchemeChoice : std::uint8_t { DrDepth, Topographic, User, Clear };

// The option as a usage line shows it.
constexpr const char* kSchemeUsage = "[--scheme dd|topo|user|clear]";

struct SchemeOption {
    std::optional<SchemeChoice> choice;  // nothing when the option was not given
    std::string problem;                 // a usage error to report; empty when fine
};

// Takes --scheme VALUE (or --scheme=VALUE) out of the arguments; the last one wins. A missing
// or unknown value is a problem.
SchemeOption takeSchemeOption(std::vector<std::string>& args);

// What a map is converted or drawn from, taken out of the arguments: --kind polygon|line|point,
// --by types|depth and --scheme, which colours by depth only.
struct MapChoice {
    std::optional<store::ObjectKind> kind;  // nothing when not given
    bool byDepth = false;
    std::optional<SchemeChoice> scheme;
    std::string problem;  // a usage error to report; empty when fine
};
// `product` names the result in the problem of a scheme without --by depth ("the conversion").
MapChoice takeMapChoice(std::vector<std::string>& args, const std::string& product);

// The button of the depth block that loads the choice: fillDD, fillTOPO, fillUSER, btnSetSave.
const char* schemeButton(SchemeChoice choice);

// Presses the choice's button. False when it ended in a notice or a failure (the message is
// on Att and printed); the command should then stop with commandExitCode().
bool pressSchemeButton(CliContext& ctx, SchemeChoice choice);

}  // namespace tavrolin
