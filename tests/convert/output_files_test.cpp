// Moving a finished table over its output name, and finding files without regard to case.
#include "convert/output_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "convert_fixture.h"

namespace tavrolin {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;
namespace fs = std::filesystem;

TEST(MoveReplacing, ReplacesTheTargetAndLeavesNothingElse) {
    TempFolder folder;
    writeFile(folder.path() / "new.dbf", "new");
    writeFile(folder.path() / "out.dbf", "old");
    ASSERT_TRUE(moveReplacing(folder.str() + "new.dbf", folder.str() + "out.dbf"));
    EXPECT_EQ(readFile(folder.path() / "out.dbf"), "new");
    EXPECT_FALSE(fs::exists(folder.path() / "new.dbf"));
}

TEST(MoveReplacing, AFailedMoveKeepsBothFiles) {
    TempFolder folder;
    writeFile(folder.path() / "new.dbf", "new");
    const Status missingFolder =
        moveReplacing(folder.str() + "new.dbf", folder.str() + "nowhere/out.dbf");
    EXPECT_EQ(missingFolder.number(), err::kFileNotFound) << missingFolder.toString();
    EXPECT_EQ(readFile(folder.path() / "new.dbf"), "new");

    fs::create_directory(folder.path() / "out.dbf");  // a folder under the output name
    EXPECT_FALSE(moveReplacing(folder.str() + "new.dbf", folder.str() + "out.dbf"));
    EXPECT_EQ(readFile(folder.path() / "new.dbf"), "new");
}

TEST(MoveReplacing, CopiesAcrossFileSystems) {
    TempFolder target;
    struct stat a {};
    struct stat b {};
    if (::stat("/dev/shm", &a) != 0 || ::stat(target.str().c_str(), &b) != 0 ||
        a.st_dev == b.st_dev) {
        GTEST_SKIP() << "no second file system beside " << target.str();
    }
    TempFolder source("/dev/shm");
    const std::string content(3 << 20, 'x');  // more than one copy block
    writeFile(source.path() / "new.dbf", content);
    writeFile(target.path() / "out.dbf", "old");
    ASSERT_TRUE(moveReplacing(source.str() + "new.dbf", target.str() + "out.dbf"));
    EXPECT_EQ(readFile(target.path() / "out.dbf"), content);
    EXPECT_FALSE(fs::exists(source.path() / "new.dbf"));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(target.path())) ++files;
    EXPECT_EQ(files, 1);

    // Into a missing folder: the original stays, no partial copy anywhere.
    writeFile(source.path() / "new.dbf", "again");
    EXPECT_FALSE(moveReplacing(source.str() + "new.dbf", target.str() + "gone/out.dbf"));
    EXPECT_EQ(readFile(source.path() / "new.dbf"), "again");
}

TEST(NamesIgnoringCase, ExactNameFirst) {
    TempFolder folder;
    writeFile(folder.path() / "RIVER.CPG", "");
    writeFile(folder.path() / "river.cpg", "");
    writeFile(folder.path() / "river.cpg.bak", "");
    EXPECT_EQ(namesIgnoringCase(folder.str(), "river.cpg"),
              (std::vector<std::string>{"river.cpg", "RIVER.CPG"}));
    EXPECT_TRUE(namesIgnoringCase(folder.str() + "missing/", "river.cpg").empty());
}

}  // namespace
}  // namespace tavrolin
