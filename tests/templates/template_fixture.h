// A program folder in a temporary directory with a template table written through the store,
// an icon folder, and the main window started on it with a scripted platform.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "store/connection.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"

namespace tavrolin::testing {

namespace fs = std::filesystem;

inline constexpr const char* kTemplateColumns =
    "VID numeric(1,0), MP_TYPE char(6), MP_NAME char(100), MP_ENG char(100), "
    "L_LIMIT numeric(2,0), U_LIMIT numeric(2,0), P_LIMIT numeric(2,0), LAYER numeric(3,0), "
    "COLOR numeric(3,0), WIDTH numeric(2,0), BDR_COLOR numeric(3,0), BDR_WIDTH numeric(2,0), "
    "MODE char(1), FONT char(3), ICON char(25), PATTERN char(10), RTP_COLOR numeric(3,0), "
    "RTP_LIMIT numeric(2,0), HAL_COLOR numeric(3,0), MAJ_CAT char(25), MIN_CAT char(25), "
    "INFO_BOX char(25), YN numeric(1,0), P_ICON char(25), BDR_PATTER char(10), "
    "BFR_WIDTH numeric(2,0), BFR_COLOR numeric(3,0), CLRRGB char(8), BDR_CLRRGB char(8), "
    "BDF_CLRRGB char(8), RTP_CLRRGB char(8), HAL_CLRRGB char(8), GRMN_TYPE char(10), "
    "HGT_DP_FMT char(10), HGT_DP numeric(5,0)";

class TemplateFixture : public ::testing::Test {
   protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        m_folder = fs::temp_directory_path() / ("tavrolin_templates_" + std::to_string(::getpid()) +
                                                "_" + std::to_string(counter++));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "icons");
        for (const char* icon : {"anchor.gif", "Buoy.GIF", "wreck.gif"}) {
            std::ofstream(m_folder / "icons" / icon) << "GIF89a";
        }
        std::ofstream(m_folder / "icons" / "notes.txt") << "not an icon";
        ASSERT_TRUE(m_setup.open(folder()).isOk());
        ASSERT_TRUE(
            m_setup.execute("CREATE TABLE Tavrolin.dbf (" + std::string(kTemplateColumns) + ")")
                .isOk());
    }

    void TearDown() override {
        m_window.reset();
        (void)m_setup.close();
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    std::string folder() const { return m_folder.string() + store::io::kPathSeparator; }

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
            platform, StartOptions{.home = folder(), .russian = russian, .headless = true});
        m_window->load();
        return m_window->main();
    }

    Main& main() { return m_window->main(); }
    Form& form() { return m_window->main().form; }

    // Chooses a kind as the user does.
    void chooseKind(int kind) { form().setValue("SVID", 1, kind); }

    // Index of an entry in a list, -1 when absent.
    int indexOf(const std::string& list, const std::string& entry) {
        const Control& c = form()(list);
        for (int i = 0; i < c.listCount(); ++i) {
            if (c.items[static_cast<std::size_t>(i)] == entry) return i;
        }
        return -1;
    }
    void choose(const std::string& list, const std::string& entry) {
        int i = indexOf(list, entry);
        ASSERT_GE(i, 0) << entry << " not in " << list;
        form().chooseByUser(list, i);
    }

    // One column of the template rows matching a WHERE clause, read through a fresh connection,
    // in file order.
    std::vector<store::Value> column(const std::string& where, const std::string& name) {
        store::Connection reader;
        EXPECT_TRUE(reader.open(folder()).isOk());
        auto rows = reader.openRecordSet("SELECT * FROM Tavrolin WHERE " + where);
        EXPECT_TRUE(rows.isOk()) << rows.status().toString();
        std::vector<store::Value> values;
        if (!rows) return values;
        for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
            auto v = rows->value(name);
            EXPECT_TRUE(v.isOk()) << v.status().toString();
            if (v) values.push_back(*v);
        }
        return values;
    }

    ScriptedPlatform platform;

   private:
    fs::path m_folder;
    store::Connection m_setup;
    std::unique_ptr<MainWindow> m_window;
};

}  // namespace tavrolin::testing
