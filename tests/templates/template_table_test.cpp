// Look-ups in the template table: the row displayed and the row saved for a type, and adding one.
#include "templates/template_table.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

using store::ObjectKind;
using Texts = std::vector<std::string>;
using TemplateLookups = testing::TemplateFixture;

TEST(TemplateTable, TypeCodesAndKindDigits) {
    EXPECT_EQ(templates::typeCodeOf("0x24  |  Lake"), "0x24");
    EXPECT_EQ(templates::typeCodeOf("  |  nameless"), "");
    EXPECT_TRUE(templates::listsForKind("12", ObjectKind::Point));
    EXPECT_FALSE(templates::listsForKind("1", ObjectKind::Polygon));
}

// Display prefers the user's row of a type, then YN 0 over an empty YN, whatever the letter case
// of the code; a save takes the first row in file order; an added type has only its key, YN and
// name, and a text with an apostrophe adds none.
TEST_F(TemplateLookups, DisplaySaveAndAddedTypes) {
    for (const char* values :
         {"0,0,'0x24','Lake standard'", "0,1,'0x24','Lake custom'", "0,Null,'0x2a','empty YN'",
          "0,0,'0x2a','YN 0'", "0,0,'0X1C','capitals'", "1,0,'0x24','a line'"}) {
        row("VID,YN,MP_TYPE,MP_ENG", values);
    }
    store::Connection connection;
    ASSERT_TRUE(connection.open(folder()).isOk());
    const auto first = [](Result<store::RecordSet> rows) {
        return !rows         ? rows.status().toString()
               : rows->eof() ? std::string("<none>")
                             : rows->value("MP_ENG")->toText();
    };
    const std::tuple<ObjectKind, const char*, const char*> cases[] = {
        {ObjectKind::Polygon, "0x24", "Lake custom"},
        {ObjectKind::Polygon, "0x2a", "YN 0"},
        {ObjectKind::Polygon, "0x1c", "capitals"},
        {ObjectKind::Line, "0x24", "a line"},
        {ObjectKind::Point, "0x24", "<none>"}};
    for (const auto& [kind, code, name] : cases) {
        EXPECT_EQ(first(templates::openTypeForDisplay(connection, "Tavrolin", kind, code)), name);
    }
    EXPECT_EQ(
        first(templates::openTypeForSave(connection, "Tavrolin", ObjectKind::Polygon, "0x24")),
        "Lake standard");

    // The panel's tests add types by both names; here the quoting of the statement.
    using templates::addType;
    ASSERT_TRUE(
        addType(connection, "Tavrolin", ObjectKind::Point, "0x10", "5\" pier; (new)", false, true));
    EXPECT_EQ(
        addType(connection, "Tavrolin", ObjectKind::Point, "0x'", "pier", false, true).number(),
        err::kSyntax);
    ASSERT_TRUE(connection.close());
    EXPECT_EQ(texts("VID=2", "MP_ENG"), Texts{"5\" pier; (new)"});
    EXPECT_EQ(texts("VID=2", "COLOR"), Texts{"<null>"});
}

}  // namespace
}  // namespace tavrolin
