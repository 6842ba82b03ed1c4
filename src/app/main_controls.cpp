#include "app/main_controls.h"

#include <array>

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

[[maybe_unused]] Control place(Control c, int left, int top, int width, int height) {
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
    static constexpr const char* kKindTags[] = {"polygon", "line", "point"};
    static constexpr const char* kKindCaptions[] = {"Polygons", "Lines", "Points"};
    for (int i = 0; i < 3; ++i) {
        Control option = make("SVID", ControlKind::OptionButton, kKindCaptions[i], i);
        option.tag = kKindTags[i];
        form.add(option);
    }
    form.add(make("TrnCase", ControlKind::CheckBox, "translit"));
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
        Control shape = make(area, ControlKind::Shape);
        shape.backStyle = 0;
        form.add(shape);
    }
    for (const char* line : {"SAMPLINE", "BORDLINE"}) {
        Control l = make(line, ControlKind::Line);
        l.borderColor = color::kButtonFace;
        l.borderWidth = 1;
        form.add(l);
    }

    form.add(make("btnReadShp", ControlKind::Button, "MP"));
    form.add(make("btnReadRmp", ControlKind::Button, "RM"));
}

}  // namespace tavrolin
