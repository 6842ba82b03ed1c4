#include "templates/colour_entry.h"

#include "store/case_fold.h"
#include "store/utf8_text.h"
#include "templates/palette.h"

namespace tavrolin {

namespace {

constexpr const char* kHexDigits = "0123456789abcdef";

void setBackColor(Main& main, const std::string& box, std::uint32_t colour) {
    main.form.change(box, -1, [colour](Control& c) { c.backColor = colour; });
}

}  // namespace

bool CheckChars(Main& main, const std::string& text, const std::string& allowed) {
    if (text.empty()) return false;
    const std::string allowedFolded = store::foldUtf8(allowed);
    for (char c : store::foldUtf8(text)) {
        if (allowedFolded.find(c) == std::string::npos) {
            main.platform.beep();
            return false;
        }
    }
    return true;
}

void RGBA(Main& main, const std::string& box) {
    const std::string text = main.form(box).text;
    // Lengths count characters: Cyrillic letters typed in the wrong keyboard layout are two
    // bytes each.
    const std::size_t length = store::countCharacters(text);
    if (length != 6 && length != 8) {
        setBackColor(main, box, color::kWindowBackground);
        return;
    }
    if (!CheckChars(main, text, kHexDigits)) {
        setBackColor(main, box, color::kWindowBackground);
        main.att(main.tr(" * введите цвет в формате RGBA (например 01ABCD или 01ABCDEF)",
                         " * enter color in RGBA (eg 01ABCD or 01ABCDEF)"));
        return;
    }
    Result<std::uint32_t> rgb = rgbaToRgb(text);
    if (!rgb) {
        main.att(" ! RGBA: " + rgb.status().toString(main.russian));
        return;
    }
    setBackColor(main, box, *rgb);
}

std::optional<std::uint32_t> PickColor(Main& main, std::uint32_t initial) {
    // The dialog takes real colours only: a system colour becomes the colour it stands for.
    return main.platform.pickColor(color::resolve(initial));
}

void pickIntoBox(Main& main, const std::string& box) {
    std::optional<std::uint32_t> chosen = PickColor(main, main.form(box).backColor);
    if (!chosen) return;
    main.form.setText(box, RGB2HTML(*chosen));  // its change event paints the box
}

void HTML_Change(Main& main) {
    Form& form = main.form;
    const std::string text = form("HTML").text;
    const char* hint =
        main.tr(" * введите цвет в формате HTML (например 01ABCD) для подбора кода цвета",
                " * enter color in HTML (eg 01ABCD) for the selection of the color code");
    if (store::countCharacters(text) != 6 || !CheckChars(main, text, kHexDigits)) {
        setBackColor(main, "HTML", color::kButtonFace);
        main.att(hint);
        return;
    }
    setBackColor(main, "HTML", HTML2RGB(main, text));
    const std::string code = std::to_string(HTML2Code(text));
    const Control& colours = form("COLOR");
    for (int i = 0; i < colours.listCount(); ++i) {
        if (colours.items[static_cast<std::size_t>(i)] == code) form.setListIndex("COLOR", i);
    }
    main.att(main.tr(" * наиболее похожий доступный цвет имеет код ",
                     " * the closest available color code is ") +
             code);
}

}  // namespace tavrolin
