// Helpers for the source tests: a byte-by-byte dBASE writer for building source tables (good
// and bad) in memory, a temporary folder, and a headless main window with a scripted desktop.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "source/source_handlers.h"
#include "store/scripted_platform.h"
#include "support/dbf_bytes.h"
#include "support/temp_folder.h"
#include "window/main_controls.h"
#include "window/main_state.h"

namespace tavrolin::testing {

class DbfBuilder {
   public:
    DbfBuilder& field(std::string name, char type, int length, int decimals = 0) {
        m_fields.push_back({std::move(name), type, length, decimals});
        return *this;
    }
    // One value per field: C left-aligned, others right-aligned, padded with blanks.
    DbfBuilder& record(const std::vector<std::string>& values, bool deleted = false) {
        m_records.push_back(dbfRecord(m_fields, values, deleted));
        return *this;
    }
    // A header byte or a little-endian 16/32-bit value set over what the fields make, to build
    // lying files: version 0, record count 4, header length 8, record length 10, language 29.
    DbfBuilder& set(std::size_t at, std::uint32_t value, int size = 1) {
        m_overrides.push_back({at, value, size});
        return *this;
    }
    DbfBuilder& withoutEndMark() {
        m_endMark = false;
        return *this;
    }

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out =
            dbfHeader(m_fields, static_cast<std::uint32_t>(m_records.size()));
        for (const Override& o : m_overrides) {
            for (int i = 0; i < o.size; ++i)
                out[o.at + i] = static_cast<std::uint8_t>(o.value >> (8 * i));
        }
        for (const std::string& r : m_records) out.insert(out.end(), r.begin(), r.end());
        if (m_endMark) out.push_back(0x1A);
        return out;
    }

   private:
    struct Override {
        std::size_t at;
        std::uint32_t value;
        int size;
    };
    std::vector<DbfField> m_fields;
    std::vector<std::string> m_records;
    std::vector<Override> m_overrides;
    bool m_endMark = true;
};

class TempFolder : public ScratchFolder {
   public:
    TempFolder() : ScratchFolder("tavrolin_source_") {}
};

// The main window without a display. The object kind selection is stood in for by a handler
// that does what the reader relies on: the kind and its name follow the chosen option.
class HeadlessWindow {
   public:
    HeadlessWindow() : main(platform) {
        main.programFolder = "/opt/tavrolin/";
        buildMainControls(main.form);
        registerSourceHandlers(main);
        main.form.on("SVID", Event::Click, [this](int index) {
            main.kind = main.namedKind = store::kindFromNumber(index);
        });
    }
    std::vector<std::string> items(const std::string& list) { return main.form(list).items; }
    int chosenKind() {
        for (Control* option : main.form.array("SVID")) {
            if (option->value != 0) return option->index;
        }
        return -1;
    }

    ScriptedPlatform platform;
    Main main;
};

}  // namespace tavrolin::testing
