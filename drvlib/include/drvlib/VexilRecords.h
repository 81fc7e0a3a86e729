// The records the device-driver library fills for its caller. The caller owns them; their field order
// and widths bind the library and every program built against it, so a field is never moved.
#pragma once

#include <cstdint>

#include "platform/CString.h"

using platform::CString;

// The printer status of the control command "st" (Ctl_GetStatus).
struct STATUSINF {
    std::int32_t nStatus = 0;          // ST:
    std::int32_t nError = 0;           // ER:, 1 when the reply has no ER: group
    std::int32_t nInkQuality[7] = {};  // IQ: values 1 to 7 (5 to 7 are -1 when the group is short)
    std::int32_t nWarning[7] = {};     // WR: 1 for each of the warning codes 10 to 16 listed
    CString strWarning;                // WR: the group's text
    char cRV = 0;                      // RV: one character
    std::int32_t nAICW[7] = {};        // AICW: values 1 to 7
    std::int32_t nMI = 0;              // MI:
    std::int32_t nTC = 0;              // TC:, -1 when absent
};

// The paper record of the control command "cm" (Ctl_GetPaperInf).
struct PAPERINF {
    CString strName;  // 40 characters from 5 after CM:
    std::int32_t nValue1 = 0;
    std::int32_t nValue2 = 0;
    std::int32_t nSum1 = 0;
    std::int32_t nSum2 = 0;
    std::int32_t nValue5 = 0;
    std::int32_t nValue6 = 0;
};

// One of the two cartridge entries of the control command "ii" (Ctl_GetCSICInf): slots 1 to 14 are
// numbers, slot 15 the LOG: text.
struct CSICENTRY {
    std::int32_t nSlot[14] = {};
    CString strLog;
};

struct CSICINF {
    CSICENTRY entry[2];
};
