#include "app/main_window.h"

#include "app/main_controls.h"
#include "convert/convert_handlers.h"
#include "polish/polish_handlers.h"
#include "skin/skin_handlers.h"
#include "source/source_handlers.h"
#include "templates/templates_handlers.h"
#include "text/text_handlers.h"

namespace tavrolin {

MainWindow::MainWindow(Platform& platform, StartOptions options)
    : m_main(platform), m_options(std::move(options)) {
    m_main.headless = m_options.headless;
    buildMainControls(m_main.form);
    registerTextHandlers(m_main);
    registerTemplateHandlers(m_main);
    registerSourceHandlers(m_main);
    registerConvertHandlers(m_main);
    registerPolishHandlers(m_main);
    registerSkinHandlers(m_main);
}

MainWindow::~MainWindow() { unload(); }

void MainWindow::load() {
    m_loaded = true;
    // The start-up sequence is filled in by the start-up code.
}

void MainWindow::unload() {
    if (!m_loaded) return;
    m_loaded = false;
    (void)m_main.connection.close();  // errors at shutdown are ignored
}

}  // namespace tavrolin
