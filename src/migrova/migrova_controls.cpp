#include "migrova/migrova_controls.h"

#include "window/control.h"

namespace tavrolin::migrova {

namespace {

// Places in twips (15 to a pixel): the two choices one above the other, each a path box with
// its button and a state label under it, then the run button and the log.
struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* caption;
    const char* toolTip;
    const char* text;
    int left, top, width, height;
};

constexpr const char* kChooseTip = "Выбрать исходный файл";

constexpr ControlRow kControls[] = {
    {"SrcOld", ControlKind::TextBox, "", "", "", 120, 120, 8640, 330},
    {"OpenOld", ControlKind::Button, "...", kChooseTip, "", 8820, 120, 600, 330},
    {"AttOld", ControlKind::Label, kOldStartText, "", "", 120, 495, 9300, 300},
    {"SrcNew", ControlKind::TextBox, "", "", "", 120, 960, 8640, 330},
    {"OpenNew", ControlKind::Button, "...", kChooseTip, "", 8820, 960, 600, 330},
    {"AttNew", ControlKind::Label, kNewStartText, "", "", 120, 1335, 9300, 300},
    {"RunJoin", ControlKind::Button, "!!!", "", "", 120, 1800, 9300, 420},
    {"Att", ControlKind::TextBox, "", "", "", 120, 2340, 9300, 4200},
};

}  // namespace

void buildMigrovaControls(Form& form) {
    for (const ControlRow& row : kControls) {
        Control c;
        c.name = row.name;
        c.kind = row.kind;
        c.caption = row.caption;
        c.toolTip = row.toolTip;
        c.text = row.text;
        c.left = row.left;
        c.top = row.top;
        c.width = row.width;
        c.height = row.height;
        if (c.kind == ControlKind::TextBox) c.backColor = color::kWindowBackground;
        form.add(std::move(c));
    }
    form("RunJoin").enabled = false;
    form("Att").multiLine = true;
}

}  // namespace tavrolin::migrova
