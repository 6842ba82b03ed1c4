// Writes the sample map of examples/: the attribute tables of a small lake chart as a map editor
// exports them (dBASE IV, labels in code page 1251, language byte 0xC9): depth areas
// (lake_areas.dbf, polygons, a FILL_STYLE field) and depth contours with a fairway and a river
// (lake_contours.dbf, lines, a LINE_COLOR field). Type codes are those of the shipped template.
// Each table gets its geometry (.shp and .shx, written with shapelib), one shape per record: a
// lake near 61.8 N, 33.4 E whose depth areas are nested rings (each with the next depth's area as
// its hole) and whose contours follow the same shore shape, a second small lake with depth bands,
// a shallow, a bay and a river.
// Also the same lake as a Polish-format map (lake.mp, CR LF lines, code page 1251): depth areas
// labelled with their depth, the named lake and bay, an unnamed island, a buoy and a contour.
//
// Usage: make_examples OUTPUT_FOLDER
#include <shapefil.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Field {
    const char* name;
    char type;  // C or N
    int length;
};

using Row = std::vector<std::string>;  // UTF-8 texts, one per field

// UTF-8 Russian text to code page 1251 (А-я, Ё, ё; other characters as '?').
std::string toCp1251(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) {
            out += text[i++];
            continue;
        }
        if ((lead & 0xE0) == 0xC0 && i + 1 < text.size()) {
            const unsigned cp =
                ((lead & 0x1Fu) << 6) | (static_cast<std::uint8_t>(text[i + 1]) & 0x3Fu);
            if (cp >= 0x410 && cp <= 0x44F) {
                out += static_cast<char>(cp - 0x410 + 0xC0);
            } else if (cp == 0x401) {
                out += static_cast<char>(0xA8);
            } else if (cp == 0x451) {
                out += static_cast<char>(0xB8);
            } else {
                out += '?';
            }
            i += 2;
            continue;
        }
        out += '?';
        ++i;
        while (i < text.size() && (static_cast<std::uint8_t>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return out;
}

void put16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

bool writeTable(const std::string& path, const std::vector<Field>& fields,
                const std::vector<Row>& rows) {
    int recordLength = 1;
    for (const Field& field : fields) recordLength += field.length;
    const unsigned headerLength = 32 + 32 * static_cast<unsigned>(fields.size()) + 1;
    std::string bytes(32, '\0');
    bytes[0] = 0x03;  // dBASE without memo
    bytes[1] = 126;   // 2026-05-01
    bytes[2] = 5;
    bytes[3] = 1;
    const auto count = static_cast<std::uint32_t>(rows.size());
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    put16(bytes, 8, headerLength);
    put16(bytes, 10, static_cast<unsigned>(recordLength));
    bytes[29] = static_cast<char>(0xC9);
    for (const Field& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::string(field.name).size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.length);
        bytes += descriptor;
    }
    bytes += '\x0D';
    for (const Row& row : rows) {
        bytes += ' ';
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const std::string value = toCp1251(row[f]).substr(0, fields[f].length);
            const std::string pad(fields[f].length - value.size(), ' ');
            bytes += fields[f].type == 'N' ? pad + value : value + pad;
        }
    }
    bytes += '\x1A';
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

// A rectangle as a Polish-format coordinate line, corners (lat0, lon0) and (lat1, lon1).
std::string rectangle(double lat0, double lon0, double lat1, double lon1) {
    char text[160];
    std::snprintf(text, sizeof text, "Data0=(%.4f,%.4f),(%.4f,%.4f),(%.4f,%.4f),(%.4f,%.4f)", lat0,
                  lon0, lat0, lon1, lat1, lon1, lat1, lon0);
    return text;
}

bool writeMap(const std::string& path) {
    std::vector<std::string> lines = {
        "[IMG ID]", "ID=57390001", "Name=Озеро Светлое", "CodePage=1251", "Datum=W84",
        "Levels=2", "Level0=24",   "Level1=21",          "[END-IMG ID]",  ""};
    auto polygon = [&lines](const char* type, const std::string& label, const std::string& data) {
        lines.push_back("[POLYGON]");
        lines.push_back(std::string("Type=") + type);
        if (!label.empty()) lines.push_back("Label=" + label);
        lines.push_back("EndLevel=1");
        lines.push_back(data);
        lines.push_back("[END]");
        lines.push_back("");
    };
    polygon("0x3c", "Озеро Светлое", rectangle(57.100, 39.200, 57.300, 39.600));
    polygon("0x28", "Залив Тихий", rectangle(57.260, 39.520, 57.300, 39.600));
    // Depth areas, each inside the shallower one.
    static const char* kDepths[] = {"0", "2", "5", "10", "15", "20"};
    for (int i = 0; i < 6; ++i) {
        const double inset = 0.012 * (i + 1);
        polygon("0x4a", kDepths[i],
                rectangle(57.100 + inset, 39.200 + 2 * inset, 57.300 - inset, 39.600 - 2 * inset));
    }
    polygon("0x53", "", rectangle(57.150, 39.250, 57.160, 39.270));  // an island without a name
    lines.insert(lines.end(), {"[POI]", "Type=0x1c00", "Label=Буй 3", "Data0=(57.2200,39.4100)",
                               "[END]", "", "[POLYLINE]", "Type=0x23", "Label=5",
                               "Data0=(57.1600,39.3200),(57.2400,39.4800)", "[END]", ""});
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << toCp1251(line) << "\r\n";
    return static_cast<bool>(out);
}

// The lake's geometry: metres east and north of a centre, written as degrees.
constexpr double kCentreLongitude = 33.40;
constexpr double kCentreLatitude = 61.80;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kPi = 3.14159265358979323846;

struct Ring {
    std::vector<double> x;
    std::vector<double> y;
};

void addMetres(Ring& ring, double east, double north) {
    ring.x.push_back(kCentreLongitude +
                     east / (kMetresPerDegree * std::cos(kCentreLatitude * kPi / 180)));
    ring.y.push_back(kCentreLatitude + north / kMetresPerDegree);
}

// A wavy shore shape around (east, north), scaled; clockwise for an outer ring, the other way for
// a hole. The shape is the same at every scale, so nested rings never cross.
Ring shore(double east, double north, double width, double height, double scale, bool clockwise) {
    Ring ring;
    constexpr int kVertices = 96;
    for (int i = 0; i <= kVertices; ++i) {
        const int step = clockwise ? kVertices - i : i;
        const double angle = 2 * kPi * (step % kVertices) / kVertices;
        const double wave = 1 + 0.08 * std::sin(3 * angle) + 0.05 * std::cos(5 * angle);
        addMetres(ring, east + scale * width * wave * std::cos(angle),
                  north + scale * height * wave * std::sin(angle));
    }
    return ring;
}

void writeObject(SHPHandle handle, int type, const std::vector<Ring>& parts) {
    std::vector<int> starts;
    std::vector<double> x;
    std::vector<double> y;
    for (const Ring& part : parts) {
        starts.push_back(static_cast<int>(x.size()));
        x.insert(x.end(), part.x.begin(), part.x.end());
        y.insert(y.end(), part.y.begin(), part.y.end());
    }
    SHPObject* object =
        SHPCreateObject(type, -1, static_cast<int>(starts.size()), starts.data(), nullptr,
                        static_cast<int>(x.size()), x.data(), y.data(), nullptr, nullptr);
    SHPWriteObject(handle, -1, object);
    SHPDestroyObject(object);
}

// The shore scale of a depth: the deeper, the smaller.
double depthScale(double depth) { return 1 - depth / 21; }

// The main lake: 1200 m by 700 m.
Ring lakeRing(double scale, bool clockwise) { return shore(0, 0, 1200, 700, scale, clockwise); }

bool writeAreaShapes(const std::string& path, const std::vector<Row>& areas) {
    SHPHandle handle = SHPCreate(path.c_str(), SHPT_POLYGON);
    if (handle == nullptr) return false;
    static const double kBands[] = {1.0, 0.8, 0.6, 0.35};  // the small lake's depth bands
    static const double kDepths[] = {0, 1, 2, 3, 5, 7, 10, 12, 15, 18};
    int band = 0;
    int depth = 0;
    for (const Row& area : areas) {
        const std::string& code = area[0];
        if (code == "0x3c") {
            writeObject(handle, SHPT_POLYGON, {lakeRing(1, true)});
        } else if (code == "0x5e") {  // a shallow off the western cape
            writeObject(handle, SHPT_POLYGON, {shore(-1050, 150, 130, 90, 1, true)});
        } else if (code == "0x28") {  // a bay on the eastern shore
            writeObject(handle, SHPT_POLYGON, {shore(1180, -120, 220, 160, 1, true)});
        } else if (code.rfind("0x40", 0) == 0) {  // the small lake north-east, band by band
            const double outer = kBands[band];
            std::vector<Ring> rings = {shore(1900, 900, 380, 260, outer, true)};
            if (band + 1 < 4) rings.push_back(shore(1900, 900, 380, 260, kBands[band + 1], false));
            writeObject(handle, SHPT_POLYGON, rings);
            ++band;
        } else {  // depth areas, two records (levels 0 and 1) per depth
            const int index = depth / 2;
            std::vector<Ring> rings = {lakeRing(depthScale(kDepths[index]), true)};
            if (index + 1 < 10) rings.push_back(lakeRing(depthScale(kDepths[index + 1]), false));
            writeObject(handle, SHPT_POLYGON, rings);
            ++depth;
        }
    }
    SHPClose(handle);
    return true;
}

bool writeLineShapes(const std::string& path, const std::vector<Row>& lines) {
    SHPHandle handle = SHPCreate(path.c_str(), SHPT_ARC);
    if (handle == nullptr) return false;
    for (const Row& line : lines) {
        if (line[0] == "0x1f") {  // the river leaves the lake to the south-west
            Ring river;
            for (int i = 0; i <= 40; ++i) {
                addMetres(river, -700 - i * 25.0, -560 - i * 22.0 + 60 * std::sin(i / 4.0));
            }
            writeObject(handle, SHPT_ARC, {river});
        } else {
            const double depth = line[1].empty() ? 8 : std::atof(line[1].c_str());
            writeObject(handle, SHPT_ARC, {lakeRing(depthScale(depth), true)});
        }
    }
    SHPClose(handle);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_examples OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";

    // Depth areas of a lake: the depth in metres as label, a few named areas, a second level.
    const std::vector<Field> areaFields = {
        {"MP_TYPE", 'C', 6}, {"LABEL", 'C', 40}, {"LEVEL", 'N', 1}, {"FILL_STYLE", 'N', 2}};
    std::vector<Row> areas = {
        {"0x3c", "Озеро Светлое", "0", "1"},
        {"0x3c", "Озеро Светлое", "1", "1"},
        {"0x5e", "Мелководье у Щучьего мыса", "0", "1"},
        {"0x400", "Глубины от 0 до 2 м", "0", "1"},
        {"0x402", "Глубины от 2 до 5 м", "0", "1"},
        {"0x403", "Глубины от 5 до 10 м", "0", "1"},
        {"0x404", "", "0", "1"},
        {"0x28", "Залив Тихий", "1", "1"},
    };
    static const char* kDepthCodes[] = {"0x301", "0x302", "0x303", "0x304", "0x306",
                                        "0x308", "0x30b", "0x30d", "0x310", "0x313"};
    static const char* kDepths[] = {"0", "1", "2", "3", "5", "7", "10", "12", "15", "18"};
    for (int i = 0; i < 10; ++i) {
        areas.push_back({kDepthCodes[i], kDepths[i], "0", "1"});
        areas.push_back({kDepthCodes[i], kDepths[i], "1", "1"});
    }

    // Depth contours every metre to 5 m, then every 5 m; a river and a named fairway line.
    const std::vector<Field> lineFields = {
        {"MP_TYPE", 'C', 6}, {"LABEL", 'C', 40}, {"LEVEL", 'N', 1}, {"LINE_COLOR", 'N', 3}};
    std::vector<Row> lines;
    for (const char* depth : {"1", "2", "3", "4"}) lines.push_back({"0x23", depth, "0", "0"});
    for (const char* depth : {"5", "15"}) lines.push_back({"0x24", depth, "0", "0"});
    for (const char* depth : {"10", "20"}) lines.push_back({"0x25", depth, "0", "0"});
    for (const char* depth : {"5", "10"}) lines.push_back({"0x25", depth, "1", "0"});
    lines.push_back({"0x1f", "Река Быстрая", "0", "0"});
    lines.push_back({"0x1f", "Река Быстрая", "1", "0"});
    lines.push_back({"0x23", "", "0", "0"});

    if (!writeTable(folder + "lake_areas.dbf", areaFields, areas) ||
        !writeTable(folder + "lake_contours.dbf", lineFields, lines) ||
        !writeMap(folder + "lake.mp") || !writeAreaShapes(folder + "lake_areas.shp", areas) ||
        !writeLineShapes(folder + "lake_contours.shp", lines)) {
        std::cerr << "make_examples: cannot write into " << folder << "\n";
        return 1;
    }
    return 0;
}
