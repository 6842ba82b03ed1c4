#include "templates/type_lists.h"

#include "store/case_fold.h"
#include "templates/template_table.h"
#include "templates/text_fold.h"

namespace tavrolin {

using store::equalsIgnoringCase;
using templates::typeCodeOf;

namespace {

constexpr int kHintPauseMs = 200;
// Icon preview position by kind, in twips: beside the point attributes, or under the samples.
constexpr int kPointIconLeft = 7000;
constexpr int kPointIconTop = 2100;
constexpr int kOtherIconLeft = 480;
constexpr int kOtherIconTop = 1780;

bool isBound(const Control& c) {
    return !c.tag.empty() && (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox);
}

void noKindChosen(Main& main) {
    main.att(main.tr(" * выберите вид объекта для вывода атрибутов по типу",
                     " * select object to open attributes list by type"));
    main.platform.beep();
    kindHint(main);
}

// Steps shared by GM_Click and GM_TYPE_Click once the code is known: select the type in
// MP_TYPE, or offer to add it. fromObjects: chosen in GM (label offered, YN written).
void selectOrOfferType(Main& main, const std::string& procedure, const std::string& code,
                       const std::string& label, bool fromObjects) {
    Form& form = main.form;
    const Control& types = form("MP_TYPE");
    for (int i = 0; i < types.listCount(); ++i) {
        const std::string& entry = types.items[static_cast<std::size_t>(i)];
        if (entry.find('|') == std::string::npos) continue;
        if (equalsIgnoringCase(typeCodeOf(entry), code)) {
            form.setListIndex("MP_TYPE", i);  // displays the type
            main.askAddType = true;
            return;
        }
    }

    main.att(main.tr(" * выбранный тип в списке не найден", " * selected type not found in list"));
    if (!main.askAddType || !main.templateReady()) return;
    main.platform.beep();
    InputQuestion question;
    question.title = main.tr("Тип в списке не найден", "Type not found");
    question.prompt = main.russian ? "Хотите добавить новый тип " + code +
                                         " в список?\nТогда введите его описание и нажмите "
                                         "Ok,\nв противном случае нажмите Cancel:"
                                   : "Do you want to add new type " + code +
                                         " in list?\nEnter the description and click "
                                         "Ok,\notherwise, click Cancel:";
    question.initialText = fromObjects ? label : "";
    std::string answer = main.platform.askInput(question);
    if (answer.empty()) {
        main.askAddType = false;
        return;
    }

    Status status = templates::addType(main.connection, main.programName, main.kind, code, answer,
                                       main.russian, fromObjects);
    if (!status) {
        main.fail(procedure, status);
        return;
    }
    form.addItem("MP_TYPE", code + kListSeparator + answer);
    form.setListIndex("MP_TYPE", form("MP_TYPE").listCount() - 1);  // shows the empty type
}

}  // namespace

void fillTypeList(Main& main) {
    Form& form = main.form;
    form.clearList("MP_TYPE");
    if (main.kind == store::ObjectKind::None || !main.templateUsable || !main.connection.isOpen())
        return;

    Result<store::RecordSet> rows = templates::openTypeList(main.connection, main.programName);
    if (!rows) {
        main.fail("fillTypeList", rows.status());
        return;
    }
    std::vector<std::string> entries;
    const char* nameColumn = main.russian ? "MP_NAME" : "MP_ENG";
    for (; !rows->eof();) {
        Result<store::Value> vid = rows->value(0);
        if (!vid) {
            main.fail("fillTypeList", vid.status());
            break;
        }
        if (templates::listsForKind(vid->toText(), main.kind)) {
            Result<store::Value> code = rows->value("MP_TYPE");
            Result<store::Value> name = rows->value(nameColumn);
            if (!code || !name) {
                main.fail("fillTypeList", !code ? code.status() : name.status());
                break;
            }
            entries.push_back(templates::trimRight(code->toText()) + kListSeparator +
                              templates::trimRight(name->toText()));
        }
        if (Status moved = rows->moveNext(); !moved) {
            main.fail("fillTypeList", moved);
            break;
        }
        main.doEvents();
    }
    form.setItems("MP_TYPE", std::move(entries));
}

void SVID_Click(Main& main, int index) {
    if (index < 0 || index > 2) return;
    Form& form = main.form;
    // A call by program shows the option chosen too, without raising its click again.
    if (form("SVID", index).value == 0) {
        form.change("SVID", index, [](Control& c) { c.value = 1; });
        for (int other = 0; other < 3; ++other) {
            if (other != index) form.change("SVID", other, [](Control& c) { c.value = 0; });
        }
    }

    main.namedKind = store::kindFromNumber(index);
    if (main.sourceRead) {
        form.setEnabled("btnMakeType", true);
        form.setEnabled("btnMakeSkin", true);
        form.setEnabled("btnMakeName", true);
    }
    main.kind = store::kindFromNumber(index);

    const char digit = static_cast<char>('0' + index);
    for (Control* c : form.controls()) {
        if (!isBound(*c)) continue;
        bool enabled = c->dataMember.find(digit) != std::string::npos;
        form.setEnabled(c->name, enabled, c->index);
        if (c->isList() && form.has("lbl" + c->name)) form.setEnabled("lbl" + c->name, enabled);
    }

    fillTypeList(main);

    bool point = index == 2;
    form.change("ICONS", -1, [point](Control& c) {
        c.left = point ? kPointIconLeft : kOtherIconLeft;
        c.top = point ? kPointIconTop : kOtherIconTop;
    });
}

void kindHint(Main& main) {
    for (const char* area : {"shpAREA", "shpLINE", "shpPOI"}) {
        main.form.change(area, -1, [](Control& c) { c.backStyle = 1; });
        main.doEvents();
        main.platform.pause(kHintPauseMs);
        main.form.change(area, -1, [](Control& c) { c.backStyle = 0; });
    }
}

void GM_Click(Main& main) {
    if (main.syncingFoundLists) return;  // selected by GM_TYPE_Click, which does the rest
    Form& form = main.form;
    const std::string text = form("GM").text;
    if (text.empty()) return;
    if (main.namedKind == store::ObjectKind::None) {
        noKindChosen(main);
        return;
    }

    std::string code = typeCodeOf(text);
    std::string label;
    if (std::size_t bar = text.find('|'); bar != std::string::npos) {
        label = templates::trim(std::string_view(text).substr(bar + 1));
    }

    {
        FlagScope syncing(main.syncingFoundLists);
        const Control& found = form("GM_TYPE");
        for (int i = 0; i < found.listCount(); ++i) {
            if (equalsIgnoringCase(found.items[static_cast<std::size_t>(i)], code)) {
                form.setListIndex("GM_TYPE", i);
            }
        }
    }
    selectOrOfferType(main, "GM_Click", code, label, true);
}

void GM_TYPE_Click(Main& main) {
    if (main.syncingFoundLists) return;  // selected by GM_Click, which does the rest
    Form& form = main.form;
    const std::string code = form("GM_TYPE").text;
    if (code.empty()) return;
    if (main.namedKind == store::ObjectKind::None) {
        noKindChosen(main);
        return;
    }

    {
        FlagScope syncing(main.syncingFoundLists);
        const Control& objects = form("GM");
        for (int i = 0; i < objects.listCount(); ++i) {
            if (equalsIgnoringCase(typeCodeOf(objects.items[static_cast<std::size_t>(i)]), code)) {
                form.setListIndex("GM", i);
            }
        }
    }
    selectOrOfferType(main, "GM_TYPE_Click", code, "", false);
}

}  // namespace tavrolin
