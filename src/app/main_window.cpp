#include "app/main_window.h"

#include "app/map_model.h"
#include "app/skin_routing.h"
#include "app/startup.h"
#include "app/template_upgrade.h"
#include "convert/convert_handlers.h"
#include "polish/polish_handlers.h"
#include "skin/skin_handlers.h"
#include "source/source_handlers.h"
#include "source/source_selection.h"
#include "templates/palette.h"
#include "templates/templates_handlers.h"
#include "templates/type_lists.h"
#include "text/captions.h"
#include "text/text_handlers.h"
#include "window/main_controls.h"

namespace tavrolin {

DepthServices depthServices() {
    DepthServices services;
    services.paletteColor = paletteColor;
    services.paletteHtml = paletteHtml;
    services.colorCode = RGB2Code;
    services.colorHtml = RGB2HTML;
    services.kindHint = kindHint;
    return services;
}

MainWindow::MainWindow(Platform& platform, StartOptions options)
    : m_main(platform), m_options(std::move(options)) {
    m_main.headless = m_options.headless;
    buildMainControls(m_main.form);
    registerTextHandlers(m_main);
    registerTemplateHandlers(m_main);
    registerSourceHandlers(m_main);
    registerConvertHandlers(m_main, depthServices());
    registerPolishHandlers(m_main);
    registerSkinHandlers(m_main, skinServices());
    m_main.form.on("STRT", Event::Timer, [this](int) { STRT_Timer(m_main); });
    // The map can be shown once a source is read; reading another one that fails disables it.
    m_main.form.on("btnSource", Event::Click, [this](int) {
        btnSource_Click(m_main);
        m_main.form.setEnabled("btnMap", m_main.sourceRead);
    });
    m_main.form.on("btnMap", Event::Click, [this](int) { btnMap_Click(m_main); });
    // The language switch reaches two subsystems: captions, then the type list's descriptions.
    m_main.form.on("btnLang", Event::Click, [this](int) {
        btnLang_Click(m_main);
        if (m_main.templateUsable) fillTypeList(m_main);
    });
}

MainWindow::~MainWindow() { unload(); }

void MainWindow::load() {
    m_loaded = true;
    Form_Load(m_main, m_options);
    // Without a window there is no timer to wait for: the upgrade runs right after start-up,
    // before any command.
    if (m_main.headless && m_main.form("STRT").interval > 0) {
        m_main.form.raise("STRT", Event::Timer);
    }
}

void MainWindow::unload() {
    if (!m_loaded) return;
    m_loaded = false;
    Form_Unload(m_main);
}

}  // namespace tavrolin
