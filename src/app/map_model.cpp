#include "app/map_model.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/main_window.h"
#include "convert/convert_by_depth.h"
#include "convert/type_attributes.h"
#include "store/file_io.h"
#include "templates/icon_folder.h"
#include "templates/palette.h"

namespace tavrolin {

namespace {

preview::ColourRules paletteRules() {
    preview::ColourRules rules;
    rules.codeColour = [](int code) -> std::optional<std::uint32_t> {
        if (code < 0 || code >= kNoColorCode || !paletteHas(code)) return std::nullopt;
        return paletteColor(code);
    };
    rules.rgbaColour = [](const std::string& text) -> std::optional<std::uint32_t> {
        if (text.size() != 6 && text.size() != 8) return std::nullopt;
        Result<std::uint32_t> colour = rgbaToRgb(text);
        if (!colour) return std::nullopt;
        return *colour;
    };
    return rules;
}

// The per-record look the conversion gives: the attributes by types, and with depth rules the
// values the depth pass writes over them for a record without level whose label is a depth.
Result<std::vector<preview::MapObject>> styledObjects(Main& main, const DepthRules* depth) {
    Result<TypeAttributes> attributes = TypeAttributes::read(main, conversionOptions(main.form));
    if (!attributes) return attributes.status();
    const preview::ColourRules colours = paletteRules();
    std::vector<preview::MapObject> objects;
    objects.reserve(main.sourceRecords.size());
    preview::AttributeValues values;
    for (std::size_t i = 0; i < main.sourceRecords.size(); ++i) {
        const SourceRecord record = main.sourceRecords[i];
        Result<std::string> label = attributes->labelAsWritten(record.label);
        if (!label) return label.status();
        preview::MapObject object;
        object.label = std::move(*label);
        Result<const RecordAttributes*> found = attributes->forRecord(i, record);
        if (!found) return found.status();
        values.clear();
        for (const RecordAttributes::Value& value : (*found)->values) {
            values.emplace_back(value.column, value.value);
        }
        if (depth != nullptr && record.level.empty() && !object.label.empty()) {
            Result<std::vector<DepthValue>> overrides = depth->valuesFor(object.label);
            if (!overrides) {
                return Status::error(
                    overrides.status().number(),
                    "record " + std::to_string(i + 1) + ": " + overrides.status().description());
            }
            for (const DepthValue& v : *overrides) {
                std::string text = v.text ? *v.text : std::to_string(v.number);
                if (std::string_view(v.column) == "VALUE") {
                    object.label = std::move(text);
                    continue;
                }
                auto same = [&v](const auto& pair) { return pair.first == v.column; };
                auto it = std::find_if(values.begin(), values.end(), same);
                if (it != values.end()) {
                    it->second = std::move(text);
                } else {
                    values.emplace_back(v.column, std::move(text));
                }
            }
        }
        object.style = preview::styleFromAttributes(values, colours);
        object.typeCode = record.typeCode;
        object.knownType = (*found)->knownType;
        std::tie(object.nameRussian, object.nameEnglish) = attributes->namesOf(record.typeCode);
        objects.push_back(std::move(object));
    }
    return objects;
}

}  // namespace

Result<preview::StyledMap> buildStyledMap(Main& main, preview::StyleBasis basis) {
    if (!main.sourceRead || main.sourceFileName.empty()) {
        return Status::error(err::kInvalidArgument, "no source table has been read");
    }
    if (main.kind == store::ObjectKind::None)
        return Status::error(err::kInvalidArgument, "no object kind is chosen");
    const std::string table = main.sourceFolder + main.sourceFileName;
    const std::optional<std::string> shp = preview::shapeFileBeside(table);
    if (!shp) {
        const std::string stem =
            store::io::utf8FromPath(store::io::pathFromUtf8(main.sourceFileName).stem());
        return Status::error(err::kFileNotFound,
                             stem + ".shp is not beside " + main.sourceFileName);
    }
    Result<preview::ShapeSet> shapes = preview::readShapes(*shp, main.sourceRecords.size());
    if (!shapes) return shapes.status();

    std::optional<DepthRules> depth;
    if (basis == preview::StyleBasis::Depth) depth.emplace(main, depthServices());
    Result<std::vector<preview::MapObject>> objects =
        styledObjects(main, depth ? &*depth : nullptr);
    if (!objects) return objects.status();
    preview::StyledMap map = preview::pairShapes(std::move(*shapes), std::move(*objects));
    map.kind = main.kind;
    map.basis = basis;
    map.sourceName = main.sourceFileName;
    if (auto icons = templates::iconFolder(main.programFolder)) {
        map.iconFolder = store::io::utf8FromPath(*icons);
    }
    return map;
}

void reportMapError(Main& main, const Status& status) {
    if (status.number() == err::kFileNotFound) {
        main.att(main.tr(" * нет геометрии для карты: ", " * no geometry for the map: ") +
                 status.description());
        main.platform.beep();
        return;
    }
    main.fail("Map", status);
}

void btnMap_Click(Main& main) {
    if (!main.sourceChosen(main.sourceRead) || !main.kindChosen(main.kind)) return;
    main.platform.showMap();
}

}  // namespace tavrolin
