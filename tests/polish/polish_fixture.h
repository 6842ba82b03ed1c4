// Map text for the map tests: passes run over lines in memory, and maps written to a folder of
// their own.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "polish/map_pass.h"
#include "polish/mp_stream.h"
#include "support/temp_folder.h"

namespace tavrolin::testing {

// The text with every "\n" made "\r\n".
inline std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The text with every "\r\n" made "\n", for readable expectations.
inline std::string lf(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

// Feeds the lines of `text` (separated by "\n"), trimmed of spaces, to a pass of type P
// writing to memory, and returns what it wrote with "\n" line ends; a failure is returned as
// "FAIL number. description".
template <typename P, typename... Args>
std::string runPass(std::string_view text, Args... args) {
    polish::LineWriter out;
    P pass(out, args...);
    long long number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
        if (Status s = pass.line(line, ++number); !s) return "FAIL " + s.toString();
        start = end + 1;
    }
    pass.finish();
    return lf(out.text());
}

class MapFolder : public ScratchFolder {
   public:
    MapFolder() : ScratchFolder("tavrolin-polish-") {}
    std::string path(const std::string& name) const { return (root() / name).string(); }
    std::string write(const std::string& name, std::string_view bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }
};

}  // namespace tavrolin::testing
