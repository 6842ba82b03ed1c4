// The geometry beside a source table: the shapefile (.shp with its index .shx) read with
// shapelib into plain shapes, one per record, in record order. Polygons keep every ring (holes
// included, drawn by the even-odd rule), lines every part, multipoints every point; Z and M are
// ignored. A missing file, a damaged record or a record count that differs from the table's is
// an error, so a shape is never paired with another record's attributes.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "store/object_kind.h"
#include "store/status.h"

namespace tavrolin::preview {

struct MapPoint {
    double x = 0;
    double y = 0;
};

// An axis-aligned box; empty until a point is added.
struct Bounds {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return minX > maxX || minY > maxY; }
    double width() const { return empty() ? 0 : maxX - minX; }
    double height() const { return empty() ? 0 : maxY - minY; }
    void add(MapPoint p);
    void merge(const Bounds& other);
    bool intersects(const Bounds& other) const;
    bool contains(MapPoint p) const;
};

// One record's geometry. kind is None for a null shape (a record without geometry).
struct Shape {
    store::ObjectKind kind = store::ObjectKind::None;
    std::vector<MapPoint> points;
    // Index in points where each part (ring, line part or single point) begins, ascending.
    std::vector<std::uint32_t> partStarts;
    Bounds bounds;

    std::size_t partCount() const { return partStarts.size(); }
    std::size_t partBegin(std::size_t part) const { return partStarts[part]; }
    std::size_t partEnd(std::size_t part) const {
        return part + 1 < partStarts.size() ? partStarts[part + 1] : points.size();
    }
};

struct ShapeSet {
    store::ObjectKind kind = store::ObjectKind::None;  // of the file: point, line or polygon
    std::vector<Shape> shapes;                         // one per record, in record order
    Bounds bounds;                                     // of every shape read
};

// The .shp beside a table: the table's path with the extension ".shp" in any letter case, as
// it is named on disk. Nothing when there is none.
std::optional<std::string> shapeFileBeside(const std::string& tablePath);

// Reads every shape of the file. expectedRecords is the table's record count: a file with
// another count is refused (error 5, naming both counts). Errors: 53 when the .shp or its .shx
// is missing or cannot be opened, E_FAIL for a damaged record or an unsupported shape type.
Result<ShapeSet> readShapes(const std::string& shpPath, std::size_t expectedRecords);

}  // namespace tavrolin::preview
