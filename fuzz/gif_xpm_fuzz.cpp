// Feeds arbitrary bytes to the GIF icon reader and turns every picture it accepts into XPM
// text. Beyond the sanitizers' checks: a refusal carries an error number and a reason, and an
// accepted picture gives a header with its size and one quoted row per pixel row.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "skin/gif_image.h"
#include "skin/icon_xpm.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrolin;
    static const skin::PaletteTexts palette = [] {
        skin::PaletteTexts texts;
        texts[0] = "000000";
        texts[12] = "FF0000";
        texts[15] = "FFFFFF";
        return texts;
    }();

    Result<skin::ArgbImage> image = skin::decodeGif(std::span(data, size), "fuzz.gif");
    if (!image) {
        check(image.status().number() != 0 && !image.status().description().empty());
        return 0;
    }
    check(image->width > 0 && image->height > 0 && image->width <= skin::kMaxGifSide &&
          image->height <= skin::kMaxGifSide);
    check(image->pixels.size() ==
          static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));

    Result<std::string> xpm = skin::imageToXpm(*image, palette);
    if (!xpm) {
        check(xpm.status().number() == err::kInvalidArgument);
        return 0;
    }
    const std::string header =
        "XPM=\"" + std::to_string(image->width) + " " + std::to_string(image->height) + " ";
    check(xpm->rfind(header, 0) == 0);
    check(xpm->size() >= 2 && xpm->substr(xpm->size() - 2) != "\r\n");
    std::size_t rows = 0;
    for (std::size_t at = 0; (at = xpm->find("\r\n\"", at)) != std::string::npos; at += 3) ++rows;
    check(rows >= static_cast<std::size_t>(image->height));  // colour lines are quoted too
    return 0;
}
