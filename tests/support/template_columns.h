// The columns of a current template table, VID first, as they stand in CREATE TABLE.
#pragma once

namespace tavrolin::testing {

inline constexpr const char* kTemplateColumns =
    "VID numeric(1,0),MP_TYPE char(6),MP_NAME char(100),MP_ENG char(100),L_LIMIT numeric(2,0),"
    "U_LIMIT numeric(2,0),P_LIMIT numeric(2,0),LAYER numeric(3,0),COLOR numeric(3,0),"
    "WIDTH numeric(2,0),BDR_COLOR numeric(3,0),BDR_WIDTH numeric(2,0),MODE char(1),FONT char(3),"
    "ICON char(25),PATTERN char(10),RTP_COLOR numeric(3,0),RTP_LIMIT numeric(2,0),"
    "HAL_COLOR numeric(3,0),MAJ_CAT char(25),MIN_CAT char(25),INFO_BOX char(25),"
    "YN numeric(1,0),P_ICON char(25),BDR_PATTER char(10),BFR_WIDTH numeric(2,0),"
    "BFR_COLOR numeric(3,0),CLRRGB char(8),BDR_CLRRGB char(8),BDF_CLRRGB char(8),"
    "RTP_CLRRGB char(8),HAL_CLRRGB char(8),GRMN_TYPE char(25),HGT_DP_FMT char(10),"
    "HGT_DP numeric(4,0)";

}  // namespace tavrolin::testing
