// Conversion by depth against conversion by types, same source, same run: a generated depth map
// (1,000,000 polygon records by default: depth labels in whole and half metres, shallows marked
// "!+", some names, a quarter on level 1) is read once, then converted by the "!!!" of the types
// block and by the "!!!" of the depth block (with the topographic scheme) in turn, three times
// each. The figure is the ratio of the best depth run to the best types run.
//
//   depth_bench [records]   (files go to a temporary folder, removed after)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "app/main_window.h"
#include "store/scripted_platform.h"

namespace fs = std::filesystem;
using namespace tavrolin;

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool check(const Status& status, const char* what) {
    if (status) return true;
    std::cerr << "depth_bench: " << what << ": " << status.toString() << "\n";
    return false;
}

// A template with a polygon type per depth band and a few others, through the store.
bool writeTemplate(const std::string& folder) {
    store::Connection connection;
    if (!check(connection.open(folder), "open the program folder")) return false;
    if (!check(connection.execute(
                   "CREATE TABLE Tavrolin.dbf (VID numeric(1,0),MP_TYPE char(6),"
                   "MP_NAME char(100),MP_ENG char(100),L_LIMIT numeric(2,0),U_LIMIT numeric(2,0),"
                   "P_LIMIT numeric(2,0),LAYER numeric(3,0),COLOR numeric(3,0),"
                   "BDR_COLOR numeric(3,0),BDR_WIDTH numeric(2,0),MODE char(1),FONT char(3),"
                   "ICON char(25),BDR_PATTER char(10),MAJ_CAT char(25),MIN_CAT char(25),"
                   "YN numeric(1,0),CLRRGB char(8))"),
               "create the template")) {
        return false;
    }
    for (int depth = 0; depth < 40; ++depth) {
        const std::string d = std::to_string(depth);
        if (!check(connection.execute(
                       "INSERT INTO Tavrolin (VID,MP_TYPE,MP_NAME,MP_ENG,L_LIMIT,U_LIMIT,LAYER,"
                       "COLOR,BDR_COLOR,BDR_WIDTH,MODE,FONT,ICON,BDR_PATTER,MAJ_CAT,MIN_CAT,YN,"
                       "CLRRGB) VALUES (0,'0x" +
                       std::to_string(300 + depth) + "','Глубина " + d + "м','Depth " + d +
                       "m',0,24,30,16,0,1,'T','SMR','lake_fill','solid','Nautical','Depth area'"
                       ",0,'00FFFF')"),
                   "add a template row")) {
            return false;
        }
    }
    return check(connection.close(), "close the template");
}

// The depth map through the store: type code by depth band, label a depth (a tenth in half
// metres, a tenth marked "!+"), a name or nothing; level 1 for a quarter.
bool writeSource(const std::string& folder, long records) {
    store::Connection connection;
    if (!check(connection.open(folder), "open the map folder")) return false;
    if (!check(connection.execute("CREATE TABLE depths.dbf (MP_TYPE char(6),LABEL char(40),"
                                  "LEVEL numeric(1,0))"),
               "create the source")) {
        return false;
    }
    std::mt19937 random(12);
    for (long i = 0; i < records; ++i) {
        const int depth = static_cast<int>(random() % 40);
        const unsigned kind = random() % 20;
        std::string label = std::to_string(depth);
        if (kind < 2) label += ".5";
        if (kind >= 2 && kind < 4) label += "!+";
        if (kind >= 4 && kind < 6) label = "Залив Тихий " + std::to_string(random() % 500);
        if (kind == 6) label.clear();
        if (!check(connection.execute("INSERT INTO depths (MP_TYPE,LABEL,LEVEL) VALUES ('0x" +
                                      std::to_string(300 + depth) + "','" + label + "'," +
                                      (random() % 4 == 0 ? "1" : "0") + ")"),
                   "add a source record")) {
            return false;
        }
    }
    return check(connection.close(), "close the source");
}

struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

}  // namespace

int main(int argc, char** argv) {
    const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
    const fs::path root =
        fs::temp_directory_path() / ("tavrolin-depth-bench-" + std::to_string(::getpid()));
    const fs::path home = root / "home";
    const fs::path maps = root / "maps";
    fs::create_directories(home);
    fs::create_directories(maps);
    int exitCode = 1;
    if (writeTemplate(home.string() + "/") && writeSource(maps.string() + "/", records)) {
        ScriptedPlatform platform;
        StartOptions options;
        options.home = home.string();
        options.executablePath = (home / "tavrolin").string();
        options.russian = true;
        options.headless = true;
        MainWindow window(platform, options);
        window.load();
        Main& main = window.main();
        platform.openFileReplies.push_back((maps / "depths.dbf").string());
        window.form().raise("btnSource", Event::Click);
        window.form().setValue("SVID", 1, 0);
        window.form().raise("fillTOPO", Event::Click);

        Timing types;
        Timing depth;
        bool failed = !main.sourceRead;
        for (int round = 0; round < 3 && !failed; ++round) {
            for (const bool byDepth : {false, true}) {
                const auto start = Clock::now();
                const double cpuStart = cpuSeconds();
                window.form().raise(byDepth ? "btnMakeName" : "btnMakeType", Event::Click);
                Timing& best = byDepth ? depth : types;
                best.wall = std::min(best.wall,
                                     std::chrono::duration<double>(Clock::now() - start).count());
                best.cpu = std::min(best.cpu, cpuSeconds() - cpuStart);
                const std::string last = main.attLog.empty() ? "" : main.attLog.back();
                if (last.find("успешно создан") == std::string::npos) {
                    std::cerr << "depth_bench: the conversion failed: " << last << "\n";
                    failed = true;
                    break;
                }
            }
        }
        if (!failed) {
            exitCode = 0;
            std::printf("records: %ld (read once), best of 3 runs each\n", records);
            std::printf("by types: %.3f s (processor %.3f s)\n", types.wall, types.cpu);
            std::printf("by depth: %.3f s (processor %.3f s)\n", depth.wall, depth.cpu);
            std::printf("ratio depth / types: %.2fx (processor time %.2fx); target at most 2x\n",
                        depth.wall / types.wall, depth.cpu / types.cpu);
        }
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return exitCode;
}
