// The desktop services of the window, answered with Qt: file dialog, input and message boxes,
// colour dialog, beep, busy pointer, event processing, pauses, the Ctrl key, the file manager,
// the document opener and the interface language.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "store/platform.h"

class QWidget;

namespace tavrolin {

class QtPlatform : public Platform {
   public:
    // russian: the language asked for on the command line; otherwise the environment decides.
    explicit QtPlatform(std::optional<bool> russian = std::nullopt);
    ~QtPlatform() override;

    // The window that dialogs belong to, and what brings it up to date with its model before a
    // dialog shows or events run (nothing when it draws every change at once).
    void setWindow(QWidget* window, std::function<void()> flush = {}) {
        m_window = window;
        m_flush = std::move(flush);
    }

    // What opens the map window (the main window's); nothing for a program without one.
    void setMapOpener(std::function<void()> open) { m_showMap = std::move(open); }

    std::optional<std::string> askOpenFile(const FileQuestion& question) override;
    std::string askInput(const InputQuestion& question) override;
    MessageAnswer showMessage(const MessageQuestion& question) override;
    std::optional<std::uint32_t> pickColor(std::uint32_t initial) override;
    void beep() override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void pause(int milliseconds) override;
    bool isCtrlDown() override;
    bool showInFileManager(const std::string& path) override;
    bool openDocument(const std::string& path) override;
    int uiLanguage() override;
    int oemCodePage() override;
    void showMap() override;

   private:
    void flushWindow();

    QWidget* m_window = nullptr;
    std::function<void()> m_flush;
    std::function<void()> m_showMap;
    std::optional<bool> m_russian;
    bool m_busy = false;
};

// The system's interface language: on Windows the system's own; elsewhere the environment's
// locale, falling back to Qt's system locale when no locale variable is set. 1049 for Russian
// of Russia, 1033 otherwise.
int desktopLanguage();

}  // namespace tavrolin
