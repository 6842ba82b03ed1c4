// The temporary output table: its exact header per kind, the label width in both encodings, the
// notices, and the user's files that share its name.
#include "convert/output_table.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "convert_fixture.h"
#include "store/common_services.h"
#include "store/utf8_text.h"
#include "support/dbf_bytes.h"

namespace tavrolin {
namespace {

using testing::ConvertFixture;
using testing::readFile;
using testing::writeFile;
namespace fs = std::filesystem;

// The columns of an output table of a kind, as "NAME Tn" each.
std::string columnsOf(const std::string& kind, int labelWidth, bool garmin) {
    const std::string own = kind == "polygon" ? ",BDR_COLOR N3,BDR_WIDTH N2,ICON C40,BDR_PATTER C10"
                            : kind == "line"
                                ? ",WIDTH N2,BFR_COLOR N3,BFR_WIDTH N2,HAL_COLOR N3,RTP_LIMIT N2,"
                                  "RTP_COLOR N3,ICON C40,PATTERN C10,BFR_PATTER C10"
                                : ",HAL_COLOR N3,ICON C40,P_ICON C40,INFO_BOX C25";
    return "LVL C1,TYPE C7,L_LIMIT N2,U_LIMIT N2,P_LIMIT N2,LAYER N3,COLOR N3,MODE C1,FONT C3,"
           "VALUE C" +
           std::to_string(labelWidth) + own +
           ",MAJ_CAT C40,MIN_CAT C40,CLRRGB C8,BDR_CLRRGB C8,BDF_CLRRGB C8,RTP_CLRRGB C8,"
           "HAL_CLRRGB C8" +
           (garmin ? ",GRMN_TYPE C25,HGT_DP_FMT C10,HGT_DP N4" : "");
}

// The whole file of a new, empty, unfinished output table with these columns, dated as `file`.
std::string emptyTable(const std::string& file, const std::string& columns, std::uint8_t language) {
    std::vector<tavrolin::testing::DbfField> fields;
    for (std::size_t from = 0; from < columns.size();) {
        const std::size_t to = std::min(columns.find(',', from), columns.size());
        const std::string column = columns.substr(from, to - from);
        const std::size_t blank = column.find(' ');
        fields.push_back(
            {column.substr(0, blank), column[blank + 1], std::stoi(column.substr(blank + 2))});
        from = to + 1;
    }
    std::vector<std::uint8_t> bytes = tavrolin::testing::dbfHeader(fields, 0);
    for (int i = 1; i <= 3 && i < static_cast<int>(file.size()); ++i) {
        bytes[i] = static_cast<std::uint8_t>(file[i]);  // the date of the day
    }
    bytes[14] = 1;  // unfinished
    bytes[29] = language;
    bytes.push_back(0x1A);
    return std::string(bytes.begin(), bytes.end());
}

class OutputTable : public ConvertFixture {
   protected:
    std::string tablePath() const { return main.programFolder + main.outputTableName + ".dbf"; }
    void expectEmpty(const std::string& columns, std::uint8_t language = 0x57) {
        const std::string file = readFile(tablePath());
        EXPECT_EQ(file, emptyTable(file, columns, language));
    }
};

TEST_F(OutputTable, HeaderOfEveryKindWithAndWithoutGarminColumns) {
    for (int kind = 0; kind < 3; ++kind) {
        for (bool garmin : {false, true}) {
            chooseKind(kind);
            setCheck("TagMPC", garmin);
            ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
            const std::string name(store::kindName(main.namedKind));
            EXPECT_EQ(main.outputTableName, name);
            SCOPED_TRACE(name + (garmin ? " with MPC" : ""));
            expectEmpty(columnsOf(name, 30, garmin));
        }
    }
    // The code-page file belongs to the finished output, written when it is put in place.
    EXPECT_FALSE(fs::exists(main.sourceFolder + main.codePageFileName));
}

// The label column holds the widest label as written: characters in code page 1251 (Russian
// interface), bytes in UTF-8 (English), transliterated when asked; at most 254.
TEST_F(OutputTable, LabelColumnHoldsTheWidestLabelAsWritten) {
    const std::string shch20 = "щщщщщщщщщщщщщщщщщщщщ";
    const std::tuple<bool, bool, std::string, int> cases[] = {
        {true, false, shch20, 30},   // 20 characters + 10
        {true, true, shch20, 50},    // "sh" 20 times
        {false, false, shch20, 50},  // 40 bytes + 10
        {false, false, std::string(122, 'a') + "щ" + std::string(120, 'b'), 254},
        {false, false, std::string(250, 'a') + "щ", 254},  // 252 + 10, capped
    };
    for (const auto& [russian, transliterate, label, width] : cases) {
        main.russian = russian;
        setCheck("TrnCase", transliterate);
        main.sourceRecords = {{"0x4b", label, ""}, {"0x4b", "", ""}};
        // The reader's width counts characters.
        main.labelWidth = std::min(static_cast<int>(store::countCharacters(label)) + 10, 254);
        ASSERT_TRUE(DBFprepare(main));
        SCOPED_TRACE(label);
        expectEmpty(columnsOf("polygon", width, false), russian ? 0xC9 : 0x57);
    }
}

TEST_F(OutputTable, LeftoverOfAnInterruptedRunIsRecreatedEmpty) {
    ASSERT_TRUE(DBFprepare(main));
    ASSERT_TRUE(main.connection.execute("INSERT INTO polygon (LVL,TYPE) VALUES ('0','0x4b')"));
    ASSERT_TRUE(main.connection.flush());
    // The same leftover under another letter case is ours too.
    fs::rename(tablePath(), main.programFolder + "POLYGON.DBF");
    ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
    EXPECT_EQ(main.outputTableName, "polygon");
    EXPECT_EQ(store::namesIgnoringCase(main.programFolder, "polygon.dbf"),
              std::vector<std::string>{"polygon.dbf"});
    expectEmpty(columnsOf("polygon", 30, false));
}

TEST_F(OutputTable, NoticesWhenNoSourceWasReadOrNoKindChosen) {
    main.form.setItems("GM_TYPE", {});
    EXPECT_FALSE(DBFprepare(main));
    EXPECT_EQ(main.form("Att").text, " * specify the source file .DBF to continue");
    main.form.setItems("GM_TYPE", {"0x4b"});
    main.namedKind = store::ObjectKind::None;
    EXPECT_FALSE(DBFprepare(main));
    EXPECT_FALSE(fs::exists(main.programFolder + "polygon.dbf"));
    // Other failures end the same way, each in its single wording.
    EXPECT_FALSE(
        DBFedit(main, main.programFolder + "missing/polygon.dbf", store::ObjectKind::Polygon));
    EXPECT_EQ(
        main.form("Att").text.rfind(" ! преобразовать структуру не удалось, DBFedit: 53. ", 0), 0u)
        << main.form("Att").text;
}

// Files beside the program under the table's name are the user's (a map chosen as the source,
// an unrelated table, a finished earlier output) and survive: the table takes the next name.
TEST_F(OutputTable, TheUsersFilesUnderTheTableNameSurvive) {
    main.sourceFolder = main.programFolder;
    main.sourceFileName = "polygon_orig.dbf";
    main.outputFileName = "polygon.dbf";
    ASSERT_TRUE(DBFprepare(main));
    ASSERT_TRUE(markOutputTable(tablePath(), true));
    const std::string earlier = readFile(tablePath());
    EXPECT_EQ(earlier[14], 0);
    writeFile(main.programFolder + "Polygon1.dbf", "another table");
    ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
    EXPECT_EQ(main.outputTableName, "polygon2");
    EXPECT_EQ(readFile(main.programFolder + "polygon.dbf"), earlier);
    EXPECT_EQ(readFile(main.programFolder + "Polygon1.dbf"), "another table");
    expectEmpty(columnsOf("polygon", 30, false));

    writeFile(main.programFolder + "polygon.dbf", "the user's map");
    main.sourceFileName = "polygon.dbf";
    main.outputFileName = "polygon-imc.dbf";
    ASSERT_TRUE(DBFprepare(main)) << main.form("Att").text;
    EXPECT_EQ(readFile(main.programFolder + "polygon.dbf"), "the user's map");
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

}  // namespace
}  // namespace tavrolin
