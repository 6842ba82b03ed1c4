// The two-level category table of map features (five main categories, up to 130 sub-categories
// each, English names with Russian hints) and the handlers of the category lists.
#pragma once

#include <string>

#include "window/main_state.h"

namespace tavrolin {

constexpr int kMainCategories = 5;
constexpr int kCategoryRows = 131;  // row 0 and the rows after a category's last name are empty

// The English name of main category m (1 to 5); empty outside.
const char* mainCategoryName(int main);
// Row r (0 to 130) of main category m: English or Russian name; empty when there is none.
const char* categoryName(int main, int row, bool russian);

// A main category chosen: MIN_CAT refilled with its sub-categories (a blank first).
void MAJ_CAT_Click(Main& main);
// A sub-category chosen: its Russian name as a hint in the Russian interface.
void MIN_CAT_Click(Main& main);

}  // namespace tavrolin
