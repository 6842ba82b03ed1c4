// The commands on real files: `convert` (options to check boxes, --kind over the detected kind,
// the scheme pressed before a conversion by depth), `skin`, `guide`, `mp-labels`, `mp-retype`,
// and `migrova OLD NEW`; the output's path as the last line, the exit statuses and the usage
// errors.
#include "cli/commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "cli/migrova_command_line.h"
#include "convert/convert_fixture.h"
#include "migrova/migrova_fixture.h"
#include "polish/polish_fixture.h"
#include "store/codepage.h"
#include "store/file_io.h"

namespace tavrolin {
namespace {

using testing::readFile;
using testing::readTableRows;
using testing::writeFile;
namespace fs = std::filesystem;

class Commands : public ::testing::Test {
   protected:
    void SetUp() override {
        store::Connection connection;
        ASSERT_TRUE(connection.open(m_home.str()));
        ASSERT_TRUE(connection.execute(std::string("CREATE TABLE Tavrolin.dbf (") +
                                       testing::kTemplateColumns + ")"));
        ASSERT_TRUE(connection.execute(
            "INSERT INTO Tavrolin (VID,YN,MP_TYPE,L_LIMIT,U_LIMIT,COLOR,MODE) VALUES "
            "(0,0,'0x3c',0,28,16,'N')"));
        ASSERT_TRUE(connection.execute(
            "INSERT INTO Tavrolin (VID,YN,MP_TYPE,MP_ENG,MP_NAME,L_LIMIT,U_LIMIT,COLOR,WIDTH) "
            "VALUES (1,0,'0x3c','Lake shore','Берег',0,20,3,2)"));
        ASSERT_TRUE(connection.close());
        fs::copy_file(fs::path(TAVROLIN_SOURCE_DIR) / "examples" / "lake_areas.dbf",
                      m_maps.path() / "lake_orig.dbf");
    }

    int run(std::vector<std::string> args, const std::string& language = "ru") {
        args.insert(args.begin(), {"--home", m_home.str(), "--lang", language});
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCommandLine("/opt/tavrolin/tavrolin", args, out, err);
        m_out = out.str();
        m_err = err.str();
        return code;
    }
    std::string lastLine() const { return m_out.substr(m_out.rfind('\n', m_out.size() - 2) + 1); }
    std::string source() const { return m_maps.str() + "lake_orig.dbf"; }
    std::string output() const { return m_maps.str() + "lake.dbf"; }
    std::vector<std::map<std::string, std::string>> rows() const {
        return readTableRows(m_maps.str(), "lake");
    }

    testing::TempFolder m_home;
    testing::TempFolder m_maps;
    std::string m_out;
    std::string m_err;
};

TEST_F(Commands, ConvertWritesTheSampleAndSaysWhereTheOutputWent) {
    ASSERT_EQ(run({"convert", source()}), 0) << m_out << m_err;
    EXPECT_NE(m_out.find(" файл с новыми атрибутами по типам успешно создан\n"), std::string::npos);
    EXPECT_EQ(lastLine(), output() + "\n");
    EXPECT_EQ(rows()[0].at("VALUE"), "Озеро Светлое");

    // Options set the check boxes, and --kind overrides the detected kind.
    ASSERT_EQ(run({"convert", source(), "--kind", "line", "--translit", "--lower", "--no-levels"}),
              0)
        << m_out << m_err;
    const auto table = rows();
    EXPECT_EQ(table[0].at("WIDTH"), "2");  // a line table
    EXPECT_EQ(table[0].at("VALUE"), "ozero svetloe");
    EXPECT_EQ(table[1].at("U_LIMIT"), "20");  // levels ignored
    ASSERT_EQ(run({"convert", source(), "--mpc", "--no-names"}), 0) << m_out << m_err;
    EXPECT_EQ(rows()[0].count("GRMN_TYPE"), 1u);
}

TEST_F(Commands, ConvertByDepthPressesTheSchemeButtonBeforeTheConversion) {
    ASSERT_EQ(run({"convert", source(), "--by", "depth", "--scheme", "topo"}), 0) << m_out;
    EXPECT_NE(m_out.find(" файл с новыми атрибутами по глубинам успешно создан\n"),
              std::string::npos);
    EXPECT_EQ(rows()[16].at("VALUE"), "5");
    EXPECT_EQ(rows()[16].at("COLOR"), "62");
}

TEST_F(Commands, UsageErrorsExitWithTwoAndFailuresWithOne) {
    // One command line of each kind, with SRC for the sample table and MAP for a map.
    std::istringstream usage(
        "convert SRC --by sideways; skin SRC --kind river; mp-retype --scheme deep MAP; "
        "preview SRC --png a.png --size 15x400");
    for (std::string line; std::getline(usage, line, ';');) {
        std::vector<std::string> args;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            args.push_back(word == "SRC" ? source() : word == "MAP" ? m_maps.str() + "a.mp" : word);
        }
        EXPECT_EQ(run(args), 2) << line;
        EXPECT_NE(m_err.find("usage: tavrolin [--home DIR] [--lang ru|en] " + args[0] + " "),
                  std::string::npos)
            << line << ": " << m_err;
    }
    // Never transliterated in English.
    EXPECT_EQ(run({"convert", source(), "--translit"}, "en"), 2);
    EXPECT_EQ(run({"guide", "now"}), 2);
    EXPECT_EQ(m_err,
              "tavrolin guide: takes no arguments\n"
              "usage: tavrolin [--home DIR] [--lang ru|en] guide\n");
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_EQ(run({"convert", m_maps.str() + "missing.dbf"}), 1);
    EXPECT_FALSE(fs::exists(output()));

    // A run whose last word is a message box, not a line: the box decides the exit status too.
    std::string table = readFile(source());
    table[0] = '\x30';  // a Visual FoxPro table
    writeFile(m_maps.path() / "fox.dbf", table);
    EXPECT_EQ(run({"convert", m_maps.str() + "fox.dbf"}), 1) << m_out;
    EXPECT_NE(m_out.find(" ! файлы VFP не поддерживаются\n"), std::string::npos) << m_out;
    EXPECT_FALSE(fs::exists(m_maps.path() / "fox-imc.dbf"));
}

TEST_F(Commands, SkinAndGuideAreWrittenWhereTheWindowWritesThem) {
    ASSERT_EQ(run({"skin", source(), "--kind", "line"}), 0) << m_out << m_err;
    const std::string skin = m_maps.str() + "lake_orig.txt";
    EXPECT_EQ(lastLine(), skin + "\n");
    // --kind line: the template's line row.
    EXPECT_NE(store::decodeCp1251(readFile(skin)).find("[_line]\r\nType=0x3c"), std::string::npos);

    ASSERT_EQ(run({"guide"}, "en"), 0) << m_out;
    // The home as the program normalises it, with backslashes on Windows.
    EXPECT_EQ(lastLine(), " the guide is written: " +
                              store::io::utf8FromPath(m_home.path() / "Tavrolin.txt") + "\n");
    EXPECT_TRUE(fs::exists(m_home.path() / "Tavrolin.txt"));
}

TEST_F(Commands, MapCommandsRunTheButtonsOnTheSchemeGivenAndPrintTheOutput) {
    const std::string header = testing::crlf(
        "[IMG ID]\nName=A lake with a name long enough for the check of the first hundred "
        "characters\n[END-IMG ID]\n");
    const std::string named = m_maps.str() + "lake.mp";
    const std::string unnamed = m_maps.str() + "pond.mp";
    writeFile(named, header + testing::crlf("[POLYGON]\nLabel=3\nData0=(1,2)\n"));
    writeFile(unnamed, header + testing::crlf("[POLYGON]\nData0=(1,2)\n"));

    EXPECT_EQ(run({"mp-labels", named}, "en"), 0) << m_out << m_err;
    EXPECT_EQ(lastLine(), m_maps.str() + "lake-imc.mp\n");
    // The scale follows the scheme button pressed first: 3 m is 0x304 on DrDepth's, else 0x402.
    for (const auto& [scheme, type] :
         {std::pair{"dd", "0x304"}, {"topo", "0x402"}, {"", "0x402"}}) {
        std::vector<std::string> args = {"mp-retype", named};
        if (*scheme) args.insert(args.end(), {"--scheme", scheme});
        EXPECT_EQ(run(args), 0) << m_out << m_err;
        EXPECT_NE(
            readFile(m_maps.str() + "lake-rm.mp").find("Type=" + std::string(type) + "\r\nLabel=3"),
            std::string::npos)
            << scheme;
    }
    EXPECT_EQ(run({"mp-retype", unnamed}), 1);
    EXPECT_FALSE(fs::exists(m_maps.path() / "pond-rm.mp"));
}

struct MigrovaRun {
    int code;
    std::string out;
};

MigrovaRun migrova(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runMigrovaCommandLine("/opt/migrova/", args, out, err);
    return {code, out.str()};
}

TEST(MigrovaCommandLine, PrintsTheLabelsAndTheLogAndExitsByTheOutcome) {
    migrova::testing::TempFolder folder;
    const std::string root = folder.root().string();
    migrova::testing::makeTable(root, "old.dbf", {{"VID", "numeric(1,0)"}, {"MP_TYPE", "char(10)"}},
                                {"(0,'0x01')"});
    migrova::testing::makeTable(
        root, "new.dbf", {{"VID", "numeric(1,0)"}, {"YN", "numeric(1,0)"}, {"MP_TYPE", "char(10)"}},
        {});

    const MigrovaRun done = migrova({folder / "old.dbf", folder / "new.dbf"});
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.out,
              "Старый файл атрибутов выбран корректно (записей #1)\n"
              "Новый файл атрибутов выбран корректно (записей #0)\n"
              " обновление атрибутов...\n"
              "0 >> 0x01\n"
              " атрибуты обновлены успешно\n");

    // The same table twice fails; a single table is a usage error, as in tavrolin.
    EXPECT_EQ(migrova({folder / "new.dbf", root + "/./new.dbf"}).code, 1);
    EXPECT_EQ(migrova({folder / "old.dbf"}).code, 2);
    EXPECT_EQ(migrova({"--help"}).code, 0);
}

}  // namespace
}  // namespace tavrolin
