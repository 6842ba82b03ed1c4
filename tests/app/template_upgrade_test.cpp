// The upgrade of a template that lacks colour columns: the new header, the rows copied in order
// into a work file that replaces the template, the backup, and every way it is
// refused or fails with the template left whole.
#include "app/template_upgrade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/main_window.h"
#include "app/table_fixture.h"
#include "store/scripted_platform.h"

namespace tavrolin {
namespace {

using testing::allColorColumns;
using testing::readBytes;
using testing::readTable;
using testing::tableBytes;
using testing::TempFolder;
using testing::templateFields;
using testing::writeBytes;

namespace fs = std::filesystem;

std::vector<std::string> withoutHal() {
    std::vector<std::string> names = allColorColumns();
    names.pop_back();
    return names;
}

// Rows deliberately out of VID, MP_TYPE order.
const std::vector<std::vector<std::string>> kUnordered = {
    {"2", "0x6616", "Vershina", "Summit", "0", "19", "160", "0", "A0A0A0FF", "", "", ""},
    {"0", "0x4b", "Fon", "Background", "0", "34", "21", "0", "", "", "", ""},
    {"1", "0x15", "Bereg", "Shoreline", "0", "34", "1", "1", "", "", "", "112233"},
    {"0", "0x28", "More", "Sea", "0", "34", "16", "0", "", "", "", ""},
    {"1", "0x01", "Magistral", "Highway", "0", "28", "12", "0", "", "", "", ""}};

std::vector<std::vector<std::string>> manyRows(int count) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < count; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%03x", count - i);
        rows.push_back({std::to_string(i % 3), code, "Imya", "Name", "0", "20", "16", "0"});
    }
    return rows;
}

std::vector<std::string> barsIn(const std::vector<std::string>& log) {
    std::vector<std::string> bars;
    for (const std::string& line : log) {
        if (line.rfind(" updating file attributes: ", 0) == 0) bars.push_back(line);
    }
    return bars;
}

struct Started {
    ScriptedPlatform platform;
    MainWindow window;
    explicit Started(const std::string& home, bool headless = true, bool russian = false)
        : window(platform, StartOptions{home, "", russian, headless}) {
        window.load();
    }
    Main& main() { return window.main(); }
};

TEST(UpgradedHeader, AppendsTheMissingColourColumnsAfterTheTemplatesOwn) {
    auto table = tableBytes(templateFields({"CLRRGB", "RTP_CLRRGB"}), manyRows(3));
    const std::array<bool, 5> present = {true, false, false, true, false};
    auto header = upgradedHeader(table, 10, present);
    ASSERT_TRUE(header) << header.status().toString();
    const auto& h = header.value();
    ASSERT_EQ(h.size(), 32u * (13 + 1) + 1);
    EXPECT_EQ(h[8] | (h[9] << 8), 32 * 14 + 1);
    EXPECT_EQ(h[10] | (h[11] << 8), (table[10] | (table[11] << 8)) + 3 * 8);
    const char* expected[] = {"BDR_CLRRGB", "BDF_CLRRGB", "HAL_CLRRGB"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&h[32 * (11 + i)])), expected[i]);
    }
    EXPECT_EQ(h[29], table[29]);  // the language byte stays
    EXPECT_FALSE(upgradedHeader(std::vector<std::uint8_t>(40, 0), 10, present));
}

TEST(TemplateUpgrade, AppendsOnlyTheMissingColumnAndSortsTheRows) {
    TempFolder home;
    auto original = tableBytes(templateFields(withoutHal()), kUnordered);
    writeBytes(home / "Tavrolin.dbf", original);
    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{home.folder(), "", false, false});
    window.load();
    EXPECT_EQ(window.form()("STRT").interval, 60) << "the window's timer runs the upgrade";
    window.form().raise("STRT", Event::Timer);
    EXPECT_EQ(window.form()("STRT").interval, 0);
    EXPECT_EQ(window.main().attLog.back(), " update attributes is completed");
    EXPECT_EQ(readBytes(home / "Tavrolin.dbf.bak"), original);
    EXPECT_FALSE(fs::exists(home / "Migrova.dbf"));

    const auto before = readTable(home / "Tavrolin.dbf.bak");
    const auto after = readTable(home / "Tavrolin.dbf");
    ASSERT_EQ(after.fields.size(), before.fields.size() + 1);
    EXPECT_EQ(after.fields.back().name, "HAL_CLRRGB");
    EXPECT_EQ(after.recordLength, before.recordLength + 8);
    std::vector<std::string> keys;
    for (const auto& row : after.rows) keys.push_back(row[0] + " " + row[1]);
    EXPECT_EQ(keys, (std::vector<std::string>{"0 0x28", "0 0x4b", "1 0x01", "1 0x15", "2 0x6616"}));
    // Values travel with their row; the new column stays empty.
    EXPECT_EQ(after.rows[3][11], "112233");
    EXPECT_EQ(after.rows[4][8], "A0A0A0FF");

    // The shared connection works on the new template, and a new start finds nothing to do.
    EXPECT_TRUE(window.main().templateReady());
    const auto upgraded = readBytes(home / "Tavrolin.dbf");
    Started again(home.folder(), /*headless=*/false);
    EXPECT_EQ(again.window.form()("STRT").interval, 0);
    EXPECT_EQ(readBytes(home / "Tavrolin.dbf"), upgraded);
}

// What stops an upgrade before anything changes: a complete template, a leftover backup, a work
// file that cannot be replaced, a folder that cannot be written.
TEST(TemplateUpgrade, RefusalsLeaveTheTemplateUntouched) {
    struct Case {
        const char* name;
        std::vector<std::string> colours;
        std::function<void(const TempFolder&)> prepare;
        std::string message;  // the start of the last message; empty: no upgrade, no message
    };
    const std::string failed = " ! обновить атрибуты не удалось, Migrova: ";
    const Case cases[] = {
        {"every colour column", allColorColumns(), [](const TempFolder&) {}, ""},
        {"leftover backup", withoutHal(),
         [](const TempFolder& home) {
             writeBytes(home / "Tavrolin.dbf.bak", {1, 2, 3});
         },
         " ! перед обновлением файла атрибутов перепишите резервную копию Tavrolin.dbf.bak"},
        {"work file that is a folder", withoutHal(),
         [](const TempFolder& home) { fs::create_directories(home / "Migrova.dbf/inside"); },
         failed},
        {"read-only folder", withoutHal(),
         [](const TempFolder& home) {
             fs::permissions(home.folder(), fs::perms::owner_write, fs::perm_options::remove);
         },
         failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "read-only folder" && ::geteuid() == 0) {
            continue;  // permissions do not bind the superuser
        }
        TempFolder home;
        const auto original = tableBytes(templateFields(c.colours), kUnordered);
        writeBytes(home / "Tavrolin.dbf", original);
        c.prepare(home);
        const auto backup = readBytes(home / "Tavrolin.dbf.bak");
        Started started(home.folder(), /*headless=*/true, /*russian=*/true);
        if (c.message.empty()) {
            EXPECT_EQ(started.window.form()("STRT").interval, 0);
        } else {
            EXPECT_EQ(started.main().attLog.back().rfind(c.message, 0), 0u)
                << started.main().attLog.back();
        }
        EXPECT_EQ(readBytes(home / "Tavrolin.dbf"), original);
        EXPECT_EQ(readBytes(home / "Tavrolin.dbf.bak"), backup);
        EXPECT_FALSE(fs::is_regular_file(home / "Migrova.dbf"));
    }
}

TEST(TemplateUpgrade, FailureMidwayLeavesTheTemplateWholeAndAllowsARetry) {
    TempFolder home;
    auto original = tableBytes(templateFields(withoutHal()), manyRows(300));
    writeBytes(home / "Tavrolin.dbf", original);
    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{home.folder(), "", false, false});
    window.load();
    // Another program puts a backup in place while the rows are being copied.
    platform.onProcessEvents = [&] {
        if (barsIn(window.main().attLog).size() == 50) writeBytes(home / "Tavrolin.dbf.bak", {7});
    };
    window.form().raise("STRT", Event::Timer);
    const std::string last = window.main().attLog.back();
    EXPECT_EQ(last.rfind(" ! обновить атрибуты не удалось, Migrova: 58. ", 0), 0u) << last;
    EXPECT_FALSE(platform.busy);
    EXPECT_EQ(readBytes(home / "Tavrolin.dbf"), original);
    EXPECT_EQ(readBytes(home / "Tavrolin.dbf.bak"), (std::vector<std::uint8_t>{7}));
    EXPECT_TRUE(window.main().templateReady()) << "the old template stays in use";

    // Once the backup is moved away, the next start upgrades, deleting the old work file.
    platform.onProcessEvents = nullptr;
    fs::remove(home / "Tavrolin.dbf.bak");
    Started again(home.folder());
    EXPECT_EQ(again.main().attLog.back(), " update attributes is completed");
    EXPECT_EQ(readTable(home / "Tavrolin.dbf").rows.size(), 300u);
    EXPECT_EQ(readBytes(home / "Tavrolin.dbf.bak"), original);
}

}  // namespace
}  // namespace tavrolin
