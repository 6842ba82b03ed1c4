#include "window/main_controls.h"

#include <array>
#include <initializer_list>

#include "store/object_kind.h"

namespace tavrolin {

namespace {

constexpr std::array kBindings{
    AttributeBinding{"L_LIMIT", "L_LIMIT", "012", 0, BoundStyle::PickList},
    AttributeBinding{"U_LIMIT", "U_LIMIT", "012", 0, BoundStyle::PickList},
    AttributeBinding{"LAYER", "LAYER", "012", 0, BoundStyle::PickList},
    AttributeBinding{"MODE", "MODE", "012", 1, BoundStyle::PickList},
    AttributeBinding{"AFONT", "FONT", "012", 1, BoundStyle::EditableList},
    AttributeBinding{"AICON", "ICON", "012", 1, BoundStyle::EditableList},
    AttributeBinding{"MAJ_CAT", "MAJ_CAT", "012", 1, BoundStyle::EditableList},
    AttributeBinding{"MIN_CAT", "MIN_CAT", "012", 1, BoundStyle::EditableList},
    AttributeBinding{"COLOR", "COLOR", "012", 0, BoundStyle::PickList},
    AttributeBinding{"CLRRGB", "CLRRGB", "012", 1, BoundStyle::TextBox},
    AttributeBinding{"HAL_CLRRGB", "HAL_CLRRGB", "012", 1, BoundStyle::TextBox},
    AttributeBinding{"HAL_COLOR", "HAL_COLOR", "12", 0, BoundStyle::PickList},
    AttributeBinding{"BDR_PATTER", "BDR_PATTER", "0", 1, BoundStyle::EditableList},
    AttributeBinding{"BDR_COLOR", "BDR_COLOR", "0", 0, BoundStyle::PickList},
    AttributeBinding{"BDR_CLRRGB", "BDR_CLRRGB", "0", 1, BoundStyle::TextBox},
    AttributeBinding{"BDR_WIDTH", "BDR_WIDTH", "0", 0, BoundStyle::PickList},
    AttributeBinding{"AWIDTH", "WIDTH", "1", 0, BoundStyle::PickList},
    AttributeBinding{"PATTERN", "PATTERN", "1", 1, BoundStyle::EditableList},
    AttributeBinding{"BFR_COLOR", "BFR_COLOR", "1", 0, BoundStyle::PickList},
    AttributeBinding{"BDF_CLRRGB", "BDF_CLRRGB", "1", 1, BoundStyle::TextBox},
    AttributeBinding{"BFR_WIDTH", "BFR_WIDTH", "1", 0, BoundStyle::PickList},
    AttributeBinding{"RTP_COLOR", "RTP_COLOR", "1", 0, BoundStyle::PickList},
    AttributeBinding{"RTP_CLRRGB", "RTP_CLRRGB", "1", 1, BoundStyle::TextBox},
    AttributeBinding{"RTP_LIMIT", "RTP_LIMIT", "1", 0, BoundStyle::PickList},
    AttributeBinding{"INFO_BOX", "INFO_BOX", "2", 1, BoundStyle::EditableList},
    AttributeBinding{"P_ICON", "P_ICON", "2", 1, BoundStyle::EditableList},
    AttributeBinding{"P_LIMIT", "P_LIMIT", "2", 0, BoundStyle::PickList},
};

Control make(const char* name, ControlKind kind, const char* caption = "", int index = -1) {
    Control c;
    c.name = name;
    c.kind = kind;
    c.caption = caption;
    c.index = index;
    return c;
}

Control place(Control c, int left, int top, int width, int height) {
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

Control list(const char* name, ListStyle style = ListStyle::PickList) {
    Control c = make(name, ControlKind::ComboBox);
    c.style = style;
    c.backColor = color::kWindowBackground;
    return c;
}

Control textBox(const char* name) {
    Control c = make(name, ControlKind::TextBox);
    c.backColor = color::kWindowBackground;
    return c;
}

// Where each control sits, in pixels of 15 twips. Controls of a frame are placed relative to
// the frame (frmTYPE, frmNAME, frmALL); the others relative to the window. The panel keeps the
// icon preview's two spots free: 480,1780 twips (polygons, lines) inside the polygon area and
// 7000,2100 twips (points) inside the point area.
struct Spot {
    const char* name;
    int left, top, width, height;
};

constexpr int kTwipsPerPixel = 15;

constexpr Spot kSpots[] = {
    // Top of the window.
    {"btnSource", 8, 8, 30, 24},
    {"Source", 42, 8, 1056, 24},
    {"btnReadShp", 1104, 8, 44, 24},
    {"btnReadRmp", 1152, 8, 44, 24},
    {"btnHelp", 1200, 8, 44, 24},
    {"btnLang", 1248, 8, 44, 24},
    {"Att", 8, 38, 1284, 24},
    {"STRT", 0, 0, 0, 0},
    {"frmTYPE", 8, 70, 640, 124},
    {"frmNAME", 652, 70, 640, 124},
    {"frmALL", 8, 200, 1284, 344},

    // Source attributes by type.
    {"btnMap", 272, 20, 54, 26},
    {"btnAtrSave", 330, 20, 100, 26},
    {"btnMakeType", 436, 20, 94, 26},
    {"btnMakeSkin", 536, 20, 94, 26},
    {"GM", 12, 54, 250, 26},
    {"GM_TYPE", 268, 54, 90, 26},
    {"MP_TYPE", 364, 54, 266, 26},
    {"TrnCase", 12, 90, 110, 22},
    {"LowCase", 124, 90, 110, 22},
    {"NoName", 236, 90, 130, 22},
    {"LvlNull", 368, 90, 130, 22},
    {"TagMPC", 500, 90, 110, 22},

    // Attribute sets by depth: the swatch rows are placed below by index.
    {"fillDD", 12, 90, 70, 26},
    {"fillTOPO", 88, 90, 70, 26},
    {"fillUSER", 164, 90, 70, 26},
    {"btnSetSave", 240, 90, 60, 26},
    {"btnMakeName", 540, 90, 88, 26},

    // The panel: three kind areas side by side, the common attributes below them.
    {"shpAREA", 6, 22, 432, 180},
    {"shpPOI", 444, 22, 300, 180},
    {"shpLINE", 750, 22, 528, 180},
    {"shpALL", 6, 206, 1272, 130},
    // Polygons: border colour, width and pattern; the polygon sample; the fill pattern icon.
    {"lblBDR_COLOR", 14, 32, 90, 20},
    {"BDR_COLOR", 106, 28, 90, 24},
    {"BDR_CLRRGB", 200, 28, 76, 24},
    {"lblBDR_WIDTH", 14, 60, 90, 20},
    {"BDR_WIDTH", 106, 56, 90, 24},
    {"lblBDR_PATTER", 14, 88, 90, 20},
    {"BDR_PATTER", 106, 84, 130, 24},
    {"SAMPLE", 296, 32, 128, 132},
    // Points: note, icon and its limit; the icon spot with the label sample beside it.
    {"lblINFO_BOX", 452, 32, 90, 20},
    {"INFO_BOX", 544, 28, 190, 24},
    {"lblP_ICON", 452, 60, 90, 20},
    {"P_ICON", 544, 56, 120, 24},
    {"lblP_LIMIT", 452, 88, 90, 20},
    {"P_LIMIT", 544, 84, 60, 24},
    {"HALPOI", 531, 145, 60, 30},
    {"SAMPOI", 530, 144, 60, 30},
    // Lines: width, pattern and border in two columns; the line and border samples.
    {"lblAWIDTH", 758, 32, 90, 20},
    {"AWIDTH", 850, 28, 70, 24},
    {"lblPATTERN", 758, 60, 90, 20},
    {"PATTERN", 850, 56, 130, 24},
    {"lblBFR_WIDTH", 758, 88, 90, 20},
    {"BFR_WIDTH", 850, 84, 70, 24},
    {"lblBFR_COLOR", 1000, 32, 90, 20},
    {"BFR_COLOR", 1092, 28, 90, 24},
    {"BDF_CLRRGB", 1186, 28, 76, 24},
    {"lblRTP_COLOR", 1000, 60, 90, 20},
    {"RTP_COLOR", 1092, 56, 90, 24},
    {"RTP_CLRRGB", 1186, 56, 76, 24},
    {"lblRTP_LIMIT", 1000, 88, 90, 20},
    {"RTP_LIMIT", 1092, 84, 60, 24},
    {"SAMPLINE", 770, 132, 490, 20},
    {"BORDLINE", 770, 164, 490, 20},
    // Common attributes in four columns.
    {"lblALL", 14, 210, 200, 18},
    {"lblL_LIMIT", 14, 236, 90, 20},
    {"L_LIMIT", 106, 232, 60, 24},
    {"lblU_LIMIT", 14, 264, 90, 20},
    {"U_LIMIT", 106, 260, 60, 24},
    {"lblY", 172, 250, 192, 20},
    {"lblLAYER", 14, 292, 90, 20},
    {"LAYER", 106, 288, 60, 24},
    {"lblMODE", 370, 236, 90, 20},
    {"MODE", 462, 232, 60, 24},
    {"lblAFONT", 370, 264, 90, 20},
    {"AFONT", 462, 260, 80, 24},
    {"lblAICON", 370, 292, 90, 20},
    {"AICON", 462, 288, 150, 24},
    {"lblMAJ_CAT", 626, 236, 90, 20},
    {"MAJ_CAT", 718, 232, 220, 24},
    {"lblMIN_CAT", 626, 264, 90, 20},
    {"MIN_CAT", 718, 260, 220, 24},
    {"lblCOLOR", 950, 236, 90, 20},
    {"COLOR", 1042, 232, 90, 24},
    {"CLRRGB", 1136, 232, 76, 24},
    {"lblHAL_COLOR", 950, 264, 90, 20},
    {"HAL_COLOR", 1042, 260, 90, 24},
    {"HAL_CLRRGB", 1136, 260, 76, 24},
    {"HTML", 1042, 288, 90, 24},
    {"lblX", 1136, 292, 140, 20},
};

// Puts every control at its spot; the depth swatches go in one row of 25, a heading over
// every fifth; the three kind options side by side.
void layOut(Form& form) {
    auto put = [&form](const char* name, int index, int left, int top, int width, int height) {
        Control& c = form(name, index);
        c = place(c, left * kTwipsPerPixel, top * kTwipsPerPixel, width * kTwipsPerPixel,
                  height * kTwipsPerPixel);
    };
    for (const Spot& spot : kSpots)
        put(spot.name, -1, spot.left, spot.top, spot.width, spot.height);
    constexpr int kSwatchLeft = 12;
    constexpr int kSwatchPitch = 24;
    for (int depth = 0; depth < 25; ++depth) {
        int left = kSwatchLeft + depth * kSwatchPitch;
        put("POLY", depth, left, 40, 22, 16);
        put("POLYS", depth, left, 58, 22, 24);
    }
    for (int i = 0; i < 5; ++i) put("lblM", i, kSwatchLeft + i * 5 * kSwatchPitch, 22, 60, 16);
    for (int i = 0; i < 3; ++i) put("SVID", i, 12 + i * 86, 22, 86, 22);
    // The icon preview starts on the spot that choosing polygons or lines gives it.
    Control& icon = form("ICONS");
    icon = place(icon, 480, 1780, 36 * kTwipsPerPixel, 36 * kTwipsPerPixel);
}

// The frame of each control; every control named in none of these sits in the attribute panel.
struct FrameMembers {
    const char* frame;  // empty: the window itself
    std::initializer_list<const char*> members;
};

const FrameMembers kFrames[] = {
    {"",
     {"btnSource", "Source", "btnHelp", "btnLang", "Att", "STRT", "btnReadShp", "btnReadRmp",
      "frmTYPE", "frmNAME", "frmALL"}},
    {"frmTYPE",
     {"GM", "GM_TYPE", "MP_TYPE", "SVID", "TrnCase", "LowCase", "NoName", "LvlNull", "TagMPC",
      "btnAtrSave", "btnMakeType", "btnMakeSkin", "btnMap"}},
    {"frmNAME",
     {"POLY", "POLYS", "lblM", "fillDD", "fillTOPO", "fillUSER", "btnSetSave", "btnMakeName"}},
};

constexpr const char* kColorCodeLists[] = {"COLOR", "BDR_COLOR", "BFR_COLOR", "RTP_COLOR",
                                           "HAL_COLOR"};

void placeInFrames(Form& form) {
    for (Control* c : form.controls()) {
        c->container = "frmALL";
        for (const FrameMembers& frame : kFrames) {
            for (const char* member : frame.members) {
                if (c->name == member) c->container = frame.frame;
            }
        }
        for (const char* list : kColorCodeLists) {
            if (c->name == list) c->colorCodeList = true;
        }
    }
}
}  // namespace

std::span<const AttributeBinding> attributeBindings() { return kBindings; }

void buildMainControls(Form& form) {
    // Top of the window.
    form.add(make("btnSource", ControlKind::Button, "..."));
    form.add(textBox("Source"));
    form.add(make("btnHelp", ControlKind::Button, "???"));
    form.add(make("btnLang", ControlKind::Button, "RU"));
    form.add(textBox("Att"));
    form.add(make("STRT", ControlKind::Timer));

    // Source attributes by type.
    form.add(make("frmTYPE", ControlKind::Frame, " Source attributes by MP_TYPE "));
    Control gm = list("GM", ListStyle::Editable);
    form.add(gm);
    form.add(list("GM_TYPE", ListStyle::Editable));
    form.add(list("MP_TYPE", ListStyle::Editable));
    static constexpr const char* kKindCaptions[] = {"Polygons", "Lines", "Points"};
    for (int i = 0; i < 3; ++i) {
        Control option = make("SVID", ControlKind::OptionButton, kKindCaptions[i], i);
        option.tag = store::kindName(store::kindFromNumber(i));
        form.add(option);
    }
    form.add(make("TrnCase", ControlKind::CheckBox, "транслит"));
    form.add(make("LowCase", ControlKind::CheckBox, "lower case"));
    form.add(make("NoName", ControlKind::CheckBox, "ignore names"));
    form.add(make("LvlNull", ControlKind::CheckBox, "ignore levels"));
    form.add(make("TagMPC", ControlKind::CheckBox, "MPC"));
    form.add(make("btnAtrSave", ControlKind::Button, "Save"));
    Control makeType = make("btnMakeType", ControlKind::Button, "!!!");
    makeType.enabled = false;
    form.add(makeType);
    Control makeSkin = make("btnMakeSkin", ControlKind::Button, "##");
    makeSkin.enabled = false;
    makeSkin.toolTip = "Создать скин к ГМЕ с типами карты";
    form.add(makeSkin);

    // Attribute sets by depth.
    form.add(make("frmNAME", ControlKind::Frame, " Attributes by depth in NAME "));
    for (int depth = 0; depth < 25; ++depth) {
        Control swatch = make("POLY", ControlKind::Label, "", depth);
        swatch.caption = std::to_string(depth);
        form.add(swatch);
        Control shape = make("POLYS", ControlKind::Shape, "", depth);
        shape.fillStyle = 0;
        shape.fillColor = color::kButtonFace;
        shape.borderColor = color::kWindowText;
        form.add(shape);
    }
    static constexpr const char* kDepthHeadings[] = {">0M", ">5M", ">10M", ">15M", ">20M"};
    for (int i = 0; i < 5; ++i) form.add(make("lblM", ControlKind::Label, kDepthHeadings[i], i));
    form.add(make("fillDD", ControlKind::Button, "DD"));
    form.add(make("fillTOPO", ControlKind::Button, "TOPO"));
    form.add(make("fillUSER", ControlKind::Button, "USER"));
    Control setSave = make("btnSetSave", ControlKind::Button, "SN");
    setSave.toolTip = "Сброс выбранных наборов цветов глубин";
    form.add(setSave);
    Control makeName = make("btnMakeName", ControlKind::Button, "!!!");
    makeName.enabled = false;
    form.add(makeName);

    // The attribute panel, bound controls in window order, each with its caption label.
    form.add(make("frmALL", ControlKind::Frame, " Attributes Atlas v10/v12 "));
    for (const AttributeBinding& binding : kBindings) {
        Control c = binding.style == BoundStyle::TextBox
                        ? textBox(binding.control)
                        : list(binding.control, binding.style == BoundStyle::EditableList
                                                    ? ListStyle::Editable
                                                    : ListStyle::PickList);
        c.tag = binding.column;
        c.dataMember = binding.kinds;
        c.whatsThisHelpId = binding.columnKind;
        if (binding.style == BoundStyle::TextBox) c.maxLength = 8;
        form.add(c);
        if (binding.style != BoundStyle::TextBox) {
            form.add(make(("lbl" + std::string(binding.control)).c_str(), ControlKind::Label,
                          binding.column));
        }
    }
    form.add(textBox("HTML"));
    form.add(make("ICONS", ControlKind::Image));
    form.add(make("lblALL", ControlKind::Label, "Common"));
    form.add(make("lblY", ControlKind::Label, "<- mandatory attributes"));
    form.add(make("lblX", ControlKind::Label, "<- color selection"));

    // Previews.
    Control poi = make("SAMPOI", ControlKind::Label, "Poi");
    poi.backStyle = 0;
    poi.fontSize = 12;
    poi.fontBold = true;
    poi.visible = false;
    form.add(poi);
    Control halo = poi;
    halo.name = "HALPOI";
    form.add(halo);
    Control sample = make("SAMPLE", ControlKind::Shape);
    sample.fillStyle = 0;
    sample.fillColor = color::kButtonFace;
    sample.borderColor = color::kButtonFace;
    form.add(sample);
    for (const char* area : {"shpALL", "shpPOI", "shpLINE", "shpAREA"}) {
        // Kind areas: transparent, shown in a light highlight while the kind hint flashes them.
        Control shape = make(area, ControlKind::Shape);
        shape.backStyle = 0;
        shape.backColor = 0xC0FFFF;
        form.add(shape);
    }
    for (const char* line : {"SAMPLINE", "BORDLINE"}) {
        Control l = make(line, ControlKind::Line);
        l.borderColor = color::kButtonFace;
        l.borderWidth = 1;
        form.add(l);
    }

    form.add(make("btnReadShp", ControlKind::Button, "MP"));
    Control map = make("btnMap", ControlKind::Button, "Map");
    map.enabled = false;  // until a source is read
    form.add(map);
    form.add(make("btnReadRmp", ControlKind::Button, "RM"));

    layOut(form);
    placeInFrames(form);
}

}  // namespace tavrolin
