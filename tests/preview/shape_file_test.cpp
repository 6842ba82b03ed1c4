#include "preview/shape_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/shape_writer.h"
#include "support/temp_folder.h"

namespace tavrolin::preview {
namespace {

using store::ObjectKind;
using testing::ShapeWriter;

class ShapeFileTest : public ::testing::Test {
   protected:
    std::string path(const std::string& name) const { return (m_folder.root() / name).string(); }
    tavrolin::testing::ScratchFolder m_folder{"tavrolin-shapes-"};
};

TEST_F(ShapeFileTest, PairsShapeIWithRecordIAndKeepsHoles) {
    {
        ShapeWriter writer(path("lake.shp"), SHPT_POLYGON);
        ASSERT_TRUE(writer.ok());
        writer.addSquare(0, 0, 10);
        writer.addNull();
        writer.addSquareWithHole(100, 0, 40);
        writer.addSquare(200, 0, 5);
    }
    Result<ShapeSet> set = readShapes(path("lake.shp"), 4);
    ASSERT_TRUE(set.isOk()) << set.status().toString();
    ASSERT_EQ(set->shapes.size(), 4u);
    // Each shape where it was written: the order is the records' order.
    EXPECT_EQ(set->shapes[1].kind, ObjectKind::None);
    EXPECT_DOUBLE_EQ(set->shapes[3].bounds.minX, 200);
    // The hole stays a ring of its own.
    const Shape& holed = set->shapes[2];
    ASSERT_EQ(holed.partCount(), 2u);
    EXPECT_EQ(holed.partBegin(1), 5u);
    EXPECT_DOUBLE_EQ(holed.points[5].x, 110);
}

TEST_F(ShapeFileTest, RefusesWhatCannotBePairedOrRead) {
    {
        ShapeWriter writer(path("river.shp"), SHPT_ARC);
        writer.add(SHPT_ARC, {{0, 0, 1, 1, 2, 0}});
        writer.add(SHPT_ARC, {{5, 5, 6, 6}});
    }
    // One shape too few or too many for the table: refused, both counts named.
    for (std::size_t records : {1u, 3u}) {
        EXPECT_EQ(readShapes(path("river.shp"), records).status().toString(),
                  "5. river.shp holds 2 shapes, the table " + std::to_string(records) + " records");
    }
    // Without its index the file cannot be read.
    std::filesystem::remove(path("river.shx"));
    EXPECT_EQ(readShapes(path("river.shp"), 2).status().number(), err::kFileNotFound);
}

TEST_F(ShapeFileTest, ReadsMultipointsWithoutZAndFindsTheShapefileInAnyCase) {
    {
        ShapeWriter writer(path("Marks.shp"), SHPT_MULTIPOINTZ);
        writer.add(SHPT_MULTIPOINTZ, {{1, 2}, {3, 4}, {5, 6}});
    }
    Result<ShapeSet> set = readShapes(path("Marks.shp"), 1);
    ASSERT_TRUE(set.isOk()) << set.status().toString();
    EXPECT_EQ(set->kind, ObjectKind::Point);
    ASSERT_EQ(set->shapes[0].partCount(), 3u);
    EXPECT_DOUBLE_EQ(set->shapes[0].points[2].y, 6);
    EXPECT_EQ(shapeFileBeside(path("marks.dbf")), path("Marks.shp"));
    EXPECT_EQ(shapeFileBeside(path("other.dbf")), std::nullopt);
}

}  // namespace
}  // namespace tavrolin::preview
