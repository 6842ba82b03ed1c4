// Table store benchmark: 1,000,000 INSERT INTO statements of a 250-byte polygon output row
// through Connection::execute, against a plain buffered write of the same record bytes in the
// same run; then the same table read through a record set.
//
//   store_bench [rows]      (default 1000000; the files go to a temporary folder, removed after)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/connection.h"

using namespace tavrolin::store;
using tavrolin::Result;
using tavrolin::Status;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// 21 columns, record length 250 (deletion flag included), like the polygon output table.
const char* kCreate =
    "CREATE TABLE polygon.dbf (LVL char(1),TYPE char(7),L_LIMIT numeric(2,0),"
    "U_LIMIT numeric(2,0),P_LIMIT numeric(2,0),LAYER numeric(3,0),COLOR numeric(3,0),"
    "MODE char(1),FONT char(3),[VALUE] char(100),BDR_COLOR numeric(3,0),"
    "BDR_WIDTH numeric(2,0),ICON char(30),BDR_PATTER char(10),MAJ_CAT char(20),"
    "MIN_CAT char(20),CLRRGB char(8),BDR_CLRRGB char(8),BDF_CLRRGB char(8),"
    "RTP_CLRRGB char(8),HAL_CLRRGB char(8));";

const char* kTypes[] = {"0x4b", "0x28", "0x51", "0x3c", "0x1a"};

// The statement for row i, as the conversion builds it: text in double quotes, numbers bare.
void buildInsert(std::string& sql, long i) {
    sql.assign(
        "INSERT INTO polygon (LVL,TYPE,[VALUE],L_LIMIT,U_LIMIT,P_LIMIT,LAYER,COLOR,MODE,"
        "FONT,BDR_COLOR,BDR_WIDTH,ICON,BDR_PATTER,MAJ_CAT,MIN_CAT,CLRRGB,BDR_CLRRGB,"
        "BDF_CLRRGB,RTP_CLRRGB,HAL_CLRRGB) VALUES (\"");
    sql += (i % 3 == 0) ? "1" : "";
    sql += "\",\"";
    sql += kTypes[i % 5];
    sql += "\",\"Глубина ";
    sql += std::to_string(i % 25);
    sql += "м, озеро Большое Светлое у деревни Кривая Горка, участок № ";
    sql += std::to_string(i);
    sql += "\",";
    sql += (i % 3 == 0) ? "25" : "0";
    sql += ",34,20,";
    sql += std::to_string(i % 100);
    sql += ",";
    sql += std::to_string(i % 256);
    sql +=
        ",\"N\",\"SMR\",16,2,\"lake_icon.gif\",\"solid\",\"Water\",\"Lakes\",\"00FFFF\","
        "\"0000FF\",\"FFFFFF\",\"000000\",\"808080\")";
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("tavrolin-store-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);

    // 1. The caller's share: building the statements alone.
    std::string sql;
    std::size_t statementBytes = 0;
    auto start = Clock::now();
    for (long i = 0; i < rows; ++i) {
        buildInsert(sql, i);
        statementBytes += sql.size();
    }
    const double buildSeconds = secondsSince(start);

    // 2. Building and executing them through the store, until the table is complete on disk.
    Connection connection;
    Status status = connection.open(folder.string());
    if (status) status = connection.execute(kCreate);
    start = Clock::now();
    for (long i = 0; i < rows && status; ++i) {
        buildInsert(sql, i);
        status = connection.execute(sql);
    }
    if (status) status = connection.flush();
    const double storeSeconds = secondsSince(start);
    if (!status) {
        std::fprintf(stderr, "store failed: %s\n", status.toString().c_str());
        return 1;
    }

    // 3. Baseline: the same record bytes written one record at a time to a buffered stream.
    const std::string table = (folder / "polygon.dbf").string();
    std::string bytes;
    {
        std::ifstream in(table, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t headerLength = 32 * 22 + 1;
    const std::size_t recordLength = 250;
    start = Clock::now();
    {
        std::FILE* out = std::fopen((folder / "plain.dbf").string().c_str(), "wb");
        std::fwrite(bytes.data(), 1, headerLength, out);
        for (long i = 0; i < rows; ++i) {
            std::fwrite(bytes.data() + headerLength + i * recordLength, 1, recordLength, out);
        }
        std::fputc(0x1A, out);
        std::fclose(out);
    }
    const double plainSeconds = secondsSince(start);
    bytes = std::string();

    std::printf("INSERT INTO, %ld rows of %zu bytes (statements average %zu bytes)\n", rows,
                recordLength, statementBytes / static_cast<std::size_t>(rows));
    std::printf("  plain buffered write     %8.3f s  %12.0f rows/s\n", plainSeconds,
                rows / plainSeconds);
    std::printf("  store (build + execute)  %8.3f s  %12.0f rows/s  ratio %.2f\n", storeSeconds,
                rows / storeSeconds, storeSeconds / plainSeconds);
    std::printf("  of which building text   %8.3f s; store alone ratio %.2f (target <= 4)\n",
                buildSeconds, (storeSeconds - buildSeconds) / plainSeconds);

    // 4. Reading the table back through a record set, every field of every row.
    start = Clock::now();
    Result<RecordSet> set = connection.openRecordSet("SELECT * FROM polygon");
    const double openSeconds = secondsSince(start);
    if (!set) {
        std::fprintf(stderr, "read failed: %s\n", set.status().toString().c_str());
        return 1;
    }
    std::size_t textBytes = 0;
    for (set->moveFirst(); !set->eof(); set->moveNext()) {
        for (int f = 0; f < set->fieldCount(); ++f) textBytes += set->value(f)->toText().size();
    }
    const double readSeconds = secondsSince(start);
    std::printf(
        "SELECT *, %d rows: open %.3f s, open + every value %.3f s  %12.0f rows/s "
        "(%zu bytes of text)\n",
        set->recordCount(), openSeconds, readSeconds, rows / readSeconds, textBytes);

    start = Clock::now();
    Result<RecordSet> sorted = connection.openRecordSet(
        "SELECT * FROM polygon WHERE LVL Is Null ORDER BY TYPE, COLOR DESC");
    const double sortSeconds = secondsSince(start);
    std::printf("SELECT with WHERE and ORDER BY: %d rows in %.3f s\n",
                sorted ? sorted->recordCount() : -1, sortSeconds);

    (void)set->close();
    sorted = Status::error(1, "released");
    (void)connection.close();
    std::filesystem::remove_all(folder);
    return 0;
}
