// Shared set-up of the conversion tests: a program folder holding a template written through the
// store, a source folder, and a Main whose state is set directly as the source reader and the
// kind selection would leave it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "support/record_rows.h"
#include "support/temp_folder.h"
#include "support/template_columns.h"
#include "window/main_controls.h"
#include "window/main_state.h"

namespace tavrolin::testing {

namespace fs = std::filesystem;

// A folder removed with everything in it when the test ends.
class TempFolder : public ScratchFolder {
   public:
    explicit TempFolder(const fs::path& parent = fs::temp_directory_path())
        : ScratchFolder("tavrolin-convert-", parent) {}
    const fs::path& path() const { return root(); }
};

using Row = std::map<std::string, std::string>;

// The values of some columns of a row: "a|b" for the columns "A,B", empty for null (a blank
// field), "?" for a missing column.
inline std::string pick(const Row& row, const std::string& columns) {
    std::string out;
    for (std::size_t from = 0;; out += '|') {
        const std::size_t to = std::min(columns.find(',', from), columns.size());
        const auto found = row.find(columns.substr(from, to - from));
        out += found == row.end() ? "?" : found->second == "<null>" ? "" : found->second;
        if (to == columns.size()) return out;
        from = to + 1;
    }
}

// The rows of a table as column -> value text, read through a connection of its own. A table
// whose language byte is 0x57 (an English-interface output) is read as UTF-8, as it declares.
inline std::vector<Row> readTableRows(const std::string& folder, const std::string& table) {
    std::vector<Row> rows;
    store::Connection connection;
    EXPECT_TRUE(connection.open(folder).isOk());
    const std::string bytes = readFile(store::io::pathFromUtf8(folder + table + ".dbf"));
    if (bytes.size() > 29 && static_cast<unsigned char>(bytes[29]) == 0x57) {
        connection.setTextEncoding(table, store::TextEncoding::Utf8);
    }
    Result<store::RecordSet> set = connection.openRecordSet("SELECT * FROM " + table);
    EXPECT_TRUE(set.isOk()) << set.status().toString();
    if (!set) return rows;
    for (; !set->eof(); tavrolin::testing::next(*set)) {
        Row row;
        for (int i = 0; i < set->fieldCount(); ++i) {
            Result<store::Value> value = set->value(i);
            row[set->field(i).name] = value ? value->toText() : "<error>";
            if (value && value->isNull()) row[set->field(i).name] = "<null>";
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

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

    static std::vector<Row> readRows(const std::string& folder, const std::string& table) {
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
