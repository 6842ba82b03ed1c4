// One control of a window held as plain state: what a widget would show and what the handlers
// read and write. The kinds and property names follow the window they model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrolin {

enum class ControlKind : std::uint8_t {
    Button,
    CheckBox,
    OptionButton,
    ComboBox,
    TextBox,
    Label,
    Frame,
    Image,
    Shape,
    Line,
    Timer,
};

enum class ListStyle : std::uint8_t { PickList, Editable };

// Colours are red + 256 * green + 65536 * blue, or one of the system colours below.
namespace color {
constexpr std::uint32_t kButtonFace = 0x8000000F;
constexpr std::uint32_t kWindowText = 0x80000008;
constexpr std::uint32_t kWindowBackground = 0x80000005;
constexpr std::uint32_t kHighlight = 0x8000000D;  // selected text's background
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
bool isSystem(std::uint32_t value);
// The screen colour a system colour stands for on this desktop (a light window scheme).
std::uint32_t resolve(std::uint32_t value);
}  // namespace color

// Line and border styles of shapes and lines.
enum class BorderStyle : std::uint8_t { Transparent = 0, Solid = 1, Dash = 2, Dot = 3 };

struct Control {
    std::string name;
    int index = -1;  // position in a control array, -1 for a single control
    ControlKind kind = ControlKind::Label;

    std::string caption;
    std::string toolTip;
    std::string text;  // text boxes and the text part of lists
    bool enabled = true;
    bool visible = true;

    int value = 0;  // check box 0/1; option button 1 when chosen

    // Drop-down lists.
    std::vector<std::string> items;
    int listIndex = -1;
    ListStyle style = ListStyle::PickList;
    int maxLength = 0;       // text boxes; 0 means no limit
    bool multiLine = false;  // text boxes: lines separated by '\n', shown scrolled to the end

    // Attribute binding: template column, object kinds ("012"), 0 numeric / 1 text.
    std::string tag;
    std::string dataMember;
    int whatsThisHelpId = 0;

    // Looks.
    std::uint32_t backColor = color::kButtonFace;
    std::uint32_t foreColor = color::kWindowText;
    std::uint32_t fillColor = color::kBlack;
    std::uint32_t borderColor = color::kWindowText;
    int backStyle = 1;  // labels and shapes: 0 transparent, 1 opaque
    int fillStyle = 1;  // shapes: 0 solid, 1 transparent
    BorderStyle borderStyle = BorderStyle::Solid;
    int borderWidth = 1;
    int fontSize = 8;
    bool fontBold = false;
    std::string picture;  // image: path of the picture shown, empty for none

    // Position in twips (1/1440 inch), as the window was designed.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int interval = 0;  // timer, milliseconds; 0 is silent

    // Where the control sits: the frame that holds it, empty for the window itself.
    std::string container;
    // A list of palette colour codes, each shown with a swatch of its colour.
    bool colorCodeList = false;

    int listCount() const { return static_cast<int>(items.size()); }
    bool isList() const { return kind == ControlKind::ComboBox; }
};

}  // namespace tavrolin
