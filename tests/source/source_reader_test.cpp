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
    ASSERT_EQ(w.main.sourceRecords.size(), 5u);
    EXPECT_EQ(row(1).typeCode, "0x24");
    EXPECT_EQ(row(1).label, "LAKE");
    EXPECT_EQ(row(1).level, "");  // level 0 counts as none
    EXPECT_EQ(row(0).level, "1");
    EXPECT_EQ(std::string(row(2).typeCode) + std::string(row(2).label) + std::string(row(2).level),
              "");  // deleted: kept empty
    EXPECT_EQ(row(4).label, "Orphan");
    EXPECT_EQ(w.main.labelWidth, 6 + 10);
    EXPECT_TRUE(w.main.sourceRead);
    EXPECT_EQ(lastMessage(), " attributes from the original file read successfully");
    EXPECT_EQ(w.main.attLog.front(), " reading file with attributes... ");
}

TEST_F(SourceReader, RenamesDepthFieldsAndOnlyTheSecondBecomesALabel) {
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
    EXPECT_EQ(row(0).label, "12.5");  // "12,5" in Russian, comma made a point
    EXPECT_EQ(row(1).label, "12");
}

TEST_F(SourceReader, LabelRulesApplyToCharacterLabels) {
    DbfBuilder plain;
    plain.field("TYPE", 'C', 6).field("NAME", 'C', 20);
    plain.record({"0x24", "55.123456"}).record({"0x24", "\"Red\" rock"});
    EXPECT_TRUE(read(plain));
    EXPECT_EQ(row(0).label, "");
    EXPECT_EQ(w.items("GM"), (Items{"0x24  |  ", "0x24  |  'Red' rock"}));

    DbfBuilder depth;  // DEPTH_M10 is the last label field and turns commas into points
    depth.field("TYPE", 'C', 6).field("NAME", 'C', 20).field("DEPTH_M10", 'C', 8);
    depth.record({"0x24", "x", "12,5"});
    EXPECT_TRUE(read(depth));
    EXPECT_EQ(row(0).label, "12.5");
}

TEST_F(SourceReader, LastFieldOfARoleWinsEvenWhenEmpty) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6).field("TYPEHEX", 'C', 6).record({"0x24", ""});
    EXPECT_FALSE(read(table));
    EXPECT_EQ(row(0).typeCode, "");
    EXPECT_TRUE(w.items("GM_TYPE").empty());
    EXPECT_EQ(lastMessage(), " ! selected file contains no records with object types");
    EXPECT_FALSE(w.main.sourceRead);

    DbfBuilder numeric;  // a numeric type field gives decimal text
    numeric.field("MP_TYPE", 'N', 4).record({"36"});
    EXPECT_TRUE(read(numeric));
    EXPECT_EQ(w.items("GM_TYPE"), Items{"36"});
}

TEST_F(SourceReader, IgnoreNamesLeavesGmEmptyAndReadsLabelsAs1251Marked) {
    DbfBuilder table;
    table.languageDriver(0x65).field("TYPE", 'C', 6).field("LABEL", 'C', 20);
    table.record({"0x24", kLakeUtf8});
    w.main.form.setValue("NoName", 1);

    w.main.russian = true;  // mark 201 under Russian: no conversion
    EXPECT_TRUE(read(table));
    EXPECT_TRUE(w.items("GM").empty());
    EXPECT_EQ(w.items("GM_TYPE"), Items{"0x24"});
    EXPECT_EQ(row(0).label, source::decode1251(kLakeUtf8));  // the UTF-8 bytes read as 1251

    w.main.russian = false;  // mark 201 under English: UTF-8
    EXPECT_TRUE(read(table));
    EXPECT_EQ(row(0).label, kLakeUtf8);
}

TEST_F(SourceReader, ConvertsLabelsByTheLanguageDriverByte) {
    w.main.russian = true;
    DbfBuilder dos;
    dos.languageDriver(101).field("TYPE", 'C', 6).field("LABEL", 'C', 10);
    dos.record({"0x24", "\x8E\xA7\xA5\xE0\xAE"});
    EXPECT_TRUE(read(dos));
    EXPECT_EQ(row(0).label, kLakeUtf8);

    DbfBuilder unmarked;  // guessed label by label; a guess has no conversion under Russian
    unmarked.field("TYPE", 'C', 6).field("LABEL", 'C', 10);
    unmarked.record({"0x24", "Lake"}).record({"0x24", "\xCE\xE7\xE5\xF0\xEE"});
    EXPECT_TRUE(read(unmarked));
    EXPECT_EQ(row(1).label, kLakeUtf8);
    EXPECT_EQ(w.main.labelWidth, 15);
}

// GDAL, QGIS and others leave the language byte 0 and name the encoding in a code-page file; that
// file, in whatever letter case and spelling, decides under both interfaces.
TEST_F(SourceReader, AnUnmarkedTableIsDecodedByItsCodePageFile) {
    const std::string lake1251 = "\xCE\xE7\xE5\xF0\xEE";
    struct Case {
        const char* cpgName;
        std::string cpgText;
        std::string labelBytes;
        std::string expected;
    };
    const Case cases[] = {
        {"map.cpg", "UTF-8\r\n", kLakeUtf8, kLakeUtf8},
        {"MAP.CPG", "65001", kLakeUtf8, kLakeUtf8},
        {"map.cpg", "utf8  \n", "M\xC3\xBCggelsee", "M\xC3\xBCggelsee"},
        {"map.cpg", "CP1251", lake1251, kLakeUtf8},
        {"Map.cpg", "windows-1251\r\n", lake1251, kLakeUtf8},
        {"map.cpg", "ANSI 1251", lake1251, kLakeUtf8},
        {"map.cpg", "866", "\x8E\xA7\xA5\xE0\xAE", kLakeUtf8},
        {"map.cpg", "1252", "M\xFCggelsee \x80", "M\xC3\xBCggelsee \xE2\x82\xAC"},
        {"map.cpg", "ISO-8859-1", "M\xFCggelsee", "M\xC3\xBCggelsee"},
        // Names nothing known: the guess applies (1251 under Russian, as guessed).
        {"map.cpg", "KOI8-R", lake1251, kLakeUtf8},
    };
    for (const Case& c : cases) {
        for (bool russian : {true, false}) {
            if (std::string(c.cpgText) == "KOI8-R" && !russian) continue;  // guessed as OEM
            std::filesystem::remove(folder.path("map.cpg"));
            std::filesystem::remove(folder.path("MAP.CPG"));
            std::filesystem::remove(folder.path("Map.cpg"));
            folder.write(c.cpgName, std::vector<std::uint8_t>(c.cpgText.begin(), c.cpgText.end()));
            w.main.russian = russian;
            DbfBuilder table;
            table.field("TYPE", 'C', 6).field("LABEL", 'C', 20);
            table.record({"0x24", "Lake"}).record({"0x24", c.labelBytes});
            EXPECT_TRUE(read(table));
            EXPECT_EQ(row(1).label, c.expected) << c.cpgText << (russian ? " ru" : " en");
            EXPECT_EQ(row(0).label, "Lake");
        }
    }
    // A language byte of its own wins over the code-page file.
    folder.write("map.cpg", {'U', 'T', 'F', '-', '8'});
    w.main.russian = true;
    DbfBuilder marked;
    marked.languageDriver(101).field("TYPE", 'C', 6).field("LABEL", 'C', 10);
    marked.record({"0x24", "\x8E\xA7\xA5\xE0\xAE"});
    EXPECT_TRUE(read(marked));
    EXPECT_EQ(row(0).label, kLakeUtf8);
}

// What an English-interface output declares (0x57) is UTF-8, read back so under both
// interfaces.
TEST_F(SourceReader, ReadsAnEnglishOutputBackAsUtf8) {
    for (bool russian : {true, false}) {
        w.main.russian = russian;
        DbfBuilder table;
        table.languageDriver(0x57).field("TYPE", 'C', 6).field("VALUE", 'C', 30);
        table.record({"0x24", "M\xC3\xBCggelsee"}).record({"0x24", kLakeUtf8});
        EXPECT_TRUE(read(table));
        EXPECT_EQ(row(0).label, "M\xC3\xBCggelsee");
        EXPECT_EQ(row(1).label, kLakeUtf8);
    }
}

TEST_F(SourceReader, ShowsProgressAtEachHundredthOfTheRecords) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6);
    for (int i = 0; i < 250; ++i) table.record({"0x1"});
    EXPECT_TRUE(read(table));
    Items bars;
    for (const std::string& line : w.main.attLog) {
        if (line.rfind(" reading file with attributes: ", 0) == 0) bars.push_back(line);
    }
    ASSERT_EQ(bars.size(), 125u);  // step 2: records 0, 2, ... 248
    EXPECT_EQ(bars.front(), " reading file with attributes: " + std::string(100, '.'));
    EXPECT_EQ(bars[50], " reading file with attributes: " + std::string(50, 'I') +
                            std::string(50, '.'));  // record 100
    EXPECT_EQ(bars.back(), " reading file with attributes: " + std::string(100, 'I'));
    EXPECT_GE(w.platform.processEventsCalls, 126);

    DbfBuilder small;
    small.field("TYPE", 'C', 6);
    for (int i = 0; i < 99; ++i) small.record({"0x1"});
    w.main.attLog.clear();
    EXPECT_TRUE(read(small));
    EXPECT_EQ(w.main.attLog.size(), 2u);  // the first message and the result only
}

TEST_F(SourceReader, ChoosesTheKindFromFieldsElseFromTheFileName) {
    DbfBuilder plain;
    plain.field("TYPE", 'C', 6).record({"0x1"});
    EXPECT_TRUE(read(plain, "Roads_polylines.dbf"));
    EXPECT_EQ(w.chosenKind(), 1);
    EXPECT_EQ(w.main.namedKind, store::ObjectKind::Line);
    EXPECT_TRUE(w.main.form("btnMakeType").enabled);
    EXPECT_TRUE(read(plain, "points_polygons.dbf"));
    EXPECT_EQ(w.chosenKind(), 0);
    EXPECT_TRUE(read(plain, "depth.dbf"));
    EXPECT_EQ(w.chosenKind(), -1);
    EXPECT_EQ(w.main.namedKind, store::ObjectKind::None);
    EXPECT_FALSE(w.main.form("btnMakeName").enabled);

    DbfBuilder fields;  // a later kind field overrides an earlier one and the file name
    fields.field("TYPE", 'C', 6).field("LINE_COLOR", 'C', 6).field("POINT_SYMB", 'N', 3);
    fields.record({"0x1"});
    EXPECT_TRUE(read(fields, "x_polygons.dbf"));
    EXPECT_EQ(w.chosenKind(), 2);
    EXPECT_EQ(w.main.namedKind, store::ObjectKind::Point);

    DbfBuilder memo;  // a memo field is never recognised by its name
    memo.field("TYPE", 'C', 6).field("FILL_STYLE", 'M', 10).record({"0x1"});
    EXPECT_TRUE(read(memo));
    EXPECT_EQ(w.chosenKind(), -1);
}

TEST_F(SourceReader, RefusesVisualFoxProTablesInAMessageBox) {
    DbfBuilder table;
    table.version(0x31).field("TYPE", 'C', 6).record({"0x1"});
    EXPECT_FALSE(read(table, "lakes_polygons.dbf"));
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].prompt, " ! файлы VFP не поддерживаются");
    EXPECT_TRUE(w.items("GM_TYPE").empty());
    EXPECT_TRUE(w.main.sourceRecords.empty());
    EXPECT_EQ(w.chosenKind(), 0);                      // the file name still chooses the kind...
    EXPECT_FALSE(w.main.form("btnMakeType").enabled);  // ...but there is nothing to convert
}

TEST_F(SourceReader, MarksTablesThatMayAlreadyBeConverted) {
    DbfBuilder table;
    table.field("MP_TYPE", 'C', 6).field("VALUE", 'C', 10).record({"0x24", "5"});
    EXPECT_TRUE(read(table));
    EXPECT_EQ(lastMessage(), " * selected file may already be processed for conversion in IMC");
    EXPECT_EQ(row(0).label, "5");
}

// Bad input: every case ends with a message, never a crash or a read outside the file.
TEST_F(SourceReader, TrustsTheFileSizeOverTheDeclaredRecordCount) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6).record({"0x1"}).record({"0x2"}).declaredCount(1000000000);
    EXPECT_TRUE(read(table));
    EXPECT_NE(std::find(w.main.attLog.begin(), w.main.attLog.end(),
                        " ! selected file contains wrong records amount"),
              w.main.attLog.end());
    EXPECT_EQ(w.platform.pauses, std::vector<int>{1000});
    EXPECT_EQ(w.main.sourceRecords.size(), 2u);

    DbfBuilder truncated;  // the last record cut short by more than half: read with blanks
    truncated.field("TYPE", 'C', 6).field("LABEL", 'C', 10);
    truncated.record({"0x1", "one"}).record({"0x2", "twofold"}).withoutEndMark();
    std::vector<std::uint8_t> bytes = truncated.bytes();
    bytes.resize(bytes.size() - 7);  // more than half the record: " 0x2   two" remains
    EXPECT_TRUE(readBytes(bytes));
    ASSERT_EQ(w.main.sourceRecords.size(), 2u);
    EXPECT_EQ(row(1).typeCode, "0x2");
    EXPECT_EQ(row(1).label, "two");
}

TEST_F(SourceReader, EndsCleanlyOnHeadersThatContradictTheFile) {
    DbfBuilder good;
    good.field("TYPE", 'C', 6).field("LABEL", 'C', 10).record({"0x1", "a"});
    std::vector<std::uint8_t> full = good.bytes();

    EXPECT_FALSE(readBytes({full.begin(), full.begin() + 20}));
    EXPECT_EQ(lastMessage(),
              " ! DBFread: 62. the file (20 bytes) is shorter than a table header (32 bytes)");

    EXPECT_FALSE(read(DbfBuilder(good).recordLength(0)));
    EXPECT_EQ(lastMessage(), " ! DBFread: 321. the header gives a record length of 0");
    w.main.russian = true;  // the description in the interface language
    EXPECT_FALSE(read(DbfBuilder(good).recordLength(0)));
    EXPECT_EQ(lastMessage(), " ! DBFread: 321. заголовок указывает длину записи 0");
    EXPECT_FALSE(readBytes({full.begin(), full.begin() + 20}));
    EXPECT_EQ(lastMessage(), " ! DBFread: 62. файл (20 байт) короче заголовка таблицы (32 байта)");
    w.main.russian = false;

    EXPECT_FALSE(read(DbfBuilder(good).headerLength(4)));
    EXPECT_EQ(lastMessage().substr(0, 17), " ! DBFread: 321. ");

    EXPECT_FALSE(read(DbfBuilder(good).headerLength(60000)));
    EXPECT_EQ(lastMessage(), " ! selected file is broken or contains no records");

    DbfBuilder empty;
    empty.field("TYPE", 'C', 6);
    EXPECT_FALSE(read(empty));
    EXPECT_EQ(lastMessage(), " ! selected file is broken or contains no records");

    DbfBuilder noFields;  // header of 33 bytes, records of the flag alone
    noFields.record({}).record({});
    EXPECT_FALSE(read(noFields));
    EXPECT_EQ(lastMessage(), " ! selected file contains no records with object types");
}

TEST_F(SourceReader, RefusesFieldsThatRunPastTheRecord) {
    DbfBuilder wide;
    wide.field("TYPE", 'C', 6).field("LABEL", 'C', 10).record({"0x1", "a"});
    wide.recordLength(8);  // LABEL would end at byte 16
    EXPECT_FALSE(read(wide));
    EXPECT_EQ(lastMessage(),
              " ! ReadDBF field LABEL (bytes 7 to 16) runs past the record length 8");

    std::vector<std::uint8_t> huge = DbfBuilder().field("TYPE", 'C', 6).record({"0x1"}).bytes();
    huge[32 + 16] = 0xFF;  // a C field declaring 65,535 bytes
    huge[32 + 17] = 0xFF;
    EXPECT_FALSE(readBytes(huge));
    EXPECT_EQ(lastMessage().substr(0, 25), " ! ReadDBF field TYPE (by");

    // Descriptors announced beyond the end of the file: header length 80 announces two.
    std::vector<std::uint8_t> cut(90, 0);
    cut[0] = 0x03, cut[8] = 80, cut[10] = 1;
    cut[32] = 'A', cut[32 + 11] = 'C';
    EXPECT_FALSE(readBytes(cut));
    EXPECT_EQ(lastMessage(), " ! ReadDBF descriptor of field 2 runs past the end of the file");
}

TEST_F(SourceReader, ReportsFilesThatCannotBeOpened) {
    w.main.form.setText("Source", folder.path("missing.dbf"));
    EXPECT_FALSE(DBFread(w.main));
    EXPECT_EQ(lastMessage(), " * specify the source file .DBF to continue");

    w.main.form.setText("Source", folder.path(""));  // a folder
    EXPECT_FALSE(DBFread(w.main));
    EXPECT_EQ(lastMessage(), " * specify the source file .DBF to continue");

#ifndef _WIN32               // POSIX permissions
    if (::geteuid() != 0) {  // root reads anything
        std::string locked = folder.write("locked.dbf", {1, 2, 3});
        ::chmod(locked.c_str(), 0);
        w.main.form.setText("Source", locked);
        EXPECT_FALSE(DBFread(w.main));
        EXPECT_EQ(lastMessage(), " ! file is in use by another application, failed to open");
    }
#endif
}

}  // namespace
}  // namespace tavrolin
