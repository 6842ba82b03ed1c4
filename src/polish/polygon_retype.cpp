#include "polish/polygon_retype.h"

#include <cassert>

#include "polish/mp_line_kind.h"
#include "polish/mp_numbers.h"

namespace tavrolin::polish {

namespace {

// A scale: the first row whose upper bound (exclusive) lies above the depth; depths below 0
// or beyond the last bound take the last line.
struct ScaleRow {
    float below;
    std::string_view typeLine;
};

constexpr ScaleRow kDrDepthScale[] = {
    {1, "Type=0x301"},  {2, "Type=0x302"},  {3, "Type=0x303"},  {4, "Type=0x304"},
    {5, "Type=0x305"},  {6, "Type=0x306"},  {7, "Type=0x307"},  {8, "Type=0x308"},
    {9, "Type=0x309"},  {10, "Type=0x30a"}, {11, "Type=0x30b"}, {12, "Type=0x30c"},
    {13, "Type=0x30d"}, {14, "Type=0x30e"}, {15, "Type=0x30f"},
};
constexpr std::string_view kDrDepthDeepest = "Type=0x310";

constexpr ScaleRow kCoarseScale[] = {
    {2, "Type=0x400"},  {5, "Type=0x402"},  {10, "Type=0x403"},
    {15, "Type=0x404"}, {20, "Type=0x407"},
};
constexpr std::string_view kCoarseDeepest = "Type=0x408";

template <std::size_t N>
std::string_view lookUp(const ScaleRow (&scale)[N], std::string_view deepest, float depth) {
    if (!(depth >= 0)) return deepest;
    for (const ScaleRow& row : scale) {
        if (depth < row.below) return row.typeLine;
    }
    return deepest;
}

}  // namespace

std::string_view depthTypeLine(float depth, bool drDepthScale) {
    return drDepthScale ? lookUp(kDrDepthScale, kDrDepthDeepest, depth)
                        : lookUp(kCoarseScale, kCoarseDeepest, depth);
}

void PolygonRetype::writeHeld() {
    if (!m_typeHeld) return;
    m_out.line(m_type);
    m_out.raw(m_held);
    m_held.clear();
    m_typeHeld = false;
}

Status PolygonRetype::line(std::string_view line, long long /*number*/) {
    const LineKind kind = classifyLine(line);
    if (kind == LineKind::PolygonHead || kind == LineKind::OtherPoHead ||
        kind == LineKind::OtherSection) {
        writeHeld();
        if (kind != LineKind::OtherSection) m_polygonMode = kind == LineKind::PolygonHead;
        m_out.line(line);
        return {};
    }
    // A type line is held only in polygon mode, and polygon mode ends only at a head (which
    // writes it back) or at a retyping label (which drops it).
    assert(m_polygonMode || !m_typeHeld);
    if (!m_polygonMode) {
        m_out.line(line);
        return {};
    }
    switch (kind) {
        case LineKind::Label:
            if (!labelText(line).empty()) {
                m_out.line(depthTypeLine(readDepth(labelText(line)), m_drDepth));
                m_out.raw(m_held);
                m_out.line(line);
                m_held.clear();
                m_typeHeld = false;
                m_polygonMode = false;  // the rest of the polygon is copied as it is
                ++m_retyped;
                return {};
            }
            break;
        case LineKind::Type:
            writeHeld();
            m_type.assign(line);
            m_typeHeld = true;
            return {};
        case LineKind::Data:
            writeHeld();
            break;
        default:
            break;
    }
    if (!m_typeHeld) {
        m_out.line(line);
    } else {
        m_held.append(line).append("\r\n");
        if (m_held.size() > kHeldBytesMax) writeHeld();
    }
    return {};
}

}  // namespace tavrolin::polish
