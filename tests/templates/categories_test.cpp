// The category lists: the sub-categories of each main category, and their hints.
#include "templates/categories.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

using Categories = testing::PanelFixture;

// Choosing a main category lists its names after a blank, each with a Russian name, up to the
// first empty row; no main category, no list.
TEST_F(Categories, MainCategoryListsItsNamedSubCategories) {
    ASSERT_EQ(c("MAJ_CAT").listCount(), kMainCategories + 1);
    for (int m = 1; m <= kMainCategories; ++m) {
        main.form.chooseByUser("MAJ_CAT", m);
        std::vector<std::string> expected = {""};
        for (int row = 1; row < kCategoryRows && *categoryName(m, row, false) != '\0'; ++row) {
            expected.push_back(categoryName(m, row, false));
            EXPECT_STRNE(categoryName(m, row, true), "") << m << "/" << row;
        }
        EXPECT_GT(expected.size(), 5u);
        EXPECT_EQ(c("MIN_CAT").items, expected) << m;
    }
    EXPECT_STREQ(categoryName(kMainCategories + 1, 1, false), "");
    main.form.chooseByUser("MAJ_CAT", 0);
    EXPECT_EQ(c("MIN_CAT").listCount(), 0);
}

TEST_F(Categories, SubCategoryHintsInRussianOnly) {
    choose("MAJ_CAT", "Nautical");
    choose("MIN_CAT", "Depth Area");
    EXPECT_EQ(c("Att").text, "");  // the English interface shows nothing
    main.russian = true;
    // Typed text not in the table: no hint, no message; found ignoring case.
    main.att("kept");
    main.form.setText("MIN_CAT", "Lagoon");
    MIN_CAT_Click(main);
    EXPECT_EQ(c("Att").text, "kept");
    main.form.setText("MIN_CAT", "WRECK");
    MIN_CAT_Click(main);
    EXPECT_EQ(c("Att").text, " вспомогательная категория: обломки");
}

}  // namespace
}  // namespace tavrolin
