// `tavrolin convert` on the sample map: options to check boxes, --kind over the detected kind,
// the path line, exit codes.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "convert/convert_fixture.h"

namespace tavrolin {
namespace {

using testing::readFile;
using testing::TempFolder;
namespace fs = std::filesystem;

class ConvertCommand : public ::testing::Test {
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
            "INSERT INTO Tavrolin (VID,YN,MP_TYPE,L_LIMIT,U_LIMIT,COLOR,WIDTH) VALUES "
            "(1,0,'0x3c',0,20,3,2)"));
        ASSERT_TRUE(connection.close());
        fs::copy_file(fs::path(TAVROLIN_SOURCE_DIR) / "examples" / "lake_areas.dbf",
                      m_maps.path() / "lake_orig.dbf");
    }

    int run(std::vector<std::string> args, const std::string& language = "ru") {
        args.insert(args.begin(), {"--home", m_home.str(), "--lang", language, "convert"});
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCommandLine("/opt/tavrolin/tavrolin", args, out, err);
        m_out = out.str();
        m_err = err.str();
        return code;
    }

    std::string source() const { return m_maps.str() + "lake_orig.dbf"; }
    std::string output() const { return m_maps.str() + "lake.dbf"; }

    TempFolder m_home;
    TempFolder m_maps;
    std::string m_out;
    std::string m_err;
};

TEST_F(ConvertCommand, ConvertsTheSampleAndSaysWhereTheOutputWent) {
    ASSERT_EQ(run({source()}), 0) << m_out << m_err;
    EXPECT_NE(m_out.find(" файл с новыми атрибутами по типам успешно создан\n"), std::string::npos);
    EXPECT_EQ(m_out.substr(m_out.rfind('\n', m_out.size() - 2) + 1), output() + "\n");
    const auto rows = testing::readTableRows(m_maps.str(), "lake");
    ASSERT_EQ(rows.size(), 28u);
    EXPECT_EQ(rows[0].at("VALUE"), "Озеро Светлое");
    EXPECT_EQ(rows[0].at("U_LIMIT"), "28");
    EXPECT_EQ(rows[1].at("U_LIMIT"), "34");  // level 1
    EXPECT_EQ(rows[0].count("BDR_COLOR"), 1u);
    EXPECT_EQ(readFile(m_maps.path() / "lake.cpg"), "1251\r\n");
}

TEST_F(ConvertCommand, OptionsSetTheCheckBoxesAndKindOverridesDetection) {
    ASSERT_EQ(run({source(), "--kind", "line", "--translit", "--lower", "--no-levels"}), 0)
        << m_out << m_err;
    const auto rows = testing::readTableRows(m_maps.str(), "lake");
    ASSERT_EQ(rows.size(), 28u);
    EXPECT_EQ(rows[0].count("WIDTH"), 1u);  // a line table
    EXPECT_EQ(rows[0].at("WIDTH"), "2");
    EXPECT_EQ(rows[0].at("VALUE"), "ozero svetloe");
    EXPECT_EQ(rows[1].at("U_LIMIT"), "20");  // levels ignored

    ASSERT_EQ(run({source(), "--mpc", "--no-names"}), 0) << m_out << m_err;
    EXPECT_EQ(testing::readTableRows(m_maps.str(), "lake")[0].count("GRMN_TYPE"), 1u);
}

TEST_F(ConvertCommand, ByDepthPressesTheSchemeButtonBeforeTheConversion) {
    ASSERT_EQ(run({source(), "--by", "depth", "--scheme", "topo"}), 0) << m_out << m_err;
    EXPECT_NE(m_out.find(" файл с новыми атрибутами по глубинам успешно создан\n"),
              std::string::npos);
    auto rows = testing::readTableRows(m_maps.str(), "lake");
    ASSERT_EQ(rows.size(), 28u);
    EXPECT_EQ(rows[8].at("VALUE"), "0");
    EXPECT_EQ(rows[8].at("LAYER"), "40");
    EXPECT_EQ(rows[8].at("COLOR"), "16");
    EXPECT_EQ(rows[9].at("LAYER"), "<null>");  // level 1: left as by types
    EXPECT_EQ(rows[16].at("VALUE"), "5");
    EXPECT_EQ(rows[16].at("COLOR"), "62");
    EXPECT_EQ(rows[16].at("U_LIMIT"), "20");
    EXPECT_EQ(rows[0].at("LAYER"), "<null>");  // a name, not a depth

    // Lines have no user scheme: every swatch cleared, contours get only their layers.
    ASSERT_EQ(run({source(), "--by=depth", "--kind", "line", "--scheme", "user"}), 0)
        << m_out << m_err;
    rows = testing::readTableRows(m_maps.str(), "lake");
    EXPECT_EQ(rows[16].at("LAYER"), "35");
    EXPECT_EQ(rows[16].at("COLOR"), "<null>");
    EXPECT_EQ(rows[16].at("U_LIMIT"), "34");
}

TEST_F(ConvertCommand, UsageErrorsAndFailures) {
    EXPECT_EQ(run({source(), "--by", "sideways"}), 2);
    EXPECT_EQ(run({source(), "--by"}), 2);
    EXPECT_EQ(run({source(), "--scheme", "topo"}), 2);  // the scheme colours depths only
    EXPECT_EQ(run({source(), "--by", "depth", "--scheme", "navy"}), 2);
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({source(), "--kind", "boat"}), 2);
    EXPECT_EQ(run({source(), "--kind"}), 2);
    EXPECT_EQ(run({source(), "--fast"}), 2);
    EXPECT_EQ(run({source(), source()}), 2);
    EXPECT_EQ(run({source(), "--translit"}, "en"), 2);  // never transliterated in English
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_EQ(run({m_maps.str() + "missing.dbf"}), 1);
    EXPECT_FALSE(fs::exists(output()));
}

// A run whose last word is a message box, not a line: the box decides the exit code.
TEST_F(ConvertCommand, AMessageBoxDecidesTheExitCodeToo) {
    std::string table = readFile(source());
    table[0] = '\x30';  // a Visual FoxPro table
    testing::writeFile(m_maps.path() / "fox.dbf", table);
    for (const char* language : {"ru", "en"}) {
        EXPECT_EQ(run({m_maps.str() + "fox.dbf"}, language), 1) << m_out;
        EXPECT_NE(m_out.find(" ! файлы VFP не поддерживаются\n"), std::string::npos) << m_out;
    }
    EXPECT_FALSE(fs::exists(m_maps.path() / "fox-imc.dbf"));
}

}  // namespace
}  // namespace tavrolin
