// Shared set-up of the conversion tests: a program folder holding a template written through the
// store, a source folder, and a Main whose state is set directly as the source reader and the
// kind selection would leave it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "support/temp_folder.h"
#include "window/main_controls.h"
#include "window/main_state.h"

namespace tavrolin::testing {

namespace fs = std::filesystem;

// A folder removed with everything in it when the test ends.
class TempFolder : public ScratchFolder {
   public:
    explicit TempFolder(const fs::path& parent = fs::temp_directory_path())
        : ScratchFolder("tavrolin-convert-", parent) {}
    // The path ending in the separator.
    std::string str() const { return root().string() + "/"; }
    const fs::path& path() const { return root(); }
};

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// The rows of a table as column -> value text, read through a connection of its own. A table
// whose language byte is 0x57 (an English-interface output) is read as UTF-8, as it declares.
inline std::vector<std::map<std::string, std::string>> readTableRows(const std::string& folder,
                                                                     const std::string& table) {
    std::vector<std::map<std::string, std::string>> rows;
    store::Connection connection;
    EXPECT_TRUE(connection.open(folder).isOk());
    const std::string bytes = readFile(store::io::pathFromUtf8(folder + table + ".dbf"));
    if (bytes.size() > 29 && static_cast<unsigned char>(bytes[29]) == 0x57) {
        connection.setTextEncoding(table, store::TextEncoding::Utf8);
    }
    Result<store::RecordSet> set = connection.openRecordSet("SELECT * FROM " + table);
    EXPECT_TRUE(set.isOk()) << set.status().toString();
    if (!set) return rows;
    for (; !set->eof(); set->moveNext()) {
        std::map<std::string, std::string> row;
        for (int i = 0; i < set->fieldCount(); ++i) {
            Result<store::Value> value = set->value(i);
            row[set->field(i).name] = value ? value->toText() : "<error>";
            if (value && value->isNull()) row[set->field(i).name] = "<null>";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// Every column of a current template, VID first.
constexpr const char* kTemplateColumns =
    "VID numeric(1,0),MP_TYPE char(6),MP_NAME char(100),MP_ENG char(100),L_LIMIT numeric(2,0),"
    "U_LIMIT numeric(2,0),P_LIMIT numeric(2,0),LAYER numeric(3,0),COLOR numeric(3,0),"
    "WIDTH numeric(2,0),BDR_COLOR numeric(3,0),BDR_WIDTH numeric(2,0),MODE char(1),FONT char(3),"
    "ICON char(25),PATTERN char(10),RTP_COLOR numeric(3,0),RTP_LIMIT numeric(2,0),"
    "HAL_COLOR numeric(3,0),MAJ_CAT char(25),MIN_CAT char(25),INFO_BOX char(25),"
    "YN numeric(1,0),P_ICON char(25),BDR_PATTER char(10),BFR_WIDTH numeric(2,0),"
    "BFR_COLOR numeric(3,0),CLRRGB char(8),BDR_CLRRGB char(8),BDF_CLRRGB char(8),"
    "RTP_CLRRGB char(8),HAL_CLRRGB char(8),GRMN_TYPE char(25),HGT_DP_FMT char(10),"
    "HGT_DP numeric(4,0)";

// A program folder with a template and a source folder, and the window state of a source that
// was read and a kind that was chosen.
class ConvertFixture : public ::testing::Test {
   protected:
    void SetUp() override { openProgram(m_program.str(), kTemplateColumns); }

    // Opens the connection on a program folder and writes an empty template with these columns.
    void openProgram(const std::string& folder, const std::string& columns) {
        main.programFolder = folder;
        ASSERT_TRUE(main.connection.open(folder).isOk());
        const Status created =
            main.connection.execute("CREATE TABLE Tavrolin.dbf (" + columns + ")");
        ASSERT_TRUE(created.isOk()) << created.toString();
        main.templateUsable = true;
        main.sourceFolder = m_source.str();
        main.sourceFileName = "river_orig.dbf";
        main.outputFileName = "river.dbf";
        main.codePageFileName = "river.cpg";
        main.labelWidth = 30;
        writeFile(main.sourceFolder + main.sourceFileName, "the source stays as it is");
        chooseKind(0);
        main.form.setItems("GM_TYPE", {"0x4b"});
    }

    // Adds a template row: column names and values as they stand in an INSERT.
    void addTemplateRow(const std::string& columns, const std::string& values) {
        const Status added = main.connection.execute("INSERT INTO Tavrolin (" + columns +
                                                     ") VALUES (" + values + ")");
        ASSERT_TRUE(added.isOk()) << added.toString();
        ASSERT_TRUE(main.connection.flush().isOk());
    }

    // The kind as the kind selection leaves it: name, number and the bound controls enabled.
    void chooseKind(int kind) {
        main.kind = main.namedKind = store::kindFromNumber(kind);
        const char digit = static_cast<char>('0' + kind);
        for (const AttributeBinding& binding : attributeBindings()) {
            main.form.setEnabled(binding.control,
                                 std::string(binding.kinds).find(digit) != std::string::npos);
        }
    }

    void setCheck(const char* name, bool on) { main.form.setValue(name, on ? 1 : 0); }

    std::string outputPath() const { return main.sourceFolder + main.outputFileName; }

    static std::vector<std::map<std::string, std::string>> readRows(const std::string& folder,
                                                                    const std::string& table) {
        return readTableRows(folder, table);
    }

    TempFolder m_program;
    TempFolder m_source;
    ScriptedPlatform platform;
    Main main{platform};

   private:
    struct Controls {
        explicit Controls(Main& m) { buildMainControls(m.form); }
    } m_controls{main};
};

}  // namespace tavrolin::testing
