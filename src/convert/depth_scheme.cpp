#include "convert/depth_scheme.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "store/case_fold.h"
#include "store/object_kind.h"

namespace tavrolin {

namespace {

// Swatch codes by depth, 0 to 24 m.
constexpr std::array<int, kSwatchCount> kDrDepthCodes = {30, 4,  12, 19,  23, 20,  21, 22, 17,
                                                         74, 68, 62, 56,  50, 44,  43, 42, 41,
                                                         26, 40, 0,  125, 8,  168, 7};
constexpr std::array<int, kSwatchCount> kTopoCodes = {16, 16, 16, 16, 16, 62, 62, 62, 62,
                                                      62, 56, 56, 56, 56, 56, 43, 43, 43,
                                                      43, 43, 41, 41, 41, 41, 41};
constexpr int kBlackCode = 0;
constexpr int kGreyCode = 8;
constexpr const char* kNoColorText = "255";

// A colour code typed into COLOR or BDR_COLOR: a whole number from 0 to 255.
Result<int> codeOf(const std::string& text) {
    int code = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, code);
    if (text.empty() || error != std::errc() || stop != end) {
        return Status::error(err::kTypeMismatch, "\"" + text + "\" is not a colour code");
    }
    if (code < 0 || code > 255) {
        return Status::error(err::kSubscriptOutOfRange,
                             "colour code " + text + " is not from 0 to 255");
    }
    return code;
}

// The swatch colour of a code typed into the panel: no colour for 255, else its palette colour.
std::uint32_t swatchColor(const DepthServices& services, int code) {
    return code == 255 ? color::kButtonFace : services.paletteColor(code);
}

void loadScheme(Main& main, const DepthServices& services,
                const std::array<int, kSwatchCount>& codes, bool topographic) {
    main.att("");
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        main.form.setCaption("POLY", std::to_string(codes[static_cast<std::size_t>(depth)]), depth);
    }
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        Swatch swatch = readSwatch(main, depth);
        swatch.fill = services.paletteColor(std::stoi(swatch.code));
        const bool grey = topographic && depth % 5 != 0;
        swatch.border = services.paletteColor(grey ? kGreyCode : kBlackCode);
        writeSwatch(main, depth, swatch);
    }
}

// "*" + pieces joined by "*" + "*" on a folded text: each piece found after the one before.
bool containsInOrder(std::string_view text, std::initializer_list<std::string_view> pieces) {
    std::size_t from = 0;
    for (std::string_view piece : pieces) {
        const std::size_t at = text.find(piece, from);
        if (at == std::string_view::npos) return false;
        from = at + piece.size();
    }
    return true;
}

// What fillUSER takes from the template row of one found type.
struct DepthType {
    bool found = false;
    std::string name;   // Russian name, else English
    std::string color;  // COLOR as text, empty for null
};

Result<std::string> textOf(const store::RecordSet& rows, const char* column) {
    Result<store::Value> value = rows.value(column);
    if (!value) return value.status();
    return value->toText();
}

Result<DepthType> readDepthType(store::RecordSet& rows, const std::string& typeCode) {
    DepthType type;
    if (typeCode.find('\'') != std::string::npos) return type;  // no template code has one
    if (Status s = rows.moveFirst(); !s) return s;
    if (Status s = rows.find("MP_TYPE='" + typeCode + "'"); !s) return s;
    if (rows.eof()) return type;
    type.found = true;
    Result<std::string> russian = textOf(rows, "MP_NAME");
    if (!russian) return russian.status();
    Result<std::string> english = textOf(rows, "MP_ENG");
    if (!english) return english.status();
    Result<std::string> color = textOf(rows, "COLOR");
    if (!color) return color.status();
    type.name = russian->empty() ? *english : *russian;
    type.color = *color;
    return type;
}

Status buildUserScheme(Main& main, const DepthServices& services, store::RecordSet& rows) {
    const std::vector<std::string> typeCodes = main.form("GM_TYPE").items;
    std::vector<std::optional<DepthType>> types(typeCodes.size());
    const bool polygons = main.kind == store::ObjectKind::Polygon;
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        writeSwatch(main, depth, Swatch{});
        for (std::size_t t = 0; t < typeCodes.size(); ++t) {
            if (!types[t]) {
                Result<DepthType> type = readDepthType(rows, typeCodes[t]);
                if (!type) return type.status();
                types[t] = std::move(*type);
            }
            const DepthType& type = *types[t];
            if (!type.found || type.color.empty() || !namesDepth(type.name, depth)) continue;
            if (polygons) {
                Result<int> code = codeOf(type.color);
                if (!code) return code.status();
                writeSwatch(main, depth,
                            Swatch{type.color, services.paletteColor(*code), color::kWindowText});
            }
            main.doEvents();
            break;
        }
    }
    return {};
}

}  // namespace

Swatch readSwatch(const Main& main, int depth) {
    const Control& shape = main.form("POLYS", depth);
    return Swatch{main.form("POLY", depth).caption, shape.fillColor, shape.borderColor};
}

void writeSwatch(Main& main, int depth, const Swatch& swatch) {
    main.form.setCaption("POLY", swatch.code, depth);
    main.form.change("POLYS", depth, [&swatch](Control& shape) {
        shape.fillColor = swatch.fill;
        shape.borderColor = swatch.border;
    });
}

bool namesDepth(const std::string& typeName, int depth) {
    const std::string name = store::foldUtf8(typeName);
    const std::string number = " " + std::to_string(depth);
    return containsInOrder(name, {"глубин", number + "м"}) ||
           containsInOrder(name, {"depth", number + "m"});
}

void fillDD_Click(Main& main, const DepthServices& services) {
    loadScheme(main, services, kDrDepthCodes, false);
    main.schemeApplied = true;
    main.drDepthScheme = true;
}

void fillTOPO_Click(Main& main, const DepthServices& services) {
    loadScheme(main, services, kTopoCodes, true);
    main.schemeApplied = true;
    main.drDepthScheme = false;
}

void fillUSER_Click(Main& main, const DepthServices& services) {
    main.att("");
    if (main.namedKind == store::ObjectKind::None) {
        main.att(main.tr(" * выберите вид объекта для заполнения цветов",
                         " * select object type to fill colors"));
        main.platform.beep();
        services.kindHint(main);
        return;
    }
    if (main.form("GM_TYPE").listCount() == 0) {
        main.att(main.tr(" * пользовательский шейп-файл не загружен",
                         " * specify the source .DBF file to fill colors"));
        return;
    }
    if (!main.templateReady()) return;

    Status status;
    Result<store::RecordSet> rows =
        main.connection.openRecordSet("SELECT * FROM " + main.programName +
                                      " WHERE VID=" + std::to_string(store::kindNumber(main.kind)) +
                                      " ORDER BY MP_TYPE, YN DESC");
    if (!rows) {
        status = rows.status();
    } else if (rows->recordCount() == 0) {
        main.att(main.tr(" * атрибуты данного типа в списке не найдены",
                         " * attributes of selected type not found in list"));
        main.platform.beep();
        return;
    } else {
        status = buildUserScheme(main, services, *rows);
    }
    if (!status) {
        if (status.number() == err::kItemNotFound) {
            main.att(main.tr(" ! заполнение схемы невозможно в старой версии Tavrolin.dbf",
                             " ! filling colors is impossible in the old version Tavrolin.dbf"));
            main.platform.beep();
        } else {
            main.fail("fillUSER", status);
        }
        return;
    }
    main.schemeApplied = false;
    main.drDepthScheme = false;
}

void btnSetSave_Click(Main& main) {
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        writeSwatch(main, depth, Swatch{std::to_string(depth)});
    }
    main.schemeApplied = false;
    main.drDepthScheme = false;
}

void POLY_DblClick(Main& main, const DepthServices& services, int index) {
    if (index < 0 || index >= kSwatchCount) return;
    Form& form = main.form;
    if (main.platform.isCtrlDown()) {
        // Reading the swatch into the panel: the last code of each colour, as the lists show
        // each code once.
        const Swatch swatch = readSwatch(main, index);
        const std::string fill = services.colorHtml(swatch.fill);
        const std::string border = services.colorHtml(swatch.border);
        std::string fillCode;
        std::string borderCode;
        for (int code = 0; code < 255; ++code) {
            const std::string html = services.paletteHtml(code);
            if (html.empty()) continue;
            if (html == fill) fillCode = std::to_string(code);
            if (html == border) borderCode = std::to_string(code);
        }
        if (swatch.fill == color::kButtonFace) fillCode = kNoColorText;
        if (swatch.border == color::kButtonFace) borderCode = kNoColorText;
        // Chosen in the list, so that the previews follow.
        auto choose = [&form](const char* list, const std::string& code) {
            if (code.empty()) return;
            const std::vector<std::string>& items = form(list).items;
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i] == code) {
                    form.setListIndex(list, static_cast<int>(i));
                    return;
                }
            }
            form.setText(list, code);
        };
        choose("COLOR", fillCode);
        choose("BDR_COLOR", borderCode);
        main.doEvents();
        return;
    }

    // Setting the swatch from the panel; a code that is not one changes nothing.
    const std::string colorText = form("COLOR").text;
    const std::string borderText = form("BDR_COLOR").text;
    Swatch swatch = readSwatch(main, index);
    swatch.code = colorText;
    for (auto [text, target] :
         {std::pair{&colorText, &swatch.fill}, std::pair{&borderText, &swatch.border}}) {
        if (text->empty()) continue;
        Result<int> code = codeOf(*text);
        if (!code) {
            main.fail("POLY_DblClick", code.status());
            return;
        }
        *target = swatchColor(services, *code);
    }
    writeSwatch(main, index, swatch);
    main.doEvents();
}

}  // namespace tavrolin
