// Times the label-point and retyping operations (WriteName, WriteRmmp: check, line count, main
// pass, output) on a generated map of 1,000,000 named depth polygons of ten points each, and
// a cat-like read of the same file (1 MiB blocks to /dev/null) in the same run. Reports MB/s of
// source per second and the ratio to the plain read, and the growth of the peak resident set
// during the operations (the streams keep one block each, whatever the file size).
// Each contender runs several times, in turns, and its median counts, so that a busy machine
// disturbs the figures less; beside the elapsed time, the processor time the process spent
// (user and system) is reported as MB per processor second, which waiting for a shared
// processor does not inflate.
// Target on the reference machine: at least 300 MB/s for each operation.
// Usage: map_bench [polygons] [runs]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "polish/map_run.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace {

using Clock = std::chrono::steady_clock;

long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atoll(line.c_str() + 6) * 1024;
    }
    return 0;
}

// Writes the map polygon by polygon; depths 0 to 24.9 in the labels, coordinates of six
// decimals around a lake.
void writeMap(const std::string& path, int polygons) {
    std::ofstream out(path, std::ios::binary);
    out << "[IMG ID]\r\nID=13\r\nName=Generated lake for the map benchmark\r\nLevels=2\r\n"
           "Level0=24\r\nLevel1=22\r\n[END-IMG ID]\r\n\r\n";
    std::string text;
    char buffer[64];
    for (int p = 0; p < polygons; ++p) {
        text.clear();
        text += "[POLYGON]\r\nType=0x3c\r\n";
        std::snprintf(buffer, sizeof buffer, "Label=%d.%d\r\n", p % 25, p % 10);
        text += buffer;
        text += "EndLevel=1\r\nData0=";
        const double lat = 57.0 + (p % 1000) * 0.0001;
        const double lon = 39.0 + (p / 1000) * 0.0001;
        for (int k = 0; k < 10; ++k) {
            std::snprintf(buffer, sizeof buffer, "%s(%.6f,%.6f)", k == 0 ? "" : ",",
                          lat + k * 0.000013, lon + (k % 3) * 0.000021);
            text += buffer;
        }
        text += "\r\n[END]\r\n\r\n";
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
}

// Elapsed and processor seconds of one contender's run.
struct Times {
    double elapsed = 0;
    double processor = 0;
};

double processorSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Operation>
Times timed(Operation operation) {
    const Clock::time_point start = Clock::now();
    const double processorStart = processorSeconds();
    operation();
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            processorSeconds() - processorStart};
}

Times plainRead(const std::string& path) {
    return timed([&] {
        const int in = ::open(path.c_str(), O_RDONLY);
        const int out = ::open("/dev/null", O_WRONLY);
        std::vector<char> block(1 << 20);
        ssize_t got;
        while ((got = ::read(in, block.data(), block.size())) > 0) {
            if (::write(out, block.data(), static_cast<std::size_t>(got)) != got) break;
        }
        ::close(in);
        ::close(out);
    });
}

// The median of each kind of time over the runs.
Times median(std::vector<Times> runs) {
    auto middle = [&runs](double Times::*member) {
        std::vector<double> values;
        for (const Times& run : runs) values.push_back(run.*member);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    return {middle(&Times::elapsed), middle(&Times::processor)};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tavrolin;
    const int polygons = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("tavrolin_map_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "lake.mp").string();
    writeMap(path, polygons);
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    ScriptedPlatform platform;
    Main main(platform);
    buildMainControls(main.form);

    (void)plainRead(path);  // the file in the page cache for every contender alike
    std::vector<Times> plainRuns, labelsRuns, retypeRuns;
    std::string labelsMessage, retypeMessage;
    const long long before = peakResidentBytes();
    for (int run = 0; run < runs; ++run) {
        plainRuns.push_back(plainRead(path));
        labelsRuns.push_back(timed([&] { WriteName(main, path); }));
        labelsMessage = main.attLog.back();
        retypeRuns.push_back(timed([&] { WriteRmmp(main, path); }));
        retypeMessage = main.attLog.back();
    }
    const long long grown = peakResidentBytes() - before;
    const Times plain = median(plainRuns);

    std::printf("polygons %d, map %.1f MB, medians of %d runs\n", polygons, megabytes, runs);
    std::printf("plain read   %.3f s  %7.0f MB/s               %7.0f MB per processor second\n",
                plain.elapsed, megabytes / plain.elapsed, megabytes / plain.processor);
    auto report = [&](const char* name, const Times& times) {
        const double rate = megabytes / times.elapsed;
        std::printf(
            "%-12s %.3f s  %7.0f MB/s  ratio %.2f  %7.0f MB per processor second (ratio "
            "%.2f)   target >= 300 MB/s: %s\n",
            name, times.elapsed, rate, rate / (megabytes / plain.elapsed),
            megabytes / times.processor, plain.processor / times.processor,
            rate >= 300 ? "met" : "MISSED");
    };
    report("mp-labels", median(labelsRuns));
    report("mp-retype", median(retypeRuns));
    std::printf("memory       peak grew %.1f MB during both operations\n",
                static_cast<double>(grown) / 1e6);
    std::printf("messages     \"%s\" / \"%s\"\n", labelsMessage.c_str(), retypeMessage.c_str());
    std::filesystem::remove_all(folder);
    return labelsMessage.rfind(" points", 0) == 0 && retypeMessage.rfind(" file with", 0) == 0 ? 0
                                                                                               : 1;
}
