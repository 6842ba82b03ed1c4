// The desktop services of the window, answered with Qt: file dialog, input and message boxes,
// colour dialog, beep, busy pointer, event processing, pauses, the Ctrl key, the file manager,
// the document opener and the interface language.
#pragma once

#include <optional>

#include "store/platform.h"

namespace tavrolin {

class QtMainWindow;

class QtPlatform : public Platform {
   public:
    // russian: the language asked for on the command line; otherwise the environment decides.
    explicit QtPlatform(std::optional<bool> russian = std::nullopt);
    ~QtPlatform() override;

    // The window that dialogs belong to and that is brought up to date before events run.
    void setWindow(QtMainWindow* window) { m_window = window; }

    std::optional<std::string> askOpenFile(const FileQuestion& question) override;
    std::string askInput(const InputQuestion& question) override;
    MessageAnswer showMessage(const MessageQuestion& question) override;
    std::optional<std::uint32_t> pickColor(std::uint32_t initial) override;
    void beep() override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void pause(int milliseconds) override;
    bool isCtrlDown() override;
    void showInFileManager(const std::string& path) override;
    bool openDocument(const std::string& path) override;
    int uiLanguage() override;

    bool isBusy() const { return m_busy; }

   private:
    void flushWindow();

    QtMainWindow* m_window = nullptr;
    std::optional<bool> m_russian;
    bool m_busy = false;
};

// The language identifier for the environment's locale, falling back to Qt's system locale when
// no locale variable is set: 1049 for Russian of Russia, 1033 otherwise.
int desktopLanguage();

}  // namespace tavrolin
