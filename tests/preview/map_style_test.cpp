#include "preview/map_style.h"

#include <gtest/gtest.h>

namespace tavrolin::preview {
namespace {

ColourRules rules() {
    ColourRules r;
    r.codeColour = [](int code) -> std::optional<std::uint32_t> {
        if (code == 255) return std::nullopt;
        return static_cast<std::uint32_t>(code);
    };
    r.rgbaColour = [](const std::string& text) -> std::optional<std::uint32_t> {
        if (text == "0000FF") return 0xFF0000u;
        return std::nullopt;
    };
    return r;
}

TEST(MapStyle, ReadsTheConversionsColumns) {
    const DisplayStyle style = styleFromAttributes({{"L_LIMIT", "5"},
                                                    {"U_LIMIT", "20"},
                                                    {"LAYER", "3"},
                                                    {"COLOR", "16"},
                                                    {"BDR_COLOR", "9"},
                                                    {"BDR_CLRRGB", "0000FF"},
                                                    {"BDR_WIDTH", "2"},
                                                    {"BDR_PATTER", "111000111"},
                                                    {"HAL_COLOR", "255"},
                                                    {"MODE", "t"},
                                                    {"FONT", "12B"},
                                                    {"P_LIMIT", " 7"}},
                                                   rules());
    EXPECT_EQ(style.lowerLimit, 5);
    EXPECT_EQ(style.upperLimit, 20);
    EXPECT_EQ(style.pointLimit, 7);
    EXPECT_EQ(style.layer, 3);
    EXPECT_EQ(style.color, 16u);
    EXPECT_EQ(style.borderColor, 0xFF0000u);  // the RGBA colour wins over the code
    EXPECT_EQ(style.borderWidth, 2);
    EXPECT_EQ(style.borderPattern, (std::vector<int>{3, 3, 3, 0}));
    EXPECT_EQ(style.haloColor, std::nullopt);  // 255 is no colour
    EXPECT_TRUE(style.showsLabel());
    EXPECT_EQ(style.fontSize, 12);
    EXPECT_TRUE(style.bold);

    // An unknown type: limits only, no label, no colour.
    const DisplayStyle bare = styleFromAttributes({{"L_LIMIT", "0"}, {"U_LIMIT", "34"}}, rules());
    EXPECT_FALSE(bare.showsLabel());
    EXPECT_EQ(bare.color, std::nullopt);
}

TEST(MapStyle, DashRunsStartWithADash) {
    EXPECT_EQ(dashRuns("1100110011"), (std::vector<int>{2, 2, 2, 2, 2, 0}));
    EXPECT_EQ(dashRuns("0011"), (std::vector<int>{2, 2}));
    EXPECT_TRUE(dashRuns("").empty());
    EXPECT_TRUE(dashRuns("1111").empty());
    EXPECT_TRUE(dashRuns("12").empty());
}

}  // namespace
}  // namespace tavrolin::preview
