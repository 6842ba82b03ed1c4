#include "templates/categories.h"

#include "templates/value_lists.h"

namespace tavrolin {

const char* mainCategoryName(int) { return ""; }
const char* categoryName(int, int, bool) { return ""; }
void fillCategoryLists(Main&) {}
void MAJ_CAT_Click(Main&) {}
void MIN_CAT_Click(Main&) {}

}  // namespace tavrolin
