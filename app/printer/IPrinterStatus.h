// The printer's status as the waiting operations poll it: each Refresh asks the printer once and
// keeps the status code and the error code of a good reply. Reference-counted in the scheme of
// CRefCounted.h.
#pragma once

#include "platform/Unknown.h"

// Status codes the callers act on; the others only name a state in the language's status texts.
namespace printer::printer_status {
inline constexpr int kError = 0;  // the error code names the error
inline constexpr int kReady = 4;
}  // namespace printer::printer_status

class IPrinterStatus : public platform::IUnknown {
public:
    virtual ~IPrinterStatus() = default;
    // 1 when a fresh status was read, 0 on failure (the codes keep their last good values).
    virtual int Refresh() = 0;
    virtual int GetStatusCode() = 0;
    virtual int GetErrorCode() = 0;
};
