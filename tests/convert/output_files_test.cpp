// Telling whether two paths name one file.
#include "convert/output_files.h"

#include <gtest/gtest.h>

#include "convert_fixture.h"

namespace tavrolin {
namespace {

using testing::TempFolder;
using testing::writeFile;
namespace fs = std::filesystem;

TEST(SameFile, SeesThroughOtherNamesOfOneFile) {
    TempFolder folder;
    writeFile(folder.path() / "river.dbf", "a");
    writeFile(folder.path() / "lake.dbf", "a");  // equal content, another file
    fs::create_hard_link(folder.path() / "river.dbf", folder.path() / "link.dbf");
    EXPECT_TRUE(sameFile(folder.str() + "river.dbf", folder.str() + "link.dbf"));
    EXPECT_TRUE(sameFile(folder.str() + "river.dbf",
                         folder.str() + "../" + folder.path().filename().string() + "/river.dbf"));
    EXPECT_FALSE(sameFile(folder.str() + "river.dbf", folder.str() + "lake.dbf"));
    EXPECT_FALSE(sameFile(folder.str() + "missing.dbf", folder.str() + "missing.dbf"));
}

}  // namespace
}  // namespace tavrolin
