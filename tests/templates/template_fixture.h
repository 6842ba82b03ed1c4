// The template subsystem's fixtures: the main window's form with the template handlers and
// lists alone; and a program folder in a temporary directory with a template table written
// through the store, an icon folder, and the main window started on it. Both with a scripted
// platform.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "store/connection.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "support/record_rows.h"
#include "support/temp_folder.h"
#include "support/template_columns.h"
#include "templates/palette.h"
#include "templates/templates_handlers.h"
#include "templates/value_lists.h"
#include "window/main_controls.h"

namespace tavrolin::testing {

// Chooses an entry of a list as the user does.
inline void choose(Form& form, const std::string& list, const std::string& entry) {
    const std::vector<std::string>& items = form(list).items;
    const auto found = std::find(items.begin(), items.end(), entry);
    ASSERT_NE(found, items.end()) << entry << " not in " << list;
    form.chooseByUser(list, static_cast<int>(found - items.begin()));
}

class PanelFixture : public ::testing::Test {
   protected:
    PanelFixture() : main(platform) {
        buildMainControls(main.form);
        registerTemplateHandlers(main);
        fillPalette(main);
        fillValueLists(main);
        fillCategoryLists(main);
    }
    void choose(const std::string& list, const std::string& entry) {
        testing::choose(main.form, list, entry);
    }
    const Control& c(const char* name) { return main.form(name); }

    ScriptedPlatform platform;
    Main main;
};

class TemplateFixture : public ::testing::Test {
   protected:
    void SetUp() override {
        std::filesystem::create_directories(m_folder.root() / "icons");
        for (const char* icon : {"anchor.gif", "Buoy.GIF", "wreck.gif", "notes.txt"}) {
            writeFile(m_folder.root() / "icons" / icon, "GIF89a");
        }
        ASSERT_TRUE(m_setup.open(folder()).isOk());
        ASSERT_TRUE(
            m_setup.execute("CREATE TABLE Tavrolin.dbf (" + std::string(kTemplateColumns) + ")")
                .isOk());
    }
    void TearDown() override {
        m_window.reset();
        (void)m_setup.close();
    }

    std::string folder() const { return m_folder.root().string() + store::io::kPathSeparator; }
    std::string icon(const std::string& name) const {
        return folder() + "icons" + store::io::kPathSeparator + name;
    }

    // Adds a template row before the window starts: "VID,MP_TYPE,MP_ENG", "0,'0x24','Lake'".
    void row(const std::string& columns, const std::string& values) {
        ASSERT_TRUE(
            m_setup.execute("INSERT INTO Tavrolin (" + columns + ") VALUES (" + values + ")")
                .isOk())
            << columns << " / " << values;
        ASSERT_TRUE(m_setup.flush().isOk());
    }

    // Starts the window on the folder (closing the set-up connection first).
    Main& start(bool russian = false) {
        EXPECT_TRUE(m_setup.close().isOk());
        m_window = std::make_unique<MainWindow>(
            platform,
            StartOptions{
                .home = folder(), .executablePath = {}, .russian = russian, .headless = true});
        m_window->load();
        return m_window->main();
    }

    Main& main() { return m_window->main(); }
    Form& form() { return m_window->main().form; }

    // Chooses a kind as the user does.
    void chooseKind(int kind) { form().setValue("SVID", 1, kind); }

    void choose(const std::string& list, const std::string& entry) {
        testing::choose(form(), list, entry);
    }

    // One column of the template rows matching a WHERE clause as texts ("<null>" for null), read
    // through a fresh connection, in file order.
    std::vector<std::string> texts(const std::string& where, const std::string& name) {
        store::Connection reader;
        EXPECT_TRUE(reader.open(folder()).isOk());
        auto rows = reader.openRecordSet("SELECT * FROM Tavrolin WHERE " + where);
        EXPECT_TRUE(rows.isOk()) << rows.status().toString();
        std::vector<std::string> out;
        for (; rows && !rows->eof(); tavrolin::testing::next(*rows)) {
            auto v = rows->value(name);
            EXPECT_TRUE(v.isOk()) << v.status().toString();
            if (v) out.push_back(v->isNull() ? "<null>" : v->toText());
        }
        return out;
    }

    ScriptedPlatform platform;

   private:
    ScratchFolder m_folder{"tavrolin_templates_"};
    store::Connection m_setup;
    std::unique_ptr<MainWindow> m_window;
};

}  // namespace tavrolin::testing
