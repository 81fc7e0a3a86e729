#include "printer/PlainPortCalls.h"

#include "portselect/PlexerExports.h"
#include "portselect/PortNumbers.h"

namespace printer::plainport {

Status Open(std::int16_t port) {
    return PortOpenByPlex(portselect::PortArgument(port));
}

void Close() {
    PortCloseByPlex();
}

Status Receive(std::uint8_t* buffer, std::uint32_t* length) {
    return ReceiveByPlex(buffer, length);
}

Status SetReceiveType(std::uint32_t type) {
    return SetReceiveTypeByPlex(type);
}

Status Send(const std::uint8_t* data, std::uint32_t count) {
    const std::uint8_t notCancelled = 0;
    return SendByPlex(data, count, &notCancelled);
}

Status IoErrorCode(std::int16_t* code) {
    return GetIoErrorCodeByPlex(code);
}

Status SetTimeOuts(std::uint32_t readInterval, std::uint32_t readMultiplier, std::uint32_t readConstant,
                   std::uint32_t writeMultiplier, std::uint32_t writeConstant) {
    return SetPortTimeOutByPlex(readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant);
}

}  // namespace printer::plainport
