// migrova OLD.dbf NEW.dbf: what it prints and how it exits.
#include "cli/migrova_command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "migrova/migrova_fixture.h"

namespace tavrolin {
namespace {

using migrova::testing::Column;
using migrova::testing::makeTable;
using migrova::testing::tableRows;
using migrova::testing::TempFolder;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runMigrovaCommandLine("/opt/migrova/", args, out, err);
    return {code, out.str(), err.str()};
}

TEST(MigrovaCommandLine, PrintsTheLabelsAndTheLogAndExitsByTheOutcome) {
    TempFolder folder;
    const std::string root = folder.root().string();
    const std::vector<Column> old = {{"VID", "numeric(1,0)"}, {"MP_TYPE", "char(10)"}};
    const std::vector<Column> fresh = {
        {"VID", "numeric(1,0)"}, {"YN", "numeric(1,0)"}, {"MP_TYPE", "char(10)"}};
    makeTable(root, "old.dbf", old, {"(0,'0x01')"});
    makeTable(root, "new.dbf", fresh, {});
    makeTable(root, "v11.dbf", old, {});

    Outcome done = run({folder / "old.dbf", folder / "new.dbf"});
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.out,
              "Старый файл атрибутов выбран корректно (записей #1)\n"
              "Новый файл атрибутов выбран корректно (записей #0)\n"
              " обновление атрибутов...\n"
              "0 >> 0x01\n"
              " атрибуты обновлены успешно\n");
    EXPECT_EQ(tableRows(root, "new.dbf"), (std::vector<std::string>{"0||0x01"}));

    Outcome same = run({folder / "new.dbf", root + "/./new.dbf"});
    EXPECT_EQ(same.code, 1);
    EXPECT_NE(same.out.find(" ! для переноса выбран один и тот же файл атрибутов\n"),
              std::string::npos);

    Outcome notNew = run({folder / "old.dbf", folder / "v11.dbf"});
    EXPECT_EQ(notNew.code, 1);
    EXPECT_NE(notNew.out.find(" ! в новом файле должны быть поля атрибутов YN и MP_ENG\n"),
              std::string::npos);

    EXPECT_EQ(run({folder / "old.dbf"}).code, 1);
    EXPECT_EQ(run({"--help"}).code, 0);
}

}  // namespace
}  // namespace tavrolin
