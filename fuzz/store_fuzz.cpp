// Feeds arbitrary bytes to the table store as a .dbf file: the header parser, a full read of a
// record set with a filter and an order, Find, and an append through an updatable set. A table
// that could be opened for writing must still be readable, one row longer, after the append.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "store/connection.h"
#include "store/dbf_header.h"

using namespace tavrolin::store;
using tavrolin::Result;

namespace {

const std::string& folder() {
    static const std::string path = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("tavrolin-store-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return path;
}

void readAll(RecordSet& set) {
    for (set.moveFirst(); !set.eof(); set.moveNext()) {
        for (int i = 0; i < set.fieldCount(); ++i) (void)set.value(i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Result<DbfHeader> header = parseDbfHeader(std::span(data, size), size);

    const std::string path = folder() + "/f.dbf";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Connection connection;
    if (!connection.open(folder())) return 0;

    std::string first = header && !header->fields.empty() ? header->fields[0].name : "A";
    std::string last = header && !header->fields.empty() ? header->fields.back().name : "A";
    for (const std::string& sql :
         {std::string("SELECT * FROM f"),
          "SELECT * FROM f ORDER BY [" + first + "], [" + last + "] DESC",
          "SELECT * FROM f WHERE [" + first + "] Is Null AND Not [" + last + "] Is Null",
          "SELECT * FROM f WHERE [" + first + "]='0x4b' ORDER BY [" + last + "]"}) {
        Result<RecordSet> set = connection.openRecordSet(sql);
        if (!set) continue;
        readAll(*set);
        set->moveFirst();
        (void)set->find("[" + last + "]='1'");
    }

    int before = -1;
    bool appended = false;
    {
        Result<RecordSet> set = connection.openRecordSet("SELECT * FROM f", LockType::Optimistic);
        if (set) {
            before = set->recordCount();
            if (set->fieldCount() > 0) {
                if (!set->eof()) {
                    Result<Value> value = set->value(0);
                    if (value) (void)set->setValue(set->field(0).name, *value);
                    (void)set->update();
                }
                (void)set->addNew();
                (void)set->setValue(set->field(0).name, Value::text("x"));
                appended = set->update().isOk();
            }
            set->close();
        }
    }
    (void)connection.close();
    if (before >= 0) {
        Connection again;
        if (!again.open(folder())) return 0;
        Result<RecordSet> set = again.openRecordSet("SELECT * FROM f");
        if (!set) {
            std::fprintf(stderr, "table unreadable after a write: %s\n",
                         set.status().toString().c_str());
            __builtin_trap();
        }
        readAll(*set);
        if (appended && set->recordCount() != before + 1) {
            std::fprintf(stderr, "%d rows after appending to %d\n", set->recordCount(), before);
            __builtin_trap();
        }
    }
    return 0;
}
