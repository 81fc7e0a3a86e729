// The printer status over the IEEE 1284.4 channel: each Refresh opens the port, negotiates the
// channel, asks for the text status reply, parses it and closes everything again.
#pragma once

#include <cstdint>
#include <string_view>

#include "printer/CRefCounted.h"
#include "printer/IPrinterStatus.h"
#include "printer/PortStatus.h"
#include "printer/StatusReply.h"

// The process-wide record of the last status reply, overwritten by every query (one query at a time).
struct StatusReplyRecord {
    std::uint16_t parseError = 0;  // 1 once a reply failed to parse
    char buffer[1024] = {};        // the reply as the channel library left it
    std::uint8_t st = 0;
    std::uint8_t er = printer::kCodeAbsent;
    std::uint8_t tp = printer::kCodeAbsent;
};

StatusReplyRecord& LastStatusReply();

class CPrinterStatusHeron : public printer::CRefCounted<IPrinterStatus> {
public:
    explicit CPrinterStatusHeron(std::int16_t port) : port_(port) {}

    int Refresh() override;
    int GetStatusCode() override { return statusCode_; }
    int GetErrorCode() override { return errorCode_; }

    std::int16_t GetPort() const { return port_; }

private:
    std::int16_t port_;
    int statusCode_ = 0;
    int errorCode_ = 0;
};

// Asks the channel library for the status reply into the process-wide record and parses it:
// 0x0001 with ST, ER and TP set, the library's own status when it failed, 0xE000 (and the record's
// parse error set) when the reply does not parse.
printer::Status ReadAndParseStatusReply();

// A status object for the port of a port name, handed out with its only reference. 1, or 0 when it
// cannot be allocated.
int CreatePrinterStatus(IPrinterStatus** out, std::string_view portName);
