#include "WirexPort.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "DeviceIdText.h"
#include "platform/DebugOutput.h"
#include "portselect/PortNumbers.h"

namespace wirex {
namespace {

constexpr char kUnknownDevice[] = "Unknown device";

void ReportDeviceError(const char* step, platform::DeviceError error) {
    platform::DebugOutput(
        (std::string("Wirex: ") + step + " failed: " + platform::DeviceErrorName(error) + "\n").c_str());
}

}  // namespace

std::uint32_t WirexPort::Fail(std::int16_t code) {
    ioError_ = code;
    return status::kFailure;
}

std::uint32_t WirexPort::PortOpen(std::uint32_t portNumber) {
    if (variant_.resetsIoErrorAtOpen) {
        ioError_ = io::kNoError;
    }
    PortClose();
    // The number travels in a 32-bit slot; only its signed low 16 bits name the port.
    const portselect::DecodedPort port = portselect::DecodePort(portNumber);
    const auto index = static_cast<std::uint32_t>(port.index);
    if (port.kind == portselect::PortKind::Com) {
        portKind_ = kind::kCom;
        std::uint32_t opened = OpenDevice({platform::PortKind::Com, index, {}, {}});
        if (opened != status::kSuccess) {
            return opened;
        }
        std::uint32_t configured = ApplyComSettings();
        if (configured == status::kSuccess) {
            configured = ApplyTimeouts();
        }
        return CloseUnlessOpened(configured);
    }
    if (variant_.hasUsb && port.kind == portselect::PortKind::Usb) {
        portKind_ = kind::kUsb;
        // USB printer classes take no COMMTIMEOUTS: the polls of Receive bound the wait instead.
        return OpenDevice({platform::PortKind::Usb, index, {}, variant_.usbOpen});
    }
    if (port.kind == portselect::PortKind::Parallel) {
        portKind_ = kind::kParallel;
        std::uint32_t opened = OpenDevice({platform::PortKind::Parallel, index, {}, variant_.parallelOpen});
        return opened != status::kSuccess ? opened : CloseUnlessOpened(ApplyTimeouts());
    }
    return status::kInvalidPort;
}

std::uint32_t WirexPort::OpenDevice(const platform::PortAddress& address) {
    platform::DeviceBackend& backend = platform::ActiveDeviceBackend();
    platform::DevicePortPtr opened;
    platform::DeviceError error = backend.Open(address, &opened);
    if (error != platform::DeviceError::None || opened == nullptr) {
        ReportDeviceError("open", error);
        return Fail(io::kNoPort);
    }
    backend_ = &backend;
    port_ = std::move(opened);
    return status::kSuccess;
}

std::uint32_t WirexPort::CloseUnlessOpened(std::uint32_t result) {
    // A port whose settings or time-outs were refused is no open port: the caller saw PortOpen fail
    // and would otherwise write through a port it never got.
    if (result != status::kSuccess) {
        PortClose();
    }
    return result;
}

void WirexPort::PortClose() {
    port_.reset();
    backend_ = nullptr;
}

std::uint32_t WirexPort::ApplyTimeouts() {
    ioError_ = io::kNoError;
    platform::PortTimeouts current;
    platform::DeviceError error = backend_->GetTimeouts(*port_, &current);
    if (error != platform::DeviceError::None) {
        ReportDeviceError("reading the time-outs", error);
        return Fail(io::kNoPort);
    }
    // A field asked as 0xFFFFFFFF takes the port's value, in the stored set, so later opens keep it.
    std::uint32_t* stored[] = {&timeouts_.readInterval, &timeouts_.readTotalMultiplier,
                               &timeouts_.readTotalConstant, &timeouts_.writeTotalMultiplier,
                               &timeouts_.writeTotalConstant};
    const std::uint32_t ports[] = {current.readInterval, current.readTotalMultiplier,
                                   current.readTotalConstant, current.writeTotalMultiplier,
                                   current.writeTotalConstant};
    for (std::size_t i = 0; i < std::size(stored); ++i) {
        if (*stored[i] == kKeep32) {
            *stored[i] = ports[i];
        }
    }
    error = backend_->SetTimeouts(*port_, timeouts_);
    if (error != platform::DeviceError::None) {
        ReportDeviceError("writing the time-outs", error);
        return Fail(io::kNoPort);
    }
    return status::kSuccess;
}

std::uint32_t WirexPort::ApplyComSettings() {
    platform::LineSettings line;
    platform::DeviceError error = backend_->GetLineSettings(*port_, &line);
    if (error != platform::DeviceError::None) {
        ReportDeviceError("reading the line settings", error);
        return Fail(io::kLineSettings);
    }
    if (baudRate_ != kKeep32) {
        line.baudRate = baudRate_;
    }
    if (dataBits_ != kKeep8) {
        line.byteSize = dataBits_;
    }
    if (parityCheck_ != kKeep8) {
        line.parityCheck = (parityCheck_ & 1) != 0;
    }
    if (stopBits_ != kKeep8) {
        line.stopBits = stopBits_;
    }
    error = backend_->SetLineSettings(*port_, line);
    if (error != platform::DeviceError::None) {
        ReportDeviceError("writing the line settings", error);
        return Fail(io::kLineSettings);
    }
    return status::kSuccess;
}

std::uint32_t WirexPort::Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) {
    if (cancel != nullptr && *cancel == 1) {
        return status::kSendCancelled;
    }
    lastSentSize_ = 0;
    if (!IsOpen()) {
        return Fail(io::kNoPort);
    }
    if (count == 0) {
        return status::kSuccess;
    }
    if (data == nullptr) {
        return Fail(io::kWriteFailed);
    }
    std::uint32_t written = 0;
    platform::DeviceError error = backend_->Write(*port_, data, count, &written);
    lastSentSize_ = written;
    if (error != platform::DeviceError::None || written != count) {
        if (error != platform::DeviceError::None) {
            ReportDeviceError("write", error);
        }
        return Fail(io::kWriteFailed);
    }
    return status::kSuccess;
}

void WirexPort::SetWaitTimeBeforeReceive(std::int32_t parallel, std::int32_t usb, std::int32_t com) {
    if (parallel != -1) {
        waitParallel_ = static_cast<std::uint32_t>(parallel);
    }
    if (usb != -1) {
        waitUsb_ = static_cast<std::uint32_t>(usb);
    }
    if (com != -1) {
        waitCom_ = static_cast<std::uint32_t>(com);
    }
}

std::uint32_t WirexPort::SetPortTimeOut(std::uint32_t readInterval, std::uint32_t readMultiplier,
                                        std::uint32_t readConstant, std::uint32_t writeMultiplier,
                                        std::uint32_t writeConstant) {
    timeouts_ = {readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant};
    return IsOpen() ? ApplyTimeouts() : status::kSuccess;
}

std::uint32_t WirexPort::SetComSetting(std::uint32_t baudRate, std::uint8_t dataBits,
                                       std::uint8_t parityCheck, std::uint8_t stopBits) {
    baudRate_ = baudRate;
    dataBits_ = dataBits;
    parityCheck_ = parityCheck;
    stopBits_ = stopBits;
    return IsOpen() ? ApplyComSettings() : status::kSuccess;
}

std::uint32_t WirexPort::QueryDeviceId(std::string_view* text) {
    if (!IsOpen()) {
        return Fail(io::kNoPort);
    }
    std::memset(reply_, 0, sizeof reply_);
    platform::DeviceRequest request;
    std::uint32_t attempts = 0;
    if (portKind_ == kind::kParallel) {
        request.controlCode = variant_.parallelDeviceIdCode;
        attempts = variant_.parallelDeviceIdAttempts;
    } else if (portKind_ == kind::kUsb) {
        request.controlCode = variant_.usbDeviceIdCode;
        attempts = 1;
    }
    platform::DeviceIdReply reply;
    bool answered = false;
    for (std::uint32_t attempt = 0; attempt < attempts && !answered; ++attempt) {
        platform::DeviceError error = backend_->GetDeviceId(*port_, request, reply_, kWindow, &reply);
        if (error != platform::DeviceError::None) {
            ReportDeviceError("device ID query", error);
        }
        answered = error == platform::DeviceError::None && reply.received > 0;
    }
    if (!answered) {
        return Fail(io::kNoDeviceId);
    }
    if (reply.received > variant_.longestDeviceId) {
        return Fail(io::kTooLong);
    }
    *text = DeviceIdText(reply_, reply.received, reply.lengthPrefixed);
    return status::kSuccess;
}

std::uint32_t WirexPort::CheckDeviceID(std::uint8_t* isD4) {
    std::string_view text;
    std::uint32_t result = QueryDeviceId(&text);
    if (result != status::kSuccess) {
        return result;
    }
    if (isD4 != nullptr) {
        *isD4 = AnnouncesD4(text) ? 1 : 0;
    }
    return status::kSuccess;
}

std::uint32_t WirexPort::GetModelName(char* name) {
    std::string_view text;
    std::uint32_t result = QueryDeviceId(&text);
    if (result != status::kSuccess || name == nullptr) {
        return result;
    }
    // The caller zero-fills its buffer of 1025 bytes: the model is copied without a terminator.
    if (std::optional<std::string_view> model = ModelName(text, kWindow)) {
        std::memcpy(name, model->data(), model->size());
    } else {
        std::memcpy(name, kUnknownDevice, sizeof kUnknownDevice);
    }
    return status::kSuccess;
}

std::uint32_t WirexPort::ResetDevice() {
    if (!IsOpen()) {
        return Fail(io::kNoPort);
    }
    platform::DeviceRequest request;
    if (portKind_ == kind::kParallel) {
        request.controlCode = variant_.parallelResetCode;
        if (variant_.parallelResetTakesInitByte) {
            request.input = {1};  // PARALLEL_INIT: pulse the printer's init line
        }
    } else if (portKind_ == kind::kUsb) {
        request.controlCode = variant_.usbResetCode;
    } else {
        return Fail(io::kNoDeviceId);
    }
    // A printer that ignores the request is still usable; the outcome is only worth a debug line.
    platform::DeviceError error = backend_->SoftReset(*port_, request);
    if (error != platform::DeviceError::None) {
        ReportDeviceError("reset", error);
    }
    return status::kSuccess;
}

}  // namespace wirex
