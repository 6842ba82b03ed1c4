#include "templates/type_lists.h"

namespace tavrolin {

void fillTypeList(Main&) {}
void SVID_Click(Main&, int) {}
void kindHint(Main&) {}
void GM_Click(Main&) {}
void GM_TYPE_Click(Main&) {}

}  // namespace tavrolin
