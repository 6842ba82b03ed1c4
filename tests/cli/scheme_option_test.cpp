// The --scheme option: its words, its problems, and what stays in the arguments.
#include "cli/scheme_option.h"

#include <gtest/gtest.h>

namespace tavrolin {
namespace {

TEST(SchemeOption, TakesEachWordAndLeavesTheOtherArguments) {
    struct Case {
        std::vector<std::string> args;
        std::optional<SchemeChoice> choice;
        bool problem;
        const char* button;
    };
    const Case cases[] = {
        {{"a.dbf", "--scheme", "dd"}, SchemeChoice::DrDepth, false, "fillDD"},
        {{"--scheme=topo", "a.dbf"}, SchemeChoice::Topographic, false, "fillTOPO"},
        {{"--scheme", "user", "a.dbf"}, SchemeChoice::User, false, "fillUSER"},
        {{"--scheme", "dd", "a.dbf", "--scheme", "clear"},
         SchemeChoice::Clear,
         false,
         "btnSetSave"},
        {{"a.dbf"}, std::nullopt, false, nullptr},
        {{"a.dbf", "--scheme", "DD"}, std::nullopt, true, nullptr},
        {{"a.dbf", "--scheme="}, std::nullopt, true, nullptr},
        {{"a.dbf", "--scheme"}, std::nullopt, true, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        const SchemeOption option = takeSchemeOption(args);
        EXPECT_EQ(option.choice, c.choice) << c.args.size();
        EXPECT_EQ(!option.problem.empty(), c.problem) << option.problem;
        EXPECT_EQ(args, std::vector<std::string>{"a.dbf"});
        if (c.button != nullptr) EXPECT_STREQ(schemeButton(*c.choice), c.button);
    }
}

}  // namespace
}  // namespace tavrolin
