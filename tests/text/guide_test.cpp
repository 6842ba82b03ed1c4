#include "text/guide.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/codepage.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The guide as a user reads it, line by line; the three links lead to the README beside it.
std::vector<std::string> expectedLines(const std::string& address) {
    return {
        "Конвертер DBF данных для эхолотов Lowrance v15,",
        "получающихся экспортом векторных данных в 'польском' из GlobalMapper или GPSMapEdit",
        "",
        "ветка обсуждения - " + address,
        "ссылка на IMC - " + address,
        "справочные материалы по работе с картами и программой - " + address,
        "",
        " * что уже работает:",
        "все цвета из основного набора Atlas v10;",
        "правильные параметры основных атрибутов;",
        "наборы шаблонов цветов из псевдо-ДД и ТОПО;",
        "автоматический подбор похожих цветов из полей с RGB;",
        "стандартное окно выбора цвета двойным кликом в полях с RGBA;",
        "нижний регистр букв и транслитерация кириллицы;",
        "создание LDID и корректного cpg-файла с кодом кодировки;",
        "заполняется пользовательский шаблон с набором цветов;",
        "распознаются шейпы изобат из DrDepth v4 в метрах",
        " * что не работает:",
        "не отображаются подписи к полигонам (особенность IMC, см ниже);",
        "на некоторых приборах одинаковый размер шрифтов до 13 (особенность IMC);",
        "некорректно отображаются полигоны цветом выше 200 (ошибка IMC?);",
        "не всегда фон подписей соответствуют номерам цветов (ошибка IMC?);",
        "не удалось вынуть иконки из InsightMapCreator.dat (просто папка с GIF).",
        "",
        "Мини-справка",
        "- у вас уже должны быть готовые шейпфайлы в количестве трех штук, например:",
        "poly.shp, poly.shx и poly.dbf (переименуйте его в poly_orig.dbf);",
        "- откройте папку с этими файлами и запустите программу Tavrolin.exe, ",
        "тогда при выборе dbf-файла эта папка сразу откроется программой по-умолчанию;",
        "нажмите кнопку '...' в правом верхнем углу для выбора poly_orig.dbf",
        "",
        "блок 'Исходные атрибуты по значению MP_TYPE':",
        "- после выбора исходного файла его структура будет считана в верхний список,",
        "а все доступные в программе типы объектов загрузятся в список под ним;",
        "- если автоматически вид объектов определен не будет, необходимо самостоятельно",
        "выставить вид (полигон, линия или точка), иначе закончить конвертацию не выйдет",
        "(для автоматики при экспорте из GM можно отметить 'Добавлять атрибуты стиля');",
        "- можно нажимать кнопку '!!!' для запуска конвертации атрибутов,",
        "готовый файл будет создан в этой же папке",
        "и будет иметь имя poly.dbf если исходный файл был с суфиксом '_orig'",
        "или с суффиксом '-imc' (poly2-nmc.dbf), если исходный файл был без суфикса (poly.dbf);",
        "- теперь можно запускать Navico (Insight) MapConverter, если вы готовите карту",
        "для проверки в эмуляторе не забудьте выставить 'Atlas option - Atlas version 10'",
        "для карт с поддержкой цветов в RGBA выставляйте 'Atlas option - Atlas version 12' или "
        "выше",
        "",
        "блок 'Атрибуты Atlas v10/12':",
        "- программа может считывать атрибуты типов и запоминать пользовательские настройки;",
        "- в выпадающих списках значения можно кликать, а можно прокручивать колесиком мышки;",
        "- при запуске программа считывает названия gif-файлов иконок из подпапки icons;",
        "- для других атрибутов используется одноименный dbf-файл в папке с программой;",
        "- занесены многие типы Garmin, LCM и BlueChart, но не для всех из них описаны атрибуты!",
        "",
        "блок 'Наборы атрибутов по значению глубины NAME':",
        "- этот раздел предназначен для карт, которые готовились к экспорту в LCM",
        "и глубины (полигоны или линии) в них обозначены целыми числами от 0 до 25 в метрах;",
        "- нажмите кнопку 'DD', 'TOPO' или 'USER' для загрузки шаблонов цветов глубин;",
        "- дополнительно обрабатываются значения глубин отмелей с суффиксом '!+';",
        "- при желании можно отредактировать шаблоны из блока 'Атрибуты Atlas v10/12':",
        "двойной клик по шаблону: запись текущих атрибутов в шаблон без сохранения или",
        "двойной клик по шаблону с нажатой клавишей Ctrl: перенос атрибутов из шаблона;",
        "- другие объекты на нулевом уровне (кроме глубин) остаются без изменений",
        "",
        "программа пока сырее сырого, просьба ногами не пинать...",
        "не стесняйтесь активнее задавать вопросы на форуме!",
        "",
        "- поскольку надписи к полигонам в формате AT5 не предусмотрены,",
        "добавлена функция конвертации полигонов с подписями из .mp в точки",
        "с координатами в 'среднем арифметическом центре' полигонов,",
        "запускается кнопкой 'MP', исходный файл остается без изменений;",
        "",
        "- добавлена функция создания скин-файла к GME для загруженного шейпа,",
        "поддерживается перевод иконок в формат XPM с проверкой соответствия цветов,",
        "при просмотре скина используйте моноширинный шрифт Courier или Courier New,",
        "запускается кнопкой '##' (в отладке - поддержка скина не полная).",
    };
}

struct GuideTest : ::testing::Test {
    fs::path folder =
        fs::temp_directory_path() /
        ("tavrolin_guide_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ScriptedPlatform platform;
    Main main{platform};

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        buildMainControls(main.form);
        main.programFolder = folder.string() + "/";
        main.programName = "Tavrolin";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string guide() const { return folder.string() + "/Tavrolin.txt"; }
    std::string expectedBytes(const std::string& address = "README.md") const {
        std::string bytes;
        for (const std::string& line : expectedLines(address)) bytes += line + "\r\n";
        return bytes;
    }
};

// UTF-8 is the system's text encoding here: a viewer shows the Russian text.
TEST_F(GuideTest, WritesEveryLineInUtf8WithCrLf) {
    btnHelp_Click(main);
    const std::string bytes = readFile(guide());
    EXPECT_EQ(bytes, expectedBytes());
    // Spot checks on the raw bytes: "Конвертер" in UTF-8, 74 lines, the kept trailing blank.
    EXPECT_EQ(bytes.substr(0, 18), "Конвертер");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 74);
    EXPECT_NE(bytes.find("Tavrolin.exe, \r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    ASSERT_EQ(platform.openedDocuments, std::vector<std::string>{guide()});
}

// The link lines point at the README beside the guide when there is one, as a URL that works
// for any folder name, and are plain text otherwise.
TEST_F(GuideTest, LinksOnlyToAReadmeThatIsThere) {
    EXPECT_EQ(documentationAddress(folder.string() + "/"), "README.md");
    const fs::path odd = folder / "карты и план";
    fs::create_directories(odd);
    std::ofstream(odd / "README.md") << "# Tavrolin\n";
    EXPECT_EQ(documentationAddress(odd.string() + "/"),
              "file://" + folder.string() +
                  "/%D0%BA%D0%B0%D1%80%D1%82%D1%8B%20%D0%B8%20%D0%BF%D0%BB%D0%B0%D0%BD/README.md");
    main.programFolder = odd.string() + "/";
    main.programName = "tavrolin";  // the template as found on disk; the guide keeps its name
    btnHelp_Click(main);
    EXPECT_NE(readFile(odd / "Tavrolin.txt").find("ветка обсуждения - file://"), std::string::npos);
}

TEST_F(GuideTest, SecondPressRewritesAndEnglishWritesTheSameRussianText) {
    std::ofstream(guide()) << "old text that is longer than nothing";
    main.russian = false;
    btnHelp_Click(main);
    main.russian = true;
    btnHelp_Click(main);
    EXPECT_EQ(readFile(guide()), expectedBytes());
    EXPECT_EQ(platform.openedDocuments.size(), 2u);
}

TEST_F(GuideTest, ReportsWhatWentWrong) {
    platform.documentsOpen = false;
    btnHelp_Click(main);
    EXPECT_EQ(main.attLog.back(), "неизвестный тип файла...");

    main.programFolder = folder.string() + "/missing/";
    platform.documentsOpen = true;
    btnHelp_Click(main);
    EXPECT_EQ(main.attLog.back().rfind(" ! btnHelp_Click: ", 0), 0u) << main.attLog.back();
    EXPECT_GE(platform.beeps, 1);
    EXPECT_EQ(platform.openedDocuments.size(), 1u) << "nothing is opened after a failure";
}

}  // namespace
}  // namespace tavrolin
