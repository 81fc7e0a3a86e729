// The printer status over the IEEE 1284.4 channel: each Refresh opens the port, negotiates the
// channel, asks for the text status reply, parses it and closes everything again, inside one
// exchange of the port session.
#pragma once

#include <cstdint>
#include <utility>

#include "printer/CRefCounted.h"
#include "printer/IPrinterStatus.h"
#include "printer/PortSession.h"
#include "printer/PortStatus.h"
#include "printer/ReceiveWindow.h"
#include "printer/StatusReply.h"
#include "printer/Target.h"

// The record of the last status reply, overwritten by every query of the object that holds it.
struct StatusReplyRecord {
    std::uint16_t parseError = 0;               // 1 once a reply failed to parse
    char buffer[printer::kReceiveWindow] = {};  // the reply as the channel library left it
    std::uint8_t st = 0;
    std::uint8_t er = printer::kCodeAbsent;
    std::uint8_t tp = printer::kCodeAbsent;
};

class CPrinterStatusHeron : public printer::CRefCounted<IPrinterStatus> {
public:
    explicit CPrinterStatusHeron(printer::Target target) : target_(std::move(target)) {}

    // 0 as well when another thread holds the port session (the codes keep their values).
    int Refresh() override;
    int GetStatusCode() override { return statusCode_; }
    int GetErrorCode() override { return errorCode_; }

    std::int16_t GetPort() const { return target_.Port(); }
    // The last reply this object asked for, parsed or not.
    const StatusReplyRecord& LastStatusReply() const { return reply_; }

private:
    printer::Target target_;
    int statusCode_ = 0;
    int errorCode_ = 0;
    StatusReplyRecord reply_;
};

// Asks the channel library for the status reply into the record and parses it, on a channel the
// caller opened within the exchange: 0x0001 with ST, ER and TP set, the library's own status when it
// failed, 0xE000 (and the record's parse error set) when the reply does not parse, kPortBusy without
// asking for a refused exchange.
printer::Status ReadAndParseStatusReply(const printer::PortSession::Exchange& exchange,
                                        StatusReplyRecord* record);

// A status object for the target's port, handed out with its only reference. 1, or 0 when it cannot
// be allocated.
int CreatePrinterStatus(IPrinterStatus** out, const printer::Target& target);
