#include "polish/label_points.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "polish/polish_fixture.h"

namespace tavrolin::polish {
namespace {

using testing::runPass;

constexpr const char* kHeader = "[IMG ID]\nName=Lake\n[END-IMG ID]\n";
// What the output begins with: the header and one empty line.
constexpr const char* kHeaderOut = "[IMG ID]\nName=Lake\n[END-IMG ID]\n\n";

std::string poi(const std::string& label, const std::string& position) {
    return "[POI]\nType=0x2800\n" + label + "\n" + position + "\n[END]\n\n";
}

struct Case {
    const char* name;
    const char* body;    // after the header
    std::string points;  // after the header's copy
};

TEST(LabelPoints, PointsForNamedPolygons) {
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
        {"empty label", "[POLYGON]\nLabel=\nData0=(1,2)\n[END]\n", ""},
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
        EXPECT_EQ(runPass<LabelPoints>(std::string(kHeader) + c.body), kHeaderOut + c.points);
    }
}

TEST(LabelPoints, WithoutHeaderEndCopiesEverythingAndPointsFollowTheirLine) {
    EXPECT_EQ(
        runPass<LabelPoints>("; map\n [POLYGON]\nLabel=A\nData0=(1,2)\n[END]\n"),
        "; map\n[POLYGON]\nLabel=A\nData0=(1,2)\n" + poi("Label=A", "Data0=(1,2)") + "[END]\n");
}

TEST(LabelPoints, RefusesCoordinateLinesItCannotRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"Data0=1,2", "FAIL 5. line 6: coordinate line without \"(\": \"Data0=1,2\""},
        {"Data0=(1,2),(3)", "FAIL 5. line 6: point without \",\": \"3\""},
        {"Data0=()", "FAIL 5. line 6: point without \",\": \"\""},
        {"Data0=(", "FAIL 5. line 6: point without \",\": \"\""},
        {"Data0=(1,x)", "FAIL 13. line 6: coordinate is not a number: \"x\""},
        {"Data0=(1,2", "FAIL 13. line 6: coordinate is not a number: \"\""},
        {"Data0=(nan,2)", "FAIL 13. line 6: coordinate is not a number: \"nan\""},
        {"Data0=(1e999,2)", "FAIL 13. line 6: coordinate is not a number: \"1e999\""},
    };
    for (const auto& [line, failure] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(runPass<LabelPoints>(std::string(kHeader) + "[POLYGON]\nLabel=A\n" + line),
                  failure);
    }
}

// Coordinate lines are read in one scan when they have the usual form; any line, usual or not,
// gets the same point or the same failure as from the general reading.
TEST(LabelPoints, QuickReadingAgreesWithTheGeneralOne) {
    const char* const numbers[] = {"57.000013",
                                   "-39.5",
                                   "0",
                                   "-0",
                                   "7",
                                   "1e3",
                                   "+2",
                                   " 3",
                                   "4 ",
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
        ASSERT_EQ(quick.status().number(), general.status().number());
        ASSERT_EQ(quick.status().description(), general.status().description());
        if (!general) continue;
        ASSERT_EQ(quick->prefix, general->prefix);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(quick->first),
                  std::bit_cast<std::uint64_t>(general->first));
        ASSERT_EQ(std::bit_cast<std::uint64_t>(quick->second),
                  std::bit_cast<std::uint64_t>(general->second));
    }
}

TEST(LabelPoints, HugeCoordinatesStayFinite) {
    Result<LabelPoint> point = labelPointOf("Data0=(1e308,-1e308),(1.7e308,-1.7e308)", 1);
    ASSERT_TRUE(point);
    EXPECT_DOUBLE_EQ(point->first, 1.35e308);
    EXPECT_DOUBLE_EQ(point->second, -1.35e308);
}

}  // namespace
}  // namespace tavrolin::polish
