// The display-limit codes 0 to 34 of L_LIMIT, U_LIMIT, P_LIMIT and RTP_LIMIT: the map scale each
// code stands for, by name ("5m" ... "400km") and as a ground distance.
#pragma once

namespace tavrolin::store {

// Number of display-limit codes (0 to 34).
constexpr int kLimitCodes = 35;

// The map scale a display-limit code stands for ("5m" ... "400km"); empty outside 0 to 34.
const char* scaleName(int code);

// The ground distance of a code in metres. Codes that share a name are spread evenly (on a
// logarithmic scale) between their name's distance and the next name's, so that every code
// stands for a distance of its own and the distances rise with the code: codes 21 to 25 ("10km",
// then "50km" at 26) give 10, 13.8, 19.0, 26.3 and 36.2 km. 0 outside 0 to 34.
double scaleMetres(int code);

// The distance of a scale name ("0.2km" is 200, "14.8m" 14.8); 0 for text that is none.
double metresOfScaleName(const char* name);

}  // namespace tavrolin::store
