#include "templates/previews.h"

#include <charconv>
#include <optional>

#include "store/file_io.h"
#include "templates/icon_folder.h"
#include "templates/palette.h"
#include "templates/text_fold.h"

namespace tavrolin {

namespace {

constexpr std::uint32_t kNeutral = color::kButtonFace;

std::optional<int> numberOf(const std::string& text) {
    std::string digits = templates::trim(text);
    int n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return n;
}

// The colour a colour list stands for: neutral when it is empty, 255 or not a palette code.
std::uint32_t listColour(const Main& main, const char* list) {
    std::optional<int> code = numberOf(main.form(list).text);
    if (!code || *code == kNoColorCode || !paletteHas(*code)) return kNeutral;
    return paletteColor(*code);
}

bool isEmpty(const Main& main, const char* control) { return main.form(control).text.empty(); }

void setLine(Main& main, const char* line, std::uint32_t colour) {
    main.form.change(line, -1, [colour](Control& c) { c.borderColor = colour; });
}

void setWidth(Main& main, const char* line, const char* widthList) {
    std::optional<int> width = numberOf(main.form(widthList).text);
    if (!width || *width < 1) return;
    main.form.change(line, -1, [w = *width](Control& c) { c.borderWidth = w; });
}

void setStyle(Main& main, const char* control, bool dotted) {
    main.form.change(control, -1, [dotted](Control& c) {
        c.borderStyle = dotted ? BorderStyle::Dot : BorderStyle::Solid;
    });
}

// Shows the two label samples in the font of AFONT ("12B": size 12, bold).
void showLabelSamples(Main& main) {
    const std::string font = main.form("AFONT").text;
    std::optional<int> size = numberOf(font.substr(0, font.find_first_not_of("0123456789")));
    bool bold = font.find_first_of("bB") != std::string::npos;
    for (const char* sample : {"SAMPOI", "HALPOI"}) {
        main.form.change(sample, -1, [&](Control& c) {
            if (size && *size > 0) c.fontSize = *size;
            c.fontBold = bold;
        });
        main.form.setVisible(sample, true);
    }
    HAL_COLOR_Click(main);
}

void hideLabelSamples(Main& main) {
    main.form.setVisible("SAMPOI", false);
    main.form.setVisible("HALPOI", false);
}

}  // namespace

void COLOR_Click(Main& main) {
    const std::uint32_t fill = listColour(main, "COLOR");
    main.form.change("SAMPLE", -1, [fill](Control& c) {
        c.fillColor = fill;
        c.fillStyle = 0;  // solid
    });
    if (!isEmpty(main, "AWIDTH")) setLine(main, "SAMPLINE", fill);
    main.form.change("SAMPOI", -1, [fill](Control& c) { c.foreColor = fill; });
}

void BDR_COLOR_Click(Main& main) {
    const std::uint32_t border =
        isEmpty(main, "BDR_WIDTH") ? kNeutral : listColour(main, "BDR_COLOR");
    main.form.change("SAMPLE", -1, [border](Control& c) { c.borderColor = border; });
}

void BDR_WIDTH_Click(Main& main) {
    if (!isEmpty(main, "BDR_WIDTH")) {
        BDR_COLOR_Click(main);
    } else {
        main.form.change("SAMPLE", -1, [](Control& c) { c.borderColor = kNeutral; });
    }
}

void BDR_PATTER_Click(Main& main) { setStyle(main, "SAMPLE", !isEmpty(main, "BDR_PATTER")); }

void AWIDTH_Click(Main& main) {
    if (isEmpty(main, "AWIDTH")) {
        setLine(main, "SAMPLINE", kNeutral);
        return;
    }
    setLine(main, "SAMPLINE", main.form("SAMPLE").fillColor);
    setWidth(main, "SAMPLINE", "AWIDTH");
}

void PATTERN_Click(Main& main) { setStyle(main, "SAMPLINE", !isEmpty(main, "PATTERN")); }

void BFR_WIDTH_Click(Main& main) {
    if (isEmpty(main, "BFR_WIDTH")) {
        setLine(main, "BORDLINE", kNeutral);
        return;
    }
    BFR_COLOR_Click(main);
    setWidth(main, "BORDLINE", "BFR_WIDTH");
}

void BFR_COLOR_Click(Main& main) { setLine(main, "BORDLINE", listColour(main, "BFR_COLOR")); }

void HAL_COLOR_Click(Main& main) {
    const std::uint32_t halo = listColour(main, "HAL_COLOR");
    main.form.change("HALPOI", -1, [halo](Control& c) { c.foreColor = halo; });
}

void MODE_Click(Main& main) {
    const std::string mode = main.form("MODE").text;
    if (mode.empty() || mode == "N") {
        hideLabelSamples(main);
    } else if (!isEmpty(main, "AFONT")) {
        showLabelSamples(main);
    }
}

void AFONT_Click(Main& main) {
    if (isEmpty(main, "AFONT")) {
        hideLabelSamples(main);
        return;
    }
    const std::string mode = main.form("MODE").text;
    if (!mode.empty() && mode != "N") showLabelSamples(main);
}

void AICON_Click(Main& main) {
    std::optional<std::filesystem::path> file =
        templates::iconFile(main.programFolder, main.form("AICON").text);
    const std::string picture = file ? store::io::utf8FromPath(*file) : std::string();
    main.form.change("ICONS", -1, [&picture](Control& c) { c.picture = picture; });
}

// The found-objects list is usable only while names are read into it: with "ignore names"
// ticked it stays empty, so it is disabled then. (Enabling it exactly when it is empty, and
// disabling it while it holds the names, would leave the user unable to pick an object.)
void NoName_Click(Main& main) { main.form.setEnabled("GM", main.form("NoName").value == 0); }

void resetPreviewStyles(Main& main) {
    for (const char* control : {"SAMPLE", "SAMPLINE", "BORDLINE"}) setStyle(main, control, false);
}

}  // namespace tavrolin
