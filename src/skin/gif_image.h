// Reads the first picture of a GIF file into memory as 32-bit ARGB pixels (alpha in bits 24 to
// 31, then red, green, blue). The colour that the graphics control extension names transparent
// has alpha 0; every other colour has alpha 255.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/status.h"

namespace tavrolin::skin {

// Icons are tens of pixels a side; a picture beyond this is refused before anything is
// allocated for it.
constexpr int kMaxGifSide = 1024;

struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row from the top, width * height values

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// Decodes GIF bytes. The picture is the GIF's logical screen; its first image is placed on it
// at the image's position, and screen pixels that the image leaves uncovered are transparent
// black (0x00000000). Errors: 62 when the data ends before the picture does, E_FAIL for data
// that is not a GIF or is damaged, a picture without a colour table, a pixel whose colour index
// lies outside its colour table, or a side above kMaxGifSide. `name` names the data in errors.
Result<ArgbImage> decodeGif(std::span<const std::uint8_t> bytes, const std::string& name);

// Reads and decodes a GIF file; file errors as the store maps them (53 not found, 70 not
// allowed, ...).
Result<ArgbImage> readGif(const std::string& path);

}  // namespace tavrolin::skin
