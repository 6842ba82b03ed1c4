// `tavrolin xpm NAME`: the XPM text alone on standard output, messages on standard error.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "convert/convert_fixture.h"
#include "support/gif_bytes.h"

namespace tavrolin {
namespace {

TEST(XpmCommand, PrintsThePictureOnlyAndFailsClearly) {
    testing::TempFolder home;
    std::filesystem::create_directory(home.path() / "Icons");
    testing::writeGifFile(home.path() / "Icons" / "Buoy.GIF",
                          {1, 2, {{255, 0, 0}, {18, 52, 86}}, {0, 1}});
    for (const auto& [name, code] : {std::pair{"buoy", 0}, {"anchor", 1}}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runCommandLine("/opt/tavrolin/tavrolin",
                                 {"--home", home.str(), "--lang", "en", "xpm", name}, out, err),
                  code);
        if (code == 0) {
            EXPECT_EQ(out.str(),
                      "XPM=\"1 2 2 1\"\r\n\"# c #FF0000\"\r\n\"$ c #123456\"\r\n"
                      "; цвет #123456 не из списка Atlas v10\r\n\"#\"\r\n\"$\"\r\n");
            EXPECT_NE(err.str().find(" skin-file created successfully\n"), std::string::npos);
        } else {
            EXPECT_EQ(out.str(), "");
            EXPECT_NE(err.str().find(" ! btnMakeSkin: 53. "), std::string::npos) << err.str();
        }
    }
}

}  // namespace
}  // namespace tavrolin
