// The services the program asks of the desktop: dialogs, boxes, sounds, pointers, timing and the
// programs that show files. The window answers them with Qt; tests and the command line answer
// them from a script (scripted_platform.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrolin {

struct FileQuestion {
    std::string title;      // "Select source file:"
    std::string startPath;  // a folder followed by a pattern, or a file path
    // Pairs of description and pattern, in order; the first one is selected.
    std::vector<std::pair<std::string, std::string>> filters;
};

enum class MessageButtons : std::uint8_t { Ok, OkCancel, YesNo };
enum class MessageIcon : std::uint8_t { None, Information, Question, Exclamation, Critical };
enum class MessageAnswer : std::uint8_t { Ok, Cancel, Yes, No };

struct MessageQuestion {
    std::string title;
    std::string prompt;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // When set, the box also offers a button with this caption that copies copyText to the
    // clipboard (and closes the box, answering Ok).
    std::string copyButton = {};
    std::string copyText = {};
};

struct InputQuestion {
    std::string title;
    std::string prompt;
    std::string initialText;
};

// Windows language identifiers of the two interface languages.
constexpr int kLanguageRussian = 1049;
constexpr int kLanguageEnglish = 1033;

class Platform {
   public:
    virtual ~Platform() = default;

    // A file dropped on the window stands for the answer of the next file dialog, which is then
    // not shown (OpenDialog takes it). Whoever sets it clears what was not taken.
    void answerNextOpenFile(std::optional<std::string> path) { m_openFileAnswer = std::move(path); }
    std::optional<std::string> takeOpenFileAnswer() {
        std::optional<std::string> answer = std::move(m_openFileAnswer);
        m_openFileAnswer.reset();
        return answer;
    }

    // The path the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> askOpenFile(const FileQuestion& question) = 0;
    // The text entered, or the empty text when the user cancelled.
    virtual std::string askInput(const InputQuestion& question) = 0;
    virtual MessageAnswer showMessage(const MessageQuestion& question) = 0;
    // A colour as red + 256 * green + 65536 * blue, or nothing when cancelled.
    virtual std::optional<std::uint32_t> pickColor(std::uint32_t initial) = 0;

    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
    // Lets the window paint and handle pending input (DoEvents).
    virtual void processEvents() = 0;
    virtual void pause(int milliseconds) = 0;
    virtual bool isCtrlDown() = 0;

    // Shows a finished file in the desktop's file manager; false when there is none or it
    // could not be started.
    virtual bool showInFileManager(const std::string& path) = 0;
    // Opens a document with the program the desktop associates with it; false when none is.
    virtual bool openDocument(const std::string& path) = 0;
    // The interface language as a Windows language identifier (kLanguageRussian or
    // kLanguageEnglish).
    virtual int uiLanguage() = 0;
    // The system's OEM (DOS) code page, in which a source marked as OEM holds its labels.
    virtual int oemCodePage() = 0;
    // Opens (or raises) the map window of the source read. Quiet where there is no window.
    virtual void showMap() {}

   private:
    std::optional<std::string> m_openFileAnswer;
};

// Maps a locale name (LC_ALL, LC_MESSAGES or LANG) to a language identifier: "ru_RU…" and a
// bare "ru" are Russian (1049); everything else, Russian of other countries included, is 1033.
int languageFromLocale(const std::string& locale);

// The locale the environment asks for: the first set of LC_ALL, LC_MESSAGES, LANG.
std::string localeFromEnvironment();

// The system's interface language: on Windows GetSystemDefaultUILanguage (1049 is Russian, every
// other identifier English); elsewhere the locale the environment asks for.
int systemUiLanguage();

// The system's OEM code page: on Windows GetOEMCP; elsewhere 866 under a Russian locale, else 437.
int systemOemCodePage();

}  // namespace tavrolin
