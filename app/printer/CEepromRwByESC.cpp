#include "printer/CEepromRwByESC.h"

#include <array>
#include <cstdio>
#include <string>

#include "platform/Clock.h"
#include "printer/EepromCommands.h"
#include "printer/ReceiveWindow.h"
#include "protocol/HexDigit.h"

namespace {

constexpr int kAttempts = 3;
constexpr std::uint32_t kReadRetryPause = 100;
constexpr std::uint32_t kWriteRetryPause = 50;
constexpr std::uint32_t kPause = 10;

// The value's two hexadecimal characters in the read reply.
constexpr std::size_t kValueOffset = 14;

constexpr char kDumpHeader[] = "addr  +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\r\n";
constexpr char kDumpRule[] = "-----------------------------------------------------\r\n";
constexpr std::size_t kDumpBodySize = 4096;

// Runs the transfer up to three times, pausing between attempts; true at the first success.
template <class Transfer>
bool WithRetries(std::uint32_t pause, Transfer transfer) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (transfer()) {
            return true;
        }
        if (attempt < kAttempts) {
            platform::Clock().Sleep(pause);
        }
    }
    return false;
}

using protocol::HexDigit;

}  // namespace

CEepromRwByESC::CEepromRwByESC(platform::ISequentialStream* stream, std::uint8_t code1, std::uint8_t code2,
                               std::uint32_t lastAddress, IPrinterErrorCallback* callback)
    : code1_(code1), code2_(code2), lastAddress_(lastAddress) {
    if (stream != nullptr) {
        void* taken = nullptr;
        stream->QueryInterface(platform::kIidISequentialStream, &taken);
        stream_ = static_cast<platform::ISequentialStream*>(taken);
    }
    if (callback != nullptr) {
        void* taken = nullptr;
        callback->QueryInterface(platform::kIidIUnknown, &taken);
        callback_ = static_cast<IPrinterErrorCallback*>(taken);
    }
}

CEepromRwByESC::~CEepromRwByESC() {
    if (stream_ != nullptr) {
        stream_->Release();
    }
    if (callback_ != nullptr) {
        callback_->Release();
    }
}

void CEepromRwByESC::ReportError(int code) {
    if (callback_ != nullptr) {
        callback_->OnError(code);
    }
}

void CEepromRwByESC::AdoptStream(platform::ISequentialStream* stream) {
    if (stream_ != nullptr) {
        stream_->Release();
    }
    stream_ = stream;
}

bool CEepromRwByESC::Addressable(int address) const {
    // Only the low byte of an address goes to the printer: a larger one would reach another cell.
    return address >= 0 && address <= 0xFF && static_cast<std::uint32_t>(address) <= lastAddress_;
}

bool CEepromRwByESC::WriteAll(const void* data, std::uint32_t count) {
    return stream_ != nullptr && stream_->Write(data, count, nullptr) == platform::kSOk;
}

int CEepromRwByESC::ReadByte(int address, std::uint8_t* value) {
    CloseChannel();
    if (!Addressable(address)) {
        return 0;
    }
    const auto request = printer::eeprom::ReadRequest(code1_, code2_, static_cast<std::uint8_t>(address));
    if (!WithRetries(kReadRetryPause, [&] { return WriteAll(request.data(), request.size()); })) {
        *value = 0xFF;
        return 0;
    }
    // One byte more than is asked for, so the terminator after a full reply stays in the buffer.
    std::array<char, printer::kReceiveWindow + 1> reply{};
    std::uint32_t received = 0;
    const bool read = WithRetries(kReadRetryPause, [&] {
        received = 0;
        return stream_ != nullptr &&
               stream_->Read(reply.data(), printer::kReceiveWindow, &received) == platform::kSOk;
    });
    if (!read) {
        *value = 0xFF;
        return 0;
    }
    received = received > printer::kReceiveWindow ? printer::kReceiveWindow : received;
    reply[received] = '\0';
    // A reply too short to hold the value, or without two hexadecimal characters there, holds no
    // byte of the printer.
    const int high = received > kValueOffset + 1 ? HexDigit(reply[kValueOffset]) : -1;
    const int low = received > kValueOffset + 1 ? HexDigit(reply[kValueOffset + 1]) : -1;
    if (high < 0 || low < 0) {
        *value = 0xFF;
        return 0;
    }
    *value = static_cast<std::uint8_t>(high * 16 + low);
    return 1;
}

int CEepromRwByESC::WriteByte(int address, std::uint8_t value) {
    CloseChannel();
    // The address is not held to the last address here (the pages write the model's map), but one
    // that a single address byte cannot carry would land on another cell.
    if (address < 0 || address > 0xFF) {
        return 0;
    }
    const auto request =
        printer::eeprom::WriteRequest(code1_, code2_, static_cast<std::uint8_t>(address), value);
    return WithRetries(kWriteRetryPause, [&] { return WriteAll(request.data(), request.size()); }) ? 1 : 0;
}

int CEepromRwByESC::Pause1(int, int) {
    platform::Clock().Sleep(kPause);
    return 1;
}

int CEepromRwByESC::Pause2(int a, int b) {
    return Pause1(a, b);
}

int CEepromRwByESC::PrintDump(const std::int32_t* values) {
    CloseChannel();
    const auto preamble = printer::eeprom::DumpPreamble();
    const auto modePreamble = printer::eeprom::DumpModePreamble(code1_, code2_);
    if (!WriteAll(preamble.data(), preamble.size()) || !WriteAll(modePreamble.data(), modePreamble.size())) {
        return 0;
    }
    WriteAll(kDumpHeader, sizeof kDumpHeader - 1);
    WriteAll(kDumpRule, sizeof kDumpRule - 1);

    std::string body;
    body.reserve(kDumpBodySize);
    const int last = GetLastAddress();
    for (int i = 0; i <= last; ++i) {
        char cell[16];
        if (i % 16 == 0) {
            std::snprintf(cell, sizeof cell, "%2X0  ", static_cast<unsigned>(i / 16));
            body += cell;
        }
        const std::int32_t entry = values[i];
        if (entry >= 0 && entry <= 0xFF) {
            std::snprintf(cell, sizeof cell, " %02X", static_cast<unsigned>(entry));
            body += cell;
        } else {
            body += " --";
        }
        if (i % 16 == 15) {
            body += "\r\n";
        }
    }
    body += "\r\n\r\n\r\n";
    // A port that dropped during the dump has not printed it.
    return WriteAll(body.data(), static_cast<std::uint32_t>(body.size())) ? 1 : 0;
}

int ReadEepromWord(IEepromRW* eeprom, int lowAddress, int highAddress, std::uint16_t* value) {
    if (lowAddress < 0 || highAddress < 0) {
        return 0;
    }
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!eeprom->ReadByte(lowAddress, &low) || !eeprom->ReadByte(highAddress, &high)) {
        return 0;
    }
    *value = static_cast<std::uint16_t>(high * 256 + low);
    return 1;
}
