// The table file's buffered rewrites: sparse, repeated and out-of-order rewrites across several
// blocks reach the file exactly, and a read or a flush sees them.
#include "store/dbf_table.h"

#include <gtest/gtest.h>

#include <random>

#include "store_test_util.h"

namespace tavrolin::store {
namespace {

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

}  // namespace
}  // namespace tavrolin::store
