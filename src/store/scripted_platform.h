// A Platform that answers from queued replies and records what it was asked. Tests queue the
// user's answers; the command line queues its arguments. A question with no reply queued gets
// the answer of a user who cancels.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "store/platform.h"

namespace tavrolin {

class ScriptedPlatform : public Platform {
   public:
    explicit ScriptedPlatform(int uiLanguage = kLanguageEnglish)
        : oemPage(uiLanguage == kLanguageRussian ? 866 : 437), m_uiLanguage(uiLanguage) {}

    int oemPage;  // what oemCodePage answers

    // Replies, consumed in order.
    std::deque<std::optional<std::string>> openFileReplies;
    std::deque<std::string> inputReplies;
    std::deque<MessageAnswer> messageReplies;
    std::deque<std::optional<std::uint32_t>> colorReplies;
    bool ctrlDown = false;

    // What happened, for the test to look at.
    std::vector<FileQuestion> fileQuestions;
    std::vector<InputQuestion> inputQuestions;
    std::vector<MessageQuestion> messages;
    std::vector<std::string> shownFiles;
    std::vector<std::string> openedDocuments;
    std::vector<int> pauses;
    int beeps = 0;
    int mapsShown = 0;
    int processEventsCalls = 0;
    bool busy = false;
    // Dialogs and message boxes shown while the busy pointer was on.
    int questionsWhileBusy = 0;
    bool documentsOpen = true;       // what openDocument answers
    bool fileManagerPresent = true;  // what showInFileManager answers

    // Called on every message box, e.g. to print it on the command line.
    std::function<void(const MessageQuestion&)> onMessage;
    // Called on every processEvents, e.g. to run a click in the middle of a long operation.
    std::function<void()> onProcessEvents;

    std::optional<std::string> askOpenFile(const FileQuestion& question) override;
    std::string askInput(const InputQuestion& question) override;
    MessageAnswer showMessage(const MessageQuestion& question) override;
    std::optional<std::uint32_t> pickColor(std::uint32_t initial) override;
    void beep() override { ++beeps; }
    void setBusy(bool value) override { busy = value; }
    void processEvents() override;
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
    bool isCtrlDown() override { return ctrlDown; }
    bool showInFileManager(const std::string& path) override {
        shownFiles.push_back(path);
        return fileManagerPresent;
    }
    bool openDocument(const std::string& path) override;
    int uiLanguage() override { return m_uiLanguage; }
    int oemCodePage() override { return oemPage; }
    void showMap() override { ++mapsShown; }

   private:
    int m_uiLanguage;
};

}  // namespace tavrolin
