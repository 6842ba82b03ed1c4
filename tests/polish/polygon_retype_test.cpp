#include "polish/polygon_retype.h"

#include <gtest/gtest.h>

#include <vector>

#include "polish/polish_fixture.h"

namespace tavrolin::polish {
namespace {

using testing::runPass;

std::string retype(const std::string& text, bool drDepth = false) {
    return runPass<PolygonRetype>(text, drDepth);
}

TEST(PolygonRetype, DepthScales) {
    struct Row {
        const char* label;
        const char* drDepth;
        const char* coarse;
    };
    const Row rows[] = {
        {"5", "Type=0x306", "Type=0x403"},     {"4.99", "Type=0x305", "Type=0x402"},
        {"0", "Type=0x301", "Type=0x400"},     {"15", "Type=0x310", "Type=0x407"},
        {"20", "Type=0x310", "Type=0x408"},    {"-3", "Type=0x310", "Type=0x408"},
        {"Lake", "Type=0x301", "Type=0x400"},  {"12.5m", "Type=0x30d", "Type=0x404"},
        {"9.5", "Type=0x30a", "Type=0x403"},   {"14.99999999", "Type=0x310", "Type=0x407"},
        {"1 9.9", "Type=0x310", "Type=0x407"}, {"1e999", "Type=0x310", "Type=0x408"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const std::string polygon =
            std::string("[POLYGON]\nType=0x3c\nLabel=") + row.label + "\nData0=(1,2)\n[END]\n";
        const std::string expected =
            std::string("[POLYGON]\n%\nLabel=") + row.label + "\nData0=(1,2)\n[END]\n";
        for (bool drDepth : {true, false}) {
            std::string want = expected;
            want.replace(want.find('%'), 1, drDepth ? row.drDepth : row.coarse);
            EXPECT_EQ(retype(polygon, drDepth), want);
        }
    }
}

TEST(PolygonRetype, WhereTheLinesGo) {
    const std::pair<const char*, const char*> cases[] = {
        // Outside polygons, copied trimmed.
        {"[IMG ID]\n  Name=L  \n[END-IMG ID]\n[POLYLINE]\nType=0x1\nLabel=5\n[END]\n"
         "[POI]\nType=0x2\nLabel=5\nData0=(1,2)\n[END]\n",
         "[IMG ID]\nName=L\n[END-IMG ID]\n[POLYLINE]\nType=0x1\nLabel=5\n[END]\n"
         "[POI]\nType=0x2\nLabel=5\nData0=(1,2)\n[END]\n"},
        // No label: the type line goes back in its place, and the lines after it follow.
        {"[POLYGON]\nType=0x3c\nEndLevel=3\nData0=(1,2)\nData1=(3,4)\n[END]\n",
         "[POLYGON]\nType=0x3c\nEndLevel=3\nData0=(1,2)\nData1=(3,4)\n[END]\n"},
        // Lines between type and label stay between them.
        {"[POLYGON]\nType=0x3c\nEndLevel=3\nLabel=3\nData0=(1,2)\n",
         "[POLYGON]\nType=0x402\nEndLevel=3\nLabel=3\nData0=(1,2)\n"},
        // Label before the type line: new type before the label, the own one kept later.
        {"[POLYGON]\nLabel=3\nType=0x3c\nData0=(1,2)\n",
         "[POLYGON]\nType=0x402\nLabel=3\nType=0x3c\nData0=(1,2)\n"},
        // An empty label is no label.
        {"[POLYGON]\nType=0x3c\nLabel=\nData0=(1,2)\n",
         "[POLYGON]\nType=0x3c\nLabel=\nData0=(1,2)\n"},
        // A polygon with neither label nor coordinates keeps its type line and its end.
        {"[POLYGON]\nType=0x3c\n[END]\n[POLYGON]\nType=0x4\nLabel=1\n[END]\n",
         "[POLYGON]\nType=0x3c\n[END]\n[POLYGON]\nType=0x400\nLabel=1\n[END]\n"},
        // Two type lines: the first goes back, the second is retyped.
        {"[POLYGON]\nType=0x1\nType=0x2\nLabel=1\n", "[POLYGON]\nType=0x1\nType=0x400\nLabel=1\n"},
        // The end of the file writes back what is held.
        {"[POLYGON]\nType=0x3c\nEndLevel=1", "[POLYGON]\nType=0x3c\nEndLevel=1\n"},
        // After a retype the rest of the polygon, and an old-style head's object, are copied.
        {"[POLYGON]\nType=0x3c\nLabel=1\nLabel=9\n[RGN80]\nType=0x1\nLabel=9\n",
         "[POLYGON]\nType=0x400\nLabel=1\nLabel=9\n[RGN80]\nType=0x1\nLabel=9\n"},
    };
    for (const auto& [source, copy] : cases) {
        SCOPED_TRACE(source);
        EXPECT_EQ(retype(source), copy);
    }
}

TEST(PolygonRetype, LongHeldRunsAreWrittenBackAndStillRetyped) {
    std::string source = "[POLYGON]\nType=0x3c\n";
    const std::string filler(1000, 'x');
    const int fillers = static_cast<int>(kHeldBytesMax / 1000) + 2;
    for (int i = 0; i < fillers; ++i) source += filler + "\n";
    std::string copy = source;
    source += "Label=3\n";
    copy += "Type=0x402\nLabel=3\n";
    EXPECT_EQ(retype(source), copy);
}

// Every line of the source is in the copy, in its order: taking the type lines out of both
// leaves the same text.
TEST(PolygonRetype, NoLineIsLost) {
    const char* pieces[] = {"[POLYGON]",  "Type=0x1", "Label=4", "Label=", "Data0=(1,2)",
                            "EndLevel=2", "[END]",    "[POI]",   "[RGN80]"};
    auto withoutTypes = [](const std::string& text) {
        std::string out;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            std::string line = text.substr(start, end - start);
            if (line.rfind("Type=", 0) != 0) out += line + "\n";
            start = end + 1;
        }
        return out;
    };
    // Every sequence of five pieces.
    const int n = std::size(pieces);
    for (int code = 0; code < n * n * n * n * n; ++code) {
        std::string source;
        int sourceTypes = 0;
        for (int k = 0, c = code; k < 5; ++k, c /= n) {
            source += std::string(pieces[c % n]) + "\n";
            sourceTypes += c % n == 1;
        }
        const std::string copy = retype(source);
        ASSERT_EQ(withoutTypes(copy), withoutTypes(source)) << source;
        int copyTypes = 0;
        for (std::size_t at = copy.find("Type="); at != std::string::npos;
             at = copy.find("Type=", at + 1)) {
            ++copyTypes;
        }
        ASSERT_GE(copyTypes, sourceTypes) << source;
    }
}

}  // namespace
}  // namespace tavrolin::polish
