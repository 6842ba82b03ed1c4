// `tavrolin xpm NAME`: the XPM text alone on standard output, messages on standard error.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "convert/convert_fixture.h"
#include "support/gif_bytes.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

class XpmCommand : public ::testing::Test {
   protected:
    void SetUp() override {
        fs::create_directory(m_home.path() / "Icons");
        testing::writeGifFile(m_home.path() / "Icons" / "Buoy.GIF",
                              {1, 2, {{255, 0, 0}, {18, 52, 86}}, {0, 1}});
    }

    int run(const std::string& name) {
        std::ostringstream out;
        std::ostringstream err;
        const int code =
            runCommandLine("/opt/tavrolin/tavrolin",
                           {"--home", m_home.str(), "--lang", "en", "xpm", name}, out, err);
        m_out = out.str();
        m_err = err.str();
        return code;
    }

    testing::TempFolder m_home;
    std::string m_out;
    std::string m_err;
};

TEST_F(XpmCommand, PrintsThePictureOnlyAndFailsClearly) {
    ASSERT_EQ(run("buoy"), 0) << m_err;
    EXPECT_EQ(m_out,
              "XPM=\"1 2 2 1\"\r\n\"# c #FF0000\"\r\n\"$ c #123456\"\r\n"
              "; цвет #123456 не из списка Atlas v10\r\n\"#\"\r\n\"$\"\r\n");
    EXPECT_NE(m_err.find(" skin-file created successfully\n"), std::string::npos);

    EXPECT_EQ(run("anchor"), 1);
    EXPECT_EQ(m_out, "");
    EXPECT_NE(m_err.find(" ! btnMakeSkin: 53. "), std::string::npos) << m_err;
}

}  // namespace
}  // namespace tavrolin
