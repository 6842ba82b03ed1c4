// Finding files without regard to case.
#include "convert/output_files.h"

#include <gtest/gtest.h>

#include "convert_fixture.h"

namespace tavrolin {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;
namespace fs = std::filesystem;

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
