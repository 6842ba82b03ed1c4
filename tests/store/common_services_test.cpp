// Null-to-default, the file writer, the dialog's start path and filters, the document opener and
// the file primitives.
#include "store/common_services.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "store/connection.h"
#include "store/scripted_platform.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::readFile;
using testing::recordCountOf;
using testing::TempFolder;
using testing::writeFile;
using Names = std::vector<std::string>;
using Filters = std::vector<std::pair<std::string, std::string>>;

struct Messages {
    Names lines;
    MessageSink sink() {
        return [this](const std::string& line) { lines.push_back(line); };
    }
};

int entries(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(CommonServices, NzKeepsValuesAndDefaultsEmptyOnes) {
    EXPECT_EQ(Nz(Value::number(0), "5"), Value::number(0));
    EXPECT_EQ(Nz(Value::text(""), "Null"), Value::text("Null"));
    EXPECT_EQ(Nz(Value(), "x"), Value::text("x"));
    EXPECT_EQ(Nz(Value::text(" "), "x"), Value::text(" "));
    Messages messages;
    ScriptedPlatform platform;
    const Result<Value> missing = Status::error(err::kItemNotFound, "no YN");
    EXPECT_EQ(Nz(missing, "1", messages.sink(), &platform), Value::text(""));
    EXPECT_EQ(messages.lines, Names{" ! Nz 3265: no YN"});
    EXPECT_EQ(platform.beeps, 1);
}

TEST(CommonServices, WriteFWritesOneLineOrReports) {
    TempFolder folder;
    Messages messages;
    const std::string path = folder.file("Tavrolin.cpg");
    const std::tuple<const char*, TextEncoding, const char*> lines[] = {
        {"1251", TextEncoding::Utf8, "1251\r\n"},
        {"Привет €", TextEncoding::Cp1251, "\xCF\xF0\xE8\xE2\xE5\xF2 \x88\r\n"},
        {"ü", TextEncoding::Cp1251, "?\r\n"}};
    for (const auto& [text, encoding, bytes] : lines) {
        EXPECT_EQ(WriteF(path, text, messages.sink(), encoding), 1);
        EXPECT_EQ(readFile(path), bytes);
    }
    EXPECT_TRUE(messages.lines.empty());
    EXPECT_EQ(WriteF(folder.path(), "x", messages.sink()), 0);  // a folder
    EXPECT_EQ(WriteF(folder.file("no/such/file.txt"), "x", messages.sink()), 0);
    ASSERT_EQ(messages.lines.size(), 2u);
    EXPECT_EQ(messages.lines[1].rfind(" ! WriteF: 76. ", 0), 0u) << messages.lines[1];
    if (::geteuid() != 0) {  // the superuser writes read-only files anyway
        ::chmod(path.c_str(), 0444);
        EXPECT_EQ(WriteF(path, "65001", messages.sink()), 0);
        EXPECT_EQ(messages.lines.back().rfind(" ! WriteF: 70. ", 0), 0u);
        EXPECT_EQ(readFile(path), "?\r\n");
    }
}

TEST(CommonServices, OpenDialogStartsInTheSourceFolderAndHandlesCancel) {
    // The source's folder when it ends in the pattern's extension (letter case respected).
    EXPECT_EQ(OpenPath("*.dbf", "/maps/a.dbf", "/opt/tavrolin/"), "/maps/*.dbf");
    EXPECT_EQ(OpenPath("*.dbf", "/maps/a.DBF", "/opt/tavrolin/"), "/opt/tavrolin/*.dbf");
    EXPECT_EQ(OpenPath("*.mp", "/maps/a.dbf", "/opt/tavrolin"), "/opt/tavrolin/*.mp");
    EXPECT_EQ(OpenPath("*.dbf", "a.dbf", "/p/"), "/p/*.dbf");

    ScriptedPlatform platform;
    Messages messages;
    // Cancelled: the start path comes back (the caller sees its "*"); an answer without a
    // folder is no path.
    EXPECT_EQ(OpenDialog(platform, "  /maps/*.dbf ", "", false, messages.sink()), "/maps/*.dbf");
    platform.openFileReplies.push_back(std::string("river.dbf"));
    EXPECT_EQ(OpenDialog(platform, "*.dbf", "a,*.a,b,*.b", false, messages.sink()), "");
    EXPECT_EQ(platform.fileQuestions[1].filters, (Filters{{"a", "*.a"}, {"b", "*.b"}}));
    // The field holds 255 characters, not bytes: a Cyrillic path is never cut inside a letter.
    std::string cyrillic = "/";
    for (int i = 0; i < 299; ++i) cyrillic += "ж";
    EXPECT_EQ(OpenDialog(platform, cyrillic, "", false, messages.sink()),
              cyrillic.substr(0, 1 + 254 * 2));
}

TEST(CommonServices, FilePrimitives) {
    TempFolder folder;
    for (const char* name : {"Polygon.DBF", "Озеро.dbf", "RIVER.CPG", "river.cpg", "river.cpg.bak"})
        writeFile(folder.file(name), "x");
    EXPECT_EQ(namesIgnoringCase(folder.path(), "polygon.dbf"), Names{"Polygon.DBF"});
    EXPECT_EQ(namesIgnoringCase(folder.path(), "ОЗЕРО.DBF"), Names{"Озеро.dbf"});
    EXPECT_EQ(namesIgnoringCase(folder.path(), "river.cpg"), (Names{"river.cpg", "RIVER.CPG"}));
    EXPECT_EQ(namesIgnoringCase(folder.file("missing"), "x"), Names{});

    writeFile(folder.file("b.dbf"), "y");
    EXPECT_EQ(moveFile(folder.file("Polygon.DBF"), folder.file("b.dbf")).number(),
              err::kFileAlreadyExists);
    EXPECT_EQ(readFile(folder.file("b.dbf")), "y");
    ASSERT_TRUE(deleteFile(folder.file("b.dbf")).isOk());
    EXPECT_EQ(deleteFile(folder.file("b.dbf")).number(), err::kFileNotFound);
    ASSERT_TRUE(moveFile(folder.file("Polygon.DBF"), folder.file("b.dbf")).isOk());
    EXPECT_EQ(readFile(folder.file("b.dbf")), "x");
    EXPECT_EQ(moveFile(folder.file("Polygon.DBF"), folder.file("c.dbf")).number(),
              err::kFileNotFound);

    // sameFile sees through the other names of one file.
    ASSERT_EQ(::link(folder.file("b.dbf").c_str(), folder.file("hard.dbf").c_str()), 0);
    ASSERT_EQ(::symlink("b.dbf", folder.file("soft.dbf").c_str()), 0);
    for (const std::string& other :
         {folder.file("hard.dbf"), folder.file("soft.dbf"), folder.path() + "/./b.dbf",
          folder.path() + "/../" + folder.root().filename().string() + "/b.dbf"}) {
        EXPECT_TRUE(sameFile(folder.file("b.dbf"), other)) << other;
    }
    EXPECT_FALSE(sameFile(folder.file("b.dbf"), folder.file("river.cpg")));  // same content
    EXPECT_FALSE(sameFile(folder.file("missing.dbf"), folder.file("missing.dbf")));
}

// Moving a table writes the rows still waiting in its append buffer first.
TEST(CommonServices, MovingATableWritesItsPendingRowsFirst) {
    TempFolder folder;
    Connection connection;
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    ASSERT_TRUE(connection.execute("CREATE TABLE point.dbf (A char(3))").isOk());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(connection.execute("INSERT INTO point (A) VALUES ('abc')").isOk());
    }
    ASSERT_TRUE(moveFile(folder.file("point.dbf"), folder.file("out.dbf")).isOk());
    const std::string bytes = readFile(folder.file("out.dbf"));
    EXPECT_EQ(recordCountOf(bytes), 3u);
    EXPECT_EQ(bytes.size(), 32u * 2 + 1 + 3 * 4 + 1);
}

// The target holds the old file or the whole new one, on one file system and across two (where
// the file is copied beside the target); a failure leaves the source and nothing else.
TEST(CommonServices, MovesAndReplacementsLeaveNoHalfFiles) {
    TempFolder folder;
    struct stat here {};
    struct stat shm {};
    const bool twoFileSystems = ::stat("/dev/shm", &shm) == 0 &&
                                ::stat(folder.path().c_str(), &here) == 0 &&
                                shm.st_dev != here.st_dev;
    std::unique_ptr<TempFolder> elsewhere;
    if (twoFileSystems) elsewhere = std::make_unique<TempFolder>("/dev/shm");
    const TempFolder& other = twoFileSystems ? *elsewhere : folder;
    const std::string content(3 << 20, 'z');  // larger than one copy block
    writeFile(other.file("a.dbf"), content);
    EXPECT_TRUE(moveFile(other.file("a.dbf"), folder.file("b.dbf")).isOk());
    EXPECT_EQ(readFile(folder.file("b.dbf")), content);
    EXPECT_FALSE(std::filesystem::exists(other.file("a.dbf")));
    writeFile(other.file("a.dbf"), "new");
    EXPECT_EQ(moveFile(other.file("a.dbf"), folder.file("b.dbf")).number(),
              err::kFileAlreadyExists);
    EXPECT_EQ(readFile(other.file("a.dbf")), "new");

    writeFile(other.file("a.dbf"), content + "x");
    ASSERT_TRUE(replaceFile(other.file("a.dbf"), folder.file("b.dbf")));
    EXPECT_EQ(readFile(folder.file("b.dbf")), content + "x");
    EXPECT_FALSE(std::filesystem::exists(other.file("a.dbf")));
    writeFile(other.file("a.dbf"), "again");
    EXPECT_EQ(replaceFile(other.file("a.dbf"), folder.file("gone/out.dbf")).number(),
              err::kFileNotFound);
    std::filesystem::create_directory(folder.file("dir.dbf"));  // a folder under the output name
    EXPECT_FALSE(replaceFile(other.file("a.dbf"), folder.file("dir.dbf")));
    EXPECT_EQ(readFile(other.file("a.dbf")), "again");
    EXPECT_EQ(entries(folder.path()), twoFileSystems ? 2 : 3);
}

}  // namespace
}  // namespace tavrolin::store
