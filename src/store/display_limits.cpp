#include "store/display_limits.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tavrolin::store {

namespace {

constexpr const char* kScaleNames[kLimitCodes] = {
    "5m",    "14.8m", "20m",   "20m",   "30m",   "50m",   "75m",   "100m",  "100m",
    "0.2km", "0.2km", "0.5km", "0.5km", "0.5km", "1km",   "1km",   "1km",   "2km",
    "2km",   "5km",   "5km",   "10km",  "10km",  "10km",  "10km",  "10km",  "50km",
    "50km",  "100km", "100km", "100km", "150km", "200km", "300km", "400km",
};

std::array<double, kLimitCodes> codeDistances() {
    std::array<double, kLimitCodes> metres{};
    int first = 0;
    while (first < kLimitCodes) {
        int next = first;
        while (next < kLimitCodes && std::strcmp(kScaleNames[next], kScaleNames[first]) == 0) {
            ++next;
        }
        const double from = metresOfScaleName(kScaleNames[first]);
        const double to = next < kLimitCodes ? metresOfScaleName(kScaleNames[next]) : from;
        const int run = next - first;
        for (int i = 0; i < run; ++i) {
            metres[first + i] = from * std::pow(to / from, static_cast<double>(i) / run);
        }
        first = next;
    }
    return metres;
}

}  // namespace

const char* scaleName(int code) {
    if (code < 0 || code >= kLimitCodes) return "";
    return kScaleNames[code];
}

double metresOfScaleName(const char* name) {
    char* end = nullptr;
    const double number = std::strtod(name, &end);
    if (end == name || !(number > 0)) return 0;
    if (std::strcmp(end, "m") == 0) return number;
    if (std::strcmp(end, "km") == 0) return number * 1000;
    return 0;
}

double scaleMetres(int code) {
    static const std::array<double, kLimitCodes> metres = codeDistances();
    if (code < 0 || code >= kLimitCodes) return 0;
    return metres[code];
}

}  // namespace tavrolin::store
