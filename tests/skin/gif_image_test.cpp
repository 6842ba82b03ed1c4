// Decoding GIF icons: transparency from the graphics control extension, interlaced rows,
// and a clear failure for truncated, foreign or oversized input.
#include "skin/gif_image.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/gif_bytes.h"
#include "support/temp_folder.h"

namespace tavrolin::skin {
namespace {

using testing::gifBytes;
using testing::GifPicture;

Result<ArgbImage> decode(const std::vector<std::uint8_t>& bytes) {
    return decodeGif(bytes, "icon.gif");
}

TEST(DecodeGif, TransparentIndexHasAlphaZeroOthersAreOpaqueAndInterlacedRowsAreInPlace) {
    GifPicture picture{2, 2, {{255, 255, 255}, {30, 144, 255}}, {0, 1, 1, 0}, 0};
    Result<ArgbImage> image = decode(gifBytes(picture));
    ASSERT_TRUE(image.isOk()) << image.status().toString();
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->pixels,
              (std::vector<std::uint32_t>{0x00FFFFFF, 0xFF1E90FF, 0xFF1E90FF, 0x00FFFFFF}));
    picture.transparentIndex = -1;
    EXPECT_EQ(decode(gifBytes(picture))->at(0, 0), 0xFFFFFFFFu);

    GifPicture interlaced{1, 11, {}, {}, -1, true};
    for (std::uint8_t y = 0; y < 11; ++y) {
        interlaced.colours.push_back({y, 0, 0});
        interlaced.pixels.push_back(y);
    }
    image = decode(gifBytes(interlaced));
    ASSERT_TRUE(image.isOk()) << image.status().toString();
    for (int y = 0; y < 11; ++y) {
        EXPECT_EQ(image->at(0, y), 0xFF000000u | (static_cast<std::uint32_t>(y) << 16)) << y;
    }
}

// A GIF cut inside its image data fails with the file's name; other cuts are the fuzz target's.
TEST(DecodeGif, ACutInTheImageDataIsAFailureNamingTheFile) {
    GifPicture picture{5, 4, {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}}, {}, 2};
    for (int i = 0; i < 20; ++i) picture.pixels.push_back(static_cast<std::uint8_t>(i * 7 % 3));
    std::vector<std::uint8_t> bytes = gifBytes(picture);
    bytes.resize(bytes.size() - 6);
    Result<ArgbImage> image = decode(bytes);
    ASSERT_FALSE(image.isOk());
    EXPECT_EQ(image.status().number(), err::kInputPastEnd);
    EXPECT_EQ(image.status().description().rfind("icon.gif: ", 0), 0u);
}

TEST(DecodeGif, RefusesForeignAndOversizedData) {
    std::vector<std::uint8_t> huge = gifBytes({1, 1, {{0, 0, 0}}, {0}});
    huge[6] = 0xD0;  // logical screen 2000 by 2000 around a 1 by 1 image
    huge[7] = 0x07;
    huge[8] = 0xD0;
    huge[9] = 0x07;
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0};
    for (const std::vector<std::uint8_t>& bytes : {png, huge}) {
        EXPECT_EQ(decode(bytes).status().number(), err::kFail);
    }
}

TEST(ReadGif, GivesFileErrorsAsTheStoreMapsThem) {
    testing::ScratchFolder folder("tavrolin-gif-");
    EXPECT_EQ(readGif((folder.root() / "none.gif").string()).status().number(), err::kFileNotFound);
    EXPECT_EQ(readGif(folder.root().string()).status().number(), err::kInvalidArgument);
}

}  // namespace
}  // namespace tavrolin::skin
