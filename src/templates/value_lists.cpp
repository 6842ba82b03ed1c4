#include "templates/value_lists.h"

namespace tavrolin {

void fillValueLists(Main&) {}
void fillIconList(Main&) {}
const char* scaleName(int) { return ""; }
std::string limitBar(int, int) { return {}; }
void L_LIMIT_Click(Main&) {}
void U_LIMIT_Click(Main&) {}

}  // namespace tavrolin
