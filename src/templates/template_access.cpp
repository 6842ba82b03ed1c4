#include "templates/template_access.h"

namespace tavrolin::templates {

bool templateOpen(Main& main, const std::string& procedure) {
    if (main.connection.isOpen()) return true;
    main.fail(procedure, Status::error(err::kTableNotFound,
                                       "the template " + main.templateFileName + " is not open"));
    return false;
}

}  // namespace tavrolin::templates
