#include "skin/icon_xpm.h"

#include <cerrno>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "store/case_fold.h"
#include "store/codepage.h"
#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin::skin {

namespace {

constexpr const char* kLineBreak = "\r\n";

struct XpmColour {
    std::uint32_t argb = 0;
    std::string character;  // UTF-8 of the code page 1251 byte, or a blank
    std::string text;       // "#RRGGBB" or "none"
    bool opaque = false;
};

std::string colourText(const ArgbParts& parts) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", parts.red, parts.green, parts.blue);
    return text;
}

bool isPaletteColour(const std::string& text, const PaletteTexts& palette) {
    for (const std::string& html : palette) {
        if (!html.empty() && store::equalsIgnoringCase("#" + html, text)) return true;
    }
    return false;
}

}  // namespace

ArgbParts SplitARGB(std::uint32_t argb) {
    return {static_cast<std::uint8_t>(argb >> 24), static_cast<std::uint8_t>(argb >> 16),
            static_cast<std::uint8_t>(argb >> 8), static_cast<std::uint8_t>(argb)};
}

Result<std::string> imageToXpm(const ArgbImage& image, const PaletteTexts& palette) {
    // Read the pixels, building the colour table in order of first appearance.
    std::vector<XpmColour> colours;
    std::unordered_map<std::uint32_t, std::size_t> indexOf;
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        std::string row = "\"";
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.at(x, y);
            auto [found, added] = indexOf.try_emplace(argb, colours.size());
            if (added) {
                if (colours.size() == kMaxXpmColours) {
                    return Status::error(
                        err::kInvalidArgument,
                        "the icon has more than " + std::to_string(kMaxXpmColours) +
                            " colours, the most an XPM picture of one character per pixel takes "
                            "here (pixel " +
                            std::to_string(x) + ", " + std::to_string(y) + ")");
                }
                const ArgbParts parts = SplitARGB(argb);
                XpmColour colour;
                colour.argb = argb;
                colour.opaque = parts.alpha == 255;
                if (colour.opaque) {
                    const char byte = static_cast<char>(kFirstXpmCharacter + colours.size());
                    colour.character = store::decodeCp1251(std::string_view(&byte, 1));
                    colour.text = colourText(parts);
                } else {
                    colour.character = " ";
                    colour.text = "none";
                }
                colours.push_back(std::move(colour));
            }
            row += colours[found->second].character;
        }
        row += '"';
        rows.push_back(std::move(row));
    }

    // Header, colour lines with their notes, pixel rows.
    std::string text = "XPM=\"" + std::to_string(image.width) + " " + std::to_string(image.height) +
                       " " + std::to_string(colours.size()) + " 1\"";
    for (const XpmColour& colour : colours) {
        text += kLineBreak;
        text += "\"" + colour.character + " c " + colour.text + "\"";
        if (colour.opaque && !isPaletteColour(colour.text, palette)) {
            text += kLineBreak;
            text += "; цвет " + colour.text + " не из списка Atlas v10";
        }
    }
    for (const std::string& row : rows) {
        text += kLineBreak;
        text += row;
    }
    return text;
}

Result<std::string> Icon2Xpm(Main& main, const SkinServices& services,
                             const std::string& iconName) {
    Result<std::string> xpm = [&]() -> Result<std::string> {
        const std::optional<std::filesystem::path> file =
            services.iconFile ? services.iconFile(main.programFolder, iconName) : std::nullopt;
        if (!file) {
            return store::fileError(ENOENT, "read",
                                    main.programFolder + "icons/" + iconName + ".gif");
        }
        Result<ArgbImage> image = readGif(store::io::utf8FromPath(*file));
        if (!image) return image.status();
        return imageToXpm(*image, services.palette);
    }();
    if (!xpm) {
        main.fail("btnMakeSkin", xpm.status());
        return xpm;
    }
    main.att(main.tr(" тестовый скин-файл успешно создан", " skin-file created successfully"));
    return xpm;
}

}  // namespace tavrolin::skin
