#include "store/scripted_platform.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tavrolin {

std::optional<std::string> ScriptedPlatform::askOpenFile(const FileQuestion& question) {
    questionsWhileBusy += busy ? 1 : 0;
    fileQuestions.push_back(question);
    if (openFileReplies.empty()) return std::nullopt;
    auto reply = openFileReplies.front();
    openFileReplies.pop_front();
    return reply;
}

std::string ScriptedPlatform::askInput(const InputQuestion& question) {
    questionsWhileBusy += busy ? 1 : 0;
    inputQuestions.push_back(question);
    if (inputReplies.empty()) return {};
    std::string reply = inputReplies.front();
    inputReplies.pop_front();
    return reply;
}

MessageAnswer ScriptedPlatform::showMessage(const MessageQuestion& question) {
    questionsWhileBusy += busy ? 1 : 0;
    messages.push_back(question);
    if (onMessage) onMessage(question);
    if (!messageReplies.empty()) {
        MessageAnswer reply = messageReplies.front();
        messageReplies.pop_front();
        return reply;
    }
    switch (question.buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
    }
    return MessageAnswer::Cancel;
}

std::optional<std::uint32_t> ScriptedPlatform::pickColor(std::uint32_t /*initial*/) {
    questionsWhileBusy += busy ? 1 : 0;
    if (colorReplies.empty()) return std::nullopt;
    auto reply = colorReplies.front();
    colorReplies.pop_front();
    return reply;
}

void ScriptedPlatform::processEvents() {
    ++processEventsCalls;
    if (onProcessEvents) onProcessEvents();
}

bool ScriptedPlatform::openDocument(const std::string& path) {
    openedDocuments.push_back(path);
    return documentsOpen;
}

int languageFromLocale(const std::string& locale) {
    // "ru", "ru_RU", "ru_RU.UTF-8", "ru_RU@euro", "ru.UTF-8"
    if (locale.size() < 2 || locale.compare(0, 2, "ru") != 0) return kLanguageEnglish;
    if (locale.size() == 2 || locale[2] == '.' || locale[2] == '@') return kLanguageRussian;
    if (locale.compare(2, 3, "_RU") == 0 &&
        (locale.size() == 5 || locale[5] == '.' || locale[5] == '@')) {
        return kLanguageRussian;
    }
    return kLanguageEnglish;
}

std::string localeFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

#ifdef _WIN32

int systemUiLanguage() {
    return GetSystemDefaultUILanguage() == kLanguageRussian ? kLanguageRussian : kLanguageEnglish;
}

int systemOemCodePage() { return static_cast<int>(GetOEMCP()); }

#else

int systemUiLanguage() { return languageFromLocale(localeFromEnvironment()); }

int systemOemCodePage() { return systemUiLanguage() == kLanguageRussian ? 866 : 437; }

#endif

}  // namespace tavrolin
