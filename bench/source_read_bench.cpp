// Times DBFread on a generated source table of 1,000,000 records (type code, label, level;
// mixed Latin and Cyrillic labels in code page 1251, 200,000 distinct named objects) and a
// plain block read of the same file in the same run, and measures the memory the read keeps
// (growth of the peak resident set) per record.
// Targets on the reference machine: at most 1.5 s, at most 200 bytes per record.
// Usage: source_read_bench [records]
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "source/source_reader.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"
#include "window/main_state.h"

namespace {

using Clock = std::chrono::steady_clock;

// Peak resident set size in bytes, from /proc/self/status.
long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atoll(line.c_str() + 6) * 1024;
    }
    return 0;
}

void put16(std::string& b, std::size_t at, unsigned v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

// Writes the table record by record; nothing of it stays in memory.
void writeTable(const std::string& path, int records) {
    struct Field {
        const char* name;
        char type;
        int length;
    };
    const Field fields[] = {{"TYPE", 'C', 8}, {"LABEL", 'C', 30}, {"LEVEL", 'N', 2}};
    const int recordLength = 1 + 8 + 30 + 2;
    std::string header(32, '\0');
    header[0] = 0x03;
    for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<char>((records >> (8 * i)) & 0xFF);
    put16(header, 8, 32 + 32 * 3 + 1);
    put16(header, 10, recordLength);
    header[29] = static_cast<char>(0xC9);  // 1251
    for (const Field& f : fields) {
        std::string d(32, '\0');
        d.replace(0, std::string(f.name).size(), f.name);
        d[11] = f.type;
        d[16] = static_cast<char>(f.length);
        header += d;
    }
    header.push_back(0x0D);

    // Лагуна, Озеро, Мель, Банка, Риф in 1251, and Latin names.
    const char* words[] = {"\xCB\xE0\xE3\xF3\xED\xE0",
                           "\xCE\xE7\xE5\xF0\xEE",
                           "\xCC\xE5\xEB\xFC",
                           "\xC1\xE0\xED\xEA\xE0",
                           "\xD0\xE8\xF4",
                           "Lake",
                           "Shoal",
                           "Rock"};
    std::ofstream out(path, std::ios::binary);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::string record;
    char buffer[64];
    for (int r = 0; r < records; ++r) {
        record.assign(1, ' ');
        std::snprintf(buffer, sizeof buffer, "0x%x", 0x01 + r % 50);
        record += std::string(buffer).append(8 - std::string(buffer).size(), ' ');
        std::snprintf(buffer, sizeof buffer, "%s %d", words[r % 8], r % 200000);
        std::string label(buffer);
        label.resize(30, ' ');
        record += label;
        std::snprintf(buffer, sizeof buffer, "%2d", r % 4);
        record += buffer;
        out.write(record.data(), static_cast<std::streamsize>(record.size()));
    }
    out.put(0x1A);
}

// The baseline: the same file read once in 1 MiB blocks, every byte touched.
std::uint64_t plainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> block(1 << 20);
    std::uint64_t sum = 0;
    ssize_t got;
    while ((got = ::read(fd, block.data(), block.size())) > 0) {
        for (ssize_t i = 0; i < got; ++i) sum += static_cast<unsigned char>(block[i]);
    }
    ::close(fd);
    return sum;
}

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Processor time of this process, which a busy shared machine inflates less than wall time.
double cpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tavrolin;
    const int records = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tavrolin_source_bench_" + std::to_string(::getpid()) + ".dbf"))
                                 .string();
    writeTable(path, records);

    ScriptedPlatform platform;
    Main main(platform);
    main.russian = true;
    buildMainControls(main.form);
    main.form.setText("Source", path);

    Clock::time_point start = Clock::now();
    double cpuStart = cpuSeconds();
    std::uint64_t checksum = plainRead(path);
    double plain = seconds(start);
    double plainCpu = cpuSeconds() - cpuStart;

    long long before = peakResidentBytes();
    start = Clock::now();
    cpuStart = cpuSeconds();
    bool found = DBFread(main);
    double read = seconds(start);
    double readCpu = cpuSeconds() - cpuStart;
    long long after = peakResidentBytes();
    std::filesystem::remove(path);

    double perRecord = static_cast<double>(after - before) / records;
    std::printf("records %d, file %.1f MB, types %zu, named objects %zu, read %s\n", records,
                (41.0 * records) / 1e6, main.form("GM_TYPE").items.size(),
                main.form("GM").items.size(), found ? "ok" : "FAILED");
    std::printf("plain read   %.3f s wall, %.3f s cpu (checksum %llu)\n", plain, plainCpu,
                static_cast<unsigned long long>(checksum % 1000));
    std::printf(
        "DBFread      %.3f s wall, %.3f s cpu   ratio %.1f x plain (wall)   "
        "target <= 1.5 s: %s\n",
        read, readCpu, read / plain, read <= 1.5 ? "met" : "MISSED");
    std::printf("memory       %.0f bytes per record   target <= 200: %s\n", perRecord,
                perRecord <= 200 ? "met" : "MISSED");
    return found ? 0 : 1;
}
