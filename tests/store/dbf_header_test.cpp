// Header parsing of good and spoiled files, and the header of a new table byte for byte.
#include "store/dbf_header.h"

#include <gtest/gtest.h>

#include "store/connection.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::buildTable;

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

const std::vector<FieldInfo> kFields = {{"NAME", 'C', 300, 0}, {"DEPTH", 'N', 6, 2}};

Result<DbfHeader> parse(const std::vector<std::uint8_t>& bytes) {
    return parseDbfHeader(bytes, bytes.size());
}

// The parse fails with E_FAIL and a description holding `reason`.
void expectRefused(const std::vector<std::uint8_t>& bytes, const std::string& reason) {
    Result<DbfHeader> header = parse(bytes);
    ASSERT_FALSE(header.isOk()) << reason;
    EXPECT_EQ(header.status().number(), err::kFail);
    EXPECT_NE(header.status().description().find(reason), std::string::npos)
        << header.status().description();
}

TEST(DbfHeader, ReadsFieldsWithSixteenBitCharacterLengths) {
    const auto bytes = bytesOf(buildTable(kFields, {" " + std::string(300, 'a') + "  1.50"}));
    Result<DbfHeader> header = parse(bytes);
    ASSERT_TRUE(header.isOk()) << header.status().toString();
    EXPECT_EQ(header->recordCount, 1u);
    EXPECT_EQ(header->headerLength, 97u);
    EXPECT_EQ(header->recordLength, 307u);
    ASSERT_EQ(header->fields.size(), 2u);
    EXPECT_EQ(header->fields[0].name, "NAME");
    EXPECT_EQ(header->fields[0].length, 300);
    EXPECT_EQ(header->fields[0].decimals, 0);
    EXPECT_EQ(header->fields[1].type, 'N');
    EXPECT_EQ(header->fields[1].length, 6);
    EXPECT_EQ(header->fields[1].decimals, 2);
    EXPECT_EQ(header->offsets, (std::vector<std::uint32_t>{1, 301}));
    EXPECT_EQ(header->availableRecords(bytes.size()), 1u);
}

TEST(DbfHeader, RefusesInconsistentSizes) {
    const auto good = bytesOf(buildTable(kFields, {}));
    expectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + 20), "fewer than");

    auto spoiled = good;
    encodeLe16(&spoiled[kHeaderLengthOffset], 32);
    expectRefused(spoiled, "shorter than a header");

    spoiled = good;
    encodeLe16(&spoiled[kHeaderLengthOffset], 5000);
    expectRefused(spoiled, "beyond the end of the file");

    spoiled = good;
    encodeLe16(&spoiled[kRecordLengthOffset], 0);
    expectRefused(spoiled, "record length is 0");

    spoiled = good;
    encodeLe16(&spoiled[kRecordLengthOffset], 300);  // fields need 307
    expectRefused(spoiled, "exceed record length (300)");

    spoiled = good;
    spoiled[96] = 'X';  // the terminator
    expectRefused(spoiled, "no terminator");

    spoiled = good;  // a header length that ends inside a descriptor
    encodeLe16(&spoiled[kHeaderLengthOffset], 70);
    expectRefused(spoiled, "no terminator");
}

TEST(DbfHeader, CountsOnlyTheRecordsTheFileHolds) {
    auto bytes = bytesOf(buildTable({{"A", 'C', 4, 0}}, {" abcd", " efgh"}));
    encodeLe32(&bytes[kRecordCountOffset], 1000000000);
    Result<DbfHeader> header = parse(bytes);
    ASSERT_TRUE(header.isOk());
    EXPECT_EQ(header->availableRecords(bytes.size()), 2u);
    // A header-only file (no end byte) holds no records.
    EXPECT_EQ(header->availableRecords(header->headerLength), 0u);
}

TEST(DbfHeader, MalformedTablesThroughTheConnection) {
    testing::TempFolder folder;
    Connection connection;
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    std::string bytes = buildTable({{"A", 'C', 4, 0}}, {" abcd", " efgh"});
    bytes[kRecordCountOffset] = 9;  // more records than the data
    testing::writeFile(folder.file("lying.dbf"), bytes);
    // Read-only: the records that are there.
    auto set = connection.openRecordSet("SELECT * FROM lying");
    ASSERT_TRUE(set.isOk()) << set.status().toString();
    EXPECT_EQ(set->recordCount(), 2);
    // For writing: refused, and the file is left alone.
    auto writable = connection.openRecordSet("SELECT * FROM lying", LockType::Optimistic);
    ASSERT_FALSE(writable.isOk());
    EXPECT_EQ(writable.status().number(), err::kFail);
    EXPECT_NE(writable.status().description().find("record count (9)"), std::string::npos);
    EXPECT_EQ(connection.execute("INSERT INTO lying (A) VALUES ('x')").number(), err::kFail);
    EXPECT_EQ(testing::readFile(folder.file("lying.dbf")), bytes);

    testing::writeFile(folder.file("short.dbf"), bytes.substr(0, 40));
    auto refused = connection.openRecordSet("SELECT * FROM short");
    ASSERT_FALSE(refused.isOk());
    EXPECT_EQ(refused.status().number(), err::kFail);
    EXPECT_NE(refused.status().description().find("short.dbf"), std::string::npos);
}

TEST(DbfHeader, BuildsTheHeaderOfANewTable) {
    const std::vector<std::uint8_t> bytes = buildEmptyTable(kFields, 2025, 3, 9);
    ASSERT_EQ(bytes.size(), 32u * 3 + 2);
    EXPECT_EQ(bytes[0], 0x03);
    EXPECT_EQ(bytes[1], 125);  // years since 1900
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[3], 9);
    EXPECT_EQ(decodeLe32(&bytes[4]), 0u);
    EXPECT_EQ(decodeLe16(&bytes[8]), 97);
    EXPECT_EQ(decodeLe16(&bytes[10]), 307);
    EXPECT_EQ(bytes[29], 0);
    EXPECT_EQ(std::string(bytes.begin() + 32, bytes.begin() + 43),
              std::string("NAME\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(bytes[32 + 11], 'C');
    EXPECT_EQ(bytes[32 + 16], 300 & 0xFF);
    EXPECT_EQ(bytes[32 + 17], 300 >> 8);
    EXPECT_EQ(bytes[64 + 11], 'N');
    EXPECT_EQ(bytes[64 + 16], 6);
    EXPECT_EQ(bytes[64 + 17], 2);
    EXPECT_EQ(bytes[96], 0x0D);
    EXPECT_EQ(bytes[97], 0x1A);
    // And it reads back as the same fields.
    Result<DbfHeader> header = parse(bytes);
    ASSERT_TRUE(header.isOk());
    EXPECT_EQ(header->fields[0].length, 300);
    EXPECT_EQ(header->fields[1].decimals, 2);
}

}  // namespace
}  // namespace tavrolin::store
