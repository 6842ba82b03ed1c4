// `tavrolin skin SOURCE.dbf [--kind K]`: reads the source, chooses the kind, writes the skin
// beside it and prints its path.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "convert/convert_fixture.h"
#include "store/codepage.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

TEST(SkinCommand, WritesTheSkinOfTheChosenKind) {
    testing::TempFolder home;
    testing::TempFolder maps;
    {
        store::Connection connection;
        ASSERT_TRUE(connection.open(home.str()));
        ASSERT_TRUE(connection.execute(std::string("CREATE TABLE Tavrolin.dbf (") +
                                       testing::kTemplateColumns + ")"));
        ASSERT_TRUE(connection.execute(
            "INSERT INTO Tavrolin (VID,YN,MP_TYPE,MP_ENG,MP_NAME,COLOR,WIDTH) VALUES "
            "(1,0,'0x3c','Lake shore','Берег',12,2)"));
        ASSERT_TRUE(connection.close());
    }
    fs::copy_file(fs::path(TAVROLIN_SOURCE_DIR) / "examples" / "lake_areas.dbf",
                  maps.path() / "lake.dbf");
    const std::string source = maps.str() + "lake.dbf";

    std::ostringstream out;
    std::ostringstream err;
    std::vector<std::string> args = {"--home", home.str(), "--lang", "ru",
                                     "skin",   source,     "--kind", "line"};
    ASSERT_EQ(runCommandLine("/opt/tavrolin/tavrolin", args, out, err), 0)
        << out.str() << err.str();
    const std::string skin = maps.str() + "lake.txt";
    EXPECT_EQ(out.str().substr(out.str().rfind('\n', out.str().size() - 2) + 1), skin + "\n");
    const std::string text = store::decodeCp1251(testing::readFile(skin));
    EXPECT_NE(text.find("\r\n[_line]\r\nType=0x3c\r\nCustom=N\r\nString1=4 Lake shore\r\n"
                        "String1=0x19 Берег\r\nLineWidth=2\r\n"),
              std::string::npos)
        << text;

    args[7] = "river";
    EXPECT_EQ(runCommandLine("/opt/tavrolin/tavrolin", args, out, err), 2);
}

}  // namespace
}  // namespace tavrolin
