// The scripted back-end of the device seam: a conversation written by a test. Each step names the
// operation the code under test must make next, what it must pass (bytes, time-outs, settings) and
// what the port answers (bytes, values, an error). An operation out of turn, or with other arguments,
// is recorded as a mismatch and answered with DeviceError::Io, so the test sees it in Mismatches().
//
//   DeviceScript script;
//   script.ExpectOpen({PortKind::Usb, 1}).ExpectWrite(bytes).ExpectRead({}).Times(200).ExpectClose();
//   ScopedDeviceBackend use(script);
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Device.h"

namespace platform {

enum class DeviceOperation : std::uint8_t {
    Open,
    Close,
    Write,
    Read,
    GetTimeouts,
    SetTimeouts,
    GetLineSettings,
    SetLineSettings,
    GetComStatus,
    GetDeviceId,
    SoftReset,
    ListInterfaces,
    QueryDosAlias,
    DefineDosAlias,
};

const char* DeviceOperationName(DeviceOperation operation);

struct DeviceScriptStep {
    DeviceOperation operation = DeviceOperation::Open;
    DeviceError error = DeviceError::None;
    std::uint32_t times = 1;
    // What the caller must pass (checked when present).
    std::optional<PortAddress> address;
    std::optional<std::vector<std::uint8_t>> expectedBytes;  // Write
    std::optional<PortTimeouts> expectedTimeouts;            // SetTimeouts
    std::optional<LineSettings> expectedLine;                // SetLineSettings
    std::optional<DeviceRequest> expectedRequest;            // GetDeviceId, SoftReset
    std::optional<std::string> expectedText;                 // QueryDosAlias, DefineDosAlias alias
    std::optional<std::string> expectedTarget;               // DefineDosAlias target
    // What the port answers.
    std::vector<std::uint8_t> replyBytes;          // Read, GetDeviceId
    std::optional<std::uint32_t> writtenCount;     // Write: fewer bytes taken than offered
    PortTimeouts timeouts;                         // GetTimeouts
    LineSettings line;                             // GetLineSettings
    ComStatus comStatus;                           // GetComStatus
    bool lengthPrefixed = false;                   // GetDeviceId
    std::string text;                              // QueryDosAlias target
    std::vector<DeviceInterfaceEntry> interfaces;  // ListInterfaces
};

class DeviceScript final : public DeviceBackend {
public:
    DeviceScript() = default;
    ~DeviceScript() override;
    DeviceScript(const DeviceScript&) = delete;
    DeviceScript& operator=(const DeviceScript&) = delete;

    DeviceScript& Expect(DeviceScriptStep step);
    // The last step is expected this many times in a row.
    DeviceScript& Times(std::uint32_t count);

    DeviceScript& ExpectOpen(PortAddress address, DeviceError error = DeviceError::None);
    DeviceScript& ExpectClose();
    DeviceScript& ExpectWrite(std::vector<std::uint8_t> bytes, DeviceError error = DeviceError::None,
                              std::optional<std::uint32_t> written = std::nullopt);
    DeviceScript& ExpectRead(std::vector<std::uint8_t> reply, DeviceError error = DeviceError::None);
    DeviceScript& ExpectGetTimeouts(PortTimeouts current, DeviceError error = DeviceError::None);
    DeviceScript& ExpectSetTimeouts(PortTimeouts expected, DeviceError error = DeviceError::None);
    DeviceScript& ExpectGetLineSettings(LineSettings current, DeviceError error = DeviceError::None);
    DeviceScript& ExpectSetLineSettings(LineSettings expected, DeviceError error = DeviceError::None);
    DeviceScript& ExpectComStatus(ComStatus status, DeviceError error = DeviceError::None);
    DeviceScript& ExpectDeviceId(DeviceRequest request, std::vector<std::uint8_t> reply,
                                 bool lengthPrefixed = false, DeviceError error = DeviceError::None);
    DeviceScript& ExpectSoftReset(DeviceRequest request, DeviceError error = DeviceError::None);
    DeviceScript& ExpectQueryDosAlias(std::string alias, std::string target,
                                      DeviceError error = DeviceError::None);
    DeviceScript& ExpectDefineDosAlias(std::string alias, std::string target,
                                       DeviceError error = DeviceError::None);

    // Every operation made that did not match its step, and every step left when asked.
    std::vector<std::string> Mismatches() const;
    // One line per operation made, in order ("Open USB 1", "Read 1024 -> 0 bytes").
    const std::vector<std::string>& Transcript() const { return transcript_; }
    bool Finished() const { return next_ >= steps_.size(); }

    const char* Name() const override { return "scripted"; }
    DeviceError Open(const PortAddress& address, DevicePortPtr* port) override;
    DeviceError Write(DevicePort& port, const std::uint8_t* data, std::uint32_t count,
                      std::uint32_t* written) override;
    DeviceError Read(DevicePort& port, std::uint8_t* buffer, std::uint32_t capacity,
                     std::uint32_t* received) override;
    DeviceError GetTimeouts(DevicePort& port, PortTimeouts* timeouts) override;
    DeviceError SetTimeouts(DevicePort& port, const PortTimeouts& timeouts) override;
    DeviceError GetLineSettings(DevicePort& port, LineSettings* settings) override;
    DeviceError SetLineSettings(DevicePort& port, const LineSettings& settings) override;
    DeviceError GetComStatus(DevicePort& port, ComStatus* status) override;
    DeviceError GetDeviceId(DevicePort& port, const DeviceRequest& request, std::uint8_t* buffer,
                            std::uint32_t capacity, DeviceIdReply* reply) override;
    DeviceError SoftReset(DevicePort& port, const DeviceRequest& request) override;
    DeviceError ListInterfaces(const std::string& interfaceClass,
                               std::vector<DeviceInterfaceEntry>* entries) override;
    DeviceError QueryDosAlias(const std::string& alias, std::string* target) override;
    DeviceError DefineDosAlias(const std::string& alias, const std::string& target) override;

    // Called by a scripted port when it is destroyed.
    void PortClosed();

private:
    // The step for this operation, or null (a mismatch is recorded) when another was due.
    const DeviceScriptStep* Take(DeviceOperation operation, const std::string& description);
    void Mismatch(const std::string& text);

    std::vector<DeviceScriptStep> steps_;
    std::size_t next_ = 0;
    std::uint32_t usedOfNext_ = 0;
    std::vector<std::string> mismatches_;
    std::vector<std::string> transcript_;
    int openPorts_ = 0;
};

}  // namespace platform
