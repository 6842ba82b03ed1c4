// Header parsing of good and spoiled files, and the header of a new table byte for byte.
#include "store/dbf_header.h"

#include <gtest/gtest.h>

#include "store/connection.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::buildTable;

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

Result<DbfHeader> parse(const std::vector<std::uint8_t>& bytes) {
    return parseDbfHeader(bytes, bytes.size());
}

const std::vector<FieldInfo> kFields = {{"NAME", 'C', 300, 0}, {"DEPTH", 'N', 6, 2}};

TEST(DbfHeader, ReadsFieldsWithSixteenBitCharacterLengths) {
    auto bytes = bytesOf(buildTable(kFields, {" " + std::string(300, 'a') + "  1.50"}));
    bytes[kIncompleteOffset] = kIncompleteMark;
    bytes[kLanguageDriverOffset] = kLanguageCp1251;
    Result<DbfHeader> header = parse(bytes);
    ASSERT_TRUE(header.isOk()) << header.status().toString();
    EXPECT_EQ(header->recordLength, 307u);
    EXPECT_TRUE(header->incomplete);
    EXPECT_EQ(header->languageDriver, kLanguageCp1251);
    ASSERT_EQ(header->fields.size(), 2u);
    EXPECT_EQ(header->fields[0].length, 300);
    EXPECT_EQ(header->fields[1].decimals, 2);
    EXPECT_EQ(header->offsets, (std::vector<std::uint32_t>{1, 301}));
    EXPECT_EQ(header->availableRecords(bytes.size()), 1u);
    // A count beyond the data: only the records the file holds; none in a header-only file.
    encodeLe32(&bytes[kRecordCountOffset], 1000000000);
    EXPECT_EQ(parse(bytes)->availableRecords(bytes.size()), 1u);
    EXPECT_EQ(parse(bytes)->availableRecords(97), 0u);
}

TEST(DbfHeader, RefusesInconsistentSizes) {
    const auto good = bytesOf(buildTable(kFields, {}));
    const struct {
        std::size_t offset;  // a 16-bit value there, or the byte at 96 (the terminator)
        int value;
        const char* reason;
    } cases[] = {{kHeaderLengthOffset, 32, "shorter than a header"},
                 {kHeaderLengthOffset, 5000, "beyond the end of the file"},
                 {kHeaderLengthOffset, 70, "no terminator"},  // ends inside a descriptor
                 {kRecordLengthOffset, 0, "record length is 0"},
                 {kRecordLengthOffset, 300, "exceed record length (300)"},  // the fields need 307
                 {96, 'X', "no terminator"}};
    for (const auto& c : cases) {
        auto spoiled = good;
        if (c.offset == 96) {
            spoiled[96] = static_cast<std::uint8_t>(c.value);
        } else {
            encodeLe16(&spoiled[c.offset], static_cast<std::uint16_t>(c.value));
        }
        Result<DbfHeader> header = parse(spoiled);
        ASSERT_FALSE(header.isOk()) << c.reason;
        EXPECT_EQ(header.status().number(), err::kFail);
        EXPECT_NE(header.status().description().find(c.reason), std::string::npos)
            << header.status().description();
    }
    Result<DbfHeader> cut = parse({good.begin(), good.begin() + 20});
    ASSERT_FALSE(cut.isOk());
    EXPECT_NE(cut.status().description().find("fewer than"), std::string::npos);
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
    EXPECT_NE(
        connection.openRecordSet("SELECT * FROM short").status().description().find("short.dbf"),
        std::string::npos);
}

// A new table is dated (its other bytes are compared in the output-table tests).
TEST(DbfHeader, ANewTableIsDated) {
    const std::vector<std::uint8_t> bytes = buildEmptyTable(kFields, 2025, 3, 9);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1, bytes.begin() + 4),
              (std::vector<std::uint8_t>{125, 3, 9}));
}

}  // namespace
}  // namespace tavrolin::store
