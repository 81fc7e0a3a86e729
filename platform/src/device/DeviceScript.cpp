#include "platform/DeviceScript.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace platform {
namespace {

class ScriptedPort final : public DevicePort {
public:
    explicit ScriptedPort(DeviceScript& script) : script_(script) {}
    ~ScriptedPort() override { script_.PortClosed(); }

private:
    DeviceScript& script_;
};

const char* KindName(PortKind kind) {
    switch (kind) {
        case PortKind::Parallel:
            return "LPT";
        case PortKind::Usb:
            return "USB";
        case PortKind::Com:
            return "COM";
        case PortKind::Path:
            return "path";
    }
    return "?";
}

std::string Describe(const PortAddress& address) {
    std::string text = std::string(KindName(address.kind)) + " ";
    text += address.kind == PortKind::Path ? address.path : std::to_string(address.number);
    text += " procedure " + std::to_string(static_cast<int>(address.procedure));
    return text;
}

std::string Describe(const PortTimeouts& t) {
    char text[96];
    std::snprintf(text, sizeof text, "%u/%u/%u/%u/%u", t.readInterval, t.readTotalMultiplier,
                  t.readTotalConstant, t.writeTotalMultiplier, t.writeTotalConstant);
    return text;
}

std::string Describe(const LineSettings& s) {
    return std::to_string(s.baudRate) + " baud, " + std::to_string(s.byteSize) + " bits, parity check " +
           (s.parityCheck ? "on" : "off") + ", stop code " + std::to_string(s.stopBits);
}

std::string Describe(const DeviceRequest& request) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08X", request.controlCode);
    std::string result = text;
    for (std::uint8_t byte : request.input) {
        std::snprintf(text, sizeof text, " %02X", byte);
        result += text;
    }
    return result;
}

std::string Describe(const std::uint8_t* data, std::uint32_t count) {
    std::string text = std::to_string(count) + " bytes";
    char hex[8];
    for (std::uint32_t i = 0; i < count && i < 16; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", data[i]);
        text += hex;
    }
    return text + (count > 16 ? " ..." : "");
}

DeviceScriptStep Step(DeviceOperation operation, DeviceError error) {
    DeviceScriptStep step;
    step.operation = operation;
    step.error = error;
    return step;
}

}  // namespace

const char* DeviceOperationName(DeviceOperation operation) {
    static const char* const names[] = {
        "Open",        "Close",           "Write",           "Read",          "GetTimeouts",
        "SetTimeouts", "GetLineSettings", "SetLineSettings", "GetComStatus",  "GetDeviceId",
        "SoftReset",   "ListInterfaces",  "QueryDosAlias",   "DefineDosAlias"};
    auto index = static_cast<std::size_t>(operation);
    return index < std::size(names) ? names[index] : "?";
}

DeviceScript::~DeviceScript() = default;

DeviceScript& DeviceScript::Expect(DeviceScriptStep step) {
    steps_.push_back(std::move(step));
    return *this;
}

DeviceScript& DeviceScript::Times(std::uint32_t count) {
    if (!steps_.empty()) {
        steps_.back().times = count;
    }
    return *this;
}

DeviceScript& DeviceScript::ExpectOpen(PortAddress address, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::Open, error);
    step.address = std::move(address);
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectClose() {
    return Expect(Step(DeviceOperation::Close, DeviceError::None));
}

DeviceScript& DeviceScript::ExpectWrite(std::vector<std::uint8_t> bytes, DeviceError error,
                                        std::optional<std::uint32_t> written) {
    DeviceScriptStep step = Step(DeviceOperation::Write, error);
    step.expectedBytes = std::move(bytes);
    step.writtenCount = written;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectRead(std::vector<std::uint8_t> reply, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::Read, error);
    step.replyBytes = std::move(reply);
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectGetTimeouts(PortTimeouts current, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::GetTimeouts, error);
    step.timeouts = current;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectSetTimeouts(PortTimeouts expected, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::SetTimeouts, error);
    step.expectedTimeouts = expected;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectGetLineSettings(LineSettings current, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::GetLineSettings, error);
    step.line = current;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectSetLineSettings(LineSettings expected, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::SetLineSettings, error);
    step.expectedLine = expected;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectComStatus(ComStatus status, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::GetComStatus, error);
    step.comStatus = status;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectDeviceId(DeviceRequest request, std::vector<std::uint8_t> reply,
                                           bool lengthPrefixed, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::GetDeviceId, error);
    step.expectedRequest = std::move(request);
    step.replyBytes = std::move(reply);
    step.lengthPrefixed = lengthPrefixed;
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectSoftReset(DeviceRequest request, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::SoftReset, error);
    step.expectedRequest = std::move(request);
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectQueryDosAlias(std::string alias, std::string target, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::QueryDosAlias, error);
    step.expectedText = std::move(alias);
    step.text = std::move(target);
    return Expect(std::move(step));
}

DeviceScript& DeviceScript::ExpectDefineDosAlias(std::string alias, std::string target, DeviceError error) {
    DeviceScriptStep step = Step(DeviceOperation::DefineDosAlias, error);
    step.expectedText = std::move(alias);
    step.expectedTarget = std::move(target);
    return Expect(std::move(step));
}

std::vector<std::string> DeviceScript::Mismatches() const {
    std::vector<std::string> result = mismatches_;
    for (std::size_t i = next_; i < steps_.size(); ++i) {
        result.push_back(std::string("step ") + std::to_string(i + 1) + " (" +
                         DeviceOperationName(steps_[i].operation) + ") never happened");
    }
    return result;
}

void DeviceScript::Mismatch(const std::string& text) {
    mismatches_.push_back(text);
}

const DeviceScriptStep* DeviceScript::Take(DeviceOperation operation, const std::string& description) {
    transcript_.push_back(std::string(DeviceOperationName(operation)) + " " + description);
    if (next_ >= steps_.size()) {
        Mismatch("unexpected " + transcript_.back() + " after the end of the script");
        return nullptr;
    }
    const DeviceScriptStep& step = steps_[next_];
    if (step.operation != operation) {
        Mismatch("step " + std::to_string(next_ + 1) + ": expected " + DeviceOperationName(step.operation) +
                 ", got " + transcript_.back());
        return nullptr;
    }
    if (++usedOfNext_ >= step.times) {
        ++next_;
        usedOfNext_ = 0;
    }
    return &step;
}

void DeviceScript::PortClosed() {
    --openPorts_;
    Take(DeviceOperation::Close, "");
}

DeviceError DeviceScript::Open(const PortAddress& address, DevicePortPtr* port) {
    const DeviceScriptStep* step = Take(DeviceOperation::Open, Describe(address));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->address && !(*step->address == address)) {
        Mismatch("Open: expected " + Describe(*step->address) + ", got " + Describe(address));
    }
    if (step->error != DeviceError::None) {
        return step->error;
    }
    auto opened = std::make_unique<ScriptedPort>(*this);
    opened->kind = address.kind;
    ++openPorts_;
    *port = std::move(opened);
    return DeviceError::None;
}

DeviceError DeviceScript::Write(DevicePort&, const std::uint8_t* data, std::uint32_t count,
                                std::uint32_t* written) {
    *written = 0;
    const DeviceScriptStep* step = Take(DeviceOperation::Write, Describe(data, count));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->expectedBytes &&
        !std::equal(data, data + count, step->expectedBytes->begin(), step->expectedBytes->end())) {
        Mismatch(
            "Write: expected " +
            Describe(step->expectedBytes->data(), static_cast<std::uint32_t>(step->expectedBytes->size())) +
            ", got " + Describe(data, count));
    }
    if (step->error != DeviceError::None) {
        return step->error;
    }
    *written = std::min(count, step->writtenCount.value_or(count));
    return DeviceError::None;
}

DeviceError DeviceScript::Read(DevicePort&, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* received) {
    *received = 0;
    const DeviceScriptStep* step = Take(DeviceOperation::Read, "up to " + std::to_string(capacity));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->error != DeviceError::None) {
        return step->error;
    }
    auto count = static_cast<std::uint32_t>(std::min<std::size_t>(capacity, step->replyBytes.size()));
    std::copy_n(step->replyBytes.begin(), count, buffer);
    *received = count;
    return DeviceError::None;
}

DeviceError DeviceScript::GetTimeouts(DevicePort&, PortTimeouts* timeouts) {
    const DeviceScriptStep* step = Take(DeviceOperation::GetTimeouts, "");
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->error == DeviceError::None) {
        *timeouts = step->timeouts;
    }
    return step->error;
}

DeviceError DeviceScript::SetTimeouts(DevicePort&, const PortTimeouts& timeouts) {
    const DeviceScriptStep* step = Take(DeviceOperation::SetTimeouts, Describe(timeouts));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->expectedTimeouts && !(*step->expectedTimeouts == timeouts)) {
        Mismatch("SetTimeouts: expected " + Describe(*step->expectedTimeouts) + ", got " +
                 Describe(timeouts));
    }
    return step->error;
}

DeviceError DeviceScript::GetLineSettings(DevicePort&, LineSettings* settings) {
    const DeviceScriptStep* step = Take(DeviceOperation::GetLineSettings, "");
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->error == DeviceError::None) {
        *settings = step->line;
    }
    return step->error;
}

DeviceError DeviceScript::SetLineSettings(DevicePort&, const LineSettings& settings) {
    const DeviceScriptStep* step = Take(DeviceOperation::SetLineSettings, Describe(settings));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->expectedLine && !(*step->expectedLine == settings)) {
        Mismatch("SetLineSettings: expected " + Describe(*step->expectedLine) + ", got " +
                 Describe(settings));
    }
    return step->error;
}

DeviceError DeviceScript::GetComStatus(DevicePort&, ComStatus* status) {
    const DeviceScriptStep* step = Take(DeviceOperation::GetComStatus, "");
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->error == DeviceError::None) {
        *status = step->comStatus;
    }
    return step->error;
}

DeviceError DeviceScript::GetDeviceId(DevicePort&, const DeviceRequest& request, std::uint8_t* buffer,
                                      std::uint32_t capacity, DeviceIdReply* reply) {
    *reply = DeviceIdReply{};
    const DeviceScriptStep* step = Take(DeviceOperation::GetDeviceId, Describe(request));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->expectedRequest && !(*step->expectedRequest == request)) {
        Mismatch("GetDeviceId: expected " + Describe(*step->expectedRequest) + ", got " + Describe(request));
    }
    if (step->error != DeviceError::None) {
        return step->error;
    }
    auto count = static_cast<std::uint32_t>(std::min<std::size_t>(capacity, step->replyBytes.size()));
    std::copy_n(step->replyBytes.begin(), count, buffer);
    reply->received = count;
    reply->lengthPrefixed = step->lengthPrefixed;
    return DeviceError::None;
}

DeviceError DeviceScript::SoftReset(DevicePort&, const DeviceRequest& request) {
    const DeviceScriptStep* step = Take(DeviceOperation::SoftReset, Describe(request));
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->expectedRequest && !(*step->expectedRequest == request)) {
        Mismatch("SoftReset: expected " + Describe(*step->expectedRequest) + ", got " + Describe(request));
    }
    return step->error;
}

DeviceError DeviceScript::ListInterfaces(const std::string& interfaceClass,
                                         std::vector<DeviceInterfaceEntry>* entries) {
    entries->clear();
    const DeviceScriptStep* step = Take(DeviceOperation::ListInterfaces, interfaceClass);
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->error == DeviceError::None) {
        *entries = step->interfaces;
    }
    return step->error;
}

DeviceError DeviceScript::QueryDosAlias(const std::string& alias, std::string* target) {
    const DeviceScriptStep* step = Take(DeviceOperation::QueryDosAlias, alias);
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if (step->expectedText && *step->expectedText != alias) {
        Mismatch("QueryDosAlias: expected " + *step->expectedText + ", got " + alias);
    }
    if (step->error == DeviceError::None) {
        *target = step->text;
    }
    return step->error;
}

DeviceError DeviceScript::DefineDosAlias(const std::string& alias, const std::string& target) {
    const DeviceScriptStep* step = Take(DeviceOperation::DefineDosAlias, alias + " -> " + target);
    if (step == nullptr) {
        return DeviceError::Io;
    }
    if ((step->expectedText && *step->expectedText != alias) ||
        (step->expectedTarget && *step->expectedTarget != target)) {
        Mismatch("DefineDosAlias: expected " + step->expectedText.value_or("") + " -> " +
                 step->expectedTarget.value_or("") + ", got " + alias + " -> " + target);
    }
    return step->error;
}

}  // namespace platform
