#include "preview/shape_file.h"

#ifndef TAVROLIN_NO_SHAPELIB
#include <shapefil.h>
#endif

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "store/common_services.h"
#include "store/file_io.h"

namespace tavrolin::preview {

#ifndef TAVROLIN_NO_SHAPELIB
namespace {

using store::ObjectKind;

struct HandleCloser {
    void operator()(SHPInfo* handle) const { SHPClose(handle); }
};
struct ObjectDestroyer {
    void operator()(SHPObject* object) const { SHPDestroyObject(object); }
};
using ShapeHandle = std::unique_ptr<SHPInfo, HandleCloser>;
using ShapeObject = std::unique_ptr<SHPObject, ObjectDestroyer>;

// The kind of a shapefile shape type; None for the null type and nothing for types drawn
// neither as points, lines nor areas (multipatch).
std::optional<ObjectKind> kindOfType(int type) {
    switch (type) {
        case SHPT_NULL:
            return ObjectKind::None;
        case SHPT_POINT:
        case SHPT_POINTZ:
        case SHPT_POINTM:
        case SHPT_MULTIPOINT:
        case SHPT_MULTIPOINTZ:
        case SHPT_MULTIPOINTM:
            return ObjectKind::Point;
        case SHPT_ARC:
        case SHPT_ARCZ:
        case SHPT_ARCM:
            return ObjectKind::Line;
        case SHPT_POLYGON:
        case SHPT_POLYGONZ:
        case SHPT_POLYGONM:
            return ObjectKind::Polygon;
        default:
            return std::nullopt;
    }
}

std::string fileName(const std::string& path) {
    return store::io::utf8FromPath(store::io::pathFromUtf8(path).filename());
}

// Copies one shapelib object. Parts whose starts are out of order or past the vertices, and
// vertices that are not finite numbers, make the record damaged.
Result<Shape> toShape(const SHPObject& object, ObjectKind kind, const std::string& where) {
    Shape shape;
    shape.kind = object.nVertices > 0 ? kind : ObjectKind::None;
    if (shape.kind == ObjectKind::None) return shape;
    const auto vertices = static_cast<std::size_t>(object.nVertices);
    shape.points.reserve(vertices);
    for (std::size_t i = 0; i < vertices; ++i) {
        const MapPoint p{object.padfX[i], object.padfY[i]};
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return Status::error(err::kFail, where + ": vertex " + std::to_string(i + 1) +
                                                 " is not a finite coordinate");
        }
        shape.points.push_back(p);
        shape.bounds.add(p);
    }
    if (kind == ObjectKind::Point) {
        // A multipoint: each point is a part of its own.
        for (std::size_t i = 0; i < vertices; ++i) {
            shape.partStarts.push_back(static_cast<std::uint32_t>(i));
        }
        return shape;
    }
    if (object.nParts <= 0) {
        shape.partStarts.push_back(0);
        return shape;
    }
    for (int part = 0; part < object.nParts; ++part) {
        const int start = object.panPartStart[part];
        const int previous = part > 0 ? object.panPartStart[part - 1] : -1;
        if (start < 0 || start >= object.nVertices || start <= previous ||
            (part == 0 && start != 0)) {
            return Status::error(err::kFail, where + ": part " + std::to_string(part + 1) +
                                                 " starts at vertex " + std::to_string(start) +
                                                 " of " + std::to_string(vertices));
        }
        shape.partStarts.push_back(static_cast<std::uint32_t>(start));
    }
    return shape;
}

}  // namespace
#endif

void Bounds::add(MapPoint p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

void Bounds::merge(const Bounds& other) {
    if (other.empty()) return;
    add(MapPoint{other.minX, other.minY});
    add(MapPoint{other.maxX, other.maxY});
}

bool Bounds::intersects(const Bounds& other) const {
    return !empty() && !other.empty() && minX <= other.maxX && other.minX <= maxX &&
           minY <= other.maxY && other.minY <= maxY;
}

bool Bounds::contains(MapPoint p) const {
    return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
}

std::optional<std::string> shapeFileBeside(const std::string& tablePath) {
    const std::filesystem::path path = store::io::pathFromUtf8(tablePath);
    const std::string folder = store::io::utf8FromPath(path.parent_path());
    const std::string name = store::io::utf8FromPath(path.stem()) + ".shp";
    const std::vector<std::string> found = store::namesIgnoringCase(folder, name);
    if (found.empty()) return std::nullopt;
    return store::io::utf8FromPath(path.parent_path() / store::io::pathFromUtf8(found.front()));
}

#ifdef TAVROLIN_NO_SHAPELIB
Result<ShapeSet> readShapes(const std::string& shpPath, std::size_t) {
    return Status::error(err::kFail, "this build reads no shapefiles (" + shpPath + ")");
}
#else
Result<ShapeSet> readShapes(const std::string& shpPath, std::size_t expectedRecords) {
    const std::string name = fileName(shpPath);
#ifdef SHPAPI_UTF8_HOOKS
    SAHooks hooks;
    SASetupUtf8Hooks(&hooks);  // the name is UTF-8, not in the ANSI code page
    ShapeHandle handle(SHPOpenLL(shpPath.c_str(), "rb", &hooks));
#else
    ShapeHandle handle(SHPOpen(shpPath.c_str(), "rb"));
#endif
    if (!handle) {
        return Status::error(err::kFileNotFound,
                             name + " cannot be opened (or its index .shx is missing)");
    }
    int count = 0;
    int type = 0;
    double minBound[4] = {};
    double maxBound[4] = {};
    SHPGetInfo(handle.get(), &count, &type, minBound, maxBound);
    const std::optional<ObjectKind> kind = kindOfType(type);
    if (!kind || *kind == ObjectKind::None) {
        return Status::error(err::kFail, name + " holds shapes of type " + std::to_string(type) +
                                             ", neither points, lines nor polygons");
    }
    if (count < 0 || static_cast<std::size_t>(count) != expectedRecords) {
        return Status::error(err::kInvalidArgument,
                             name + " holds " + std::to_string(count) + " shapes, the table " +
                                 std::to_string(expectedRecords) + " records");
    }

    ShapeSet set;
    set.kind = *kind;
    set.shapes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string where = name + ", shape " + std::to_string(i + 1);
        ShapeObject object(SHPReadObject(handle.get(), i));
        if (!object) return Status::error(err::kFail, where + " cannot be read");
        // A record may be a null shape in a file of another type; any other type must match.
        const std::optional<ObjectKind> objectKind = kindOfType(object->nSHPType);
        if (!objectKind || (*objectKind != ObjectKind::None && *objectKind != *kind)) {
            return Status::error(err::kFail, where + " is of type " +
                                                 std::to_string(object->nSHPType) +
                                                 ", the file of type " + std::to_string(type));
        }
        Result<Shape> shape = toShape(*object, *objectKind, where);
        if (!shape) return shape.status();
        set.bounds.merge(shape->bounds);
        set.shapes.push_back(std::move(*shape));
    }
    return set;
}

#endif

}  // namespace tavrolin::preview
