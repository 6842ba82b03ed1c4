// Helpers for the source tests: a byte-by-byte dBASE writer for building source tables (good
// and bad) in memory, a temporary folder, and a headless main window with a scripted desktop.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
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
    DbfBuilder& version(std::uint8_t v) {
        m_version = v;
        return *this;
    }
    DbfBuilder& languageDriver(std::uint8_t v) {
        m_language = v;
        return *this;
    }
    DbfBuilder& field(std::string name, char type, int length, int decimals = 0) {
        m_fields.push_back({std::move(name), type, length, decimals});
        return *this;
    }
    // One value per field: C left-aligned, others right-aligned, padded with blanks.
    DbfBuilder& record(const std::vector<std::string>& values, bool deleted = false) {
        m_records.push_back(dbfRecord(m_fields, values, deleted));
        return *this;
    }
    // Overrides of header values, to build lying files.
    DbfBuilder& declaredCount(std::int32_t v) {
        m_declaredCount = v;
        return *this;
    }
    DbfBuilder& headerLength(std::uint16_t v) {
        m_headerLength = v;
        return *this;
    }
    DbfBuilder& recordLength(std::uint16_t v) {
        m_recordLength = v;
        return *this;
    }
    DbfBuilder& withoutEndMark() {
        m_endMark = false;
        return *this;
    }

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out =
            dbfHeader(m_fields, static_cast<std::uint32_t>(m_records.size()));
        out[0] = m_version;
        if (m_declaredCount) put(out, 4, static_cast<std::uint32_t>(*m_declaredCount), 4);
        if (m_headerLength) put(out, 8, *m_headerLength, 2);
        if (m_recordLength) put(out, 10, *m_recordLength, 2);
        out[29] = m_language;
        for (const std::string& r : m_records) out.insert(out.end(), r.begin(), r.end());
        if (m_endMark) out.push_back(0x1A);
        return out;
    }

   private:
    // A little-endian number of `size` bytes at `at`.
    static void put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::uint8_t m_version = 0x03;
    std::uint8_t m_language = 0;
    std::vector<DbfField> m_fields;
    std::vector<std::string> m_records;
    std::optional<std::int32_t> m_declaredCount;
    std::optional<std::uint16_t> m_headerLength;
    std::optional<std::uint16_t> m_recordLength;
    bool m_endMark = true;
};

// A folder of its own for one test, removed afterwards.
class TempFolder : public ScratchFolder {
   public:
    TempFolder() : ScratchFolder("tavrolin_source_") {}
    std::string path(const std::string& name) const { return (root() / name).string(); }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }
};

// The main window without a display. The object kind selection is stood in for by a handler
// that does what the reader relies on: the kind and its name follow the chosen option.
class HeadlessWindow {
   public:
    explicit HeadlessWindow(bool russian = false) : main(platform) {
        main.russian = russian;
        main.programFolder = "/opt/tavrolin/";
        buildMainControls(main.form);
        registerSourceHandlers(main);
        main.form.on("SVID", Event::Click, [this](int index) {
            main.kind = main.namedKind = store::kindFromNumber(index);
            ++kindSelections;
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
    int kindSelections = 0;
};

}  // namespace tavrolin::testing
