// Conversion benchmark, as a user runs it: the `tavrolin convert` process on a generated polygon
// source (1,000,000 records by default: type code, Cyrillic or depth label, level) with a
// template of 300 rows, once writing a fresh output and once replacing the output of the run
// before. In the same runs, against:
//   - the floor: a C program (convert_floor) that reads the same source and writes the same
//     output bytes, one fwrite per row, no decoding and no look-up;
//   - the ogr2ogr left join of the same tables on the type code, when ogr2ogr is installed.
// Each run measures all of them in turn; the ratios are taken within a run and the medians of
// the runs are printed, with each process's peak memory (getrusage of the child).
//
//   convert_bench [--records N] [--runs N] [--no-join] [--tavrolin PATH] [--keep]
// (files in a temporary folder, kept with --keep; --tavrolin measures another build)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "store/connection.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace tavrolin;

namespace {

constexpr int kPolygonTypes = 200;
constexpr int kLineTypes = 50;
constexpr int kPointTypes = 50;

std::string hexCode(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

bool check(const Status& status, const char* what) {
    if (status) return true;
    std::cerr << "convert_bench: " << what << ": " << status.toString() << "\n";
    return false;
}

// A template of 300 rows through the store: every column, every attribute filled for polygons,
// a custom row for every tenth polygon code.
bool writeTemplate(const std::string& folder) {
    store::Connection connection;
    if (!check(connection.open(folder), "open the program folder")) return false;
    if (!check(connection.execute(
                   "CREATE TABLE Tavrolin.dbf (VID numeric(1,0),MP_TYPE char(6),"
                   "MP_NAME char(100),MP_ENG char(100),L_LIMIT numeric(2,0),U_LIMIT numeric(2,0),"
                   "P_LIMIT numeric(2,0),LAYER numeric(3,0),COLOR numeric(3,0),"
                   "WIDTH numeric(2,0),BDR_COLOR numeric(3,0),BDR_WIDTH numeric(2,0),"
                   "MODE char(1),FONT char(3),ICON char(25),PATTERN char(10),"
                   "RTP_COLOR numeric(3,0),RTP_LIMIT numeric(2,0),HAL_COLOR numeric(3,0),"
                   "MAJ_CAT char(25),MIN_CAT char(25),INFO_BOX char(25),YN numeric(1,0),"
                   "P_ICON char(25),BDR_PATTER char(10),BFR_WIDTH numeric(2,0),"
                   "BFR_COLOR numeric(3,0),CLRRGB char(8),BDR_CLRRGB char(8),"
                   "BDF_CLRRGB char(8),RTP_CLRRGB char(8),HAL_CLRRGB char(8),"
                   "GRMN_TYPE char(25),HGT_DP_FMT char(10),HGT_DP numeric(4,0))"),
               "create the template")) {
        return false;
    }
    int rows = 0;
    const auto add = [&](int vid, int code, int yn) {
        const std::string n = std::to_string(code % 200);
        return check(connection.execute(
                         "INSERT INTO Tavrolin "
                         "(VID,MP_TYPE,MP_NAME,MP_ENG,L_LIMIT,U_LIMIT,LAYER,COLOR,"
                         "BDR_COLOR,BDR_WIDTH,MODE,FONT,ICON,BDR_PATTER,MAJ_CAT,MIN_CAT,YN,CLRRGB,"
                         "HAL_CLRRGB) VALUES (" +
                         std::to_string(vid) + ",'" + hexCode(code) + "','Глубина " + n +
                         "м','Depth " + n + "m'," + std::to_string(code % 10) + "," +
                         std::to_string(20 + code % 14) + "," + std::to_string(code % 99) + "," +
                         std::to_string(code % 255) + ",16,1,'" + (code % 3 == 0 ? "T" : "N") +
                         "','SMR','lake_fill','solid','Nautical'," + "'Depth area'," +
                         std::to_string(yn) + ",'00FFFF','FFFFFF')"),
                     "add a template row") &&
               ++rows > 0;
    };
    for (int i = 0; i < kPolygonTypes; ++i) {
        const int code = 0x100 + i;
        if (!add(0, code, 0)) return false;
        if (i % 10 == 0 && !add(0, code, 1)) return false;
    }
    for (int i = 0; i < kLineTypes; ++i) {
        if (!add(1, 0x20 + i, 0)) return false;
    }
    for (int i = 0; rows < 300 && i < kPointTypes * 2; ++i) {
        if (!add(2, 0x6400 + i, 0)) return false;
    }
    return check(connection.close(), "close the template");
}

// Russian text (А-я) to code page 1251.
std::string cp1251(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) {
            out += text[i];
        } else {
            const unsigned cp =
                ((lead & 0x1Fu) << 6) | (static_cast<std::uint8_t>(text[++i]) & 0x3Fu);
            out += static_cast<char>(cp - 0x410 + 0xC0);
        }
    }
    return out;
}

// The source as a map editor exports it: MP_TYPE C(6), LABEL C(40), LEVEL N(1),
// FILL_STYLE N(2), labels in code page 1251, language byte 0xC9. Written in blocks.
bool writeSource(const std::string& path, long records) {
    struct Field {
        const char* name;
        char type;
        int length;
    };
    const Field fields[] = {
        {"MP_TYPE", 'C', 6}, {"LABEL", 'C', 40}, {"LEVEL", 'N', 1}, {"FILL_STYLE", 'N', 2}};
    const int recordLength = 1 + 6 + 40 + 1 + 2;
    const int headerLength = 32 + 32 * 4 + 1;
    std::string header(32, '\0');
    header[0] = 0x03;
    for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<char>((records >> (8 * i)) & 0xFF);
    header[8] = static_cast<char>(headerLength & 0xFF);
    header[9] = static_cast<char>(headerLength >> 8);
    header[10] = static_cast<char>(recordLength);
    header[29] = static_cast<char>(0xC9);
    for (const Field& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::string(field.name).size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.length);
        header += descriptor;
    }
    header += '\x0D';

    const std::vector<std::string> names = {cp1251("Озеро Светлое"), cp1251("Мель у Щучьего мыса"),
                                            cp1251("Залив Тихий"),   cp1251("Яма"),
                                            cp1251("Фарватер"),      cp1251("Остров Ёлочный"),
                                            cp1251("Протока")};
    std::ofstream out(path, std::ios::binary);
    out << header;
    std::mt19937 random(42);
    std::string block;
    block.reserve(65536 * recordLength);
    for (long i = 0; i < records; ++i) {
        std::string type = hexCode(0x100 + static_cast<int>(random() % (kPolygonTypes + 5)));
        std::string label;
        const unsigned kind = random() % 10;
        if (kind < 6) {
            label = std::to_string(random() % 30);
            if (kind == 0) label += ".5";
        } else if (kind < 9) {
            label = names[random() % names.size()] + " " + std::to_string(random() % 500);
        }
        const char level = random() % 4 == 0 ? '1' : '0';
        block += ' ';
        block += type + std::string(6 - type.size(), ' ');
        block += label + std::string(40 - label.size(), ' ');
        block += level;
        block += " 1";
        if (block.size() >= 65536u * recordLength) {
            out << block;
            block.clear();
        }
    }
    out << block << '\x1A';
    return static_cast<bool>(out);
}

// One finished child process: wall time, and its own peak memory from wait4.
struct ProcessRun {
    bool ok = false;
    double seconds = 0;
    double peakMb = 0;
};

// Runs a program with its output thrown away, and waits for it.
ProcessRun runProcess(const std::vector<std::string>& arguments, bool quiet = true) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    std::vector<char> x(1 << 16);
    std::vector<char> y(1 << 16);
    while (first && second) {
        first.read(x.data(), static_cast<std::streamsize>(x.size()));
        second.read(y.data(), static_cast<std::streamsize>(y.size()));
        if (first.gcount() != second.gcount() ||
            std::memcmp(x.data(), y.data(), static_cast<std::size_t>(first.gcount())) != 0) {
            return false;
        }
    }
    return !first && !second;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool commandExists(const char* name) {
    const std::string command = std::string("command -v ") + name + " > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    long records = 1000000;
    int runs = 3;
    bool join = true;
    bool keep = false;
    std::string program = TAVROLIN_EXE;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--records" && i + 1 < argc) {
            records = std::atol(argv[++i]);
        } else if (argument == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--tavrolin" && i + 1 < argc) {
            program = argv[++i];
        } else if (argument == "--keep") {
            keep = true;
        } else if (argument == "--no-join") {
            join = false;
        } else {
            std::cerr << "usage: convert_bench [--records N] [--runs N] [--no-join] "
                         "[--tavrolin PATH] [--keep]\n";
            return 2;
        }
    }
    join = join && commandExists("ogr2ogr");

    const fs::path root =
        fs::temp_directory_path() / ("tavrolin-convert-bench-" + std::to_string(::getpid()));
    const fs::path home = root / "home";
    const fs::path maps = root / "maps";
    fs::create_directories(home);
    fs::create_directories(maps);
    const fs::path source = maps / "depths.dbf";
    const fs::path output = maps / "depths-imc.dbf";
    const fs::path reference = root / "reference.dbf";
    const fs::path floorOutput = root / "floor.dbf";
    const fs::path joinFolder = root / "join";
    const fs::path joinOutput = root / "joined.dbf";
    std::error_code ignored;
    const auto cleanUp = [&] {
        if (keep) {
            std::printf("files kept in %s\n", root.c_str());
        } else {
            fs::remove_all(root, ignored);
        }
    };
    if (!writeTemplate(home.string() + "/") || !writeSource(source.string(), records)) {
        cleanUp();
        return 1;
    }

    const std::vector<std::string> convert = {program, "--home",  home.string(),  "--lang",
                                              "ru",    "convert", source.string()};
    const std::vector<std::string> floor = {CONVERT_FLOOR_EXE, source.string(), reference.string(),
                                            floorOutput.string()};
    std::vector<std::string> ogr2ogr;
    if (join) {
        fs::create_directories(joinFolder);
        fs::copy_file(source, joinFolder / "src.dbf");
        fs::copy_file(home / "Tavrolin.dbf", joinFolder / "tpl.dbf");
        ogr2ogr = {"ogr2ogr",
                   "-f",
                   "ESRI Shapefile",
                   "-lco",
                   "ENCODING=LDID/201",
                   joinOutput.string(),
                   joinFolder.string(),
                   "-dialect",
                   "SQLITE",
                   "-sql",
                   "WITH t AS (SELECT lower(MP_TYPE) AS k, L_LIMIT, U_LIMIT, LAYER, COLOR, "
                   "BDR_COLOR, BDR_WIDTH, MODE, FONT, ICON, CLRRGB, max(coalesce(YN,-1)) AS ynmax "
                   "FROM tpl WHERE VID=0 GROUP BY lower(MP_TYPE)) SELECT s.MP_TYPE, s.LABEL, "
                   "s.LEVEL, t.L_LIMIT, t.U_LIMIT, t.LAYER, t.COLOR, t.BDR_COLOR, t.BDR_WIDTH, "
                   "t.MODE, t.FONT, t.ICON, t.CLRRGB FROM src s LEFT JOIN t ON t.k = "
                   "lower(s.MP_TYPE)"};
    }

    // The reference output, which the floor copies: a first conversion (also a warm-up).
    if (!runProcess(convert).ok || !fs::exists(output)) {
        std::cerr << "convert_bench: tavrolin convert failed:\n";
        runProcess(convert, false);
        cleanUp();
        return 1;
    }
    fs::rename(output, reference);
    std::printf("records: %ld, template rows: 300, output %.1f MB, %d runs%s\n", records,
                static_cast<double>(fs::file_size(reference)) / 1e6, runs,
                join ? "" : ", ogr2ogr not installed or not asked for: no join");
    std::printf("%-4s %9s %9s %9s %9s   %9s %9s %9s\n", "run", "floor s", "fresh s", "replace s",
                "ogr2ogr s", "fresh/fl", "repl/fl", "ogr/fresh");

    std::vector<double> floorSeconds, freshSeconds, replaceSeconds, joinSeconds;
    std::vector<double> freshRatios, replaceRatios, joinRatios;
    double floorPeak = 0, convertPeak = 0, joinPeak = 0;
    bool failed = false;
    for (int run = 1; run <= runs && !failed; ++run) {
        // Every process starts with the earlier runs' writes on disk.
        fs::remove(floorOutput, ignored);
        ::sync();
        const ProcessRun floorRun = runProcess(floor);

        fs::remove(output, ignored);
        ::sync();
        const ProcessRun fresh = runProcess(convert);
        if (fresh.ok && run == 1 && !sameBytes(output, reference)) {
            std::cerr << "convert_bench: a second conversion wrote other bytes\n";
            failed = true;
        }
        ::sync();
        const ProcessRun replace = runProcess(convert);

        ProcessRun joined;
        if (join) {
            fs::remove(joinOutput, ignored);
            fs::remove(root / "joined.shx", ignored);
            fs::remove(root / "joined.shp", ignored);
            fs::remove(root / "joined.cpg", ignored);
            ::sync();
            joined = runProcess(ogr2ogr);
        }
        if (!floorRun.ok || !fresh.ok || !replace.ok || (join && !joined.ok)) {
            std::cerr << "convert_bench: a process failed in run " << run << "\n";
            if (!fresh.ok || !replace.ok) runProcess(convert, false);
            failed = true;
            break;
        }
        floorSeconds.push_back(floorRun.seconds);
        freshSeconds.push_back(fresh.seconds);
        replaceSeconds.push_back(replace.seconds);
        freshRatios.push_back(fresh.seconds / floorRun.seconds);
        replaceRatios.push_back(replace.seconds / floorRun.seconds);
        floorPeak = std::max(floorPeak, floorRun.peakMb);
        convertPeak = std::max({convertPeak, fresh.peakMb, replace.peakMb});
        if (join) {
            joinSeconds.push_back(joined.seconds);
            joinRatios.push_back(joined.seconds / fresh.seconds);
            joinPeak = std::max(joinPeak, joined.peakMb);
        }
        std::printf("%-4d %9.3f %9.3f %9.3f %9.3f   %8.2fx %8.2fx %8.1fx\n", run, floorRun.seconds,
                    fresh.seconds, replace.seconds, joined.seconds, freshRatios.back(),
                    replaceRatios.back(), join ? joinRatios.back() : 0.0);
    }
    if (!failed) {
        std::printf("%-4s %9.3f %9.3f %9.3f %9.3f   %8.2fx %8.2fx %8.1fx\n", "med",
                    median(floorSeconds), median(freshSeconds), median(replaceSeconds),
                    median(joinSeconds), median(freshRatios), median(replaceRatios),
                    median(joinRatios));
        std::printf("peak memory: tavrolin convert %.1f MB, floor %.1f MB, ogr2ogr %.1f MB\n",
                    convertPeak, floorPeak, joinPeak);
    }
    cleanUp();
    return failed ? 1 : 0;
}
