#include "ProductionFrames.h"

namespace drvlib {
namespace {

namespace production = protocol::production;

void AppendLittleEndian16(ProductionFrame& frame, std::size_t value) {
    frame.push_back(static_cast<std::uint8_t>(value & 0xFF));
    frame.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// The key bytes and the operation: what every production frame counts besides its arguments.
constexpr std::size_t kFixedParameters = 5;

ProductionFrame FrameWithCount(std::uint8_t frameClass, std::size_t parameterCount, std::uint8_t k1,
                               std::uint8_t k2, const production::Operation& operation,
                               std::span<const std::uint8_t> arguments) {
    // One allocation of the whole frame, appended byte by byte.
    ProductionFrame frame;
    frame.reserve(10 + arguments.size());
    frame.push_back(protocol::control::kEscape);
    frame.push_back(protocol::esc::kFactory);
    frame.push_back(frameClass);
    AppendLittleEndian16(frame, parameterCount);
    for (const std::uint8_t byte : {k1, k2, operation.code, operation.complement, operation.sub}) {
        frame.push_back(byte);
    }
    for (const std::uint8_t byte : arguments) {
        frame.push_back(byte);
    }
    return frame;
}

std::uint8_t LowByte(unsigned long value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t HighByte(unsigned long value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

ProductionFrame BuildProductionFrame(std::uint8_t frameClass, std::uint8_t k1, std::uint8_t k2,
                                     const production::Operation& operation,
                                     std::span<const std::uint8_t> arguments) {
    return FrameWithCount(frameClass, kFixedParameters + arguments.size(), k1, k2, operation, arguments);
}

ProductionFrame EepromSerialImpactFrame(std::uint8_t k1, std::uint8_t k2, unsigned long address,
                                        bool wideAddress) {
    const std::uint8_t bytes[] = {LowByte(address), HighByte(address)};
    // The firmware of the serial impact printers expects the count of the one-byte form (6) in front of
    // the two-byte address as well; it takes the high byte because it comes in the same write.
    return FrameWithCount(production::kClassStandard, kFixedParameters + 1, k1, k2,
                          production::kReadEepromSerialImpact,
                          std::span<const std::uint8_t>(bytes, wideAddress ? 2 : 1));
}

ProductionFrame EepromFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t address) {
    const std::uint8_t bytes[] = {address};
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadEeprom, bytes);
}

ProductionFrame EepromTwoByteFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t a1, std::uint8_t a2) {
    const std::uint8_t bytes[] = {a1, a2};
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadEeprom, bytes);
}

ProductionFrame EepromLargeFrame(std::uint8_t k1, std::uint8_t k2, unsigned long address) {
    const std::uint8_t bytes[] = {LowByte(address), HighByte(address)};
    return BuildProductionFrame(production::kClassLargeEeprom, k1, k2, production::kReadEeprom, bytes);
}

ProductionFrame FlashFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t a, std::uint8_t b) {
    const std::uint8_t bytes[] = {a, b};
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadFlash, bytes);
}

ProductionFrame CsicFrame(std::uint8_t k1, std::uint8_t k2, std::uint8_t a, std::uint8_t b) {
    const std::uint8_t bytes[] = {a, b};
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadCsic, bytes);
}

ProductionFrame RomVersionFrame(std::uint8_t k1, std::uint8_t k2) {
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadRomVersion, {});
}

ProductionFrame SensorsFrame(std::uint8_t k1, std::uint8_t k2) {
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadSensors, {});
}

ProductionFrame TimerIcFrame(std::uint8_t k1, std::uint8_t k2) {
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kReadTimerIc, {});
}

ProductionFrame AcknowledgeFrame(std::uint8_t k1, std::uint8_t k2) {
    return BuildProductionFrame(production::kClassStandard, k1, k2, production::kAcknowledge, {});
}

ProductionFrame RemoteModeFrame(const char (&letters)[3], std::span<const std::uint8_t> parameters) {
    namespace remote = protocol::remote;
    // One allocation of the whole frame, appended byte by byte, as the frames above.
    ProductionFrame frame;
    frame.reserve(remote::kEnter.size() + 4 + parameters.size() + sizeof remote::kLeave);
    for (const std::uint8_t byte : remote::kEnter) {
        frame.push_back(byte);
    }
    frame.push_back(static_cast<std::uint8_t>(letters[0]));
    frame.push_back(static_cast<std::uint8_t>(letters[1]));
    AppendLittleEndian16(frame, parameters.size());
    for (const std::uint8_t byte : parameters) {
        frame.push_back(byte);
    }
    for (const std::uint8_t byte : remote::kLeave) {
        frame.push_back(byte);
    }
    return frame;
}

ProductionFrame HeadTemperatureFrame() {
    return RemoteModeFrame(protocol::remote::kHeadTemperature, protocol::remote::kHeadTemperatureQuery);
}

ProductionFrame RemoteRomVersionFrame() {
    return RemoteModeFrame(protocol::remote::kRomVersion, protocol::remote::kRomVersionQuery);
}

}  // namespace drvlib
