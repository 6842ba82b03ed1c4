#include "text/captions.h"

#include <gtest/gtest.h>

#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

struct Window {
    ScriptedPlatform platform;
    Main main{platform};
    Window() { buildMainControls(main.form); }
};

TEST(Captions, EveryEntryNamesAControlOfTheWindow) {
    Window w;
    for (const CaptionEntry& entry : captionTable()) {
        EXPECT_TRUE(w.main.form.has(entry.control, entry.index)) << entry.control;
        EXPECT_STRNE(entry.english, "") << entry.control;
        EXPECT_STRNE(entry.russian, "") << entry.control;
    }
}

TEST(Captions, FollowTheLanguageFlag) {
    Window w;
    Form& form = w.main.form;
    w.main.russian = true;
    SetCaptions(w.main);
    EXPECT_EQ(form("btnLang").caption, "EN");
    EXPECT_EQ(form("btnLang").toolTip, "Английский язык");
    EXPECT_EQ(form("SVID", 1).caption, "Линии");
    EXPECT_EQ(form("frmTYPE").caption, " Исходные атрибуты по значению MP_TYPE ");
    EXPECT_EQ(form("GM").toolTip, "Список считанных объектов Тип | Надпись");
    EXPECT_EQ(form("btnSetSave").toolTip, "Сброс выбранных наборов цветов глубин");
    EXPECT_TRUE(form("TrnCase").visible);
    EXPECT_EQ(form("Att").text, " * кнопка ??? выводит мини-справку по этой программе");
    // Texts outside the table keep their design state in both languages.
    EXPECT_EQ(form("btnMakeSkin").toolTip, "Создать скин к ГМЕ с типами карты");
    EXPECT_EQ(form("btnMakeType").caption, "!!!");

    w.main.russian = false;
    SetCaptions(w.main);
    EXPECT_EQ(form("btnLang").caption, "RU");
    EXPECT_EQ(form("SVID", 2).caption, "Points");
    EXPECT_EQ(form("MP_TYPE").toolTip, "Full list of objects by Type | Description");
    EXPECT_EQ(form("btnSetSave").toolTip, "Clear depth color scheme");
    EXPECT_EQ(form("P_LIMIT").toolTip, "P_ICON display limit between P_LIMIT and U_LIMIT");
    EXPECT_FALSE(form("TrnCase").visible);
    EXPECT_EQ(form("Att").text, " * button ??? display only russian help, sorry...");
    EXPECT_EQ(form("btnMakeSkin").toolTip, "Создать скин к ГМЕ с типами карты");
}

TEST(Captions, TwoClicksReturnAndTransliterationIsLostInEnglish) {
    Window w;
    Form& form = w.main.form;
    w.main.russian = true;
    SetCaptions(w.main);
    form.setValue("TrnCase", 1);

    btnLang_Click(w.main);
    EXPECT_FALSE(w.main.russian);
    EXPECT_EQ(form("TrnCase").value, 0);
    EXPECT_FALSE(form("TrnCase").visible);
    EXPECT_EQ(w.main.attLog.back(), " * button ??? display only russian help, sorry...");

    // The source box's hint follows the language; a chosen path stays.
    form.setText("Source", sourcePrompt(false));
    btnLang_Click(w.main);
    EXPECT_EQ(form("Source").text, " Укажите файл с исходными атрибутами шейпов в DBF-формате");
    form.setText("Source", "/maps/lake.dbf");
    btnLang_Click(w.main);
    EXPECT_EQ(form("Source").text, "/maps/lake.dbf");
    btnLang_Click(w.main);
    EXPECT_TRUE(w.main.russian);
    EXPECT_EQ(form("btnLang").caption, "EN");
    EXPECT_TRUE(form("TrnCase").visible);
    EXPECT_EQ(form("TrnCase").value, 0) << "the check stays cleared after switching back";
    EXPECT_EQ(w.main.attLog.back(), " * кнопка ??? выводит мини-справку по этой программе");
}

}  // namespace
}  // namespace tavrolin
