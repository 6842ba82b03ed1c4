// The frame of the command line with commands of the test's own: usage errors, the language and
// the home, what is printed, and the exit status; and the argument helpers commands share.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "cli/commands.h"
#include "cli/scheme_option.h"
#include "store/platform.h"
#include "support/temp_folder.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

// What the test commands saw, for the test to look at.
struct Seen {
    int uiLanguage = 0;
    std::optional<bool> russian;
    std::string home;
    std::vector<std::string> args;
} g_seen;

int recordCommand(CliContext& ctx, const std::vector<std::string>& args) {
    g_seen = {ctx.platform.uiLanguage(), ctx.window.options().russian, ctx.window.options().home,
              args};
    return 0;
}

// Writes progress and messages the way a long operation does; the argument is the last message.
int messagesCommand(CliContext& ctx, const std::vector<std::string>& args) {
    Main& main = ctx.main();
    main.att(" reading the source");
    for (int done = 0; done <= 300; done += 3) main.att(progressBar(" reading ", done, 3));
    main.form.setText("Att", "");  // a cleared line prints nothing
    main.att(" 300 records read");
    ctx.platform.showMessage({"Refusal", "Visual FoxPro tables are not supported",
                              MessageButtons::Ok, MessageIcon::Critical});
    if (!args.empty()) main.att(args[0]);
    return commandExitCode(ctx);
}

int throwingCommand(CliContext&, const std::vector<std::string>&) {
    throw std::runtime_error("index out of range");
}

constexpr CommandSpec kTestCommands[] = {
    {"record", "record [ARG...]", recordCommand},
    {"messages", "messages [LAST]", messagesCommand},
    {"throw", "throw", throwingCommand},
};

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

RunResult run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCommandLine("/opt/tavrolin/tavrolin", args, out, err, kTestCommands);
    return {code, out.str(), err.str()};
}

// Sets a variable of the environment; nullptr removes it.
void setVariable(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value == nullptr ? "" : value);  // the empty value removes it
#else
    if (value == nullptr) {
        unsetenv(name);
    } else {
        setenv(name, value, 1);
    }
#endif
}

// Puts the locale variables back as they were when it was made.
struct SavedLocale {
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> values;
    SavedLocale() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            values.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    ~SavedLocale() {
        for (int i = 0; i < 3; ++i)
            setVariable(kNames[i], values[i] ? values[i]->c_str() : nullptr);
    }
};

TEST(CommandLine, UsageErrorsExitWithTwoAndUsageOnStderrHelpWithZeroOnStdout) {
    const std::vector<std::vector<std::string>> bad = {
        {}, {"bogus"}, {"--lang", "de", "record"}, {"--home"}, {"--home", "/no/such/f", "record"}};
    for (const auto& args : bad) {
        const RunResult result = run(args);
        SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(result.code, 2);
        EXPECT_NE(result.err.find("tavrolin record [ARG...]"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
    const RunResult help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: tavrolin [--home DIR] [--lang ru|en] COMMAND"),
              std::string::npos);
}

TEST(CommandLine, LanguageComesFromTheOptionOrElseTheLocale) {
    struct Case {
        const char* lcAll;
        const char* lang;
        std::vector<std::string> options;
        int expected;
    };
    const std::vector<Case> cases = {
        {nullptr, "ru_RU.UTF-8", {}, 1049},
        {nullptr, "ru_UA.UTF-8", {}, 1033},  // Russian of another country is English
        {"C", "ru_RU.UTF-8", {}, 1033},      // LC_ALL comes first
        {nullptr, "ru", {}, 1049},
        {"C", nullptr, {"--lang=ru"}, 1049},
    };
    const SavedLocale saved;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lang ? c.lang : "") + " " + (c.lcAll ? c.lcAll : ""));
        setVariable("LC_ALL", c.lcAll);
        setVariable("LC_MESSAGES", nullptr);
        setVariable("LANG", c.lang);
        std::vector<std::string> args = c.options;
        args.push_back("record");
        ASSERT_EQ(run(args).code, 0);
#ifdef _WIN32
        // Windows asks the system, whatever the environment says.
        EXPECT_EQ(g_seen.uiLanguage, c.options.empty() ? systemUiLanguage() : c.expected);
#else
        EXPECT_EQ(g_seen.uiLanguage, c.expected);
#endif
        // Only an explicit --lang forces the language; otherwise start-up asks the platform.
        EXPECT_EQ(g_seen.russian.has_value(), !c.options.empty());
    }
}

TEST(CommandLine, HomeIsMadeAbsoluteAndArgumentsReachTheCommand) {
    testing::ScratchFolder folder("tavrolin_cli_home_");
    const fs::path previous = fs::current_path();
    fs::current_path(folder.root().parent_path());
    const RunResult result = run({"--home", folder.root().filename().string(), "--lang", "en",
                                  "record", "a.dbf", "--lang", "ru"});
    fs::current_path(previous);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(fs::path(g_seen.home), folder.root());
    // Everything after the command word is the command's, options included.
    EXPECT_EQ(g_seen.args, (std::vector<std::string>{"a.dbf", "--lang", "ru"}));
    EXPECT_EQ(g_seen.uiLanguage, 1033);
}

TEST(CommandLine, PrintsMessagesAndBoxesButNoProgressBarsAndExitsByTheLastMessage) {
    const RunResult result = run({"--lang", "en", "messages"});
    std::istringstream lines(result.out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);) printed.push_back(line);
    // Start-up may print its own lines first; the command's lines come last, in order.
    ASSERT_GE(printed.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(printed.end() - 3, printed.end()),
              (std::vector<std::string>{" reading the source", " 300 records read",
                                        "Visual FoxPro tables are not supported"}));
    for (const std::string& line : printed) EXPECT_FALSE(isProgressBar(line)) << line;
    // What start-up writes (its help hint is a notice) is not the command's last message.
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(run({"messages", " * select the object kind"}).code, 1);
    EXPECT_EQ(run({"messages", " ! DBFread: 53. file not found"}).code, 1);

    const RunResult thrown = run({"throw"});
    EXPECT_EQ(thrown.code, 1);
    EXPECT_NE(thrown.out.find(" ! throw: index out of range"), std::string::npos);
}

TEST(Commands, ArgumentHelpersTakeTheLastOptionAndLeaveTheRest) {
    std::vector<std::string> args = {"src.dbf", "--kind", "line", "--translit", "--kind=point"};
    bool missing = true;
    EXPECT_EQ(takeOption(args, "--kind", &missing), "point");
    EXPECT_FALSE(missing);
    EXPECT_TRUE(takeFlag(args, "--translit"));
    EXPECT_EQ(args, std::vector<std::string>{"src.dbf"});

    struct Case {
        std::vector<std::string> args;
        std::optional<SchemeChoice> choice;
        bool problem;
    };
    const Case cases[] = {
        {{"--scheme=topo", "a.dbf"}, SchemeChoice::Topographic, false},
        {{"--scheme", "dd", "a.dbf", "--scheme", "clear"}, SchemeChoice::Clear, false},
        {{"a.dbf"}, std::nullopt, false},
        {{"a.dbf", "--scheme", "DD"}, std::nullopt, true},
        {{"a.dbf", "--scheme"}, std::nullopt, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> left = c.args;
        const SchemeOption option = takeSchemeOption(left);
        EXPECT_EQ(option.choice, c.choice) << c.args.size();
        EXPECT_EQ(!option.problem.empty(), c.problem) << option.problem;
        EXPECT_EQ(left, std::vector<std::string>{"a.dbf"});
    }
}

}  // namespace
}  // namespace tavrolin
