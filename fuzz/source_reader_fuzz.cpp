// Feeds arbitrary bytes to DBFread as the chosen source table. Byte 30 of the input (reserved
// in a real header) picks the interface language (bit 0) and "ignore names" (bit 1), so both
// label paths are explored. Beyond the sanitizers' checks, every label and list item must be
// valid UTF-8 and the record list must match the success of the read.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "source/encodings.h"
#include "source/source_reader.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"
#include "window/main_state.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrolin;
    static ScriptedPlatform platform;
    static Main* main = [] {
        auto* m = new Main(platform);
        buildMainControls(m->form);
        return m;
    }();
    static const std::string path =
        "/tmp/tavrolin_source_fuzz_" + std::to_string(::getpid()) + ".dbf";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::uint8_t flags = size > 30 ? data[30] : 0;
    main->russian = (flags & 1) != 0;
    main->form.setValue("NoName", (flags & 2) != 0 ? 1 : 0);
    main->form.setText("Source", path);
    main->attLog.clear();
    platform.messages.clear();
    platform.pauses.clear();

    bool found = DBFread(*main);

    check(found == main->sourceRead);
    check(!found || !main->form("GM_TYPE").items.empty());
    check(main->labelWidth >= 0 && main->labelWidth <= 254);
    for (const SourceRecord& row : main->sourceRecords) {
        check(source::isValidUtf8(row.label) && source::isValidUtf8(row.typeCode) &&
              source::isValidUtf8(row.level));
    }
    for (const char* list : {"GM", "GM_TYPE"}) {
        for (const std::string& item : main->form(list).items) check(source::isValidUtf8(item));
    }
    return 0;
}
