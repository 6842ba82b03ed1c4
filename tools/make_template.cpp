// make_template: builds the shipped type template table from its readable source.
//
//   make_template data/template.tsv build/Tavrolin.dbf
//
// The source is UTF-8 text, one template row per line, columns separated by tabs, the first line
// naming the columns in the order below. An empty cell is an empty (null) value. The table is
// written through the project's own table store (CREATE TABLE, then one INSERT INTO per row), so
// the shipped file is exactly what the program itself writes. Any malformed row stops the build
// with its line number; the output appears only when every row went in.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "store/connection.h"

namespace fs = std::filesystem;
using tavrolin::Status;

namespace {

struct Column {
    const char* name;
    char type;  // 'C' character, 'N' numeric
    int width;
    int decimals;
};

// The columns of the template, VID first; widths as the program reads and writes them.
constexpr Column kColumns[] = {
    {"VID", 'N', 1, 0},         {"MP_TYPE", 'C', 6, 0},    {"MP_NAME", 'C', 100, 0},
    {"MP_ENG", 'C', 100, 0},    {"L_LIMIT", 'N', 2, 0},    {"U_LIMIT", 'N', 2, 0},
    {"P_LIMIT", 'N', 2, 0},     {"LAYER", 'N', 3, 0},      {"COLOR", 'N', 3, 0},
    {"WIDTH", 'N', 2, 0},       {"BDR_COLOR", 'N', 3, 0},  {"BDR_WIDTH", 'N', 2, 0},
    {"MODE", 'C', 1, 0},        {"FONT", 'C', 3, 0},       {"ICON", 'C', 25, 0},
    {"PATTERN", 'C', 10, 0},    {"RTP_COLOR", 'N', 3, 0},  {"RTP_LIMIT", 'N', 2, 0},
    {"HAL_COLOR", 'N', 3, 0},   {"MAJ_CAT", 'C', 25, 0},   {"MIN_CAT", 'C', 25, 0},
    {"INFO_BOX", 'C', 25, 0},   {"YN", 'N', 1, 0},         {"P_ICON", 'C', 25, 0},
    {"BDR_PATTER", 'C', 10, 0}, {"BFR_WIDTH", 'N', 2, 0},  {"BFR_COLOR", 'N', 3, 0},
    {"CLRRGB", 'C', 8, 0},      {"BDR_CLRRGB", 'C', 8, 0}, {"BDF_CLRRGB", 'C', 8, 0},
    {"RTP_CLRRGB", 'C', 8, 0},  {"HAL_CLRRGB", 'C', 8, 0}, {"GRMN_TYPE", 'C', 25, 0},
    {"HGT_DP_FMT", 'C', 10, 0}, {"HGT_DP", 'N', 4, 0},
};
constexpr std::size_t kColumnCount = std::size(kColumns);

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) return cells;
        start = tab + 1;
    }
}

// The number of UTF-8 characters (the bytes the field takes in code page 1251).
std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++count;
    }
    return count;
}

bool isWholeNumber(const std::string& text) {
    if (text.empty()) return false;
    std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size()) return false;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

// Checks one cell against its column; empty text when it fits.
std::string checkCell(const Column& column, const std::string& cell) {
    if (cell.empty()) return {};
    if (column.type == 'N') {
        if (!isWholeNumber(cell)) return "not a whole number: " + cell;
        if (static_cast<int>(cell.size()) > column.width) return "too wide: " + cell;
        return {};
    }
    if (characterCount(cell) > static_cast<std::size_t>(column.width)) {
        return "longer than " + std::to_string(column.width) + " characters: " + cell;
    }
    if (cell.find('\'') != std::string::npos) return "contains a quote: " + cell;
    return {};
}

std::string createStatement(const std::string& table) {
    std::string statement = "CREATE TABLE " + table + ".dbf (";
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        const Column& c = kColumns[i];
        if (i > 0) statement += ", ";
        statement += c.name;
        statement += c.type == 'C' ? " char(" + std::to_string(c.width) + ")"
                                   : " numeric(" + std::to_string(c.width) + "," +
                                         std::to_string(c.decimals) + ")";
    }
    return statement + ")";
}

std::string insertStatement(const std::string& table, const std::vector<std::string>& cells) {
    std::string names;
    std::string values;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (i > 0) {
            names += ",";
            values += ",";
        }
        names += kColumns[i].name;
        if (cells[i].empty()) {
            values += "Null";
        } else if (kColumns[i].type == 'N') {
            values += cells[i];
        } else {
            values += "'" + cells[i] + "'";
        }
    }
    return "INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")";
}

int fail(const std::string& message) {
    std::cerr << "make_template: " << message << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fail("usage: make_template SOURCE.tsv OUTPUT.dbf");
    const fs::path sourcePath = argv[1];
    const fs::path outputPath = fs::absolute(argv[2]);

    std::ifstream in(sourcePath);
    if (!in) return fail("cannot read " + sourcePath.string());
    std::string line;
    if (!std::getline(in, line)) return fail("empty source " + sourcePath.string());
    std::vector<std::string> header = splitTabs(line);
    if (header.size() != kColumnCount) return fail("the first line must name every column");
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (header[i] != kColumns[i].name) {
            return fail("column " + std::to_string(i + 1) + " must be " + kColumns[i].name);
        }
    }

    std::vector<std::vector<std::string>> rows;
    std::set<std::string> keys;
    for (int lineNumber = 2; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> cells = splitTabs(line);
        const std::string where = sourcePath.string() + ":" + std::to_string(lineNumber) + ": ";
        if (cells.size() != kColumnCount) {
            return fail(where + std::to_string(cells.size()) + " cells instead of " +
                        std::to_string(kColumnCount));
        }
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            std::string problem = checkCell(kColumns[i], cells[i]);
            if (!problem.empty()) return fail(where + kColumns[i].name + " " + problem);
        }
        if (cells[0] != "0" && cells[0] != "1" && cells[0] != "2") {
            return fail(where + "VID must be 0, 1 or 2");
        }
        if (cells[1].empty()) return fail(where + "MP_TYPE is empty");
        // One standard and one custom row at most per kind and code.
        if (!keys.insert(cells[0] + "/" + cells[1] + "/" + cells[22]).second) {
            return fail(where + "a second row for VID " + cells[0] + ", " + cells[1]);
        }
        rows.push_back(std::move(cells));
    }

    // Build in a folder of its own, then move the finished table into place.
    const fs::path work = outputPath.parent_path() / ".make_template";
    std::error_code error;
    fs::remove_all(work, error);
    fs::create_directories(work, error);
    if (error) return fail("cannot create " + work.string() + ": " + error.message());
    const std::string table = outputPath.stem().string();

    tavrolin::store::Connection connection;
    Status status = connection.open(work.string() + "/");
    if (status) status = connection.execute(createStatement(table));
    for (std::size_t i = 0; status && i < rows.size(); ++i) {
        status = connection.execute(insertStatement(table, rows[i]));
        if (!status) return fail("row " + std::to_string(i + 1) + ": " + status.toString());
    }
    if (status) status = connection.close();
    if (!status) return fail(status.toString());

    fs::rename(work / (table + ".dbf"), outputPath, error);
    if (error) return fail("cannot move the table to " + outputPath.string());
    fs::remove_all(work, error);
    std::cout << "make_template: " << rows.size() << " rows in " << outputPath.string() << "\n";
    return 0;
}
