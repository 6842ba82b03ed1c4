// The table file's buffers: sparse, repeated and out-of-order rewrites across several blocks
// reach the file exactly, appends keep edits made on both sides of a write-out, and a write that
// fails half way leaves a readable table.
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

TEST(TableFile, BufferedRewritesReachTheFileAsWritten) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    // 100-byte records: 30,000 of them span about three write blocks.
    ASSERT_TRUE(createTableFile(path, {{"A", 'C', 99, 0}}).isOk());
    Result<std::shared_ptr<TableFile>> table = TableFile::open(path, true);
    ASSERT_TRUE(table.isOk()) << table.status().toString();
    constexpr std::uint32_t kRecords = 30000;
    const std::size_t length = (*table)->header().recordLength;
    std::vector<char> expected;
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        char* room = (*table)->beginAppend();
        std::snprintf(room + 1, length - 1, "record %u", i);
        expected.insert(expected.end(), room, room + length);
        ASSERT_TRUE((*table)->commitAppend().isOk());
    }
    ASSERT_TRUE((*table)->flush().isOk());

    // Every third record forwards, some twice, a few backwards, and one still pending as an
    // append: the last rewrite of each record wins.
    std::mt19937 random(7);
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 0; i < kRecords; i += 3) order.push_back(i);
    for (int i = 0; i < 500; ++i) order.push_back(random() % kRecords);
    for (std::uint32_t i = kRecords; i-- > kRecords - 50;) order.push_back(i);
    char* extra = (*table)->beginAppend();
    std::vector<char> appended(extra, extra + length);
    ASSERT_TRUE((*table)->commitAppend().isOk());
    order.push_back(kRecords);
    expected.insert(expected.end(), appended.begin(), appended.end());
    std::vector<char> record(length, ' ');
    for (std::size_t n = 0; n < order.size(); ++n) {
        std::snprintf(record.data() + 1, length - 1, "rewrite %zu", n);
        ASSERT_TRUE((*table)->writeRecord(order[n], record.data()).isOk());
        std::copy(record.begin(), record.end(),
                  expected.begin() + static_cast<std::ptrdiff_t>(order[n] * length));
    }
    std::vector<char> read;
    ASSERT_TRUE((*table)->readRecords(read).isOk());
    EXPECT_TRUE(read == expected);
    ASSERT_TRUE((*table)->close().isOk());
    const std::string bytes = testing::readFile(path);
    const std::size_t header = (*table)->header().headerLength;
    ASSERT_EQ(bytes.size(), header + expected.size() + 1);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin() + header));
}

constexpr int kWidth = 100;  // records of 101 bytes: the 1 MiB buffer holds 10382 of them

std::string recordText(std::uint32_t i) { return "r" + std::to_string(i); }

std::shared_ptr<TableFile> openTable(const std::string& path) {
    Result<std::shared_ptr<TableFile>> table = TableFile::open(path, true);
    EXPECT_TRUE(table.isOk()) << table.status().toString();
    return table ? *table : nullptr;
}

void append(TableFile& table, const std::string& text) {
    char* record = table.beginAppend();
    std::memcpy(record + 1, text.data(), text.size());
    ASSERT_TRUE(table.commitAppend().isOk());
}

Status edit(TableFile& table, std::uint32_t index, const std::string& text) {
    std::vector<char> record = table.blankRecord();
    std::memcpy(record.data() + 1, text.data(), text.size());
    return table.writeRecord(index, record.data());
}

TEST(TableFile, AppendsAcrossTheBufferKeepEditsOnBothSidesOfAFlush) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    ASSERT_TRUE(createTableFile(path, {{"A", 'C', kWidth, 0}}).isOk());
    constexpr std::uint32_t kCount = 25000;  // two automatic write-outs and a pending rest
    std::vector<std::string> expected;
    {
        auto table = openTable(path);
        ASSERT_NE(table, nullptr);
        for (std::uint32_t i = 0; i < kCount; ++i) {
            append(*table, recordText(i));
            expected.push_back(recordText(i));
            // Edits of a record already on disk and of one still in the buffer, before and
            // after the buffer is written out.
            if (i == 100 || i == 10500 || i == 24000) {
                for (std::uint32_t target : {i / 2, i - 1}) {
                    expected[target] = "edited " + std::to_string(target);
                    ASSERT_TRUE(edit(*table, target, expected[target]).isOk()) << target;
                }
            }
            if (i == 5000) ASSERT_TRUE(table->flush().isOk());
        }
        EXPECT_EQ(table->recordCount(), kCount);
        EXPECT_EQ(edit(*table, kCount, "x").number(), err::kInvalidArgument);
        ASSERT_TRUE(table->close().isOk());
    }
    const std::string bytes = readFile(path);
    const std::size_t headerLength = kFileHeaderSize + kFieldDescriptorSize + 1;
    EXPECT_EQ(recordCountOf(bytes), kCount);
    ASSERT_EQ(bytes.size(), headerLength + kCount * (kWidth + 1) + 1);
    EXPECT_EQ(bytes.back(), static_cast<char>(kEndOfFile));
    auto table = openTable(path);
    std::vector<char> data;
    ASSERT_TRUE(table->readRecords(data).isOk());
    for (std::uint32_t i = 0; i < kCount; ++i) {
        std::string_view field(data.data() + i * (kWidth + 1) + 1, kWidth);
        ASSERT_EQ(field.substr(0, field.find_last_not_of(' ') + 1), expected[i]) << i;
    }
}

#ifndef _WIN32  // a file-size limit of POSIX stands for the full disk
// In a child process: appends until a write fails at the file-size limit; exits 0 when the
// failure is reported as a full disk.
void appendUnderASizeLimit(const std::string& path, rlim_t limitBytes) {
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
    const rlimit limit{limitBytes, limitBytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    auto table = TableFile::open(path, true);
    Status status;
    for (std::uint32_t i = 3; table && status && i < 20000; ++i) {
        std::memcpy((*table)->beginAppend() + 1, "new", 3);
        status = (*table)->commitAppend();
    }
    std::_Exit(status.number() == err::kDiskFull ? 0 : 1);
}

// A write that fails half way (here at a file-size limit, as on a full disk) loses the pending
// rows but leaves the table readable with the rows it had.
TEST(TableFileDeathTest, AWriteFailureMidAppendLeavesAReadableTable) {
    TempFolder folder;
    const std::string path = folder.file("t.dbf");
    ASSERT_TRUE(createTableFile(path, {{"A", 'C', kWidth, 0}}).isOk());
    {
        auto table = openTable(path);
        for (std::uint32_t i = 0; i < 3; ++i) append(*table, recordText(i));
        ASSERT_TRUE(table->close().isOk());
    }
    const std::string before = readFile(path);
    EXPECT_EXIT(appendUnderASizeLimit(path, before.size() + 300 * 1024),
                ::testing::ExitedWithCode(0), "");
    const std::string after = readFile(path);
    EXPECT_EQ(recordCountOf(after), 3u);
    EXPECT_EQ(after.substr(0, before.size() - 1), before.substr(0, before.size() - 1));
    auto table = openTable(path);
    std::vector<char> data;
    ASSERT_TRUE(table->readRecords(data).isOk());
    EXPECT_EQ(data.size(), 3u * (kWidth + 1));
    EXPECT_EQ(std::string(data.data() + 2 * (kWidth + 1) + 1, 2), "r2");
}
#endif

}  // namespace
}  // namespace tavrolin::store
