#include "templates/template_table.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

using store::ObjectKind;
using templates::addType;
using templates::listsForKind;
using templates::openTypeForDisplay;
using templates::openTypeForSave;
using templates::typeCodeOf;

TEST(TemplateTable, TypeCodeOfAnEntry) {
    EXPECT_EQ(typeCodeOf("0x24  |  Lake"), "0x24");
    EXPECT_EQ(typeCodeOf(" 0x3 | a | b"), "0x3");
    EXPECT_EQ(typeCodeOf("0x10f"), "0x10f");
    EXPECT_EQ(typeCodeOf("  |  nameless"), "");
}

TEST(TemplateTable, KindDigitMatchesLikeAPattern) {
    EXPECT_TRUE(listsForKind("0", ObjectKind::Polygon));
    EXPECT_FALSE(listsForKind("1", ObjectKind::Polygon));
    EXPECT_TRUE(listsForKind("12", ObjectKind::Point));
    EXPECT_FALSE(listsForKind("", ObjectKind::Polygon));
}

class TemplateLookups : public testing::TemplateFixture {
   protected:
    void SetUp() override {
        TemplateFixture::SetUp();
        // 0x24: a standard row first in the file, then a custom one. 0x2a: a row with an empty
        // YN first, then YN 0. 0X1C stored in capitals.
        row("VID,YN,MP_TYPE,MP_ENG,COLOR", "0,0,'0x24','Lake standard',1");
        row("VID,YN,MP_TYPE,MP_ENG,COLOR", "0,1,'0x24','Lake custom',2");
        row("VID,MP_TYPE,MP_ENG,COLOR", "0,'0x2a','empty YN',3");
        row("VID,YN,MP_TYPE,MP_ENG,COLOR", "0,0,'0x2a','YN 0',4");
        row("VID,YN,MP_TYPE,MP_ENG,COLOR", "0,0,'0X1C','capitals',5");
        row("VID,YN,MP_TYPE,MP_ENG,COLOR", "1,0,'0x24','a line',6");
        ASSERT_TRUE(connection.open(folder()).isOk());
    }
    std::string firstName(Result<store::RecordSet>& rows) {
        EXPECT_TRUE(rows.isOk()) << rows.status().toString();
        if (!rows || rows->recordCount() == 0) return "<none>";
        rows->moveFirst();
        return rows->value("MP_ENG")->toText();
    }
    store::Connection connection;
};

TEST_F(TemplateLookups, DisplayPrefersCustomRowsThenYnZeroOverEmpty) {
    auto lake = openTypeForDisplay(connection, "Tavrolin", ObjectKind::Polygon, "0x24");
    EXPECT_EQ(firstName(lake), "Lake custom");
    auto yn = openTypeForDisplay(connection, "Tavrolin", ObjectKind::Polygon, "0x2a");
    EXPECT_EQ(firstName(yn), "YN 0");
    auto capitals = openTypeForDisplay(connection, "Tavrolin", ObjectKind::Polygon, "0x1c");
    EXPECT_EQ(firstName(capitals), "capitals");
    auto line = openTypeForDisplay(connection, "Tavrolin", ObjectKind::Line, "0x24");
    EXPECT_EQ(firstName(line), "a line");
}

TEST_F(TemplateLookups, SaveTakesTheFirstRowInFileOrder) {
    auto lake = openTypeForSave(connection, "Tavrolin", ObjectKind::Polygon, "0x24");
    EXPECT_EQ(firstName(lake), "Lake standard");
}

TEST_F(TemplateLookups, AddTypeWritesOnlyKeyAndNameAndRefusesApostrophes) {
    ASSERT_TRUE(
        addType(connection, "Tavrolin", ObjectKind::Point, "0x2f00", "Marina", false, true).isOk());
    ASSERT_TRUE(
        addType(connection, "Tavrolin", ObjectKind::Point, "0x2f01", "Пристань", true, false)
            .isOk());
    ASSERT_TRUE(
        addType(connection, "Tavrolin", ObjectKind::Line, "0x10", "5\" pier; (new)", false, true)
            .isOk());
    EXPECT_EQ(column("VID=1 AND MP_TYPE='0x10'", "MP_ENG")[0].toText(), "5\" pier; (new)");
    Status quote =
        addType(connection, "Tavrolin", ObjectKind::Point, "0x2f02", "Bob's pier", false, true);
    EXPECT_EQ(quote.number(), err::kSyntax);
    Status code = addType(connection, "Tavrolin", ObjectKind::Point, "0x'", "pier", false, true);
    EXPECT_EQ(code.number(), err::kSyntax);

    EXPECT_EQ(column("VID=2", "MP_TYPE").size(), 2u);  // the refused ones left no row
    auto yn = column("VID=2", "YN");
    ASSERT_EQ(yn.size(), 2u);
    EXPECT_EQ(yn[0].toText(), "0");
    EXPECT_TRUE(yn[1].isNull());
    EXPECT_EQ(column("VID=2", "MP_ENG")[0].toText(), "Marina");
    EXPECT_EQ(column("VID=2", "MP_NAME")[1].toText(), "Пристань");
    EXPECT_TRUE(column("VID=2", "COLOR")[0].isNull());
}

}  // namespace
}  // namespace tavrolin
