// The in-place upgrade of a template that lacks some of the five RGBA colour columns: the
// missing ones are appended as C(8), every row is copied in VID, MP_TYPE order, and the old file
// stays behind as Tavrolin.dbf.bak. The template exists and is whole at every instant: the new
// table is built in the work file Migrova.dbf, the backup is made as a second name of the old
// file, and the work file replaces the template in one rename.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin {

// The work file of the upgrade, in the program folder (table MIGROVA).
constexpr const char* kUpgradeWorkFile = "Migrova.dbf";

// The header of the work table: the template's first 32 * (n + 1) + 1 bytes (n its column
// count) with record count 0, a C(8) descriptor appended for each colour column whose flag is
// clear, and header and record lengths that match. Error when the header is too short for n
// columns.
Result<std::vector<std::uint8_t>> upgradedHeader(const std::vector<std::uint8_t>& templateHeader,
                                                 int columnCount,
                                                 const std::array<bool, 5>& colorColumns);

// STRT_Timer: silences the timer, then upgrades the template unless a backup is in the way.
void STRT_Timer(Main& main);

// The upgrade itself; reports on Att. Returns whether the template was replaced.
bool upgradeTemplate(Main& main);

}  // namespace tavrolin
