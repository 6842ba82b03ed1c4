// File errors: the number for each system error, and the description in both languages.
#include "store/file_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tavrolin::store {
namespace {

TEST(FileError, NumbersAndDescriptionsInBothLanguages) {
    const std::tuple<int, const char*, int, const char*> cases[] = {
        {ENOENT, "open", err::kFileNotFound, "не удалось открыть /m/a.dbf: "},
        {EACCES, "write", err::kPermissionDenied, "не удалось записать /m/a.dbf: "},
        {EPERM, "delete", err::kPermissionDenied, "не удалось удалить /m/a.dbf: "},
        {EROFS, "create", err::kReadOnlyFolder, "не удалось создать /m/a.dbf: "},
        {ENOSPC, "write", err::kDiskFull, "не удалось записать /m/a.dbf: "},
        {EFBIG, "write", err::kDiskFull, "не удалось записать /m/a.dbf: "},
        {EIO, "read", err::kDeviceIo, "не удалось прочитать /m/a.dbf: "},
        {EEXIST, "move /t/p.dbf to", err::kFileAlreadyExists,
         "не удалось переместить /t/p.dbf в /m/a.dbf: "},
        {EISDIR, "open the folder", err::kInvalidArgument, "не удалось открыть папку /m/a.dbf: "},
        {ENOTDIR, "frobnicate", err::kPathNotFound, "не удалось frobnicate /m/a.dbf: "}};
    for (const auto& [system, action, number, russian] : cases) {
        const Status status = fileError(system, action, "/m/a.dbf");
        EXPECT_EQ(status.number(), number) << action;
        EXPECT_EQ(
            status.description(false).rfind(std::string("cannot ") + action + " /m/a.dbf: ", 0), 0u)
            << status.description();
        // The reason follows in Russian too.
        EXPECT_EQ(status.description(true).rfind(russian, 0), 0u) << status.description(true);
        EXPECT_GT(status.description(true).size(), std::string(russian).size());
    }
}

}  // namespace
}  // namespace tavrolin::store
