// Null-to-default, the file writer, the dialog's start path and filters, the document opener and
// the file primitives.
#include "store/common_services.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/connection.h"
#include "store/scripted_platform.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::readFile;
using testing::recordCountOf;
using testing::TempFolder;
using testing::writeFile;

struct Messages {
    std::vector<std::string> lines;
    MessageSink sink() {
        return [this](const std::string& line) { lines.push_back(line); };
    }
};

TEST(CommonServices, NzKeepsValuesAndDefaultsEmptyOnes) {
    EXPECT_EQ(Nz(Value::number(0), "5"), Value::number(0));
    EXPECT_EQ(Nz(Value::text(""), "Null"), Value::text("Null"));
    EXPECT_EQ(Nz(Value(), "x"), Value::text("x"));
    EXPECT_EQ(Nz(Value(), ""), Value::text(""));
    EXPECT_EQ(Nz(Value::text(" "), "x"), Value::text(" "));
    EXPECT_EQ(Nz(Value::logical(false), "x"), Value::logical(false));

    Messages messages;
    ScriptedPlatform platform;
    const Result<Value> missing = Status::error(err::kItemNotFound, "no YN");
    EXPECT_EQ(Nz(missing, "1", messages.sink(), &platform), Value::text(""));
    EXPECT_EQ(messages.lines, (std::vector<std::string>{" ! Nz 3265: no YN"}));
    EXPECT_EQ(platform.beeps, 1);
}

TEST(CommonServices, WriteFWritesOneLineOrReports) {
    TempFolder folder;
    Messages messages;
    const std::string path = folder.file("Tavrolin.cpg");
    EXPECT_EQ(WriteF(path, "1251", messages.sink()), 1);
    EXPECT_EQ(readFile(path), "1251\r\n");
    EXPECT_EQ(WriteF(path, "Привет €", messages.sink(), TextEncoding::Cp1251), 1);
    EXPECT_EQ(readFile(path), "\xCF\xF0\xE8\xE2\xE5\xF2 \x88\r\n");
    EXPECT_EQ(WriteF(path, "ü", messages.sink(), TextEncoding::Cp1251), 1);
    EXPECT_EQ(readFile(path), "?\r\n");
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

TEST(CommonServices, OpenPathStartsInTheSourceFolderOrTheProgramFolder) {
    EXPECT_EQ(OpenPath("*.dbf", "/maps/a.dbf", "/opt/tavrolin/"), "/maps/*.dbf");
    // The comparison respects letter case.
    EXPECT_EQ(OpenPath("*.dbf", "/maps/a.DBF", "/opt/tavrolin/"), "/opt/tavrolin/*.dbf");
    EXPECT_EQ(OpenPath("*.mp", "/maps/a.dbf", "/opt/tavrolin"), "/opt/tavrolin/*.mp");
    // The prompt in the source box holds no folder.
    EXPECT_EQ(OpenPath("*.dbf", " Select source shape file in DBF-format", "/p/"), "/p/*.dbf");
    EXPECT_EQ(OpenPath("*.dbf", "a.dbf", "/p/"), "/p/*.dbf");
    EXPECT_EQ(OpenPath("", "/maps/a.dbf", "/p/"), "/maps/");
    EXPECT_EQ(OpenPath("*.dbf", "/a.dbf", "/p/"), "/*.dbf");
}

TEST(CommonServices, OpenDialogBuildsFiltersAndHandlesCancel) {
    ScriptedPlatform platform;
    Messages messages;
    platform.openFileReplies.push_back(std::string("/maps/river.dbf"));
    EXPECT_EQ(OpenDialog(platform, "  /maps/*.dbf ", "dBASE v4 .dbf,*.DBF", true, messages.sink()),
              "/maps/river.dbf");
    ASSERT_EQ(platform.fileQuestions.size(), 1u);
    const FileQuestion& question = platform.fileQuestions[0];
    EXPECT_EQ(question.title, "Выберите исходный файл:");
    EXPECT_EQ(question.startPath, "/maps/*.dbf");
    ASSERT_EQ(question.filters.size(), 1u);
    EXPECT_EQ(question.filters[0].first, "dBASE v4 .dbf");
    EXPECT_EQ(question.filters[0].second, "*.DBF");

    // Cancelled: the start path comes back (the caller sees its "*").
    EXPECT_EQ(OpenDialog(platform, "/maps/*.dbf", "", false, messages.sink()), "/maps/*.dbf");
    EXPECT_EQ(platform.fileQuestions[1].title, "Select source file:");
    ASSERT_EQ(platform.fileQuestions[1].filters.size(), 1u);
    EXPECT_EQ(platform.fileQuestions[1].filters[0].first, " ");
    EXPECT_EQ(platform.fileQuestions[1].filters[0].second, "*.*");

    platform.openFileReplies.push_back(std::string("river.dbf"));  // no folder: no path
    EXPECT_EQ(OpenDialog(platform, "*.dbf", "a,*.a,b,*.b", false, messages.sink()), "");
    EXPECT_EQ(platform.fileQuestions[2].filters.size(), 2u);
    EXPECT_EQ(OpenDialog(platform, std::string(300, '/'), "", false, messages.sink()).size(), 255u);
    // The field holds 255 characters, not bytes: a Cyrillic path is never cut inside a letter.
    std::string cyrillic = "/";
    for (int i = 0; i < 299; ++i) cyrillic += "ж";
    EXPECT_EQ(OpenDialog(platform, cyrillic, "", false, messages.sink()),
              "/" + cyrillic.substr(1, 254 * 2));
}

TEST(CommonServices, ShellOpenReportsAMissingAssociation) {
    ScriptedPlatform platform;
    Messages messages;
    ShellOpen(platform, "/p/Tavrolin.txt", messages.sink());
    EXPECT_TRUE(messages.lines.empty());
    platform.documentsOpen = false;
    ShellOpen(platform, "/p/Tavrolin.txt", messages.sink());
    EXPECT_EQ(messages.lines, (std::vector<std::string>{"неизвестный тип файла..."}));
}

TEST(CommonServices, OutputWithoutAFileManagerIsShownInABoxThatCopiesItsPath) {
    ScriptedPlatform platform;
    ShowOutput(platform, "/maps/lake.dbf", false);
    EXPECT_TRUE(platform.messages.empty());
    platform.fileManagerPresent = false;
    ShowOutput(platform, "/maps/lake.dbf", true);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find("/maps/lake.dbf"), std::string::npos);
    EXPECT_EQ(platform.messages[0].copyText, "/maps/lake.dbf");
    EXPECT_FALSE(platform.messages[0].copyButton.empty());
    EXPECT_EQ(platform.shownFiles.size(), 2u);
}

TEST(CommonServices, AnAnsweredDialogIsNotShownAndTheAnswerIsTakenOnce) {
    ScriptedPlatform platform;
    Messages messages;
    platform.answerNextOpenFile("/maps/lake.dbf");
    EXPECT_EQ(OpenDialog(platform, "/x/*.dbf", "", false, messages.sink()), "/maps/lake.dbf");
    EXPECT_TRUE(platform.fileQuestions.empty());
    EXPECT_EQ(OpenDialog(platform, "/x/*.dbf", "", false, messages.sink()), "/x/*.dbf");
    EXPECT_EQ(platform.fileQuestions.size(), 1u);
}

TEST(CommonServices, FilePrimitives) {
    TempFolder folder;
    writeFile(folder.file("Polygon.DBF"), "x");
    writeFile(folder.file("Озеро.dbf"), "x");
    using Names = std::vector<std::string>;
    EXPECT_EQ(namesIgnoringCase(folder.path(), "polygon.dbf"), Names{"Polygon.DBF"});
    EXPECT_EQ(namesIgnoringCase(folder.path() + "/", "POLYGON.dbf"), Names{"Polygon.DBF"});
    EXPECT_EQ(namesIgnoringCase(folder.path(), "ОЗЕРО.DBF"), Names{"Озеро.dbf"});
    EXPECT_EQ(namesIgnoringCase(folder.path(), "line.dbf"), Names{});
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
}

TEST(CommonServices, SameFileSeesThroughOtherNamesOfOneFile) {
    TempFolder folder;
    writeFile(folder.file("river.dbf"), "a");
    writeFile(folder.file("lake.dbf"), "a");  // equal content, another file
    ASSERT_EQ(::link(folder.file("river.dbf").c_str(), folder.file("hard.dbf").c_str()), 0);
    ASSERT_EQ(::symlink("river.dbf", folder.file("soft.dbf").c_str()), 0);
    const std::string river = folder.file("river.dbf");
    for (const std::string& other :
         {folder.file("hard.dbf"), folder.file("soft.dbf"), folder.path() + "/./river.dbf",
          folder.path() + "/../" + std::filesystem::path(folder.path()).filename().string() +
              "/river.dbf"}) {
        EXPECT_TRUE(sameFile(river, other)) << other;
    }
    EXPECT_FALSE(sameFile(river, folder.file("lake.dbf")));
    EXPECT_FALSE(sameFile(folder.file("missing.dbf"), folder.file("missing.dbf")));
}

TEST(CommonServices, NamesIgnoringCaseGiveTheExactNameFirst) {
    TempFolder folder;
    writeFile(folder.file("RIVER.CPG"), "");
    writeFile(folder.file("river.cpg"), "");
    writeFile(folder.file("river.cpg.bak"), "");
    EXPECT_EQ(namesIgnoringCase(folder.path(), "river.cpg"),
              (std::vector<std::string>{"river.cpg", "RIVER.CPG"}));
    EXPECT_TRUE(namesIgnoringCase(folder.file("missing/"), "river.cpg").empty());
}

TEST(CommonServices, MovingATableWritesItsPendingRowsFirst) {
    TempFolder folder;
    TempFolder target;  // on /tmp as well; the copy path is taken only across file systems
    Connection connection;
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    ASSERT_TRUE(connection.execute("CREATE TABLE point.dbf (A char(3))").isOk());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(connection.execute("INSERT INTO point (A) VALUES ('abc')").isOk());
    }
    ASSERT_TRUE(moveFile(folder.file("point.dbf"), target.file("out.dbf")).isOk());
    const std::string bytes = readFile(target.file("out.dbf"));
    EXPECT_EQ(recordCountOf(bytes), 3u);
    EXPECT_EQ(bytes.size(), 32u * 2 + 1 + 3 * 4 + 1);
    // The connection goes on: a new table of the same name takes new rows.
    ASSERT_TRUE(connection.execute("CREATE TABLE point.dbf (A char(3))").isOk());
    ASSERT_TRUE(connection.execute("INSERT INTO point (A) VALUES ('x')").isOk());
    ASSERT_TRUE(connection.close().isOk());
    EXPECT_EQ(recordCountOf(readFile(folder.file("point.dbf"))), 1u);
    EXPECT_EQ(recordCountOf(readFile(target.file("out.dbf"))), 3u);
}

TEST(CommonServices, MovesAcrossFileSystemsWithoutHalfFiles) {
    TempFolder folder;
    const std::string other = "/dev/shm/tavrolin-move-test-" + std::to_string(::getpid());
    struct stat here {};
    struct stat there {};
    if (::stat(folder.path().c_str(), &here) != 0 || ::mkdir(other.c_str(), 0700) != 0 ||
        ::stat(other.c_str(), &there) != 0 || here.st_dev == there.st_dev) {
        ::rmdir(other.c_str());
        GTEST_SKIP() << "no second file system to move to";
    }
    const std::string content(3 << 20, 'z');  // larger than one copy block
    writeFile(folder.file("a.dbf"), content);
    EXPECT_TRUE(moveFile(folder.file("a.dbf"), other + "/b.dbf").isOk());
    EXPECT_EQ(readFile(other + "/b.dbf"), content);
    EXPECT_FALSE(std::filesystem::exists(folder.file("a.dbf")));
    writeFile(folder.file("a.dbf"), "new");
    EXPECT_EQ(moveFile(folder.file("a.dbf"), other + "/b.dbf").number(), err::kFileAlreadyExists);
    EXPECT_EQ(readFile(folder.file("a.dbf")), "new");
    std::filesystem::remove_all(other);
}

TEST(ReplaceFile, ReplacesTheTargetAndLeavesNothingElse) {
    TempFolder folder;
    writeFile(folder.file("new.dbf"), "new");
    writeFile(folder.file("out.dbf"), "old");
    ASSERT_TRUE(replaceFile(folder.file("new.dbf"), folder.file("out.dbf")));
    EXPECT_EQ(readFile(folder.file("out.dbf")), "new");
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.dbf")));
}

TEST(ReplaceFile, AFailedMoveKeepsBothFiles) {
    TempFolder folder;
    writeFile(folder.file("new.dbf"), "new");
    const Status missingFolder =
        replaceFile(folder.file("new.dbf"), folder.file("nowhere/out.dbf"));
    EXPECT_EQ(missingFolder.number(), err::kFileNotFound) << missingFolder.toString();
    EXPECT_EQ(readFile(folder.file("new.dbf")), "new");

    std::filesystem::create_directory(folder.file("out.dbf"));  // a folder under the output name
    EXPECT_FALSE(replaceFile(folder.file("new.dbf"), folder.file("out.dbf")));
    EXPECT_EQ(readFile(folder.file("new.dbf")), "new");
}

TEST(ReplaceFile, CopiesAcrossFileSystems) {
    TempFolder target;
    struct stat a {};
    struct stat b {};
    if (::stat("/dev/shm", &a) != 0 || ::stat(target.path().c_str(), &b) != 0 ||
        a.st_dev == b.st_dev) {
        GTEST_SKIP() << "no second file system beside " << target.path();
    }
    TempFolder source("/dev/shm");
    const std::string content(3 << 20, 'x');  // more than one copy block
    writeFile(source.file("new.dbf"), content);
    writeFile(target.file("out.dbf"), "old");
    ASSERT_TRUE(replaceFile(source.file("new.dbf"), target.file("out.dbf")));
    EXPECT_EQ(readFile(target.file("out.dbf")), content);
    EXPECT_FALSE(std::filesystem::exists(source.file("new.dbf")));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(target.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);

    // Into a missing folder: the original stays, no partial copy anywhere.
    writeFile(source.file("new.dbf"), "again");
    EXPECT_FALSE(replaceFile(source.file("new.dbf"), target.file("gone/out.dbf")));
    EXPECT_EQ(readFile(source.file("new.dbf")), "again");
}

}  // namespace
}  // namespace tavrolin::store
