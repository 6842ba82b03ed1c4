// Conversion by types end to end through the store: the rows written, the label and level
// options, the Garmin columns, the move beside the source and what a failure leaves behind.
#include "convert/convert_by_type.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <random>
#include <set>

#include "convert/output_table.h"
#include "convert_fixture.h"
#include "store/file_io.h"

namespace tavrolin {
namespace {

using testing::ConvertFixture;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;
namespace fs = std::filesystem;

constexpr const char* kSuccess = " file with the new attributes by types created successfully";

class ConvertByType : public ConvertFixture {
   protected:
    void addRecord(const std::string& type, const std::string& label,
                   const std::string& level = "") {
        main.sourceRecords.push_back({type, label, level});
    }

    // Runs the button and returns the output rows (none when the run failed).
    std::vector<std::map<std::string, std::string>> convert() {
        btnMakeType_Click(main);
        if (main.form("Att").text != kSuccess) return {};
        return readRows(main.sourceFolder, "river");
    }
};

TEST_F(ConvertByType, CopiesTheTemplateAttributesOfEachRecordsType) {
    addTemplateRow(
        "VID,MP_TYPE,YN,L_LIMIT,U_LIMIT,LAYER,COLOR,MODE,FONT,ICON,BDR_COLOR,CLRRGB,"
        "WIDTH,P_ICON",
        "0,'0x4b',0,5,20,2,71,'T','8','sea',255,'AABBCCDD',3,'anchor'");
    // A custom row of the same code comes first; a row of another kind never counts.
    addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,COLOR,MODE,MIN_CAT",
                   "0,'0X4C',1,7,12,'T','Shoal, rock (s)'");
    addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,COLOR,MODE", "0,'0x4c',0,9,99,'N'");
    addTemplateRow("VID,MP_TYPE,L_LIMIT,COLOR", "1,'0x51',1,1");
    addRecord("0x4b", "Озеро Белое");
    addRecord("0x4b", "");
    addRecord("0x4c", "Мель (у мыса), 2 м");
    addRecord("0x51", "Пролив");
    addRecord("", "");

    const auto rows = convert();
    ASSERT_EQ(rows.size(), 5u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("TYPE"), "0x4b");
    EXPECT_EQ(rows[0].at("VALUE"), "Озеро Белое");
    EXPECT_EQ(rows[0].at("LVL"), "<null>");
    EXPECT_EQ(rows[0].at("L_LIMIT"), "5");
    EXPECT_EQ(rows[0].at("U_LIMIT"), "20");
    EXPECT_EQ(rows[0].at("LAYER"), "2");
    EXPECT_EQ(rows[0].at("COLOR"), "71");
    EXPECT_EQ(rows[0].at("MODE"), "T");
    EXPECT_EQ(rows[0].at("FONT"), "8");
    EXPECT_EQ(rows[0].at("ICON"), "sea");
    EXPECT_EQ(rows[0].at("BDR_COLOR"), "255");
    EXPECT_EQ(rows[0].at("CLRRGB"), "AABBCCDD");
    // Empty template values stay empty, not 0.
    EXPECT_EQ(rows[0].at("P_LIMIT"), "<null>");
    EXPECT_EQ(rows[0].at("BDR_WIDTH"), "<null>");
    EXPECT_EQ(rows[0].at("MAJ_CAT"), "<null>");
    // No label: the label mode T becomes N.
    EXPECT_EQ(rows[1].at("MODE"), "N");
    EXPECT_EQ(rows[1].at("VALUE"), "<null>");
    // The custom row wins, found whatever the letter case.
    EXPECT_EQ(rows[2].at("L_LIMIT"), "7");
    EXPECT_EQ(rows[2].at("COLOR"), "12");
    EXPECT_EQ(rows[2].at("MIN_CAT"), "Shoal, rock (s)");
    EXPECT_EQ(rows[2].at("VALUE"), "Мель (у мыса), 2 м");
    // Types without a row of this kind: only the limits 0 and 34.
    for (int r : {3, 4}) {
        EXPECT_EQ(rows[r].at("L_LIMIT"), "0");
        EXPECT_EQ(rows[r].at("U_LIMIT"), "34");
        EXPECT_EQ(rows[r].at("COLOR"), "<null>");
        EXPECT_EQ(rows[r].at("MODE"), "<null>");
    }
    EXPECT_EQ(rows[3].at("VALUE"), "Пролив");
    EXPECT_EQ(platform.shownFiles, std::vector<std::string>{outputPath()});
    EXPECT_FALSE(fs::exists(main.programFolder + "polygon.dbf"));
    EXPECT_EQ(readFile(main.sourceFolder + "river_orig.dbf"), "the source stays as it is");
    EXPECT_FALSE(platform.busy);
}

// The user's row of a type (YN 1) wins over the standard one (YN 0) whatever the letter case of
// either code.
TEST_F(ConvertByType, TheUsersRowWinsWhateverTheLetterCase) {
    addTemplateRow("VID,MP_TYPE,YN,COLOR", "0,'0X28',0,1");
    addTemplateRow("VID,MP_TYPE,YN,COLOR", "0,'0x28',1,2");
    addTemplateRow("VID,MP_TYPE,YN,COLOR", "0,'0x29',1,3");
    addTemplateRow("VID,MP_TYPE,YN,COLOR", "0,'0X29',0,4");
    addRecord("0x28", "a");
    addRecord("0x29", "b");
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 2u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("COLOR"), "2");
    EXPECT_EQ(rows[1].at("COLOR"), "3");
}

TEST_F(ConvertByType, LevelsRaiseTheLimitsUnlessLevelsAreIgnored) {
    addTemplateRow("VID,MP_TYPE,L_LIMIT,U_LIMIT", "0,'0x4b',3,18");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4c',5");
    addRecord("0x4b", "a", "2");
    addRecord("0x4b", "a", "1");
    addRecord("0x4b", "a", "0");
    addRecord("0x4c", "a", "2");
    auto rows = convert();
    ASSERT_EQ(rows.size(), 4u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("L_LIMIT") + "/" + rows[0].at("U_LIMIT"), "25/34");
    EXPECT_EQ(rows[1].at("L_LIMIT") + "/" + rows[1].at("U_LIMIT"), "25/34");
    EXPECT_EQ(rows[2].at("L_LIMIT") + "/" + rows[2].at("U_LIMIT"), "3/18");
    // Without template limits the level adds none.
    EXPECT_EQ(rows[3].at("L_LIMIT"), "<null>");

    setCheck("LvlNull", true);
    rows = convert();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("L_LIMIT") + "/" + rows[0].at("U_LIMIT"), "3/18");
}

TEST_F(ConvertByType, ALevelThatIsNoNumberStopsTheRunAndKeepsTheOldOutput) {
    addTemplateRow("VID,MP_TYPE,L_LIMIT", "0,'0x4b',3");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4c',5");
    writeFile(outputPath(), "previous output");
    // Unknown types copy nothing and do not read the level.
    addRecord("0x99", "a", "x7");
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
    writeFile(outputPath(), "previous output");
    // A type with limits, and one without: both read the level.
    for (const char* type : {"0x4b", "0x4c"}) {
        for (const char* level : {"x7", "0x10", "2 3", "1e1", "1..2", "-", " , "}) {
            main.sourceRecords = {{type, "a", level}};
            EXPECT_TRUE(convert().empty()) << type << " " << level;
            EXPECT_EQ(main.form("Att").text.rfind(" ! RunType: 13. ", 0), 0u)
                << main.form("Att").text;
            EXPECT_EQ(readFile(outputPath()), "previous output");
        }
    }
    // Numbers with blanks around them or a decimal comma are levels.
    for (const char* level : {" 2 ", "1,5", "-0", "+3.0"}) {
        main.sourceRecords = {{"0x4b", "a", level}};
        EXPECT_EQ(convert().size(), 1u) << level << ": " << main.form("Att").text;
        writeFile(outputPath(), "previous output");
    }
    EXPECT_EQ(platform.shownFiles.size(), 5u);
    main.sourceRecords = {{"0x4b", "a", "256"}};
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text.rfind(" ! RunType: 6. ", 0), 0u) << main.form("Att").text;
    // The Russian interface describes the failure in Russian; prefix and number stay.
    main.russian = true;
    main.sourceRecords = {{"0x4b", "a", "0x10"}};
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text,
              " ! RunType: 13. уровень \"0x10\" записи 1 не является числом");
    main.russian = false;
    // Levels ignored: the level is not read at all.
    setCheck("LvlNull", true);
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
}

TEST_F(ConvertByType, LabelOptions) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    addRecord("0x4b", "Щука");
    addRecord("0x4b", "ЩУКА \"большая\"");
    setCheck("TrnCase", true);
    auto rows = convert();
    ASSERT_EQ(rows.size(), 2u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("VALUE"), "Shuka");
    EXPECT_EQ(rows[1].at("VALUE"), "ShUKA 'bolyshaya'");
    setCheck("LowCase", true);
    rows = convert();
    EXPECT_EQ(rows[0].at("VALUE"), "shuka");
    setCheck("TrnCase", false);
    rows = convert();
    EXPECT_EQ(rows[0].at("VALUE"), "щука");
}

// The rows written straight into the record buffer are the bytes that one INSERT statement per
// record stores: a generated source of every kind of record (known, unknown and upper-case type
// codes, labels empty, Cyrillic, quoted or too wide, levels 0 to 3 and none), all three kinds,
// and the option sets that change rows.
TEST_F(ConvertByType, DirectRowsAreTheBytesOfTheStatements) {
    addTemplateRow(
        "VID,MP_TYPE,YN,L_LIMIT,U_LIMIT,LAYER,COLOR,MODE,FONT,ICON,BDR_COLOR,BDR_WIDTH,"
        "BDR_PATTER,MAJ_CAT,CLRRGB,GRMN_TYPE,HGT_DP_FMT,HGT_DP",
        "0,'0x4b',0,5,20,2,71,'T','8','sea',255,3,'solid','Глубины','AABBCCDD','0x0101','m',12");
    addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,COLOR,MODE,MIN_CAT,GRMN_TYPE",
                   "0,'0X4C',1,7,12,'t','Мель, камень','0x02'");
    addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,COLOR,MODE", "0,'0x4c',0,9,99,'N'");
    addTemplateRow("VID,MP_TYPE,U_LIMIT,LAYER", "0,'0x4d',30,1");
    addTemplateRow("VID,MP_TYPE,L_LIMIT,WIDTH,PATTERN,BFR_COLOR,RTP_CLRRGB,MODE",
                   "1,'0x4b',2,3,'dash',7,'00FF00','T'");
    addTemplateRow("VID,MP_TYPE,P_LIMIT,P_ICON,INFO_BOX,HAL_COLOR", "2,'0x4b',4,'buoy','i',9");
    const std::vector<std::string> types = {"0x4b", "0x4c", "0X4B", "0x4d", "0x99", "0x4b"};
    const std::vector<std::string> labels = {
        "", "Озеро Белое", "12.5", "Щука \"большая\"", std::string(300, 'x'), "Ёж", ""};
    const std::vector<std::string> levels = {"", "1", "2", "0", "3", "", ""};
    std::mt19937 random(7);
    for (int i = 0; i < 400; ++i) {
        addRecord(types[random() % types.size()], labels[random() % labels.size()],
                  levels[random() % levels.size()]);
    }
    main.labelWidth = 40;

    const auto convertWith = [&](RowWriting writing) {
        if (!DBFprepare(main) || !RunType(main, true, conversionOptions(main.form), writing))
            return std::string("failed");
        return readFile(outputPath());
    };
    for (int kind = 0; kind < 3; ++kind) {
        chooseKind(kind);
        for (const char* option : {"", "LvlNull", "TagMPC", "TrnCase", "LowCase"}) {
            for (const char* check : {"LvlNull", "TagMPC", "TrnCase", "LowCase"}) {
                setCheck(check,
                         std::string(check) == option || (std::string(option) == "LowCase" &&
                                                          check[0] == 'T' && check[1] == 'r'));
            }
            const std::string statements = convertWith(RowWriting::Statements);
            ASSERT_GT(statements.size(), 400u) << main.form("Att").text;
            EXPECT_TRUE(statements == convertWith(RowWriting::Direct))
                << "kind " << kind << " option " << option;
        }
    }
}

TEST_F(ConvertByType, GarminColumnsForFoundTypesOnly) {
    addTemplateRow("VID,MP_TYPE,COLOR,GRMN_TYPE,HGT_DP_FMT,HGT_DP", "0,'0x4b',5,'0x0101','m',12");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4c',6");
    addRecord("0x4b", "a");
    addRecord("0x4c", "a");
    addRecord("0x99", "a");
    setCheck("TagMPC", true);
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 3u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("GRMN_TYPE"), "0x0101");
    EXPECT_EQ(rows[0].at("HGT_DP_FMT"), "m");
    EXPECT_EQ(rows[0].at("HGT_DP"), "12");
    EXPECT_EQ(rows[1].at("COLOR"), "6");
    EXPECT_EQ(rows[1].at("HGT_DP"), "<null>");  // written as Null
    EXPECT_EQ(rows[2].at("GRMN_TYPE"), "<null>");
    EXPECT_EQ(rows[2].at("U_LIMIT"), "34");
}

TEST_F(ConvertByType, GarminColumnsMissingFromTheTemplate) {
    TempFolder program;
    main.connection = store::Connection();
    openProgram(program.str(),
                "VID numeric(1,0),MP_TYPE char(6),YN numeric(1,0),COLOR numeric(3,0)");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    // Unknown types need none of the template's columns.
    addRecord("0x99", "a");
    setCheck("TagMPC", true);
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
    addRecord("0x4b", "a");
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text.rfind(" ! RunType: 3265. ", 0), 0u) << main.form("Att").text;
}

TEST_F(ConvertByType, NothingHappensWithoutAUsableTemplate) {
    main.templateUsable = false;
    addRecord("0x4b", "a");
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text.rfind(" ! list of types ", 0), 0u) << main.form("Att").text;
    EXPECT_FALSE(fs::exists(main.programFolder + "polygon.dbf"));
    EXPECT_FALSE(fs::exists(outputPath()));
}

TEST_F(ConvertByType, AnEmptyTemplateGivesAnEmptyOutput) {
    addTemplateRow("VID,MP_TYPE,COLOR", "1,'0x4b',5");
    for (int i = 0; i < 10; ++i) addRecord("0x4b", "a");
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text, kSuccess);
    EXPECT_EQ(readRows(main.sourceFolder, "river").size(), 0u);
}

TEST_F(ConvertByType, ProgressEveryStepRecords) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    for (int i = 0; i < 250; ++i) addRecord("0x4b", "a");
    ASSERT_EQ(convert().size(), 250u);
    std::vector<std::string> bars;
    for (const std::string& line : main.attLog) {
        if (line.rfind(" file creation by type: ", 0) == 0) bars.push_back(line);
    }
    ASSERT_EQ(bars.size(), 125u);  // step 2: records 0, 2, ... 248
    EXPECT_EQ(bars.front(), " file creation by type: " + std::string(100, '.'));
    EXPECT_EQ(bars.back(), " file creation by type: " + std::string(100, 'I'));
}

TEST_F(ConvertByType, ClicksDuringTheRunNeitherCrashNorMixMaps) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    writeFile(outputPath(), "previous output");
    for (int i = 0; i < 300; ++i) addRecord("0x4b", "a");
    // "!!!" again while the conversion lets events run: ignored.
    int nested = 0;
    platform.onProcessEvents = [&] {
        if (nested++ == 5) btnMakeType_Click(main);
    };
    ASSERT_EQ(convert().size(), 300u) << main.form("Att").text;

    // A new source read meanwhile: the run stops, the old output stays.
    writeFile(outputPath(), "previous output");
    nested = 0;
    platform.onProcessEvents = [&] {
        if (nested++ == 5) main.sourceRecords.clear();
    };
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text.rfind(" ! RunType: 5. ", 0), 0u) << main.form("Att").text;
    EXPECT_EQ(readFile(outputPath()), "previous output");
}

TEST_F(ConvertByType, ReplacesThePreviousOutputAndRunsAgain) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    writeFile(outputPath(), "previous output");
    addRecord("0x4b", "a");
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
    addRecord("0x4b", "b");
    ASSERT_EQ(convert().size(), 2u) << main.form("Att").text;
    // Russian run on the same connection: the header follows the language.
    main.russian = true;
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text, " файл с новыми атрибутами по типам успешно создан");
    EXPECT_EQ(static_cast<std::uint8_t>(readFile(outputPath())[29]), 0xC9);
    EXPECT_EQ(readFile(outputPath())[14], 0);  // finished
    EXPECT_EQ(readRows(main.sourceFolder, "river").size(), 2u);
}

// An English-interface output holds UTF-8, as its language byte and code-page file say; a
// Russian one code page 1251. Running in the other language rewrites the code-page file.
TEST_F(ConvertByType, OutputTextIsWhatItsCodePageFileSays) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    const std::string longLabel = std::string(253, 'a') + "Щ";  // 255 bytes: cut before Щ
    addRecord("0x4b", "Müggelsee");
    addRecord("0x4b", "Дорога");
    addRecord("0x4b", longLabel);
    main.labelWidth = 254;
    auto rows = convert();
    ASSERT_EQ(rows.size(), 3u) << main.form("Att").text;
    EXPECT_EQ(readFile(main.sourceFolder + "river.cpg"), "65001\r\n");
    EXPECT_EQ(rows[0].at("VALUE"), "Müggelsee");
    EXPECT_EQ(rows[1].at("VALUE"), "Дорога");
    EXPECT_EQ(rows[2].at("VALUE"), std::string(253, 'a'));  // never half a character
    const std::string file = readFile(outputPath());
    EXPECT_NE(file.find("Дорога"), std::string::npos);  // the UTF-8 bytes themselves

    main.russian = true;
    rows = convert();
    ASSERT_EQ(rows.size(), 0u);  // the Russian success message differs; read directly
    EXPECT_EQ(main.form("Att").text, " файл с новыми атрибутами по типам успешно создан");
    EXPECT_EQ(readFile(main.sourceFolder + "river.cpg"), "1251\r\n");
    rows = readRows(main.sourceFolder, "river");
    EXPECT_EQ(rows[0].at("VALUE"), "M?ggelsee");  // code page 1251 has no ü
    EXPECT_EQ(rows[1].at("VALUE"), "Дорога");
}

// The code-page file is named after the output; the source's own is never touched, and older
// spellings of the output and its code-page file go.
TEST_F(ConvertByType, CodePageFileIsTheOutputsOwnAndOldSpellingsGo) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    main.sourceFileName = "river.dbf";
    main.outputFileName = "river-imc.dbf";
    main.codePageFileName = "river-imc.cpg";
    writeFile(main.sourceFolder + "river.dbf", "the source");
    writeFile(main.sourceFolder + "River.CPG", "CP1251\n");
    addRecord("0x4b", "a");
    btnMakeType_Click(main);
    ASSERT_EQ(main.form("Att").text, kSuccess);
    // An earlier run left its output and code-page file in capitals; a user's table that is not
    // an output keeps its name.
    fs::rename(outputPath(), main.sourceFolder + "RIVER-IMC.DBF");
    fs::rename(main.sourceFolder + "river-imc.cpg", main.sourceFolder + "RIVER-IMC.CPG");
    // A file system that ignores letter case (Windows) holds no user's table beside it.
    const bool caseMatters = !fs::exists(main.sourceFolder + "RIVER.DBF");
    if (caseMatters) writeFile(main.sourceFolder + "River-Imc.dbf", "a table of the user's");
    addRecord("0x4b", "b");
    btnMakeType_Click(main);
    ASSERT_EQ(main.form("Att").text, kSuccess);
    EXPECT_EQ(readRows(main.sourceFolder, "river-imc").size(), 2u);

    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(main.sourceFolder)) {
        names.insert(entry.path().filename().string());
    }
    std::set<std::string> expected{"river.dbf", "River.CPG", "river-imc.dbf", "river-imc.cpg",
                                   "river_orig.dbf"};
    if (caseMatters) expected.insert("River-Imc.dbf");
    EXPECT_EQ(names, expected);
    EXPECT_EQ(readFile(main.sourceFolder + "River.CPG"), "CP1251\n");  // byte for byte
    EXPECT_EQ(readFile(main.sourceFolder + "river-imc.cpg"), "65001\r\n");
    if (caseMatters) {
        EXPECT_EQ(readFile(main.sourceFolder + "River-Imc.dbf"), "a table of the user's");
    }
}

TEST_F(ConvertByType, TheSourceBesideTheProgramSurvives) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    main.sourceFolder = main.programFolder;
    main.sourceFileName = "polygon.dbf";
    main.outputFileName = "polygon-imc.dbf";
    writeFile(main.programFolder + "polygon.dbf", "the user's map");
    addRecord("0x4b", "a");
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text, kSuccess);
    EXPECT_EQ(readFile(main.programFolder + "polygon.dbf"), "the user's map");
    EXPECT_EQ(readRows(main.programFolder, "polygon-imc").size(), 1u);
    EXPECT_FALSE(fs::exists(main.programFolder + "polygon1.dbf"));
}

// Windows takes such a folder name only in wide characters.
TEST_F(ConvertByType, WorksInAFolderNamedInCyrillic) {
    const fs::path maps = m_source.path() / store::io::pathFromUtf8("Карты");
    fs::create_directory(maps);
    main.connection = store::Connection();
    openProgram(store::io::utf8FromPath(maps) + "/", testing::kTemplateColumns);
    main.sourceFolder = main.programFolder;
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    writeFile(maps / "river.dbf", "previous output");
    addRecord("0x4b", "a");
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
    EXPECT_EQ(readFile(maps / "river.cpg"), "65001\r\n");
}

TEST_F(ConvertByType, MovesAcrossFileSystems) {
    const std::string shm = "/dev/shm";
    struct stat a {};
    struct stat b {};
    if (::stat(shm.c_str(), &a) != 0 || ::stat(main.sourceFolder.c_str(), &b) != 0 ||
        a.st_dev == b.st_dev) {
        GTEST_SKIP() << "no second file system beside " << main.sourceFolder;
    }
    TempFolder program(shm);
    main.connection = store::Connection();
    openProgram(program.str(), testing::kTemplateColumns);
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    writeFile(outputPath(), "previous output");
    for (int i = 0; i < 1000; ++i) addRecord("0x4b", "label " + std::to_string(i));
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 1000u) << main.form("Att").text;
    EXPECT_EQ(rows[999].at("VALUE"), "label 999");
    EXPECT_FALSE(fs::exists(program.str() + "polygon.dbf"));
    for (const auto& entry : fs::directory_iterator(main.sourceFolder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "river.dbf" || name == "river.cpg" || name == "river_orig.dbf") << name;
    }
}

#ifndef _WIN32  // POSIX permissions and user ids
// Runs the conversion where the source folder cannot be written: as root, in a child process
// that has given up root, since root writes anywhere.
TEST_F(ConvertByType, AReadOnlySourceFolderFailsCleanly) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    writeFile(outputPath(), "previous output");
    writeFile(main.sourceFolder + "river.cpg", "1251\r\n");
    addRecord("0x4b", "a");
    fs::permissions(main.programFolder, fs::perms::all, fs::perm_options::add);
    fs::permissions(main.sourceFolder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string message;
    if (::geteuid() != 0) {
        btnMakeType_Click(main);
        message = main.form("Att").text;
    } else {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
            btnMakeType_Click(main);
            const std::string text = main.form("Att").text;
            (void)!::write(pipeEnds[1], text.data(), text.size());
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        char buffer[512];
        for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
            message.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(pipeEnds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(message.rfind(" ! RunType: 70. ", 0), 0u) << message;
    EXPECT_EQ(readFile(outputPath()), "previous output");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(main.sourceFolder)) ++files;
    EXPECT_EQ(files, 3);  // the source, the old output, the code-page file
}
#endif

}  // namespace
}  // namespace tavrolin
