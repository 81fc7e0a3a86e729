#include "portselect/PlexerExports.h"

#include "DriverSelector.h"
#include "platform/OsVersion.h"

namespace {

// The port driver's functions, as it exports them.
using PortOpenFunction = std::uint32_t TOLVANE_STDCALL(std::uint32_t);
using SendFunction = std::uint32_t TOLVANE_STDCALL(const std::uint8_t*, std::uint32_t, const std::uint8_t*);
using ReceiveFunction = std::uint32_t TOLVANE_STDCALL(std::uint8_t*, std::uint32_t*);
using VoidFunction = void TOLVANE_STDCALL();
using CheckDeviceIdFunction = std::uint32_t TOLVANE_STDCALL(std::uint8_t*);
using GetModelNameFunction = std::uint32_t TOLVANE_STDCALL(char*);
using StatusFunction = std::uint32_t TOLVANE_STDCALL();
using ErrorCodeFunction = std::int16_t TOLVANE_STDCALL();
using SizeFunction = std::uint32_t TOLVANE_STDCALL();
using SetReceiveTypeFunction = void TOLVANE_STDCALL(std::uint32_t);
using SetWaitFunction = void TOLVANE_STDCALL(std::int32_t, std::int32_t, std::int32_t);
using SetTimeoutsFunction = std::uint32_t TOLVANE_STDCALL(std::uint32_t, std::uint32_t, std::uint32_t,
                                                          std::uint32_t, std::uint32_t);
using SetComFunction = std::uint32_t TOLVANE_STDCALL(std::uint32_t, std::uint8_t, std::uint8_t, std::uint8_t);

template <typename Function>
Function* Driver(const char* name) {
    return plexer::ProcessSelector().Find<Function>(name);
}

}  // namespace

extern "C" {

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetOsVersion() {
    platform::OsVersionInfo version;
    platform::GetOsVersion(&version);
    return plexer::ClassifyOs(version);
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL PortOpenByPlex(std::uint32_t portNumber) {
    auto* function = Driver<PortOpenFunction>("PortOpen");
    return function != nullptr ? function(portNumber) : plexer::status::kMissing;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SendByPlex(const std::uint8_t* data, std::uint32_t count,
                                                        const std::uint8_t* cancel) {
    auto* function = Driver<SendFunction>("Send");
    return function != nullptr ? function(data, count, cancel) : plexer::status::kMissing;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ReceiveByPlex(std::uint8_t* buffer, std::uint32_t* length) {
    auto* function = Driver<ReceiveFunction>("Receive");
    return function != nullptr ? function(buffer, length) : plexer::status::kMissing;
}

TOLVANE_EXPORT void TOLVANE_STDCALL PortCloseByPlex() {
    if (auto* function = Driver<VoidFunction>("PortClose")) {
        function();
    }
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL CheckDeviceIDByPlex() {
    auto* function = Driver<CheckDeviceIdFunction>("CheckDeviceID");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    std::uint8_t isD4 = 1;
    const std::uint32_t result = function(&isD4);
    if (!portselect::Succeeded(result)) {
        return result;
    }
    return isD4 != 0 ? plexer::status::kSuccess : plexer::status::kNoD4;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetModelNameByPlex(char* name) {
    auto* function = Driver<GetModelNameFunction>("GetModelName");
    return function != nullptr ? function(name) : plexer::status::kMissing;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL ResetDeviceByPlex() {
    auto* function = Driver<StatusFunction>("ResetDevice");
    return function != nullptr ? function() : plexer::status::kMissing;
}

// The driver spells this one GetIOErrorCode.
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetIoErrorCodeByPlex(std::int16_t* code) {
    auto* function = Driver<ErrorCodeFunction>("GetIOErrorCode");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    const std::int16_t value = function();
    if (code != nullptr) {
        *code = value;
    }
    return plexer::status::kSuccess;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL GetPreviousSentDataSizeByPlex(std::uint32_t* size) {
    auto* function = Driver<SizeFunction>("GetPreviousSentDataSize");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    const std::uint32_t value = function();
    if (size != nullptr) {
        *size = value;
    }
    return plexer::status::kSuccess;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetReceiveTypeByPlex(std::uint32_t type) {
    auto* function = Driver<SetReceiveTypeFunction>("SetReceiveType");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    function(type);
    return plexer::status::kSuccess;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetWaitTimeBeforeReceiveByPlex(std::int32_t parallel,
                                                                            std::int32_t usb,
                                                                            std::int32_t com) {
    auto* function = Driver<SetWaitFunction>("SetWaitTimeBeforeReceive");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    function(parallel, usb, com);
    return plexer::status::kSuccess;
}

// The driver's status is discarded: the setting is stored and applies at the next open.
TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetPortTimeOutByPlex(std::uint32_t readInterval,
                                                                  std::uint32_t readMultiplier,
                                                                  std::uint32_t readConstant,
                                                                  std::uint32_t writeMultiplier,
                                                                  std::uint32_t writeConstant) {
    auto* function = Driver<SetTimeoutsFunction>("SetPortTimeOut");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    function(readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant);
    return plexer::status::kSuccess;
}

TOLVANE_EXPORT std::uint32_t TOLVANE_STDCALL SetComSettingByPlex(std::uint32_t baudRate,
                                                                 std::uint8_t dataBits,
                                                                 std::uint8_t parityCheck,
                                                                 std::uint8_t stopBits) {
    auto* function = Driver<SetComFunction>("SetComSetting");
    if (function == nullptr) {
        return plexer::status::kMissing;
    }
    function(baudRate, dataBits, parityCheck, stopBits);
    return plexer::status::kSuccess;
}

}  // extern "C"
