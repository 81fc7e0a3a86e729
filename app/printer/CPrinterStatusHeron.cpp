#include "printer/CPrinterStatusHeron.h"

#include "printer/CPortLibraryBinder.h"
#include "printer/ChannelExchange.h"
#include "printer/PlainPortCalls.h"
#include "printer/SendModelPreamble.h"

printer::Status ReadAndParseStatusReply(const printer::PortSession::Exchange& exchange,
                                        StatusReplyRecord* record) {
    if (!exchange) {
        return printer::status::kPortBusy;
    }
    const printer::Status read = CPortLibraryBinder::ReadStatusReply(record->buffer);
    if (!printer::Succeeded(read)) {
        return read;
    }
    printer::StatusReplyCodes codes;
    if (printer::ParseStatusReply(record->buffer, sizeof record->buffer, &codes) !=
        printer::kStatusReplyParsed) {
        record->parseError = 1;
        return printer::status::kReplyNotParsable;
    }
    record->st = codes.status;
    record->er = codes.error;
    record->tp = codes.third;
    return printer::status::kSuccess;
}

int CPrinterStatusHeron::Refresh() {
    const printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("status query");
    if (!exchange) {
        return 0;
    }
    SendModelPreamble(target_);
    const std::int16_t port = target_.Port();
    if (!printer::Succeeded(CPortLibraryBinder::OpenPort(port))) {
        return 0;
    }
    // A status query may wait up to two seconds for a read or a write, never the driver's default.
    if (!printer::Succeeded(printer::plainport::SetTimeOuts(10, 10, 2000, 10, 2000)) ||
        !printer::Succeeded(CPortLibraryBinder::CheckD4Support()) ||
        !printer::Succeeded(CPortLibraryBinder::NegotiateChannel())) {
        CPortLibraryBinder::ClosePort();
        return 0;
    }
    int result = 0;
    if (printer::Succeeded(ReadAndParseStatusReply(exchange, &reply_))) {
        statusCode_ = reply_.st;
        errorCode_ = reply_.er;
        result = 1;
    }
    printer::CloseChannel(exchange);
    return result;
}

int CreatePrinterStatus(IPrinterStatus** out, const printer::Target& target) {
    return printer::HandOut<CPrinterStatusHeron>(out, platform::kIidIUnknown, target);
}
