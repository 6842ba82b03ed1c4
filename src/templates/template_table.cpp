#include "templates/template_table.h"

#include "templates/text_fold.h"

namespace tavrolin::templates {

std::string typeCodeOf(const std::string& entry) {
    std::size_t bar = entry.find('|');
    return trim(bar == std::string::npos ? std::string_view(entry)
                                         : std::string_view(entry).substr(0, bar));
}

bool listsForKind(const std::string& vidText, store::ObjectKind kind) {
    return vidText.find(static_cast<char>('0' + store::kindNumber(kind))) != std::string::npos;
}

Status checkQuotable(const std::string& text) {
    if (text.find('\'') == std::string::npos) return {};
    return Status::error(err::kSyntax, "an apostrophe cannot be written in a statement: " + text,
                         "апостроф нельзя записать в запрос: " + text);
}

Result<store::RecordSet> openTypeList(store::Connection& connection, const std::string& table) {
    return connection.openRecordSet("SELECT * FROM " + table + " ORDER BY VID, MP_TYPE");
}

Result<store::RecordSet> openTypeForDisplay(store::Connection& connection, const std::string& table,
                                            store::ObjectKind kind, const std::string& code) {
    if (Status s = checkQuotable(code); !s) return s;
    return connection.openRecordSet("SELECT * FROM " + table +
                                    " WHERE VID=" + std::to_string(store::kindNumber(kind)) +
                                    " AND MP_TYPE='" + code + "' ORDER BY MP_TYPE, YN DESC");
}

Result<store::RecordSet> openTypeForSave(store::Connection& connection, const std::string& table,
                                         store::ObjectKind kind, const std::string& code) {
    if (Status s = checkQuotable(code); !s) return s;
    return connection.openRecordSet("SELECT * FROM " + table + " WHERE MP_TYPE='" + code +
                                        "' AND VID=" + std::to_string(store::kindNumber(kind)),
                                    store::LockType::Optimistic);
}

Status addType(store::Connection& connection, const std::string& table, store::ObjectKind kind,
               const std::string& code, const std::string& description, bool russian, bool withYn) {
    // Both texts stand between apostrophes; one inside would end the literal early and the
    // rest would be read as statement text.
    if (Status s = checkQuotable(code); !s) return s;
    if (Status s = checkQuotable(description); !s) return s;
    const std::string nameColumn = russian ? "MP_NAME" : "MP_ENG";
    const std::string k = std::to_string(store::kindNumber(kind));
    std::string statement = "INSERT INTO " + table;
    if (withYn) {
        statement += " (VID,YN,MP_TYPE," + nameColumn + ") VALUES (" + k + ",0,'" + code + "','" +
                     description + "')";
    } else {
        statement += " (VID,MP_TYPE," + nameColumn + ") VALUES (" + k + ",'" + code + "','" +
                     description + "')";
    }
    Status status = connection.execute(statement);
    if (status) status = connection.flush();  // the new row is on disk for other readers too
    return status;
}

}  // namespace tavrolin::templates
