// The retyping pass: a copy of the map in which every polygon with a label gets the type line
// of the depth its label states, on the one-metre DrDepth scale or the coarse scale.
//
// Where the lines go: the polygon's own type line is held back, with the lines that follow it,
// until the polygon shows what it is. At a label with text, the new type line takes the place
// of the held one and the held lines follow in their order, then the label; the rest of the
// polygon is copied. At a coordinate line, a second type line, a section head or the end of
// the file, the held type line and the lines after it are written back unchanged. A label with
// nothing after "label=" is no label and is held like any other line. A polygon whose label
// comes before its type line gets the new type line before the label and keeps its own later.
// So every line of the source is in the copy, in its order, trimmed.
#pragma once

#include <string>
#include <string_view>

#include "polish/map_pass.h"
#include "polish/mp_stream.h"

namespace tavrolin::polish {

// The type line for a depth: DrDepth's scale of one type per metre from 0 to 15 ("Type=0x301"
// ... "Type=0x310"), or the coarse scale 0, 2, 5, 10, 15, 20 ("Type=0x400" ... "Type=0x408").
// Negative depths take the last row of either.
std::string_view depthTypeLine(float depth, bool drDepthScale);

// Held lines beyond this many bytes are written back at once (the type line unchanged), so a
// polygon of many lines before its label or coordinates cannot fill the memory. A label after
// that still retypes: its new type line goes before it.
constexpr std::size_t kHeldBytesMax = 1 << 20;

class PolygonRetype : public MapPass {
   public:
    PolygonRetype(LineWriter& out, bool drDepthScale) : m_out(out), m_drDepth(drDepthScale) {}

    Status line(std::string_view line, long long number) override;
    void finish() override { writeHeld(); }
    long long made() const override { return m_retyped; }

   private:
    void writeHeld();

    LineWriter& m_out;
    bool m_drDepth;
    bool m_polygonMode = false;
    bool m_typeHeld = false;
    std::string m_type;  // the held type line
    std::string m_held;  // the lines after it, each followed by CR LF
    long long m_retyped = 0;
};

}  // namespace tavrolin::polish
