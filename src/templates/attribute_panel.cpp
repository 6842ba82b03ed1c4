#include "templates/type_lists.h"

namespace tavrolin {

void MP_TYPE_Click(Main&) {}
void btnAtrSave_Click(Main&) {}

}  // namespace tavrolin
