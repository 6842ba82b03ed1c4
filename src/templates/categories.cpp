#include "templates/categories.h"

#include <span>

#include "store/case_fold.h"
#include "templates/value_lists.h"

namespace tavrolin {

namespace {

struct Category {
    const char* english;
    const char* russian;
};

// Bottom Composition: 7 rows.
constexpr Category kBottom[] = {
    {"Misc", "разное"}, {"Gravel", "галька"}, {"Clay", "глина"}, {"Mud", "грязь"},
    {"Silt", "ил"},     {"Rock", "камни"},    {"Sand", "песок"},
};

// Goods/Services: 26 rows.
constexpr Category kGoods[] = {
    {"Agriculture/Industry", "сельское хозяйство/промышленность"},
    {"Drinking Establishment", "бар, питейное заведение"},
    {"Education", "образование"},
    {"Emergency", "экстренные службы"},
    {"Entertainment", "развлечения"},
    {"Equipment Manufacturing/Repair", "производство/ремонт оборудования"},
    {"Equipment Rental", "прокат оборудования"},
    {"Equipment Service", "обслуживание оборудования"},
    {"Financial", "финансы"},
    {"Fuel", "топливо"},
    {"Government", "государственные учреждения"},
    {"Grocery", "продукты"},
    {"Historic/Cultural", "история/культура"},
    {"Hospitality", "гостиницы"},
    {"Misc", "разное"},
    {"Outdoor/Fishing", "отдых на природе/рыбалка"},
    {"Pharmacy/Healthcare", "аптеки/здравоохранение"},
    {"Public Facility", "общественные объекты"},
    {"Recreation", "отдых"},
    {"Religion", "религия"},
    {"Restaurant", "ресторан"},
    {"Retail/Wholesale", "розничная/оптовая торговля"},
    {"Sport Facility", "спортивные сооружения"},
    {"Telecommunication", "связь"},
    {"Tourism", "туризм"},
    {"Waste Management", "утилизация отходов"},
};

// Land Use: 16 rows.
constexpr Category kLandUse[] = {
    {"Building", "здание"},
    {"Elevation Contour", "горизонталь высоты"},
    {"Forest", "лес"},
    {"Game Management", "охотничьи угодья"},
    {"Geopolitical Boundary", "государственная граница"},
    {"Government Land", "государственные земли"},
    {"Ground Cover", "почвенный покров"},
    {"Indian Reservation", "индейская резервация"},
    {"Land Feature", "объект рельефа"},
    {"Mining/Resource", "добыча полезных ископаемых"},
    {"Misc", "разное"},
    {"Park", "парк"},
    {"Private Land", "частные земли"},
    {"Safety", "безопасность"},
    {"Urban Area", "городская территория"},
    {"Wetland", "болото"},
};

// Nautical: 130 rows.
constexpr Category kNautical[] = {
    {"Administration Area", "административная зона"},
    {"Anchorage", "якорная стоянка"},
    {"Beacon/Buoy - Cardinal", "знак/буй кардинальный"},
    {"Beacon/Buoy - Danger", "знак/буй отдельной опасности"},
    {"Beacon/Buoy - Installation", "знак/буй установки"},
    {"Beacon/Buoy - Lateral", "знак/буй латеральный"},
    {"Beacon/Buoy - Safe Water", "знак/буй безопасных вод"},
    {"Beacon/Buoy - Special Purpose", "знак/буй специального назначения"},
    {"Built-Up Area", "застроенная территория"},
    {"Boatyard", "лодочная верфь"},
    {"Cable Area", "район кабелей"},
    {"Canal", "канал"},
    {"Cargo transshipment area", "район перегрузки грузов"},
    {"Causeway", "дамба с дорогой"},
    {"Caution Area", "район осторожного плавания"},
    {"Checkpoint", "контрольный пункт"},
    {"Coast Guard Station", "станция береговой охраны"},
    {"Coastline", "береговая линия"},
    {"Continental Shelf Area", "континентальный шельф"},
    {"Continiguous Zone", "прилежащая зона"},
    {"Control Point", "опорный пункт"},
    {"Conveyor", "конвейер"},
    {"Crane", "кран"},
    {"Creek", "ручей"},
    {"Current Prediction", "прогноз течений"},
    {"Custom Zone", "таможенная зона"},
    {"Dam", "плотина"},
    {"Daymark", "дневной знак"},
    {"Deep Water Traffic", "глубоководный путь"},
    {"Depth Area", "зона глубины"},
    {"Depth Contours", "изобата глубины"},
    {"Depth Sounding", "отметка глубины"},
    {"Distance Mark", "знак расстояния"},
    {"Dock", "док"},
    {"Dredged Area", "драгированный район"},
    {"Dumping Ground", "район свалки грунта"},
    {"Dyke", "дамба"},
    {"Exclusive Economic Zone", "исключительная экономическая зона"},
    {"Fairway", "фарватер"},
    {"Fence", "ограждение"},
    {"Fishery Zone", "рыболовная зона"},
    {"Fishing Facility", "рыболовное сооружение"},
    {"Fishing Ground", "район промысла"},
    {"Fog Signal", "туманный сигнал"},
    {"Fortified Structure", "фортификационное сооружение"},
    {"Free Port Area", "зона свободного порта"},
    {"Gate", "ворота"},
    {"Gridiron", "слип-решётка"},
    {"Harbour Area", "акватория гавани"},
    {"Harbour Facility", "портовое сооружение"},
    {"Hulk", "остов судна"},
    {"Ice Area", "ледовый район"},
    {"Incineration Area", "район сжигания отходов"},
    {"Information Point", "информационный пункт"},
    {"Inshore Traffic Zone", "зона прибрежного плавания"},
    {"Lake", "озеро"},
    {"Land Area", "суша"},
    {"Land Region", "район суши"},
    {"Landmark", "ориентир"},
    {"Lights", "огни"},
    {"Lock Basin", "шлюзовая камера"},
    {"Log Pond", "бассейн для леса"},
    {"Magnetic Anomaly", "магнитная аномалия"},
    {"Magnetic Variation", "магнитное склонение"},
    {"Marine Farm", "морская ферма"},
    {"Military Practice Area", "военный полигон"},
    {"Misc", "разное"},
    {"Nautical Publication", "навигационное пособие"},
    {"Navigation Line", "навигационная линия"},
    {"Navigation System", "навигационная система"},
    {"Obstruction", "препятствие"},
    {"Ocean/Sea", "океан/море"},
    {"Offshore Platform", "морская платформа"},
    {"Offshore Production Area", "район морской добычи"},
    {"Oil Barrier", "боновое заграждение"},
    {"Overhead Cable", "воздушный кабель"},
    {"Overhead Pipeline", "надземный трубопровод"},
    {"Pile", "свая"},
    {"Pilot Boarding Place", "место приёма лоцмана"},
    {"Pipeline Area", "район трубопроводов"},
    {"Precautionary Area", "район осторожного плавания судов"},
    {"Production/Storage Area", "район добычи/хранения"},
    {"Pylon", "опора"},
    {"Quality of Data Zone", "зона качества данных"},
    {"Radar Line", "радиолокационная линия"},
    {"Radar Range", "зона действия радара"},
    {"Radar Reflector", "радиолокационный отражатель"},
    {"Radar Station", "радиолокационная станция"},
    {"Radar Transponder Beacon", "радиолокационный маяк-ответчик"},
    {"Radio Calling In Point", "пункт радиодонесений"},
    {"Radio Station", "радиостанция"},
    {"Rapids", "пороги"},
    {"Recommended Traffic", "рекомендованный путь"},
    {"Rescue Station", "спасательная станция"},
    {"Restricted Area", "запретный район"},
    {"Retro-reflector", "световозвращатель"},
    {"River", "река"},
    {"Rock", "камни"},
    {"Sand Waves", "песчаные волны"},
    {"Sea Plane Landing Area", "район посадки гидросамолётов"},
    {"Seabed Area", "район морского дна"},
    {"Sector Light", "секторный огонь"},
    {"Shallow Water", "мелководье"},
    {"Shoreline Construction", "береговое сооружение"},
    {"Signal Station - Traffic", "сигнальная станция регулирования движения"},
    {"Signal Station - Warning", "сигнальная станция оповещения"},
    {"Silo", "силосная башня"},
    {"Slope Topline", "бровка склона"},
    {"Sloping Ground", "склон"},
    {"Small Craft Facility", "сооружение для маломерных судов"},
    {"Spring", "источник"},
    {"Straight Territorial Sea Baseline", "прямая исходная линия территориального моря"},
    {"Stump", "пень"},
    {"Submarine Transit Lane", "полоса прохода подводных лодок"},
    {"Submerged Cable", "подводный кабель"},
    {"Submerged Pipeline", "подводный трубопровод"},
    {"Swept Area", "протраленный район"},
    {"Territorial Sea Area", "территориальное море"},
    {"Tide Prediction", "прогноз приливов"},
    {"Tideway", "приливное течение"},
    {"Traffic Separation", "разделение движения"},
    {"Tunnel", "туннель"},
    {"Two Way Route", "путь двустороннего движения"},
    {"Unsurveyed Area", "необследованный район"},
    {"Vegetation", "растительность"},
    {"Water", "вода"},
    {"Water Turbulence", "сулой"},
    {"Waterfall", "водопад"},
    {"Weed/Kelp", "водоросли, ламинария"},
    {"Wreck", "обломки"},
};

// Transportation: 12 rows.
constexpr Category kTransportation[] = {
    {"Airport", "аэропорт"},
    {"Bridge", "мост"},
    {"Cableway/Lift", "канатная дорога/подъёмник"},
    {"Highway", "шоссе"},
    {"Mass Transit", "общественный транспорт"},
    {"Misc", "разное"},
    {"Off Road", "бездорожье"},
    {"Parking", "стоянка"},
    {"Railroad", "железная дорога"},
    {"Roads", "дороги"},
    {"Ship/Ferry Route", "судовой/паромный маршрут"},
    {"Trail", "тропа"},
};

struct MainCategory {
    const char* name;
    std::span<const Category> rows;  // rows 1 to n of the table
};

constexpr MainCategory kCategories[kMainCategories] = {
    {"Bottom Composition", kBottom}, {"Goods/Services", kGoods},          {"Land Use", kLandUse},
    {"Nautical", kNautical},         {"Transportation", kTransportation},
};

static_assert(std::size(kNautical) == kCategoryRows - 1, "Nautical fills the table's height");

}  // namespace

const char* mainCategoryName(int main) {
    if (main < 1 || main > kMainCategories) return "";
    return kCategories[main - 1].name;
}

const char* categoryName(int main, int row, bool russian) {
    if (main < 1 || main > kMainCategories || row < 1) return "";
    std::span<const Category> rows = kCategories[main - 1].rows;
    if (static_cast<std::size_t>(row) > rows.size()) return "";
    const Category& c = rows[static_cast<std::size_t>(row - 1)];
    return russian ? c.russian : c.english;
}

void fillCategoryLists(Main& main) {
    std::vector<std::string> categories{""};
    for (const MainCategory& c : kCategories) categories.emplace_back(c.name);
    main.form.setItems("MAJ_CAT", std::move(categories));
    main.form.setItems("MIN_CAT", {""});
}

void MAJ_CAT_Click(Main& main) {
    Form& form = main.form;
    form.clearList("MIN_CAT");
    if (form("MAJ_CAT").text.empty()) return;
    int category = form("MAJ_CAT").listIndex;
    std::vector<std::string> rows{""};  // row 0 is empty: the list starts with a blank
    for (int row = 1; row < kCategoryRows; ++row) {
        std::string name = categoryName(category, row, false);
        if (name.empty()) break;
        rows.push_back(std::move(name));
    }
    form.setItems("MIN_CAT", std::move(rows));
}

void MIN_CAT_Click(Main& main) {
    Form& form = main.form;
    const std::string text = form("MIN_CAT").text;
    if (text.empty()) {
        main.att("");
        if (main.russian) form.setToolTip("MIN_CAT", "Вспомогательная категория объекта");
        return;
    }
    int category = form("MAJ_CAT").listIndex;
    for (int row = 1; row < kCategoryRows; ++row) {
        const char* english = categoryName(category, row, false);
        if (*english == '\0') return;
        if (!store::equalsIgnoringCase(english, text)) continue;
        if (main.russian) {
            const std::string russian = categoryName(category, row, true);
            main.att(" вспомогательная категория: " + russian);
            form.setToolTip("MIN_CAT", "Вспомогательная категория: " + russian);
        }
        return;
    }
}

}  // namespace tavrolin
