// The styled map: the geometry of a source table paired record by record with the look the
// conversion gives each record, in the order the layers are drawn, and the questions a view asks
// of it (which objects a scale shows, which object lies under the pointer).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "preview/map_style.h"
#include "preview/map_view.h"
#include "preview/shape_file.h"

namespace tavrolin::preview {

// What a map is styled by: the conversion by types, or by depth with the loaded scheme.
enum class StyleBasis : std::uint8_t { Types, Depth };

struct MapObject {
    std::uint32_t record = 0;  // index of the record and of its shape
    DisplayStyle style;
    std::string typeCode;
    std::string nameRussian;  // MP_NAME, MP_ENG of its type; empty for a type not in the template
    std::string nameEnglish;
    std::string label;  // as the conversion writes it
    bool knownType = false;
};

struct StyledMap {
    store::ObjectKind kind = store::ObjectKind::None;  // the kind whose attributes were taken
    StyleBasis basis = StyleBasis::Types;
    ShapeSet geometry;
    std::vector<MapObject> objects;  // one per record with a shape, in record order
    bool geographic = false;         // coordinates are degrees
    std::string iconFolder;          // where ICON and P_ICON name GIF files; empty for none
    std::string sourceName;          // the table's file name, for titles

    const Shape& shapeOf(const MapObject& object) const { return geometry.shapes[object.record]; }
};

// Pairs shapes with their records' attributes: shape i with attributes[i]. Records without
// geometry are left out. attributes.size() must equal the shapes' count (readShapes checks).
StyledMap pairShapes(ShapeSet geometry, std::vector<MapObject> objects);

// Indexes into map.objects, bottom first: objects without a layer (0), then layers from the
// greatest number to 1, record order within a layer.
std::vector<std::uint32_t> drawOrder(const StyledMap& map);

// Whether the object is drawn at a scale code (always with showAll).
bool shownAt(const MapObject& object, int code, bool showAll);

// The icon an object shows at a code: a point's P_ICON from its point limit on, else its ICON.
const std::string& iconAt(const MapObject& object, int code);

// Where a polygon's label goes: the middle of the widest stretch inside it (by the even-odd
// rule, holes excluded) along one of a few horizontal lines across its box, so that a depth area
// with a hole gets its label on its ring, not in the hole.
MapPoint labelPoint(const Shape& polygon);

// The top-most shown object under a pixel of the view: inside a polygon (even-odd), within
// tolerancePixels of a line or a point. Nothing when there is none.
std::optional<std::uint32_t> objectAt(const StyledMap& map, const std::vector<std::uint32_t>& order,
                                      const MapView& view, ScreenPoint pixel, bool showAll,
                                      double tolerancePixels = 4);

}  // namespace tavrolin::preview
