#include "text/guide.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "store/common_services.h"
#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin {

namespace fs = std::filesystem;

namespace {

constexpr const char* kReadme = "README.md";  // copied beside the program by the build

// A path as the path part of a file URL: unreserved characters and "/" stay, every other byte
// is written as %XX, so that blanks and Cyrillic folder names give a working link.
std::string urlPath(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto b = static_cast<unsigned char>(ch);
        const bool keep = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                          (b >= '0' && b <= '9') || b == '/' || b == '-' || b == '_' || b == '.' ||
                          b == '~';
        if (keep) {
            out += ch;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

// The guide's text in the system's text encoding, so that the system's viewer shows it: UTF-8 on
// Linux and other Unix systems, code page 1251 on a (Russian) Windows system.
#ifdef _WIN32
constexpr store::TextEncoding kSystemEncoding = store::TextEncoding::Cp1251;
#else
constexpr store::TextEncoding kSystemEncoding = store::TextEncoding::Utf8;
#endif

}  // namespace

std::string documentationAddress(const std::string& folder) {
    const std::string readme = folder + kReadme;
    std::error_code error;
    // No link to a missing file.
    if (!fs::is_regular_file(store::io::pathFromUtf8(readme), error)) return kReadme;
    // A file URL names folders with "/", and a drive ("C:") after a third "/".
    std::string path = readme;
    std::replace(path.begin(), path.end(), store::io::kPathSeparator, '/');
    if (path.size() >= 2 && path[1] == ':')
        return "file:///" + path.substr(0, 2) + urlPath(path.substr(2));
    return "file://" + urlPath(path);
}

std::vector<std::string> guideLines(const std::string& address) {
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

Status writeGuide(const std::string& path) {
    std::string folder = store::io::utf8FromPath(store::io::pathFromUtf8(path).parent_path());
    if (folder.empty() || !store::io::isPathSeparator(folder.back())) {
        folder += store::io::kPathSeparator;
    }
    // Replace any earlier guide: delete, then create anew.
    std::error_code error;
    fs::remove(store::io::pathFromUtf8(path), error);
    if (error) return store::fileError(error, "delete", path);
    return store::writeLines(path, guideLines(documentationAddress(folder)), kSystemEncoding);
}

std::string guidePath(const Main& main) { return main.programFolder + kProgramName + ".txt"; }

void btnHelp_Click(Main& main) {
    const std::string path = guidePath(main);
    Status status = writeGuide(path);
    if (!status) {
        main.fail("btnHelp_Click", status);
        return;
    }
    // Its message has one wording in both languages.
    store::ShellOpen(main.platform, path, [&main](const std::string& text) { main.att(text); });
}

}  // namespace tavrolin
