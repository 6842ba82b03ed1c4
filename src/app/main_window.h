// The main window's life: builds the controls, connects every event to its handler, runs the
// start-up (Form_Load), the deferred template upgrade (STRT_Timer) and the shutdown
// (Form_Unload). Front ends create one MainWindow and forward the user's actions to its form.
#pragma once

#include <optional>
#include <string>

#include "convert/depth_scheme.h"
#include "window/main_state.h"

namespace tavrolin {

struct StartOptions {
    // The folder the program behaves as installed in (template, icons, temporary tables,
    // guide). Empty: the executable's folder.
    std::string home;
    // The executable's path, for its folder and its name (Tavrolin.dbf follows the name).
    std::string executablePath;
    // Forces the language; otherwise the platform's interface language decides.
    std::optional<bool> russian;
    bool headless = false;
};

// The palette and kind services of the templates subsystem, as the depth scheme takes them.
DepthServices depthServices();

class MainWindow {
   public:
    MainWindow(Platform& platform, StartOptions options);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Main& main() { return m_main; }
    Form& form() { return m_main.form; }
    const StartOptions& options() const { return m_options; }

    // Form_Load: the start-up sequence.
    void load();
    // Form_Unload: closes the shared connection; errors are ignored.
    void unload();

   private:
    Main m_main;
    StartOptions m_options;
    bool m_loaded = false;
};

}  // namespace tavrolin
