// The label-point pass: the map's header, then for every named polygon a point of type 0x2800
// at the middle of the bounding box of its first coordinate line after the label, carrying
// the polygon's label.
#pragma once

#include <string>
#include <string_view>

#include "polish/map_pass.h"
#include "polish/mp_stream.h"

namespace tavrolin::polish {

// The label point of a coordinate line ("Data0=(57.1,39.2),(57.3,39.6)"): the line's prefix up
// to its first "(", and the middle of the points' bounding box. Points are separated by "),(",
// the line's last character (its ")") is dropped, and each point is split at its first ",".
struct LabelPoint {
    std::string_view prefix;
    double first = 0;   // latitude
    double second = 0;  // longitude
};
// Errors: 5 for a line without "(" or a point without ",", 13 for a coordinate that is not a
// number; the description names the line number and the text.
Result<LabelPoint> labelPointOf(std::string_view dataLine, long long lineNumber);
// The same answer by splitting and the full number parse; labelPointOf reads the usual form
// in one scan and hands every other line to this one.
Result<LabelPoint> labelPointOfAnyForm(std::string_view dataLine, long long lineNumber);

class LabelPoints : public MapPass {
   public:
    explicit LabelPoints(LineWriter& out) : m_out(out) {}

    Status line(std::string_view line, long long number) override;
    long long made() const override { return m_records; }

   private:
    LineWriter& m_out;
    bool m_headerEnded = false;
    bool m_polygonMode = false;
    // The label line waiting for a coordinate line; kept across polygons until one comes.
    std::string m_label;
    std::string m_pointText;  // the point record, its memory reused
    long long m_records = 0;
};

}  // namespace tavrolin::polish
