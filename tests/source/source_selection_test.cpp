#include "source/source_selection.h"

#include <gtest/gtest.h>

#include "source_test_support.h"

namespace tavrolin {
namespace {

using testing::DbfBuilder;
using testing::HeadlessWindow;
using testing::TempFolder;

class SourceSelection : public ::testing::Test {
   protected:
    void click(std::optional<std::string> answer) {
        w.platform.openFileReplies.push_back(std::move(answer));
        w.main.form.raise("btnSource", Event::Click);
    }
    const std::string& lastMessage() { return w.main.attLog.back(); }

    TempFolder folder;
    HeadlessWindow w;
};

TEST_F(SourceSelection, DerivesOutputAndCodePageNames) {
    deriveOutputNames(w.main, "/maps/a_orig.dbf");
    EXPECT_EQ(w.main.sourceFolder, "/maps/");
    EXPECT_EQ(w.main.sourceFileName, "a_orig.dbf");
    EXPECT_EQ(w.main.outputFileName, "a.dbf");
    EXPECT_EQ(w.main.codePageFileName, "a.cpg");
    deriveOutputNames(w.main, "/maps/a.DBF");
    EXPECT_EQ(w.main.outputFileName, "a-imc.dbf");
    EXPECT_EQ(w.main.codePageFileName, "a.cpg");
    deriveOutputNames(w.main, "River_ORIG.DBF");
    EXPECT_EQ(w.main.sourceFolder, "");
    EXPECT_EQ(w.main.outputFileName, "River.dbf");
}

TEST_F(SourceSelection, CancelAsksForASource) {
    w.main.form.setText("Source", "/maps/old.dbf");
    click(std::nullopt);
    ASSERT_EQ(w.platform.fileQuestions.size(), 1u);
    const FileQuestion& asked = w.platform.fileQuestions[0];
    EXPECT_EQ(asked.title, "Select source file:");
    EXPECT_EQ(asked.startPath, "/maps/*.dbf");
    ASSERT_EQ(asked.filters.size(), 1u);
    EXPECT_EQ(asked.filters[0].first, "dBASE v4 .dbf");
    EXPECT_EQ(asked.filters[0].second, "*.DBF");
    EXPECT_EQ(w.main.form("Source").text, "");
    EXPECT_EQ(lastMessage(), " * specify the source .DBF file to continue");
    EXPECT_EQ(w.platform.beeps, 1);
    EXPECT_FALSE(w.platform.busy);

    // The start folder follows the source only for a lower-case extension.
    w.main.form.setText("Source", "/maps/old.DBF");
    click(std::nullopt);
    EXPECT_EQ(w.platform.fileQuestions[1].startPath, "/opt/tavrolin/*.dbf");
}

TEST_F(SourceSelection, RefusesTheTemplateTableInAnyLetterCase) {
    w.main.russian = true;
    click(folder.path("TAVROLIN.DBF"));
    EXPECT_EQ(lastMessage(), " * файл Tavrolin.dbf необходим для работы программы");
    EXPECT_EQ(w.main.attLog.size(), 1u);  // never read
    EXPECT_EQ(w.main.form("frmTYPE").caption, " Исходные атрибуты по значению MP_TYPE ");
}

TEST_F(SourceSelection, ReadsTheChosenTableAndResetsThePreview) {
    DbfBuilder table;
    table.field("TYPE", 'C', 6).field("LABEL", 'C', 10).record({"0x24", "Lake"});
    std::string path = folder.write("lakes_orig.dbf", table.bytes());
    w.main.askAddType = false;
    w.main.form("SAMPLE").fillColor = 0x123456;
    w.main.form("SAMPLINE").borderColor = 0x123456;
    w.main.form("ICONS").picture = "/opt/tavrolin/icons/x.gif";

    click(path);
    EXPECT_EQ(w.main.form("Source").text, path);
    EXPECT_EQ(w.main.outputFileName, "lakes.dbf");
    EXPECT_EQ(w.main.codePageFileName, "lakes.cpg");
    EXPECT_EQ(w.main.form("GM").items, std::vector<std::string>{"0x24  |  Lake"});
    EXPECT_EQ(lastMessage(), " attributes from the original file read successfully");
    EXPECT_TRUE(w.main.askAddType);
    EXPECT_EQ(w.main.form("SAMPLE").fillColor, color::kButtonFace);
    EXPECT_EQ(w.main.form("SAMPLE").borderColor, color::kButtonFace);
    EXPECT_EQ(w.main.form("SAMPLINE").borderColor, color::kButtonFace);
    EXPECT_EQ(w.main.form("ICONS").picture, "");
    EXPECT_FALSE(w.platform.busy);
}

}  // namespace
}  // namespace tavrolin
