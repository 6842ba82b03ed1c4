// Conversion by types end to end through the store: the rows written, the label and level
// options, the Garmin columns, the move beside the source and what a failure leaves behind.
#include "convert/convert_by_type.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <random>

#include "convert/output_table.h"
#include "convert_fixture.h"
#include "store/file_io.h"

namespace tavrolin {
namespace {

using testing::ConvertFixture;
using testing::pick;
using testing::readFile;
using testing::Row;
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
    std::vector<Row> convert() {
        btnMakeType_Click(main);
        if (main.form("Att").text != kSuccess) return {};
        return readRows(main.sourceFolder, "river");
    }

    // The message of a failed run starts with " ! RunType: <number>. ".
    void expectFailure(int number) {
        EXPECT_EQ(main.form("Att").text.rfind(" ! RunType: " + std::to_string(number) + ". ", 0),
                  0u)
            << main.form("Att").text;
    }

    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(main.sourceFolder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ConvertByType, CopiesTheTemplateAttributesOfEachRecordsType) {
    addTemplateRow(
        "VID,MP_TYPE,YN,L_LIMIT,U_LIMIT,LAYER,COLOR,MODE,FONT,ICON,BDR_COLOR,CLRRGB,WIDTH,P_ICON",
        "0,'0x4b',0,5,20,2,71,'T','8','sea',255,'AABBCCDD',3,'anchor'");
    // The user's row (YN 1) of a code wins over the standard one whatever the letter case of
    // either; a row of another kind never counts.
    addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,COLOR,MODE,MIN_CAT",
                   "0,'0X4C',1,7,12,'T','Shoal, rock (s)'");
    addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,COLOR,MODE", "0,'0x4c',0,9,99,'N'");
    addTemplateRow("VID,MP_TYPE,YN,COLOR", "0,'0X29',0,4");
    addTemplateRow("VID,MP_TYPE,YN,COLOR", "0,'0x29',1,3");
    addTemplateRow("VID,MP_TYPE,L_LIMIT,COLOR", "1,'0x51',1,1");
    for (const auto& [type, label] : {std::pair{"0x4b", "Озеро Белое"},
                                      {"0x4b", ""},
                                      {"0x4c", "Мель (у мыса), 2 м"},
                                      {"0X29", "b"},
                                      {"0x51", "Пролив"},
                                      {"", ""}}) {
        addRecord(type, label);
    }
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 6u) << main.form("Att").text;
    const char* columns =
        "TYPE,VALUE,LVL,L_LIMIT,U_LIMIT,P_LIMIT,LAYER,COLOR,MODE,FONT,ICON,"
        "BDR_COLOR,BDR_WIDTH,CLRRGB,MAJ_CAT,MIN_CAT";
    const char* expected[] = {
        "0x4b|Озеро Белое||5|20||2|71|T|8|sea|255||AABBCCDD||",  // empty stays empty, not 0
        "0x4b|||5|20||2|71|N|8|sea|255||AABBCCDD||",  // no label: the label mode T becomes N
        "0x4c|Мель (у мыса), 2 м||7||||12|T|||||||Shoal, rock (s)", "0X29|b||||||3||||||||",
        // Types without a row of this kind: only the limits 0 and 34.
        "0x51|Пролив||0|34|||||||||||", "|||0|34|||||||||||"};
    for (std::size_t r = 0; r < rows.size(); ++r) EXPECT_EQ(pick(rows[r], columns), expected[r]);
    EXPECT_FALSE(fs::exists(main.programFolder + "polygon.dbf"));
    EXPECT_EQ(readFile(main.sourceFolder + "river_orig.dbf"), "the source stays as it is");
#ifdef __linux__
    // Nothing holds the moved output open (Windows would refuse to replace it on the next run).
    const fs::path output = fs::canonical(outputPath());
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        EXPECT_NE(fs::read_symlink(fd.path(), error), output);
    }
#endif
}

TEST_F(ConvertByType, LevelsRaiseTheLimitsUnlessLevelsAreIgnored) {
    addTemplateRow("VID,MP_TYPE,L_LIMIT,U_LIMIT", "0,'0x4b',3,18");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4c',5");
    for (const auto& [type, level] :
         {std::pair{"0x4b", "2"}, {"0x4b", "1"}, {"0x4b", "0"}, {"0x4c", "2"}}) {
        addRecord(type, "a", level);
    }
    const auto limits = [this] {
        std::vector<std::string> out;
        for (const Row& row : convert()) out.push_back(pick(row, "LVL,L_LIMIT,U_LIMIT"));
        return out;
    };
    // Without template limits the level adds none.
    EXPECT_EQ(limits(), (std::vector<std::string>{"2|25|34", "1|25|34", "0|3|18", "2||"}));
    setCheck("LvlNull", true);
    EXPECT_EQ(limits(), (std::vector<std::string>{"2|3|18", "1|3|18", "0|3|18", "2||"}));
}

TEST_F(ConvertByType, ALevelThatIsNoNumberStopsTheRunAndKeepsTheOldOutput) {
    addTemplateRow("VID,MP_TYPE,L_LIMIT", "0,'0x4b',3");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4c',5");
    // Unknown types copy nothing and do not read the level.
    addRecord("0x99", "a", "x7");
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
    // A type with limits, and one without: both read the level.
    writeFile(outputPath(), "previous output");
    for (const char* type : {"0x4b", "0x4c"}) {
        for (const char* level : {"x7", "0x10", "2 3", "1..2"}) {
            main.sourceRecords = {{type, "a", level}};
            EXPECT_TRUE(convert().empty()) << type << " " << level;
            expectFailure(err::kTypeMismatch);
        }
    }
    EXPECT_EQ(readFile(outputPath()), "previous output");
    main.sourceRecords = {{"0x4b", "a", "256"}};
    EXPECT_TRUE(convert().empty());
    expectFailure(err::kOverflow);
    // The Russian interface describes the failure in Russian; prefix and number stay.
    main.russian = true;
    main.sourceRecords = {{"0x4b", "a", "0x10"}};
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text,
              " ! RunType: 13. уровень \"0x10\" записи 1 не является числом");
    main.russian = false;
    // Numbers with blanks around them or a decimal comma are levels.
    for (const char* level : {" 2 ", "1,5"}) {
        main.sourceRecords = {{"0x4b", "a", level}};
        EXPECT_EQ(convert().size(), 1u) << level << ": " << main.form("Att").text;
    }
    // Levels ignored: the level is not read at all.
    main.sourceRecords = {{"0x4b", "a", "x7"}};
    setCheck("LvlNull", true);
    ASSERT_EQ(convert().size(), 1u) << main.form("Att").text;
}

TEST_F(ConvertByType, LabelOptions) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    addRecord("0x4b", "Щука");
    addRecord("0x4b", "ЩУКА \"большая\"");
    const std::tuple<bool, bool, const char*, const char*> cases[] = {
        {true, true, "shuka", "shuka 'bolyshaya'"}, {false, true, "щука", "щука 'большая'"}};
    for (const auto& [transliterate, lower, first, second] : cases) {
        setCheck("TrnCase", transliterate);
        setCheck("LowCase", lower);
        const auto rows = convert();
        ASSERT_EQ(rows.size(), 2u) << main.form("Att").text;
        EXPECT_EQ(rows[0].at("VALUE"), first);
        EXPECT_EQ(rows[1].at("VALUE"), second);
    }
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
        for (const std::string option : {"", "LvlNull", "TagMPC", "TrnCase", "LowCase"}) {
            for (const std::string check : {"LvlNull", "TagMPC", "TrnCase", "LowCase"}) {
                setCheck(check.c_str(),
                         check == option || (option == "LowCase" && check == "TrnCase"));
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
    for (const char* type : {"0x4b", "0x4c", "0x99"}) addRecord(type, "a");
    setCheck("TagMPC", true);
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 3u) << main.form("Att").text;
    const char* columns = "COLOR,U_LIMIT,GRMN_TYPE,HGT_DP_FMT,HGT_DP";
    EXPECT_EQ(pick(rows[0], columns), "5||0x0101|m|12");
    EXPECT_EQ(pick(rows[1], columns), "6||||");
    EXPECT_EQ(pick(rows[2], columns), "|34|||");

    // A template without the Garmin columns: unknown types need none of them.
    TempFolder program;
    main.connection = store::Connection();
    openProgram(program.str(),
                "VID numeric(1,0),MP_TYPE char(6),YN numeric(1,0),COLOR numeric(3,0)");
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    main.sourceRecords = {{"0x4b", "a", ""}};
    EXPECT_TRUE(convert().empty());
    expectFailure(err::kItemNotFound);
}

// A template without rows of the kind gives an empty output.
TEST_F(ConvertByType, WithoutATemplateRowOfTheKind) {
    addTemplateRow("VID,MP_TYPE,COLOR", "1,'0x4b',5");
    addRecord("0x4b", "a");
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text, kSuccess);
    // Without a usable template nothing is made.
    main.templateUsable = false;
    fs::remove(outputPath());
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text.rfind(" ! list of types ", 0), 0u) << main.form("Att").text;
    EXPECT_FALSE(fs::exists(outputPath()));
}

TEST_F(ConvertByType, ClicksDuringTheRunNeitherCrashNorMixMaps) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
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
    expectFailure(err::kInvalidArgument);
    EXPECT_EQ(readFile(outputPath()), "previous output");
}

// An English-interface output holds UTF-8, as its language byte and code-page file say; a
// Russian one code page 1251. The code-page file is named after the output: the source's own is
// never touched, and a run replaces older spellings of output and code-page file.
TEST_F(ConvertByType, OutputTextIsWhatItsOwnCodePageFileSays) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    main.sourceFileName = "river.dbf";
    main.outputFileName = "river-imc.dbf";
    main.codePageFileName = "river-imc.cpg";
    writeFile(main.sourceFolder + "river.dbf", "the source");
    writeFile(main.sourceFolder + "River.CPG", "CP1251\n");
    addRecord("0x4b", "Müggelsee");
    addRecord("0x4b", "Дорога");
    addRecord("0x4b", std::string(253, 'a') + "Щ");  // 255 bytes: cut before Щ
    main.labelWidth = 254;
    btnMakeType_Click(main);
    ASSERT_EQ(main.form("Att").text, kSuccess);
    EXPECT_EQ(readFile(main.sourceFolder + "river-imc.cpg"), "65001\r\n");
    auto rows = readRows(main.sourceFolder, "river-imc");
    EXPECT_EQ(rows[0].at("VALUE"), "Müggelsee");
    EXPECT_EQ(rows[2].at("VALUE"), std::string(253, 'a'));                // never half a character
    EXPECT_NE(readFile(outputPath()).find("Дорога"), std::string::npos);  // the UTF-8 bytes

    // An earlier run left its output and code-page file in capitals; a user's table that is not
    // an output keeps its name. A file system that ignores letter case (Windows) holds no user's
    // table beside it.
    fs::rename(outputPath(), main.sourceFolder + "RIVER-IMC.DBF");
    fs::rename(main.sourceFolder + "river-imc.cpg", main.sourceFolder + "RIVER-IMC.CPG");
    const bool caseMatters = !fs::exists(main.sourceFolder + "RIVER.DBF");
    if (caseMatters) writeFile(main.sourceFolder + "River-Imc.dbf", "a table of the user's");
    main.russian = true;
    btnMakeType_Click(main);
    EXPECT_EQ(main.form("Att").text, " файл с новыми атрибутами по типам успешно создан");
    EXPECT_EQ(readFile(main.sourceFolder + "river-imc.cpg"), "1251\r\n");
    const std::string file = readFile(outputPath());
    EXPECT_EQ(static_cast<std::uint8_t>(file[29]), 0xC9);
    EXPECT_EQ(file[14], 0);  // finished: no incomplete mark
    rows = readRows(main.sourceFolder, "river-imc");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].at("VALUE"), "M?ggelsee");  // no ü in 1251
    std::vector<std::string> expected{"River.CPG", "river-imc.cpg", "river-imc.dbf", "river.dbf",
                                      "river_orig.dbf"};
    if (caseMatters) expected.insert(expected.begin(), "River-Imc.dbf");
    EXPECT_EQ(files(), expected);
    EXPECT_EQ(readFile(main.sourceFolder + "River.CPG"), "CP1251\n");  // byte for byte
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

#ifndef _WIN32  // POSIX permissions and user ids
// The conversion where the source folder cannot be written runs in a child process that, as
// root, gives up root first (root writes anywhere); it says how the run ended.
TEST_F(ConvertByType, AReadOnlySourceFolderFailsCleanly) {
    addTemplateRow("VID,MP_TYPE,COLOR", "0,'0x4b',5");
    writeFile(outputPath(), "previous output");
    writeFile(main.sourceFolder + "river.cpg", "1251\r\n");
    addRecord("0x4b", "a");
    fs::permissions(main.programFolder, fs::perms::all, fs::perm_options::add);
    fs::permissions(main.sourceFolder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto run = [this] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
        btnMakeType_Click(main);
        std::fprintf(stderr, "[%s]", main.form("Att").text.c_str());
        std::_Exit(0);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "\\[ ! RunType: 70\\. ");
    EXPECT_EQ(readFile(outputPath()), "previous output");
    EXPECT_EQ(files(), (std::vector<std::string>{"river.cpg", "river.dbf", "river_orig.dbf"}));
}
#endif

}  // namespace
}  // namespace tavrolin
