// make_icons: draws the icon folder shipped beside the program, one GIF file per icon name.
//
//   make_icons data/icons.txt build/icons
//
// Each line of the source names an icon and describes it: a point symbol (a shape with a fill and
// an outline colour, optionally a letter of a small built-in font) or a polygon fill pattern (a
// tile). Every icon is 16 by 16 pixels with at most four colours; a "clear" background becomes
// the GIF's transparent colour.
#include <gif_lib.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kSize = 16;

// Colour slots of every icon's colour map.
enum Slot : std::uint8_t { kBackground = 0, kFill = 1, kOutline = 2, kGlyph = 3 };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

using Pixels = std::array<std::array<std::uint8_t, kSize>, kSize>;  // [y][x] slot

// A 5 x 7 font for the letters the icons use; '#' marks a pixel.
const std::map<char, std::array<const char*, 7>>& font() {
    static const std::map<char, std::array<const char*, 7>> glyphs = {
        {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
        {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
        {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
        {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
        {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ### "}},
        {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'J', {"  #  ", " ### ", "  #  ", "  #  ", "# # #", "## ##", " ### "}},  // anchor
        {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
        {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
        {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
        {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
        {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
        {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
        {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
        {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"}},
        {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
        {'$', {"  #  ", " ####", "# #  ", " ### ", "  # #", "#### ", "  #  "}},
        {'+', {"     ", "  #  ", "  #  ", "#####", "  #  ", "  #  ", "     "}},
        {'*', {"     ", "# # #", " ### ", "#####", " ### ", "# # #", "     "}},
        {'!', {"  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "}},
        {'=', {"     ", "     ", "#####", "     ", "#####", "     ", "     "}},
        {'.', {"     ", "     ", " ### ", " ### ", " ### ", "     ", "     "}},
    };
    return glyphs;
}

bool parseColour(const std::string& text, Rgb& out) {
    if (text.size() != 6) return false;
    unsigned long value = std::strtoul(text.c_str(), nullptr, 16);
    out = {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
           static_cast<std::uint8_t>(value)};
    return true;
}

// Whether the pixel centre (px, py), measured from the icon's centre, lies inside a shape whose
// half size is h.
bool inside(const std::string& shape, double px, double py, double h) {
    if (shape == "circle" || shape == "dot") return px * px + py * py <= h * h;
    if (shape == "square") return std::fabs(px) <= h && std::fabs(py) <= h;
    if (shape == "diamond") return std::fabs(px) + std::fabs(py) <= h + 0.5;
    if (shape == "triangle" || shape == "triangle_down") {
        double y = shape == "triangle" ? py : -py;  // apex up or down
        return y <= h && y >= -h && std::fabs(px) <= (y + h) / 2.0 + 0.5;
    }
    if (shape == "buoy") {  // a can on a short stem
        return (std::fabs(px) <= h * 0.55 && py >= -h && py <= h * 0.4) ||
               (std::fabs(px) <= h && py > h * 0.4 && py <= h);
    }
    if (shape == "star") {  // a light: a disc with eight rays
        const double ax = std::fabs(px);
        const double ay = std::fabs(py);
        const bool ray = ax <= 1.0 || ay <= 1.0 || std::fabs(ax - ay) <= 1.0;
        return px * px + py * py <= (ray ? h * h : 10.0);
    }
    if (shape == "flag") {  // a pole with a flag
        return (px >= -h && px <= -h + 1.5) || (px > -h && px <= h && py >= -h && py <= 0);
    }
    return false;
}

Pixels drawSymbol(const std::string& shape, bool hasOutline, char glyph, bool hasGlyph) {
    Pixels p{};
    const double half = shape == "dot" ? 3.5 : 7.0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double px = x + 0.5 - kSize / 2.0;
            double py = y + 0.5 - kSize / 2.0;
            if (!inside(shape, px, py, half)) continue;
            bool edge = false;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                if (!inside(shape, px + dx, py + dy, half)) edge = true;
            }
            p[y][x] = edge && hasOutline ? kOutline : kFill;
        }
    }
    if (hasGlyph) {
        const auto& rows = font().at(glyph);
        for (int gy = 0; gy < 7; ++gy) {
            for (int gx = 0; gx < 5; ++gx) {
                if (rows[gy][gx] == '#') p[gy + 5][gx + 6] = kGlyph;
            }
        }
    }
    return p;
}

Pixels drawPattern(const std::string& kind) {
    Pixels p{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int u = x % 8;
            const int v = y % 8;
            bool on = false;
            if (kind == "dots") on = x % 4 == 1 && y % 4 == 1;
            if (kind == "hatch") on = (x + y) % 6 == 0;
            if (kind == "crosshatch") on = (x + y) % 6 == 0 || (x - y + kSize) % 6 == 0;
            if (kind == "grid") on = u == 0 || v == 0;
            if (kind == "crosses")
                on = (u == 3 && v >= 1 && v <= 5) || (v == 2 && u >= 2 && u <= 4);
            if (kind == "trees")
                on = (v >= 1 && v <= 4 && std::abs(u - 3) <= (v - 1)) ||
                     (u == 3 && v >= 5 && v <= 6);
            if (kind == "orchard") on = (u - 3) * (u - 3) + (v - 3) * (v - 3) <= 2;
            if (kind == "reeds")
                on = (v == 5 && u >= 1 && u <= 5) || ((u == 1 || u == 5) && v >= 3 && v <= 4) ||
                     (u == 3 && v >= 1 && v <= 4);
            if (kind == "sand") on = ((x * 7 + y * 13 + x * y) % 11) == 0;
            if (kind == "ice") on = v == 3 && u != 7 && u != 0;
            if (kind == "rocks")
                on = (u == v || u == 6 - v) && u <= 6 && v <= 6 && v >= 0 && (u >= 2 && u <= 4);
            if (on) p[y][x] = kFill;
        }
    }
    return p;
}

bool writeGif(const fs::path& path, const Pixels& pixels, const std::array<Rgb, 4>& colours,
              bool transparent) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) return false;
    GifColorType map[4];
    for (int i = 0; i < 4; ++i) map[i] = {colours[i].r, colours[i].g, colours[i].b};
    ColorMapObject* colourMap = GifMakeMapObject(4, map);
    bool ok = colourMap != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, kSize, kSize, 2, 0, colourMap) == GIF_OK;
    if (ok && transparent) {
        GraphicsControlBlock block{};
        block.DisposalMode = DISPOSAL_UNSPECIFIED;
        block.UserInputFlag = false;
        block.DelayTime = 0;
        block.TransparentColor = kBackground;
        GifByteType extension[4];
        std::size_t length = EGifGCBToExtension(&block, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
             GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, kSize, kSize, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < kSize; ++y) {
        GifPixelType row[kSize];
        for (int x = 0; x < kSize; ++x) row[x] = pixels[y][x];
        ok = EGifPutLine(gif, row, kSize) == GIF_OK;
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    if (colourMap != nullptr) GifFreeMapObject(colourMap);
    return ok;
}

int fail(const std::string& message) {
    std::cerr << "make_icons: " << message << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fail("usage: make_icons ICONS.txt OUTPUT_FOLDER");
    std::ifstream in(argv[1]);
    if (!in) return fail(std::string("cannot read ") + argv[1]);
    const fs::path folder = argv[2];
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return fail("cannot create " + folder.string());

    std::string line;
    int count = 0;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string name, kind;
        words >> name >> kind;
        if (name.empty()) continue;
        const std::string where = std::string(argv[1]) + ":" + std::to_string(lineNumber) + ": ";
        if (name.size() > 25) return fail(where + "icon name longer than 25 characters");

        std::array<Rgb, 4> colours{Rgb{255, 255, 255}, Rgb{}, Rgb{}, Rgb{}};
        Pixels pixels{};
        std::string background;
        if (kind == "symbol") {
            std::string shape, fill, outline, glyph, glyphColour;
            words >> shape >> fill >> outline >> glyph >> glyphColour >> background;
            if (background.empty()) return fail(where + "a symbol needs seven fields");
            bool hasOutline = outline != "-";
            bool hasGlyph = glyph != "-";
            if (fill != "-" && !parseColour(fill, colours[kFill])) return fail(where + "fill");
            if (hasOutline && !parseColour(outline, colours[kOutline])) {
                return fail(where + "outline");
            }
            if (hasGlyph && (glyph.size() != 1 || !font().count(glyph[0]) ||
                             !parseColour(glyphColour, colours[kGlyph]))) {
                return fail(where + "glyph " + glyph);
            }
            pixels = drawSymbol(shape, hasOutline, hasGlyph ? glyph[0] : ' ', hasGlyph);
        } else if (kind == "pattern") {
            std::string pattern, colour;
            words >> pattern >> colour >> background;
            if (background.empty() || !parseColour(colour, colours[kFill])) {
                return fail(where + "a pattern needs a kind, a colour and a background");
            }
            pixels = drawPattern(pattern);
        } else {
            return fail(where + "unknown icon kind " + kind);
        }
        const bool transparent = background == "clear";
        if (!transparent && !parseColour(background, colours[kBackground])) {
            return fail(where + "background");
        }
        if (!writeGif(folder / (name + ".gif"), pixels, colours, transparent)) {
            return fail(where + "cannot write " + name + ".gif");
        }
        ++count;
    }
    std::cout << "make_icons: " << count << " icons in " << folder.string() << "\n";
    return 0;
}
