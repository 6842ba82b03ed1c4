// Conversion benchmark: a generated polygon source (1,000,000 records by default: type code,
// Cyrillic or depth label, level) and a template of 300 rows go through the whole path of the
// "..." and "!!!" buttons (DBFread, then DBFprepare and RunType with the move beside the
// source). When ogr2ogr is installed, the same source and template are joined by ogr2ogr in the
// same run (a left join on the type code, writing a dBASE table), and the ratio is printed.
//
//   convert_bench [records] [--no-join]   (files go to a temporary folder, removed after)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "store/scripted_platform.h"

namespace fs = std::filesystem;
using namespace tavrolin;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this process (user + system), which other programs on the machine do not
// inflate.
double cpuSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

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

long peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
    const bool join = !(argc > 2 && std::string(argv[2]) == "--no-join");
    const fs::path root =
        fs::temp_directory_path() / ("tavrolin-convert-bench-" + std::to_string(::getpid()));
    const fs::path home = root / "home";
    const fs::path maps = root / "maps";
    fs::create_directories(home);
    fs::create_directories(maps);
    const std::string source = (maps / "depths.dbf").string();
    int exitCode = 1;
    if (writeTemplate(home.string() + "/") && writeSource(source, records)) {
        ScriptedPlatform platform;
        StartOptions options;
        options.home = home.string();
        options.executablePath = (home / "tavrolin").string();
        options.russian = true;
        options.headless = true;
        MainWindow window(platform, options);
        window.load();
        Main& main = window.main();

        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        platform.openFileReplies.push_back(source);
        window.form().raise("btnSource", Event::Click);
        const double readSeconds = secondsSince(start);
        const double readCpu = cpuSeconds() - cpuStart;
        const auto convertStart = Clock::now();
        window.form().raise("btnMakeType", Event::Click);
        const double convertSeconds = secondsSince(convertStart);
        const double totalSeconds = secondsSince(start);
        const double convertCpu = cpuSeconds() - cpuStart - readCpu;
        const std::string output = main.sourceFolder + main.outputFileName;
        const std::string last = main.attLog.empty() ? "" : main.attLog.back();
        if (main.namedKind != store::ObjectKind::Polygon || !fs::exists(output) ||
            last != " файл с новыми атрибутами по типам успешно создан") {
            std::cerr << "convert_bench: the conversion failed: " << last << "\n";
        } else {
            exitCode = 0;
            std::printf("records: %ld, template rows: 300, output %.1f MB\n", records,
                        static_cast<double>(fs::file_size(output)) / 1e6);
            std::printf("tavrolin: read %.3f s + convert %.3f s = %.3f s  (%.0f records/s)\n",
                        readSeconds, convertSeconds, totalSeconds, records / totalSeconds);
            std::printf("          processor time: read %.3f s + convert %.3f s = %.3f s\n",
                        readCpu, convertCpu, readCpu + convertCpu);
            std::printf("peak memory: %ld MB\n", peakMemoryMb());

            // The same job as a left join by ogr2ogr.
            if (!join) {
                std::printf("ogr2ogr: skipped\n");
            } else if (std::system("command -v ogr2ogr > /dev/null 2>&1") == 0) {
                const fs::path join = root / "join";
                const fs::path out = root / "out";
                fs::create_directories(join);
                fs::create_directories(out);
                fs::copy_file(source, join / "src.dbf");
                fs::copy_file(home / "Tavrolin.dbf", join / "tpl.dbf");
                const std::string command =
                    "ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=LDID/201 '" +
                    (out / "joined.dbf").string() + "' '" + join.string() +
                    "' -dialect SQLITE -sql \"WITH t AS (SELECT lower(MP_TYPE) AS k, L_LIMIT, "
                    "U_LIMIT, LAYER, COLOR, BDR_COLOR, BDR_WIDTH, MODE, FONT, ICON, CLRRGB, "
                    "max(coalesce(YN,-1)) AS ynmax FROM tpl WHERE VID=0 GROUP BY lower(MP_TYPE)) "
                    "SELECT s.MP_TYPE, s.LABEL, s.LEVEL, t.L_LIMIT, t.U_LIMIT, t.LAYER, t.COLOR, "
                    "t.BDR_COLOR, t.BDR_WIDTH, t.MODE, t.FONT, t.ICON, t.CLRRGB FROM src s LEFT "
                    "JOIN t ON t.k = lower(s.MP_TYPE)\" > /dev/null 2>&1";
                const auto joinStart = Clock::now();
                const double joinCpuStart = cpuSeconds(RUSAGE_CHILDREN);
                const int status = std::system(command.c_str());
                const double joinSeconds = secondsSince(joinStart);
                const double joinCpu = cpuSeconds(RUSAGE_CHILDREN) - joinCpuStart;
                if (status != 0) {
                    std::printf("ogr2ogr: failed (status %d)\n", status);
                } else {
                    std::printf("ogr2ogr left join: %.3f s (processor time %.3f s)\n", joinSeconds,
                                joinCpu);
                    std::printf("ratio ogr2ogr / tavrolin: %.1fx (processor time %.1fx)\n",
                                joinSeconds / totalSeconds, joinCpu / (readCpu + convertCpu));
                }
            } else {
                std::printf("ogr2ogr: not installed, no comparison\n");
            }
        }
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return exitCode;
}
