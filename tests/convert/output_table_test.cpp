// The temporary output table: its exact header per kind, the label width in both encodings, the
// notices, and the user's files that share its name.
#include "convert/output_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "convert_fixture.h"
#include "store/common_services.h"
#include "store/utf8_text.h"

namespace tavrolin {
namespace {

using testing::ConvertFixture;
using testing::readFile;
using testing::writeFile;

struct Column {
    std::string name;
    char type;
    int length;
    int decimals;
};

std::vector<Column> expectedColumns(const std::string& kind, int labelWidth, bool garmin) {
    std::vector<Column> columns = {{"LVL", 'C', 1, 0},     {"TYPE", 'C', 7, 0},
                                   {"L_LIMIT", 'N', 2, 0}, {"U_LIMIT", 'N', 2, 0},
                                   {"P_LIMIT", 'N', 2, 0}, {"LAYER", 'N', 3, 0},
                                   {"COLOR", 'N', 3, 0},   {"MODE", 'C', 1, 0},
                                   {"FONT", 'C', 3, 0},    {"VALUE", 'C', labelWidth, 0}};
    std::vector<Column> own;
    if (kind == "polygon") {
        own = {{"BDR_COLOR", 'N', 3, 0},
               {"BDR_WIDTH", 'N', 2, 0},
               {"ICON", 'C', 40, 0},
               {"BDR_PATTER", 'C', 10, 0}};
    } else if (kind == "line") {
        own = {{"WIDTH", 'N', 2, 0},     {"BFR_COLOR", 'N', 3, 0}, {"BFR_WIDTH", 'N', 2, 0},
               {"HAL_COLOR", 'N', 3, 0}, {"RTP_LIMIT", 'N', 2, 0}, {"RTP_COLOR", 'N', 3, 0},
               {"ICON", 'C', 40, 0},     {"PATTERN", 'C', 10, 0},  {"BFR_PATTER", 'C', 10, 0}};
    } else {
        own = {{"HAL_COLOR", 'N', 3, 0},
               {"ICON", 'C', 40, 0},
               {"P_ICON", 'C', 40, 0},
               {"INFO_BOX", 'C', 25, 0}};
    }
    columns.insert(columns.end(), own.begin(), own.end());
    for (const char* name : {"MAJ_CAT", "MIN_CAT"}) columns.push_back({name, 'C', 40, 0});
    for (const char* name : {"CLRRGB", "BDR_CLRRGB", "BDF_CLRRGB", "RTP_CLRRGB", "HAL_CLRRGB"}) {
        columns.push_back({name, 'C', 8, 0});
    }
    if (garmin) {
        columns.push_back({"GRMN_TYPE", 'C', 25, 0});
        columns.push_back({"HGT_DP_FMT", 'C', 10, 0});
        columns.push_back({"HGT_DP", 'N', 4, 0});
    }
    return columns;
}

int le16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

// Checks the whole file of an empty output table against the columns, byte by byte where the
// layout fixes the bytes.
void expectEmptyTable(const std::string& file, const std::vector<Column>& columns,
                      std::uint8_t languageByte) {
    const std::size_t headerLength = 32 + 32 * columns.size() + 1;
    ASSERT_EQ(file.size(), headerLength + 1);     // the header, then the end byte
    EXPECT_EQ(le16(file, 4) + le16(file, 6), 0);  // no records
    EXPECT_EQ(le16(file, 8), static_cast<int>(headerLength));
    int recordLength = 1;
    for (const Column& column : columns) recordLength += column.length;
    EXPECT_EQ(le16(file, 10), recordLength);
    EXPECT_EQ(le16(file, 12), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(file[29]), languageByte);
    EXPECT_EQ(file[30], 0);
    for (std::size_t n = 0; n < columns.size(); ++n) {
        const std::string descriptor = file.substr(32 + 32 * n, 32);
        const std::string name = descriptor.substr(0, descriptor.find('\0'));
        EXPECT_EQ(name, columns[n].name) << "column " << n + 1;
        EXPECT_EQ(descriptor[11], columns[n].type) << columns[n].name;
        EXPECT_EQ(static_cast<std::uint8_t>(descriptor[16]), columns[n].length) << columns[n].name;
        EXPECT_EQ(descriptor[17], columns[n].decimals) << columns[n].name;
    }
    EXPECT_EQ(file[headerLength - 1], '\x0D');
    EXPECT_EQ(file[headerLength], '\x1A');
}

class OutputTable : public ConvertFixture {
   protected:
    std::string tablePath() const { return main.programFolder + main.outputTableName + ".dbf"; }
};

TEST_F(OutputTable, HeaderOfEveryKindWithAndWithoutGarminColumns) {
    for (int kind = 0; kind < 3; ++kind) {
        for (bool garmin : {false, true}) {
            chooseKind(kind);
            setCheck("TagMPC", garmin);
            ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
            const std::string name(store::kindName(main.namedKind));
            EXPECT_EQ(main.outputTableName, name);
            const auto columns = expectedColumns(name, 30, garmin);
            EXPECT_EQ(columns.size(), (kind == 1 ? 26u : 21u) + (garmin ? 3u : 0u));
            SCOPED_TRACE(name + (garmin ? " with MPC" : ""));
            expectEmptyTable(readFile(tablePath()), columns, 0x57);
        }
    }
    EXPECT_EQ(platform.pauses.front(), 500);
    EXPECT_FALSE(platform.busy);
}

TEST_F(OutputTable, LabelColumnIsCappedAt254) {
    main.labelWidth = 260;
    ASSERT_TRUE(DBFprepare(main));
    expectEmptyTable(readFile(tablePath()), expectedColumns("polygon", 254, false), 0x57);
}

TEST_F(OutputTable, LabelColumnHoldsTransliteratedLabels) {
    main.russian = true;
    main.sourceRecords = {{"0x4b", "щщщщщщщщщщщщщщщщщщщщ", ""}};
    main.labelWidth = 30;  // 20 characters + 10
    ASSERT_TRUE(DBFprepare(main));
    expectEmptyTable(readFile(tablePath()), expectedColumns("polygon", 30, false), 0xC9);
    setCheck("TrnCase", true);  // "sh" 20 times
    ASSERT_TRUE(DBFprepare(main));
    expectEmptyTable(readFile(tablePath()), expectedColumns("polygon", 50, false), 0xC9);
}

// An English-interface output is UTF-8: the label column counts bytes, still capped at 254.
TEST_F(OutputTable, Utf8LabelColumnCountsBytes) {
    const std::pair<std::string, int> cases[] = {
        {"Lake", 14},                                                // 4 + 10
        {"щщщщщщщщщщщщщщщщщщщщ", 50},                                // 40 bytes + 10
        {"Müggelsee Großer", 28},                                    // 18 bytes + 10
        {std::string(122, 'a') + "щ" + std::string(120, 'b'), 254},  // 244 + 10
        {std::string(250, 'a') + "щ", 254},                          // 252 + 10, capped
    };
    for (const auto& [label, width] : cases) {
        main.sourceRecords = {{"0x4b", label, ""}, {"0x4b", "", ""}};
        // The reader's width counts characters.
        main.labelWidth = std::min(static_cast<int>(store::countCharacters(label)) + 10, 254);
        ASSERT_TRUE(DBFprepare(main));
        SCOPED_TRACE(label);
        expectEmptyTable(readFile(tablePath()), expectedColumns("polygon", width, false), 0x57);
    }
}

TEST_F(OutputTable, LeftoverOfAnInterruptedRunIsRecreatedEmpty) {
    ASSERT_TRUE(DBFprepare(main));
    ASSERT_TRUE(main.connection.execute("INSERT INTO polygon (LVL,TYPE) VALUES ('0','0x4b')"));
    ASSERT_TRUE(main.connection.flush());
    // The same leftover under another letter case is ours too.
    std::filesystem::rename(tablePath(), main.programFolder + "POLYGON.DBF");
    ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
    EXPECT_EQ(main.outputTableName, "polygon");
    EXPECT_EQ(store::namesIgnoringCase(main.programFolder, "polygon.dbf"),
              std::vector<std::string>{"polygon.dbf"});
    expectEmptyTable(readFile(tablePath()), expectedColumns("polygon", 30, false), 0x57);
}

TEST_F(OutputTable, LanguageByteFollowsTheLanguageAndNoCodePageFileYet) {
    main.russian = true;
    ASSERT_TRUE(DBFprepare(main));
    EXPECT_EQ(static_cast<std::uint8_t>(readFile(tablePath())[29]), 0xC9);
    main.russian = false;
    ASSERT_TRUE(DBFprepare(main));
    EXPECT_EQ(static_cast<std::uint8_t>(readFile(tablePath())[29]), 0x57);
    // The code-page file belongs to the finished output, written when it is put in place.
    EXPECT_FALSE(std::filesystem::exists(main.sourceFolder + main.codePageFileName));
}

TEST_F(OutputTable, NoticesWhenNoSourceWasReadOrNoKindChosen) {
    main.form.setItems("GM_TYPE", {});
    EXPECT_FALSE(DBFprepare(main));
    EXPECT_EQ(main.form("Att").text, " * specify the source file .DBF to continue");
    main.form.setItems("GM_TYPE", {"0x4b"});
    main.namedKind = store::ObjectKind::None;
    main.russian = true;
    EXPECT_FALSE(DBFprepare(main));
    EXPECT_EQ(main.form("Att").text,
              " * автоматически определить вид объектов не удалось; выберите его самостоятельно");
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_FALSE(std::filesystem::exists(main.programFolder + "polygon.dbf"));
}

TEST_F(OutputTable, TheUsersFilesUnderTheTableNameSurvive) {
    // A map kept beside the program and chosen as the source: polygon.dbf.
    main.sourceFolder = main.programFolder;
    main.sourceFileName = "polygon.dbf";
    main.outputFileName = "polygon-imc.dbf";
    main.codePageFileName = "polygon.cpg";
    writeFile(main.programFolder + "polygon.dbf", "the user's map");
    // An unrelated table of the user's under the first other name.
    writeFile(main.programFolder + "Polygon1.dbf", "another table");
    ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
    EXPECT_EQ(main.outputTableName, "polygon2");
    EXPECT_EQ(readFile(main.programFolder + "polygon.dbf"), "the user's map");
    EXPECT_EQ(readFile(main.programFolder + "Polygon1.dbf"), "another table");
    expectEmptyTable(readFile(tablePath()), expectedColumns("polygon", 30, false), 0x57);
}

TEST_F(OutputTable, AFinishedOutputUnderTheTableNameIsKept) {
    // An output made earlier from polygon_orig.dbf beside the program.
    ASSERT_TRUE(DBFprepare(main));
    ASSERT_TRUE(markOutputTable(tablePath(), true));
    const std::string earlier = readFile(tablePath());
    EXPECT_EQ(earlier[14], 0);
    ASSERT_TRUE(DBFprepare(main));
    EXPECT_EQ(main.outputTableName, "polygon1");
    EXPECT_EQ(readFile(main.programFolder + "polygon.dbf"), earlier);
    EXPECT_EQ(readFile(tablePath())[14], 1);  // the new one is unfinished
}

TEST_F(OutputTable, PreviousOutputUnderTheTableNameIsNotDeletedBeforeTheRun) {
    // polygon_orig.dbf beside the program gives the output polygon.dbf there.
    main.sourceFolder = main.programFolder;
    main.sourceFileName = "polygon_orig.dbf";
    main.outputFileName = "polygon.dbf";
    ASSERT_TRUE(DBFprepare(main));
    const std::string previous = readFile(main.programFolder + "polygon.dbf");
    ASSERT_TRUE(DBFprepare(main));
    EXPECT_EQ(main.outputTableName, "polygon1");
    EXPECT_EQ(readFile(main.programFolder + "polygon.dbf"), previous);
}

TEST_F(OutputTable, RefusesAnOutputThatWouldReplaceTheTemplate) {
    main.sourceFolder = main.programFolder;
    main.sourceFileName = "tavrolin_orig.dbf";
    main.outputFileName = "Tavrolin.dbf";
    const std::string before = readFile(main.programFolder + "Tavrolin.dbf");
    EXPECT_FALSE(DBFprepare(main));
    EXPECT_EQ(main.form("Att").text.rfind(" ! создать файл не удалось, DBFmake: 58. ", 0), 0u)
        << main.form("Att").text;
    EXPECT_EQ(readFile(main.programFolder + "Tavrolin.dbf"), before);
    EXPECT_FALSE(platform.busy);
}

TEST_F(OutputTable, FailuresUseTheirSingleWording) {
    main.russian = false;
    EXPECT_FALSE(
        DBFedit(main, main.programFolder + "missing/polygon.dbf", store::ObjectKind::Polygon));
    EXPECT_EQ(
        main.form("Att").text.rfind(" ! преобразовать структуру не удалось, DBFedit: 53. ", 0), 0u)
        << main.form("Att").text;
}

}  // namespace
}  // namespace tavrolin
