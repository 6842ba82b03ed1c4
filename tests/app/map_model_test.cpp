#include "app/map_model.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "convert/convert_fixture.h"
#include "convert/depth_scheme.h"
#include "support/shape_writer.h"

namespace tavrolin {
namespace {

using testing::ShapeWriter;

class MapModelTest : public testing::ConvertFixture {
   protected:
    void SetUp() override {
        ConvertFixture::SetUp();
        addTemplateRow("VID,MP_TYPE,MP_NAME,MP_ENG,L_LIMIT,U_LIMIT,LAYER,COLOR,MODE,FONT",
                       "0,'0x4b','Озеро','Lake',5,20,2,16,'T','10'");
        main.sourceRead = true;
        main.sourceRecords = {{"0x4b", "Светлое", ""}, {"0x99", "", ""}, {"0x4b", "", "1"}};
    }
    void writeShapes(int count) {
        ShapeWriter writer(main.sourceFolder + "river_orig.shp", SHPT_POLYGON);
        for (int i = 0; i < count; ++i) writer.addSquare(i * 100, 0, 50);
    }
};

TEST_F(MapModelTest, EachShapeTakesItsRecordsAttributesFromTheConversionRules) {
    writeShapes(3);
    Result<preview::StyledMap> map = buildStyledMap(main, preview::StyleBasis::Types);
    ASSERT_TRUE(map.isOk()) << map.status().toString();
    ASSERT_EQ(map->objects.size(), 3u);
    const preview::MapObject& lake = map->objects[0];
    EXPECT_DOUBLE_EQ(map->shapeOf(lake).bounds.minX, 0);
    EXPECT_EQ(lake.style.color, 0xFFC88Cu);  // code 16, "8CC8FF"
    EXPECT_EQ(lake.style.lowerLimit, 5);
    // A type the template lacks: only the limits 0 to 34, no colour.
    const preview::MapObject& unknown = map->objects[1];
    EXPECT_FALSE(unknown.knownType);
    EXPECT_EQ(unknown.style.color, std::nullopt);
    // The unlabelled record on level 1: MODE N, limits 25 to 34, as the conversion writes them.
    const preview::MapObject& high = map->objects[2];
    EXPECT_DOUBLE_EQ(map->shapeOf(high).bounds.minX, 200);
    EXPECT_EQ(high.style.mode, 'N');
    EXPECT_EQ(high.style.lowerLimit, 25);
}

TEST_F(MapModelTest, ByDepthADepthAreaTakesTheColourOfTheLoadedScheme) {
    // Depth areas without level: 7 m, 5 m marked as a shallow ("!+", coloured as 4 m), and one
    // on level 1, which the depth pass leaves alone.
    main.sourceRecords = {{"0x4b", "7", ""}, {"0x4b", "5!+", ""}, {"0x4b", "7", "1"}};
    writeShapes(3);
    fillTOPO_Click(main, depthServices());
    Result<preview::StyledMap> map = buildStyledMap(main, preview::StyleBasis::Depth);
    ASSERT_TRUE(map.isOk()) << map.status().toString();
    const preview::DisplayStyle& seven = map->objects[0].style;
    EXPECT_EQ(seven.color, 0xFF9900u);  // TOPO at 7 m: code 62, "0099FF"
    EXPECT_EQ(seven.layer, 33);
    EXPECT_EQ(map->objects[1].style.color, 0xFFC88Cu);  // as 4 m: code 16
    EXPECT_EQ(map->objects[2].style.layer, 2);          // the template's

    // By types the same records keep the template's look.
    Result<preview::StyledMap> byTypes = buildStyledMap(main, preview::StyleBasis::Types);
    ASSERT_TRUE(byTypes.isOk());
    EXPECT_EQ(byTypes->objects[0].style.color, 0xFFC88Cu);
}

TEST_F(MapModelTest, AMissingOrMismatchedShapefileIsReportedNotDrawnAndTheButtonNeedsAKind) {
    for (const auto& [shapes, message] :
         {std::pair{0, " * no geometry for the map: river_orig.shp is not beside river_orig.dbf"},
          {2, " ! Map: 5. river_orig.shp holds 2 shapes, the table 3 records"}}) {
        if (shapes > 0) writeShapes(shapes);
        Result<preview::StyledMap> map = buildStyledMap(main, preview::StyleBasis::Types);
        ASSERT_FALSE(map.isOk());
        reportMapError(main, map.status());
        EXPECT_EQ(main.attLog.back(), message);
    }
    main.kind = store::ObjectKind::None;
    btnMap_Click(main);
    EXPECT_EQ(platform.mapsShown, 0);
    chooseKind(0);
    btnMap_Click(main);
    EXPECT_EQ(platform.mapsShown, 1);
}

}  // namespace
}  // namespace tavrolin
