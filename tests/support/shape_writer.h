// Writes shapefiles (.shp and .shx) with shapelib for the tests of the map preview: squares with
// or without a square hole, lines and points, one shape per call, in record order.
#pragma once

#include <shapefil.h>

#include <string>
#include <vector>

namespace tavrolin::testing {

class ShapeWriter {
   public:
    // type: SHPT_POLYGON, SHPT_ARC, SHPT_POINT, ... path without or with ".shp".
    ShapeWriter(const std::string& path, int type) : m_handle(SHPCreate(path.c_str(), type)) {}
    ~ShapeWriter() { close(); }
    ShapeWriter(const ShapeWriter&) = delete;
    ShapeWriter& operator=(const ShapeWriter&) = delete;

    bool ok() const { return m_handle != nullptr; }
    void close() {
        if (m_handle != nullptr) SHPClose(m_handle);
        m_handle = nullptr;
    }

    // Parts given as lists of x, y pairs.
    void add(int type, const std::vector<std::vector<double>>& parts) {
        std::vector<int> starts;
        std::vector<double> x;
        std::vector<double> y;
        for (const auto& part : parts) {
            starts.push_back(static_cast<int>(x.size()));
            for (std::size_t i = 0; i + 1 < part.size(); i += 2) {
                x.push_back(part[i]);
                y.push_back(part[i + 1]);
            }
        }
        SHPObject* object =
            SHPCreateObject(type, -1, static_cast<int>(starts.size()), starts.data(), nullptr,
                            static_cast<int>(x.size()), x.data(), y.data(), nullptr, nullptr);
        SHPWriteObject(m_handle, -1, object);
        SHPDestroyObject(object);
    }
    // A square ring, clockwise as an outer ring is written.
    static std::vector<double> square(double left, double bottom, double size) {
        return {left,          bottom,      left,   bottom + size, left + size,
                bottom + size, left + size, bottom, left,          bottom};
    }
    void addSquare(double left, double bottom, double size) {
        add(SHPT_POLYGON, {square(left, bottom, size)});
    }
    // A square with a square hole in its middle, half its size.
    void addSquareWithHole(double left, double bottom, double size) {
        std::vector<double> hole = square(left + size / 4, bottom + size / 4, size / 2);
        std::vector<double> reversed;
        for (std::size_t i = hole.size(); i >= 2; i -= 2) {
            reversed.push_back(hole[i - 2]);
            reversed.push_back(hole[i - 1]);
        }
        add(SHPT_POLYGON, {square(left, bottom, size), reversed});
    }
    void addNull() { add(SHPT_NULL, {}); }

   private:
    SHPHandle m_handle;
};

}  // namespace tavrolin::testing
