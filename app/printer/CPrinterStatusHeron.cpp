#include "printer/CPrinterStatusHeron.h"

#include "printer/CPortLibraryBinder.h"
#include "printer/ChannelExchange.h"
#include "printer/PlainPortCalls.h"
#include "printer/PortNameToNumber.h"
#include "printer/SendModelPreamble.h"

StatusReplyRecord& LastStatusReply() {
    static StatusReplyRecord record;
    return record;
}

printer::Status ReadAndParseStatusReply() {
    StatusReplyRecord& record = LastStatusReply();
    const printer::Status read = CPortLibraryBinder::ReadStatusReply(record.buffer);
    if (!printer::Succeeded(read)) {
        return read;
    }
    printer::StatusReplyCodes codes;
    if (printer::ParseStatusReply(record.buffer, sizeof record.buffer, &codes) !=
        printer::kStatusReplyParsed) {
        record.parseError = 1;
        return printer::status::kReplyNotParsable;
    }
    record.st = codes.status;
    record.er = codes.error;
    record.tp = codes.third;
    return printer::status::kSuccess;
}

int CPrinterStatusHeron::Refresh() {
    SendModelPreamble(port_);
    if (!printer::Succeeded(CPortLibraryBinder::OpenPort(port_))) {
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
    if (printer::Succeeded(ReadAndParseStatusReply())) {
        statusCode_ = LastStatusReply().st;
        errorCode_ = LastStatusReply().er;
        result = 1;
    }
    printer::CloseChannel();
    return result;
}

int CreatePrinterStatus(IPrinterStatus** out, std::string_view portName) {
    return printer::HandOut<CPrinterStatusHeron>(out, platform::kIidIUnknown, PortNameToNumber(portName));
}
