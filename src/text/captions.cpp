#include "text/captions.h"

namespace tavrolin {

namespace {

constexpr CaptionProperty kCaption = CaptionProperty::Caption;
constexpr CaptionProperty kTip = CaptionProperty::ToolTip;

// The caption of btnLang names the language a click switches to. btnSetSave keeps its design
// tooltip in Russian rather than losing it.
constexpr CaptionEntry kCaptions[] = {
    {"btnLang", -1, kCaption, "EN", "RU"},
    {"btnLang", -1, kTip, "Английский язык", "Russian language"},
    {"btnHelp", -1, kTip, "Что это вообще?", "What is this?"},
    {"btnSource", -1, kTip, "Выбрать исходный файл", "Select source file"},
    {"btnAtrSave", -1, kTip, "Задать указанные атрибуты данному типу",
     "Save attributes for this type"},
    {"btnMap", -1, kCaption, "Карта", "Map"},
    {"btnMap", -1, kTip, "Показать карту в оформлении шаблона",
     "Show the map in the template's look"},
    {"btnMakeType", -1, kTip, "Создать DBF-файл с атрибутами по типам", "Make dbf-file by types"},
    {"fillDD", -1, kTip, "Заполнение цветовой гаммы глубин из DrDepth",
     "Set DrDepth like depth color scheme"},
    {"fillTOPO", -1, kTip, "Заполнение цветовой гаммы глубин из ТОПО",
     "Set Topo like depth color scheme"},
    {"fillUSER", -1, kTip, "Заполнение пользовательской цветовой гаммы глубин",
     "Set user depth color scheme"},
    {"btnSetSave", -1, kTip, "Сброс выбранных наборов цветов глубин", "Clear depth color scheme"},
    {"btnMakeName", -1, kTip, "Создать DBF-файл с наборами атрибутов", "Make dbf-file by depth"},
    {"LowCase", -1, kCaption, "строчные", "lower case"},
    {"LowCase", -1, kTip, "Приводить все надписи к нижнему регистру",
     "Make all labels to lowercase"},
    {"NoName", -1, kCaption, "без названий", "ignore names"},
    {"NoName", -1, kTip, "Не заполнять список с названиями объектов",
     "Dont fill the list with the names of objects"},
    {"LvlNull", -1, kCaption, "без уровней", "ignore levels"},
    {"LvlNull", -1, kTip, "Считать все объекты на нулевом уровне",
     "Treat all objects at the zero level"},
    {"TagMPC", -1, kTip, "Вывод типов Garmin MPC", "Output Garmin MPC tags"},
    {"frmTYPE", -1, kCaption, " Исходные атрибуты по значению MP_TYPE ",
     " Source attributes by MP_TYPE "},
    {"frmALL", -1, kCaption, " Атрибуты Atlas v10/v12 ", " Attributes Atlas v10/v12 "},
    {"lblY", -1, kCaption, "<- обязательные атрибуты", "<- mandatory attributes"},
    {"lblX", -1, kCaption, "<- подбор цвета", "<- color selection"},
    {"GM_TYPE", -1, kTip, "Список считанных объектов Тип", "List found objects by Type"},
    {"GM", -1, kTip, "Список считанных объектов Тип | Надпись",
     "List found objects by Type | Description"},
    {"MP_TYPE", -1, kTip, "Полный список объектов Тип | Описание",
     "Full list of objects by Type | Description"},
    {"SVID", 0, kCaption, "Полигоны", "Polygons"},
    {"SVID", 1, kCaption, "Линии", "Lines"},
    {"SVID", 2, kCaption, "Точки", "Points"},
    {"lblALL", -1, kCaption, "Общие", "Common"},
    {"L_LIMIT", -1, kTip, "Нижний масштаб отображения", "Lower display limit of the feature"},
    {"U_LIMIT", -1, kTip, "Верхний масштаб отображения", "Upper display limit of the feature"},
    {"LAYER", -1, kTip, "Слой отображения (1 - самый верхний)",
     "Stacking within a polygon type (1 - top)"},
    {"MODE", -1, kTip, "Режим отображения надписей (например F - в метрах)",
     "Mode to represent text and values (F - meters)"},
    {"AFONT", -1, kTip, "Размер шрифта надписей", "Font size of the text"},
    {"AICON", -1, kTip, "Иконка точки или заливка полигона",
     "Icon of the point or polygone fill pattern"},
    {"MAJ_CAT", -1, kTip, "Основная категория объекта", "Major category for the feature"},
    {"MIN_CAT", -1, kTip, "Вспомогательная категория объекта", "Minor category for the feature"},
    {"frmNAME", -1, kCaption, " Наборы атрибутов по значению глубины NAME ",
     " Attributes by depth in NAME "},
    {"COLOR", -1, kTip, "Цвет линии или надписи или заливки полигона",
     "Line color or font color or polygone fill color"},
    {"HAL_COLOR", -1, kTip, "Фон под текстом надписи", "Halo color of label"},
    {"HTML", -1, kTip, "Введите сюда любой цвет в формате HTML для подбора кода",
     "Enter here any color in HTML-format to find code of similar color"},
    {"BDR_PATTER", -1, kTip, "Заливка (узор) границы полигона", "Pattern of the polygon border"},
    {"BDR_COLOR", -1, kTip, "Цвет границы полигона", "Color of the polygon border"},
    {"BDR_WIDTH", -1, kTip, "Ширина границы полигона", "Width of the polygon border"},
    {"AWIDTH", -1, kTip, "Ширина линии", "Line width"},
    {"PATTERN", -1, kTip, "Узор линии", "Line pattern"},
    {"BFR_COLOR", -1, kTip, "Цвет границы линии", "Color of the line border"},
    {"BFR_WIDTH", -1, kTip, "Ширина границы линии", "Width of the line border"},
    {"RTP_COLOR", -1, kTip, "Цвет текста точки на линии", "Color of the run time point text"},
    {"RTP_LIMIT", -1, kTip, "Масштаб отображения точек на линии",
     "Upper display limit for the run time point"},
    {"INFO_BOX", -1, kTip, "Описание точки в примечании", "Description for the point"},
    {"P_ICON", -1, kTip, "Иконка отображения точек (между P_LIMIT и U_LIMIT)",
     "Icon between P_LIMIT and U_LIMIT display limit"},
    {"P_LIMIT", -1, kTip, "Масштаб отображения точек (между P_LIMIT и U_LIMIT)",
     "P_ICON display limit between P_LIMIT and U_LIMIT"},
};

}  // namespace

std::span<const CaptionEntry> captionTable() { return kCaptions; }

void SetCaptions(Main& main) {
    for (const CaptionEntry& entry : kCaptions) {
        const char* text = main.tr(entry.russian, entry.english);
        if (entry.property == CaptionProperty::Caption) {
            main.form.setCaption(entry.control, text, entry.index);
        } else {
            main.form.setToolTip(entry.control, text, entry.index);
        }
    }

    // Transliteration belongs to the Russian interface only.
    if (main.russian) {
        main.form.setVisible("TrnCase", true);
    } else {
        main.form.setValue("TrnCase", 0);
        main.form.setVisible("TrnCase", false);
    }

    main.att(main.tr(" * кнопка ??? выводит мини-справку по этой программе",
                     " * button ??? display only russian help, sorry..."));
}

std::string sourcePrompt(bool russian) {
    return russian ? " Укажите файл с исходными атрибутами шейпов в DBF-формате"
                   : " Select source shape file in DBF-format";
}

void btnLang_Click(Main& main) {
    const bool prompting = main.form("Source").text == sourcePrompt(main.russian);
    main.russian = !main.russian;
    SetCaptions(main);
    if (prompting) main.form.setText("Source", sourcePrompt(main.russian));
}

}  // namespace tavrolin
