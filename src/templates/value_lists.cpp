#include "templates/value_lists.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "store/display_limits.h"
#include "templates/icon_folder.h"
#include "templates/text_fold.h"

namespace tavrolin {

namespace {

constexpr int kMaxLimit = kLimitCodes - 1;  // 34
constexpr int kMissingIconsPauseMs = 500;

std::vector<std::string> numbers(int first, int last, bool blankFirst) {
    std::vector<std::string> items;
    if (blankFirst) items.emplace_back();
    for (int n = first; n <= last; ++n) items.push_back(std::to_string(n));
    return items;
}

// A limit list's text as a code: empty (or anything but a number) counts as 0.
int limitCode(const std::string& text) {
    int code = 0;
    std::string digits = templates::trim(text);
    std::from_chars(digits.data(), digits.data() + digits.size(), code);
    return std::clamp(code, 0, kMaxLimit);
}

void checkLimits(Main& main) {
    int lower = limitCode(main.form("L_LIMIT").text);
    int upper = limitCode(main.form("U_LIMIT").text);
    if (upper > lower) {
        std::string bar = limitBar(lower, upper);
        main.att(main.russian ? std::string(" уровни видимости объекта c ") + scaleName(lower) +
                                    "   " + bar + "   по " + scaleName(upper)
                              : std::string(" display limits of object from ") + scaleName(lower) +
                                    "   " + bar + "   to " + scaleName(upper));
    } else {
        main.att(
            main.tr(" ! уровни видимости заданы некорректно, U_LIMIT должен быть больше "
                    "L_LIMIT",
                    " ! display limits error, U_LIMIT must be more then L_LIMIT"));
    }
}

}  // namespace

std::string limitBar(int lower, int upper) {
    lower = std::clamp(lower, 0, kMaxLimit);
    upper = std::clamp(upper, lower, kMaxLimit);
    return std::string(static_cast<std::size_t>(lower), '.') +
           std::string(static_cast<std::size_t>(upper - lower), 'I') +
           std::string(static_cast<std::size_t>(kMaxLimit - upper), '.');
}

void fillValueLists(Main& main) {
    Form& form = main.form;
    form.setItems("P_LIMIT", numbers(0, kMaxLimit, true));
    form.setItems("RTP_LIMIT", numbers(0, kMaxLimit, true));
    form.setItems("L_LIMIT", numbers(0, kMaxLimit, false));
    form.setItems("U_LIMIT", numbers(0, kMaxLimit, false));
    form.setItems("LAYER", numbers(0, 100, true));
    form.setItems("AWIDTH", numbers(1, 10, true));
    form.setItems("BDR_WIDTH", numbers(1, 10, true));
    form.setItems("BFR_WIDTH", numbers(1, 10, true));
    form.setItems("MODE", {"", "N", "T", "M", "F", "P"});
    form.setItems("AFONT",
                  {"",    "6",   "6B", "6O",  "8",   "8B", "8O",  "10",  "10B", "10O", "12",
                   "12B", "12O", "15", "15B", "15O", "19", "19B", "19O", "23",  "23B", "23O"});
    form.setItems("PATTERN", {"", "1100110011", "111000111"});
    form.setItems("BDR_PATTER", {"", "1100110011", "111000111"});
}

void fillIconList(Main& main) {
    Form& form = main.form;
    std::vector<std::string> icons{""};
    std::optional<std::filesystem::path> folder = templates::iconFolder(main.programFolder);
    if (folder) {
        for (const std::string& name : templates::iconNames(*folder)) icons.push_back(name);
    } else {
        main.att(main.tr(" ! поместите папку с иконками в формате GIF рядом с программой",
                         " ! place the folder with GIF icons next to the program"));
        main.platform.beep();
        main.platform.pause(kMissingIconsPauseMs);
    }
    form.setItems("AICON", std::move(icons));
    form.setText("AICON", "");
    form.setItems("P_ICON", {"NAME1", "HYDRO"});
}

void L_LIMIT_Click(Main& main) { checkLimits(main); }
void U_LIMIT_Click(Main& main) { checkLimits(main); }

}  // namespace tavrolin
