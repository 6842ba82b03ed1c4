// Reading a source table: the found types and objects, the label rules and decodings, the kind
// from fields or file name, and every kind of bad file ending with a message.
#include "source/source_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "source/encodings.h"
#include "source_test_support.h"

namespace tavrolin {
namespace {

using testing::DbfBuilder;
using testing::HeadlessWindow;
using testing::TempFolder;
using Items = std::vector<std::string>;

const std::string kLakeUtf8 = "\xD0\x9E\xD0\xB7\xD0\xB5\xD1\x80\xD0\xBE";  // Озеро
const std::string kLake1251 = "\xCE\xE7\xE5\xF0\xEE";
const std::string kLake866 = "\x8E\xA7\xA5\xE0\xAE";

class SourceReader : public ::testing::Test {
   protected:
    // Writes the table under the name and reads it; the result of DBFread.
    bool read(const DbfBuilder& table, const std::string& name = "map.dbf") {
        return readBytes(table.bytes(), name);
    }
    bool readBytes(const std::vector<std::uint8_t>& bytes, const std::string& name = "map.dbf") {
        w.main.form.setText("Source", folder.write(name, bytes));
        return DBFread(w.main);
    }
    const std::string& lastMessage() { return w.main.attLog.back(); }
    SourceRecord row(std::size_t r) { return w.main.sourceRecords.at(r); }
    // A table of TYPE and LABEL with these labels, all of type 0x24.
    static DbfBuilder labels(const std::vector<std::string>& texts, int labelLength = 20) {
        DbfBuilder table;
        table.field("TYPE", 'C', 6).field("LABEL", 'C', labelLength);
        for (const std::string& text : texts) table.record({"0x24", text});
        return table;
    }

    TempFolder folder;
    HeadlessWindow w;
};

TEST_F(SourceReader, ListsTypesAndNamedObjectsOnceInOrderOfFirstAppearance) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6).field("LABEL", 'C', 20).field("LEVEL", 'N', 2);
    table.record({"0x24", "Lake", "1"})
        .record({"0X24", "LAKE", "0"})
        .record({"0x1", "Road", "2"}, /*deleted=*/true)
        .record({"0x1", "", ""})
        .record({"", "Orphan", "3"});
    EXPECT_TRUE(read(table));
    EXPECT_EQ(w.items("GM_TYPE"), (Items{"0x24", "0x1"}));
    EXPECT_EQ(w.items("GM"), (Items{"0x24  |  Lake", "0x1  |  "}));
    Items records;  // type|label|level; level 0 counts as none, a deleted record is kept empty
    for (std::size_t i = 0; i < w.main.sourceRecords.size(); ++i) {
        const SourceRecord r = row(i);
        records.push_back(std::string(r.typeCode) + "|" + std::string(r.label) + "|" +
                          std::string(r.level));
    }
    EXPECT_EQ(records, (Items{"0x24|Lake|1", "0x24|LAKE|", "||", "0x1||", "|Orphan|3"}));
    EXPECT_EQ(w.main.labelWidth, 6 + 10);
    EXPECT_EQ(lastMessage(), " attributes from the original file read successfully");
}

TEST_F(SourceReader, LabelRulesAndDepthFields) {
    DbfBuilder depth;  // DEPTH_M10 is the last label field and turns commas into points
    depth.field("TYPE", 'C', 6).field("NAME", 'C', 20).field("DEPTH_M10", 'C', 8);
    depth.record({"0x24", "x", "12,5"});
    EXPECT_TRUE(read(depth));
    EXPECT_EQ(row(0).label, "12.5");

    // Of two fields renamed DEPTH (M) only the second becomes the label, its comma a point.
    w.main.russian = true;
    DbfBuilder one;
    one.field("TYPE", 'C', 6).field("DEPTH (M)", 'N', 6, 2).record({"0x24", "12.50"});
    EXPECT_TRUE(read(one));
    EXPECT_EQ(row(0).label, "");
    EXPECT_FALSE(w.main.depthInMetres);
    DbfBuilder two;
    two.field("TYPE", 'C', 6).field("DEPTH (M)", 'N', 6, 2).field("depth (m)", 'N', 6, 2);
    two.record({"0x24", "3.00", "12.50"}).record({"0x24", "1.00", "12.00"});
    EXPECT_TRUE(read(two));
    EXPECT_TRUE(w.main.depthInMetres);
    EXPECT_EQ(row(0).label, "12.5");
    EXPECT_EQ(row(1).label, "12");
}

TEST_F(SourceReader, LastFieldOfARoleWinsEvenWhenEmpty) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6).field("TYPEHEX", 'C', 6).record({"0x24", ""});
    EXPECT_FALSE(read(table));
    EXPECT_TRUE(w.items("GM_TYPE").empty());
    EXPECT_EQ(lastMessage(), " ! selected file contains no records with object types");
    EXPECT_FALSE(w.main.sourceRead);

    DbfBuilder numeric;  // a numeric type field gives decimal text
    numeric.field("MP_TYPE", 'N', 4).record({"36"});
    EXPECT_TRUE(read(numeric));
    EXPECT_EQ(w.items("GM_TYPE"), Items{"36"});

    DbfBuilder converted;  // a table that may already be an output is read, with a notice
    converted.field("MP_TYPE", 'C', 6).field("VALUE", 'C', 10).record({"0x24", "5"});
    EXPECT_TRUE(read(converted));
    EXPECT_EQ(lastMessage(), " * selected file may already be processed for conversion in IMC");
    EXPECT_EQ(row(0).label, "5");
}

// The language byte decides a label's code page; without one, a code-page file beside the
// table does, found in any letter case (the decodings themselves are the encodings' tests).
TEST_F(SourceReader, LabelsAreDecodedByLanguageByteElseCodePageFile) {
    w.main.russian = true;
    const std::tuple<int, const char*, std::string> cases[] = {
        {101, "", kLake866}, {0, "MAP.CPG", kLakeUtf8}, {101, "Map.cpg", kLake866}};
    for (const auto& [language, cpgName, label] : cases) {
        if (*cpgName != '\0') folder.write(cpgName, std::string("UTF-8\r\n"));
        EXPECT_TRUE(read(labels({"Lake", label}).set(29, language)));
        EXPECT_EQ(row(1).label, kLakeUtf8) << language << " " << cpgName;
        EXPECT_EQ(row(0).label, "Lake");
        if (*cpgName != '\0') std::filesystem::remove(folder.file(cpgName));
    }
    EXPECT_EQ(w.main.labelWidth, 5 + 10);  // the widest label, in characters
}

TEST_F(SourceReader, IgnoreNamesLeavesGmEmptyAndReadsLabelsAs1251Marked) {
    w.main.form.setValue("NoName", 1);
    w.main.russian = true;  // mark 201 under Russian: no conversion
    EXPECT_TRUE(read(labels({kLakeUtf8}).set(29, 0x65)));
    EXPECT_TRUE(w.items("GM").empty());
    EXPECT_EQ(w.items("GM_TYPE"), Items{"0x24"});
    EXPECT_EQ(row(0).label, source::decode1251(kLakeUtf8));  // the UTF-8 bytes read as 1251
}

TEST_F(SourceReader, ChoosesTheKindFromFieldsElseFromTheFileName) {
    DbfBuilder plain;
    plain.field("TYPE", 'C', 6).record({"0x1"});
    DbfBuilder fields;  // a later kind field overrides an earlier one and the file name
    fields.field("TYPE", 'C', 6).field("LINE_COLOR", 'C', 6).field("POINT_SYMB", 'N', 3);
    fields.record({"0x1"});
    DbfBuilder memo;  // a memo field is never recognised by its name
    memo.field("TYPE", 'C', 6).field("FILL_STYLE", 'M', 10).record({"0x1"});
    const std::tuple<const DbfBuilder*, const char*, int> cases[] = {
        {&plain, "Roads_polylines.dbf", 1},
        {&plain, "depth.dbf", -1},
        {&fields, "x_polygons.dbf", 2},
        {&memo, "map.dbf", -1}};
    for (const auto& [table, name, kind] : cases) {
        EXPECT_TRUE(read(*table, name));
        EXPECT_EQ(w.chosenKind(), kind) << name;
        EXPECT_EQ(w.main.form("btnMakeType").enabled, kind >= 0) << name;
    }
}

// Bad input: every case ends with a message, never a crash or a read outside the file.
TEST_F(SourceReader, TrustsTheFileSizeOverTheDeclaredRecordCount) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6).record({"0x1"}).record({"0x2"}).set(4, 1000000000, 4);
    EXPECT_TRUE(read(table));
    EXPECT_NE(std::find(w.main.attLog.begin(), w.main.attLog.end(),
                        " ! selected file contains wrong records amount"),
              w.main.attLog.end());
    EXPECT_EQ(w.platform.pauses, std::vector<int>{1000});
    EXPECT_EQ(w.main.sourceRecords.size(), 2u);

    // The last record cut short by more than half: read with blanks.
    std::vector<std::uint8_t> bytes = labels({"one", "twofold"}, 10).withoutEndMark().bytes();
    bytes.resize(bytes.size() - 7);  // " 0x24  two" remains
    EXPECT_TRUE(readBytes(bytes));
    ASSERT_EQ(w.main.sourceRecords.size(), 2u);
    EXPECT_EQ(row(1).label, "two");
}

TEST_F(SourceReader, EndsCleanlyOnHeadersThatContradictTheFile) {
    const DbfBuilder good = labels({"a"}, 10);
    const std::vector<std::uint8_t> full = good.bytes();
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + 20);
    const std::string broken = " ! selected file is broken or contains no records";
    const std::tuple<std::vector<std::uint8_t>, bool, std::string> cases[] = {
        {cut, false,
         " ! DBFread: 62. the file (20 bytes) is shorter than a table header (32 bytes)"},
        {DbfBuilder(good).set(10, 0, 2).bytes(), false,
         " ! DBFread: 321. the header gives a record length of 0"},
        {DbfBuilder(good).set(10, 0, 2).bytes(), true,
         " ! DBFread: 321. заголовок указывает длину записи 0"},
        {DbfBuilder().field("TYPE", 'C', 6).bytes(), false, broken},
        // A header of 33 bytes, records of the flag alone.
        {DbfBuilder().record({}).record({}).bytes(), false,
         " ! selected file contains no records with object types"}};
    for (const auto& [bytes, russian, message] : cases) {
        w.main.russian = russian;
        EXPECT_FALSE(readBytes(bytes));
        EXPECT_EQ(lastMessage(), message);
    }
    w.main.russian = false;
    EXPECT_FALSE(read(DbfBuilder(good).set(8, 4, 2)));
    EXPECT_EQ(lastMessage().substr(0, 17), " ! DBFread: 321. ");
}

TEST_F(SourceReader, RefusesFieldsThatRunPastTheRecord) {
    EXPECT_FALSE(read(labels({"a"}, 10).set(10, 8, 2)));  // LABEL would end at byte 16
    EXPECT_EQ(lastMessage(),
              " ! ReadDBF field LABEL (bytes 7 to 16) runs past the record length 8");
    // A C field declaring 65,535 bytes.
    EXPECT_FALSE(read(DbfBuilder().field("TYPE", 'C', 6).record({"0x1"}).set(32 + 16, 0xFFFF, 2)));
    EXPECT_EQ(lastMessage().substr(0, 25), " ! ReadDBF field TYPE (by");
    // Descriptors announced beyond the end of the file: header length 80 announces two.
    std::vector<std::uint8_t> short90(90, 0);
    short90[0] = 0x03, short90[8] = 80, short90[10] = 1;
    short90[32] = 'A', short90[32 + 11] = 'C';
    EXPECT_FALSE(readBytes(short90));
    EXPECT_EQ(lastMessage(), " ! ReadDBF descriptor of field 2 runs past the end of the file");
}

TEST_F(SourceReader, ReportsFilesThatCannotBeOpened) {
    for (const std::string& path : {folder.file("missing.dbf"), folder.str()}) {  // a folder
        w.main.form.setText("Source", path);
        EXPECT_FALSE(DBFread(w.main));
        EXPECT_EQ(lastMessage(), " * specify the source file .DBF to continue");
    }
#ifndef _WIN32               // POSIX permissions
    if (::geteuid() != 0) {  // root reads anything
        std::string locked = folder.write("locked.dbf", std::string("\1\2\3"));
        ::chmod(locked.c_str(), 0);
        w.main.form.setText("Source", locked);
        EXPECT_FALSE(DBFread(w.main));
        EXPECT_EQ(lastMessage(), " ! file is in use by another application, failed to open");
    }
#endif
}

}  // namespace
}  // namespace tavrolin
