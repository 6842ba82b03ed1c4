// File errors: the number for each system error, and the description in both languages.
#include "store/file_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tavrolin::store {
namespace {

TEST(FileError, NumbersAndDescriptionsInBothLanguages) {
    struct Case {
        int system;
        const char* action;
        int number;
        const char* russian;
    };
    const Case cases[] = {
        {ENOENT, "open", err::kFileNotFound,
         "не удалось открыть /m/a.dbf: нет такого файла или папки"},
        {EACCES, "write", err::kPermissionDenied, "не удалось записать /m/a.dbf: нет доступа"},
        {EROFS, "delete", err::kReadOnlyFolder,
         "не удалось удалить /m/a.dbf: файловая система только для чтения"},
        {ENOSPC, "write", err::kDiskFull, "не удалось записать /m/a.dbf: нет места на диске"},
        {EEXIST, "move /t/p.dbf to", err::kFileAlreadyExists,
         "не удалось переместить /t/p.dbf в /m/a.dbf: файл уже существует"},
        {EISDIR, "open the folder", err::kInvalidArgument,
         "не удалось открыть папку /m/a.dbf: это папка"},
        {ENOTDIR, "frobnicate", err::kPathNotFound,
         "не удалось frobnicate /m/a.dbf: часть пути не является папкой"},
    };
    for (const Case& c : cases) {
        const Status status = fileError(c.system, c.action, "/m/a.dbf");
        EXPECT_EQ(status.number(), c.number) << c.action;
        EXPECT_EQ(status.description(true), c.russian);
        EXPECT_EQ(
            status.description(false).rfind(std::string("cannot ") + c.action + " /m/a.dbf: ", 0),
            0u)
            << status.description();
    }
}

}  // namespace
}  // namespace tavrolin::store
