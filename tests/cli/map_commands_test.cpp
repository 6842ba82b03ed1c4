// `tavrolin mp-labels` and `tavrolin mp-retype`: the output's path, exit codes, usage errors.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "polish/polish_fixture.h"

namespace tavrolin {
namespace {

using testing::crlf;
using testing::MapFolder;

class MapCommands : public ::testing::Test {
   protected:
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.root().string(), "--lang", "en"});
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCommandLine("/opt/tavrolin/tavrolin", args, out, err);
        m_out = out.str();
        m_err = err.str();
        return code;
    }

    MapFolder home;
    MapFolder maps;
    std::string m_out;
    std::string m_err;
};

TEST_F(MapCommands, RunTheButtonsAndPrintTheOutput) {
    const std::string header = crlf(
        "[IMG ID]\nName=A lake with a name long enough for the check of the first hundred "
        "characters\n[END-IMG ID]\n");
    const std::string named =
        maps.write("lake.mp", header + crlf("[POLYGON]\nLabel=3\nData0=(1,2)\n"));
    const std::string unnamed = maps.write("pond.mp", header + crlf("[POLYGON]\nData0=(1,2)\n"));

    EXPECT_EQ(run({"mp-labels", named}), 0) << m_out << m_err;
    EXPECT_NE(m_out.find(" points from the original polygons created successfully\n"),
              std::string::npos);
    EXPECT_EQ(m_out.substr(m_out.rfind('\n', m_out.size() - 2) + 1),
              maps.path("lake-imc.mp") + "\n");
    // The scale follows the scheme button pressed first: 3 m is 0x304 on DrDepth's, else 0x402.
    EXPECT_EQ(run({"mp-retype", named, "--scheme", "dd"}), 0) << m_out << m_err;
    EXPECT_NE(maps.read("lake-rm.mp").find("Type=0x304\r\nLabel=3"), std::string::npos);
    EXPECT_EQ(run({"mp-retype", "--scheme", "topo", named}), 0) << m_out << m_err;
    EXPECT_NE(maps.read("lake-rm.mp").find("Type=0x402\r\nLabel=3"), std::string::npos);
    EXPECT_EQ(run({"mp-retype", named}), 0) << m_out << m_err;
    EXPECT_NE(maps.read("lake-rm.mp").find("Type=0x402\r\nLabel=3"), std::string::npos);

    EXPECT_EQ(run({"mp-retype", unnamed}), 1);
    EXPECT_FALSE(maps.exists("pond-rm.mp"));
    EXPECT_EQ(run({"mp-labels"}), 2);
    EXPECT_EQ(run({"mp-labels", named, named}), 2);
    EXPECT_EQ(run({"mp-retype", "--fast", named}), 2);
    EXPECT_EQ(run({"mp-retype", "--scheme", "deep", named}), 2);
    EXPECT_EQ(run({"mp-labels", "--scheme", "dd", named}), 2);
}

}  // namespace
}  // namespace tavrolin
