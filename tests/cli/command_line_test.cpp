#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "cli/commands.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

// What the test commands saw, for the test to look at.
struct Seen {
    int uiLanguage = 0;
    std::optional<bool> russian;
    std::string home;
    std::vector<std::string> args;
};
Seen g_seen;

int recordCommand(CliContext& ctx, const std::vector<std::string>& args) {
    g_seen.uiLanguage = ctx.platform.uiLanguage();
    g_seen.russian = ctx.window.options().russian;
    g_seen.home = ctx.window.options().home;
    g_seen.args = args;
    return 0;
}

// Writes progress and messages the way a long operation does.
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

int silentCommand(CliContext& ctx, const std::vector<std::string>&) { return commandExitCode(ctx); }

int throwingCommand(CliContext&, const std::vector<std::string>&) {
    throw std::runtime_error("index out of range");
}

constexpr CommandSpec kTestCommands[] = {
    {"record", "record [ARG...]", recordCommand},
    {"messages", "messages [LAST]", messagesCommand},
    {"throw", "throw", throwingCommand},
    {"silent", "silent", silentCommand},
};

// Runs the frame in-process with the test commands.
struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

RunResult run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.code = runCommandLine("/opt/tavrolin/tavrolin", args, out, err, kTestCommands);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Sets the locale variables for one test and puts them back afterwards.
class LocaleEnvironment {
   public:
    LocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        set("LC_ALL", lcAll);
        set("LC_MESSAGES", lcMessages);
        set("LANG", lang);
    }
    ~LocaleEnvironment() {
        for (std::size_t i = 0; i < 3; ++i) {
            set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
        }
    }

   private:
    static void set(const char* name, const char* value) {
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
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> m_saved;
};

TEST(CommandLine, UsageErrorsExitWithTwoAndUsageOnStderr) {
    const std::vector<std::vector<std::string>> bad = {
        {},                          // no command
        {"bogus"},                   // unknown command
        {"--lang", "de", "record"},  // unknown language
        {"--lang"},                  // option without its value
        {"--home", "/no/such/folder/at/all", "record"},
        {"--verbose", "record"},  // unknown option
        {"--home"},
    };
    for (const auto& args : bad) {
        RunResult result = run(args);
        EXPECT_EQ(result.code, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(result.err.find("usage: tavrolin"), std::string::npos);
        EXPECT_NE(result.err.find("tavrolin record [ARG...]"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
}

TEST(CommandLine, HelpPrintsUsageOnStdoutAndSucceeds) {
    for (const char* word : {"help", "--help", "-h"}) {
        RunResult result = run({word});
        EXPECT_EQ(result.code, 0);
        EXPECT_NE(result.out.find("usage: tavrolin [--home DIR] [--lang ru|en] COMMAND"),
                  std::string::npos);
        EXPECT_TRUE(result.err.empty());
    }
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
        {nullptr, "uk_UA", {}, 1033},
        {"C", "ru_RU.UTF-8", {}, 1033},  // LC_ALL comes first
        {nullptr, "ru", {}, 1049},
        {nullptr, "ru_RU.UTF-8", {"--lang", "en"}, 1033},
        {"C", nullptr, {"--lang=ru"}, 1049},
    };
    for (const Case& c : cases) {
        LocaleEnvironment environment(c.lcAll, nullptr, c.lang);
        std::vector<std::string> args = c.options;
        args.push_back("record");
        g_seen = {};
        ASSERT_EQ(run(args).code, 0);
        EXPECT_EQ(g_seen.uiLanguage, c.expected)
            << (c.lang ? c.lang : "") << " " << (c.lcAll ? c.lcAll : "");
        // Only an explicit --lang forces the language; otherwise start-up asks the platform.
        EXPECT_EQ(g_seen.russian.has_value(), !c.options.empty());
    }
}

TEST(CommandLine, HomeIsMadeAbsoluteAndArgumentsReachTheCommand) {
    fs::path folder =
        fs::temp_directory_path() / ("tavrolin_cli_home_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::path previous = fs::current_path();
    fs::current_path(folder.parent_path());

    g_seen = {};
    RunResult result = run(
        {"--home", folder.filename().string(), "--lang", "en", "record", "a.dbf", "--lang", "ru"});
    fs::current_path(previous);
    fs::remove_all(folder);

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(fs::path(g_seen.home), folder);
    // Everything after the command word is the command's, options included.
    EXPECT_EQ(g_seen.args, (std::vector<std::string>{"a.dbf", "--lang", "ru"}));
    EXPECT_EQ(g_seen.uiLanguage, 1033);

    g_seen = {};
    EXPECT_EQ(run({"record"}).code, 0);
    EXPECT_TRUE(g_seen.home.empty());  // the executable's folder, decided at start-up
}

TEST(CommandLine, PrintsMessagesAndBoxesButNotProgressBars) {
    RunResult result = run({"--lang", "en", "messages"});
    std::istringstream lines(result.out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);) printed.push_back(line);
    // Start-up may print its own lines first; the command's lines come last, in order.
    ASSERT_GE(printed.size(), 3u);
    std::vector<std::string> tail(printed.end() - 3, printed.end());
    EXPECT_EQ(tail, (std::vector<std::string>{" reading the source", " 300 records read",
                                              "Visual FoxPro tables are not supported"}));
    for (const std::string& line : printed) EXPECT_FALSE(isProgressBar(line)) << line;
    EXPECT_EQ(result.code, 0);
}

TEST(CommandLine, ExitCodeFollowsTheLastMessage) {
    EXPECT_EQ(run({"messages", " output written"}).code, 0);
    EXPECT_EQ(run({"messages", " * select the object kind"}).code, 1);
    EXPECT_EQ(run({"messages", " ! DBFread: 53. file not found"}).code, 1);
    // What start-up writes (its help hint is a notice) is not the command's last message.
    EXPECT_EQ(run({"--lang", "en", "silent"}).code, 0);
}

TEST(CommandLine, AnExceptionIsReportedAsAFailure) {
    RunResult result = run({"throw"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.out.find(" ! throw: index out of range"), std::string::npos);
}

TEST(CommandLine, ProgressBarsAreRecognisedByTheirHundredMarks) {
    EXPECT_TRUE(isProgressBar(progressBar(" converting ", 0, 5)));
    EXPECT_TRUE(isProgressBar(progressBar(" converting ", 250, 5)));
    EXPECT_TRUE(isProgressBar(progressBar("", 7, 1)));
    EXPECT_FALSE(isProgressBar(" done..."));
    EXPECT_FALSE(isProgressBar(std::string(99, '.')));
    EXPECT_FALSE(isProgressBar(" display limits of object from 50m   " + std::string(34, 'I')));
}

}  // namespace
}  // namespace tavrolin
