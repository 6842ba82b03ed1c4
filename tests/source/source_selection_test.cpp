// Choosing the source: the dialog, the names derived from the source, Enter in the source box,
// and what a new source resets.
#include "source/source_selection.h"

#include <gtest/gtest.h>

#include "source_test_support.h"

namespace tavrolin {
namespace {

using testing::DbfBuilder;
using testing::HeadlessWindow;
using testing::TempFolder;
using Items = std::vector<std::string>;

class SourceSelection : public ::testing::Test {
   protected:
    void click(std::optional<std::string> answer) {
        w.platform.openFileReplies.push_back(std::move(answer));
        w.main.form.raise("btnSource", Event::Click);
    }
    void enter(const std::string& text) {
        w.main.form.setText("Source", text);
        w.main.form.raise("Source", Event::Enter);
    }
    const std::string& lastMessage() { return w.main.attLog.back(); }
    std::string table(const std::string& name, const char* type, const char* kindField) {
        DbfBuilder table;
        table.field("TYPE", 'C', 6).field(kindField, 'N', 2).record({type, "1"});
        return folder.write(name, table.bytes());
    }

    TempFolder folder;
    HeadlessWindow w;
};

TEST_F(SourceSelection, DerivesOutputAndCodePageNames) {
    // Source, then its folder, the output and the output's code-page file (never the source's).
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"/maps/a_orig.dbf", "/maps/", "a.dbf", "a.cpg"},
        {"/maps/a.DBF", "/maps/", "a-imc.dbf", "a-imc.cpg"},
        {"River_ORIG.DBF", "", "River.dbf", "River.cpg"}};
    for (const auto& [source, folderName, output, codePage] : cases) {
        deriveOutputNames(w.main, source);
        EXPECT_EQ(w.main.sourceFolder, folderName) << source;
        EXPECT_EQ(w.main.sourceFileName,
                  std::string(source).substr(std::string(folderName).size()));
        EXPECT_EQ(w.main.outputFileName, output) << source;
        EXPECT_EQ(w.main.codePageFileName, codePage) << source;
    }
}

// The chosen table is read; a cancelled dialog asks for a source; the template table, in any
// letter case, is never read; the busy pointer is never over the dialog nor over a box.
TEST_F(SourceSelection, ReadsTheChosenTableAndRefusesTheTemplate) {
    const std::string path = table("lakes_orig.dbf", "0x24", "LABEL");
    click(path);
    EXPECT_EQ(w.main.form("Source").text, path);
    EXPECT_EQ(w.main.outputFileName, "lakes.dbf");
    EXPECT_EQ(w.main.form("GM").items, Items{"0x24  |  1"});

    click(folder.write("fox.dbf",
                       DbfBuilder().field("TYPE", 'C', 6).record({"0x24"}).set(0, 0x30).bytes()));
    EXPECT_EQ(w.platform.messages.size(), 1u);  // the refusal of the FoxPro table
    click(std::nullopt);
    EXPECT_EQ(w.main.form("Source").text, "");
    EXPECT_EQ(lastMessage(), " * specify the source .DBF file to continue");
    EXPECT_EQ(w.platform.questionsWhileBusy, 0);
    EXPECT_FALSE(w.platform.busy);
    w.main.attLog.clear();
    click(folder.file("TAVROLIN.DBF"));
    ASSERT_EQ(w.main.attLog.size(), 1u);
    EXPECT_NE(w.main.attLog[0].find("Tavrolin.dbf"), std::string::npos) << w.main.attLog[0];
}

// Enter in Source reads the typed path as the dialog's answer would; any other edit leaves
// nothing to convert under a name the box no longer shows.
TEST_F(SourceSelection, EnterReadsTheTypedPathAndOtherEditsDisarmTheConversion) {
    const std::string lakes = table("lakes.dbf", "0x24", "FILL_STYLE");
    const std::string roads = table("roads.dbf", "0x14", "LINE_COLOR");
    click(lakes);
    ASSERT_TRUE(w.main.sourceRead && w.main.form("btnMakeType").enabled);

    // Typing disarms "!!!" as soon as the box shows another path...
    w.main.form.setText("Source", lakes.substr(0, lakes.size() - 1));
    EXPECT_FALSE(w.main.sourceRead);
    EXPECT_FALSE(w.main.form("btnMakeType").enabled || w.main.form("btnMakeSkin").enabled);

    // ...and Enter reads what it shows, surrounding blanks aside.
    enter("  " + roads + " ");
    EXPECT_EQ(w.main.form("Source").text, roads);
    EXPECT_EQ(w.main.outputFileName, "roads-imc.dbf");
    EXPECT_TRUE(w.main.sourceRead && w.main.form("btnMakeType").enabled);
    EXPECT_EQ(w.platform.fileQuestions.size(), 1u);  // no dialog for Enter

    // Enter on an empty box or a missing file asks for a source, as a cancelled dialog does.
    enter(folder.file("nothere.dbf"));
    EXPECT_EQ(lastMessage(), " * specify the source file .DBF to continue");
}

}  // namespace
}  // namespace tavrolin
