#include "cli/scheme_option.h"

namespace tavrolin {

namespace {

struct SchemeName {
    const char* word;
    SchemeChoice choice;
    const char* button;
};
constexpr SchemeName kSchemes[] = {
    {"dd", SchemeChoice::DrDepth, "fillDD"},
    {"topo", SchemeChoice::Topographic, "fillTOPO"},
    {"user", SchemeChoice::User, "fillUSER"},
    {"clear", SchemeChoice::Clear, "btnSetSave"},
};

}  // namespace

SchemeOption takeSchemeOption(std::vector<std::string>& args) {
    SchemeOption option;
    bool missing = false;
    const std::optional<std::string> word = takeOption(args, "--scheme", &missing);
    if (missing || (word && word->empty())) {
        option.problem = "--scheme takes dd, topo, user or clear";
        return option;
    }
    if (!word) return option;
    for (const SchemeName& scheme : kSchemes) {
        if (*word == scheme.word) {
            option.choice = scheme.choice;
            return option;
        }
    }
    option.problem = "unknown scheme " + *word + "; --scheme takes dd, topo, user or clear";
    return option;
}

const char* schemeButton(SchemeChoice choice) {
    for (const SchemeName& scheme : kSchemes) {
        if (scheme.choice == choice) return scheme.button;
    }
    return kSchemes[0].button;
}

bool pressSchemeButton(CliContext& ctx, SchemeChoice choice) {
    const std::vector<std::string>& log = ctx.main().attLog;
    const std::size_t before = log.size();
    ctx.form().raise(schemeButton(choice), Event::Click);
    // Only a message of this press counts: the loads clear Att, USER may refuse or fail.
    if (log.size() == before) return true;
    const std::string& last = log.back();
    return last.rfind(" * ", 0) != 0 && last.rfind(" ! ", 0) != 0;
}

MapChoice takeMapChoice(std::vector<std::string>& args, const std::string& product) {
    MapChoice choice;
    bool missing = false;
    const std::optional<std::string> kind = takeOption(args, "--kind", &missing);
    if (kind) choice.kind = store::kindFromName(*kind);
    if (missing || (kind && !choice.kind)) {
        choice.problem = "--kind takes polygon, line or point";
        return choice;
    }
    const std::optional<std::string> by = takeOption(args, "--by", &missing);
    if (missing || (by && *by != "types" && *by != "depth")) {
        choice.problem = "--by takes types or depth";
        return choice;
    }
    choice.byDepth = by && *by == "depth";
    SchemeOption scheme = takeSchemeOption(args);
    choice.scheme = scheme.choice;
    choice.problem = std::move(scheme.problem);
    if (choice.problem.empty() && choice.scheme && !choice.byDepth) {
        choice.problem = "--scheme colours " + product + " --by depth only";
    }
    return choice;
}

}  // namespace tavrolin
