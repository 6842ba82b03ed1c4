// GIF pictures for tests, written with giflib into memory or a file: a colour table, one index
// per pixel, an optional transparent index (graphics control extension) and interlacing.
#pragma once

#include <gif_lib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace tavrolin::testing {

struct GifPicture {
    int width = 1;
    int height = 1;
    std::vector<std::array<std::uint8_t, 3>> colours;  // red, green, blue; padded to 2^n
    std::vector<std::uint8_t> pixels;                  // colour indexes, row by row
    int transparentIndex = -1;
    bool interlaced = false;
};

inline std::vector<std::uint8_t> gifBytes(const GifPicture& picture) {
    std::vector<std::uint8_t> bytes;
    auto append = [](GifFileType* gif, const GifByteType* data, int length) {
        auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
        out->insert(out->end(), data, data + length);
        return length;
    };
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, append, &error);
    if (gif == nullptr) throw std::runtime_error("EGifOpen failed");
    int size = 2;
    int bits = 1;
    while (size < static_cast<int>(picture.colours.size())) size *= 2, ++bits;
    std::vector<GifColorType> map(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < picture.colours.size(); ++i) {
        map[i] = {picture.colours[i][0], picture.colours[i][1], picture.colours[i][2]};
    }
    ColorMapObject* colourMap = GifMakeMapObject(size, map.data());
    bool ok = colourMap != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, picture.width, picture.height, bits, 0, colourMap) == GIF_OK;
    if (ok && picture.transparentIndex >= 0) {
        GraphicsControlBlock block{};
        block.DisposalMode = DISPOSAL_UNSPECIFIED;
        block.TransparentColor = picture.transparentIndex;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&block, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
             GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, picture.interlaced,
                                nullptr) == GIF_OK;
    // An interlaced image stores every 8th row from 0, every 8th from 4, every 4th from 2,
    // then every 2nd from 1.
    std::vector<int> rows;
    if (picture.interlaced) {
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int y = start; y < picture.height; y += step) rows.push_back(y);
        }
    } else {
        for (int y = 0; y < picture.height; ++y) rows.push_back(y);
    }
    for (int y : rows) {
        if (!ok) break;
        std::vector<GifPixelType> line(picture.pixels.begin() + y * picture.width,
                                       picture.pixels.begin() + (y + 1) * picture.width);
        ok = EGifPutLine(gif, line.data(), picture.width) == GIF_OK;
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    if (colourMap != nullptr) GifFreeMapObject(colourMap);
    if (!ok) throw std::runtime_error("writing the GIF failed");
    return bytes;
}

inline void writeGifFile(const std::filesystem::path& path, const GifPicture& picture) {
    const std::vector<std::uint8_t> bytes = gifBytes(picture);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tavrolin::testing
