// The command-line frame: options, the headless window, the printing of messages, exit codes.
#include "cli/command_line.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/commands.h"
#include "store/file_io.h"
#include "store/platform.h"

namespace tavrolin {

namespace {

constexpr std::size_t kProgressBarLength = 100;

// Prints every new text of the message line, except progress-bar updates, and remembers the
// last one for the exit code.
class AttPrinter : public FormObserver {
   public:
    AttPrinter(Form& form, CliContext& ctx, std::ostream& stream)
        : m_form(form), m_ctx(ctx), m_stream(stream) {
        m_seen = form("Att").text;
        m_form.addObserver(this);
    }
    ~AttPrinter() override { m_form.removeObserver(this); }
    AttPrinter(const AttPrinter&) = delete;
    AttPrinter& operator=(const AttPrinter&) = delete;

    void controlChanged(const Control& control) override {
        if (control.name != "Att" || control.text == m_seen) return;
        m_seen = control.text;
        if (m_seen.empty()) return;  // a cleared line is no message
        m_ctx.lastMessage = m_seen;
        if (!isProgressBar(m_seen)) m_stream << m_seen << "\n" << std::flush;
    }

   private:
    Form& m_form;
    CliContext& m_ctx;
    std::ostream& m_stream;
    std::string m_seen;
};

bool isHelpWord(const std::string& word) {
    return word == "help" || word == "--help" || word == "-h";
}

}  // namespace

bool isProgressBar(const std::string& text) {
    if (text.size() < kProgressBarLength) return false;
    for (std::size_t i = text.size() - kProgressBarLength; i < text.size(); ++i) {
        if (text[i] != 'I' && text[i] != '.') return false;
    }
    return true;
}

std::string commandLineUsage() { return commandLineUsage(commandTable()); }

std::string commandLineUsage(std::span<const CommandSpec> commands) {
    std::string usage = "usage: tavrolin [--home DIR] [--lang ru|en] COMMAND ...\n";
    usage += "  --home DIR   behave as installed in DIR (template, icons, guide live there)\n";
    usage += "  --lang ru|en interface language (default: from LC_ALL, LC_MESSAGES, LANG)\n";
    usage += "commands:\n";
    for (const CommandSpec& command : commands) {
        usage += "  tavrolin ";
        usage += command.usage;
        usage += "\n";
    }
    usage += "Without a command and with a display, tavrolin opens its window.\n";
    return usage;
}

std::optional<CommandLineOptions> parseCommandLine(const std::vector<std::string>& args,
                                                   std::string* error) {
    CommandLineOptions options;
    std::size_t i = 0;
    auto fail = [&](const std::string& reason) -> std::optional<CommandLineOptions> {
        if (error != nullptr) *error = reason;
        return std::nullopt;
    };
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        bool isHome = arg == "--home" || arg.rfind("--home=", 0) == 0;
        bool isLang = arg == "--lang" || arg.rfind("--lang=", 0) == 0;
        if (!isHome && !isLang) break;
        std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return fail(arg + " needs a value");
        }
        if (isHome) {
            if (value.empty()) return fail("--home needs a folder");
            std::error_code ec;
            std::filesystem::path home =
                std::filesystem::absolute(store::io::pathFromUtf8(value), ec);
            if (ec || !std::filesystem::is_directory(home, ec)) {
                return fail("--home " + value + ": no such folder");
            }
            options.home = store::io::utf8FromPath(home.lexically_normal());
        } else if (value == "ru") {
            options.russian = true;
        } else if (value == "en") {
            options.russian = false;
        } else {
            return fail("--lang takes ru or en, not \"" + value + "\"");
        }
    }
    if (i < args.size()) {
        options.command = args[i];
        options.commandArgs.assign(args.begin() + static_cast<std::ptrdiff_t>(i + 1), args.end());
    }
    if (options.command.rfind("-", 0) == 0 && !isHelpWord(options.command)) {
        return fail("unknown option " + options.command);
    }
    return options;
}

int runCommandLine(const std::string& executable, const std::vector<std::string>& args,
                   std::ostream& out, std::ostream& err) {
    return runCommandLine(executable, args, out, err, commandTable());
}

int runCommandLine(const std::string& executable, const std::vector<std::string>& args,
                   std::ostream& out, std::ostream& err, std::span<const CommandSpec> commands) {
    const std::string usage = commandLineUsage(commands);
    std::string error;
    std::optional<CommandLineOptions> options = parseCommandLine(args, &error);
    if (!options) {
        err << "tavrolin: " << error << "\n" << usage;
        return 2;
    }
    if (options->command.empty()) {
        err << "tavrolin: no command given\n" << usage;
        return 2;
    }
    if (isHelpWord(options->command)) {
        out << usage;
        return 0;
    }
    const CommandSpec* command = nullptr;
    for (const CommandSpec& candidate : commands) {
        if (options->command == candidate.name) command = &candidate;
    }
    if (command == nullptr) {
        err << "tavrolin: unknown command \"" << options->command << "\"\n" << usage;
        return 2;
    }

    std::ostream& messages = command->messagesOnErr ? err : out;
    try {
        bool russian = options->russian.has_value() ? *options->russian
                                                    : systemUiLanguage() == kLanguageRussian;
        ScriptedPlatform platform(russian ? kLanguageRussian : kLanguageEnglish);
        platform.oemPage = systemOemCodePage();
        StartOptions start;
        start.home = options->home;
        start.executablePath = executable;
        start.russian = options->russian;
        start.headless = true;
        MainWindow window(platform, start);
        CliContext ctx{window, platform, out, err, {}};
        // A message box is a message like a line on Att: printed, and the last one of either
        // decides the exit code.
        platform.onMessage = [&messages, &ctx](const MessageQuestion& box) {
            messages << box.prompt << "\n" << std::flush;
            ctx.lastMessage = box.prompt;
        };
        AttPrinter printer(window.form(), ctx, messages);

        window.load();  // headless, this also runs the template upgrade when one is due

        // Start-up's own notices (the help hint) are printed but do not decide the exit code.
        ctx.lastMessage.clear();
        int code = command->run(ctx, options->commandArgs);
        window.unload();
        return code;
    } catch (const std::exception& e) {
        messages << " ! " << options->command << ": " << e.what() << "\n";
        return 1;
    } catch (...) {
        messages << " ! " << options->command << ": unexpected failure\n";
        return 1;
    }
}

int runCommandLine(const std::string& executable, const std::vector<std::string>& args) {
    return runCommandLine(executable, args, std::cout, std::cerr);
}

}  // namespace tavrolin
