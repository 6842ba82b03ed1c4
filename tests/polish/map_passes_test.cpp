// The two passes over a map's lines: label points for named polygons, and polygons retyped by
// the depth their label states. Run over lines in memory.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "polish/label_points.h"
#include "polish/mp_numbers.h"
#include "polish/polish_fixture.h"
#include "polish/polygon_retype.h"

namespace tavrolin::polish {
namespace {

using testing::runPass;

constexpr const char* kHeader = "[IMG ID]\nName=Lake\n[END-IMG ID]\n";

std::string poi(const std::string& label, const std::string& position) {
    return "[POI]\nType=0x2800\n" + label + "\n" + position + "\n[END]\n\n";
}

TEST(LabelPoints, PointsForNamedPolygons) {
    struct Case {
        const char* name;
        std::string body;    // after the header
        std::string points;  // after the header's copy and an empty line
    };
    const Case cases[] = {
        {"box middle, label kept as read",
         "[POLYGON]\nType=0x3c\n  Label=Lake Nero  \nData0=(57.1,39.2),(57.3,39.6),(57.2,39.5)\n"
         "[END]\n",
         poi("Label=Lake Nero", "Data0=(57.2,39.4)")},
        {"one point", "[polygon]\nLabel=A\nData0=(-1.5,30)\n[END]\n",
         poi("Label=A", "Data0=(-1.5,30)")},
        {"Data1 prefix", "[POLYGON]\nLabel=A\nData1=(1,2),(3,4)\n", poi("Label=A", "Data1=(2,3)")},
        {"only the first coordinate line", "[POLYGON]\nLABEL=A\nDATA0=(1,1)\nData1=(5,5)\n",
         poi("LABEL=A", "DATA0=(1,1)")},
        {"empty label drops a held one", "[POLYGON]\nLabel=A\nLabel=\nData0=(1,2)\n", ""},
        {"label after coordinates", "[POLYGON]\nData0=(1,2)\nLabel=A\n[END]\n", ""},
        {"held over to the next polygon",
         "[POLYGON]\nLabel=A\n[END]\n[POLYGON]\nData0=(1,2)\n[END]\n",
         poi("Label=A", "Data0=(1,2)")},
        {"polyline and POI labels",
         "[POLYLINE]\nLabel=R\nData0=(1,2)\n[POI]\nLabel=P\nData0=(1,2)\n", ""},
        {"an old-style head keeps polygon mode",
         "[POLYGON]\nLabel=A\nData0=(1,2)\n[END]\n[RGN40]\nLabel=B\nData0=(3,4)\n",
         poi("Label=A", "Data0=(1,2)") + poi("Label=B", "Data0=(3,4)")},
        {"[polygon] with more after it is another head", "[POLYGONS]\nLabel=A\nData0=(1,2)\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(runPass<LabelPoints>(kHeader + c.body), kHeader + ("\n" + c.points));
    }
    // Without the header's end everything is copied, and a point follows its coordinate line.
    EXPECT_EQ(
        runPass<LabelPoints>("; map\n [POLYGON]\nLabel=A\nData0=(1,2)\n[END]\n"),
        "; map\n[POLYGON]\nLabel=A\nData0=(1,2)\n" + poi("Label=A", "Data0=(1,2)") + "[END]\n");
}

TEST(LabelPoints, RefusesCoordinateLinesItCannotRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"Data0=1,2", "FAIL 5. line 6: coordinate line without \"(\": \"Data0=1,2\""},
        {"Data0=(1,2),(3)", "FAIL 5. line 6: point without \",\": \"3\""},
        {"Data0=(1,x)", "FAIL 13. line 6: coordinate is not a number: \"x\""},
        {"Data0=(1e999,2)", "FAIL 13. line 6: coordinate is not a number: \"1e999\""},
    };
    for (const auto& [line, failure] : cases) {
        EXPECT_EQ(runPass<LabelPoints>(std::string(kHeader) + "[POLYGON]\nLabel=A\n" + line),
                  failure);
    }
}

// Coordinate lines are read in one scan when they have the usual form; any line, usual or not,
// gets the same point or the same failure as from the general reading.
TEST(LabelPoints, QuickReadingAgreesWithTheGeneralOne) {
    const char* const numbers[] = {"57.000013",
                                   "-0",
                                   "1e3",
                                   "+2",
                                   " 3",
                                   "1.",
                                   ".5",
                                   "x",
                                   "",
                                   "9007199254740993",
                                   "0.1234567890123456789012",
                                   "nan",
                                   "-"};
    const char* const joints[] = {",",    ", ", ",,",   ")",  "",    "),", ")),(",
                                  "), (", ")(", "),((", "))", "))(", ");("};
    std::mt19937_64 random(27);
    auto pick = [&random](const auto& list) { return list[random() % std::size(list)]; };
    for (int i = 0; i < 20000; ++i) {
        std::string line = random() % 8 == 0 ? "Data0=" : "Data1=(";
        const int points = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < points; ++k) {
            if (k > 0) line += random() % 6 == 0 ? pick(joints) : "),(";
            // Mostly well-formed points, so that many lines take the quick reading.
            const bool usual = random() % 4 != 0;
            line += usual ? "57.1" + std::to_string(random() % 1000) : pick(numbers);
            line += random() % 10 == 0 ? pick(joints) : ",";
            line += usual ? "-39." + std::to_string(random() % 100000) : pick(numbers);
        }
        if (random() % 10 != 0) line += ")";
        SCOPED_TRACE(line);
        const Result<LabelPoint> quick = labelPointOf(line, 7);
        const Result<LabelPoint> general = labelPointOfAnyForm(line, 7);
        ASSERT_EQ(quick.status().toString(), general.status().toString());
        if (!general) continue;
        ASSERT_EQ(quick->prefix, general->prefix);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(quick->first),
                  std::bit_cast<std::uint64_t>(general->first));
        ASSERT_EQ(std::bit_cast<std::uint64_t>(quick->second),
                  std::bit_cast<std::uint64_t>(general->second));
    }
    const Result<LabelPoint> huge = labelPointOf("Data0=(1e308,-1e308),(1.7e308,-1.7e308)", 1);
    ASSERT_TRUE(huge);  // and finite
    EXPECT_DOUBLE_EQ(huge->first, 1.35e308);
    EXPECT_DOUBLE_EQ(huge->second, -1.35e308);
}

std::string retype(const std::string& text, bool drDepth = false) {
    return runPass<PolygonRetype>(text, drDepth);
}

TEST(PolygonRetype, DepthScales) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"5", "Type=0x306", "Type=0x403"},           {"4.99", "Type=0x305", "Type=0x402"},
        {"0", "Type=0x301", "Type=0x400"},           {"20", "Type=0x310", "Type=0x408"},
        {"-3", "Type=0x310", "Type=0x408"},          {"9.5", "Type=0x30a", "Type=0x403"},
        {"14.99999999", "Type=0x310", "Type=0x407"},
    };
    for (const auto& [label, drDepth, coarse] : rows) {
        EXPECT_EQ(depthTypeLine(readDepth(label), true), drDepth) << label;
        EXPECT_EQ(depthTypeLine(readDepth(label), false), coarse) << label;
    }
    EXPECT_EQ(retype("[POLYGON]\nType=0x3c\nLabel=12.5m\n[END]\n", true),
              "[POLYGON]\nType=0x30d\nLabel=12.5m\n[END]\n");
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
    for (const auto& [source, copy] : cases) EXPECT_EQ(retype(source), copy) << source;

    // Held lines past the limit are written back, and a later label still retypes.
    std::string source = "[POLYGON]\nType=0x3c\n";
    for (std::size_t i = 0; i < kHeldBytesMax / 1000 + 2; ++i)
        source += std::string(1000, 'x') + "\n";
    EXPECT_EQ(retype(source + "Label=3\n"), source + "Type=0x402\nLabel=3\n");
}

}  // namespace
}  // namespace tavrolin::polish
