// Display of one type's template row in the attribute panel, and saving the panel back.
#include <charconv>
#include <utility>
#include <vector>

#include "store/case_fold.h"
#include "store/field_codec.h"
#include "store/utf8_text.h"
#include "templates/colour_entry.h"
#include "templates/previews.h"
#include "templates/template_table.h"
#include "templates/text_fold.h"
#include "templates/type_lists.h"

namespace tavrolin {

using store::equalsIgnoringCase;

namespace {

constexpr int kMaxByte = 255;  // numeric attributes are colour codes, limits, widths: one byte

bool isBound(const Control& c) {
    return !c.tag.empty() && (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox);
}

bool isColourBox(const Control& c) { return c.tag.find("CLRRGB") != std::string::npos; }

bool isHexText(const std::string& text) {
    return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// The new value of a bound control for its column: a number 0 to 255, a text, or null for an
// empty control (and for an incomplete colour text). An error for anything else.
Result<store::Value> newValueOf(const Control& c) {
    if (c.text.empty()) return store::Value();
    if (c.whatsThisHelpId == 0) {
        std::string digits = templates::trim(c.text);
        int number = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (digits.empty() || ec == std::errc::invalid_argument ||
            end != digits.data() + digits.size()) {
            return Status::error(err::kTypeMismatch,
                                 c.name + ": '" + c.text + "' is not a whole number",
                                 c.name + ": '" + c.text + "' - не целое число");
        }
        if (ec == std::errc::result_out_of_range || number < 0 || number > kMaxByte) {
            return Status::error(err::kOverflow, c.name + ": " + c.text + " is not 0 to 255",
                                 c.name + ": " + c.text + " - не от 0 до 255");
        }
        return store::Value::number(number);
    }
    if (!isColourBox(c)) return store::Value::text(c.text);
    std::string rgba = c.text;  // stored in capitals; only hex digits pass the check below
    for (char& digit : rgba) {
        if (digit >= 'a' && digit <= 'z') digit = static_cast<char>(digit - 0x20);
    }
    const std::size_t length = store::countCharacters(rgba);
    if (length < 6 || length == 7) return store::Value();
    if (!isHexText(rgba)) {
        return Status::error(err::kTypeMismatch,
                             c.name + ": '" + c.text + "' is not an RGBA colour");
    }
    return store::Value::text(rgba);
}

// Whether the column takes the value (a number that fits its width, a text for a text column).
Status fitsColumn(const store::RecordSet& rows, const std::string& column,
                  const store::Value& value) {
    Result<int> index = rows.fieldIndex(column);
    if (!index) return index.status();
    const store::FieldInfo& field = rows.field(*index);
    std::vector<char> scratch(static_cast<std::size_t>(field.length), ' ');
    Status status = store::encodeValue(field, value, scratch.data());
    if (!status) {
        return Status::error(status.number(), column + ": " + status.description(),
                             column + ": " + status.description(true));
    }
    return status;
}

}  // namespace

void MP_TYPE_Click(Main& main) {
    Form& form = main.form;
    main.att("");
    if (main.namedKind == store::ObjectKind::None) {
        main.att(main.tr(" * выберите вид объекта для вывода атрибутов по типу",
                         " * select object to open attributes list by type"));
        main.platform.beep();
        kindHint(main);
        return;
    }
    if (form("MP_TYPE").listIndex < 0) return;
    if (!main.templateReady()) return;

    const std::string code = templates::typeCodeOf(form("MP_TYPE").text);
    Result<store::RecordSet> rows =
        templates::openTypeForDisplay(main.connection, main.programName, main.kind, code);
    main.doEvents();
    if (!rows) {
        main.fail("MP_TYPE_Click", rows.status());
        return;
    }
    if (rows->recordCount() == 0) {
        main.att(main.tr(" * атрибуты данного типа в списке не найдены",
                         " * attributes of selected type not found in list"));
        main.platform.beep();
        return;
    }

    resetPreviewStyles(main);
    for (Control* c : form.controls()) {
        if (!isBound(*c) || !c->enabled) continue;
        Result<store::Value> stored = rows->value(c->tag);
        if (!stored) {
            main.fail("MP_TYPE_Click", stored.status());
            return;
        }
        const std::string value = templates::trimRight(stored->toText());
        if (c->kind == ControlKind::TextBox) {
            form.setText(c->name, value);
            if (isColourBox(*c) && value.empty()) {
                form.change(c->name, -1,
                            [](Control& box) { box.backColor = color::kWindowBackground; });
            }
        } else if (c->style == ListStyle::Editable) {
            form.setText(c->name, value);
        } else {
            form.setListIndex(c->name, -1);
            int found = -1;
            for (int i = 0; i < c->listCount() && found < 0; ++i) {
                if (equalsIgnoringCase(c->items[static_cast<std::size_t>(i)], value)) found = i;
            }
            form.setListIndex(c->name, found);
        }
        main.doEvents();
    }
    // FONT is an editable list, so its display raises no click: bring the label samples in
    // line with the MODE and FONT just shown.
    AFONT_Click(main);
    MODE_Click(main);
    // The line styles were reset to solid above, but a pattern list shown with the text it
    // already held raises no Change: draw the patterns of the type just shown.
    if (form("BDR_PATTER").enabled) BDR_PATTER_Click(main);
    if (form("PATTERN").enabled) PATTERN_Click(main);
    AICON_Click(main);
}

void btnAtrSave_Click(Main& main) {
    Form& form = main.form;
    if (main.namedKind == store::ObjectKind::None) {
        main.att(main.tr(" * выберите вид объекта для сохранения", " * select object to save"));
        main.platform.beep();
        kindHint(main);
        return;
    }
    if (form("MP_TYPE").text.empty()) {
        main.att(main.tr(" * выберите тип объекта из списка для сохранения",
                         " * select object type in list to save"));
        main.platform.beep();
        return;
    }
    const std::string code = templates::typeCodeOf(form("MP_TYPE").text);
    const char* notChanged =
        main.tr(" * атрибуты выбранного типа не изменились, сохранение не требуется",
                " * attributes of the selected type is not changed");

    MessageQuestion question;
    question.title = main.tr("Сохранение атрибутов по типу", "Saving attribute by type");
    question.prompt =
        main.russian
            ? " Перезаписать выбранный тип \n" + code + " текущими значениями атрибутов?"
            : " Overwrite the selected type \n" + code + " to current values of attributes?";
    question.buttons = MessageButtons::OkCancel;
    question.icon = MessageIcon::Question;
    if (main.platform.showMessage(question) != MessageAnswer::Ok) {
        main.att(notChanged);
        return;
    }
    if (!main.templateReady()) return;

    Result<store::RecordSet> rows =
        templates::openTypeForSave(main.connection, main.programName, main.kind, code);
    if (!rows) {
        main.fail("btnAtrSave_Click", rows.status());
        return;
    }
    if (rows->recordCount() == 0) {
        main.att(main.tr(" ! невозможно записать атрибуты для выбранного типа ",
                         " ! impossible to save attributes for the selected type ") +
                 code);
        main.platform.beep();
        return;
    }

    // Every value is converted and checked against its column before the row is touched: the
    // record set writes a row with pending changes when it closes, so a value refused halfway
    // would otherwise leave a half-saved row. The changed columns then go out in one update.
    std::vector<std::pair<const Control*, store::Value>> changes;
    for (Control* c : form.controls()) {
        if (!isBound(*c) || !c->enabled) continue;
        Result<store::Value> value = newValueOf(*c);
        Result<store::Value> stored =
            value ? rows->value(c->tag) : Result<store::Value>(value.status());
        Status status = stored.isOk() ? Status() : stored.status();
        if (status && !stored->isNull() &&
            equalsIgnoringCase(templates::trimRight(stored->toText()), value->toText())) {
            continue;
        }
        if (status) status = fitsColumn(*rows, c->tag, *value);
        if (!status) {
            main.fail("btnAtrSave_Click", status);
            return;
        }
        changes.emplace_back(c, std::move(*value));
    }
    for (const auto& [c, value] : changes) {
        if (Status s = rows->setValue(c->tag, value); !s) {
            main.fail("btnAtrSave_Click", s);
            return;
        }
    }
    const bool changed = !changes.empty();
    if (changed) {
        if (Status s = rows->update(); !s) {
            main.fail("btnAtrSave_Click", s);
            return;
        }
        if (Status s = main.connection.flush(); !s) {
            main.fail("btnAtrSave_Click", s);
            return;
        }
        ++main.templateRevision;
    }
    main.att(changed ? main.tr(" атрибуты выбранного типа успешно сохранены",
                               " attributes of the selected type successfully saved")
                     : notChanged);
}

}  // namespace tavrolin
