// Feeds arbitrary bytes to both map operations as the chosen map: label points, then retyping
// on the scale that bit 0 of the last byte picks. Beyond the sanitizers' checks: a run leaves
// an output exactly when it says it made one (or failed after making some), and the retyped
// copy holds every line of the source, trimmed, in its order, once the type lines of both are
// set aside.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "polish/map_run.h"
#include "store/scripted_platform.h"
#include "store/utf8_text.h"
#include "window/main_controls.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The lines of a map, trimmed, without those that begin "type" in any letter case; every line
// is followed by "\n".
std::string linesWithoutTypes(const std::string& bytes) {
    std::string out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r' && end != bytes.size()) line.remove_suffix(1);
        line = tavrolin::store::trimSpaces(line);
        const bool type = line.size() >= 4 && (line[0] | 0x20) == 't' && (line[1] | 0x20) == 'y' &&
                          (line[2] | 0x20) == 'p' && (line[3] | 0x20) == 'e';
        if (!type) out.append(line).append("\n");
        start = next;
    }
    return out;
}

bool endsWith(const std::string& text, const char* tail) {
    const std::string t(tail);
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
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
    static const std::string folder = "/tmp/tavrolin_map_fuzz_" + std::to_string(::getpid()) + "/";
    static const bool made = std::filesystem::create_directories(folder) || true;
    (void)made;
    const std::string source = folder + "map.mp";
    const std::string points = folder + "map-imc.mp";
    const std::string copy = folder + "map-rm.mp";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::filesystem::remove(points);
    std::filesystem::remove(copy);
    main->drDepthScheme = size > 0 && (data[size - 1] & 1) != 0;
    main->attLog.clear();

    WriteName(*main, source);
    const std::string& named = main->attLog.back();
    if (named == " points from the original polygons created successfully") {
        check(std::filesystem::exists(points));
    } else if (named.rfind(" ! btnReadShp_Click: ", 0) != 0) {
        check(!std::filesystem::exists(points));  // refusals and "not found" leave nothing
    }

    WriteRmmp(*main, source);
    const std::string& retyped = main->attLog.back();
    if (retyped == " file with color polygons types created successfully") {
        const std::string written = readAll(copy);
        check(written.empty() || endsWith(written, "\r\n"));
        check(linesWithoutTypes(written) == linesWithoutTypes(bytes));
    } else {
        check(!std::filesystem::exists(copy));
    }
    return 0;
}
