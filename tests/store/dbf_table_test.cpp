// The table file's buffers: sparse, repeated and out-of-order rewrites across several blocks
// reach the file exactly, appends across the 1 MiB buffer keep edits made on both sides of a
// write-out, and a write that fails half way leaves a readable table.
#include "store/dbf_table.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cstring>
#include <random>

#include "store/dbf_format.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::readFile;
using testing::recordCountOf;
using testing::TempFolder;

constexpr int kWidth = 100;  // records of 101 bytes: the 1 MiB buffer holds 10382 of them
constexpr std::size_t kHeaderLength = kFileHeaderSize + kFieldDescriptorSize + 1;

std::shared_ptr<TableFile> openTable(const std::string& path) {
    Result<std::shared_ptr<TableFile>> table = TableFile::open(path, true);
    EXPECT_TRUE(table.isOk()) << table.status().toString();
    return table ? *table : nullptr;
}

// A table of one C field of kWidth bytes.
std::shared_ptr<TableFile> createTable(const std::string& path) {
    EXPECT_TRUE(createTableFile(path, {{"A", 'C', kWidth, 0}}).isOk());
    return openTable(path);
}

std::string record(const std::string& text) {
    std::string bytes(kWidth + 1, ' ');
    return bytes.replace(1, text.size(), text);
}

Status append(TableFile& table, const std::string& text) {
    std::memcpy(table.beginAppend(), record(text).data(), kWidth + 1);
    return table.commitAppend();
}

Status edit(TableFile& table, std::uint32_t index, const std::string& text) {
    return table.writeRecord(index, record(text).data());
}

// The file holds exactly these records: count, records, end byte.
void expectRecords(const std::string& path, const std::vector<std::string>& texts) {
    const std::string bytes = readFile(path);
    EXPECT_EQ(recordCountOf(bytes), texts.size());
    ASSERT_EQ(bytes.size(), kHeaderLength + texts.size() * (kWidth + 1) + 1);
    EXPECT_EQ(bytes.back(), static_cast<char>(kEndOfFile));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(bytes.substr(kHeaderLength + i * (kWidth + 1), kWidth + 1), record(texts[i]))
            << "record " << i;
    }
}

TEST(TableFile, BufferedRewritesReachTheFileAsWritten) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    auto table = createTable(path);
    ASSERT_NE(table, nullptr);
    constexpr std::uint32_t kRecords = 30000;  // about three write blocks
    std::vector<std::string> expected;
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        expected.push_back("record " + std::to_string(i));
        ASSERT_TRUE(append(*table, expected.back()).isOk());
    }
    ASSERT_TRUE(table->flush().isOk());

    // Every third record forwards, some twice, a few backwards, and one still pending as an
    // append: the last rewrite of each record wins.
    std::mt19937 random(7);
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 0; i < kRecords; i += 3) order.push_back(i);
    for (int i = 0; i < 500; ++i) order.push_back(random() % kRecords);
    for (std::uint32_t i = kRecords; i-- > kRecords - 50;) order.push_back(i);
    order.push_back(kRecords);
    expected.emplace_back();
    ASSERT_TRUE(append(*table, "").isOk());
    for (std::size_t n = 0; n < order.size(); ++n) {
        expected[order[n]] = "rewrite " + std::to_string(n);
        ASSERT_TRUE(edit(*table, order[n], expected[order[n]]).isOk());
    }
    std::vector<char> read;
    ASSERT_TRUE(table->readRecords(read).isOk());
    EXPECT_EQ(std::string(read.begin() + 5 * (kWidth + 1), read.begin() + 6 * (kWidth + 1)),
              record(expected[5]));
    ASSERT_TRUE(table->close().isOk());
    expectRecords(path, expected);
}

TEST(TableFile, AppendsAcrossTheBufferKeepEditsOnBothSidesOfAFlush) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    constexpr std::uint32_t kCount = 25000;  // two automatic write-outs and a pending rest
    std::vector<std::string> expected;
    {
        auto table = createTable(path);
        ASSERT_NE(table, nullptr);
        for (std::uint32_t i = 0; i < kCount; ++i) {
            expected.push_back("r" + std::to_string(i));
            ASSERT_TRUE(append(*table, expected.back()).isOk());
            // Edits of a record already on disk and of one still in the buffer, before and
            // after the buffer is written out.
            if (i == 100 || i == 10500 || i == 24000) {
                for (std::uint32_t target : {i / 2, i - 1}) {
                    expected[target] = "edited " + std::to_string(target);
                    ASSERT_TRUE(edit(*table, target, expected[target]).isOk()) << target;
                }
            }
            if (i == 5000) {
                ASSERT_TRUE(table->flush().isOk());
            }
        }
        EXPECT_EQ(table->recordCount(), kCount);
        EXPECT_EQ(edit(*table, kCount, "x").number(), err::kInvalidArgument);
        ASSERT_TRUE(table->close().isOk());
    }
    expectRecords(path, expected);
}

#ifndef _WIN32  // a file-size limit of POSIX stands for the full disk
// A write that fails half way (here at a file-size limit, as on a full disk) loses the pending
// rows but leaves the table readable with the rows it had.
TEST(TableFileDeathTest, AWriteFailureMidAppendLeavesAReadableTable) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    {
        auto table = createTable(path);
        for (const char* text : {"r0", "r1", "r2"}) ASSERT_TRUE(append(*table, text).isOk());
        ASSERT_TRUE(table->close().isOk());
    }
    const std::string before = readFile(path);
    // In a child: appends until a write fails at the limit; exits 0 when that is a full disk.
    const auto appendUnderALimit = [&](rlim_t bytes) {
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto table = TableFile::open(path, true);
        Status status;
        for (int i = 0; table && status && i < 20000; ++i) status = append(**table, "new");
        std::_Exit(status.number() == err::kDiskFull ? 0 : 1);
    };
    EXPECT_EXIT(appendUnderALimit(before.size() + 300 * 1024), ::testing::ExitedWithCode(0), "");
    const std::string after = readFile(path);
    EXPECT_EQ(recordCountOf(after), 3u);
    EXPECT_EQ(after.substr(0, before.size() - 1), before.substr(0, before.size() - 1));
    auto table = openTable(path);
    std::vector<char> data;
    ASSERT_TRUE(table->readRecords(data).isOk());
    EXPECT_EQ(std::string(data.begin(), data.end()), record("r0") + record("r1") + record("r2"));
}

// Records that fit under the limit but leave no room for the end byte: the header keeps the old
// count, every flush reports it until the count is written, and once there is room it is.
TEST(TableFileDeathTest, ACountLeftBehindIsWrittenByALaterFlush) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    ASSERT_TRUE(createTable(path)->close().isOk());
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlim_t recordsEnd = kHeaderLength + 2 * (kWidth + 1);
    const auto appendToTheLimit = [&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{recordsEnd, unlimited.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto table = TableFile::open(path, true);
        if (!table || !append(**table, "r0") || !append(**table, "r1")) std::_Exit(1);
        if ((*table)->flush().number() != err::kDiskFull) std::_Exit(2);
        if ((*table)->flush().number() != err::kDiskFull) std::_Exit(3);  // not yet written
        if (recordCountOf(readFile(path)) != 0) std::_Exit(4);
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::_Exit((*table)->flush().isOk() ? 0 : 5);
    };
    EXPECT_EXIT(appendToTheLimit(), ::testing::ExitedWithCode(0), "");
    expectRecords(path, {"r0", "r1"});
}
#endif

}  // namespace
}  // namespace tavrolin::store
