#include "templates/categories.h"

#include <gtest/gtest.h>

#include "store/scripted_platform.h"
#include "templates/templates_handlers.h"
#include "templates/value_lists.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

class Categories : public ::testing::Test {
   protected:
    Categories() : main(platform) {
        buildMainControls(main.form);
        registerTemplateHandlers(main);
        fillCategoryLists(main);
    }
    int indexOf(const std::string& list, const std::string& entry) {
        const auto& items = main.form(list).items;
        auto it = std::find(items.begin(), items.end(), entry);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }
    ScriptedPlatform platform;
    Main main;
};

TEST_F(Categories, EveryRowHasARussianName) {
    const int sizes[] = {7, 26, 16, 130, 12};
    for (int m = 1; m <= kMainCategories; ++m) {
        for (int row = 1; row < kCategoryRows; ++row) {
            bool inside = row <= sizes[m - 1];
            EXPECT_EQ(*categoryName(m, row, false) != '\0', inside) << m << "/" << row;
            EXPECT_EQ(*categoryName(m, row, true) != '\0', inside) << m << "/" << row;
        }
        EXPECT_STREQ(categoryName(m, 0, false), "");
    }
    EXPECT_STREQ(categoryName(4, 130, false), "Wreck");
    EXPECT_STREQ(categoryName(4, 130, true), "обломки");
    EXPECT_STREQ(categoryName(0, 1, false), "");
    EXPECT_STREQ(categoryName(6, 1, false), "");
}

TEST_F(Categories, MainCategoryFillsItsSubCategories) {
    EXPECT_EQ(main.form("MAJ_CAT").items,
              (std::vector<std::string>{"", "Bottom Composition", "Goods/Services", "Land Use",
                                        "Nautical", "Transportation"}));
    EXPECT_EQ(main.form("MIN_CAT").items, (std::vector<std::string>{""}));

    main.form.chooseByUser("MAJ_CAT", indexOf("MAJ_CAT", "Nautical"));
    const Control& sub = main.form("MIN_CAT");
    ASSERT_EQ(sub.listCount(), 131);
    EXPECT_EQ(sub.items[0], "");
    EXPECT_EQ(sub.items[1], "Administration Area");
    EXPECT_EQ(sub.items[130], "Wreck");

    main.form.chooseByUser("MAJ_CAT", indexOf("MAJ_CAT", "Bottom Composition"));
    EXPECT_EQ(
        main.form("MIN_CAT").items,
        (std::vector<std::string>{"", "Misc", "Gravel", "Clay", "Mud", "Silt", "Rock", "Sand"}));

    main.form.chooseByUser("MAJ_CAT", 0);
    EXPECT_EQ(main.form("MIN_CAT").listCount(), 0);
}

TEST_F(Categories, SubCategoryHintsInRussianOnly) {
    main.form.chooseByUser("MAJ_CAT", indexOf("MAJ_CAT", "Nautical"));
    main.form.chooseByUser("MIN_CAT", indexOf("MIN_CAT", "Depth Area"));
    EXPECT_EQ(main.form("Att").text, "");  // the English interface shows nothing

    main.russian = true;
    main.form.chooseByUser("MIN_CAT", indexOf("MIN_CAT", "Anchorage"));
    EXPECT_EQ(main.form("Att").text, " вспомогательная категория: якорная стоянка");
    EXPECT_EQ(main.form("MIN_CAT").toolTip, "Вспомогательная категория: якорная стоянка");

    // Typed text not in the table: no hint, no message.
    main.att("kept");
    main.form.setText("MIN_CAT", "Lagoon");
    MIN_CAT_Click(main);
    EXPECT_EQ(main.form("Att").text, "kept");
    // Found ignoring case.
    main.form.setText("MIN_CAT", "WRECK");
    MIN_CAT_Click(main);
    EXPECT_EQ(main.form("Att").text, " вспомогательная категория: обломки");

    main.form.chooseByUser("MIN_CAT", 0);
    EXPECT_EQ(main.form("Att").text, "");
    EXPECT_EQ(main.form("MIN_CAT").toolTip, "Вспомогательная категория объекта");
}

}  // namespace
}  // namespace tavrolin
