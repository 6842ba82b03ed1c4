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
    EXPECT_EQ(w.main.codePageFileName, "a-imc.cpg");  // the output's, never the source's a.cpg
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

// The busy pointer is for the program's own work: never over the dialog nor over a box.
TEST_F(SourceSelection, NeverBusyWhileWaitingForTheUser) {
    DbfBuilder fox;
    fox.version(0x30).field("TYPE", 'C', 6).record({"0x24"});
    DbfBuilder table;
    table.field("TYPE", 'C', 6).record({"0x24"});
    for (const DbfBuilder* chosen : {&fox, &table}) {
        click(folder.write("map.dbf", chosen->bytes()));
        EXPECT_FALSE(w.platform.busy);
    }
    click(std::nullopt);
    EXPECT_EQ(w.platform.fileQuestions.size(), 3u);
    EXPECT_EQ(w.platform.messages.size(), 1u);  // the refusal of the FoxPro table
    EXPECT_EQ(w.platform.questionsWhileBusy, 0);
}

// Enter in Source reads the typed path as the dialog's answer would; any other edit leaves
// nothing to convert under a name the box no longer shows.
TEST_F(SourceSelection, EnterReadsTheTypedPathAndOtherEditsDisarmTheConversion) {
    DbfBuilder lakes;
    lakes.field("TYPE", 'C', 6).field("FILL_STYLE", 'N', 2).record({"0x24", "1"});
    DbfBuilder roads;
    roads.field("TYPE", 'C', 6).field("LINE_COLOR", 'N', 2).record({"0x14", "1"});
    const std::string lakesPath = folder.write("lakes.dbf", lakes.bytes());
    const std::string roadsPath = folder.write("roads.dbf", roads.bytes());
    click(lakesPath);
    ASSERT_TRUE(w.main.sourceRead);
    ASSERT_TRUE(w.main.form("btnMakeType").enabled);

    // Typing disarms "!!!" as soon as the box shows another path...
    w.main.form.setText("Source", lakesPath.substr(0, lakesPath.size() - 1));
    EXPECT_FALSE(w.main.sourceRead);
    EXPECT_FALSE(w.main.form("btnMakeType").enabled);
    EXPECT_FALSE(w.main.form("btnMakeSkin").enabled);

    // ...and Enter reads what it shows, surrounding blanks aside.
    w.main.form.setText("Source", "  " + roadsPath + " ");
    w.main.form.raise("Source", Event::Enter);
    EXPECT_EQ(w.main.form("Source").text, roadsPath);
    EXPECT_EQ(w.main.sourceFileName, "roads.dbf");
    EXPECT_EQ(w.main.outputFileName, "roads-imc.dbf");
    EXPECT_EQ(w.items("GM_TYPE"), std::vector<std::string>{"0x14"});
    EXPECT_TRUE(w.main.sourceRead);
    EXPECT_TRUE(w.main.form("btnMakeType").enabled);
    EXPECT_EQ(w.platform.fileQuestions.size(), 1u);  // no dialog for Enter
    EXPECT_FALSE(w.platform.busy);

    // Enter on an empty box or a missing file asks for a source, as a cancelled dialog does.
    w.main.form.setText("Source", "");
    w.main.form.raise("Source", Event::Enter);
    EXPECT_EQ(lastMessage(), " * specify the source .DBF file to continue");
    EXPECT_FALSE(w.main.form("btnMakeType").enabled);
    w.main.form.setText("Source", folder.path("nothere.dbf"));
    w.main.form.raise("Source", Event::Enter);
    EXPECT_EQ(lastMessage(), " * specify the source file .DBF to continue");
}

}  // namespace
}  // namespace tavrolin
