#include "store/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::TempFolder;
using testing::writeFile;

// Each kind of failure a user can act on has its own number and its own text.
TEST(FileIo, EachFailureHasItsOwnNumber) {
    TempFolder folder;
    writeFile(folder.file("present.txt"), "x");
    std::vector<std::pair<Status, int>> cases = {
        {readWholeFile(folder.file("none.txt")).status(), err::kFileNotFound},
        {writeWholeFile(folder.file("no/such.txt"), "x"), err::kPathNotFound},
        {readWholeFile(folder.path()).status(), err::kInvalidArgument},
        {openFile(folder.file("present.txt"), O_WRONLY | O_CREAT | O_EXCL).status(),
         err::kFileAlreadyExists}};
    if (std::filesystem::exists("/dev/full")) {  // every write there finds the disk full
        cases.push_back({writeWholeFile("/dev/full", "x"), err::kDiskFull});
    }
#ifndef _WIN32               // POSIX permissions
    if (::geteuid() != 0) {  // the superuser may write anywhere
        std::filesystem::create_directory(folder.file("locked"));
        ::chmod(folder.file("locked").c_str(), 0555);
        cases.push_back({writeWholeFile(folder.file("locked/new.txt"), "x"), err::kReadOnlyFolder});
        ::chmod(folder.file("present.txt").c_str(), 0);
        cases.push_back(
            {readWholeFile(folder.file("present.txt")).status(), err::kPermissionDenied});
    }
#endif
    std::set<std::string> texts;
    for (const auto& [status, number] : cases) {
        EXPECT_EQ(status.number(), number) << status.toString();
        EXPECT_TRUE(texts.insert(status.description()).second) << status.toString();
    }
}

TEST(FileIo, WholeFilesRoundTripAndShortReadsStopAtTheEnd) {
    TempFolder folder;
    const std::string path = folder.file("t.bin");
    const std::string bytes("a\0b\r\n", 5);
    ASSERT_TRUE(writeWholeFile(path, bytes).isOk());
    EXPECT_EQ(readWholeFile(path).value(), bytes);
    EXPECT_EQ(readUpTo(path, 99)->size(), 5u);

    Result<FileDescriptor> file = openFile(path, O_RDONLY);
    ASSERT_TRUE(file.isOk());
    char four[4];
    EXPECT_EQ(readAt(file->get(), four, 4, 2, path).number(), err::kInputPastEnd);
    EXPECT_TRUE(readAt(file->get(), four, 3, 2, path).isOk());
}

#ifndef _WIN32  // descriptor flags of POSIX
TEST(FileIo, TheHolderClosesItsDescriptorOnce) {
    TempFolder folder;
    writeFile(folder.file("t.txt"), "x");
    int fd = -1;
    {
        Result<FileDescriptor> file = openFile(folder.file("t.txt"), O_RDONLY);
        ASSERT_TRUE(file.isOk());
        FileDescriptor moved = std::move(*file);
        EXPECT_FALSE(file->isOpen());
        fd = moved.get();
        EXPECT_NE(::fcntl(fd, F_GETFD), -1);
        EXPECT_NE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
    }
    EXPECT_EQ(::fcntl(fd, F_GETFD), -1);  // closed when the last holder went
}
#endif

}  // namespace
}  // namespace tavrolin::store
